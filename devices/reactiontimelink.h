#pragma once
// The reaction-time link: the photo-finish system asks over TCP for the reaction times of a race ("RRQ" with
// event, round and heat) and is answered with the race's result lines ("RRP") or told there are none
// ("RNR"). Frames are those of databaseframe.h. The link never waits: the GUI thread's idle tick polls it
// once the message loop's wait saw what NextWait names, a peer that floods is read a bounded amount per
// tick and must take its answers before more requests are read, and a peer that says nothing costs nothing.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "devices/databaseframe.h"
#include "devices/linkclock.h"
#include "devices/linkwait.h"
#include "devices/tcpendpoint.h"
#include "foundation/kstring.h"

class ReactionTimeLink {
 public:
  // Fills the result lines of a race; false when there are none.
  using Answer = std::function<bool(const KString& event, const KString& round, const KString& heat,
                                    std::vector<KString>& lines)>;
  // A connection that failed or went away is tried again after this long.
  static constexpr int64_t kRetryMs = 5000;
  // An attempt that got no reply in this time is given up and made again (the system itself would keep
  // it pending for minutes).
  static constexpr int64_t kConnectLimitMs = 5000;
  static constexpr int32_t kMaxRequestsPerPoll = 8;
  static constexpr int32_t kReadChunk = 4096;
  // Bytes one Poll reads at most, whatever they are: noise and broken frames answer nothing, so a count of
  // requests alone would not end a Poll while the peer keeps sending them.
  static constexpr int32_t kMaxReadPerPoll = 4 * kReadChunk;

  explicit ReactionTimeLink(Answer answer, LinkClock clock = nullptr);

  // Opens the link a network settings text names ("-1,address,port" connect, "-2,address,port" listen);
  // payload text in the code set of `charMode` ("\Database\CharMode"). False when the text names no TCP link.
  bool Open(const KString& settings, int32_t charMode);
  void Close();
  bool IsOpen() const { return endpoint.IsOpen(); }
  bool HasPeer() const { return endpoint.HasPeer(); }
  // Does what can be done now: connects or accepts, sends what is waiting, reads and answers requests.
  // An answer too long for a frame is sent as "RNR", as for a race without results.
  void Poll();
  // What to wait for before the next Poll: the listening socket for a caller, the peer's socket for a
  // request (or, while answers wait to be sent or a connection is made, for room to write), and the time
  // of the next connection attempt or of an attempt's limit. A Poll that stopped at its bounds with
  // requests left is due again at once.
  LinkWait NextWait() const;

  // The counters stop at the largest int32_t value.
  int32_t AnsweredRequests() const { return answered; }
  // Frames of other codes, and RRQ frames without event, round and heat or refused for what their payload
  // holds (answered RNR; the first refusal of each peer is logged).
  int32_t OddFrames() const { return oddFrames; }
  const DatabaseFrameReader& Reader() const { return reader; }

 private:
  void StartPeer();
  // Starts a connection attempt when the retry time has come, and gives up one that took too long; false
  // while there is no connection to serve.
  bool Connect();
  void Handle(const DatabaseFrame& request);
  // Sends what the peer takes now; false when the peer went away.
  bool Flush();
  void LogRefusal(const char* why);

  Answer answer;
  LinkClock clock;
  TcpEndpoint endpoint;
  int32_t charMode = 0;
  int64_t nextAttempt = 0;
  // When the connection attempt under way is given up.
  int64_t attemptDeadline = 0;
  // The last Poll stopped at its bounds: the requests read may hold more.
  bool backlog = false;
  // The peer sends nothing more: it is let go once the answers it is owed are sent.
  bool peerDone = false;
  bool refusalLogged = false;
  DatabaseFrameReader reader;
  std::string unsent;
  int32_t answered = 0;
  int32_t oddFrames = 0;
};
