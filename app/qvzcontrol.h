#pragma once
// The program's main window: the multiple-document frame that holds the menu bar, the hardware tool bar,
// the status bar and the event windows. It opens maximised, builds its menus from the
// "\Strings\MenuBar\..." texts, serves the menu commands that are not an event window's (new, open and
// the schedule steps, the scoreboards, the chart display, the uploads, help and about), enables them
// before a menu opens, and fans the idle tick out to the hardware manager, the reaction-time link, the
// current event window, the tool bar, the scoreboards and the status bar.

#include <cstdint>
#include <memory>

#include "app/linkwaiting.h"
#include "foundation/kstring.h"
#include "framework/core/zafeventrecord.h"
#include "imaging/ui/yzeventcommands.h"
#include "model/qvevent.h"
#include "toolkit/kzcontrol.h"

class KZPullDownMenu;
class QvScoreboards;
class QvZEventMDI;
class QvSchedule;
class QvZStatusBar;
class YHardware;
class YLeg;
class YZHardwareBar;
class YZHardwareMDI;

class QvZControl : public KZControl, public YZEventCommands {
 public:
  // Builds the whole frame over the program's hardware manager; the reaction-time link, when given, is
  // served on every idle tick. The "-devel" and "-gunaudio" options come from the application object's
  // arguments (none without one).
  explicit QvZControl(YHardware& hardware, QvSchedule* schedule = nullptr);
  ~QvZControl() override;
  QvZControl(const QvZControl&) = delete;
  QvZControl& operator=(const QvZControl&) = delete;

  ZafEventType Event(const ZafEventRecord& event) override;

  // The menu bar and status bar of the frame built last (null before); the start routine copies them into
  // the program-wide globals.
  static KZPullDownMenu* GetMenuBar() { return menuBar; }
  static QvZStatusBar* GetStatusBar() { return statusBar; }

  YZHardwareBar* HardwareBar() const { return hardwareBar; }
  // Opens the hardware list window over the hardware manager as a child of the frame. No command opens it.
  YZHardwareMDI* OpenHardwareWindow();

  // ---- event documents ----
  // Each answers the window that shows the event, or null when the user cancelled or it failed (the
  // failure shown as a numbered error).
  QvZEventMDI* NewEvent();
  // Without a name the user picks the file; a window already showing the file comes forward. The file is
  // read before the single-event rule closes the current window, which a failure leaves as it was.
  QvZEventMDI* OpenEventFile(const KString* name);
  // Which road a schedule step took: none, a new window, into the given window's event, or none needed
  // since the given window holds the race already.
  enum class RacePlaced { kNowhere, kNewWindow, kIntoWindow, kWindowsOwn };
  // Direction -1 previous, 0 the schedule dialog's choice, 1 next, stepping from `window`'s race when it
  // holds one, else from the schedule's current race; the race gone to becomes the current one. Into
  // `window`'s event when it holds none (its modified mark kept), nothing when it holds that race already,
  // else into a new window, made before the single-event rule closes the current one, which may be
  // `window`. `placed`, when given, tells which road the race took, since a closed `window`'s address may
  // be the new one's.
  QvZEventMDI* ScheduleGoto(int32_t direction, QvZEventMDI* window, int32_t flag,
                            RacePlaced* placed = nullptr);
  // Under "\Event\SingleEvent", asks every event window to close; false when one refuses.
  bool CloseForSingleEvent();
  // Whether one event window at a time is kept ("\Event\SingleEvent", checked where it is read, at each
  // New, Open and schedule step, so that a change made in the Options holds at once).
  static bool SingleEventOn();
  // A result for each lane 1 to "\Event\Results\DefaultLanes" not yet in the event's last leg.
  static void AddDefaultLanes(QvEvent& event, bool statusCheck);
  static int32_t SaveEvent(QvEvent& event, int32_t flags);
  QvZEventMDI* FindEventWindow(ZafWindowObject* after) const;
  QvZEventMDI* CurrentEventWindow() const;
  // The first leg of every event window's event sends its redraw, reset or clear notification.
  void RedrawAllEvents();
  void ResetAllEvents();
  void ClearAllEvents();

  static constexpr int32_t kHelpContents = 0;
  static constexpr int32_t kHelpQuit = 1;
  // The help file, in the program's folder.
  static constexpr char16_t kHelpFile[] = u"Kestrove_Help.hlp";
  // The help viewer: 0 shows the help file's contents, 1 tells the viewer to quit.
  int32_t Help(int32_t mode);
  void About();

  // The Chart menu's development items: the display mode (a command from 10169 to 10173) and whether the
  // local algorithm's reaction-time line shows. They live for the run; the chart windows read them.
  static ZafEventType ChartDisplayMode() { return chartDisplayMode; }
  // Show All Charts of a results pane chooses the summed display of every lane.
  static void ShowAllCharts() { chartDisplayMode = kAllChartsDisplayMode; }
  static bool LocalAlgorithmLine() { return localAlgorithmLine; }

  QvEvent* NewEventDocument() override;
  QvEvent* OpenEventDocument() override;
  QvEvent* ScheduleStep(int32_t direction) override;

 private:
  // The program's scoreboards; null when none are configured.
  static QvScoreboards* Scoreboards();
  ZafEventType ServeCommand(ZafEventType code, const ZafEventRecord& event);
  void IdleFanOut(const ZafEventRecord& event);
  void EnableMenuCommands();
  void ServeScoreboardCommand(ZafEventType code);
  void ServeChartCommand(ZafEventType code);
  // The Options commands: the dialog again until the chart's X range is usable, then every event window
  // redraws (unless cancelled), resets and clears.
  void RunOptions(ZafEventType code);
  ZafEventType RunOptionsDialog(ZafEventType code);
  // The firmware and audio uploads, repeated while the user asks for more.
  void RunUploads(bool firmware);
  // The event window showing the file, brought to the front; null when none shows it.
  QvZEventMDI* BringForwardWindowOf(const KString& path);
  // The event window, other than the one of `except`, whose document's file is that file; null when none.
  QvZEventMDI* WindowHoldingFile(const KString& path, const QvEvent* except) const;
  QvZEventMDI* ShowInNewWindow(std::unique_ptr<QvEvent> event);
  // The question before a race placed into a window's event replaces athlete texts typed into its lanes;
  // No, the default, keeps them.
  static bool AgreesToReplaceTypedAthletes();
  // The file check of every save of an event document while the frame lives: a file that another event
  // window's document has is not written, and the user is told which window holds it. Written over, it
  // would take that window's race out of its file, while the window, unchanged, would close without asking.
  bool MayWriteFile(const QvEvent& saving, const KString& path) const;
  void SendToFirstLegs(void (YLeg::*send)());

  static constexpr ZafEventType kAllChartsDisplayMode = 10173;
  static inline ZafEventType chartDisplayMode = kAllChartsDisplayMode;
  static inline bool localAlgorithmLine = true;
  static inline KZPullDownMenu* menuBar = nullptr;
  static inline QvZStatusBar* statusBar = nullptr;

  YZHardwareBar* hardwareBar = nullptr;
  YZHardwareMDI* hardwareWindow = nullptr;
  YHardware* itsHardware;
  QvSchedule* itsSchedule;
  // The message loop's wait on the reaction-time link.
  LinkWaiting scheduleWaiting;
};
