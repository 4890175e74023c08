#pragma once
// The results table of an event window: one row per result of the event's result list in the order of a
// results view, nine columns (lane, status, id, first name, last name, affiliation, licence, reaction time,
// power). The user sets a result's status from a pop-up menu and edits the athlete texts in place; the
// Results menu's commands reach it through its results window. Its operations on the control unit (the
// download of the latest trial, sending the title and the lane states) run on the program's link port.

#include <cstdint>

#include "foundation/kstring.h"
#include "toolkit/kzeditableselector.h"

class KSerialPort;
class KZPrinter;
class YZPrinter;
class QvBlockSensors;
class QvEvent;
class QvResult;
class QvResults;
class QvResultsView;
class QvZResultsTitle;
class QvZResultsWindow;
class YLeg;

class QvZResultsPane : public KZEditableSelector {
 public:
  static constexpr int32_t kColumnCount = 9;
  static constexpr int32_t kLaneColumn = 0;
  static constexpr int32_t kStatusColumn = 1;
  // The columns the user edits in place (the licence only by Tab), and the columns a press opens the
  // edit field on.
  static constexpr int32_t kFirstEditColumn = 2;
  static constexpr int32_t kLastEditColumn = 6;
  static constexpr int32_t kLastPressEditColumn = 5;

  // The commands of the result status codes 0 to 6; 7, a lane not in use, is never offered.
  static constexpr ZafEventType kFirstStatusCommand = 10492;
  static constexpr int32_t kMenuStatusCount = 7;

  static constexpr ZafEventType kPrinterSetupCommand = 10526;
  static constexpr ZafEventType kPrintCommand = 10527;
  static constexpr ZafEventType kAddReactionTimesCommand = 10528;
  static constexpr ZafEventType kDownloadTraceCommand = 10529;
  static constexpr ZafEventType kOverlayModeCommand = 10531;
  static constexpr ZafEventType kShowAllChartsCommand = 10533;
  // The results tool bar's schedule buttons: the previous entry, the schedule dialog's choice, the next.
  static constexpr ZafEventType kSchedulePreviousCommand = 10538;
  static constexpr ZafEventType kScheduleChooseCommand = 10539;
  static constexpr ZafEventType kScheduleNextCommand = 10540;

  // Logical colours: red text for a false start, dark grey behind a lane not in use.
  static constexpr uint8_t kFalseStartColour = 12;
  static constexpr uint8_t kLaneNotUsedColour = 8;

  QvZResultsPane(QvZResultsWindow* window, QvResultsView* view);
  ~QvZResultsPane() override;

  // Attaches a view (null detaches): the false-start rule runs on its results, and the pane opens where
  // the user left the view.
  void SetView(QvResultsView* view);
  QvResultsView* View() const { return itsView; }
  QvResults* Results() const { return itsResults; }
  QvZResultsTitle* Title() const { return title; }
  // The text a result of that status shows, as the status menu offers it.
  static KString StatusText(int32_t status);
  // The result of a row in the view's order; null outside.
  QvResult* ResultAt(int32_t row) const;
  QvEvent* GetEvent() const;

  // Fetches the latest trial from the control unit into the results: reaction times, traces or both.
  // False when there is no port, the port does not open, another operation holds the link or no result
  // can be made for a lane; true on every other end, whether data came or not.
  bool Download(bool addReactionTimes, bool downloadTraces);
  // Prints the results in the pane's order on the results printer: true when the job ended normally.
  bool Print();
  // The one results printer of the program, made at the class set-up with its margins from the settings
  // and deleted at the clean-up, its margins written back; null outside.
  static void RegisterPrintDefaults();
  static void UnregisterPrintDefaults();
  static YZPrinter* Printer();

  // Sends a text for the unit to show; the lane state of every result.
  bool SendTitle(const KString& text);
  bool SendLaneStates();

