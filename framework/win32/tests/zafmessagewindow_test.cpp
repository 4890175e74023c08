#include <gtest/gtest.h>

#include <algorithm>
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
  // The screen display's measure of a text, in pixels.
  ZafRegionStruct Measured(const ZafIChar* text) { return screen.TextSize(text, -1); }

  std::vector<ZafButton*> ButtonsOf(ZafMessageWindow& window) {
    std::vector<ZafButton*> buttons;
    for (ZafElement* element = window.FirstButton(); element; element = element->Next()) {
      buttons.push_back(static_cast<ZafButton*>(element));
    }
    return buttons;
  }
};

ZafRegionStruct Pixels(ZafWindowObject& object) {
  ZafRegionStruct region = object.Region();
  object.ConvertRegion(region, ZAF_PIXEL);
  return region;
}

TEST_F(MessageWindowTest, LaysOutEveryMaskByTheScreenMetrics) {
  struct Case {
    uint16_t buttons;
    uint16_t icon;
    std::u16string message;
    std::vector<std::u16string> labels;
    std::vector<std::u16string> lines;
  };
  const Case cases[] = {
      {ZAF_MESSAGE_OK, 0, u"Hi", {u"OK"}, {u"Hi"}},
      {ZAF_MESSAGE_OK | ZAF_MESSAGE_CANCEL,
       ZAF_ICON_EXCLAMATION,
       u"Two\r\nlines",
       {u"OK", u"Cancel"},
       {u"Two", u"lines"}},
      {0x007E,
       ZAF_ICON_QUESTION,
       u"a\nb\rc",
       {u"Yes", u"No", u"Abort", u"Retry", u"Ignore", u"Cancel"},
       {u"a", u"b", u"c"}},
      {ZAF_MESSAGE_HELP,
       ZAF_ICON_HAND,
       u"A much longer message than any of the buttons below it",
       {u"Help"},
       {u"A much longer message than any of the buttons below it"}},
  };
  const int32_t cw = screen.cellWidth;
  const int32_t ch = screen.cellHeight;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.message.begin(), c.message.end()));
    ZafMessageWindow window(new ZafStringData(u"Title"), c.icon, c.buttons, ZAF_MESSAGE_OK, u"%s",
                            c.message.c_str());
    manager->Add(&window);
    driver.pumpUntilIdle();

    int32_t w = 0;
    int32_t h = 0;
    for (const std::u16string& line : c.lines) {
      w = std::max(w, Measured(line.c_str()).Width());
      h += Measured(line.c_str()).Height() + 1;
    }
    w += 10;
    h += 10;
    int32_t label = 0;
    for (const std::u16string& text : c.labels) {
      label = std::max(label, Measured(text.c_str()).Width());
    }
    const int32_t b = std::max(10 * cw, 2 * cw + label);
    const int32_t n = static_cast<int32_t>(c.labels.size());
    int32_t iconSpace = 0;
    int32_t iconHeight = 0;
    if (c.icon) {
      ASSERT_NE(window.IconObject(), nullptr);
      const ZafRegionStruct icon = Pixels(*window.IconObject());
      EXPECT_EQ(icon.Width(), 32);
      iconSpace = icon.Width() + 2 * cw;
      iconHeight = icon.Height();
    }
    const int32_t W = std::max(iconSpace + 4 * cw + w, (cw + b) * n + 3 * cw);
    const int32_t H = 4 * ch + h;

    // The frame is two cells wider and higher than what the objects need, and its client holds them.
    EXPECT_GE(window.clientRegion.Width(), W);
    EXPECT_GE(window.clientRegion.Height(), H);
    const native::RECT outer = driver.screenRect(window.ScreenID(2));
    EXPECT_EQ(outer.right - outer.left, W + 2 * cw);
    EXPECT_EQ(outer.bottom - outer.top, H + 2 * ch);
    const ZafRegionStruct text = Pixels(*window.MessageObject());
    EXPECT_EQ(text.left, iconSpace + 2 * cw);
    EXPECT_EQ(text.top, ch);
    EXPECT_EQ(text.Width(), w);
    EXPECT_EQ(text.Height(), h);

    const std::vector<ZafButton*> buttons = ButtonsOf(window);
    ASSERT_EQ(buttons.size(), c.labels.size());
    int32_t x = (W - (cw + b) * n + cw) / 2;
    const int32_t bottom = ch + std::max(iconHeight, h) + 2 * ch - screen.postSpace - 1;
    for (size_t i = 0; i < buttons.size(); ++i) {
      const ZafRegionStruct place = Pixels(*buttons[i]);
      EXPECT_EQ(std::u16string(buttons[i]->Text()), c.labels[i]);
      EXPECT_EQ(place.left, x);
      EXPECT_EQ(place.Width(), b);
      EXPECT_EQ(place.bottom, bottom);
      x += cw + b;
    }
    // Centred on the desktop.
    EXPECT_LE(std::abs((outer.left + outer.right) - 640), 1);
    EXPECT_LE(std::abs((outer.top + outer.bottom) - 480), 1);
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
