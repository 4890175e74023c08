#include "devices/qvschedule.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

#include "devices/csvfields.h"
#include "devices/databaselink.h"
#include "devices/linkwaitrelay.h"
#include "devices/positivesetting.h"
#include "devices/qxffile.h"
#include "devices/reactiontimelink.h"
#include "foundation/klog.h"
#include "foundation/kstreammenu.h"
#include "foundation/kx.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/qvsettings.h"
#include "model/yleg.h"

namespace {

constexpr const char16_t* kModePath = u"\\Database\\Mode";
constexpr const char16_t* kCharModePath = u"\\Database\\CharMode";
constexpr const char16_t* kDataInPath = u"\\Database\\File\\DataInDir";
constexpr const char16_t* kDataOutPath = u"\\Database\\File\\DataOutDir";
constexpr const char16_t* kWriteQxfPath = u"\\Database\\File\\WriteVXF";
constexpr const char16_t* kQxfCharModePath = u"\\Database\\File\\CharModeVXF";
constexpr const char16_t* kReactionLinkPath = u"\\Database\\QXF\\SerialPort";
constexpr const char16_t* kReactionLinkDefault = u"-1,0,1950";
constexpr const char16_t* kIgnoreErhCheckPath = u"\\Database\\QXF\\IgnoreERHCheck";
constexpr const char16_t* kDatabasePortPath = u"\\Database\\Serial\\SerialPort";
constexpr const char16_t* kDatabasePortDefault = u"0,19200,8,N,1.0";
constexpr const char16_t* kDatabaseChecksumPath = u"\\Database\\Serial\\Checksum";
constexpr const char16_t* kDatabaseTimeoutPath = u"\\Database\\Serial\\Timeout";

// Athlete fields of a result.
constexpr int32_t kLastName = 0;
constexpr int32_t kFirstName = 1;
constexpr int32_t kAffiliation = 2;
constexpr int32_t kId = 4;
constexpr int32_t kLicence = 5;

KString PathIn(const KString& folder, const KString& name) {
  KString path(folder);
  if (!path.IsEmpty() && path[path.Length() - 1] != u'/') {
    path.AppendChar(u'/');
  }
  return path.Append(name);
}

void Log(bool error, const KString& message) {
  if (KLog* log = KLog::ProgramLog()) {
    if (error) {
      log->Error(message);
    } else {
      log->Warning(message);
    }
  }
}

// "code text", the text when the code has one.
KString Numbered(int32_t code) {
  KString text;
  text.AppendInt(code);
  if (const char* known = KErrorText(code)) {
    text.Append(" ").Append(known);
  }
  return text;
}

// "operation: code text: about" as an error.
void LogNumbered(const char* operation, int32_t code, const KString& about) {
  KString message(operation);
  Log(true, message.Append(": ").Append(Numbered(code)).Append(": ").Append(about));
}

// The competitor's text when it has one, else the person's.
const KString& Either(const KString& own, const StartList::Person* person,
                      KString StartList::Person::*field) {
  return own.IsEmpty() && person != nullptr ? person->*field : own;
}

// The athlete texts of a result that the start lists give, in the order of kAthleteFields.
constexpr int32_t kAthleteFields[] = {kLastName, kFirstName, kAffiliation, kId, kLicence};
using AthleteTexts = std::array<KString, std::size(kAthleteFields)>;

// The athlete of a competitor (names missing from the race line come from the people list).
AthleteTexts AthleteOf(const StartList::Competitor& competitor, const StartList::Person* person) {
  return {Either(competitor.lastName, person, &StartList::Person::lastName),
          Either(competitor.firstName, person, &StartList::Person::firstName),
          Either(competitor.affiliation, person, &StartList::Person::affiliation), competitor.id,
          Either(competitor.licence, person, &StartList::Person::licence)};
}

// The competitor a race has in a lane; null when none (the last listed wins, as a later line of the race
// replaces an earlier one).
const StartList::Competitor* CompetitorIn(const StartList::Race* race, const KString& lane) {
  if (race == nullptr) {
    return nullptr;
  }
  const auto found =
      std::find_if(race->competitors.rbegin(), race->competitors.rend(),
                   [&lane](const StartList::Competitor& competitor) { return competitor.lane == lane; });
  return found != race->competitors.rend() ? &*found : nullptr;
}

// The athlete the lists give a lane of a race: its competitor's, no texts for a lane without one.
AthleteTexts ListedAthlete(const StartList& lists, const StartList::Competitor* competitor) {
  return competitor != nullptr ? AthleteOf(*competitor, lists.FindPerson(competitor->id)) : AthleteTexts();
}

// Whether a text of the result would be lost to `texts`: one the user typed, which the lists do not give.
bool HoldsOwnText(const QvResult& result, const AthleteTexts& texts) {
  for (size_t i = 0; i < texts.size(); ++i) {
    const KString& held = result.AthleteField(kAthleteFields[i]);
    if (!held.IsEmpty() && held != texts[i]) {
      return true;
    }
  }
  return false;
}

// Gives a result the athlete's texts; with `keepOwn`, a text of the result's own stays (see HoldsOwnText).
void SetAthlete(QvResult& result, const AthleteTexts& texts, bool keepOwn) {
  for (size_t i = 0; i < texts.size(); ++i) {
    if (!keepOwn || result.AthleteField(kAthleteFields[i]).IsEmpty()) {
      result.SetAthleteField(kAthleteFields[i], texts[i]);
    }
  }
}

// A decimal number without its leading zeros ("007" is "7"); any other text as it is.
KString PlainNumber(const KString& text) {
  int32_t zeros = 0;
  while (zeros + 1 < text.Length() && text[zeros] == u'0') {
    ++zeros;
  }
  for (int32_t i = zeros; i < text.Length(); ++i) {
    if (text[i] < u'0' || text[i] > u'9') {
      return text;
    }
  }
  return KString(text.Data() + zeros, text.Length() - zeros);
}

}  // namespace

