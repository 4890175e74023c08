#include "chart/cf_3dtextmarker.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "chart/bf_display.h"
#include "chart/cf_kernel.h"
#include "chart/cf_textselection.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292;

int32_t TruncatedPixels(double value) {
  return std::isfinite(value) && std::abs(value) < cf_Kernel::kScreenLimit ? static_cast<int32_t>(value) : 0;
}

// The top-left corner of a w x h text whose anchor is `at`. The text itself is drawn unrotated; its angle
// only widens the box it is placed by (dx across, dy down) and, turned the other way, flips which side
// of the anchor the placement means.
cf_2DPoint TextCorner(cf_2DPoint at, int32_t w, int32_t h, const cf_TextAttribs& attribs) {
  const int32_t degrees = attribs.Angle();
  const double a = degrees * kRadiansPerDegree;
  const int32_t dx = TruncatedPixels(w * std::cos(a) + h * std::sin(a));
  const int32_t dy = TruncatedPixels(w * std::sin(a) + h * std::cos(a));
  if (degrees < 0) {
    at.x -= attribs.IsRight() ? 0 : attribs.IsLeft() ? dx : dx / 2;
  } else {
    at.x -= attribs.IsRight() ? dx : attribs.IsLeft() ? 0 : dx / 2;
  }
  if (degrees > 0) {
    at.y += attribs.IsBottom() ? 0 : attribs.IsTop() ? dy : dy / 2;
  } else {
    at.y -= attribs.IsBottom() ? dy : attribs.IsTop() ? 0 : dy / 2;
  }
  return at;
}

// Whether a text at `text` whose own line is at column `own` stands over the line at `column`, within the
// gap of it.
bool StandsOver(const cf_2DRect& text, int32_t own, int32_t column) {
  return column != own && text.left - cf_3DTextMarker::kTextGap <= column &&
         column < text.right + cf_3DTextMarker::kTextGap;
}

// How far a text must move up (or down) to read apart from each of `taken`: each move takes it just past
// the first text it would read as one with, so it never meets that text again and there are never more
// moves than texts.
int32_t ClearShift(cf_2DRect rect, bool up, const std::vector<cf_2DRect>& taken) {
  const cf_2DRect start = rect;
  for (std::size_t moves = 0; moves < taken.size(); ++moves) {
    const auto hit = std::find_if(taken.begin(), taken.end(), [&rect](const cf_2DRect& other) {
      return cf_3DTextMarker::ReadAsOne(rect, other);
    });
    if (hit == taken.end()) {
      break;
    }
    rect = rect.MovedBy({0, up ? hit->top - rect.bottom : hit->bottom - rect.top});
  }
  return rect.top - start.top;
}

}  // namespace

cf_3DTextMarker::cf_3DTextMarker(const cf_3DPoint& anchor, const cf_3DPoint& bend,
                                 const cf_3DPoint& textPoint)
    : points{anchor, bend, textPoint} {}

cf_3DTextMarker::cf_3DTextMarker(const cf_3DTextMarker& other) : cf_Virt3DObj() {
  *this = other;
}

cf_3DTextMarker& cf_3DTextMarker::operator=(const cf_3DTextMarker& other) {
  if (this == &other) {
    return *this;
  }
  cf_Virt3DObj::operator=(other);
  points = other.points;
  // The copied points would still share the source's own attributes.
  if (HasDispAttribs()) {
    GiveAttribsToPoints();
  }
  firstLeader = other.firstLeader;
  secondLeader = other.secondLeader;
  textAtBend = other.textAtBend;
  anchorMarker = other.anchorMarker;
  bendMarker = other.bendMarker;
  translation = other.translation;
  ownText = other.ownText ? std::make_unique<cf_String>(*other.ownText) : nullptr;
  text = ownText ? ownText.get() : other.text;
  hasText = other.hasText;
  textShown = other.textShown;
  textRowShift = other.textRowShift;
  textOffset = other.textOffset;
  textLeftOut = other.textLeftOut;
  drawnText = other.drawnText;
  return *this;
}

cf_3DTextMarker::~cf_3DTextMarker() = default;

void cf_3DTextMarker::Project(const cf_Kernel& kernel) {
  for (cf_3DPoint& point : points) {
    point.Project(kernel);
  }
}

void cf_3DTextMarker::ToScreen(const cf_Kernel& kernel) {
  for (cf_3DPoint& point : points) {
    point.ToScreen(kernel);
  }
}

void cf_3DTextMarker::MovePoints(double dx, double dy, double dz) {
  for (cf_3DPoint& point : points) {
    point.Translate(dx, dy, dz);
  }
}

void cf_3DTextMarker::Scale(double sx, double sy, double sz) {
  MovePoints(-translation[0], -translation[1], -translation[2]);
  for (cf_3DPoint& point : points) {
    point.Scale(sx, sy, sz);
  }
  MovePoints(translation[0], translation[1], translation[2]);
}

void cf_3DTextMarker::Translate(double dx, double dy, double dz) {
  MovePoints(dx, dy, dz);
  translation[0] += dx;
  translation[1] += dy;
  translation[2] += dz;
}

void cf_3DTextMarker::GiveAttribsToPoints() {
  for (cf_3DPoint& point : points) {
    point.SetDispAttribs(DispAttribs());
  }
}

cf_DispAttribs* cf_3DTextMarker::CreateDispAttribs() {
  cf_DispAttribs* attribs = cf_Virt3DObj::CreateDispAttribs();
  GiveAttribsToPoints();
  return attribs;
}

void cf_3DTextMarker::SetDispAttribs(cf_DispAttribs* attribs) {
  cf_Virt3DObj::SetDispAttribs(attribs);
  for (cf_3DPoint& point : points) {
    point.SetDispAttribs(attribs);
  }
}

