#include "devices/qvscoreboard.h"

#include <algorithm>

#include "devices/qvscoreboards.h"
#include "devices/scoreboardrenderer.h"
#include "foundation/klog.h"
#include "foundation/kmutex.h"
#include "foundation/kregistry.h"
#include "foundation/krstring.h"
#include "foundation/ktime.h"
#include "foundation/kx.h"
#include "model/qvevent.h"
#include "model/qvresults.h"
#include "model/qvsettings.h"
#include "model/yleg.h"
#include "model/ywind.h"

namespace {

// A page stays at least one task period.
constexpr int32_t kShortestPageTime = 100;
// The longest a board's line may hold up a write: the task holds the boards' mutex for its whole tick, and
// the GUI waits on that mutex, so a stuck line is given up on quickly (and tried again on a request).
constexpr int32_t kWriteTimeoutMs = 50;

using Outside = QvSettings::Outside;
// A length of time in milliseconds or a count that has no upper bound.
constexpr QvSettings::Range<int32_t> AtLeast(int32_t lowest) {
  return {lowest, INT32_MAX, Outside::kNearestEnd};
}

}  // namespace

QvScoreboard::Settings QvScoreboard::Settings::Read(const KRGroup& entry) {
  Settings settings;
  settings.name = KRegistry::GetString(&entry, KString(u"Name"));
  settings.portSettings = KRegistry::GetString(&entry, KString(u"SerialPort"));
  settings.codeSet =
      QvSettings::Int(entry, u"CharMode", 0, {0, ScoreboardScript::kCodeSetCount - 1, Outside::kNearestEnd});
  settings.minUpdateDelay = QvSettings::Int(entry, u"MinUpdateDelay", 0, AtLeast(0));
  settings.resultsMode = QvSettings::Int(entry, u"ResultsMode", kResultsOff, {kResultsOff, kResultsManual});
  settings.sendPlace = QvSettings::Switch(entry, u"SendPlace", false);
  settings.pageMode = QvSettings::Switch(entry, u"PageMode", true);
  settings.pageSize = QvSettings::Int(entry, u"PageSize", 1, AtLeast(1));
  settings.pageTime = QvSettings::Int(entry, u"PageTime", 5000, AtLeast(kShortestPageTime));
  settings.includeFirst = QvSettings::Switch(entry, u"IncludeFirst", false);
  settings.affiliationAbbreviated = QvSettings::Switch(entry, u"AffilAbbr", false);
  return settings;
}

