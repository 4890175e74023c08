#pragma once
// A bound in real time on a run of the GUI thread: a loop that never comes back runs no script step that
// could fail the test, so once the bound has passed the test program ends, naming what it waited for.

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

class RealTimeBound {
 public:
  RealTimeBound(std::string waitingFor, std::chrono::seconds bound)
      : watch([this, waitingFor, bound] {
          std::unique_lock hold(mutex);
          if (!ended.wait_for(hold, bound, [this] { return done; })) {
            std::fprintf(stderr, "Waited in vain for %s\n", waitingFor.c_str());
            std::_Exit(EXIT_FAILURE);
          }
        }) {}
  ~RealTimeBound() {
    {
      std::lock_guard hold(mutex);
      done = true;
    }
    ended.notify_one();
    watch.join();
  }
  RealTimeBound(const RealTimeBound&) = delete;
  RealTimeBound& operator=(const RealTimeBound&) = delete;

 private:
  std::mutex mutex;
  std::condition_variable ended;
  bool done = false;
  // Last: it starts once the members it uses exist.
  std::thread watch;
};
