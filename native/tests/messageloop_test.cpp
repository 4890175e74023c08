#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "native/testdriver.h"
#include "native/tests/messagespy.h"
#include "native/user/waitset.h"
#include "native/user/windowsystem.h"

namespace native::test {

namespace {

// Waits (yielding, without sleeping) until the thread is blocked in the kernel, so that a wake-up really has
// to wake it. Gives up after five seconds; the test then still checks the outcome.
void waitUntilBlocked(pid_t thread) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  std::string path = "/proc/self/task/" + std::to_string(thread) + "/stat";
  while (std::chrono::steady_clock::now() < deadline) {
    std::ifstream stat(path);
    std::string line;
    std::getline(stat, line);
    std::size_t close = line.rfind(')');
    if (close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'S') {
      return;
    }
    std::this_thread::yield();
  }
}

int timerCallbacks = 0;
void countingTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  ++timerCallbacks;
}
void forgedTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  ADD_FAILURE() << "a posted callback address was called";
}

}  // namespace

TEST(MessageLoop, TimerWaitsOnceHoweverLongTheQueueIsNotRead) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{0, 0, 10, 10}, WS_POPUP);
  ASSERT_EQ(SetTimer(window, 7, 100, nullptr), 7u);
  struct Step {
    std::uint64_t advanceMs;
    std::size_t ticks;
  };
  const Step steps[] = {{99, 0}, {1, 1}, {50, 0}, {10000, 1}, {99, 0}, {1, 1}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.advanceMs);
    spy.clear();
    driver.advanceClock(step.advanceMs);
    driver.pumpUntilIdle();
    EXPECT_EQ(spy.only({WM_TIMER}), std::vector<Logged>(step.ticks, Logged{window, WM_TIMER, 7, 0}));
  }
  EXPECT_TRUE(KillTimer(window, 7));
  EXPECT_FALSE(KillTimer(window, 7));
  driver.advanceClock(1000);
  spy.clear();
  driver.pumpUntilIdle();
  EXPECT_TRUE(spy.only({WM_TIMER}).empty());
}

TEST(MessageLoop, ResettingATimerStartsItsNewPeriodNow) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{0, 0, 10, 10}, WS_POPUP);
  SetTimer(window, 1, 250, nullptr);
  driver.advanceClock(200);
  SetTimer(window, 1, 50, nullptr);
  driver.advanceClock(49);
  driver.pumpUntilIdle();
  EXPECT_TRUE(spy.only({WM_TIMER}).empty());
  driver.advanceClock(1);
  driver.pumpUntilIdle();
  EXPECT_EQ(spy.only({WM_TIMER}).size(), 1u);
}

TEST(MessageLoop, ThreadTimersKeepTheIdTheyWereGiven) {
  TestDriver driver;
  UINT_PTR first = SetTimer(nullptr, 3, 500, nullptr);
  UINT_PTR second = SetTimer(nullptr, 0, 200, nullptr);
  ASSERT_NE(first, 0u);
  ASSERT_NE(second, 0u);
  EXPECT_NE(first, second);
  EXPECT_EQ(SetTimer(nullptr, first, 300, nullptr), first) << "naming a running thread timer resets it";
  driver.advanceClock(300);
  MSG message{};
  ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_TIMER));
  EXPECT_EQ(message.wParam, second) << "the earliest due timer first";
  ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.wParam, second) << "a look does not consume the tick";
  ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.hwnd, nullptr);
  EXPECT_EQ(message.wParam, first);
  EXPECT_EQ(DispatchMessage(&message), 0) << "a thread timer without a callback does nothing";
  EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_TRUE(KillTimer(nullptr, first));
  EXPECT_TRUE(KillTimer(nullptr, second));
}

TEST(MessageLoop, TimerCallbacksRunOnlyForTheirOwnTimer) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{0, 0, 10, 10}, WS_POPUP);
  timerCallbacks = 0;
  SetTimer(window, 2, 10, countingTimerProc);
  driver.advanceClock(10);
  driver.pumpUntilIdle();
  EXPECT_EQ(timerCallbacks, 1);
  EXPECT_TRUE(spy.only({WM_TIMER}).empty()) << "the callback takes the place of the window procedure";

  PostMessage(window, WM_TIMER, 9, reinterpret_cast<LPARAM>(&forgedTimerProc));
  driver.pumpUntilIdle();
  EXPECT_EQ(spy.only({WM_TIMER}).size(), 1u) << "a forged tick reaches only the window procedure";
}

