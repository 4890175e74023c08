#pragma once
// The panes of an event window in the order of their layout entries, and what the event window does with
// them: lay them out (only the first pane of each kind shows its window; the space of the others goes to
// their neighbours), choose the current summary, results and chart windows, and let a chart pane fill the
// whole client area and return to the layout.

#include <functional>
#include <memory>
#include <vector>

#include "app/eventlayout.h"
#include "app/eventpane.h"
#include "app/panewindow.h"
#include "toolkit/kzgeommgr.h"

class QvZEventMDI;
class ZafWindow;

class EventPaneTable {
 public:
  // The view a pane window of that kind is handed when its pane is attached.
  using ModelFor = std::function<PaneModel(PaneKind)>;

  EventPaneTable(ZafWindow& eventWindow, KZGeomMgr& manager);
  // Deletes the panes, each with what it still holds.
  ~EventPaneTable();
  EventPaneTable(const EventPaneTable&) = delete;
  EventPaneTable& operator=(const EventPaneTable&) = delete;

  // Adds a pane for each entry, its window made by the maker of the entry's kind with `owner` as owner.
  void Build(const std::vector<EventLayoutEntry>& entries, QvZEventMDI* owner);
  // Reset, attach, distribute the space, apply the constraints and choose the current windows.
  void Layout(const ModelFor& modelFor);

  // Takes every window out of the event window and every constraint out of the manager; each pane's
  // current rectangle becomes its layout rectangle, its saved rectangle none.
  void Reset();
  // The first pane of each kind (summary, results, chart) that is not attached gets its model, its window
  // goes into the event window and its constraints into the manager.
  void Attach(const ModelFor& modelFor);
  // The space of the panes without a window goes to their neighbours.
  void Distribute();
  void ApplyConstraints();
  // A current window stays while it has a view; otherwise the first window of its kind that has one.
  void ChooseCurrentWindows();

  PaneWindow* Current(PaneKind kind) const;
  // A pane window makes itself the current one of its kind.
  void SetCurrent(PaneKind kind, PaneWindow* window);

  // Lets the chart pane of `chartWindow` fill the client area, the other windows taken out; false, with
  // nothing done, when a pane is enlarged already or the window is no chart pane's. The event window then
  // lays its windows out again.
  bool Enlarge(PaneWindow* chartWindow);
  // Brings the layout back when the enlarged pane is that of `chartWindow`; false otherwise.
  bool Restore(PaneWindow* chartWindow);
  bool IsEnlarged() const { return enlarged != nullptr; }

  // Every pane window lets go of its view; called before the event document is deleted.
  void ReleaseViews();

  const std::vector<std::unique_ptr<EventPane>>& Panes() const { return panes; }

 private:
  static constexpr int kKinds = 3;
  static int Index(PaneKind kind) { return static_cast<int>(kind) - 1; }
  EventPane* FirstOfKind(PaneKind kind) const;
  void Hide(EventPane& pane);
  void Show(EventPane& pane);

  ZafWindow& eventWindow;
  KZGeomMgr& manager;
  std::vector<std::unique_ptr<EventPane>> panes;
  PaneWindow* current[kKinds] = {};
  EventPane* enlarged = nullptr;
};
