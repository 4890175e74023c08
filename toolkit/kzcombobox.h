// The toolkit's combo box: the framework's combo box with the toolkit's mix-in, its items found and chosen
// by text or by place in the list.
#ifndef TOOLKIT_KZCOMBOBOX_H
#define TOOLKIT_KZCOMBOBOX_H

#include <cstdint>

#include "framework/core/zafcombobox.h"
#include "toolkit/kzwindowleech.h"

class KZComboBox : public ZafComboBox, public KZWindowLeech {
 public:
  // The field `width` wide with its list `height` high; a combo box that is not editable offers only its
  // items.
  KZComboBox(int32_t left, int32_t top, int32_t width, int32_t height, bool editable);
  ~KZComboBox() override;

  // An editable box's field text; otherwise the chosen item's text, empty when none is chosen.
  const ZafIChar* Text() override;
  // Chooses the first item of exactly that text; without one, an editable box shows the text and a box
  // that is not editable stays as it is (answering 1).
  int SetText(const ZafIChar* text) override;
  // The place of the chosen item in the list, -1 when none is chosen.
  int32_t SelectedIndex() const;
  // Chooses the item at that place, when there is one.
  void Select(int32_t index);
  // The first item of exactly that text, or null.
  ZafWindowObject* FindItem(const ZafIChar* text) const;
  // Chooses FindItem's item; false when there is none.
  bool SelectByText(const ZafIChar* text);
  // Takes every item out of the list and deletes it.
  void Clear();

  // The mix-in's focus request first, then the framework combo box.
  ZafEventType Event(const ZafEventRecord& event) override;
};

#endif
