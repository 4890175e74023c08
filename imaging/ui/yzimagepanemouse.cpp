// The image pane's mouse and keys: the cursor drag with the left button, the mark drag with the right one,
// clicks that select results inside the marked rectangle, and arrow-key runs that speed up.
#include <algorithm>

#include "foundation/ktime.h"
#include "imaging/ui/yzimagepane.h"
#include "imaging/ui/yzimagepanesettings.h"
#include "imaging/yimage.h"
#include "imaging/yimagereporter.h"
#include "imaging/yimageview.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "native/native.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzpopupmenu.h"

namespace {

// Either Shift key of a pointer event.
constexpr int32_t kShiftHeld = 3;
// The pane holds the capture for the whole drag: the pointer hides and the pane gets every pointer event.
constexpr uint32_t kDragCapture = KZApplication::kCaptureHidesPointer | KZApplication::kCaptureFeedsMouse;
// Arrow presses closer than this (ms) make a run; after the run's first 1500 ms each press goes 5 times as
// far.
constexpr int32_t kRunGap = 150;
constexpr int32_t kRunSlowTime = 1500;
constexpr int32_t kRunSpeedUp = 5;
// PrintLines 2: ending a mark selects the results in its span.
constexpr int32_t kSelectOnMark = 2;

void Capture(ZafWindowObject* object) {
  if (KZApplication* application = KZApplication::application) {
    application->SetCapture(object, object ? kDragCapture : 0);
  }
}

KString SizeText(const KRect& rect) {
  KString text(u"(");
  text.AppendInt(rect.Width()).AppendChar(u',').AppendInt(rect.Height()).AppendChar(u')');
  return text;
}

}  // namespace

KPoint YZImagePane::ClampToExtent(KPoint unit) const {
  return {std::clamp(unit.x, 0, std::max(0, extent.x - 1)), std::clamp(unit.y, 0, std::max(0, extent.y - 1))};
}

ZafEventType YZImagePane::PointerEvent(ZafEventType code, const ZafEventRecord& event) {
  if (!view) {
    return KZScroller::Event(event);
  }
  ZafEventRecord translated = event;
  if (translated.referenceObject != this) {
    ConvertCoordinates(translated);
  }
  const ZafPositionStruct at = translated.Position();
  const KPoint pixel{at.column, at.line};
  const KPoint unit = PixelToUnit(pixel);
  const uint32_t state = DragState();
  if (code == LeftPressedEvent && state == kIdle) {
    LeftPressed(unit, translated);
  } else if (state == kCursorDrag && code >= LeftPressedEvent && code <= LeftReleasedEvent) {
    CursorDrag(code, unit);
  } else if (code == RightPressedEvent && state == kIdle) {
    RightPressed(unit);
  } else if (state == kMarkDrag && (code == kRightDragged || code == kRightReleased)) {
    MarkDrag(code, unit, ToScreenPoint(pixel));
  } else {
    return KZScroller::Event(event);
  }
  return code;
}

void YZImagePane::LeftPressed(KPoint unit, const ZafEventRecord& event) {
  TellOwner();
  if (event.modifiers & kShiftHeld) {
    const ZafPositionStruct at = event.Position();
    if (!itsOwner || !itsOwner->EnterResultPopup(ToScreenPoint({at.column, at.line}))) {
      native::MessageBeep(0);
    }
    return;
  }
  if (YZImagePaneSettings::Value(YZImagePaneSettings::kPrintLines) != 0 && view->UpdateHash() &&
      view->Marks().Contains(unit)) {
    ToggleResultAt(unit);
    return;
  }
  EraseMarks();
  Capture(this);
  SetDragState(kCursorDrag);
}

bool YZImagePane::ToggleResultAt(KPoint unit) {
  QvResults* results = Results();
  QvResult* result = results ? results->FindAroundTime(view->TimeAt(unit.x)) : nullptr;
  if (!result) {
    return false;
  }
  const int32_t column = ResultColumn(*result);
  const KRect& marks = view->Marks();
  if (column <= marks.left || column >= marks.right) {
    return false;
  }
  result->SetSelected(!result->IsSelected(image, nullptr), image, nullptr);
  resultsSelected = true;
  BeginDraw();
  DrawColumnLine(column, YZImagePaneSettings::kMarksColour, marks.top - 1, marks.bottom + 1);
  EndDraw();
  return true;
}

