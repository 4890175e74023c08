#include "native/controls/listbox.h"

#include <algorithm>
#include <cstring>

#include "native/controls/controlconstants.h"
#include "native/controls/controllook.h"
#include "native/gdi/dcapi.h"
#include "native/gdi/drawapi.h"
#include "native/gdi/objectapi.h"
#include "native/gdi/textapi.h"
#include "native/user/focusmanager.h"
#include "native/user/keyboard.h"
#include "native/user/messageapi.h"
#include "native/user/paintapi.h"
#include "native/user/rects.h"
#include "native/user/scrollbarapi.h"
#include "native/user/styles.h"
#include "native/user/virtualkeys.h"
#include "native/user/windowpos.h"

namespace native {

namespace {

// Owner-measured entries are 1 to 255 pixels high.
constexpr int kMaximumItemHeight = 255;

// The text an LB_ADDSTRING or LB_INSERTSTRING carries; a null pointer is an empty text.
std::u16string_view textOf(LPARAM entry) {
  auto* text = reinterpret_cast<LPCWSTR>(entry);
  return text != nullptr ? std::u16string_view(text) : std::u16string_view();
}

bool held(int virtualKey) {
  return GetKeyState(virtualKey) < 0;
}

}  // namespace

ListBox::Routing ListBox::routing() const {
  HWND parent = GetParent(window());
  return Routing{parent, parent, ODT_LISTBOX, static_cast<UINT>(GetWindowLong(window(), GWL_ID)), window()};
}

bool ListBox::ownerDrawn() const {
  return (style() & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}

bool ListBox::variableHeights() const {
  return (style() & LBS_OWNERDRAWVARIABLE) != 0;
}

bool ListBox::keepsStrings() const {
  return !ownerDrawn() || (style() & LBS_HASSTRINGS) != 0;
}

bool ListBox::multipleSelection() const {
  return (style() & LBS_MULTIPLESEL) != 0 && !extendedSelection();
}

bool ListBox::extendedSelection() const {
  return (style() & LBS_EXTENDEDSEL) != 0;
}

LRESULT ListBox::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      // The bar comes and goes with what there is to scroll, taking WS_VSCROLL with it.
      scrollBarWanted_ = (style() & WS_VSCROLL) != 0;
      itemHeight_ = fontHeight();
      measureFixedHeight();
      fitIntegralHeight();
      return 0;
    case WM_SETFONT:
      handleCommon(message, wParam, lParam);
      if (!ownerDrawn()) {
        itemHeight_ = fontHeight();
        fitIntegralHeight();
        updateScrollBar();
      }
      return 0;
    case WM_SIZE:
      setTop(top_);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      press(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, wParam, message == WM_LBUTTONDBLCLK);
      return 0;
    case WM_MOUSEMOVE:
      follow(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
      release();
      return 0;
    case WM_CAPTURECHANGED:
      if (press_ != Press::None && reinterpret_cast<HWND>(lParam) != window()) {
        cancelPress();
      }
      return 0;
    case WM_KEYDOWN:
      keyDown(static_cast<UINT>(wParam));
      return 0;
    case WM_VSCROLL:
      scrollRequest(LOWORD(wParam));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      focusChanged(message == WM_SETFOCUS);
      return 0;
    default:
      return handleListMessage(message, wParam, lParam);
  }
}

LRESULT ListBox::handleListMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  int index = static_cast<int>(static_cast<LONG_PTR>(wParam));
  switch (message) {
    case LB_ADDSTRING: {
      // Only lists that keep strings can sort them; the others add at the end.
      bool sorted = (style() & LBS_SORT) != 0 && keepsStrings();
      return insert(sorted ? items_.sortedIndexFor(textOf(lParam)) : -1, lParam);
    }
    case LB_INSERTSTRING:
      return insert(index, lParam);
    case LB_DELETESTRING:
      return erase(index);
    case LB_RESETCONTENT:
      items_.clear();
      top_ = 0;
      updateScrollBar();
      invalidate();
      return LB_OKAY;
    case LB_GETCOUNT:
      return items_.count();
    case LB_GETTEXT:
      if (!items_.contains(index) || lParam == 0) {
        return LB_ERR;
      }
      copyText(index, lParam);
      return handleListMessage(LB_GETTEXTLEN, wParam, 0);
    case LB_GETTEXTLEN:
      if (!items_.contains(index)) {
        return LB_ERR;
      }
      return keepsStrings() ? static_cast<LRESULT>(items_.at(index)->text.size())
                            : static_cast<LRESULT>(sizeof(ULONG_PTR));
    case LB_SETITEMDATA:
      if (index == -1) {
        for (int i = 0; i < items_.count(); ++i) {
          items_.at(i)->data = static_cast<ULONG_PTR>(lParam);
        }
        return LB_OKAY;
      }
      if (!items_.contains(index)) {
        return LB_ERR;
      }
      items_.at(index)->data = static_cast<ULONG_PTR>(lParam);
      return LB_OKAY;
    case LB_GETITEMDATA:
      return items_.contains(index) ? static_cast<LRESULT>(items_.at(index)->data) : LB_ERR;
    case LB_FINDSTRINGEXACT:
      return findExact(index, lParam);
    case LB_SETTOPINDEX:
      if (!items_.contains(index) && !(index == 0 && items_.count() == 0)) {
        return LB_ERR;
      }
      setTop(index);
      return LB_OKAY;
    case LB_GETTOPINDEX:
      return top_;
    case LB_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lParam);
      if (rect == nullptr || !items_.contains(index)) {
        return LB_ERR;
      }
      *rect = geometry().itemRect(index);
      return LB_OKAY;
    }
    case LB_ITEMFROMPOINT: {
      if (items_.count() == 0) {
        return MAKELONG(0, 1);
      }
      POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      RECT client = clientRect();
      int found = itemAt(point);
      bool outside = PtInRect(&client, point) == FALSE || found < 0;
      if (found < 0) {
        found = point.y < 0 ? top_ : items_.count() - 1;
      }
      return MAKELONG(found, outside ? 1 : 0);
    }
    case LB_SETITEMHEIGHT:
      return setItemHeight(index, static_cast<int>(LOWORD(lParam)));
    case LB_GETITEMHEIGHT:
      if (variableHeights()) {
        return items_.contains(index) ? items_.at(index)->height : LB_ERR;
      }
      return itemHeight_;
    default:
      return handleSelectionMessage(message, wParam, lParam);
  }
}

