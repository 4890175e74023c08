#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "native/host/x11host.h"

// Xlib's macros come after every header of ours.
#include "native/tests/x11/x11testprogram.h"

namespace native::test {

namespace {

struct Points {
  int nameX, nameY, startX, startY;
};

std::optional<Points> PointsOf(const std::string& ready) {
  Points points{};
  if (std::sscanf(ready.c_str(), "ready %d %d %d %d", &points.nameX, &points.nameY, &points.startX,
                  &points.startY) != 4) {
    return std::nullopt;
  }
  return points;
}

// The whole check, run where DISPLAY names a display.
void CheckOnDisplay() {
  Display* display = nullptr;
  OpenDisplayWithXTest(display);
  if (display == nullptr) {
    return;
  }
  X11TestProgram program(KESTROVE_FRAMEWORK_SCENE_APP, "800x600");
  ASSERT_TRUE(program.started());
  const std::optional<std::string> ready = program.expectLine("ready");
  ASSERT_TRUE(ready.has_value()) << "the scene did not come up";
  const std::optional<Points> points = PointsOf(*ready);
  ASSERT_TRUE(points.has_value()) << *ready;
  Window window = WaitForWindowNamed(display, X11Host::kTitle);
  ASSERT_NE(window, 0u) << "no X window titled " << X11Host::kTitle;

  // Text typed into the name field arrives there; the start button, clicked, sees it.
  ClickAt(display, window, points->nameX, points->nameY);
  TypeText(display, window, "xq7");
  ClickAt(display, window, points->startX, points->startY);
  const std::optional<std::string> chosen = program.expectLine("chosen");
  ASSERT_TRUE(chosen.has_value()) << "the click on the start button was not seen";
  // The click put the caret after the field's text, where the typing went.
  EXPECT_EQ(*chosen, "chosen Adamsxq7");

  // Closing the front window, the frame, ends the program.
  ExpectCloseEndsProgram(display, window, program);
  XCloseDisplay(display);
}

}  // namespace

TEST(FrameworkSceneOnX11, TakesTypedTextAndClicks) {
  RunOnVirtualDisplay(&CheckOnDisplay);
}

}  // namespace native::test
