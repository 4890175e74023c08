#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "native/gdi/fontface.h"
#include "native/testdriver.h"
#include "native/tests/pixelboard.h"

namespace native::test {

namespace {

// Every character one unit wide, so layouts can be checked without a font.
int unitWidth(std::u16string_view text) {
  return static_cast<int>(text.size());
}

std::vector<std::u16string> linesOf(const std::vector<TextLine>& layout) {
  std::vector<std::u16string> lines;
  for (const TextLine& line : layout) {
    lines.push_back(line.text);
  }
  return lines;
}

class SelectedFont {
 public:
  SelectedFont(HDC dc, int height, int weight = 400, const char16_t* face = u"Helvetica")
      : dc_(dc),
        font_(CreateFont(height, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, face)),
        previous_(SelectObject(dc, font_)) {}
  ~SelectedFont() {
    SelectObject(dc_, previous_);
    DeleteObject(font_);
  }

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ previous_;
};

void setFaceName(LOGFONT& font, std::u16string_view name) {
  std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), u'\0');
  name.copy(font.lfFaceName, LF_FACESIZE - 1);
}

// The pixels of a word drawn at the top-left with a font that is created for it and deleted after, in a
// mapping that stretches heights by `yScale`.
std::vector<COLORREF> drawnWith(const LOGFONT& logical, int yScale) {
  PixelBoard board(120, 60);
  SetMapMode(board.dc(), MM_ANISOTROPIC);
  SetWindowExtEx(board.dc(), 1, 1, nullptr);
  SetViewportExtEx(board.dc(), 1, yScale, nullptr);
  HFONT font = CreateFontIndirect(&logical);
  HGDIOBJ previous = SelectObject(board.dc(), font);
  TextOut(board.dc(), 0, 0, u"Lane 4", 6);
  SelectObject(board.dc(), previous);
  DeleteObject(font);
  SetMapMode(board.dc(), MM_TEXT);  // pixels are read back one to one
  return board.pixels();
}

}  // namespace

TEST(Text, EachFieldOfTheFontAndTheScaleChooseTheFace) {
  TestDriver driver;
  LOGFONT base{};
  base.lfHeight = -14;
  base.lfWeight = 400;
  setFaceName(base, u"Helvetica");
  struct Case {
    const char* name;
    void (*change)(LOGFONT&);
    int yScale;
  };
  const Case cases[] = {
      {"height", [](LOGFONT& font) { font.lfHeight = -15; }, 1},
      {"weight", [](LOGFONT& font) { font.lfWeight = 700; }, 1},
      {"italic", [](LOGFONT& font) { font.lfItalic = 1; }, 1},
      {"underline", [](LOGFONT& font) { font.lfUnderline = 1; }, 1},
      {"strike-out", [](LOGFONT& font) { font.lfStrikeOut = 1; }, 1},
      {"face name", [](LOGFONT& font) { setFaceName(font, u"Courier"); }, 1},
      {"scale of the mapping", [](LOGFONT&) {}, 2},
  };
  const std::vector<COLORREF> first = drawnWith(base, 1);
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    LOGFONT changed = base;
    test.change(changed);
    EXPECT_NE(drawnWith(changed, test.yScale), first);
    EXPECT_EQ(drawnWith(base, 1), first) << "the first font draws as it did";
  }
}

TEST(Text, HeightsFollowTheSignOfTheLogicalHeight) {
  TestDriver driver;
  PixelBoard board(4, 4);
  for (int height : {11, 16, 24}) {
    SCOPED_TRACE(height);
    TEXTMETRIC character{};
    {
      SelectedFont font(board.dc(), -height);
      GetTextMetrics(board.dc(), &character);
    }
    EXPECT_NEAR(character.tmHeight - character.tmInternalLeading, height, 1)
        << "negative: the character height";
    TEXTMETRIC cell{};
    {
      SelectedFont font(board.dc(), height);
      GetTextMetrics(board.dc(), &cell);
    }
    EXPECT_NEAR(cell.tmHeight, height, 1) << "positive: the cell height";
    EXPECT_EQ(cell.tmHeight, cell.tmAscent + cell.tmDescent);
  }
}

