#include "framework/data/zafstrlib.h"

#include <cstdint>

#include "framework/data/zafchar.h"

namespace {

int Signed16(ZafIChar character) {
  return static_cast<int16_t>(character);
}

int SignedByte(char byte) {
  return static_cast<signed char>(byte);
}

// The comparison shared by the unsigned forms: stops where the characters differ, either string ends or
// `limit` characters matched (limit < 0 for none).
int CompareUnsigned(const ZafIChar* a, const ZafIChar* b, int limit) {
  for (int index = 0; limit < 0 || index < limit; ++index) {
    if (a[index] != b[index] || !a[index]) {
      return a[index] - b[index];
    }
  }
  return 0;
}

ZafIChar FoldCase(ZafIChar character) {
  return ZafIsUpper(character) ? ZafToLower(character) : character;
}

int CompareFolded(const ZafIChar* a, const ZafIChar* b, int limit) {
  for (int index = 0; limit < 0 || index < limit; ++index) {
    const ZafIChar first = FoldCase(a[index]);
    const ZafIChar second = FoldCase(b[index]);
    if (first != second || !first) {
      return first - second;
    }
  }
  return 0;
}

bool InSet(ZafIChar character, const ZafIChar* set) {
  for (; *set; ++set) {
    if (*set == character) {
      return true;
    }
  }
  return false;
}

ZafIChar* saved_token_position = nullptr;

constexpr char16_t kDigits[] = u"0123456789abcdef";

}  // namespace

ZafIChar* ZafStrCpy(ZafIChar* destination, const ZafIChar* source) {
  ZafIChar* out = destination;
  while ((*out++ = *source++) != 0) {
  }
  return destination;
}

ZafIChar* ZafStrNCpy(ZafIChar* destination, const ZafIChar* source, int n) {
  int index = 0;
  for (; index < n && source[index]; ++index) {
    destination[index] = source[index];
  }
  for (; index < n; ++index) {
    destination[index] = 0;
  }
  return destination;
}

ZafIChar* ZafStrCat(ZafIChar* destination, const ZafIChar* source) {
  ZafStrCpy(destination + ZafStrLen(destination), source);
  return destination;
}

ZafIChar* ZafStrNCat(ZafIChar* destination, const ZafIChar* source, int n) {
  ZafIChar* out = destination + ZafStrLen(destination);
  for (int index = 0; index < n && source[index]; ++index) {
    *out++ = source[index];
  }
  *out = 0;
  return destination;
}

int ZafStrLen(const ZafIChar* string) {
  int length = 0;
  while (string[length]) {
    ++length;
  }
  return length;
}

ZafIChar* ZafStrDup(const ZafIChar* string) {
  if (!string) {
    return nullptr;
  }
  return ZafStrCpy(new ZafIChar[ZafStrLen(string) + 1], string);
}

int ZafStrCmp(const ZafIChar* a, const ZafIChar* b) {
  while (*a && *a == *b) {
    ++a;
    ++b;
  }
  return Signed16(*a) - Signed16(*b);
}

int ZafStrNCmp(const ZafIChar* a, const ZafIChar* b, int n) {
  return CompareUnsigned(a, b, n);
}

int ZafStrNCmpWide(const ZafIChar* a, const ZafIChar* b, int n) {
  return CompareUnsigned(a, b, n);
}

int ZafStrICmp(const ZafIChar* a, const ZafIChar* b) {
  return CompareFolded(a, b, -1);
}

int ZafStrNICmp(const ZafIChar* a, const ZafIChar* b, int n) {
  return CompareFolded(a, b, n);
}

int ZafStrCmpNullSafe(const ZafIChar* a, const ZafIChar* b) {
  if (a == b) {
    return 0;
  }
  if (!a) {
    return -b[0];
  }
  if (!b) {
    return a[0];
  }
  return CompareUnsigned(a, b, -1);
}

int ZafStrCmpNarrow(const ZafIChar* a, const char* b) {
  if (!a && !b) {
    return 0;
  }
  if (!a) {
    return -SignedByte(b[0]);
  }
  if (!b) {
    return a[0];
  }
  while (*a && *b && (*a & 0xFF) == static_cast<unsigned char>(*b)) {
    ++a;
    ++b;
  }
  return *a - SignedByte(*b);
}

int ZafStrCmpNarrowNarrow(const char* a, const char* b) {
  if (a == b) {
    return 0;
  }
  if (!a) {
    return -SignedByte(b[0]);
  }
  if (!b) {
    return SignedByte(a[0]);
  }
  while (*a && *a == *b) {
    ++a;
    ++b;
  }
  return SignedByte(*a) - SignedByte(*b);
}

ZafIChar* ZafStrChr(const ZafIChar* string, ZafIChar character) {
  for (;; ++string) {
    if (*string == character) {
      return const_cast<ZafIChar*>(string);
    }
    if (!*string) {
      return nullptr;
    }
  }
}

