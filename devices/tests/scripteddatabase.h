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
#include "foundation/kserialport.h"
#include "testing/ptypair.h"

namespace pftest {

// The link's serial port, counting the bytes the link writes and reads through it.
class CountedPort : public KSerialPort {
 public:
  std::size_t BytesWritten() const { return written; }
  std::size_t BytesRead() const { return read; }

 protected:
  int32_t ReadRaw(void* buffer, int32_t count) override {
    const int32_t got = KSerialPort::ReadRaw(buffer, count);
    read += static_cast<std::size_t>(got > 0 ? got : 0);
    return got;
  }
  void WriteRaw(const void* buffer, int32_t count) override {
    KSerialPort::WriteRaw(buffer, count);
    written += static_cast<std::size_t>(count);
  }

 private:
  std::atomic<std::size_t> written = 0;
  std::atomic<std::size_t> read = 0;
};

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

  // A clock for a link that talks over `port` (on this pair's device side): it stands still while the
  // database owes an answer to what the link wrote, and while the link has not read every byte answered;
  // then, as once the script has run out, each look moves it on past any time-out. A wait thus runs out
  // only on a line gone quiet, however slowly a loaded machine brings the bytes.
  LinkClock QuietAfterAnswers(const CountedPort& port) const {
    return [this, &port, now = int64_t{0}]() mutable {
      // Read in this order: an answer is counted as sent before its request as heard.
      const bool heardAll = port.BytesWritten() == heard;
      if (finished || (heardAll && port.BytesRead() == sent)) {
        now += kPastAnyTimeoutMs;
      }
      return now;
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
      std::size_t requestBytes = 0;
      while (!reader.Next(request)) {
        const std::string bytes = pair.Receive(1, quietMs);
        if (bytes.empty()) {
          finished = true;
          return;
        }
        requestBytes += bytes.size();
        reader.Feed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      }
      requests.push_back(request);
      if (beforeReply) {
        beforeReply(requests.size() - 1);
      }
      pair.Send(reply);
      sent += reply.size();
      heard += requestBytes;
    }
    finished = true;
  }

  static constexpr int64_t kPastAnyTimeoutMs = int64_t{1} << 32;

  ktest::PtyPair& pair;
  const std::vector<std::string> replies;
  const int quietMs;
  const BeforeReply beforeReply;
  std::vector<DatabaseFrame> requests;
  // Bytes of the requests answered, and of the answers sent.
  std::atomic<std::size_t> heard = 0;
  std::atomic<std::size_t> sent = 0;
  std::atomic<bool> finished = false;
  std::thread worker;  // last: it starts once the rest is made
};

}  // namespace pftest