void cf_3DTextMarker::SetTextShown(bool on) {
  if (hasText) {
    textShown = on;
  }
}

cf_String& cf_3DTextMarker::OwnText() {
  if (!ownText) {
    ownText = std::make_unique<cf_String>();
  }
  text = ownText.get();
  hasText = textShown = true;
  return *ownText;
}

void cf_3DTextMarker::SetText(const ZafIChar* newText) {
  if (!newText) {
    hasText = textShown = true;
    return;
  }
  OwnText().Assign(newText);
}

void cf_3DTextMarker::SetTextNumber(double value, const ZafIChar* format) {
  OwnText().SetNumber(value, format);
}

void cf_3DTextMarker::SetTextNumber(int32_t value, const ZafIChar* format) {
  OwnText().SetNumber(value, format);
}

void cf_3DTextMarker::SetTextObject(const cf_String* shared) {
  if (!shared) {
    return;
  }
  ownText.reset();
  text = shared;
  hasText = textShown = true;
}

void cf_3DTextMarker::DrawLeaders(bf_Display& display) {
  const cf_2DPoint anchor = points[kAnchor].GetScreenPoint();
  const cf_2DPoint bend = points[kBend].GetScreenPoint();
  const cf_2DPoint textAt = points[kText].GetScreenPoint();
  PushPen(display);
  if (firstLeader) {
    const cf_2DPoint segment[] = {anchor, bend};
    display.DrawPolyline(segment, 2);
  }
  if (secondLeader) {
    const cf_2DPoint segment[] = {bend, textAt};
    display.DrawPolyline(segment, 2);
  }
  PopPen(display);
}

void cf_3DTextMarker::DrawText(bf_Display& display) {
  std::optional<cf_TextSelection> selection;
  SelectOwnAttribs(display, selection);
  drawnText = TextRect(display);
  display.DrawText({drawnText.left, drawnText.top}, *text);
}

void cf_3DTextMarker::SelectOwnAttribs(bf_Display& display, std::optional<cf_TextSelection>& selection) {
  // Attributes made here for a marker that had none select colours and font only from the next draw.
  if (!TextSwitch() && HasTextAttribs()) {
    selection.emplace(display, *TextAttribs());
  }
}

cf_2DRect cf_3DTextMarker::TextRect(bf_Display& display) {
  cf_2DPoint at = points[textAtBend ? kBend : kText].GetScreenPoint();
  at.x += textOffset.x;
  at.y += textRowShift + textOffset.y;
  const cf_2DRect extent = display.TextExtent(*text);
  const cf_2DPoint corner = TextCorner(at, extent.Width(), extent.Height(), *TextAttribs());
  return {corner.x, corner.y, corner.x + extent.Width(), corner.y + extent.Height()};
}

bool cf_3DTextMarker::TextDrawn() const {
  return text && textShown && !textLeftOut && text->Length() > 0;
}

cf_2DRect cf_3DTextMarker::NextTextRect(bf_Display& display) {
  if (!TextDrawn()) {
    return {};
  }
  std::optional<cf_TextSelection> selection;
  SelectOwnAttribs(display, selection);
  return TextRect(display);
}

void cf_3DTextMarker::PlaceTextClearOf(bf_Display& display, std::vector<cf_2DRect>& taken) {
  textRowShift = 0;
  if (!TextDrawn()) {
    return;
  }
  const cf_2DRect placed = NextTextRect(display);
  // Away from the anchor even where that leaves the drawing area: the chart makes room for it there, or
  // leaves it out.
  textRowShift = ClearShift(placed, TextAboveAnchor(), taken);
  taken.push_back({placed.left, placed.top + textRowShift, placed.right, placed.bottom + textRowShift});
}

bool cf_3DTextMarker::PlaceTextOffLines(bf_Display& display, const std::vector<int32_t>& lines,
                                        const std::vector<int32_t>& titled) {
  textOffset = {};
  textRowShift = 0;
  if (!TextDrawn()) {
    return true;
  }
  const cf_2DRect centred = NextTextRect(display);
  const int32_t own = points[kAnchor].GetScreenPoint().x;
  const auto crossed = [&](const std::vector<int32_t>& columns, int32_t shift) {
    return std::count_if(columns.begin(), columns.end(), [&](int32_t x) {
      return StandsOver(centred.MovedBy({shift, 0}), own, x);
    });
  };
  // Centred, else starting just right of its own column, else ending just left of it: the first that
  // stands over fewest titled lines, then over fewest lines.
  const int32_t shifts[] = {0, own + kTextGap - centred.left, own - kTextGap - centred.right};
  textOffset.x = *std::min_element(std::begin(shifts), std::end(shifts), [&](int32_t a, int32_t b) {
    return std::pair(crossed(titled, a), crossed(lines, a)) <
           std::pair(crossed(titled, b), crossed(lines, b));
  });
  return crossed(titled, textOffset.x) == 0;
}

bool cf_3DTextMarker::TextAboveAnchor() const {
  return points[textAtBend ? kBend : kText].GetScreenPoint().y <= points[kAnchor].GetScreenPoint().y;
}

bool cf_3DTextMarker::TextStandsOver(const cf_2DRect& placed, int32_t column) const {
  return !placed.IsEmpty() && StandsOver(placed, points[kAnchor].GetScreenPoint().x, column);
}

void cf_3DTextMarker::DrawSecondary(bf_Display& display) {
  DrawLeaders(display);
  if (anchorMarker) {
    points[kAnchor].DrawSecondary(display);
  }
  if (bendMarker) {
    points[kBend].DrawSecondary(display);
  }
  if (TextDrawn()) {
    DrawText(display);
  } else {
    drawnText = {};
  }
}
