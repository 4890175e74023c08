#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafbitmapdata.h"
#include "framework/data/zafstorage.h"
#include "framework/win32/tests/zafbuttontestbed.h"

namespace {

using ButtonEventsTest = ZafButtonTest;

TEST_F(ButtonEventsTest, StyleDecidesBetweenNativeAndOwnerDrawing) {
  struct Case {
    const char* name;
    int32_t kind;
    int32_t textPlacement;
    bool toggles;
    bool bitmap;
    bool nativeDrawing;
    native::DWORD type;
  };
  const Case cases[] = {
      {"check box, text right", ZAF_CHECK_BOX, ZAF_TEXT_RIGHT, true, false, true, native::BS_CHECKBOX},
      {"check box, text left", ZAF_CHECK_BOX, ZAF_TEXT_LEFT, true, false, true, native::BS_OWNERDRAW},
      {"radio button", ZAF_RADIO_BUTTON, ZAF_TEXT_RIGHT, true, false, true, native::BS_RADIOBUTTON},
      {"push button", ZAF_PUSH_BUTTON, ZAF_TEXT_BELOW, false, false, true, native::BS_PUSHBUTTON},
      {"push button 3", ZAF_PUSH_BUTTON_3, ZAF_TEXT_BELOW, false, false, true, native::BS_PUSHBUTTON},
      {"toggling push button", ZAF_PUSH_BUTTON, ZAF_TEXT_BELOW, true, false, true, native::BS_OWNERDRAW},
      {"push button with a bitmap", ZAF_PUSH_BUTTON, ZAF_TEXT_BELOW, false, true, true, native::BS_OWNERDRAW},
      {"flat button", ZAF_FLAT_BUTTON, ZAF_TEXT_BELOW, false, false, true, native::BS_OWNERDRAW},
      {"no native drawing", ZAF_PUSH_BUTTON, ZAF_TEXT_BELOW, false, false, false, native::BS_OWNERDRAW},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafButton* button =
        Add(new ZafButton(0, 0, 1, 1, u"B", c.bitmap ? new ZafBitmapData(4, 4) : nullptr, c.kind),
            [&c](ZafButton& b) {
              b.SetTextPlacement(c.textPlacement);
              b.SetToggles(c.toggles);
              b.SetNativeDrawing(c.nativeDrawing);
            });
    ASSERT_NE(button->ScreenID(), nullptr);
    EXPECT_EQ(TypeOf(*button), c.type);
    const auto style =
        static_cast<native::DWORD>(native::GetWindowLong(button->ScreenID(), native::GWL_STYLE));
    EXPECT_NE(style & native::WS_VISIBLE, 0u);
    EXPECT_EQ(style & native::WS_DISABLED, 0u);
  }
}

TEST_F(ButtonEventsTest, DisabledBorderedButtonsGetTheirStyles) {
  ZafButton* button = Add(new ZafButton(0, 0, 1, 1, u"B"), [](ZafButton& b) {
    b.SetDisabled(true);
    b.SetBordered(true);
  });
  const auto style = static_cast<native::DWORD>(native::GetWindowLong(button->ScreenID(), native::GWL_STYLE));
  EXPECT_NE(style & native::WS_DISABLED, 0u);
  EXPECT_NE(style & native::WS_BORDER, 0u);
  EXPECT_NE(native::GetWindowLong(button->ScreenID(), native::GWL_EXSTYLE) & native::WS_EX_NOPARENTNOTIFY, 0);
}

TEST_F(ButtonEventsTest, LabelCarriesTheHotKeyMark) {
  ZafButton* button = Add(new ZafButton(0, 0, 1, 1, u"R&D Save"), [](ZafButton& b) { b.SetHotKey(u's', 4); });
  EXPECT_EQ(driver.text(button->ScreenID()), u"R&&D &Save");
  button->SetText(u"Load");
  EXPECT_EQ(driver.text(button->ScreenID()), u"Load") << "an index past the text marks nothing";
}

TEST_F(ButtonEventsTest, CheckBoxStartsWithItsSelectedState) {
  ZafButton* button = Add(new ZafButton(0, 0, 1, 1, u"Box", nullptr, ZAF_CHECK_BOX),
                          [](ZafButton& b) { b.SetSelected(true); });
  EXPECT_EQ(native::SendMessage(button->ScreenID(), native::BM_GETCHECK, 0, 0), native::BST_CHECKED);
}

TEST_F(ButtonEventsTest, AutoSizedPushButtonIsTwentyThreePixelsHighWhateverItsText) {
  for (const char16_t* text : {u"", u"OK", u"A much longer label than fits"}) {
    SCOPED_TRACE(std::u16string(text).size());
    ZafButton* button = Add(
        new ZafButton(0, 0, 1, 1, text), [](ZafButton& b) { b.SetAutoSize(true); }, 10, 10, 80, 41);
    EXPECT_EQ(button->Region().Height(), 23);
    EXPECT_EQ(button->Region().bottom, 50) << "a push button keeps its bottom";
    EXPECT_EQ(button->UnpressedRegion().Height(), 41) << "the program's region stays the starting point";
  }
}

TEST_F(ButtonEventsTest, AutoSizedPictureButtonAddsMarginAndBevel) {
  ZafButton* button = Add(
      new ZafButton(0, 0, 1, 1, nullptr, new ZafBitmapData(16, 16)),
      [](ZafButton& b) { b.SetAutoSize(true); }, 10, 10, 80, 41);
  EXPECT_EQ(button->Region().Height(), 16 + 6 + 2 * 2);
  EXPECT_EQ(button->Region().bottom, 50);
}

TEST_F(ButtonEventsTest, AutoSizedCheckBoxKeepsItsVerticalCentre) {
  ZafButton* button = Add(
      new ZafButton(0, 0, 1, 1, u"Check", nullptr, ZAF_CHECK_BOX), [](ZafButton& b) { b.SetAutoSize(true); },
      10, 10, 100, 41);
  const int32_t height = button->Region().Height();
  EXPECT_GE(height, ZAF_CHECK_IMAGE_SIZE);
  EXPECT_LT(height, 41);
  EXPECT_EQ(button->Region().top, 10 + 41 / 2 - height / 2);
  // A second size change starts from the program's region again, so nothing creeps.
  button->Relayout();
  EXPECT_EQ(button->Region().top, 10 + 41 / 2 - height / 2);
  EXPECT_EQ(button->Region().Height(), height);
}

TEST_F(ButtonEventsTest, ReturnChoosesAPushButtonButNotACheckBox) {
  ZafButton* push = Add(new ZafButton(0, 0, 1, 1, u"OK"));
  ZafButton* box = Add(
      new ZafButton(0, 0, 1, 1, u"Box", nullptr, ZAF_CHECK_BOX), [](ZafButton&) {}, 10, 40);
  EXPECT_EQ(Send(*box, native::WM_KEYDOWN, native::VK_RETURN), UnknownEventResult);
  EXPECT_TRUE(chosen.empty());
  EXPECT_FALSE(box->Selected());
  EXPECT_EQ(Send(*push, native::WM_KEYDOWN, native::VK_RETURN), 0);
  EXPECT_EQ(chosen, std::vector<int32_t>{ChosenEvent});
  EXPECT_EQ(Send(*push, native::WM_KEYUP, native::VK_RETURN), 0);
  EXPECT_EQ(chosen.size(), 1u);
}

TEST_F(ButtonEventsTest, SpaceTogglesACheckBoxThroughTheControl) {
  SelectMultiple(true);
  ZafButton* box = Add(new ZafButton(0, 0, 1, 1, u"Box", nullptr, ZAF_CHECK_BOX));
  for (bool expected : {true, false, true}) {
    SCOPED_TRACE(expected);
    Send(*box, native::WM_KEYDOWN, native::VK_SPACE);
    EXPECT_NE(native::SendMessage(box->ScreenID(), native::BM_GETSTATE, 0, 0) & native::BST_PUSHED, 0)
        << "the control shows the press";
    Send(*box, native::WM_KEYUP, native::VK_SPACE);
    EXPECT_EQ(box->Selected(), expected);
    EXPECT_EQ(native::SendMessage(box->ScreenID(), native::BM_GETCHECK, 0, 0),
              expected ? native::BST_CHECKED : native::BST_UNCHECKED);
  }
  EXPECT_EQ(chosen, (std::vector<int32_t>{ChosenEvent, ChosenEvent, ChosenEvent}));
}

TEST_F(ButtonEventsTest, SelectedToggleInASingleSelectionWindowStaysSelectedAndStillReports) {
  ZafButton* radio = Add(new ZafButton(0, 0, 1, 1, u"One", nullptr, ZAF_RADIO_BUTTON));
  radio->SetSelected(true);
  Send(*radio, native::WM_KEYDOWN, native::VK_SPACE);
  Send(*radio, native::WM_KEYUP, native::VK_SPACE);
  EXPECT_TRUE(radio->Selected());
  EXPECT_EQ(native::SendMessage(radio->ScreenID(), native::BM_GETCHECK, 0, 0), native::BST_CHECKED);
  EXPECT_EQ(chosen, std::vector<int32_t>{ChosenEvent});
}

TEST_F(ButtonEventsTest, SelectingOneRadioButtonClearsTheOthersNativeChecks) {
  ZafButton* one = Add(new ZafButton(0, 0, 1, 1, u"One", nullptr, ZAF_RADIO_BUTTON));
  ZafButton* two = Add(
      new ZafButton(0, 0, 1, 1, u"Two", nullptr, ZAF_RADIO_BUTTON), [](ZafButton&) {}, 10, 40);
  one->SetSelected(true);
  two->Event(ZafEventRecord(ChosenEvent, 0));
  EXPECT_TRUE(two->Selected());
  EXPECT_FALSE(one->Selected());
  EXPECT_EQ(native::SendMessage(one->ScreenID(), native::BM_GETCHECK, 0, 0), native::BST_UNCHECKED);
  EXPECT_EQ(native::SendMessage(two->ScreenID(), native::BM_GETCHECK, 0, 0), native::BST_CHECKED);
}

TEST_F(ButtonEventsTest, ClickChoosesOnReleaseOrOnPress) {
  for (bool onPress : {false, true}) {
    SCOPED_TRACE(onPress);
    chosen.clear();
    ZafButton* button =
        Add(new ZafButton(0, 0, 1, 1, u"OK"), [onPress](ZafButton& b) { b.SetChooseOnPress(onPress); });
    const native::POINT centre = Centre(*button);
    driver.advanceClock(1000);
    driver.mouseMove(centre.x, centre.y);
    driver.mouseDown();
    driver.pumpUntilIdle();
    EXPECT_EQ(chosen.size(), onPress ? 1u : 0u);
    driver.mouseUp();
    driver.pumpUntilIdle();
    EXPECT_EQ(chosen, std::vector<int32_t>{ChosenEvent});
    root->Subtract(button);
    delete button;
    driver.pumpUntilIdle();
  }
}

TEST_F(ButtonEventsTest, ReleaseOffTheButtonDoesNotChoose) {
  ZafButton* button = Add(new ZafButton(0, 0, 1, 1, u"OK"));
  const native::POINT centre = Centre(*button);
  driver.mouseMove(centre.x, centre.y);
  driver.mouseDown();
  driver.pumpUntilIdle();
  driver.mouseMove(centre.x + 200, centre.y + 100);
  driver.pumpUntilIdle();
  driver.mouseUp();
  driver.pumpUntilIdle();
  EXPECT_TRUE(chosen.empty());
}

TEST_F(ButtonEventsTest, HeldAutoRepeatButtonChoosesAfterTheDelayThenEveryPeriod) {
  ZafButton* button = Add(new ZafButton(0, 0, 1, 1, u">"), [](ZafButton& b) { b.SetAutoRepeat(true); });
  ASSERT_EQ(ZafWindowObject::RepeatDelay(), 250);
  ASSERT_EQ(ZafWindowObject::RepeatPeriod(), 50);
  const native::POINT centre = Centre(*button);
  driver.mouseMove(centre.x, centre.y);
  driver.mouseDown();
  driver.pumpUntilIdle();
  struct Step {
    const char* name;
    int advance;
    native::POINT pointer;
    size_t chosenAfter;
  };
  const Step steps[] = {
      {"before the delay", 249, centre, 0},
      {"the delay", 1, centre, 1},
      {"one period", 50, centre, 2},
      {"two more periods", 100, centre, 4},
      {"off the button: the timer runs, nothing is chosen", 150, {centre.x + 300, centre.y}, 4},
      {"back on the button", 50, centre, 5},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    driver.mouseMove(step.pointer.x, step.pointer.y);
    driver.pumpUntilIdle();
    // The clock moves a period at a time, as a running program's would between two timer messages.
    for (int left = step.advance; left > 0; left -= 50) {
      driver.advanceClock(static_cast<std::uint64_t>(std::min(left, 50)));
      driver.pumpUntilIdle();
    }
    EXPECT_EQ(chosen.size(), step.chosenAfter);
  }
  driver.mouseUp();
  driver.pumpUntilIdle();
  EXPECT_EQ(chosen.size(), 6u) << "the release chooses once more";
  driver.advanceClock(500);
  driver.pumpUntilIdle();
  EXPECT_EQ(chosen.size(), 6u) << "the timer ends with the release";
}

// Once the mouse is taken from a held auto-repeat button its release goes elsewhere: the repeating stops
// when the capture goes, even if the control were to report the pushed state again.
TEST_F(ButtonEventsTest, AutoRepeatStopsWhenTheButtonLosesTheMouse) {
  struct Case {
    const char* name;
    void (*takeMouse)(ZafButton& button, native::HWND other);
  };
  const Case cases[] = {
      {"another window captures the mouse",
       [](ZafButton&, native::HWND other) { native::SetCapture(other); }},
      {"the mode is cancelled", [](ZafButton& button, native::HWND) { Send(button, native::WM_CANCELMODE); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    chosen.clear();
    ZafButton* button = Add(new ZafButton(0, 0, 1, 1, u">"), [](ZafButton& b) { b.SetAutoRepeat(true); });
    const native::POINT centre = Centre(*button);
    driver.mouseMove(centre.x, centre.y);
    driver.mouseDown();
    driver.pumpUntilIdle();
    driver.advanceClock(static_cast<std::uint64_t>(ZafWindowObject::RepeatDelay()));
    driver.pumpUntilIdle();
    ASSERT_EQ(chosen.size(), 1u) << "held past the delay";

    c.takeMouse(*button, host);
    driver.pumpUntilIdle();
    native::SendMessage(button->ScreenID(), native::BM_SETSTATE, 1, 0);
    for (int period = 0; period < 4; ++period) {
      driver.advanceClock(static_cast<std::uint64_t>(ZafWindowObject::RepeatPeriod()));
      driver.pumpUntilIdle();
    }
    EXPECT_EQ(chosen.size(), 1u) << "no tick chooses it any more";
    EXPECT_EQ(native::KillTimer(button->ScreenID(), 1), native::FALSE) << "the timer is gone";

    native::SendMessage(button->ScreenID(), native::BM_SETSTATE, 0, 0);
    native::ReleaseCapture();
    driver.mouseUp();
    driver.pumpUntilIdle();
    root->Subtract(button);
    delete button;
    driver.pumpUntilIdle();
  }
}

// The window a choice hands the mouse to.
native::HWND mouseTakenBy = nullptr;

// A program whose choice opens something that takes the mouse: the repeating ends with that choice.
TEST_F(ButtonEventsTest, AutoRepeatStopsWhenItsOwnChoiceTakesTheMouse) {
  ZafButton* button = Add(new ZafButton(0, 0, 1, 1, u">"), [](ZafButton& b) { b.SetAutoRepeat(true); });
  mouseTakenBy = host;
  button->SetUserFunction([](ZafWindowObject* object, ZafEventRecord& event, ZafLong code) -> ZafLong {
    if (code == ChosenEvent) {
      native::SetCapture(mouseTakenBy);
    }
    return Record(object, event, code);
  });
  const native::POINT centre = Centre(*button);
  driver.mouseMove(centre.x, centre.y);
  driver.mouseDown();
  driver.pumpUntilIdle();
  driver.advanceClock(static_cast<std::uint64_t>(ZafWindowObject::RepeatDelay()));
  driver.pumpUntilIdle();
  ASSERT_EQ(chosen.size(), 1u);
  // Pushed again later, as Space would: no stray tick may choose it.
  native::SendMessage(button->ScreenID(), native::BM_SETSTATE, 1, 0);
  for (int period = 0; period < 4; ++period) {
    driver.advanceClock(static_cast<std::uint64_t>(ZafWindowObject::RepeatPeriod()));
    driver.pumpUntilIdle();
  }
  EXPECT_EQ(chosen.size(), 1u);
  EXPECT_EQ(native::KillTimer(button->ScreenID(), 1), native::FALSE) << "the timer is gone";
  native::SendMessage(button->ScreenID(), native::BM_SETSTATE, 0, 0);
  native::ReleaseCapture();
  driver.mouseUp();
  driver.pumpUntilIdle();
}

TEST_F(ButtonEventsTest, NonCurrentButtonTracksThePressItself) {
  ZafButton* button = Add(new ZafButton(0, 0, 1, 1, u"X"), [](ZafButton& b) { b.SetNonCurrent(true); });
  const native::POINT centre = Centre(*button);
  driver.mouseMove(centre.x, centre.y);
  driver.mouseDown();
  driver.pumpUntilIdle();
  EXPECT_EQ(native::GetCapture(), button->ScreenID());
  EXPECT_NE(native::SendMessage(button->ScreenID(), native::BM_GETSTATE, 0, 0) & native::BST_PUSHED, 0);
  EXPECT_NE(native::GetFocus(), button->ScreenID()) << "a non-current button never takes the focus";
  driver.mouseMove(centre.x + 300, centre.y);
  driver.pumpUntilIdle();
  EXPECT_EQ(native::SendMessage(button->ScreenID(), native::BM_GETSTATE, 0, 0) & native::BST_PUSHED, 0);
  driver.mouseMove(centre.x, centre.y);
  driver.pumpUntilIdle();
  driver.mouseUp();
  driver.pumpUntilIdle();
  EXPECT_EQ(chosen, std::vector<int32_t>{ChosenEvent});
  EXPECT_EQ(native::GetCapture(), nullptr);
  EXPECT_EQ(native::SendMessage(button->ScreenID(), native::BM_GETSTATE, 0, 0) & native::BST_PUSHED, 0);
}

TEST_F(ButtonEventsTest, DoubleClickChoosesWithItsOwnCodeWhenAsked) {
  for (bool onDoubleClick : {false, true}) {
    SCOPED_TRACE(onDoubleClick);
    chosen.clear();
    ZafButton* button = Add(new ZafButton(0, 0, 1, 1, u"OK"), [onDoubleClick](ZafButton& b) {
      b.SetChooseOnDoubleClick(onDoubleClick);
      b.SetChooseOnPress(true);
    });
    const native::POINT centre = Centre(*button);
    driver.advanceClock(1000);
    driver.doubleClick(centre.x, centre.y);
    driver.pumpUntilIdle();
    const std::vector<int32_t> expected =
        onDoubleClick ? std::vector<int32_t>{ChosenEvent, ChosenEvent, ChosenByDoubleClickEvent}
                      : std::vector<int32_t>{ChosenEvent, ChosenEvent};
    EXPECT_EQ(chosen, expected);
    root->Subtract(button);
    delete button;
    driver.pumpUntilIdle();
  }
}

TEST_F(ButtonEventsTest, HotKeyChoosesAnEnabledButtonWithThatKey) {
  struct Case {
    const char* name;
    ZafIChar key;
    bool disabled;
    ZafEventType answer;
  };
  const Case cases[] = {
      {"its key", u'S', false, HotKeyEvent},
      {"its key in lower case", u's', false, HotKeyEvent},
      {"another key", u'X', false, UnknownEventResult},
      {"disabled", u'S', true, UnknownEventResult},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    chosen.clear();
    ZafButton button(0, 0, 10, 1, u"Save");
    button.SetUserFunction(&ZafButtonTest::Record);
    button.SetHotKey(u's', 0);
    button.SetDisabled(c.disabled);
    ZafEventRecord event(HotKeyEvent, 0);
    event.SetKey({0, c.key});
    EXPECT_EQ(button.Event(event), c.answer);
    EXPECT_EQ(chosen.size(), c.answer == HotKeyEvent ? 1u : 0u);
  }
}

TEST_F(ButtonEventsTest, DefaultButtonTakesTheDefaultStyle) {
  ZafButton* ok = Add(new ZafButton(0, 0, 1, 1, u"OK"), [](ZafButton& b) { b.SetDefaultCapable(true); });
  ZafButton* plain = Add(
      new ZafButton(0, 0, 1, 1, u"Other"), [](ZafButton&) {}, 10, 40);
  EXPECT_EQ(TypeOf(*ok), native::BS_PUSHBUTTON);
  root->SetDefaultButton(ok, true);
  EXPECT_EQ(TypeOf(*ok), native::BS_DEFPUSHBUTTON);
  root->SetDefaultButton(plain, true);
  EXPECT_EQ(TypeOf(*ok), native::BS_PUSHBUTTON) << "the old default gives the look back";
  EXPECT_EQ(TypeOf(*plain), native::BS_PUSHBUTTON) << "a button that may not be default never looks it";
}

TEST_F(ButtonEventsTest, FocusedDefaultCapableButtonLooksDefaultWhileItHasTheFocus) {
  ZafButton* ok = Add(new ZafButton(0, 0, 1, 1, u"OK"), [](ZafButton& b) { b.SetDefaultCapable(true); });
  ZafButton* other = Add(
      new ZafButton(0, 0, 1, 1, u"Other"), [](ZafButton& b) { b.SetDefaultCapable(true); }, 10, 40);
  root->SetDefaultButton(ok, true);
  other->Event(ZafEventRecord(FocusGainedEvent, 0));
  EXPECT_EQ(TypeOf(*other), native::BS_DEFPUSHBUTTON);
  other->Event(ZafEventRecord(FocusLostEvent, 0));
  EXPECT_EQ(TypeOf(*other), native::BS_PUSHBUTTON);
  ok->Event(ZafEventRecord(FocusGainedEvent, 0));
  ok->Event(ZafEventRecord(FocusLostEvent, 0));
  EXPECT_EQ(TypeOf(*ok), native::BS_DEFPUSHBUTTON) << "the permanent default keeps its look";
}

TEST_F(ButtonEventsTest, DefaultCapableCheckBoxStaysACheckBox) {
  ZafButton* box = Add(new ZafButton(0, 0, 1, 1, u"Box", nullptr, ZAF_CHECK_BOX),
                       [](ZafButton& b) { b.SetDefaultCapable(true); });
  box->Event(ZafEventRecord(DefaultButtonChangedEvent, 0));
  EXPECT_EQ(TypeOf(*box), native::BS_CHECKBOX);
}

TEST_F(ButtonEventsTest, OwnColoursSwitchANativeButtonToOwnerDrawing) {
  ZafButton* button = Add(new ZafButton(0, 0, 1, 1, u"OK"));
  ASSERT_EQ(TypeOf(*button), native::BS_PUSHBUTTON);
  button->SetTextColor(4, 1);
  EXPECT_EQ(TypeOf(*button), native::BS_OWNERDRAW);
}

TEST_F(ButtonEventsTest, PictureGivenLaterSwitchesANativeButtonToOwnerDrawing) {
  ZafButton* button = Add(new ZafButton(0, 0, 1, 1, u"OK"));
  ASSERT_EQ(TypeOf(*button), native::BS_PUSHBUTTON);
  EXPECT_EQ(button->SetBitmap(new ZafBitmapData(8, 8)), ZAF_ERROR_NONE);
  EXPECT_EQ(TypeOf(*button), native::BS_OWNERDRAW);
}

TEST_F(ButtonEventsTest, EditModeLeavesRoomForTheDefaultFrameOnce) {
  ZafButton* button = Add(new ZafButton(0, 0, 1, 1, u"OK"), [](ZafButton& b) {
    b.SetDefaultCapable(true);
    b.SetEditMode(true);
  });
  const ZafRegionStruct given = button->UnpressedRegion();
  const ZafRegionStruct framed{given.left - 5, given.top - 5, given.right + 5, given.bottom + 5, ZAF_PIXEL};
  EXPECT_EQ(button->Region(), framed);
  button->Event(ZafEventRecord(FitEvent, 0));
  EXPECT_EQ(button->Region(), framed) << "every size change starts from the program's region";
}

// The user moves a default-capable button in edit mode: the frame round it is not taken as part of the
// program's region, so the button does not grow with each move, and the moved region is what is saved.
TEST_F(ButtonEventsTest, EditModeMoveKeepsTheProgramsSize) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("buttons").c_str(), ZAF_STORAGE_CREATE);
  ZafObjectPersistence persistence(&storage);
  ZafButton* button = Add(new ZafButton(0, 0, 1, 1, u"OK"), [](ZafButton& b) {
    b.SetCoordinateType(ZAF_PIXEL);
    b.SetDefaultCapable(true);
    b.SetEditMode(true);
  });
  ZafRegionStruct given = button->UnpressedRegion();
  constexpr int kRight = 7;
  constexpr int kDown = 3;
  for (int move = 1; move <= 3; ++move) {
    SCOPED_TRACE(move);
    // A press in the middle of the shown button moves it; the drag and the release wait in the queue.
    const native::RECT shown = driver.screenRect(button->ScreenID());
    const int x = (shown.right - shown.left) / 2;
    const int y = (shown.bottom - shown.top) / 2;
    native::PostMessage(
        button->ScreenID(), native::WM_MOUSEMOVE, native::MK_LBUTTON,
        native::MAKELPARAM(static_cast<uint16_t>(x + kRight), static_cast<uint16_t>(y + kDown)));
    native::PostMessage(
        button->ScreenID(), native::WM_LBUTTONUP, 0,
        native::MAKELPARAM(static_cast<uint16_t>(x + kRight), static_cast<uint16_t>(y + kDown)));
    Send(*button, native::WM_LBUTTONDOWN, native::MK_LBUTTON,
         native::MAKELPARAM(static_cast<uint16_t>(x), static_cast<uint16_t>(y)));
    driver.pumpUntilIdle();
    given = {given.left + kRight, given.top + kDown, given.right + kRight, given.bottom + kDown, ZAF_PIXEL};
    EXPECT_EQ(button->UnpressedRegion(), given);
    EXPECT_EQ(button->Region(),
              (ZafRegionStruct{given.left - ZAF_BUTTON_EDIT_FRAME, given.top - ZAF_BUTTON_EDIT_FRAME,
                               given.right + ZAF_BUTTON_EDIT_FRAME, given.bottom + ZAF_BUTTON_EDIT_FRAME,
                               ZAF_PIXEL}));
  }
  button->SetStringID(u"ok");
  ASSERT_EQ(button->Write(persistence), ZAF_ERROR_NONE);
  ZafButton read(u"ok", persistence);
  ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(read.Region(), given) << "the moved region is saved without the frame";

  // A frame sized down to less than its own width leaves the button one pixel.
  button->Event(ZafEventRecord(SetRegionEvent, 0, 20, 30, 25, 33, ZAF_PIXEL));
  EXPECT_EQ(button->UnpressedRegion(), (ZafRegionStruct{25, 35, 25, 35, ZAF_PIXEL}));

  // A region given in cells loses its frame in pixels, where the frame is.
  ZafRegionStruct inCells{2, 2, 20, 4, ZAF_CELL};
  button->Event(ZafEventRecord(SetRegionEvent, 0, 2, 2, 20, 4, ZAF_CELL));
  button->ConvertRegion(inCells, ZAF_PIXEL);
  EXPECT_EQ(button->UnpressedRegion(),
            (ZafRegionStruct{inCells.left + ZAF_BUTTON_EDIT_FRAME, inCells.top + ZAF_BUTTON_EDIT_FRAME,
                             inCells.right - ZAF_BUTTON_EDIT_FRAME, inCells.bottom - ZAF_BUTTON_EDIT_FRAME,
                             ZAF_PIXEL}));
}

// A picture from a file may claim any size: auto-size and drawing lay it out at the largest size a
// screen can show instead of overflowing.
TEST_F(ButtonEventsTest, HugeStoredBitmapIsSizedAndDrawnWithinTheScreen) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("buttons").c_str(), ZAF_STORAGE_CREATE);
  ZafObjectPersistence persistence(&storage);
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  {
    ZafButton stored(0, 0, 10, 1, nullptr, new ZafBitmapData(kMax, kMax));
    stored.SetStringID(u"huge");
    ASSERT_EQ(stored.Write(persistence), ZAF_ERROR_NONE);
  }
  auto* read = new ZafButton(u"huge", persistence);
  ASSERT_EQ(read->Error(), ZAF_ERROR_NONE);
  ASSERT_NE(read->Bitmap(), nullptr);
  ASSERT_EQ(read->Bitmap()->Height(), kMax);
  ZafButton* button = Add(read, [](ZafButton& b) { b.SetAutoSize(true); });
  ASSERT_EQ(TypeOf(*button), native::BS_OWNERDRAW);
  constexpr int32_t kLargest = 32767;
  constexpr int32_t kPictureMargin = 6;
  EXPECT_EQ(button->Region().Height(), kLargest + kPictureMargin + 2 * button->Depth());
  EXPECT_EQ(button->Region().bottom, 10 + 24 - 1) << "a push button keeps its bottom";
  EXPECT_EQ(button->Draw(ZafEventRecord(RedisplayEvent, 0), RedisplayEvent), RedisplayEvent);
}

TEST_F(ButtonEventsTest, StoredRegionIsTheProgramsNotTheShownOne) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("buttons").c_str(), ZAF_STORAGE_CREATE);
  ZafObjectPersistence persistence(&storage);
  ZafButton* button = Add(
      new ZafButton(0, 0, 1, 1, u"OK"),
      [](ZafButton& b) {
        b.SetCoordinateType(ZAF_PIXEL);
        b.SetDefaultCapable(true);
        b.SetAutoSize(true);
        b.SetEditMode(true);
      },
      10, 10, 80, 41);
  const ZafRegionStruct shown = button->Region();
  ASSERT_NE(shown, button->UnpressedRegion());
  button->SetStringID(u"ok");
  ASSERT_EQ(button->Write(persistence), ZAF_ERROR_NONE);
  EXPECT_EQ(button->Region(), shown);
  ZafButton read(u"ok", persistence);
  ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(read.Region(), button->UnpressedRegion()) << "saving and opening again does not grow the button";
}

}  // namespace
