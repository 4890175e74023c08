#include "app/qvzeventpane.h"

#include <initializer_list>
#include <memory>

#include "app/qvzcontrol.h"
#include "app/qvzeventtitle.h"
#include "app/qvzeventwindow.h"
#include "app/qvzwindwindowdialog.h"
#include "app/yzapplication.h"
#include "framework/core/zafscrollbar.h"
#include "imaging/ui/yzcameradialog.h"
#include "imaging/ui/yzhardwarebar.h"
#include "imaging/yimage.h"
#include "model/qvevent.h"
#include "model/qvsettings.h"
#include "model/yfdm.h"
#include "model/yleg.h"
#include "model/ystart.h"
#include "model/ywind.h"
#include "model/ywindgauge.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzeditableselectorstring.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzpopupmenu.h"
#include "toolkit/kzpulldownmenu.h"

namespace {

// Times of the pane: a start's at hundredths, the legs' and the wind's windows at tenths of a second.
constexpr int32_t kHundredths = YTime::kUnitsPerSecond / 100;
constexpr int32_t kTenths = YTime::kUnitsPerSecond / 10;

// Camera parameters the pane shows and edits.
constexpr int32_t kFrameLayout = 5;
constexpr int32_t kDensityOrWindow = 7;
constexpr int32_t kFrameRate = 8;
constexpr int32_t kGainMethod = 11;
constexpr int32_t kGain = 12;
constexpr int32_t kManualGain = 1;

constexpr const char16_t* kModeTexts[YWind::kModeCount] = {
    u"\\Strings\\Event\\Wind\\Mode\\Manual",     u"\\Strings\\Event\\Wind\\Mode\\Custom",
    u"\\Strings\\Event\\Wind\\Mode\\100Meter",   u"\\Strings\\Event\\Wind\\Mode\\200Meter",
    u"\\Strings\\Event\\Wind\\Mode\\100Hurdles", u"\\Strings\\Event\\Wind\\Mode\\110Hurdles"};
constexpr const char16_t* kDensityTexts[] = {u"\\Strings\\Event\\Image\\Fields\\High",
                                             u"\\Strings\\Event\\Image\\Fields\\Medium",
                                             u"\\Strings\\Event\\Image\\Fields\\Low"};
constexpr const char16_t* kRawLayoutTexts[] = {u"\\Strings\\Event\\Image\\Fields\\Full",
                                               u"\\Strings\\Event\\Image\\Fields\\Top",
                                               u"\\Strings\\Event\\Image\\Fields\\Bottom"};
constexpr const char16_t* kCodedLayoutTexts[] = {
    u"\\Strings\\Event\\Image\\Fields\\Ave1", u"\\Strings\\Event\\Image\\Fields\\Ave2",
    u"\\Strings\\Event\\Image\\Fields\\Ave3", u"\\Strings\\Event\\Image\\Fields\\Ave4"};

// The text at `index` of the list, nothing outside it.
template <size_t N>
void AppendListed(KString& text, const char16_t* const (&keys)[N], int32_t index) {
  if (index >= 0 && index < static_cast<int32_t>(N)) {
    text.Append(QvSettings::Text(keys[index]));
  }
}

void AppendTime(KString& text, int32_t milliseconds, int32_t resolution) {
  YTime::FromMilliseconds(milliseconds).Format(text, resolution);
}

struct PopupItem {
  const char16_t* key;
  ZafEventType command;
};

// A pop-up at the screen point of the items (a null key is a separator), the one at `checked` marked
// (separators not counted).
std::unique_ptr<KZPopUpMenu> Popup(KPoint screen, std::initializer_list<PopupItem> items, int32_t checked) {
  auto menu = std::make_unique<KZPopUpMenu>(screen);
  for (const PopupItem& item : items) {
    if (!item.key) {
      menu->Add(new KZPopUpItem(ZAF_ITEM_SEPARATOR));
    } else {
      menu->Add(new KZPopUpItem(static_cast<int32_t>(item.command), QvSettings::Text(item.key).CStr(),
                                ZAF_ITEM_ORDINARY));
    }
  }
  SetItemChecked(*menu, checked, true, true);
  return menu;
}

}  // namespace