TEST(MessageLoop, DestroyedWindowsTakeTheirTimersWithThem) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{0, 0, 10, 10}, WS_POPUP);
  SetTimer(window, 1, 10, nullptr);
  DestroyWindow(window);
  driver.advanceClock(100);
  MSG message{};
  EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(SetTimer(window, 1, 10, nullptr), 0u) << "no timers for a window that is gone";
}

TEST(MessageLoop, FiltersPickMessagesByWindowAndRange) {
  TestDriver driver;
  MessageSpy spy;
  HWND first = spy.createTopLevel(RECT{0, 0, 10, 10}, WS_POPUP);
  HWND second = spy.createTopLevel(RECT{0, 0, 10, 10}, WS_POPUP);
  PostMessage(first, WM_USER, 1, 0);
  PostMessage(second, WM_USER + 1, 2, 0);
  PostMessage(nullptr, WM_COMMAND, 3, 0);
  struct Case {
    HWND window;
    UINT first;
    UINT last;
    WPARAM expected;
  };
  const Case cases[] = {
      {second, 0, 0, 2},
      {nullptr, WM_COMMAND, WM_COMMAND, 3},
      {reinterpret_cast<HWND>(std::intptr_t{-1}), 0, 0, 3},
      {nullptr, WM_USER, WM_USER + 5, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    MSG message{};
    ASSERT_TRUE(PeekMessage(&message, c.window, c.first, c.last, PM_NOREMOVE));
    EXPECT_EQ(message.wParam, c.expected);
  }
  MSG message{};
  EXPECT_FALSE(PeekMessage(&message, first, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(PostMessage(reinterpret_cast<HWND>(std::intptr_t{12345}), WM_USER, 0, 0), FALSE);
}

TEST(MessageLoop, QuitComesAfterWhatWasPostedAndEndsGetMessage) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{0, 0, 10, 10}, WS_POPUP);
  PostQuitMessage(3);
  PostMessage(window, WM_USER, 0, 0);
  EXPECT_EQ(driver.pumpUntilIdle(), 1) << "the driver's loop stops at the quit message and leaves it";
  MSG message{};
  EXPECT_EQ(GetMessage(&message, nullptr, 0, 0), FALSE);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(message.wParam, 3u);
  EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) << "taken once";
}

TEST(MessageLoop, PostFromAnotherThreadWakesABlockedGetMessage) {
  TestDriver driver;
  DWORD guiThread = GetCurrentThreadId();
  BOOL posted = FALSE;
  BOOL wrongThread = TRUE;
  std::thread worker([&] {
    waitUntilBlocked(static_cast<pid_t>(guiThread));
    wrongThread = PostThreadMessage(GetCurrentThreadId(), WM_APP, 0, 0);
    posted = PostThreadMessage(guiThread, WM_APP, 42, 7);
  });
  MSG message{};
  BOOL result = GetMessage(&message, nullptr, 0, 0);
  worker.join();
  EXPECT_TRUE(posted);
  EXPECT_FALSE(wrongThread) << "only the GUI thread has a queue";
  EXPECT_EQ(result, TRUE);
  EXPECT_EQ(message.hwnd, nullptr);
  EXPECT_EQ(message.message, static_cast<UINT>(WM_APP));
  EXPECT_EQ(message.wParam, 42u);
  EXPECT_EQ(message.lParam, 7);
}

TEST(MessageLoop, ReadyDescriptorWakesGetMessageAndRunsItsCallbackOnTheGuiThread) {
  TestDriver driver;
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  pid_t callbackThread = 0;
  ASSERT_TRUE(RegisterWaitDescriptor(pipeEnds[0], POLLIN, [&](short ready) {
    char byte = 0;
    EXPECT_NE(ready & POLLIN, 0);
    ASSERT_EQ(read(pipeEnds[0], &byte, 1), 1);
    callbackThread = gettid();
    PostMessage(nullptr, WM_APP + 1, static_cast<WPARAM>(byte), 0);
  }));
  EXPECT_FALSE(RegisterWaitDescriptor(pipeEnds[0], POLLIN, [](short) {})) << "registered once";
  DWORD guiThread = GetCurrentThreadId();
  std::thread writer([&] {
    waitUntilBlocked(static_cast<pid_t>(guiThread));
    ASSERT_EQ(write(pipeEnds[1], "x", 1), 1);
  });
  MSG message{};
  EXPECT_EQ(GetMessage(&message, nullptr, 0, 0), TRUE);
  writer.join();
  EXPECT_EQ(message.message, static_cast<UINT>(WM_APP + 1));
  EXPECT_EQ(message.wParam, static_cast<WPARAM>('x'));
  EXPECT_EQ(callbackThread, static_cast<pid_t>(guiThread));
  EXPECT_TRUE(UnregisterWaitDescriptor(pipeEnds[0]));
  EXPECT_FALSE(UnregisterWaitDescriptor(pipeEnds[0]));
  close(pipeEnds[0]);
  close(pipeEnds[1]);
}

