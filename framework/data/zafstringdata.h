// The framework's text value: 16-bit text with an optional maximum length, in a buffer the object owns or in
// one the caller lends it. String, text and number fields hold their text in one, and every field that
// shares it is told when it changes.
//
// A lent ("static") buffer never grows and is never written past: the object knows its real capacity (the
// maximum length + 1 the caller declared, or what the caller's text occupies) and cuts text to fit, or
// refuses an insertion that would not fit. A static object given no buffer shows the caller's text read-only
// and refuses every edit. 8-bit text is always copied into a buffer of the object's own.
#ifndef FRAMEWORK_DATA_ZAFSTRINGDATA_H
#define FRAMEWORK_DATA_ZAFSTRINGDATA_H

#include <memory>
#include <string>

#include "framework/data/zafformatdata.h"

// SetChar outside the text's buffer.
inline constexpr ZafError ZAF_ERROR_BAD_INDEX = 5;

class ZafStringData : public ZafFormatData {
 public:
  // The empty text without maximum: an owned buffer of 255 characters, or for a static object no buffer.
  explicit ZafStringData(bool staticData = false);
  // An owned copy of `text` (null = empty). The buffer holds maxLength + 1 characters when a maximum is
  // given, else the text's length + 11, or 255 for a null text.
  explicit ZafStringData(const ZafIChar* text, int maxLength = -1);
  // With `staticData` the object writes into `buffer` itself, which must hold maxLength + 1 characters
  // when a maximum is given; without one the object uses only the characters the text occupies.
  ZafStringData(ZafIChar* buffer, int maxLength, bool staticData);
  // An owned object holding the 8-bit text converted through the code set (also when `staticData` is asked:
  // the caller's 8-bit buffer cannot hold 16-bit text).
  ZafStringData(const char* text, int maxLength, bool staticData);
  // Always an owned copy with the other's text and maximum, so that it never points into the other's buffer.
  ZafStringData(const ZafStringData& other);
  // Reads the object `name` (storage type 3); a failure leaves the empty text with the error set.
  ZafStringData(const ZafIChar* name, ZafDataPersistence& persistence);
  ~ZafStringData() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafData* Duplicate() override;
  ZafDataConstructor ReadFunction() const override;
  // Record: the format record, a signed 16-bit maximum length (-1 = none), then the text as a string.
  ZafError Write(ZafDataPersistence& persistence) override;
  // Empties the text and the error; observers hear of it.
  void Clear() override;

  // Each editing operation tells the observers once, when it has changed the text.
  // Appends `text` (cut to the maximum length or the static buffer).
  virtual void Append(const ZafIChar* text);
  // The difference of the first unequal characters (case-folded with `ignoreCase`); null counts as empty.
  virtual int Compare(const ZafIChar* text, bool ignoreCase = false) const;
  // Inserts `length` characters of `text` (-1 = all) at `position`, held to 0..Length(). An owned buffer
  // grows (the result is cut to the maximum length); a static buffer that cannot hold the result refuses:
  // -1, nothing changed. An empty text changes nothing but still tells the observers. Returns 0 otherwise.
  virtual int Insert(int position, const ZafIChar* text, int length = -1);
  // Removes up to `count` characters at `position`; both are held to the text.
  virtual void Delete(int position, int count);
  // Removes the first occurrence of `text`; nothing happens, and nobody is told, when there is none.
  virtual void Remove(const ZafIChar* text);
  // Delete then Insert, told as one change. Returns Insert's answer.
  virtual int Replace(int position, int count, const ZafIChar* text, int length = -1);
  // Switching to owned gives the object a buffer of its own holding the text; switching to static fixes
  // the buffer's size where it is. Returns the flag.
  virtual bool SetStaticData(bool staticData);
  // Stores one character. An owned object without maximum grows to 255 characters, or to index + 255 from
  // index 255 up; elsewhere an index outside the text's room (the buffer less its terminator, and the
  // maximum length) is error 5 and changes nothing. `quiet` stores without telling the observers.
  virtual ZafError SetChar(int index, ZafIChar character, bool quiet = false);
  // Stores the maximum (-1 = none), grows an owned buffer to hold it and cuts the text to it; tells nobody.
  virtual int SetMaxLength(int maxLength);
  // The 8-bit text converted through the code set, keeping the maximum length.
  virtual ZafError SetTextNarrow(const char* text);
  // The text, keeping the maximum length.
  virtual ZafError SetText(const ZafIChar* text);
  // The text and a new maximum length; the text is cut to the maximum and to a static buffer.
  virtual ZafError SetTextLength(const ZafIChar* text, int maxLength);
  // The other's text and maximum length.
  virtual ZafError SetTextData(const ZafStringData& other);
  // Scans `text` with the object's format, or with its input formats when it has none. True when one
  // assigned.
  virtual bool SetTextFormatted(const ZafIChar* text);

