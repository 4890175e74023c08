#include "devices/qvblocksensors.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>

#include "devices/linkwaitreporter.h"
#include "devices/positivesetting.h"
#include "devices/qvblocksensorsreporter.h"
#include "devices/qvbootmonitor.h"
#include "devices/qvpacket.h"
#include "foundation/kbytetext.h"
#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "foundation/klog.h"
#include "foundation/kregistry.h"
#include "foundation/krgroup.h"
#include "foundation/kserialport.h"
#include "foundation/ktime.h"
#include "foundation/kx.h"
#include "model/qvresults.h"
#include "model/qvsettings.h"
#include "model/qvtrace.h"

namespace {

constexpr double kStepsPerSecond = 1000.0 / QvTrace::kBlockSize;

// Seconds of the trace set at `path`, within the trace.
double TraceSeconds(const char16_t* path, double builtIn) {
  constexpr QvSettings::Range<double> kTrace{0, QvTrace::kMaxBlocks / kStepsPerSecond,
                                             QvSettings::Outside::kNearestEnd};
  return QvSettings::Float(path, builtIn, kTrace);
}

// The samples [first, end) of the download window set in seconds from the start of the trace, rounded out
// to the result's whole trace steps (QvTrace::kBlockSize samples); a window that is empty or out of order
// is the whole trace.
void DownloadWindow(int32_t& firstSample, int32_t& endSample) {
  const double start = QvBlockSensors::DownloadStart() * kStepsPerSecond;
  const double end = QvBlockSensors::DownloadEnd() * kStepsPerSecond;
  int32_t firstStep = static_cast<int32_t>(std::floor(std::clamp(start, 0.0, double{QvTrace::kMaxBlocks})));
  int32_t endStep = static_cast<int32_t>(std::ceil(std::clamp(end, 0.0, double{QvTrace::kMaxBlocks})));
  if (firstStep >= endStep) {
    firstStep = 0;
    endStep = QvTrace::kMaxBlocks;
  }
  firstSample = firstStep * QvTrace::kBlockSize;
  endSample = endStep * QvTrace::kBlockSize;
}

// Milliseconds from `earlier` to `later` on the unit's clock. The clock is a 32-bit millisecond count that
// wraps, so the difference is taken modulo 2^32 as a signed value: a gun just before the wrap and a reaction
// just after it are still milliseconds apart.
int32_t ClockDifference(int32_t later, int32_t earlier) {
  return KTickDifference(static_cast<uint32_t>(later), static_cast<uint32_t>(earlier));
}

// Milliseconds from the gun to a moment on the unit's clock; none for a moment of 0 or none, or without a
// gun.
int32_t RelativeToGun(int32_t moment, int32_t gunTimeWord) {
  if (moment == 0 || moment == QvBlockSensors::kNone || gunTimeWord == QvBlockSensors::kNone) {
    return QvBlockSensors::kNone;
  }
  return ClockDifference(moment, gunTimeWord);
}

void AppendSetting(KString& text, const char16_t* path, const char16_t* fallback) {
  text.Append(QvSettings::Text(path, fallback));
}

}  // namespace

int32_t QvBlockSensors::RetryCount() {
  return PositiveSetting(u"\\Event\\Results\\RetryCount", 3);
}

double QvBlockSensors::DownloadStart() {
  return TraceSeconds(u"\\Hardware\\BlockSensor\\StartTimeDL", 0);
}

double QvBlockSensors::DownloadEnd() {
  return TraceSeconds(u"\\Hardware\\BlockSensor\\EndTimeDL", 5);
}

int32_t QvBlockSensors::ReadTimeout() {
  return CappedSetting(u"\\Serial\\ShortTimeout", KSerialPort::kDefaultTimeoutMs, kMaxReadTimeoutMs);
}

bool QvBlockSensors::UpdateFirmware(bool firstPass) {
  return Upload(kFirmwareUpload, firstPass);
}

bool QvBlockSensors::LoadAudio(bool firstPass) {
  return Upload(kSoundUpload, firstPass);
}

