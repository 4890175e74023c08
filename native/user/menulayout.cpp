#include "native/user/menulayout.h"

#include <algorithm>
#include <cwctype>
#include <numeric>

#include "native/gdi/dcapi.h"
#include "native/gdi/drawtext.h"
#include "native/gdi/objectapi.h"
#include "native/gdi/textapi.h"
#include "native/user/metrics.h"
#include "native/user/rects.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

constexpr int kFontHeight = -12;
constexpr int kMinPopupWidth = 80;

// Measures texts with the menu font, as DrawText lays them out (a "&" prefix takes no room).
class TextMeasure {
 public:
  TextMeasure() : dc_(CreateCompatibleDC(nullptr)), font_(MenuLayout::createFont()) {
    previous_ = SelectObject(dc_, font_);
  }
  ~TextMeasure() {
    SelectObject(dc_, previous_);
    DeleteObject(font_);
    DeleteDC(dc_);
  }
  TextMeasure(const TextMeasure&) = delete;
  TextMeasure& operator=(const TextMeasure&) = delete;

  int width(std::u16string_view text) const {
    if (text.empty()) {
      return 0;
    }
    RECT area{0, 0, 0, 0};
    DrawText(dc_, text.data(), static_cast<int>(text.size()), &area, DT_SINGLELINE | DT_CALCRECT);
    return area.right - area.left;
  }

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ previous_;
};

// The widths of a bar's entries, measured again only after entries or menus changed.
const std::vector<LONG>& barWidths(const MenuRecord& menu) {
  const std::uint64_t revision = WindowSystem::get().menus().revision();
  if (menu.measuredAt == revision) {
    return menu.barWidths;
  }
  TextMeasure measure;
  menu.barWidths.clear();
  for (const MenuItem& item : menu.items) {
    // A separator is a gap; caption boxes their own width; other entries are their icon or text with padding
    // either side.
    int width = MenuLayout::kBarPadding;
    if (item.isCaptionBox()) {
      width = GetSystemMetrics(SM_CXSIZE);
    } else if (MenuLayout::systemMenuWindowOf(item) != nullptr) {
      width += GetSystemMetrics(SM_CXSMICON) + MenuLayout::kBarPadding;
    } else if (!item.isSeparator()) {
      width += measure.width(MenuLayout::splitAtTab(item.text).first) + MenuLayout::kBarPadding;
    }
    menu.barWidths.push_back(width);
  }
  menu.measuredAt = revision;
  return menu.barWidths;
}

}  // namespace

HFONT MenuLayout::createFont() {
  return CreateFont(kFontHeight, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, u"MS Shell Dlg");
}

std::vector<RECT> MenuLayout::barEntries(const MenuRecord& menu, const RECT& bar) {
  const std::vector<LONG>& widths = barWidths(menu);
  auto rightJustified = std::find_if(menu.items.begin(), menu.items.end(),
                                     [](const MenuItem& item) { return item.isRightJustified(); });
  const auto firstAtRight = static_cast<std::size_t>(rightJustified - menu.items.begin());
  const LONG rowHeight = GetSystemMetrics(SM_CYMENU);
  std::vector<RECT> entries;
  LONG left = bar.left;
  LONG top = bar.top;
  for (std::size_t index = 0; index < widths.size(); ++index) {
    // The right-justified run (a maximised document's boxes) keeps together on one row where a row holds it.
    LONG needed = index == firstAtRight ? std::accumulate(widths.begin() + static_cast<std::ptrdiff_t>(index),
                                                          widths.end(), LONG{0})
                                        : widths[index];
    if (left > bar.left && left + needed > bar.right) {
      left = bar.left;
      top += rowHeight;
    }
    entries.push_back(RECT{left, top, left + widths[index], top + rowHeight});
    left += widths[index];
  }
  // The right-justified run ends at the right edge of the last row, unless that would push it over the
  // entries before it there.
  if (firstAtRight < entries.size()) {
    LONG shift = std::max<LONG>(bar.right - entries.back().right, 0);
    for (std::size_t index = firstAtRight; index < entries.size(); ++index) {
      if (entries[index].top == entries.back().top) {
        OffsetRect(&entries[index], shift, 0);
      }
    }
  }
  return entries;
}

int MenuLayout::barHeight(const MenuRecord& menu, int width) {
  std::vector<RECT> entries = barEntries(menu, RECT{0, 0, width, 0});
  return entries.empty() ? GetSystemMetrics(SM_CYMENU) : static_cast<int>(entries.back().bottom);
}

SIZE MenuLayout::popupClientSize(const MenuRecord& menu) {
  TextMeasure measure;
  int labels = 0;
  int hotKeys = 0;
  int height = 0;
  for (const MenuItem& item : menu.items) {
    height += item.isSeparator() ? kSeparatorHeight : kPopupEntryHeight;
    auto [label, hotKey] = splitAtTab(item.text);
    labels = std::max(labels, measure.width(label));
    hotKeys = std::max(hotKeys, measure.width(hotKey));
  }
  int width = kCheckColumn + labels + (hotKeys > 0 ? kHotKeyGap + hotKeys : 0) + kArrowColumn;
  return SIZE{std::max(width, kMinPopupWidth), height};
}

std::vector<RECT> MenuLayout::popupEntries(const MenuRecord& menu) {
  LONG width = popupClientSize(menu).cx;
  std::vector<RECT> entries;
  LONG top = 0;
  for (const MenuItem& item : menu.items) {
    LONG height = item.isSeparator() ? kSeparatorHeight : kPopupEntryHeight;
    entries.push_back(RECT{0, top, width, top + height});
    top += height;
  }
  return entries;
}

HWND MenuLayout::systemMenuWindowOf(const MenuItem& item) {
  return item.isPopup() ? WindowSystem::get().menus().windowOfSystemMenu(item.subMenu) : nullptr;
}

int MenuLayout::entryAt(const std::vector<RECT>& entries, POINT point) {
  for (std::size_t index = 0; index < entries.size(); ++index) {
    if (PtInRect(&entries[index], point)) {
      return static_cast<int>(index);
    }
  }
  return -1;
}

char16_t MenuLayout::mnemonicOf(std::u16string_view text) {
  for (std::size_t index = 0; index + 1 < text.size(); ++index) {
    if (text[index] != u'&') {
      continue;
    }
    if (text[index + 1] == u'&') {
      ++index;  // "&&" shows one "&" and marks nothing
      continue;
    }
    char16_t marked = text[index + 1];
    return marked < 0x80 ? static_cast<char16_t>(std::towupper(marked)) : marked;
  }
  return 0;
}

std::pair<std::u16string_view, std::u16string_view> MenuLayout::splitAtTab(std::u16string_view text) {
  std::size_t tab = text.find(u'\t');
  if (tab == std::u16string_view::npos) {
    return {text, {}};
  }
  return {text.substr(0, tab), text.substr(tab + 1)};
}

}  // namespace native
