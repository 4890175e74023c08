#include <gtest/gtest.h>

#include <climits>

#include "imaging/tests/imagetestfixture.h"
#include "imaging/yimage.h"
#include "imaging/yimageview.h"

namespace {

enum Direction { kFrameToX, kXToFrame, kPixelToY, kYToPixel };

int32_t Convert(const YImage& image, const YImageView& view, Direction direction, int32_t value,
                int32_t* remainder) {
  switch (direction) {
    case kFrameToX:
      return image.FrameToViewX(value, view, remainder);
    case kXToFrame:
      return image.ViewXToFrame(value, view, remainder);
    case kPixelToY:
      return image.PixelToViewY(value, view, remainder);
    case kYToPixel:
      return image.ViewYToPixel(value, view, remainder);
  }
  return 0;
}

}  // namespace

TEST(YImageCoordinates, RoundUpAcrossNearestAlongAndLimitTo32Bits) {
  // The zoom's terms; towards the image the inverse ratio applies.
  struct Case {
    Direction direction;
    int32_t numerator;
    int32_t denominator;
    int32_t value;
    int32_t rounded;
    int32_t floor;
    int32_t remainder;
  };
  const Case cases[] = {
      {kFrameToX, 1, 1, 5, 5, 5, 0},
      {kFrameToX, 3, 2, 5, 8, 7, 1},
      {kFrameToX, 3, 2, -5, -7, -8, 1},  // up means towards plus infinity
      {kXToFrame, 2, 3, 5, 8, 7, 1},
      {kXToFrame, 2, 3, -5, -7, -8, 1},
      {kPixelToY, 3, 2, 3, 5, 4, 1},     // 4.5 rounds up
      {kPixelToY, 3, 2, -1, -1, -2, 1},  // -1.5 rounds up too
      {kPixelToY, 1, 4, 1, 0, 0, 1},     // 0.25 rounds down
      {kPixelToY, 1, 4, 2, 1, 0, 2},
      {kYToPixel, 4, 1, 5, 1, 1, 1},
      {kYToPixel, 4, 1, 6, 2, 1, 2},
      {kFrameToX, 256, 1, INT32_MAX, INT32_MAX, INT32_MAX, 0},
      {kFrameToX, 256, 1, 1 << 23, INT32_MAX, INT32_MAX, 0},
      {kFrameToX, 256, 1, INT32_MIN, INT32_MIN, INT32_MIN, 0},
      {kFrameToX, 1, 16, INT32_MAX, 134217728, 134217727, 15},
      {kFrameToX, 1, 16, INT32_MIN, -134217728, -134217728, 0},
      {kXToFrame, 16, 1, INT32_MAX, 134217728, 134217727, 15},
      {kXToFrame, 1, 16, 134217728, INT32_MAX, INT32_MAX, 0},
      {kXToFrame, 256, 1, INT32_MIN + 1, -8388607, -8388608, 1},
      {kFrameToX, INT32_MAX, INT32_MAX - 1, INT32_MAX - 1, INT32_MAX, INT32_MAX, 0},
      {kPixelToY, INT32_MAX, INT32_MAX - 1, INT32_MAX - 1, INT32_MAX, INT32_MAX, 0},
      {kYToPixel, 1, 256, INT32_MAX, INT32_MAX, INT32_MAX, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.direction << " " << c.numerator << "/" << c.denominator << " "
                                    << c.value);
    YImage image;
    YImageView view(&image, -1);
    const bool across = c.direction == kFrameToX || c.direction == kXToFrame;
    const int32_t n = c.numerator;
    const int32_t d = c.denominator;
    ASSERT_TRUE(across ? view.Zoom().SetX(n, d, false) || (n == 1 && d == 1)
                       : view.Zoom().SetY(n, d, false) || (n == 1 && d == 1));
    EXPECT_EQ(Convert(image, view, c.direction, c.value, nullptr), c.rounded);
    int32_t remainder = -1;
    EXPECT_EQ(Convert(image, view, c.direction, c.value, &remainder), c.floor);
    EXPECT_EQ(remainder, c.remainder);
  }
}

