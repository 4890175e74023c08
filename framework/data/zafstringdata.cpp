#include "framework/data/zafstringdata.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string_view>

#include "framework/data/zafchar.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafcodesetdata.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafi18ndata.h"
#include "framework/data/zafprintf.h"
#include "framework/data/zafscanf.h"
#include "framework/data/zafstringconversion.h"
#include "framework/data/zafstrlib.h"

namespace {

// Buffer sizes: an unbounded text gets this much room beyond its length, a null text this much in all, and
// SetChar grows an unbounded buffer by this much past the index it stores at.
constexpr int kSpareRoom = 11;
constexpr int kDefaultBuffer = 255;
constexpr int kCharGrowth = 255;

int TextLength(const ZafIChar* text) {
  return text ? ZafStrLen(text) : 0;
}

// The stored maximum of a record: -1 for none, and any other negative value counts as none too.
int NormalMaximum(int maxLength) {
  return maxLength < 0 ? -1 : maxLength;
}

}  // namespace

ZafStringData::ZafStringData(bool isStatic) : staticData(isStatic) {
  RegisterFormats();
  if (!staticData) {
    Grow(kDefaultBuffer);
  }
}

ZafStringData::ZafStringData(const ZafIChar* text, int maximum) {
  RegisterFormats();
  TakeOwnedText(text, maximum);
}

ZafStringData::ZafStringData(ZafIChar* lent, int maximum, bool isStatic) {
  RegisterFormats();
  if (!isStatic) {
    TakeOwnedText(lent, maximum);
    return;
  }
  staticData = true;
  maxLength = NormalMaximum(maximum);
  if (lent) {
    buffer = lent;
    bufferLength = maxLength >= 0 ? maxLength + 1 : TextLength(lent) + 1;
    buffer[std::min(TextLength(lent), bufferLength - 1)] = 0;
  }
}

ZafStringData::ZafStringData(const char* text, int maximum, bool /*staticData*/) {
  RegisterFormats();
  std::unique_ptr<ZafIChar[]> converted(ZafI18nData::CodeSet().ConvertToUnicode(text, nullptr, true));
  TakeOwnedText(converted.get(), maximum);
}

void ZafStringData::TakeOwnedText(const ZafIChar* text, int maximum) {
  maxLength = NormalMaximum(maximum);
  Grow(maxLength >= 0 ? maxLength + 1 : text ? TextLength(text) + kSpareRoom : kDefaultBuffer);
  SetTextLength(text, maxLength);
}

ZafStringData::ZafStringData(const ZafStringData& other) : ZafFormatData(other) {
  maxLength = other.maxLength;
  Grow(std::max(other.bufferLength, other.Length() + 1));
  SetTextData(other);
}

ZafStringData::ZafStringData(const ZafIChar* name, ZafDataPersistence& persistence)
    : ZafFormatData(
          EnterReadLevel(name, persistence, u"ZafStringData", ID_ZAF_STRING_DATA, ZAF_STORAGE_TYPE_DATA),
          persistence) {
  RegisterFormats();
  ReadRecord(persistence);
  if (!buffer) {
    Grow(kDefaultBuffer);
  }
}

ZafStringData::~ZafStringData() = default;

void ZafStringData::ReadRecord(ZafDataPersistence& persistence) {
  ZafFile* file = persistence.File();
  if (!file || Error() != ZAF_ERROR_NONE) {
    LeaveReadLevel(persistence, Error());
    return;
  }
  int16_t storedMaximum = -1;
  ZafIChar* storedText = nullptr;
  file->ReadInt16(storedMaximum);
  file->ReadString(storedText);
  std::unique_ptr<ZafIChar[]> owned(storedText);
  if (file->Error() != ZAF_ERROR_NONE) {
    LeaveReadLevel(persistence, ZAF_ERROR_READ);
    return;
  }
  // A missing text still gives the default room, as a new empty object has.
  Grow(storedText ? 0 : kDefaultBuffer);
  SetTextLength(storedText, NormalMaximum(storedMaximum));
  LeaveReadLevel(persistence, ZAF_ERROR_NONE);
}

