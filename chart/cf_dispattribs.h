// How a data group or a chart object draws lines and fills: pen colour (fore), brush colour (back), line
// style and width, and the two marker switches that a polyline's two draw passes read.
#ifndef CHART_CF_DISPATTRIBS_H
#define CHART_CF_DISPATTRIBS_H

#include <cstdint>

#include "chart/bf_color.h"

class bf_Display;

class cf_DispAttribs {
 public:
  bf_Color ForeColor() const { return foreColor; }
  void SetForeColor(bf_Color color) { foreColor = color; }
  bf_Color BackColor() const { return backColor; }
  void SetBackColor(bf_Color color) { backColor = color; }
  uint32_t Style() const { return style; }
  void SetStyle(uint32_t lineStyle) { style = lineStyle; }
  uint32_t Width() const { return width; }
  void SetWidth(uint32_t lineWidth) { width = lineWidth; }
  uint8_t PrimarySwitch() const { return primarySwitch; }
  void SetPrimarySwitch(uint8_t on) { primarySwitch = on; }
  uint8_t SecondarySwitch() const { return secondarySwitch; }
  void SetSecondarySwitch(uint8_t on) { secondarySwitch = on; }

  // A pen of fore colour, style and width; a brush of the back colour.
  void PushPen(bf_Display& display) const;
  void PopPen(bf_Display& display) const;
  void PushBrush(bf_Display& display) const;
  void PopBrush(bf_Display& display) const;

 private:
  bf_Color foreColor = bf_Black;
  bf_Color backColor = bf_White;
  uint32_t style = 0;
  uint32_t width = 1;
  uint8_t primarySwitch = 0;
  uint8_t secondarySwitch = 0;
};

#endif
