// The toolkit's multi-line text field: the framework's text field with the toolkit's mix-in.
#ifndef TOOLKIT_KZTEXT_H
#define TOOLKIT_KZTEXT_H

#include "framework/core/zaftext.h"
#include "toolkit/kzwindowleech.h"

class KZText : public ZafText, public KZWindowLeech {
 public:
  // The region, then the framework field's text and maximum length.
  KZText(int32_t left, int32_t top, int32_t width, int32_t height, const ZafIChar* text, int maxLength = -1);
  ~KZText() override;

  // The mix-in's focus request first, then the framework field.
  ZafEventType Event(const ZafEventRecord& event) override;
};

#endif