ZafClassID ZafStringData::ClassID() const {
  return ID_ZAF_STRING_DATA;
}

const ZafIChar* ZafStringData::ClassName() const {
  return u"ZafStringData";
}

bool ZafStringData::IsA(ZafClassID id) const {
  return id == ID_ZAF_STRING_DATA || ZafFormatData::IsA(id);
}

bool ZafStringData::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafStringData") == 0) || ZafFormatData::IsAName(name);
}

ZafData* ZafStringData::Duplicate() {
  return new ZafStringData(*this);
}

ZafDataConstructor ZafStringData::ReadFunction() const {
  return [](const ZafIChar* name, ZafDataPersistence& persistence) -> ZafData* {
    return new ZafStringData(name, persistence);
  };
}

ZafError ZafStringData::Write(ZafDataPersistence& persistence) {
  ZafFormatData::Write(persistence);
  if (ZafFile* file = persistence.File()) {
    const int stored = std::min(maxLength, static_cast<int>(std::numeric_limits<int16_t>::max()));
    file->WriteInt16(static_cast<int16_t>(stored));
    file->WriteString(Text());
  }
  return FinishWrite(persistence);
}

const ZafIChar* ZafStringData::Text() const {
  return buffer ? buffer : borrowedText;
}

int ZafStringData::Length() const {
  return TextLength(Text());
}

std::u16string ZafStringData::Value() const {
  const ZafIChar* text = Text();
  return text ? std::u16string(text) : std::u16string();
}

int ZafStringData::Room() const {
  const int room = std::max(bufferLength - 1, 0);
  return maxLength >= 0 ? std::min(room, maxLength) : room;
}

void ZafStringData::Grow(int characters) {
  if (staticData || characters <= bufferLength) {
    return;
  }
  auto grown = std::make_unique<ZafIChar[]>(characters);
  if (buffer) {
    std::copy_n(buffer, std::min(Length() + 1, characters), grown.get());
  }
  ownBuffer = std::move(grown);
  buffer = ownBuffer.get();
  bufferLength = characters;
  borrowedText = nullptr;
}

int ZafStringData::SetMaxLength(int maximum) {
  maxLength = NormalMaximum(maximum);
  if (maxLength >= 0) {
    Grow(maxLength + 1);
    if (buffer && Length() > maxLength && maxLength < bufferLength) {
      buffer[maxLength] = 0;
    }
  }
  return maxLength;
}

ZafError ZafStringData::SetTextLength(const ZafIChar* text, int maximum) {
  // A copy first: the text may be this object's own.
  const std::u16string value = text ? std::u16string(text) : std::u16string();
  BeginChange();
  SetMaxLength(maximum);
  if (staticData && !buffer) {
    borrowedText = text;
  } else {
    const int length = static_cast<int>(value.size());
    if (!staticData && maxLength < 0 && bufferLength < length + 1) {
      Grow(length + kSpareRoom);
    }
    const int kept = std::min(length, Room());
    std::copy_n(value.data(), kept, buffer);
    // A bounded text keeps the rest of its room zero-filled, as a fixed field of that many characters.
    const int end = maxLength >= 0 ? std::min(maxLength, bufferLength - 1) : kept;
    std::fill(buffer + kept, buffer + end + 1, u'\0');
  }
  EndChange(true);
  return ZAF_ERROR_NONE;
}

ZafError ZafStringData::SetText(const ZafIChar* text) {
  return SetTextLength(text, maxLength);
}

ZafError ZafStringData::SetTextData(const ZafStringData& other) {
  return SetTextLength(other.Text(), other.maxLength);
}

ZafError ZafStringData::SetTextNarrow(const char* text) {
  std::unique_ptr<ZafIChar[]> converted(ZafI18nData::CodeSet().ConvertToUnicode(text, nullptr, true));
  return SetText(converted.get());
}

bool ZafStringData::SetTextFormatted(const ZafIChar* text) {
  return ScanText(text, *Format() ? Format() : nullptr);
}

