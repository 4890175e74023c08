#include "framework/core/zafeventmanager.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "framework/core/zafwindowobject.h"
#include "framework/win32/tests/zafwin32testbed.h"
#include "framework/win32/zafkeyboard.h"
#include "framework/win32/zafmouse.h"

namespace {

constexpr native::UINT kFirstPosted = native::WM_USER + 1;
constexpr native::UINT kSecondPosted = native::WM_USER + 2;

ZafEventRecord Native(native::UINT message) {
  native::MSG nativeMessage{};
  nativeMessage.message = message;
  return ZafEventRecord(E_OSEVENT, nativeMessage);
}

class ZafEventGetTest : public ZafWin32Test {
 protected:
  ZafEventGetTest() {
    ZafWindowObject::eventManager = &events;
    // The window's first paint and activation are behind us: what the native queue holds is the test's.
    driver.pumpUntilIdle();
  }
  ~ZafEventGetTest() override { ZafWindowObject::eventManager = nullptr; }

  // Whether the native queue still holds that message.
  bool NativePending(native::UINT message) {
    native::MSG pending{};
    return native::PeekMessage(&pending, nullptr, message, message, native::PM_NOREMOVE);
  }

  // The native messages Get hands over without waiting until the first one of that number, each dispatched
  // so that the window system moves on; empty when it never comes.
  std::vector<native::MSG> ReadUntil(native::UINT last) {
    std::vector<native::MSG> read;
    ZafEventRecord event;
    for (int i = 0; i < 50 && events.Get(event, Q_NO_BLOCK) == Q_EVENT_TAKEN; ++i) {
      read.push_back(event.osEvent);
      native::DispatchMessage(&event.osEvent);
      if (event.osEvent.message == last) {
        return read;
      }
    }
    return {};
  }

  ZafEventManager events;
};

}  // namespace

