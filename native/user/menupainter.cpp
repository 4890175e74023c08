#include "native/user/menupainter.h"

#include <algorithm>

#include "native/gdi/dcapi.h"
#include "native/gdi/drawapi.h"
#include "native/gdi/drawtext.h"
#include "native/gdi/iconapi.h"
#include "native/gdi/objectapi.h"
#include "native/user/classregistry.h"
#include "native/user/menulayout.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/metrics.h"
#include "native/user/nonclientpainter.h"
#include "native/user/rects.h"
#include "native/user/styles.h"

namespace native {

namespace {

// The check mark's and the arrow's size, in pixels.
constexpr int kMarkSize = 7;
constexpr int kArrowHalf = 4;

void fill(HDC dc, const RECT& rect, int colorIndex) {
  FillRect(dc, &rect, GetSysColorBrush(colorIndex));
}

// Selects the menu font and transparent text for the life of one paint.
class MenuTextScope {
 public:
  explicit MenuTextScope(HDC dc) : dc_(dc), font_(MenuLayout::createFont()) {
    saved_ = SaveDC(dc_);
    SelectObject(dc_, font_);
    SetBkMode(dc_, TRANSPARENT);
  }
  ~MenuTextScope() {
    RestoreDC(dc_, saved_);
    DeleteObject(font_);
  }
  MenuTextScope(const MenuTextScope&) = delete;
  MenuTextScope& operator=(const MenuTextScope&) = delete;

 private:
  HDC dc_;
  HFONT font_;
  int saved_;
};

int textColorOf(const MenuItem& item, bool selected) {
  if (!item.isEnabled()) {
    return COLOR_GRAYTEXT;
  }
  return selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT;
}

void drawLabel(HDC dc, std::u16string_view text, RECT area, UINT align) {
  DrawText(dc, text.data(), static_cast<int>(text.size()), &area, DT_SINGLELINE | DT_VCENTER | align);
}

// A tick: a short stroke down to the bottom, then a long one up to the right, each two pixels thick.
void drawCheckMark(HDC dc, const RECT& column, int colorIndex) {
  int left = column.left + (column.right - column.left - kMarkSize) / 2;
  int bottom = column.top + (column.bottom - column.top + kMarkSize) / 2;
  for (int step = 0; step < kMarkSize; ++step) {
    int y = step < 3 ? bottom - 3 + step : bottom - (step - 2);
    RECT dot{left + step, y - 2, left + step + 1, y};
    fill(dc, dot, colorIndex);
  }
}

// A solid triangle pointing right.
void drawCascadeArrow(HDC dc, const RECT& entry, int colorIndex) {
  int tip = entry.right - MenuLayout::kArrowColumn / 2 + kArrowHalf / 2;
  int middle = (entry.top + entry.bottom) / 2;
  for (int column = 0; column < kArrowHalf; ++column) {
    int reach = kArrowHalf - column;
    RECT line{tip - kArrowHalf + column, middle - reach + 1, tip - kArrowHalf + column + 1, middle + reach};
    fill(dc, line, colorIndex);
  }
}

// The window's small icon, else its big one, its class's, or the standard one, centred in the entry.
void drawWindowIcon(HDC dc, const RECT& entry, HWND window) {
  auto icon = reinterpret_cast<HICON>(SendMessage(window, WM_GETICON, ICON_SMALL, 0));
  if (icon == nullptr) {
    icon = reinterpret_cast<HICON>(SendMessage(window, WM_GETICON, ICON_BIG, 0));
  }
  if (icon == nullptr) {
    icon = reinterpret_cast<HICON>(GetClassLong(window, GCL_HICON));
  }
  if (icon == nullptr) {
    icon = LoadIcon(nullptr, IDI_APPLICATION);
  }
  int size = GetSystemMetrics(SM_CXSMICON);
  int left = (entry.left + entry.right - size) / 2;
  int top = (entry.top + entry.bottom - size) / 2;
  RECT place{left, top, left + size, top + size};
  DrawIconInRect(dc, &place, icon);
}

}  // namespace

void MenuPainter::paintBar(HDC dc, const MenuRecord& menu, const RECT& bar, int selected) {
  MenuTextScope scope(dc);
  fill(dc, bar, COLOR_MENU);
  std::vector<RECT> entries = MenuLayout::barEntries(menu, bar);
  for (std::size_t index = 0; index < entries.size(); ++index) {
    const MenuItem& item = menu.items[index];
    if (item.isSeparator()) {
      continue;
    }
    bool highlighted = static_cast<int>(index) == selected;
    if (item.isCaptionBox()) {
      // A box one pixel inside the bar, pushed in while its entry is highlighted.
      RECT box = entries[index];
      InflateRect(&box, 0, -1);
      NonClientPainter::paintCaptionBox(dc, box, item.id, highlighted);
      continue;
    }
    if (highlighted) {
      fill(dc, entries[index], COLOR_HIGHLIGHT);
    }
    if (HWND window = MenuLayout::systemMenuWindowOf(item); window != nullptr) {
      drawWindowIcon(dc, entries[index], window);
      continue;
    }
    SetTextColor(dc, GetSysColor(textColorOf(item, highlighted)));
    drawLabel(dc, MenuLayout::splitAtTab(item.text).first, entries[index], DT_CENTER);
  }
}

void MenuPainter::paintPopup(HDC dc, const MenuRecord& menu, const RECT& client, int selected) {
  MenuTextScope scope(dc);
  fill(dc, client, COLOR_MENU);
  std::vector<RECT> entries = MenuLayout::popupEntries(menu);
  for (std::size_t index = 0; index < entries.size(); ++index) {
    const MenuItem& item = menu.items[index];
    const RECT& entry = entries[index];
    if (item.isSeparator()) {
      int middle = (entry.top + entry.bottom) / 2;
      fill(dc, RECT{entry.left + 1, middle - 1, entry.right - 1, middle}, COLOR_BTNSHADOW);
      fill(dc, RECT{entry.left + 1, middle, entry.right - 1, middle + 1}, COLOR_BTNHIGHLIGHT);
      continue;
    }
    bool highlighted = static_cast<int>(index) == selected;
    if (highlighted) {
      fill(dc, entry, COLOR_HIGHLIGHT);
    }
    int color = textColorOf(item, highlighted);
    SetTextColor(dc, GetSysColor(color));
    if (item.isChecked()) {
      drawCheckMark(dc, RECT{entry.left, entry.top, entry.left + MenuLayout::kCheckColumn, entry.bottom},
                    color);
    }
    RECT text{entry.left + MenuLayout::kCheckColumn, entry.top, entry.right - MenuLayout::kArrowColumn,
              entry.bottom};
    auto [label, hotKey] = MenuLayout::splitAtTab(item.text);
    drawLabel(dc, label, text, DT_LEFT);
    if (!hotKey.empty()) {
      drawLabel(dc, hotKey, text, DT_RIGHT | DT_NOPREFIX);
    }
    if (item.isPopup()) {
      drawCascadeArrow(dc, entry, color);
    }
  }
}

}  // namespace native
