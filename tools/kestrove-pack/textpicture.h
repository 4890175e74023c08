#pragma once
// A picture in the program's text pixel format: each line is one row of pixels, from the top; each
// character is one pixel and names a colour of the program's palette by its index, or is '.' for a
// transparent pixel. Lines beginning with '#' are comments and empty lines are skipped. Every row has the
// same length, at most kLargestPictureSide characters, and there are at most that many rows.
//
//   k black      b navy        g dark green   c teal          r maroon    m purple    y olive
//   s silver     d dark grey   B blue         G green         C cyan      R red       M magenta
//   Y yellow     w white       l light grey   . transparent

#include <cstdint>
#include <istream>
#include <vector>

struct TextPicture {
  int32_t width = 0;
  int32_t height = 0;
  // One colour index a pixel, rows from the top; ZAF_TRANSPARENT_PIXEL where the background shows.
  std::vector<uint8_t> pixels;
};

// The colour index (0-16) or transparent pixel value that a character names; -1 for any other character.
int PixelOfCharacter(char character);

// Throws std::runtime_error naming the line for an unknown character, a row of another length, a row or a
// picture that is too large, and a text without rows.
TextPicture ReadTextPicture(std::istream& text);