TEST_F(ImageTest, AMirroredImageNumbersItsColumnsFromTheOtherEnd) {
  struct Case {
    int32_t zoomNumerator;
    int32_t zoomDenominator;
    int32_t motion;
    int32_t frame;
    int32_t shown;
    int32_t x;
  };
  const Case cases[] = {
      {1, 1, 0, 0, 32, 0},  {1, 1, 1, 0, 32, 31}, {1, 1, 1, 31, 32, 0},
      {2, 1, 1, 0, 63, 62}, {2, 1, 1, 31, 63, 0}, {1, 4, 1, 8, 9, 6},
  };
  QvEvent event;
  YImage* image = AddRawImage(*event.NewLeg(), 2);
  ASSERT_EQ(image->FrameCount(), 32);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.zoomNumerator << "/" << c.zoomDenominator << " frame " << c.frame);
    image->Camera().SetParameter(16, c.motion, false);
    YImageView view(image, -1);
    view.Zoom().SetX(c.zoomNumerator, c.zoomDenominator, false);
    EXPECT_EQ(image->FramesShown(view), c.shown);
    const int32_t x = image->FrameToViewX(c.frame, view);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(image->ViewXToFrame(x, view), c.frame);
    const KRect rect = image->RectToView(KRect(c.frame, 0, c.frame + 1, 9), view);
    EXPECT_LE(rect.left, rect.right);
  }
  YImage empty;
  YImageView view(&empty, -1);
  EXPECT_EQ(empty.FramesShown(view), 0);
  EXPECT_EQ(empty.PixelsShown(view), 0);
  EXPECT_EQ(image->PixelsShown(view), 996);
}

TEST_F(ImageTest, RectanglesMapThroughTheCutsOnRequest) {
  QvEvent event;
  YImage* image = AddRawImage(*event.NewLeg(), 2);
  ASSERT_TRUE(image->AddCut(10, 5));
  YImageView view(image, -1);
  view.Zoom().Set(2, 1, false);
  EXPECT_EQ(image->RectToView(KRect(10, 1, 12, 3), view), KRect(20, 2, 24, 6));
  EXPECT_EQ(image->FrameToScreen(KRect(15, 1, 17, 3), view), KRect(20, 2, 24, 6));
  EXPECT_EQ(image->ScreenToFrame(KRect(20, 2, 24, 6), view), KRect(15, 1, 17, 3));
  EXPECT_EQ(image->ViewToRect(KRect(20, 2, 24, 6), view), KRect(10, 1, 12, 3));
}

namespace {

// Raw frames whose time stamp (the last four bytes, big-endian) is stamps(frame).
RawFill Stamped(std::function<uint32_t(int32_t)> stamps) {
  return [stamps](int32_t frame, int32_t byte) -> uint8_t {
    if (byte < 996) {
      return 0;
    }
    return static_cast<uint8_t>(stamps(frame) >> (8 * (999 - byte)));
  };
}

}  // namespace

TEST_F(ImageTest, TimesComeFromTheStampsAndOutOfStepOnesAreInterpolated) {
  QvEvent event;
  YImage* image = AddRawImage(*event.NewLeg(), 1, Stamped([](int32_t f) -> uint32_t {
    return f == 5 ? 9999 : f == 9 ? 0 : 1000 + 100 * static_cast<uint32_t>(f);
  }));
  image->Camera().SetParameter(4, 80, false);
  struct Case {
    int32_t frame;
    bool interpolate;
    int64_t units;  // -1: the empty time
  };
  const Case cases[] = {
      {0, false, 1000}, {0, true, 1000},  {3, true, 1300},  {5, false, 9999}, {5, true, 1500},
      {9, true, -1},    {10, true, 2000}, {15, true, 2500}, {16, false, -1},  {-1, false, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.frame);
    const YTime time = image->TimeAt(c.frame, c.interpolate);
    EXPECT_EQ(time.HasResolution() ? time.Units() : -1, c.units);
    if (time.HasResolution()) {
      EXPECT_EQ(time.Resolution(), 80);
    }
  }
  image->Camera().SetParameter(4, 0, false);
  EXPECT_FALSE(image->TimeAt(3, false).HasResolution());
}

TEST_F(ImageTest, FrameOfTimeGallopsToTheBracketingFrame) {
  QvEvent event;
  YImage* image =
      AddRawImage(*event.NewLeg(), 8,
                  Stamped([](int32_t f) -> uint32_t { return 1000 + 100 * static_cast<uint32_t>(f); }));
  image->Camera().SetParameter(4, 8, false);
  image->Camera().SetParameter(8, 400, false);  // one frame period: 200 units
  YImageView view(image, -1);
  view.Zoom().SetX(2, 1, false);
  struct Case {
    int64_t units;
    bool refine;
    int32_t x;
  };
  const Case cases[] = {
      {1000, false, 0},  {1050, false, 0},  {13699, false, 2 * 126}, {13700, false, 2 * 127},
      {1150, false, 2},  {500, false, 0},   {500, true, -1},         {99999, false, 2 * 127},
      {99999, true, -1}, {6060, true, 100}, {6099, true, 100},       {1200, false, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.units);
    EXPECT_EQ(image->FrameOfTime(YTime(c.units, 1, 8, -1), view, c.refine), c.x);
  }
}