QvZEventPane::QvZEventPane(QvZEventWindow* owner, QvEventView* view)
    : KZEditableSelector(0, 0, 0, 0), itsOwner(owner) {
  SetCoordinateType(ZAF_PIXEL);
  title = new QvZEventTitle(this, nullptr);
  Add(title);
  header = title;
  Add(new ZafScrollBar(ZAF_VERTICAL_SCROLL));
  SetView(view);
}

QvZEventPane::~QvZEventPane() {
  SetView(nullptr);
  header = nullptr;
}

void QvZEventPane::SetView(QvEventView* view) {
  if (view == itsView) {
    return;
  }
  itsView = view;
  title->SetView(view);
  ChangeExtent({1, view ? view->CountItems() : 0});
  if (view) {
    KZEditableSelector::SetPosition(view->GetRange1());
    KZEditableSelector::SetCurrentCell(view->GetRange2());
  }
  if (screenID) {
    Refresh();
  }
}

QvEvent* QvZEventPane::GetEvent() const {
  return itsView ? itsView->GetRoot() : nullptr;
}

QvZEventPane::Row QvZEventPane::RowAt(int32_t row) const {
  Row found;
  if (!itsView) {
    return found;
  }
  QvEventView::Iterator walk;
  walk.Init(*itsView);
  if (!walk.Reset(row)) {
    return found;
  }
  found.kind = walk.State();
  found.start = walk.Start();
  found.wind = walk.Wind();
  found.leg = walk.Leg();
  found.image = dynamic_cast<YImage*>(walk.Image());
  if (found.kind == QvEventView::kImageRow && !found.image) {
    found.kind = QvEventView::kNone;
  }
  return found;
}

int32_t QvZEventPane::KindOf(int32_t row) const {
  return RowAt(row).kind;
}

// ---- Position ----

void QvZEventPane::Refresh() {
  ChangeExtent({1, itsView ? itsView->CountItems() : 0});
  KZEditableSelector::Refresh();
}

bool QvZEventPane::SetPosition(KPoint position) {
  const bool changed = KZEditableSelector::SetPosition(position);
  if (itsView) {
    itsView->SetRange1(Position());
  }
  return changed;
}

bool QvZEventPane::SetCurrentCell(KPoint cell) {
  const bool changed = KZEditableSelector::SetCurrentCell(cell);
  if (itsView) {
    itsView->SetRange2(CurrentCell());
  }
  if (changed && title->ScreenID()) {
    title->Redisplay();
  }
  return changed;
}

// ---- Cells ----

int32_t QvZEventPane::ColumnCount(KPoint) {
  return QvEventView::kColumnCount;
}

void QvZEventPane::ColumnRegion(KPoint cell, int32_t column, KRect& rect, int32_t mode) {
  const int32_t kind = KindOf(cell.y);
  if (itsView && kind != QvEventView::kNone && column >= 0 && column < QvEventView::kColumnCount) {
    rect.left += itsView->GetCell(kind, column);
    rect.right = rect.left + itsView->GetSpan(kind, column) - 1;
  } else {
    rect.left = rect.right + 1;
  }
  KZEditableSelector::ColumnRegion(cell, column, rect, mode);
}

