#include "framework/core/zafstring.h"

#include <string_view>

#include "framework/core/zaffieldtables.h"
#include "framework/data/zafchar.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstringdata.h"
#include "framework/data/zafstrlib.h"

namespace {

// The editing keys and Enter.
constexpr auto kEventMap = ZafFieldEventMap<1>({{ChosenEvent, ZAF_KEYBOARD_DEVICE, 13, 0x200}});

std::u16string Trimmed(std::u16string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && ZafIsSpace(text[first])) {
    ++first;
  }
  while (last > first && ZafIsSpace(text[last - 1])) {
    --last;
  }
  return std::u16string(text.substr(first, last - first));
}

ZafStringData* CopyOrShare(ZafStringData* data) {
  if (!data || !data->Destroyable()) {
    return data;
  }
  return static_cast<ZafStringData*>(data->Duplicate());
}

}  // namespace

ZafString::ZafString(int32_t left, int32_t top, int32_t width, const ZafIChar* text, int maxLength)
    : ZafWindowObject(left, top, width, 1) {
  bordered = true;
  MakeString(new ZafStringData(text, maxLength));
}

ZafString::ZafString(int32_t left, int32_t top, int32_t width, ZafStringData* data)
    : ZafWindowObject(left, top, width, 1) {
  bordered = true;
  MakeString(data);
}

ZafString::ZafString(const ZafString& other)
    : ZafWindowObject(other),
      errorQuery(other.errorQuery),
      autoSelect(other.autoSelect),
      invalid(other.invalid),
      unanswered(other.unanswered),
      lowerCase(other.lowerCase),
      password(other.password),
      upperCase(other.upperCase),
      variableName(other.variableName),
      viewOnly(other.viewOnly),
      justification(other.justification),
      formatList(CopyOrShare(other.formatList)),
      format(CopyOrShare(other.format)),
      range(CopyOrShare(other.range)) {
  MakeString(other.stringData ? CopyOrShare(other.stringData) : nullptr);
}

ZafString::ZafString(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafString(name, persistence, u"ZafString", ID_ZAF_STRING) {
  LeaveReadLevel(persistence);
}

ZafString::ZafString(const ZafIChar* name, ZafObjectPersistence& persistence, const ZafIChar* className,
                     ZafClassID classID)
    : ZafWindowObject(name, persistence, className, classID) {
  MakeString(nullptr);
  ReadStringFields(persistence);
}

ZafString::~ZafString() {
  stringData->Subtract(this, &ZafString::StringDataChanged);
  Release(stringData);
  Release(formatList);
  Release(format);
  Release(range);
}

void ZafString::MakeString(ZafStringData* data) {
  userCallback = static_cast<UserCallback>(&ZafString::ValidationCallback);
  stringData = data ? data : new ZafStringData();
  stringData->Add(this, &ZafString::StringDataChanged, ZAF_UPDATE_ALL);
}

void ZafString::Release(ZafStringData* data) {
  if (data && data->Destroyable() && data->Count() == 0) {
    delete data;
  }
}

// ---- Identity ----

ZafClassID ZafString::ClassID() const {
  return ID_ZAF_STRING;
}

const ZafIChar* ZafString::ClassName() const {
  return u"ZafString";
}

bool ZafString::IsA(ZafClassID id) const {
  return id == ID_ZAF_STRING || ZafWindowObject::IsA(id);
}

bool ZafString::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafString") == 0) || ZafWindowObject::IsAName(name);
}

ZafWindowObject* ZafString::Duplicate() {
  return new ZafString(*this);
}

// ---- Text ----

ZafLong ZafString::StringDataChanged(ZafElement* object, int kind) {
  auto* field = static_cast<ZafString*>(object);
  if (kind == ZAF_UPDATE_DATA) {
    field->GetNativeText();
  } else {
    field->UpdateNativeText();
  }
  return 0;
}

const ZafIChar* ZafString::Text() {
  GetNativeText();
  return stringData->Text();
}

