// The shared pictures of menu entries that a menu drawing its own entries uses: the check mark and the
// cascade arrow, each in black and in white for the highlighted entry.
#include <array>
#include <cstdint>

#include "framework/core/zafpopupitem.h"
#include "framework/data/zafbitmapdata.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafi18ndata.h"

namespace {

constexpr uint8_t kTransparent = 255;
constexpr uint8_t kBlack = 0;
constexpr uint8_t kWhite = 15;

constexpr int32_t kCheckWidth = 9;
constexpr int32_t kCheckHeight = 10;
constexpr int32_t kArrowWidth = 5;
constexpr int32_t kArrowHeight = 9;

// The columns the check mark covers on each row, from the top: first and last of up to two runs.
struct CheckRow {
  int8_t firstStart, firstEnd, secondStart, secondEnd;
};
constexpr CheckRow kCheckRows[kCheckHeight] = {
    {8, 8, -1, -1}, {8, 8, -1, -1}, {7, 8, -1, -1}, {7, 7, -1, -1}, {6, 7, -1, -1},
    {1, 1, 6, 6},   {0, 2, 5, 6},   {2, 3, 5, 5},   {3, 5, -1, -1}, {4, 4, -1, -1},
};

using CheckPixels = std::array<uint8_t, kCheckWidth * kCheckHeight>;
using ArrowPixels = std::array<uint8_t, kArrowWidth * kArrowHeight>;

constexpr CheckPixels MakeCheck(uint8_t color) {
  CheckPixels pixels{};
  for (int32_t row = 0; row < kCheckHeight; ++row) {
    const CheckRow& runs = kCheckRows[row];
    for (int32_t column = 0; column < kCheckWidth; ++column) {
      const bool inFirst = column >= runs.firstStart && column <= runs.firstEnd;
      const bool inSecond = column >= runs.secondStart && column <= runs.secondEnd;
      pixels[row * kCheckWidth + column] = (inFirst || inSecond) ? color : kTransparent;
    }
  }
  return pixels;
}

// A solid triangle pointing right: full height at column 0, its tip at row 4, column 4.
constexpr ArrowPixels MakeArrow(uint8_t color) {
  ArrowPixels pixels{};
  const int32_t tipRow = kArrowHeight / 2;
  for (int32_t row = 0; row < kArrowHeight; ++row) {
    const int32_t reach = row <= tipRow ? row : kArrowHeight - 1 - row;
    for (int32_t column = 0; column < kArrowWidth; ++column) {
      pixels[row * kArrowWidth + column] = column <= reach ? color : kTransparent;
    }
  }
  return pixels;
}

constexpr CheckPixels kCheck = MakeCheck(kBlack);
constexpr CheckPixels kCheckCurrent = MakeCheck(kWhite);
constexpr ArrowPixels kArrow = MakeArrow(kBlack);
constexpr ArrowPixels kArrowCurrent = MakeArrow(kWhite);

struct Images {
  ZafBitmapData* check = nullptr;
  ZafBitmapData* checkCurrent = nullptr;
  ZafBitmapData* arrow = nullptr;
  ZafBitmapData* arrowCurrent = nullptr;
};
Images images;

ZafBitmapData* MakeImage(const ZafIChar* name, int32_t width, int32_t height, const uint8_t* pixels) {
  ZafBitmapStruct description;
  ZafBitmapStruct::Set(description, width, height, pixels, true);
  ZafBitmapData* image = ZafBitmapData::ZafBitmapDataFromStruct(description);
  image->SetStringID(name);
  // Shared by every entry: no entry may delete it when it lets go of it.
  image->SetDestroyable(false);
  return image;
}

}  // namespace

void ZafPopUpItem::MakeImages() {
  if (images.check) {
    return;
  }
  images.check = MakeImage(u"popupCheck", kCheckWidth, kCheckHeight, kCheck.data());
  images.checkCurrent = MakeImage(u"popupCheckCurrent", kCheckWidth, kCheckHeight, kCheckCurrent.data());
  images.arrow = MakeImage(u"popupArrow", kArrowWidth, kArrowHeight, kArrow.data());
  images.arrowCurrent = MakeImage(u"popupArrowCurrent", kArrowWidth, kArrowHeight, kArrowCurrent.data());
  ZafI18nData::RegisterStaticData(&ZafPopUpItem::DestroyImages, &ZafPopUpItem::MakeImages,
                                  ID_ZAF_POP_UP_ITEM);
}

void ZafPopUpItem::DestroyImages() {
  for (ZafBitmapData** image : {&images.check, &images.checkCurrent, &images.arrow, &images.arrowCurrent}) {
    delete *image;
    *image = nullptr;
  }
}

ZafBitmapData* ZafPopUpItem::CheckImage(bool current) {
  return current ? images.checkCurrent : images.check;
}

ZafBitmapData* ZafPopUpItem::ArrowImage(bool current) {
  return current ? images.arrowCurrent : images.arrow;
}
