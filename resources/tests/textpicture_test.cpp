#include "tools/kestrove-pack/textpicture.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

#include "framework/data/zafimagedata.h"
#include "tools/kestrove-pack/picturetable.h"

namespace {

constexpr uint8_t T = ZAF_TRANSPARENT_PIXEL;

// The reader's refusal of the text, or "accepted".
std::string RefusalOf(const std::string& text) {
  std::istringstream stream(text);
  try {
    ReadTextPicture(stream);
    return "accepted";
  } catch (const std::runtime_error& failure) {
    return failure.what();
  }
}

}  // namespace

TEST(TextPicture, EachCharacterNamesItsPaletteIndex) {
  const std::string characters = "kbgcrmysdBGCRMYwl";
  for (std::size_t index = 0; index < characters.size(); ++index) {
    SCOPED_TRACE(characters[index]);
    EXPECT_EQ(PixelOfCharacter(characters[index]), static_cast<int>(index));
  }
  EXPECT_EQ(PixelOfCharacter('.'), T);
  for (char other : {' ', 'a', 'K', '#', '\0'}) {
    EXPECT_EQ(PixelOfCharacter(other), -1) << static_cast<int>(other);
  }
}

TEST(TextPicture, ReadsRowsFromTheTopSkippingCommentsAndEmptyLines) {
  struct Case {
    const char* text;
    int32_t width, height;
    std::vector<uint8_t> pixels;
  } cases[] = {
      {"k.w\nRGB\n", 3, 2, {0, T, 15, 12, 10, 9}},
      {"# a comment\r\n\r\nkl\r\n", 2, 1, {0, 16}},
      {"\nB\n\nY", 1, 2, {9, 14}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::istringstream text(c.text);
    const TextPicture picture = ReadTextPicture(text);
    EXPECT_EQ(picture.width, c.width);
    EXPECT_EQ(picture.height, c.height);
    EXPECT_EQ(picture.pixels, c.pixels);
  }
}

TEST(TextPicture, RefusesRaggedUnknownEmptyAndOversizedPictures) {
  const std::string row(kLargestPictureSide, 'k');
  std::string tooTall;
  for (int32_t n = 0; n <= kLargestPictureSide; ++n) {
    tooTall += row + "\n";
  }
  struct Case {
    std::string text;
    const char* refusal;
  } cases[] = {
      {"kk\nk\n", "picture line 2: the row is 1 pixels, the first was 2"},
      {"kk\nk x\n", "picture line 2: the row is 3 pixels, the first was 2"},
      {"kkk\nkzk\n", "picture line 2: column 2 names no colour"},
      {"# nothing\n\n", "the picture has no rows"},
      {row + "k\n", "picture line 1: a row is at most 256 pixels"},
      {tooTall, "picture line 257: a picture is at most 256 rows"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.refusal);
    EXPECT_EQ(RefusalOf(c.text), c.refusal);
  }
}
