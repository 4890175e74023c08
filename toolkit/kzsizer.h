// A bar cut along its axis into cells by boundaries that the user drags with the pointer: the column
// header above a selector and the program's lane and title bars. Derived bars say how many cells there
// are, where the boundaries lie, what each cell shows and what a moved boundary does; this class finds
// the boundary or cell under the pointer, runs the drag with the pointer captured and draws framed,
// labelled cells.
#ifndef TOOLKIT_KZSIZER_H
#define TOOLKIT_KZSIZER_H

#include <cstdint>

#include "foundation/kpoint.h"
#include "foundation/krect.h"
#include "foundation/kstring.h"
#include "toolkit/kztoolbar.h"

class KZSizer : public KZToolBar {
 public:
  // Bits of `sizerFlags`: the leading edge (boundary 0) and the trailing edge (the last boundary) may be
  // dragged; a press gives the focus to the bar's parent.
  static constexpr uint32_t kLeadingEdge = 1;
  static constexpr uint32_t kTrailingEdge = 2;
  static constexpr uint32_t kNotifyOnPress = 4;

  // Bits of the flags that come with a cell text; without any, a horizontal bar aligns left and a
  // vertical bar centres.
  static constexpr uint32_t kTextLeft = 1;
  static constexpr uint32_t kTextCentred = 2;
  static constexpr uint32_t kTextRight = 4;

  // Modes of CellRegion: the cell's whole area (0 and 1) or its inner area inside the frame (2).
  static constexpr int32_t kCellArea = 0;
  static constexpr int32_t kCellFrame = 1;
  static constexpr int32_t kCellInner = 2;

  // How far from a boundary, in pixels, the pointer still grabs it.
  static constexpr int32_t kGrabTolerance = 7;

  // A bar on the `placement` side, `height` pixels thick, whose last boundary lies at `length`; positions
  // along the axis are measured from `origin` pixels before the window's edge.
  KZSizer(int32_t placement, int32_t height, int32_t length, int32_t origin);
  ~KZSizer() override;

  // The boundary being dragged, -1 when none.
  virtual int32_t DragIndex();
  virtual void SetDragIndex(int32_t index);
  virtual int32_t CellCount();
  // Here 0 up to boundary 0, the length from the last boundary on, and -1 between.
  virtual int32_t BoundaryPosition(int32_t index);
  // For every pointer event of a drag, with the pointer's position along the axis moved by the boundary's
  // distance from the press, unbounded (the pointer is captured and may leave the bar): here the whole bar
  // is redrawn.
  virtual void MoveBoundary(int32_t index, int32_t position);
  // The cell's rectangle in bar coordinates across the whole bar (modes above).
  virtual void CellRegion(int32_t index, KRect& rect, int32_t mode);
  // The cell strictly between two boundaries under the point; a point on a boundary is in none.
  virtual bool CellFromPoint(KPoint point, int32_t& index);
  // A press inside a cell, not at a boundary that can be dragged; nothing here.
  virtual void CellPressed(KPoint point, int32_t index);
  virtual bool CanDragBoundary(int32_t index);
  // The nearest draggable boundary within the grab tolerance; of two equally near, the one at or
  // before the point.
  virtual bool BoundaryAt(KPoint point, int32_t& index);
  // The text of a cell and its flags; nothing here.
  virtual void CellText(int32_t index, KString& text, uint32_t& textFlags);
  virtual void DrawCellFrame(int32_t index);
  virtual ZafPaletteStruct CellPalette(int32_t index, uint16_t type, uint16_t state);
  virtual void DrawCell(int32_t index);

  // Each stores the value and answers whether it changed; neither redraws.
  bool SetLength(int32_t pixels);
  bool SetOrigin(int32_t pixels);
  int32_t Length() const { return length; }
  int32_t Origin() const { return origin; }

  // The bar's own pointer image stays (the set-cursor message is taken); pointer moves choose it, presses,
  // drags and releases run the drag; other events are the tool bar's.
  ZafEventType Event(const ZafEventRecord& event) override;
  // The cells the update region touches, whole, each once on its cleared area.
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;

  // ---- Bar coordinates: window coordinates moved by the origin along the axis ----
  KPoint ToBar(KPoint window) const;
  KRect ToBar(const KRect& window) const;
  KPoint FromBar(KPoint bar) const;
  KRect FromBar(const KRect& bar) const;
  KPoint BarToScreen(KPoint bar) const { return ToScreenPoint(FromBar(bar)); }
  KRect BarToScreen(const KRect& bar) const { return ToScreenRect(FromBar(bar)); }
  KPoint ScreenToBar(KPoint screen) const { return ToBar(FromScreenPoint(screen)); }
  KRect ScreenToBar(const KRect& screen) const { return ToBar(FromScreenRect(screen)); }
  // The pointer position of a mouse event in bar coordinates.
  KPoint BarPoint(const ZafEventRecord& event);
  // The position of a bar point along the axis.
  int32_t Along(KPoint bar) const { return IsHorizontal() ? bar.x : bar.y; }

  // ---- Drawing in bar coordinates (through the mix-in's drawing in window pixels) ----
  void RedrawBar(const KRect& bar, ZafEventType drawType);
  void DrawBarBackground(const KRect& bar, ZafEventType drawType);
  void DrawBarShadow(const KRect& bar, int32_t depth, ZafEventType drawType);
  void DrawBarLine(KPoint from, KPoint to, int32_t width);
  void FillBar(const KRect& bar, int32_t width, bool fill);
  void DrawBarTextAt(KPoint at, const ZafIChar* text, int32_t hotKeyIndex, bool fill);
  void DrawBarText(const KRect& bar, const ZafIChar* text, int32_t horizontalJustify, int32_t verticalJustify,
                   bool fill);
  void DrawBarBits(const KRect& bar, const uint8_t* bits, int32_t bitsPerPixel, int32_t rowStride,
                   int32_t transparent);
  void CopyBar(const KRect& bar, KPoint to);
  // The client area in bar coordinates.
  KRect BarClientRegion();
  // Answers the previous clip region, in bar coordinates.
  KRect ClipBar(const KRect& bar);

  uint32_t sizerFlags = kLeadingEdge | kTrailingEdge | kNotifyOnPress;
  // The 3-D edge round each cell (0: none); the inner area lies inside its absolute value.
  int32_t frameDepth = 1;

 private:
  // The cell's whole area in bar coordinates.
  KRect CellArea(int32_t index);
  // The press that may start a drag.
  void Press(KPoint bar);
  // The window's coordinates move by this much into the bar's.
  KPoint Shift() const;

  int32_t origin;
  int32_t length;
  int32_t dragIndex = -1;
  // The dragged boundary's position less the pointer's at the press, along the axis.
  int32_t grabOffset = 0;
};

#endif
