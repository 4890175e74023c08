#pragma once
// The meet schedule: the races the photo-finish system publishes, read from its start-list files in the
// data-in folder (or asked over the serial database link), a current race, and the event documents filled
// from them. It also writes the results interface file to the data-out folder and serves the photo-finish
// system's reaction-time requests from the idle tick, and through the serial links' wait relay while the
// GUI thread waits for a link's answer. It registers itself as the model's schedule while it lives.
// docs/photo-finish-interface.md is the reference for the people who connect the two systems.

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "devices/linkwait.h"
#include "devices/qvscheduleitem.h"
#include "devices/startlist.h"
#include "foundation/kstring.h"
#include "model/qveventschedule.h"

class DatabaseLink;
class LinkWaitRelay;
class QvEvent;
class QvResult;
class QvResults;
class ReactionTimeLink;

class QvSchedule : public QvEventSchedule {
 public:
  static constexpr const char16_t* kScheduleFile = u"vesk.sch";
  static constexpr const char16_t* kRacesFile = u"vesk.evt";
  static constexpr const char16_t* kPeopleFile = u"vesk.ppl";
  // "\Database\Mode": no start lists, the files, the serial database link.
  static constexpr int32_t kModeNone = 0;
  static constexpr int32_t kModeFiles = 1;
  static constexpr int32_t kModeSerial = 2;

  // Registers as the model's schedule, takes the folders from the settings and loads the schedule.
  // `linkWaits` (not owned; none: the database link only waits) serves the reaction-time link for as long
  // as the schedule lives, and is the reporter of every wait for the database link's answer, the first
  // load's included.
  explicit QvSchedule(LinkWaitRelay* linkWaits = nullptr);
  QvSchedule(const QvSchedule&) = delete;
  QvSchedule& operator=(const QvSchedule&) = delete;
  ~QvSchedule() override;

  int32_t Count() const { return static_cast<int32_t>(items.size()); }
  // The entry at `index` from 0; null outside the schedule.
  const QvScheduleItem* GetNth(int32_t index) const;
  // The race the last step or choice went to (unset before any).
  const QvScheduleItem& Current() const { return current; }
  // Goes back to a race the current one was before (a step whose event was not shown).
  void SetCurrent(const QvScheduleItem& race) { current = race; }

  // Reloads the schedule and start lists from the files or the link, as "\Database\Mode" says; the skipped
  // lines are logged as warnings. False, with LinkError() logged, when the link did not answer; the
  // schedule loaded before then stays.
  bool Load();
  // The link's numbered error (databaselink.h) of the last load, step or race asked for when the link gave
  // no answer; 0 when it did, or the lists come from the files.
  int32_t LinkError() const { return linkError; }
  // Takes the data-in and data-out folders from "\Database\File\DataInDir" and "...\DataOutDir", reopens the
  // reaction-time link when its settings changed, and loads again.
  void SetDataFiles();

  // Moves the current race one entry back (-1) or on (1) and fills `event` from it, or a new event when
  // `event` is null. The lanes of `event` keep their times, so it holds that race or none (see
  // HoldsOtherRace); the same goes for ReadEventEntries. Returns the event filled, or null when there is no
  // entry in that direction, the new event could not be made or the link did not answer about the race
  // (LinkError(), logged); the current race and `event` then stay as they were. From an unset current race, 1
  // goes to the first entry and -1 to the last.
  QvEvent* ReadFiles(QvEvent* event, int32_t flag, int32_t direction, int32_t unused);
  // The same for the race with the given event, round and heat, which need not be in the schedule; null,
  // with the current race as it was, when one of the texts is empty or the race could not be filled in.
  QvEvent* ReadEventEntries(QvEvent* event, int32_t flag, const KString& eventText, const KString& roundText,
                            const KString& heatText, int32_t unused);
  // The entry one back (-1) or on (1) from the race `from`; from a race unset or not in the schedule, 1
  // gives the first entry and -1 the last. Null when there is none. ReadFiles goes from the current race.
  const QvScheduleItem* Neighbour(int32_t direction, const QvScheduleItem& from) const;
  // The race an event holds; unset when it holds none.
  static QvScheduleItem RaceOf(const QvEvent& event);
  // Whether the event holds a race other than `race`: one whose times, statuses and file are not the
  // race's to take. An event without event, round and heat numbers holds none.
  static bool HoldsOtherRace(const QvEvent& event, const QvScheduleItem& race);
  // Writes the event's results interface file into the data-out folder when "\Database\File\WriteVXF" is on
  // (true without writing when it is off); in link mode it also sends the lines over the link. False, with
  // "E" and 33002 in the log and any earlier file untouched, when the file is not written; false, with "E",
  // 35002 and the link's numbered error in the log, when the database did not take the results.
  bool WriteQXF(QvEvent& event, int32_t flag) override;
  int32_t TakeRefusedSend() override { return std::exchange(refusedSend, 0); }
  // Fills the athlete texts of a result from its id (athlete field 4): the competitor of that id in the
  // race of the result's event, else the person of that id. False when neither is known.
  bool LookupEvent(QvResult& result);

