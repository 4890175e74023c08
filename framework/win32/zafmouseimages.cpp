#include "framework/win32/zafmouseimages.h"

#include <cstdlib>

#include "framework/core/zafdisplay.h"
#include "framework/data/zafmousedata.h"
#include "native/native.h"

std::vector<ZafMouseImage> ZafMouseImages::rows;
int ZafMouseImages::users = 0;

namespace {

constexpr uint8_t kClear = 255;
constexpr uint8_t kBlack = 0;
constexpr uint8_t kWhite = 15;

constexpr ZafMouseImage kTable[] = {
    {DM_VIEW, native::IDC_ARROW, 10, 16, 0, 0},
    {DM_DEFAULT, native::IDC_ARROW, 10, 16, 0, 0},
    {DM_EDIT, native::IDC_IBEAM, 5, 15, 2, 6},
    {DM_WAIT, native::IDC_WAIT, 15, 27, 7, 13},
    {DM_POSITION_IMAGE, native::IDC_SIZEALL, 19, 19, 9, 9},
    {DM_LEFT_SIDE, native::IDC_SIZEWE, 16, 12, 7, 5},
    {DM_RIGHT_SIDE, native::IDC_SIZEWE, 16, 12, 7, 5},
    {DM_TOP_SIDE, native::IDC_SIZENS, 12, 16, 5, 7},
    {DM_BOTTOM_SIDE, native::IDC_SIZENS, 12, 16, 5, 7},
    {DM_TOP_LEFT_CORNER, native::IDC_SIZENWSE, 12, 12, 5, 5},
    {DM_TOP_RIGHT_CORNER, native::IDC_SIZENESW, 12, 12, 5, 5},
    {DM_BOTTOM_LEFT_CORNER, native::IDC_SIZENESW, 12, 12, 5, 5},
    {DM_BOTTOM_RIGHT_CORNER, native::IDC_SIZENWSE, 12, 12, 5, 5},
    {DM_CROSS_HAIRS, native::IDC_CROSS, 11, 11, 5, 5},
    {DM_CANCEL, {}, 20, 20, 7, 7},
    {DM_DRAG_MOVE, {}, 15, 26, 7, 7},
    {DM_DRAG_COPY, {}, 15, 26, 7, 7},
    {DM_DRAG_MOVE_MULTIPLE, {}, 19, 26, 7, 7},
    {DM_DRAG_COPY_MULTIPLE, {}, 19, 26, 7, 7},
    {DM_MOVE, {}, 16, 17, 7, 9},
    {DM_TARGET, {}, 17, 18, 9, 9},
};

// A small pixel canvas for drawing the pictures; drawing off the edge is ignored.
class PixelCanvas {
 public:
  PixelCanvas(int32_t width, int32_t height)
      : width(width), height(height), pixels(static_cast<std::size_t>(width * height), kClear) {}

  void Set(int32_t x, int32_t y, uint8_t value) {
    if (x >= 0 && x < width && y >= 0 && y < height) {
      pixels[static_cast<std::size_t>(y * width + x)] = value;
    }
  }
  // An arrow pointing up-left with its tip at (x, y): black edges, white inside.
  void Arrow(int32_t x, int32_t y) {
    constexpr int32_t kArrowRows = 9;
    for (int32_t row = 0; row < kArrowRows; ++row) {
      for (int32_t column = 0; column <= row; ++column) {
        const bool edge = column == 0 || column == row || row == kArrowRows - 1;
        Set(x + column, y + row, edge ? kBlack : kWhite);
      }
    }
  }
  // A white box with a black frame.
  void Box(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    for (int32_t y = top; y <= bottom; ++y) {
      for (int32_t x = left; x <= right; ++x) {
        Set(x, y, (x == left || x == right || y == top || y == bottom) ? kBlack : kWhite);
      }
    }
  }
  void Plus(int32_t centreX, int32_t centreY, int32_t arm) {
    for (int32_t d = -arm; d <= arm; ++d) {
      Set(centreX + d, centreY, kBlack);
      Set(centreX, centreY + d, kBlack);
    }
  }
  // A black ring around (centreX, centreY) of the given radius, two pixels thick.
  void Ring(int32_t centreX, int32_t centreY, int32_t radius) {
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < width; ++x) {
        const int32_t distance = (x - centreX) * (x - centreX) + (y - centreY) * (y - centreY);
        if (distance <= radius * radius && distance >= (radius - 2) * (radius - 2)) {
          Set(x, y, kBlack);
        }
      }
    }
  }

  int32_t width;
  int32_t height;
  std::vector<uint8_t> pixels;
};

}  // namespace

