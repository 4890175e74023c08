#include "native/user/menubar.h"

#include "native/user/menuapi.h"
#include "native/user/menulayout.h"
#include "native/user/menuloop.h"
#include "native/user/menupainter.h"
#include "native/user/metrics.h"
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

int MenuBar::heightOf(const WindowRecord& window) {
  return barOf(window) != nullptr ? GetSystemMetrics(SM_CYMENU) : 0;
}

RECT MenuBar::screenRect(HWND handle) {
  WindowSystem& system = WindowSystem::get();
  const WindowRecord* window = system.windows().find(handle);
  if (window == nullptr || window->isMinimized() || barOf(*window) == nullptr) {
    return RECT{};
  }
  return NonClientLayout::compute(window->style, window->exStyle, system.windows().screenRect(*window),
                                  heightOf(*window))
      .menuBar;
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
