#pragma once
// The reaction-time link: the photo-finish system asks over TCP for the reaction times of a race ("RRQ" with
// event, round and heat) and is answered with the race's result lines ("RRP") or told there are none
// ("RNR"). Frames are those of databaseframe.h. The link never waits: the GUI thread's idle tick polls it,
// a peer that floods is read a bounded amount per tick and must take its answers before more requests are
// read, and a peer that says nothing costs nothing.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "devices/databaseframe.h"
#include "devices/linkclock.h"
#include "devices/tcpendpoint.h"
#include "foundation/kstring.h"

class ReactionTimeLink {
 public:
  // Fills the result lines of a race; false when there are none.
  using Answer = std::function<bool(const KString& event, const KString& round, const KString& heat,
                                    std::vector<KString>& lines)>;
  // A connection that failed or went away is tried again after this long.
  static constexpr int64_t kRetryMs = 5000;
  static constexpr int32_t kMaxRequestsPerPoll = 8;
  static constexpr int32_t kReadChunk = 4096;

  explicit ReactionTimeLink(Answer answer, LinkClock clock = nullptr);

  // Opens the link a network settings text names ("-1,address,port" connect, "-2,address,port" listen);
  // payload text in the code set of `charMode` ("\Database\CharMode"). False when the text names no TCP link.
  bool Open(const KString& settings, int32_t charMode);
  void Close();
  bool IsOpen() const { return endpoint.IsOpen(); }
  bool HasPeer() const { return endpoint.HasPeer(); }
  // Does what can be done now: connects or accepts, sends what is waiting, reads and answers requests.
  void Poll();
  // The descriptor to wait on for the link's next event; -1 when there is none.
  int Descriptor() const { return endpoint.Descriptor(); }

  int32_t AnsweredRequests() const { return answered; }
  // Frames of other codes, and RRQ frames without event, round and heat (answered RNR).
  int32_t OddFrames() const { return oddFrames; }
  const DatabaseFrameReader& Reader() const { return reader; }

 private:
  void StartPeer();
  void Handle(const DatabaseFrame& request);
  // Sends what the peer takes now; false when the peer went away.
  bool Flush();

  Answer answer;
  LinkClock clock;
  TcpEndpoint endpoint;
  int32_t charMode = 0;
  int64_t nextAttempt = 0;
  DatabaseFrameReader reader;
  std::string unsent;
  int32_t answered = 0;
  int32_t oddFrames = 0;
};
