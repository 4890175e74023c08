// The base of data objects shown as formatted text: it carries an output format and a list of input formats,
// and formats or scans its value through the framework's printf and scanf. The data class registers a
// conversion that, given the 'Z' flag, takes the data object itself as its argument: a `const ZafData*` when
// printing, a `ZafData*` when scanning.
#ifndef FRAMEWORK_DATA_ZAFFORMATDATA_H
#define FRAMEWORK_DATA_ZAFFORMATDATA_H

#include <string>
#include <vector>

#include "framework/data/zafdata.h"

class ZafFile;

// A text that did not give a number.
inline constexpr ZafError ZAF_ERROR_INVALID_NUMBER = 1;

class ZafFormatData : public ZafData {
 public:
  ZafFormatData() = default;
  ZafFormatData(const ZafFormatData& other);
  // Reads the format record of the object `name` from the current level's file; the derived class has
  // entered the level and opened the file.
  ZafFormatData(const ZafIChar* name, ZafDataPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;

  // Record: the format text (a string), a 16-bit count of input formats, then each format (a string).
  ZafError Write(ZafDataPersistence& persistence) override;

  // Prints the object through `format` (the object's own format when null) into `buffer`, which holds
  // `maximumLength` characters and the terminator. 'Z' goes in after the first '%' so that the conversion
  // takes this object; a format without '%' is copied as the text. Returns the length, or 0 with an empty
  // buffer when the text would not fit.
  int FormattedText(ZafIChar* buffer, int maximumLength, const ZafIChar* format) const;
  // Scans `text` with `format` when given, else with each input format in turn, until one assigns. The
  // change is bracketed, so observers hear of it once. True when a format assigned.
  bool ScanText(const ZafIChar* text, const ZafIChar* format);

  const ZafIChar* Format() const { return format.c_str(); }
  const ZafIChar* SetFormat(const ZafIChar* format);
  const std::vector<std::u16string>& FormatList() const { return formatList; }
  void AddFormat(const ZafIChar* format);
  void ClearFormats();

 protected:
  void ReadFormats(ZafFile& file);
  void WriteFormats(ZafFile& file) const;

 private:
  std::u16string format;
  std::vector<std::u16string> formatList;
};

// The format with 'Z' after its first '%' (a format without '%' unchanged).
std::u16string ZafDataObjectFormat(const ZafIChar* format);

#endif
