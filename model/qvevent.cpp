#include "model/qvevent.h"

#include <sys/stat.h>
#include <algorithm>
#include <new>
#include <vector>

#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "foundation/kmemorystream.h"
#include "foundation/kpersistent.h"
#include "foundation/kregistry.h"
#include "foundation/krstring.h"
#include "foundation/ktime.h"
#include "foundation/kx.h"
#include "model/qvchange.h"
#include "model/qveventschedule.h"
#include "model/qvnotification.h"
#include "model/qvresult.h"
#include "model/qvresultfilter.h"
#include "model/qvresults.h"
#include "model/qvsettings.h"
#include "model/yleg.h"
#include "model/ystart.h"
#include "model/ywind.h"

namespace {

constexpr const char16_t* kDirectoryPath = u"\\Event\\Directory";
// Larger files are no document: one with the most legs and results, all with full traces, stays below 70 MB.
constexpr int64_t kMaxFileSize = int64_t{256} << 20;

// Appends a number text zero-padded to `width` digits; other texts stay as they are.
void AppendPadded(KString& text, const KString& number, int32_t width) {
  int32_t value = 0;
  if (number.ParseInt(value) && value >= 0) {
    for (int32_t i = number.Length(); i < width; ++i) {
      text.AppendChar(u'0');
    }
  }
  text.Append(number);
}

// The length of a file name without extension once a trailing "-FS<digits>" is taken off.
int32_t SeriesLength(const KString& name) {
  int32_t at = name.Length();
  while (at > 0 && name[at - 1] >= u'0' && name[at - 1] <= u'9') {
    --at;
  }
  const int32_t marker = at - 3;
  const bool copy = at < name.Length() && marker >= 0 && name[marker] == u'-' && name[marker + 1] == u'F' &&
                    name[marker + 2] == u'S';
  return copy ? marker : name.Length();
}

bool InRange(int32_t value, int32_t low, int32_t high) {
  return value >= low && value <= high;
}

// The ranges a stored date and time keeps; they also keep the millisecond of the day within 32 bits.
bool IsStorable(const KDateTime& when) {
  return InRange(when.year, 0, 9999) && InRange(when.month, 0, 12) && InRange(when.dayOfWeek, 0, 6) &&
         InRange(when.day, 0, 31) && InRange(when.hour, 0, 23) && InRange(when.minute, 0, 59) &&
         InRange(when.second, 0, 59) && InRange(when.millisecond, 0, 999);
}

template <typename T>
T* ItemAt(const KList& list, int32_t index) {
  return static_cast<T*>(list.Item(index));
}

// Moves the items of a list read for another owner to `list` and makes `owner` their owner.
template <typename T>
void Adopt(KList& list, KList& from, KMessageObject* owner) {
  list.Clear();
  list.TakeAll(from);
  for (KListItem* item = list.Next(nullptr); item != nullptr; item = list.Next(item)) {
    static_cast<T*>(item)->SetOwner(owner);
  }
}

// The leg a message concerns: its sender or an owner of its sender.
YLeg* LegOf(KMessageObject* sender) {
  for (KMessageObject* object = sender; object != nullptr; object = object->Owner()) {
    if (auto* leg = dynamic_cast<YLeg*>(object)) {
      return leg;
    }
  }
  return nullptr;
}

}  // namespace

QvEvent::QvEvent(Kind kind)
    : kind(kind),
      infoBlock(1),
      lastRunClock(YTime::kNoMilliseconds),
      lastRunGun(YTime::kNoMilliseconds),
      view(this) {}

QvEvent::~QvEvent() = default;

const char16_t* QvEvent::Extension() const {
  return kind == kWorkout ? u"qvw" : u"qve";
}

int32_t QvEvent::NewFromSchedule(int32_t flag, int32_t unused) {
  NewStart();
  NewWind();
  NewLeg();
  needsName = true;
  QvEventSchedule* schedule = QvEventSchedule::Registered();
  return schedule != nullptr ? schedule->FillNewEvent(*this, flag, unused) : 0;
}

YStart* QvEvent::GetStart(int32_t index) const {
  return ItemAt<YStart>(starts, index);
}
YWind* QvEvent::Wind(int32_t index) const {
  return ItemAt<YWind>(winds, index);
}
YLeg* QvEvent::Leg(int32_t index) const {
  return ItemAt<YLeg>(legs, index);
}

YStart* QvEvent::NewStart() {
  if (starts.Count() >= kMaxStarts) {
    return nullptr;
  }
  QvChange change(this, kQvStructure);
  auto* start = new YStart(this);
  starts.Add(start);
  return start;
}

