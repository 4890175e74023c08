#include "chart/cf_virt3dobj.h"

#include "chart/bf_display.h"

namespace {

// The copy's attributes: its own copy of owned ones, the same shared ones, or none.
template <typename Attribs>
void CopyAttribs(const std::unique_ptr<Attribs>& sourceOwn, Attribs* source, std::unique_ptr<Attribs>& own,
                 Attribs*& used) {
  own = sourceOwn ? std::make_unique<Attribs>(*sourceOwn) : nullptr;
  used = own ? own.get() : source;
}

}  // namespace

cf_Virt3DObj::cf_Virt3DObj(cf_DispAttribs* attribs) : dispAttribs(attribs) {}

cf_Virt3DObj::cf_Virt3DObj(const cf_Virt3DObj& other) {
  *this = other;
}

cf_Virt3DObj& cf_Virt3DObj::operator=(const cf_Virt3DObj& other) {
  if (this == &other) {
    return *this;
  }
  CopyAttribs(other.ownDispAttribs, other.dispAttribs, ownDispAttribs, dispAttribs);
  CopyAttribs(other.ownTextAttribs, other.textAttribs, ownTextAttribs, textAttribs);
  noBrush = other.noBrush;
  textSwitch = other.textSwitch;
  noPen = other.noPen;
  overlapPass = other.overlapPass;
  depthSort = other.depthSort;
  culling = other.culling;
  keepDisplayState = other.keepDisplayState;
  fitted = other.fitted;
  shown = other.shown;
  return *this;
}

cf_Virt3DObj::~cf_Virt3DObj() = default;

cf_TextAttribs* cf_Virt3DObj::CreateTextAttribs() {
  ownTextAttribs = std::make_unique<cf_TextAttribs>();
  textAttribs = ownTextAttribs.get();
  return textAttribs;
}

void cf_Virt3DObj::SetTextAttribs(cf_TextAttribs* attribs) {
  ownTextAttribs.reset();
  textAttribs = attribs;
}

cf_DispAttribs* cf_Virt3DObj::CreateDispAttribs() {
  ownDispAttribs = std::make_unique<cf_DispAttribs>();
  dispAttribs = ownDispAttribs.get();
  return dispAttribs;
}

void cf_Virt3DObj::SetDispAttribs(cf_DispAttribs* attribs) {
  ownDispAttribs.reset();
  dispAttribs = attribs;
}

cf_DispAttribs* cf_Virt3DObj::DispAttribs() {
  return dispAttribs ? dispAttribs : CreateDispAttribs();
}

cf_TextAttribs* cf_Virt3DObj::TextAttribs() {
  return textAttribs ? textAttribs : CreateTextAttribs();
}

void cf_Virt3DObj::FitToViewport(const cf_Kernel&) {
  fitted = true;
}

void cf_Virt3DObj::Project(const cf_Kernel&) {}

void cf_Virt3DObj::ToScreen(const cf_Kernel& kernel) {
  if (!fitted) {
    FitToViewport(kernel);
  }
}

void cf_Virt3DObj::Scale(double, double, double) {}

void cf_Virt3DObj::Translate(double, double, double) {}

void cf_Virt3DObj::PrepareDraw(bf_Display&) {}

void cf_Virt3DObj::DrawPrimary(bf_Display&) {}

void cf_Virt3DObj::DrawSecondary(bf_Display&) {}

bool cf_Virt3DObj::PushBrush(bf_Display& display) const {
  if (!PushesBrush()) {
    return false;
  }
  if (dispAttribs) {
    dispAttribs->PushBrush(display);
  } else {
    display.PushBrush(bf_White);
  }
  return true;
}

bool cf_Virt3DObj::PushPen(bf_Display& display) const {
  if (!PushesPen()) {
    return false;
  }
  if (dispAttribs) {
    dispAttribs->PushPen(display);
  } else {
    display.PushPen(bf_Black);
  }
  return true;
}

void cf_Virt3DObj::PopBrush(bf_Display& display) const {
  if (PushesBrush()) {
    display.PopBrush();
  }
}

void cf_Virt3DObj::PopPen(bf_Display& display) const {
  if (PushesPen()) {
    display.PopPen();
  }
}

void cf_Virt3DObj::ScaleAndTranslate(double sx, double sy, double sz, double dx, double dy, double dz) {
  Scale(sx, sy, sz);
  Translate(dx, dy, dz);
}
