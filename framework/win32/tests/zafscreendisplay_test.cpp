#include "framework/win32/zafscreendisplay.h"

#include <gtest/gtest.h>

#include "framework/win32/zafmswindowsapp.h"
#include "native/native.h"
#include "native/testdriver.h"
#include "testing/zaftestapplication.h"

namespace {

class ZafScreenDisplayTest : public testing::Test {
 protected:
  native::TestDriver driver{native::DesktopOptions{640, 480, 96}};
  ZafTestApplication application;
  ZafScreenDisplay screen;
};

}  // namespace

TEST_F(ZafScreenDisplayTest, FillsTheSeventeenColoursAndLeavesTheRestFree) {
  struct Case {
    int index;
    uint8_t red, green, blue;
  } cases[] = {{0, 0, 0, 0},       {1, 0, 0, 128}, {4, 128, 0, 0},    {7, 192, 192, 192},
               {8, 128, 128, 128}, {9, 0, 0, 255}, {14, 255, 255, 0}, {15, 255, 255, 255}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    uint8_t red = 1, green = 1, blue = 1;
    ASSERT_EQ(screen.ColorMap(c.index, red, green, blue), 0);
    EXPECT_EQ(red, c.red);
    EXPECT_EQ(green, c.green);
    EXPECT_EQ(blue, c.blue);
  }
  uint8_t red, green, blue;
  EXPECT_EQ(screen.ColorMap(16, red, green, blue), 0);
  for (int index : {17, 126}) {
    EXPECT_EQ(screen.ColorMap(index, red, green, blue), ZAF_ERROR_INVALID_INDEX) << index;
  }
}

TEST_F(ZafScreenDisplayTest, FontsMetricsAndDisplayOfRecord) {
  EXPECT_NE(screen.fontTable[0], nullptr);
  // Not the Windows 95 platform: the dialog font is the icon-title font.
  EXPECT_EQ(screen.fontTable[1], screen.fontTable[0]);
  EXPECT_EQ(screen.fontTable[2], native::GetStockObject(native::SYSTEM_FONT));
  EXPECT_EQ(screen.fontTable[3], screen.fontTable[2]);
  EXPECT_EQ(screen.fontTable[4], native::GetStockObject(native::SYSTEM_FIXED_FONT));
  for (int index = 5; index < ZafGdiDisplay::kFonts; ++index) {
    EXPECT_EQ(screen.fontTable[index], nullptr) << index;
  }
  EXPECT_EQ(screen.columns, 640);
  EXPECT_EQ(screen.lines, 480);
  EXPECT_EQ(screen.pixelsPerInchX, 96);
  EXPECT_EQ(screen.pixelsPerInchY, 96);
  EXPECT_EQ(screen.preSpace, 2);
  EXPECT_EQ(screen.postSpace, 3);
  EXPECT_EQ(ZafDisplay::DisplayOfRecord(), &screen);
  EXPECT_EQ(screen.clipRegion, (ZafRegionStruct{0, 0, 639, 479, ZAF_PIXEL}));
  const ZafRegionStruct size = screen.TextSize(ZafScreenDisplay::kCellText, -1);
  EXPECT_EQ(screen.cellWidth, ZafScreenDisplay::CellWidth(size.right));
  EXPECT_EQ(screen.cellHeight, ZafScreenDisplay::CellHeight(size.bottom, 2, 3));
  EXPECT_GT(screen.cellWidth, 0);
}

TEST(ZafScreenDisplayCell, FourThirdsOfTheAverageLetterAndTheRowSpacing) {
  struct Case {
    int32_t width, height, cellWidth, cellHeight;
  } cases[] = {{338, 16, 9, 27}, {0, 0, 0, 11}, {20, 13, 1, 24}, {19, 13, 0, 24}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    EXPECT_EQ(ZafScreenDisplay::CellWidth(c.width), c.cellWidth);
    EXPECT_EQ(ZafScreenDisplay::CellHeight(c.height, 2, 3), c.cellHeight);
  }
}

