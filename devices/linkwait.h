#pragma once
// What a link that never waits itself needs a message loop to wait for before its next poll: its sockets,
// each with the poll events that mean it has work, and how soon the poll must run even when none comes.

#include <cstdint>
#include <optional>
#include <vector>

struct LinkWait {
  struct Socket {
    int descriptor;
    short events;
  };

  std::vector<Socket> sockets;
  // Milliseconds until the poll must run again (a retry, a time limit); none when only the sockets matter.
  std::optional<int64_t> withinMs;
};
