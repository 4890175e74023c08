// The modal tests share this set-up: the event-object test bed with a device that, once the dialog under
// test is on the screen, plays the user's part through the desktop driver. The modal loop then reads that
// input like any other, so nothing waits and nothing sleeps.
#ifndef FRAMEWORK_WIN32_TESTS_ZAFDIALOGTESTBED_H
#define FRAMEWORK_WIN32_TESTS_ZAFDIALOGTESTBED_H

#include <functional>
#include <utility>

#include "framework/core/zafdevice.h"
#include "framework/core/zafwindow.h"
#include "framework/win32/tests/zafeventobjecttest.h"

// Runs its script once, at the first poll at which its condition holds.
class ScriptedUser : public ZafDevice {
 public:
  static constexpr int32_t kDeviceType = 90;
  ScriptedUser() : ZafDevice(kDeviceType, D_ON) {}
  void Poll() override {
    if (script && ready && ready()) {
      std::function<void()> now = std::move(script);
      script = nullptr;
      now();
    }
  }
  std::function<bool()> ready;
  std::function<void()> script;
};

class ZafDialogTest : public ZafEventObjectTest {
 protected:
  ZafDialogTest() { user = static_cast<ScriptedUser*>(events.Add(new ScriptedUser)); }

  // Plays `script` once `ready` holds; a posted message makes sure the loop polls at least once.
  void WhenReady(std::function<bool()> ready, std::function<void()> script) {
    user->ready = std::move(ready);
    user->script = std::move(script);
    native::PostMessage(host, native::WM_NULL, 0, 0);
  }
  // Plays `script` once `window` is shown.
  void WhenShown(ZafWindowObject& window, std::function<void()> script) {
    WhenReady([&window] { return window.ScreenID() != nullptr; }, std::move(script));
  }
  // A click in the middle of an object's native window.
  void ClickOn(const ZafWindowObject& object) {
    const native::RECT area = driver.screenRect(object.ScreenID());
    driver.advanceClock(1000);
    driver.click((area.left + area.right) / 2, (area.top + area.bottom) / 2);
  }
  // A key pressed with Alt held.
  void AltKey(native::UINT key) {
    driver.keyDown(native::VK_MENU);
    driver.pressKey(key);
    driver.keyUp(native::VK_MENU);
  }

  ScriptedUser* user = nullptr;
};

#endif
