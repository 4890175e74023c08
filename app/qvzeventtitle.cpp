#include "app/qvzeventtitle.h"

#include <span>

#include "app/qvzeventpane.h"
#include "model/qveventview.h"
#include "model/qvsettings.h"
#include "toolkit/kzwindowobjectleech.h"

namespace {

// The column titles of each kind of row, in the order of the view's kinds.
constexpr const char16_t* kEventTitles[] = {
    u"\\Strings\\Event\\Fields\\Name", u"\\Strings\\Event\\Fields\\EventNumber",
    u"\\Strings\\Event\\Fields\\RoundNumber", u"\\Strings\\Event\\Fields\\HeatNumber"};
constexpr const char16_t* kStartTitles[] = {u"\\Strings\\Event\\Start\\Fields\\Name",
                                            u"\\Strings\\Event\\Start\\Fields\\Time"};
constexpr const char16_t* kWindTitles[] = {
    u"\\Strings\\Event\\Wind\\Fields\\Name", u"\\Strings\\Event\\Wind\\Fields\\Reading",
    u"\\Strings\\Event\\Wind\\Fields\\Units", u"\\Strings\\Event\\Wind\\Fields\\Mode"};
constexpr const char16_t* kLegTitles[] = {u"\\Strings\\Event\\Leg\\Fields\\Name",
                                          u"\\Strings\\Event\\Leg\\Fields\\CaptureStart",
                                          u"\\Strings\\Event\\Leg\\Fields\\CaptureDuration"};
constexpr const char16_t* kResultsTitles[] = {u"\\Strings\\Event\\Results\\Fields\\Name"};
constexpr const char16_t* kImageTitles[] = {
    u"\\Strings\\Event\\Image\\Fields\\Name", u"\\Strings\\Event\\Image\\Fields\\Rate",
    u"\\Strings\\Event\\Image\\Fields\\Density", u"\\Strings\\Event\\Image\\Fields\\Mode",
    u"\\Strings\\Event\\Image\\Fields\\Gain"};

std::span<const char16_t* const> Titles(int32_t kind) {
  switch (kind) {
    case QvEventView::kEventRow:
      return kEventTitles;
    case QvEventView::kStartRow:
      return kStartTitles;
    case QvEventView::kWindRow:
      return kWindTitles;
    case QvEventView::kLegRow:
      return kLegTitles;
    case QvEventView::kResultsRow:
      return kResultsTitles;
    case QvEventView::kImageRow:
      return kImageTitles;
    default:
      return {};
  }
}

// A text line with room for the cell frames.
int32_t StripHeight() {
  return KZWindowObjectLeech::FontHeight(1) + 6;
}

}  // namespace

QvZEventTitle::QvZEventTitle(QvZEventPane* pane, QvEventView* view)
    : KZSizer(ZAF_DOCK_TOP, StripHeight(), 0, 0), itsPane(pane) {
  sizerFlags &= ~(kLeadingEdge | kTrailingEdge);
  SetView(view);
}

QvZEventTitle::~QvZEventTitle() = default;

void QvZEventTitle::SetView(QvEventView* view) {
  itsView = view;
  if (screenID) {
    Redisplay();
  }
}

int32_t QvZEventTitle::Kind() const {
  return itsPane ? itsPane->KindOf(itsPane->CurrentCell().y) : QvEventView::kNone;
}

int32_t QvZEventTitle::CellCount() {
  return static_cast<int32_t>(Titles(Kind()).size());
}

int32_t QvZEventTitle::BoundaryPosition(int32_t index) {
  const int32_t count = CellCount();
  if (!itsView || index < 0 || index > count) {
    return KZSizer::BoundaryPosition(index);
  }
  const int32_t kind = Kind();
  return index < count ? itsView->GetCell(kind, index)
                       : itsView->GetCell(kind, count - 1) + itsView->GetSpan(kind, count - 1);
}

void QvZEventTitle::MoveBoundary(int32_t index, int32_t position) {
  if (!itsView || index <= 0 || index >= CellCount()) {
    return;
  }
  itsView->SetCell(Kind(), index, position);
  KZSizer::MoveBoundary(index, position);
  if (itsPane && itsPane->ScreenID()) {
    itsPane->Redisplay();
  }
}

void QvZEventTitle::CellText(int32_t index, KString& text, uint32_t&) {
  const std::span<const char16_t* const> titles = Titles(Kind());
  if (index < 0 || index >= static_cast<int32_t>(titles.size())) {
    return;
  }
  // Only the results row's title has a text of its own when the language file gives none.
  text = QvSettings::Text(titles[static_cast<size_t>(index)],
                          Kind() == QvEventView::kResultsRow ? u"Results" : u"");
}