YWind* QvEvent::NewWind() {
  if (winds.Count() >= kMaxWinds) {
    return nullptr;
  }
  QvChange change(this, kQvStructure);
  auto* wind = new YWind(this);
  winds.Add(wind);
  return wind;
}

YLeg* QvEvent::NewLeg() {
  if (legs.Count() >= kMaxLegs) {
    return nullptr;
  }
  QvChange change(this, kQvStructure);
  auto* leg = new YLeg(this);
  legs.Add(leg);
  return leg;
}

void QvEvent::SetTitle(const KString& text) {
  QvChange change(this, kQvEventTexts);
  title = text;
}

void QvEvent::SetEventRoundHeat(const KString& event, const KString& round, const KString& heat) {
  QvChange change(this, kQvEventTexts);
  eventNumber = event;
  roundNumber = round;
  heatNumber = heat;
}

bool QvEvent::HasEventRoundHeat() const {
  return !eventNumber.IsEmpty() && !roundNumber.IsEmpty() && !heatNumber.IsEmpty();
}

bool QvEvent::GetEventRoundHeatText(KString& text) const {
  if (!HasEventRoundHeat()) {
    return false;
  }
  const bool pad = QvSettings::Bool(u"\\Event\\PadEventRoundHeat", false);
  AppendPadded(text, eventNumber, pad ? 3 : 0);
  text.AppendChar(u'-');
  text.Append(roundNumber);
  text.AppendChar(u'-');
  AppendPadded(text, heatNumber, pad ? 2 : 0);
  return true;
}

bool QvEvent::SetInfoBlock(const KDateTime& when) {
  // A date the file could not take back is not taken, so a saved document always opens again.
  if (!IsStorable(when)) {
    return false;
  }
  QvChange change(this, kQvEventTime);
  infoBlock = when;
  return true;
}

void QvEvent::GetRunTime(int32_t clockWord, int32_t gunWord,
                         std::chrono::system_clock::time_point headerRead) {
  // The gun word names the trial; the clock word is read anew on every request, so reaction times and
  // then the trace of one trial come with the same gun but different clocks and must be applied once.
  // A trial without a gun replaces the lanes of the trial last applied, and nothing names it: the event
  // keeps its time but no longer names a trial, so no lane read later is taken for that earlier one's.
  if (gunWord == YTime::kNoMilliseconds) {
    lastRunClock = YTime::kNoMilliseconds;
    lastRunGun = YTime::kNoMilliseconds;
    return;
  }
  if (clockWord == YTime::kNoMilliseconds || gunWord == lastRunGun) {
    return;
  }
  // The unit's clock is a 32-bit millisecond count that wraps, so the time since the gun is the difference
  // modulo 2^32 as a signed value, as the reaction times take it: a gun just before the wrap and a clock just
  // after it are still milliseconds apart.
  const int32_t sinceGun = KTickDifference(static_cast<uint32_t>(clockWord), static_cast<uint32_t>(gunWord));
  if (sinceGun < 0 || !SetInfoBlock(KDateTime::Local(headerRead - std::chrono::milliseconds(sinceGun)))) {
    return;
  }
  lastRunClock = clockWord;
  lastRunGun = gunWord;
}

int32_t QvEvent::MakeCurrent() {
  QvEventSchedule* schedule = QvEventSchedule::Registered();
  if (fileName.IsEmpty() || schedule == nullptr || !schedule->WriteQXF(*this, 0)) {
    return kErrFileOpen;
  }
  return 0;
}

void QvEvent::ServeRequests() {
  for (KListItem* item = legs.Next(nullptr); item != nullptr; item = legs.Next(item)) {
    static_cast<YLeg*>(item)->ServeRequests();
  }
}

QvEvent* QvEvent::FromView(const QvEventView* eventView) {
  return eventView != nullptr ? eventView->GetRoot() : nullptr;
}

YLeg* QvEvent::FromView(const QvResultFilter* resultsView) {
  if (resultsView == nullptr || resultsView->GetResults() == nullptr) {
    return nullptr;
  }
  return dynamic_cast<YLeg*>(resultsView->GetResults()->Owner());
}

bool QvEvent::GetFileName(const KString& path) const {
  if (fileName.IsEmpty()) {
    return false;
  }
  // The file is told by what the names lead to now, so a relative spelling, "./" or a link finds it. No
  // identity is kept: every save replaces the file's inode. When either name leads nowhere (a deleted
  // file), the names are compared exactly, case included: "heat.qve" and "Heat.qve" are two files.
  struct stat own {};
  struct stat other {};
  if (stat(fileName.ToUtf8().c_str(), &own) == 0 && stat(path.ToUtf8().c_str(), &other) == 0) {
    return own.st_dev == other.st_dev && own.st_ino == other.st_ino;
  }
  return fileName == path;
}

