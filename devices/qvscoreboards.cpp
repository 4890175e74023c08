#include "devices/qvscoreboards.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "devices/settingsentrylist.h"
#include "foundation/kmutex.h"
#include "foundation/kregistry.h"
#include "foundation/krstring.h"
#include "model/qvevent.h"
#include "model/qvsettings.h"

namespace {

constexpr const char16_t* kScriptGroup = u"Scripts";
constexpr const char16_t* kScriptsPath = u"\\Scoreboards\\Scripts";
constexpr std::u16string_view kScriptExtension = u".lss";
constexpr int32_t kLockTryMs = 1;

const SettingsEntryList& Entries() {
  static const SettingsEntryList entries(u"\\Scoreboards", u"Board", kScriptGroup);
  return entries;
}

KRGroup* ScriptGroup() {
  return KRegistry::GetGroup(QvSettings::Root(), KString(kScriptsPath));
}

bool IsScriptName(const KString& name) {
  const int32_t extension = static_cast<int32_t>(kScriptExtension.size());
  if (name.Length() <= extension) {
    return false;
  }
  const KString tail(name.Data() + name.Length() - extension, extension);
  return KString::EqualsNoCase(tail, KString(kScriptExtension.data(), extension));
}

// The path of the script the entry names, from the list made at start; empty when it is not listed.
KString ScriptPath(const KRGroup& entry) {
  const KString& name = KRegistry::GetString(&entry, KString(u"Script"));
  const KRGroup* scripts = ScriptGroup();
  const auto* node =
      scripts != nullptr && !name.IsEmpty() ? dynamic_cast<const KRString*>(scripts->Child(name)) : nullptr;
  return node != nullptr ? node->Value() : KString();
}

}  // namespace

void QvScoreboards::Setup(const KString& folder) {
  KRegistry* root = QvSettings::Root();
  if (root == nullptr) {
    return;
  }
  KRGroup* list = SettingsEntryList::EnsureGroup(*root, KString(u"Scoreboards"));
  KRGroup* scripts = list != nullptr ? SettingsEntryList::EnsureGroup(*list, KString(kScriptGroup)) : nullptr;
  if (scripts == nullptr) {
    return;
  }
  scripts->SetSaved(false);  // found again at every start
  std::vector<std::filesystem::path> found;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(folder.ToUtf8(), error)) {
    if (item.is_regular_file(error) && IsScriptName(KString::FromUtf8(item.path().filename().string()))) {
      found.push_back(item.path());
    }
  }
  std::sort(found.begin(), found.end());
  for (const auto& path : found) {
    if (scripts->Child(KString::FromUtf8(path.filename().string())) != nullptr) {
      continue;  // listed by an earlier set-up
    }
    auto node = std::make_unique<KRString>();
    node->SetName(KString::FromUtf8(path.filename().string()));
    node->SetText(KString::FromUtf8(path.string()));
    scripts->AddChild(std::move(node));
  }
}

int32_t QvScoreboards::Count() {
  return Entries().Count();
}

KRGroup* QvScoreboards::GetNth(int32_t index) {
  return Entries().GetNth(index);
}

KRGroup* QvScoreboards::NewEntry() {
  KRGroup* entry = Entries().NewEntry();
  if (entry == nullptr) {
    return nullptr;
  }
  KString name(u"Name:String=");
  name.Append(QvSettings::Text(u"\\Strings\\Scoreboards\\DefaultName", u"Scoreboard"));
  KRegistry::AddLine(entry, name);
  KString port(u"SerialPort:String=");
  port.Append(kDefaultPortSettings);
  static constexpr const char16_t* kDefaults[] = {
      u"Script:String=",      u"CharMode:Int=0",  u"MinUpdateDelay:Int=0", u"ResultsMode:Int=0",
      u"SendPlace:Int=0",     u"PageMode:Int=1",  u"PageSize:Int=1",       u"PageTime:Int=5000",
      u"IncludeFirst:Bool=0", u"AffilAbbr:Bool=0"};
  KRegistry::AddLine(entry, KString(kDefaults[0]));
  KRegistry::AddLine(entry, port);
  for (size_t i = 1; i < std::size(kDefaults); ++i) {
    KRegistry::AddLine(entry, KString(kDefaults[i]));
  }
  return entry;
}

KRNode* QvScoreboards::Find(const KRNode* previous) {
  const KRGroup* scripts = ScriptGroup();
  return scripts != nullptr ? scripts->NextChild(previous) : nullptr;
}

