// A toolkit window whose contents lie on a grid of equal cells (units of a fixed pixel size) and that
// scrolls by whole units: it keeps the unit size, the extent of the contents and the scroll position,
// keeps the window's scroll bars in step, converts between units and pixels, scrolls by copying what stays
// visible, scrolls by itself while a drag leaves the visible cells, and draws its visible cells one by one
// through operations that derived panes (the selectors, image and chart panes) override.
#ifndef TOOLKIT_KZSCROLLER_H
#define TOOLKIT_KZSCROLLER_H

#include <cstdint>

#include "foundation/kpoint.h"
#include "foundation/krect.h"
#include "foundation/kstring.h"
#include "framework/data/zafpalettestruct.h"
#include "toolkit/kzwindow.h"

class KZScroller : public KZWindow {
 public:
  // Bits of `options`.
  // One unit is the whole client height, or the whole client width (a row that fills the width).
  static constexpr uint32_t kUnitHeightIsPage = 2;
  static constexpr uint32_t kUnitWidthIsPage = 4;
  // Every change of position redraws the whole pane instead of copying the picture.
  static constexpr uint32_t kNeverCopy = 8;
  // A partly visible last unit counts as visible where visible units are measured.
  static constexpr uint32_t kPartialUnitsVisible = 16;
  // Contents narrower than the page lie against the right edge.
  static constexpr uint32_t kAlignRight = 32;

  // Bits of ScrollByCommand: lines and pages up, down, left and right.
  static constexpr uint32_t kLineUp = 1;
  static constexpr uint32_t kLineDown = 2;
  static constexpr uint32_t kLineLeft = 4;
  static constexpr uint32_t kLineRight = 8;
  static constexpr uint32_t kPageUp = 16;
  static constexpr uint32_t kPageDown = 32;
  static constexpr uint32_t kPageLeft = 64;
  static constexpr uint32_t kPageRight = 128;

  // Auto-scroll never runs faster than this many steps a second; faster rates take bigger steps.
  static constexpr int32_t kMaxStepsPerSecond = 20;

  KZScroller(int32_t left, int32_t top, int32_t width, int32_t height);
  ~KZScroller() override;

  // Re-derives the unit size (options 2 and 4) and the position after a change of size or contents.
  virtual void UpdateScroll();
  // Updates the scroll bars and redraws the whole pane.
  virtual void Refresh();
  // Each coordinate at least 1; true when the size changed. Nothing is redrawn.
  virtual bool SetUnitSize(KPoint size);
  // Each coordinate at least 0, the position clamped again; true when the extent changed. Nothing is
  // redrawn: callers follow with UpdateScroll or Refresh.
  virtual bool ChangeExtent(KPoint size);
  // Clamped into 0 .. max(0, extent - page) on each axis; true when the position changed. Nothing is
  // redrawn.
  virtual bool SetPosition(KPoint position);
  // Units scrolled by one arrow of each scroll bar.
  virtual int32_t LineStepX();
  virtual int32_t LineStepY();
  // The page: whole units that fit the client area across and down.
  virtual int32_t ClientWidth();
  virtual int32_t ClientHeight();
  // Auto-scroll steps a second for a drag that has been outside the visible cells for `elapsed`
  // milliseconds; 0 (here) means the pane does not scroll by itself.
  virtual int32_t AutoScrollRate(int32_t elapsed);
  // The pixel rectangle of one cell.
  virtual KRect CellRegion(KPoint cell);
  // The palette a cell is drawn with: the window's palette of that type and state.
  virtual ZafPaletteStruct CellPalette(KPoint cell, uint16_t type, uint16_t state);
  // Draws one cell; here its background.
  virtual void DrawCell(KPoint cell);
  // Every cell of the unit rectangle, row by row.
  virtual void DrawCells(const KRect& units);

  // A move, resize or redisplay request of the mix-in re-derives the scrolling.
  void GeometryChanged() override;
  void Redisplay() override;

  // The scroll bars' range events and the scroll events of the window's own bars and of scroll-bar
  // controls; everything else is the toolkit window's.
  ZafEventType Event(const ZafEventRecord& event) override;
  // Draws the cells inside the update region and the background outside the contents, and the empty
  // text when there are no contents.
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;

  KPoint UnitSize() const { return unitSize; }
  KPoint Extent() const { return extent; }
  KPoint Position() const { return position; }
  uint32_t Options() const { return options; }
  void SetOptions(uint32_t newOptions) { options = newOptions; }

