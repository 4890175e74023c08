#include "framework/data/zaffile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafclassid.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(ZafFile, IntegersAreLittleEndian) {
  MemoryFile file;
  EXPECT_EQ(file.WriteInt8(-2), 1);
  EXPECT_EQ(file.WriteUInt8(0xAB), 1);
  EXPECT_EQ(file.WriteInt16(-2), 2);
  EXPECT_EQ(file.WriteUInt16(0x1234), 2);
  EXPECT_EQ(file.WriteInt32(-2), 4);
  EXPECT_EQ(file.WriteUInt32(0x12345678), 4);
  EXPECT_EQ(file.bytes,
            (Bytes{0xFE, 0xAB, 0xFE, 0xFF, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}));

  file.Seek(0, ZAF_SEEK_START);
  int8_t i8 = 0;
  uint8_t u8 = 0;
  int16_t i16 = 0;
  uint16_t u16 = 0;
  int32_t i32 = 0;
  uint32_t u32 = 0;
  EXPECT_EQ(file.ReadInt8(i8) + file.ReadUInt8(u8) + file.ReadInt16(i16) + file.ReadUInt16(u16) +
                file.ReadInt32(i32) + file.ReadUInt32(u32),
            14);
  EXPECT_EQ(i8, -2);
  EXPECT_EQ(u8, 0xAB);
  EXPECT_EQ(i16, -2);
  EXPECT_EQ(u16, 0x1234);
  EXPECT_EQ(i32, -2);
  EXPECT_EQ(u32, 0x12345678u);
  EXPECT_EQ(file.Error(), 0);
}