void QvScoreboards::SetTimeOfDaySource(TimeOfDaySource source) {
  timeOfDaySource = source;
}

QvScoreboards::QvScoreboards() {
  for (int32_t index = 0; KRGroup* entry = GetNth(index); ++index) {
    if (!entry->IsDeleted()) {
      boards.push_back(std::make_unique<QvScoreboard>(*this, *entry, ScriptPath(*entry)));
    }
  }
  Start(kPeriodMs, kPriority, 0);
  Resume();
}

QvScoreboards::~QvScoreboards() {
  Stop();
}

bool QvScoreboards::ListensTo(const KRGroup* entry) const {
  const KRString* node = entry != nullptr ? KRegistry::GetStringNode(entry, KString(u"SerialPort")) : nullptr;
  return std::any_of(boards.begin(), boards.end(),
                     [node](const auto& board) { return board->ListensTo(node); });
}

void QvScoreboards::RequestStop() {
  mutex.Lock();
  const KMutexHold hold(mutex);
  pending.initialize = true;
  for (auto& board : boards) {
    board->ReloadSettings(ScriptPath(board->Entry()));
  }
}

void QvScoreboards::InvalidateAll() {
  mutex.Lock();
  const KMutexHold hold(mutex);
  pending.invalidate = true;
}

void QvScoreboards::SetFlag1(bool on) {
  mutex.Lock();
  const KMutexHold hold(mutex);
  pending.timeOfDay = on;
}

bool QvScoreboards::GetFlag1() {
  mutex.Lock();
  const KMutexHold hold(mutex);
  return pending.timeOfDay;
}

void QvScoreboards::SetFlag2(bool on) {
  mutex.Lock();
  const KMutexHold hold(mutex);
  pending.twentyFourHours = on;
}

bool QvScoreboards::GetFlag2() {
  mutex.Lock();
  const KMutexHold hold(mutex);
  return pending.twentyFourHours;
}

void QvScoreboards::SendMessage(const KString& text) {
  std::vector<KString> lines;
  KString line;
  for (int32_t i = 0; i <= text.Length(); ++i) {
    const char16_t c = i < text.Length() ? text[i] : u'\n';
    if (c == u'\r' || c == u'\n') {
      // CR LF ends one line.
      if (c == u'\r' && i + 1 < text.Length() && text[i + 1] == u'\n') {
        ++i;
      }
      lines.push_back(line);
      line.Clear();
    } else {
      line.AppendChar(c);
    }
  }
  // Line ends after the last text make no empty message lines.
  while (!lines.empty() && lines.back().IsEmpty()) {
    lines.pop_back();
  }
  mutex.Lock();
  const KMutexHold hold(mutex);
  pending.message = std::move(lines);
}

void QvScoreboards::ListMessages(KString& text) {
  mutex.Lock();
  const KMutexHold hold(mutex);
  for (size_t i = 0; i < pending.message.size(); ++i) {
    if (i > 0) {
      text.Append(u"\r\n");
    }
    text.Append(pending.message[i]);
  }
}

void QvScoreboards::RequestClear() {
  mutex.Lock();
  const KMutexHold hold(mutex);
  pending.showMessage = true;
}

QvEvent* QvScoreboards::GetCurrentEvent() {
  mutex.Lock();
  const KMutexHold hold(mutex);
  return currentEvent;
}

void QvScoreboards::SetCurrentEvent(QvEvent* event) {
  mutex.Lock();
  const KMutexHold hold(mutex);
  currentEvent = event;
}

void QvScoreboards::RequestReopen(QvScoreboard& board, const KString& settings) {
  mutex.Lock();
  const KMutexHold hold(mutex);
  board.SetPortSettings(settings);
}

void QvScoreboards::Tick(uint32_t tickCount) {
  if (!mutex.Lock(kLockTryMs)) {
    return;
  }
  const KMutexHold hold(mutex);
  QvEvent* event = currentEvent;
  if (event != nullptr && !event->Mutex().Lock(kLockTryMs)) {
    return;  // the event is being changed: the requests wait for the next tick
  }
  pending.now = timeOfDaySource != nullptr ? timeOfDaySource() : KDateTime(1);
  for (auto& board : boards) {
    board->Serve(tickCount, pending, event);
  }
  if (event != nullptr) {
    event->Mutex().Unlock();
  }
  // The writes wait for a slow line up to its time-out; the event is free by then.
  for (auto& board : boards) {
    board->Flush();
  }
  pending.initialize = false;
  pending.invalidate = false;
  pending.showMessage = false;
}