bool QvBlockSensors::Upload(UploadKind kind, bool firstPass) {
  static constexpr const char16_t* kExtensions[] = {u"img", u"wav"};
  static constexpr uint32_t kAddresses[] = {QvBootMonitor::kFirmwareAddress, QvBootMonitor::kSoundAddress};
  if (firstPass || uploadFiles[kind].IsEmpty()) {
    KFile file;
    if (KOpenFileDialog(file, KString(kExtensions[kind])) < 0) {
      return false;
    }
    uploadFiles[kind] = file.Name();
  }
  KString settings;
  int32_t portNumber = 0;
  if (!FirstSerialPort(settings) || !KSerialPort::ParsePort(settings, portNumber) || portNumber <= 0) {
    Alert(QvSettings::Text(u"\\Strings\\SerialPort\\NoComSelected", u"No COM port has been selected"));
    return false;
  }
  std::vector<uint8_t> data;
  if (!ReadUploadFile(kind, data)) {
    return FailWithAlert(lastError);
  }
  try {
    KSerialPort port;
    port.OpenSettings(settings, KSerialPort::kRead | KSerialPort::kWrite);
    port.SetTimeout(ReadTimeout());
    // The whole dialogue is one wait for the unit, served as every exchange's is.
    LinkWaitReporter* const waits = exchange.WaitReporter();
    const ShownWait shown(waits);
    QvBootMonitor::Upload(
        port, data, kAddresses[kind], RetryCount(),
        [this](int32_t percent) {
          if (reporter != nullptr) {
            reporter->Progress(percent);
          }
        },
        waits);
  } catch (const KX& failure) {
    return FailWithAlert(failure.Code());
  }
  return true;
}

bool QvBlockSensors::ReadUploadFile(UploadKind kind, std::vector<uint8_t>& data) {
  std::ifstream file(uploadFiles[kind].ToUtf8(), std::ios::binary);
  if (!file) {
    return Fail(kErrFileOpen);
  }
  // One byte more than an area holds tells a file that is too big without reading all of it.
  data.resize(QvBootMonitor::kAreaSize + 1);
  file.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()));
  data.resize(static_cast<size_t>(file.gcount()));
  if (file.bad()) {
    return Fail(kErrFileRead);
  }
  const bool isWave = data.size() >= 12 && std::equal(data.begin(), data.begin() + 4, "RIFF") &&
                      std::equal(data.begin() + 8, data.begin() + 12, "WAVE");
  if (data.empty() || data.size() > QvBootMonitor::kAreaSize || (kind == kSoundUpload && !isWave)) {
    return Fail(kErrFileContents);
  }
  return true;
}

bool QvBlockSensors::FirstSerialPort(KString& settings) {
  const KRGroup* ports = KRegistry::GetGroup(QvSettings::Root(), KString::View(u"\\SerialPorts"));
  if (ports == nullptr) {
    return false;
  }
  for (const KRNode* node = ports->NextChild(nullptr); node != nullptr; node = ports->NextChild(node)) {
    if (const auto* entry = dynamic_cast<const KRGroup*>(node)) {
      settings = KRegistry::GetString(entry, KString::View(u"SerialPort"));
      return true;
    }
  }
  return false;
}

int32_t QvBlockSensors::GetReplyWord(KSerialPort& port) {
  std::vector<uint32_t> reply;
  if (!Exchange(port, QvPacket::kAnyDevice, QvPacket::kIdentify, {}, 1, reply)) {
    return 0;
  }
  return static_cast<int32_t>(reply[0]);
}

bool QvBlockSensors::GetLastTrial(KSerialPort& port, int32_t form, int32_t& busy, int32_t& laneCount,
                                  int32_t& clockWord, int32_t& offset, int32_t& setWord, int32_t& gunTimeWord,
                                  int32_t& version) {
  const uint16_t address =
      form == QvPacket::kBlockSensorWord ? QvPacket::kSensorBaseAddress : QvPacket::kControlUnitAddress;
  std::vector<uint32_t> reply;
  version = Exchange(port, address, QvPacket::kVersion, {}, 1, reply) ? static_cast<int32_t>(reply[0])
                                                                      : kTimesInHeaderVersion;
  const uint32_t words = version < kTimesInHeaderVersion ? kShortHeaderWords : kHeaderWords;
  if (!Exchange(port, address, QvPacket::kTrialHeader, {1}, words, reply)) {
    return false;
  }
  const auto word = [&reply](size_t index) { return static_cast<int32_t>(reply[index]); };
  if (word(1) != 0) {
    busy = word(1);
    return true;
  }
  if (word(2) < 0 || word(2) > kMostLanes) {
    return RefuseCount(u"trial header", KString(u"it gives "), word(2), u"lanes", kMostLanes);
  }
  busy = 0;
  laneCount = word(2);
  clockWord = word(0);
  setWord = word(3);
  gunTimeWord = word(4);
  offset = gunTimeWord == kNone || word(3) == kNone ? kNone : ClockDifference(gunTimeWord, word(3));
  return true;
}

