#include <gtest/gtest.h>

#include <functional>

#include "native/tests/mdiscene.h"
#include "native/user/nonclientlayout.h"

namespace native::test {

namespace {

constexpr LPCWSTR kPlainClass = u"TestCaptionedWindow";

LRESULT plainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(window, message, wParam, lParam);
}

// The colour of a window's caption as the desktop shows it: the caption's top row, half-way across, which
// neither the title nor the boxes reach.
COLORREF captionColour(const TestDriver& driver, HWND window) {
  RECT frame = driver.screenRect(window);
  auto style = static_cast<DWORD>(GetWindowLong(window, GWL_STYLE));
  auto exStyle = static_cast<DWORD>(GetWindowLong(window, GWL_EXSTYLE));
  RECT caption = NonClientLayout::compute(style, exStyle, frame).caption;
  return driver.pixel((caption.left + caption.right) / 2, caption.top);
}

struct CaptionStates {
  bool frame;
  bool first;
  bool second;
  bool other;
};

}  // namespace

// Only the window that has the keys shows an active caption: the active document's caption goes inactive
// with its frame and comes back with it.
TEST(MdiCaption, TheActiveDocumentsCaptionFollowsItsFrame) {
  MdiScene scene;
  WNDCLASS description{};
  description.lpfnWndProc = plainProcedure;
  description.lpszClassName = kPlainClass;
  RegisterClass(&description);
  HWND first = scene.createChild(u"One", RECT{10, 10, 210, 160});
  HWND second = scene.createChild(u"Two", RECT{240, 10, 440, 160});
  SendMessage(scene.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first), 0);
  HWND other = CreateWindowEx(0, kPlainClass, u"Other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 650, 300, 140, 100,
                              nullptr, nullptr, nullptr, nullptr);
  HWND dialog = nullptr;
  auto activate = [](HWND window) { return [window] { SetActiveWindow(window); }; };
  struct Step {
    const char* change;
    std::function<void()> make;
    CaptionStates active;
  };
  const Step steps[] = {
      {"the frame comes in front of another window", activate(scene.frame), {true, true, false, false}},
      {"a dialog of the frame's opens in front",
       [&] {
         dialog = CreateWindowEx(0, kPlainClass, u"Dialog", WS_POPUP | WS_CAPTION | WS_VISIBLE, 650, 10, 140,
                                 100, scene.frame, nullptr, nullptr, nullptr);
         SetActiveWindow(dialog);
       },
       {false, false, false, false}},
      {"the dialog closes", [&] { DestroyWindow(dialog); }, {true, true, false, false}},
      {"another top-level window comes in front", activate(other), {false, false, false, true}},
      {"another document is picked behind it",
       [&] { SendMessage(scene.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(second), 0); },
       {false, false, false, true}},
      {"the frame comes back", activate(scene.frame), {true, false, true, false}},
      {"a click on the other document",
       [&] {
         RECT document = scene.driver.screenRect(first);
         scene.driver.click((document.left + document.right) / 2, (document.top + document.bottom) / 2);
       },
       {true, true, false, false}},
  };
  const COLORREF activeCaption = GetSysColor(COLOR_ACTIVECAPTION);
  const COLORREF inactiveCaption = GetSysColor(COLOR_INACTIVECAPTION);
  auto colour = [&](bool active) { return active ? activeCaption : inactiveCaption; };
  ASSERT_NE(activeCaption, inactiveCaption);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.change);
    step.make();
    scene.driver.pumpUntilIdle();
    EXPECT_EQ(captionColour(scene.driver, scene.frame), colour(step.active.frame)) << "frame";
    EXPECT_EQ(captionColour(scene.driver, first), colour(step.active.first)) << "first document";
    EXPECT_EQ(captionColour(scene.driver, second), colour(step.active.second)) << "second document";
    EXPECT_EQ(captionColour(scene.driver, other), colour(step.active.other)) << "other window";
  }
}

}  // namespace native::test
