#include "framework/core/zafnumberfield.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <type_traits>

#include "framework/core/zaferrorsystem.h"
#include "framework/core/zafinteger.h"
#include "framework/core/zafreal.h"
#include "framework/core/zafstoreddata.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafi18ndata.h"
#include "framework/data/zafintegerdata.h"
#include "framework/data/zaflanguagedata.h"
#include "framework/data/zaflanguagemanager.h"
#include "framework/data/zafprintf.h"
#include "framework/data/zafrealdata.h"
#include "framework/data/zafstringdata.h"
#include "framework/data/zafstrlib.h"

const ZafLanguageStruct zafNumberMessages[] = {
    {u"The number %s is invalid.", ZAF_NUMBER_INVALID, 0, 0, -1},
    {u"The number %s is not in the range %s.", ZAF_NUMBER_OUT_OF_RANGE, 0, 0, -1},
    {u"The number %s is less than %s.", ZAF_NUMBER_TOO_SMALL, 0, 0, -1},
    {u"The number %s is greater than %s.", ZAF_NUMBER_TOO_LARGE, 0, 0, -1},
    {nullptr, 0, 0, 0, -1},
};

namespace {

// The longest text a value is shown in.
constexpr int kShownLength = 255;

// The value stepped by a delta; an integer step beyond the 32-bit range stops at its end.
template <typename Value>
Value Stepped(Value value, Value delta, bool up) {
  if constexpr (std::is_integral_v<Value>) {
    const int64_t result = up ? int64_t{value} + delta : int64_t{value} - delta;
    return static_cast<Value>(
        std::clamp<int64_t>(result, std::numeric_limits<Value>::min(), std::numeric_limits<Value>::max()));
  } else {
    return up ? value + delta : value - delta;
  }
}

// One segment of a range list read with the field's format; a side is given when its text reads.
template <typename Data>
struct Segment {
  Data low;
  Data high;
  bool hasLow = false;
  bool hasHigh = false;

  Segment(const std::u16string& lowText, const std::u16string& highText, const ZafIChar* format) {
    hasLow = !lowText.empty() && low.SetFormattedText(lowText.c_str(), format) == ZAF_ERROR_NONE;
    hasHigh = !highText.empty() && high.SetFormattedText(highText.c_str(), format) == ZAF_ERROR_NONE;
  }
  bool Holds(const Data& value) const {
    return (!hasLow || !(value.Value() < low.Value())) && (!hasHigh || !(high.Value() < value.Value()));
  }
};

std::u16string TextOf(const ZafIChar* text) {
  return text ? std::u16string(text) : std::u16string();
}

}  // namespace

template <typename Field, typename Data>
ZafNumberField<Field, Data>::ZafNumberField(int32_t left, int32_t top, int32_t width, Data* data)
    : ZafString(left, top, width, u"") {
  MakeNumber(data);
}

template <typename Field, typename Data>
ZafNumberField<Field, Data>::ZafNumberField(int32_t left, int32_t top, int32_t width, Value value)
    : ZafNumberField(left, top, width, new Data(value)) {}

template <typename Field, typename Data>
ZafNumberField<Field, Data>::ZafNumberField(const ZafNumberField& other) : ZafString(other) {
  Data* data = other.number;
  MakeNumber(data && data->Destroyable() ? static_cast<Data*>(data->Duplicate()) : data);
}

