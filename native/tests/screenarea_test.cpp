#include <gtest/gtest.h>

#include <optional>

#include "native/host/screenarea.h"

namespace native::test {

TEST(ScreenArea, DesktopTakesTheWorkAreaOrTheScreenBelowATitleBar) {
  struct Case {
    const char* name;
    std::optional<RECT> workArea;
    RECT expected;
  };
  const Case cases[] = {
      {"no work area", std::nullopt, RECT{0, 0, 1024, 736}},
      {"below a top panel", RECT{0, 24, 1024, 768}, RECT{0, 24, 1024, 768}},
      {"beside a dock", RECT{64, 0, 1024, 740}, RECT{64, 0, 1024, 740}},
      {"partly off screen", RECT{100, 50, 1124, 800}, RECT{100, 50, 1024, 768}},
      {"off screen", RECT{2000, 0, 2100, 100}, RECT{0, 0, 1024, 736}},
      {"empty", RECT{0, 0, 0, 0}, RECT{0, 0, 1024, 736}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RECT area = desktopAreaOnScreen(1024, 768, c.workArea);
    EXPECT_EQ(area.left, c.expected.left);
    EXPECT_EQ(area.top, c.expected.top);
    EXPECT_EQ(area.right, c.expected.right);
    EXPECT_EQ(area.bottom, c.expected.bottom);
  }
}

}  // namespace native::test
