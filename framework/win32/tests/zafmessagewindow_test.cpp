#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "framework/core/zafbutton.h"
#include "framework/core/zaficon.h"
#include "framework/core/zafmessagewindow.h"
#include "framework/core/zaftext.h"
#include "framework/data/zafstringdata.h"
#include "framework/win32/tests/zafdialogtestbed.h"

namespace {

class MessageWindowTest : public ZafDialogTest {
 protected:
  std::vector<ZafButton*> ButtonsOf(ZafMessageWindow& window) {
    std::vector<ZafButton*> buttons;
    for (ZafElement* element = window.FirstButton(); element; element = element->Next()) {
      buttons.push_back(static_cast<ZafButton*>(element));
    }
    return buttons;
  }
};

// Left, top, width and height in pixels, as every place below is given.
std::array<int32_t, 4> PixelPlace(ZafWindowObject& object) {
  ZafRegionStruct region = object.Region();
  object.ConvertRegion(region, ZAF_PIXEL);
  return {region.left, region.top, region.Width(), region.Height()};
}

// On the headless desktop a cell is 9 x 25 pixels and the post-space 3; a line of text is 15 pixels high with
// its gap, an icon 32 x 32, and a button ten cells wide when its label fits. The window is centred on the
// 640 x 480 desktop.
TEST_F(MessageWindowTest, LaysOutEveryMaskByTheScreenMetrics) {
  struct Case {
    const char* name;
    uint16_t buttons;
    uint16_t icon;
    const ZafIChar* message;
    std::vector<std::u16string> labels;
    std::array<int32_t, 4> frame;  // on the desktop
    std::array<int32_t, 4> text;   // in the client area
    std::vector<int32_t> buttonLefts;
    int32_t buttonBottom;
  };
  const Case cases[] = {
      {"one button, the buttons' least width",
       ZAF_MESSAGE_OK,
       0,
       u"Hi",
       {u"OK"},
       {248, 152, 144, 175},
       {18, 25, 21, 25},
       {18},
       96},
      {"CR LF ends one line",
       ZAF_MESSAGE_OK | ZAF_MESSAGE_CANCEL,
       ZAF_ICON_EXCLAMATION,
       u"Two\r\nlines",
       {u"OK", u"Cancel"},
       {198, 145, 243, 190},
       {68, 25, 36, 40},
       {18, 117},
       111},
      {"six buttons in bit order",
       0x007E,
       ZAF_ICON_QUESTION,
       u"a\nb\rc",
       {u"Yes", u"No", u"Abort", u"Retry", u"Ignore", u"Cancel"},
       {0, 137, 639, 205},
       {68, 25, 17, 55},
       {18, 117, 216, 315, 414, 513},
       126},
      {"the message's width",
       ZAF_MESSAGE_HELP,
       ZAF_ICON_HAND,
       u"A much longer message than any of the buttons below it",
       {u"Help"},
       {101, 152, 437, 175},
       {68, 25, 333, 25},
       {164},
       103},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafMessageWindow window(new ZafStringData(u"Title"), c.icon, c.buttons, ZAF_MESSAGE_OK, u"%s", c.message);
    manager->Add(&window);
    driver.pumpUntilIdle();
    const native::RECT frame = driver.screenRect(window.ScreenID(2));
    EXPECT_EQ(
        (std::array<int32_t, 4>{frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top}),
        c.frame);
    EXPECT_EQ(PixelPlace(*window.MessageObject()), c.text);
    std::vector<std::u16string> labels;
    std::vector<int32_t> lefts;
    for (ZafButton* button : ButtonsOf(window)) {
      const std::array<int32_t, 4> place = PixelPlace(*button);
      labels.push_back(button->Text());
      lefts.push_back(place[0]);
      EXPECT_EQ(place[2], 90);
      EXPECT_EQ(place[1] + place[3] - 1, c.buttonBottom);
    }
    EXPECT_EQ(labels, c.labels);
    EXPECT_EQ(lefts, c.buttonLefts);
    manager->Subtract(&window);
  }
}

TEST_F(MessageWindowTest, ControlAnswersTheButtonChosenByMouseKeysAndHotKeys) {
  enum Road { Mouse, Enter, Escape, HotKey };
  struct Case {
    const char* name;
    uint16_t buttons;
    uint16_t defaultButton;
    Road road;
    uint16_t chosen;
    ZafEventType answer;
  };
  const Case cases[] = {
      {"Cancel by mouse", 0x41, ZAF_MESSAGE_OK, Mouse, ZAF_MESSAGE_CANCEL, -2993},
      {"Help by mouse", 0xC1, ZAF_MESSAGE_OK, Mouse, ZAF_MESSAGE_HELP, HelpEvent},
      {"Cancel by Enter", 0x41, ZAF_MESSAGE_CANCEL, Enter, 0, -2993},
      {"Help by Enter", 0x81, ZAF_MESSAGE_HELP, Enter, 0, HelpEvent},
      {"Escape is Cancel", 0x41, ZAF_MESSAGE_OK, Escape, 0, -2993},
      {"Cancel by hot key", 0x41, ZAF_MESSAGE_OK, HotKey, 'C', -2993},
      {"Help by hot key", 0x81, ZAF_MESSAGE_OK, HotKey, 'H', HelpEvent},
      {"OK by hot key", 0x41, ZAF_MESSAGE_CANCEL, HotKey, 'O', -2999},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafMessageWindow window(new ZafStringData(u"Question"), ZAF_ICON_QUESTION, c.buttons, c.defaultButton,
                            u"Go on?");
    WhenShown(window, [&] {
      switch (c.road) {
        case Mouse:
          for (ZafElement* element = window.FirstButton(); element; element = element->Next()) {
            auto* button = static_cast<ZafButton*>(element);
            if (button->Value() == (c.chosen == ZAF_MESSAGE_HELP ? HelpEvent : -2993)) {
              ClickOn(*button);
            }
          }
          break;
        case Enter:
          driver.pressKey(native::VK_RETURN);
          break;
        case Escape:
          driver.pressKey(native::VK_ESCAPE);
          break;
        case HotKey:
          AltKey(c.chosen);
          break;
      }
    });
    EXPECT_EQ(window.Control(), c.answer);
    EXPECT_EQ(manager->Index(&window), -1) << "the answered dialog leaves the screen";
  }
}

// A help request from anywhere but the dialog's Help button, and Escape without a Cancel button, answer
// nothing: the dialog runs on until Enter chooses OK.
TEST_F(MessageWindowTest, WhatIsNoAnswerLeavesTheDialogRunning) {
  struct Case {
    const char* name;
    uint16_t buttons;
    std::function<void()> input;
  };
  const Case cases[] = {
      {"help key", ZAF_MESSAGE_OK | ZAF_MESSAGE_HELP,
       [this] { events.Put(ZafEventRecord(HelpEvent, 0), Q_END); }},
      {"Escape without Cancel", ZAF_MESSAGE_OK, [this] { driver.pressKey(native::VK_ESCAPE); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafMessageWindow window(new ZafStringData(u"Info"), ZAF_ICON_ASTERISK, c.buttons, ZAF_MESSAGE_OK,
                            u"Done");
    WhenShown(window, [&] {
      c.input();
      driver.pressKey(native::VK_RETURN);
    });
    EXPECT_EQ(window.Control(), -2999);
  }
}

TEST_F(MessageWindowTest, QuittingClosesTheDialogAndReachesTheProgramsLoop) {
  ZafMessageWindow window(new ZafStringData(u"Quit"), 0, ZAF_MESSAGE_OK, ZAF_MESSAGE_OK, u"Bye");
  WhenShown(window, [] { native::PostQuitMessage(3); });
  EXPECT_EQ(window.Control(), CloseEvent);
  native::MSG message{};
  ASSERT_TRUE(native::PeekMessage(&message, nullptr, native::WM_QUIT, native::WM_QUIT, native::PM_REMOVE));
  EXPECT_EQ(message.wParam, 3u);
}

TEST_F(MessageWindowTest, ASecondControlOnARunningDialogAnswersMinusOne) {
  ZafMessageWindow window(new ZafStringData(u"Busy"), 0, ZAF_MESSAGE_OK, ZAF_MESSAGE_OK, u"Wait");
  ZafEventType nested = 0;
  WhenShown(window, [&] {
    nested = window.Control();
    driver.pressKey(native::VK_RETURN);
  });
  EXPECT_EQ(window.Control(), -2999);
  EXPECT_EQ(nested, ZAF_DIALOG_NOT_RUN);
}

}  // namespace
