// The toolkit's label: the framework's prompt with the toolkit's mix-in.
#ifndef TOOLKIT_KZPROMPT_H
#define TOOLKIT_KZPROMPT_H

#include "framework/core/zafprompt.h"
#include "toolkit/kzwindowobjectleech.h"

class KZPrompt : public ZafPrompt, public KZWindowObjectLeech {
 public:
  // One cell high and `width` cells wide.
  KZPrompt(int32_t left, int32_t top, int32_t width, const ZafIChar* text);
  // As wide as its text.
  KZPrompt(int32_t left, int32_t top, const ZafIChar* text);
  // `height` cells high.
  KZPrompt(int32_t left, int32_t top, int32_t width, int32_t height, const ZafIChar* text);
  ~KZPrompt() override;

  // The mix-in's focus request first, then the framework prompt.
  ZafEventType Event(const ZafEventRecord& event) override;
};

#endif