// On the real clock, each source ends WaitForInput soon after its input, long before the bound a source that
// does not wake it would run into: a post and a wake-up from another thread, a ready descriptor (how the
// command service's and the links' sockets are waited on), a thread timer, and the wait's own time limit. The
// latency allowed is a loaded machine's scheduling delay, not the wait's own: it answers within a millisecond
// when idle.
TEST(MessageLoop, EachSourceEndsTheWaitForInputAtOnce) {
  using Clock = std::chrono::steady_clock;
  constexpr auto kLatency = std::chrono::milliseconds(250);
  constexpr UINT kDueMs = 30;
  // A source that does not end the wait fails the case after this long instead of hanging the test.
  constexpr DWORD kBoundMs = 2000;
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  struct Case {
    const char* name;
    // Run by another thread once the GUI thread waits; null for a source that comes by itself at kDueMs.
    std::function<void()> fire;
    DWORD limitMs = kBoundMs;
    bool timer = false;
  } cases[] = {
      {"a post from another thread", [] { PostMessage(nullptr, WM_APP, 0, 0); }},
      {"a wake-up from another thread", [] { WakeMessageLoop(); }},
      {"a ready descriptor", [&] { ASSERT_EQ(write(pipeEnds[1], "x", 1), 1); }},
      {"a thread timer", nullptr, kBoundMs, true},
      {"the wait's time limit", nullptr, kDueMs},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(RegisterWaitDescriptor(pipeEnds[0], POLLIN, [&](short) {
      char byte = 0;
      ASSERT_EQ(read(pipeEnds[0], &byte, 1), 1);
    }));
    const UINT_PTR timer = c.timer ? SetTimer(nullptr, 0, kDueMs, nullptr) : 0;
    const Clock::time_point start = Clock::now();
    Clock::time_point fired = start + std::chrono::milliseconds(kDueMs);
    std::thread source;
    if (c.fire) {
      const pid_t guiThread = static_cast<pid_t>(GetCurrentThreadId());
      source = std::thread([&, guiThread] {
        waitUntilBlocked(guiThread);
        fired = Clock::now();
        c.fire();
      });
    }
    WaitForInput(c.limitMs);
    const Clock::time_point ended = Clock::now();
    if (source.joinable()) {
      source.join();
    }
    EXPECT_GE(ended, fired) << "ended before its input";
    EXPECT_LE(ended - fired, kLatency);
    // What the sources left behind goes.
    KillTimer(nullptr, timer);
    MSG message{};
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    UnregisterWaitDescriptor(pipeEnds[0]);
  }
  close(pipeEnds[0]);
  close(pipeEnds[1]);
}

TEST(MessageLoop, PeekLooksAtDescriptorsWithoutWaiting) {
  TestDriver driver;
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  int calls = 0;
  RegisterWaitDescriptor(pipeEnds[0], POLLIN, [&](short) {
    char byte = 0;
    ASSERT_EQ(read(pipeEnds[0], &byte, 1), 1);
    ++calls;
    // The callback removes itself; the loop must cope.
    UnregisterWaitDescriptor(pipeEnds[0]);
  });
  MSG message{};
  EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
  ASSERT_EQ(write(pipeEnds[1], "yz", 2), 2);
  EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(calls, 1);
  close(pipeEnds[0]);
  close(pipeEnds[1]);
}

TEST(MessageLoop, PeekFindsInputTheDisplayHostQueuedBeforeItsLook) {
  TestDriver driver;
  WaitSet& waits = WindowSystem::get().waitSet();
  // As a display host does: what its connection already held is queued without a descriptor being ready.
  waits.setBeforeWait([](WaitSet::Screen) { return PostMessage(nullptr, WM_KEYDOWN, VK_ESCAPE, 0) == TRUE; });
  MSG message{};
  EXPECT_TRUE(PeekMessage(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
  waits.setBeforeWait(nullptr);
}

TEST(MessageLoop, CallsFromOtherThreadsAreRefused) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{0, 0, 10, 10}, WS_POPUP);
  LRESULT sent = 1;
  BOOL got = 0;
  BOOL postedToWindow = FALSE;
  std::thread worker([&] {
    sent = SendMessage(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"from a worker"));
    MSG message{};
    got = GetMessage(&message, nullptr, 0, 0);
    postedToWindow = PostMessage(window, WM_USER, 5, 0);
  });
  worker.join();
  EXPECT_EQ(sent, 0);
  EXPECT_EQ(got, -1);
  EXPECT_TRUE(postedToWindow);
  EXPECT_EQ(driver.text(window), u"top");
  spy.clear();
  driver.pumpUntilIdle();
  EXPECT_EQ(spy.only({WM_USER}), (std::vector<Logged>{{window, WM_USER, 5, 0}}));
}

}  // namespace native::test

