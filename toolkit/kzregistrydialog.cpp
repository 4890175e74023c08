#include "toolkit/kzregistrydialog.h"

#include <algorithm>
#include <memory>

#include "foundation/kregistry.h"
#include "foundation/krgroup.h"
#include "foundation/krstring.h"
#include "framework/core/zaficon.h"
#include "model/qvsettings.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kznewsettingdialog.h"
#include "toolkit/kznodeselector.h"
#include "toolkit/kzprompt.h"
#include "toolkit/kzstring.h"
#include "toolkit/kztext.h"

namespace {

// Layout, in cells: the list, the displays and the fields are this wide; the buttons beside the list.
constexpr int32_t kFieldWidth = 25;
constexpr int32_t kListRows = 20;
constexpr int32_t kButtonWidth = 9;
constexpr int32_t kCommentRows = 12;

// Comments on the settings live in the tree too, under this path followed by the setting's own path.
constexpr const char16_t* kCommentsPath = u"\\Strings\\Registry\\Comments";

KString Label(const char16_t* key) {
  return QvSettings::Text(key);
}

// A name the settings tree cannot hold, and the message that says why (in English when the language has
// no text for it).
struct Refusal {
  const char16_t* key;
  const char16_t* english;
};
constexpr Refusal kReservedCharacter{u"\\Strings\\OtherSettings\\NameCharacters",
                                     u"A setting's name cannot contain \\, : or a line break."};
constexpr Refusal kNameTaken{u"\\Strings\\OtherSettings\\NameTaken",
                             u"This group already holds a setting of that name."};
constexpr Refusal kTooDeep{u"\\Strings\\OtherSettings\\NameTooDeep", u"Settings cannot be nested this deep."};

// Names are written into the settings text as they stand, where a backslash separates names, a colon ends
// the path and a line end ends the line; names are found ignoring case, so a second child of the same
// name could never be read back; and paths are read only up to a fixed depth.
const Refusal* NameRefusal(const KString& name, const KRGroup& target) {
  if (!KRegistry::IsValidName(name)) {
    return &kReservedCharacter;
  }
  if (target.Child(name)) {
    return &kNameTaken;
  }
  if (target.Depth() + 1 > KRegistry::kMaxDepth) {
    return &kTooDeep;
  }
  return nullptr;
}

}  // namespace

KZRegistryDialog::KZRegistryDialog(KRGroup* group)
    : KZDialog(Label(u"\\Strings\\OtherSettings\\Title").CStr(), kOk, kOk), group(group), walker(group) {
  AddPrompt(Label(u"\\Strings\\OtherSettings\\Settings").CStr(), kFieldWidth);
  NewLine();
  nodeSelector = static_cast<KZNodeSelector*>(
      AddSelector(kFieldWidth, kListRows, new KZNodeSelector(this, &walker, 0, 0, 0, 0)));
  MoveCursor(kFieldWidth + 3 * fieldGap, 0);
  newButton = AddButton(Label(u"\\Strings\\OtherSettings\\New").CStr(), RegistryNewEvent, kButtonWidth);
  deleteButton = AddButton(Label(u"\\Strings\\OtherSettings\\Delete").CStr(), kDeleteEvent, kButtonWidth);
  NewLine();

  const int32_t labelWidth = LabelWidth();
  AddPrompt(Label(u"\\Strings\\OtherSettings\\Name").CStr(), labelWidth);
  nameDisplay = AddPrompt(u"", kFieldWidth);
  NewLine();
  AddPrompt(Label(u"\\Strings\\OtherSettings\\Type").CStr(), labelWidth);
  typeDisplay = AddPrompt(u"", kFieldWidth);
  NewLine();
  AddPrompt(Label(u"\\Strings\\OtherSettings\\Value").CStr(), labelWidth);
  // No maximum: a value is shown and taken back whole, however long.
  valueField = AddString(u"", kFieldWidth, -1);
  NewLine();
  AddPrompt(u"", labelWidth);
  commentBox = AddTextBox(u"", kFieldWidth, kCommentRows);

  if (nodeSelector) {
    nodeSelector->Refresh();  // the first row becomes current and is shown
  }
}

