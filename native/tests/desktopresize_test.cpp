#include <gtest/gtest.h>

#include "native/host/desktopresize.h"
#include "native/testdriver.h"
#include "native/tests/messagespy.h"
#include "native/user/windowsystem.h"

namespace native::test {

TEST(DesktopResize, SizeStaysWithinLimitsAndMetricsFollow) {
  TestDriver driver(DesktopOptions{640, 480, 96});
  Desktop& desktop = WindowSystem::get().desktop();
  struct Case {
    int width;
    int height;
    int expectedWidth;
    int expectedHeight;
  };
  const Case cases[] = {
      {800, 600, 800, 600},
      {10, 20, DesktopOptions::kMinSide, DesktopOptions::kMinSide},
      {100000, 300, DesktopOptions::kMaxSide, 300},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << test.width << "x" << test.height);
    desktop.resize(test.width, test.height);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), test.expectedWidth);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), test.expectedHeight);
  }
}

TEST(DesktopResize, PointerStaysOnTheSmallerDesktop) {
  TestDriver driver(DesktopOptions{640, 480, 96});
  driver.mouseMove(600, 400);
  WindowSystem::get().desktop().resize(300, 200);
  POINT cursor = WindowSystem::get().desktop().cursorPosition();
  EXPECT_EQ(cursor.x, 299);
  EXPECT_EQ(cursor.y, 199);
}

TEST(DesktopResize, CompositorComposesTheWholeNewArea) {
  TestDriver driver(DesktopOptions{640, 480, 96});
  Compositor& compositor = WindowSystem::get().compositor();
  driver.takeDamage();
  compositor.resize(700, 500);
  EXPECT_EQ(compositor.desktopSurface().width(), 700);
  EXPECT_EQ(compositor.desktopSurface().height(), 500);
  std::vector<RECT> damage = driver.takeDamage();
  ASSERT_EQ(damage.size(), 1u);
  EXPECT_EQ(damage[0].right, 700);
  EXPECT_EQ(damage[0].bottom, 500);
  EXPECT_EQ(compositor.desktopSurface().pixel(690, 490), pixelOf(GetSysColor(COLOR_BACKGROUND)));
}

TEST(DesktopResize, MaximisedWindowsFollowAndOthersStay) {
  TestDriver driver(DesktopOptions{640, 480, 96});
  MessageSpy spy;
  HWND maximised = spy.createTopLevel(RECT{10, 10, 200, 200});
  HWND normal = spy.createTopLevel(RECT{20, 30, 220, 230});
  ShowWindow(maximised, SW_MAXIMIZE);
  driver.pumpUntilIdle();
  resizeDesktop(WindowSystem::get(), 800, 600);
  RECT rect = driver.screenRect(maximised);
  EXPECT_EQ(rect.right - rect.left, 800);
  EXPECT_EQ(rect.bottom - rect.top, 600);
  rect = driver.screenRect(normal);
  EXPECT_EQ(rect.left, 20);
  EXPECT_EQ(rect.right, 220);
  driver.pumpUntilIdle();
  EXPECT_NE(driver.pixel(790, 590), CLR_INVALID);  // the composed desktop grew too
  RECT desktopRect{};
  GetWindowRect(GetDesktopWindow(), &desktopRect);
  EXPECT_EQ(desktopRect.right, 800);
  EXPECT_EQ(desktopRect.bottom, 600);
}

}  // namespace native::test
