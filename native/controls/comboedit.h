#pragma once
// The edit field of a combo box ("ComboEdit"): an EDIT control that offers every key press to its combo
// box first, so that the keys opening the list or moving its selection work from the field. Being the
// class's own behaviour, it stays when a caller subclasses the field.

#include "native/controls/edit.h"

namespace native {

class ComboEdit : public Edit {
 public:
  using Edit::Edit;

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace native