void YZImagePane::CursorDrag(ZafEventType code, KPoint unit) {
  bool autoScrolled = false;
  if (!VisibleRange(false).Contains(unit)) {
    EraseCursor();
    if (AutoScrollCheck(unit)) {
      AutoScrollStep(unit);
      autoScrolled = true;
    }
  }
  const KPoint point = ClampToExtent(unit);
  if (point != view->Origin()) {
    EraseCursor();
    view->SetOrigin(point);
  }
  const bool released = code == LeftReleasedEvent;
  if ((!autoScrolled || released) && !view->PositionShown()) {
    view->SetFlag(true);
    DrawCursor();
    view->TimeTrackSetting();
  }
  if (released) {
    Capture(nullptr);
    SetDragState(kIdle);
    TellOwner();
  }
}

void YZImagePane::RightPressed(KPoint unit) {
  EraseCursor();
  TellOwner();
  Capture(this);
  SetDragState(kMarkDrag);
  markStart = ClampToExtent(unit);
  markCorner = {markStart.x - 1, markStart.y};
}

void YZImagePane::MarkDrag(ZafEventType code, KPoint unit, KPoint screen) {
  bool autoScrolled = false;
  if (!VisibleRange(false).Contains(unit)) {
    EraseMarks();
    if (AutoScrollCheck(unit)) {
      AutoScrollStep(unit);
      autoScrolled = true;
    }
  }
  const KPoint point = ClampToExtent(unit);
  if (point != markCorner) {
    EraseMarks();
    markCorner = point;
    const KRect marks{std::min(markStart.x, point.x), std::min(markStart.y, point.y),
                      std::max(markStart.x, point.x), std::max(markStart.y, point.y)};
    view->SetMarks(marks);
    YImageReporter::Current().StatusText(SizeText(marks));
  }
  const bool released = code == kRightReleased;
  if ((!autoScrolled || released) && !view->MarksShown()) {
    view->SetShowLines(true);
    DrawMarks();
  }
  if (!released) {
    return;
  }
  if (YZImagePaneSettings::Value(YZImagePaneSettings::kPrintLines) == kSelectOnMark) {
    EraseMarks();
    view->SetShowLines(true);
    SelectMarkedResults();
    DrawMarks();
  }
  Capture(nullptr);
  SetDragState(kIdle);
  ShowSelectionPopup(screen);
}

void YZImagePane::SelectMarkedResults() {
  QvResults* results = Results();
  if (!results) {
    return;
  }
  const KRect& marks = view->Marks();
  YTime from = view->TimeAt(marks.left);
  YTime to = view->TimeAt(marks.right);
  if (to < from) {
    std::swap(from, to);
  }
  QvResult* first = results->FindAroundTime(from);
  const QvResult* last = results->FindAroundTime(to);
  if (!first || !last) {
    return;
  }
  for (QvResult* result = first; result; result = results->Iterate(result, nullptr)) {
    result->SetSelected(true, image, nullptr);
    if (result == last) {
      break;
    }
  }
  resultsSelected = true;
}

void YZImagePane::ShowSelectionPopup(KPoint screen) {
  KZPopUpMenu menu(screen);
  const struct {
    ZafEventType code;
    const char16_t* key;
  } items[] = {{kCropSelection, u"\\Strings\\Event\\Image\\SelectionPopup\\Crop"},
               {kEnhanceSelection, u"\\Strings\\Event\\Image\\SelectionPopup\\Enhance"},
               {kExportSelection, u"\\Strings\\Event\\Image\\SelectionPopup\\ExportBitmap"},
               {kPrintSelection, u"\\Strings\\Event\\Image\\SelectionPopup\\Print"}};
  for (const auto& item : items) {
    menu.Add(new KZPopUpItem(item.code, QvSettings::Text(item.key).CStr(), ZAF_ITEM_ORDINARY));
  }
  menu.Popup();
}

void YZImagePane::ArrowKey(ZafEventType code) {
  const uint32_t now = KGetTickCount();
  // A tick count that went back (another source installed, say) starts a new run.
  const int32_t gap = KTickDifference(now, lastArrowTick);
  const bool runGoesOn = code == lastArrow && gap >= 0 && gap < kRunGap;
  if (!runGoesOn) {
    arrowRunStart = now;
  }
  lastArrow = code;
  lastArrowTick = now;
  const int32_t factor = runGoesOn && KTickDifference(now, arrowRunStart) > kRunSlowTime ? kRunSpeedUp : 1;
  const KPoint steps[] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
  const KPoint step = steps[code - kUpKey];
  MoveCursorBy(step.x * factor, step.y * factor);
}
