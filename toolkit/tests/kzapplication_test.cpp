#include "toolkit/kzapplication.h"

#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <limits>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include "framework/core/zafeventmanager.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/virtualkeys.h"
#include "toolkit/kzeditableselector.h"
#include "toolkit/kzeditableselectorstring.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzmodalwindow.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzpulldownitem.h"
#include "toolkit/kzpulldownmenu.h"
#include "toolkit/kzwindow.h"
#include "toolkit/tests/kztestbed.h"

namespace {

constexpr int32_t kUserEvent = 10500;

// An application whose idle steps, pauses and alerts the test scripts and records.
class ScriptedApplication : public KZApplication {
 public:
  using KZApplication::KZApplication;
  int32_t Start() override { return 0; }
  bool Idle(int32_t idleCount) override {
    idleCounts.push_back(idleCount);
    const bool answer = onIdle ? onIdle(idleCount) : true;
    return KZApplication::Idle(idleCount) && answer;
  }
  std::vector<int32_t> idleCounts;
  std::vector<int32_t> alerts;
  int waits = 0;
  std::function<bool(int32_t)> onIdle;
  // Called on every pause with the number of pauses so far.
  std::function<void(int)> onWait;
  // Whether the pauses also wait for input as the application's own pause does.
  bool waitsForInput = false;

 protected:
  void ErrorAlert(int32_t number) override { alerts.push_back(number); }
  void IdleWait() override {
    ++waits;
    if (onWait) {
      onWait(waits);
    }
    if (waitsForInput) {
      KZApplication::IdleWait();
    }
  }
};

// A window that records the application events it gets and answers QueryExitEvent as told.
class Frame : public KZWindow {
 public:
  Frame() : KZWindow(2, 2, 40, 10) {}
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == IdleTickEvent) {
      ++idleTicks;
      return IdleTickEvent;
    }
    if (event.type == QueryExitEvent) {
      return exitAnswer;
    }
    if (event.type == E_MOUSE) {
      ++mouseEvents;
    }
    if (event.type == UpdateMenuEvent && menuBar) {
      menuBar->EnableCommand(command, true);
      return UpdateMenuEvent;
    }
    return KZWindow::Event(event);
  }
  // The menu bar this window owns, and the command it enables when asked.
  KZPullDownMenu* menuBar = nullptr;
  int32_t command = 0;
  int idleTicks = 0;
  int mouseEvents = 0;
  ZafEventType exitAnswer = 1;
};

class Dialog : public KZWindow, public KZModalWindow {
 public:
  Dialog() : KZWindow(5, 5, 20, 6) {}
};

void Put(ZafEventType type) {
  ZafWindowObject::eventManager->Put(ZafEventRecord(static_cast<int32_t>(type), 0), Q_END);
}

class KZApplicationTest : public KZTest {
 protected:
  KZApplicationTest() { driver.pumpUntilIdle(); }
  ~KZApplicationTest() override {
    KZApplication::application = nullptr;
    KZApplication::mainFrame = nullptr;
    KZApplication::mainMenuBar = nullptr;
  }

  ZafIChar noRegistry[14] = u"-NoRegistryX";
  ZafIChar file[5] = u"file";
  ZafIChar* options[4] = {program, noRegistry, file, nullptr};
  ScriptedApplication application{3, options};
};

}  // namespace

TEST_F(KZApplicationTest, IdleCountRestartsAfterEachEventAndStopsWhenRefused) {
  // The user event goes to a window (with none, the window manager's "no window" answer ends the loop).
  Show(new Frame);
  application.onIdle = [this](int32_t) {
    if (application.idleCounts.size() == 3) {
      Put(kUserEvent);
    }
    return application.idleCounts.size() != 5;
  };
  application.onWait = [](int waits) {
    if (waits == 8) {
      Put(ExitEvent);
    }
  };
  EXPECT_EQ(application.Control(nullptr, false), LoopExitResult);
  EXPECT_EQ(application.idleCounts, (std::vector<int32_t>{0, 1, 2, 0, 1}));
  EXPECT_GE(application.waits, 8);
}

