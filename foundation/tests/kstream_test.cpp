#include "foundation/kstream.h"

#include "foundation/kmemorystream.h"
#include "foundation/kpersistent.h"
#include "foundation/kstring.h"
#include "foundation/kx.h"
#include "foundation/tests/kstringtestsupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

struct Line {
  std::u16string text;
  int32_t end;
};

// Reads every line to the end of the stream, the final kEndOfStream included.
std::vector<Line> ReadAllLines(KStream& stream) {
  std::vector<Line> lines;
  for (int32_t guard = 0; guard < 100; ++guard) {
    KString text;
    const int32_t end = stream.ReadLine(text);
    lines.push_back({std::u16string(text.Data(), static_cast<size_t>(text.Length())), end});
    if (end == KStream::kEndOfStream) {
      break;
    }
  }
  return lines;
}

void ExpectLines(const std::vector<Line>& actual, const std::vector<Line>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(actual[i].text, expected[i].text);
    EXPECT_EQ(actual[i].end, expected[i].end);
  }
}

}  // namespace

TEST(KStreamText, WrittenBytesPerEncodingAndLineMode) {
  struct Case {
    const char* name;
    int32_t encoding;
    int32_t lineMode;
    bool bigEndian;
    std::vector<uint8_t> expected;
  } cases[] = {
      {"8-bit CR LF", KStream::kEncodingByte, KStream::kLineCrLf, false, {'a', 0xE9, '\r', '\n', 'b'}},
      {"8-bit LF", KStream::kEncodingByte, KStream::kLineLf, false, {'a', 0xE9, '\n', 'b'}},
      {"8-bit CR", KStream::kEncodingByte, KStream::kLineCr, false, {'a', 0xE9, '\r', 'b'}},
      {"8-bit LF CR", KStream::kEncodingByte, KStream::kLineLfCr, false, {'a', 0xE9, '\n', '\r', 'b'}},
      {"UTF-8, no mark", KStream::kEncodingLocal, KStream::kLineLf, false, {'a', 0xC3, 0xA9, '\n', 'b'}},
      {"UTF-16 LE with mark",
       KStream::kEncodingUtf16,
       KStream::kLineCrLf,
       false,
       {0xFF, 0xFE, 'a', 0, 0xE9, 0, '\r', 0, '\n', 0, 'b', 0}},
      {"UTF-16 BE with mark",
       KStream::kEncodingUtf16,
       KStream::kLineLf,
       true,
       {0xFE, 0xFF, 0, 'a', 0, 0xE9, 0, '\n', 0, 'b'}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    KMemoryStream stream;
    stream.SetBigEndian(c.bigEndian);
    stream.SetWriteMode(c.encoding);
    stream.SetWriteLineMode(c.lineMode);
    stream.WriteBOM();
    stream.WriteString(KString(u"a\u00e9\nb"));
    EXPECT_EQ(stream.Bytes(), c.expected);
  }
}

TEST(KStreamText, EveryLineEndInTheTextGoesOutInTheWriteLineMode) {
  KMemoryStream stream;
  stream.SetWriteMode(KStream::kEncodingByte);
  stream.SetWriteLineMode(KStream::kLineCrLf);
  stream.WriteString(KString("1\r\n2\n3\r4\n\r5"));
  EXPECT_EQ(stream.Bytes(), Bytes("1\r\n2\r\n3\r\n4\r\n\r\n5"));
  KMemoryStream untouched;
  untouched.SetWriteMode(KStream::kEncodingByte);
  untouched.SetWriteLineMode(KStream::kLineNone);
  untouched.WriteString(KString("1\r\n2\n3\r"));
  EXPECT_EQ(untouched.Bytes(), Bytes("1\r\n2\n3\r"));
}

TEST(KStreamText, RoundTripsThroughAutomaticDetection) {
  const KString text(u"Start\u00e9 \u20ac \U0001F600\nzwei\n\ndrei");
  const std::vector<Line> expected = {{u"Start\u00e9 \u20ac \U0001F600", 10},
                                      {u"zwei", 10},
                                      {u"", 10},
                                      {u"drei", KStream::kEndAfterText},
                                      {u"", KStream::kEndOfStream}};
  struct Case {
    const char* name;
    int32_t encoding;
    int32_t lineMode;
    bool bigEndian;
    bool withMark;
    int32_t detectedLineMode;
  } cases[] = {
      {"UTF-16 LE, mark, CR LF", KStream::kEncodingUtf16, KStream::kLineCrLf, false, true,
       KStream::kLineCrLf},
      {"UTF-16 BE, mark, LF", KStream::kEncodingUtf16, KStream::kLineLf, true, true, KStream::kLineLf},
      {"UTF-16 LE, no mark, CR", KStream::kEncodingUtf16, KStream::kLineCr, false, false, KStream::kLineCr},
      {"UTF-16 BE, no mark, LF CR", KStream::kEncodingUtf16, KStream::kLineLfCr, true, false,
       KStream::kLineLfCr},
      {"UTF-8, mark, CR LF", KStream::kEncodingLocal, KStream::kLineCrLf, false, true, KStream::kLineCrLf},
      {"UTF-8, no mark, LF", KStream::kEncodingLocal, KStream::kLineLf, false, false, KStream::kLineLf},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    KMemoryStream written;
    written.SetBigEndian(c.bigEndian);
    written.SetWriteMode(c.encoding);
    written.SetWriteLineMode(c.lineMode);
    if (c.withMark) {
      written.WriteBOM();
    }
    written.WriteString(text);
    KMemoryStream reader(written.Bytes());  // reads in its own (little-endian) order: the text decides
    std::vector<Line> lines = ReadAllLines(reader);
    if (c.lineMode == KStream::kLineCr) {
      lines[0].end = lines[1].end = lines[2].end = 10;  // CR ends lines as 13; compare the texts only
    }
    ExpectLines(lines, expected);
    EXPECT_EQ(reader.ReadMode(), c.encoding);
    EXPECT_EQ(reader.ReadLineMode(), c.detectedLineMode);
  }
}

TEST(KStreamText, EightBitReadingWidensEachByte) {
  KMemoryStream stream(Bytes("caf\xE9\r\n\xFF"));
  stream.SetReadMode(KStream::kEncodingByte);
  ExpectLines(ReadAllLines(stream), {{u"caf\u00e9", 10}, {u"\u00ff", 0}, {u"", -1}});
}

TEST(KStreamText, AutomaticReadingTakesLatin1BytesThatAreNoUtf8) {
  KMemoryStream stream(Bytes("Z\xFCrich\n"));
  ExpectLines(ReadAllLines(stream), {{u"Z\u00fcrich", 10}, {u"", -1}});
  EXPECT_EQ(stream.ReadMode(), KStream::kEncodingLocal);
}

TEST(KStreamText, AMarkInASetEncodingIsSkippedAndGivesTheOrder) {
  KMemoryStream utf16(std::vector<uint8_t>{0xFE, 0xFF, 0, 'o', 0, 'k'});
  utf16.SetReadMode(KStream::kEncodingUtf16);
  ExpectLines(ReadAllLines(utf16), {{u"ok", 0}, {u"", -1}});
  KMemoryStream utf8(std::vector<uint8_t>{0xEF, 0xBB, 0xBF, 'o', 'k'});
  utf8.SetReadMode(KStream::kEncodingLocal);
  ExpectLines(ReadAllLines(utf8), {{u"ok", 0}, {u"", -1}});
}

TEST(KStreamText, ReadLineModesTable) {
  struct Case {
    const char* name;
    int32_t lineMode;
    std::string bytes;
    std::vector<Line> expected;
  } cases[] = {
      {"CR LF", KStream::kLineCrLf, "a\r\nb\nc\rd", {{u"a", 10}, {u"b", 10}, {u"c\rd", 0}, {u"", -1}}},
      {"CR LF, CR pairs", KStream::kLineCrLf, "\r\r\n\r", {{u"\r", 10}, {u"\r", 0}, {u"", -1}}},
      {"LF", KStream::kLineLf, "a\r\nb\n", {{u"a\r", 10}, {u"b", 10}, {u"", -1}}},
      {"CR", KStream::kLineCr, "a\rb\nc\r", {{u"a", 13}, {u"b\nc", 13}, {u"", -1}}},
      {"LF CR", KStream::kLineLfCr, "a\n\rb\nc", {{u"a", 10}, {u"b", 10}, {u"c", 0}, {u"", -1}}},
      {"none", KStream::kLineNone, "a\r\nb", {{u"a\r", 10}, {u"b", 0}, {u"", -1}}},
      {"automatic CR LF", KStream::kLineAuto, "a\r\nb\r\n", {{u"a", 10}, {u"b", 10}, {u"", -1}}},
      {"automatic CR", KStream::kLineAuto, "a\rb\r", {{u"a", 13}, {u"b", 13}, {u"", -1}}},
      {"automatic LF CR", KStream::kLineAuto, "a\n\rb\n\r", {{u"a", 10}, {u"b", 10}, {u"", -1}}},
      {"automatic LF", KStream::kLineAuto, "a\nb\n", {{u"a", 10}, {u"b", 10}, {u"", -1}}},
      {"automatic, CR at the very end", KStream::kLineAuto, "a\r", {{u"a", 13}, {u"", -1}}},
      {"empty stream", KStream::kLineAuto, "", {{u"", -1}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    KMemoryStream stream(Bytes(c.bytes));
    stream.SetReadMode(KStream::kEncodingByte);
    stream.SetReadLineMode(c.lineMode);
    ExpectLines(ReadAllLines(stream), c.expected);
  }
}

TEST(KStreamText, LinesAppendToTheGivenText) {
  KMemoryStream stream(Bytes("tail\n"));
  KString text("head:");
  EXPECT_EQ(stream.ReadLine(text), 10);
  EXPECT_EQ(text, KString("head:tail"));
}

TEST(KStreamText, AFullFixedTextKeepsItsCharactersAtACrLf) {
  KMemoryStream stream(Bytes("abcdefghijklmnopq\r\nnext"));
  stream.SetReadLineMode(KStream::kLineCrLf);
  KString15 text;
  EXPECT_EQ(stream.ReadLine(text), 10);
  EXPECT_EQ(text, KString("abcdefghijklmno"));
  KString next;
  EXPECT_EQ(stream.ReadLine(next), 0);
  EXPECT_EQ(next, KString("next"));
}

TEST(KStreamText, AutomaticWritingFollowsWhatReadingDetected) {
  KMemoryStream stream(std::vector<uint8_t>{0xFF, 0xFE, 'x', 0, '\n', 0});
  KString line;
  stream.ReadLine(line);
  stream.WriteString(KString("y\n"));
  const std::vector<uint8_t> expected = {0xFF, 0xFE, 'x', 0, '\n', 0, 'y', 0, '\n', 0};
  EXPECT_EQ(stream.Bytes(), expected);
  KMemoryStream fresh;
  fresh.WriteBOM();
  fresh.WriteString(KString("z\n"));
  EXPECT_EQ(fresh.Bytes(), Bytes("z\r\n"));
}

TEST(KStreamTyped, IntegersInBothByteOrders) {
  KMemoryStream little;
  little.WriteInt32(-2);
  little.WriteUInt32(0x01020304);
  little.WriteInt16(-3);
  little.WriteUInt16(0xA1B2);
  little.WriteByte(0x7F);
  const std::vector<uint8_t> expectedLittle = {0xFE, 0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02,
                                               0x01, 0xFD, 0xFF, 0xB2, 0xA1, 0x7F};
  EXPECT_EQ(little.Bytes(), expectedLittle);
  EXPECT_EQ(little.ReadInt32(), -2);
  EXPECT_EQ(little.ReadUInt32(), 0x01020304u);
  EXPECT_EQ(little.ReadInt16(), -3);
  EXPECT_EQ(little.ReadUInt16(), 0xA1B2);
  EXPECT_EQ(little.ReadByte(), 0x7F);

  KMemoryStream big;
  big.SetBigEndian(true);
  big.WriteInt32(-2);
  big.WriteUInt32(0x01020304);
  big.WriteInt16(-3);
  big.WriteUInt16(0xA1B2);
  big.WriteByte(0x7F);
  const std::vector<uint8_t> expectedBig = {0xFF, 0xFF, 0xFF, 0xFE, 0x01, 0x02, 0x03,
                                            0x04, 0xFF, 0xFD, 0xA1, 0xB2, 0x7F};
  EXPECT_EQ(big.Bytes(), expectedBig);
  EXPECT_EQ(big.ReadInt32(), -2);
  EXPECT_EQ(big.ReadUInt32(), 0x01020304u);
  EXPECT_EQ(big.ReadInt16(), -3);
  EXPECT_EQ(big.ReadUInt16(), 0xA1B2);
  EXPECT_EQ(big.ReadByte(), 0x7F);
}

TEST(KStreamTyped, ShortReadsThrow3004WithTheBytesGot) {
  KMemoryStream stream(std::vector<uint8_t>{1, 2, 3});
  try {
    stream.ReadInt32();
    FAIL() << "no exception";
  } catch (const KXStream& failure) {
    EXPECT_EQ(failure.Code(), kErrFileRead);
    EXPECT_EQ(failure.Detail(), 3);
  }
  KMemoryStream empty;
  EXPECT_THROW(empty.ReadByte(), KXStream);
}

TEST(KStreamTyped, TypedReadsAfterALineStartWhereTheLineEnded) {
  // Automatic detection peeks at the first bytes and at the one after the first line end; the bytes
  // after the line must not be lost, whatever the encoding.
  struct Case {
    const char* name;
    int32_t encoding;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"8-bit", KStream::kEncodingByte, {'a', '\n', 0x2A, 0, 0, 0}},
      {"UTF-8, 4-byte character next", KStream::kEncodingLocal, {'a', '\n', 0xF0, 0x9F, 0x98, 0x80}},
      {"UTF-16", KStream::kEncodingUtf16, {'a', 0, '\n', 0, 0x2A, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    KMemoryStream stream(c.bytes);
    stream.SetReadMode(c.encoding);
    KString line;
    EXPECT_EQ(stream.ReadLine(line), 10);
    EXPECT_EQ(line, KString("a"));
    std::vector<uint8_t> rest(4);
    stream.ReadExact(rest.data(), 4);
    EXPECT_EQ(rest, std::vector<uint8_t>(c.bytes.end() - 4, c.bytes.end()));
    EXPECT_EQ(stream.Remaining(), 0);
  }
}

TEST(KPersistentVersion, AcceptsOnlyItsFamilyAndRange) {
  struct Case {
    uint32_t word;
    bool accepted;
  } cases[] = {
      {0x00020003, true},  {0x00020005, true},  {0x00020002, false},
      {0x00020006, false}, {0x00010004, false}, {0x10020004, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    KMemoryStream stream;
    stream.WriteUInt32(c.word);
    if (c.accepted) {
      EXPECT_EQ(KPersistent::ReadVersion(stream, KPersistent::kFamilyModel, 3, 5), c.word & 0xFFFF);
    } else {
      try {
        KPersistent::ReadVersion(stream, KPersistent::kFamilyModel, 3, 5);
        ADD_FAILURE() << "accepted";
      } catch (const KXPersistent& failure) {
        EXPECT_EQ(failure.Code(), kErrFileVersion);
      }
    }
  }
  KMemoryStream written;
  KPersistent::WriteVersion(written, KPersistent::kFamilyFoundation, 7);
  EXPECT_EQ(written.Bytes(), (std::vector<uint8_t>{7, 0, 1, 0}));
}

TEST(KPersistentVersion, CountsAreBoundedByTheStream) {
  struct Case {
    int32_t count;
    int32_t bytesAfter;
    int32_t maximum;
    bool accepted;
  } cases[] = {
      {0, 0, 10, true}, {2, 8, 10, true}, {3, 8, 10, false}, {-1, 8, 10, false}, {11, 100, 10, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    KMemoryStream stream;
    stream.WriteInt32(c.count);
    for (int32_t i = 0; i < c.bytesAfter; ++i) {
      stream.WriteByte(0);
    }
    if (c.accepted) {
      EXPECT_EQ(KPersistent::ReadCount(stream, 4, c.maximum), c.count);
    } else {
      try {
        KPersistent::ReadCount(stream, 4, c.maximum);
        ADD_FAILURE() << "accepted";
      } catch (const KXPersistent& failure) {
        EXPECT_EQ(failure.Code(), kErrFileContents);
      }
    }
  }
}

TEST(KStreamText, WritingDoesNotLoseWhatReadingPeekedAtOnAStreamWithoutPosition) {
  // A memory stream (like a serial port) reads and writes at separate places: the unit that line
  // reading looked at after the line end is still the next one to read after a write.
  KMemoryStream stream(Bytes("one\nrest"));
  KString line;
  EXPECT_EQ(stream.ReadLine(line), 10);
  stream.WriteByte('!');
  KString next;
  EXPECT_EQ(stream.ReadLine(next), KStream::kEndAfterText);
  EXPECT_EQ(next, KString("rest!"));
}