void QvZEventPane::CellText(KPoint cell, int32_t column, KString& text, uint32_t&) {
  const Row row = RowAt(cell.y);
  switch (row.kind) {
    case QvEventView::kEventRow: {
      const QvEvent* event = GetEvent();
      if (column == 0) {
        text.Append(event->GetTitle());
      } else if (event->HasEventRoundHeat()) {
        const KString* numbers[] = {&event->EventNumber(), &event->RoundNumber(), &event->HeatNumber()};
        if (column >= 1 && column <= 3) {
          text.Append(*numbers[column - 1]);
        }
      }
      break;
    }
    case QvEventView::kStartRow:
      if (column == 0) {
        text.Append(row.start->Name());
      } else if (column == 1) {
        row.start->FirstTime().Format(text, kHundredths);
        if (row.start->IsEmpty()) {
          text.AppendChar(u' ').Append(QvSettings::Text(u"\\Strings\\Event\\Start\\Manual"));
        }
      }
      break;
    case QvEventView::kWindRow:
      if (column == 0) {
        text.Append(QvSettings::Text(u"\\Strings\\Event\\Wind\\DefaultName"));
      } else if (column == 1) {
        row.wind->Format(text);
      } else if (column == 2) {
        row.wind->UnitsText(text);
      } else if (column == 3) {
        AppendListed(text, kModeTexts, row.wind->Mode());
        text.Append(u" (");
        AppendTime(text, row.wind->StartOffset(), kTenths);
        text.AppendChar(u',');
        AppendTime(text, row.wind->Duration(), kTenths);
        text.AppendChar(u')');
      }
      break;
    case QvEventView::kLegRow:
      if (column == 0) {
        text.Append(row.leg->Name());
      } else if (column == 1 || column == 2) {
        AppendTime(text, column == 1 ? row.leg->Parameter1() : row.leg->Parameter2(), kTenths);
      }
      break;
    case QvEventView::kResultsRow:
      if (column == 0) {
        text.Append(row.leg->Results().Name());
      }
      break;
    case QvEventView::kImageRow: {
      const YCamera& camera = row.image->Camera();
      if (column == 0) {
        text.Append(camera.Name());
      } else if (column == 1) {
        text.AppendInt(camera.Parameter(kFrameRate));
      } else if (column == 2 && camera.IsType101()) {
        AppendListed(text, kDensityTexts, camera.Parameter(kDensityOrWindow));
      } else if (column == 2 && camera.IsType102()) {
        text.AppendInt(camera.Parameter(kDensityOrWindow));
      } else if (column == 3 && camera.IsType101()) {
        AppendListed(text, kRawLayoutTexts, camera.Parameter(kFrameLayout));
      } else if (column == 3 && camera.IsType102()) {
        AppendListed(text, kCodedLayoutTexts, camera.Parameter(kFrameLayout));
      } else if (column == 4) {
        text.AppendInt(camera.Parameter(kGain));
      }
      break;
    }
    default:
      break;
  }
}

// ---- Editing ----

bool QvZEventPane::CanEditCell(KPoint cell, int32_t column) {
  const Row row = RowAt(cell.y);
  switch (row.kind) {
    case QvEventView::kEventRow:
      return column == 0;
    case QvEventView::kWindRow:
      return column == 1;
    case QvEventView::kLegRow:
      return column == 1 || column == 2;
    case QvEventView::kImageRow: {
      const YCamera& camera = row.image->Camera();
      return column == 1 || (column == 2 && camera.IsType102() && !camera.IsLocked(kDensityOrWindow)) ||
             (column == 4 && camera.Parameter(kGainMethod) == kManualGain);
    }
    default:
      return false;
  }
}

void QvZEventPane::StoreEdit(int32_t column, KZEditableSelectorString& editor, ZafEventType) {
  const Row row = CurrentRow();
  if (!CanEditCell(CurrentCell(), column)) {
    return;
  }
  const KString text(editor.Text());
  switch (row.kind) {
    case QvEventView::kEventRow:
      GetEvent()->SetTitle(text);
      break;
    case QvEventView::kWindRow:
      if (row.wind->Parse(text, row.wind->Units())) {
        SendWind();
      }
      break;
    case QvEventView::kLegRow: {
      YTime time;
      if (time.Parse(text) && time.HasResolution()) {
        column == 1 ? row.leg->SetParameter1(time.ToMilliseconds())
                    : row.leg->SetParameter2(time.ToMilliseconds());
      }
      break;
    }
    case QvEventView::kImageRow: {
      static constexpr int32_t kEditedParameters[] = {-1, kFrameRate, kDensityOrWindow, -1, kGain};
      int32_t value = 0;
      if (text.ParseInt(value)) {
        SetImageParameter(*row.image, kEditedParameters[column], value);
      }
      break;
    }
    default:
      break;
  }
}