  // The text; null only for a static object that was given none.
  const ZafIChar* Text() const;
  int Length() const;
  int MaxLength() const { return maxLength; }
  // Characters the buffer holds, its terminator included (0 for a static object without buffer).
  int BufferLength() const { return bufferLength; }
  bool StaticData() const { return staticData; }
  // A new copy in a buffer of at least BufferLength() characters (delete[] it).
  ZafIChar* DuplicateText() const;
  // A new 8-bit copy through the code set, in a buffer of twice the maximum length + 2 bytes (the buffer
  // length standing for a maximum below 1), and never less than the text needs (delete[] it).
  char* DuplicateLocalText() const;
  // The two directions through the code set for 16-bit text: a new copy of the text as the code set holds
  // it (characters it cannot hold come back as it maps them), in a buffer of at least BufferLength()
  // characters (delete[] it); and the given text passed through the code set and set, keeping the maximum
  // length, as one change.
  ZafIChar* DuplicateConvertedText() const;
  ZafError SetConvertedText(const ZafIChar* text);

  ZafStringData& operator=(const ZafStringData& other);
  // Both drop the maximum length.
  ZafStringData& operator=(const ZafIChar* text);
  ZafStringData& operator=(ZafIChar character);
  ZafStringData& operator+=(ZafIChar character);

  // Registers the printf conversions 'c' and 's' and the scanf conversions 's', 'c' and '[' once per
  // program; later calls return at once.
  static void RegisterFormats();

 private:
  // The owned constructors' start: a buffer sized for the text and maximum, holding the text.
  void TakeOwnedText(const ZafIChar* text, int maximum);
  // Room for `characters` characters, the terminator included, keeping the text.
  void Grow(int characters);
  // The most characters the text may hold: the buffer less its terminator, and the maximum length.
  int Room() const;
  bool Writable() const { return buffer != nullptr; }
  // The text as it stands, for operations that rebuild it.
  std::u16string Value() const;
  void ReadRecord(ZafDataPersistence& persistence);

  bool staticData = false;
  int bufferLength = 0;
  int maxLength = -1;
  // The buffer the text lives in (owned or lent), or null.
  ZafIChar* buffer = nullptr;
  std::unique_ptr<ZafIChar[]> ownBuffer;
  // A static object without buffer shows the caller's text here and never writes to it.
  const ZafIChar* borrowedText = nullptr;
};

ZafStringData operator+(const ZafStringData& left, const ZafStringData& right);
ZafStringData operator+(const ZafStringData& left, const ZafIChar* right);
ZafStringData operator+(const ZafIChar* left, const ZafStringData& right);
ZafStringData operator+(const ZafStringData& left, ZafIChar right);
ZafStringData operator+(ZafIChar left, const ZafStringData& right);
ZafStringData operator-(const ZafStringData& left, const ZafStringData& right);
ZafStringData operator-(const ZafStringData& left, const ZafIChar* right);
ZafStringData operator-(const ZafIChar* left, const ZafStringData& right);

#endif
