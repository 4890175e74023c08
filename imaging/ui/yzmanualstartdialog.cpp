#include "imaging/ui/yzmanualstartdialog.h"

#include "devices/yhardware.h"
#include "framework/core/zafeventmanager.h"
#include "imaging/ui/yzgrouptext.h"
#include "imaging/ui/yzspacebar.h"
#include "model/qvsettings.h"
#include "model/ytime.h"
#include "toolkit/kzstring.h"

namespace {

constexpr int32_t kOffsetCells = 12;
constexpr int32_t kOffsetLength = 31;

KString Label(const char16_t* key) {
  return GroupText(u"\\Strings\\Hardware\\ManualStartDlg\\", key);
}

}  // namespace

YZManualStartDialog::YZManualStartDialog(YHardware* hardware)
    : KZDialog(Label(u"Title").CStr(), kCancel, kCancel), itsHardware(hardware) {
  AddPrompt(Label(u"Offset").CStr(), -1);
  offsetField = AddString(u"0.0", kOffsetCells, kOffsetLength);
  NewLine();
  NewLine();
  AddPrompt(Label(u"HitSpacebar").CStr(), -1);
  offsetField->SetFocus(true);
}

ZafEventType YZManualStartDialog::Event(const ZafEventRecord& event) {
  // Only the press: its release must not record a second start while the dialog closes.
  if (!IsSpaceBarPress(event)) {
    return KZDialog::Event(event);
  }
  KString text(offsetField->Text());
  text.Trim();
  YTime offset;
  if (itsHardware) {
    if (offset.Parse(text) && offset.HasResolution()) {
      offset = offset.Rounded();
      itsHardware->ManualStart(&offset, false);
    } else {
      itsHardware->ManualStart(nullptr, false);
    }
  }
  eventManager->Put(ZafEventRecord(kOkResult, 0), Q_END);
  return event.type;
}
