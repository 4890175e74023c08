#include "devices/qvpacketexchange.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "devices/linkwaitreporter.h"
#include "devices/qvdraininput.h"
#include "devices/qvporttimeout.h"
#include "foundation/klog.h"
#include "foundation/kserialport.h"
#include "foundation/kstring.h"
#include "foundation/kx.h"

std::vector<uint32_t> QvPacketExchange::Exchange(KSerialPort& port, uint16_t destination, uint32_t command,
                                                 const std::vector<uint32_t>& arguments,
                                                 uint32_t replyWords) {
  // What waits on the line now is noise or an answer too late for an earlier request.
  reader.Clear();
  refusal.Clear();
  QvDrainInput(port, 0);
  requestNumber = requestNumber == UINT32_MAX ? 1 : requestNumber + 1;
  QvPacket request;
  request.destination = destination;
  request.source = QvPacket::kProgramAddress;
  request.requestNumber = requestNumber;
  request.command = command;
  request.words = arguments;
  const std::vector<uint8_t> frame = request.Encode();
  const ShownWait shown(waitReporter);
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
    const KString mismatch = Mismatch(reply, request, replyWords);
    if (!mismatch.IsEmpty()) {
      refusal = LogRefusal(u"reply", mismatch);
      throw KXSerialPort(kErrSerialReceive);
    }
    return std::move(reply.words);
  }
}

KString QvPacketExchange::LogRefusal(const char16_t* what, const KString& why) {
  KString sentence(u"The control unit's ");
  sentence.Append(what).Append(u" was refused: ").Append(why);
  KLog::ProgramWarning(sentence);
  return sentence;
}

KString QvPacketExchange::Mismatch(const QvPacket& reply, const QvPacket& request, uint32_t replyWords) {
  const auto hex = [](uint32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", word);
    return std::string(text);
  };
  KString why;
  if (reply.destination != QvPacket::kProgramAddress) {
    why.Append(u"it is sent to address ").AppendInt(reply.destination);
  } else if (request.destination != QvPacket::kAnyDevice && reply.source != request.destination) {
    why.Append(u"it comes from address ").AppendInt(reply.source).Append(u", where ");
    why.AppendInt(request.destination).Append(u" was asked");
  } else if (reply.requestNumber != request.requestNumber) {
    why.Append(u"it answers request ").AppendInt(reply.requestNumber).Append(u", where ");
    why.AppendInt(request.requestNumber).Append(u" was sent");
  } else if (reply.command != request.command) {
    why.Append(u"it answers command ").Append(hex(reply.command).c_str()).Append(u", where ");
    why.Append(hex(request.command).c_str()).Append(u" was sent");
  } else if (reply.words.size() != replyWords) {
    why.Append(u"it holds ").AppendInt(static_cast<int64_t>(reply.words.size())).Append(u" words, where ");
    why.AppendInt(replyWords).Append(u" are taken");
  }
  return why;
}

int32_t QvPacketExchange::ReadFrame(KSerialPort& port, QvPortTimeout& deadline, QvPacket& frame) {
  int32_t code = QvFrameReader::kNeedMore;
  const auto whole = [&](const uint8_t* bytes, int32_t count) {
    reader.Feed(bytes, static_cast<size_t>(count));
    code = reader.Next(frame);
    return code != QvFrameReader::kNeedMore;
  };
  if (ServedWait(
          port, waitReporter, [&] { return deadline.Remaining(); }, whole)) {
    return code;
  }
  // No good reply came: after a damaged frame start that is a damaged reply, not a silence.
  return reader.DroppedDamagedStart() ? kErrSerialReceive : kErrSerialTimeout;
}

bool QvPacketExchange::IsLateReply(const QvPacket& frame) const {
  // Request numbers wrap, so "earlier" means within half the number space behind the current one.
  const uint32_t behind = requestNumber - frame.requestNumber;
  return frame.requestNumber != 0 && behind != 0 && behind < 0x80000000u;
}
