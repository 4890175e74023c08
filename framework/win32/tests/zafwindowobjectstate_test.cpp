#include <gtest/gtest.h>

#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindowobject.h"
#include "framework/win32/tests/zafwin32testbed.h"
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

}  // namespace
