#include "toolkit/kzwindowobjectleech.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "framework/core/zafdisplay.h"
#include "native/gdi/drawapi.h"
#include "native/user/windowpos.h"
#include "testing/zaftestdisplay.h"
#include "toolkit/kzfonttable.h"
#include "toolkit/kzwindow.h"
#include "toolkit/tests/kztestbed.h"

namespace {

// A control of the toolkit: a framework object with the mix-in.
class Control : public ZafWindowObject, public KZWindowObjectLeech {
 public:
  Control(int32_t left, int32_t top) : ZafWindowObject(left, top, 40, 20), KZWindowObjectLeech(this) {
    SetCoordinateType(ZAF_PIXEL);
  }
  using KZWindowObjectLeech::DrawBackground;
  using KZWindowObjectLeech::DrawShadow;
  using KZWindowObjectLeech::Redisplay;
};

// Records the drawing calls and counts the measurements and the units measured; every character is 5
// pixels wide, a pair of surrogates 10, a combining accent 0, and a cell 4 pixels. A surrogate without its
// other half is `loneSurrogateWidth` wide, as a replacement mark.
class NarrowCellDisplay : public ZafTestDisplay {
 public:
  NarrowCellDisplay() { cellWidth = 4; }
  ZafRegionStruct TextSize(const ZafIChar* text, int32_t length) override {
    ++measurements;
    const auto count = static_cast<int32_t>(length < 0 ? std::char_traits<ZafIChar>::length(text) : length);
    unitsMeasured += count;
    int32_t width = 0;
    for (int32_t index = 0; index < count; ++index) {
      const char16_t unit = text[index];
      if (unit >= 0xD800 && unit <= 0xDBFF && index + 1 < count && text[index + 1] >= 0xDC00 &&
          text[index + 1] <= 0xDFFF) {
        width += 10;
        ++index;
      } else if (unit >= 0xD800 && unit <= 0xDFFF) {
        width += loneSurrogateWidth;
      } else if (unit < 0x300 || unit > 0x36F) {
        width += 5;
      }
    }
    return {0, 0, width - 1, 9, ZAF_PIXEL};
  }
  int32_t measurements = 0;
  int64_t unitsMeasured = 0;
  int32_t loneSurrogateWidth = 5;
};

class KZWindowObjectLeechTest : public KZFrameworkTest {
 protected:
  KZWindowObjectLeechTest() {
    window = new KZWindow(20, 30, 200, 100);
    window->SetCoordinateType(ZAF_PIXEL);
    control = static_cast<Control*>(window->Add(new Control(10, 5)));
    Show(window);
  }

  // Draws with a display that records the calls and measures characters 5 pixels wide; counts its
  // measurements into `measurements` and the units measured into `units` when given.
  template <typename Draw>
  std::vector<std::string> Recorded(Draw draw, int32_t* measurements = nullptr, int64_t* units = nullptr,
                                    int32_t loneSurrogateWidth = 5) {
    ZafDisplay* screen = ZafWindowObject::display;
    NarrowCellDisplay recorder;
    recorder.loneSurrogateWidth = loneSurrogateWidth;
    ZafWindowObject::display = &recorder;
    draw();
    ZafWindowObject::display = screen;
    ZafDisplay::SetDisplayOfRecord(screen);
    if (measurements) {
      *measurements = recorder.measurements;
    }
    if (units) {
      *units = recorder.unitsMeasured;
    }
    return recorder.calls;
  }

  KZWindow* window = nullptr;
  Control* control = nullptr;
};

}  // namespace

TEST_F(KZWindowObjectLeechTest, ConversionsFollowTheDrawingAndTheScreen) {
  const ZafRegionStruct draw = control->ConvertToDrawRegion();
  EXPECT_EQ(control->ToDrawPoint({1, 2}), KPoint(draw.left + 1, draw.top + 2));
  EXPECT_EQ(control->FromDrawPoint(control->ToDrawPoint({7, 9})), KPoint(7, 9));
  EXPECT_EQ(control->ToParentRect({0, 0, 3, 3}), KRect(10, 5, 13, 8));
  EXPECT_EQ(control->FromParentPoint({10, 5}), KPoint(0, 0));
  // Far coordinates are held to the limit on the way to the drawing.
  EXPECT_EQ(control->ToDrawRect({-40000, 0, 40000, 50000}), KRect(-30000, draw.top, 30000, 30000));
  native::POINT corner{draw.left, draw.top};
  native::ClientToScreen(control->ScreenID(), &corner);
  EXPECT_EQ(control->ToScreenPoint({0, 0}), KPoint(corner.x, corner.y));
  EXPECT_EQ(control->FromScreenRect(control->ToScreenRect({1, 2, 3, 4})), KRect(1, 2, 3, 4));
  EXPECT_EQ(control->LocalRegion(), KRect(0, 0, 39, 19));
}

TEST_F(KZWindowObjectLeechTest, TextIsMeasuredInCellsRoundedUp) {
  struct Case {
    const char16_t* text;
    int32_t cells;
  } cases[] = {{u"", 0}, {u"a", 2}, {u"abcd", 5}, {u"abc", 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::char_traits<char16_t>::length(c.text));
    int32_t cells = -1;
    Recorded([&] { cells = control->CharWidthUnits(c.text); });
    EXPECT_EQ(cells, c.cells);
  }
}

