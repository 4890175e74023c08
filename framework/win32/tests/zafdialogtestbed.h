// The modal tests share this set-up: the event-object test bed with a device that, once the dialog under
// test is on the screen, plays the user's part through the desktop driver. The modal loop then reads that
// input like any other, so nothing waits and nothing sleeps.
#ifndef FRAMEWORK_WIN32_TESTS_ZAFDIALOGTESTBED_H
#define FRAMEWORK_WIN32_TESTS_ZAFDIALOGTESTBED_H

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "foundation/kstring.h"
#include "framework/core/zafdevice.h"
#include "framework/core/zafwindow.h"
#include "framework/win32/tests/zafeventobjecttest.h"

// Runs its script once, at the first poll at which its condition holds, then follows the window that was in
// front when it ran until that window leaves the screen. Meanwhile it keeps the modal loop turning: when no
// message but a repaint is waiting it posts an empty one, where the loop might otherwise wait for ever. After
// kPatience such idle turns it fails the test, naming what it waited for, and closes the window, so a wrong
// answer ends the loop instead of hanging it.
class ScriptedUser : public ZafDevice {
 public:
  static constexpr int32_t kDeviceType = 90;
  static constexpr int kPatience = 50;
  ScriptedUser() : ZafDevice(kDeviceType, D_ON) {}

  // `waitingFor` says what the script waits for, for the failure.
  void Expect(std::string waitingFor, std::function<bool()> ready, std::function<void()> script) {
    expected = std::move(waitingFor);
    this->ready = std::move(ready);
    this->script = std::move(script);
    watched = nullptr;
    idleTurns = 0;
    following = true;
  }
  void Poll() override {
    if (!following) {
      return;
    }
    if (script && ready()) {
      watched = ZafWindowObject::windowManager->FrontWindow();
      std::function<void()> now = std::move(script);
      script = nullptr;
      now();
    }
    if (!script && (!watched || ZafWindowObject::windowManager->Index(watched) < 0)) {
      following = false;
      return;
    }
    if (NothingButPaintWaits()) {
      if (++idleTurns < kPatience) {
        native::PostMessage(nullptr, native::WM_NULL, 0, 0);
      } else {
        GiveUp();
      }
    }
  }

 private:
  // Whether the loop would wait, or find only a repaint, which the event in hand may well carry out itself.
  static bool NothingButPaintWaits() {
    native::MSG waiting{};
    return !native::PeekMessage(&waiting, nullptr, 0, 0, native::PM_NOREMOVE) ||
           waiting.message == native::WM_PAINT;
  }
  void GiveUp() {
    following = false;
    ADD_FAILURE() << (script ? "still waiting for " : "the script ran, but the window stayed open: ")
                  << expected << " (" << kPatience << " idle turns of the loop); the window is closed";
    ZafEventRecord close(CloseEvent, 0);
    close.windowObject = watched ? watched : ZafWindowObject::windowManager->FrontWindow();
    ZafWindowObject::eventManager->Put(close, Q_END);
  }

  std::string expected;
  std::function<bool()> ready;
  std::function<void()> script;
  ZafWindow* watched = nullptr;
  int idleTurns = 0;
  bool following = false;
};

class ZafDialogTest : public ZafEventObjectTest {
 protected:
  ZafDialogTest() { user = static_cast<ScriptedUser*>(events.Add(new ScriptedUser)); }

  // Plays `script` once `ready` holds (`waitingFor` names it); a posted message makes sure the loop polls at
  // least once.
  void WhenReady(std::string waitingFor, std::function<bool()> ready, std::function<void()> script) {
    user->Expect(std::move(waitingFor), std::move(ready), std::move(script));
    native::PostMessage(host, native::WM_NULL, 0, 0);
  }
  // Plays `script` once `window` is shown.
  void WhenShown(ZafWindowObject& window, std::function<void()> script) {
    WhenReady(
        "the " + KString(window.ClassName()).ToUtf8() + " to be shown and answered",
        [&window] { return window.ScreenID() != nullptr; }, std::move(script));
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
