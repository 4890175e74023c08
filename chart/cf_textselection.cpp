#include "chart/cf_textselection.h"

#include "chart/bf_display.h"
#include "chart/cf_textattribs.h"

cf_TextSelection::cf_TextSelection(bf_Display& context, const cf_TextAttribs& attribs)
    : display(context), foreColor(context.ForeColor()), backColor(context.BackColor()) {
  display.SetForeColor(attribs.ForeColor());
  display.SetBackColor(attribs.BackColor());
  display.PushFont(bf_Font(attribs.CreateFont(display)));
}

cf_TextSelection::~cf_TextSelection() {
  display.SetForeColor(foreColor);
  display.SetBackColor(backColor);
  display.PopFont();
}