LRESULT ListBox::handleSelectionMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  int index = static_cast<int>(static_cast<LONG_PTR>(wParam));
  switch (message) {
    case LB_SETCURSEL:
      if (!singleSelection()) {
        return LB_ERR;
      }
      selectCurrent(index);
      return items_.contains(index) ? index : LB_ERR;
    case LB_GETCURSEL: {
      if (!singleSelection()) {
        return items_.caret();
      }
      std::vector<int> selected = items_.selectedIndices();
      return selected.empty() ? LB_ERR : selected.front();
    }
    case LB_SETSEL: {
      int target = static_cast<int>(lParam);
      if (singleSelection() || !items_.setSelected(target, wParam != 0)) {
        return LB_ERR;
      }
      if (target >= 0) {
        items_.setCaret(target);
        items_.setAnchor(target);
      }
      invalidate();
      return LB_OKAY;
    }
    case LB_GETSEL:
      return items_.contains(index) ? (items_.at(index)->selected ? 1 : 0) : LB_ERR;
    case LB_GETSELCOUNT:
      return singleSelection() ? LB_ERR : items_.selectedCount();
    case LB_GETSELITEMS: {
      auto* buffer = reinterpret_cast<int*>(lParam);
      if (singleSelection() || buffer == nullptr) {
        return LB_ERR;
      }
      std::vector<int> selected = items_.selectedIndices();
      std::size_t copied = std::min(selected.size(), static_cast<std::size_t>(wParam));
      std::copy_n(selected.begin(), copied, buffer);
      return static_cast<LRESULT>(copied);
    }
    case LB_SETCARETINDEX:
      if (!items_.contains(index)) {
        return LB_ERR;
      }
      items_.setCaret(index);
      if (LOWORD(lParam) == 0) {
        scrollIntoView(index);
      }
      invalidate();
      return LB_OKAY;
    case LB_GETCARETINDEX:
      return items_.caret() < 0 ? 0 : items_.caret();
    default:
      return handleCommon(message, wParam, lParam);
  }
}

