#include "chart/bf_display.h"

#include <cmath>
#include <limits>

#include "framework/core/zafdisplay.h"
#include "framework/core/zafwindowobject.h"

namespace {

constexpr double kPi = 3.141592653;
constexpr double kTwoPi = 6.283185307;
constexpr double kDegreesPerRadian = 57.29577951;
constexpr double kAngleEpsilon = 0.001;
// The display's colour for "the default colour" in both colour and monochrome.
constexpr int32_t kDefaultColor = -3;

int32_t DisplayWidth(uint32_t width) {
  return static_cast<int32_t>(std::min<uint32_t>(width, std::numeric_limits<int32_t>::max()));
}

}  // namespace

bf_Display::bf_Display(ZafDisplay& drawOn, ZafWindowObject* drawnWindow)
    : display(drawOn), window(drawnWindow) {
  PushPenObject(bf_Pen(bf_Black, 0, 1));
  PushBrushObject(bf_Brush(bf_White, 0));
  lineWidth = 1;
  PushFont(bf_Font(display.palette.font));
}

bf_Display::~bf_Display() {
  if (std::optional<bf_Font> font = PopFont(); font && font->fontIndex != bf_Font::kNoIndex) {
    display.SetFont(font->fontIndex);
  }
  PopPen();
  PopBrush();
}

void bf_Display::SelectPen(const bf_Pen& pen) {
  display.SetForeground(pen.color);
  display.SetLineStyle(static_cast<uint8_t>(pen.style & 0xFF));
  lineWidth = pen.width;
}

void bf_Display::SelectBrush(const bf_Brush& brush) {
  display.SetBackground(brush.color);
  display.SetFillPattern(static_cast<uint8_t>(brush.style & 0xFF));
}

template <typename Attribute>
std::optional<Attribute> bf_Display::Pop(std::vector<Attribute>& stack,
                                         void (bf_Display::*select)(const Attribute&)) {
  if (stack.empty()) {
    return std::nullopt;
  }
  std::optional<Attribute> popped = std::move(stack.back());
  stack.pop_back();
  if (select && !stack.empty()) {
    (this->*select)(stack.back());
  }
  return popped;
}

void bf_Display::PushPenObject(const bf_Pen& pen) {
  pens.push_back(pen);
  SelectPen(pen);
}

std::optional<bf_Pen> bf_Display::PopPen() {
  return Pop(pens, &bf_Display::SelectPen);
}

void bf_Display::PushBrushObject(const bf_Brush& brush) {
  brushes.push_back(brush);
  SelectBrush(brush);
}

std::optional<bf_Brush> bf_Display::PopBrush() {
  return Pop(brushes, &bf_Display::SelectBrush);
}

void bf_Display::PushFont(const bf_Font& font) {
  fonts.push_back(font);
  if (font.fontIndex != bf_Font::kNoIndex) {
    display.SetFont(font.fontIndex);
  }
}

std::optional<bf_Font> bf_Display::PopFont() {
  return Pop<bf_Font>(fonts, nullptr);
}

bf_Color bf_Display::ForeColor() const {
  return display.palette.colorForeground;
}

bf_Color bf_Display::SetForeColor(bf_Color color) {
  display.SetForeground(color);
  return color;
}

bf_Color bf_Display::BackColor() const {
  return display.palette.colorBackground;
}

bf_Color bf_Display::SetBackColor(bf_Color color) {
  display.SetBackground(color);
  return color;
}

const int32_t* bf_Display::Coordinates(const cf_2DPoint* points, int32_t count) {
  coordinates.resize(static_cast<std::size_t>(count) * 2);
  for (int32_t i = 0; i < count; ++i) {
    coordinates[2 * i] = points[i].x;
    coordinates[2 * i + 1] = points[i].y;
  }
  return coordinates.data();
}

bool bf_Display::DrawsThinSolidLines() const {
  constexpr uint8_t kSolidLine = 0;
  constexpr uint8_t kCopyMode = 0;
  return lineWidth <= 1 && display.palette.lineStyle == kSolidLine && display.Mode() == kCopyMode;
}

int bf_Display::DrawPolyline(const cf_2DPoint* points, int32_t count) {
  if (points && count >= 2) {
    display.Polygon(count, Coordinates(points, count), DisplayWidth(lineWidth), false, false);
  }
  return 1;
}

int bf_Display::DrawPolygon(const cf_2DPoint* points, int32_t count) {
  if (points && count >= 3) {
    display.Polygon(count, Coordinates(points, count), DisplayWidth(lineWidth), true, false);
  }
  return 1;
}

