// The status bar's text field: one line of text drawn in a sunken box, cut at its end when it is wider
// than the box.
#ifndef TOOLKIT_KZSTATUSSTRING_H
#define TOOLKIT_KZSTATUSSTRING_H

#include "foundation/kstring.h"
#include "toolkit/kzwindow.h"

class KZStatusString : public KZWindow {
 public:
  // Empty, in pixel coordinates; its owner places it.
  KZStatusString();
  ~KZStatusString() override;

  // Replaces the text and repaints the field; false, changing nothing, when the text is the same
  // (compared whole, case-sensitive).
  bool SetText(const KString& newText);
  // The whole text, however much of it the field shows.
  const ZafIChar* Text() override { return text.CStr(); }

  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;

 private:
  KString text{255, KString::kGrowsForEver};
};

#endif
