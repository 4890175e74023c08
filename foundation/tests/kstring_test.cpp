#include "foundation/kstring.h"

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"
#include "foundation/tests/kstringtestsupport.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

namespace {

KString Repeat(char16_t c, int32_t count) {
  KString text;
  for (int32_t i = 0; i < count; ++i) {
    text.AppendChar(c);
  }
  return text;
}

}  // namespace

TEST(KStringStorage, HeapGrowsToTwiceTheRoomOrTheNeed) {
  KString text(4, 100);
  text.Append("abc");
  EXPECT_EQ(text.Capacity(), 4);
  text.Append("de");  // needs 5: twice the room (8) wins
  EXPECT_EQ(text.Capacity(), 8);
  text.Append(Repeat(u'x', 20));  // needs 25: the need wins over 16
  EXPECT_EQ(text.Capacity(), 25);
  EXPECT_EQ(text.Length(), 25);
}

TEST(KStringStorage, HeapNeverGrowsPastTheMaximumAndDropsTheExcess) {
  KString text(4, 10);
  text.Append(Repeat(u'y', 15));
  EXPECT_EQ(text.Length(), 10);
  EXPECT_EQ(text.Capacity(), 10);
  text.AppendChar(u'z');
  EXPECT_EQ(text, Repeat(u'y', 10));
}

TEST(KStringStorage, FixedBufferKeepsWhatFits) {
  KString15 text;
  EXPECT_EQ(text.MaxCapacity(), KString::kFixed);
  text.Append("0123456789");
  text.Append("abcdefghij");
  EXPECT_EQ(text, KString("0123456789abcde"));
  text.AppendInt(7);
  EXPECT_EQ(text.Length(), 15);
  EXPECT_EQ(text.CStr()[15], u'\0');
}

TEST(KStringStorage, FixedCopiesPointAtTheirOwnBuffer) {
  KString31 original("first");
  KString31 copy(original);
  KString31 assigned;
  assigned = original;
  EXPECT_NE(copy.Data(), original.Data());
  EXPECT_NE(assigned.Data(), original.Data());
  original.Append(" changed");
  EXPECT_EQ(copy, KString("first"));
  EXPECT_EQ(assigned, KString("first"));
  std::vector<KString15> many(3, KString15("x"));
  many.emplace_back("y");  // reallocation copies every element into its new place
  for (const auto& element : many) {
    EXPECT_EQ(element.MaxCapacity(), KString::kFixed);
  }
  EXPECT_EQ(many[3], KString("y"));
}

TEST(KStringStorage, AssigningALongTextToAFixedOneTruncates) {
  KString15 text;
  text = KString("a text that is much longer than fifteen");
  EXPECT_EQ(text, KString("a text that is "));
  KString& base = text;
  base = KString("moved in, also longer than fifteen");  // a move into a fixed text copies
  EXPECT_EQ(text, KString("moved in, also "));
}

TEST(KStringStorage, LiteralViewIsCopiedOnTheFirstChange) {
  static const char16_t kLiteral[] = u"view";
  KString view = KString::View(kLiteral);
  EXPECT_EQ(view.MaxCapacity(), KString::kLiteral);
  EXPECT_EQ(view.Data(), kLiteral);
  KString copy(view);
  EXPECT_EQ(copy.Data(), kLiteral);
  view.AppendChar(u'!');
  EXPECT_EQ(view, KString("view!"));
  EXPECT_GE(view.MaxCapacity(), 0);
  EXPECT_EQ(std::u16string(kLiteral), u"view");
  view.Clear();
  copy.SetLength(2);
  EXPECT_TRUE(view.IsEmpty());
  EXPECT_EQ(copy, KString("vi"));
  EXPECT_EQ(std::u16string(kLiteral), u"view");
}

TEST(KStringStorage, CopyOfAFixedTextDoesNotGrowPastItsCapacity) {
  KString15 fixed("abc");
  KString copy(fixed);
  copy.Append(Repeat(u'z', 40));
  EXPECT_EQ(copy.Length(), 15);
}

