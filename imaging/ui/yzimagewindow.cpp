#include "imaging/ui/yzimagewindow.h"

#include "framework/core/zafborder.h"
#include "framework/core/zafdisplay.h"
#include "imaging/ui/yzbitmapset.h"
#include "imaging/ui/yzimagetoolitems.h"
#include "imaging/yimage.h"
#include "imaging/yimagereporter.h"
#include "imaging/yimageview.h"
#include "model/qvresult.h"
#include "model/qvsettings.h"
#include "native/native.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzbitmap.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzpulldownmenu.h"
#include "toolkit/kztbbutton.h"
#include "toolkit/kztbspace.h"
#include "toolkit/kztoolbar.h"

namespace {

// The tool bar's bitmaps; the first four by identification method.
enum Bitmap {
  kIdMethodNone,
  kZoomOutBitmap = 4,
  kZoomInBitmap,
  kCropBitmap,
  kUncropBitmap,
  kAutoCropBitmap,
  kFindObjectBitmap,
  kEnhanceBitmap,
  kUnenhanceBitmap,
  kPrintBitmap,
  kMaximizeBitmap
};
YZBitmapSet bitmaps{u"IdMethodNone", u"IdMethodLane", u"IdMethodId", u"IdMethodLicense", u"ZoomOut",
                    u"ZoomIn",       u"Crop",         u"Uncrop",     u"AutoCrop",        u"FindObject",
                    u"Enhance",      u"Unenhance",    u"Print",      u"MaximizeImage",   u"RestoreImage"};

constexpr int32_t kIdMethods = 4;
constexpr int32_t kTitleCells = 9;
constexpr int32_t kIdCells = 4;
constexpr int32_t kZoomCells = 6;
constexpr int32_t kZoomRows = 14;
constexpr int32_t kSpacer = 4;
// The framework's placement of an object against the edges, in the area its earlier siblings leave.
constexpr int32_t kFillsTheRest = 2;
constexpr ZafEventType kPrintCommand = YZImagePane::kPrint;

// The time resolutions of 10367 to 10372 in time units (80 a millisecond): 1 s down to 0.1 ms.
constexpr int64_t kResolutions[] = {80000, 16000, 8000, 800, 80, 8};
constexpr int64_t kDefaultResolution = 800;

bool Shown(const char16_t* name) {
  KString path(u"\\Event\\Image\\ToolBar\\");
  return QvSettings::Int(path.Append(name).CStr(), 0, QvSettings::kSwitch) != 0;
}

int32_t IdMethodOf(const YImage* image) {
  const int32_t method = image ? image->DisplayKind() : 0;
  return method >= 0 && method < kIdMethods ? method : 0;
}

int32_t CellWidth() {
  return ZafWindowObject::display ? ZafWindowObject::display->cellWidth : 0;
}

}  // namespace

YZImageWindow::YZImageWindow(YImageView* shown) : KZWindow(0, 0, 60, 20) {
  SetCoordinateType(ZAF_PIXEL);
  Add(new ZafBorder());
  toolBar = new KZToolBar(ZAF_DOCK_TOP, -1);
  toolBar->SetNonCurrent(false);
  toolBar->SetBordered(false);
  BuildToolBar();
  pane = new YZImagePane(this, nullptr);
  // The pane takes the whole area the tool bar leaves.
  pane->SetPlacement(kFillsTheRest);
  Add(toolBar);
  Add(pane);
  SetImage(shown);
}

YZImageWindow::~YZImageWindow() {
  SetImage(nullptr);
}

void YZImageWindow::Register() {
  bitmaps.Load();
}

void YZImageWindow::Unregister() {
  bitmaps.Release();
}

KZTBButton* YZImageWindow::AddButton(Button button, ZafEventType command, int32_t bitmap) {
  buttons[button] = new KZTBButton(command, bitmaps[bitmap], 0, 0);
  toolBar->Add(buttons[button]);
  return buttons[button];
}

