#include "foundation/kstring.h"

#include "foundation/kpersistent.h"
#include "foundation/kstream.h"
#include "foundation/kutf8.h"
#include "foundation/kvalueformat.h"
#include "foundation/kx.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <functional>
#include <limits>

namespace {

const char16_t kEmpty[] = u"";

int32_t LengthOf(const char16_t* text) {
  if (text == nullptr) {
    return 0;
  }
  return static_cast<int32_t>(std::char_traits<char16_t>::length(text));
}

int32_t LengthOf(const char* text) {
  return text == nullptr ? 0 : static_cast<int32_t>(std::strlen(text));
}

bool IsSpace(char16_t c) {
  return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0x0B || c == 0x0C;
}

char16_t Identity(char16_t c) {
  return c;
}

// Compares up to n characters (n < 0: all) through `fold`.
bool EqualsOver(const KString& a, const KString& b, int32_t n, char16_t (*fold)(char16_t)) {
  const int32_t lengthA = a.Length();
  const int32_t lengthB = b.Length();
  const int32_t span = n < 0 ? std::max(lengthA, lengthB) : n;
  for (int32_t i = 0; i < span; ++i) {
    if (i >= lengthA || i >= lengthB) {
      return i >= lengthA && i >= lengthB;
    }
    if (fold(a[i]) != fold(b[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace

KString::KString(int32_t initialCapacity, int32_t maximum)
    : capacity(std::max(initialCapacity, 0)), maxCapacity(std::max(maximum, 0)) {
  buffer = new char16_t[static_cast<size_t>(capacity) + 1];
  buffer[0] = 0;
}

KString::KString(const char* text) : KString(std::max(LengthOf(text), kDefaultCapacity)) {
  AppendNarrow(text);
}

KString::KString(const char16_t* text) : KString(text, LengthOf(text)) {}

KString::KString(const char16_t* text, int32_t length) : KString(std::max(length, kDefaultCapacity)) {
  Append(text, length);
}

KString::KString(char16_t* fixedBuffer, int32_t fixedCapacity)
    : buffer(fixedBuffer), capacity(fixedCapacity), maxCapacity(kFixed) {
  buffer[0] = 0;
}

KString::KString(const char16_t* literal, LiteralTag)
    : buffer(const_cast<char16_t*>(literal == nullptr ? kEmpty : literal)), maxCapacity(kLiteral) {
  end = capacity = LengthOf(buffer);
}

KString KString::View(const char16_t* literal) {
  return KString(literal, LiteralTag{});
}

KString KString::FromUtf8(std::string_view utf8) {
  KString text(static_cast<int32_t>(std::min<size_t>(utf8.size(), kGrowsForEver)));
  const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
  const int32_t size = static_cast<int32_t>(std::min<size_t>(utf8.size(), kGrowsForEver));
  for (int32_t i = 0; i < size;) {
    char32_t codePoint = 0;
    i += KDecodeUtf8(bytes + i, size - i, codePoint);
    if (codePoint > 0xFFFF) {
      text.AppendChar(KHighSurrogate(codePoint));
      text.AppendChar(KLowSurrogate(codePoint));
    } else {
      text.AppendChar(char16_t(codePoint));
    }
  }
  return text;
}

KString::KString(const KString& other) {
  CopyFrom(other);
}

KString::KString(KString&& other) noexcept {
  if (other.OwnsHeap()) {
    StealFrom(other);
  } else {
    CopyFrom(other);
  }
}

void KString::CopyFrom(const KString& other) {
  if (other.maxCapacity == kLiteral) {
    buffer = other.buffer;
    start = other.start;
    end = other.end;
    capacity = other.capacity;
    maxCapacity = kLiteral;
    return;
  }
  maxCapacity = other.OwnsHeap() ? std::max(other.capacity, other.maxCapacity) : other.capacity;
  capacity = other.Length();
  buffer = new char16_t[static_cast<size_t>(capacity) + 1];
  std::copy(other.Data(), other.Data() + other.Length(), buffer);
  start = 0;
  end = capacity;
  buffer[end] = 0;
}

void KString::StealFrom(KString& other) {
  buffer = other.buffer;
  start = other.start;
  end = other.end;
  capacity = other.capacity;
  maxCapacity = other.maxCapacity;
  other.buffer = const_cast<char16_t*>(kEmpty);
  other.start = other.end = other.capacity = 0;
  other.maxCapacity = kLiteral;
}

KString& KString::operator=(const KString& other) {
  if (this == &other) {
    return *this;
  }
  if (other.maxCapacity == kLiteral && maxCapacity == kLiteral) {
    CopyFrom(other);
    return *this;
  }
  AssignText(other.Data(), other.Length());
  return *this;
}

KString& KString::operator=(KString&& other) noexcept {
  if (this == &other) {
    return *this;
  }
  if (maxCapacity == kFixed || !other.OwnsHeap()) {
    return *this = static_cast<const KString&>(other);
  }
  ReleaseHeap();
  StealFrom(other);
  return *this;
}

KString& KString::operator=(const char* text) {
  Clear();
  return AppendNarrow(text);
}

KString& KString::operator=(const char16_t* text) {
  AssignText(text, LengthOf(text));
  return *this;
}

KString::~KString() {
  ReleaseHeap();
}

void KString::ReleaseHeap() {
  if (OwnsHeap()) {
    delete[] buffer;
  }
  buffer = nullptr;
}

bool KString::InBuffer(const char16_t* text) const {
  const std::less_equal<const char16_t*> notAfter;
  return notAfter(buffer, text) && notAfter(text, buffer + capacity);
}

void KString::AssignText(const char16_t* text, int32_t length) {
  if (InBuffer(text)) {
    // The text lies in this string's own buffer: keep a copy while the buffer is rewritten.
    const std::u16string copy(text, static_cast<size_t>(std::max(length, 0)));
    Clear();
    Append(copy.data(), static_cast<int32_t>(copy.size()));
    return;
  }
  Clear();
  Append(text, length);
}

void KString::MakeWritable() {
  if (maxCapacity != kLiteral) {
    return;
  }
  const char16_t* literal = Data();
  const int32_t length = Length();
  capacity = std::max(length, kDefaultCapacity);
  maxCapacity = kGrowsForEver;
  buffer = new char16_t[static_cast<size_t>(capacity) + 1];
  std::copy(literal, literal + length, buffer);
  start = 0;
  end = length;
  buffer[end] = 0;
}

int32_t KString::Reserve(int32_t extra) {
  MakeWritable();
  if (extra <= capacity - end) {
    return extra;
  }
  if (start > 0) {
    // Room freed at the front by Trim is reused before the buffer grows or anything is dropped; a fixed
    // buffer would otherwise lose that room for good.
    const int32_t length = Length();
    std::copy(buffer + start, buffer + end, buffer);
    start = 0;
    end = length;
    buffer[end] = 0;
  }
  if (extra <= capacity - end || !OwnsHeap()) {
    return std::min(extra, capacity - end);
  }
  const int32_t length = Length();
  const int64_t need = int64_t{length} + extra;
  const int64_t limit = std::max(capacity, maxCapacity);
  const int64_t grown = std::min(std::max(int64_t{capacity} * 2, need), limit);
  if (grown > capacity) {
    auto* larger = new char16_t[static_cast<size_t>(grown) + 1];
    std::copy(buffer, buffer + end, larger);
    delete[] buffer;
    buffer = larger;
    capacity = static_cast<int32_t>(grown);
    buffer[end] = 0;
  }
  return static_cast<int32_t>(std::min<int64_t>(extra, capacity - end));
}

const char16_t* KString::CStr() const {
  return buffer + start;
}

char16_t KString::At(int32_t index) const {
  return index >= 0 && index < Length() ? buffer[start + index] : 0;
}

void KString::Clear() {
  if (maxCapacity == kLiteral) {
    *this = KString();
    return;
  }
  start = end = 0;
  buffer[0] = 0;
}

void KString::SetLength(int32_t length) {
  if (length >= Length()) {
    return;
  }
  MakeWritable();
  end = start + std::max(length, 0);
  buffer[end] = 0;
}

KString& KString::Append(const KString& text) {
  return Append(text.Data(), text.Length());
}

KString& KString::Append(const char16_t* text) {
  return Append(text, LengthOf(text));
}

KString& KString::Append(const char16_t* text, int32_t length) {
  if (text == nullptr || length <= 0) {
    return *this;
  }
  if (maxCapacity != kLiteral && InBuffer(text)) {
    const std::u16string copy(text, static_cast<size_t>(length));
    return Append(copy.data(), length);
  }
  const int32_t fits = Reserve(length);
  std::copy(text, text + fits, buffer + end);
  end += fits;
  buffer[end] = 0;
  return *this;
}

KString& KString::Append(const char* text) {
  return AppendNarrow(text);
}

KString& KString::AppendChar(char16_t c) {
  return Append(&c, 1);
}

KString& KString::AppendNarrow(const char* text) {
  return AppendNarrow(text, LengthOf(text));
}

KString& KString::AppendNarrow(const char* text, int32_t length) {
  if (text == nullptr || length <= 0) {
    return *this;
  }
  const int32_t fits = Reserve(length);
  for (int32_t i = 0; i < fits; ++i) {
    buffer[end + i] = static_cast<uint8_t>(text[i]);
  }
  end += fits;
  buffer[end] = 0;
  return *this;
}

KString& KString::AppendInt(int64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  return AppendNarrow(digits, static_cast<int32_t>(result.ptr - digits));
}

KString& KString::AppendReal(double value, const char* format) {
  return AppendFormat(value, KString(format));
}

KString& KString::AppendFormat(double value, const KString& format) {
  if (!KValueFormat(format).Append(*this, value)) {
    KValueFormat(KString::View(u"%lf")).Append(*this, value);
  }
  return *this;
}

KString& KString::AppendFormat(int32_t value, const KString& format) {
  if (!KValueFormat(format).Append(*this, value)) {
    AppendInt(value);
  }
  return *this;
}

bool KString::ParseInt(int32_t& value) const {
  int32_t i = 0;
  const bool negative = At(0) == u'-';
  if (negative || At(0) == u'+') {
    ++i;
  }
  if (i >= Length()) {
    return false;
  }
  int64_t magnitude = 0;
  for (; i < Length(); ++i) {
    const char16_t c = (*this)[i];
    if (c < u'0' || c > u'9') {
      return false;
    }
    magnitude = magnitude * 10 + (c - u'0');
    if (magnitude > int64_t{std::numeric_limits<int32_t>::max()} + 1) {
      return false;
    }
  }
  const int64_t result = negative ? -magnitude : magnitude;
  if (result > std::numeric_limits<int32_t>::max()) {
    return false;
  }
  value = static_cast<int32_t>(result);
  return true;
}

bool KString::GetField(const KString& source, int32_t index, char16_t delimiter, int32_t limit) {
  return GetField(source, index, delimiter, 0, limit);
}

bool KString::GetField(const KString& source, int32_t index, char16_t delimiter, char16_t quote,
                       int32_t limit) {
  if (&source == this) {
    const KString copy(source);
    return GetField(copy, index, delimiter, quote, limit);
  }
  if (index < 0) {
    return false;
  }
  // Walk to the start of the wanted field, stepping over quoted delimiters.
  int32_t i = 0;
  for (int32_t field = 0; field < index; ++field) {
    bool quoted = false;
    for (; i < source.Length(); ++i) {
      const char16_t c = source[i];
      if (quote != 0 && c == quote) {
        quoted = !quoted;  // a doubled quote toggles twice and so stays inside
      } else if (c == delimiter && !quoted) {
        break;
      }
    }
    if (i >= source.Length()) {
      return false;
    }
    ++i;  // past the delimiter
  }
  Clear();
  const int32_t keep = limit < 0 ? std::numeric_limits<int32_t>::max() : limit;
  bool quoted = false;
  for (; i < source.Length(); ++i) {
    const char16_t c = source[i];
    if (quote != 0 && c == quote) {
      if (quoted && source.At(i + 1) == quote) {
        ++i;  // two quotes inside quotes stand for one
      } else {
        quoted = !quoted;
        continue;
      }
    } else if (c == delimiter && !quoted) {
      break;
    }
    if (Length() < keep) {
      AppendChar(c);
    }
  }
  return true;
}

bool KString::Equals(const KString& a, const KString& b) {
  return EqualsOver(a, b, -1, Identity);
}

bool KString::EqualsN(const KString& a, const KString& b, int32_t n) {
  return EqualsOver(a, b, n, Identity);
}

bool KString::EqualsNoCase(const KString& a, const KString& b, int32_t n) {
  return EqualsOver(a, b, n, FoldCase);
}

// The multiplication sign among the Latin-1 capitals is not a letter.
char16_t KString::FoldCase(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
    return char16_t(c + 0x20);
  }
  return c;
}

int32_t KString::Compare(const KString& a, const KString& b) {
  const int32_t common = std::min(a.Length(), b.Length());
  for (int32_t i = 0; i < common; ++i) {
    if (a[i] != b[i]) {
      return a[i] < b[i] ? -1 : 1;
    }
  }
  return a.Length() == b.Length() ? 0 : (a.Length() < b.Length() ? -1 : 1);
}

bool KString::ExpandNewlines() {
  bool replaced = false;
  for (int32_t i = 0; i + 1 < Length(); ++i) {
    if ((*this)[i] == u'\\' && (*this)[i + 1] == u'n') {
      MakeWritable();
      buffer[start + i] = u'\r';
      buffer[start + i + 1] = u'\n';
      replaced = true;
      ++i;
    }
  }
  return replaced;
}

int32_t KString::Find(char16_t c, int32_t from) const {
  for (int32_t i = std::max(from, 0); i < Length(); ++i) {
    if ((*this)[i] == c) {
      return i;
    }
  }
  return -1;
}

void KString::Trim() {
  int32_t first = 0;
  int32_t last = Length();
  while (first < last && IsSpace((*this)[first])) {
    ++first;
  }
  while (last > first && IsSpace((*this)[last - 1])) {
    --last;
  }
  if (first == 0 && last == Length()) {
    return;
  }
  MakeWritable();
  end = start + last;
  start += first;
  buffer[end] = 0;
}

std::string KString::ToUtf8() const {
  std::string out;
  out.reserve(static_cast<size_t>(Length()));
  for (int32_t i = 0; i < Length(); ++i) {
    char32_t codePoint = (*this)[i];
    if (KIsHighSurrogate(codePoint) && KIsLowSurrogate(At(i + 1))) {
      codePoint = KJoinSurrogates((*this)[i], (*this)[i + 1]);
      ++i;
    }
    uint8_t bytes[4];
    const int32_t count = KEncodeUtf8(codePoint, bytes);
    out.append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
  }
  return out;
}

void KString::Write(KStream& stream) const {
  stream.WriteUInt32(kRecordWord);
  stream.WriteInt32(Length());
  for (int32_t i = 0; i < Length(); ++i) {
    stream.WriteUInt16((*this)[i]);
  }
}

void KString::Read(KStream& stream) {
  if (stream.ReadUInt32() != kRecordWord) {
    throw KXPersistent(kErrFileVersion);
  }
  const int32_t length = KPersistent::ReadCount(stream, 2, kGrowsForEver);
  // The text is gathered aside so that a record cut short leaves this text as it was.
  std::u16string text;
  text.reserve(static_cast<size_t>(std::min(length, 4096)));
  for (int32_t i = 0; i < length; ++i) {
    text += static_cast<char16_t>(stream.ReadUInt16());
  }
  AssignText(text.data(), length);
}
