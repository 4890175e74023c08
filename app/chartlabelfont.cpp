#include "app/chartlabelfont.h"

#include <map>

#include "framework/win32/zafgdidisplay.h"

namespace {

struct SharedFont {
  int32_t slot = -1;
  int32_t holders = 0;
};

// One font per display: the screen's, and the printer's while a chart prints.
std::map<ZafGdiDisplay*, SharedFont>& Fonts() {
  static std::map<ZafGdiDisplay*, SharedFont> fonts;
  return fonts;
}

}  // namespace

ChartLabelFont::ChartLabelFont(ZafGdiDisplay* display) : display(display) {
  if (display == nullptr) {
    return;
  }
  SharedFont& font = Fonts()[display];
  if (font.holders++ == 0) {
    font.slot = display->ConvertToOSFont(-1, kFace, kPointSize, false, false);
  }
}

ChartLabelFont::~ChartLabelFont() {
  if (display == nullptr) {
    return;
  }
  auto found = Fonts().find(display);
  if (found == Fonts().end() || --found->second.holders > 0) {
    return;
  }
  if (found->second.slot >= 0) {
    display->DestroyOSFont(found->second.slot);
  }
  Fonts().erase(found);
}

int32_t ChartLabelFont::Slot() const {
  if (display == nullptr) {
    return -1;
  }
  const auto found = Fonts().find(display);
  return found != Fonts().end() ? found->second.slot : -1;
}
