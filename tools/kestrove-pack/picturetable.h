#pragma once
// The table of the pictures that go into the program's framework data file: one line a picture,
//
//   kind name width height
//
// separated by blanks or tabs, '#' to the end of the line a comment, empty lines ignored. The kind is
// "bitmap" or "icon"; a name is made of ASCII letters, digits and '_' (it names the picture's source file
// too); a size is 1 to 256 pixels a side.

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

struct PictureEntry {
  enum class Kind { Bitmap, Icon };

  Kind kind = Kind::Bitmap;
  std::string name;
  int32_t width = 0;
  int32_t height = 0;
};

// The largest picture side the table and the text pixel format accept.
inline constexpr int32_t kLargestPictureSide = 256;

// The entries in the order of their lines. Throws std::runtime_error naming the line for a line that is
// not an entry as above and for a name that stands twice.
std::vector<PictureEntry> ReadPictureTable(std::istream& text);
