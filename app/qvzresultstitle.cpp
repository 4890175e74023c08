#include "app/qvzresultstitle.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "app/qvzresultspane.h"
#include "model/qvresultsview.h"
#include "model/qvsettings.h"
#include "toolkit/kzwindowobjectleech.h"

namespace {

struct ColumnTitle {
  const char16_t* key;
  const char16_t* text;
  uint32_t flags;
};

constexpr ColumnTitle kTitles[QvResultsView::kColumnCount] = {
    {u"\\Strings\\Event\\Results\\Fields\\LaneNum", u"Lane", KZSizer::kTextCentred},
    {u"\\Strings\\Event\\Results\\Fields\\Status", u"Status", KZSizer::kTextCentred},
    {u"\\Strings\\Event\\Results\\Fields\\Id", u"Id", 0},
    {u"\\Strings\\Event\\Results\\Fields\\FirstName", u"First Name", 0},
    {u"\\Strings\\Event\\Results\\Fields\\LastName", u"Last Name", 0},
    {u"\\Strings\\Event\\Results\\Fields\\Affiliation", u"Affiliation", 0},
    {u"\\Strings\\Event\\Results\\Fields\\License", u"License", 0},
    {u"\\Strings\\Event\\Results\\Fields\\ReactionTime", u"Reaction Time", KZSizer::kTextRight},
    {u"\\Strings\\Event\\Results\\Fields\\Power", u"Power", KZSizer::kTextRight},
};

// A text line with room for the cell frames.
int32_t StripHeight() {
  return KZWindowObjectLeech::FontHeight(1) + 6;
}

}  // namespace

QvZResultsTitle::QvZResultsTitle(QvZResultsPane* pane, QvResultsView* view)
    : KZSizer(ZAF_DOCK_TOP, StripHeight(), 0, 0), itsPane(pane) {
  sizerFlags &= ~(kLeadingEdge | kTrailingEdge);
  SetView(view);
}

QvZResultsTitle::~QvZResultsTitle() {
  SetView(nullptr);
}

void QvZResultsTitle::SetView(QvResultsView* view) {
  itsView = view;
  if (itsView != nullptr && screenID) {
    Redisplay();
  }
}

int32_t QvZResultsTitle::TableWidth() const {
  return itsPane != nullptr ? itsPane->ClientPixels().x : 0;
}

int32_t QvZResultsTitle::CellCount() {
  return QvResultsView::kColumnCount;
}

int32_t QvZResultsTitle::BoundaryPosition(int32_t index) {
  if (itsView == nullptr) {
    return KZSizer::BoundaryPosition(index);
  }
  return itsView->ColumnStart(std::clamp(index, 0, static_cast<int32_t>(QvResultsView::kColumnCount)));
}

void QvZResultsTitle::SetDragIndex(int32_t index) {
  KZSizer::SetDragIndex(index);
  if (index >= 0 && itsView != nullptr) {
    LayOutColumns(true);
  }
}

void QvZResultsTitle::MoveBoundary(int32_t index, int32_t position) {
  if (itsView == nullptr || index <= 0 || index > QvResultsView::kColumnCount) {
    return;
  }
  const int32_t column = index - 1;
  if (itsView->SetColumnWidth(column, position - itsView->ColumnStart(column))) {
    LayOutColumns(true);
    KZSizer::MoveBoundary(index, position);
    if (itsPane != nullptr && itsPane->ScreenID()) {
      itsPane->Redisplay();
    }
  }
}

void QvZResultsTitle::CellText(int32_t index, KString& text, uint32_t& textFlags) {
  if (index < 0 || index >= QvResultsView::kColumnCount) {
    return;
  }
  text = QvSettings::Text(kTitles[index].key, kTitles[index].text);
  textFlags = kTitles[index].flags;
}

ZafEventType QvZResultsTitle::Draw(const ZafEventRecord& event, ZafEventType drawType) {
  LayOutColumns(false);
  return KZSizer::Draw(event, drawType);
}

void QvZResultsTitle::LayOutColumns(bool changed) {
  if (itsView == nullptr) {
    return;
  }
  // A title is drawn inside its cell's frame.
  std::array<int32_t, QvResultsView::kColumnCount> least{};
  for (int32_t column = 0; column < QvResultsView::kColumnCount; ++column) {
    KString text;
    uint32_t textFlags = 0;
    CellText(column, text, textFlags);
    least[column] = TextWidth(text.CStr(), text.Length()) + 2 * std::abs(frameDepth);
  }
  itsView->RelayoutColumns(TableWidth(), changed, least);
}
