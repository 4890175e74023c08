#pragma once
// The program's text: 16-bit units (UTF-16) in a buffer with a start cursor, an end, a capacity and a
// maximum capacity. The maximum capacity also tells how the buffer is held:
//   0 or more  an owned heap buffer that grows to the larger of twice the room and the need, never past
//              the larger of the maximum and the capacity it was made with;
//   -1         a fixed buffer (usually inside the object, see KStringFixed) that never grows;
//   -2         a read-only view of a literal; the first change copies it into an owned buffer.
// Text appended past a buffer that cannot grow any further is dropped without error.
// Invariant: 0 <= start <= end <= capacity, and buffer[end] has room for the terminating 0.

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

class KStream;

class KString {
 public:
  static constexpr int32_t kDefaultCapacity = 31;
  static constexpr int32_t kGrowsForEver = 0x7ffffffe;  // the largest maximum capacity
  static constexpr int32_t kFixed = -1;
  static constexpr int32_t kLiteral = -2;
  // The version word of a stored KString record; it is compared exactly.
  static constexpr uint32_t kRecordWord = 0x10010005;

  // An empty text on the heap that starts with room for `capacity` characters and grows up to
  // `maxCapacity` (negative values, which name the other storages, are taken as 0).
  explicit KString(int32_t capacity = kDefaultCapacity, int32_t maxCapacity = kGrowsForEver);
  // Copies of 8-bit (widened byte by byte) and 16-bit 0-terminated texts, on a heap buffer that grows.
  KString(const char* text);      // NOLINT(google-explicit-constructor): texts are built from literals
  KString(const char16_t* text);  // NOLINT(google-explicit-constructor)
  KString(const char16_t* text, int32_t length);
  // A read-only view of a 0-terminated literal that outlives the text (storage -2).
  static KString View(const char16_t* literal);
  // A text decoded from UTF-8 (the local code page); invalid bytes stand for themselves (Latin-1).
  static KString FromUtf8(std::string_view utf8);

  // A copy keeps the source's text; it lives on the heap with the source's growth limits (a copy of a
  // fixed text gets an owned buffer that does not grow past the source's capacity; a view stays a view).
  KString(const KString& other);
  KString(KString&& other) noexcept;
  // Assignment keeps this text's own storage rules: a fixed buffer keeps what fits.
  KString& operator=(const KString& other);
  KString& operator=(KString&& other) noexcept;
  KString& operator=(const char* text);
  KString& operator=(const char16_t* text);
  virtual ~KString();

  int32_t Length() const { return end - start; }
  bool IsEmpty() const { return end == start; }
  int32_t Capacity() const { return capacity - start; }
  int32_t MaxCapacity() const { return maxCapacity; }
  // The 0-terminated text; valid until the next change.
  const char16_t* CStr() const;
  const char16_t* Data() const { return buffer + start; }
  char16_t operator[](int32_t index) const { return buffer[start + index]; }
  // The character at `index`, 0 outside the text.
  char16_t At(int32_t index) const;

  void Clear();
  // Cuts the text to `length` characters; a longer length (or a negative one) leaves the text as it is
  // (or empties it).
  void SetLength(int32_t length);

  KString& Append(const KString& text);
  KString& Append(const char16_t* text);
  KString& Append(const char16_t* text, int32_t length);
  KString& Append(const char* text);
  KString& AppendChar(char16_t c);
  // 8-bit text, each byte widened to one character.
  KString& AppendNarrow(const char* text);
  KString& AppendNarrow(const char* text, int32_t length);
  KString& AppendInt(int64_t value);
  // A double formatted with a printf conversion ("%lf" by default); the decimal point is always '.',
  // whatever the process locale.
  KString& AppendReal(double value, const char* format = "%lf");
  // A value formatted by a printf-style format of one conversion (see KValueFormat); a format that is not
  // of that shape appends the value in its plain form ("%lf" for a double, decimal for an integer).
  KString& AppendFormat(double value, const KString& format);
  KString& AppendFormat(int32_t value, const KString& format);

  // Reads a signed decimal integer (optional sign, at least one digit, nothing else); false for anything
  // else and for values outside int32_t, leaving `value` untouched.
  bool ParseInt(int32_t& value) const;