bool QvBlockSensors::GetTrialHeader(KSerialPort& port, HeaderWords& reply, int32_t expectedGunTime,
                                    bool lastAttempt) {
  std::vector<uint32_t> words;
  bool taken =
      Exchange(port, QvPacket::kControlUnitAddress, QvPacket::kTrialHeader, {1}, kHeaderWords, words);
  // While the unit is busy (word 1 not 0) the other words may be anything: the attempt fails.
  if (taken && words[1] != 0) {
    taken = Fail(kErrSerialHandshake);
  }
  if (!taken || !GunTimeAccepted(static_cast<int32_t>(words[4]), expectedGunTime, lastAttempt)) {
    if (lastAttempt) {
      reply.fill(kNone);
    }
    return false;
  }
  for (size_t i = 0; i < kHeaderWords; ++i) {
    reply[i] = static_cast<int32_t>(words[i]);
  }
  const int32_t gun = reply[4];
  for (size_t i = kShortHeaderWords; i < kHeaderWords; ++i) {
    reply[i] = RelativeToGun(reply[i], gun);
  }
  return true;
}

bool QvBlockSensors::DownloadTrials(KSerialPort& port, int32_t lane, int32_t trialSelector,
                                    int32_t expectedGunTime, bool headerOnly, bool lastAttempt,
                                    int32_t attempt) {
  if (!headerOnly) {
    ShowDownloading(lane, attempt);
  }
  if (FetchTrial(port, lane, trialSelector, expectedGunTime, headerOnly, lastAttempt)) {
    return true;
  }
  if (lastAttempt) {
    // The lane gets nothing: the record of the lane before must not be written into its result.
    record = QvTrialRecord();
    ClearTrace();
  }
  return false;
}

bool QvBlockSensors::FetchTrial(KSerialPort& port, int32_t lane, int32_t trialSelector,
                                int32_t expectedGunTime, bool headerOnly, bool lastAttempt) {
  if (lane < 0 || lane > kMostLanes || trialSelector < 0) {
    return Fail(kErrSerial);
  }
  const uint16_t address = static_cast<uint16_t>(QvPacket::kSensorBaseAddress + lane);
  std::vector<uint32_t> words;
  if (!Exchange(port, address, QvPacket::kTrialRecord, {static_cast<uint32_t>(trialSelector)},
                QvTrialRecord::kWordCount, words)) {
    return false;
  }
  QvTrialRecord fetched;
  if (!fetched.Read(words)) {
    KString lead(u"lane ");
    lead.AppendInt(lane).Append(u": it counts ");
    return RefuseCount(u"trial record", lead, static_cast<int32_t>(words[6]), u"extra times",
                       QvResult::kExtraTimeCount);
  }
  if (expectedGunTime != 0 && !GunTimeAccepted(fetched.gunTimeWord, expectedGunTime, lastAttempt)) {
    return false;
  }
  if (headerOnly) {
    // A header-only record has no trace: none of an earlier lane's may be written with it.
    ClearTrace();
  } else if (!DownloadTrace(port, address, trialSelector)) {
    return false;
  }
  record = fetched;
  return true;
}

void QvBlockSensors::FillResult(QvResult& result, bool reactionTimeOnly) const {
  // The record's times count from the gun: a record without one has none, whatever the sensor sent.
  const bool timed = record.gunTimeWord != kNone;
  const auto sinceGun = [timed](int32_t milliseconds) { return timed ? milliseconds : kNone; };
  result.SetPower(record.power);
  result.SetReactionTime(sinceGun(record.reactionTime));
  result.SetTime3(sinceGun(record.setTime));
  YTime extraTimes[QvResult::kExtraTimeCount];
  const int32_t extraTimeCount = timed ? record.extraTimeCount : 0;
  for (int32_t i = 0; i < extraTimeCount; ++i) {
    extraTimes[i] = YTime::FromMilliseconds(record.extraTimes[i]);
  }
  result.SetExtraTimes(extraTimes, extraTimeCount);
  if (reactionTimeOnly) {
    return;
  }
  if (traceChannels[0].empty()) {
    result.ClearTrace();
  } else {
    result.SetTrace(traceFirstSample, traceChannels[0], traceChannels[1]);
  }
  result.SetTime2(sinceGun(record.time2));
  // The record's own gun: a record of another trial taken on the last attempt (its fault reported) is not
  // this trial's, and the next download of this trial clears it.
  result.SetGunTime(YTime::FromMilliseconds(record.gunTimeWord));
  // The empty record names no lane: the result keeps the lane it has.
  if (record.filled) {
    KString lane;
    lane.AppendInt(record.recordNumber);
    result.SetAthleteField(QvResult::kLaneField, lane);
  }
}