ZafIChar* ZafStrRChr(const ZafIChar* string, ZafIChar character) {
  const ZafIChar* found = nullptr;
  for (;; ++string) {
    if (*string == character) {
      found = string;
    }
    if (!*string) {
      return const_cast<ZafIChar*>(found);
    }
  }
}

ZafIChar* ZafStrPBrk(const ZafIChar* string, const ZafIChar* set) {
  const int index = ZafStrCSpn(string, set);
  return string[index] ? const_cast<ZafIChar*>(string + index) : nullptr;
}

int ZafStrCSpn(const ZafIChar* string, const ZafIChar* set) {
  int index = 0;
  while (string[index] && !InSet(string[index], set)) {
    ++index;
  }
  return index;
}

int ZafStrRCSpn(const ZafIChar* string, const ZafIChar* set) {
  const int length = ZafStrLen(string);
  int smallest = length;
  for (; *set; ++set) {
    const ZafIChar* last = ZafStrRChr(string, *set);
    if (last && last - string < smallest) {
      smallest = static_cast<int>(last - string);
    }
  }
  return smallest;
}

ZafIChar* ZafStrStr(const ZafIChar* string, const ZafIChar* pattern) {
  const int patternLength = ZafStrLen(pattern);
  for (const ZafIChar* place = string;; ++place) {
    if (CompareUnsigned(place, pattern, patternLength) == 0) {
      return const_cast<ZafIChar*>(place);
    }
    if (!*place) {
      return nullptr;
    }
  }
}

ZafIChar* ZafStrTok(ZafIChar* string, const ZafIChar* delimiters) {
  if (string) {
    saved_token_position = string;
  }
  if (!saved_token_position || !*saved_token_position) {
    return nullptr;
  }
  int span = ZafStrCSpn(saved_token_position, delimiters);
  while (span == 0 && *saved_token_position) {
    ++saved_token_position;
    span = ZafStrCSpn(saved_token_position, delimiters);
  }
  ZafIChar* token = saved_token_position;
  saved_token_position += span;
  if (*saved_token_position) {
    *saved_token_position++ = 0;
  }
  return token;
}

ZafIChar* ZafStrLwr(ZafIChar* string) {
  for (ZafIChar* place = string; *place; ++place) {
    if (ZafIsUpper(*place)) {
      *place = ZafToLower(*place);
    }
  }
  return string;
}

ZafIChar* ZafStrUpr(ZafIChar* string) {
  for (ZafIChar* place = string; *place; ++place) {
    if (ZafIsLower(*place)) {
      *place = ZafToUpper(*place);
    }
  }
  return string;
}

void ZafStrRepc(ZafIChar* string, ZafIChar oldCharacter, ZafIChar newCharacter) {
  for (; string && *string; ++string) {
    if (*string == oldCharacter) {
      *string = newCharacter;
    }
  }
}

void ZafStrStripChar(ZafIChar* string, ZafIChar character) {
  if (!string) {
    return;
  }
  ZafIChar* out = string;
  for (; *string; ++string) {
    if (*string != character) {
      *out++ = *string;
    }
  }
  *out = 0;
}

int ZafWildCardMatch(const ZafIChar* string, const ZafIChar* pattern) {
  while (*string) {
    if (*pattern == '*') {
      while (*pattern == '*') {
        ++pattern;
      }
      if (!*pattern) {
        return 0;
      }
      // The character after the stars is looked for literally; the first occurrence whose rest matches
      // decides.
      for (const ZafIChar* place = string; *place; ++place) {
        if (*place == *pattern && ZafWildCardMatch(place + 1, pattern + 1) == 0) {
          return 0;
        }
      }
      ++string;
      continue;
    }
    if (*pattern != *string && *pattern != '?') {
      return *string - *pattern;
    }
    ++string;
    ++pattern;
  }
  while (*pattern == '*') {
    ++pattern;
  }
  return *string - *pattern;
}

ZafIChar* ZafIToA(ZafLong value, ZafIChar* buffer, int radix, int minimumWidth) {
  if (radix < 2 || radix > 16) {
    radix = 10;
  }
  ZafIChar* out = buffer;
  uint32_t magnitude = static_cast<uint32_t>(value);
  if (value < 0 && radix == 10) {
    *out++ = '-';
    magnitude = 0u - magnitude;
  }
  ZafIChar reversed[32];
  int digits = 0;
  do {
    reversed[digits++] = kDigits[magnitude % radix];
    magnitude /= radix;
  } while (magnitude);
  for (int pad = digits; pad < minimumWidth; ++pad) {
    *out++ = '0';
  }
  while (digits) {
    *out++ = reversed[--digits];
  }
  *out = 0;
  return buffer;
}