TEST(KStringStorage, MoveStealsTheHeapBuffer) {
  KString source("moved text");
  const char16_t* data = source.Data();
  KString target(std::move(source));
  EXPECT_EQ(target.Data(), data);
  EXPECT_EQ(target, KString("moved text"));
  source.Append("reused");  // a moved-from text is empty and usable
  EXPECT_EQ(source, KString("reused"));
}

TEST(KStringStorage, AppendingItselfOrAPartOfItselfIsSafe) {
  KString text(2, 1000);
  text.Append("abc");
  text.Append(text);
  EXPECT_EQ(text, KString("abcabc"));
  text.Append(text.Data() + 4, 2);
  EXPECT_EQ(text, KString("abcabcbc"));
  text = text.Data() + 2;
  EXPECT_EQ(text, KString("cabcbc"));
}

TEST(KStringText, NarrowAndUtf8Conversions) {
  KString text;
  text.AppendNarrow("\xE9t\xE9");  // 8-bit in: each byte widened
  EXPECT_EQ(text, KString(u"\u00e9t\u00e9"));
  EXPECT_EQ(text.ToUtf8(), "\xC3\xA9t\xC3\xA9");
  KString wide(u"a\u20ac\U0001F600");
  EXPECT_EQ(wide.Length(), 4);
  EXPECT_EQ(wide.ToUtf8(), "a\xE2\x82\xAC\xF0\x9F\x98\x80");
  EXPECT_EQ(KString::FromUtf8(wide.ToUtf8()), wide);
}

TEST(KStringText, InvalidUtf8BytesStandForThemselves) {
  struct Case {
    std::string utf8;
    std::u16string expected;
  } cases[] = {
      {"\xFF", u"\u00ff"},
      {"a\xC3", u"a\u00c3"},                    // cut short at the end
      {"\xC0\xAF", u"\u00c0\u00af"},            // overlong slash
      {"\xED\xA0\x80", u"\u00ed\u00a0\u0080"},  // an encoded surrogate
      {"\xE2\x82", u"\u00e2\u0082"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(KString::FromUtf8(c.utf8), KString(c.expected.c_str()));
  }
  EXPECT_EQ(KString(u"\xD800x").ToUtf8(), "\xEF\xBF\xBDx");  // a lone surrogate
}

TEST(KStringText, AppendIntAndReal) {
  KString text;
  text.AppendInt(-2147483647 - 1).AppendChar(u' ').AppendInt(0).AppendChar(u' ').AppendInt(2147483647);
  EXPECT_EQ(text, KString("-2147483648 0 2147483647"));
  KString real;
  real.AppendReal(1.5);
  EXPECT_EQ(real, KString("1.500000"));
  real.Clear();
  real.AppendReal(-0.25, "%.1f");
  EXPECT_EQ(real, KString("-0.2"));
}

TEST(KStringText, AppendRealIgnoresTheProcessLocale) {
  const std::string previous = std::setlocale(LC_ALL, nullptr);
  bool switched = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      switched = true;
      break;
    }
  }
  KString text;
  text.AppendReal(3.25, "%.2f");
  std::setlocale(LC_ALL, previous.c_str());
  EXPECT_EQ(text, KString("3.25"));
  if (!switched) {
    GTEST_SKIP() << "no comma locale installed";
  }
}

