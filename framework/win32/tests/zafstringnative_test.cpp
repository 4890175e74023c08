#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "framework/core/zafstring.h"
#include "framework/data/zafstringdata.h"
#include "framework/win32/tests/zaffieldtestbed.h"

namespace {

using StringNativeTest = ZafFieldTest;

std::u16string TextOf(const ZafIChar* text) {
  return text ? text : u"";
}

TEST_F(StringNativeTest, OptionsGiveTheControlItsStyle) {
  struct Case {
    const char* name;
    std::function<void(ZafString&)> prepare;
    native::DWORD present;
    native::DWORD absent;
  };
  const Case cases[] = {
      {"plain", [](ZafString&) {}, native::ES_AUTOHSCROLL,
       native::ES_MULTILINE | native::ES_PASSWORD | native::ES_READONLY},
      {"right", [](ZafString& f) { f.SetJustification(ZAF_JUSTIFY_RIGHT); },
       native::ES_MULTILINE | native::ES_RIGHT, native::ES_CENTER},
      {"centred", [](ZafString& f) { f.SetJustification(ZAF_JUSTIFY_CENTER); },
       native::ES_MULTILINE | native::ES_CENTER, native::ES_RIGHT},
      {"password", [](ZafString& f) { f.SetPassword(true); }, native::ES_PASSWORD, 0},
      {"upper after lower", [](ZafString& f) { f.SetLowerCase(true), f.SetUpperCase(true); },
       native::ES_UPPERCASE, native::ES_LOWERCASE},
      {"view only", [](ZafString& f) { f.SetViewOnly(true); }, native::ES_READONLY, 0},
      {"disabled", [](ZafString& f) { f.SetDisabled(true); }, native::WS_DISABLED, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafString* field = Add(new ZafString(0, 0, 10, u"text", 12), c.prepare);
    ASSERT_NE(field->ScreenID(), nullptr);
    const native::DWORD style = StyleOf(field->ScreenID());
    EXPECT_EQ(style & c.present, c.present);
    EXPECT_EQ(style & c.absent, 0u);
    EXPECT_EQ(ControlText(field->ScreenID()), u"text");
    EXPECT_EQ(native::SendMessage(field->ScreenID(), native::EM_GETLIMITTEXT, 0, 0), 12);
    EXPECT_FALSE(field->Changed()) << "showing the first text is no change";
    root->Subtract(field);
    delete field;
  }
}

TEST_F(StringNativeTest, TypingReachesTheDataAndEveryFieldSharingIt) {
  auto* data = new ZafStringData(u"");
  ZafString* first = Add(new ZafString(0, 0, 10, data));
  ZafString* second = Add(
      new ZafString(0, 0, 10, data), [](ZafString&) {}, 10, 40);
  Type(first->ScreenID(), u"abc");
  EXPECT_EQ(TextOf(first->Text()), u"abc");
  EXPECT_EQ(ControlText(second->ScreenID()), u"abc");
  // Asking the data for its value takes what was typed since.
  Type(first->ScreenID(), u"d");
  data->UpdateData();
  EXPECT_EQ(TextOf(data->Text()), u"abcd");
  EXPECT_EQ(ControlText(second->ScreenID()), u"abcd");
  // A change of the data shows in both controls.
  data->SetText(u"new");
  EXPECT_EQ(ControlText(first->ScreenID()), u"new");
  EXPECT_EQ(ControlText(second->ScreenID()), u"new");
}

TEST_F(StringNativeTest, EnterGivesChosenWithTheTypedTextAndTheAnsweredState) {
  ZafString* field = Add(new ZafString(0, 0, 10, u""), [](ZafString& f) { f.SetUserFunction(&Record); });
  Type(field->ScreenID(), u"x");
  PressKey(native::VK_RETURN);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), ChosenEvent), 1);
  EXPECT_EQ(TextOf(field->StringData()->Text()), u"x");
  EXPECT_FALSE(field->Unanswered());
  PressKey(native::VK_BACK);
  PressKey(native::VK_RETURN);
  EXPECT_TRUE(field->Unanswered()) << "Enter in an emptied field";
}

TEST_F(StringNativeTest, CutCopyAndPasteKeepTheDataInStep) {
  ZafString* field = Add(new ZafString(0, 0, 10, u"hello"));
  native::SendMessage(field->ScreenID(), native::EM_SETSEL, 0, 2);
  field->Event(ZafEventRecord(CutEvent, 0));
  EXPECT_EQ(TextOf(field->Text()), u"llo");
  field->SetCursorPosition(3);
  field->Event(ZafEventRecord(PasteEvent, 0));
  EXPECT_EQ(TextOf(field->Text()), u"llohe");
  native::SendMessage(field->ScreenID(), native::EM_SETSEL, 0, 1);
  field->Event(ZafEventRecord(CopyEvent, 0));
  field->SetCursorPosition(0);
  field->Event(ZafEventRecord(PasteEvent, 0));
  EXPECT_EQ(TextOf(field->Text()), u"lllohe");
}

