#include "app/eventpane.h"

#include "app/paneconstraints.h"
#include "framework/core/zafwindow.h"
#include "toolkit/kzgeomflags.h"
#include "toolkit/kzgeomrc.h"

namespace {

// The sides of the left, top, right and bottom constraints; the right and bottom edges stretch the window.
constexpr int32_t kSides[] = {KZGEOM_LEFT, KZGEOM_TOP, KZGEOM_RIGHT | KZGEOM_STRETCH,
                              KZGEOM_BOTTOM | KZGEOM_STRETCH};

}  // namespace

EventPane::EventPane(const EventLayoutEntry& entry, PaneWindow* window)
    : layout(entry.rect), kind(entry.kind), label(entry.label), window(window) {
  ZafWindowObject* object = window != nullptr ? window->Window() : nullptr;
  for (std::size_t side = 0; side < constraints.size(); ++side) {
    constraints[side] = new KZGeomRC(object, kSides[side], 0, 0);
  }
}

EventPane::~EventPane() {
  if (!Has(kConstraintsInManager)) {
    for (KZGeomRC* constraint : constraints) {
      delete constraint;
    }
  }
  if (!Has(kAttached)) {
    delete window;
  }
}

void EventPane::AttachTo(ZafWindow& eventWindow) {
  if (!Has(kAttached) && window != nullptr) {
    eventWindow.Add(window->Window());
    SetFlag(kAttached, true);
  }
}

void EventPane::DetachFrom(ZafWindow& eventWindow) {
  if (Has(kAttached)) {
    eventWindow.Subtract(window->Window());
    SetFlag(kAttached, false);
  }
}

void EventPane::AddConstraintsTo(KZGeomMgr& manager) {
  if (!Has(kConstraintsInManager)) {
    for (KZGeomRC* constraint : constraints) {
      manager.AddConstraint(constraint);
    }
    SetFlag(kConstraintsInManager, true);
  }
}

void EventPane::RemoveConstraintsFrom(KZGeomMgr& manager) {
  if (Has(kConstraintsInManager)) {
    for (KZGeomRC* constraint : constraints) {
      manager.SubtractConstraint(constraint);
    }
    SetFlag(kConstraintsInManager, false);
  }
}

void EventPane::ApplyConstraints() {
  const PaneConstraintValues values = ConstraintValuesFor(current);
  constraints[0]->SetValue(values.left);
  constraints[1]->SetValue(values.top);
  constraints[2]->SetValue(values.right);
  constraints[2]->SetEdgeOffset(values.rightOffset);
  constraints[3]->SetValue(values.bottom);
  constraints[3]->SetEdgeOffset(values.bottomOffset);
}
