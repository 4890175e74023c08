#include "framework/core/zafwindowmanager.h"

#include <gtest/gtest.h>

#include "framework/core/tests/zafcoretestbed.h"
#include "native/native.h"

namespace {

class WindowManagerTest : public ZafCoreTest {
 protected:
  ZafWindow* NewWindow(const ZafIChar* name, bool temporary = false) {
    auto* window = new ZafWindow(0, 0, 20, 10);
    window->SetStringID(name);
    window->SetTemporary(temporary);
    return window;
  }

  std::u16string Names() {
    std::u16string names;
    for (ZafElement* element = windows->First(); element; element = element->Next()) {
      names += element->StringID();
      names += u' ';
    }
    return names;
  }

  void RemoveAllWindows() {
    while (ZafWindow* window = windows->FrontWindow()) {
      windows->Subtract(window);
      delete window;
    }
  }

  ZafEventType Send(ZafEventType type, ZafWindowObject* object = nullptr) {
    ZafEventRecord event(type, 0);
    event.windowObject = object;
    return windows->Event(event);
  }

  // Takes the quit message waiting in the native queue and answers its exit code, kNoQuit without one.
  static constexpr native::WPARAM kNoQuit = ~native::WPARAM{0};
  static native::WPARAM TakenQuitCode() {
    native::MSG message{};
    if (!native::PeekMessage(&message, nullptr, native::WM_QUIT, native::WM_QUIT, native::PM_REMOVE) ||
        message.message != native::WM_QUIT) {
      return kNoQuit;
    }
    return message.wParam;
  }
};

TEST_F(WindowManagerTest, CoversTheDisplayAndAsksForTheDefaultPointer) {
  EXPECT_EQ(windows->Region(), (ZafRegionStruct{0, 0, 1279, 1023, ZAF_PIXEL}));
  EXPECT_EQ(windows->Placement(), 2);
  EXPECT_EQ(ZafWindowObject::windowManager, windows.get());
  EXPECT_EQ(windows->SetPlacement(0), 2);
  EXPECT_FALSE(windows->SetBordered(true));
  EXPECT_EQ(windows->Duplicate(), nullptr);

  std::vector<int32_t> requests;
  windows.reset();
  ZafWindowObject::eventManager = &events;
  events.Add(new RecordingDevice(E_HELP_TIPS, &requests));
  events.Add(new RecordingDevice(E_MOUSE, &requests));
  windows = std::make_unique<ZafWindowManager>();
  EXPECT_EQ(requests, (std::vector<int32_t>{E_MOUSE * 100000 + DefaultImage}))
      << "only the mouse is asked, once, for the default pointer";
}

TEST_F(WindowManagerTest, NonTemporaryWindowsClearTemporariesFromTheFront) {
  windows->Add(NewWindow(u"a"));
  windows->Add(NewWindow(u"t1", true));
  windows->Add(NewWindow(u"t2", true));
  EXPECT_EQ(Names(), u"t2 t1 a ");
  windows->Add(NewWindow(u"b"));
  EXPECT_EQ(Names(), u"b a ");
}

TEST_F(WindowManagerTest, CloseSkipsOrTakesTemporariesAndNeverALockedWindow) {
  struct Case {
    const char* name;
    ZafEventType close;
    bool lockFront;
    std::u16string left;
    ZafEventType answer;
  } cases[] = {
      {"close skips the temporary", CloseEvent, false, u"", NoWindowResult},
      {"close temporary", CloseTemporaryEvent, false, u"a ", CloseTemporaryEvent},
      {"locked", CloseEvent, true, u"t a ", CloseEvent},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RemoveAllWindows();
    ZafWindow* a = NewWindow(u"a");
    a->SetLocked(c.lockFront);
    windows->Add(a);
    windows->Add(NewWindow(u"t", true));
    EXPECT_EQ(Send(c.close), c.answer);
    EXPECT_EQ(Names(), c.left);
  }
}

TEST_F(WindowManagerTest, ClosingAWindowNotYetCreatedDoesNotEndTheProgram) {
  ZafWindow* window = NewWindow(u"w");
  windows->ZafList::Add(window);  // listed, but never created: its screen ID is still 0
  EXPECT_EQ(window->ScreenID(), nullptr);
  EXPECT_EQ(Send(CloseEvent, window), NoWindowResult);
  EXPECT_EQ(TakenQuitCode(), kNoQuit);
}

int exitAnswer = 0;
int exitCalls = 0;
ZafEventType AskToExit(ZafDisplay*, ZafEventManager*, ZafWindowManager*) {
  ++exitCalls;
  return exitAnswer;
}

TEST_F(WindowManagerTest, ClosingTheMainWindowAsksTheExitFunctionThenQuits) {
  exitCalls = 0;
  exitAnswer = 7;
  windows->SetExitFunction(AskToExit);
  ZafWindow* main = NewWindow(u"main");
  windows->Add(main);
  windows->SetMainWindow(main);
  EXPECT_EQ(Send(CloseEvent, main), CloseEvent);
  EXPECT_EQ(Names(), u"main ") << "the exit function refused";
  EXPECT_EQ(TakenQuitCode(), kNoQuit);
  EXPECT_EQ(windows->exitFunction, AskToExit) << "a refusal keeps the function";
  exitAnswer = 0;
  EXPECT_EQ(Send(CloseEvent, main), NoWindowResult);
  EXPECT_EQ(TakenQuitCode(), 0u);
  EXPECT_EQ(TakenQuitCode(), kNoQuit) << "one quit message";
  EXPECT_EQ(windows->exitFunction, nullptr) << "an answer of 0 is not asked again";
  EXPECT_EQ(exitCalls, 2);
  EXPECT_EQ(Send(ExitRequestEvent), 0);
}

TEST_F(WindowManagerTest, ExitEventPostsQuitWithoutAskingTheExitFunction) {
  exitCalls = 0;
  windows->SetExitFunction(AskToExit);
  windows->Add(NewWindow(u"main"));
  EXPECT_EQ(Send(ExitEvent), 0);
  EXPECT_EQ(TakenQuitCode(), 0u);
  EXPECT_EQ(exitCalls, 0);
  EXPECT_EQ(Names(), u"main ") << "the windows go when the loop ends, not here";
}

TEST_F(WindowManagerTest, AddAndSubtractEventsCarryTheirWindow) {
  ZafWindow* window = NewWindow(u"w");
  EXPECT_EQ(Send(AddObjectEvent, window), AddObjectEvent);
  EXPECT_EQ(windows->FrontWindow(), window);
  const native::HWND created = window->ScreenID();
  EXPECT_NE(native::IsWindow(created), native::FALSE) << "added windows are created at once";
  EXPECT_NE(native::IsWindowVisible(created), native::FALSE);
  EXPECT_EQ(Send(SubtractObjectEvent, window), SubtractObjectEvent);
  EXPECT_EQ(native::IsWindow(created), native::FALSE);
  EXPECT_EQ(window->ScreenID(), nullptr);
  EXPECT_EQ(windows->Count(), 0);
  EXPECT_EQ(window->Parent(), nullptr);
  delete window;
}

TEST_F(WindowManagerTest, RemovingAWindowRemovesWhatItOwnsRecursively) {
  ZafWindow* owner = NewWindow(u"owner");
  ZafWindow* owned = NewWindow(u"owned");
  ZafWindow* grandchild = NewWindow(u"grand");
  ZafWindow* other = NewWindow(u"other");
  owned->SetOwner(owner);
  grandchild->SetOwner(owned);
  for (ZafWindow* window : {other, owner, owned, grandchild}) {
    windows->Add(window);
  }
  windows->Subtract(owner);
  delete owner;
  EXPECT_EQ(Names(), u"other ");
}

TEST_F(WindowManagerTest, LastWindowGoneQueuesTheNoWindowEvent) {
  ZafWindow* modal = NewWindow(u"m");
  modal->SetModal(true);
  windows->Add(modal);
  QueuedTypes();
  windows->Subtract(modal);
  EXPECT_EQ(QueuedTypes(), std::vector<int32_t>{NoWindowLeftEvent});
  EXPECT_EQ(Send(NoWindowLeftEvent), NoWindowResult);
  delete modal;
}

TEST_F(WindowManagerTest, RemovingAModalWindowEnablesTheWindowBehindIt) {
  ZafWindow* behind = NewWindow(u"b");
  windows->Add(behind);
  ZafWindow* modal = NewWindow(u"m");
  modal->SetModal(true);
  windows->Add(modal);
  // As the modal window's creation leaves it.
  native::EnableWindow(behind->ScreenID(2), native::FALSE);
  windows->Subtract(modal);
  EXPECT_NE(native::IsWindowEnabled(behind->ScreenID(2)), native::FALSE);
  delete modal;
}

TEST_F(WindowManagerTest, RoutingOrderIsCaptureGrabAddressedThenFront) {
  ProbeObject captured(0, 0, 1, 1);
  ProbeObject grabbing(0, 0, 1, 1);
  ProbeObject addressed(0, 0, 1, 1);
  auto* front = new ZafWindow(0, 0, 10, 5);
  auto* probe = new ProbeObject(0, 0, 1, 1);
  probe->SetStringID(u"probe");
  front->Add(probe);
  windows->Add(front);
  ASSERT_NE(probe->ScreenID(), nullptr);
  ZafEventRecord mouse(E_MOUSE, 0x1100);
  ZafEventRecord key(E_KEY, 13);
  key.addressedObject = &addressed;

  windows->captureObject = &captured;
  windows->grabObject = &grabbing;
  windows->Event(mouse);
  windows->Event(key);
  EXPECT_EQ(captured.received, std::vector<int32_t>{E_MOUSE});
  EXPECT_EQ(grabbing.received, std::vector<int32_t>{E_KEY});
  windows->grabObject = nullptr;
  windows->Event(key);
  EXPECT_EQ(addressed.received, std::vector<int32_t>{E_KEY});
  windows->captureObject = nullptr;
  EXPECT_EQ(windows->Event(ZafEventRecord(-4242, 0)), UnknownEventResult) << "the front window answers";
  native::MSG message{};
  message.hwnd = probe->ScreenID();
  message.message = native::WM_USER + 7;
  probe->received.clear();
  windows->Event(ZafEventRecord(E_OSEVENT, message));
  EXPECT_EQ(probe->received, std::vector<int32_t>{E_OSEVENT}) << "dispatched to the window it is for";
  EXPECT_EQ(windows->Event(ZafEventRecord(AnsweredByItselfEvent, 0)), AnsweredByItselfEvent);
}

// A window that keeps the text of the front-window requests it is handed.
class RequestRecordingWindow : public ZafWindow {
 public:
  RequestRecordingWindow() : ZafWindow(0, 0, 10, 5) {}
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == FirstFrontWindowRequest || event.type == SecondFrontWindowRequest) {
      texts.push_back(event.Text() ? event.Text() : u"");
      return event.type;
    }
    return ZafWindow::Event(event);
  }
  std::vector<std::u16string> texts;
};