template <typename Field, typename Data>
ZafNumberField<Field, Data>::ZafNumberField(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafString(name, persistence, Field::kClassName, Field::kClassID) {
  Data* data = nullptr;
  ZafFile* file = persistence.File();
  if (file && persistence.Error() == ZAF_ERROR_NONE && file->Error() == ZAF_ERROR_NONE) {
    ZafIChar* read = nullptr;
    file->ReadString(read);
    const std::unique_ptr<ZafIChar[]> valueName(read);
    if (file->Error() != ZAF_ERROR_NONE) {
      persistence.SetError(ZAF_ERROR_READ);
    } else {
      data = ZafReadStoredData<Data>(valueName.get(), persistence);
    }
  }
  MakeNumber(data);
  LeaveReadLevel(persistence);
}

template <typename Field, typename Data>
ZafNumberField<Field, Data>::~ZafNumberField() {
  number->Subtract(this, &ZafNumberField::NumberChanged);
  if (number->Destroyable() && number->Count() == 0) {
    delete number;
  }
  ZafI18nData::LanguageManager().ReleaseLanguageData(messages);
}

template <typename Field, typename Data>
void ZafNumberField<Field, Data>::MakeNumber(Data* data) {
  messages = ZafI18nData::LanguageManager().GetLanguageData(Field::kClassName, zafNumberMessages);
  number = data ? data : new Data();
  number->Add(this, &ZafNumberField::NumberChanged, ZAF_UPDATE_ALL);
  ShowValue();
}

template <typename Field, typename Data>
ZafLong ZafNumberField<Field, Data>::NumberChanged(ZafElement* object, int kind) {
  auto* field = static_cast<ZafNumberField*>(object);
  if (kind == ZAF_UPDATE_OBJECTS) {
    field->ShowValue();
  } else if (kind == ZAF_UPDATE_DATA) {
    field->ParseText();
  }
  return kind == ZAF_UPDATE_OBJECTS || kind == ZAF_UPDATE_DATA ? 0 : 1;
}

// ---- Identity ----

template <typename Field, typename Data>
ZafClassID ZafNumberField<Field, Data>::ClassID() const {
  return Field::kClassID;
}

template <typename Field, typename Data>
const ZafIChar* ZafNumberField<Field, Data>::ClassName() const {
  return Field::kClassName;
}

template <typename Field, typename Data>
bool ZafNumberField<Field, Data>::IsA(ZafClassID id) const {
  return id == Field::kClassID || ZafString::IsA(id);
}

template <typename Field, typename Data>
bool ZafNumberField<Field, Data>::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, Field::kClassName) == 0) || ZafString::IsAName(name);
}

template <typename Field, typename Data>
ZafWindowObject* ZafNumberField<Field, Data>::Duplicate() {
  return new Field(static_cast<const Field&>(*this));
}

template <typename Field, typename Data>
ZafObjectConstructor ZafNumberField<Field, Data>::ReadFunction() const {
  return &ZafNumberField::Read;
}

template <typename Field, typename Data>
ZafWindowObject* ZafNumberField<Field, Data>::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new Field(name, persistence);
}

// ---- Value ----

template <typename Field, typename Data>
void ZafNumberField<Field, Data>::SetNumberData(Data* data) {
  if (data == number && data) {
    return;
  }
  number->Subtract(this, &ZafNumberField::NumberChanged);
  if (number != data && number->Destroyable() && number->Count() == 0) {
    delete number;
  }
  number = data ? data : new Data();
  number->Add(this, &ZafNumberField::NumberChanged, ZAF_UPDATE_ALL);
  ShowValue();
}

template <typename Field, typename Data>
typename ZafNumberField<Field, Data>::Value ZafNumberField<Field, Data>::NumberValue() {
  ParseText();
  return number->Value();
}

template <typename Field, typename Data>
int ZafNumberField<Field, Data>::SetNumberValue(Value value) {
  return number->SetValue(value);
}

template <typename Field, typename Data>
void ZafNumberField<Field, Data>::SetValueQuietly(Value value) {
  const ZafULong wanted = number->Data(this);
  number->SetData(this, 0);
  number->SetValue(value);
  number->SetData(this, wanted);
}

template <typename Field, typename Data>
ZafError ZafNumberField<Field, Data>::ParseText() {
  const std::u16string text = TextOf(Text());
  const ZafULong wanted = number->Data(this);
  number->SetData(this, 0);
  const ZafError result = number->SetFormattedText(text.c_str(), format ? format->Text() : nullptr);
  number->SetData(this, wanted);
  return result;
}

template <typename Field, typename Data>
std::u16string ZafNumberField<Field, Data>::Formatted(const Data& data) {
  ZafIChar buffer[kShownLength + 1] = {};
  data.FormattedText(buffer, kShownLength, format ? format->Text() : nullptr);
  return buffer;
}

