#include "devices/qvscoreboard.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "devices/qvscoreboards.h"
#include "devices/scoreboardrenderer.h"
#include "foundation/klog.h"
#include "foundation/kmutex.h"
#include "foundation/krbool.h"
#include "foundation/kregistry.h"
#include "foundation/krint.h"
#include "foundation/krstring.h"
#include "foundation/ktime.h"
#include "foundation/kx.h"
#include "model/qvevent.h"
#include "model/qvresults.h"
#include "model/yleg.h"
#include "model/ywind.h"

namespace {

// A page stays at least one task period.
constexpr int32_t kShortestPageTime = 100;
// The longest a board's line may hold up a write: the task holds the boards' mutex for its whole tick, and
// the GUI waits on that mutex, so a stuck line is given up on quickly (and tried again on a request).
constexpr int32_t kWriteTimeoutMs = 50;

int32_t IntSetting(const KRGroup& entry, const char16_t* name, int32_t fallback) {
  const KRInt* node = KRegistry::GetInt(&entry, KString(name));
  return node != nullptr ? node->Value() : fallback;
}

// Flags may be stored as Bool or as Int settings.
bool FlagSetting(const KRGroup& entry, const char16_t* name, bool fallback) {
  if (const KRBool* node = KRegistry::GetBool(&entry, KString(name))) {
    return node->Value();
  }
  return IntSetting(entry, name, fallback ? 1 : 0) != 0;
}

// Reads a whole script file; false when it cannot be read or is longer than a script may be.
bool ReadScriptFile(const KString& path, std::string& text) {
  std::ifstream file(path.ToUtf8(), std::ios::binary);
  if (!file) {
    return false;
  }
  text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

}  // namespace

QvScoreboard::Settings QvScoreboard::Settings::Read(const KRGroup& entry) {
  Settings settings;
  settings.name = KRegistry::GetString(&entry, KString(u"Name"));
  settings.portSettings = KRegistry::GetString(&entry, KString(u"SerialPort"));
  settings.codeSet = std::clamp(IntSetting(entry, u"CharMode", 0), 0, ScoreboardScript::kCodeSetCount - 1);
  settings.minUpdateDelay = std::max(0, IntSetting(entry, u"MinUpdateDelay", 0));
  settings.resultsMode = IntSetting(entry, u"ResultsMode", kResultsOff);
  settings.sendPlace = FlagSetting(entry, u"SendPlace", false);
  settings.pageMode = FlagSetting(entry, u"PageMode", true);
  settings.pageSize = std::max(1, IntSetting(entry, u"PageSize", 1));
  settings.pageTime = std::max(kShortestPageTime, IntSetting(entry, u"PageTime", 5000));
  settings.includeFirst = FlagSetting(entry, u"IncludeFirst", false);
  settings.affiliationAbbreviated = FlagSetting(entry, u"AffilAbbr", false);
  return settings;
}

QvScoreboard::QvScoreboard(QvScoreboards& owner, KRGroup& entry, const KString& scriptPath)
    : owner(owner), entry(entry), settings(Settings::Read(entry)) {
  std::string text;
  const KString scriptName = KRegistry::GetString(&entry, KString(u"Script"));
  if (scriptPath.IsEmpty()) {
    KString what(u"no script named \"");
    what.Append(scriptName).Append(u"\"");
    Log(what);
  } else if (!ReadScriptFile(scriptPath, text)) {
    KString what(u"cannot read the script ");
    what.Append(scriptPath);
    Log(what);
  } else {
    std::vector<std::string> problems;
    script = ScoreboardScript::Parse(text, problems);
    for (const std::string& problem : problems) {
      KString what(u"script ");
      what.Append(scriptName).Append(u", ").Append(KString::FromUtf8(problem));
      Log(what);
    }
  }
  portNode = KRegistry::GetStringNode(&entry, KString(u"SerialPort"));
  if (portNode != nullptr) {
    portNode->SetCallback(&QvScoreboard::PortSettingChanged, this);
  }
}

QvScoreboard::~QvScoreboard() {
  if (portNode != nullptr) {
    portNode->SetCallback(nullptr, nullptr);
  }
}

void QvScoreboard::Log(const KString& what) const {
  if (KLog* log = KLog::ProgramLog()) {
    KString line(u"QvScoreboard ");
    line.Append(settings.name).Append(u": ").Append(what);
    log->Error(line);
  }
}

bool QvScoreboard::PortSettingChanged(KRString* node, const KString& text, void* board) {
  node->SetText(text);
  auto* self = static_cast<QvScoreboard*>(board);
  self->owner.RequestReopen(*self, text);
  return true;
}

void QvScoreboard::ReloadSettings() {
  const KString portSettings = settings.portSettings;
  settings = Settings::Read(entry);
  // The port follows its own request, so that a change is not taken twice.
  settings.portSettings = portSettings;
}

void QvScoreboard::SetPortSettings(const KString& text) {
  pendingPortSettings = text;
  reopenPending = true;
}

bool QvScoreboard::OpenPort() {
  int32_t portNumber = 0;
  KSerialPort::ParsePort(settings.portSettings, portNumber);
  if (portNumber == 0) {
    return false;  // a board without a port is simply not running
  }
  try {
    port.OpenSettings(settings.portSettings, KSerialPort::kWrite);
    port.SetTimeout(kWriteTimeoutMs);
  } catch (const KX& failure) {
    KString what(u"cannot open port ");
    what.Append(settings.portSettings).Append(u", error ");
    what.AppendInt(failure.Code());
    Log(what);
    return false;
  }
  return true;
}

void QvScoreboard::Serve(uint32_t now, const ScoreboardRequests& requests, const QvEvent* event) {
  if (!mutex.Lock(1)) {
    return;
  }
  const KMutexHold hold(mutex);

  bool justOpened = false;
  const bool retry = requests.Any() || reopenPending || !openTried;
  if (reopenPending) {
    settings.portSettings = pendingPortSettings;
    reopenPending = false;
    port.Close();
  }
  if (!port.IsOpen()) {
    if (!retry) {
      return;
    }
    openTried = true;
    if (!OpenPort()) {
      return;
    }
    justOpened = true;
  }

  std::string bytes;
  const ScoreboardFields noFields;
  if (justOpened || requests.initialize) {
    SendSection(ScoreboardScript::kInitialization, noFields, bytes);
    Transmit(now, bytes);
  }
  if (justOpened || requests.initialize || requests.invalidate) {
    RestartResults(now, !justOpened);
    messageShown = false;
    lastTimeSecond = -1;
  }
  if (requests.showMessage && port.IsOpen()) {
    bytes.clear();
    SendSection(ScoreboardScript::kMessageHeader, noFields, bytes);
    for (const KString& line : requests.message) {
      ScoreboardFields fields;
      fields.message = line;
      SendSection(ScoreboardScript::kMessage, fields, bytes);
    }
    SendSection(ScoreboardScript::kMessageTrailer, noFields, bytes);
    Transmit(now, bytes);
    messageShown = !requests.message.empty();
  }

  const QvResults* results =
      event != nullptr && event->GetLegCount() > 0 ? &event->Leg(0)->Results() : nullptr;
  const uint32_t changeCount = results != nullptr ? results->ChangeCount() : 0;
  if (event != shownEvent || changeCount != shownChangeCount) {
    shownEvent = event;
    shownChangeCount = changeCount;
    if (settings.resultsMode == kResultsAutomatic) {
      RestartResults(now, false);
      messageShown = false;
    } else {
      pagingActive = false;
    }
  }
  if (messageShown || !port.IsOpen()) {
    return;
  }
  if (requests.timeOfDay && DelayPassed(now)) {
    const int32_t second = requests.now.MillisecondOfDay() / 1000;
    if (second != lastTimeSecond || requests.twentyFourHours != lastTwentyFourHours) {
      lastTimeSecond = second;
      lastTwentyFourHours = requests.twentyFourHours;
      ScoreboardFields fields;
      fields.timeOfDay = ScoreboardRenderer::TimeOfDayText(requests.now, requests.twentyFourHours);
      bytes.clear();
      SendSection(ScoreboardScript::kTimeOfDay, fields, bytes);
      Transmit(now, bytes);
    }
  }
  // Without an event there is nothing to page, not even an empty page.
  if (pagingActive && event != nullptr && KTickDifference(now, pageDue) >= 0 && DelayPassed(now) &&
      port.IsOpen()) {
    SendPage(now, event);
  }
}

void QvScoreboard::RestartResults(uint32_t now, bool manualToo) {
  pagingActive =
      settings.resultsMode == kResultsAutomatic || (manualToo && settings.resultsMode == kResultsManual);
  nextPage = 0;
  pageDue = now;
}

bool QvScoreboard::DelayPassed(uint32_t now) const {
  return !hasOutput || KTickDifference(now, lastOutputTick) >= settings.minUpdateDelay;
}

void QvScoreboard::SendSection(ScoreboardScript::Section section, const ScoreboardFields& fields,
                               std::string& bytes) const {
  const ScoreboardRenderer renderer(settings.codeSet, settings.sendPlace, settings.affiliationAbbreviated);
  renderer.Render(script.Commands(section), fields, bytes);
}

void QvScoreboard::Order(const QvResults& results, std::vector<const QvResult*>& ordered,
                         std::vector<int32_t>& places) {
  ordered.clear();
  places.clear();
  std::vector<const QvResult*> others;
  for (const QvResult* result = results.Iterate(nullptr, nullptr); result != nullptr;
       result = results.Iterate(result, nullptr)) {
    const bool placed = result->Status() == QvResult::kValid && result->GetMainTime(nullptr).HasResolution();
    (placed ? ordered : others).push_back(result);
  }
  std::stable_sort(ordered.begin(), ordered.end(), [](const QvResult* a, const QvResult* b) {
    return a->GetMainTime(nullptr) < b->GetMainTime(nullptr);
  });
  for (size_t i = 0; i < ordered.size(); ++i) {
    const bool tied = i > 0 && ordered[i]->GetMainTime(nullptr) == ordered[i - 1]->GetMainTime(nullptr);
    places.push_back(tied ? places.back() : static_cast<int32_t>(i) + 1);
  }
  ordered.insert(ordered.end(), others.begin(), others.end());
  places.resize(ordered.size(), 0);
}

std::vector<int32_t> QvScoreboard::PageRows(int32_t resultCount, int32_t page, int32_t pageSize,
                                            bool includeFirst) {
  std::vector<int32_t> rows;
  pageSize = std::max(1, pageSize);
  if (page < 0) {
    return rows;
  }
  int64_t first = static_cast<int64_t>(page) * pageSize;
  int32_t take = pageSize;
  if (includeFirst && pageSize >= 2 && page > 0) {
    // Later pages repeat the leader and fill the rest with the next results.
    first = pageSize + static_cast<int64_t>(page - 1) * (pageSize - 1);
    take = pageSize - 1;
    if (first < resultCount) {
      rows.push_back(0);
    }
  }
  for (int64_t row = first; row < first + take && row < resultCount; ++row) {
    rows.push_back(static_cast<int32_t>(row));
  }
  return rows;
}

void QvScoreboard::SendPage(uint32_t now, const QvEvent* event) {
  std::vector<const QvResult*> ordered;
  std::vector<int32_t> places;
  if (event != nullptr && event->GetLegCount() > 0) {
    Order(event->Leg(0)->Results(), ordered, places);
  }
  const int32_t count = static_cast<int32_t>(ordered.size());
  const int32_t pageSize = settings.pageMode ? settings.pageSize : std::max(1, count);
  std::vector<int32_t> rows = PageRows(count, nextPage, pageSize, settings.includeFirst);

  ScoreboardFields pageFields;
  if (event != nullptr && event->GetWindCount() > 0 && event->Wind(0)->HasUnits()) {
    event->Wind(0)->Format(pageFields.wind);
  }
  std::string bytes;
  SendSection(ScoreboardScript::kResultsHeader, pageFields, bytes);
  for (const int32_t row : rows) {
    ScoreboardFields fields;
    fields.result = ordered[row];
    fields.place = places[row];
    fields.wind = pageFields.wind;
    SendSection(ScoreboardScript::kResult, fields, bytes);
  }
  SendSection(ScoreboardScript::kResultsTrailer, pageFields, bytes);
  if (!pageFields.wind.IsEmpty()) {
    SendSection(ScoreboardScript::kWind, pageFields, bytes);
  }
  Transmit(now, bytes);

  const bool morePages = !PageRows(count, nextPage + 1, pageSize, settings.includeFirst).empty();
  if (morePages) {
    ++nextPage;
  } else if (settings.resultsMode == kResultsAutomatic && nextPage > 0) {
    nextPage = 0;  // automatic paging starts again with the first page
  } else {
    pagingActive = false;
  }
  pageDue = now + static_cast<uint32_t>(settings.pageTime);
}

void QvScoreboard::Transmit(uint32_t now, const std::string& bytes) {
  if (bytes.empty() || !port.IsOpen()) {
    return;
  }
  try {
    port.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
  } catch (const KX& failure) {
    // The port went away: the board stays closed until the next request tries it again.
    KString what(u"cannot send, error ");
    what.AppendInt(failure.Code());
    Log(what);
    port.Close();
    return;
  }
  hasOutput = true;
  lastOutputTick = now;
}