TEST(KStringText, AppendFormatTable) {
  struct Case {
    const char* format;
    double real;
    bool isReal;
    const char* expected;
  } cases[] = {
      {"%.2f", 3.14159, true, "3.14"},
      {"%03d", 2, false, "002"},
      {"%d", 7.9, true, "7"},  // a double through an integer conversion rounds toward 0
      {"%d", 1e12, true, "2147483647"},
      {"%x", -1, false, "ffffffff"},
      {"%lf", 2, false, "2.000000"},
      {"Time %5.1f s", 12.34, true, "Time  12.3 s"},
      {"100%% %d", 5, false, "100% 5"},
      {"%-4d|", 42, false, "42  |"},
      {"%d %d", 5, false, "5"},     // two conversions: plain form
      {"%s", 5, false, "5"},        // unknown conversion
      {"%n", 5, false, "5"},        // never lets a format write memory
      {"", 1.5, true, "1.500000"},  // no conversion
      {"%9999d", 5, false, "5"},    // widths are bounded
      {"%", 5, false, "5"},         // a lone percent sign at the end
      {"abc%", 2.5, true, "2.500000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.format);
    KString text;
    if (c.isReal) {
      text.AppendFormat(c.real, KString(c.format));
    } else {
      text.AppendFormat(static_cast<int32_t>(c.real), KString(c.format));
    }
    EXPECT_EQ(text, KString(c.expected));
  }
}

TEST(KStringParse, ParseIntAcceptsOnlyWholeInt32Decimals) {
  struct Case {
    const char* text;
    bool ok;
    int32_t value;
  } cases[] = {
      {"0", true, 0},
      {"-17", true, -17},
      {"+17", true, 17},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, -2147483647 - 1},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"99999999999999999999", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {"12a", false, 0},
      {" 12", false, 0},
      {"1.0", false, 0},
      {"0x10", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    int32_t value = 1234;
    EXPECT_EQ(KString(c.text).ParseInt(value), c.ok);
    EXPECT_EQ(value, c.ok ? c.value : 1234);
  }
}

TEST(KStringParse, GetFieldTable) {
  struct Case {
    const char* source;
    int32_t index;
    char16_t quote;
    int32_t limit;
    bool found;
    const char* field;
  } cases[] = {
      {"0,9600,8,N,1.0", 0, 0, -1, true, "0"},
      {"0,9600,8,N,1.0", 4, 0, -1, true, "1.0"},
      {"0,9600,8,N,1.0", 5, 0, -1, false, ""},
      {"a,,c", 1, 0, -1, true, ""},
      {"a,", 1, 0, -1, true, ""},
      {"", 0, 0, -1, true, ""},
      {"", 1, 0, -1, false, ""},
      {"abcdef,x", 0, 0, 3, true, "abc"},
      {"a,b", -1, 0, -1, false, ""},
      {"\"x,y\",z", 0, u'"', -1, true, "x,y"},
      {"\"x,y\",z", 1, u'"', -1, true, "z"},
      {"\"x,y\",z", 1, 0, -1, true, "y\""},  // without a quote character quotes are text
      {"\"say \"\"hi\"\"\",2", 0, u'"', -1, true, "say \"hi\""},
      {"\"say \"\"hi\"\"\",2", 1, u'"', -1, true, "2"},
      {"\"open,never closed", 0, u'"', -1, true, "open,never closed"},
      {"\"open,never closed", 1, u'"', -1, false, ""},
      {"\"ab\"cd,e", 0, u'"', -1, true, "abcd"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.source) + " #" + std::to_string(c.index));
    KString field("old");
    EXPECT_EQ(field.GetField(KString(c.source), c.index, u',', c.quote, c.limit), c.found);
    if (c.found) {
      EXPECT_EQ(field, KString(c.field));
    }
  }
}

TEST(KStringParse, GetFieldFromItselfAndIntoAFixedText) {
  KString text("one;two;three");
  EXPECT_TRUE(text.GetField(text, 1, u';'));
  EXPECT_EQ(text, KString("two"));
  KString15 small;
  EXPECT_TRUE(small.GetField(KString("x;a field longer than fifteen"), 1, u';'));
  EXPECT_EQ(small.Length(), 15);
}

