#include "devices/startlistlines.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kstream.h"

namespace {

// A stream that never ends: the same bytes again and again. It counts what it gave.
class EndlessStream : public KStream {
 public:
  explicit EndlessStream(std::string pattern) : pattern(std::move(pattern)) {}
  int64_t given = 0;

 protected:
  int32_t ReadRaw(void* buffer, int32_t count) override {
    auto* bytes = static_cast<char*>(buffer);
    for (int32_t i = 0; i < count; ++i, ++given) {
      bytes[i] = pattern[static_cast<size_t>(given % static_cast<int64_t>(pattern.size()))];
    }
    return count;
  }
  void WriteRaw(const void*, int32_t) override {}

 private:
  std::string pattern;
};

// Every result and line of a text, as "line:" plus the line's UTF-8, or the result's name.
std::vector<std::string> Read(const std::string& bytes, int32_t encoding, int32_t maxLength = 5,
                              int64_t maxBytes = 100000, bool bigEndian = false) {
  KMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  stream.SetReadMode(encoding);
  stream.SetBigEndian(bigEndian);
  StartListLines lines(stream, maxLength, maxBytes);
  std::vector<std::string> got;
  KString line;
  for (;;) {
    switch (lines.Next(line)) {
      case StartListLines::kLine:
        got.push_back("line:" + line.ToUtf8());
        continue;
      case StartListLines::kTooLong:
        got.push_back("too long");
        continue;
      case StartListLines::kTooMuch:
        got.push_back("too much");
        return got;
      case StartListLines::kEnd:
        return got;
    }
  }
}

std::string Utf16(const std::string& ascii, bool bigEndian) {
  std::string bytes;
  for (char c : ascii) {
    bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  }
  return bytes;
}

using Lines = std::vector<std::string>;

TEST(StartListLines, LinesEndAtCrLfOrCrLfAndTheLastNeedsNoEnd) {
  struct Case {
    const char* name;
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"empty", "", {}},
      {"LF", "a\nb\n", {"line:a", "line:b"}},
      {"CR LF", "a\r\nb\r\n", {"line:a", "line:b"}},
      {"no end", "a\nb", {"line:a", "line:b"}},
      {"empty lines", "\n\r\n", {"line:", "line:"}},
      {"CR", "a\rb\r", {"line:a", "line:b"}},
      {"mixed", "a\rb\nc\r\nd", {"line:a", "line:b", "line:c", "line:d"}},
      {"a CR LF across two reads", std::string(4095, 'x') + "\r\nok", {"too long", "line:ok"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Read(c.bytes, KStream::kEncodingByte), c.lines);
  }
}

TEST(StartListLines, TheLongestLineIsKeptWhateverItsEndAndCodeSet) {
  const std::string five = "12345";
  const std::string fiveWide = "\xc3\xbc\xc3\xbc\xc3\xbc\xc3\xbc\xc3\xbc";  // five u-umlauts in UTF-8
  const std::string fourBytes = "\xf0\x9d\x84\x9e";                         // one character, two units
  struct Case {
    const char* name;
    std::string bytes;
    int32_t encoding;
    Lines lines;
  } cases[] = {
      {"five bytes", five + "\r\n" + five + "\n", KStream::kEncodingByte, {"line:12345", "line:12345"}},
      {"six bytes", five + "6\r\nok\n", KStream::kEncodingByte, {"too long", "line:ok"}},
      {"far too long", std::string(5000, 'x') + "\nok", KStream::kEncodingByte, {"too long", "line:ok"}},
      {"five in UTF-8", fiveWide + "\r\n", KStream::kEncodingLocal, {"line:" + fiveWide}},
      {"six in UTF-8", fiveWide + "\xc3\xbc\n", KStream::kEncodingLocal, {"too long"}},
      {"units, not characters",
       fourBytes + fourBytes + fourBytes + "\nok",
       KStream::kEncodingLocal,
       {"too long", "line:ok"}},
      {"five in UTF-16", Utf16(five + "\r\n", false), KStream::kEncodingUtf16, {"line:12345"}},
      {"six in UTF-16", Utf16(five + "6\nok", false), KStream::kEncodingUtf16, {"too long", "line:ok"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Read(c.bytes, c.encoding), c.lines);
  }
}

TEST(StartListLines, AUtf8MarkIsSkippedInEveryCodeSet) {
  struct Case {
    const char* name;
    std::string bytes;
    int32_t encoding;
    bool bigEndian;
    Lines lines;
  } cases[] = {
      {"UTF-8 mark, one byte per character",
       "\xef\xbb\xbf"
       "a\n",
       KStream::kEncodingByte,
       false,
       {"line:a"}},
      {"UTF-8 mark, UTF-8",
       "\xef\xbb\xbf"
       "a\n",
       KStream::kEncodingLocal,
       false,
       {"line:a"}},
      {"UTF-8 mark, UTF-16",
       "\xef\xbb\xbf" + Utf16("\na", false),
       KStream::kEncodingUtf16,
       false,
       {"line:", "line:a"}},
      {"a mark later is text",
       "a\n\xef\xbb\xbf"
       "b\n",
       KStream::kEncodingByte,
       false,
       {"line:a",
        "line:\xc3\xaf\xc2\xbb\xc2\xbf"
        "b"}},
      {"UTF-16 mark, low byte first",
       "\xff\xfe" + Utf16("ab\n", false),
       KStream::kEncodingUtf16,
       true,
       {"line:ab"}},
      {"UTF-16 mark, high byte first",
       "\xfe\xff" + Utf16("ab\n", true),
       KStream::kEncodingUtf16,
       false,
       {"line:ab"}},
      {"UTF-16 without a mark", Utf16("ab\n", true), KStream::kEncodingUtf16, true, {"line:ab"}},
      {"UTF-16 odd byte at the end",
       Utf16("ab\nc", false) + "d",
       KStream::kEncodingUtf16,
       false,
       {"line:ab", "line:c"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Read(c.bytes, c.encoding, 5, 100000, c.bigEndian), c.lines);
  }
}

TEST(StartListLines, ReadingStopsAtTheTotal) {
  struct Case {
    const char* name;
    std::string bytes;
    Lines lines;
  } cases[] = {
      {"exactly the total", "ab\ncd\n", {"line:ab", "line:cd"}},
      {"a line cut by the total", "ab\ncd\nef\n", {"line:ab", "line:cd", "too much"}},
      {"one byte more", "ab\ncd\ne", {"line:ab", "line:cd", "too much"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Read(c.bytes, KStream::kEncodingByte, 5, 6), c.lines);
  }
}

TEST(StartListLines, AnEndlessStreamIsReadOnlyUpToTheTotal) {
  constexpr int64_t kTotal = 256 * 1024;
  struct Case {
    const char* name;
    std::string pattern;
    int32_t lines;  // given before the total is reached
  } cases[] = {
      {"no line ends at all", "x", 0},
      {"endless long lines", std::string(3000, 'y') + "\n", 0},
      {"endless short lines", "1,1,1\n", static_cast<int32_t>(kTotal / 6)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EndlessStream stream(c.pattern);
    stream.SetReadMode(KStream::kEncodingLocal);
    StartListLines lines(stream, 1000, kTotal);
    KString line;
    int32_t kept = 0;
    StartListLines::Result result = StartListLines::kLine;
    while ((result = lines.Next(line)) != StartListLines::kTooMuch && result != StartListLines::kEnd) {
      kept += result == StartListLines::kLine ? 1 : 0;
      ASSERT_EQ(line.IsEmpty(), result != StartListLines::kLine);
    }
    EXPECT_EQ(result, StartListLines::kTooMuch);
    EXPECT_EQ(kept, c.lines);
    EXPECT_LE(stream.given, kTotal + 1);
  }
}

}  // namespace
