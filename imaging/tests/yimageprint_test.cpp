#include <gtest/gtest.h>

#include "imaging/tests/imagetestfixture.h"
#include "imaging/yimage.h"
#include "imaging/yimageview.h"
#include "model/qvresult.h"

TEST_F(ImageTest, PrintLineValueFollowsTheColourSetting) {
  struct Case {
    const char16_t* setting;
    bool loaded;
    int32_t gray;
    int32_t colour;
  };
  const Case cases[] = {
      {nullptr, true, 0, 0},
      {u"\\Event\\Image\\Selection\\PrintLineColor:Int=1", false, 0, 0},
      {u"\\Event\\Image\\Selection\\PrintLineColor:Int=1", true, 128, 0x7C00},
      {u"\\Event\\Image\\Selection\\PrintLineColor:Int=3", true, 128, 0x03E0},
      {u"\\Event\\Image\\Selection\\PrintLineColor:Int=4", true, 0, 0},
      {u"\\Event\\Image\\Selection\\PrintLineColor:Int=-1", true, 0, 0},
  };
  QvEvent event;
  YImage* gray = AddRawImage(*event.NewLeg(), 1);
  YImage* colour = AddCodedImage(*event.NewLeg(), 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setting != nullptr ? Narrow(KString(c.setting)) : "none");
    if (c.setting != nullptr) {
      AddSetting(c.setting);
    }
    if (c.loaded) {
      YImage::LoadSettings();
    } else {
      YImage::ForgetSettings();
    }
    EXPECT_EQ(gray->PrintLineValue(), c.gray);
    EXPECT_EQ(colour->PrintLineValue(), c.colour);
  }
}

TEST_F(ImageTest, PrintRunsMarkResultsAndDrawATimeScale) {
  // Frame f is stamped 79000 + 600 f: frame 2 begins a second, frame 15 a tenth, frames 1 and 5 a
  // hundredth.
  QvEvent event;
  YLeg& leg = *event.NewLeg();
  YImage* image = AddRawImage(leg, 1, [](int32_t frame, int32_t byte) -> uint8_t {
    const uint32_t stamp = 79000 + 600 * static_cast<uint32_t>(frame);
    return byte < 996 ? 60 : static_cast<uint8_t>(stamp >> (8 * (999 - byte)));
  });
  image->Camera().SetParameter(4, 8, false);
  AddSetting(u"\\Event\\Image\\Selection\\PrintLineColor:Int=2");
  YImage::LoadSettings();
  QvResult* result = leg.Results().NewResult();
  result->SetFinishTime(YTime(79000 + 600 * 5, 1, 8, -1));
  result->SetSelected(true, image, nullptr);
  leg.Results().NewResult()->SetFinishTime(YTime(79000 + 600 * 9, 1, 8, -1));
  YImageView view(image, -1);
  ASSERT_TRUE(image->BeginPrinting(KRect(0, 0, 15, 399), nullptr, view, YImage::kPrintTimeScale));
  EXPECT_EQ(image->PrintMarks(), std::vector<int32_t>{5});
  EXPECT_EQ(image->PrintMargin(), 20);
  struct Case {
    int32_t x;
    int32_t tick;
  };
  for (const Case& c : {Case{0, 0}, Case{1, 5}, Case{2, 20}, Case{4, 0}, Case{15, 10}}) {
    EXPECT_EQ(image->PrintLineAt(view, c.x), c.tick) << c.x;
  }
  std::optional<YBitmapPiece> piece = image->GetBitmap(KRect(0, 0, 15, 995), view, YBitmapOptions::kDepth8);
  ASSERT_TRUE(piece);
  auto at = [&](int32_t x, int32_t y) { return piece->pixels[static_cast<size_t>(y * piece->stride + x)]; };
  struct Pixel {
    int32_t x;
    int32_t y;
    int32_t value;
  };
  const Pixel pixels[] = {
      {0, 0, 255},  {0, 19, 255}, {0, 20, 60},   {0, 976, 255}, {1, 14, 255}, {1, 15, 0},
      {1, 975, 60}, {1, 976, 0},  {1, 980, 0},   {1, 981, 255}, {2, 0, 0},    {2, 995, 0},
      {5, 19, 0},   {5, 20, 255}, {5, 500, 255}, {5, 975, 255}, {9, 500, 60}, {4, 500, 60},
  };
  for (const Pixel& p : pixels) {
    EXPECT_EQ(at(p.x, p.y), p.value) << p.x << "," << p.y;
  }
  image->EndPrinting();
  EXPECT_FALSE(image->IsPrinting());
  EXPECT_EQ(image->GetBitmap(KRect(0, 0, 0, 0), view, YBitmapOptions::kDepth8)->pixels[0], 60);
}
