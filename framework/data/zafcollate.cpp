#include "framework/data/zafcollate.h"

#include <algorithm>
#include <array>
#include <string>

#include "framework/data/zafstrlib.h"

namespace {

struct LetterWeights {
  ZafIChar character;
  ZafIChar primary;
  ZafIChar secondary;
  ZafIChar tertiary;
};

struct PunctuationWeight {
  ZafIChar character;
  ZafIChar weight;
};

// Primary weight: the base letter (lower case) or digit; secondary: the accent (15 none, 18 acute, 19 grave,
// 20 circumflex, 21 ring, 22 diaeresis, 23 tilde, 24 stroke, 25 cedilla); tertiary: 7 small, 10 capital,
// 9 superscript or ordinal.
constexpr std::array<LetterWeights, 133> kLetters = {{
    {0x0030, 48, 15, 7},   {0x0031, 49, 15, 7},   {0x0032, 50, 15, 7},   {0x0033, 51, 15, 7},
    {0x0034, 52, 15, 7},   {0x0035, 53, 15, 7},   {0x0036, 54, 15, 7},   {0x0037, 55, 15, 7},
    {0x0038, 56, 15, 7},   {0x0039, 57, 15, 7},   {0x0061, 97, 15, 7},   {0x0062, 98, 15, 7},
    {0x0063, 99, 15, 7},   {0x0064, 100, 15, 7},  {0x0065, 101, 15, 7},  {0x0066, 102, 15, 7},
    {0x0067, 103, 15, 7},  {0x0068, 104, 15, 7},  {0x0069, 105, 15, 7},  {0x006A, 106, 15, 7},
    {0x006B, 107, 15, 7},  {0x006C, 108, 15, 7},  {0x006D, 109, 15, 7},  {0x006E, 110, 15, 7},
    {0x006F, 111, 15, 7},  {0x0070, 112, 15, 7},  {0x0071, 113, 15, 7},  {0x0072, 114, 15, 7},
    {0x0073, 115, 15, 7},  {0x0074, 116, 15, 7},  {0x0075, 117, 15, 7},  {0x0076, 118, 15, 7},
    {0x0077, 119, 15, 7},  {0x0078, 120, 15, 7},  {0x0079, 121, 15, 7},  {0x007A, 122, 15, 7},
    {0x0041, 97, 15, 10},  {0x0042, 98, 15, 10},  {0x0043, 99, 15, 10},  {0x0044, 100, 15, 10},
    {0x0045, 101, 15, 10}, {0x0046, 102, 15, 10}, {0x0047, 103, 15, 10}, {0x0048, 104, 15, 10},
    {0x0049, 105, 15, 10}, {0x004A, 106, 15, 10}, {0x004B, 107, 15, 10}, {0x004C, 108, 15, 10},
    {0x004D, 109, 15, 10}, {0x004E, 110, 15, 10}, {0x004F, 111, 15, 10}, {0x0050, 112, 15, 10},
    {0x0051, 113, 15, 10}, {0x0052, 114, 15, 10}, {0x0053, 115, 15, 10}, {0x0054, 116, 15, 10},
    {0x0055, 117, 15, 10}, {0x0056, 118, 15, 10}, {0x0057, 119, 15, 10}, {0x0058, 120, 15, 10},
    {0x0059, 121, 15, 10}, {0x005A, 122, 15, 10}, {0x00A0, 32, 15, 7},   {0x00AA, 97, 16, 9},
    {0x00BA, 111, 16, 9},  {0x00B9, 49, 15, 9},   {0x00B2, 50, 15, 9},   {0x00B3, 51, 15, 9},
    {0x00BC, 48, 20, 7},   {0x00BD, 48, 22, 7},   {0x00BE, 48, 24, 7},   {0x00C0, 97, 19, 10},
    {0x00C1, 97, 18, 10},  {0x00C2, 97, 20, 10},  {0x00C3, 97, 23, 10},  {0x00C4, 97, 22, 10},
    {0x00C5, 97, 21, 10},  {0x00C6, 97, 17, 10},  {0x00C7, 99, 25, 10},  {0x00C8, 101, 19, 10},
    {0x00C9, 101, 18, 10}, {0x00CA, 101, 20, 10}, {0x00CB, 101, 22, 10}, {0x00CC, 105, 19, 10},
    {0x00CD, 105, 18, 10}, {0x00CE, 105, 20, 10}, {0x00CF, 105, 22, 10}, {0x00D0, 100, 16, 10},
    {0x00D1, 110, 23, 10}, {0x00D2, 111, 19, 10}, {0x00D3, 111, 18, 10}, {0x00D4, 111, 20, 10},
    {0x00D5, 111, 23, 10}, {0x00D6, 111, 22, 10}, {0x00D8, 111, 24, 10}, {0x00D9, 117, 19, 10},
    {0x00DA, 117, 18, 10}, {0x00DB, 117, 20, 10}, {0x00DC, 117, 22, 10}, {0x00DD, 121, 18, 10},
    {0x00DE, 116, 16, 10}, {0x00DF, 115, 17, 7},  {0x00E0, 97, 19, 7},   {0x00E1, 97, 18, 7},
    {0x00E2, 97, 20, 7},   {0x00E3, 97, 23, 7},   {0x00E4, 97, 22, 7},   {0x00E5, 97, 21, 7},
    {0x00E6, 97, 17, 7},   {0x00E7, 99, 25, 7},   {0x00E8, 101, 19, 7},  {0x00E9, 101, 18, 7},
    {0x00EA, 101, 20, 7},  {0x00EB, 101, 22, 7},  {0x00EC, 105, 19, 7},  {0x00ED, 105, 18, 7},
    {0x00EE, 105, 20, 7},  {0x00EF, 105, 22, 7},  {0x00F0, 100, 16, 7},  {0x00F1, 110, 23, 7},
    {0x00F2, 111, 19, 7},  {0x00F3, 111, 18, 7},  {0x00F4, 111, 20, 7},  {0x00F5, 111, 23, 7},
    {0x00F6, 111, 22, 7},  {0x00F8, 111, 24, 7},  {0x00F9, 117, 19, 7},  {0x00FA, 117, 18, 7},
    {0x00FB, 117, 20, 7},  {0x00FC, 117, 22, 7},  {0x00FD, 121, 18, 7},  {0x00FE, 116, 20, 7},
    {0x00FF, 121, 22, 7},
}};

constexpr std::array<PunctuationWeight, 58> kPunctuation = {{
    {0x0020, 32}, {0x0021, 40},  {0x0022, 56}, {0x0023, 82}, {0x0024, 76}, {0x0025, 83}, {0x0026, 87},
    {0x0027, 53}, {0x0028, 61},  {0x0029, 63}, {0x002A, 79}, {0x002B, 85}, {0x002C, 37}, {0x002D, 36},
    {0x002E, 45}, {0x002F, 44},  {0x003A, 39}, {0x003B, 38}, {0x003C, 91}, {0x003D, 93}, {0x003E, 95},
    {0x003F, 42}, {0x0040, 73},  {0x005B, 65}, {0x005C, 80}, {0x005D, 66}, {0x005E, 48}, {0x005F, 33},
    {0x0060, 47}, {0x007B, 67},  {0x007C, 97}, {0x007D, 68}, {0x007E, 50}, {0x00A1, 41}, {0x00A2, 75},
    {0x00A3, 77}, {0x00A4, 74},  {0x00A5, 78}, {0x00A6, 98}, {0x00A7, 69}, {0x00A8, 49}, {0x00A9, 71},
    {0x00AB, 59}, {0x00AC, 96},  {0x00AD, 35}, {0x00AE, 72}, {0x00AF, 34}, {0x00B0, 99}, {0x00B1, 87},
    {0x00B4, 46}, {0x00B5, 100}, {0x00B6, 70}, {0x00B7, 51}, {0x00B8, 52}, {0x00BB, 60}, {0x00BF, 43},
    {0x00D7, 89}, {0x00F7, 88},
}};

// Letters that sort as two: the second weights of the ligatures, thorns and sharp s.
constexpr std::array<LetterWeights, 5> kExpansions = {{
    {0x00C6, 101, 17, 10},
    {0x00DE, 104, 16, 10},
    {0x00DF, 115, 17, 7},
    {0x00E6, 101, 17, 7},
    {0x00FE, 104, 16, 7},
}};

template <typename Table>
const typename Table::value_type* Find(const Table& table, ZafIChar character) {
  const auto found = std::find_if(table.begin(), table.end(),
                                  [character](const auto& row) { return row.character == character; });
  return found == table.end() ? nullptr : &*found;
}

std::u16string CollationKey(const ZafIChar* source) {
  std::u16string primary;
  std::u16string secondary;
  std::u16string tertiary;
  std::u16string punctuation;
  auto addWeights = [&](const LetterWeights& row) {
    primary += row.primary;
    secondary += row.secondary;
    tertiary += row.tertiary;
  };
  for (int index = 0; source[index]; ++index) {
    if (const PunctuationWeight* mark = Find(kPunctuation, source[index])) {
      // The 1-based position, held in one character.
      punctuation += static_cast<ZafIChar>(std::min(index + 1, 0xFFFF));
      punctuation += mark->weight;
    } else if (const LetterWeights* letter = Find(kLetters, source[index])) {
      addWeights(*letter);
      if (const LetterWeights* expansion = Find(kExpansions, source[index])) {
        addWeights(*expansion);
      }
    }
  }
  std::reverse(secondary.begin(), secondary.end());
  return primary + secondary + tertiary + punctuation;
}

}  // namespace

int ZafStrXfrm(ZafIChar* destination, const ZafIChar* source, int maximum) {
  const std::u16string key = CollationKey(source);
  const int length = static_cast<int>(key.size());
  if (length < maximum) {
    ZafStrCpy(destination, key.c_str());
  }
  return length;
}

int ZafStrColl(const ZafIChar* a, const ZafIChar* b) {
  return ZafStrCmpNullSafe(CollationKey(a).c_str(), CollationKey(b).c_str());
}
