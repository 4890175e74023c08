#include "chart/cf_dispattribs.h"

#include "chart/bf_display.h"

void cf_DispAttribs::PushPen(bf_Display& display) const {
  display.PushPenObject(bf_Pen(foreColor, style, width));
}

void cf_DispAttribs::PopPen(bf_Display& display) const {
  display.PopPen();
}

void cf_DispAttribs::PushBrush(bf_Display& display) const {
  display.PushBrushObject(bf_Brush(backColor));
}

void cf_DispAttribs::PopBrush(bf_Display& display) const {
  display.PopBrush();
}