void YZImageWindow::BuildToolBar() {
  toolBar->Add(new KZTBButton(kEnterResult, u"", kTitleCells));
  toolBar->Add(new KZTBSpace(kSpacer));
  idPane = new YZIdPane(this, kIdCells * CellWidth());
  toolBar->Add(idPane);
  if (Shown(u"IdMethod")) {
    AddButton(kIdMethod, kIdMethodFirst, kIdMethodNone);
  }
  toolBar->Add(new KZTBSpace(kSpacer));
  if (Shown(u"ZoomInOut")) {
    AddButton(kZoomOutButton, kZoomOut, kZoomOutBitmap);
    AddButton(kZoomInButton, kZoomIn, kZoomInBitmap);
  }
  if (Shown(u"ZoomSelector")) {
    zoomSelector =
        new YZZoomSelector(this, kZoomCells * CellWidth(), kZoomRows * KZWindowLeech::FontHeight(0));
    toolBar->Add(zoomSelector);
  }
  const struct {
    const char16_t* setting;
    Button button;
    ZafEventType command;
    int32_t bitmap;
  } rest[] = {{u"Crop", kCropButton, kCrop, kCropBitmap},
              {u"AutoCrop", kAutoCropButton, kAutoCrop, kAutoCropBitmap},
              {u"FindObject", kFindObjectButton, kFindObject, kFindObjectBitmap},
              {u"Enhance", kEnhanceButton, kEnhance, kEnhanceBitmap},
              {u"Print", kPrintButton, kPrintCommand, kPrintBitmap},
              {u"Maximize", kMaximizeButton, kMaximize, kMaximizeBitmap}};
  for (const auto& item : rest) {
    if (Shown(item.setting)) {
      AddButton(item.button, item.command, item.bitmap);
    }
  }
}

// ---- The view ----

void YZImageWindow::AttachView(YImageView* shown, YImageViewWindow* window) {
  shown->SetOwner(window);
}

void YZImageWindow::SetImage(YImageView* newView) {
  if (newView == view) {
    return;
  }
  if (view) {
    AttachView(view, nullptr);
    pane->SetView(nullptr);
    image = nullptr;
    view = nullptr;
  }
  if (newView) {
    view = newView;
    image = newView->Image();
    AttachView(view, this);
    pane->SetView(view);
    Update(false);
  }
}

void YZImageWindow::SetButton(Button button, ZafEventType command, int32_t bitmap) {
  if (KZTBButton* shown = buttons[button]) {
    shown->SetValue(command);
    if (shown->Bitmap() != bitmaps[bitmap]) {
      shown->SetBitmap(bitmaps[bitmap]);
    }
  }
}

bool YZImageWindow::HasMarks() const {
  return view && view->UpdateHash();
}

void YZImageWindow::Update(bool redrawPane) {
  if (redrawPane) {
    pane->Refresh();
  }
  toolBar->SetText(image ? image->Camera().Name() : KString());
  const int32_t method = IdMethodOf(image);
  SetButton(kIdMethod, kIdMethodFirst + method, kIdMethodNone + method);
  if (zoomSelector && view) {
    KString percent;
    percent.AppendInt(view->Zoom().Percent());
    zoomSelector->SetText(percent.CStr());
  }
  const bool marks = HasMarks();
  const bool uncrop = image && !image->Cuts().IsEmpty() && !marks;
  SetButton(kCropButton, uncrop ? kUncrop : kCrop, uncrop ? kUncropBitmap : kCropBitmap);
  SetButton(kEnhanceButton, marks ? kEnhance : kUnenhance, marks ? kEnhanceBitmap : kUnenhanceBitmap);
  // The window never maximizes itself, so the button always offers to.
  SetButton(kMaximizeButton, kMaximize, kMaximizeBitmap);
}

void YZImageWindow::PaneAction() {
  pane->SynchroniseLaneBar();
}

void YZImageWindow::ObjectSearchRequest() {
  pane->ExtentChanged();
}

void YZImageWindow::ShowTime(const YTime& time, int32_t line) {
  pane->ShowImage(time, line);
}

void YZImageWindow::RedrawLine(int32_t) {
  // The line belongs to a result of the leg: redrawing the pane draws the lines of all its results.
  pane->Redisplay();
}

// ---- Commands ----

void YZImageWindow::ZoomTo(int32_t percent) {
  if (view && view->Zoom().Set(percent, 100, true)) {
    Recentre();
  }
}

void YZImageWindow::ScrollToCursor() {
  if (view && view->PositionShown()) {
    pane->MakeVisible(view->Origin(), true, true);
  }
}

void YZImageWindow::Recentre() {
  if (!view) {
    return;
  }
  if (view->PositionShown()) {
    ScrollToCursor();
  } else if (HasMarks()) {
    const KRect& marks = view->Marks();
    pane->MakeVisible({marks.left + marks.Width() / 2, marks.top + marks.Height() / 2}, true, true);
  }
}

void YZImageWindow::Crop() {
  if (HasMarks()) {
    const KRect marks = view->Marks();
    view->SetShowLines(false);
    image->CutFrames(marks.left, marks.right, *view, true);
  }
}

void YZImageWindow::Uncrop() {
  if (!image || image->Cuts().IsEmpty()) {
    return;
  }
  if (!YImageReporter::Current().AskOkCancel(QvSettings::Text(u"\\Strings\\Event\\Image\\UncropTitle"),
                                             QvSettings::Text(u"\\Strings\\Event\\Image\\UncropText"))) {
    return;
  }
  image->RemoveCuts();
  ScrollToCursor();
}

