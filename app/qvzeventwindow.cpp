#include "app/qvzeventwindow.h"

#include <array>
#include <initializer_list>

#include "app/panewindowmakers.h"
#include "app/qvzeventpane.h"
#include "app/windowfill.h"
#include "imaging/ui/classbitmaps.h"
#include "toolkit/kzbitmap.h"
#include "toolkit/kzevents.h"
#include "toolkit/kztbbutton.h"
#include "toolkit/kztbspace.h"
#include "toolkit/kztoolbar.h"

namespace {

enum Bitmap : int32_t { kGetInfo, kArmedOn, kArmedOff, kCaptureModeOn, kCaptureModeOff, kBitmapCount };

constexpr const ZafIChar* kBitmapNames[kBitmapCount] = {u"GetInfo", u"ArmedOn", u"ArmedOff", u"CaptureModeOn",
                                                        u"CaptureModeOff"};

std::array<KZBitmap*, kBitmapCount> bitmaps{};

constexpr int32_t kSpaceWidth = 4;

}  // namespace

QvZEventWindow::QvZEventWindow(QvZEventMDI* owner, QvEventView* view)
    : KZWindow(0, 0, 0, 0), itsOwner(owner) {
  SetCoordinateType(ZAF_PIXEL);
  SetBordered(true);
  toolBar = new KZToolBar(ZAF_DOCK_TOP, -1);
  toolBar->SetBordered(false);
  informationButton = new KZTBButton(QvZEventPane::kInformation, bitmaps[kGetInfo], 0, 0);
  // The indicators send nothing and keep their "off" pictures.
  armedIndicator = new KZTBButton(0, bitmaps[kArmedOff], 0, 0);
  captureModeIndicator = new KZTBButton(0, bitmaps[kCaptureModeOff], 0, 0);
  for (ZafWindowObject* item :
       std::initializer_list<ZafWindowObject*>{informationButton, new KZTBSpace(kSpaceWidth), armedIndicator,
                                               new KZTBSpace(kSpaceWidth), captureModeIndicator}) {
    toolBar->Add(item);
  }
  pane = new QvZEventPane(this, nullptr);
  Add(toolBar);
  Add(pane);
  // The pane fills what the tool bar leaves of the window.
  FillWithObject(*this, pane);
  SetView(view);
}

QvZEventWindow::~QvZEventWindow() {
  SetView(nullptr);
}

void QvZEventWindow::CreateBitmaps() {
  LoadClassBitmaps(bitmaps, kBitmapNames);
}

void QvZEventWindow::DestroyBitmaps() {
  ReleaseClassBitmaps(bitmaps);
}

void QvZEventWindow::SetupClass() {
  CreateBitmaps();
  PaneWindowMakers::Register(PaneKind::kSummary,
                             [](QvZEventMDI* owner) { return new QvZEventWindow(owner, nullptr); });
}

void QvZEventWindow::CleanupClass() {
  PaneWindowMakers::Register(PaneKind::kSummary, {});
  DestroyBitmaps();
}

void QvZEventWindow::SetView(QvEventView* view) {
  if (view == itsView) {
    return;
  }
  if (itsView) {
    itsView->SetMode(nullptr);
    pane->SetView(nullptr);
    itsView = nullptr;
    itsRoot = nullptr;
  }
  if (view) {
    itsView = view;
    itsRoot = view->GetRoot();
    itsView->SetMode(this);
    pane->SetView(view);
  }
  Refresh();
}

void QvZEventWindow::Refresh() {
  if (pane->ScreenID()) {
    pane->Refresh();
  }
}

void QvZEventWindow::Notify(const KMessage&) {
  Refresh();
}

ZafEventType QvZEventWindow::Event(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  if ((code >= kFirstCommand && code <= kLastCommand) || code == UpdateMenuEvent) {
    return pane->Event(event);
  }
  return KZWindow::Event(event);
}