void ZafStringData::Append(const ZafIChar* text) {
  if (!text || !*text) {
    return;
  }
  SetText((Value() + text).c_str());
}

int ZafStringData::Compare(const ZafIChar* text, bool ignoreCase) const {
  const ZafIChar* mine = Text() ? Text() : u"";
  const ZafIChar* theirs = text ? text : u"";
  for (;; ++mine, ++theirs) {
    const ZafIChar a = ignoreCase ? ZafToLower(*mine) : *mine;
    const ZafIChar b = ignoreCase ? ZafToLower(*theirs) : *theirs;
    if (a != b || !a) {
      return static_cast<int>(a) - static_cast<int>(b);
    }
  }
}

int ZafStringData::Insert(int position, const ZafIChar* text, int length) {
  BeginChange();
  const int available = TextLength(text);
  const int count = length < 0 ? available : std::min(length, available);
  if (count == 0) {
    EndChange(true);
    return 0;
  }
  std::u16string value = Value();
  const int at = std::clamp(position, 0, static_cast<int>(value.size()));
  value.insert(static_cast<std::size_t>(at), text, static_cast<std::size_t>(count));
  const bool overflows = static_cast<int>(value.size()) > bufferLength - 1;
  if (!Writable() || (staticData && overflows)) {
    EndChange(false);
    return -1;
  }
  SetText(value.c_str());
  EndChange(true);
  return 0;
}

void ZafStringData::Delete(int position, int count) {
  if (!Writable()) {
    return;
  }
  BeginChange();
  const int length = Length();
  const int at = std::clamp(position, 0, length);
  const int removed = std::clamp(count, 0, length - at);
  std::copy(buffer + at + removed, buffer + length + 1, buffer + at);
  EndChange(true);
}

void ZafStringData::Remove(const ZafIChar* text) {
  const ZafIChar* found = text && *text && Text() ? ZafStrStr(Text(), text) : nullptr;
  if (found && Writable()) {
    Delete(static_cast<int>(found - buffer), ZafStrLen(text));
  }
}

int ZafStringData::Replace(int position, int count, const ZafIChar* text, int length) {
  BeginChange();
  Delete(position, count);
  const int result = Insert(position, text, length);
  EndChange(true);
  return result;
}

bool ZafStringData::SetStaticData(bool isStatic) {
  if (isStatic == staticData) {
    return staticData;
  }
  if (isStatic) {
    // The buffer keeps its size from now on; a buffer the object made stays its own to free.
    staticData = true;
    return staticData;
  }
  const std::u16string value = Value();
  staticData = false;
  const int characters = std::max(bufferLength, static_cast<int>(value.size()) + 1);
  buffer = nullptr;
  bufferLength = 0;
  Grow(characters);
  std::copy_n(value.c_str(), value.size() + 1, buffer);
  return staticData;
}

ZafError ZafStringData::SetChar(int index, ZafIChar character, bool quiet) {
  if (index < 0) {
    return SetError(ZAF_ERROR_BAD_INDEX);
  }
  if (!staticData && maxLength < 0 && index >= bufferLength - 1) {
    // Room for the character and, past the text's end, the terminator after it.
    Grow(std::max(index >= kCharGrowth ? index + kCharGrowth : kDefaultBuffer, index + 2));
  }
  if (!Writable() || index >= Room()) {
    return SetError(ZAF_ERROR_BAD_INDEX);
  }
  if (!quiet) {
    BeginChange();
  }
  // Storing over the terminator ends the text right after the new character.
  if (index == Length()) {
    buffer[index + 1] = 0;
  }
  buffer[index] = character;
  if (!quiet) {
    EndChange(true);
  }
  return ZAF_ERROR_NONE;
}

void ZafStringData::Clear() {
  BeginChange();
  if (buffer) {
    buffer[0] = 0;
  } else {
    borrowedText = nullptr;
  }
  SetError(ZAF_ERROR_NONE);
  EndChange(true);
}