void YZImageWindow::AutoCrop() {
  if (!image) {
    return;
  }
  view->SetShowLines(false);
  image->AutoCrop(native::GetKeyState(native::VK_SHIFT) < 0);
  ScrollToCursor();
}

void YZImageWindow::FindObject() {
  if (!view) {
    return;
  }
  view->SetShowLines(false);
  view->SetFlag(false);
  // Drawn again without the old cursor and marks, found or not.
  pane->Redisplay();
  if (!view->FindNextObject()) {
    native::MessageBeep(0);
    return;
  }
  const KRect& object = view->ObjectRect();
  const bool orientationRight = image->Camera().Parameter(16) > 0;
  pane->SetCursor({orientationRight ? object.right : object.left, (object.top + object.bottom) / 2});
}

void YZImageWindow::Enhance() {
  if (HasMarks()) {
    const KRect marks = view->Marks();
    view->SetShowLines(false);
    image->Enhance(marks, *view);
  }
}

int64_t YZImageWindow::TimeResolution() const {
  return timeResolution != 0 ? timeResolution : kDefaultResolution;
}

void YZImageWindow::UpdateMenu() {
  KZPullDownMenu* menu = KZApplication::mainMenuBar;
  if (!menu) {
    return;
  }
  for (const ZafEventType always : {kZoomOut, kZoomIn, kZoomMode, kAutoCrop, kFindObject, kResolutionMenu}) {
    menu->EnableCommand(always, true);
  }
  menu->CheckCommand(kZoomMode, view && (view->Zoom().Mode() & 1) != 0);
  const bool marks = HasMarks();
  for (const ZafEventType withMarks : {kCrop, kEnhance, YZImagePane::kWhiteBalance}) {
    menu->EnableCommand(withMarks, marks);
  }
  menu->EnableCommand(kUncrop, image && !image->Cuts().IsEmpty());
  menu->EnableCommand(kUnenhance, image && (image->Flags() & YImage::kEnhancedTables) != 0);
  for (ZafEventType code = kResolutionFirst; code <= kResolutionLast; ++code) {
    menu->EnableCommand(code, true);
    menu->CheckCommand(code, kResolutions[code - kResolutionFirst] == TimeResolution());
  }
}

ZafEventType YZImageWindow::Event(const ZafEventRecord& event) {
  const ZafEventType code = MapEvent(event);
  if (code >= YZImagePane::kUpKey && code <= YZImagePane::kRightKey) {
    return pane->Event(event);
  }
  if (code >= kIdMethodFirst && code <= kIdMethodLast) {
    if (image) {
      image->SetDisplayKind(-1);
    }
    return code;
  }
  if (code >= kResolutionFirst && code <= kResolutionLast) {
    timeResolution = kResolutions[code - kResolutionFirst];
    return code;
  }
  if (code >= kResultFirst && code <= kResultLast) {
    if (QvResult* result = MenuResult(code)) {
      EnterResult(result);
    }
    return kResultFirst;
  }
  if ((code >= YZImagePane::kFirstOverlay && code <= kPrintCommand) ||
      (code >= YZImagePane::kWhiteBalanceSelection && code <= YZImagePane::kPrintSelection)) {
    return pane->Event(event);
  }
  switch (code) {
    case 1054:  // Shift+Tab and Tab stay in the window
    case 1055:
      return code;
    case UpdateMenuEvent:
      UpdateMenu();
      return pane->Event(event);
    case kZoomOut:
    case kZoomIn:
      if (view && (code == kZoomIn ? view->Zoom().ZoomIn(true) : view->Zoom().ZoomOut(true))) {
        Recentre();
      }
      return code;
    case kZoomSelect:
      return zoomSelector ? zoomSelector->Event(event) : code;
    case kZoomMode:
      if (view) {
        view->Zoom().SetModeFlag((view->Zoom().Mode() & 1) == 0);
      }
      return code;
    case kEnterResult:
      EnterResult(nullptr);
      return code;
    case kCrop:
    case YZImagePane::kCropSelection:
      Crop();
      return code;
    case kUncrop:
      Uncrop();
      return code;
    case kAutoCrop:
      AutoCrop();
      return code;
    case kFindObject:
      FindObject();
      return code;
    case kEnhance:
    case YZImagePane::kEnhanceSelection:
      Enhance();
      return code;
    case kUnenhance:
      if (image) {
        image->BuildColourTables();
      }
      return code;
    case YZImagePane::kAdjustments:
    case YZImagePane::kWhiteBalance:
    case YZImagePane::kClearOverlays:
      return pane->Event(event);
    default:
      return KZWindow::Event(event);
  }
}