TEST_F(WindowManagerTest, FrontWindowRequestsCarryTheirTextToTheFrontWindow) {
  auto* window = new RequestRecordingWindow;
  windows->Add(window);
  windows->grabObject = nullptr;
  ZafEventRecord request(FirstFrontWindowRequest, 0);
  request.SetText(u"carried");
  // Queued, taken and handled: the text has one owner at every step (the sanitizer checks the rest).
  ASSERT_TRUE(events.Put(request));
  request.SetText(nullptr);
  ZafEventRecord taken;
  ASSERT_TRUE(events.TakeQueued(taken));
  EXPECT_EQ(windows->Event(taken), FirstFrontWindowRequest);
  ZafEventRecord direct(SecondFrontWindowRequest, 0);
  direct.SetText(u"direct");
  EXPECT_EQ(windows->FrameworkRequest(direct), SecondFrontWindowRequest);
  EXPECT_EQ(window->texts, (std::vector<std::u16string>{u"carried", u"direct"}));
  RemoveAllWindows();
  EXPECT_EQ(windows->FrameworkRequest(direct), NoWindowResult);
}

TEST_F(WindowManagerTest, SearchesNeverMatchTheWindowManagerItself) {
  windows->SetNumberID(77);
  windows->SetStringID(u"root");
  auto* window = NewWindow(u"w");
  auto* inner = window->Add(new ZafWindowObject(0, 0, 5, 1));
  inner->SetStringID(u"inner");
  inner->SetNumberID(33);
  windows->Add(window);
  EXPECT_EQ(windows->FindObject(77), nullptr);
  EXPECT_EQ(windows->FindObject(33), inner);
  EXPECT_EQ(windows->FindObjectByName(u"root"), nullptr);
  EXPECT_EQ(windows->FindObjectByName(u"~inner"), nullptr) << "\"~\" and one name: top-level windows only";
  EXPECT_EQ(windows->FindObjectByName(u"~w"), window);
  EXPECT_EQ(windows->FindObjectByName(u"inner"), inner);
}