int ZafString::SetText(const ZafIChar* text) {
  stringData->SetText(text);
  unanswered = !text || !*text;
  return 0;
}

int ZafString::SetStringData(ZafStringData* data) {
  if (data == stringData && data) {
    return 0;
  }
  stringData->Subtract(this, &ZafString::StringDataChanged);
  Release(stringData);
  stringData = data ? data : new ZafStringData();
  stringData->Add(this, &ZafString::StringDataChanged, ZAF_UPDATE_ALL);
  UpdateNativeText();
  return 0;
}

int32_t ZafString::SetCoordinateType(int32_t type) {
  KeepLineHeight(region, type);
  return ZafWindowObject::SetCoordinateType(type);
}

// ---- Options ----

bool ZafString::SetValidateOnLeave(bool flag) {
  validateOnLeave = flag;
  return validateOnLeave;
}

bool ZafString::SetErrorQuery(bool flag) {
  errorQuery = flag;
  return errorQuery;
}

bool ZafString::SetAutoSelect(bool flag) {
  autoSelect = flag;
  return autoSelect;
}

int32_t ZafString::SetJustification(int32_t value) {
  if (!screenID && value >= ZAF_JUSTIFY_LEFT && value <= ZAF_JUSTIFY_CENTER) {
    justification = value;
  }
  return justification;
}

bool ZafString::SetInvalid(bool flag) {
  invalid = flag;
  return invalid;
}

bool ZafString::SetLowerCase(bool flag) {
  SetBeforeCreation(lowerCase, flag);
  if (lowerCase) {
    upperCase = false;
  }
  return lowerCase;
}

bool ZafString::SetUpperCase(bool flag) {
  SetBeforeCreation(upperCase, flag);
  if (upperCase) {
    lowerCase = false;
  }
  return upperCase;
}

bool ZafString::SetPassword(bool flag) {
  return SetBeforeCreation(password, flag);
}

bool ZafString::SetReportErrors(bool flag) {
  reportErrors = flag;
  return reportErrors;
}

bool ZafString::SetUnanswered(bool flag) {
  unanswered = flag;
  if (unanswered) {
    stringData->Clear();
  }
  return unanswered;
}

bool ZafString::SetViewOnly(bool flag) {
  return SetBeforeCreation(viewOnly, flag);
}

bool ZafString::SetVariableName(bool flag) {
  return SetBeforeCreation(variableName, flag);
}

int ZafString::SetFormatListData(ZafStringData* data) {
  if (screenID) {
    return 1;
  }
  if (data != formatList) {
    Release(formatList);
    formatList = data;
  }
  return 0;
}

int ZafString::SetFormatData(ZafStringData* data) {
  if (screenID) {
    return 1;
  }
  if (data != format) {
    Release(format);
    format = data;
  }
  return 0;
}

int ZafString::SetRangeData(ZafStringData* data) {
  if (data != range) {
    Release(range);
    range = data;
  }
  return 0;
}

// ---- Formats and ranges ----

void ZafString::SetTextOfData(ZafStringData* data, const ZafIChar* text,
                              int (ZafString::*attach)(ZafStringData*)) {
  if (data) {
    data->SetText(text);
    return;
  }
  auto* made = new ZafStringData(text);
  (this->*attach)(made);
}

int ZafString::SetRangeText(const ZafIChar* text) {
  SetTextOfData(range, text, &ZafString::SetRangeData);
  return 0;
}

int ZafString::SetFormatText(const ZafIChar* text) {
  if (screenID) {
    return 1;
  }
  SetTextOfData(format, text, &ZafString::SetFormatData);
  // The list is worked out again with the new format first.
  const std::u16string list = formatList ? formatList->Text() : format->Text();
  return SetFormatListText(list.c_str());
}