namespace {

// The path's file name without its extension.
void AppendTitleOf(const KString& path, KString& text) {
  KFile file(path);
  KString folder;
  file.GetDirectory(folder);
  KFile title(KString(path.Data() + folder.Length(), path.Length() - folder.Length()));
  title.RemoveExtension();
  text.Append(title.Name());
}

}  // namespace

void QvEvent::GetFileTitle(KString& text) const {
  AppendTitleOf(fileName, text);
}

void QvEvent::GetDocumentName(KString& text) const {
  AppendTitleOf(ProposedName(), text);
}

KString QvEvent::GetDirectory() {
  return QvSettings::Text(kDirectoryPath);
}

void QvEvent::SetDirectory(const KString& file) {
  KString folder;
  KFile(file).GetDirectory(folder);
  if (KRString* node = KRegistry::GetStringNode(QvSettings::Root(), KString::View(kDirectoryPath))) {
    node->NotifyChanged(folder);
    return;
  }
  KString line(kDirectoryPath);
  line.Append(u":String=");
  line.Append(folder);
  QvSettings::Write(line);
}

void QvEvent::AddListener(KMessageObject* listener) {
  if (listener != nullptr && std::find(listeners.begin(), listeners.end(), listener) == listeners.end()) {
    listeners.push_back(listener);
  }
}

void QvEvent::RemoveListener(KMessageObject* listener) {
  listeners.erase(std::remove(listeners.begin(), listeners.end(), listener), listeners.end());
}

int32_t QvEvent::Receive(KMessage& message) {
  const bool begins = (message.code & KMessage::kBeginBatch) != 0;
  const bool ends = (message.code & KMessage::kEndBatch) != 0;
  if (begins) {
    mutex.Lock();
  }
  if ((message.code & KMessage::kAfter) != 0 && (message.code & KMessage::kNotUserEdit) == 0) {
    modified = true;
  }
  try {
    Deliver(message);
  } catch (...) {
    // A begin that fails has no end to come, and an end that fails is the end: either way the lock the
    // bracket took is given back, or readers on other threads (the scoreboards) would wait on it for ever.
    if (begins || ends) {
      mutex.Unlock();
    }
    throw;
  }
  if (ends) {
    mutex.Unlock();
  }
  return 0;
}

void QvEvent::Deliver(KMessage& message) {
  view.Deliver(message);
  // A listener may add or remove listeners while it handles the message.
  const std::vector<KMessageObject*> current = listeners;
  for (KMessageObject* listener : current) {
    listener->Receive(message);
  }
  YLeg* own = LegOf(message.sender);
  if (own != nullptr) {
    own->Deliver(message);
  }
  const uint32_t what = message.code & KMessage::kWhatMask;
  if (what >= kQvImageViewsFirst && what <= kQvImageViewsLast) {
    for (int32_t i = 0; i < GetLegCount(); ++i) {
      if (YLeg* leg = Leg(i); leg != nullptr && leg != own) {
        leg->DeliverToImages(message);
      }
    }
  }
}

KString QvEvent::ProposedName() const {
  if (!fileName.IsEmpty()) {
    return fileName;
  }
  KString name = GetDirectory();
  if (!name.IsEmpty() && name[name.Length() - 1] != u'/') {
    name.AppendChar(u'/');
  }
  KString base;
  if (!GetEventRoundHeatText(base)) {
    base = u"Event";
  }
  name.Append(base);
  name.AppendChar(u'.');
  name.Append(Extension());
  return name;
}

KString QvEvent::FalseStartCopyName() const {
  KFile base(ProposedName());
  base.RemoveExtension();
  // A document that already is a false-start copy takes the next number of the same series
  // ("heat-FS1" is followed by "heat-FS2", not "heat-FS1-FS1").
  KString series = base.Name();
  series.SetLength(SeriesLength(series));
  for (int32_t number = 1; number <= kMaxCopyNumber; ++number) {
    KString candidate = series;
    candidate.Append(u"-FS");
    candidate.AppendInt(number);
    candidate.AppendChar(u'.');
    candidate.Append(Extension());
    if (!KFileExists(candidate)) {
      return candidate;
    }
  }
  return KString();
}

