#include "imaging/ui/yzhardwarebar.h"

#include <gtest/gtest.h>

TEST(YZHardwareBar, AnOpenBitmapLowerThanTwoLinesLessTwoWidensEveryButtonByTheDifference) {
  struct Case {
    int32_t fontHeight;
    int32_t bitmapHeight;
    int32_t extra;
  } cases[] = {{16, 20, 10}, {16, 30, 0}, {16, 29, 1}, {16, 35, 0}, {11, 20, 0}, {13, 20, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bitmapHeight);
    EXPECT_EQ(YZHardwareBar::ExtraWidth(c.fontHeight, c.bitmapHeight), c.extra);
  }
}
