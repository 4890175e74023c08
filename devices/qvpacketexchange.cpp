#include "devices/qvpacketexchange.h"

#include "devices/qvdraininput.h"
#include "devices/qvporttimeout.h"
#include "foundation/kserialport.h"
#include "foundation/kx.h"

std::vector<uint32_t> QvPacketExchange::Exchange(KSerialPort& port, uint16_t destination, uint32_t command,
                                                 const std::vector<uint32_t>& arguments,
                                                 uint32_t replyWords) {
  // What waits on the line now is noise or an answer too late for an earlier request.
  reader.Clear();
  QvDrainInput(port, 0);
  requestNumber = requestNumber == UINT32_MAX ? 1 : requestNumber + 1;
  QvPacket request;
  request.destination = destination;
  request.source = QvPacket::kProgramAddress;
  request.requestNumber = requestNumber;
  request.command = command;
  request.words = arguments;
  const std::vector<uint8_t> frame = request.Encode();
  // The write waits up to the port's own time-out for room in the transmit queue; the reply's deadline
  // counts from the end of the request.
  port.Write(frame.data(), static_cast<int32_t>(frame.size()));
  QvPortTimeout deadline(port);
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

int32_t QvPacketExchange::ReadFrame(KSerialPort& port, QvPortTimeout& deadline, QvPacket& frame) {
  uint8_t bytes[512];
  for (;;) {
    const int32_t code = reader.Next(frame);
    if (code != QvFrameReader::kNeedMore) {
      return code;
    }
    if (!deadline.SetRemaining()) {
      // No good reply came: after a damaged frame start that is a damaged reply, not a silence.
      return reader.DroppedDamagedStart() ? kErrSerialReceive : kErrSerialTimeout;
    }
    try {
      const int32_t got = port.Read(bytes, sizeof bytes);
      reader.Feed(bytes, static_cast<size_t>(got));
    } catch (const KXSerialPort& failure) {
      // Nothing came before the deadline: the check above tells what failed.
      if (failure.Code() != kErrSerialTimeout) {
        throw;
      }
    }
  }
}

bool QvPacketExchange::IsLateReply(const QvPacket& frame) const {
  // Request numbers wrap, so "earlier" means within half the number space behind the current one.
  const uint32_t behind = requestNumber - frame.requestNumber;
  return frame.requestNumber != 0 && behind != 0 && behind < 0x80000000u;
}
