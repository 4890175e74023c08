#pragma once
// The windows an event window lays out in its panes (the summary, the results and the chart window) as
// the event window sees them: it hands each the view of its kind when it attaches the pane, asks whether
// the window still has a view when it chooses its current windows, has it let go of its view before the
// event document is deleted, and passes it commands through the window's own event handler.

#include <cstdint>

class QvChartView;
class QvEventView;
class QvResultsView;
class ZafWindowObject;

enum class PaneKind : int32_t { kSummary = 1, kResults = 2, kChart = 3 };

// The view a pane window is handed: the event's view for a summary window, the first view of the current
// leg's results for a results window, view 0 of the leg's first chart for a chart window.
struct PaneModel {
  QvEventView* eventView = nullptr;
  QvResultsView* resultsView = nullptr;
  QvChartView* chartView = nullptr;
};

class PaneWindow {
 public:
  virtual ~PaneWindow() = default;

  // The window added to and taken out of the event window; its Event handler takes the commands.
  virtual ZafWindowObject* Window() = 0;
  virtual void TakeModel(const PaneModel& model) = 0;
  virtual bool HasView() const = 0;
  // Lets go of the view; called before the document that holds the view is deleted.
  virtual void ReleaseView() = 0;
};
