#include "native/controls/mdiclient.h"

#include <algorithm>

#include "native/controls/controlconstants.h"
#include "native/controls/controllook.h"
#include "native/controls/mdiarrangement.h"
#include "native/user/dragplacement.h"
#include "native/user/focusmanager.h"
#include "native/user/iconslots.h"
#include "native/user/menuapi.h"
#include "native/user/messageapi.h"
#include "native/user/metrics.h"
#include "native/user/paintapi.h"
#include "native/user/rects.h"
#include "native/user/styles.h"
#include "native/user/windowpos.h"

namespace native {

namespace {

// What a child gets when the client does not take the caller's styles as they are (no MDIS_ALLCHILDSTYLES).
constexpr DWORD kStandardChildStyle =
    WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_VISIBLE;

bool minimized(HWND window) {
  return IsIconic(window) != FALSE;
}

std::u16string textOf(HWND window) {
  std::u16string text(static_cast<std::size_t>(SendMessage(window, WM_GETTEXTLENGTH, 0, 0)), u'\0');
  SendMessage(window, WM_GETTEXT, text.size() + 1, reinterpret_cast<LPARAM>(text.data()));
  return text;
}

}  // namespace

LRESULT MdiClient::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCT*>(lParam);
      if (const auto* client = static_cast<const CLIENTCREATESTRUCT*>(create->lpCreateParams)) {
        firstChildId_ = client->idFirstChild;
      }
      return 0;
    }
    case WM_DESTROY:
      removeFromBar();
      maximized_ = nullptr;
      showTitleInFrame();
      return 0;
    case WM_SIZE:
      fitMaximized();
      keepInReach();
      return 0;
    case WM_SETFOCUS:
      // With an icon active the client keeps the keys itself, so the frame's keys (Ctrl+F6, the Window
      // menu's) still reach the program.
      if (isChild(active_) && !minimized(active_)) {
        SetFocus(active_);
      }
      return 0;
    case WM_SYSCHAR:
      // The keys the client keeps for its active icon are that icon's: Alt+- opens its system menu.
      if (isChild(active_) && minimized(active_)) {
        return DefWindowProc(active_, message, wParam, lParam);
      }
      return handleCommon(message, wParam, lParam);
    default:
      return handleMdiMessage(message, wParam, lParam);
  }
}

LRESULT MdiClient::handleMdiMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  auto child = reinterpret_cast<HWND>(wParam);
  switch (message) {
    case WM_MDICREATE: {
      const auto* create = reinterpret_cast<const MDICREATESTRUCT*>(lParam);
      if (create == nullptr || create->szClass == nullptr) {
        return 0;
      }
      return reinterpret_cast<LRESULT>(createChild(*create));
    }
    case WM_MDIDESTROY:
      destroyChild(child);
      return 0;
    case WM_MDIACTIVATE:
      activate(child);
      return 0;
    case WM_MDIGETACTIVE:
      if (auto* isMaximized = reinterpret_cast<BOOL*>(lParam)) {
        *isMaximized = active_ != nullptr && active_ == maximized_ ? TRUE : FALSE;
      }
      return reinterpret_cast<LRESULT>(active_);
    case WM_MDINEXT:
      next(child != nullptr ? child : active_, lParam != 0);
      return 0;
    case WM_MDIMAXIMIZE:
      maximize(child);
      return 0;
    case WM_MDIRESTORE:
      restore(child);
      return 0;
    case WM_MDICASCADE:
      cascade();
      return TRUE;
    case WM_MDITILE:
      tile((wParam & MDITILE_HORIZONTAL) != 0);
      return TRUE;
    case WM_MDIICONARRANGE:
      arrangeIcons();
      return 0;
    case WM_MDIREFRESHMENU: {
      // A child changed its placement by itself (minimised from its box or its system menu): a maximised
      // child that is no longer maximised gives the bar back, and the active child minimised hands over.
      // A child's new title reaches the frame's caption.
      bool iconWasMaximized = maximized_ != nullptr && maximized_ == active_ && minimized(active_);
      if (maximized_ != nullptr && (!isChild(maximized_) || IsZoomed(maximized_) == FALSE)) {
        maximized_ = nullptr;
        removeFromBar();
      }
      passOnFromIcon(iconWasMaximized);
      showTitleInFrame();
      return reinterpret_cast<LRESULT>(GetMenu(GetParent(window())));
    }
    case kMdiFrameTitleMessage:
      frameTitle_ = reinterpret_cast<LPCWSTR>(lParam);
      frameTitleKept_ = true;
      showTitleInFrame();
      return TRUE;
    default:
      return handleCommon(message, wParam, lParam);
  }
}

