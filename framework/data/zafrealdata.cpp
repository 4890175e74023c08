#include "framework/data/zafrealdata.h"

#include <charconv>
#include <cmath>
#include <memory>
#include <string_view>

#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafi18ndata.h"
#include "framework/data/zaflocaledata.h"
#include "framework/data/zafprintf.h"
#include "framework/data/zafrealconversion.h"
#include "framework/data/zafscanf.h"
#include "framework/data/zafstrlib.h"
#include "framework/data/zafstrtod.h"

namespace {

// The stored text of a value: shortest round-trip digits with '.' as the point, whatever the locale.
std::u16string StoredText(double value) {
  if (std::isnan(value)) {
    return u"NaN";
  }
  if (std::isinf(value)) {
    return value < 0 ? u"-Inf" : u"Inf";
  }
  char digits[64];
  const auto result = std::to_chars(digits, digits + sizeof(digits), value);
  return std::u16string(digits, result.ptr);
}

// The value of a stored text: the stored form above, or the six-decimal form older files hold. False when
// the text is not a number.
bool ParseStoredText(const ZafIChar* text, double& value) {
  const std::u16string_view view = text ? text : u"";
  if (view == u"NaN") {
    value = std::nan("");
    return true;
  }
  if (view == u"Inf" || view == u"-Inf") {
    value = view[0] == u'-' ? -INFINITY : INFINITY;
    return true;
  }
  if (view.empty()) {
    return false;
  }
  ZafIChar* end = nullptr;
  const double parsed = ZafStrToD(text, &end);
  if (end != text + view.size()) {
    return false;
  }
  value = parsed;
  return true;
}

}  // namespace

ZafRealData::ZafRealData(double initial) : value(initial) {
  RegisterFormats();
}

ZafRealData::ZafRealData(const ZafIChar* text, const ZafIChar* format) {
  RegisterFormats();
  SetFormattedText(text, format);
}

ZafRealData::ZafRealData(const ZafRealData& other) : ZafFormatData(other), value(other.value) {}

ZafRealData::ZafRealData(const ZafIChar* name, ZafDataPersistence& persistence)
    : ZafFormatData(
          EnterReadLevel(name, persistence, u"ZafRealData", ID_ZAF_REAL_DATA, ZAF_STORAGE_TYPE_DATA),
          persistence) {
  RegisterFormats();
  ZafError readError = Error();
  if (ZafFile* file = persistence.File(); file && readError == ZAF_ERROR_NONE) {
    ZafIChar* text = nullptr;
    file->ReadString(text);
    std::unique_ptr<ZafIChar[]> owned(text);
    double stored = 0.0;
    if (file->Error() != ZAF_ERROR_NONE || !ParseStoredText(text, stored)) {
      readError = ZAF_ERROR_READ;
    } else {
      value = stored;
    }
  }
  LeaveReadLevel(persistence, readError);
}

ZafClassID ZafRealData::ClassID() const {
  return ID_ZAF_REAL_DATA;
}

const ZafIChar* ZafRealData::ClassName() const {
  return u"ZafRealData";
}

bool ZafRealData::IsA(ZafClassID id) const {
  return id == ID_ZAF_REAL_DATA || ZafFormatData::IsA(id);
}

bool ZafRealData::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafRealData") == 0) || ZafFormatData::IsAName(name);
}

ZafData* ZafRealData::Duplicate() {
  return new ZafRealData(*this);
}

ZafDataConstructor ZafRealData::ReadFunction() const {
  return [](const ZafIChar* name, ZafDataPersistence& persistence) -> ZafData* {
    return new ZafRealData(name, persistence);
  };
}

ZafError ZafRealData::Write(ZafDataPersistence& persistence) {
  ZafFormatData::Write(persistence);
  if (ZafFile* file = persistence.File()) {
    file->WriteString(StoredText(value).c_str());
  }
  return FinishWrite(persistence);
}

void ZafRealData::Clear() {
  BeginChange();
  value = 0.0;
  SetError(ZAF_ERROR_NONE);
  EndChange(true);
}

int ZafRealData::FormattedText(ZafIChar* buffer, int maximumLength, const ZafIChar* format) const {
  if (!format || !*format) {
    format = *Format() ? Format() : ZafI18nData::Locale().realOutputFormat.c_str();
  }
  return ZafFormatData::FormattedText(buffer, maximumLength, format);
}

ZafError ZafRealData::SetFormattedText(const ZafIChar* text, const ZafIChar* format) {
  BeginChange();
  if (!text || !*text) {
    Clear();
  } else {
    if (!format || !*format) {
      format = ZafI18nData::Locale().realInputFormat.c_str();
    }
    SetError(ScanText(text, format) ? ZAF_ERROR_NONE : ZAF_ERROR_INVALID_NUMBER);
  }
  EndChange(true);
  return Error();
}

int ZafRealData::SetValue(double newValue) {
  BeginChange();
  value = newValue;
  EndChange(true);
  return 0;
}

int ZafRealData::SetValue(const ZafRealData& other) {
  return SetValue(other.value);
}

ZafRealData& ZafRealData::operator=(double newValue) {
  SetValue(newValue);
  return *this;
}

ZafRealData& ZafRealData::operator+=(double amount) {
  SetValue(value + amount);
  return *this;
}

ZafRealData& ZafRealData::operator-=(double amount) {
  SetValue(value - amount);
  return *this;
}

ZafRealData& ZafRealData::operator*=(double factor) {
  SetValue(value * factor);
  return *this;
}

ZafRealData& ZafRealData::operator/=(double divisor) {
  SetValue(value / divisor);
  return *this;
}

ZafRealData& ZafRealData::operator++() {
  return *this += 1.0;
}

ZafRealData& ZafRealData::operator--() {
  return *this -= 1.0;
}

double ZafRealData::operator++(int) {
  const double before = value;
  *this += 1.0;
  return before;
}

double ZafRealData::operator--(int) {
  const double before = value;
  *this -= 1.0;
  return before;
}

void ZafRealData::RegisterFormats() {
  static const bool registered = [] {
    ZafI18nData::Initialize(nullptr);
    for (ZafIChar conversion : std::u16string_view(u"efgEFG")) {
      ZafSPrintfAddConversion(conversion, ZafRealPrintfConversion);
      ZafSScanfAddConversion(conversion, ZafRealScanfConversion);
    }
    return true;
  }();
  (void)registered;
}
