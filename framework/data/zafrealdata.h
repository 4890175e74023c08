// The framework's data object for a double: it formats itself with the framework's printf and reads itself
// with its scanf, both following the locale (decimal point, signs, currency), tells its observers when it
// changes, and stores itself.
#ifndef FRAMEWORK_DATA_ZAFREALDATA_H
#define FRAMEWORK_DATA_ZAFREALDATA_H

#include "framework/data/zafformatdata.h"

class ZafRealData : public ZafFormatData {
 public:
  explicit ZafRealData(double value = 0.0);
  // The value read from `text` as SetFormattedText reads it.
  ZafRealData(const ZafIChar* text, const ZafIChar* format);
  ZafRealData(const ZafRealData& other);
  // Reads the object `name` (storage type 3); a failure leaves 0.0 with the error set.
  ZafRealData(const ZafIChar* name, ZafDataPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafData* Duplicate() override;
  ZafDataConstructor ReadFunction() const override;
  // Record: the format record, then the value as a string in the shortest form that reads back to the
  // same double ("0.1", "1e-07", "-2.5e+300"; "NaN", "Inf", "-Inf"), whatever the locale.
  ZafError Write(ZafDataPersistence& persistence) override;
  // 0.0 and error 0; observers hear of it.
  void Clear() override;

  // Prints the value through `format`, else the object's format, else the locale's output format for
  // reals. Returns the length, or 0 when the text would not fit in `maximumLength` characters.
  int FormattedText(ZafIChar* buffer, int maximumLength, const ZafIChar* format = nullptr) const;
  // Reads the value from `text` with `format`, else the locale's input format for reals. A null or empty
  // text clears the value; a text that gives no number keeps the value and sets error 1. Observers hear
  // of it either way. Returns the error.
  ZafError SetFormattedText(const ZafIChar* text, const ZafIChar* format = nullptr);

  double Value() const { return value; }
  // Each change tells the observers once.
  int SetValue(double newValue);
  int SetValue(const ZafRealData& other);
  ZafRealData& operator=(double newValue);
  ZafRealData& operator+=(double amount);
  ZafRealData& operator-=(double amount);
  ZafRealData& operator*=(double factor);
  ZafRealData& operator/=(double divisor);
  ZafRealData& Increment(double amount) { return *this += amount; }
  ZafRealData& Decrement(double amount) { return *this -= amount; }
  ZafRealData& operator++();
  ZafRealData& operator--();
  // The value before the step.
  double operator++(int);
  double operator--(int);

  // Registers the printf and scanf conversions e, f, g, E, F, G once per program.
  static void RegisterFormats();

 private:
  double value = 0.0;
};

#endif