QvScoreboard::QvScoreboard(QvScoreboards& owner, KRGroup& entry, const KString& scriptPath)
    : owner(owner), entry(entry), settings(Settings::Read(entry)) {
  script = LoadScript(scriptPath);
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

ScoreboardScript QvScoreboard::LoadScript(const KString& scriptPath) const {
  const KString scriptName = KRegistry::GetString(&entry, KString(u"Script"));
  std::string text;
  if (scriptPath.IsEmpty()) {
    KString what(u"no script named \"");
    what.Append(scriptName).Append(u"\"");
    Log(what);
    return ScoreboardScript();
  }
  if (!ScoreboardScript::ReadFile(scriptPath.ToUtf8(), text)) {
    KString what(u"cannot read the script ");
    what.Append(scriptPath);
    Log(what);
    return ScoreboardScript();
  }
  std::vector<std::string> problems;
  ScoreboardScript parsed = ScoreboardScript::Parse(text, problems);
  for (const std::string& problem : problems) {
    KString what(u"script ");
    what.Append(scriptName).Append(u", ").Append(KString::FromUtf8(problem));
    Log(what);
  }
  return parsed;
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

void QvScoreboard::ReloadSettings(const KString& scriptPath) {
  const KString portSettings = settings.portSettings;
  settings = Settings::Read(entry);
  // The port follows its own request, so that a change is not taken twice.
  settings.portSettings = portSettings;
  script = LoadScript(scriptPath);
}

void QvScoreboard::SetPortSettings(const KString& text) {
  // The options dialog stores every field on OK; only a real change reopens (and initialises) the board.
  pendingPortSettings = text;
  reopenPending = text != settings.portSettings;
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

  const ScoreboardFields noFields;
  const bool refresh = requests.initialize || requests.invalidate;
  if (justOpened || requests.initialize) {
    std::string bytes;
    SendSection(ScoreboardScript::kInitialization, noFields, bytes);
    Queue(now, bytes);
  }
  if (justOpened || refresh) {
    // Initialize and Refresh start a manual board's pages whether or not the port had to be opened; a
    // port opened without a request (at start, after a port change) starts automatic paging only.
    resultsAsked = resultsAsked || refresh;
    ShowAgain(now, refresh);
  }
  if (requests.showMessage) {
    std::string bytes;
    SendSection(ScoreboardScript::kMessageHeader, noFields, bytes);
    for (const KString& line : requests.message) {
      ScoreboardFields fields;
      fields.message = line;
      SendSection(ScoreboardScript::kMessage, fields, bytes);
    }
    SendSection(ScoreboardScript::kMessageTrailer, noFields, bytes);
    Queue(now, bytes);
    if (requests.message.empty()) {
      // The empty message ends the one shown, and the board at once shows what the message covered: its
      // results from the first page (a manual board's once the operator has asked for them) and the time.
      ShowAgain(now, resultsAsked);
    } else {
      messageShown = true;
    }
  }
  FollowResults(now, event);
  if (!messageShown) {
    ServeTurns(now, requests, event);
  }
}

void QvScoreboard::FollowResults(uint32_t now, const QvEvent* event) {
  const QvResults* results =
      event != nullptr && event->GetLegCount() > 0 ? &event->Leg(0)->Results() : nullptr;
  const uint32_t changeCount = results != nullptr ? results->ChangeCount() : 0;
  if (event == shownEvent && changeCount == shownChangeCount) {
    return;
  }
  shownEvent = event;
  shownChangeCount = changeCount;
  // An automatic board starts again from the first page with every new download. A manual run, started
  // by a Refresh, goes on to its last page showing the results as they are now: a change never stops it.
  if (settings.resultsMode == kResultsAutomatic) {
    RestartResults(now, false);
    messageShown = false;
  }
}

void QvScoreboard::ServeTurns(uint32_t now, const ScoreboardRequests& requests, const QvEvent* event) {
  // Output that comes due before the update delay has passed waits. When a page and the time of day both
  // wait, the one that did not go out last goes first, so neither shuts the other out.
  const bool pageFirst = timeOfDayWentLast;
  for (const bool pageTurn : {pageFirst, !pageFirst}) {
    if (!DelayPassed(now)) {
      return;
    }
    if (pageTurn && PageIsDue(now, event)) {
      SendPage(now, event);
    } else if (!pageTurn && TimeOfDayIsDue(requests)) {
      SendTimeOfDay(now, requests);
    }
  }
}

bool QvScoreboard::PageIsDue(uint32_t now, const QvEvent* event) const {
  // Without an event there is nothing to page, not even an empty page.
  return pagingActive && event != nullptr && KTickDifference(now, pageDue) >= 0;
}

bool QvScoreboard::TimeOfDayIsDue(const ScoreboardRequests& requests) const {
  const int32_t second = requests.now.MillisecondOfDay() / 1000;
  return requests.timeOfDay && (second != lastTimeSecond || requests.twentyFourHours != lastTwentyFourHours);
}

void QvScoreboard::SendTimeOfDay(uint32_t now, const ScoreboardRequests& requests) {
  lastTimeSecond = requests.now.MillisecondOfDay() / 1000;
  lastTwentyFourHours = requests.twentyFourHours;
  ScoreboardFields fields;
  fields.timeOfDay = ScoreboardRenderer::TimeOfDayText(requests.now, requests.twentyFourHours);
  std::string bytes;
  SendSection(ScoreboardScript::kTimeOfDay, fields, bytes);
  Queue(now, bytes);
  timeOfDayWentLast = true;
}

void QvScoreboard::ShowAgain(uint32_t now, bool manualToo) {
  RestartResults(now, manualToo);
  messageShown = false;
  lastTimeSecond = -1;
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
    // A lane not in use has no competitor: whatever an older document left in it is nobody's result.
    if (result->IsStatus7()) {
      continue;
    }
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
    // Later pages repeat the first result in board order and fill the rest with the next results.
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
  if (rows.empty() && nextPage > 0) {
    // The results shrank under a running manual sequence: its last page has already been shown.
    pagingActive = false;
    return;
  }

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
  Queue(now, bytes);

  const bool morePages = !PageRows(count, nextPage + 1, pageSize, settings.includeFirst).empty();
  if (morePages) {
    ++nextPage;
  } else if (settings.resultsMode == kResultsAutomatic && nextPage > 0) {
    nextPage = 0;  // automatic paging starts again with the first page
  } else {
    pagingActive = false;
  }
  pageDue = now + static_cast<uint32_t>(settings.pageTime);
  timeOfDayWentLast = false;
}

void QvScoreboard::Queue(uint32_t now, const std::string& bytes) {
  if (bytes.empty() || !port.IsOpen()) {
    return;
  }
  outgoing.append(bytes);
  hasOutput = true;
  lastOutputTick = now;
}

void QvScoreboard::Flush() {
  if (!mutex.Lock(1)) {
    return;  // the output stays for the next tick
  }
  const KMutexHold hold(mutex);
  if (outgoing.empty()) {
    return;
  }
  std::string bytes;
  bytes.swap(outgoing);
  if (!port.IsOpen()) {
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
  }
}