LRESULT ListBox::insert(int index, LPARAM entry) {
  ListBoxItem item;
  if (keepsStrings()) {
    item.text = textOf(entry);
  } else {
    item.data = static_cast<ULONG_PTR>(entry);
  }
  item.height = itemHeight_;
  int inserted = items_.insert(index, std::move(item));
  if (inserted < 0) {
    return LB_ERR;
  }
  if (variableHeights()) {
    // The owner measures each entry as it comes, with its data word (the object or the text).
    Routing route = routing();
    MEASUREITEMSTRUCT measure{route.ctlType,
                              route.ctlId,
                              static_cast<UINT>(inserted),
                              0,
                              static_cast<UINT>(itemHeight_),
                              static_cast<ULONG_PTR>(entry)};
    SendMessage(route.owner, WM_MEASUREITEM, route.ctlId, reinterpret_cast<LPARAM>(&measure));
    items_.at(inserted)->height = std::clamp(static_cast<int>(measure.itemHeight), 1, kMaximumItemHeight);
  }
  if (inserted < top_) {
    ++top_;  // what shows stays in place
  }
  updateScrollBar();
  invalidate();
  return inserted;
}

LRESULT ListBox::erase(int index) {
  if (!items_.erase(index)) {
    return LB_ERR;
  }
  if (index < top_) {
    --top_;
  }
  setTop(top_);
  invalidate();
  return items_.count();
}

void ListBox::copyText(int index, LPARAM buffer) const {
  const ListBoxItem& item = *items_.at(index);
  if (keepsStrings()) {
    auto* target = reinterpret_cast<WCHAR*>(buffer);
    std::copy(item.text.begin(), item.text.end(), target);
    target[item.text.size()] = u'\0';
  } else {
    std::memcpy(reinterpret_cast<void*>(buffer), &item.data, sizeof(item.data));
  }
}

LRESULT ListBox::findExact(int after, LPARAM entry) const {
  if (keepsStrings()) {
    return entry == 0 ? LB_ERR : items_.findExact(textOf(entry), after);
  }
  // Entries without strings match on their data word.
  int start = items_.contains(after) ? after + 1 : 0;
  for (int step = 0; step < items_.count(); ++step) {
    int index = (start + step) % items_.count();
    if (items_.at(index)->data == static_cast<ULONG_PTR>(entry)) {
      return index;
    }
  }
  return LB_ERR;
}

LRESULT ListBox::setItemHeight(int index, int height) {
  if (height < 1 || height > kMaximumItemHeight) {
    return LB_ERR;
  }
  if (variableHeights()) {
    if (!items_.contains(index)) {
      return LB_ERR;
    }
    items_.at(index)->height = height;
  } else {
    itemHeight_ = height;
  }
  setTop(top_);
  invalidate();
  return LB_OKAY;
}

void ListBox::selectCurrent(int index) {
  items_.selectOnly(index);
  if (items_.contains(index)) {
    items_.setCaret(index);
    items_.setAnchor(index);
    scrollIntoView(index);
  }
  invalidate();
}

// Geometry.

ListBoxGeometry ListBox::geometry() const {
  return ListBoxGeometry(items_, itemHeight_, variableHeights(), top_, clientRect());
}

int ListBox::itemAt(POINT point) const {
  return geometry().itemAt(point);
}

void ListBox::setTop(int index) {
  int top = std::clamp(index, 0, geometry().lastTop());
  if (top != top_) {
    top_ = top;
    invalidate();
  }
  updateScrollBar();
}

void ListBox::scrollIntoView(int index) {
  if (items_.contains(index)) {
    setTop(geometry().topShowing(index));
  }
}

void ListBox::updateScrollBar() {
  if (!scrollBarWanted_) {
    return;
  }
  SCROLLINFO info{sizeof(SCROLLINFO),
                  SIF_RANGE | SIF_PAGE | SIF_POS,
                  0,
                  std::max(items_.count() - 1, 0),
                  static_cast<UINT>(geometry().pageSize()),
                  top_,
                  0};
  SetScrollInfo(window(), SB_VERT, &info, TRUE);
}

