// A combo box on a tool bar, sized in pixels.
#ifndef TOOLKIT_KZTBCOMBOBOX_H
#define TOOLKIT_KZTBCOMBOBOX_H

#include <cstdint>

#include "toolkit/kzcombobox.h"

class KZTBComboBox : public KZComboBox {
 public:
  // The field `width` pixels wide with its list `height` pixels high; an editable box takes any text.
  KZTBComboBox(int32_t width, int32_t height, bool editable);
  ~KZTBComboBox() override;
};

#endif
