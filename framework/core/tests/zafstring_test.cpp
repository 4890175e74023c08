#include <gtest/gtest.h>

#include <string>

#include "framework/core/tests/zaffieldstoragetest.h"
#include "framework/core/zafstring.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstringdata.h"

namespace {

std::u16string TextOf(const ZafIChar* text) {
  return text ? std::u16string(text) : std::u16string(u"(none)");
}

TEST(StringField, FormatListKeepsTheCurrentFormatFirst) {
  const struct {
    const char16_t* format;
    const char16_t* list;
    const char16_t* expected;
  } cases[] = {
      {u"%x", u"%d\n%x", u"%x\n%d\n"},       {u"%o", u"%d\n%x", u"%o\n%d\n%x"},
      {u"%d", u"%d\n%x", u"%d\n%x"},         {u"%d", u"%d5\n%x", u"%d\n%d5\n%x"},
      {u"%x", u"%d\n%x\n%o", u"%x\n%d\n%o"}, {u"%x", u"%d\n%x5", u"%x\n%d\n%x5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.list, c.list + std::char_traits<char16_t>::length(c.list)));
    ZafString field(0, 0, 10, u"");
    field.SetFormatListText(c.list);
    field.SetFormatText(c.format);
    ASSERT_NE(field.FormatListData(), nullptr);
    EXPECT_EQ(TextOf(field.FormatListData()->Text()), c.expected);
    EXPECT_EQ(TextOf(field.FormatData()->Text()), c.format);
  }
}

TEST(StringField, RangesSplitAtTheirDots) {
  const struct {
    const char16_t* text;
    const char16_t* low;
    const char16_t* high;
    const char16_t* next;
  } cases[] = {
      {u"1..10", u"1", u"10", nullptr},     {u"5", u"5", u"5", nullptr},
      {u"1...10", u"1", u"10", nullptr},    {u"..5", u"", u"5", nullptr},
      {u"3..", u"3", u"", nullptr},         {u" 1 .. 10 ", u"1", u"10", nullptr},
      {u"1..2\n5..7", u"1", u"2", u"5..7"}, {u"1,5..2,5, 7..9", u"1,5", u"2,5", u"7..9"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(TextOf(c.text).size());
    std::u16string low;
    std::u16string high;
    const ZafIChar* next = ZafString::ParseRange(c.text, low, high);
    EXPECT_EQ(low, c.low);
    EXPECT_EQ(high, c.high);
    EXPECT_EQ(TextOf(next), TextOf(c.next));
  }
}

TEST(StringField, OptionsFollowTheirRules) {
  ZafString field(0, 0, 10, u"abc");
  EXPECT_TRUE(field.AutoSelect());
  EXPECT_TRUE(field.ReportErrors());
  EXPECT_TRUE(field.Bordered());
  field.SetLowerCase(true);
  EXPECT_TRUE(field.SetUpperCase(true));
  EXPECT_FALSE(field.LowerCase());
  EXPECT_TRUE(field.SetLowerCase(true));
  EXPECT_FALSE(field.UpperCase());
  field.SetUnanswered(true);
  EXPECT_EQ(TextOf(field.StringData()->Text()), u"");
  field.SetText(u"x");
  EXPECT_FALSE(field.Unanswered());
  field.SetText(u"");
  EXPECT_TRUE(field.Unanswered());
  EXPECT_EQ(field.NumberCheckA(nullptr, true), ZAF_ERROR_NO_CHECK);
  EXPECT_EQ(field.Validate(true), ZAF_ERROR_NONE);
}

TEST(StringField, ValidityQueryAnswersFromTheInvalidState) {
  const struct {
    bool invalid;
    bool errorQuery;
    bool validateOnLeave;
    ZafEventType expected;
  } cases[] = {
      {false, true, false, ZAF_QUERY_VALID},
      {true, false, false, ZAF_QUERY_INVALID},
      {true, true, true, ZAF_QUERY_INVALID},
      {true, true, false, ZAF_QUERY_INVALID_ASK},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    ZafString field(0, 0, 10, u"");
    field.SetInvalid(c.invalid);
    field.SetErrorQuery(c.errorQuery);
    field.SetValidateOnLeave(c.validateOnLeave);
    EXPECT_EQ(field.Event(ZafEventRecord(ValidityQueryEvent, 0)), c.expected);
  }
}

TEST(StringField, EditingKeysMapToTheirEvents) {
  ZafString field(0, 0, 10, u"");
  const struct {
    int32_t key;
    int32_t modifiers;
    ZafEventType expected;
  } cases[] = {
      {13, 0x200, ChosenEvent}, {8, 0x200, 1119},    {0x8000 | 45, 0x204, 1127},
      {46, 0x203, 1104},        {0x22, 0x200, 1118}, {27, 0x200, 1010},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    ZafEventRecord key(E_KEY, c.key);
    key.modifiers = c.modifiers;
    EXPECT_EQ(field.MapEvent(key), c.expected);
  }
}

TEST(StringField, CopySharesDataThatIsNotDestroyable) {
  ZafStringData shared(u"shared");
  shared.SetDestroyable(false);
  ZafString original(0, 0, 10, &shared);
  original.SetRangeText(u"1..5");
  ZafString copy(original);
  EXPECT_EQ(copy.StringData(), &shared);
  ASSERT_NE(copy.RangeData(), nullptr);
  EXPECT_NE(copy.RangeData(), original.RangeData());
  EXPECT_EQ(TextOf(copy.RangeData()->Text()), u"1..5");
}

using StringStorageTest = ZafFieldStorageTest;

TEST_F(StringStorageTest, EveryOptionAndDataObjectReadsBack) {
  ZafString field(1, 2, 10, u"text", 20);
  field.SetStringID(u"name");
  field.SetPassword(true);
  field.SetUpperCase(true);
  field.SetVariableName(true);
  field.SetViewOnly(true);
  field.SetErrorQuery(true);
  field.SetAutoSelect(false);
  field.SetReportErrors(false);
  field.SetInvalid(true);
  field.SetJustification(ZAF_JUSTIFY_CENTER);
  field.SetFormatListText(u"%d\n%x");
  field.SetFormatText(u"%x");
  field.SetRangeText(u"1..10");
  ASSERT_EQ(field.Write(persistence), ZAF_ERROR_NONE);

  ZafString read(u"name", persistence);
  ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(read.Region(), field.Region());
  EXPECT_EQ(TextOf(read.Text()), u"text");
  EXPECT_EQ(read.StringData()->MaxLength(), 20);
  EXPECT_TRUE(read.Password());
  EXPECT_TRUE(read.UpperCase());
  EXPECT_TRUE(read.VariableName());
  EXPECT_TRUE(read.ViewOnly());
  EXPECT_TRUE(read.ErrorQuery());
  EXPECT_FALSE(read.AutoSelect());
  EXPECT_FALSE(read.ReportErrors());
  EXPECT_TRUE(read.Invalid());
  EXPECT_EQ(read.Justification(), ZAF_JUSTIFY_CENTER);
  EXPECT_EQ(TextOf(read.FormatData()->Text()), u"%x");
  EXPECT_EQ(TextOf(read.FormatListData()->Text()), u"%x\n%d\n");
  EXPECT_EQ(TextOf(read.RangeData()->Text()), u"1..10");
  EXPECT_EQ(read.ReadFunction(), &ZafString::Read);
}

TEST_F(StringStorageTest, BrokenRecordsAreRefused) {
  ZafString field(0, 0, 10, u"abc");
  field.SetStringID(u"s");
  ASSERT_EQ(field.Write(persistence), ZAF_ERROR_NONE);
  ExpectEveryCutRefused<ZafString>(field, 0);
  // Unknown flag bits: the field's flags follow the 40 bytes of the window-object record.
  std::vector<uint8_t> bytes = StoredBytes(field);
  bytes[41] = 0x80;
  StoreBytes(field, bytes);
  ZafString read(u"s", persistence);
  EXPECT_EQ(read.Error(), ZAF_ERROR_READ);
}

}  // namespace