QvSchedule::QvSchedule(LinkWaitRelay* linkWaits) : linkWaits(linkWaits) {
  QvEventSchedule::Register(this);
  if (linkWaits != nullptr) {
    linkWaits->ServeLinkWith([this] { Idle(); });
  }
  SetDataFiles();
}

QvSchedule::~QvSchedule() {
  if (linkWaits != nullptr) {
    linkWaits->ServeLinkWith({});
  }
  if (QvEventSchedule::Registered() == this) {
    QvEventSchedule::Register(nullptr);
  }
}

int32_t QvSchedule::StreamEncoding(int32_t charMode) {
  switch (charMode) {
    case 1:
      return KStream::kEncodingUtf16;
    case 2:
      return KStream::kEncodingLocal;
    default:
      return KStream::kEncodingByte;
  }
}

int32_t QvSchedule::CodeSet(const char16_t* path) {
  return QvSettings::Int(path, 0, {0, 2});
}

int32_t QvSchedule::QxfEncoding() {
  return StreamEncoding(CodeSet(kQxfCharModePath));
}

int32_t QvSchedule::Mode() {
  // 2 stands for every value that names the serial link.
  return QvSettings::Int(kModePath, kModeFiles, {kModeNone, kModeSerial, QvSettings::Outside::kNearestEnd});
}

const QvScheduleItem* QvSchedule::GetNth(int32_t index) const {
  return index >= 0 && index < Count() ? &items[static_cast<size_t>(index)] : nullptr;
}

void QvSchedule::SetDataFiles() {
  dataIn = QvSettings::Text(kDataInPath);
  dataOut = QvSettings::Text(kDataOutPath);
  OpenReactionTimeLink();
  Load();
}

