// The drawing context of one chart draw: it draws on a framework display for one window object, keeps the
// pen, brush and font stacks that chart objects push and pop, and turns chart points, rectangles and angles
// into the display's line, polygon, ellipse, rectangle, pixel and text calls. The display's colours, line
// style, fill pattern and font follow the tops of the stacks.
#ifndef CHART_BF_DISPLAY_H
#define CHART_BF_DISPLAY_H

#include <cstdint>
#include <optional>
#include <vector>

#include "chart/bf_brush.h"
#include "chart/bf_color.h"
#include "chart/bf_font.h"
#include "chart/bf_pen.h"
#include "chart/cf_2dpoint.h"
#include "chart/cf_2drect.h"
#include "chart/cf_string.h"

class ZafDisplay;
class ZafWindowObject;

class bf_Display {
 public:
  // Pushes and selects a black 1-pixel pen, a white brush and the display's current font.
  bf_Display(ZafDisplay& display, ZafWindowObject* window);
  bf_Display(const bf_Display&) = delete;
  bf_Display& operator=(const bf_Display&) = delete;
  // Pops what the constructor pushed, giving the display its font index back.
  ~bf_Display();

  // ---- Attribute stacks ----
  void PushPen(bf_Color color) { PushPenObject(bf_Pen(color)); }
  void PushPenObject(const bf_Pen& pen);
  // Pops the top pen and re-selects the one below, if any; nothing when the stack is empty.
  std::optional<bf_Pen> PopPen();
  void PushBrush(bf_Color color) { PushBrushObject(bf_Brush(color)); }
  void PushBrushObject(const bf_Brush& brush);
  std::optional<bf_Brush> PopBrush();
  // Selects the font's index on the display unless it is bf_Font::kNoIndex.
  void PushFont(const bf_Font& font);
  // Pops the top font; the display keeps the font it has.
  std::optional<bf_Font> PopFont();
  std::size_t PenDepth() const { return pens.size(); }
  std::size_t BrushDepth() const { return brushes.size(); }
  std::size_t FontDepth() const { return fonts.size(); }
  // The width of the selected pen, used by every outline.
  uint32_t LineWidth() const { return lineWidth; }
  // Lines are drawn now solid, one pixel wide and copied onto the picture, so a line's pixels do not
  // depend on how its run through a column of pixels is split into segments.
  bool DrawsThinSolidLines() const;

  // ---- Colours ----
  bf_Color ForeColor() const;
  bf_Color SetForeColor(bf_Color color);
  bf_Color BackColor() const;
  bf_Color SetBackColor(bf_Color color);

  // ---- Drawing: each answers 1 ----
  // The whole open line in one display call; fewer than 2 points draw nothing.
  int DrawPolyline(const cf_2DPoint* points, int32_t count);
  // Filled with the brush and outlined with the pen, closed by the display; fewer than 3 points enclose
  // nothing and draw nothing.
  int DrawPolygon(const cf_2DPoint* points, int32_t count);
  int DrawFrame(const cf_2DRect& rect);
  // Outlined, not filled.
  int DrawRectangle(const cf_2DRect& rect);
  int DrawCircle(const cf_2DPoint& centre, int32_t radius);
  int DrawEllipse(const cf_2DPoint& corner, const cf_2DPoint& opposite);
  // From the angle of `from` to the angle of `to` about the rectangle's centre, counter-clockwise.
  int DrawPie(const cf_2DRect& rect, const cf_2DPoint& from, const cf_2DPoint& to);
  int DrawArc(const cf_2DRect& rect, const cf_2DPoint& from, const cf_2DPoint& to);
  // The text's top-left corner at the point, in the foreground colour, not filled.
  int DrawText(const cf_2DPoint& point, const cf_String& text) { return DrawText(point, text.Text()); }
  int DrawText(const cf_2DPoint& point, const ZafIChar* text);
  // (0, 0, width, height) of the text in the display's current font.
  cf_2DRect TextExtent(const cf_String& text) { return TextExtent(text.Text(), text.Length()); }
  cf_2DRect TextExtent(const ZafIChar* text, int32_t length);
  // The pixel is drawn in the display's default colour, whatever the colour given; answers the colour.
  bf_Color SetPixel(const cf_2DPoint& point, bf_Color color);
  // Answers black.
  bf_Color DrawPixel(const cf_2DPoint& point);

  // ---- Window and units ----
  // The window's draw region; all zero without a window.
  cf_2DRect GetDrawRegion() const;
  // Converts the rectangle in place between pixels and twips with the display's metrics.
  int RectToTwips(cf_2DRect& rect) const;
  int RectToPixels(cf_2DRect& rect) const;

  // Degrees counter-clockwise from +x of the point about the centre, screen y growing downwards. A point
  // within one pixel of the vertical through the centre counts as straight above or below it.
  static double PointAngle(int32_t centreX, int32_t centreY, int32_t pointX, int32_t pointY);

 private:
  void SelectPen(const bf_Pen& pen);
  void SelectBrush(const bf_Brush& brush);
  // Pops the top of a stack and, with a selection, selects what now lies on top.
  template <typename Attribute>
  std::optional<Attribute> Pop(std::vector<Attribute>& stack, void (bf_Display::*select)(const Attribute&));
  // The points as the display's (x, y) pairs, in a buffer kept for the whole draw.
  const int32_t* Coordinates(const cf_2DPoint* points, int32_t count);
  int DrawEllipsePart(const cf_2DRect& rect, const cf_2DPoint& from, const cf_2DPoint& to, bool fill);
  int ConvertRect(cf_2DRect& rect, int32_t fromType, int32_t toType) const;

  ZafDisplay& display;
  ZafWindowObject* window;
  uint32_t lineWidth = 1;
  std::vector<bf_Pen> pens;
  std::vector<bf_Brush> brushes;
  std::vector<bf_Font> fonts;
  std::vector<int32_t> coordinates;
};

#endif
