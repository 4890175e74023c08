// The window event tests share this set-up: the native-event test bed's desktop, display, event manager
// and window manager, and a top-level window in pixels that records the native messages it is handed and
// the objects they are addressed to, with recording objects and buttons as children.
#ifndef FRAMEWORK_WIN32_TESTS_ZAFWINDOWEVENTSTESTBED_H
#define FRAMEWORK_WIN32_TESTS_ZAFWINDOWEVENTSTESTBED_H

#include <vector>

#include "framework/core/zafbutton.h"
#include "framework/win32/tests/zafeventobjecttest.h"

// A window that records the native messages and framework events it is handed.
class SpyWindow : public ZafWindow {
 public:
  SpyWindow(int32_t left, int32_t top, int32_t width, int32_t height) : ZafWindow(0, 0, 1, 1) {
    SetCoordinateType(ZAF_PIXEL);
    SetRegion({left, top, left + width - 1, top + height - 1, ZAF_PIXEL});
  }
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == E_OSEVENT) {
      messages.push_back({event.osEvent.message, event.addressedObject});
    } else {
      events.push_back(event.type);
    }
    ++depth;
    const ZafEventType answer = ZafWindow::Event(event);
    --depth;
    return answer;
  }
  bool Handling() const { return depth > 0; }
  int Count(ZafEventType type) const {
    return static_cast<int>(std::count(events.begin(), events.end(), type));
  }

  std::vector<ZafReceivedMessage> messages;
  std::vector<ZafEventType> events;

 private:
  int depth = 0;
};

// A recording object that answers key presses with a chosen reply instead of its own handling's.
class KeyField : public EventObject {
 public:
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == E_OSEVENT && event.osEvent.message == native::WM_KEYDOWN && answersKeys) {
      return keyAnswer;
    }
    return EventObject::Event(event);
  }
  bool answersKeys = false;
  ZafEventType keyAnswer = 0;
};

// A button that counts its choices.
class CountingButton : public ZafButton {
 public:
  explicit CountingButton(const ZafIChar* text) : ZafButton(0, 0, 1, 1, text) {}
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == ChosenEvent) {
      ++chosen;
    }
    return ZafButton::Event(event);
  }
  int chosen = 0;
};

class ZafWindowEventsTest : public ZafEventObjectTest {
 protected:
  ~ZafWindowEventsTest() override {
    // The window manager takes the shown windows down; a window never shown goes here.
    if (!shown) {
      delete window;
    }
  }

  // A recording object placed in the window at (left, top), `width` x `height` pixels.
  EventObject* Child(int32_t left, int32_t top, int32_t width = 40, int32_t height = 20,
                     SpyWindow* into = nullptr) {
    auto* child = new EventObject();
    child->SetRegion({left, top, left + width - 1, top + height - 1, ZAF_PIXEL});
    (into ? into : window)->Add(child);
    return child;
  }
  // Takes down the window the test worked with and starts a new one.
  void NewWindow() {
    if (shown) {
      manager->Subtract(window);
    }
    delete window;
    window = new SpyWindow(40, 40, 300, 200);
    shown = false;
  }
  CountingButton* Button(int32_t left, int32_t top, const ZafIChar* text = u"OK") {
    auto* button = new CountingButton(text);
    button->SetRegion({left, top, left + 79, top + 23, ZAF_PIXEL});
    window->Add(button);
    return button;
  }
  // Adds the window to the window manager, which creates and shows it.
  void Show() {
    manager->Add(window);
    shown = true;
    driver.pumpUntilIdle();
  }
  // Gives the object the focus and forgets what the window heard so far.
  void Focus(ZafWindowObject* object) {
    object->SetFocus(true);
    driver.pumpUntilIdle();
    window->messages.clear();
    window->events.clear();
  }
  void Press(native::UINT key) {
    driver.pressKey(key);
    driver.pumpUntilIdle();
  }
  // The key pressed while `modifier` is held down.
  void PressWith(native::UINT modifier, native::UINT key) {
    driver.keyDown(modifier);
    driver.pumpUntilIdle();
    Press(key);
    driver.keyUp(modifier);
    driver.pumpUntilIdle();
  }
  // A native message sent to the window's content window, as its window procedure hands it over.
  ZafEventType Send(native::UINT message, native::WPARAM wParam = 0, native::LPARAM lParam = 0) {
    return static_cast<ZafEventType>(native::SendMessage(window->ScreenID(), message, wParam, lParam));
  }

  SpyWindow* window = new SpyWindow(40, 40, 300, 200);
  bool shown = false;
};

#endif
