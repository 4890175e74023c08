// The framework's data object for a signed 32-bit integer: it formats itself with the framework's printf
// and reads itself with its scanf, tells its observers when it changes, and stores itself. Its class also
// registers the integer conversions: printf d, i, o, u, x, X (and 'p' through 'x'), scanf d, D, i, o, O,
// u, x, X (and 'p' and every conversion character without a handler of its own).
#ifndef FRAMEWORK_DATA_ZAFINTEGERDATA_H
#define FRAMEWORK_DATA_ZAFINTEGERDATA_H

#include <cstdint>

#include "framework/data/zafformatdata.h"

class ZafIntegerData : public ZafFormatData {
 public:
  explicit ZafIntegerData(int32_t value = 0);
  // The value read from `text` as SetFormattedText reads it.
  ZafIntegerData(const ZafIChar* text, const ZafIChar* format);
  ZafIntegerData(const ZafIntegerData& other);
  // Reads the object `name` (storage type 3); a failure leaves 0 with the error set.
  ZafIntegerData(const ZafIChar* name, ZafDataPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafData* Duplicate() override;
  ZafDataConstructor ReadFunction() const override;
  // Record: the format record, then the value as a signed 32-bit word.
  ZafError Write(ZafDataPersistence& persistence) override;
  // 0 and error 0; observers hear of it.
  void Clear() override;

  // Prints the value through `format`, else the object's format, else "%d". Returns the length, or 0
  // when the text would not fit in `maximumLength` characters.
  int FormattedText(ZafIChar* buffer, int maximumLength, const ZafIChar* format = nullptr) const;
  // Reads the value from `text` with `format`, else "%d". A null or empty text clears the value; a text
  // that gives no number, or one beyond the 32-bit range, keeps the value and sets error 1. Observers
  // hear of it either way. Returns the error.
  ZafError SetFormattedText(const ZafIChar* text, const ZafIChar* format = nullptr);

  int32_t Value() const { return value; }
  // Each change tells the observers once.
  int SetValue(int32_t newValue);
  int SetValue(const ZafIntegerData& other);

  // Registers the printf and scanf conversions once per program; later calls return at once.
  static void RegisterFormats();

 private:
  int32_t value = 0;
};

#endif
