#include "toolkit/kztbcombobox.h"

#include "toolkit/kztoolbar.h"

KZTBComboBox::KZTBComboBox(int32_t width, int32_t height, bool editable)
    : KZComboBox(0, 0, width, height, editable) {
  KZPlaceToolItem(*this, width, height);
}

KZTBComboBox::~KZTBComboBox() = default;
