// The framework's code set: converts 16-bit text to and from the local 8-bit code set used with narrow
// native text. Framework text uses Latin-1, each character one byte and "?" for one Latin-1 lacks, as every
// 8-bit text of the program (kbytetext.h); file names go through UTF-8 in the native file functions instead
// (see zafnativefile.h).
#ifndef FRAMEWORK_DATA_ZAFCODESETDATA_H
#define FRAMEWORK_DATA_ZAFCODESETDATA_H

#include "framework/data/zaftypes.h"

class ZafCodeSetData {
 public:
  // Converts into `buffer` (which must hold the text's length + 1), or into a new buffer that the caller
  // delete[]s when `allocate` is set or no buffer is given. Null text gives null.
  char* ConvertToLocal(const ZafIChar* text, char* buffer, bool allocate) const;
  ZafIChar* ConvertToUnicode(const char* text, ZafIChar* buffer, bool allocate) const;
  // One character each way; the narrow form writes its bytes and returns their count (a surrogate, half
  // a character, is "?").
  ZafIChar ConvertCharToUnicode(char character) const;
  int ConvertCharToLocal(ZafIChar character, char* bytes) const;
};

#endif