bool QvZEventPane::EditCell(KPoint pixel, int32_t how) {
  if (KZEditableSelector::EditCell(pixel, how)) {
    return true;
  }
  int32_t column = -1;
  const KPoint cell = CellFromPoint(pixel, &column);
  // The chosen item sends its command to the pane.
  if (std::unique_ptr<KZPopUpMenu> menu = MakePopup(cell, column, ToScreenPoint(pixel))) {
    menu->Popup();
  }
  return false;
}

std::unique_ptr<KZPopUpMenu> QvZEventPane::MakePopup(KPoint cell, int32_t column, KPoint screen) {
  const Row row = RowAt(cell.y);
  if (row.kind == QvEventView::kWindRow && column == 2) {
    const int32_t units = row.wind->HasUnits() ? row.wind->Units() : 3;
    return Popup(screen,
                 {{u"\\Strings\\Event\\Wind\\Popup\\Units\\MilesPerHour", kFirstUnits},
                  {u"\\Strings\\Event\\Wind\\Popup\\Units\\FeetPerSecond", kFirstUnits + 1},
                  {u"\\Strings\\Event\\Wind\\Popup\\Units\\MetersPerSecond", kFirstUnits + 2},
                  {nullptr, 0},
                  {u"\\Strings\\Event\\Wind\\Popup\\Units\\NoReading", kNoUnits}},
                 units);
  }
  if (row.kind == QvEventView::kWindRow && column == 3) {
    return Popup(screen,
                 {{u"\\Strings\\Event\\Wind\\Popup\\Mode\\Manual", kFirstWindMode},
                  {nullptr, 0},
                  {u"\\Strings\\Event\\Wind\\Popup\\Mode\\Custom", kFirstWindMode + 1},
                  {u"\\Strings\\Event\\Wind\\Popup\\Mode\\100Meter", kFirstWindMode + 2},
                  {u"\\Strings\\Event\\Wind\\Popup\\Mode\\200Meter", kFirstWindMode + 3},
                  {u"\\Strings\\Event\\Wind\\Popup\\Mode\\100Hurdles", kFirstWindMode + 4},
                  {u"\\Strings\\Event\\Wind\\Popup\\Mode\\110Hurdles", kFirstWindMode + 5}},
                 row.wind->Mode());
  }
  if (row.kind != QvEventView::kImageRow) {
    return nullptr;
  }
  const YCamera& camera = row.image->Camera();
  if (column == 2 && camera.IsType101()) {
    return Popup(screen,
                 {{u"\\Strings\\Event\\Image\\Fields\\HighPopup", kFirstDensity},
                  {u"\\Strings\\Event\\Image\\Fields\\MediumPopup", kFirstDensity + 1},
                  {u"\\Strings\\Event\\Image\\Fields\\LowPopup", kFirstDensity + 2}},
                 camera.Parameter(kDensityOrWindow));
  }
  if (column == 3 && camera.IsType101()) {
    return Popup(screen,
                 {{u"\\Strings\\Event\\Image\\Fields\\FullPopup", kFirstLayout},
                  {u"\\Strings\\Event\\Image\\Fields\\TopPopup", kFirstLayout + 1},
                  {u"\\Strings\\Event\\Image\\Fields\\BottomPopup", kFirstLayout + 2}},
                 camera.Parameter(kFrameLayout));
  }
  if (column == 3 && camera.IsType102()) {
    return Popup(screen,
                 {{u"\\Strings\\Event\\Image\\Fields\\Ave1Popup", kFirstLayout},
                  {u"\\Strings\\Event\\Image\\Fields\\Ave2Popup", kFirstLayout + 1},
                  {u"\\Strings\\Event\\Image\\Fields\\Ave3Popup", kFirstLayout + 2},
                  {u"\\Strings\\Event\\Image\\Fields\\Ave4Popup", kFirstLayout + 3}},
                 camera.Parameter(kFrameLayout));
  }
  return nullptr;
}