TEST(ZafFile, DoubleIsTwoWordsHighWordFirst) {
  struct Case {
    double value;
    Bytes bytes;
  } cases[] = {
      // 1.0 = 0x3FF00000 00000000
      {1.0, {0x00, 0x00, 0xF0, 0x3F, 0x00, 0x00, 0x00, 0x00}},
      {0.0, {0, 0, 0, 0, 0, 0, 0, 0}},
      // -2.5 = 0xC0040000 00000000
      {-2.5, {0x00, 0x00, 0x04, 0xC0, 0x00, 0x00, 0x00, 0x00}},
      // 0.1 = 0x3FB99999 9999999A
      {0.1, {0x99, 0x99, 0xB9, 0x3F, 0x9A, 0x99, 0x99, 0x99}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    MemoryFile file;
    EXPECT_EQ(file.WriteDouble(c.value), 8);
    EXPECT_EQ(file.bytes, c.bytes);
    file.Seek(0, ZAF_SEEK_START);
    double back = 1234.0;
    EXPECT_EQ(file.ReadDouble(back), 8);
    EXPECT_EQ(back, c.value);
  }
}

TEST(ZafFile, StringsCarryCountAndWideFlag) {
  struct Case {
    std::u16string text;
    Bytes bytes;
  } cases[] = {
      {u"AB", {0x02, 0x00, 'A', 'B'}},
      {u"\u00E9", {0x01, 0x00, 0xE9}},
      {u"A\u0100", {0x02, 0x80, 'A', 0x00, 0x00, 0x01}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.size());
    MemoryFile file;
    EXPECT_EQ(file.WriteString(c.text.c_str()), static_cast<int>(c.bytes.size()));
    EXPECT_EQ(file.bytes, c.bytes);

    file.Seek(0, ZAF_SEEK_START);
    ZafIChar* text = nullptr;
    EXPECT_EQ(file.ReadString(text), static_cast<int>(c.text.size()));
    std::unique_ptr<ZafIChar[]> owned(text);
    EXPECT_EQ(std::u16string(text), c.text);

    file.Seek(0, ZAF_SEEK_START);
    ZafIChar buffer[8];
    EXPECT_EQ(file.ReadString(buffer, -1), static_cast<int>(c.text.size()));
    EXPECT_EQ(std::u16string(buffer), c.text);
  }
}

TEST(ZafFile, NullAndEmptyStringsAreACountOfZero) {
  MemoryFile file;
  file.WriteString(nullptr);
  file.WriteString(u"");
  EXPECT_EQ(file.bytes, (Bytes{0, 0, 0, 0}));
  file.Seek(0, ZAF_SEEK_START);
  ZafIChar sentinel = u'x';
  ZafIChar* text = &sentinel;
  EXPECT_EQ(file.ReadString(text), 0);
  EXPECT_EQ(text, nullptr);
  ZafIChar buffer[2] = {u'x', u'x'};
  EXPECT_EQ(file.ReadString(buffer, 2), 0);
  EXPECT_EQ(buffer[0], 0);
}

TEST(ZafFile, BufferTooSmallStepsBackOverTheCount) {
  MemoryFile file({0x03, 0x00, 'a', 'b', 'c'});
  ZafIChar buffer[3];
  EXPECT_EQ(file.ReadString(buffer, 3), -1);
  EXPECT_EQ(file.Error(), ZAF_ERROR_READ);
  EXPECT_EQ(file.Tell(), 0);
  file.SetError(0);
  ZafIChar larger[4];
  EXPECT_EQ(file.ReadString(larger, 4), 3);
  EXPECT_EQ(std::u16string(larger), u"abc");
}

TEST(ZafFile, ShortReadsSetError16) {
  struct Case {
    const char* what;
    Bytes bytes;
  } cases[] = {
      {"count cut", {0x05}},
      {"characters cut", {0x05, 0x00, 'a', 'b'}},
      {"wide characters cut", {0x02, 0x80, 'a', 0x00, 'b'}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MemoryFile file(c.bytes);
    ZafIChar* text = nullptr;
    EXPECT_EQ(file.ReadString(text), -1);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(file.Error(), ZAF_ERROR_READ);
  }
  MemoryFile file({0x01, 0x02, 0x03});
  int32_t value = -1;
  EXPECT_EQ(file.ReadInt32(value), 3);
  EXPECT_EQ(value, 0);
  EXPECT_EQ(file.Error(), ZAF_ERROR_READ);
  double real = 1.0;
  file.ReadDouble(real);
  EXPECT_EQ(real, 0.0);
}

TEST(ZafFile, OverlongAndShortStringWritesAreRefused) {
  MemoryFile file;
  const std::u16string longest(ZAF_FILE_MAX_STRING, u'a');
  EXPECT_EQ(file.WriteString(longest.c_str()), 2 + ZAF_FILE_MAX_STRING);
  EXPECT_EQ(file.bytes[0], 0xFF);
  EXPECT_EQ(file.bytes[1], 0x7F);
  EXPECT_EQ(file.Error(), 0);

  MemoryFile tooLong;
  const std::u16string overlong(ZAF_FILE_MAX_STRING + 1, u'a');
  EXPECT_EQ(tooLong.WriteString(overlong.c_str()), -1);
  EXPECT_EQ(tooLong.Error(), ZAF_ERROR_READ);
  EXPECT_TRUE(tooLong.bytes.empty());

  MemoryFile full;
  full.writeLimit = 3;
  EXPECT_EQ(full.WriteString(u"abcd"), -1);
  EXPECT_EQ(full.Error(), ZAF_ERROR_READ);
}

TEST(ZafFile, ArraysAreSizeTimesCountBytes) {
  MemoryFile file;
  const uint16_t values[3] = {1, 2, 3};
  EXPECT_EQ(file.WriteArray(values, 2, 3), 6);
  file.Seek(0, ZAF_SEEK_START);
  uint16_t back[3] = {};
  EXPECT_EQ(file.ReadArray(back, 2, 3), 6);
  EXPECT_EQ(back[2], 3);
  EXPECT_EQ(file.ReadArray(back, 2, 1), 0);
  EXPECT_EQ(file.Error(), ZAF_ERROR_READ);
  file.SetError(0);
  EXPECT_EQ(file.ReadArray(back, 0x10000, 0x10000), 0);
  EXPECT_EQ(file.Error(), ZAF_ERROR_READ);
}

TEST(ZafFile, AnswersItsClass) {
  MemoryFile file;
  EXPECT_EQ(file.ClassID(), ID_ZAF_FILE);
  EXPECT_TRUE(file.IsA(ID_ZAF_FILE));
  EXPECT_TRUE(file.IsA(ID_ZAF_ELEMENT));
  EXPECT_TRUE(file.IsAName(u"ZafFile"));
  EXPECT_TRUE(file.IsAName(u"ZafElement"));
  EXPECT_FALSE(file.IsA(ID_ZAF_DISK_FILE));
}

}  // namespace
