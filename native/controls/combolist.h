#pragma once
// The list of a combo box ("ComboLBox"): a ListBox that works for the combo box it belongs to. Its
// notifications, colour requests and owner drawing go out as the combo box's; it never takes the focus,
// which stays with the combo box. Dropped, it is a top-most pop-up holding the mouse: a click on an entry
// chooses it, a click anywhere else closes the list. Under a CBS_SIMPLE combo box it is a child that is
// always shown, and a click chooses at once.

#include "native/controls/listbox.h"

namespace native {

class ComboBox;

class ComboList : public ListBox {
 public:
  explicit ComboList(HWND window) : ListBox(window) {}

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  Routing routing() const override;

 private:
  ComboBox* combo() const;
  void press(POINT point);
  void release(POINT point);

  HWND comboWindow_ = nullptr;
  int pressedItem_ = -1;
};

}  // namespace native
