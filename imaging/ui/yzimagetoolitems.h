#pragma once
// The two fields of the image window's tool bar: the identification field, whose Enter gives the cursor's
// time to a result, and the zoom selector, which sets the view's zoom to a typed or chosen percentage.

#include "framework/core/zafeventrecord.h"
#include "toolkit/kztbcombobox.h"
#include "toolkit/kztbstring.h"

class YZImageWindow;

class YZIdPane : public KZTBString {
 public:
  // Identifications are at most this long.
  static constexpr int kMaxLength = 31;

  YZIdPane(YZImageWindow* window, int32_t width);
  // Enter enters a result; the arrow keys move the image's cursor; the rest is text editing.
  ZafEventType Event(const ZafEventRecord& event) override;

 private:
  YZImageWindow* itsWindow;
};

class YZZoomSelector : public KZTBComboBox {
 public:
  YZZoomSelector(YZImageWindow* window, int32_t width, int32_t height);
  // Enter, and the zoom command, set the view's zoom to the text's percentage when it is an integer.
  ZafEventType Event(const ZafEventRecord& event) override;
  ZafEventType MapEvent(const ZafEventRecord& event) override;

 private:
  YZImageWindow* itsWindow;
};
