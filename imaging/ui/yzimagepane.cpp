#include "imaging/ui/yzimagepane.h"

#include <algorithm>
#include <memory>

#include "foundation/ksparsearray.h"
#include "framework/core/zafscrollbar.h"
#include "imaging/ui/yzadjustmentsdialog.h"
#include "imaging/ui/yzlanebar.h"
#include "imaging/ui/yzprinter.h"
#include "imaging/yimage.h"
#include "imaging/yimagereporter.h"
#include "imaging/yimageview.h"
#include "imaging/yoverlay.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzpulldownmenu.h"

namespace {

// Line steps are a quarter of the page.
constexpr int32_t kLineStepDivisor = 4;
// Auto-scroll: units a second, faster once the pointer has been outside this long (ms).
constexpr int32_t kSlowAutoScroll = 300;
constexpr int32_t kFastAutoScroll = 500;
constexpr int32_t kSlowAutoScrollTime = 1499;

struct ClassState {
  KSparseArray overlays;
  std::unique_ptr<YZPrinter> printer;
  KString exportFile;
};

ClassState& State() {
  static ClassState state;
  return state;
}

}  // namespace

YZImagePane::YZImagePane(Owner* owner, YImageView* shown)
    : KZScroller(0, 0, 0, 0), itsOwner(owner), laneBar(new YZLaneBar(nullptr)) {
  SetUnitSize({1, 1});
  Add(new ZafScrollBar(ZAF_CORNER_SCROLL));
  Add(new ZafScrollBar(ZAF_HORIZONTAL_SCROLL));
  Add(new ZafScrollBar(ZAF_VERTICAL_SCROLL));
  Add(laneBar);
  SetView(shown);
}

YZImagePane::~YZImagePane() {
  SetView(nullptr);
}

// ---- The view ----

void YZImagePane::SetView(YImageView* shown) {
  if (shown == view) {
    return;
  }
  if (view) {
    laneBar->SetImage(nullptr);
    view = nullptr;
    image = nullptr;
  }
  if (!shown) {
    return;
  }
  view = shown;
  image = view->Image();
  laneBar->SetImage(image);
  ChangeExtent({view->FrameCount(), view->BlockCount()});
  KZScroller::SetPosition(view->Anchor());
  Refresh();
}

bool YZImagePane::OrientationRight() const {
  return image && image->IsMirrored();
}

void YZImagePane::SynchroniseLaneBar() {
  const bool changed = view ? laneBar->SetScaleAndOrigin(view->BlockCount(), position.y) : false;
  if (changed) {
    laneBar->Redisplay();
  } else {
    laneBar->GeometryChanged();
  }
}

void YZImagePane::Refresh() {
  SynchroniseLaneBar();
  // A mirrored image starts at the right: shorter than the page, it lies against the right edge.
  options = OrientationRight() ? options | kAlignRight : options & ~kAlignRight;
  if (view) {
    ChangeExtent({view->FrameCount(), view->BlockCount()});
  }
  KZScroller::Refresh();
}

bool YZImagePane::SetPosition(KPoint newPosition) {
  const bool moved = KZScroller::SetPosition(newPosition);
  if (view) {
    view->SetOriginPair(position);
  }
  SynchroniseLaneBar();
  return moved;
}

void YZImagePane::ExtentChanged() {
  if (!view) {
    return;
  }
  const int32_t oldWidth = extent.x;
  if (!ChangeExtent({view->FrameCount(), view->BlockCount()})) {
    return;
  }
  const int32_t growth = extent.x - oldWidth;
  if (!OrientationRight()) {
    UpdateScrollBars();
    RedrawUnits({oldWidth, 0, extent.x - 1, extent.y - 1}, RedisplayEvent);
    return;
  }
  // New frames come in at the left of a mirrored image: everything shown moves right by the growth.
  SetPosition({position.x + growth, position.y});
  if (view->PositionShown()) {
    view->SetOrigin({view->Origin().x + growth, view->Origin().y});
  }
  if (view->MarksShown()) {
    const KRect& marks = view->Marks();
    view->SetMarks({marks.left + growth, marks.top, marks.right + growth, marks.bottom});
  }
  UpdateScrollBars();
  RedrawUnits({0, 0, growth - 1, extent.y - 1}, RedisplayEvent);
}

bool YZImagePane::ShowImage(const YTime& time, int32_t row) {
  if (!image || !view || !time.HasResolution()) {
    return false;
  }
  const int32_t frame = image->FrameOfTime(time, *view, false);
  return SetCursor({frame, row == -1 ? view->Origin().y : row});
}

// ---- The cursor ----

uint32_t YZImagePane::DragState() const {
  return view ? view->Frozen() : kIdle;
}

void YZImagePane::SetDragState(uint32_t state) {
  if (view) {
    view->SetFrozen(state);
  }
}

bool YZImagePane::SetCursor(KPoint point) {
  if (!view || (view->PositionShown() && view->Origin() == point)) {
    return false;
  }
  // Outside a drag the view is held still for the move, so that it does not update its window meanwhile.
  const bool suspended = view->PositionShown() && DragState() == kIdle;
  if (suspended) {
    view->SetFrozen(kCursorDrag);
  }
  EraseCursor();
  EraseMarks();
  view->SetOrigin(point);
  view->ClipToImage();
  MakeVisible(view->Origin(), true, true);
  view->SetFlag(true);
  DrawCursor();
  if (suspended) {
    view->SetFrozen(kIdle);
  }
  return true;
}

bool YZImagePane::MoveCursorBy(int32_t dx, int32_t dy) {
  if (!view || !view->PositionShown()) {
    return false;
  }
  const KPoint at = view->Origin();
  const bool moved = SetCursor({at.x + dx, at.y + dy});
  if (moved) {
    view->TimeTrackSetting();
  }
  TellOwner();
  return moved;
}