bool QvBlockSensors::GetTrialList(KSerialPort& port, int32_t lane, int32_t& count) {
  Report(QvSettings::Text(u"\\Strings\\BlockSensor\\GetTrialList", u"Reading the stored trials..."));
  if (lane < 0 || lane > kMostLanes) {
    return Fail(kErrSerial);
  }
  std::vector<uint32_t> reply;
  if (!Exchange(port, static_cast<uint16_t>(QvPacket::kSensorBaseAddress + lane), QvPacket::kTrialCount, {},
                3, reply)) {
    return false;
  }
  const int32_t stored = static_cast<int32_t>(reply[1]);
  if (stored < 0 || stored > kMaxStoredTrials) {
    return RefuseCount(u"trial count", KString(u"it counts "), stored, u"trials", kMaxStoredTrials);
  }
  count = stored;
  return true;
}

bool QvBlockSensors::SendText(KSerialPort& port, const KString& text, bool showErrors) {
  const std::string bytes = KByteText(text);
  const int32_t length = std::min(static_cast<int32_t>(bytes.size()), kMaxTextLength);
  std::vector<uint32_t> arguments = {static_cast<uint32_t>(length)};
  for (int32_t i = 0; i < length; ++i) {
    const uint32_t byte = static_cast<uint8_t>(bytes[static_cast<size_t>(i)]);
    if (i % 4 == 0) {
      arguments.push_back(0);
    }
    arguments.back() |= byte << (8 * (i % 4));
  }
  std::vector<uint32_t> reply;
  const bool sent = Exchange(port, QvPacket::kControlUnitAddress, QvPacket::kText, arguments, 1, reply) &&
                    (reply[0] == 0 || Fail(kErrSerialHandshake));
  return sent || (showErrors ? FailWithAlert(lastError) : false);
}

bool QvBlockSensors::SendLaneStates(KSerialPort& port, const QvResults& results, const QvResultFilter* filter,
                                    bool showErrors) {
  std::vector<uint32_t> reply;
  const bool sent = Exchange(port, QvPacket::kControlUnitAddress, QvPacket::kLaneStates,
                             {1, LaneMask(results, filter)}, 1, reply) &&
                    (reply[0] == 0 || Fail(kErrSerialHandshake));
  return sent || (showErrors ? FailWithAlert(lastError) : false);
}

uint32_t QvBlockSensors::LaneMask(const QvResults& results, const QvResultFilter* filter) {
  static_assert(2 * kMostLanes + 1 < 32, "2 bits a lane at bit 2 x lane fit the 32-bit word");
  uint32_t mask = 0;
  for (const QvResult* result = results.Iterate(nullptr, filter); result != nullptr;
       result = results.Iterate(result, filter)) {
    int32_t lane = 0;
    // The lane is user-editable text: a lane outside the mask would shift past the word.
    if (!result->AthleteField3().ParseInt(lane) || lane < 1 || lane > kMostLanes) {
      if (KLog* log = KLog::ProgramLog()) {
        KString warning(u"Lane states: lane \"");
        warning.Append(result->AthleteField3()).Append(u"\" is not 1 to ").AppendInt(kMostLanes);
        log->Warning(warning.Append(u" and is left out"));
      }
      continue;
    }
    const uint32_t state = result->IsStatus7() ? 2 : result->Status() != QvResult::kValid ? 1 : 0;
    const int32_t shift = 2 * lane;
    mask = (mask & ~(3u << shift)) | state << shift;
  }
  return mask;
}

bool QvBlockSensors::Exchange(KSerialPort& port, uint16_t destination, uint32_t command,
                              const std::vector<uint32_t>& arguments, uint32_t replyWords,
                              std::vector<uint32_t>& reply) {
  bool exchanged = true;
  try {
    reply = exchange.Exchange(port, destination, command, arguments, replyWords);
  } catch (const KX& failure) {
    exchanged = Fail(failure.Code());
    refusal = exchange.Refusal();
  }
  return exchanged;
}

bool QvBlockSensors::GunTimeAccepted(int32_t gunTimeWord, int32_t expected, bool lastAttempt) {
  // A trial without a gun is asked for as one (expected kNone): its records have none either, and the
  // download says so once, not once a lane.
  if (gunTimeWord == expected) {
    return true;
  }
  if (!lastAttempt) {
    return Fail(kErrSerialReceive);
  }
  if (gunTimeWord == kNone) {
    ReportMissingGun();
  } else {
    Alert(QvSettings::Text(u"\\Strings\\BlockSensor\\Errors\\BadGunTime",
                           u"The gun time of the trial does not match"));
  }
  return true;
}

void QvBlockSensors::ReportMissingGun() const {
  Alert(QvSettings::Text(u"\\Strings\\BlockSensor\\Errors\\InvalidGunTime",
                         u"The trial has no valid gun time"));
}

