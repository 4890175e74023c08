// The toolkit's tests share this set-up: a headless desktop with the framework's application object, so
// that toolkit windows get real native windows and draw through the real screen display.
#ifndef TOOLKIT_TESTS_KZTESTBED_H
#define TOOLKIT_TESTS_KZTESTBED_H

#include <gtest/gtest.h>

#include "framework/core/zafapplication.h"
#include "framework/core/zafwindow.h"
#include "framework/core/zafwindowmanager.h"
#include "native/testdriver.h"
#include "native/user/nonclientlayout.h"
#include "native/user/styles.h"
#include "native/user/windowapi.h"

// The middle of the close box on the window's frame, where the frame is now on the desktop.
inline native::POINT CloseBoxCentre(const native::TestDriver& driver, const ZafWindow& window) {
  const native::HWND frame = window.frameHandle;
  const auto style = static_cast<native::DWORD>(native::GetWindowLong(frame, native::GWL_STYLE));
  const auto exStyle = static_cast<native::DWORD>(native::GetWindowLong(frame, native::GWL_EXSTYLE));
  const native::RECT box =
      native::NonClientLayout::compute(style, exStyle, driver.screenRect(frame)).closeBox;
  return native::POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

class KZTest : public testing::Test {
 protected:
  // Adds a top-level window (the window manager owns it from then on) and lets it appear.
  template <typename Window>
  Window* Show(Window* window) {
    ZafWindowObject::windowManager->Add(window);
    driver.pumpUntilIdle();
    return window;
  }

  native::TestDriver driver{native::DesktopOptions{640, 480, 96}};
  ZafIChar program[9] = u"kestrove";
  ZafIChar* arguments[2] = {program, nullptr};
};

// With the framework's own application object.
class KZFrameworkTest : public KZTest {
 protected:
  ZafApplication application{1, arguments};
};

#endif