TEST(KStringCompare, EqualityTables) {
  struct Case {
    const char* a;
    const char* b;
    int32_t n;
    bool equalsN;
    bool equalsNoCase;
  } cases[] = {
      {"abc", "abc", -1, true, true},
      {"abc", "ABC", -1, false, true},
      {"abc", "abd", 2, true, true},
      {"abc", "abd", 3, false, false},
      {"ab", "abc", -1, false, false},
      {"ab", "abc", 2, true, true},
      {"ab", "abc", 3, false, false},
      {"ab", "ab", 10, true, true},
      {"", "", -1, true, true},
      {"x", "y", 0, true, true},
      {"\xC9t\xC9", "\xE9T\xE9", -1, false, true},  // Latin-1 letters fold
      {"\xD7", "\xF7", -1, false, false},           // multiplication and division signs are not letters
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + "|" + c.b + "|" + std::to_string(c.n));
    const KString a(c.a);
    const KString b(c.b);
    EXPECT_EQ(KString::EqualsN(a, b, c.n), c.equalsN);
    EXPECT_EQ(KString::EqualsNoCase(a, b, c.n), c.equalsNoCase);
    EXPECT_EQ(KString::EqualsNoCase(b, a, c.n), c.equalsNoCase);
  }
  EXPECT_TRUE(KString::Equals(KString("a"), KString("a")));
  EXPECT_FALSE(KString::Equals(KString("a"), KString("a ")));
}

TEST(KStringCompare, OrderingOperators) {
  EXPECT_LT(KString("abc"), KString("abd"));
  EXPECT_LT(KString("ab"), KString("abc"));
  EXPECT_GT(KString(u"\u00e9"), KString("z"));
  EXPECT_NE(KString("a"), KString("A"));
  EXPECT_EQ(KString15("same"), KString("same"));
}

TEST(KStringEdit, ExpandNewlinesFindAndTrim) {
  struct ExpandCase {
    const char* text;
    bool replaced;
    const char* expected;
  } expandCases[] = {
      {"one\\ntwo", true, "one\r\ntwo"}, {"\\n\\n", true, "\r\n\r\n"}, {"no pair\\", false, "no pair\\"},
      {"\\\\n", true, "\\\r\n"},         {"n\\", false, "n\\"},
  };
  for (const auto& c : expandCases) {
    SCOPED_TRACE(c.text);
    KString text(c.text);
    EXPECT_EQ(text.ExpandNewlines(), c.replaced);
    EXPECT_EQ(text, KString(c.expected));
  }

  const KString text("a.b.c");
  EXPECT_EQ(text.Find(u'.'), 1);
  EXPECT_EQ(text.Find(u'.', 2), 3);
  EXPECT_EQ(text.Find(u'.', 4), -1);
  EXPECT_EQ(text.Find(u'x'), -1);
  EXPECT_EQ(text.Find(u'a', -5), 0);
  EXPECT_EQ(text.Find(u'a', 99), -1);

  struct TrimCase {
    const char* text;
    const char* expected;
  } trimCases[] = {
      {"  x y \t\r\n", "x y"}, {"   ", ""}, {"", ""}, {"x", "x"}, {"\tx", "x"}, {"x\n", "x"},
  };
  for (const auto& c : trimCases) {
    SCOPED_TRACE(c.text);
    KString trimmed(c.text);
    trimmed.Trim();
    EXPECT_EQ(trimmed, KString(c.expected));
    EXPECT_EQ(trimmed.CStr()[trimmed.Length()], u'\0');
  }
}

TEST(KStringEdit, TrimmedTextStillGrowsAndTerminates) {
  KString text(8, 1000);
  text.Append("   abc");
  text.Trim();
  text.Append("defghijklmnop");
  EXPECT_EQ(text, KString("abcdefghijklmnop"));
  EXPECT_EQ(std::u16string(text.CStr()), u"abcdefghijklmnop");
}

