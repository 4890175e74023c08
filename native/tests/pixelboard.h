#pragma once
// A small bitmap in a memory context for pixel tests, and a compact picture of its pixels: one string per
// row, "#" where a pixel differs from the background and "." where it does not.

#include <string>
#include <vector>

#include "native/native.h"

namespace native::test {

class PixelBoard {
 public:
  PixelBoard(int width, int height, COLORREF background = RGB(255, 255, 255), bool monochrome = false);
  ~PixelBoard();
  PixelBoard(const PixelBoard&) = delete;
  PixelBoard& operator=(const PixelBoard&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }
  std::vector<std::string> picture() const;
  std::vector<COLORREF> pixels() const;
  // The smallest rectangle holding every pixel that differs from the background; empty when none does.
  RECT inkBounds() const;

 private:
  int width_;
  int height_;
  COLORREF background_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
};

}  // namespace native::test
