#include <gtest/gtest.h>

#include <array>
#include <climits>

#include "imaging/tests/imagetestfixture.h"
#include "imaging/yimage.h"
#include "imaging/yimagereporter.h"
#include "imaging/yimageview.h"
#include "imaging/yscale.h"

namespace {

uint16_t Mixed(int32_t f, int32_t p) {
  return Rgb((3 * f + p) % 32, (f + 2 * p) % 32, (5 * f + p) % 32);
}

// The stored pixel of view row y at zoom 256/1.
int32_t PixelOfRow(int32_t y) {
  return static_cast<int32_t>(std::min<int64_t>(YScale::Nearest(y, 1, 256), kPixels - 1));
}

class RecordingReporter : public YImageReporter {
 public:
  void StatusText(const KString& text) override { texts.push_back(Narrow(text)); }
  void Progress(int32_t percent) override { progress.push_back(percent); }
  bool BreakPressed() override { return breakAfter >= 0 && --breakAfter < 0; }
  void Message(const KString& text) override { messages.push_back(Narrow(text)); }
  std::vector<std::string> texts;
  std::vector<int32_t> progress;
  std::vector<std::string> messages;
  int32_t breakAfter = -1;
};

}  // namespace

TEST_F(ImageTest, EnhanceAndWhiteBalanceCountIn64Bits) {
  struct Case {
    const char* name;
    uint16_t (*paint)(int32_t, int32_t);
    KRect rect;
  };
  const Case cases[] = {
      {"300,000 full red", [](int32_t, int32_t) { return Rgb(31, 0, 0); }, KRect(0, 0, 599, 499)},
      {"8,000,000 mixed", Mixed, KRect(0, 0, 1999, 3999)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QvEvent event;
    YImage* image = AddPaintedImage(*event.NewLeg(), 24, c.paint);
    YImageView view(image, -1);
    view.Zoom().Set(256, 1, false);
    std::array<int64_t, 94> histogram{};
    std::array<int64_t, 3> sums{};
    // Frame f fills view columns 256 f to 256 f + 255.
    for (int32_t f = c.rect.left / 256; f <= c.rect.right / 256; ++f) {
      const int64_t columns = std::min(c.rect.right, 256 * f + 255) - std::max(c.rect.left, 256 * f) + 1;
      for (int32_t y = c.rect.top; y <= c.rect.bottom; ++y) {
        const uint16_t pixel = c.paint(f, PixelOfRow(y));
        const std::array<int64_t, 3> channel{pixel >> 10 & 31, pixel >> 5 & 31, pixel & 31};
        histogram[static_cast<size_t>(channel[0] + channel[1] + channel[2])] += columns;
        for (size_t i = 0; i < 3; ++i) {
          sums[i] += channel[i] * columns;
        }
      }
    }
    const int64_t count = c.rect.Area();
    image->Enhance(c.rect, view);
    EXPECT_NE(image->Flags() & YImage::kEnhancedTables, 0u);
    int64_t running = histogram[0];
    for (int32_t i = 1; i <= 92; ++i) {
      running += histogram[static_cast<size_t>(i)];
      ASSERT_EQ(image->DisplayEntry(i), (running * 93 + count / 2) / count) << i;
    }
    std::array<int64_t, 3> averages{};
    for (size_t i = 0; i < 3; ++i) {
      averages[i] = sums[i] * 255 / (count * 31);
    }
    const int64_t most = *std::max_element(averages.begin(), averages.end());
    int64_t mostChannel = 0;
    for (int64_t average : averages) {
      mostChannel = std::max(mostChannel, 255 * average / most);
    }
    image->WhiteBalance(c.rect, view);
    for (size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(image->Camera().Parameter(19 + static_cast<int32_t>(i)),
                255 - (255 * averages[i] / most) * 255 / mostChannel)
          << i;
    }
  }
}

TEST_F(ImageTest, AdjustmentsIgnoreRectanglesOfNoOrTooManyPixels) {
  QvEvent event;
  YImage* image = AddPaintedImage(*event.NewLeg(), 24, Mixed);
  image->BuildColourTables();
  YImageView view(image, -1);
  view.Zoom().Set(256, 1, false);
  // 8,000,001 pixels; none; 2^32 + 65536 pixels, which 32 bits would take for 65536.
  for (const KRect& rect : {KRect(0, 0, 0, 8000000), KRect(5, 5, 4, 9), KRect(0, 0, 65535, 65536)}) {
    SCOPED_TRACE(rect.Area());
    image->Enhance(rect, view);
    image->WhiteBalance(rect, view);
    EXPECT_EQ(image->Flags() & YImage::kEnhancedTables, 0u);
    EXPECT_EQ(image->DisplayEntry(40), 40);
    EXPECT_EQ(image->Camera().Parameter(19), 0);
  }
  // A rectangle wholly outside the image counts no pixel and changes nothing but the mark.
  image->WhiteBalance(KRect(7000, 0, 7010, 10), view);
  EXPECT_EQ(image->Camera().Parameter(20), 0);
}

TEST_F(ImageTest, ChannelStatsShowTheFractionsOfEmptyChannels) {
  QvEvent event;
  YImage* image = AddPaintedImage(
      *event.NewLeg(), 4, [](int32_t f, int32_t p) { return Rgb(f == 0 ? 0 : 5, p < 10 ? 0 : 7, 9); });
  RecordingReporter reporter;
  YImageReporter::Connect(&reporter);
  YImageView view(image, -1);
  image->ChannelStats(view);
  YImageReporter::Connect(nullptr);
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0], "R 0.2500 G 0.2500 B 0.0000");
  YImage empty;
  empty.ChannelStats(view);
}
