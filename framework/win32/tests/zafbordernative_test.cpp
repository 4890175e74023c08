#include <gtest/gtest.h>

#include "framework/core/zafborder.h"
#include "framework/win32/tests/zaffieldtestbed.h"

namespace {

using BorderNativeTest = ZafFieldTest;

TEST_F(BorderNativeTest, FrameWidthFollowsTheKindOfWindow) {
  struct Case {
    const char* name;
    bool inWindow;
    bool sizeable;
    int answer;
    int metric;
  };
  const Case cases[] = {
      {"sizeable window", true, true, 0, native::SM_CXFRAME},
      {"fixed window", true, false, 0, native::SM_CXBORDER},
      {"no window", false, false, 1, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafWindow window(0, 0, 10, 5);
    window.SetSizeable(c.sizeable);
    auto* border = new ZafBorder();
    if (c.inWindow) {
      window.Add(border);
    }
    ZafBorder::width = -7;
    EXPECT_EQ(border->UpdateBorderWidth(), c.answer);
    EXPECT_EQ(ZafBorder::width, c.metric < 0 ? -7 : native::GetSystemMetrics(c.metric));
    if (!c.inWindow) {
      delete border;
    }
  }
}

TEST_F(BorderNativeTest, FollowsItsWindowsFrameHandle) {
  auto* window = new ZafWindow(0, 0, 20, 8);
  window->AddStandardFrame(u"Framed");
  root->Add(window);
  driver.pumpUntilIdle();
  auto* border = static_cast<ZafBorder*>(window->Border());
  ASSERT_NE(border, nullptr);
  EXPECT_EQ(border->ScreenID(), window->ScreenID(2));
  EXPECT_EQ(border->Event(ZafEventRecord(NativeGoneEvent, 0)), UnknownEventResult);
  EXPECT_EQ(border->ScreenID(), nullptr);
  EXPECT_EQ(border->Event(ZafEventRecord(NativeAttachedEvent, 0)), UnknownEventResult);
  EXPECT_EQ(border->ScreenID(), window->ScreenID(2));
  root->Subtract(window);
  delete window;
}

}  // namespace