// With nothing queued and nothing to read, the answer comes at once instead of a wait.
TEST_F(ZafEventGetTest, NothingToHaveAnswersNoEventWithTheNoEventType) {
  struct Case {
    const char* name;
    uint32_t flags;
    int32_t nativeInput;
  } cases[] = {
      {"no wait, native input off", Q_NO_BLOCK, 0},
      {"no wait, native input on", Q_NO_BLOCK, 1},
      {"no wait, peek at the end", Q_NO_BLOCK | Q_NO_DESTROY | Q_END, 1},
      {"no native reading may wait", Q_NO_POLL, 1},
      {"no native reading, peek", Q_NO_POLL | Q_NO_DESTROY, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    events.nativeInput = c.nativeInput;
    ZafEventRecord event(E_OSEVENT, 7);
    EXPECT_EQ(events.Get(event, c.flags), Q_NO_EVENT);
    EXPECT_EQ(event.type, E_NO_EVENT);
    EXPECT_EQ(events.QueuedCount(), 0);
  }
}

// Without waiting, native messages are read only when the manager lets native input in.
TEST_F(ZafEventGetTest, NoWaitReadsPostedMessagesOnlyWithNativeInputOn) {
  ASSERT_TRUE(native::PostMessage(host, kFirstPosted, 5, 6));
  ZafEventRecord event;
  EXPECT_EQ(events.Get(event, Q_NO_BLOCK), Q_NO_EVENT);
  EXPECT_TRUE(NativePending(kFirstPosted));

  events.nativeInput = 1;
  ASSERT_EQ(events.Get(event, Q_NO_BLOCK), Q_EVENT_TAKEN);
  EXPECT_EQ(event.type, E_OSEVENT);
  EXPECT_EQ(event.osEvent.hwnd, host);
  EXPECT_EQ(event.osEvent.message, kFirstPosted);
  EXPECT_EQ(event.osEvent.wParam, 5u);
  EXPECT_EQ(event.osEvent.lParam, 6);
  EXPECT_FALSE(NativePending(kFirstPosted));
  EXPECT_EQ(events.QueuedCount(), 0);
}

TEST_F(ZafEventGetTest, WaitingGetReadsPostedMessagesInOrder) {
  ASSERT_TRUE(native::PostMessage(host, kFirstPosted, 1, 0));
  ASSERT_TRUE(native::PostMessage(host, kSecondPosted, 2, 0));
  ZafEventRecord event;
  for (native::UINT expected : {kFirstPosted, kSecondPosted}) {
    ASSERT_EQ(events.Get(event), Q_EVENT_TAKEN);
    EXPECT_EQ(event.type, E_OSEVENT);
    EXPECT_EQ(event.osEvent.message, expected);
  }
}

// Events already queued go first: the native queue is read only once the framework's is empty.
TEST_F(ZafEventGetTest, QueuedEventsComeBeforeNativeMessages) {
  events.nativeInput = 1;
  ASSERT_TRUE(native::PostMessage(host, kFirstPosted, 0, 0));
  ASSERT_TRUE(events.Put(ZafEventRecord(101, 0)));
  ZafEventRecord event;
  ASSERT_EQ(events.Get(event, Q_NO_BLOCK), Q_EVENT_TAKEN);
  EXPECT_EQ(event.type, 101);
  EXPECT_TRUE(NativePending(kFirstPosted));
  ASSERT_EQ(events.Get(event), Q_EVENT_TAKEN);
  EXPECT_EQ(event.osEvent.message, kFirstPosted);
}

TEST_F(ZafEventGetTest, FlagsChooseTheEndAndWhetherTheEventStays) {
  struct Case {
    const char* name;
    uint32_t flags;
    std::vector<int32_t> gotten;
    int32_t left;
  } cases[] = {
      {"head, taken", Q_NO_POLL, {101, 102, 103}, 0},
      {"end, taken", Q_NO_POLL | Q_END, {103, 102, 101}, 0},
      {"head, peeked", Q_NO_POLL | Q_NO_DESTROY, {101, 101, 101}, 3},
      {"end, peeked", Q_NO_BLOCK | Q_NO_DESTROY | Q_END, {103, 103, 103}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (int32_t type : {101, 102, 103}) {
      ASSERT_TRUE(events.Put(ZafEventRecord(type, 0)));
    }
    std::vector<int32_t> gotten;
    ZafEventRecord event;
    for (int i = 0; i < 3; ++i) {
      ASSERT_EQ(events.Get(event, c.flags), Q_EVENT_TAKEN);
      gotten.push_back(event.type);
    }
    EXPECT_EQ(gotten, c.gotten);
    EXPECT_EQ(events.QueuedCount(), c.left);
    while (events.TakeQueued(event)) {
    }
  }
}

TEST_F(ZafEventGetTest, PeekedRecordKeepsItsTextForTheLaterTake) {
  ZafEventRecord request(102, 0);
  request.SetText(u"field");
  ASSERT_TRUE(events.Put(request));
  request.Clear();
  ZafEventRecord peeked;
  ZafEventRecord taken;
  ASSERT_EQ(events.Get(peeked, Q_NO_POLL | Q_NO_DESTROY), Q_EVENT_TAKEN);
  ASSERT_EQ(events.Get(taken, Q_NO_POLL), Q_EVENT_TAKEN);
  ASSERT_NE(peeked.Text(), nullptr);
  ASSERT_NE(taken.Text(), nullptr);
  EXPECT_EQ(std::u16string(taken.Text()), u"field");
  EXPECT_EQ(events.QueuedCount(), 0);
}

// Reading no native messages also leaves a pending one where it is.
TEST_F(ZafEventGetTest, NoPollTakesTheQueueAndLeavesNativeMessages) {
  events.nativeInput = 1;
  ASSERT_TRUE(native::PostMessage(host, kFirstPosted, 0, 0));
  ASSERT_TRUE(events.Put(ZafEventRecord(101, 0)));
  ZafEventRecord event;
  ASSERT_EQ(events.Get(event, Q_NO_POLL), Q_EVENT_TAKEN);
  EXPECT_EQ(event.type, 101);
  EXPECT_EQ(events.Get(event, Q_NO_POLL | Q_NO_BLOCK), Q_NO_EVENT);
  EXPECT_TRUE(NativePending(kFirstPosted));
}

TEST_F(ZafEventGetTest, KeysAndMouseFromTheDesktopArriveAsNativeEvents) {
  events.nativeInput = 1;
  native::SetFocus(host);
  driver.pumpUntilIdle();
  driver.keyDown('A');
  std::vector<native::MSG> read = ReadUntil(native::WM_KEYDOWN);
  ASSERT_FALSE(read.empty());
  EXPECT_EQ(read.back().hwnd, host);
  EXPECT_EQ(read.back().wParam, native::WPARAM{'A'});
  driver.keyUp('A');
  driver.pumpUntilIdle();

  const native::RECT frame = driver.screenRect(host);
  driver.click(frame.left + 100, frame.top + 100);
  read = ReadUntil(native::WM_LBUTTONUP);
  ASSERT_FALSE(read.empty());
  bool pressed = false;
  for (const native::MSG& message : read) {
    pressed = pressed || (message.message == native::WM_LBUTTONDOWN && message.hwnd == host);
  }
  EXPECT_TRUE(pressed);
}

// With the keyboard off, key input never reaches the loop: the poll drops it and the next event comes.
TEST_F(ZafEventGetTest, SwitchedOffDevicesKeepTheirInputFromTheLoop) {
  struct Case {
    const char* name;
    bool keyboardOff;
    bool mouseOff;
    std::vector<ZafEventRecord> queued;
    native::UINT delivered;
  } cases[] = {
      {"key ahead of a click",
       true,
       false,
       {Native(native::WM_KEYDOWN), Native(native::WM_LBUTTONDOWN)},
       native::WM_LBUTTONDOWN},
      {"click ahead of a key",
       false,
       true,
       {Native(native::WM_LBUTTONDOWN), Native(native::WM_KEYDOWN)},
       native::WM_KEYDOWN},
      {"devices on",
       false,
       false,
       {Native(native::WM_KEYDOWN), Native(native::WM_LBUTTONDOWN)},
       native::WM_KEYDOWN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafEventManager manager;
    ZafWindowObject::eventManager = &manager;
    manager.Add(new ZafKeyboard(c.keyboardOff ? D_OFF : D_ON));
    manager.Add(new ZafMouse(c.mouseOff ? D_OFF : D_ON));
    for (const ZafEventRecord& event : c.queued) {
      ASSERT_TRUE(manager.Put(event));
    }
    ZafEventRecord event;
    ASSERT_EQ(manager.Get(event, Q_NO_BLOCK), Q_EVENT_TAKEN);
    EXPECT_EQ(event.osEvent.message, c.delivered);
    ZafWindowObject::eventManager = &events;
  }
}

// A waiting Get whose message a device drops goes back to the native queue for the next one.
TEST_F(ZafEventGetTest, WaitingGetReadsOnWhenADeviceDropsTheMessage) {
  events.Add(new ZafKeyboard(D_OFF));
  ASSERT_TRUE(native::PostMessage(host, native::WM_KEYDOWN, 'A', 1));
  ASSERT_TRUE(native::PostMessage(host, kFirstPosted, 0, 0));
  ZafEventRecord event;
  ASSERT_EQ(events.Get(event), Q_EVENT_TAKEN);
  EXPECT_EQ(event.osEvent.message, kFirstPosted);
}

TEST_F(ZafEventGetTest, QuitMessageReachesTheLoop) {
  native::PostQuitMessage(3);
  ZafEventRecord event;
  ASSERT_EQ(events.Get(event), Q_EVENT_TAKEN);
  EXPECT_EQ(event.type, E_OSEVENT);
  EXPECT_EQ(event.osEvent.message, native::WM_QUIT);
  EXPECT_EQ(event.osEvent.wParam, 3u);
}

// The native queue refuses a reader on another thread; Get answers instead of waiting forever.
TEST_F(ZafEventGetTest, UnreadableNativeQueueAnswersNoEvent) {
  ZafEventManager other;
  ZafEventRecord event;
  int32_t answer = Q_EVENT_TAKEN;
  std::thread([&] { answer = other.Get(event); }).join();
  EXPECT_EQ(answer, Q_NO_EVENT);
  EXPECT_EQ(event.type, E_NO_EVENT);
}
