#include "native/user/menupopup.h"

#include <algorithm>

#include "native/user/classregistry.h"
#include "native/user/menulayout.h"
#include "native/user/menupainter.h"
#include "native/user/messages.h"
#include "native/user/metrics.h"
#include "native/user/paintapi.h"
#include "native/user/rects.h"
#include "native/user/styles.h"
#include "native/user/windowapi.h"
#include "native/user/windowpos.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

constexpr const char16_t* kClassName = u"#32768";
constexpr DWORD kStyle = WS_POPUP | WS_BORDER;

const PopupState* stateOf(HWND window) {
  return reinterpret_cast<const PopupState*>(GetWindowLong(window, GWL_USERDATA));
}

bool registerClassOnce(WNDPROC procedure) {
  if (WindowSystem::get().classes().find(kClassName) != nullptr) {
    return true;
  }
  WNDCLASS description{};
  description.lpfnWndProc = procedure;
  description.lpszClassName = kClassName;
  return RegisterSystemClass(&description) != 0;
}

// Places a span of `size` at `preferred`, or else ending at `fallbackEnd`, within [0, limit).
LONG placeSpan(LONG preferred, LONG fallbackEnd, LONG size, LONG limit) {
  if (preferred + size <= limit) {
    return preferred;
  }
  if (fallbackEnd - size >= 0) {
    return fallbackEnd - size;
  }
  return std::max<LONG>(0, limit - size);
}

}  // namespace

HWND MenuPopup::open(const PopupState* state, HWND owner, const RECT& anchor, Placement placement) {
  const MenuRecord* menu = WindowSystem::get().menus().find(state->menu);
  if (menu == nullptr || !registerClassOnce(&MenuPopup::procedure)) {
    return nullptr;
  }
  SIZE client = MenuLayout::popupClientSize(*menu);
  int border = GetSystemMetrics(SM_CXBORDER);
  LONG width = client.cx + 2 * border;
  LONG height = client.cy + 2 * border;
  LONG screenWidth = GetSystemMetrics(SM_CXSCREEN);
  LONG screenHeight = GetSystemMetrics(SM_CYSCREEN);
  LONG x = 0;
  LONG y = 0;
  if (placement == Placement::Below) {
    x = std::clamp<LONG>(anchor.left, 0, std::max<LONG>(0, screenWidth - width));
    y = placeSpan(anchor.bottom, anchor.top, height, screenHeight);
  } else {
    x = placeSpan(anchor.right, anchor.left, width, screenWidth);
    y = std::clamp<LONG>(anchor.top - border, 0, std::max<LONG>(0, screenHeight - height));
  }
  HWND window = CreateWindowEx(WS_EX_TOPMOST, kClassName, nullptr, kStyle, x, y, width, height, owner,
                               nullptr, nullptr, nullptr);
  if (window == nullptr) {
    return nullptr;
  }
  SetWindowLong(window, GWL_USERDATA, reinterpret_cast<LONG_PTR>(state));
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  return window;
}

std::vector<RECT> MenuPopup::screenEntries(HWND popup) {
  const PopupState* state = stateOf(popup);
  const MenuRecord* menu = state == nullptr ? nullptr : WindowSystem::get().menus().find(state->menu);
  if (menu == nullptr) {
    return {};
  }
  POINT origin{0, 0};
  ClientToScreen(popup, &origin);
  std::vector<RECT> entries = MenuLayout::popupEntries(*menu);
  for (RECT& entry : entries) {
    OffsetRect(&entry, origin.x, origin.y);
  }
  return entries;
}

LRESULT MenuPopup::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // the frame whose menu this is stays active
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(window, &paint);
      const PopupState* state = stateOf(window);
      const MenuRecord* menu = state == nullptr ? nullptr : WindowSystem::get().menus().find(state->menu);
      if (dc != nullptr && menu != nullptr) {
        RECT client{};
        GetClientRect(window, &client);
        MenuPainter::paintPopup(dc, *menu, client, state->selected);
      }
      EndPaint(window, &paint);
      return 0;
    }
    default:
      return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace native
