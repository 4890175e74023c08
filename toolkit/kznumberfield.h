// The toolkit's number fields: a framework number field with the toolkit's mix-in and its range given as
// two numbers. The range becomes the field's range text "minimum..maximum", left out when it is the whole
// of the number type as std::numeric_limits bounds it (for a double that is the smallest positive normal
// value to the largest, which callers pass for "any value").
#ifndef TOOLKIT_KZNUMBERFIELD_H
#define TOOLKIT_KZNUMBERFIELD_H

#include <cstdint>
#include <limits>
#include <utility>

#include "foundation/kstring.h"
#include "toolkit/kzwindowobjectleech.h"

template <typename Field>
class KZNumberField : public Field, public KZWindowObjectLeech {
 public:
  // The number type the field reads back.
  using Value = decltype(std::declval<Field&>().Value());

  // One cell high and `width` cells wide.
  KZNumberField(int32_t left, int32_t top, int32_t width, Value value, Value minimum, Value maximum)
      : Field(left, top, width, value), KZWindowObjectLeech(this) {
    if (minimum == std::numeric_limits<Value>::min() && maximum == std::numeric_limits<Value>::max()) {
      return;
    }
    KString range;
    AppendNumber(range, minimum);
    range.Append(u"..");
    AppendNumber(range, maximum);
    Field::SetRangeText(range.CStr());
  }

  // The mix-in's focus request first, then the framework field.
  ZafEventType Event(const ZafEventRecord& event) override {
    if (const ZafEventType taken = KZWindowObjectLeech::Event(event)) {
      return taken;
    }
    return Field::Event(event);
  }

 private:
  static void AppendNumber(KString& text, int32_t value) { text.AppendInt(value); }
  static void AppendNumber(KString& text, double value) { text.AppendReal(value); }
};

#endif