TEST_F(WindowManagerTest, CloseByNameClosesEveryWindowOfThatName) {
  windows->Add(NewWindow(u"x"));
  windows->Add(NewWindow(u"keep"));
  windows->Add(NewWindow(u"x"));
  ZafEventRecord request(CloseByNameRequest, 0);
  request.SetText(u"x");
  EXPECT_EQ(windows->Event(request), CloseByNameRequest);
  EXPECT_EQ(Names(), u"keep ");
}

TEST_F(WindowManagerTest, ActivationBringsAWindowToTheFront) {
  ZafWindow* a = NewWindow(u"a");
  ZafWindow* b = NewWindow(u"b");
  windows->Add(a);
  windows->Add(b);
  a->SetFocus(true);
  EXPECT_EQ(Names(), u"a b ");
  EXPECT_TRUE(a->Focus());
  EXPECT_EQ(windows->CurrentChild(), a);
  EXPECT_TRUE(windows->Focus());
  b->SetFocus(true);
  EXPECT_EQ(Names(), u"b a ");
  EXPECT_FALSE(a->Focus());
}

TEST_F(WindowManagerTest, WholeWindowRequestsReachEveryWindow) {
  ZafWindow* a = NewWindow(u"a");
  ZafWindow* b = NewWindow(u"b");
  auto* deep = new ProbeObject(0, 0, 1, 1);
  auto* inner = new ZafWindow(0, 0, 5, 5);
  inner->Add(deep);
  b->Add(inner);
  windows->Add(a);
  windows->Add(b);
  EXPECT_EQ(Send(MinimizeAllRequest), MinimizeAllRequest);
  EXPECT_TRUE(a->Minimized() && b->Minimized());
  EXPECT_EQ(Send(RestoreAllRequest), RestoreAllRequest);
  EXPECT_FALSE(a->Minimized() || b->Minimized());
  EXPECT_EQ(Send(LanguageRequest), LanguageRequest);
  EXPECT_EQ(deep->received.back(), LanguageChangedEvent) << "the whole tree hears of the new language";
  EXPECT_EQ(windows->FrameworkRequest(ZafEventRecord(-3699, 0)), -1);
}

