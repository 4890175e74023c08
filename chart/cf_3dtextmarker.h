// A text standing at a point of the 3-D scene: tick labels, axis titles, chart titles and legend texts. The
// marker carries three points (the anchor the text refers to, a bend, and where the text stands), an
// optional two-segment leader from the anchor through the bend to the text point, and optional round
// markers at the anchor and bend. Its text is its own or shared with a data group; a marker never widens
// the chart's ranges.
#ifndef CHART_CF_3DTEXTMARKER_H
#define CHART_CF_3DTEXTMARKER_H

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "chart/cf_2drect.h"
#include "chart/cf_3dpoint.h"
#include "chart/cf_string.h"
#include "chart/cf_textselection.h"
#include "chart/cf_virt3dobj.h"

class cf_3DTextMarker : public cf_Virt3DObj {
 public:
  // All three points at the origin.
  cf_3DTextMarker() = default;
  cf_3DTextMarker(const cf_3DPoint& anchor, const cf_3DPoint& bend, const cf_3DPoint& textPoint);
  // An own text is copied, a shared one stays shared.
  cf_3DTextMarker(const cf_3DTextMarker& other);
  cf_3DTextMarker& operator=(const cf_3DTextMarker& other);
  ~cf_3DTextMarker() override;

  void Project(const cf_Kernel& kernel) override;
  void ToScreen(const cf_Kernel& kernel) override;
  // About the marker's accumulated translation.
  void Scale(double sx, double sy, double sz) override;
  void Translate(double dx, double dy, double dz) override;
  // The points draw with the marker's display attributes.
  cf_DispAttribs* CreateDispAttribs() override;
  void SetDispAttribs(cf_DispAttribs* attribs) override;
  void DrawPrimary(bf_Display& display) override { DrawSecondary(display); }
  // Leaders with the marker's pen, the point markers, then the text placed about its point by the text
  // attributes' placement and angle.
  void DrawSecondary(bf_Display& display) override;

  // Leader from the anchor to the bend, and from the bend to the text point.
  bool GetFirstLeader() const { return firstLeader; }
  void SetFirstLeader(bool on) { firstLeader = on; }
  bool GetSecondLeader() const { return secondLeader; }
  void SetSecondLeader(bool on) { secondLeader = on; }
  // The text stands at the bend instead of the text point.
  bool GetTextAtBend() const { return textAtBend; }
  void SetTextAtBend(bool on) { textAtBend = on; }
  bool GetAnchorMarker() const { return anchorMarker; }
  void SetAnchorMarker(bool on) { anchorMarker = on; }
  bool GetBendMarker() const { return bendMarker; }
  void SetBendMarker(bool on) { bendMarker = on; }

  cf_3DPoint& GetAnchorPoint() { return points[kAnchor]; }
  cf_3DPoint& GetBendPoint() { return points[kBend]; }
  cf_3DPoint& GetTextPoint() { return points[kText]; }
  const cf_3DPoint& GetAnchorPoint() const { return points[kAnchor]; }
  const cf_3DPoint& GetBendPoint() const { return points[kBend]; }
  const cf_3DPoint& GetTextPoint() const { return points[kText]; }

  // Null until a text is given.
  const cf_String* GetText() const { return text; }
  bool HasText() const { return hasText; }
  bool IsTextShown() const { return textShown; }
  // Only a marker with a text shows or hides it.
  void SetTextShown(bool on);
  // Copies the text into the marker's own string; a null text only marks the marker as having a text.
  void SetText(const ZafIChar* newText);
  // The value formatted in full with a printf format.
  void SetTextNumber(double value, const ZafIChar* format);
  void SetTextNumber(int32_t value, const ZafIChar* format);
  // Shows a string the marker does not own (a data group's name, say); null changes nothing.
  void SetTextObject(const cf_String* shared);
  // Texts side by side closer than this many pixels read as one; rows of text may touch.
  static constexpr int32_t kTextGap = 3;
  // Whether two texts (display pixels) would read as one or print over each other.
  static bool ReadAsOne(const cf_2DRect& a, const cf_2DRect& b) {
    return cf_2DRect{a.left - kTextGap, a.top, a.right + kTextGap, a.bottom}.Overlaps(b);
  }
  // Moves the text away from the anchor, past one text after another, until it reads apart from each of
  // `taken` (texts drawn before it, display pixels), and adds where it goes to them. A marker without a
  // shown text takes nothing.
  void PlaceTextClearOf(bf_Display& display, std::vector<cf_2DRect>& taken);
  // Where the text was drawn last, display pixels; empty before and after a draw without it.
  const cf_2DRect& DrawnTextRect() const { return drawnText; }
  // Where the text goes when drawn next, display pixels, in the font the series selected or the marker's
  // own; empty without a shown text.
  cf_2DRect NextTextRect(bf_Display& display);
  // Moves the text by whole pixels from where its point places it.
  void SetTextOffset(const cf_2DPoint& offset) { textOffset = offset; }
  const cf_2DPoint& TextOffset() const { return textOffset; }
  // Places the text afresh (no offset, no row moved): beside its anchor's column rather than centred on it
  // where that stands over fewer of the columns in `titled` (lines with a title of their own), then of
  // those in `lines` (every line), leaving out the anchor's own column (display pixels, each widened by the
  // gap both ways); answers whether it stands over none of `titled`. A marker without a shown text is
  // clear.
  bool PlaceTextOffLines(bf_Display& display, const std::vector<int32_t>& lines,
                         const std::vector<int32_t>& titled);
  // Whether the point the text stands at lies above the anchor (or level with it) on the screen: the side
  // its tick points to, which a text moved off the anchor goes to.
  bool TextAboveAnchor() const;
  // Whether the text, placed at `placed` (NextTextRect), stands over the line at `column` (display pixels,
  // widened by the gap both ways), other than its own; never without a text to draw.
  bool TextStandsOver(const cf_2DRect& placed, int32_t column) const;
  // A text to draw: there, shown, not empty and not left out.
  bool TextDrawn() const;
  // A text left out for want of room (it would overlap another text or a line) is not drawn, nor
  // measured, until it is let in again; its own shown switch stays as it is.
  void SetTextLeftOut(bool out) { textLeftOut = out; }

 private:
  static constexpr std::size_t kAnchor = 0;
  static constexpr std::size_t kBend = 1;
  static constexpr std::size_t kText = 2;

  cf_String& OwnText();
  void GiveAttribsToPoints();
  void MovePoints(double dx, double dy, double dz);
  void DrawLeaders(bf_Display& display);
  void DrawText(bf_Display& display);
  // Selects the marker's own text attributes when it draws with them rather than its series'.
  void SelectOwnAttribs(bf_Display& display, std::optional<cf_TextSelection>& selection);
  // Where the text goes with the current attributes and row shift.
  cf_2DRect TextRect(bf_Display& display);

  std::array<cf_3DPoint, 3> points;
  bool firstLeader = false;
  bool secondLeader = false;
  bool textAtBend = false;
  bool anchorMarker = false;
  bool bendMarker = false;
  // The sum of the Translate calls, about which Scale works.
  std::array<double, 3> translation{};
  std::unique_ptr<cf_String> ownText;
  const cf_String* text = nullptr;
  bool hasText = false;
  bool textShown = false;
  // Pixels down (up when negative) from where the text point places the text, to clear texts before it.
  int32_t textRowShift = 0;
  cf_2DPoint textOffset;
  bool textLeftOut = false;
  cf_2DRect drawnText;
};

#endif
