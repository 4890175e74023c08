#include "native/user/menubar.h"

#include "native/user/menuapi.h"
#include "native/user/menulayout.h"
#include "native/user/menuloop.h"
#include "native/user/menupainter.h"
#include "native/user/nonclientlayout.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

const MenuRecord* barOf(const WindowRecord& window) {
  if (window.isChild()) {
    return nullptr;
  }
  // A top-level window's id word holds its menu bar.
  auto menu = reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(window.id));
  return WindowSystem::get().menus().find(menu);
}

}  // namespace

int MenuBar::heightOf(const WindowRecord& window, const RECT& rect) {
  const MenuRecord* menu = barOf(window);
  if (menu == nullptr) {
    return 0;
  }
  // The bar lies between the frame's sides.
  int frame = NonClientLayout::frameThickness(window.style, window.exStyle);
  return MenuLayout::barHeight(*menu, static_cast<int>(rect.right - rect.left) - 2 * frame);
}

RECT MenuBar::screenRect(HWND handle) {
  WindowSystem& system = WindowSystem::get();
  const WindowRecord* window = system.windows().find(handle);
  if (window == nullptr || window->isMinimized() || barOf(*window) == nullptr) {
    return RECT{};
  }
  RECT screen = system.windows().screenRect(*window);
  return NonClientLayout::compute(window->style, window->exStyle, screen, heightOf(*window, screen)).menuBar;
}

std::vector<RECT> MenuBar::screenEntries(HWND handle) {
  const WindowRecord* window = WindowSystem::get().windows().find(handle);
  const MenuRecord* menu = window == nullptr ? nullptr : barOf(*window);
  if (menu == nullptr) {
    return {};
  }
  return MenuLayout::barEntries(*menu, screenRect(handle));
}

void MenuBar::paint(HDC dc, const WindowRecord& window, const RECT& bar) {
  const MenuRecord* menu = barOf(window);
  if (menu == nullptr || bar.bottom <= bar.top) {
    return;
  }
  const MenuLoop* loop = MenuLoop::running();
  int selected = loop != nullptr ? loop->highlightedBarEntry(window.handle) : -1;
  MenuPainter::paintBar(dc, *menu, bar, selected);
}

}  // namespace native
