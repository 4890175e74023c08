#include "testing/zaftestdisplay.h"

#include "framework/data/zafstrlib.h"

namespace {

std::string Words(std::initializer_list<long long> values) {
  std::string text;
  for (long long value : values) {
    text += ' ' + std::to_string(value);
  }
  return text;
}

std::string RegionWords(const ZafRegionStruct& region) {
  return Words({region.left, region.top, region.right, region.bottom});
}

// The text as ASCII, which is all the tests use.
std::string Narrow(const ZafIChar* text, int32_t length) {
  std::string narrow;
  if (!text) {
    return narrow;
  }
  const int32_t count = length < 0 ? static_cast<int32_t>(ZafStrLen(text)) : length;
  for (int32_t i = 0; i < count && text[i]; ++i) {
    narrow += static_cast<char>(text[i] & 0x7F);
  }
  return narrow;
}

}  // namespace

ZafTestDisplay::ZafTestDisplay() {
  columns = 1280;
  lines = 1024;
  pixelsPerInchX = 96;
  pixelsPerInchY = 96;
  preSpace = 2;
  postSpace = 3;
  cellWidth = 8;
  cellHeight = 24;
  SetDisplayOfRecord(this);
}

void ZafTestDisplay::Record(const std::string& call) {
  calls.push_back(call);
}

void ZafTestDisplay::BeginDraw(native::HDC, native::HWND, const ZafRegionStruct& region,
                               const ZafRegionStruct&) {
  Record("BeginDraw" + RegionWords(region));
}

void ZafTestDisplay::EndDraw() {
  Record("EndDraw");
}

void ZafTestDisplay::SaveState() {
  ++savedStates;
  Record("SaveState");
}

void ZafTestDisplay::RestoreState() {
  --savedStates;
  Record("RestoreState");
}

void ZafTestDisplay::SetPalette(const ZafPaletteStruct& newPalette) {
  palette = newPalette;
  Record("SetPalette" + Words({newPalette.colorForeground, newPalette.colorBackground, newPalette.font}));
}

void ZafTestDisplay::SetFont(int32_t fontIndex) {
  palette.font = static_cast<uint8_t>(fontIndex);
  Record("SetFont" + Words({fontIndex}));
}

void ZafTestDisplay::SetForeground(int32_t colorIndex) {
  palette.colorForeground = static_cast<uint8_t>(colorIndex);
  Record("SetForeground" + Words({colorIndex}));
}

void ZafTestDisplay::SetBackground(int32_t colorIndex) {
  palette.colorBackground = static_cast<uint8_t>(colorIndex);
  Record("SetBackground" + Words({colorIndex}));
}

void ZafTestDisplay::SetLineStyle(uint8_t lineStyle) {
  palette.lineStyle = lineStyle;
  Record("SetLineStyle" + Words({lineStyle}));
}

void ZafTestDisplay::SetFillPattern(uint8_t fillPattern) {
  palette.fillPattern = fillPattern;
  Record("SetFillPattern" + Words({fillPattern}));
}

uint8_t ZafTestDisplay::SetMode(uint8_t mode) {
  const uint8_t previous = rasterMode;
  rasterMode = mode;
  Record("SetMode" + Words({mode}));
  return previous;
}

void ZafTestDisplay::SetClipRegion(const ZafRegionStruct& clip) {
  clipRegion = clip;
  Record("SetClipRegion" + RegionWords(clip));
}

void ZafTestDisplay::Text(int32_t left, int32_t top, int32_t right, int32_t bottom, const ZafIChar* text,
                          int32_t length, int32_t horizontalJustify, int32_t verticalJustify,
                          int32_t hotKeyIndex, bool fill) {
  Record("Text" + Words({left, top, right, bottom}) + " \"" + Narrow(text, length) + "\"" +
         Words({horizontalJustify, verticalJustify, hotKeyIndex, fill}));
}

void ZafTestDisplay::Text(int32_t x, int32_t y, const ZafIChar* text, int32_t length, int32_t hotKeyIndex,
                          bool fill) {
  Record("Text" + Words({x, y}) + " \"" + Narrow(text, length) + "\"" + Words({hotKeyIndex, fill}));
}

ZafRegionStruct ZafTestDisplay::TextSize(const ZafIChar* text, int32_t length) {
  const auto count = static_cast<int32_t>(Narrow(text, length).size());
  return {0, 0, count * cellWidth - 1, cellHeight - 1, ZAF_PIXEL};
}

void ZafTestDisplay::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width) {
  Record("Line" + Words({x1, y1, x2, y2, width}));
}

void ZafTestDisplay::Pixel(int32_t x, int32_t y, int32_t color, int32_t monochromeColor) {
  Record("Pixel" + Words({x, y, color, monochromeColor}));
}

void ZafTestDisplay::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t width,
                               bool fill) {
  Record("Rectangle" + Words({left, top, right, bottom, width, fill}));
}

void ZafTestDisplay::Polygon(int32_t count, const int32_t* points, int32_t width, bool fill, bool close) {
  std::string call = "Polygon" + Words({count});
  for (int32_t i = 0; points && i < count * 2; ++i) {
    call += Words({points[i]});
  }
  Record(call + Words({width, fill, close}));
}

void ZafTestDisplay::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom, float startAngle,
                             float endAngle, int32_t width, bool fill) {
  Record("Ellipse" + Words({left, top, right, bottom, static_cast<long long>(startAngle),
                            static_cast<long long>(endAngle), width, fill}));
}

void ZafTestDisplay::FocusRectangle(const ZafRegionStruct* first, const ZafRegionStruct* second) {
  Record("FocusRectangle" + (first ? RegionWords(*first) : std::string(" -")) +
         (second ? RegionWords(*second) : std::string(" -")));
}

void ZafTestDisplay::CopyArea(const ZafRegionStruct& area, int32_t x, int32_t y) {
  Record("CopyArea" + RegionWords(area) + Words({x, y}));
}

void ZafTestDisplay::DeviceIndependentBits(const ZafRegionStruct& region, int32_t width, int32_t height,
                                           const uint8_t*, int32_t bitsPerPixel) {
  Record("DeviceIndependentBits" + RegionWords(region) + Words({width, height, bitsPerPixel}));
}

native::HCURSOR ZafTestDisplay::ConvertToOSMouse(ZafMouseData*) {
  Record("ConvertToOSMouse");
  return nullptr;
}