HWND MdiClient::createChild(const MDICREATESTRUCT& create) {
  DWORD childStyle = create.style;
  if ((style() & MDIS_ALLCHILDSTYLES) == 0) {
    childStyle |= kStandardChildStyle;
  }
  // A new child comes maximised while another is: the maximised state stays with the active child.
  bool maximizeIt = maximized_ != nullptr || (childStyle & WS_MAXIMIZE) != 0;
  bool visible = (childStyle & WS_VISIBLE) != 0;
  childStyle = (childStyle & ~(WS_VISIBLE | WS_MAXIMIZE | WS_POPUP)) | WS_CHILD | WS_CLIPSIBLINGS;
  auto id = static_cast<std::intptr_t>(firstChildId_ + children().size());
  HWND child = CreateWindowEx(WS_EX_MDICHILD, create.szClass, create.szTitle, childStyle, create.x, create.y,
                              create.cx, create.cy, window(), reinterpret_cast<HMENU>(id), create.hOwner,
                              const_cast<MDICREATESTRUCT*>(&create));
  if (child == nullptr || !visible) {
    return child;
  }
  ShowWindow(child, SW_SHOW);
  activate(child);
  if (maximizeIt) {
    maximize(child);
  }
  return IsWindow(child) != FALSE ? child : nullptr;
}