  // Fills a new event from the current race (nothing when it is unset); 0, or the link's numbered error
  // when it did not answer about the race.
  int32_t FillNewEvent(QvEvent& event, int32_t flag, int32_t unused) override;

  // Filling an event whose lanes hold athlete texts that the race would replace (texts the user typed in
  // before the race was named) asks this question first: true replaces them, false keeps them while the
  // lanes' other texts come from the lists. Without a question they are kept. Empty: none.
  using ReplaceQuestion = std::function<bool()>;
  void AskBeforeReplacing(ReplaceQuestion question) { replaceQuestion = std::move(question); }

  // The reaction-time answer for a race: the lines of its results interface file, or of the file written
  // last when "\Database\QXF\IgnoreERHCheck" is on and the race has none. False when there is nothing to
  // answer with.
  bool AnswerReactionTimes(const KString& eventText, const KString& roundText, const KString& heatText,
                           std::vector<KString>& lines) const;
  // Serves the reaction-time link without waiting; called on every idle tick of the GUI thread.
  void Idle();
  // What a message loop waits for before Idle has work (the reaction-time link's sockets and times). It
  // may change with every Idle, so a message loop takes it again after each.
  LinkWait NextWait() const;

  // The stream encoding of a "\Database\...\CharMode" value: 0 single byte, 1 UTF-16, 2 the local code page.
  static int32_t StreamEncoding(int32_t charMode);
  // Where start lists come from now: kModeNone, kModeFiles or kModeSerial.
  static int32_t Mode();
  // The code set setting at `path` ("\Database\CharMode", "\Database\File\CharModeVXF"): 0 one byte a
  // character, 1 Unicode, 2 the system's own.
  static int32_t CodeSet(const char16_t* path);

 private:
  // The stream encoding the results interface files are written in and read back in.
  static int32_t QxfEncoding();
  // Whether the event, round and heat texts are those of `race`, numbers compared as numbers.
  static bool SameRace(const KString& eventText, const KString& roundText, const KString& heatText,
                       const QvScheduleItem& race);
  // Reads the three start-list files again.
  void ReadStartLists();
  // Asks the link for the schedule into `answer` (opening its port); 0 or the numbered error.
  int32_t LoadOverLink(StartList& answer);
  // Makes sure the start lists know the race, asking the link in link mode, and sets `race` (null when
  // the race is not known). 0, or the link's numbered error (logged) when it did not answer.
  int32_t FindRace(const KString& eventText, const KString& roundText, const KString& heatText,
                   const StartList::Race*& race);
  // Makes `race` current and fills the event from it (see Deliver); on failure the current race stays.
  QvEvent* GoTo(const QvScheduleItem& race, QvEvent* event, int32_t flag);
  // Fills the event from `current`, or makes a new one filled from it; null when that failed.
  QvEvent* Deliver(QvEvent* event, int32_t flag);
  // 0, or the link's numbered error, with the event as it was.
  int32_t Fill(QvEvent& event);
  // Whether a lane holds a text that filling it from `race` would replace.
  bool WouldReplaceOwnTexts(const QvResults& results, const StartList::Race* race) const;
  // The answer to the question before replacing; false without one.
  bool AgreesToReplace() const;
  // Logs the lines skipped in reading `read` as warnings.
  static void LogProblems(const StartList& read, const char* operation);
  // The results interface file of a race, and of a file name, in the data-out folder.
  KString QxfPathFor(const KString& eventText, const KString& roundText, const KString& heatText) const;
  KString QxfPath(const KString& name) const;
  void OpenReactionTimeLink();

  std::vector<QvScheduleItem> items;
  QvScheduleItem current;
  StartList lists;
  // The database link's answer about the race asked for last.
  StartList linkRace;
  KString dataIn;
  KString dataOut;
  // The results interface file written last: the current race when the request's race has none.
  KString lastQxf;
  LinkWaitRelay* const linkWaits;
  std::unique_ptr<DatabaseLink> databaseLink;
  std::unique_ptr<ReactionTimeLink> reactionTimeLink;
  KString reactionTimeSettings;
  int32_t linkError = 0;
  int32_t refusedSend = 0;
  ReplaceQuestion replaceQuestion;
};
