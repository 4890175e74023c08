#include "toolkit/kznewsettingdialog.h"

#include "foundation/kregistry.h"
#include "model/qvsettings.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzprompt.h"
#include "toolkit/kzstring.h"

namespace {

// The type list scrolls beyond this many rows.
constexpr int32_t kVisibleTypes = 15;
constexpr int32_t kNameWidth = 15;

}  // namespace

KZNewSettingDialog::KZNewSettingDialog(int32_t labelWidth)
    : KZDialog(QvSettings::Text(u"\\Strings\\OtherSettings\\NewSetting").CStr(), kOk | kCancel, kOk) {
  AddPrompt(QvSettings::Text(u"\\Strings\\OtherSettings\\Type").CStr(), labelWidth);
  ResetComboWidth();
  int32_t index = 0;
  for (const KRNode* type = KRegistry::NextType(nullptr); type; type = KRegistry::NextType(type)) {
    AddComboItem(type->TypeName(), index++);
  }
  typeList = AddComboBox(0, false, kVisibleTypes);
  NewLine();
  AddPrompt(QvSettings::Text(u"\\Strings\\OtherSettings\\Name").CStr(), labelWidth);
  nameField = AddString(u"", kNameWidth, kNameLength);
}

KZNewSettingDialog::~KZNewSettingDialog() = default;

void KZNewSettingDialog::ProcessResult(ZafEventType) {
  chosenType = nullptr;
  // The types are listed in registration order.
  int32_t index = typeList ? typeList->SelectedIndex() : -1;
  for (const KRNode* type = KRegistry::NextType(nullptr); type && !chosenType;
       type = KRegistry::NextType(type)) {
    if (index-- == 0) {
      chosenType = type;
    }
  }
  const ZafIChar* text = nameField ? nameField->Text() : nullptr;
  name = KString(text ? text : u"");
}
