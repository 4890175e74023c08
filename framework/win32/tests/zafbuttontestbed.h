// The button tests share this set-up: the event-object test bed's desktop, display, event manager and
// window manager, with the test bed's root window on the host window so that buttons added to it get
// their native controls at once, and a user function that records the codes it is called with.
#ifndef FRAMEWORK_WIN32_TESTS_ZAFBUTTONTESTBED_H
#define FRAMEWORK_WIN32_TESTS_ZAFBUTTONTESTBED_H

#include <cstdint>
#include <vector>

#include "framework/core/zafbutton.h"
#include "framework/win32/tests/zafeventobjecttest.h"

class ZafButtonTest : public ZafEventObjectTest {
 protected:
  ZafButtonTest() {
    chosen.clear();
    root->SetScreenID(host);
    driver.pumpUntilIdle();
  }
  ~ZafButtonTest() override { root->SetScreenID(nullptr); }

  // The button placed at (left, top) of the host's client area, `width` x `height` pixels, after
  // `prepare` set it up, created by being added to the root window.
  template <typename Prepare>
  ZafButton* Add(ZafButton* button, Prepare prepare, int32_t left = 10, int32_t top = 10, int32_t width = 80,
                 int32_t height = 24) {
    button->SetRegion({left, top, left + width - 1, top + height - 1, ZAF_PIXEL});
    button->SetUserFunction(&ZafButtonTest::Record);
    prepare(*button);
    root->Add(button);
    driver.pumpUntilIdle();
    return button;
  }
  ZafButton* Add(ZafButton* button) {
    return Add(button, [](ZafButton&) {});
  }

  // Lets the root window keep several selected children, or one. A window takes its selection type only
  // while it has no native window, so the root lets go of the host for the change.
  void SelectMultiple(bool flag) {
    root->SetScreenID(nullptr);
    root->SetSelectMultiple(flag);
    root->SetScreenID(host);
  }
  // The button type part of the control's style.
  static native::DWORD TypeOf(const ZafButton& button) {
    return static_cast<native::DWORD>(native::GetWindowLong(button.ScreenID(), native::GWL_STYLE)) &
           native::BS_TYPEMASK;
  }
  // A native message sent to the button as its window procedure would hand it over.
  static ZafEventType Send(ZafButton& button, native::UINT message, native::WPARAM wParam = 0,
                           native::LPARAM lParam = 0) {
    return button.Event(ZafNativeEvent(button.ScreenID(), message, wParam, lParam));
  }
  // The centre of the button's control on the screen.
  native::POINT Centre(const ZafButton& button) {
    const native::RECT area = driver.screenRect(button.ScreenID());
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
  }

  // The user function also hears of focus changes; only choices are kept.
  static ZafLong Record(ZafWindowObject*, ZafEventRecord&, ZafLong code) {
    if (code == ChosenEvent || code == ChosenByDoubleClickEvent) {
      chosen.push_back(static_cast<int32_t>(code));
    }
    return 0;
  }
  // The choices the user function was called for, in order.
  static inline std::vector<int32_t> chosen;
};

#endif
