#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/tests/zaffieldstoragetest.h"
#include "framework/core/zaferrorsystem.h"
#include "framework/core/zafinteger.h"
#include "framework/core/zafreal.h"
#include "framework/data/zafprintf.h"
#include "framework/data/zafstringdata.h"

namespace {

std::u16string TextOf(const ZafIChar* text) {
  return text ? std::u16string(text) : std::u16string(u"(none)");
}

// An error system that keeps what it is asked to report and answers with a chosen button.
class RecordingErrorSystem : public ZafErrorSystem {
 public:
  struct Call {
    uint16_t buttons;
    std::u16string message;
  };
  RecordingErrorSystem() { SetErrorSystem(this); }
  void Beep() override {}
  ZafEventType Report(ZafWindowObject*, uint16_t buttons, const ZafIChar* format,
                      va_list arguments) override {
    ZafIChar message[512] = {};
    ZafVSNPrintf(message, 512, format, arguments);
    calls.push_back({buttons, message});
    return answer;
  }
  std::vector<Call> calls;
  ZafEventType answer = ZAF_ERROR_ANSWER_OK;
};

// A real or an integer field, seen through what both have.
struct NumberField {
  std::unique_ptr<ZafString> field;
  std::function<double()> value;
};

NumberField MakeReal(double value) {
  auto* real = new ZafReal(0, 0, 10, value);
  return {std::unique_ptr<ZafString>(real), [real] { return real->RealData()->Value(); }};
}

NumberField MakeInteger(double value) {
  auto* integer = new ZafInteger(0, 0, 10, static_cast<int32_t>(value));
  return {std::unique_ptr<ZafString>(integer), [integer] { return integer->IntegerData()->Value(); }};
}

TEST(NumberField, EnterChecksFormatAndRangeAndKeepsTheOldValue) {
  const struct {
    const char* name;
    NumberField (*make)(double);
    const char16_t* range;
    const char16_t* typed;
    bool errorSystem;
    bool errorQuery;
    ZafEventType answer;
    ZafEventType result;
    const char16_t* message;
    uint16_t buttons;
    double value;
    ZafEventType query;
  } cases[] = {
      {"real kept by the user", MakeReal, u"1..10", u"15", true, true, ZAF_ERROR_ANSWER_OK, ZAF_ERROR_KEPT,
       u"The number 15 is not in the range 1..10.", 0x41, 3, ZAF_QUERY_INVALID},
      {"integer above the only maximum", MakeInteger, u"..5", u"9", true, false, -2993, ZAF_NUMBER_TOO_LARGE,
       u"The number 9 is greater than 5.", 0x40, 3, ZAF_QUERY_VALID},
      {"integer below the only minimum", MakeInteger, u"3..", u"1", true, false, -2993, ZAF_NUMBER_TOO_SMALL,
       u"The number 1 is less than 3.", 0x40, 3, ZAF_QUERY_VALID},
      {"real in the second range", MakeReal, u"1..2, 5..7", u"6", true, false, -2993, 0, nullptr, 0, 6,
       ZAF_QUERY_VALID},
      {"real between the ranges", MakeReal, u"1..2, 5..7", u"3.5", true, false, -2993,
       ZAF_NUMBER_OUT_OF_RANGE, u"The number 3.5 is not in the range 1..2, 5..7.", 0x40, 3, ZAF_QUERY_VALID},
      {"integer range with spaces", MakeInteger, u" 1 .. 10 ", u"10", true, false, -2993, 0, nullptr, 0, 10,
       ZAF_QUERY_VALID},
      {"integer not a number", MakeInteger, u"", u"abc", true, false, -2993, ZAF_NUMBER_INVALID,
       u"The number abc is invalid.", 0x01, 3, ZAF_QUERY_VALID},
      {"integer beyond 32 bits", MakeInteger, u"", u"4294967296", true, false, -2993, ZAF_NUMBER_INVALID,
       u"The number 4294967296 is invalid.", 0x01, 3, ZAF_QUERY_VALID},
      {"no error system", MakeInteger, u"1..10", u"15", false, true, 0, ZAF_NUMBER_OUT_OF_RANGE, nullptr, 0,
       3, ZAF_QUERY_VALID},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<RecordingErrorSystem> errors;
    if (c.errorSystem) {
      errors = std::make_unique<RecordingErrorSystem>();
      errors->answer = c.answer;
    }
    NumberField number = c.make(3);
    ZafString& field = *number.field;
    field.SetValidateOnLeave(true);
    field.SetErrorQuery(c.errorQuery);
    field.SetRangeText(c.range);
    field.StringData()->SetText(c.typed);
    ZafEventRecord enter(ChosenEvent, 0);
    enter.windowObject = &field;
    EXPECT_EQ(field.Event(enter), c.result);
    EXPECT_EQ(number.value(), c.value);
    EXPECT_EQ(field.Event(ZafEventRecord(ValidityQueryEvent, 0)), c.query);
    if (errors) {
      ASSERT_EQ(errors->calls.size(), c.message ? 1u : 0u);
      if (c.message) {
        EXPECT_EQ(errors->calls[0].message, c.message);
        EXPECT_EQ(errors->calls[0].buttons, c.buttons);
      }
    }
  }
  EXPECT_EQ(ZafErrorSystem::ErrorSystem(), nullptr) << "a deleted error system is no longer the shared one";
}

TEST(NumberField, LeavingTheWindowWithAWrongTextReportsNothing) {
  RecordingErrorSystem errors;
  ZafInteger field(0, 0, 10, 4);
  field.SetValidateOnLeave(true);
  field.SetRangeText(u"1..10");
  field.StringData()->SetText(u"50");
  EXPECT_EQ(field.Event(ZafEventRecord(FocusLoseEvent, 0)), ZAF_ERROR_KEPT);
  EXPECT_TRUE(errors.calls.empty());
  EXPECT_EQ(field.IntegerData()->Value(), 4);
}

TEST(NumberField, SteppingWrapsToTheOtherEndOfTheFirstRange) {
  const struct {
    int32_t start;
    bool up;
    bool wrap;
    int32_t expected;
  } cases[] = {
      {10, true, true, 1}, {10, true, false, 10}, {1, false, true, 10},
      {5, true, true, 6},  {1, false, false, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.start * 10 + c.up);
    ZafInteger field(0, 0, 10, c.start);
    field.SetRangeText(u"1..10");
    ZafIntegerData one(1);
    EXPECT_EQ(c.up ? field.NumberCheckB(&one, c.wrap) : field.NumberCheckA(&one, c.wrap), 0);
    EXPECT_EQ(field.IntegerData()->Value(), c.expected);
    const std::string digits = std::to_string(c.expected);
    EXPECT_EQ(TextOf(field.StringData()->Text()), std::u16string(digits.begin(), digits.end()));
  }
  ZafReal real(0, 0, 10, 1.5);
  ZafIntegerData wrongKind(1);
  EXPECT_EQ(real.NumberCheckB(&wrongKind, true), ZAF_ERROR_NO_CHECK);
  ZafRealData half(0.5);
  real.NumberCheckB(&half, false);
  EXPECT_EQ(real.Value(), 2.0);
}

TEST(NumberField, FieldsSharingAValueShowItsChanges) {
  ZafIntegerData shared(7);
  shared.SetDestroyable(false);
  ZafInteger first(0, 0, 10, &shared);
  ZafInteger second(0, 0, 10, &shared);
  shared.SetValue(-12);
  EXPECT_EQ(TextOf(first.StringData()->Text()), u"-12");
  EXPECT_EQ(TextOf(second.StringData()->Text()), u"-12");
  EXPECT_FALSE(first.SetPassword(true));
  EXPECT_EQ(first.SetStringData(nullptr), 1);
  ZafInteger copy(first);
  EXPECT_EQ(copy.IntegerData(), &shared);
}

using NumberStorageTest = ZafFieldStorageTest;

TEST_F(NumberStorageTest, ValuesRangesAndFormatsReadBack) {
  ZafReal real(1, 1, 10, 2.5);
  real.SetStringID(u"distance");
  real.SetRangeText(u"0..100");
  real.SetFormatText(u"%.2f");
  ASSERT_EQ(real.Write(persistence), ZAF_ERROR_NONE);
  ZafInteger integer(1, 2, 10, -7);
  integer.SetStringID(u"lane");
  integer.SetRangeText(u"-10..10");
  ASSERT_EQ(integer.Write(persistence), ZAF_ERROR_NONE);

  ZafReal readReal(u"distance", persistence);
  ASSERT_EQ(readReal.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(readReal.RealData()->Value(), 2.5);
  EXPECT_EQ(TextOf(readReal.StringData()->Text()), u"2.50");
  EXPECT_EQ(TextOf(readReal.RangeData()->Text()), u"0..100");
  EXPECT_EQ(readReal.ReadFunction(), &ZafReal::Read);
  ZafInteger readInteger(u"lane", persistence);
  ASSERT_EQ(readInteger.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(readInteger.Value(), -7);
  EXPECT_EQ(TextOf(readInteger.RangeData()->Text()), u"-10..10");
  ExpectEveryCutRefused<ZafInteger>(integer, 0);
}

}  // namespace