int32_t QvEvent::SaveTo(const KString& path) const {
  int32_t result = 0;
  storagePath = path;
  try {
    // The record is built in memory and goes to the file in one write: the file stream's per-value calls
    // cost more than the bytes themselves.
    KMemoryStream record;
    Write(record);
    const std::vector<uint8_t>& bytes = record.Bytes();
    KFile::SaveSafely(
        path, [&bytes](KStream& stream) { stream.Write(bytes.data(), static_cast<int32_t>(bytes.size())); });
  } catch (const KX& failure) {
    result = failure.Code();
  } catch (const std::bad_alloc&) {
    result = kErrAllocate;
  } catch (...) {
    // The parts of the document see the file being written only while it is written.
    storagePath.Clear();
    throw;
  }
  storagePath.Clear();
  return result;
}

int32_t QvEvent::ChooseSavePath(int32_t mode, KString& path) const {
  if ((mode & kFalseStartCopy) != 0) {
    path = FalseStartCopyName();
    if (path.IsEmpty()) {
      return kErrFileWrite;
    }
    return MayWrite(path) ? 0 : kCancelled;
  }
  if ((mode & (kSaveFile | kAskName)) == 0) {
    return kErrOperationFailed;
  }
  path = fileName;
  if ((mode & kAskName) == 0 && !needsName && !path.IsEmpty()) {
    return MayWrite(path) ? 0 : kCancelled;
  }
  // A refused name brings the dialog back with that name, for the user to change.
  KFile chosen(ProposedName());
  do {
    if (KSaveFileDialog(chosen, KString(Extension()), false, KFileDialogRequest::OwnExtension::kListed) < 0) {
      return kCancelled;
    }
    path = chosen.Name();
  } while (!MayWrite(path));
  return 0;
}

int32_t QvEvent::Save(int32_t mode) {
  KString path;
  if (const int32_t chosen = ChooseSavePath(mode, path); chosen != 0) {
    return chosen;
  }
  const int32_t result = SaveTo(path);
  // A false-start copy is a snapshot of the race that was re-run: the document stays its own file, which
  // has not received the changes, so it keeps its name and its modified mark.
  if (result == 0 && (mode & kFalseStartCopy) == 0) {
    fileName = path;
    needsName = false;
    modified = false;
    SetDirectory(path);
  }
  return result;
}

