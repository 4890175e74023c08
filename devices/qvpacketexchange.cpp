#include "devices/qvpacketexchange.h"

#include "devices/qvporttimeout.h"
#include "foundation/kserialport.h"
#include "foundation/kx.h"

namespace {

// The most bytes thrown away before a request: a line that never stops sending noise must not hold the
// program.
constexpr int32_t kMaxDrainBytes = 65536;

}  // namespace

std::vector<uint32_t> QvPacketExchange::Exchange(KSerialPort& port, uint16_t destination, uint32_t command,
                                                 const std::vector<uint32_t>& arguments,
                                                 uint32_t replyWords) {
  QvPortTimeout deadline(port);
  Drain(port);
  requestNumber = requestNumber == UINT32_MAX ? 1 : requestNumber + 1;
  QvPacket request;
  request.destination = destination;
  request.source = QvPacket::kProgramAddress;
  request.requestNumber = requestNumber;
  request.command = command;
  request.words = arguments;
  const std::vector<uint8_t> frame = request.Encode();
  port.Write(frame.data(), static_cast<int32_t>(frame.size()));
  deadline.Restart();
  for (;;) {
    QvPacket reply;
    const int32_t code = ReadFrame(port, deadline, reply);
    if (code != kErrNone) {
      throw KXSerialPort(code);
    }
    if (IsLateReply(reply)) {
      continue;
    }
    const bool fromAddressed = destination == QvPacket::kAnyDevice || reply.source == destination;
    if (reply.destination != QvPacket::kProgramAddress || !fromAddressed ||
        reply.requestNumber != requestNumber || reply.command != command ||
        reply.words.size() != replyWords) {
      throw KXSerialPort(kErrSerialReceive);
    }
    return std::move(reply.words);
  }
}

void QvPacketExchange::Drain(KSerialPort& port) {
  reader.Clear();
  port.SetTimeout(0);
  uint8_t bytes[256];
  try {
    for (int32_t drained = 0; drained < kMaxDrainBytes;) {
      drained += port.Read(bytes, sizeof bytes);
    }
  } catch (const KXSerialPort& nothingLeft) {
    // 5002 with a 0 time-out: nothing more waits on the line. Other failures show on the write that follows.
    (void)nothingLeft;
  }
}

int32_t QvPacketExchange::ReadFrame(KSerialPort& port, QvPortTimeout& deadline, QvPacket& frame) {
  uint8_t bytes[512];
  for (;;) {
    const int32_t code = reader.Next(frame);
    if (code != QvFrameReader::kNeedMore) {
      return code;
    }
    if (!deadline.SetRemaining()) {
      return kErrSerialTimeout;
    }
    const int32_t got = port.Read(bytes, sizeof bytes);
    reader.Feed(bytes, static_cast<size_t>(got));
  }
}

bool QvPacketExchange::IsLateReply(const QvPacket& frame) const {
  // Request numbers wrap, so "earlier" means within half the number space behind the current one.
  const uint32_t behind = requestNumber - frame.requestNumber;
  return frame.requestNumber != 0 && behind != 0 && behind < 0x80000000u;
}
