#include "framework/core/zafdisplay.h"

#include <gtest/gtest.h>

#include "testing/zaftestdisplay.h"

namespace {

TEST(DisplayConversion, ConvertsBetweenEveryUnitWithOneRounding) {
  ZafTestDisplay display;  // 8 x 24 pixel cells, 96 dpi
  struct Case {
    int32_t value, from, to, expectedX, expectedY;
  } cases[] = {
      {3, ZAF_CELL, ZAF_PIXEL, 24, 72},
      {24, ZAF_PIXEL, ZAF_CELL, 3, 1},
      {4, ZAF_PIXEL, ZAF_CELL, 1, 0},    // 0.5 cell rounds up, 1/6 down
      {-4, ZAF_PIXEL, ZAF_CELL, -1, 0},  // half rounds away from zero
      {12, ZAF_PIXEL, ZAF_CELL, 2, 1},   // 1.5 and 0.5 cells
      {-12, ZAF_PIXEL, ZAF_CELL, -2, -1},
      {10, ZAF_MINICELL, ZAF_CELL, 1, 1},
      {5, ZAF_MINICELL, ZAF_PIXEL, 4, 12},
      {72, ZAF_POINTS, ZAF_PIXEL, 96, 96},
      {1440, ZAF_TWIPS, ZAF_PIXEL, 96, 96},
      {1000, ZAF_MILS, ZAF_POINTS, 72, 72},
      {254, ZAF_TENTHS_OF_MILLIMETER, ZAF_PIXEL, 96, 96},
      {96, ZAF_PIXEL, ZAF_TENTHS_OF_MILLIMETER, 254, 254},
      {7, ZAF_TWIPS, ZAF_TWIPS, 7, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << " from " << c.from << " to " << c.to);
    EXPECT_EQ(ZafDisplay::ConvertCoordinate(&display, c.value, c.from, c.to), c.expectedX);
    EXPECT_EQ(ZafDisplay::ConvertYValue(&display, c.value, c.from, c.to), c.expectedY);
  }
}

TEST(DisplayConversion, UsesTheDisplayOfRecordWhenGivenNone) {
  ZafTestDisplay display;
  display.cellWidth = 10;
  EXPECT_EQ(ZafDisplay::DisplayOfRecord(), &display);
  EXPECT_EQ(ZafDisplay::ConvertCoordinate(nullptr, 2, ZAF_CELL, ZAF_PIXEL), 20);
}

TEST(DisplayConversion, LeavesValuesAloneWhenItCannotConvert) {
  {
    ZafTestDisplay display;
    display.cellWidth = 0;
    // A stored type outside the known ones, or a zero metric, must not divide by zero.
    EXPECT_EQ(ZafDisplay::ConvertCoordinate(&display, 5, 15, ZAF_PIXEL), 5);
    EXPECT_EQ(ZafDisplay::ConvertCoordinate(&display, 5, ZAF_PIXEL, ZAF_CELL), 5);
  }
  // The display of record went with its display.
  EXPECT_EQ(ZafDisplay::DisplayOfRecord(), nullptr);
  EXPECT_EQ(ZafDisplay::ConvertCoordinate(nullptr, 5, ZAF_CELL, ZAF_PIXEL), 5);
}

TEST(DisplayConversion, ClampsResultsThatLeaveThe32BitRange) {
  ZafTestDisplay display;
  EXPECT_EQ(ZafDisplay::ConvertCoordinate(&display, INT32_MAX, ZAF_CELL, ZAF_PIXEL), INT32_MAX);
  EXPECT_EQ(ZafDisplay::ConvertYValue(&display, INT32_MIN, ZAF_CELL, ZAF_TWIPS), INT32_MIN);
}

TEST(Display, StartsWithTheDocumentedDrawingState) {
  ZafTestDisplay display;
  EXPECT_EQ(display.coordinateType, ZAF_PIXEL);
  EXPECT_EQ(display.clipRegion, (ZafRegionStruct{-10000, -10000, 10000, 10000, ZAF_PIXEL}));
  EXPECT_EQ(display.palette.colorBackground, 15);
  EXPECT_EQ(display.palette.colorReserved2, 2);
  EXPECT_EQ(display.palette.font, 1);
  EXPECT_EQ(display.Mode(), 0);
}

TEST(Display, SetCoordinateTypeAnswersThePreviousType) {
  ZafTestDisplay display;
  EXPECT_EQ(display.SetCoordinateType(ZAF_POINTS), ZAF_PIXEL);
  EXPECT_EQ(display.SetCoordinateType(ZAF_CELL), ZAF_POINTS);
}

TEST(Display, ScalePercentFollowsTheScaleAndSurvivesAZeroDenominator) {
  ZafTestDisplay display;
  EXPECT_EQ(ZafDisplay::ScalePercent(&display), 100);
  display.scaleNumerator = 3;
  display.scaleDenominator = 2;
  EXPECT_EQ(ZafDisplay::ScalePercent(&display), 150);
  display.scaleDenominator = 0;
  EXPECT_EQ(ZafDisplay::ScalePercent(&display), 100);
}

}  // namespace