int32_t QvEvent::Open(int32_t mode, const KString& path) {
  const int32_t base = mode & ~kImagesHeaderOnly;
  if (base != kOpenFile && base != kOpenAsNew) {
    return kErrOperationFailed;
  }
  try {
    KFile file(path);
    file.Open(KFile::kRead);
    const int64_t size = file.Size();
    if (size > kMaxFileSize) {
      return kErrFileContents;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.ReadExact(bytes.data(), static_cast<int32_t>(size));
    file.Close();
    KMemoryStream stream(std::move(bytes));
    QvEvent read;
    read.storagePath = path;
    try {
      read.ReadRecord(stream);
    } catch (const KXStream& failure) {
      // The whole file is in memory: a record that runs past its end is damaged, not unreadable.
      return failure.Code() == kErrFileRead ? kErrFileContents : failure.Code();
    }
    if (stream.Remaining() != 0) {
      return kErrFileContents;
    }
    TakeContents(read);
  } catch (const KX& failure) {
    return failure.Code();
  } catch (const std::bad_alloc&) {
    return kErrAllocate;
  }
  openMode = mode;
  fileName = base == kOpenFile ? path : KString();
  needsName = base == kOpenAsNew;
  modified = false;
  // Marks saved against the false-start rule (an older file) are corrected as the rule is the same on
  // screen, in the file and in the results interface file; the correction is a change to save.
  for (int32_t i = 0; i < GetLegCount(); ++i) {
    Leg(i)->Results().MarkFalseStarts();
  }
  return 0;
}

void QvEvent::Write(KStream& stream) const {
  KPersistent::WriteVersion(stream, KPersistent::kFamilyModel, kVersion);
  stream.WriteInt32(kind);
  for (const KString* text : {&title, &eventNumber, &roundNumber, &heatNumber}) {
    text->Write(stream);
  }
  for (int32_t field : {infoBlock.year, infoBlock.month, infoBlock.dayOfWeek, infoBlock.day, infoBlock.hour,
                        infoBlock.minute, infoBlock.second, infoBlock.millisecond}) {
    stream.WriteInt32(field);
  }
  stream.WriteInt32(lastRunClock);
  stream.WriteInt32(lastRunGun);
  starts.Write(stream);
  winds.Write(stream);
  legs.Write(stream);
  view.GetRange1().Write(stream);
  view.GetRange2().Write(stream);
}

void QvEvent::ReadRecord(KStream& stream) {
  KPersistent::ReadVersion(stream, KPersistent::kFamilyModel, kVersion, kVersion);
  const int32_t newKind = stream.ReadInt32();
  if (newKind != kEvent && newKind != kWorkout) {
    throw KXPersistent(kErrFileContents);
  }
  kind = static_cast<Kind>(newKind);
  for (KString* text : {&title, &eventNumber, &roundNumber, &heatNumber}) {
    text->Read(stream);
  }
  for (int32_t* field : {&infoBlock.year, &infoBlock.month, &infoBlock.dayOfWeek, &infoBlock.day,
                         &infoBlock.hour, &infoBlock.minute, &infoBlock.second, &infoBlock.millisecond}) {
    *field = stream.ReadInt32();
  }
  if (!IsStorable(infoBlock)) {
    throw KXPersistent(kErrFileContents);
  }
  lastRunClock = stream.ReadInt32();
  lastRunGun = stream.ReadInt32();
  starts.Read(
      stream, [this] { return new YStart(this); }, kMaxStarts);
  winds.Read(
      stream, [this] { return new YWind(this); }, kMaxWinds);
  legs.Read(
      stream, [this] { return new YLeg(this); }, kMaxLegs);
  KPoint range;
  range.Read(stream);
  view.SetRange1(range);
  range.Read(stream);
  view.SetRange2(range);
  MarkUnmarkedLanesWithLastRun();
}

void QvEvent::MarkUnmarkedLanesWithLastRun() {
  // Documents saved before each lane kept the gun of its trial hold lanes with trial data and no gun; left
  // so, a later download of that same trial would take them for another trial's and clear them. Their
  // trial is the one last applied to the event (a download that wrote no lane also moved that, and
  // nothing in such a file tells the two apart). Such a file holds the empty time in every lane's gun and
  // no lane's set word: a file with anything else there was saved by a build that marks lanes, and is kept
  // as it was saved.
  if (lastRunGun == YTime::kNoMilliseconds) {
    return;
  }
  std::vector<QvResult*> lanes;
  for (int32_t i = 0; i < GetLegCount(); ++i) {
    QvResults& results = Leg(i)->Results();
    for (QvResult* result = results.Iterate(nullptr, nullptr); result != nullptr;
         result = results.Iterate(result, nullptr)) {
      if (result->GetGunTime() != YTime() || result->TrialSetWord() != YTime::kNoMilliseconds) {
        return;
      }
      lanes.push_back(result);
    }
  }
  const YTime gun = YTime::FromMilliseconds(lastRunGun);
  for (QvResult* lane : lanes) {
    lane->MarkUnmarkedTrialData(gun);
  }
}

void QvEvent::Read(KStream& stream) {
  QvEvent read;
  read.ReadRecord(stream);
  TakeContents(read);
}

void QvEvent::TakeContents(QvEvent& other) {
  // Readers on other threads must not see the document half replaced.
  mutex.Lock();
  kind = other.kind;
  title = other.title;
  eventNumber = other.eventNumber;
  roundNumber = other.roundNumber;
  heatNumber = other.heatNumber;
  infoBlock = other.infoBlock;
  lastRunClock = other.lastRunClock;
  lastRunGun = other.lastRunGun;
  Adopt<YStart>(starts, other.starts, this);
  Adopt<YWind>(winds, other.winds, this);
  Adopt<YLeg>(legs, other.legs, this);
  view.SetRange1(other.view.GetRange1());
  view.SetRange2(other.view.GetRange2());
  mutex.Unlock();
}

bool QvEvent::SameContents(const QvEvent& other) const {
  if (kind != other.kind || !(title == other.title) || !(eventNumber == other.eventNumber) ||
      !(roundNumber == other.roundNumber) || !(heatNumber == other.heatNumber) ||
      !(infoBlock == other.infoBlock) || infoBlock.dayOfWeek != other.infoBlock.dayOfWeek ||
      lastRunClock != other.lastRunClock || lastRunGun != other.lastRunGun ||
      GetStartCount() != other.GetStartCount() || GetWindCount() != other.GetWindCount() ||
      GetLegCount() != other.GetLegCount() || view.GetRange1() != other.view.GetRange1() ||
      view.GetRange2() != other.view.GetRange2()) {
    return false;
  }
  for (int32_t i = 0; i < GetStartCount(); ++i) {
    if (!(*GetStart(i) == *other.GetStart(i))) {
      return false;
    }
  }
  for (int32_t i = 0; i < GetWindCount(); ++i) {
    if (!(*Wind(i) == *other.Wind(i))) {
      return false;
    }
  }
  for (int32_t i = 0; i < GetLegCount(); ++i) {
    if (!Leg(i)->SameContents(*other.Leg(i))) {
      return false;
    }
  }
  return true;
}
