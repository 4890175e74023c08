#pragma once
// The scoreboards: the board entries under "\Scoreboards\", the list of scripts ("*.lss") found at start,
// and the output task that pages results, the time of day and messages out to every board.
//
// The GUI posts its requests (initialise, refresh, time of day, a message, the current event, a port
// change) as flags and values under the boards' mutex; the task, every 100 ms, tries that mutex for 1 ms,
// holds it for its whole tick and hands the requests to every board. It renders the boards' output from the
// current event's results under the event's mutex, tried for 1 ms too, and skips the tick when the event is
// busy; it writes to the ports after releasing the event. It never calls the GUI: it sees new results
// through the results' change counter.

#include <cstdint>
#include <memory>
#include <vector>

#include "devices/qvscoreboard.h"
#include "foundation/kdatetime.h"
#include "foundation/kmutex.h"
#include "foundation/kperiodictask.h"
#include "foundation/kstring.h"

class KRGroup;
class KRNode;
class QvEvent;

class QvScoreboards : private KPeriodicTask {
 public:
  static constexpr int32_t kPeriodMs = 100;
  static constexpr int32_t kPriority = 1;  // above normal
  static constexpr const char16_t* kDefaultPortSettings = u"0,9600,8,N,1.0";
  // Where the task takes the time of day from; tests install their own.
  using TimeOfDaySource = KDateTime (*)();

  // Makes a board for every entry that is not deleted, then starts the output task.
  QvScoreboards();
  // Stops the output task first, then lets the boards go.
  ~QvScoreboards() override;
  QvScoreboards(const QvScoreboards&) = delete;
  QvScoreboards& operator=(const QvScoreboards&) = delete;

  // ---- the settings (usable without a QvScoreboards: the options dialog adds the first board) ----
  // Lists the "*.lss" files of the folder under "\Scoreboards\Scripts\" (each a text node named after the
  // file, holding its path; not saved, since it is found again at every start).
  static void Setup(const KString& folder);
  // The board entries, deleted ones included.
  static int32_t Count();
  static KRGroup* GetNth(int32_t index);
  // Adds a board entry with the default settings; null without a settings tree.
  static KRGroup* NewEntry();
  // The script entry after `previous` (null: the first); null at the end.
  static KRNode* Find(const KRNode* previous);
  static void SetTimeOfDaySource(TimeOfDaySource source);

  // The boards made at construction.
  int32_t BoardCount() const { return static_cast<int32_t>(boards.size()); }
  // True when a board listens to the entry's "SerialPort" setting.
  bool ListensTo(const KRGroup* entry) const;

  // ---- requests of the GUI, taken by the task at its next tick ----
  // Every board initialises again (and reads its settings and its script again).
  void RequestStop();
  // Every board sends its output again, results from the first page.
  void InvalidateAll();
  void SetFlag1(bool on);  // show the time of day
  bool GetFlag1();
  void SetFlag2(bool on);  // the time of day in 24 hours
  bool GetFlag2();
  // Keeps the message text (a line per message line) for the boards; replaces the message kept before.
  void SendMessage(const KString& text);
  // Appends the kept message, its lines joined by CR LF.
  void ListMessages(KString& text);
  // Every board shows the kept message.
  void RequestClear();
  QvEvent* GetCurrentEvent();
  // The event whose results the boards show; the GUI sets another (or none) before it deletes this one.
  void SetCurrentEvent(QvEvent* event);

 private:
  friend class QvScoreboard;
  // A board's "SerialPort" setting changed (GUI thread).
  void RequestReopen(QvScoreboard& board, const KString& settings);
  void Tick(uint32_t tickCount) override;

  KMutex mutex;
  std::vector<std::unique_ptr<QvScoreboard>> boards;
  // The requests, under the mutex.
  ScoreboardRequests pending;
  QvEvent* currentEvent = nullptr;

  static inline TimeOfDaySource timeOfDaySource = nullptr;
};