void QvSchedule::OpenReactionTimeLink() {
  const KString settings = QvSettings::Text(kReactionLinkPath, kReactionLinkDefault);
  if (reactionTimeLink != nullptr && settings == reactionTimeSettings) {
    return;
  }
  reactionTimeSettings = settings;
  reactionTimeLink =
      std::make_unique<ReactionTimeLink>([this](const KString& eventText, const KString& roundText,
                                                const KString& heatText, std::vector<KString>& lines) {
        return AnswerReactionTimes(eventText, roundText, heatText, lines);
      });
  int32_t type = 0;
  // A text that names no network link switches the link off; a network link that does not open is worth a
  // warning (a listening port in use, an address that is not one).
  if (!reactionTimeLink->Open(settings, CodeSet(kCharModePath)) && KStreamMenu::ParseType(settings, type) &&
      type < 0) {
    Log(false, KString("QvSchedule::SetDataFiles: the reaction-time link does not open: ").Append(settings));
  }
}

void QvSchedule::ReadStartLists() {
  lists.Clear();
  const int32_t encoding = StreamEncoding(CodeSet(kCharModePath));
  lists.ReadFile(PathIn(dataIn, kScheduleFile), StartList::kSchedule, encoding);
  lists.ReadFile(PathIn(dataIn, kRacesFile), StartList::kRaces, encoding);
  lists.ReadFile(PathIn(dataIn, kPeopleFile), StartList::kPeople, encoding);
}

bool QvSchedule::Load() {
  const int32_t mode = Mode();
  linkError = 0;
  if (mode == kModeFiles || mode == kModeNone) {
    // The serial port is let go as soon as the lists come from elsewhere.
    databaseLink.reset();
  }
  if (mode == kModeFiles) {
    ReadStartLists();
  } else if (mode == kModeNone) {
    lists.Clear();
  } else {
    StartList answer;
    linkError = LoadOverLink(answer);
    if (linkError != 0) {
      // The schedule loaded before stays, so that stepping through it goes on working.
      LogNumbered("QvSchedule::Load", linkError, KString(u"the database link did not answer"));
      return false;
    }
    lists = std::move(answer);
  }
  items.clear();
  for (const StartList::Race& entry : lists.Schedule()) {
    const StartList::Race* race = lists.FindRace(entry.event, entry.round, entry.heat);
    items.emplace_back(entry.event, entry.round, entry.heat,
                       !entry.name.IsEmpty() || race == nullptr ? entry.name : race->name);
  }
  LogProblems(lists, "QvSchedule::Load");
  return true;
}

int32_t QvSchedule::LoadOverLink(StartList& answer) {
  if (databaseLink == nullptr) {
    databaseLink = std::make_unique<DatabaseLink>();
    databaseLink->SetWaitReporter(linkWaits);
  }
  try {
    databaseLink->Open(
        QvSettings::Text(kDatabasePortPath, kDatabasePortDefault), CodeSet(kCharModePath),
        QvSettings::Bool(kDatabaseChecksumPath, true),
        CappedSetting(kDatabaseTimeoutPath, DatabaseLink::kDefaultTimeoutMs, DatabaseLink::kMaxTimeoutMs));
  } catch (const KX& failure) {
    return failure.Code();
  }
  KString name;
  const bool loaded = databaseLink->Hello(name) == DatabaseLink::kAnswered &&
                      databaseLink->RequestSchedule(answer) == DatabaseLink::kAnswered;
  return loaded ? 0 : databaseLink->LastError();
}

void QvSchedule::LogProblems(const StartList& read, const char* operation) {
  for (const StartList::Problem& problem : read.Problems()) {
    KString message(operation);
    message.Append(": ").Append(problem.source).Append(" line ").AppendInt(problem.line).Append(": ");
    message.Append(problem.reason);
    Log(false, message);
  }
  const int32_t unlisted = read.SkippedLines() - static_cast<int32_t>(read.Problems().size());
  if (unlisted > 0) {
    Log(false, KString(operation).Append(": ").AppendInt(unlisted).Append(" more lines skipped"));
  }
}

