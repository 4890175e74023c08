#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "framework/win32/tests/zafwindoweventstestbed.h"

namespace {

using WindowRoutingTest = ZafWindowEventsTest;

TEST_F(WindowRoutingTest, TabMovesTheFocusAndWrapsAtTheEnds) {
  EventObject* first = Child(10, 10);
  EventObject* disabled = Child(60, 10);
  disabled->SetDisabled(true);
  EventObject* last = Child(110, 10);
  Show();
  Focus(first);
  ASSERT_EQ(native::GetFocus(), first->ScreenID());
  Press(native::VK_TAB);
  EXPECT_EQ(window->CurrentChild(), last) << "the disabled child is passed over";
  EXPECT_EQ(native::GetFocus(), last->ScreenID());
  Press(native::VK_TAB);
  EXPECT_EQ(window->CurrentChild(), first) << "wraps from the last to the first";
  PressWith(native::VK_SHIFT, native::VK_TAB);
  EXPECT_EQ(window->CurrentChild(), last) << "Shift+Tab wraps from the first to the last";
  EXPECT_EQ(native::GetFocus(), last->ScreenID());
}

}  // namespace

namespace {

TEST_F(WindowRoutingTest, ArrowsMoveToTheNearestChildAndWrapRound) {
  EventObject* left = Child(10, 10);
  EventObject* middle = Child(60, 10);
  EventObject* right = Child(110, 10);
  EventObject* below = Child(60, 50);
  Show();
  Focus(middle);
  struct Step {
    native::UINT key;
    EventObject* expected;
  };
  const Step steps[] = {
      {native::VK_RIGHT, right}, {native::VK_RIGHT, left}, {native::VK_LEFT, right},
      {native::VK_LEFT, middle}, {native::VK_DOWN, below}, {native::VK_DOWN, middle},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.key);
    Press(step.key);
    EXPECT_EQ(window->CurrentChild(), step.expected);
    EXPECT_EQ(native::GetFocus(), step.expected->ScreenID());
  }
}

TEST_F(WindowRoutingTest, EnterChoosesTheEnabledDefaultButtonUnlessTheKeyWasTaken) {
  struct Case {
    const char* name;
    bool disabled;
    bool focusOnButton;
    ZafEventType childAnswer;
    int expected;
  };
  const Case cases[] = {
      {"the focused child ignores Enter", false, false, UnknownEventResult, 1},
      {"the focused child answers 0", false, false, 0, 1},
      {"the focused child takes Enter", false, false, 7, 0},
      {"the default button is disabled", true, false, UnknownEventResult, 0},
      {"the default button has the focus and is chosen once", false, true, UnknownEventResult, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NewWindow();
    auto* field = new KeyField;
    field->SetRegion({10, 10, 49, 29, ZAF_PIXEL});
    field->answersKeys = true;
    field->keyAnswer = c.childAnswer;
    window->Add(field);
    CountingButton* button = Button(10, 50);
    window->SetDefaultButton(button, true);
    button->SetDisabled(c.disabled);
    Show();
    Focus(c.focusOnButton ? static_cast<ZafWindowObject*>(button) : field);
    button->chosen = 0;
    Press(native::VK_RETURN);
    EXPECT_EQ(button->chosen, c.expected);
  }
}

TEST_F(WindowRoutingTest, HotKeysReachTheButtonWhoseKeyTheyAre) {
  EventObject* field = Child(10, 10);
  CountingButton* open = Button(10, 50, u"Open");
  open->SetHotKey(u'O', 0);
  CountingButton* close = Button(100, 50, u"Close");
  close->SetHotKey(u'C', 0);
  Show();
  Focus(field);
  PressWith(native::VK_MENU, 'O');
  EXPECT_EQ(open->chosen, 1);
  EXPECT_EQ(close->chosen, 0);
  EXPECT_EQ(field->Count(HotKeyEvent), 1) << "the current child is asked first";

  Press('C');
  EXPECT_EQ(close->chosen, 0) << "a plain key is no hot key";
  window->SetSystemKeys(true);
  Press('C');
  EXPECT_EQ(close->chosen, 1) << "with system keys it is";
}

TEST_F(WindowRoutingTest, AHotKeyWithoutACharacterIsOfferedToNobody) {
  EventObject* field = Child(10, 10);
  EventObject* other = Child(60, 10);
  Show();
  Focus(field);
  PressWith(native::VK_MENU, native::VK_F6);
  EXPECT_EQ(field->Count(HotKeyEvent), 0);
  EXPECT_EQ(other->Count(HotKeyEvent), 0);
}

TEST_F(WindowRoutingTest, AMessageForAnObjectTwoLevelsDownGoesThroughTheDirectChild) {
  auto* group = new SpyWindow(10, 10, 200, 100);
  window->Add(group);
  EventObject* inner = Child(5, 5, 40, 20, group);
  bool throughGroup = true;
  int keys = 0;
  inner->onEvent = [&](const ZafEventRecord& event) {
    if (event.type == E_OSEVENT && event.osEvent.message == native::WM_KEYDOWN) {
      ++keys;
      throughGroup = throughGroup && group->Handling();
    }
  };
  Show();
  Focus(inner);
  group->messages.clear();
  Press('A');
  EXPECT_EQ(keys, 1);
  EXPECT_TRUE(throughGroup);
  ASSERT_FALSE(group->messages.empty());
  EXPECT_EQ(group->messages.front().message, native::WM_KEYDOWN);
  EXPECT_EQ(group->messages.front().addressedObject, inner);
  ASSERT_FALSE(window->messages.empty());
  EXPECT_EQ(window->messages.front().addressedObject, inner) << "the root window is handed the key first";
}

}  // namespace

namespace {

TEST_F(WindowRoutingTest, EachTypedCharacterArrivesOnce) {
  EventObject* field = Child(10, 10);
  field->SetOwnNativeWindow(false);
  Show();
  // The program's own loop: native input comes through the event manager to the window manager, which
  // leaves the translating to the framework's windows.
  events.nativeInput = 1;
  const auto type = [this](std::u16string_view text) {
    ASSERT_TRUE(driver.typeText(text));
    ZafEventRecord event;
    for (int limit = 1000; limit > 0 && events.Get(event, Q_NO_BLOCK) == Q_EVENT_TAKEN; --limit) {
      manager->Event(event);
    }
  };
  const auto windowTyped = [this] {
    return std::count_if(
        window->messages.begin(), window->messages.end(),
        [](const ZafReceivedMessage& message) { return message.message == native::WM_CHAR; });
  };

  Focus(field);
  ASSERT_EQ(native::GetFocus(), window->ScreenID()) << "a child drawn in the window";
  type(u"ab7");
  EXPECT_EQ(windowTyped(), 3) << "one character for each key, with a current child";

  window->Subtract(field);
  delete field;
  window->messages.clear();
  ASSERT_EQ(window->CurrentChild(), nullptr);
  type(u"xy");
  EXPECT_EQ(windowTyped(), 2) << "the window without a current child";
}

}  // namespace
