#include "devices/databaselink.h"

#include <algorithm>

#include "devices/csvfields.h"
#include "devices/linkwaitreporter.h"
#include "devices/qvdraininput.h"
#include "devices/startlist.h"
#include "foundation/klog.h"
#include "foundation/kmemorystream.h"
#include "foundation/kx.h"

namespace {

constexpr char kRefusal[] = "AMB";

}  // namespace

DatabaseLink::DatabaseLink(LinkClock clock)
    : clock(clock ? std::move(clock) : LinkClock(SteadyMilliseconds)),
      port(std::make_unique<KSerialPort>()) {}

void DatabaseLink::Open(const KString& portSettings, int32_t mode, bool checksum, int32_t timeout) {
  Close();
  settings = portSettings;
  SetOptions(mode, checksum, timeout);
  port->OpenSettings(settings, KSerialPort::kRead | KSerialPort::kWrite);
}

void DatabaseLink::Attach(std::unique_ptr<KSerialPort> attached, int32_t mode, bool checksum,
                          int32_t timeout) {
  Close();
  port = std::move(attached);
  settings = KString();
  SetOptions(mode, checksum, timeout);
}

bool DatabaseLink::Reopen() {
  if (settings.IsEmpty()) {
    return false;
  }
  Close();
  try {
    port->OpenSettings(settings, KSerialPort::kRead | KSerialPort::kWrite);
    return true;
  } catch (const KX& failure) {
    lastError = failure.Code();
    return false;
  }
}

void DatabaseLink::SetOptions(int32_t mode, bool checksum, int32_t timeout) {
  charMode = mode;
  withChecksum = checksum;
  timeoutMs = timeout > 0 ? std::min(timeout, kMaxTimeoutMs) : kDefaultTimeoutMs;
}

void DatabaseLink::Close() {
  port->Close();
  reader = DatabaseFrameReader();
}

DatabaseLink::Outcome DatabaseLink::Exchange(const char* code, const std::vector<KString>& lines,
                                             const char* answerCode, const Answers& answers,
                                             DatabaseFrame& answer) {
  DatabaseFrame request;
  request.code = code;
  request.SetLines(lines, charMode);
  const std::string bytes = request.Encode(withChecksum);
  if (bytes.empty()) {
    lastError = kErrSerialTransmit;  // more than a frame carries: the database would drop it
    return kNoAnswer;
  }
  const ShownWait shown(waitReporter);
  // A request that gave up may still be answered, at any time, and nothing in an answer but a race's says
  // what it answers. The database answers in order: once a hello sent after it is answered, that late answer
  // has come and gone.
  if (answerOwed) {
    DatabaseFrame hello;
    DatabaseFrame helloRequest;
    helloRequest.code = "HFL";
    // Its refusal of the late answer's request is no answer to the hello.
    if (Send(helloRequest.Encode(withChecksum), "HMM", {}, false, hello) != kAnswered) {
      return kNoAnswer;
    }
    answerOwed = false;
  }
  const Outcome outcome = Send(bytes, answerCode, answers, true, answer);
  answerOwed = outcome == kNoAnswer;
  return outcome;
}

DatabaseLink::Outcome DatabaseLink::Send(const std::string& bytes, const char* answerCode,
                                         const Answers& answers, bool refusable, DatabaseFrame& answer) {
  Outcome outcome = Attempt(bytes, answerCode, answers, refusable, answer);
  if (outcome == kNoAnswer && portFailed && Reopen()) {
    outcome = Attempt(bytes, answerCode, answers, refusable, answer);
  }
  return outcome;
}