namespace native::test {

TEST(MessageLoop, QuitPassesAFilterThatLeavesOtherWindowsMessagesWaiting) {
  TestDriver driver;
  MessageSpy spy;
  HWND watched = spy.createTopLevel(RECT{0, 0, 10, 10}, WS_POPUP);
  HWND other = spy.createTopLevel(RECT{0, 0, 10, 10}, WS_POPUP);
  PostMessage(other, WM_USER, 0, 0);
  PostQuitMessage(0);
  MSG message{};
  EXPECT_EQ(GetMessage(&message, watched, 0, 0), FALSE);
  EXPECT_TRUE(PeekMessage(&message, other, 0, 0, PM_REMOVE)) << "the other window's message is still there";
}

TEST(MessageLoop, AMessagesTimeAndPointHoldWhileItIsDispatchedAndComeBackAfterANestedOne) {
  TestDriver driver;
  MessageSpy spy;
  HWND window = spy.createTopLevel(RECT{0, 0, 200, 200}, WS_POPUP | WS_VISIBLE);
  struct Moment {
    LONG time;
    int x;
    int y;
    bool operator==(const Moment&) const = default;
  };
  std::vector<Moment> seen;
  const auto note = [&] {
    const DWORD position = GetMessagePos();
    seen.push_back({GetMessageTime(), GET_X_LPARAM(position), GET_Y_LPARAM(position)});
  };
  spy.handler = [&](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_USER) {
      note();
    }
    if (message == WM_LBUTTONDOWN) {
      note();
      // The user moved on before the press was read: a message posted now has this moment's point.
      PostMessage(hwnd, WM_USER, 0, 0);
      MSG nested{};
      EXPECT_TRUE(PeekMessage(&nested, hwnd, WM_USER, WM_USER, PM_REMOVE));
      DispatchMessage(&nested);
      note();
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
  };
  driver.mouseMove(30, 40);
  const auto pressed = static_cast<LONG>(driver.now());
  driver.mouseDown();
  driver.advanceClock(250);
  driver.mouseMove(60, 70);
  MSG press{};
  ASSERT_TRUE(PeekMessage(&press, window, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
  DispatchMessage(&press);
  note();
  const std::vector<Moment> expected = {
      {pressed, 30, 40}, {pressed + 250, 60, 70}, {pressed, 30, 40}, {0, 0, 0}};
  EXPECT_EQ(seen, expected) << "the press, the nested post, the press again, nothing dispatched";
}

// Held input is addressed when a take that admits it comes to it: a key typed while the program looks for
// paints goes to the window that has the focus when the key is taken; a question takes only the keys typed
// after it began, and the earlier ones follow, in their order, once it is answered.
TEST(MessageLoop, HeldInputGoesWhereItLandsWhenItIsTaken) {
  struct Case {
    const char* name;
    std::function<void(TestDriver&, HWND first, HWND second)> act;
    std::vector<std::pair<bool, WPARAM>> downs;  // (to the second window, key) of each key-down, in order
  };
  const Case cases[] = {
      {"typed while the program looks for paints",
       [](TestDriver& driver, HWND, HWND second) {
         driver.pressKey('K');
         MSG paint{};
         PeekMessage(&paint, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE);
         SetFocus(second);
         driver.pumpUntilIdle();
       },
       {{true, 'K'}}},
      {"typed before a question",
       [](TestDriver& driver, HWND, HWND second) {
         driver.pressKey('K');
         {
           const InputFloor question;
           driver.pressKey('L');
           driver.pumpUntilIdle();
           SetFocus(second);
         }
         driver.pumpUntilIdle();
       },
       {{false, 'L'}, {true, 'K'}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestDriver driver;
    MessageSpy spy;
    HWND frame = spy.createTopLevel(RECT{0, 0, 200, 200});
    HWND first = spy.createChild(frame, RECT{0, 0, 50, 50});
    HWND second = spy.createChild(frame, RECT{60, 0, 110, 50});
    SetFocus(first);
    driver.pumpUntilIdle();
    spy.clear();
    c.act(driver, first, second);
    std::vector<std::pair<bool, WPARAM>> downs;
    for (const Logged& entry : spy.only({WM_KEYDOWN})) {
      downs.emplace_back(entry.window == second, entry.wParam);
    }
    EXPECT_EQ(downs, c.downs);
  }
}

}  // namespace native::test
