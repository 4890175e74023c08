#include "tools/kestrove-pack/textpicture.h"

#include <stdexcept>
#include <string>
#include <string_view>

#include "framework/data/zafimagedata.h"
#include "tools/kestrove-pack/picturetable.h"

namespace {

// The characters of the colour indexes 0 to 16, in index order: the dark colours, silver, dark grey, the
// bright colours, white and light grey.
constexpr std::string_view kColourCharacters = "kbgcrmysdBGCRMYwl";
constexpr char kTransparentCharacter = '.';

[[noreturn]] void Refuse(int lineNumber, const std::string& reason) {
  throw std::runtime_error("picture line " + std::to_string(lineNumber) + ": " + reason);
}

}  // namespace

int PixelOfCharacter(char character) {
  if (character == kTransparentCharacter) {
    return ZAF_TRANSPARENT_PIXEL;
  }
  const std::size_t index = kColourCharacters.find(character);
  return index == std::string_view::npos ? -1 : static_cast<int>(index);
}

TextPicture ReadTextPicture(std::istream& text) {
  TextPicture picture;
  std::string line;
  for (int lineNumber = 1; std::getline(text, line); ++lineNumber) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (line.empty() || line.front() == '#') {
      continue;
    }
    if (line.size() > static_cast<std::size_t>(kLargestPictureSide)) {
      Refuse(lineNumber, "a row is at most " + std::to_string(kLargestPictureSide) + " pixels");
    }
    const auto length = static_cast<int32_t>(line.size());
    if (picture.height == 0) {
      picture.width = length;
    } else if (length != picture.width) {
      Refuse(lineNumber, "the row is " + std::to_string(length) + " pixels, the first was " +
                             std::to_string(picture.width));
    }
    if (picture.height == kLargestPictureSide) {
      Refuse(lineNumber, "a picture is at most " + std::to_string(kLargestPictureSide) + " rows");
    }
    for (int32_t column = 0; column < length; ++column) {
      const int pixel = PixelOfCharacter(line[static_cast<std::size_t>(column)]);
      if (pixel < 0) {
        Refuse(lineNumber, "column " + std::to_string(column + 1) + " names no colour");
      }
      picture.pixels.push_back(static_cast<uint8_t>(pixel));
    }
    ++picture.height;
  }
  if (picture.height == 0) {
    throw std::runtime_error("the picture has no rows");
  }
  return picture;
}