int32_t QvSchedule::FindRace(const KString& eventText, const KString& roundText, const KString& heatText,
                             const StartList::Race*& race) {
  race = nullptr;
  linkError = 0;
  const int32_t mode = Mode();
  if (mode == kModeFiles) {
    // The photo-finish system may have published new lists since the last step; what they pass over is
    // told at every reading, as it is the reading that drops it.
    ReadStartLists();
    LogProblems(lists, "QvSchedule::FindRace");
  } else if (mode != kModeNone && databaseLink != nullptr) {
    // Each answer stands alone, so that races asked for one after another never fill the list up.
    linkRace.Clear();
    if (databaseLink->RequestRace(eventText, roundText, heatText, linkRace) == DatabaseLink::kNoAnswer) {
      linkError = databaseLink->LastError();
      KString about(u"no answer about race ");
      about.Append(eventText).AppendChar(u'-').Append(roundText).AppendChar(u'-').Append(heatText);
      LogNumbered("QvSchedule::FindRace", linkError, about);
      return linkError;
    }
    // A refusal is the database's answer that it does not know the race.
    race = linkRace.FindRace(eventText, roundText, heatText);
    // Each step and lookup asks again, and each answer may pass over other lines.
    LogProblems(linkRace, "QvSchedule::FindRace");
    return 0;
  }
  race = lists.FindRace(eventText, roundText, heatText);
  return 0;
}

QvEvent* QvSchedule::ReadFiles(QvEvent* event, int32_t flag, int32_t direction, int32_t) {
  linkError = 0;
  const QvScheduleItem* next = Neighbour(direction, current);
  return next != nullptr ? GoTo(*next, event, flag) : nullptr;
}

const QvScheduleItem* QvSchedule::Neighbour(int32_t direction, const QvScheduleItem& from) const {
  if (items.empty() || (direction != -1 && direction != 1)) {
    return nullptr;
  }
  int32_t at = -1;
  for (int32_t i = 0; i < Count(); ++i) {
    const QvScheduleItem& item = items[static_cast<size_t>(i)];
    if (from.IsSet() && SameRace(item.GetEventText(), item.GetRoundText(), item.GetHeatText(), from)) {
      at = i;
      break;
    }
  }
  at = at < 0 ? (direction > 0 ? 0 : Count() - 1) : at + direction;
  return at >= 0 && at < Count() ? &items[static_cast<size_t>(at)] : nullptr;
}

bool QvSchedule::SameRace(const KString& eventText, const KString& roundText, const KString& heatText,
                          const QvScheduleItem& race) {
  return StartList::SameNumber(eventText, race.GetEventText()) &&
         StartList::SameNumber(roundText, race.GetRoundText()) &&
         StartList::SameNumber(heatText, race.GetHeatText());
}

QvScheduleItem QvSchedule::RaceOf(const QvEvent& event) {
  return event.HasEventRoundHeat()
             ? QvScheduleItem(event.EventNumber(), event.RoundNumber(), event.HeatNumber(), KString())
             : QvScheduleItem();
}

bool QvSchedule::HoldsOtherRace(const QvEvent& event, const QvScheduleItem& race) {
  return event.HasEventRoundHeat() &&
         !SameRace(event.EventNumber(), event.RoundNumber(), event.HeatNumber(), race);
}

QvEvent* QvSchedule::ReadEventEntries(QvEvent* event, int32_t flag, const KString& eventText,
                                      const KString& roundText, const KString& heatText, int32_t) {
  linkError = 0;
  const QvScheduleItem chosen(eventText, roundText, heatText, KString());
  if (!chosen.IsSet()) {
    return nullptr;  // nothing chosen: the current race stays
  }
  return GoTo(chosen, event, flag);
}

QvEvent* QvSchedule::GoTo(const QvScheduleItem& race, QvEvent* event, int32_t flag) {
  // A race that could not be filled in leaves the current one as it was, so that the same step can be
  // tried again.
  const QvScheduleItem before = current;
  current = race;
  QvEvent* filled = Deliver(event, flag);
  if (filled == nullptr) {
    current = before;
  }
  return filled;
}

