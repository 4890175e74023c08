#include "native/tests/menuscene.h"

#include <stdexcept>

#include "native/user/menubar.h"
#include "native/user/menupopup.h"

namespace native::test {

namespace {

// More Escapes than any menu has levels: beyond this the menu does not close.
constexpr int kMaxEscapes = 10;

POINT centreOf(const RECT& rect) {
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

}  // namespace

MenuScene::MenuScene(DWORD style) {
  file = CreatePopupMenu();
  recent = CreatePopupMenu();
  edit = CreatePopupMenu();
  bar = CreateMenu();
  AppendMenu(recent, MF_STRING, kFileA, u"File &A");
  AppendMenu(recent, MF_STRING, kFileB, u"File &B");
  AppendMenu(file, MF_STRING, kNew, u"&New");
  AppendMenu(file, MF_STRING, kOpen, u"&Open...\tCtrl+O");
  AppendMenu(file, MF_SEPARATOR, 0, nullptr);
  AppendMenu(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), u"&Recent");
  AppendMenu(file, MF_STRING, kExit, u"E&xit");
  AppendMenu(edit, MF_STRING | MF_GRAYED, kUndo, u"&Undo");
  AppendMenu(edit, MF_STRING | MF_CHECKED, kCopy, u"&Copy");
  AppendMenu(edit, MF_STRING, kPaste, u"&Paste");
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), u"&File");
  AppendMenu(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), u"&Edit");
  spy.handler = [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (extra) {
      extra(message, wParam, lParam);
    }
    if (message == WM_ENTERIDLE) {
      if (next_ < steps.size()) {
        steps[next_++]();
        if (nudgeAfterStep) {
          PostMessage(window, WM_NULL, 0, 0);
        }
      } else if (++escapes_ <= kMaxEscapes) {
        PostMessage(window, WM_KEYDOWN, VK_ESCAPE, 0);
      } else {
        throw std::runtime_error("the menu does not close");
      }
    }
    return DefWindowProc(window, message, wParam, lParam);
  };
  frame = CreateWindowEx(0, spy.className(), u"Scene", style, 100, 80, 420, 300, nullptr, nullptr, nullptr,
                         nullptr);
  SetMenu(frame, bar);
  driver.pumpUntilIdle();
  spy.clear();
}

POINT MenuScene::barEntry(int position) const {
  return centreOf(MenuBar::screenEntries(frame).at(static_cast<std::size_t>(position)));
}

std::vector<HWND> MenuScene::openPopups() const {
  std::vector<HWND> popups;
  for (HWND window : driver.topLevelWindows()) {
    // The frame owns no windows but its menus' pop-ups.
    if (GetWindow(window, GW_OWNER) == frame && IsWindowVisible(window)) {
      popups.push_back(window);
    }
  }
  return popups;
}

POINT MenuScene::popupEntry(HWND popup, int position) const {
  return centreOf(MenuPopup::screenEntries(popup).at(static_cast<std::size_t>(position)));
}

void MenuScene::clickBar(int position) {
  POINT point = barEntry(position);
  driver.click(point.x, point.y);
  driver.pumpUntilIdle();
}

std::vector<Logged> MenuScene::menuTraffic() const {
  return spy.only({WM_INITMENUPOPUP, WM_MENUSELECT, WM_COMMAND});
}

}  // namespace native::test