  // Copies the field `index` (from 0) of `source`, split at `delimiter`, into this text (which is cleared
  // first); at most `limit` characters are kept (-1 for no limit). False when the source has no such field.
  // With a quote character a field may stand in quotes and then contain the delimiter; inside quotes two
  // quote characters in a row stand for one. Text after a closing quote up to the delimiter is kept.
  bool GetField(const KString& source, int32_t index, char16_t delimiter, int32_t limit = -1);
  bool GetField(const KString& source, int32_t index, char16_t delimiter, char16_t quote, int32_t limit);

  // Whole texts, case-sensitive.
  static bool Equals(const KString& a, const KString& b);
  // Case-sensitive over at most n characters (-1 for the whole texts).
  static bool EqualsN(const KString& a, const KString& b, int32_t n);
  // Ignoring case (ASCII and Latin-1 letters) over at most n characters (-1 for the whole texts).
  static bool EqualsNoCase(const KString& a, const KString& b, int32_t n = -1);
  // Lower case for ASCII and Latin-1 letters, the folding EqualsNoCase uses.
  static char16_t FoldCase(char16_t c);
  // Orders by character code; negative, 0 or positive.
  static int32_t Compare(const KString& a, const KString& b);

  // Replaces every backslash-n pair by CR LF in place; true when one was replaced.
  bool ExpandNewlines();
  // The index of the first `c` at or after `from`, -1 when absent.
  int32_t Find(char16_t c, int32_t from = 0) const;
  // Removes white space (blank, tab, CR, LF, vertical tab, form feed) at both ends.
  void Trim();

  // UTF-8 for operating-system calls (paths); 8-bit text is KByteText (kbytetext.h).
  std::string ToUtf8() const;

  // The stored record: the word 0x10010005, the length in characters (int32), then each character as a
  // 16-bit word, in the stream's byte order. Read refuses a wrong word with KXPersistent 3009 and an
  // impossible length with 3010; a fixed text keeps what fits.
  void Write(KStream& stream) const;
  void Read(KStream& stream);

  friend bool operator==(const KString& a, const KString& b) { return Equals(a, b); }
  friend auto operator<=>(const KString& a, const KString& b) { return Compare(a, b) <=> 0; }

 protected:
  // A text over a caller's fixed buffer of `capacity` characters plus one for the terminating 0.
  KString(char16_t* fixedBuffer, int32_t capacity);

 private:
  // Makes room for `extra` more characters if the storage allows; returns how many fit.
  int32_t Reserve(int32_t extra);
  // Copies a literal view into an owned buffer before the first change.
  void MakeWritable();
  void AssignText(const char16_t* text, int32_t length);
  void ReleaseHeap();
  void CopyFrom(const KString& other);
  void StealFrom(KString& other);
  // Whether `text` points into this string's buffer (appending it to itself needs a copy first).
  bool InBuffer(const char16_t* text) const;
  struct LiteralTag {};
  KString(const char16_t* literal, LiteralTag);
  bool OwnsHeap() const { return maxCapacity >= 0; }

  char16_t* buffer = nullptr;
  int32_t start = 0;
  int32_t end = 0;
  int32_t capacity = 0;
  int32_t maxCapacity = kGrowsForEver;
};

// A KString over an inline buffer of N characters that never grows. Copies and moves copy the text into the
// object's own buffer, so they never point at another object's buffer.
template <int32_t N>
class KStringFixed : public KString {
 public:
  KStringFixed() : KString(inlineBuffer, N) {}
  KStringFixed(const KString& text) : KStringFixed() { Append(text); }  // NOLINT(google-explicit-constructor)
  KStringFixed(const char* text) : KStringFixed() { Append(text); }     // NOLINT(google-explicit-constructor)
  KStringFixed(const char16_t* text) : KStringFixed() {
    Append(text);
  }  // NOLINT(google-explicit-constructor)
  KStringFixed(const KStringFixed& other) : KStringFixed() { Append(other); }
  KStringFixed& operator=(const KStringFixed& other) {
    KString::operator=(other);
    return *this;
  }
  using KString::operator=;

 private:
  char16_t inlineBuffer[N + 1];
};

using KString15 = KStringFixed<15>;
using KString31 = KStringFixed<31>;
using KString63 = KStringFixed<63>;
using KString127 = KStringFixed<127>;
using KString255 = KStringFixed<255>;
using KString511 = KStringFixed<511>;
