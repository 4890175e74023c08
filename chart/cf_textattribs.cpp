#include "chart/cf_textattribs.h"

namespace {

int32_t Shift(cf_TextAttribs::Placement placement, int32_t size) {
  switch (placement) {
    case cf_TextAttribs::Placement::Before:
      return -size;
    case cf_TextAttribs::Placement::Centre:
      return -(size / 2);
    case cf_TextAttribs::Placement::After:
      break;
  }
  return 0;
}

}  // namespace

void cf_TextAttribs::Reset() {
  horizontal = Placement::Centre;
  vertical = Placement::Centre;
  labelOptionA = 0;
  labelOptionB = 0;
  foreColor = bf_Black;
  backColor = bf_White;
  format.Assign(u"%g");
}

cf_2DPoint cf_TextAttribs::Place(const cf_2DPoint& anchor, int32_t w, int32_t h) const {
  return {anchor.x + Shift(horizontal, w), anchor.y + Shift(vertical, h)};
}