int ZafString::SetFormatListText(const ZafIChar* text) {
  if (screenID) {
    return 1;
  }
  const std::u16string given = text ? text : u"";
  const std::u16string current = format && format->Text() ? format->Text() : u"";
  std::u16string list = given;
  const bool leads = !current.empty() && given.starts_with(current) &&
                     (given.size() == current.size() || given[current.size()] == u'\n');
  if (!current.empty() && !leads) {
    // The current format comes first; where it stands as a line of its own further down, that line goes.
    list = current + u"\n" + given;
    for (std::size_t at = given.find(current); at != std::u16string::npos; at = given.find(current, at + 1)) {
      const std::size_t end = at + current.size();
      const bool wholeLine = at > 0 && given[at - 1] == u'\n' && (end == given.size() || given[end] == u'\n');
      if (wholeLine) {
        const std::u16string after = end < given.size() ? given.substr(end + 1) : std::u16string();
        list = current + u"\n" + given.substr(0, at) + after;
        break;
      }
    }
  }
  SetTextOfData(formatList, list.c_str(), &ZafString::SetFormatListData);
  return 0;
}

const ZafIChar* ZafString::ParseRange(const ZafIChar* text, std::u16string& low, std::u16string& high) {
  low.clear();
  high.clear();
  if (!text) {
    return nullptr;
  }
  const std::u16string_view rest(text);
  std::size_t end = rest.size();
  std::size_t next = rest.size();
  if (const std::size_t newline = rest.find(u'\n'); newline != std::u16string_view::npos) {
    end = newline;
    next = newline + 1;
  }
  if (const std::size_t comma = rest.substr(0, end).find(u", "); comma != std::u16string_view::npos) {
    end = comma;
    next = comma + 2;
  }
  const std::u16string_view line = rest.substr(0, end);
  const std::size_t dots = line.find(u"..");
  if (dots == std::u16string_view::npos) {
    low = high = Trimmed(line);
  } else {
    std::size_t after = dots;
    while (after < line.size() && line[after] == u'.') {
      ++after;
    }
    low = Trimmed(line.substr(0, dots));
    high = Trimmed(line.substr(after));
  }
  return next < rest.size() ? text + next : nullptr;
}

// ---- Checks ----

ZafError ZafString::NumberCheckA(ZafData*, bool) {
  return ZAF_ERROR_NO_CHECK;
}

ZafError ZafString::NumberCheckB(ZafData*, bool) {
  return ZAF_ERROR_NO_CHECK;
}

ZafError ZafString::Validate(bool) {
  return ZAF_ERROR_NONE;
}

bool ZafString::LeavesWindow(const ZafEventRecord& event) {
  return event.type == FocusLoseEvent &&
         (!event.windowObject || event.windowObject->RootObject() != RootObject());
}

ZafEventType ZafString::ValidationCallback(ZafWindowObject* object, ZafEventRecord& event,
                                           ZafEventType code) {
  ZafError result = ZAF_ERROR_NONE;
  if (validateOnLeave && (code == ChosenEvent || code == FocusLoseEvent)) {
    const bool leaving = LeavesWindow(event);
    result = Validate(reportErrors && !leaving);
    if (result != ZAF_ERROR_NONE && leaving) {
      result = ZAF_ERROR_KEPT;
    }
  }
  SetError(result);
  return result == ZAF_ERROR_NONE ? DefaultUserCallback(object, event, code) : result;
}

ZafEventType ZafString::ValidityAnswer() const {
  if (!invalid) {
    return ZAF_QUERY_VALID;
  }
  return !errorQuery || validateOnLeave ? ZAF_QUERY_INVALID : ZAF_QUERY_INVALID_ASK;
}

ZafEventType ZafString::MapEvent(const ZafEventRecord& event) {
  const ZafEventType logical = MapEventTable(kEventMap.data(), event);
  return logical == EndOfEventMap ? ZafWindowObject::MapEvent(event) : logical;
}

const ZafPaletteMap* ZafString::MapPalette(uint16_t type, uint16_t state) {
  const ZafPaletteMap* row = MapPaletteTable(zafFieldPaletteTable, type, state);
  return row ? row : ZafWindowObject::MapPalette(type, state);
}