void YZImagePane::TellOwner() {
  if (itsOwner) {
    itsOwner->PaneUpdate();
  }
}

// ---- The scroller's answers ----

int32_t YZImagePane::LineStepX() {
  return std::max(1, VisibleUnits(false).x / kLineStepDivisor);
}

int32_t YZImagePane::LineStepY() {
  return std::max(1, VisibleUnits(false).y / kLineStepDivisor);
}

int32_t YZImagePane::AutoScrollRate(int32_t elapsed) {
  return elapsed <= kSlowAutoScrollTime ? kSlowAutoScroll : kFastAutoScroll;
}

// ---- Events ----

ZafEventType YZImagePane::Event(const ZafEventRecord& event) {
  const ZafEventType code = MapMouseEvent(event);
  switch (code) {
    case LeftPressedEvent:
    case LeftDraggedEvent:
    case LeftReleasedEvent:
    case RightPressedEvent:
    case kRightDragged:
    case kRightReleased:
      return PointerEvent(code, event);
    case kUpKey:
    case kDownKey:
    case kLeftKey:
    case kRightKey:
      ArrowKey(code);
      return code;
    case TipEnterEvent:  // the pointer came onto the pane
      YImageReporter::Current().StatusText(image ? image->Camera().Name() : KString());
      return KZScroller::Event(event);
    case TipLeaveEvent:
      YImageReporter::Current().StatusText(KString());
      return KZScroller::Event(event);
    case UpdateMenuEvent:
      UpdateMenu();
      return code;
    case kAdjustments:
      RunAdjustments();
      return code;
    case kWhiteBalance:
    case kWhiteBalanceSelection:
      if (view && view->UpdateHash()) {
        const KRect marks = view->Marks();
        EraseMarks();
        image->WhiteBalance(marks, *view);
      }
      return code;
    case kClearOverlays:
      ClearOverlays();
      return code;
    case kExportBitmap:
    case kExportSelection:
      ExportMarkedRectangle();
      return code;
    case kPageSetup:
      if (YZPrinter* printer = Printer()) {
        printer->PageSetupDialog();
      }
      return code;
    case kPrintSetup:
      if (YZPrinter* printer = Printer()) {
        printer->PrintSetup();
      }
      return code;
    case kPrint:
    case kPrintSelection:
      return code;
    default:
      if (code >= kFirstOverlay && code <= kLastOverlay) {
        PlaceOverlay(code - kFirstOverlay);
        return code;
      }
      return KZScroller::Event(event);
  }
}

void YZImagePane::UpdateMenu() {
  KZPullDownMenu* menu = KZApplication::mainMenuBar;
  if (!menu) {
    return;
  }
  for (const ZafEventType always : {kAdjustments, kPageSetup, kPrintSetup}) {
    menu->EnableCommand(always, true);
  }
  if (view && view->UpdateHash()) {
    menu->EnableCommand(kExportBitmap, true);
    menu->EnableCommand(kPrint, true);
  }
  const KSparseArray& overlays = Overlays();
  if (view && view->PositionShown() && !overlays.IsEmpty()) {
    menu->EnableCommand(kOverlayMenu, true);
    for (const KSparseArrayItem* overlay = overlays.Next(nullptr); overlay;
         overlay = overlays.Next(overlay)) {
      if (overlay->Index() <= kLastOverlay - kFirstOverlay) {
        menu->EnableCommand(kFirstOverlay + overlay->Index(), true);
      }
    }
  }
  if (overlayLocations.Count() > 0) {
    menu->EnableCommand(kClearOverlays, true);
  }
}

void YZImagePane::RunAdjustments() {
  if (!image) {
    return;
  }
  const double gain = image->Gain();
  const double offset = image->Offset();
  const double scale = image->ScaleFactor();
  YZAdjustmentsDialog dialog(*image);
  if (dialog.Execute() == KZDialog::kCancelResult) {
    image->SetGain(gain);
    image->SetOffset(offset);
    image->SetScaleFactor(scale);
  }
}

void YZImagePane::PlaceOverlay(int32_t number) {
  if (!view || !view->PositionShown() || !Overlays().Item(number)) {
    return;
  }
  const KPoint cursor = view->Origin();
  overlayLocations.Add(new YOverlayLocation(number, image->ViewToPoint(cursor, *view, false)));
  EraseCursor();
  RedrawUnits({cursor.x, cursor.y, cursor.x, cursor.y}, RedisplayEvent);
}

void YZImagePane::ClearOverlays() {
  overlayLocations.Clear();
  Event(ZafEventRecord(static_cast<int32_t>(RedisplayEvent), 0));
}

// ---- Class set-up ----

void YZImagePane::InitClass(const KString& programFolder, const KString& dataOutFolder, bool noOverlay) {
  ClassState& state = State();
  state.exportFile = dataOutFolder;
  if (!state.exportFile.IsEmpty() && state.exportFile[state.exportFile.Length() - 1] != u'/') {
    state.exportFile.AppendChar(u'/');
  }
  YOverlay::InitClass();
  YOverlay::Collect(state.overlays, programFolder, noOverlay);
  state.printer = std::make_unique<YZPrinter>();
}

void YZImagePane::ExitClass() {
  ClassState& state = State();
  state.overlays.Clear();
  YOverlay::ExitClass();
  state.printer.reset();
  state.exportFile.Clear();
}

KSparseArray& YZImagePane::Overlays() {
  return State().overlays;
}

YZPrinter* YZImagePane::Printer() {
  return State().printer.get();
}

KString& YZImagePane::ExportFile() {
  return State().exportFile;
}
