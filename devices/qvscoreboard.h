#pragma once
// One scoreboard: its settings entry under "\Scoreboards\", its serial port, its script and what it has
// shown (results pages, the time of day, a message). The output task of QvScoreboards serves every board
// once per tick; a board never blocks and never calls the GUI.

#include <cstdint>
#include <string>
#include <vector>

#include "devices/scoreboardscript.h"
#include "foundation/kdatetime.h"
#include "foundation/kmutex.h"
#include "foundation/kserialport.h"
#include "foundation/kstring.h"

class KRGroup;
class KRString;
class QvEvent;
class QvResult;
class QvResults;
class QvScoreboards;
struct ScoreboardFields;

// What the GUI asked of the boards since the last tick, handed to every board.
struct ScoreboardRequests {
  bool initialize = false;
  bool invalidate = false;
  bool showMessage = false;
  std::vector<KString> message;  // the message lines
  bool timeOfDay = false;
  bool twentyFourHours = false;
  KDateTime now;
  bool Any() const { return initialize || invalidate || showMessage; }
};

class QvScoreboard {
 public:
  enum ResultsMode : int32_t { kResultsOff = 0, kResultsAutomatic = 1, kResultsManual = 2 };
  // The board's settings, read on the GUI thread when the board is made and at each initialise request.
  struct Settings {
    KString name;
    KString portSettings;
    int32_t codeSet = 0;
    int32_t minUpdateDelay = 0;
    int32_t resultsMode = kResultsOff;
    bool sendPlace = false;
    bool pageMode = true;
    int32_t pageSize = 1;
    int32_t pageTime = 5000;
    bool includeFirst = false;
    bool affiliationAbbreviated = false;
    static Settings Read(const KRGroup& entry);
  };

  // Reads the entry's settings and the script (a missing or faulty script is logged), and attaches the
  // board to the entry's "SerialPort" setting so that a change reopens the port.
  QvScoreboard(QvScoreboards& owner, KRGroup& entry, const KString& scriptPath);
  ~QvScoreboard();
  QvScoreboard(const QvScoreboard&) = delete;
  QvScoreboard& operator=(const QvScoreboard&) = delete;

  const KRGroup& Entry() const { return entry; }
  bool ListensTo(const KRString* node) const { return node != nullptr && node == portNode; }
  bool IsPortOpen() const { return port.IsOpen(); }

  // GUI thread, with the owner's mutex held: new settings and the script (read again from scriptPath)
  // take effect at the next tick.
  void ReloadSettings(const KString& scriptPath);
  // A port setting equal to the one in force changes nothing (and withdraws a change not yet taken).
  void SetPortSettings(const KString& text);

  // The task's step for this board (the owner's mutex held, the event's mutex held when there is one):
  // decides what the board is sent and renders it, ready for Flush.
  void Serve(uint32_t now, const ScoreboardRequests& requests, const QvEvent* event);
  // Writes what Serve rendered (the owner's mutex held, the event's mutex released, so a slow line never
  // holds up a change of the event).
  void Flush();

  // The results in board order and their places (0 for none): Valid results with a finish time first,
  // fastest first, equal times sharing a place; then the others in list order. Lanes not in use are left out.
  static void Order(const QvResults& results, std::vector<const QvResult*>& ordered,
                    std::vector<int32_t>& places);
  // The results (as indexes into the ordered list) on page `page`; empty past the last page.
  static std::vector<int32_t> PageRows(int32_t resultCount, int32_t page, int32_t pageSize,
                                       bool includeFirst);

 private:
  static bool PortSettingChanged(KRString* node, const KString& text, void* board);
  // Reads and parses the script; a script that is missing or cannot be read is logged and sends nothing,
  // and each fault of a script is logged.
  ScoreboardScript LoadScript(const KString& scriptPath) const;
  bool OpenPort();
  void RestartResults(uint32_t now, bool manualToo);
  // The results from the first page and the time of day, with no message over them.
  void ShowAgain(uint32_t now, bool manualToo);
  void FollowResults(uint32_t now, const QvEvent* event);
  void ServeTurns(uint32_t now, const ScoreboardRequests& requests, const QvEvent* event);
  bool DelayPassed(uint32_t now) const;
  bool PageIsDue(uint32_t now, const QvEvent* event) const;
  bool TimeOfDayIsDue(const ScoreboardRequests& requests) const;
  void SendSection(ScoreboardScript::Section section, const ScoreboardFields& fields,
                   std::string& bytes) const;
  void SendPage(uint32_t now, const QvEvent* event);
  void SendTimeOfDay(uint32_t now, const ScoreboardRequests& requests);
  // Adds bytes for Flush to write; the update delay counts from now.
  void Queue(uint32_t now, const std::string& bytes);
  void Log(const KString& what) const;

  QvScoreboards& owner;
  KRGroup& entry;
  KRString* portNode = nullptr;
  ScoreboardScript script;
  Settings settings;
  KString pendingPortSettings;
  bool reopenPending = false;
  KMutex mutex;
  KSerialPort port;
  bool openTried = false;
  // What the board shows.
  const QvEvent* shownEvent = nullptr;
  uint32_t shownChangeCount = 0;
  bool pagingActive = false;
  int32_t nextPage = 0;
  uint32_t pageDue = 0;
  bool messageShown = false;
  // A Refresh or Initialize has asked for the results: a manual board shows them again after a message.
  bool resultsAsked = false;
  int32_t lastTimeSecond = -1;
  bool lastTwentyFourHours = false;
  // The time of day went out last: when it and a page wait for the update delay together, the page goes
  // first, so the two take turns.
  bool timeOfDayWentLast = false;
  bool hasOutput = false;
  uint32_t lastOutputTick = 0;
  std::string outgoing;  // rendered by Serve, written by Flush
};