DatabaseLink::Outcome DatabaseLink::Attempt(const std::string& bytes, const char* answerCode,
                                            const Answers& answers, bool refusable, DatabaseFrame& answer) {
  portFailed = false;
  lastError = 0;
  const int32_t badSums = reader.BadChecksums();
  const int32_t broken = reader.BrokenFrames();
  const int32_t refused = refusedFrames;
  try {
    // Whatever came before the request (the rest of an answer that came too late, noise) answers nothing
    // of it.
    reader.Discard();
    port->SetTimeout(timeoutMs);
    QvDrainInput(*port, 0);
    // A port that is not open fails here.
    port->Write(bytes.data(), static_cast<int32_t>(bytes.size()));
    // The database's time starts once it has the whole request.
    const int64_t deadline = clock() + timeoutMs;
    Outcome outcome = kNoAnswer;
    const auto answered = [&](const uint8_t* bytes, int32_t count) {
      reader.Feed(bytes, static_cast<size_t>(count));
      while (reader.Next(answer)) {
        if (const char* refusal = answer.Refusal()) {
          RefuseFrame(answer, refusal, refusedFrames == refused);
          continue;
        }
        if (answer.code == answerCode && (!answers || answers(answer))) {
          outcome = kAnswered;
          return true;
        }
        if (answer.code == kRefusal && refusable) {
          lastError = kErrSerialHandshake;
          outcome = kRefused;
          return true;
        }
        AddSaturated(strayFrames, 1);
      }
      return false;
    };
    if (!ServedWait(
            *port, waitReporter, [&] { return deadline - clock(); }, answered)) {
      lastError = UnansweredError(badSums, broken, refused);
    }
    return outcome;
  } catch (const KXStream& failure) {
    lastError = failure.Code();
    portFailed = true;
    return kNoAnswer;
  }
}

int32_t DatabaseLink::UnansweredError(int32_t badSumsBefore, int32_t brokenBefore,
                                      int32_t refusedBefore) const {
  if (reader.BadChecksums() != badSumsBefore) {
    return kErrSerialChecksum;
  }
  const bool broken = reader.BrokenFrames() != brokenBefore || refusedFrames != refusedBefore;
  return broken ? kErrSerialReceive : kErrSerialTimeout;
}

void DatabaseLink::RefuseFrame(const DatabaseFrame& frame, const char* why, bool first) {
  AddSaturated(refusedFrames, 1);
  // One line a request: a database that keeps sending such frames must not fill the log.
  if (first) {
    KString line(u"Database link: ");
    KLog::ProgramWarning(line.Append(frame.code.c_str()).Append(u" refused: ").Append(why));
  }
}

DatabaseLink::Outcome DatabaseLink::Hello(KString& name) {
  DatabaseFrame answer;
  const Outcome outcome = Exchange("HFL", {}, "HMM", {}, answer);
  if (outcome == kAnswered) {
    const std::vector<KString> lines = answer.Lines(charMode);
    name = lines.empty() ? KString() : lines[0];
  }
  return outcome;
}

DatabaseLink::Outcome DatabaseLink::RequestSchedule(StartList& lists) {
  DatabaseFrame answer;
  const Outcome outcome = Exchange("SRQ", {}, "SRP", {}, answer);
  if (outcome == kAnswered) {
    KMemoryStream text = answer.Text(charMode);
    lists.ReadSchedule(text, KString(u"SRP"));
  }
  return outcome;
}

DatabaseLink::Outcome DatabaseLink::RequestRace(const KString& event, const KString& round,
                                                const KString& heat, StartList& lists) {
  DatabaseFrame answer;
  // An answer about another race answers an earlier request.
  const auto aboutTheRace = [&](const DatabaseFrame& frame) {
    StartList races;
    KMemoryStream text = frame.Text(charMode);
    races.ReadRaces(text, KString(u"IRP"));
    return races.FindRace(event, round, heat) != nullptr;
  };
  const Outcome outcome =
      Exchange("IRQ", {CsvFields::Join({event, round, heat})}, "IRP", aboutTheRace, answer);
  if (outcome == kAnswered) {
    KMemoryStream text = answer.Text(charMode);
    lists.ReadRaces(text, KString(u"IRP"));
  }
  return outcome;
}

DatabaseLink::Outcome DatabaseLink::SendResults(const std::vector<KString>& lines) {
  DatabaseFrame answer;
  return Exchange("RFL", lines, "ROK", {}, answer);
}