ZafIChar* ZafStringData::DuplicateText() const {
  const std::u16string value = Value();
  const std::size_t size = std::max<std::size_t>(bufferLength, value.size() + 1);
  auto* copy = new ZafIChar[size]();
  std::copy(value.begin(), value.end(), copy);
  return copy;
}

char* ZafStringData::DuplicateLocalText() const {
  const std::u16string value = Value();
  const int limit = maxLength < 1 ? bufferLength : maxLength;
  const std::size_t size = std::max<std::size_t>(2 * static_cast<std::size_t>(limit) + 2, value.size() + 1);
  auto* copy = new char[size]();
  ZafI18nData::CodeSet().ConvertToLocal(value.c_str(), copy, false);
  return copy;
}

namespace {

// The text as the code set holds it: to the local code set and back.
std::u16string ThroughCodeSet(const ZafIChar* text) {
  const ZafCodeSetData& codeSet = ZafI18nData::CodeSet();
  std::unique_ptr<char[]> local(codeSet.ConvertToLocal(text ? text : u"", nullptr, true));
  std::unique_ptr<ZafIChar[]> back(codeSet.ConvertToUnicode(local.get(), nullptr, true));
  return back ? std::u16string(back.get()) : std::u16string();
}

}  // namespace

ZafIChar* ZafStringData::DuplicateConvertedText() const {
  const std::u16string converted = ThroughCodeSet(Text());
  const std::size_t size = std::max<std::size_t>(bufferLength, converted.size() + 1);
  auto* copy = new ZafIChar[size]();
  std::copy(converted.begin(), converted.end(), copy);
  return copy;
}

ZafError ZafStringData::SetConvertedText(const ZafIChar* text) {
  BeginChange();
  const ZafError result = SetText(ThroughCodeSet(text).c_str());
  EndChange(true);
  return result;
}

ZafStringData& ZafStringData::operator=(const ZafStringData& other) {
  if (this != &other) {
    SetTextData(other);
  }
  return *this;
}

ZafStringData& ZafStringData::operator=(const ZafIChar* text) {
  SetTextLength(text, -1);
  return *this;
}

ZafStringData& ZafStringData::operator=(ZafIChar character) {
  const ZafIChar text[2] = {character, 0};
  SetTextLength(text, -1);
  return *this;
}

ZafStringData& ZafStringData::operator+=(ZafIChar character) {
  const ZafIChar text[2] = {character, 0};
  Append(text);
  return *this;
}

void ZafStringData::RegisterFormats() {
  static const bool registered = [] {
    ZafI18nData::Initialize(nullptr);
    ZafSPrintfAddConversion(u'c', ZafStringPrintfConversion);
    ZafSPrintfAddConversion(u's', ZafStringPrintfConversion);
    for (ZafIChar conversion : std::u16string_view(u"sc[")) {
      ZafSScanfAddConversion(conversion, ZafStringScanfConversion);
    }
    return true;
  }();
  (void)registered;
}

ZafStringData operator+(const ZafStringData& left, const ZafStringData& right) {
  return left + right.Text();
}

ZafStringData operator+(const ZafStringData& left, const ZafIChar* right) {
  ZafStringData result(left);
  result.Append(right);
  return result;
}

ZafStringData operator+(const ZafIChar* left, const ZafStringData& right) {
  return ZafStringData(left) + right.Text();
}

ZafStringData operator+(const ZafStringData& left, ZafIChar right) {
  const ZafIChar text[2] = {right, 0};
  return left + text;
}

ZafStringData operator+(ZafIChar left, const ZafStringData& right) {
  const ZafIChar text[2] = {left, 0};
  return ZafStringData(text) + right.Text();
}

ZafStringData operator-(const ZafStringData& left, const ZafStringData& right) {
  return left - right.Text();
}

ZafStringData operator-(const ZafStringData& left, const ZafIChar* right) {
  ZafStringData result(left);
  result.Remove(right);
  return result;
}

ZafStringData operator-(const ZafIChar* left, const ZafStringData& right) {
  return ZafStringData(left) - right.Text();
}
