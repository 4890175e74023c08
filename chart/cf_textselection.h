// Selects a text's colours and font on the drawing context for as long as it lives, and puts the display's
// colours back and pops the font when it goes.
#ifndef CHART_CF_TEXTSELECTION_H
#define CHART_CF_TEXTSELECTION_H

#include "chart/bf_color.h"

class bf_Display;
class cf_TextAttribs;

class cf_TextSelection {
 public:
  cf_TextSelection(bf_Display& display, const cf_TextAttribs& attribs);
  cf_TextSelection(const cf_TextSelection&) = delete;
  cf_TextSelection& operator=(const cf_TextSelection&) = delete;
  ~cf_TextSelection();

 private:
  bf_Display& display;
  bf_Color foreColor;
  bf_Color backColor;
};

#endif
