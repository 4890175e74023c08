#pragma once
// A bound in real time on a run of the GUI thread: a loop that never comes back runs no script step that
// could fail the test, so once the bound has passed the test program ends, naming what it waited for.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <string>
#include <thread>

class RealTimeBound {
 public:
  RealTimeBound(std::string waitingFor, std::chrono::seconds bound)
      : watch([waitingFor, bound, ended = ended.get_future()] {
          if (ended.wait_for(bound) == std::future_status::timeout) {
            std::fprintf(stderr, "Waited in vain for %s\n", waitingFor.c_str());
            std::_Exit(EXIT_FAILURE);
          }
        }) {}
  ~RealTimeBound() {
    ended.set_value();
    watch.join();
  }
  RealTimeBound(const RealTimeBound&) = delete;
  RealTimeBound& operator=(const RealTimeBound&) = delete;

 private:
  std::promise<void> ended;
  // Last: it starts once the promise exists.
  std::thread watch;
};
