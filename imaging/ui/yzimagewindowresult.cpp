// The image window's result entry: the cursor's time given to a result the user picks from the result
// menu, names in the identification field, or to a new result, with a refusal or a question for each case
// that could lose a time.
#include "devices/qvschedule.h"
#include "imaging/ui/yzgrouptext.h"
#include "imaging/ui/yzimagetoolitems.h"
#include "imaging/ui/yzimagewindow.h"
#include "imaging/yimage.h"
#include "imaging/yimagereporter.h"
#include "imaging/yimageview.h"
#include "model/qveventschedule.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/qvsettings.h"
#include "model/yfdm.h"
#include "model/yleg.h"
#include "native/native.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzpopupmenu.h"

namespace {

constexpr int32_t kIdentifyByNothing = 0;
constexpr int32_t kIdentifyById = 2;
constexpr int32_t kLastIdentification = 3;
// Identification method m names a result by athlete field 2 + m (lane 3, id 4, licence 5).
constexpr int32_t kIdentificationFieldBase = 2;
constexpr int32_t kNameField = 2;

KString Text(const char16_t* key) {
  return GroupText(u"\\Strings\\Event\\Image\\EnterResultDlg\\", key);
}

KString Title() {
  return Text(u"Title");
}

void Refuse(const char16_t* key, const KString& title) {
  native::MessageBeep(0);
  YImageReporter::Current().ErrorMessage(Text(key), title);
}

bool Ask(const char16_t* key) {
  native::MessageBeep(0);
  return YImageReporter::Current().AskOkCancel(Title(), Text(key));
}

int32_t IdentificationMethod(const YImage* image) {
  const int32_t method = image ? image->DisplayKind() : kIdentifyByNothing;
  return method > kIdentifyByNothing && method <= kLastIdentification ? method : kIdentifyByNothing;
}

}  // namespace

QvResults* YZImageWindow::Results() const {
  auto* leg = image ? dynamic_cast<YLeg*>(image->Owner()) : nullptr;
  return leg ? &leg->Results() : nullptr;
}

QvResult* YZImageWindow::MenuResult(ZafEventType code) const {
  const QvResults* results = Results();
  QvResult* result = nullptr;
  for (ZafEventType step = kResultFirst - 1; results && step < code; ++step) {
    result = results->Previous(result);
    if (!result) {
      break;
    }
  }
  return result;
}

std::vector<std::pair<ZafEventType, KString>> YZImageWindow::ResultMenuItems() const {
  std::vector<std::pair<ZafEventType, KString>> items;
  const QvResults* results = Results();
  const int32_t method = IdentificationMethod(image);
  if (!results || method == kIdentifyByNothing) {
    return items;
  }
  for (QvResult* result = results->Previous(nullptr); result && items.size() < kMaxMenuResults;
       result = results->Previous(result)) {
    KString text(result->AthleteField(kIdentificationFieldBase + method));
    text.AppendChar(u'\t').Append(result->AthleteField(kNameField));
    items.emplace_back(kResultFirst + static_cast<ZafEventType>(items.size()), text);
  }
  return items;
}

bool YZImageWindow::EnterResultPopup(KPoint screen) {
  const auto items = ResultMenuItems();
  if (items.empty()) {
    return false;
  }
  ShowResultMenu(screen, items);
  return true;
}

void YZImageWindow::ShowResultMenu(KPoint screen,
                                   const std::vector<std::pair<ZafEventType, KString>>& items) {
  KZPopUpMenu menu(screen);
  for (const auto& [command, text] : items) {
    menu.Add(new KZPopUpItem(command, text.CStr(), ZAF_ITEM_ORDINARY));
  }
  menu.Popup();
}

void YZImageWindow::EnterResult(QvResult* result) {
  if (!view || !view->PositionShown()) {
    Refuse(u"NoTime", Title());
    return;
  }
  const int32_t column = view->Origin().x;
  const YTime time = view->TimeAt(column);
  if (!time.HasResolution()) {
    Refuse(u"NoTime", Title());
    return;
  }
  QvResults* results = Results();
  if (!results) {
    return;
  }
  const int32_t method = IdentificationMethod(image);
  const bool identifies = method != kIdentifyByNothing;
  const int32_t field = kIdentificationFieldBase + method;
  KString identification(idPane->Text());
  if (!result && identifies) {
    if (identification.IsEmpty()) {
      Refuse(u"NoValue", KString());
      return;
    }
    result = results->FindByField(field, identification);
  }
  if (result && result->GetMainTime(nullptr).HasResolution() && !Ask(u"HasTime")) {
    return;
  }
  if (result && result->Status() != 0 && !Ask(u"Invalid")) {
    return;
  }
  if (results->IsTimeClose(result, time) && !Ask(u"CloseToAnother")) {
    return;
  }
  if (!result) {
    if (identifies && results->IsSorted() && !Ask(u"NotInList")) {
      return;
    }
    result = results->NewResult();
    if (!result) {
      return;
    }
    if (identifies) {
      result->SetAthleteField(field, identification);
    }
  }
  if (method == kIdentifyById && !results->IsSorted()) {
    if (auto* schedule = dynamic_cast<QvSchedule*>(QvEventSchedule::Registered())) {
      schedule->LookupEvent(*result);
    }
  }
  result->SetStatus(0);
  result->SetFinishTime(time);
  if (YFDM* database = YFDM::Instance()) {
    database->SendResult(*result);
  }
  results->ForEach(*result);
  view->ShowLinesSetting(column);
}