TEST_F(StringNativeTest, VariableNamesAndMaximumLengthHoldForTypingAndPasting) {
  struct Case {
    const char* name;
    bool variableName;
    int maxLength;
    const char16_t* start;
    const char16_t* typed;
    const char16_t* pasted;
    const char16_t* expected;
  };
  const Case cases[] = {
      {"spaces typed", true, -1, u"", u"a b", nullptr, u"a_b"},
      {"spaces pasted up to the room", true, 10, u"12345678", nullptr, u"a b c", u"12345678a_"},
      {"pasted without limit", true, -1, u"", nullptr, u" x ", u"_x_"},
      {"plain paste keeps spaces", false, -1, u"", nullptr, u"a b", u"a b"},
      {"typing stops at the maximum", false, 3, u"", u"abcdef", nullptr, u"abc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafString* field = Add(new ZafString(0, 0, 10, c.start, c.maxLength),
                           [&c](ZafString& f) { f.SetVariableName(c.variableName); });
    native::SendMessage(field->ScreenID(), native::EM_SETSEL, 100, 100);
    if (c.typed) {
      Type(field->ScreenID(), c.typed);
    }
    if (c.pasted) {
      Clip(c.pasted);
      field->Event(ZafEventRecord(PasteEvent, 0));
    }
    EXPECT_EQ(TextOf(field->Text()), c.expected);
    root->Subtract(field);
    delete field;
  }
}

TEST_F(StringNativeTest, AFieldThePlatformDoesNotDrawIsDrawnByTheFramework) {
  ZafString* empty = Add(new ZafString(0, 0, 10, u""), [](ZafString& f) { f.SetNativeDrawing(false); });
  ZafString* shown = Add(
      new ZafString(0, 0, 10, u"WWWW"), [](ZafString& f) { f.SetNativeDrawing(false); }, 10, 40);
  ASSERT_NE(shown->ScreenID(), nullptr);
  EXPECT_EQ(ControlText(shown->ScreenID()), u"") << "not an edit control";
  EXPECT_EQ(DarkPixels(empty->ScreenID()), 0);
  EXPECT_GT(DarkPixels(shown->ScreenID()), 10);
  shown->SetText(u"");
  driver.pumpUntilIdle();
  EXPECT_EQ(DarkPixels(shown->ScreenID()), 0) << "a new text is drawn again";
}

TEST_F(StringNativeTest, PasteIntoAVariableNameLeavesAClipboardHeldElsewhereAlone) {
  ZafString* field = Add(new ZafString(0, 0, 10, u"ab"), [](ZafString& f) { f.SetVariableName(true); });
  Clip(u"c d");
  ASSERT_TRUE(native::OpenClipboard(host));
  field->Event(ZafEventRecord(PasteEvent, 0));
  EXPECT_EQ(TextOf(field->Text()), u"ab");
  EXPECT_TRUE(native::CloseClipboard()) << "the holder's clipboard was still open";
}

TEST_F(StringNativeTest, VariableNameTextIsShownWithUnderscores) {
  ZafString* field = Add(new ZafString(0, 0, 10, u""), [](ZafString& f) { f.SetVariableName(true); });
  field->SetText(u"first name\tx");
  EXPECT_EQ(ControlText(field->ScreenID()), u"first_name_x");
}

TEST_F(StringNativeTest, TheControlKeepsCharacterKeysOnly) {
  ZafString* field = Add(new ZafString(0, 0, 10, u"abc"));
  const struct {
    native::UINT key;
    ZafEventType expected;
  } cases[] = {
      {'A', 0},
      {'7', 0},
      {native::VK_NUMPAD9, 0},
      {native::VK_LEFT, 0},
      {native::VK_BACK, 0},
      {native::VK_TAB, UnknownEventResult},
      {native::VK_F6, UnknownEventResult},
      {native::VK_ESCAPE, UnknownEventResult},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(field->Event(ZafNativeEvent(field->ScreenID(), native::WM_KEYDOWN, c.key, 0)), c.expected);
  }
}

TEST_F(StringNativeTest, AutoSelectSelectsTheWholeTextOnEntry) {
  ZafString* field = Add(new ZafString(0, 0, 10, u"hello"));
  field->Event(ZafEventRecord(FocusGainedEvent, 0));
  native::DWORD start = 0;
  native::DWORD end = 0;
  native::SendMessage(field->ScreenID(), native::EM_GETSEL, reinterpret_cast<native::WPARAM>(&start),
                      reinterpret_cast<native::LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 5u);
}

TEST_F(StringNativeTest, DataEventsShareOrCopyAnotherFieldsText) {
  ZafString* source = Add(new ZafString(0, 0, 10, u"source", 20));
  ZafString* field = Add(
      new ZafString(0, 0, 10, u"field"), [](ZafString&) {}, 10, 40);
  ZafEventRecord copy(CopyDataEvent, 0);
  copy.windowObject = source;
  field->Event(copy);
  EXPECT_EQ(ControlText(field->ScreenID()), u"source");
  EXPECT_EQ(field->StringData()->MaxLength(), 20);
  ZafEventRecord share(SetDataEvent, 0);
  share.windowObject = source;
  field->Event(share);
  EXPECT_EQ(field->StringData(), source->StringData());
  field->Event(ZafEventRecord(SetDataEvent, 0));
  EXPECT_NE(field->StringData(), source->StringData()) << "a private copy";
  EXPECT_EQ(TextOf(field->StringData()->Text()), u"source");
}

}  // namespace
