#include "native/controls/comboedit.h"

#include "native/controls/combobox.h"
#include "native/user/messageapi.h"
#include "native/user/windowapi.h"

namespace native {

LRESULT ComboEdit::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
    ComboBox* box = ComboBox::of(GetParent(window()));
    if (box != nullptr && box->keyDown(static_cast<UINT>(wParam), message == WM_SYSKEYDOWN)) {
      return 0;
    }
  }
  return Edit::handle(message, wParam, lParam);
}

}  // namespace native