// ---- Commands ----

ZafEventType QvZEventPane::Event(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  const Row row = CurrentRow();
  if (code >= kFirstWindMode && code < kFirstWindMode + YWind::kModeCount) {
    if (row.wind) {
      ChooseWindMode(*row.wind, static_cast<int32_t>(code - kFirstWindMode));
    }
    return code;
  }
  if (code >= kFirstDensity && code <= kNoUnits) {
    if (code >= kFirstUnits && row.kind == QvEventView::kWindRow) {
      ChooseUnits(*row.wind, code == kNoUnits ? YWind::kNoUnits : static_cast<int32_t>(code - kFirstUnits));
    } else if (code < kFirstLayout && row.kind == QvEventView::kImageRow) {
      SetImageParameter(*row.image, kDensityOrWindow, static_cast<int32_t>(code - kFirstDensity));
    } else if (code < kFirstUnits && row.kind == QvEventView::kImageRow) {
      SetImageParameter(*row.image, kFrameLayout, static_cast<int32_t>(code - kFirstLayout));
    }
    RedisplayRows();
    return code;
  }
  switch (code) {
    case kInformation:
      if (row.kind == QvEventView::kImageRow) {
        EditCamera(*row.image);
      }
      return code;
    case kHardwareChanged:
      if (YZApplication* application = YZApplication::Current();
          application && application->Frame() && application->Frame()->HardwareBar()) {
        application->Frame()->HardwareBar()->Changed(this, true);
      }
      return code;
    case kSelectWind:
      return code;
    case UpdateMenuEvent:
      UpdateMenu();
      return code;
    default:
      if (code >= kFirstIdle && code <= kLastIdle) {
        return code;
      }
      return KZEditableSelector::Event(event);
  }
}

void QvZEventPane::ChooseWindMode(YWind& wind, int32_t mode) {
  int32_t startOffset = wind.StartOffset();
  int32_t duration = wind.Duration();
  if (QvZWindWindowDialog::Asks(mode)) {
    QvZWindWindowDialog dialog(mode, startOffset, duration);
    if (dialog.Execute() != KZDialog::kOkResult) {
      return;
    }
    startOffset = dialog.StartOffset();
    duration = dialog.Duration();
  }
  wind.SetMode(mode, startOffset, duration);
  RedisplayRows();
}

void QvZEventPane::ChooseUnits(YWind& wind, int32_t units) {
  wind.SetUnits(units);
  SendWind();
}

void QvZEventPane::SendWind() {
  if (YFDM* link = YFDM::Instance(); link && GetEvent()) {
    link->SendWind(*GetEvent());
  }
}

void QvZEventPane::SetImageParameter(YImage& image, int32_t n, int32_t value) {
  image.Camera().SetParameter(n, value, true);
  image.Capture();
}

// The dialog edits a copy, so that Cancel leaves the image's camera as it was.
void QvZEventPane::EditCamera(YImage& image) {
  YCamera copy;
  image.GetCamera(copy);
  YZCameraDialog dialog(copy);
  if (dialog.Execute() == KZDialog::kOkResult) {
    image.Capture(&copy);
  }
  RedisplayRows();
}

void QvZEventPane::UpdateMenu() {
  KZPullDownMenu* menu = KZApplication::mainMenuBar;
  if (!menu) {
    return;
  }
  if (YWindGauge::Instance()) {
    menu->EnableCommand(kSelectWind, true);
  }
  if (CurrentRow().kind == QvEventView::kImageRow) {
    menu->EnableCommand(kInformation, true);
  }
}

void QvZEventPane::RedisplayRows() {
  if (screenID) {
    Redisplay();
  }
}
