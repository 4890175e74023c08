#include "native/tests/pixelboard.h"

namespace native::test {

PixelBoard::PixelBoard(int width, int height, COLORREF background, bool monochrome)
    : width_(width),
      height_(height),
      background_(background),
      dc_(CreateCompatibleDC(nullptr)),
      bitmap_(CreateBitmap(width, height, 1, monochrome ? 1 : 32, nullptr)),
      previous_(SelectObject(dc_, bitmap_)) {
  HBRUSH brush = CreateSolidBrush(background);
  RECT all{0, 0, width, height};
  FillRect(dc_, &all, brush);
  DeleteObject(brush);
}

PixelBoard::~PixelBoard() {
  SelectObject(dc_, previous_);
  DeleteDC(dc_);
  DeleteObject(bitmap_);
}

std::vector<std::string> PixelBoard::picture() const {
  std::vector<std::string> rows;
  for (int y = 0; y < height_; ++y) {
    std::string row;
    for (int x = 0; x < width_; ++x) {
      row.push_back(at(x, y) == background_ ? '.' : '#');
    }
    rows.push_back(row);
  }
  return rows;
}

std::vector<COLORREF> PixelBoard::pixels() const {
  std::vector<COLORREF> all;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      all.push_back(at(x, y));
    }
  }
  return all;
}

RECT PixelBoard::inkBounds() const {
  RECT box{};
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      if (at(x, y) != background_) {
        RECT pixel{x, y, x + 1, y + 1};
        UnionRect(&box, &box, &pixel);
      }
    }
  }
  return box;
}

}  // namespace native::test
