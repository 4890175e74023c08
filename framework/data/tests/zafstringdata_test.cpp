#include "framework/data/zafstringdata.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zafstorage.h"

namespace {

// Counts the change notifications of one data object.
class ChangeCounter {
 public:
  explicit ChangeCounter(ZafData& data) : data(data) {
    data.Add(&observer, &Count, ZAF_UPDATE_ALL);
    counts()[&observer] = 0;
  }
  ~ChangeCounter() { data.Subtract(&observer, nullptr); }
  int Changes() const { return counts()[&observer]; }

 private:
  static std::map<const ZafElement*, int>& counts() {
    static std::map<const ZafElement*, int> table;
    return table;
  }
  static ZafLong Count(ZafElement* object, ZafUpdateType) { return ++counts()[object]; }

  ZafData& data;
  ZafElement observer;
};

std::u16string TextOf(const ZafStringData& data) {
  return data.Text() ? data.Text() : u"<null>";
}

TEST(ZafStringData, BuffersAreSizedFromTextAndMaximum) {
  struct Case {
    const char* what;
    const ZafIChar* text;
    int maxLength;
    int bufferLength;
  } cases[] = {
      {"empty text, no maximum", u"", -1, 11},
      {"null text", nullptr, -1, 255},
      {"text of 4", u"abcd", -1, 15},
      {"maximum 20", u"abcd", 20, 21},
      {"maximum cuts the text", u"abcdef", 3, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ZafStringData data(c.text, c.maxLength);
    EXPECT_EQ(data.BufferLength(), c.bufferLength);
    EXPECT_FALSE(data.StaticData());
  }
  EXPECT_EQ(ZafStringData().BufferLength(), 255);
  EXPECT_EQ(ZafStringData(true).BufferLength(), 0);
  EXPECT_EQ(ZafStringData(true).Text(), nullptr);
}

TEST(ZafStringData, SetCharGrowsAnUnboundedBufferOrRefuses) {
  ZafStringData data(u"abc");
  EXPECT_EQ(data.SetChar(3, u'd'), ZAF_ERROR_NONE);
  EXPECT_EQ(TextOf(data), u"abcd");
  EXPECT_EQ(data.SetChar(20, u'x'), ZAF_ERROR_NONE);
  EXPECT_EQ(data.BufferLength(), 255);
  EXPECT_EQ(data.SetChar(300, u'y'), ZAF_ERROR_NONE);
  EXPECT_EQ(data.BufferLength(), 555);
  EXPECT_EQ(TextOf(data), u"abcd") << "characters stored past the end stay behind the terminator";
  EXPECT_EQ(data.SetChar(-1, u'z'), ZAF_ERROR_BAD_INDEX);
  EXPECT_EQ(data.Error(), ZAF_ERROR_BAD_INDEX);

  ZafStringData bounded(u"ab", 3);
  EXPECT_EQ(bounded.SetChar(2, u'c'), ZAF_ERROR_NONE);
  EXPECT_EQ(TextOf(bounded), u"abc");
  EXPECT_EQ(bounded.SetChar(3, u'd'), ZAF_ERROR_BAD_INDEX) << "the terminator's place is not the text's";
  EXPECT_EQ(TextOf(bounded), u"abc");
}

TEST(ZafStringData, MaximumLengthCutsAndIsDroppedByAssignment) {
  ZafStringData data(u"abcdef");
  data.SetMaxLength(3);
  EXPECT_EQ(TextOf(data), u"abc");
  data.SetMaxLength(-1);
  EXPECT_EQ(TextOf(data), u"abc") << "the cut text does not come back";

  ZafStringData limited(u"ab", 2);
  limited.SetText(u"wxyz");
  EXPECT_EQ(TextOf(limited), u"wx");
  limited = u"wxyz";
  EXPECT_EQ(limited.MaxLength(), -1);
  EXPECT_EQ(TextOf(limited), u"wxyz");
  limited = u'q';
  EXPECT_EQ(TextOf(limited), u"q");
  limited += u'r';
  EXPECT_EQ(TextOf(limited), u"qr");

  ZafStringData zero(u"abc", 0);
  EXPECT_EQ(TextOf(zero), u"");
}

TEST(ZafStringData, EachChangeNotifiesOnce) {
  ZafStringData data(u"hello world");
  ChangeCounter counter(data);
  struct Step {
    const char* what;
    std::function<void()> change;
    const char16_t* text;
    int changes;
  } steps[] = {
      {"replace", [&] { data.Replace(0, 5, u"HELLO"); }, u"HELLO world", 1},
      {"remove of absent text", [&] { data.Remove(u"xyz"); }, u"HELLO world", 0},
      {"remove", [&] { data.Remove(u"LL"); }, u"HEO world", 1},
      {"insert", [&] { data.Insert(3, u"--", -1); }, u"HEO-- world", 1},
      {"insert of part", [&] { data.Insert(0, u"abc", 2); }, u"abHEO-- world", 1},
      {"append", [&] { data.Append(u"!"); }, u"abHEO-- world!", 1},
      {"append of nothing", [&] { data.Append(u""); }, u"abHEO-- world!", 0},
      {"delete", [&] { data.Delete(0, 2); }, u"HEO-- world!", 1},
      {"set char quietly", [&] { data.SetChar(0, u'h', true); }, u"hEO-- world!", 0},
      {"set text", [&] { data.SetText(u"x"); }, u"x", 1},
      {"clear", [&] { data.Clear(); }, u"", 1},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    const int before = counter.Changes();
    step.change();
    EXPECT_EQ(TextOf(data), step.text);
    EXPECT_EQ(counter.Changes() - before, step.changes);
    EXPECT_EQ(data.ChangeCount(), 0) << "every change bracket closes";
  }
}

TEST(ZafStringData, PositionsAreHeldToTheText) {
  struct Case {
    const char* what;
    std::function<void(ZafStringData&)> edit;
    const char16_t* text;
  } cases[] = {
      {"delete past the end", [](ZafStringData& d) { d.Delete(10, 3); }, u"abcdef"},
      {"delete more than is there", [](ZafStringData& d) { d.Delete(4, 100); }, u"abcd"},
      {"delete at a negative position", [](ZafStringData& d) { d.Delete(-5, 2); }, u"cdef"},
      {"insert past the end appends", [](ZafStringData& d) { d.Insert(99, u"XY"); }, u"abcdefXY"},
      {"insert at a negative position", [](ZafStringData& d) { d.Insert(-3, u"XY"); }, u"XYabcdef"},
      {"insert longer than asked", [](ZafStringData& d) { d.Insert(1, u"XY", 10); }, u"aXYbcdef"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ZafStringData data(u"abcdef");
    c.edit(data);
    EXPECT_EQ(TextOf(data), c.text);
  }
}

TEST(ZafStringData, StaticBufferIsNeverWrittenPast) {
  // The caller's buffer holds 6 characters and the terminator; the guard characters after it must survive.
  ZafIChar memory[12];
  std::fill(std::begin(memory), std::end(memory), u'#');
  std::copy_n(u"abc", 4, memory);
  ZafStringData data(memory, 6, true);
  EXPECT_TRUE(data.StaticData());
  EXPECT_EQ(data.BufferLength(), 7);
  EXPECT_EQ(data.Text(), memory);

  data.SetText(u"0123456789");
  EXPECT_EQ(TextOf(data), u"012345");
  EXPECT_EQ(data.Insert(2, u"zz"), -1) << "no room: refused";
  EXPECT_EQ(TextOf(data), u"012345");
  data.Append(u"more");
  EXPECT_EQ(TextOf(data), u"012345");
  data.SetMaxLength(40);
  data.SetText(u"a much longer text than the buffer");
  EXPECT_EQ(TextOf(data), u"a much") << "a larger maximum does not make the buffer larger";
  EXPECT_EQ(data.SetChar(6, u'x'), ZAF_ERROR_BAD_INDEX);
  EXPECT_EQ(data.SetChar(7, u'x'), ZAF_ERROR_BAD_INDEX);
  data.Delete(0, 2);
  EXPECT_EQ(data.Insert(0, u"AB"), 0);
  EXPECT_EQ(TextOf(data), u"ABmuch");
  for (int index = 7; index < 12; ++index) {
    EXPECT_EQ(memory[index], u'#') << index;
  }
}

TEST(ZafStringData, ConvertedTextPassesThroughTheCodeSetWithinTheBuffer) {
  // The code set holds Latin-1 only: U+20AC comes back as "?".
  ZafStringData owned(u"a\u00e9\u20ac", 10);
  const std::unique_ptr<ZafIChar[]> copy(owned.DuplicateConvertedText());
  EXPECT_EQ(std::u16string(copy.get()), u"a\u00e9?");
  EXPECT_EQ(TextOf(owned), u"a\u00e9\u20ac") << "the object keeps its own text";

  ZafIChar memory[6];
  std::fill(std::begin(memory), std::end(memory), u'#');
  memory[0] = 0;
  ZafStringData lent(memory, 3, true);
  ChangeCounter counter(lent);
  lent.SetConvertedText(u"xy\u20acz and more");
  EXPECT_EQ(TextOf(lent), u"xy?");
  EXPECT_EQ(counter.Changes(), 1);
  EXPECT_EQ(memory[4], u'#') << "nothing past the lent buffer";
}

TEST(ZafStringData, StaticTextWithoutMaximumUsesOnlyItsOwnRoom) {
  ZafIChar memory[8] = {u'a', u'b', 0, u'#', u'#', u'#', u'#', u'#'};
  ZafStringData data(memory, -1, true);
  EXPECT_EQ(data.BufferLength(), 3);
  data.SetText(u"wxyz");
  EXPECT_EQ(TextOf(data), u"wx");
  EXPECT_EQ(memory[3], u'#');
}

TEST(ZafStringData, StaticObjectWithoutBufferShowsTextReadOnly) {
  const ZafIChar* shown = u"borrowed";
  ZafStringData data(true);
  data.SetText(shown);
  EXPECT_EQ(data.Text(), shown);
  EXPECT_EQ(data.Insert(0, u"x"), -1);
  data.Delete(0, 3);
  EXPECT_EQ(data.SetChar(0, u'x'), ZAF_ERROR_BAD_INDEX);
  EXPECT_EQ(TextOf(data), u"borrowed");
  data.SetStaticData(false);
  EXPECT_NE(data.Text(), shown) << "an owned object copies the text";
  data.Append(u"!");
  EXPECT_EQ(TextOf(data), u"borrowed!");
}

TEST(ZafStringData, NarrowTextIsCopiedEvenWhenStatic) {
  char narrow[] = "caf\xE9";
  ZafStringData data(narrow, -1, true);
  EXPECT_FALSE(data.StaticData());
  EXPECT_EQ(TextOf(data), u"caf\u00E9");
  narrow[0] = 'X';
  EXPECT_EQ(TextOf(data), u"caf\u00E9");
  data.SetTextNarrow("abc");
  EXPECT_EQ(TextOf(data), u"abc");
  std::unique_ptr<char[]> local(data.DuplicateLocalText());
  EXPECT_STREQ(local.get(), "abc");
  std::unique_ptr<ZafIChar[]> copy(data.DuplicateText());
  EXPECT_EQ(std::u16string(copy.get()), u"abc");
}

TEST(ZafStringData, CopiesOwnTheirTextAndOperatorsCombine) {
  ZafIChar memory[8] = u"abc";
  ZafStringData lent(memory, 7, true);
  ZafStringData copy(lent);
  EXPECT_FALSE(copy.StaticData());
  EXPECT_NE(copy.Text(), memory);
  EXPECT_EQ(copy.MaxLength(), 7);

  ZafStringData hello(u"hello");
  EXPECT_EQ(TextOf(hello + u" you"), u"hello you");
  EXPECT_EQ(TextOf(u"say " + hello), u"say hello");
  EXPECT_EQ(TextOf(hello + ZafStringData(u"!")), u"hello!");
  EXPECT_EQ(TextOf(hello + u'?'), u"hello?");
  EXPECT_EQ(TextOf(u'>' + hello), u">hello");
  EXPECT_EQ(TextOf(hello - u"ll"), u"heo");
  EXPECT_EQ(TextOf(u"hello hello" - hello), u" hello");
  EXPECT_EQ(TextOf(hello - ZafStringData(u"zz")), u"hello");

  EXPECT_EQ(hello.Compare(u"hello"), 0);
  EXPECT_LT(hello.Compare(u"help"), 0);
  EXPECT_GT(hello.Compare(u"HELLO"), 0);
  EXPECT_EQ(hello.Compare(u"HELLO", true), 0);
  EXPECT_GT(hello.Compare(nullptr), 0);
}

TEST(ZafStringData, RoundTripsThroughStorage) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("strings").c_str(), ZAF_STORAGE_CREATE);
  struct Case {
    const char16_t* name;
    const char16_t* text;
    int maxLength;
  } cases[] = {
      {u"plain", u"hello", -1},
      {u"bounded", u"abc", 12},
      {u"wide", u"\u0416\u0436 text", -1},
      {u"empty", u"", 5},
  };
  for (const Case& c : cases) {
    ZafDataPersistence persistence(&storage);
    ZafStringData data(c.text, c.maxLength);
    data.SetStringID(c.name);
    data.SetFormat(u"%s!");
    EXPECT_EQ(data.Write(persistence), 0);
    persistence.PopLevel();
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name)));
    ZafDataPersistence persistence(&storage);
    ZafStringData back(c.name, persistence);
    EXPECT_EQ(back.Error(), 0);
    EXPECT_EQ(TextOf(back), c.text);
    EXPECT_EQ(back.MaxLength(), c.maxLength);
    EXPECT_EQ(std::u16string(back.Format()), u"%s!");
    EXPECT_EQ(persistence.Level(), 0);
  }
  ZafDataPersistence persistence(&storage);
  ZafStringData missing(u"nothing", persistence);
  EXPECT_EQ(missing.Error(), ZAF_ERROR_OPEN);
  EXPECT_EQ(TextOf(missing), u"");
  EXPECT_EQ(missing.BufferLength(), 255);
}

}  // namespace