TEST(KStringEdit, TrimmedTextThatCannotGrowKeepsItsWholeRoom) {
  // Texts whose buffer is as large as it will ever get: after Trim the room at the front is still theirs.
  KString15 fixed;
  KString atMaximum(15, 15);
  struct Case {
    const char* name;
    KString& text;
  } cases[] = {{"fixed", fixed}, {"heap at its maximum", atMaximum}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.text.Append("   abc");
    c.text.Trim();
    c.text.Append("defghijklmnopqrs");
    EXPECT_EQ(c.text, KString("abcdefghijklmno"));
    EXPECT_EQ(std::u16string(c.text.CStr()), u"abcdefghijklmno");
  }
}

TEST(KStringEdit, SetLengthOnlyCuts) {
  KString text("abcdef");
  text.SetLength(10);
  EXPECT_EQ(text, KString("abcdef"));
  text.SetLength(3);
  EXPECT_EQ(text, KString("abc"));
  EXPECT_EQ(text.CStr()[3], u'\0');
  text.SetLength(-1);
  EXPECT_TRUE(text.IsEmpty());
}

TEST(KStringRecord, WritesTheDocumentedBytes) {
  KMemoryStream stream;
  KString(u"A\u00e9\u20ac").Write(stream);
  const std::vector<uint8_t> expected = {0x05, 0x00, 0x01, 0x10,  // record word 0x10010005
                                         0x03, 0x00, 0x00, 0x00,  // three characters
                                         0x41, 0x00, 0xE9, 0x00, 0xAC, 0x20};
  EXPECT_EQ(stream.Bytes(), expected);
  KString back("previous");
  back.Read(stream);
  EXPECT_EQ(back, KString(u"A\u00e9\u20ac"));
  EXPECT_EQ(stream.Remaining(), 0);
}

TEST(KStringRecord, BigEndianStreamAndEmptyText) {
  KMemoryStream stream;
  stream.SetBigEndian(true);
  KString("").Write(stream);
  KString("hi").Write(stream);
  const std::vector<uint8_t> expected = {0x10, 0x01, 0x00, 0x05, 0, 0, 0, 0,   0x10, 0x01,
                                         0x00, 0x05, 0,    0,    0, 2, 0, 'h', 0,    'i'};
  EXPECT_EQ(stream.Bytes(), expected);
  KString first("x");
  KString second;
  first.Read(stream);
  second.Read(stream);
  EXPECT_TRUE(first.IsEmpty());
  EXPECT_EQ(second, KString("hi"));
}

TEST(KStringRecord, BadRecordsAreRefusedAndTheTextKept) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    int32_t code;
  } cases[] = {
      {"wrong word", {0x06, 0x00, 0x01, 0x10, 0, 0, 0, 0}, kErrFileVersion},
      {"model family word", {0x05, 0x00, 0x02, 0x10, 0, 0, 0, 0}, kErrFileVersion},
      {"negative length", {0x05, 0x00, 0x01, 0x10, 0xFF, 0xFF, 0xFF, 0xFF}, kErrFileContents},
      {"huge length", {0x05, 0x00, 0x01, 0x10, 0xFF, 0xFF, 0xFF, 0x7F}, kErrFileContents},
      {"longer than the stream", {0x05, 0x00, 0x01, 0x10, 2, 0, 0, 0, 'a', 0}, kErrFileContents},
      {"cut inside the word", {0x05, 0x00}, kErrFileRead},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    KMemoryStream stream(c.bytes);
    KString text("kept");
    try {
      text.Read(stream);
      ADD_FAILURE() << "no exception";
    } catch (const KX& failure) {
      EXPECT_EQ(failure.Code(), c.code);
    }
    EXPECT_EQ(text, KString("kept"));
  }
}

TEST(KStringRecord, FixedTextReadsWhatFitsAndConsumesTheRecord) {
  KMemoryStream stream;
  KString("twenty characters!!!").Write(stream);
  stream.WriteInt32(99);
  KString15 text;
  text.Read(stream);
  EXPECT_EQ(text, KString("twenty characte"));
  EXPECT_EQ(stream.ReadInt32(), 99);
}