bool QvBlockSensors::Fail(int32_t code) {
  lastError = code;
  refusal.Clear();
  return false;
}

bool QvBlockSensors::Refuse(const char16_t* what, const KString& why) {
  Fail(kErrSerialReceive);
  refusal = QvPacketExchange::LogRefusal(what, why);
  return false;
}

bool QvBlockSensors::RefuseCount(const char16_t* what, KString lead, int32_t count, const char16_t* counted,
                                 int32_t most) {
  lead.AppendInt(count).AppendChar(u' ').Append(counted).Append(u", where 0 to ").AppendInt(most);
  return Refuse(what, lead.Append(u" are taken"));
}

bool QvBlockSensors::FailWithAlert(int32_t code) {
  Fail(code);
  // A failure because the program ended the wait (an exit asked) is no news for the user.
  const LinkWaitReporter* waits = exchange.WaitReporter();
  if (reporter != nullptr && (waits == nullptr || !waits->WaitsEnd())) {
    reporter->NumberedError(code);
  }
  return false;
}

bool QvBlockSensors::DownloadTrace(KSerialPort& port, uint16_t address, int32_t trialSelector) {
  int32_t firstSample = 0;
  int32_t endSample = 0;
  DownloadWindow(firstSample, endSample);
  // The line's blocks that hold the window; the samples around it are fetched with them and let go.
  constexpr int32_t kBlockSamples = QvPacket::kTraceBlockSamples;
  static_assert(QvTrace::kMaxBlocks * QvTrace::kBlockSize <= QvPacket::kTraceBlocks * kBlockSamples,
                "the line's blocks cover every window a result can hold");
  const int32_t firstBlock = firstSample / kBlockSamples;
  const int32_t endBlock = (endSample + kBlockSamples - 1) / kBlockSamples;
  std::vector<int32_t> channels[2];
  for (int32_t block = firstBlock; block < endBlock; ++block) {
    std::vector<uint32_t> words;
    if (!Exchange(port, address, QvPacket::kTraceBlock,
                  {static_cast<uint32_t>(trialSelector), static_cast<uint32_t>(block)},
                  QvPacket::kTraceBlockWords, words)) {
      return false;
    }
    if (words[0] != static_cast<uint32_t>(block) || words[1] != static_cast<uint32_t>(kBlockSamples)) {
      KString why(u"block ");
      why.AppendInt(block).Append(u" was asked for, block ").AppendInt(static_cast<int32_t>(words[0]));
      why.Append(u" of ").AppendInt(static_cast<int32_t>(words[1])).Append(u" samples came");
      return Refuse(u"trace block", why);
    }
    // Two signed 16-bit samples a word, the earlier in the low half; channel 1's words come first.
    constexpr size_t kWordsPerChannel = kBlockSamples / 2;
    for (size_t i = 0; i < 2 * kWordsPerChannel; ++i) {
      const uint32_t pair = words[2 + i];
      std::vector<int32_t>& channel = channels[i / kWordsPerChannel];
      channel.push_back(static_cast<int16_t>(pair & 0xFFFF));
      channel.push_back(static_cast<int16_t>(pair >> 16));
    }
  }
  const auto before = static_cast<std::ptrdiff_t>(firstSample - firstBlock * kBlockSamples);
  const auto length = static_cast<std::ptrdiff_t>(endSample - firstSample);
  for (int32_t i = 0; i < 2; ++i) {
    traceChannels[i].assign(channels[i].begin() + before, channels[i].begin() + before + length);
  }
  traceFirstSample = firstSample;
  return true;
}

void QvBlockSensors::ClearTrace() {
  traceFirstSample = 0;
  traceChannels[0].clear();
  traceChannels[1].clear();
}

void QvBlockSensors::ShowDownloading(int32_t lane, int32_t attempt) const {
  KString text;
  AppendSetting(text, u"\\Strings\\Chart\\Downloading", u"Downloading");
  text.Append(u" ");
  AppendSetting(text, u"\\Strings\\Chart\\Lane", u"Lane");
  text.Append(u" ").AppendInt(lane);
  if (attempt >= 1) {
    text.Append(u" ");
    AppendSetting(text, u"\\Strings\\Event\\Results\\Retries", u"Retries");
    text.Append(u" ").AppendInt(attempt);
  }
  Report(text);
}

void QvBlockSensors::Report(const KString& text) const {
  if (reporter != nullptr) {
    reporter->StatusText(text);
  }
}

void QvBlockSensors::Alert(const KString& text) const {
  if (reporter != nullptr) {
    reporter->Error(text);
  }
}
