#pragma once
// QvPacketExchange: one request and its reply over the serial line to the control unit, with the checks of
// the control-unit protocol (docs/control-unit-protocol.md). Failures throw KXSerialPort with the serial
// error code: 5002 no reply in time, 5001 a reply of the wrong shape or for another request (logged with
// why), 5005 a wrong checksum.

#include <cstdint>
#include <vector>

#include "devices/qvframereader.h"
#include "devices/qvpacket.h"
#include "foundation/kstring.h"

class KSerialPort;
class LinkWaitReporter;
class QvPortTimeout;

class QvPacketExchange {
 public:
  // Sends the request to `destination` and waits, at most the port's read time-out (a negative one counts
  // as 0), for its reply of exactly `replyWords` words. The port's time-out is the same afterwards. A
  // reporter, when one is set, is told of the wait and served between its slices.
  std::vector<uint32_t> Exchange(KSerialPort& port, uint16_t destination, uint32_t command,
                                 const std::vector<uint32_t>& arguments, uint32_t replyWords);

  // The reporter of every wait from now on (not owned); null: an exchange only waits.
  void SetWaitReporter(LinkWaitReporter* reporter) { waitReporter = reporter; }
  LinkWaitReporter* WaitReporter() const { return waitReporter; }
  // The number the last request went out with.
  uint32_t LastRequestNumber() const { return requestNumber; }
  // Why the last exchange's reply was refused, as the log says it; empty unless it was.
  const KString& Refusal() const { return refusal; }

  // Logs that the control unit's `what` ("reply", "trial header"...) was refused and why, and answers the
  // sentence logged: "The control unit's <what> was refused: <why>".
  static KString LogRefusal(const char16_t* what, const KString& why);

 private:
  // Reads until a whole frame is there or the deadline passes.
  int32_t ReadFrame(KSerialPort& port, QvPortTimeout& deadline, QvPacket& frame);
  // True for a frame that answers a request sent before this one.
  bool IsLateReply(const QvPacket& frame) const;
  // Why a whole frame, not a late one, is no reply to the request: empty when it is.
  static KString Mismatch(const QvPacket& reply, const QvPacket& request, uint32_t replyWords);

  LinkWaitReporter* waitReporter = nullptr;
  uint32_t requestNumber = 0;
  QvFrameReader reader;
  KString refusal;
};
