#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "foundation/krbool.h"
#include "foundation/krfloat.h"
#include "foundation/krint.h"
#include "foundation/krrat.h"
#include "foundation/krstring.h"
#include "foundation/tests/krtestsupport.h"

namespace {

struct ParseCase {
  const char16_t* text;
  bool accepted;
  const char16_t* valueAfter;  // the value as text after the parse (old value when refused)
};

// Parses each case on a node that starts from `initial` and checks what the node holds afterwards.
void CheckParses(KRNode& node, const char16_t* initial, const std::vector<ParseCase>& cases) {
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(std::string(KString(c.text).ToUtf8()));
    ASSERT_TRUE(node.ParseValue(KString(initial)));
    EXPECT_EQ(node.ParseValue(KString(c.text)), c.accepted);
    KString value;
    node.AppendValue(value);
    EXPECT_EQ(Text(value), std::u16string(c.valueAfter));
  }
}

TEST(KRBool, ReadsEverySpellingAndWritesDigits) {
  KRBool node;
  CheckParses(node, u"0",
              {{u"1", true, u"1"},
               {u"0", true, u"0"},
               {u"TRUE", true, u"1"},
               {u"false", true, u"0"},
               {u"Yes", true, u"1"},
               {u"no", true, u"0"},
               {u" yes ", true, u"1"},
               {u"2", false, u"0"},
               {u"on", false, u"0"},
               {u"", false, u"0"},
               {u"truex", false, u"0"}});
}

TEST(KRBool, SetStoresOneForAnyNonZeroByte) {
  KRBool node;
  for (int byte : {1, 2, 0x80, 0xff}) {
    node.Set(0);
    node.Set(static_cast<uint8_t>(byte));
    EXPECT_EQ(node.Value(), 1) << byte;
  }
  node.Set(0);
  EXPECT_EQ(node.Value(), 0);
}

TEST(KRInt, ParsesDecimalWithinInt32AndRefusesTheRest) {
  KRInt node;
  CheckParses(node, u"7",
              {{u"-2147483648", true, u"-2147483648"},
               {u"2147483647", true, u"2147483647"},
               {u" +12 ", true, u"12"},
               {u"2147483648", false, u"7"},
               {u"12abc", false, u"7"},
               {u"0x10", false, u"7"},
               {u"", false, u"7"},
               {u"1.5", false, u"7"}});
}

TEST(KRInt, RangeRefusesOutsideValuesAndKeepsTheOldOne) {
  KRInt node;
  const KString low(u"1");
  const KString high(u"10");
  ASSERT_TRUE(node.ParseLineValue(KString(u"5"), &low, &high));
  struct Case {
    const char16_t* text;
    bool accepted;
    int32_t value;
  } cases[] = {{u"1", true, 1}, {u"10", true, 10}, {u"0", false, 10}, {u"11", false, 10}, {u"4", true, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(KString(c.text).ToUtf8()));
    EXPECT_EQ(node.ParseValue(KString(c.text)), c.accepted);
    EXPECT_EQ(node.Value(), c.value);
  }
  // A refused line changes neither the value nor the range.
  const KString badLow(u"20");
  EXPECT_FALSE(node.ParseLineValue(KString(u"25"), &badLow, &high));
  EXPECT_EQ(node.Value(), 4);
  KString range;
  node.AppendRange(range);
  EXPECT_EQ(Text(range), u",1,10");
}

TEST(KRInt, NotifyChangedStoresThroughTheCallbackWithItsUserData) {
  struct Listener {
    int calls = 0;
    static bool Store(KRInt* node, int32_t value, void* data) {
      auto* self = static_cast<Listener*>(data);
      ++self->calls;
      node->Set(value * 2);  // the attached object may adjust what it stores
      return value >= 0;
    }
  } listener;
  KRInt node;
  EXPECT_TRUE(node.NotifyChanged(3));
  EXPECT_EQ(node.Value(), 3);
  node.SetCallback(&Listener::Store, &listener);
  EXPECT_TRUE(node.NotifyChanged(4));
  EXPECT_EQ(node.Value(), 8);
  EXPECT_FALSE(node.ParseValue(KString(u"-1")));  // parsing goes through the callback too
  EXPECT_EQ(listener.calls, 2);
  node.Set(1);  // a direct store tells nobody
  EXPECT_EQ(listener.calls, 2);
}

