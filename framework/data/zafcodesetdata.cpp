#include "framework/data/zafcodesetdata.h"

#include <cstring>

#include "framework/data/zafstrlib.h"

char* ZafCodeSetData::ConvertToLocal(const ZafIChar* text, char* buffer, bool allocate) const {
  if (!text) {
    return nullptr;
  }
  const int length = ZafStrLen(text);
  char* out = (allocate || !buffer) ? new char[length + 1] : buffer;
  for (int index = 0; index < length; ++index) {
    ConvertCharToLocal(text[index], out + index);
  }
  out[length] = 0;
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
  bytes[0] = static_cast<char>(character & 0xFF);
  return 1;
}