TEST(Text, FaceNamesMapToInstalledFaces) {
  struct Case {
    const char16_t* name;
    const char* family;
  };
  const Case cases[] = {
      {u"Helvetica", "DejaVu Sans"},    {u"MS Sans Serif", "DejaVu Sans"},
      {u"Courier", "DejaVu Sans Mono"}, {u"courier new", "DejaVu Sans Mono"},
      {u"Times", "DejaVu Serif"},       {u"", "DejaVu Sans"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(FontFace::utf8(test.name));
    EXPECT_EQ(FontFace::familyFor(test.name, false), test.family);
  }
  TestDriver driver;
  PixelBoard board(4, 4);
  SelectedFont font(board.dc(), -12, 400, u"Courier");
  WCHAR face[LF_FACESIZE]{};
  EXPECT_EQ(GetTextFace(board.dc(), LF_FACESIZE, face), 7);
  EXPECT_EQ(std::u16string(face), u"Courier") << "the name asked for, as given";
  SIZE narrow{};
  SIZE wide{};
  GetTextExtentPoint32(board.dc(), u"iiii", 4, &narrow);
  GetTextExtentPoint32(board.dc(), u"MMMM", 4, &wide);
  EXPECT_EQ(narrow.cx, wide.cx) << "a fixed-pitch face";
}

TEST(Text, BoldIsHeavierAndLongerTextIsWider) {
  TestDriver driver;
  PixelBoard board(4, 4);
  SIZE normal{};
  SIZE bold{};
  {
    SelectedFont font(board.dc(), -14);
    GetTextExtentPoint32(board.dc(), u"Reaction", 8, &normal);
    SIZE half{};
    GetTextExtentPoint32(board.dc(), u"Reac", 4, &half);
    EXPECT_LT(half.cx, normal.cx);
    SIZE none{};
    EXPECT_TRUE(GetTextExtentPoint32(board.dc(), u"", 0, &none));
    EXPECT_EQ(none.cx, 0);
  }
  {
    SelectedFont font(board.dc(), -14, 700);
    GetTextExtentPoint32(board.dc(), u"Reaction", 8, &bold);
    TEXTMETRIC metrics{};
    GetTextMetrics(board.dc(), &metrics);
    EXPECT_EQ(metrics.tmWeight, 700);
  }
  EXPECT_GT(bold.cx, normal.cx);
}

TEST(Text, LayoutBreaksAtSpacesAndHandlesPrefixes) {
  struct Case {
    const char* name;
    const char16_t* text;
    UINT format;
    int width;
    std::vector<std::u16string> lines;
    int underline;  // of the first line that has one, -1 for none
  };
  const Case cases[] = {
      {"fits", u"one two", DT_WORDBREAK, 20, {u"one two"}, -1},
      {"breaks at the last space that fits", u"one two three", DT_WORDBREAK, 8, {u"one two", u"three"}, -1},
      {"a long word stays whole", u"a verylongword b", DT_WORDBREAK, 5, {u"a", u"verylongword", u"b"}, -1},
      {"line ends split", u"first\r\nsecond\nthird", 0, 100, {u"first", u"second", u"third"}, -1},
      {"single line joins", u"first\r\nsecond", DT_SINGLELINE, 100, {u"firstsecond"}, -1},
      {"prefix underlines the next character", u"&Start", DT_SINGLELINE, 100, {u"Start"}, 0},
      {"double ampersand shows one", u"R&&D &list", DT_SINGLELINE, 100, {u"R&D list"}, 4},
      {"no prefix keeps ampersands", u"R&&D", DT_SINGLELINE | DT_NOPREFIX, 100, {u"R&&D"}, -1},
      {"prefix follows its word to the next line", u"one &two", DT_WORDBREAK, 4, {u"one", u"two"}, 0},
      {"a lone ampersand at the end shows nothing", u"end&", DT_SINGLELINE, 100, {u"end"}, -1},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    std::vector<TextLine> layout = layoutText(test.text, test.format, test.width, unitWidth);
    EXPECT_EQ(linesOf(layout), test.lines);
    int underline = -1;
    for (const TextLine& line : layout) {
      if (line.underline >= 0) {
        underline = line.underline;
        break;
      }
    }
    EXPECT_EQ(underline, test.underline);
  }
}

TEST(Text, DrawTextAlignsWithinItsRectangle) {
  TestDriver driver;
  const RECT box{10, 10, 190, 70};
  struct Case {
    const char* name;
    UINT format;
    bool right;
    bool centredAcross;
    bool centredDown;
    bool bottom;
  };
  const Case cases[] = {
      {"left top", DT_SINGLELINE, false, false, false, false},
      {"centre", DT_SINGLELINE | DT_CENTER | DT_VCENTER, false, true, true, false},
      {"right bottom", DT_SINGLELINE | DT_RIGHT | DT_BOTTOM, true, false, false, true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    PixelBoard board(200, 80);
    SelectedFont font(board.dc(), -16);
    SIZE extent{};
    GetTextExtentPoint32(board.dc(), u"Lane", 4, &extent);
    RECT rect = box;
    int height = DrawText(board.dc(), u"Lane", -1, &rect, test.format);
    RECT ink = board.inkBounds();
    ASSERT_FALSE(IsRectEmpty(&ink));
    int cellLeft = test.right           ? box.right - extent.cx
                   : test.centredAcross ? box.left + (box.right - box.left - extent.cx) / 2
                                        : box.left;
    int cellTop = test.bottom        ? box.bottom - extent.cy
                  : test.centredDown ? box.top + (box.bottom - box.top - extent.cy) / 2
                                     : box.top;
    // The ink lies within the text's cell, a pixel of side bearing allowed.
    EXPECT_GE(ink.left, cellLeft - 1);
    EXPECT_LE(ink.right, cellLeft + extent.cx + 1);
    EXPECT_GE(ink.top, cellTop);
    EXPECT_LE(ink.bottom, cellTop + extent.cy);
    EXPECT_EQ(height, cellTop - box.top + extent.cy);
  }
}

// Under a mapping the text calls answer and align in logical units: measured against the same face drawn
// one to one (the mapping's vertical scale makes the font's pixel size), lengths come back divided by the
// scale of their axis, and right, centred and bottom text lands where its logical rectangle lies.
TEST(Text, MeasuresAndAlignsInLogicalUnitsUnderAMapping) {
  TestDriver driver;
  struct Case {
    const char* name;
    SIZE windowExtent;
    SIZE viewportExtent;
    int logicalHeight;
  };
  const Case cases[] = {
      {"four pixels a unit", {1, 1}, {4, 4}, -6},
      {"three across, two down", {2, 1}, {6, 2}, -8},
      {"four units a pixel", {4, 4}, {1, 1}, -64},
  };
  constexpr int kBoardWidth = 240;
  constexpr int kBoardHeight = 60;
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    const double scaleX = static_cast<double>(test.viewportExtent.cx) / test.windowExtent.cx;
    const double scaleY = static_cast<double>(test.viewportExtent.cy) / test.windowExtent.cy;
    PixelBoard reference(4, 4);
    SelectedFont deviceFont(reference.dc(), static_cast<int>(test.logicalHeight * scaleY));
    TEXTMETRIC deviceMetrics{};
    GetTextMetrics(reference.dc(), &deviceMetrics);
    SIZE deviceExtent{};
    GetTextExtentPoint32(reference.dc(), u"Lane", 4, &deviceExtent);

    const std::pair<UINT, const char*> placements[] = {{DT_RIGHT | DT_BOTTOM, "right bottom"},
                                                       {DT_CENTER | DT_VCENTER, "centre"}};
    for (const auto& [placement, placementName] : placements) {
      SCOPED_TRACE(placementName);
      PixelBoard board(kBoardWidth, kBoardHeight);
      SetMapMode(board.dc(), MM_ANISOTROPIC);
      SetWindowExtEx(board.dc(), test.windowExtent.cx, test.windowExtent.cy, nullptr);
      SetViewportExtEx(board.dc(), test.viewportExtent.cx, test.viewportExtent.cy, nullptr);
      SelectedFont font(board.dc(), test.logicalHeight);
      TEXTMETRIC metrics{};
      GetTextMetrics(board.dc(), &metrics);
      SIZE extent{};
      GetTextExtentPoint32(board.dc(), u"Lane", 4, &extent);
      EXPECT_NEAR(metrics.tmHeight, deviceMetrics.tmHeight / scaleY, 1);
      EXPECT_EQ(metrics.tmAscent + metrics.tmDescent, metrics.tmHeight);
      EXPECT_NEAR(extent.cx, deviceExtent.cx / scaleX, 1);
      EXPECT_EQ(extent.cy, metrics.tmHeight);

      // The logical rectangle of the board's middle, drawn into and read back one to one.
      RECT rect{static_cast<LONG>(20 / scaleX), static_cast<LONG>(5 / scaleY),
                static_cast<LONG>(220 / scaleX), static_cast<LONG>(55 / scaleY)};
      DrawText(board.dc(), u"Lane", -1, &rect, DT_SINGLELINE | placement);
      SetMapMode(board.dc(), MM_TEXT);
      const RECT ink = board.inkBounds();
      ASSERT_FALSE(IsRectEmpty(&ink));
      const int slackX = static_cast<int>(scaleX) + 2;  // a unit's rounding and a pixel of side bearing
      const int slackY = static_cast<int>(scaleY) + 1;
      const bool right = (placement & DT_RIGHT) != 0;
      if (right) {
        EXPECT_NEAR(ink.right, 220, slackX);
      } else {
        EXPECT_NEAR((ink.left + ink.right) / 2, 120, slackX);
      }
      // The ink lies in the text's cell: at the bottom, or centred down the rectangle.
      const int cellTop = right ? 55 - deviceMetrics.tmHeight : 30 - deviceMetrics.tmHeight / 2;
      EXPECT_GE(ink.top, cellTop - slackY);
      EXPECT_LE(ink.bottom, cellTop + deviceMetrics.tmHeight + slackY);
    }
  }
}

TEST(Text, CalcRectMeasuresWithoutDrawing) {
  TestDriver driver;
  PixelBoard board(200, 100);
  SelectedFont font(board.dc(), -12);
  TEXTMETRIC metrics{};
  GetTextMetrics(board.dc(), &metrics);
  SIZE longest{};
  GetTextExtentPoint32(board.dc(), u"false start", 11, &longest);
  RECT rect{5, 5, 90, 6};
  int height = DrawText(board.dc(), u"lane four\nfalse start", -1, &rect, DT_CALCRECT);
  EXPECT_EQ(height, 2 * metrics.tmHeight);
  EXPECT_EQ(rect.bottom - rect.top, 2 * metrics.tmHeight);
  EXPECT_EQ(rect.right - rect.left, longest.cx);
  EXPECT_TRUE(IsRectEmpty(&(const RECT&)board.inkBounds())) << "nothing drawn";
}

TEST(Text, WordBreakWrapsInsideTheWidthAndClipsUnlessTold) {
  TestDriver driver;
  PixelBoard board(200, 100);
  SelectedFont font(board.dc(), -12);
  TEXTMETRIC metrics{};
  GetTextMetrics(board.dc(), &metrics);
  RECT rect{0, 0, 60, 100};
  int height = DrawText(board.dc(), u"reaction time too short", -1, &rect, DT_WORDBREAK);
  EXPECT_GE(height, 2 * metrics.tmHeight);
  RECT ink = board.inkBounds();
  EXPECT_LE(ink.right, 60);
  PixelBoard clipped(200, 100);
  SelectedFont other(clipped.dc(), -12);
  RECT narrow{0, 0, 10, 20};
  DrawText(clipped.dc(), u"Wide text", -1, &narrow, DT_SINGLELINE);
  EXPECT_LE(clipped.inkBounds().right, 10);
  PixelBoard unclipped(200, 100);
  SelectedFont third(unclipped.dc(), -12);
  DrawText(unclipped.dc(), u"Wide text", -1, &narrow, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(unclipped.inkBounds().right, 10);
}

TEST(Text, PrefixUnderlinesItsCharacter) {
  TestDriver driver;
  PixelBoard plain(100, 30);
  PixelBoard prefixed(100, 30);
  SelectedFont plainFont(plain.dc(), -14);
  SelectedFont prefixedFont(prefixed.dc(), -14);
  TEXTMETRIC metrics{};
  GetTextMetrics(prefixed.dc(), &metrics);
  RECT rect{0, 0, 100, 30};
  DrawText(plain.dc(), u"Go on", -1, &rect, DT_SINGLELINE);
  DrawText(prefixed.dc(), u"Go &on", -1, &rect, DT_SINGLELINE);
  SIZE before{};
  SIZE through{};
  GetTextExtentPoint32(prefixed.dc(), u"Go ", 3, &before);
  GetTextExtentPoint32(prefixed.dc(), u"Go o", 4, &through);
  int y = metrics.tmAscent + 1;
  for (int x = 0; x < 100; ++x) {
    bool underlined = x >= before.cx && x < through.cx;
    EXPECT_EQ(prefixed.at(x, y) != RGB(255, 255, 255), underlined || plain.at(x, y) != RGB(255, 255, 255))
        << "at " << x;
  }
}

TEST(Text, OpaqueTextFillsItsCellWithTheBackgroundColour) {
  TestDriver driver;
  PixelBoard board(100, 30);
  SelectedFont font(board.dc(), -14);
  SetBkColor(board.dc(), RGB(0, 0, 250));
  SetBkMode(board.dc(), OPAQUE);
  TextOut(board.dc(), 10, 5, u"..", 2);
  SIZE extent{};
  GetTextExtentPoint32(board.dc(), u"..", 2, &extent);
  EXPECT_EQ(board.at(10, 5), RGB(0, 0, 250));
  EXPECT_EQ(board.at(10 + extent.cx - 1, 5 + extent.cy - 1), RGB(0, 0, 250));
  EXPECT_EQ(board.at(10 + extent.cx, 5), RGB(255, 255, 255));
  SetBkMode(board.dc(), TRANSPARENT);
  TextOut(board.dc(), 10, 5, u"..", 2);
  EXPECT_EQ(board.at(10, 5), RGB(0, 0, 250)) << "a transparent background leaves what was there";
}

TEST(Text, IconTitleFontIsALogFont) {
  TestDriver driver;
  LOGFONT font{};
  ASSERT_TRUE(SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0));
  EXPECT_LT(font.lfHeight, 0);
  EXPECT_NE(font.lfFaceName[0], 0);
  EXPECT_FALSE(SystemParametersInfo(0x1234, 0, &font, 0));
  HFONT created = CreateFontIndirect(&font);
  LOGFONT back{};
  EXPECT_EQ(GetObject(created, sizeof back, &back), static_cast<int>(sizeof back));
  EXPECT_EQ(back.lfHeight, font.lfHeight);
  DeleteObject(created);
}

// A text painted in two pieces, left and right of a clip edge (what a window uncovers is painted alone),
// gives the pixels it gives painted whole, wherever the edge cuts a glyph.
TEST(Text, TextPaintedInPiecesEqualsTextPaintedWhole) {
  TestDriver driver;
  PixelBoard whole(40, 20, RGB(192, 192, 192));
  SetBkMode(whole.dc(), TRANSPARENT);
  TextOut(whole.dc(), 2, 2, u"2 L", 3);
  for (int edge = 3; edge < 12; ++edge) {
    SCOPED_TRACE(edge);
    PixelBoard pieces(40, 20, RGB(192, 192, 192));
    SetBkMode(pieces.dc(), TRANSPARENT);
    for (const RECT& piece : {RECT{0, 0, edge, 20}, RECT{edge, 0, 40, 20}}) {
      SaveDC(pieces.dc());
      IntersectClipRect(pieces.dc(), piece.left, piece.top, piece.right, piece.bottom);
      TextOut(pieces.dc(), 2, 2, u"2 L", 3);
      RestoreDC(pieces.dc(), -1);
    }
    EXPECT_EQ(pieces.pixels(), whole.pixels());
  }
}

}  // namespace native::test