TEST(KRString, NotifyChangedStoresThroughTheCallbackOrDirectly) {
  struct Listener {
    std::u16string seen;
    static bool Store(KRString* node, const KString& text, void* data) {
      static_cast<Listener*>(data)->seen = Text(text);
      KString folder(text);
      folder.Append(u"/");
      node->SetText(folder);
      return true;
    }
  } listener;
  KRString node;
  EXPECT_TRUE(node.NotifyChanged(KString(u"plain")));
  EXPECT_EQ(Text(node.Value()), u"plain");
  node.SetCallback(&Listener::Store, &listener);
  EXPECT_TRUE(node.ParseValue(KString(u"dir")));
  EXPECT_EQ(listener.seen, u"dir");
  EXPECT_EQ(Text(node.Value()), u"dir/");
}

TEST(KRFloat, WritesShortestTextThatReadsBackTheSameDouble) {
  const double values[] = {0.0,     -0.0,      0.1,     0.1 + 0.2,
                           -3.0,    2.0,       1e30,    1e-7,
                           DBL_MAX, -DBL_MAX,  DBL_MIN, std::numeric_limits<double>::denorm_min(),
                           1.0 / 3, 123456.789};
  // Whatever the process locale says about the decimal point.
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous != nullptr ? previous : "C";
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  for (double value : values) {
    SCOPED_TRACE(value);
    KRFloat node;
    node.Set(value);
    KString text;
    node.AppendValue(text);
    EXPECT_LT(text.Find(u','), 0);
    KRFloat copy;
    ASSERT_TRUE(copy.ParseValue(text));
    EXPECT_EQ(copy.Value(), value);
    EXPECT_EQ(std::signbit(copy.Value()), std::signbit(value));
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(KRFloat, RefusesTextsThatAreNotFiniteNumbers) {
  KRFloat node;
  CheckParses(node, u"1.5",
              {{u"-3", true, u"-3"},
               {u" 0.25 ", true, u"0.25"},
               {u"+2.5", true, u"2.5"},
               {u"1e3", true, u"1000"},
               {u".5", true, u"0.5"},
               {u"inf", false, u"1.5"},
               {u"nan", false, u"1.5"},
               {u"1e999", false, u"1.5"},
               {u"1,5", false, u"1.5"},
               {u"+-1", false, u"1.5"},
               {u"0x1p3", false, u"1.5"},
               {u"", false, u"1.5"},
               {u"1.5\u00e9", false, u"1.5"}});
}

TEST(KRFloat, RangeRefusesOutsideValues) {
  KRFloat node;
  const KString low(u"-10");
  const KString high(u"2.5");
  ASSERT_TRUE(node.ParseLineValue(KString(u"-3"), &low, &high));
  EXPECT_FALSE(node.ParseValue(KString(u"2.6")));
  EXPECT_TRUE(node.ParseValue(KString(u"2.5")));
  EXPECT_DOUBLE_EQ(node.Value(), 2.5);
  KString range;
  node.AppendRange(range);
  EXPECT_EQ(Text(range), u",-10,2.5");
}

TEST(KRRat, ReadsFractionsReducedAndRefusesZeroDenominators) {
  KRRat node;
  CheckParses(node, u"1/3",
              {{u"3/4", true, u"3/4"},
               {u"6/8", true, u"3/4"},
               {u"-1/-2", true, u"1/2"},
               {u"1/-2", true, u"-1/2"},
               {u" 3 / 4 ", true, u"3/4"},
               {u"5", true, u"5/1"},
               {u"1/0", false, u"1/3"},
               {u"1/-2147483648", false, u"1/3"},
               {u"a/b", false, u"1/3"},
               {u"1/2/3", false, u"1/3"},
               {u"/", false, u"1/3"},
               {u"", false, u"1/3"}});
}

}  // namespace
