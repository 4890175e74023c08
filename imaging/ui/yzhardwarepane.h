#pragma once
// The hardware list: one row per device interface of the hardware manager, in the view's six columns, with
// the title row above it. Its scroll position and current cell live in the view, so they outlast the
// window; a new current row is handed to the alignment window. No cell can be edited.

#include <cstdint>

#include "toolkit/kzeditableselector.h"

class YHardware;
class YHardwareView;
class YZAlignWindow;
class YZHardwareTitle;

class YZHardwarePane : public KZEditableSelector {
 public:
  explicit YZHardwarePane(YHardwareView* view);

  void SetView(YHardwareView* view);
  void SetAlignWindow(YZAlignWindow* window) { alignWindow = window; }
  YZHardwareTitle* Title() const { return title; }

  // One row per device interface.
  void Refresh() override;
  bool SetPosition(KPoint newPosition) override;
  bool SetCurrentCell(KPoint cell) override;
  int32_t ColumnCount(KPoint cell) override;
  void ColumnRegion(KPoint cell, int32_t column, KRect& rect, int32_t mode) override;
  // A row whose interface answers the manager's query shows its texts in colour 12.
  ZafPaletteStruct ColumnPalette(KPoint cell, int32_t column, uint16_t type, uint16_t state) override;
  // The columns are fitted to the visible width before a row is drawn.
  void DrawCell(KPoint cell) override;
  bool CanEditCell(KPoint, int32_t) override { return false; }

 private:
  YHardwareView* itsView = nullptr;
  YHardware* itsHardware = nullptr;
  YZHardwareTitle* title;
  YZAlignWindow* alignWindow = nullptr;
};
