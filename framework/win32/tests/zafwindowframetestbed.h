// The window-frame tests share this set-up: a headless desktop with the application object, whose window
// manager shows the top-level windows and whose event manager takes the framework events; a support
// object that stands for a frame part (no window of its own) or a bar along the top edge (a window of its
// own); and a window that keeps the framework events it is sent.
#ifndef FRAMEWORK_WIN32_TESTS_ZAFWINDOWFRAMETESTBED_H
#define FRAMEWORK_WIN32_TESTS_ZAFWINDOWFRAMETESTBED_H

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/core/zafapplication.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/win32/zafmswindowsapp.h"
#include "native/native.h"
#include "native/testdriver.h"

// A frame part standing in for a border, title, button or scroll bar (by its number ID), or, with a
// window of its own, a bar `thickness` pixels high along the top of the area its window leaves it.
class SupportStandIn : public ZafWindowObject {
 public:
  static constexpr ZafNumberID kBarID = 0xFFF0;

  explicit SupportStandIn(ZafNumberID id) : ZafWindowObject(0, 0, 1, 1) {
    SetNumberID(id);
    supportObject = true;
    ownNativeWindow = false;
    placement = 2;
  }
  static SupportStandIn* Bar(int32_t height) {
    auto* bar = new SupportStandIn(kBarID);
    bar->ownNativeWindow = true;
    bar->thickness = height;
    return bar;
  }
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == E_OSEVENT) {
      nativeMessages.push_back(event.osEvent.message);
    } else {
      received.push_back(event.type);
    }
    if (event.type == FitEvent && thickness > 0 && parent) {
      ZafRegionStruct area = parent->ClientRegion(this);
      area.bottom = area.top + thickness - 1;
      SetRegion(area);
      return event.type;
    }
    return ZafWindowObject::Event(event);
  }
  std::vector<native::UINT> nativeMessages;
  std::vector<ZafEventType> received;

 private:
  int32_t thickness = 0;
};

// A window that keeps the types of the framework events it is sent.
class NoticeWindow : public ZafWindow {
 public:
  NoticeWindow(int32_t left, int32_t top, int32_t width, int32_t height)
      : ZafWindow(left, top, width, height) {
    SetCoordinateType(ZAF_PIXEL);
  }
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == E_OSEVENT) {
      nativeMessages.push_back(event.osEvent.message);
    } else {
      received.push_back(event.type);
      if (event.type == MovedEvent) {
        lastMovedFrom = event.Region();
      } else if (event.type == SizedEvent) {
        lastSizedFrom = event.Region();
      }
    }
    return ZafWindow::Event(event);
  }
  int Count(ZafEventType type) const {
    return static_cast<int>(std::count(received.begin(), received.end(), type));
  }
  std::vector<ZafEventType> received;
  std::vector<native::UINT> nativeMessages;
  ZafRegionStruct lastMovedFrom;
  ZafRegionStruct lastSizedFrom;
};

class ZafWindowFrameTest : public testing::Test {
 protected:
  // Shows a top-level window through the window manager, which owns it from then on.
  template <typename Window>
  Window* Shown(Window* window) {
    manager->Add(window);
    driver.pumpUntilIdle();
    return window;
  }

  static native::DWORD StyleOf(native::HWND window) {
    return static_cast<native::DWORD>(native::GetWindowLong(window, native::GWL_STYLE));
  }
  static native::DWORD ExtendedStyleOf(native::HWND window) {
    return static_cast<native::DWORD>(native::GetWindowLong(window, native::GWL_EXSTYLE));
  }
  static native::SIZE ClientSizeOf(native::HWND window) {
    native::RECT client{};
    native::GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
  }
  static native::RECT ScreenRectOf(native::HWND window) {
    native::RECT rect{};
    native::GetWindowRect(window, &rect);
    return rect;
  }
  // The window's rectangle in the client coordinates of `inside`.
  static native::RECT RectInside(native::HWND window, native::HWND inside) {
    native::RECT rect = ScreenRectOf(window);
    native::MapWindowPoints(nullptr, inside, &rect);
    return rect;
  }

  native::TestDriver driver{native::DesktopOptions{800, 600, 96}};
  // The application takes the windows still open down with it while the desktop is still there.
  ZafApplication application{0, nullptr};
  ZafEventManager& events = *ZafWindowObject::eventManager;
  ZafWindowManager* manager = ZafWindowObject::windowManager;
};

#endif