QvEvent* QvSchedule::Deliver(QvEvent* event, int32_t flag) {
  if (event != nullptr) {
    return Fill(*event) == 0 ? event : nullptr;
  }
  auto made = std::make_unique<QvEvent>();
  // The new document asks the registered schedule, this one, to fill it from the current race.
  if (made->NewFromSchedule(flag, 0) != 0) {
    return nullptr;
  }
  return made.release();
}

int32_t QvSchedule::FillNewEvent(QvEvent& event, int32_t, int32_t) {
  return current.IsSet() ? Fill(event) : 0;
}

int32_t QvSchedule::Fill(QvEvent& event) {
  const StartList::Race* race = nullptr;
  if (const int32_t failed =
          FindRace(current.GetEventText(), current.GetRoundText(), current.GetHeatText(), race);
      failed != 0) {
    return failed;  // the event stays as it was
  }
  YLeg* leg = event.GetLegCount() > 0 ? event.Leg(0) : nullptr;
  // A lane text that the race would replace is the user's, typed in before the race was named: it stays
  // unless the user agrees to replacing it, asked before anything changes.
  const bool keepOwnTexts =
      leg != nullptr && WouldReplaceOwnTexts(leg->Results(), race) && !AgreesToReplace();
  event.SetEventRoundHeat(current.GetEventText(), current.GetRoundText(), current.GetHeatText());
  event.SetTitle(race != nullptr ? race->name : KString());
  leg = leg != nullptr ? leg : event.NewLeg();
  if (leg == nullptr) {
    return 0;
  }
  QvResults& results = leg->Results();
  // The event holds this race or none: the lanes keep their numbers and times (the race placed again, or
  // times taken before it was named) and take the race's athletes, none in a lane it has no competitor in.
  std::vector<const QvResult*> taken;
  for (QvResult* result = results.Iterate(nullptr, nullptr); result != nullptr;
       result = results.Iterate(result, nullptr)) {
    const StartList::Competitor* competitor = CompetitorIn(race, result->AthleteField(QvResult::kLaneField));
    if (competitor != nullptr) {
      taken.push_back(result);
    }
    SetAthlete(*result, ListedAthlete(lists, competitor), keepOwnTexts);
  }
  const std::vector<StartList::Competitor> none;
  for (const StartList::Competitor& competitor : race != nullptr ? race->competitors : none) {
    if (results.FindByField(QvResult::kLaneField, competitor.lane) != nullptr) {
      continue;
    }
    QvResult* result = results.NewResult();
    if (result == nullptr) {
      break;
    }
    result->SetAthleteField(QvResult::kLaneField, competitor.lane);
    SetAthlete(*result, ListedAthlete(lists, CompetitorIn(race, competitor.lane)), false);
    taken.push_back(result);
  }
  // As in an event made from the race, a lane is in use exactly when the race has a competitor in it; a
  // lane given up or back decides the false-start charge anew.
  for (QvResult* result = results.Iterate(nullptr, nullptr); result != nullptr;
       result = results.Iterate(result, nullptr)) {
    if (std::find(taken.begin(), taken.end(), result) == taken.end()) {
      result->SetStatus(QvResult::kLaneNotUsed);
    } else if (result->IsStatus7()) {
      result->SetStatus(QvResult::kValid);
    }
  }
  return 0;
}

bool QvSchedule::WouldReplaceOwnTexts(const QvResults& results, const StartList::Race* race) const {
  for (QvResult* result = results.Iterate(nullptr, nullptr); result != nullptr;
       result = results.Iterate(result, nullptr)) {
    const KString& lane = result->AthleteField(QvResult::kLaneField);
    if (HoldsOwnText(*result, ListedAthlete(lists, CompetitorIn(race, lane)))) {
      return true;
    }
  }
  return false;
}

bool QvSchedule::AgreesToReplace() const {
  return replaceQuestion && replaceQuestion();
}

