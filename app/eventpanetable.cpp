#include "app/eventpanetable.h"

#include "app/panespace.h"
#include "app/panewindowmakers.h"

namespace {

// Attached and chosen in this order.
constexpr PaneKind kKindOrder[] = {PaneKind::kSummary, PaneKind::kResults, PaneKind::kChart};
constexpr PaneRect kWholeArea{0, 0, 100, 100};

}  // namespace

EventPaneTable::EventPaneTable(ZafWindow& eventWindow, KZGeomMgr& manager)
    : eventWindow(eventWindow), manager(manager) {}

EventPaneTable::~EventPaneTable() = default;

void EventPaneTable::Build(const std::vector<EventLayoutEntry>& entries, QvZEventMDI* owner) {
  for (const EventLayoutEntry& entry : entries) {
    panes.push_back(std::make_unique<EventPane>(entry, PaneWindowMakers::Make(entry.kind, owner)));
  }
}

void EventPaneTable::Layout(const ModelFor& modelFor) {
  Reset();
  Attach(modelFor);
  Distribute();
  ApplyConstraints();
  ChooseCurrentWindows();
}

void EventPaneTable::Reset() {
  for (const auto& pane : panes) {
    pane->DetachFrom(eventWindow);
    pane->RemoveConstraintsFrom(manager);
    pane->current = pane->layout;
    pane->saved = PaneRect::None();
  }
}

void EventPaneTable::Attach(const ModelFor& modelFor) {
  for (const PaneKind kind : kKindOrder) {
    EventPane* pane = FirstOfKind(kind);
    if (pane == nullptr || pane->Has(EventPane::kAttached) || pane->Window() == nullptr) {
      continue;
    }
    pane->Window()->TakeModel(modelFor(kind));
    pane->AttachTo(eventWindow);
    pane->current = pane->layout;
    pane->AddConstraintsTo(manager);
  }
}

void EventPaneTable::Distribute() {
  std::vector<PaneSpace> spaces;
  for (const auto& pane : panes) {
    spaces.push_back(PaneSpace{pane->current, pane->Has(EventPane::kAttached)});
  }
  DistributeSpace(spaces);
  for (std::size_t i = 0; i < panes.size(); ++i) {
    panes[i]->current = spaces[i].rect;
  }
}

void EventPaneTable::ApplyConstraints() {
  for (const auto& pane : panes) {
    if (pane->Has(EventPane::kConstraintsInManager)) {
      pane->ApplyConstraints();
    }
  }
}

void EventPaneTable::ChooseCurrentWindows() {
  for (const PaneKind kind : kKindOrder) {
    PaneWindow*& chosen = current[Index(kind)];
    if (chosen != nullptr && chosen->HasView()) {
      continue;
    }
    chosen = nullptr;
    for (const auto& pane : panes) {
      if (pane->Kind() == kind && pane->Window() != nullptr && pane->Window()->HasView()) {
        chosen = pane->Window();
        break;
      }
    }
  }
}

PaneWindow* EventPaneTable::Current(PaneKind kind) const {
  return current[Index(kind)];
}

void EventPaneTable::SetCurrent(PaneKind kind, PaneWindow* window) {
  current[Index(kind)] = window;
}

bool EventPaneTable::Enlarge(PaneWindow* chartWindow) {
  if (enlarged != nullptr || chartWindow == nullptr) {
    return false;
  }
  EventPane* found = nullptr;
  for (const auto& pane : panes) {
    if (pane->Kind() == PaneKind::kChart && pane->Window() == chartWindow) {
      found = pane.get();
      break;
    }
  }
  if (found == nullptr) {
    return false;
  }
  for (const auto& pane : panes) {
    if (pane.get() != found) {
      Hide(*pane);
    }
  }
  found->saved = found->current;
  found->current = kWholeArea;
  found->ApplyConstraints();
  enlarged = found;
  SetCurrent(PaneKind::kChart, chartWindow);
  return true;
}

bool EventPaneTable::Restore(PaneWindow* chartWindow) {
  if (enlarged == nullptr || enlarged->Window() != chartWindow) {
    return false;
  }
  enlarged->current = enlarged->saved;
  enlarged->saved = PaneRect::None();
  enlarged->ApplyConstraints();
  for (const auto& pane : panes) {
    if (pane.get() != enlarged) {
      Show(*pane);
    }
  }
  enlarged = nullptr;
  return true;
}

void EventPaneTable::ReleaseViews() {
  for (const auto& pane : panes) {
    if (pane->Window() != nullptr) {
      pane->Window()->ReleaseView();
    }
  }
}

EventPane* EventPaneTable::FirstOfKind(PaneKind kind) const {
  for (const auto& pane : panes) {
    if (pane->Kind() == kind) {
      return pane.get();
    }
  }
  return nullptr;
}

// Takes a pane out of the way of an enlarged chart pane.
void EventPaneTable::Hide(EventPane& pane) {
  if (pane.Has(EventPane::kAttached)) {
    pane.DetachFrom(eventWindow);
    pane.SetFlag(EventPane::kDetachedByEnlarge, true);
  }
  pane.RemoveConstraintsFrom(manager);
}

// Brings back a pane that an enlarged chart pane took out of the way.
void EventPaneTable::Show(EventPane& pane) {
  if (pane.Has(EventPane::kDetachedByEnlarge)) {
    pane.SetFlag(EventPane::kDetachedByEnlarge, false);
    pane.AttachTo(eventWindow);
    pane.AddConstraintsTo(manager);
  }
}
