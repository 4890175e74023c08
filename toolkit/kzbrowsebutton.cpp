#include "toolkit/kzbrowsebutton.h"

#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "framework/core/zafwindow.h"
#include "model/qvsettings.h"

KZBrowseButton::KZBrowseButton(int32_t left, int32_t top, int32_t width, ZafWindowObject* field,
                               ZafWindow* dialog)
    : KZButton(left, top, width, 1, Label().CStr(), nullptr, ZAF_PUSH_BUTTON, 0),
      field(field),
      dialog(dialog) {
  SetUserFunction(&KZBrowseButton::Chosen);
}

KString KZBrowseButton::Label() {
  return QvSettings::Text(u"\\Strings\\Dialog\\Browse");
}

ZafLong KZBrowseButton::Chosen(ZafWindowObject* object, ZafEventRecord&, ZafLong code) {
  auto* button = dynamic_cast<KZBrowseButton*>(object);
  if (code != ChosenEvent || !button || !button->field) {
    return 0;
  }
  const ZafIChar* current = button->field->Text();
  KFile file(KString(current ? current : u""));
  void* owner = button->dialog ? button->dialog->ScreenID() : nullptr;
  if (button->Browse(file, owner)) {
    button->field->SetText(file.Name().CStr());
  }
  return 0;
}

bool KZBrowseDirectoryButton::Browse(KFile& file, void* owner) {
  return KBrowseForFolder(file, 0, owner) >= 0;
}

KZBrowseFileButton::KZBrowseFileButton(int32_t left, int32_t top, int32_t width, ZafWindowObject* field,
                                       ZafWindow* dialog, const KString& filter)
    : KZBrowseButton(left, top, width, field, dialog), filter(filter) {}

bool KZBrowseFileButton::Browse(KFile& file, void* owner) {
  // With an owner the open dialog takes the filter text as it stands.
  return KOpenFileDialog(file, filter, nullptr, owner) >= 0;
}
