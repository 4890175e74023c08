#include "toolkit/kzradiogroup.h"

KZRadioGroup::KZRadioGroup(int32_t left, int32_t top, int32_t width, int32_t height)
    : KZWindow(left, top, width, height) {}

KZRadioGroup::~KZRadioGroup() = default;

int32_t KZRadioGroup::GetSelection() const {
  int32_t index = 0;
  for (ZafElement* element = First(); element; element = element->Next(), ++index) {
    if (static_cast<ZafWindowObject*>(element)->Selected()) {
      return index;
    }
  }
  return -1;
}

void KZRadioGroup::SetSelection(int32_t index) {
  auto* child = static_cast<ZafWindowObject*>(Get(index));
  if (child && !child->Selected()) {
    child->SetSelected(true);
  }
}