TEST_F(KZApplicationTest, ThePauseEndsAtTheTimeTheIdleWorkAskedFor) {
  KZApplication::application = &application;
  application.waitsForInput = true;
  application.onIdle = [this](int32_t) {
    if (application.idleCounts.size() == 2) {
      Put(ExitEvent);
    }
    KZApplication::IdleAgainWithin(10);
    return true;
  };
  // No input comes: only the time asked for ends the first pause, unless the pause ignores it and this
  // thread has to wake it after five seconds.
  std::promise<void> loopEnded;
  std::atomic<bool> wokenFromOutside = false;
  std::thread watchdog([&wokenFromOutside, ended = loopEnded.get_future()] {
    if (ended.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
      wokenFromOutside = true;
      native::WakeMessageLoop();
    }
  });
  EXPECT_EQ(application.Control(nullptr, false), LoopExitResult);
  loopEnded.set_value();
  watchdog.join();
  EXPECT_FALSE(wokenFromOutside) << "the pause waited for input beyond the time asked for";
}

TEST_F(KZApplicationTest, OnceHandlesTheQueueAndReturnsWithoutAnIdleStep) {
  EXPECT_EQ(application.Control(nullptr, true), LoopStartResult);
  Put(kUserEvent);
  EXPECT_EQ(application.Control(nullptr, true), NoWindowResult);
  EXPECT_TRUE(application.idleCounts.empty());
  EXPECT_EQ(application.waits, 0);
}

TEST_F(KZApplicationTest, NextIdleCountSaturatesAndStops) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  struct Case {
    int32_t count;
    bool answer;
    int32_t next;
  } cases[] = {{0, true, 1}, {kMax - 1, true, kMax}, {kMax, true, kMax}, {7, false, -1}, {kMax, false, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.count << " " << c.answer);
    EXPECT_EQ(KZApplication::NextIdleCount(c.count, c.answer), c.next);
  }
}

TEST_F(KZApplicationTest, AnExceptionBecomesAlert1001AndTheLoopGoesOn) {
  application.onIdle = [this](int32_t) -> bool {
    if (application.idleCounts.size() == 1) {
      throw std::runtime_error("handler failed");
    }
    if (application.idleCounts.size() == 3) {
      Put(ExitEvent);
    }
    return true;
  };
  EXPECT_EQ(application.Control(nullptr, false), LoopExitResult);
  EXPECT_EQ(application.alerts, std::vector<int32_t>{KZApplication::kLoopExceptionAlert});
  EXPECT_EQ(application.idleCounts, (std::vector<int32_t>{0, 0, 1}));
}

TEST_F(KZApplicationTest, DialogAnswersEndTheModalLoop) {
  struct Case {
    ZafEventType answer;
    ZafEventType result;
  } cases[] = {
      {-2999, -2999}, {-2993, -2993}, {-2000, -2000}, {-1999, LoopExitResult}, {-3000, LoopExitResult}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    Dialog* dialog = Show(new Dialog);
    Put(c.answer);
    Put(ExitEvent);
    EXPECT_EQ(application.Control(dialog, false), c.result);
    ZafEventRecord left;
    while (ZafWindowObject::eventManager->TakeQueued(left)) {
    }
    driver.pumpUntilIdle();
    ZafWindowObject::windowManager->SetExitFunction(&KZApplication::QueryExit);
    ZafWindowObject::windowManager->Remove(dialog);
  }
}

TEST_F(KZApplicationTest, AModalLoopEndsWhenItsWindowLosesItsNativeWindow) {
  Dialog* dialog = Show(new Dialog);
  application.onIdle = [dialog](int32_t count) {
    // Closing the dialog takes its native window down; a loop that missed it would be stopped here.
    ZafWindowObject::windowManager->Subtract(dialog);
    if (count == 10) {
      Put(ExitEvent);
    }
    return true;
  };
  EXPECT_EQ(application.Control(dialog, false), LoopModalGoneResult);
  EXPECT_EQ(application.idleCounts.size(), 1u);
  delete dialog;
}