KZRegistryDialog::~KZRegistryDialog() = default;

int32_t KZRegistryDialog::LabelWidth() const {
  return std::max(CharWidthUnits(Label(u"\\Strings\\OtherSettings\\Name").CStr()),
                  CharWidthUnits(Label(u"\\Strings\\OtherSettings\\Type").CStr()));
}

void KZRegistryDialog::ProcessResult(ZafEventType) {
  if (!currentNode || !valueField || !valueField->Changed()) {
    return;
  }
  const ZafIChar* text = valueField->Text();
  // A text that does not fit the node's type leaves the value as it was.
  currentNode->ParseValue(KString(text ? text : u""));
  valueField->SetChanged(false);
}

void KZRegistryDialog::ShowNode() {
  KRNode* node = nodeSelector ? nodeSelector->NodeAt(nodeSelector->CurrentCell().y) : nullptr;
  if (node == currentNode || !nameDisplay || !typeDisplay || !valueField || !commentBox) {
    return;
  }
  KString name;
  KString value;
  KString comment;
  if (node) {
    name = node->Name();
    node->AppendValue(value);
    KString path(kCommentsPath);
    node->AppendPath(path);
    if (const KRString* note = KRegistry::GetStringNode(group, path)) {
      comment = note->Value();
      comment.ExpandNewlines();
    }
  }
  nameDisplay->SetText(name.CStr());
  typeDisplay->SetText(node ? node->TypeName() : u"");
  valueField->SetText(value.CStr());
  valueField->SetChanged(false);
  commentBox->SetText(comment.CStr());
  currentNode = node;
  UpdateDeleteLabel();
}

void KZRegistryDialog::UpdateDeleteLabel() {
  if (deleteButton) {
    const bool deleted = currentNode && currentNode->IsDeleted();
    deleteButton->SetText(
        Label(deleted ? u"\\Strings\\OtherSettings\\Undelete" : u"\\Strings\\OtherSettings\\Delete").CStr());
  }
}

ZafEventType KZRegistryDialog::Event(const ZafEventRecord& event) {
  if (event.type == RegistryNewEvent) {
    AddNewNode();
    return event.type;
  }
  if (event.type == kDeleteEvent) {
    FlipDeleted();
    return event.type;
  }
  return KZDialog::Event(event);
}

void KZRegistryDialog::AddNewNode() {
  if (!currentNode) {
    return;
  }
  // Into a group at its end; beside a value node just before it.
  auto* target = dynamic_cast<KRGroup*>(currentNode);
  KRNode* before = nullptr;
  if (!target) {
    target = currentNode->Parent();
    before = currentNode;
  }
  KZNewSettingDialog question(LabelWidth());
  if (question.Execute() != kOkResult || !question.ChosenType() || question.Name().IsEmpty() || !target) {
    return;
  }
  if (const Refusal* refusal = NameRefusal(question.Name(), *target)) {
    KZMessageWindow::Ask(Label(u"\\Strings\\OtherSettings\\NewSetting").CStr(),
                         QvSettings::Text(refusal->key, refusal->english).CStr(), kOk, kOk,
                         ZAF_ICON_EXCLAMATION);
    return;
  }
  std::unique_ptr<KRNode> node = question.ChosenType()->CreateNode();
  node->SetName(question.Name());
  target->AddChild(std::move(node), before);
  if (nodeSelector) {
    nodeSelector->Refresh();
    const KPoint current = nodeSelector->CurrentCell();
    nodeSelector->MoveCurrentCell({current.x, current.y + 1});
    nodeSelector->Refresh();
  }
}

void KZRegistryDialog::FlipDeleted() {
  if (!currentNode) {
    return;
  }
  currentNode->SetDeleted(!currentNode->IsDeleted());
  if (nodeSelector) {
    nodeSelector->Refresh();
  }
  UpdateDeleteLabel();
}
