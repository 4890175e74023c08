// A toolkit window holding radio buttons, one of which is chosen, addressed by their place in the group.
#ifndef TOOLKIT_KZRADIOGROUP_H
#define TOOLKIT_KZRADIOGROUP_H

#include <cstdint>

#include "toolkit/kzwindow.h"

class KZRadioGroup : public KZWindow {
 public:
  KZRadioGroup(int32_t left, int32_t top, int32_t width, int32_t height);
  ~KZRadioGroup() override;

  // The place (from 0, in child order) of the first chosen child; -1 when none is chosen.
  int32_t GetSelection() const;
  // Chooses the child at that place, when there is one; the group lets the others go.
  void SetSelection(int32_t index);
};

#endif
