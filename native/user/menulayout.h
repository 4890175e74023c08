#pragma once
// Where the entries of a menu lie: in a row across a menu bar, or in a column inside a pop-up menu's window.
// Painting, hit testing and the menu loop all read this one layout, measured with the menu font.

#include <string_view>
#include <utility>
#include <vector>

#include "native/gdi/gditypes.h"
#include "native/user/menurecord.h"

namespace native {

class MenuLayout {
 public:
  // Entry rectangles of a bar that starts at `bar`'s top left and is as wide as `bar` (any coordinates; the
  // entries come out in the same ones). Entries run in rows of SM_CYMENU: one that would pass the right edge
  // starts the next row, so a narrow frame shows every entry. An entry holding a window's system menu (a
  // maximised document window's, first in the frame's bar) shows that window's small icon instead of its
  // text.
  static std::vector<RECT> barEntries(const MenuRecord& menu, const RECT& bar);
  // The height of the rows a bar of the given width needs; one row for a bar without entries.
  static int barHeight(const MenuRecord& menu, int width);
  // Entry rectangles of a pop-up menu in its window's client coordinates, and the client size they need.
  static std::vector<RECT> popupEntries(const MenuRecord& menu);
  static SIZE popupClientSize(const MenuRecord& menu);

  // The entry under a point, -1 for none.
  static int entryAt(const std::vector<RECT>& entries, POINT point);

  // The window whose system menu the entry holds, else null.
  static HWND systemMenuWindowOf(const MenuItem& item);

  // The upper-case character after a single "&" ("&&" is a plain "&"), 0 for none.
  static char16_t mnemonicOf(std::u16string_view text);
  // The label and the hot-key text, either side of the first tab.
  static std::pair<std::u16string_view, std::u16string_view> splitAtTab(std::u16string_view text);

  // The font entries are drawn and measured with; the caller deletes it.
  static HFONT createFont();

  // Pop-up geometry, in pixels: the check-mark column on the left, the cascade arrow column on the right,
  // the gap before the hot-key text, and the heights of a separator and of a text entry.
  static constexpr int kCheckColumn = 18;
  static constexpr int kArrowColumn = 16;
  static constexpr int kHotKeyGap = 18;
  static constexpr int kSeparatorHeight = 8;
  static constexpr int kPopupEntryHeight = 19;
  // The space left and right of a bar entry's text.
  static constexpr int kBarPadding = 7;
};

}  // namespace native