TEST_F(ZafScreenDisplayTest, DefineColorTakesFreeEntriesFromThirtyTwoUp) {
  EXPECT_EQ(screen.DefineColor(-2, 1, 2, 3), 32);
  EXPECT_EQ(screen.DefineColor(-2, 1, 2, 4), 33);
  for (int index = 34; index < ZafGdiDisplay::kColors; ++index) {
    ASSERT_EQ(screen.DefineColor(-2, 9, 9, 9), index);
  }
  EXPECT_EQ(screen.DefineColor(-2, 9, 9, 9), ZAF_COLOR_TABLE_FULL);
  // Entries below 32 stay free for explicit indexes.
  EXPECT_EQ(screen.DefineColor(20, 10, 20, 30), 20);
  uint8_t red, green, blue;
  ASSERT_EQ(screen.ColorMap(20, red, green, blue), 0);
  EXPECT_EQ((std::array<uint8_t, 3>{red, green, blue}), (std::array<uint8_t, 3>{10, 20, 30}));
  for (int bad : {-1, 127, 1000}) {
    EXPECT_EQ(screen.DefineColor(bad, 0, 0, 0), ZAF_COLOR_TABLE_FULL) << bad;
    EXPECT_EQ(screen.ReleaseColor(bad), ZAF_ERROR_INVALID_INDEX) << bad;
    EXPECT_EQ(screen.ColorMap(bad, red, green, blue), ZAF_ERROR_INVALID_INDEX) << bad;
  }
  EXPECT_EQ(screen.ReleaseColor(20), 0);
  EXPECT_EQ(screen.ColorMap(20, red, green, blue), ZAF_ERROR_INVALID_INDEX);
}

TEST_F(ZafScreenDisplayTest, FontSlotsAreCheckedAndReused) {
  EXPECT_EQ(screen.ConvertToOSFont(-1, u"Helvetica", 10, true, false), 5);
  EXPECT_EQ(screen.ConvertToOSFont(-1, u"Helvetica", 12, false, true), 6);
  EXPECT_EQ(screen.ConvertToOSFont(10, u"Helvetica", 12, false, false), -1);
  EXPECT_EQ(screen.ConvertToOSFont(5, u"Courier", 8, false, false), 5);
  EXPECT_EQ(screen.DestroyOSFont(10), ZAF_ERROR_INVALID_INDEX);
  EXPECT_EQ(screen.DestroyOSFont(-1), ZAF_ERROR_INVALID_INDEX);
  EXPECT_EQ(screen.DestroyOSFont(5), 0);
  EXPECT_EQ(screen.fontTable[5], nullptr);
  EXPECT_EQ(screen.ConvertToOSFont(-1, u"Helvetica", 10, false, false), 5);
  screen.DestroyOSFont(5);
  screen.DestroyOSFont(6);
}

TEST_F(ZafScreenDisplayTest, FontInfoReadsBackWhatWasMade) {
  struct Case {
    int32_t pointSize;
    bool bold, italic;
  } cases[] = {{10, true, false}, {12, false, true}, {24, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pointSize);
    ASSERT_EQ(screen.ConvertToOSFont(7, u"Helvetica", c.pointSize, c.bold, c.italic), 7);
    ZafIChar face[32] = {};
    int32_t pointSize = 0;
    bool bold = !c.bold, italic = !c.italic;
    ASSERT_EQ(screen.FontInfo(7, face, 32, pointSize, bold, italic), 0);
    EXPECT_NEAR(pointSize, c.pointSize, 1);
    EXPECT_EQ(bold, c.bold);
    EXPECT_EQ(italic, c.italic);
    EXPECT_NE(face[0], 0);
  }
  screen.DestroyOSFont(7);
  int32_t pointSize = 0;
  bool bold = false, italic = false;
  EXPECT_EQ(screen.FontInfo(7, nullptr, 0, pointSize, bold, italic), ZAF_ERROR_INVALID_INDEX);
  EXPECT_EQ(screen.FontInfo(10, nullptr, 0, pointSize, bold, italic), ZAF_ERROR_INVALID_INDEX);
}