TEST_F(WindowManagerTest, OpenWindowRequestFocusesAWindowAlreadyOpen) {
  ZafWindow* a = NewWindow(u"a");
  ZafWindow* b = NewWindow(u"b");
  windows->Add(a);
  windows->Add(b);
  b->SetFocus(true);
  ZafEventRecord open(OpenWindowRequest, 0);
  open.SetText(u"~ZafWindow~a");
  EXPECT_EQ(windows->Event(open), OpenWindowRequest);
  EXPECT_EQ(Names(), u"a b ");
  EXPECT_TRUE(a->Focus());
  EXPECT_EQ(Send(OpenWindowRequest), OpenWindowRequest) << "a request without its text does nothing";
}

TEST_F(WindowManagerTest, CenterRoundsTowardZeroAndClampsToTheDisplay) {
  struct Case {
    ZafRegionStruct region;
    ZafRegionStruct expected;
  } cases[] = {
      {{0, 0, 100, 100, ZAF_PIXEL}, {589, 461, 689, 561, ZAF_PIXEL}},
      {{5, 5, 2004, 9, ZAF_PIXEL}, {0, 509, 1279, 513, ZAF_PIXEL}},
  };
  for (const Case& c : cases) {
    ZafWindowObject object(0, 0, 1, 1);
    object.SetRegion(c.region);
    windows->Center(&object);
    EXPECT_EQ(object.Region(), c.expected);
  }
}

}  // namespace