template <typename Field, typename Data>
void ZafNumberField<Field, Data>::ShowValue() {
  if (unanswered) {
    stringData->Clear();
  } else {
    stringData->SetText(Formatted(*number).c_str());
  }
}

// ---- Options a number field never takes ----

template <typename Field, typename Data>
bool ZafNumberField<Field, Data>::SetLowerCase(bool) {
  return lowerCase = false;
}

template <typename Field, typename Data>
bool ZafNumberField<Field, Data>::SetPassword(bool) {
  return password = false;
}

template <typename Field, typename Data>
bool ZafNumberField<Field, Data>::SetUpperCase(bool) {
  return upperCase = false;
}

template <typename Field, typename Data>
bool ZafNumberField<Field, Data>::SetVariableName(bool) {
  return variableName = false;
}

template <typename Field, typename Data>
int ZafNumberField<Field, Data>::SetStringData(ZafStringData*) {
  return 1;
}

// ---- Events ----

template <typename Field, typename Data>
ZafEventType ZafNumberField<Field, Data>::Event(const ZafEventRecord& event) {
  const ZafEventType code =
      event.type != E_OSEVENT && ZafEventRecord::Category(event) == ZAF_CATEGORY_KEYBOARD ? MapEvent(event)
                                                                                          : event.type;
  auto* other = dynamic_cast<ZafNumberField*>(event.windowObject);
  switch (code) {
    case CopyDataEvent:
      if (other) {
        SetNumberValue(other->number->Value());
      }
      return code;
    case SetDataEvent:
      if (!event.windowObject) {
        SetNumberData(static_cast<Data*>(number->Duplicate()));
      } else if (other) {
        SetNumberData(other->number);
      }
      return code;
    case LanguageChangedEvent:
      ShowValue();
      return code;
    case PrepareEvent:
      ShowValue();
      return ZafString::Event(event);
    case FocusLoseEvent:
    case ChosenEvent: {
      const bool leaving = LeavesWindow(event);
      const Value saved = number->Value();
      const std::u16string text = TextOf(Text());
      const ZafError parseError = ParseText();
      if (parseError != ZAF_ERROR_NONE && !leaving && ZafErrorSystem::ErrorSystem()) {
        ZafErrorSystem::ErrorSystem()->ReportMessage(this, ZAF_ERROR_BUTTON_OK, u"%s",
                                                     Message(ZAF_NUMBER_INVALID, text, u"").c_str());
      }
      if (number->Value() != saved || text.empty() != unanswered) {
        SetChanged(true);
      }
      ZafEventType result = ZafString::Event(event);
      if (parseError != ZAF_ERROR_NONE) {
        result = leaving ? ZAF_ERROR_KEPT : parseError;
      }
      if (result == ZAF_ERROR_NONE) {
        if (!unanswered) {
          ShowValue();
        }
      } else if (result == ZAF_ERROR_KEPT && leaving) {
        SetValueQuietly(saved);
      } else {
        number->SetValue(saved);
        ShowValue();
      }
      return result;
    }
    default:
      return ZafString::Event(event);
  }
}

// ---- Checks ----

template <typename Field, typename Data>
std::u16string ZafNumberField<Field, Data>::Message(ZafError which, const std::u16string& first,
                                                    const std::u16string& second) const {
  const ZafIChar* pattern = messages ? messages->GetMessage(static_cast<ZafNumberID>(which)) : nullptr;
  ZafIChar buffer[2 * kShownLength + 1] = {};
  ZafSPrintf(buffer, pattern ? pattern : u"%s", first.c_str(), second.c_str());
  return buffer;
}

