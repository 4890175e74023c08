// The string field's record: its options, then the names of its text, format-list, format and range data,
// each of which is stored beside the field under that name.
#include <memory>

#include "framework/core/zafstoreddata.h"
#include "framework/core/zafstring.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstringdata.h"

namespace {

constexpr uint16_t kAutoSelect = 0x0001;
constexpr uint16_t kInvalid = 0x0002;
constexpr uint16_t kUnanswered = 0x0004;
constexpr uint16_t kLowerCase = 0x0008;
constexpr uint16_t kPassword = 0x0010;
constexpr uint16_t kUpperCase = 0x0020;
constexpr uint16_t kVariableName = 0x0040;
constexpr uint16_t kViewOnly = 0x0080;
constexpr uint16_t kErrorQuery = 0x0100;
constexpr uint16_t kReportErrors = 0x0200;
constexpr uint16_t kKnownFlags = 0x03FF;
constexpr uint16_t kJustificationBits = 0x000F;

}  // namespace

ZafObjectConstructor ZafString::ReadFunction() const {
  return &ZafString::Read;
}

ZafWindowObject* ZafString::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafString(name, persistence);
}

ZafError ZafString::Write(ZafObjectPersistence& persistence) {
  if (BeginWrite(persistence) && persistence.Error() == ZAF_ERROR_NONE) {
    WriteStringFields(persistence);
  }
  return EndWrite(persistence);
}

void ZafString::WriteStringFields(ZafObjectPersistence& persistence) {
  GetNativeText();
  ZafFile& file = *persistence.File();
  const uint16_t flags = (autoSelect ? kAutoSelect : 0) | (invalid ? kInvalid : 0) |
                         (unanswered ? kUnanswered : 0) | (lowerCase ? kLowerCase : 0) |
                         (password ? kPassword : 0) | (upperCase ? kUpperCase : 0) |
                         (variableName ? kVariableName : 0) | (viewOnly ? kViewOnly : 0) |
                         (errorQuery ? kErrorQuery : 0) | (reportErrors ? kReportErrors : 0);
  file.WriteUInt16(flags);
  file.WriteUInt16(static_cast<uint16_t>(justification));
  file.WriteString(ZafNameStoredData(stringData, *this, u""));
  file.WriteString(ZafNameStoredData(formatList, *this, u"_FORMATS"));
  file.WriteString(ZafNameStoredData(format, *this, u"_FORMAT"));
  file.WriteString(ZafNameStoredData(range, *this, u"_RANGE"));
  ZafWriteStoredData(stringData, persistence);
  ZafWriteStoredData(formatList, persistence);
  ZafWriteStoredData(format, persistence);
  ZafWriteStoredData(range, persistence);
}

void ZafString::ReadStringFields(ZafObjectPersistence& persistence) {
  ZafFile* file = persistence.File();
  if (!file || persistence.Error() != ZAF_ERROR_NONE || file->Error() != ZAF_ERROR_NONE) {
    return;
  }
  uint16_t flags = 0;
  uint16_t storedJustification = 0;
  file->ReadUInt16(flags);
  file->ReadUInt16(storedJustification);
  std::unique_ptr<ZafIChar[]> names[4];
  for (auto& name : names) {
    ZafIChar* read = nullptr;
    file->ReadString(read);
    name.reset(read);
  }
  if (file->Error() != ZAF_ERROR_NONE || (flags & ~kKnownFlags) != 0 ||
      (storedJustification & kJustificationBits) > ZAF_JUSTIFY_CENTER) {
    // Not a record a field wrote: nothing of it is taken.
    persistence.SetError(ZAF_ERROR_READ);
    return;
  }
  autoSelect = flags & kAutoSelect;
  invalid = flags & kInvalid;
  unanswered = flags & kUnanswered;
  lowerCase = flags & kLowerCase;
  password = flags & kPassword;
  upperCase = (flags & kUpperCase) && !lowerCase;
  variableName = flags & kVariableName;
  viewOnly = flags & kViewOnly;
  errorQuery = flags & kErrorQuery;
  reportErrors = flags & kReportErrors;
  justification = storedJustification & kJustificationBits;
  if (auto* text = ZafReadStoredData<ZafStringData>(names[0].get(), persistence)) {
    SetStringData(text);
  }
  const std::unique_ptr<ZafStringData> list(ZafReadStoredData<ZafStringData>(names[1].get(), persistence));
  const std::unique_ptr<ZafStringData> storedFormat(
      ZafReadStoredData<ZafStringData>(names[2].get(), persistence));
  if (list) {
    SetFormatListText(list->Text());
  }
  if (storedFormat) {
    SetFormatText(storedFormat->Text());
  }
  if (auto* storedRange = ZafReadStoredData<ZafStringData>(names[3].get(), persistence)) {
    SetRangeData(storedRange);
  }
}
