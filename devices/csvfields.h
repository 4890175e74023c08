#pragma once
// One line of comma-separated fields as the photo-finish files and links carry them, read and written in one
// place. A field may stand in double quotes; inside quotes a comma is text and two quotes stand for one.
// Blanks around a field are not part of it.

#include <cstdint>
#include <vector>

#include "foundation/kstring.h"

class CsvFields {
 public:
  enum Result : int32_t {
    kOk = 0,
    kUnterminatedQuote = 1,  // a quoted field runs to the end of the line
    kTextAfterQuote = 2,     // something other than blanks between a closing quote and the next comma
  };

  // Splits the line into `fields` (cleared first). A quote inside an unquoted field is kept as text. On a
  // failure `fields` holds what was read before it.
  static Result Split(const KString& line, std::vector<KString>& fields);
  // A short English description of a result, for the log.
  static const char* Describe(Result result);

  // The fields separated by commas, each in quotes when it holds a comma, a quote or blanks at its ends.
  // Control characters (line ends included) become blanks, so that one record stays one line.
  static KString Join(const std::vector<KString>& fields);

 private:
  static void AppendField(KString& line, const KString& field);
};
