// The back-end's tests share this set-up: a headless desktop, the application object with its window
// classes, a visible top-level native window to put children in, and a window object that records the
// native messages its window procedure hands it and leaves their processing to the class procedure.
#ifndef FRAMEWORK_WIN32_TESTS_ZAFWIN32TESTBED_H
#define FRAMEWORK_WIN32_TESTS_ZAFWIN32TESTBED_H

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/core/zafwindow.h"
#include "framework/win32/zafmswindowsapp.h"
#include "framework/win32/zafwindowprocedure.h"
#include "native/native.h"
#include "native/testdriver.h"
#include "testing/zaftestapplication.h"

struct ZafReceivedMessage {
  native::UINT message;
  ZafWindowObject* addressedObject;
};

class RecordingObject : public ZafWindowObject {
 public:
  RecordingObject() : ZafWindowObject(0, 0, 10, 1) {}
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type != E_OSEVENT) {
      return ZafWindowObject::Event(event);
    }
    received.push_back({event.osEvent.message, event.addressedObject});
    return static_cast<ZafEventType>(ZafCallClassProcedure(event.osEvent.hwnd, event.osEvent.message,
                                                           event.osEvent.wParam, event.osEvent.lParam));
  }
  // Whether a message of that number arrived, and addressed to whom.
  const ZafReceivedMessage* Find(native::UINT message) const {
    for (const ZafReceivedMessage& entry : received) {
      if (entry.message == message) {
        return &entry;
      }
    }
    return nullptr;
  }
  void MakeSupportObject() { supportObject = true; }
  void SetOwnNative(bool flag) { ownNativeWindow = flag; }

  std::vector<ZafReceivedMessage> received;
};

class ZafWin32Test : public testing::Test {
 protected:
  ZafWin32Test() {
    host = native::CreateWindowEx(0, ZafMSWindowsApp::windowClassName, u"Host",
                                  native::WS_OVERLAPPEDWINDOW | native::WS_VISIBLE, 10, 10, 300, 200, nullptr,
                                  nullptr, nullptr, nullptr);
  }
  // The native windows go before the objects their user data points at.
  ~ZafWin32Test() override { native::DestroyWindow(host); }

  // An object of no window, kept until the native windows are gone.
  RecordingObject* Loose() {
    loose.push_back(std::make_unique<RecordingObject>());
    return loose.back().get();
  }
  // An object added to `root`, which owns it.
  RecordingObject* Child() { return static_cast<RecordingObject*>(root->Add(new RecordingObject)); }

  native::TestDriver driver{native::DesktopOptions{640, 480, 96}};
  ZafTestApplication application;
  native::HWND host = nullptr;
  std::unique_ptr<ZafWindow> root = std::make_unique<ZafWindow>(0, 0, 20, 10);
  std::vector<std::unique_ptr<RecordingObject>> loose;
};

#endif
