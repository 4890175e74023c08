#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "native/gdi/fontface.h"
#include "native/gdi/textcoverage.h"

namespace native::test {

namespace {

LOGFONT fontOf(LONG height, LONG weight) {
  LOGFONT font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  std::u16string_view name = u"Helvetica";
  std::copy(name.begin(), name.end(), std::begin(font.lfFaceName));
  return font;
}

}  // namespace

// A face's kept lines must equal fresh fills after it has served other texts, mask areas and smoothing, and
// each face keeps its own.
TEST(TextCoverage, KeptLinesEqualFreshFills) {
  const FontFace regular(fontOf(-14, 400));
  const FontFace bold(fontOf(-14, 700));
  const RECT wide{-14, -1, 80, 19};
  const RECT clipped{0, 0, 30, 12};
  struct Case {
    const char* name;
    const FontFace* face;
    std::u16string text;
    RECT area;
    bool smooth;
  };
  const Case cases[] = {
      {"first line", &regular, u"Lane 4", wide, true},    {"other text", &regular, u"Lane 5", wide, true},
      {"other area", &regular, u"Lane 4", clipped, true}, {"unsmoothed", &regular, u"Lane 4", wide, false},
      {"other face", &bold, u"Lane 4", wide, true},
  };
  for (const Case& kept : cases) {
    kept.face->coverage(kept.text, kept.area, kept.smooth);
  }
  for (const Case& reused : cases) {
    SCOPED_TRACE(reused.name);
    const LineCoverage& line = reused.face->coverage(reused.text, reused.area, reused.smooth);
    TextCoverage fresh;
    const LineCoverage& expected = fresh.line(*reused.face, reused.text, reused.area, reused.smooth);
    ASSERT_FALSE(expected.bytes.empty());
    EXPECT_EQ(line.box.left, expected.box.left);
    EXPECT_EQ(line.box.top, expected.box.top);
    EXPECT_EQ(line.box.right, expected.box.right);
    EXPECT_EQ(line.box.bottom, expected.box.bottom);
    EXPECT_EQ(line.width, expected.width);
    EXPECT_EQ(line.bytes, expected.bytes);
  }
}

}  // namespace native::test