bool QvSchedule::LookupEvent(QvResult& result) {
  const KString id = result.AthleteField(kId);
  if (id.IsEmpty()) {
    return false;
  }
  const auto* owner = dynamic_cast<const QvResults*>(result.Owner());
  const QvEvent* event = owner != nullptr ? owner->GetEvent() : nullptr;
  const StartList::Race* race = nullptr;
  if (event != nullptr && event->HasEventRoundHeat()) {
    // Without the race's answer the person's entry still serves.
    FindRace(event->EventNumber(), event->RoundNumber(), event->HeatNumber(), race);
  }
  const StartList::Person* person = lists.FindPerson(id);
  if (race != nullptr) {
    for (const StartList::Competitor& competitor : race->competitors) {
      if (competitor.id == id) {
        SetAthlete(result, AthleteOf(competitor, person), false);
        return true;
      }
    }
  }
  if (person == nullptr) {
    return false;
  }
  StartList::Competitor unlisted;
  unlisted.id = id;
  SetAthlete(result, AthleteOf(unlisted, person), false);
  return true;
}

bool QvSchedule::WriteQXF(QvEvent& event, int32_t) {
  if (!QvSettings::Bool(kWriteQxfPath, true)) {
    return true;
  }
  const KString name = QxfFile::FileName(event);
  const KString path = QxfPath(name);
  const std::vector<KString> lines = QxfFile::Lines(event);
  bool written = !name.IsEmpty();
  if (written) {
    try {
      QxfFile::Write(path, lines, QxfEncoding());
      lastQxf = path;
    } catch (const KX&) {
      written = false;
    }
  }
  if (!written) {
    LogNumbered("QvSchedule::WriteQXF", kErrQxfWrite, path);
    return false;
  }
  const int32_t mode = Mode();
  refusedSend = 0;
  if (mode != kModeNone && mode != kModeFiles && databaseLink != nullptr &&
      databaseLink->SendResults(lines) != DatabaseLink::kAnswered) {
    refusedSend = databaseLink->LastError();
    LogNumbered("QvSchedule::WriteQXF", kErrResultsNotTaken, Numbered(refusedSend).Append(": ").Append(path));
    return false;
  }
  return true;
}

bool QvSchedule::AnswerReactionTimes(const KString& eventText, const KString& roundText,
                                     const KString& heatText, std::vector<KString>& lines) const {
  const bool ignoreCheck = QvSettings::Bool(kIgnoreErhCheckPath, true);
  // The file is named as its event names itself; the request may pad its numbers otherwise.
  for (bool plain : {false, true}) {
    if (!QxfFile::Read(
            QxfPathFor(plain ? PlainNumber(eventText) : eventText, plain ? PlainNumber(roundText) : roundText,
                       plain ? PlainNumber(heatText) : heatText),
            QxfEncoding(), lines)) {
      continue;
    }
    std::vector<KString> header;
    const bool sameRace = CsvFields::Split(lines[0], header) == CsvFields::kOk && header.size() >= 3 &&
                          StartList::SameNumber(header[0], eventText) &&
                          StartList::SameNumber(header[1], roundText) &&
                          StartList::SameNumber(header[2], heatText);
    if (sameRace || ignoreCheck) {
      return true;
    }
  }
  lines.clear();
  return ignoreCheck && !lastQxf.IsEmpty() && QxfFile::Read(lastQxf, QxfEncoding(), lines);
}

KString QvSchedule::QxfPathFor(const KString& eventText, const KString& roundText,
                               const KString& heatText) const {
  QvEvent named;
  named.SetEventRoundHeat(eventText, roundText, heatText);
  return QxfPath(QxfFile::FileName(named));
}

KString QvSchedule::QxfPath(const KString& name) const {
  KString path = PathIn(dataOut, name);
  return path.AppendChar(u'.').Append(QxfFile::kExtension);
}

void QvSchedule::Idle() {
  if (reactionTimeLink != nullptr) {
    reactionTimeLink->Poll();
  }
}

LinkWait QvSchedule::NextWait() const {
  return reactionTimeLink != nullptr ? reactionTimeLink->NextWait() : LinkWait{};
}