int bf_Display::DrawFrame(const cf_2DRect& rect) {
  const int32_t width = DisplayWidth(lineWidth);
  display.Line(rect.left, rect.top, rect.right, rect.top, width);
  display.Line(rect.right, rect.top, rect.right, rect.bottom, width);
  display.Line(rect.right, rect.bottom, rect.left, rect.bottom, width);
  display.Line(rect.left, rect.bottom, rect.left, rect.top, width);
  return 1;
}

int bf_Display::DrawRectangle(const cf_2DRect& rect) {
  display.Rectangle(rect.left, rect.top, rect.right, rect.bottom, DisplayWidth(lineWidth), false);
  return 1;
}

int bf_Display::DrawCircle(const cf_2DPoint& centre, int32_t radius) {
  display.Ellipse(centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius, 0.0f, 360.0f,
                  DisplayWidth(lineWidth), true);
  return 1;
}

int bf_Display::DrawEllipse(const cf_2DPoint& corner, const cf_2DPoint& opposite) {
  display.Ellipse(corner.x, corner.y, opposite.x, opposite.y, 0.0f, 360.0f, DisplayWidth(lineWidth), true);
  return 1;
}

int bf_Display::DrawEllipsePart(const cf_2DRect& rect, const cf_2DPoint& from, const cf_2DPoint& to,
                                bool fill) {
  const int32_t centreX = rect.right - (rect.right - rect.left) / 2;
  const int32_t centreY = rect.bottom - (rect.bottom - rect.top) / 2;
  const double start = PointAngle(centreX, centreY, from.x, from.y);
  double end = PointAngle(centreX, centreY, to.x, to.y);
  if (end == 0.0) {
    end = 360.0;
  }
  display.Ellipse(rect.left, rect.top, rect.right, rect.bottom, static_cast<float>(start),
                  static_cast<float>(end), DisplayWidth(lineWidth), fill);
  return 1;
}

int bf_Display::DrawPie(const cf_2DRect& rect, const cf_2DPoint& from, const cf_2DPoint& to) {
  return DrawEllipsePart(rect, from, to, true);
}

int bf_Display::DrawArc(const cf_2DRect& rect, const cf_2DPoint& from, const cf_2DPoint& to) {
  return DrawEllipsePart(rect, from, to, false);
}

int bf_Display::DrawText(const cf_2DPoint& point, const ZafIChar* text) {
  if (text) {
    display.Text(point.x, point.y, text, -1, -1, false);
  }
  return 1;
}

cf_2DRect bf_Display::TextExtent(const ZafIChar* text, int32_t length) {
  if (!text) {
    return {};
  }
  const ZafRegionStruct size = display.TextSize(text, length);
  return {0, 0, size.right - size.left + 1, size.bottom - size.top + 1};
}

bf_Color bf_Display::SetPixel(const cf_2DPoint& point, bf_Color color) {
  display.Pixel(point.x, point.y, kDefaultColor, kDefaultColor);
  return color;
}

bf_Color bf_Display::DrawPixel(const cf_2DPoint& point) {
  display.Pixel(point.x, point.y, kDefaultColor, kDefaultColor);
  return bf_Black;
}

cf_2DRect bf_Display::GetDrawRegion() const {
  if (!window) {
    return {};
  }
  const ZafRegionStruct region = window->ConvertToDrawRegion();
  return {region.left, region.top, region.right, region.bottom};
}

int bf_Display::ConvertRect(cf_2DRect& rect, int32_t fromType, int32_t toType) const {
  ZafRegionStruct region{rect.left, rect.top, rect.right, rect.bottom, fromType};
  region.ConvertCoordinates(toType, &display);
  rect = {region.left, region.top, region.right, region.bottom};
  return 1;
}

int bf_Display::RectToTwips(cf_2DRect& rect) const {
  return ConvertRect(rect, ZAF_PIXEL, ZAF_TWIPS);
}

int bf_Display::RectToPixels(cf_2DRect& rect) const {
  return ConvertRect(rect, ZAF_TWIPS, ZAF_PIXEL);
}

double bf_Display::PointAngle(int32_t centreX, int32_t centreY, int32_t pointX, int32_t pointY) {
  const double dx = static_cast<double>(pointX) - centreX;
  const double dy = static_cast<double>(centreY) - pointY;
  if (dx == 0.0) {
    return dy > 0 ? 90.0 : 270.0;
  }
  double angle = std::atan(std::abs(dx) < kAngleEpsilon ? 0.0 : dy / dx);
  if (dx < 0 && dy != 0) {
    angle += kPi;
  } else if (dx > 0 && dy < 0) {
    angle += kTwoPi;
  }
  if (-kAngleEpsilon < angle && angle < kAngleEpsilon) {
    return dx < 0 ? 180.0 : 0.0;
  }
  if (std::abs(dx) > 1.0) {
    return angle * kDegreesPerRadian;
  }
  // One pixel beside the vertical through the centre counts as straight above or below it.
  return dy > 0 ? 90.0 : 270.0;
}
