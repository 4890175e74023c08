// The settings editor's question for a new setting: a list of the registered node types and a field for
// the new node's name.
#ifndef TOOLKIT_KZNEWSETTINGDIALOG_H
#define TOOLKIT_KZNEWSETTINGDIALOG_H

#include <cstdint>

#include "foundation/kstring.h"
#include "toolkit/kzdialog.h"

class KRNode;
class KZComboBox;

class KZNewSettingDialog : public KZDialog {
 public:
  // Names are short: the field takes at most this many characters.
  static constexpr int32_t kNameLength = 15;

  // The prompts take `labelWidth` cells, to line up with the editor's.
  explicit KZNewSettingDialog(int32_t labelWidth);
  ~KZNewSettingDialog() override;

  // Takes the chosen type and the name while the fields are still on the screen.
  void ProcessResult(ZafEventType result) override;

  // The prototype of the chosen type, null when none was chosen.
  const KRNode* ChosenType() const { return chosenType; }
  const KString& Name() const { return name; }
  KZComboBox* TypeList() const { return typeList; }
  KZString* NameField() const { return nameField; }

 private:
  KZComboBox* typeList = nullptr;
  KZString* nameField = nullptr;
  const KRNode* chosenType = nullptr;
  KString name;
};

#endif
