// The title of a window frame: it shows the window's caption, and a double click on it asks the window to
// maximize (or whatever other frame code a program gave it).
#ifndef FRAMEWORK_CORE_ZAFTITLE_H
#define FRAMEWORK_CORE_ZAFTITLE_H

#include "framework/core/zafframebutton.h"

class ZafTitle : public ZafFrameButton {
 public:
  // The text is copied (null: none).
  explicit ZafTitle(const ZafIChar* text);
  // The title shows and observes the string data (null: a new empty text).
  explicit ZafTitle(ZafStringData* text);
  ZafTitle(const ZafTitle& other) = default;
  // Reads the title's record; the frame settings are put back over whatever it held.
  ZafTitle(const ZafIChar* name, ZafObjectPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

  // ---- Native side (defined by the back-end) ----
  // As every frame part; once it holds the window's native window the caption shows the text.
  ZafEventType Event(const ZafEventRecord& event) override;
  // The text becomes the caption of the window's native window, when there is one. Answers 0.
  int UpdateNativeText() override;
};

#endif