std::vector<uint8_t> ZafMouseImages::Picture(const ZafMouseImage& row) {
  if (row.standardCursor.id != 0) {
    return {};
  }
  PixelCanvas picture(row.width, row.height);
  const int32_t x = row.hotSpotX;
  const int32_t y = row.hotSpotY;
  switch (row.code) {
    case DM_CANCEL: {
      // A circle with a slash: nothing can be dropped here.
      const int32_t radius = row.width / 2 - 1;
      picture.Ring(row.width / 2, row.height / 2, radius);
      for (int32_t d = -radius + 2; d <= radius - 2; ++d) {
        picture.Set(row.width / 2 + d, row.height / 2 + d, kBlack);
        picture.Set(row.width / 2 + d + 1, row.height / 2 + d, kBlack);
      }
      break;
    }
    case DM_DRAG_MOVE:
    case DM_DRAG_COPY:
    case DM_DRAG_MOVE_MULTIPLE:
    case DM_DRAG_COPY_MULTIPLE: {
      // The arrow carrying one box (two stacked for several objects), a plus for a copy.
      const bool multiple = row.code == DM_DRAG_MOVE_MULTIPLE || row.code == DM_DRAG_COPY_MULTIPLE;
      const int32_t left = x - 4;
      const int32_t top = y + 10;
      if (multiple) {
        picture.Box(left + 4, top, left + 11 + 4, row.height - 4);
      }
      picture.Box(left, top + (multiple ? 3 : 0), left + 11, row.height - 1);
      if (row.code == DM_DRAG_COPY || row.code == DM_DRAG_COPY_MULTIPLE) {
        picture.Plus(left + 6, (top + (multiple ? 3 : 0) + row.height - 1) / 2, 2);
      }
      picture.Arrow(x, y);
      break;
    }
    case DM_MOVE:
      // Four arms from the hot spot.
      for (int32_t d = -7; d <= 7; ++d) {
        picture.Set(x + d, y, kBlack);
        picture.Set(x, y + d, kBlack);
      }
      for (int32_t d = 1; d <= 2; ++d) {
        for (int32_t side = -d; side <= d; ++side) {
          picture.Set(x - 7 + d, y + side, kBlack);
          picture.Set(x + 7 - d, y + side, kBlack);
          picture.Set(x + side, y - 7 + d, kBlack);
          picture.Set(x + side, y + 7 - d, kBlack);
        }
      }
      break;
    default:
      // A target: a ring with cross hairs through the hot spot.
      picture.Ring(x, y, 7);
      picture.Plus(x, y, 8);
      break;
  }
  return picture.pixels;
}

void ZafMouseImages::Acquire() {
  if (users++ > 0) {
    return;
  }
  rows.assign(std::begin(kTable), std::end(kTable));
  ZafDisplay* display = ZafDisplay::DisplayOfRecord();
  for (ZafMouseImage& row : rows) {
    if (row.standardCursor.id != 0) {
      row.cursor = native::LoadCursor(nullptr, row.standardCursor);
    } else if (display) {
      const std::vector<uint8_t> pixels = Picture(row);
      ZafMouseData image(row.width, row.height, pixels.data(), true);
      image.SetHotSpot(row.hotSpotX, row.hotSpotY);
      row.cursor = display->ConvertToOSMouse(&image);
    }
  }
}

void ZafMouseImages::Release() {
  if (users == 0 || --users > 0) {
    return;
  }
  for (const ZafMouseImage& row : rows) {
    if (row.standardCursor.id == 0 && row.cursor) {
      native::DestroyCursor(row.cursor);
    }
  }
  rows.clear();
}

const ZafMouseImage* ZafMouseImages::Find(int32_t code) {
  for (const ZafMouseImage& row : rows) {
    if (row.code == code) {
      return &row;
    }
  }
  return nullptr;
}
