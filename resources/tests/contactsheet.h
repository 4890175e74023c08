#pragma once
// A contact sheet of pictures for people to look at: each picture at its own size and enlarged three
// times, on the face colour of a button, with its name above.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct SheetPicture {
  std::string name;
  int32_t width = 0;
  int32_t height = 0;
  // One colour index a pixel, rows from the top; ZAF_TRANSPARENT_PIXEL shows the face colour.
  const uint8_t* pixels = nullptr;
};

// The red, green and blue of a colour index; false for an index without a colour.
using PaletteColour = std::function<bool(uint8_t index, uint8_t& red, uint8_t& green, uint8_t& blue)>;

// Writes the sheet as a PNG file. False when a pixel's index has no colour or the file cannot be written.
bool WriteContactSheet(const std::vector<SheetPicture>& pictures, const PaletteColour& colourOf,
                       uint8_t faceIndex, const std::string& path);