  // Scrolls to the position, copying the picture where it can and redrawing the rest.
  void ScrollTo(KPoint newPosition, bool updateBars);
  void ScrollBy(int32_t dx, int32_t dy, bool updateBars);
  // Bits as above; within an axis the first bit set wins, in the order line back, line forward, page
  // back, page forward.
  void ScrollByCommand(uint32_t directions, bool updateBars);
  // Moves the least that brings the cell into the visible range (whole units only, or also a partly
  // visible last unit); smoothly by scrolling, or by setting the position and refreshing.
  void MakeVisible(KPoint cell, bool wholeUnitsOnly, bool smooth);
  // Puts the cell in the middle of the page.
  void CenterOn(KPoint cell, bool smooth);

  // For each pointer event of a drag, with the pointer's cell: false (and auto-scroll off) while the cell,
  // clamped into the contents, is visible; otherwise auto-scroll runs and the answer is true.
  bool AutoScrollCheck(KPoint cell);
  // One auto-scroll step towards the cell, when its time has come.
  void AutoScrollStep(KPoint cell);

  // ---- Units and pixels ----
  // Whole visible units, or rounded up to count a partly visible last unit.
  KPoint VisibleUnits(bool roundUp);
  // The visible cells from the position on.
  KRect VisibleRange(bool roundUp);
  bool IsCellVisible(KPoint cell, bool roundUp);
  // The visible range as the conversions, the drawing and backward scrolling measure it (option 16).
  KRect MeasuredRange() { return VisibleRange(options & kPartialUnitsVisible); }
  KPoint ClientPixels();
  KRect ClientUnits();
  KRect ExtentRegion() const;
  KPoint MaxPosition();
  KPoint UnitToPixel(KPoint unit);
  // A unit rectangle covers its last units in full.
  KRect UnitToPixel(const KRect& units);
  // Rounds towards minus infinity: pixel -1 lies in unit -1.
  KPoint PixelToUnit(KPoint pixel);
  KRect PixelToUnit(const KRect& pixels);
  KPoint UnitToScreen(KPoint unit) { return ToScreenPoint(UnitToPixel(unit)); }
  KRect UnitToScreen(const KRect& units) { return ToScreenRect(UnitToPixel(units)); }
  KPoint ScreenToUnit(KPoint screen) { return PixelToUnit(FromScreenPoint(screen)); }
  KRect ScreenToUnit(const KRect& screen) { return PixelToUnit(FromScreenRect(screen)); }

  // ---- Drawing in units (through the mix-in's drawing in pixels) ----
  void RedrawUnits(const KRect& units, ZafEventType drawType);
  void DrawUnitBackground(const KRect& units, ZafEventType drawType);
  void DrawUnitShadow(const KRect& units, int32_t depth, ZafEventType drawType);
  void DrawUnitLine(KPoint from, KPoint to, int32_t width);
  void FillUnits(const KRect& units, int32_t width, bool fill);
  void DrawUnitTextAt(KPoint at, const ZafIChar* text, int32_t hotKeyIndex, bool fill);
  void DrawUnitText(const KRect& units, const ZafIChar* text, int32_t horizontalJustify,
                    int32_t verticalJustify, bool fill);
  void DrawUnitBits(const KRect& units, const uint8_t* bits, int32_t bitsPerPixel, int32_t rowStride,
                    int32_t transparent);
  void CopyUnits(const KRect& units, KPoint to);
  // Answers the previous clip region, in units.
  KRect ClipUnits(const KRect& units);

  // The text shown while the contents are empty (not owned; null for none).
  void SetEmptyText(const KString* text) { emptyText = text; }
  const KString* EmptyText() const { return emptyText; }

 protected:
  // Range events to itself: the horizontal bar, then the vertical one.
  void UpdateScrollBars();
  // The palette applied to the display; answers what it replaced.
  KZDrawingState ApplyPalette(const ZafPaletteStruct& palette);

  KPoint unitSize{1, 1};
  KPoint extent{0, 0};
  KPoint position{0, 0};
  uint32_t options = 0;

 private:
  // The range event of one bar: its scroll data follows the position, extent and page of that axis.
  void SetBarRange(bool horizontal);
  // Copies the picture for a move along one axis by less than a page; false when the move cannot copy.
  bool CopyScroll(bool horizontal, KPoint old);
  // The shift of option 32, in columns.
  int32_t RightAlignShift();
  // Fills the parts of the update rectangle outside the drawn cells with the background.
  void FillOutsideContents(const KRect& update, const KRect& cells);

  bool autoScrolling = false;
  uint32_t autoScrollStart = 0;
  uint32_t autoScrollNext = 0;
  int32_t autoScrollSpeed = 1;
  bool autoScrollStepped = false;
  int32_t autoScrollSteps = 0;
  const KString* emptyText = nullptr;
};

#endif
