#include <gtest/gtest.h>

#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindowobject.h"
#include "framework/win32/tests/zafwin32testbed.h"
#include "framework/win32/tests/zafwindowobjectnativetestbed.h"
#include "native/user/messages.h"

namespace {

// An object that counts the redraws it is asked for and can be put on a native window of its own or on
// its parent's.
class StateObject : public ZafWindowObject {
 public:
  StateObject() : ZafWindowObject(0, 0, 10, 1) {}
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == RedisplayEvent) {
      ++redisplays;
      return event.type;
    }
    return ZafWindowObject::Event(event);
  }
  void PutOn(native::HWND window, bool own) {
    ownNativeWindow = own;
    SetScreenID(window);
  }
  void SetEdit(bool flag) { editMode = flag; }
  int redisplays = 0;
};

class ZafWindowObjectStateTest : public ZafWin32Test {
 protected:
  ZafWindowObjectStateTest() {
    window = native::CreateWindowEx(0, ZafMSWindowsApp::windowClassName, u"", native::WS_CHILD, 0, 0, 50, 20,
                                    host, nullptr, nullptr, nullptr);
  }
  ~ZafWindowObjectStateTest() override { object.PutOn(nullptr, false); }
  StateObject object;
  native::HWND window = nullptr;
};

TEST_F(ZafWindowObjectStateTest, VisibilityShowsAndHidesAnOwnNativeWindow) {
  object.PutOn(window, true);
  for (bool flag : {true, false, true}) {
    SCOPED_TRACE(flag);
    EXPECT_EQ(object.SetVisible(flag), flag);
    EXPECT_EQ(native::IsWindowVisible(window) != native::FALSE, flag);
  }
  EXPECT_EQ(object.redisplays, 0);
}

TEST_F(ZafWindowObjectStateTest, DisablingEnablesAnOwnNativeWindowOnlyOutsideEditMode) {
  struct Case {
    bool editMode;
    bool disabled;
    bool nativeEnabled;
    int redisplays;
  };
  const Case cases[] = {
      {false, true, false, 0},
      {false, false, true, 0},
      {true, true, true, 1},
  };
  object.PutOn(window, true);
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << "edit " << test.editMode << " disabled " << test.disabled);
    object.SetEdit(test.editMode);
    object.redisplays = 0;
    EXPECT_EQ(object.SetDisabled(test.disabled), test.disabled);
    EXPECT_EQ(native::IsWindowEnabled(window) != native::FALSE, test.nativeEnabled);
    EXPECT_EQ(object.redisplays, test.redisplays);
  }
}

TEST_F(ZafWindowObjectStateTest, ObjectDrawnInItsParentsWindowIsRedrawnAndLeavesTheWindowAlone) {
  object.PutOn(window, false);
  native::ShowWindow(window, native::SW_SHOW);
  object.SetVisible(false);
  object.SetDisabled(true);
  EXPECT_EQ(object.redisplays, 2);
  EXPECT_NE(native::IsWindowVisible(window), native::FALSE);
  EXPECT_NE(native::IsWindowEnabled(window), native::FALSE);
}

TEST_F(ZafWindowObjectStateTest, WithoutANativeWindowOnlyTheFlagsChange) {
  EXPECT_TRUE(object.SetVisible(true));
  EXPECT_TRUE(object.SetDisabled(true));
  EXPECT_FALSE(object.SetAutomaticUpdate(false));
  EXPECT_TRUE(object.SetAutomaticUpdate(true));
  EXPECT_EQ(object.redisplays, 0);
}

TEST_F(ZafWindowObjectStateTest, AutomaticUpdateRedrawsOnlyAVisibleObjectWhenSwitchedOn) {
  struct Case {
    bool visible;
    bool flag;
    int redisplays;
  };
  const Case cases[] = {{true, true, 1}, {true, false, 0}, {false, true, 0}};
  object.PutOn(window, false);
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << "visible " << test.visible << " flag " << test.flag);
    object.SetVisible(test.visible);
    object.redisplays = 0;
    EXPECT_EQ(object.SetAutomaticUpdate(test.flag), test.flag);
    EXPECT_EQ(object.redisplays, test.redisplays);
  }
}

// ---- Focus ----

using ZafWindowObjectFocusTest = ZafNativeObjectTest;

ZafLong RefuseToLetGo(ZafWindowObject*, ZafEventRecord&, ZafLong code) {
  return code == FocusLoseEvent ? 1 : 0;
}

