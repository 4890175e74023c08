#include "framework/core/zafpagemodel.h"

#include <algorithm>

void ZafPageModel::SetResolution(int32_t perInchX, int32_t perInchY) {
  perInchX = perInchX > 0 ? perInchX : kDefaultPixelsPerInch;
  perInchY = perInchY > 0 ? perInchY : kDefaultPixelsPerInch;
  if (paperWidth > 0 && perInchX == pixelsPerInchX && perInchY == pixelsPerInchY) {
    return;
  }
  pixelsPerInchX = perInchX;
  pixelsPerInchY = perInchY;
  paperWidth = kDefaultWidthThousandths * pixelsPerInchX / 1000;
  paperLength = kDefaultLengthThousandths * pixelsPerInchY / 1000;
  leftMargin = rightMargin = kDefaultMarginThousandths * pixelsPerInchX / 1000;
  topMargin = bottomMargin = kDefaultMarginThousandths * pixelsPerInchY / 1000;
}

void ZafPageModel::SetPaperTenths(int32_t widthTenths, int32_t lengthTenths) {
  if (widthTenths > 0) {
    paperWidth = PixelsFromTenthsX(widthTenths);
  }
  if (lengthTenths > 0) {
    paperLength = PixelsFromTenthsY(lengthTenths);
  }
}

int32_t ZafPageModel::TenthsFromPixelsX(int32_t pixels) const { return pixels * 254 / pixelsPerInchX; }

int32_t ZafPageModel::TenthsFromPixelsY(int32_t pixels) const { return pixels * 254 / pixelsPerInchY; }

void ZafPageModel::SetPageWidth(int32_t width) { (landscape ? paperLength : paperWidth) = std::max(0, width); }

void ZafPageModel::SetPageHeight(int32_t height) {
  (landscape ? paperWidth : paperLength) = std::max(0, height);
}

int32_t ZafPageModel::PrintableWidth() const { return std::max(0, PageWidth() - leftMargin - rightMargin); }

int32_t ZafPageModel::PrintableHeight() const {
  return std::max(0, PageHeight() - topMargin - bottomMargin);
}

void ZafPageModel::SetPrintableWidth(int32_t width) { rightMargin = std::max(0, PageWidth() - leftMargin - width); }

void ZafPageModel::SetPrintableHeight(int32_t height) {
  bottomMargin = std::max(0, PageHeight() - topMargin - height);
}

void ZafPageModel::SetMargins(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  leftMargin = std::max(0, left);
  topMargin = std::max(0, top);
  rightMargin = std::max(0, right);
  bottomMargin = std::max(0, bottom);
}
