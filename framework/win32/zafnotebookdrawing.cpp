// How a notebook looks: the tab row on the parent's background, the page area as a raised frame, and the
// tabs drawn left to right with the shown page's tab last, larger and on top of its neighbours. The page's
// frame is the notebook's only frame, bordered or not: a border round the tab row as well would frame the
// page twice. A bordered notebook keeps its margin, in the background colour.
#include "framework/core/zafnotebook.h"

#include "framework/core/zafdisplay.h"
#include "framework/core/zafnotebooktab.h"

namespace {

// The shown page's tab stands this much above and beside the others.
constexpr int32_t kTabInset = 2;
constexpr int32_t kPageFrameDepth = 2;
// The focus mark of the tab row lies this far inside the shown tab.
constexpr int32_t kFocusInset = 3;

// The palette drawn in its own background colour.
ZafPaletteStruct InBackgroundColor(ZafPaletteStruct palette) {
  palette.colorForeground = palette.colorBackground;
  palette.osForeground = palette.osBackground;
  return palette;
}

}  // namespace

ZafEventType ZafNotebook::Draw(const ZafEventRecord& event, ZafEventType drawType) {
  const ZafRegionStruct full = BeginDraw();
  ZafRegionStruct area = full;
  const int32_t b = BorderWidth();
  area.left += b;
  area.top += b;
  area.right -= b;
  area.bottom -= b;
  // The tab row and a bordered notebook's margin show what lies behind the notebook; the page covers the
  // rest.
  ZafWindowObject* behind = parent ? parent : this;
  display->SetPalette(behind->LogicalPalette(ZAF_PM_BACKGROUND, behind->PaletteState()));
  display->Rectangle(full.left, full.top, full.right, full.bottom, 0, true);
  ZafRegionStruct pageArea = area;
  pageArea.top += RowHeight() - kTabInset;
  DrawShadow(pageArea, kPageFrameDepth, drawType);
  DrawBackground(pageArea, drawType);
  ZafNotebookTab* shownTab = Tab(currentPageIndex);
  for (int index = firstVisibleTab; ZafNotebookTab* tab = Tab(index); ++index) {
    if (tab != shownTab) {
      tab->Draw(event, drawType);
    }
  }
  if (shownTab && currentPageIndex >= firstVisibleTab) {
    shownTab->Draw(event, drawType);
  }
  EndDraw();
  return drawType;
}

ZafEventType ZafNotebookTab::Draw(const ZafEventRecord&, ZafEventType drawType) {
  ZafRegionStruct area = BeginDraw();
  int32_t outlineBottom = area.bottom - 1;
  if (!selected) {
    area.left += kTabInset;
    area.top += kTabInset;
    area.right -= kTabInset;
    area.bottom -= 1;
    outlineBottom = area.bottom;
  }
  const uint16_t state = PaletteState();
  if (drawType == DrawNowEvent) {
    DrawBackground(area, drawType);
  } else {
    const int32_t x0 = area.left;
    const int32_t y0 = area.top;
    const int32_t x1 = area.right;
    const ZafPaletteStruct light = LogicalPalette(ZAF_PM_LIGHT_SHADOW, state);
    const ZafPaletteStruct dark = LogicalPalette(ZAF_PM_DARK_SHADOW, state);
    display->SetPalette(InBackgroundColor(light));
    display->Line(x0, outlineBottom, x0, y0 + 2, 1);
    display->Line(x0 + 2, y0, x1 - 2, y0, 1);
    display->Line(x0 + 1, y0 + 1, x0 + 1, y0 + 1, 1);
    display->SetPalette(light);
    display->Line(x0 + 1, outlineBottom, x0 + 1, y0 + 2, 1);
    display->Line(x0 + 2, y0 + 1, x1 - 2, y0 + 1, 1);
    display->SetPalette(InBackgroundColor(dark));
    display->Line(x1, y0 + 2, x1, outlineBottom, 1);
    display->Line(x1 - 1, y0 + 1, x1 - 1, y0 + 1, 1);
    display->SetPalette(dark);
    display->Line(x1 - 1, y0 + 2, x1 - 1, outlineBottom, 1);
    ZafRegionStruct inside{x0 + 2, y0 + 2, x1 - 2, area.bottom, ZAF_PIXEL};
    DrawBackground(inside, drawType);
  }
  display->SetPalette(LogicalPalette(ZAF_PM_TEXT, state));
  display->Text(area.left, area.top, area.right, area.bottom, Text(), -1, 2, 2, HotKeyIndex(), false);
  if (selected && parent && static_cast<ZafNotebook*>(parent)->TabsFocused()) {
    ZafRegionStruct mark{area.left + kFocusInset, area.top + kFocusInset, area.right - kFocusInset,
                         area.bottom - kFocusInset, ZAF_PIXEL};
    display->SetPalette(LogicalPalette(ZAF_PM_FOCUS, state));
    display->FocusRectangle(&mark, nullptr);
  }
  EndDraw();
  return drawType;
}