template <typename Field, typename Data>
ZafError ZafNumberField<Field, Data>::Validate(bool report) {
  const std::u16string text = TextOf(Text());
  const ZafIChar* formatText = format ? format->Text() : nullptr;
  Data value;
  ZafError result = value.SetFormattedText(text.c_str(), formatText);
  int tried = 0;
  std::u16string shownRange;
  std::u16string onlyBound;
  ZafError onlyBoundError = ZAF_NUMBER_OUT_OF_RANGE;
  const ZafIChar* ranges = range ? range->Text() : nullptr;
  if (result == ZAF_ERROR_NONE && ranges && *ranges) {
    result = ZAF_NUMBER_OUT_OF_RANGE;
    std::u16string low;
    std::u16string high;
    for (const ZafIChar* next = ranges; next;) {
      next = ParseRange(next, low, high);
      const Segment<Data> segment(low, high, formatText);
      const std::u16string lowShown = segment.hasLow ? Formatted(segment.low) : u"";
      const std::u16string highShown = segment.hasHigh ? Formatted(segment.high) : u"";
      shownRange += (tried > 0 ? u", " : u"") + lowShown + u".." + highShown;
      ++tried;
      if (segment.hasLow != segment.hasHigh) {
        onlyBound = segment.hasLow ? lowShown : highShown;
        onlyBoundError = segment.hasLow ? ZAF_NUMBER_TOO_SMALL : ZAF_NUMBER_TOO_LARGE;
      }
      if (segment.Holds(value)) {
        result = ZAF_ERROR_NONE;
        break;
      }
    }
  }
  ZafErrorSystem* errorSystem = ZafErrorSystem::ErrorSystem();
  if (report && errorSystem && tried > 0 && result != ZAF_ERROR_NONE) {
    std::u16string shown = shownRange;
    if (tried == 1 && !onlyBound.empty()) {
      result = onlyBoundError;
      shown = onlyBound;
    }
    // Only a field that may ask lets the user keep the text (OK); otherwise the one answer is Cancel.
    const uint16_t buttons =
        errorQuery ? ZAF_ERROR_BUTTON_OK | ZAF_ERROR_BUTTON_CANCEL : ZAF_ERROR_BUTTON_CANCEL;
    const ZafEventType answer =
        errorSystem->ReportMessage(this, buttons, u"%s", Message(result, text, shown).c_str());
    if (answer == ZAF_ERROR_ANSWER_OK) {
      result = ZAF_ERROR_KEPT;
    }
  } else if (!report) {
    ShowValue();
  }
  return result;
}

template <typename Field, typename Data>
ZafError ZafNumberField<Field, Data>::Step(ZafData* delta, bool wrap, bool up) {
  const auto* step = dynamic_cast<const Data*>(delta);
  if (!step) {
    return ZAF_ERROR_NO_CHECK;
  }
  const Value saved = number->Value();
  ParseText();
  number->SetValue(Stepped(number->Value(), step->Value(), up));
  if (Validate(false) != ZAF_ERROR_NONE) {
    Value wrapped = saved;
    if (wrap && range && range->Text() && *range->Text()) {
      std::u16string low;
      std::u16string high;
      ParseRange(range->Text(), low, high);
      const Segment<Data> first(low, high, format ? format->Text() : nullptr);
      // Down past the bottom wraps to the top, up past the top to the bottom.
      if (!up && first.hasHigh) {
        wrapped = first.high.Value();
      } else if (up && first.hasLow) {
        wrapped = first.low.Value();
      }
    }
    number->SetValue(wrapped);
  }
  ShowValue();
  return ZAF_ERROR_NONE;
}

template <typename Field, typename Data>
ZafError ZafNumberField<Field, Data>::NumberCheckA(ZafData* delta, bool wrap) {
  return Step(delta, wrap, false);
}

template <typename Field, typename Data>
ZafError ZafNumberField<Field, Data>::NumberCheckB(ZafData* delta, bool wrap) {
  return Step(delta, wrap, true);
}

// ---- Storage ----

template <typename Field, typename Data>
ZafError ZafNumberField<Field, Data>::Write(ZafObjectPersistence& persistence) {
  if (BeginWrite(persistence) && persistence.Error() == ZAF_ERROR_NONE) {
    WriteStringFields(persistence);
    persistence.File()->WriteString(ZafNameStoredData(number, *this, u"_VALUE"));
    ZafWriteStoredData(number, persistence);
  }
  return EndWrite(persistence);
}

template class ZafNumberField<ZafReal, ZafRealData>;
template class ZafNumberField<ZafInteger, ZafIntegerData>;
