#include "framework/data/zaflocaledata.h"

#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"

namespace {

ZafLocaleData::SystemDefaultsLoader& Loader() {
  static ZafLocaleData::SystemDefaultsLoader loader = nullptr;
  return loader;
}

}  // namespace

ZafLocaleData::ZafLocaleData() {
  Clear();
}

ZafLocaleData::ZafLocaleData(const ZafLocaleData& other)
    : ZafData(other),
      locale(other.locale),
      leftParen(other.leftParen),
      rightParen(other.rightParen),
      realInputFormat(other.realInputFormat),
      realOutputFormat(other.realOutputFormat) {}

ZafClassID ZafLocaleData::ClassID() const {
  return ID_ZAF_LOCALE_DATA;
}

const ZafIChar* ZafLocaleData::ClassName() const {
  return u"ZafLocaleData";
}

bool ZafLocaleData::IsA(ZafClassID id) const {
  return id == ID_ZAF_LOCALE_DATA || ZafData::IsA(id);
}

bool ZafLocaleData::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafLocaleData") == 0) || ZafData::IsAName(name);
}

ZafData* ZafLocaleData::Duplicate() {
  return new ZafLocaleData(*this);
}

void ZafLocaleData::Clear() {
  BeginChange();
  locale = ZafLocaleStruct();
  locale.decimalSeparator.Set(u".");
  locale.monDecimalSeparator.Set(u".");
  locale.thousandsSeparator.Set(u",");
  locale.monThousandsSeparator.Set(u",");
  locale.currencySymbol.Set(u"$");
  locale.grouping[0] = 3;
  locale.monGrouping[0] = 3;
  locale.intCurrencySymbol.Set(u"USD ");
  locale.posCurrencyPrecedes = 1;
  locale.negCurrencyPrecedes = 1;
  locale.currencyDigits = 2;
  locale.intCurrencyDigits = 2;
  locale.positiveSign.Set(u"+");
  locale.posSignPosition = ZAF_SIGN_FIRST;
  locale.posSeparatedBySpace = 0;
  locale.negativeSign.Set(u"-");
  locale.negSignPosition = ZAF_SIGN_FIRST;
  locale.negSeparatedBySpace = 0;
  locale.time24Format = u"%H:%M:%S";
  locale.timeFormat = u"%I:%M:%S %p";
  locale.dateFormat = u"%m/%d/%Y";
  locale.dateTimeFormat = locale.dateFormat + u" " + locale.timeFormat;
  locale.timeSeparator.Set(u":");
  locale.dateSeparator.Set(u"/");
  leftParen.Set(u"(");
  rightParen.Set(u")");
  realInputFormat = u"%lf";
  realOutputFormat = u"%g";
  SetError(ZAF_ERROR_NONE);
  EndChange(true);
}

int ZafLocaleData::LoadSystemDefaults() {
  return Loader() ? Loader()(locale) : 0;
}

void ZafLocaleData::SetSystemDefaultsLoader(SystemDefaultsLoader loader) {
  Loader() = loader;
}