  // ---- the selector ----
  int32_t ColumnCount(KPoint cell) override;
  void CellText(KPoint cell, int32_t column, KString& text, uint32_t& textFlags) override;
  ZafPaletteStruct ColumnPalette(KPoint cell, int32_t column, uint16_t type, uint16_t state) override;
  ZafPaletteStruct CellPalette(KPoint cell, uint16_t type, uint16_t state) override;
  bool SetCurrentCell(KPoint cell) override;
  bool SetPosition(KPoint position) override;
  void Refresh() override;
  bool EditCell(KPoint pixel, int32_t how) override;
  bool CanEditCell(KPoint cell, int32_t column) override;
  int32_t NextEditColumn(KPoint cell, int32_t from) override;
  int32_t PrevEditColumn(KPoint cell, int32_t from) override;
  void StoreEdit(int32_t column, KZEditableSelectorString& editor, ZafEventType reason) override;
  bool EditClosed() override;
  ZafEventType Event(const ZafEventRecord& event) override;
  // The columns follow the view's layout for the pane's width.
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;

 private:
  // The status pop-up at a screen point for the result of the current row.
  void ShowStatusMenu(KPoint screen);
  void SetCurrentStatus(int32_t status);
  void ShowAllCharts();
  // Reads the schedule entry a step away (-1, 0 the dialog's choice, 1) into the event of the pane's event
  // window, marks it modified and sends its title to the unit.
  void ScheduleStep(int32_t direction);
  void UpdateMenu();
  void LayOutColumns();
  // Whether a column of the current row has any visible area.
  bool ColumnVisible(KPoint cell, int32_t column);
  YLeg* Leg() const;

  // ---- printing (qvzresultspaneprint.cpp) ----
  void PrintHeaderAndFooter(KZPrinter& printer, int32_t page, int32_t pages);
  void PrintRows(KZPrinter& printer, int32_t titleLine, int32_t first, int32_t rows);

  // ---- the control unit (qvzresultspanelink.cpp) ----
  struct TrialHeader;
  class TrialLanes;
  class LinkOperation;
  enum class Purpose { kDownload, kSingleRequest };
  // How the start of an operation ended: the operation goes on with the port open; or the port is closed
  // and the operation returns, `answer` being what it returns, ended or broken off by a stop asked.
  enum class Opening { kRunning, kEnded, kBrokenOff };
  // Opens the link port on the first named serial port, probes the unit and asks for its latest trial
  // header. A stop asked meanwhile breaks the operation off unasked once the request on the line has ended.
  Opening OpenAndProbe(Purpose purpose, TrialHeader& header, bool& endless, bool& answer);
  // How a way of fetching ended: the end steps follow, or (kFailed: no port, or no result can be made for a
  // lane) the download ends at once.
  enum class FetchEnd { kEnded, kBrokenOff, kFailed };
  FetchEnd FetchHeaderTimes(QvBlockSensors& link, KSerialPort& port, const TrialHeader& header,
                            TrialLanes& trial);
  FetchEnd FetchLanes(QvBlockSensors& link, KSerialPort& port, const TrialHeader& header, TrialLanes& trial,
                      bool wantTimes, bool wantTraces, bool endless);
  static int32_t ProgressStep(const TrialHeader& header);
  // The false-start rule, the title and the charts after a download; a download broken off shows no more
  // progress.
  void DownloadEnd(bool wantTraces, bool brokenOff);
  // Fetches a lane's record (and trace, with `wantTraces`) and writes it, asking Abort, Retry or Ignore when
  // every attempt failed; Ignore writes the lane as having given nothing. False on Abort, or unasked when
  // the download's stop was asked during the attempts, which ends them; the lane as it was.
  bool WriteLaneRecord(QvBlockSensors& link, KSerialPort& port, const TrialHeader& header, TrialLanes& trial,
                       QvResult& result, int32_t lane, bool wantTimes, bool wantTraces);
  // The result a download writes the lane's data into, made when missing in an event that takes the unit's
  // lanes; null for a lane not in use or not the race's, and with `failed` when no result can be made.
  QvResult* LaneToWrite(int32_t lane, bool& failed);
  // After a lane: its row shown when it was written, the progress, then one pass of the queued events. When
  // lanes follow, the break key is read before the pass, which would hand it to a window, and a stop asked in
  // the pass (an exit) is looked at after it: true when either stops the download.
  bool LaneDone(QvResult* result, bool wantTimes, int32_t lane, int32_t step, bool lanesFollow);
  bool RunSingleRequest(bool sendTitle, const KString& text);

  QvZResultsWindow* itsWindow;
  QvResults* itsResults = nullptr;
  QvResultsView* itsView = nullptr;
  // The result whose texts the edit field is editing; null outside an edit.
  QvResult* editedResult = nullptr;
  QvZResultsTitle* title = nullptr;
};
