#include "native/controls/standardcontrols.h"

#include "native/controls/button.h"
#include "native/controls/combobox.h"
#include "native/controls/comboedit.h"
#include "native/controls/combolist.h"
#include "native/controls/controlconstants.h"
#include "native/controls/controlwindow.h"
#include "native/controls/edit.h"
#include "native/controls/listbox.h"
#include "native/controls/mdiclient.h"
#include "native/controls/scrollbarcontrol.h"
#include "native/controls/staticcontrol.h"
#include "native/controls/trackbar.h"
#include "native/user/classregistry.h"
#include "native/user/cursortable.h"
#include "native/user/styles.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

template <typename Control>
WNDCLASS controlClass(LPCWSTR name, UINT classStyle) {
  WNDCLASS description{};
  description.style = classStyle | CS_GLOBALCLASS;
  description.lpfnWndProc = ControlWindow::procedure<Control>;
  description.cbWndExtra = ControlWindow::kExtraBytes;
  description.lpszClassName = name;
  return description;
}

}  // namespace

void registerStandardControls(ClassRegistry& classes) {
  classes.add(controlClass<Button>(kButtonClass, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW), true);
  classes.add(controlClass<StaticControl>(kStaticClass, 0), true);
  classes.add(controlClass<Edit>(kEditClass, CS_DBLCLKS), true);
  classes.add(controlClass<ListBox>(kListBoxClass, CS_DBLCLKS), true);
  classes.add(controlClass<ComboBox>(kComboBoxClass, CS_DBLCLKS), true);
  classes.add(controlClass<ComboList>(kComboListClass, CS_DBLCLKS), true);
  classes.add(controlClass<ComboEdit>(kComboEditClass, CS_DBLCLKS), true);
  classes.add(controlClass<MdiClient>(kMdiClientClass, 0), true);
  classes.add(controlClass<ScrollBarControl>(kScrollBarClass, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW), true);
}

void InitCommonControls() {
  WNDCLASS description = controlClass<Trackbar>(TRACKBAR_CLASS, CS_HREDRAW | CS_VREDRAW);
  // Registered once per window system; a second call finds the class there and changes nothing.
  RegisterSystemClass(&description);
}

}  // namespace native
