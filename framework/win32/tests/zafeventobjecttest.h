// The native-event tests share this set-up: window objects of their own on child windows of the host, with
// the shared display, an event manager holding a mouse device, and a window manager, so that messages go
// through the real window procedure and the objects' real native handling.
#ifndef FRAMEWORK_WIN32_TESTS_ZAFEVENTOBJECTTEST_H
#define FRAMEWORK_WIN32_TESTS_ZAFEVENTOBJECTTEST_H

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/win32/tests/zafwin32testbed.h"
#include "framework/win32/zafcreatewindow.h"
#include "framework/win32/zafmouse.h"
#include "framework/win32/zafscreendisplay.h"
#include "framework/win32/zafwindowobjectdrag.h"

// A window object that keeps a text, answers chosen framework events with chosen replies, and records the
// framework events and the draws it gets.
class EventObject : public ZafWindowObject {
 public:
  static constexpr native::COLORREF kFace = native::RGB(0, 128, 0);
  static constexpr native::COLORREF kInk = native::RGB(128, 0, 128);

  struct DrawCall {
    ZafEventType drawType;
    ZafRegionStruct region;
    bool focus;
    bool selected;
  };

  EventObject() : ZafWindowObject(0, 0, 1, 1) { SetRegion({0, 0, 9, 9, ZAF_PIXEL}); }

  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type != E_OSEVENT) {
      received.push_back(event);
    }
    if (onEvent) {
      onEvent(event);
    }
    if (const auto reply = replies.find(event.type); reply != replies.end()) {
      return reply->second;
    }
    return ZafWindowObject::Event(event);
  }
  const ZafIChar* Text() override { return text.c_str(); }
  int SetText(const ZafIChar* newText) override {
    text = newText ? newText : u"";
    return 0;
  }
  // Background and text in colours of their own, so painting can be told from the white window.
  ZafPaletteStruct LogicalPalette(uint16_t type, uint16_t) override {
    ZafPaletteStruct palette;
    palette.colorForeground = ZAF_OS_COLOR_INDEX;
    palette.colorBackground = ZAF_OS_COLOR_INDEX;
    palette.osForeground = type == ZAF_PM_TEXT ? kInk : kFace;
    palette.osBackground = kFace;
    return palette;
  }
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override {
    draws.push_back({drawType, event.Region(), focus, selected});
    return ZafWindowObject::Draw(event, drawType);
  }

  // The framework events of that type received so far.
  int Count(ZafEventType type) const {
    return static_cast<int>(
        std::count_if(received.begin(), received.end(),
                      [type](const ZafEventRecord& event) { return event.type == type; }));
  }
  // The last framework event of that type, or null.
  const ZafEventRecord* Last(ZafEventType type) const {
    const auto found = std::find_if(received.rbegin(), received.rend(),
                                    [type](const ZafEventRecord& event) { return event.type == type; });
    return found == received.rend() ? nullptr : &*found;
  }
  // The types of the framework events received, in order, drag and drop events only.
  std::vector<ZafEventType> DragCodes() const {
    std::vector<ZafEventType> codes;
    for (const ZafEventRecord& event : received) {
      if (event.type >= FirstDragDropEvent && event.type <= LastDragDropEvent) {
        codes.push_back(event.type);
      }
    }
    return codes;
  }
  void SetEdit(bool flag) { editMode = flag; }
  void SetFocusFlag(bool flag) { focus = flag; }
  void SetSelectedFlag(bool flag) { selected = flag; }

  std::u16string text;
  std::vector<ZafEventRecord> received;
  std::vector<DrawCall> draws;
  std::map<ZafEventType, ZafEventType> replies;
  std::function<void(const ZafEventRecord&)> onEvent;
};

class ZafEventObjectTest : public ZafWin32Test {
 protected:
  ZafEventObjectTest() {
    ZafWindowObject::display = &screen;
    ZafWindowObject::eventManager = &events;
    mouse = static_cast<ZafMouse*>(events.Add(new ZafMouse(D_ON, DM_VIEW)));
    manager = std::make_unique<ZafWindowManager>();
    ZafWindowObjectDrag::tipTimer = 0;
    driver.pumpUntilIdle();
  }
  // The windows go while their objects still exist.
  ~ZafEventObjectTest() override {
    for (native::HWND window : windows) {
      if (native::IsWindow(window)) {
        native::DestroyWindow(window);
      }
    }
    manager.reset();
    ZafWindowObject::display = nullptr;
    ZafWindowObject::eventManager = nullptr;
  }

  // Gives the object a visible child window of the host (or of the given parent) at (x, y) of its client
  // area; the object's region follows the window.
  native::HWND Place(EventObject& object, int x, int y, int width = 60, int height = 40,
                     native::HWND parentWindow = nullptr) {
    const native::HWND window =
        ZafCreateWindow(&object, ZafMSWindowsApp::windowClassName, native::WS_CHILD | native::WS_VISIBLE,
                        nullptr, parentWindow ? parentWindow : host);
    object.SetScreenID(window);
    windows.push_back(window);
    native::MoveWindow(window, x, y, width, height, native::TRUE);
    driver.pumpUntilIdle();
    object.received.clear();
    object.draws.clear();
    return window;
  }
  static native::POINT ScreenPoint(native::HWND window, int x, int y) {
    native::POINT point{x, y};
    native::ClientToScreen(window, &point);
    return point;
  }
  // Moves the pointer to a point of the window's client area and handles what follows.
  void MoveTo(native::HWND window, int x, int y) {
    const native::POINT point = ScreenPoint(window, x, y);
    driver.mouseMove(point.x, point.y);
    driver.pumpUntilIdle();
  }
  // A press long after the last one, so that it is never taken for the second click of a double click.
  void Press(native::HWND window, int x, int y) {
    driver.advanceClock(1000);
    MoveTo(window, x, y);
    driver.mouseDown();
    driver.pumpUntilIdle();
  }
  void Release() {
    driver.mouseUp();
    driver.pumpUntilIdle();
  }

  ZafScreenDisplay screen;
  ZafEventManager events;
  // Fixture members, so that they outlive their windows.
  EventObject object;
  EventObject other;
  ZafMouse* mouse = nullptr;
  std::unique_ptr<ZafWindowManager> manager;
  std::vector<native::HWND> windows;
};

#endif
