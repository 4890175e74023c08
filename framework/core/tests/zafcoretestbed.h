// The framework core's tests share this set-up: a headless desktop with the application object, so that
// created windows and objects get real native windows; the test display, an event manager and a window
// manager, joined through the shared pointers as the application object joins them; and a window object
// that records the events it receives.
#ifndef FRAMEWORK_CORE_TESTS_ZAFCORETESTBED_H
#define FRAMEWORK_CORE_TESTS_ZAFCORETESTBED_H

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/core/zafdevice.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/win32/zafmswindowsapp.h"
#include "native/testdriver.h"
#include "testing/zaftestapplication.h"
#include "testing/zaftestdisplay.h"

class ZafCoreTest : public testing::Test {
 protected:
  ZafCoreTest() {
    ZafWindowObject::eventManager = &events;
    windows = std::make_unique<ZafWindowManager>();
  }
  ~ZafCoreTest() override {
    windows.reset();
    ZafWindowObject::display = nullptr;
    ZafWindowObject::eventManager = nullptr;
  }

  // Drains the queue, answering the types taken.
  std::vector<int32_t> QueuedTypes() {
    std::vector<int32_t> types;
    ZafEventRecord event;
    while (events.TakeQueued(event)) {
      types.push_back(event.type);
    }
    return types;
  }

  // Declared first, so the native windows still there go before the desktop does.
  native::TestDriver driver;
  ZafTestApplication application;
  ZafTestDisplay screen;
  ZafEventManager events;
  std::unique_ptr<ZafWindowManager> windows;
};

// A window object that keeps the types of the events it is sent and answers with a chosen reply.
class ProbeObject : public ZafWindowObject {
 public:
  ProbeObject(int32_t left, int32_t top, int32_t width, int32_t height)
      : ZafWindowObject(left, top, width, height) {}
  ZafEventType Event(const ZafEventRecord& event) override {
    received.push_back(event.type);
    if (event.Text()) {
      lastText = event.Text();
    }
    return (answerAll || event.type == answerFor) ? answer : ZafWindowObject::Event(event);
  }
  std::vector<int32_t> received;
  std::u16string lastText;
  // Answer every event, or only events of one type, with `answer` instead of the base handler's reply.
  bool answerAll = false;
  ZafEventType answerFor = 0;
  ZafEventType answer = 0;
};

// A device that logs each request it is sent as type × 100000 + request, and answers with its state.
class RecordingDevice : public ZafDevice {
 public:
  RecordingDevice(int32_t type, std::vector<int32_t>* log) : ZafDevice(type, D_ON), log(log) {}
  int32_t Event(const ZafEventRecord& event) override {
    log->push_back(deviceType * 100000 + event.type);
    return deviceState;
  }
  std::vector<int32_t>* log;
};

#endif
