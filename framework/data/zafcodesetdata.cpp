#include "framework/data/zafcodesetdata.h"

#include <cstring>

#include "foundation/kbytetext.h"
#include "foundation/kutf8.h"
#include "framework/data/zafstrlib.h"

char* ZafCodeSetData::ConvertToLocal(const ZafIChar* text, char* buffer, bool allocate) const {
  if (!text) {
    return nullptr;
  }
  const int length = ZafStrLen(text);
  char* out = (allocate || !buffer) ? new char[length + 1] : buffer;
  int used = 0;
  for (int index = 0; index < length; ++index) {
    char32_t character = text[index];
    if (KIsHighSurrogate(character) && KIsLowSurrogate(text[index + 1])) {
      character = KJoinSurrogates(text[index], text[index + 1]);
      ++index;  // the pair is one character
    }
    out[used++] = static_cast<char>(KByteOf(character));
  }
  out[used] = 0;
  return out;
}

ZafIChar* ZafCodeSetData::ConvertToUnicode(const char* text, ZafIChar* buffer, bool allocate) const {
  if (!text) {
    return nullptr;
  }
  const int length = static_cast<int>(std::strlen(text));
  ZafIChar* out = (allocate || !buffer) ? new ZafIChar[length + 1] : buffer;
  for (int index = 0; index < length; ++index) {
    out[index] = ConvertCharToUnicode(text[index]);
  }
  out[length] = 0;
  return out;
}

ZafIChar ZafCodeSetData::ConvertCharToUnicode(char character) const {
  return static_cast<unsigned char>(character);
}

int ZafCodeSetData::ConvertCharToLocal(ZafIChar character, char* bytes) const {
  bytes[0] = static_cast<char>(KByteOf(character));
  return 1;
}
