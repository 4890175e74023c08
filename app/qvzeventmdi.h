#pragma once
// The window of one event document inside the main frame. It owns the document, lays its client area out in
// pane windows from the "\Event\Layout\" entries, carries out the document's file commands, passes the chart
// and results commands to its current chart and results windows, serves the document's pending requests on
// the idle tick and asks before a modified document is closed.

#include <cstdint>
#include <memory>

#include "app/panewindow.h"
#include "framework/core/zafeventrecord.h"
#include "model/qveventview.h"
#include "toolkit/kzgeommgr.h"
#include "toolkit/kzmdichild.h"

class EventPaneTable;
class QvEvent;
class YLeg;

// The file commands an event window serves.
inline constexpr ZafEventType SaveCommand = 10003;
inline constexpr ZafEventType SaveAsCommand = 10004;
inline constexpr ZafEventType SaveFalseStartCommand = 10005;
inline constexpr ZafEventType SaveQxfCommand = 10127;
// The commands of the chart and the results windows.
inline constexpr ZafEventType FirstChartCommand = 10479;
inline constexpr ZafEventType LastChartCommand = 10490;
inline constexpr ZafEventType FirstResultsCommand = 10491;
inline constexpr ZafEventType LastResultsCommand = 10541;

class QvZEventMDI : public KZMDIChild, public QvEventView::Window {
 public:
  // Save modes: under the document's name, asking for a name, a false-start copy.
  static constexpr int32_t kSave = 1;
  static constexpr int32_t kSaveAs = 17;
  static constexpr int32_t kSaveFalseStartCopy = 33;
  // The restored size, in pixels; the window opens maximised.
  static constexpr int32_t kWidth = 500;
  static constexpr int32_t kHeight = 350;

  // Takes the document over and lays out its panes; the caller adds the window to the main frame.
  explicit QvZEventMDI(std::unique_ptr<QvEvent> event);
  // The pane windows let go of their views before the document goes.
  ~QvZEventMDI() override;
  QvZEventMDI(const QvZEventMDI&) = delete;
  QvZEventMDI& operator=(const QvZEventMDI&) = delete;

  // Installs the built-in layout when the settings have none.
  static void SetupClass();

  QvEvent* GetEvent() const { return document.get(); }
  YLeg* CurrentLeg() const { return currentLeg; }
  const EventPaneTable& Panes() const { return *panes; }
  PaneWindow* CurrentWindow(PaneKind kind) const;

  ZafEventType Event(const ZafEventRecord& event) override;
  // Saves the document by mode; true when it was saved.
  bool Save(int32_t mode);

  // A chart window's pane fills the whole client area, and returns to the layout.
  void EnlargeChart(PaneWindow* chartWindow);
  void RestoreChart(PaneWindow* chartWindow);
  // A pane window makes itself the current one of its kind.
  void SetCurrentChart(PaneWindow* window);
  void SetCurrentSummary(PaneWindow* window);
  void SetCurrentResults(PaneWindow* window);
  // After the toolkit's activation the current chart window registers itself again.
  void Activate() override;

  // The caption names the document (after a save, or when the schedule put another heat in it).
  void ShowFileTitle();

  // The event window shows nothing of the view itself: its summary window does.
  void Notify(const KMessage&) override {}

 private:
  PaneModel ModelFor(PaneKind kind) const;
  ZafEventType PassToCurrent(PaneKind kind, const ZafEventRecord& event, ZafEventType code);
  void SaveQxf();
  // The close and exit prompts: the event code when the window may close, 0 when it stays.
  ZafEventType AskBeforeClosing(ZafEventType code, bool exiting);
  void UpdateMenu(const ZafEventRecord& event);
  void Relayout();

  std::unique_ptr<QvEvent> document;
  YLeg* currentLeg = nullptr;
  // A child of the window, which deletes it.
  KZGeomMgr* geometry;
  std::unique_ptr<EventPaneTable> panes;
  // The close or exit question (or the save its Yes starts) is open.
  bool asking = false;
};
