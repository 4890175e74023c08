#pragma once
// The title row of the hardware list: its boundaries are the view's six column edges, fitted to the row's
// length; dragging one moves the view's designed edge and redraws the list.

#include <cstdint>

#include "toolkit/kzsizer.h"

class YHardwareView;
class YZHardwarePane;

class YZHardwareTitle : public KZSizer {
 public:
  YZHardwareTitle(YZHardwarePane* pane, YHardwareView* view);

  void SetView(YHardwareView* view) { itsView = view; }

  int32_t CellCount() override;
  // The view's fitted edge.
  int32_t BoundaryPosition(int32_t index) override;
  // Moves the view's designed edge; when it moved, the title and the list are redrawn.
  void MoveBoundary(int32_t index, int32_t position) override;
  // A resize makes the row's length the columns' designed total; every drawing fits them to it first.
  ZafEventType Event(const ZafEventRecord& event) override;
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;

 private:
  YZHardwarePane* itsPane;
  YHardwareView* itsView;
};
