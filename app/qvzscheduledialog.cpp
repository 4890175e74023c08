#include "app/qvzscheduledialog.h"

#include <string>

#include "app/busypointer.h"
#include "app/programalert.h"
#include "devices/qvschedule.h"
#include "model/qvsettings.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzstring.h"

namespace {

// The event, round and heat fields.
constexpr int32_t kFieldWidth = 6;
constexpr int32_t kFieldLength = 15;
// The entry list is made as wide as this many wide characters by placeholder items, and shows at most
// kVisibleEntries rows when open.
constexpr int32_t kPlaceholderItems = 25;
constexpr int32_t kPlaceholderLength = 20;
constexpr int32_t kVisibleEntries = 15;

KString GotoText(const char16_t* name) {
  return QvSettings::Text(KString(u"\\Strings\\Database\\Goto\\").Append(name).CStr());
}

KString FieldText(KZString* field) {
  const ZafIChar* text = field != nullptr ? field->Text() : nullptr;
  return KString(text != nullptr ? text : u"");
}

}  // namespace

QvZScheduleDialog::QvZScheduleDialog(QvSchedule& schedule)
    : KZDialog(GotoText(u"Title").CStr(), kOk | kCancel, kOk), schedule(schedule) {
  const QvScheduleItem& current = schedule.Current();
  NewLine();
  AddPrompt(GotoText(u"Event").CStr(), -1);
  MoveCursor(1, 0);
  eventField = AddString(current.GetEventText().CStr(), kFieldWidth, kFieldLength);
  NewLine();
  AddPrompt(GotoText(u"Round").CStr(), -1);
  roundField = AddString(current.GetRoundText().CStr(), kFieldWidth, kFieldLength);
  NewLine();
  AddPrompt(GotoText(u"Heat").CStr(), -1);
  MoveCursor(1, 0);
  heatField = AddString(current.GetHeatText().CStr(), kFieldWidth, kFieldLength);
  NewLine();
  // The dialog takes its size from its fields when it is shown.
  NewLine();
  AddButton(GotoText(u"Refresh").CStr(), kReloadSchedule, -1);
  NewLine();
  const std::u16string placeholder(kPlaceholderLength, u'W');
  ResetComboWidth();
  for (int32_t i = 0; i < kPlaceholderItems; ++i) {
    AddComboItem(placeholder.c_str(), kChooseEntry);
  }
  entryList = AddComboBox(-1, false, kVisibleEntries);
  NewLine();
  FillEntryList();
}

QvZScheduleDialog::~QvZScheduleDialog() = default;

ZafEventType QvZScheduleDialog::Event(const ZafEventRecord& event) {
  if (event.type == kChooseEntry) {
    ChooseEntry();
    return event.type;
  }
  if (event.type == kReloadSchedule) {
    if (!LoadSchedule()) {
      // The schedule loaded before stays listed; the alert comes after the busy pointer.
      ShowNumberedError(schedule.LinkError());
    }
    return event.type;
  }
  return KZDialog::Event(event);
}

void QvZScheduleDialog::ProcessResult(ZafEventType) {
  eventText = FieldText(eventField);
  roundText = FieldText(roundField);
  heatText = FieldText(heatField);
}

bool QvZScheduleDialog::LoadSchedule() {
  const BusyPointer busy;
  const bool loaded = schedule.Load();
  FillEntryList();
  return loaded;
}

void QvZScheduleDialog::FillEntryList() {
  if (entryList == nullptr) {
    return;
  }
  entryList->SetAutomaticUpdate(false);
  entryList->Clear();
  const KString event = FieldText(eventField);
  const KString round = FieldText(roundField);
  const KString heat = FieldText(heatField);
  int32_t match = -1;
  for (int32_t i = 0; i < schedule.Count(); ++i) {
    const QvScheduleItem* entry = schedule.GetNth(i);
    const ZafIChar* text = entry->GetText().CStr();
    entryList->Add(new KZButton(0, 0, CharWidthUnits(text), 1, text, nullptr, ZAF_PUSH_BUTTON, kChooseEntry));
    // Of equal entries the later one is selected.
    if (entry->GetEventText() == event && entry->GetRoundText() == round && entry->GetHeatText() == heat) {
      match = i;
    }
  }
  if (match >= 0) {
    entryList->Select(match);
  }
  entryList->SetAutomaticUpdate(true);
}

void QvZScheduleDialog::ChooseEntry() {
  const QvScheduleItem* entry = entryList != nullptr ? schedule.GetNth(entryList->SelectedIndex()) : nullptr;
  if (entry == nullptr) {
    return;
  }
  eventField->SetText(entry->GetEventText().CStr());
  roundField->SetText(entry->GetRoundText().CStr());
  heatField->SetText(entry->GetHeatText().CStr());
}
