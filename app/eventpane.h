#pragma once
// One pane of an event window: the window made for a layout entry, its four relative constraints, and the
// pane's rectangles (as laid out, saved while a chart pane is enlarged, and current). While the window is
// attached it is a child of the event window, which deletes it with its other children; while the
// constraints are in the geometry manager they are the manager's. Otherwise the pane deletes them.

#include <array>
#include <cstdint>

#include "app/eventlayout.h"
#include "app/panerect.h"
#include "app/panewindow.h"
#include "foundation/kstring.h"
#include "toolkit/kzgeommgr.h"

class KZGeomRC;
class ZafWindow;

class EventPane {
 public:
  // Flag bits.
  static constexpr uint32_t kAttached = 1;
  static constexpr uint32_t kConstraintsInManager = 2;
  static constexpr uint32_t kDetachedByEnlarge = 4;

  // Takes the window, which may be null; the constraints are made on it with the value 0 and no offset.
  EventPane(const EventLayoutEntry& entry, PaneWindow* window);
  ~EventPane();
  EventPane(const EventPane&) = delete;
  EventPane& operator=(const EventPane&) = delete;

  PaneKind Kind() const { return kind; }
  const KString& Label() const { return label; }
  PaneWindow* Window() const { return window; }
  uint32_t Flags() const { return flags; }
  bool Has(uint32_t flag) const { return (flags & flag) != 0; }
  void SetFlag(uint32_t flag, bool on) { flags = on ? flags | flag : flags & ~flag; }

  // Adds the window to the event window (bit 1), or takes it out again.
  void AttachTo(ZafWindow& eventWindow);
  void DetachFrom(ZafWindow& eventWindow);
  // Hands the four constraints to the manager (bit 2), or takes them back.
  void AddConstraintsTo(KZGeomMgr& manager);
  void RemoveConstraintsFrom(KZGeomMgr& manager);
  // Sets the constraints from the current rectangle.
  void ApplyConstraints();
  // The left, top, right and bottom constraints.
  const std::array<KZGeomRC*, 4>& Constraints() const { return constraints; }

  // In percent of the event window's client area.
  PaneRect layout;
  PaneRect saved;
  PaneRect current;

 private:
  PaneKind kind;
  KString label;
  PaneWindow* window;
  std::array<KZGeomRC*, 4> constraints{};
  uint32_t flags = 0;
};
