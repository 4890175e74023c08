// The toolkit's one-line entry field: the framework's string field with the toolkit's mix-in, a time
// value read and written in the program's time format, and selecting the whole text.
#ifndef TOOLKIT_KZSTRING_H
#define TOOLKIT_KZSTRING_H

#include <cstdint>

#include "foundation/krect.h"
#include "framework/core/zafstring.h"
#include "toolkit/kzwindowobjectleech.h"

class KZString : public ZafString, public KZWindowObjectLeech {
 public:
  // One cell high and `width` cells wide.
  KZString(int32_t left, int32_t top, int32_t width, const ZafIChar* text, int maxLength);
  // The same, empty.
  KZString(int32_t left, int32_t top, int32_t width, int maxLength);
  // Covering exactly the pixel rectangle, which the field keeps as its fixed region.
  KZString(const KRect& pixels, const ZafIChar* text, int maxLength);
  ~KZString() override;

  // The text read as a time: its value in milliseconds, and true; false, leaving `milliseconds`, when the
  // text is not a time or holds no value.
  bool GetTime(int32_t& milliseconds);
  // Shows the time of that many milliseconds, rounded to the program's time resolution, with `precision`
  // digits as the time format counts them (0: the program's default precision).
  void SetTime(int32_t milliseconds, int32_t precision);
  // Selects the whole text and scrolls the caret into view (only with a native window).
  void SelectAll();

  bool HasFixedRegion() const { return hasFixedRegion; }
  const KRect& FixedRegion() const { return fixedRegion; }

  // The mix-in's focus request first, then the framework field.
  ZafEventType Event(const ZafEventRecord& event) override;

 private:
  bool hasFixedRegion = false;
  KRect fixedRegion;
};

#endif