// Without LBS_NOINTEGRALHEIGHT the list is made just high enough for whole entries.
void ListBox::fitIntegralHeight() {
  if ((style() & LBS_NOINTEGRALHEIGHT) != 0 || variableHeights() || itemHeight_ <= 0) {
    return;
  }
  RECT client = clientRect();
  int spare = client.bottom % itemHeight_;
  if (spare == 0 || client.bottom < itemHeight_) {
    return;
  }
  RECT frame{};
  GetWindowRect(window(), &frame);
  SetWindowPos(window(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top - spare,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A fixed-height owner-drawn list asks its owner once for the height of every entry.
void ListBox::measureFixedHeight() {
  if (!ownerDrawn() || variableHeights()) {
    return;
  }
  Routing route = routing();
  MEASUREITEMSTRUCT measure{route.ctlType, route.ctlId, 0, 0, static_cast<UINT>(itemHeight_), 0};
  SendMessage(route.owner, WM_MEASUREITEM, route.ctlId, reinterpret_cast<LPARAM>(&measure));
  itemHeight_ = std::clamp(static_cast<int>(measure.itemHeight), 1, kMaximumItemHeight);
}

int ListBox::fontHeight() const {
  return std::min(ControlLook::lineHeight(window(), font()), kMaximumItemHeight);
}

// Input.

void ListBox::press(POINT point, WPARAM keys, bool doubleClick) {
  if (GetFocus() != window()) {
    SetFocus(window());
  }
  int index = itemAt(point);
  if (index < 0) {
    return;
  }
  selectionBeforePress_ = items_.selection();
  pressWasDoubleClick_ = doubleClick;
  bool shift = (keys & MK_SHIFT) != 0;
  bool control = (keys & MK_CONTROL) != 0;
  if (multipleSelection()) {
    press_ = Press::Toggle;
    items_.setSelected(index, !items_.at(index)->selected);
    items_.setCaret(index);
  } else if (extendedSelection()) {
    press_ = Press::Extended;
    moveCaretTo(index, shift, control);
    if (control && !shift) {
      items_.setSelected(index, !items_.at(index)->selected);
    }
  } else {
    press_ = Press::Single;
    items_.selectOnly(index);
    items_.setCaret(index);
  }
  invalidate();
  SetCapture(window());
}

void ListBox::follow(POINT point) {
  if (press_ != Press::Single && press_ != Press::Extended) {
    return;
  }
  // Dragging past an edge scrolls one entry and takes the next one.
  int index = itemAt(point);
  if (index < 0) {
    index = point.y < 0 ? std::max(top_ - 1, 0) : std::min(top_ + geometry().pageSize(), items_.count() - 1);
  }
  if (index == items_.caret() || !items_.contains(index)) {
    return;
  }
  if (press_ == Press::Single) {
    items_.selectOnly(index);
    items_.setCaret(index);
  } else {
    moveCaretTo(index, true, held(VK_CONTROL));
  }
  scrollIntoView(index);
  invalidate();
}

void ListBox::release() {
  if (press_ == Press::None) {
    return;
  }
  press_ = Press::None;
  ReleaseCapture();
  notifyIfSelectionChanged(selectionBeforePress_);
  if (pressWasDoubleClick_ && (style() & LBS_NOTIFY) != 0) {
    notify(LBN_DBLCLK);
  }
}

// The capture went elsewhere in the middle of a press: the selection goes back to what it was.
void ListBox::cancelPress() {
  press_ = Press::None;
  items_.restore(selectionBeforePress_);
  invalidate();
  if ((style() & LBS_NOTIFY) != 0) {
    notify(LBN_SELCANCEL);
  }
}

void ListBox::keyDown(UINT key) {
  int caret = std::max(items_.caret(), 0);
  int page = std::max(geometry().pageSize() - 1, 1);
  int target = -1;
  switch (key) {
    case VK_UP:
    case VK_LEFT:
      target = caret - 1;
      break;
    case VK_DOWN:
    case VK_RIGHT:
      target = caret + 1;
      break;
    case VK_PRIOR:
      target = caret - page;
      break;
    case VK_NEXT:
      target = caret + page;
      break;
    case VK_HOME:
      target = 0;
      break;
    case VK_END:
      target = items_.count() - 1;
      break;
    case VK_SPACE:
      break;
    default:
      return;
  }
  if (items_.count() == 0) {
    return;
  }
  std::vector<bool> before = items_.selection();
  bool shift = held(VK_SHIFT);
  bool control = held(VK_CONTROL);
  if (key == VK_SPACE) {
    if (multipleSelection() || (extendedSelection() && control && !shift)) {
      items_.setSelected(caret, !items_.at(caret)->selected);
      items_.setAnchor(caret);
    } else if (extendedSelection()) {
      moveCaretTo(caret, shift, control);
    } else {
      items_.selectOnly(caret);
    }
  } else {
    target = std::clamp(target, 0, items_.count() - 1);
    if (multipleSelection() || (extendedSelection() && control && !shift)) {
      items_.setCaret(target);  // the caret moves alone
    } else if (extendedSelection()) {
      moveCaretTo(target, shift, control);
    } else {
      items_.selectOnly(target);
      items_.setCaret(target);
    }
    scrollIntoView(target);
  }
  invalidate();
  notifyIfSelectionChanged(before);
}

// Extended selection: Shift selects from the anchor to `index` (keeping the rest with Ctrl, clearing it
// without); otherwise `index` becomes the anchor and, without Ctrl, the only entry selected.
void ListBox::moveCaretTo(int index, bool shift, bool control) {
  int anchor = items_.anchor() >= 0 ? items_.anchor() : index;
  if (shift) {
    if (!control) {
      items_.selectOnly(-1);
    }
    items_.setRange(anchor, index, true);
    items_.setAnchor(anchor);
  } else {
    if (!control) {
      items_.selectOnly(index);
    }
    items_.setAnchor(index);
  }
  items_.setCaret(index);
}

void ListBox::scrollRequest(WORD code) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
  switch (code) {
    case SB_LINEUP:
      setTop(top_ - 1);
      break;
    case SB_LINEDOWN:
      setTop(top_ + 1);
      break;
    case SB_PAGEUP:
      setTop(top_ - geometry().pageSize());
      break;
    case SB_PAGEDOWN:
      setTop(top_ + geometry().pageSize());
      break;
    case SB_TOP:
      setTop(0);
      break;
    case SB_BOTTOM:
      setTop(items_.count());
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      GetScrollInfo(window(), SB_VERT, &info);
      setTop(info.nTrackPos);
      break;
    default:
      break;
  }
}

void ListBox::notifyIfSelectionChanged(const std::vector<bool>& before) {
  if (items_.selection() != before && (style() & LBS_NOTIFY) != 0) {
    notify(LBN_SELCHANGE);
  }
}

void ListBox::notify(WORD code) const {
  notifyWindow(routing().notify, code);
}

void ListBox::focusChanged(bool gained) {
  invalidate();
  notify(gained ? LBN_SETFOCUS : LBN_KILLFOCUS);
}

// Painting.

void ListBox::paint(HDC dc) {
  Routing route = routing();
  HGDIOBJ previousFont = SelectObject(dc, ControlLook::fontOrDefault(font()));
  RECT client = clientRect();
  FillRect(dc, &client, ControlLook::askColors(window(), dc, WM_CTLCOLORLISTBOX, route.notify));
  bool hasFocus = focused();
  if (items_.count() == 0) {
    // An empty list still shows where the focus is.
    RECT first{client.left, 0, client.right, itemHeight_};
    if (ownerDrawn()) {
      drawByOwner(dc, -1, first, ODA_FOCUS, hasFocus ? ODS_FOCUS : 0);
    } else if (hasFocus) {
      ControlLook::focusMark(dc, first);
    }
  }
  ListBoxGeometry places = geometry();
  for (int i = top_; i < items_.count(); ++i) {
    RECT rect = places.itemRect(i);
    if (rect.top >= client.bottom) {
      break;
    }
    const ListBoxItem& item = *items_.at(i);
    bool caretHere = hasFocus && i == items_.caret();
    if (ownerDrawn()) {
      UINT state =
          (item.selected ? ODS_SELECTED : 0) | (caretHere ? ODS_FOCUS : 0) | (enabled() ? 0 : ODS_DISABLED);
      drawByOwner(dc, i, rect, ODA_DRAWENTIRE, state);
      continue;
    }
    ControlLook::listItem(dc, rect, item.text, item.selected, enabled());
    if (caretHere) {
      ControlLook::focusMark(dc, rect);
    }
  }
  SelectObject(dc, previousFont);
}

void ListBox::drawByOwner(HDC dc, int index, const RECT& rect, UINT action, UINT state) {
  Routing route = routing();
  if (route.owner == nullptr) {
    return;
  }
  const ListBoxItem* item = items_.at(index);
  DRAWITEMSTRUCT draw{route.ctlType,
                      route.ctlId,
                      static_cast<UINT>(index),
                      action,
                      state,
                      route.itemWindow,
                      dc,
                      rect,
                      item != nullptr ? item->data : 0};
  // The owner may change the context; the next entry starts from the same state.
  int saved = SaveDC(dc);
  SendMessage(route.owner, WM_DRAWITEM, route.ctlId, reinterpret_cast<LPARAM>(&draw));
  RestoreDC(dc, saved);
}

}  // namespace native