TEST_F(ZafWindowObjectFocusTest, DisabledOrNonCurrentObjectsCannotTakeTheFocus) {
  struct Case {
    const char* name;
    ZafWindowObject* (*barred)(NativeProbe& probe, ZafWindow& parent);
  };
  const Case cases[] = {
      {"disabled", [](NativeProbe& probe, ZafWindow&) -> ZafWindowObject* { return &probe; }},
      {"parent disabled", [](NativeProbe&, ZafWindow& parent) -> ZafWindowObject* { return &parent; }},
  };
  for (const Case& test : cases) {
    for (bool byDisabling : {true, false}) {
      SCOPED_TRACE(testing::Message() << test.name << (byDisabling ? ", disabled" : ", non-current"));
      NativeProbe* probe = Created();
      native::SetFocus(host);
      ZafWindowObject* barred = test.barred(*probe, *root);
      if (byDisabling) {
        barred->SetDisabled(true);
      } else {
        barred->SetNonCurrent(true);
      }
      EXPECT_FALSE(probe->SetFocus(true));
      EXPECT_FALSE(probe->Focus());
      EXPECT_NE(native::GetFocus(), probe->ScreenID());
      barred->SetDisabled(false);
      barred->SetNonCurrent(false);
      root->Subtract(probe);
      delete probe;
    }
  }
}

TEST_F(ZafWindowObjectFocusTest, FocusedObjectThatBecomesDisabledLosesTheFocus) {
  NativeProbe* probe = Created();
  native::SetFocus(probe->ScreenID());
  probe->SetFocusFlag(true);
  probe->SetDisabled(true);
  EXPECT_FALSE(probe->SetFocus(true));
  EXPECT_FALSE(probe->Focus());
  EXPECT_EQ(native::GetFocus(), host);
}

TEST_F(ZafWindowObjectFocusTest, OwnWindowTakesTheNativeFocusAndTakesItBackWhenFocused) {
  NativeProbe* probe = Created();
  native::SetFocus(host);
  probe->SetFocus(true);
  EXPECT_EQ(native::GetFocus(), probe->ScreenID()) << "the window's focus message runs the protocol";
  probe->SetFocusFlag(true);
  native::SetFocus(host);
  EXPECT_TRUE(probe->SetFocus(true));
  EXPECT_EQ(native::GetFocus(), probe->ScreenID());
}

TEST_F(ZafWindowObjectFocusTest, OwnWindowLosingHandsTheNativeFocusToTheParentUnlessItRefuses) {
  struct Case {
    const char* name;
    bool refuse;
    bool focus;
    bool focusStaysInTheWindow;
  };
  const Case cases[] = {{"let go", false, false, false}, {"refused", true, true, true}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    NativeProbe* probe = Created();
    if (test.refuse) {
      probe->SetUserFunction(RefuseToLetGo);
    }
    native::SetFocus(probe->ScreenID());
    probe->SetFocusFlag(true);
    probe->events.clear();
    EXPECT_EQ(probe->SetFocus(false), test.focus);
    EXPECT_EQ(probe->Focus(), test.focus);
    EXPECT_EQ(probe->events.front(), FocusLoseEvent);
    EXPECT_EQ(native::GetFocus(), test.focusStaysInTheWindow ? probe->ScreenID() : host);
    root->Subtract(probe);
    delete probe;
  }
}

TEST_F(ZafWindowObjectFocusTest, ObjectDrawnInItsParentRunsTheFocusProtocolItself) {
  NativeProbe* probe = Created([](NativeProbe& object) { object.SetOwnNativeWindow(false); });
  native::SetFocus(nullptr);
  EXPECT_TRUE(probe->SetFocus(true));
  EXPECT_EQ(native::GetFocus(), host);
  EXPECT_TRUE(root->Focus());
  EXPECT_EQ(root->CurrentChild(), probe);
  EXPECT_FALSE(probe->SetFocus(false));
  EXPECT_EQ(native::GetFocus(), host) << "the parent's window keeps the native focus";
}

TEST_F(ZafWindowObjectFocusTest, WithoutAWindowOnlyTheFlagChanges) {
  NativeProbe probe;
  native::SetFocus(host);
  EXPECT_TRUE(probe.SetFocus(true));
  EXPECT_FALSE(probe.SetFocus(false));
  probe.SetDisabled(true);
  EXPECT_FALSE(probe.SetFocus(true));
  EXPECT_TRUE(probe.events.empty());
  EXPECT_EQ(native::GetFocus(), host);
}

}  // namespace
