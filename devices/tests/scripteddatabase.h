#pragma once
// The photo-finish database's side of the serial database link for tests: frames as it answers them, and a
// player of scripted answers on a pseudo-terminal pair.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "devices/databaseframe.h"
#include "devices/linkclock.h"
#include "testing/ptypair.h"

namespace pftest {

inline std::string Answer(const std::string& code, const std::string& payload, bool checksum = true) {
  DatabaseFrame frame;
  frame.code = code;
  frame.payload = payload;
  return frame.Encode(checksum);
}

// Plays the photo-finish database on the other end of a pseudo-terminal pair, in a thread of its own: it
// reads each request and answers it with the next bytes of its script, and keeps the requests. It stops when
// the script runs out or no request comes for `quietMs`. `beforeReply` runs on its thread between reading a
// request (counted from 0) and answering it.
class ScriptedDatabase {
 public:
  using BeforeReply = std::function<void(std::size_t request)>;

  ScriptedDatabase(ktest::PtyPair& pair, std::vector<std::string> replies, int quietMs = 1000,
                   BeforeReply beforeReply = {})
      : pair(pair),
        replies(std::move(replies)),
        quietMs(quietMs),
        beforeReply(std::move(beforeReply)),
        worker([this] { Run(); }) {}
  ~ScriptedDatabase() { Finish(); }
  ScriptedDatabase(const ScriptedDatabase&) = delete;
  ScriptedDatabase& operator=(const ScriptedDatabase&) = delete;

  // A clock for the link that stands still until the database has sent a reply and then counts from its
  // last one: the link's time-out starts when the answer is on the line, however long a loaded machine took
  // to get it there.
  LinkClock SinceReply() const {
    return [this] {
      const int64_t at = repliedAt;
      return at < 0 ? 0 : SteadyMilliseconds() - at;
    };
  }

  // The requests read, once the script has run out.
  const std::vector<DatabaseFrame>& Requests() {
    Finish();
    return requests;
  }

 private:
  void Finish() {
    if (worker.joinable()) {
      worker.join();
    }
  }
  void Run() {
    DatabaseFrameReader reader;
    for (const std::string& reply : replies) {
      DatabaseFrame request;
      while (!reader.Next(request)) {
        const std::string bytes = pair.Receive(1, quietMs);
        if (bytes.empty()) {
          return;
        }
        reader.Feed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      }
      requests.push_back(request);
      if (beforeReply) {
        beforeReply(requests.size() - 1);
      }
      pair.Send(reply);
      repliedAt = SteadyMilliseconds();
    }
  }

  ktest::PtyPair& pair;
  const std::vector<std::string> replies;
  const int quietMs;
  const BeforeReply beforeReply;
  std::vector<DatabaseFrame> requests;
  std::atomic<int64_t> repliedAt = -1;
  std::thread worker;  // last: it starts once the rest is made
};

}  // namespace pftest
