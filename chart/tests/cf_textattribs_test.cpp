// Text attributes and the auto-scaled font: defaults, settings that refuse non-positive values, placement
// about an anchor, and the character size for a reference region.

#include "chart/cf_textattribs.h"

#include "chart/tests/charttestbed.h"

namespace {

TEST(cf_TextAttribs, SettingsKeepTheirDefaultsAgainstNonPositiveValues) {
  cf_TextAttribs attribs;
  EXPECT_TRUE(attribs.IsCentreX() && attribs.IsCentreY());
  EXPECT_EQ(attribs.ForeColor(), bf_Black);
  EXPECT_EQ(attribs.BackColor(), bf_White);
  EXPECT_EQ(attribs.Format(), cf_String(u"%g"));
  EXPECT_EQ(attribs.face, cf_String(u"SystemVariable"));

  attribs.SetAspectPercent(-3);
  attribs.SetDivisor(0);
  attribs.SetSizePercent(8);
  attribs.SetScaleFactor(0);
  EXPECT_EQ(attribs.AspectPercent(), 45);
  EXPECT_EQ(attribs.Divisor(), 400);
  EXPECT_EQ(attribs.SizePercent(), 8);
  EXPECT_EQ(attribs.ScaleFactor(), 1.33333333);
  for (int32_t degrees : {45, 7, -90}) {
    attribs.SetAngle(degrees);
    EXPECT_EQ(attribs.Angle(), degrees);
  }
  attribs.SetLabelOptionB();
  EXPECT_EQ(attribs.LabelOptionA() * 10 + attribs.LabelOptionB(), 1);
  attribs.SetLabelOptionA();
  EXPECT_EQ(attribs.LabelOptionA() * 10 + attribs.LabelOptionB(), 10);
}

TEST(cf_TextAttribs, PlacesTheTextAboutItsAnchor) {
  struct Case {
    void (cf_TextAttribs::*horizontal)();
    void (cf_TextAttribs::*vertical)();
    cf_2DPoint topLeft;
  };
  // A 41 x 15 text anchored at (100, 50).
  const Case cases[] = {
      {&cf_TextAttribs::SetCentreX, &cf_TextAttribs::SetCentreY, {80, 43}},
      {&cf_TextAttribs::SetRight, &cf_TextAttribs::SetBottom, {59, 35}},
      {&cf_TextAttribs::SetLeft, &cf_TextAttribs::SetTop, {100, 50}},
  };
  for (const Case& c : cases) {
    cf_TextAttribs attribs;
    (attribs.*c.horizontal)();
    (attribs.*c.vertical)();
    EXPECT_EQ(attribs.Place({100, 50}, 41, 15), c.topLeft);
  }
}

TEST_F(ChartDrawTest, AutoScaledFontFollowsTheReferenceRegion) {
  // 600 x 400 pixels at 96 dpi are 9000 x 6000 twips: H = trunc(5 x 5999 x 1.33333333 / 400), W = 45 % of it.
  window.drawRegion = {0, 0, 599, 399, ZAF_PIXEL};
  cf_AutoScaleFontSpec spec;
  EXPECT_EQ(spec.LogicalFontDimension(context), cf_2DPoint(44, 99));
  EXPECT_EQ(spec.CreateFont(context).size, 99);

  window.drawRegion = {0, 0, 399, 599, ZAF_PIXEL};
  EXPECT_EQ(spec.LogicalFontDimension(context), cf_2DPoint(56, 124)) << "a tall region sizes by its width";

  spec.SetReferenceRect({0, 0, 599, 399});
  EXPECT_EQ(spec.LogicalFontDimension(context), cf_2DPoint(44, 99));
  EXPECT_EQ(spec.LogicalFontDimension(context), cf_2DPoint(44, 99)) << "the stored reference stays in pixels";

  spec.SetFont(bf_FontSpec(int8_t{3}));
  const bf_Font font(spec.CreateFont(context));
  EXPECT_EQ(font.fontIndex, 3) << "a font index is drawn with as it is";
}

}  // namespace