TEST_F(KZWindowObjectLeechTest, FittedTextDropsCharactersFromTheEnd) {
  using namespace std::string_view_literals;
  // A document sets no length on a name.
  const std::u16string longName(100000, u'n');
  const std::u16string accents = u"a" + std::u16string(1000000, u'\u0301');
  std::u16string tenSpirals;
  for (int count = 0; count < 10; ++count) {
    tenSpirals += u"\U0001F300";
  }
  constexpr int32_t kMeasuredAsAMark = 20;  // a half pair, measured as a replacement mark
  constexpr int32_t kMeasuredAsNothing = 0;
  struct Case {
    const char16_t* text;
    int32_t width;
    std::string_view drawn;  // the recorded text, each unit cut to 7 bits; empty: nothing drawn
    int32_t mostMeasurements = 4;
    int64_t mostUnitsMeasured = 1000000;
    int32_t loneSurrogateWidth = 5;
  } cases[] = {{u"abc", 4, ""},
               {u"abc", 5, "\"a\""},
               {u"abc", 14, "\"ab\""},
               {u"abc", 100, "\"abc\""},
               {longName.c_str(), 14, "\"nn\"", 8},
               {accents.c_str(), 14, "\"a\x01\x01", 2 * 20 + 4, 1000},
               {u"\U0001F300\U0001F300\U0001F300", 12, "\"<\0\""sv, 8, 1000, kMeasuredAsNothing},
               {tenSpirals.c_str(), 12, "\"<\0\""sv, 8, 1000, kMeasuredAsAMark}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::char_traits<char16_t>::length(c.text) << " in " << c.width);
    int32_t measurements = 0;
    int64_t unitsMeasured = 0;
    const std::vector<std::string> calls = Recorded(
        [&] {
          control->DrawTextFitted({0, 0, c.width - 1, 9}, c.text, 0, 0, false);
        },
        &measurements, &unitsMeasured, c.loneSurrogateWidth);
    EXPECT_LE(measurements, c.mostMeasurements);
    EXPECT_LE(unitsMeasured, c.mostUnitsMeasured);
    std::vector<std::string> texts;
    for (const std::string& call : calls) {
      if (call.rfind("Text", 0) == 0) {
        texts.push_back(call);
      }
    }
    if (c.drawn.empty()) {
      EXPECT_TRUE(texts.empty());
    } else {
      ASSERT_EQ(texts.size(), 1u);
      EXPECT_NE(texts[0].find(c.drawn), std::string::npos) << texts[0];
    }
  }
}

TEST_F(KZWindowObjectLeechTest, FontTableHoldsTheDisplayFonts) {
  KZFontTable::InitFonts();
  EXPECT_GT(KZWindowObjectLeech::FontHeight(0), 0);
  ASSERT_NE(KZWindowObjectLeech::FontFaceName(0), nullptr);
  EXPECT_GT(std::string(KZWindowObjectLeech::FontFaceName(0)).size(), 0u);
  EXPECT_EQ(control->ObjectFontHeight(), KZWindowObjectLeech::FontHeight(control->TextFont()));
  for (int32_t index : {-1, 9, 10}) {
    SCOPED_TRACE(index);
    EXPECT_EQ(KZWindowObjectLeech::FontHeight(index), 0);
    EXPECT_EQ(KZWindowObjectLeech::FontFaceName(index), nullptr);
  }
  KZFontTable::ExitFonts();
  EXPECT_EQ(KZWindowObjectLeech::FontHeight(0), 0);
}

TEST_F(KZWindowObjectLeechTest, BitsHonourTheRowStrideAndTheTransparentColour) {
  constexpr native::COLORREF kWhite = native::RGB(255, 255, 255);
  constexpr native::COLORREF kRed = native::RGB(255, 0, 0);
  constexpr native::COLORREF kBlue = native::RGB(0, 0, 255);
  // 2 x 2 pictures: red, blue / blue, red. 24-bit rows of 6 bytes (no padding) or 8; 15-bit rows of 4.
  const uint8_t tight24[] = {0, 0, 255, 255, 0, 0, 255, 0, 0, 0, 0, 255};
  const uint8_t padded24[] = {0, 0, 255, 255, 0, 0, 9, 9, 255, 0, 0, 0, 0, 255, 9, 9};
  const uint8_t rows15[] = {0x00, 0x7C, 0x1F, 0x00, 0x1F, 0x00, 0x00, 0x7C};
  struct Case {
    const char* name;
    const uint8_t* bits;
    int32_t bitsPerPixel;
    int32_t stride;
    int32_t transparent;
    native::COLORREF topLeft, bottomLeft, bottomRight;
  } cases[] = {
      {"tight 24", tight24, 24, 6, -1, kRed, kBlue, kRed},
      {"padded 24", padded24, 24, 8, -1, kRed, kBlue, kRed},
      {"15 bits", rows15, 15, 4, -1, kRed, kBlue, kRed},
      {"transparent red", tight24, 24, 6, 0x0000FF, kWhite, kBlue, kWhite},
      {"15 bits with a transparent colour", rows15, 15, 4, 0x0000FF, kWhite, kWhite, kWhite},
      {"8 bits", tight24, 8, 6, -1, kWhite, kWhite, kWhite},
      {"stride shorter than a row", tight24, 24, 5, -1, kWhite, kWhite, kWhite},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    control->BeginDraw();
    ZafDisplay* display = ZafWindowObject::display;
    display->SetBackground(15);
    control->DrawRectangle({0, 0, 9, 9}, 0, true);
    control->DrawBits({2, 3, 3, 4}, c.bits, c.bitsPerPixel, c.stride, c.transparent);
    const KPoint at = control->ToDrawPoint({2, 3});
    const native::HDC dc = display->DeviceContext();
    EXPECT_EQ(native::GetPixel(dc, at.x, at.y), c.topLeft);
    EXPECT_EQ(native::GetPixel(dc, at.x, at.y + 1), c.bottomLeft);
    EXPECT_EQ(native::GetPixel(dc, at.x + 1, at.y + 1), c.bottomRight);
    control->EndDraw();
  }
}