TEST_F(KZApplicationTest, IdleTicksGoToTheMainFrameUnlessACaptureHoldsThem) {
  struct Case {
    uint32_t flags;  // capture flags; 8: no capture
    bool fed;
    bool ticks;
  } cases[] = {{8, false, true},
               {0, false, false},
               {KZApplication::kCaptureFeedsMouse, true, false},
               {KZApplication::kCaptureFeedsMouse | KZApplication::kCaptureKeepsIdleTick, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    Frame* frame = Show(new Frame);
    // Not shown, so that only the capture's feed reaches it.
    auto captured = std::make_unique<Frame>();
    KZApplication::mainFrame = frame;
    if (c.flags != 8) {
      application.SetCapture(captured.get(), c.flags);
    }
    Put(E_MOUSE);
    application.onIdle = [](int32_t count) {
      if (count == 2) {
        Put(ExitEvent);
      }
      return true;
    };
    EXPECT_EQ(application.Control(nullptr, false), LoopExitResult);
    EXPECT_EQ(captured->mouseEvents > 0, c.fed);
    EXPECT_EQ(frame->idleTicks > 0, c.ticks);
    application.SetCapture(nullptr, 0);
    EXPECT_EQ(application.CaptureObject(), nullptr);
    KZApplication::mainFrame = nullptr;
    ZafWindowObject::windowManager->SetExitFunction(&KZApplication::QueryExit);
    ZafWindowObject::windowManager->Remove(frame);
  }
}

TEST_F(KZApplicationTest, AHotKeyTakenByTheMenuBarIsItsCommandWithoutAnIdlePass) {
  // What holds the pointer capture: nothing, another object than an in-place field (a drag), or an
  // in-place field editing in a modal window.
  enum Capture { kNone, kDrag, kFieldInADialog };
  struct Case {
    const char* name;
    Capture capture;
    std::vector<int32_t> idleCounts;
  } cases[] = {
      // The command came in the key's place: no idle pass ran between them.
      {"taken by the menu", kNone, {0, 1, 0, 1}},
      // The key went to the capture as an event; no command came.
      {"not offered under a drag's capture", kDrag, {0, 1, 0, 1}},
      {"not offered during an edit in a modal window", kFieldInADialog, {0, 1, 0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* frame = new Frame;
    auto* menuBar = new KZPullDownMenu;
    auto* entry = new KZPullDownItem(u"&File");
    entry->AddMenuItem(new KZPopUpItem(kUserEvent, u"&Open,CO", ZAF_ITEM_ORDINARY));
    menuBar->Add(entry);
    frame->Add(menuBar);
    frame->menuBar = menuBar;
    frame->command = kUserEvent;
    Show(frame);
    auto dragged = std::make_unique<Frame>();
    KZEditableSelector list(0, 0, 10, 10);
    KZEditableSelectorString field(&list, {0, 0, 9, 9}, u"");
    Dialog* dialog = c.capture == kFieldInADialog ? Show(new Dialog) : nullptr;
    if (c.capture != kNone) {
      application.SetCapture(c.capture == kDrag ? static_cast<ZafWindowObject*>(dragged.get()) : &field, 0);
    }
    KZApplication::mainMenuBar = menuBar;
    ZafEventRecord key(E_KEY, u'O');
    key.modifiers = 0x200 | 4;
    key.SetKey({4, u'O'});
    application.idleCounts.clear();
    application.onIdle = [&](int32_t) {
      if (application.idleCounts.size() == 2) {
        ZafWindowObject::eventManager->Put(key, Q_END);
      }
      if (application.idleCounts.size() == 4) {
        Put(ExitEvent);
      }
      return true;
    };
    EXPECT_EQ(application.Control(dialog, false), LoopExitResult);
    EXPECT_EQ(application.idleCounts, c.idleCounts);
    application.SetCapture(nullptr, 0);
    KZApplication::mainMenuBar = nullptr;
    ZafWindowObject::windowManager->SetExitFunction(&KZApplication::QueryExit);
    if (dialog) {
      ZafWindowObject::windowManager->Remove(dialog);
    }
    ZafWindowObject::windowManager->Remove(frame);
  }
}

TEST_F(KZApplicationTest, QueryExitAsksTheMainFrame) {
  EXPECT_EQ(KZApplication::QueryExit(nullptr, nullptr, nullptr), 0);
  Frame* frame = Show(new Frame);
  KZApplication::mainFrame = frame;
  frame->exitAnswer = 0;
  EXPECT_EQ(KZApplication::QueryExit(nullptr, nullptr, nullptr), ExitRefusedResult);
  frame->exitAnswer = 1;
  EXPECT_EQ(KZApplication::QueryExit(nullptr, nullptr, nullptr), 0);
}

TEST_F(KZApplicationTest, FindArgumentMatchesPrefixesIgnoringCaseAfterTheProgram) {
  struct Case {
    const char16_t* option;
    const ZafIChar* found;
  } cases[] = {{u"-noregistry", noRegistry}, {u"-NoRegistryX", noRegistry},
               {u"-NoRegistryXY", nullptr},  {u"FILE", file},
               {u"kestrove", nullptr},       {u"-x", nullptr}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::char_traits<char16_t>::length(c.option));
    EXPECT_EQ(application.FindArgument(c.option), c.found);
  }
}

// The break key is taken out where it lies; every other key stays queued, in its order, for after the
// wait that looked. It is read with the keys held when it was typed: Ctrl, taken down with the key that
// started the wait, and released before Escape (its release still queued), holds nothing.
TEST_F(KZApplicationTest, TakeBreakKeyTakesEachBreakKeyAndLeavesTheOtherKeysQueued) {
  Frame* frame = Show(new Frame);
  KZApplication::mainFrame = frame;
  struct Case {
    std::vector<native::WPARAM> keys;
    bool broke;
    std::vector<native::WPARAM> left;
    native::WPARAM takenDownThenReleased = 0;
    // Typed, and still unread in the display's connection: the look reads it first.
    bool inTheConnection = false;
  } cases[] = {{{0x41, 27, 0x42, 27}, true, {0x41, 0x42}},
               {{0x41}, false, {0x41}},
               {{}, false, {}},
               {{27}, true, {native::VK_CONTROL}, native::VK_CONTROL},
               {{0x41, 27}, true, {0x41}, 0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys.size() + c.takenDownThenReleased + c.inTheConnection);
    int connection[2] = {-1, -1};
    if (c.inTheConnection) {
      ASSERT_EQ(pipe(connection), 0);
      ASSERT_EQ(write(connection[1], "k", 1), 1);
      native::RegisterWaitDescriptor(connection[0], POLLIN, [&](short) {
        char byte = 0;
        ASSERT_EQ(read(connection[0], &byte, 1), 1);
        for (native::WPARAM key : c.keys) {
          driver.keyDown(static_cast<native::UINT>(key));
        }
      });
    }
    if (c.takenDownThenReleased != 0) {
      native::PostMessage(frame->ScreenID(), native::WM_KEYDOWN, c.takenDownThenReleased, 0);
      native::MSG down{};
      ASSERT_TRUE(native::PeekMessage(&down, nullptr, native::WM_KEYDOWN, native::WM_KEYDOWN, native::PM_REMOVE));
      native::PostMessage(frame->ScreenID(), native::WM_KEYUP, c.takenDownThenReleased, 0);
    }
    for (native::WPARAM key : c.inTheConnection ? std::vector<native::WPARAM>{} : c.keys) {
      native::PostMessage(frame->ScreenID(), native::WM_KEYDOWN, key, 0);
    }
    EXPECT_EQ(application.TakeBreakKey(), c.broke);
    if (c.inTheConnection) {
      native::UnregisterWaitDescriptor(connection[0]);
      close(connection[0]);
      close(connection[1]);
    }
    std::vector<native::WPARAM> left;
    native::MSG key{};
    while (native::PeekMessage(&key, nullptr, native::WM_KEYFIRST, native::WM_KEYLAST, native::PM_REMOVE)) {
      left.push_back(key.wParam);
    }
    EXPECT_EQ(left, c.left);
  }
  native::PostMessage(frame->ScreenID(), native::WM_KEYUP, 0x41, 0);
  EXPECT_TRUE(application.FlushKeys());
  EXPECT_FALSE(application.FlushKeys());
}

TEST_F(KZApplicationTest, DataFileOpensOnlyWhenItIsThere) {
  EXPECT_FALSE(application.OpenDataFile(nullptr));
  EXPECT_FALSE(application.OpenDataFile(u"/nonexistent/kestrove.znc"));
  EXPECT_EQ(application.ObjectPersistence(), nullptr);
}