void MdiClient::destroyChild(HWND child) {
  if (!isChild(child)) {
    return;
  }
  bool wasMaximized = child == maximized_;
  if (wasMaximized) {
    // The bar lets go of the child's system menu before the menu goes with the window.
    removeFromBar();
    maximized_ = nullptr;
  }
  if (child == active_) {
    std::vector<HWND> others = children();
    std::erase(others, child);
    if (!others.empty()) {
      activate(others.front());
      if (wasMaximized) {
        maximize(others.front());
      }
    } else {
      active_ = nullptr;
      SendMessage(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
    }
  }
  DestroyWindow(child);
  showTitleInFrame();
}

void MdiClient::activate(HWND child) {
  if (!isChild(child) || child == active_) {
    return;
  }
  HWND previous = isChild(active_) ? active_ : nullptr;
  active_ = child;
  auto lost = reinterpret_cast<WPARAM>(previous);
  auto gained = reinterpret_cast<LPARAM>(child);
  if (previous != nullptr) {
    SendMessage(previous, WM_NCACTIVATE, FALSE, 0);
    SendMessage(previous, WM_MDIACTIVATE, lost, gained);
  }
  SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // Behind an inactive frame (a dialog in front, another program's window) the new document's caption stays
  // inactive until the frame comes back.
  HWND frame = GetParent(window());
  SendMessage(child, WM_NCACTIVATE, GetActiveWindow() == frame ? TRUE : FALSE, 0);
  SendMessage(child, WM_MDIACTIVATE, lost, gained);
  if (maximized_ != nullptr && maximized_ != child) {
    maximize(child);
  }
  // The keys follow the active document while the frame has them.
  HWND focus = GetFocus();
  if (focus != nullptr && (focus == frame || IsChild(frame, focus) != FALSE) &&
      IsChild(child, focus) == FALSE) {
    SetFocus(child);
  }
}

void MdiClient::passOnFromIcon(bool maximizeNext) {
  if (!isChild(active_) || !minimized(active_)) {
    return;
  }
  std::vector<HWND> order = children();
  auto next = std::find_if(order.begin(), order.end(),
                           [](HWND child) { return !minimized(child) && IsWindowVisible(child) != FALSE; });
  if (next == order.end()) {
    return;  // nothing but icons: the minimised child stays the active one
  }
  activate(*next);
  if (maximizeNext) {
    maximize(*next);
  }
}

void MdiClient::next(HWND from, bool previous) {
  std::vector<HWND> order = children();
  auto position = std::find(order.begin(), order.end(), from);
  if (order.size() < 2 || position == order.end()) {
    return;
  }
  HWND target = previous ? order.back() : position + 1 != order.end() ? *(position + 1) : order.front();
  activate(target);
  // An icon stepped to comes back, as one chosen in the frame's Window menu does.
  if (minimized(target)) {
    restore(target);
  }
  if (!previous) {
    // The one left goes to the back, so repeated steps visit every child.
    SetWindowPos(from, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void MdiClient::maximize(HWND child) {
  if (!isChild(child)) {
    return;
  }
  if (maximized_ != nullptr && maximized_ != child) {
    HWND old = maximized_;
    maximized_ = nullptr;
    ShowWindow(old, SW_RESTORE);
  }
  maximized_ = child;
  if (IsZoomed(child) == FALSE) {
    ShowWindow(child, SW_SHOWMAXIMIZED);
  }
  fitMaximized();
  activate(child);
  showInBar(child);
  showTitleInFrame();
}

void MdiClient::restore(HWND child) {
  if (!isChild(child)) {
    return;
  }
  if (child == maximized_) {
    maximized_ = nullptr;
    removeFromBar();
    showTitleInFrame();
  }
  ShowWindow(child, SW_RESTORE);
  // A minimised child that was maximised comes back maximised.
  if (IsZoomed(child) != FALSE) {
    maximize(child);
  }
  // The active child back from an icon takes the keys the client kept for it.
  if (child == active_ && GetFocus() == window()) {
    SetFocus(child);
  }
}

// The maximised child's client area covers the whole client; its frame and caption lie outside, out of sight.
void MdiClient::fitMaximized() {
  if (!isChild(maximized_)) {
    return;
  }
  RECT outer{};
  GetWindowRect(maximized_, &outer);
  RECT inner{};
  GetClientRect(maximized_, &inner);
  POINT origin{0, 0};
  ClientToScreen(maximized_, &origin);
  RECT area = clientRect();
  int left = origin.x - outer.left;
  int top = origin.y - outer.top;
  int right = (outer.right - outer.left) - left - inner.right;
  int bottom = (outer.bottom - outer.top) - top - inner.bottom;
  SetWindowPos(maximized_, nullptr, -left, -top, area.right + left + right, area.bottom + top + bottom,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void MdiClient::cascade() {
  if (maximized_ != nullptr) {
    restore(maximized_);
  }
  std::vector<HWND> windows = arrangeable();
  int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
  std::vector<RECT> places = MdiArrangement::cascade(arrangeArea(), static_cast<int>(windows.size()), step);
  for (std::size_t i = 0; i < windows.size(); ++i) {
    const RECT& place = places[i];
    SetWindowPos(windows[i], nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void MdiClient::tile(bool horizontal) {
  if (maximized_ != nullptr) {
    restore(maximized_);
  }
  std::vector<HWND> windows = arrangeable();
  std::vector<RECT> places =
      MdiArrangement::tile(arrangeArea(), static_cast<int>(windows.size()), horizontal);
  for (std::size_t i = 0; i < windows.size(); ++i) {
    const RECT& place = places[i];
    SetWindowPos(windows[i], nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// Minimised children take the slots from the first on, front child first.
void MdiClient::arrangeIcons() {
  RECT area = clientRect();
  int slot = 0;
  for (HWND child : children()) {
    if (!minimized(child)) {
      continue;
    }
    RECT place = IconSlots::slot(area, slot++);
    SetWindowPos(child, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void MdiClient::keepInReach() {
  RECT area = clientRect();
  if (IsRectEmpty(&area)) {
    return;  // a minimised frame's: the children keep their places for its return
  }
  for (HWND child : arrangeable()) {
    if (child == maximized_) {
      continue;
    }
    RECT place = rectInClient(child);
    auto style = static_cast<DWORD>(GetWindowLong(child, GWL_STYLE));
    auto exStyle = static_cast<DWORD>(GetWindowLong(child, GWL_EXSTYLE));
    moveTo(child, DragPlacement::captionInReach(style, exStyle, place, area));
  }
  keepIcons(area);
  iconArea_ = area;
}

void MdiClient::keepIcons(const RECT& area) {
  std::vector<RECT> placed;
  std::vector<HWND> elsewhere;
  for (HWND child : children()) {
    if (!minimized(child)) {
      continue;
    }
    int slot = IconSlots::indexOf(iconArea_, rectInClient(child));
    if (slot < 0) {
      elsewhere.push_back(child);
      continue;
    }
    placed.push_back(IconSlots::slot(area, slot));
    moveTo(child, placed.back());
  }
  // Those that may stay are placed before any that must move looks for a free place.
  std::vector<HWND> moving;
  for (HWND child : elsewhere) {
    RECT place = rectInClient(child);
    RECT kept = IconSlots::settled(place, area, placed);
    if (EqualRect(&kept, &place)) {
      placed.push_back(place);
    } else {
      moving.push_back(child);
    }
  }
  for (HWND child : moving) {
    placed.push_back(IconSlots::settled(rectInClient(child), area, placed));
    moveTo(child, placed.back());
  }
}

void MdiClient::moveTo(HWND child, const RECT& place) {
  RECT now = rectInClient(child);
  if (!EqualRect(&now, &place)) {
    SetWindowPos(child, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

RECT MdiClient::rectInClient(HWND child) const {
  RECT place{};
  GetWindowRect(child, &place);
  MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

// The arrangements leave free the rows of icons at the bottom: each row, counted up from the area's bottom,
// that an icon reaches into, up to the first that none does, while the documents keep at least half the
// area's height. Icons above those rows are covered, so an icon dragged up never takes the area away.
RECT MdiClient::arrangeArea() const {
  RECT area = clientRect();
  LONG rowHeight = std::max(GetSystemMetrics(SM_CYMINIMIZED), 1);
  std::vector<RECT> icons;
  for (HWND child : children()) {
    if (minimized(child)) {
      icons.push_back(rectInClient(child));
    }
  }
  LONG mostRows = (area.bottom - area.top) / 2 / rowHeight;
  LONG rows = 0;
  for (; rows < mostRows; ++rows) {
    LONG rowBottom = area.bottom - rows * rowHeight;
    bool reached = std::any_of(icons.begin(), icons.end(), [&](const RECT& icon) {
      return icon.top < rowBottom && icon.bottom > rowBottom - rowHeight;
    });
    if (!reached) {
      break;
    }
  }
  area.bottom -= rows * rowHeight;
  return area;
}

std::vector<HWND> MdiClient::children() const {
  std::vector<HWND> result;
  for (HWND child = GetWindow(window(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    result.push_back(child);
  }
  return result;
}

std::vector<HWND> MdiClient::arrangeable() const {
  std::vector<HWND> result = children();
  std::erase_if(result, [](HWND child) { return minimized(child) || IsWindowVisible(child) == FALSE; });
  return result;
}

bool MdiClient::isChild(HWND candidate) const {
  return candidate != nullptr && IsWindow(candidate) != FALSE && GetParent(candidate) == window();
}

void MdiClient::showInBar(HWND child) {
  HWND frame = GetParent(window());
  HMENU bar = GetMenu(frame);
  HMENU systemMenu = GetSystemMenu(child, FALSE);
  if (bar == nullptr || systemMenu == nullptr || systemMenu == menuInBar_) {
    return;
  }
  removeFromBar();
  if (InsertMenu(bar, 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(systemMenu), nullptr) ==
      FALSE) {
    return;
  }
  menuInBar_ = systemMenu;
  // The document's own boxes at the bar's right end; their commands come back through DefFrameProc.
  auto childStyle = static_cast<DWORD>(GetWindowLong(child, GWL_STYLE));
  UINT place = MF_BITMAP | MF_RIGHTJUSTIFY;
  for (WPARAM command : {SC_MINIMIZE, SC_RESTORE, SC_CLOSE}) {
    if (command == SC_MINIMIZE && (childStyle & WS_MINIMIZEBOX) == 0) {
      continue;
    }
    AppendMenu(bar, place, command, nullptr);
    boxesInBar_.push_back(command);
    place = MF_BITMAP;
  }
  DrawMenuBar(frame);
}

void MdiClient::removeFromBar() {
  if (menuInBar_ == nullptr) {
    return;
  }
  HWND frame = GetParent(window());
  HMENU bar = GetMenu(frame);
  if (bar != nullptr) {
    // The boxes are the bar's last entries, in the order they went in.
    for (auto command = boxesInBar_.rbegin(); command != boxesInBar_.rend(); ++command) {
      int last = GetMenuItemCount(bar) - 1;
      if (last >= 0 && GetMenuItemID(bar, last) == *command) {
        RemoveMenu(bar, static_cast<UINT>(last), MF_BYPOSITION);
      }
    }
    if (GetSubMenu(bar, 0) == menuInBar_) {
      RemoveMenu(bar, 0, MF_BYPOSITION);
    }
    DrawMenuBar(frame);
  }
  boxesInBar_.clear();
  menuInBar_ = nullptr;
}

void MdiClient::showTitleInFrame() {
  HWND frame = GetParent(window());
  if (isChild(maximized_)) {
    if (!frameTitleKept_) {
      frameTitle_ = textOf(frame);
      frameTitleKept_ = true;
    }
    const std::u16string caption = frameTitle_ + u" - [" + textOf(maximized_) + u"]";
    DefWindowProc(frame, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption.c_str()));
  } else if (frameTitleKept_) {
    frameTitleKept_ = false;
    DefWindowProc(frame, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(frameTitle_.c_str()));
  }
}

void MdiClient::paint(HDC dc) {
  ControlLook::workspace(dc, clientRect());
}

}  // namespace native
