// The eight 13x13 images of check boxes and radio buttons (unchecked, checked, each also pressed), shared
// by every button while at least one exists.
#include <array>
#include <cstdint>

#include "framework/core/zafbutton.h"
#include "framework/data/zafbitmapdata.h"

namespace {

constexpr int kSize = ZAF_CHECK_IMAGE_SIZE;
using Pixels = std::array<uint8_t, kSize * kSize>;

// Colour indices of the images.
constexpr uint8_t kBlack = 0;
constexpr uint8_t kLightGrey = 7;
constexpr uint8_t kDarkGrey = 8;
constexpr uint8_t kWhite = 15;
constexpr uint8_t kClear = 255;

// A run of one colour in a row: columns first..last.
struct Run {
  int row;
  int first;
  int last;
};

constexpr void Paint(Pixels& pixels, int row, int first, int last, uint8_t colour) {
  for (int column = first; column <= last; ++column) {
    pixels[row * kSize + column] = colour;
  }
}

// The interior is white, or light grey while the mouse holds the box down.
constexpr uint8_t Interior(bool pressed) {
  return pressed ? kLightGrey : kWhite;
}

constexpr Run kCheckMark[] = {{3, 9, 9}, {4, 8, 9}, {5, 3, 3}, {5, 7, 9}, {6, 3, 4},
                              {6, 6, 8}, {7, 3, 7}, {8, 4, 6}, {9, 5, 5}};
constexpr Run kDot[] = {{4, 5, 7}, {5, 4, 8}, {6, 4, 8}, {7, 4, 8}, {8, 5, 7}};

// A sunken square: dark grey and black edges at the top and left, light grey and white at the bottom and
// right.
constexpr Pixels CheckBox(bool checked, bool pressed) {
  Pixels pixels{};
  Paint(pixels, 0, 0, 11, kDarkGrey);
  Paint(pixels, 0, 12, 12, kWhite);
  Paint(pixels, 1, 0, 0, kDarkGrey);
  Paint(pixels, 1, 1, 10, kBlack);
  Paint(pixels, 1, 11, 11, kLightGrey);
  Paint(pixels, 1, 12, 12, kWhite);
  for (int row = 2; row <= 10; ++row) {
    Paint(pixels, row, 0, 0, kDarkGrey);
    Paint(pixels, row, 1, 1, kBlack);
    Paint(pixels, row, 2, 10, Interior(pressed));
    Paint(pixels, row, 11, 11, kLightGrey);
    Paint(pixels, row, 12, 12, kWhite);
  }
  Paint(pixels, 11, 0, 0, kDarkGrey);
  Paint(pixels, 11, 1, 11, kLightGrey);
  Paint(pixels, 11, 12, 12, kWhite);
  Paint(pixels, 12, 0, 12, kWhite);
  if (checked) {
    for (const Run& run : kCheckMark) {
      Paint(pixels, run.row, run.first, run.last, kBlack);
    }
  }
  return pixels;
}

// A sunken circle on a transparent square.
constexpr Pixels RadioButton(bool checked, bool pressed) {
  const uint8_t inside = Interior(pressed);
  Pixels pixels{};
  Paint(pixels, 0, 0, 12, kClear);
  Paint(pixels, 0, 4, 8, kDarkGrey);
  Paint(pixels, 1, 0, 12, kClear);
  Paint(pixels, 1, 2, 3, kDarkGrey);
  Paint(pixels, 1, 4, 8, kBlack);
  Paint(pixels, 1, 9, 10, kDarkGrey);
  Paint(pixels, 2, 0, 12, kClear);
  Paint(pixels, 2, 1, 1, kDarkGrey);
  Paint(pixels, 2, 2, 3, kBlack);
  Paint(pixels, 2, 4, 8, inside);
  Paint(pixels, 2, 9, 10, kBlack);
  Paint(pixels, 2, 11, 11, kWhite);
  for (int row : {3, 9}) {
    Paint(pixels, row, 0, 12, kClear);
    Paint(pixels, row, 1, 1, kDarkGrey);
    Paint(pixels, row, 2, 2, kBlack);
    Paint(pixels, row, 3, 9, inside);
    Paint(pixels, row, 10, 10, pressed ? inside : kLightGrey);
    Paint(pixels, row, 11, 11, kWhite);
  }
  for (int row = 4; row <= 8; ++row) {
    Paint(pixels, row, 0, 0, kDarkGrey);
    Paint(pixels, row, 1, 1, kBlack);
    Paint(pixels, row, 2, 10, inside);
    Paint(pixels, row, 11, 11, kLightGrey);
    Paint(pixels, row, 12, 12, kWhite);
  }
  Paint(pixels, 10, 0, 12, kClear);
  Paint(pixels, 10, 1, 2, kDarkGrey);
  Paint(pixels, 10, 3, 3, kLightGrey);
  Paint(pixels, 10, 4, 8, inside);
  Paint(pixels, 10, 9, 9, kLightGrey);
  Paint(pixels, 10, 10, 11, kWhite);
  Paint(pixels, 11, 0, 12, kClear);
  Paint(pixels, 11, 2, 3, kWhite);
  Paint(pixels, 11, 4, 8, kLightGrey);
  Paint(pixels, 11, 9, 10, kWhite);
  Paint(pixels, 12, 0, 12, kClear);
  Paint(pixels, 12, 4, 8, kWhite);
  if (checked) {
    for (const Run& run : kDot) {
      Paint(pixels, run.row, run.first, run.last, kBlack);
    }
  }
  return pixels;
}

// Index: checked * 2 + pressed.
constexpr Pixels kCheckBoxPixels[4] = {CheckBox(false, false), CheckBox(false, true), CheckBox(true, false),
                                       CheckBox(true, true)};
constexpr Pixels kRadioButtonPixels[4] = {RadioButton(false, false), RadioButton(false, true),
                                          RadioButton(true, false), RadioButton(true, true)};

ZafBitmapData* checkBoxImages[4] = {};
ZafBitmapData* radioButtonImages[4] = {};

int ImageIndex(bool checked, bool pressed) {
  return (checked ? 2 : 0) + (pressed ? 1 : 0);
}

ZafBitmapData* MakeImage(const Pixels& pixels) {
  ZafBitmapStruct description;
  ZafBitmapStruct::Set(description, kSize, kSize, pixels.data(), true);
  ZafBitmapData* image = ZafBitmapData::ZafBitmapDataFromStruct(description);
  // Shared by every button: no button may delete it when letting go of it.
  image->SetDestroyable(false);
  return image;
}

}  // namespace

int ZafButton::buttonCount = 0;

void ZafButton::AcquireImages() {
  if (buttonCount++ > 0) {
    return;
  }
  for (int index = 0; index < 4; ++index) {
    checkBoxImages[index] = MakeImage(kCheckBoxPixels[index]);
    radioButtonImages[index] = MakeImage(kRadioButtonPixels[index]);
  }
}

void ZafButton::ReleaseImages() {
  if (--buttonCount > 0) {
    return;
  }
  for (int index = 0; index < 4; ++index) {
    delete checkBoxImages[index];
    delete radioButtonImages[index];
    checkBoxImages[index] = nullptr;
    radioButtonImages[index] = nullptr;
  }
}

ZafBitmapData* ZafButton::CheckBoxImage(bool checked, bool pressed) {
  return checkBoxImages[ImageIndex(checked, pressed)];
}

ZafBitmapData* ZafButton::RadioButtonImage(bool checked, bool pressed) {
  return radioButtonImages[ImageIndex(checked, pressed)];
}
