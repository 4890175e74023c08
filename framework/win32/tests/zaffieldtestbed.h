// The field tests share this set-up: the event-object test bed's desktop, display, event manager and window
// manager, with the root window on the host window so that fields added to it get their native controls at
// once, and a user function that records the codes it is called with.
#ifndef FRAMEWORK_WIN32_TESTS_ZAFFIELDTESTBED_H
#define FRAMEWORK_WIN32_TESTS_ZAFFIELDTESTBED_H

#include <string>
#include <vector>

#include "framework/win32/tests/zafeventobjecttest.h"

class ZafFieldTest : public ZafEventObjectTest {
 protected:
  ZafFieldTest() {
    codes.clear();
    root->SetScreenID(host);
    driver.pumpUntilIdle();
  }
  ~ZafFieldTest() override { root->SetScreenID(nullptr); }

  // The object placed at (left, top) of the host's client area, `width` x `height` pixels, after `prepare`
  // set it up, created by being added to the root window.
  template <typename Object, typename Prepare>
  Object* Add(Object* object, Prepare prepare, int32_t left = 10, int32_t top = 10, int32_t width = 120,
              int32_t height = 24) {
    object->SetRegion({left, top, left + width - 1, top + height - 1, ZAF_PIXEL});
    prepare(*object);
    root->Add(object);
    driver.pumpUntilIdle();
    return object;
  }
  template <typename Object>
  Object* Add(Object* object) {
    return Add(object, [](Object&) {});
  }

  // The control's own text.
  static std::u16string ControlText(native::HWND control) {
    ZafIChar buffer[256] = {};
    native::SendMessage(control, native::WM_GETTEXT, 256, reinterpret_cast<native::LPARAM>(buffer));
    return buffer;
  }
  static native::DWORD StyleOf(native::HWND control) {
    return static_cast<native::DWORD>(native::GetWindowLong(control, native::GWL_STYLE));
  }
  // Handles the queued messages as the program's loop does: framework windows translate their own keys.
  static void Dispatch() {
    native::MSG message{};
    while (native::PeekMessage(&message, nullptr, 0, 0, native::PM_REMOVE)) {
      native::DispatchMessage(&message);
    }
  }
  // Gives the control the keyboard focus and types the text into it.
  void Type(native::HWND control, std::u16string_view text) {
    native::SetFocus(control);
    Dispatch();
    driver.typeText(text);
    Dispatch();
  }
  void PressKey(native::UINT key) {
    driver.pressKey(key);
    Dispatch();
  }
  // The dark pixels inside a window, three pixels in from its edges: what a field draws as text.
  int DarkPixels(native::HWND window) const {
    const native::RECT area = driver.screenRect(window);
    int dark = 0;
    for (int y = area.top + 3; y < area.bottom - 3; ++y) {
      for (int x = area.left + 3; x < area.right - 3; ++x) {
        const native::COLORREF color = driver.pixel(x, y);
        dark += native::GetRValue(color) + native::GetGValue(color) + native::GetBValue(color) < 200 ? 1 : 0;
      }
    }
    return dark;
  }
  // Puts text on the clipboard.
  static void Clip(std::u16string_view text) {
    native::OpenClipboard(nullptr);
    native::EmptyClipboard();
    const native::HGLOBAL block =
        native::GlobalAlloc(native::GMEM_MOVEABLE, (text.size() + 1) * sizeof(ZafIChar));
    auto* place = static_cast<ZafIChar*>(native::GlobalLock(block));
    text.copy(place, text.size());
    place[text.size()] = 0;
    native::GlobalUnlock(block);
    native::SetClipboardData(native::CF_UNICODETEXT, block);
    native::CloseClipboard();
  }

  // The user function hears every code its object passes on.
  static ZafLong Record(ZafWindowObject*, ZafEventRecord&, ZafLong code) {
    codes.push_back(static_cast<int32_t>(code));
    return 0;
  }
  static inline std::vector<int32_t> codes;
};

#endif
