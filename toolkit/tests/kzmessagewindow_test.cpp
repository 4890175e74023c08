#include "toolkit/kzmessagewindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/core/zafdisplay.h"
#include "framework/core/zaficon.h"
#include "framework/data/zaficondata.h"
#include "native/user/paintapi.h"
#include "native/user/virtualkeys.h"
#include "native/user/waitset.h"
#include "native/user/windowsystem.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzostext.h"
#include "toolkit/kzprompt.h"
#include "toolkit/tests/kzdialogtestbed.h"

namespace {

// The box's standard button that answers `result`.
KZButton* ButtonOf(KZMessageWindow& box, ZafEventType result) {
  std::vector<KZButton*> buttons;
  Collect(&box, buttons);
  for (KZButton* button : buttons) {
    if (button->Value() == result) {
      return button;
    }
  }
  return nullptr;
}

// Whether every native window of the box, its frame among them, has drawn all it was asked to.
bool Painted(KZMessageWindow& box) {
  std::vector<ZafWindowObject*> objects;
  Collect(&box, objects);
  std::vector<native::HWND> windows{box.frameHandle};
  for (ZafWindowObject* object : objects) {
    windows.push_back(object->ScreenID());
  }
  return std::none_of(windows.begin(), windows.end(), [](native::HWND window) {
    return window && native::GetUpdateRect(window, nullptr, false);
  });
}

}  // namespace

TEST_F(KZDialogTest, AskIsTrueOnlyForOkAndYes) {
  struct Case {
    uint32_t buttons;
    ZafEventType clicked;
    bool yes;
  } cases[] = {
      {KZDialog::kYes | KZDialog::kNo | KZDialog::kCancel, KZDialog::kYesResult, true},
      {KZDialog::kYes | KZDialog::kNo | KZDialog::kCancel, KZDialog::kNoResult, false},
      {KZDialog::kYes | KZDialog::kNo | KZDialog::kCancel, KZDialog::kCancelResult, false},
      {KZDialog::kOk | KZDialog::kCancel, KZDialog::kOkResult, true},
      {KZDialog::kAbort | KZDialog::kRetry | KZDialog::kIgnore, KZDialog::kRetryResult, false},
      {KZDialog::kAbort | KZDialog::kRetry | KZDialog::kIgnore, KZDialog::kIgnoreResult, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clicked);
    application.Run({[&] {
      // The box is the front window; its button is clicked on the desktop.
      auto* box = dynamic_cast<KZMessageWindow*>(ZafWindowObject::windowManager->FirstChild());
      ASSERT_NE(box, nullptr);
      Click(ButtonOf(*box, c.clicked));
    }});
    EXPECT_EQ(KZMessageWindow::Ask(u"Question", u"Save the event?", c.buttons, KZDialog::kCancel, 0), c.yes);
  }
}

TEST_F(KZDialogTest, AKeyTypedBeforeTheBoxShowedDoesNotAnswerIt) {
  // Enter, typed while the program was busy, would choose the default Yes.
  driver.pressKey(native::VK_RETURN);
  application.Run({[] { KZScriptedApplication::Post(KZDialog::kNoResult); }});
  EXPECT_FALSE(KZMessageWindow::Ask(u"Question", u"Save the event?", KZDialog::kYes | KZDialog::kNo,
                                    KZDialog::kYes, 0));
}

TEST_F(KZDialogTest, TheScreenFirstShowsTheBoxPaintedWithWhatChangedBeforeIt) {
  // The display host composes and shows the screen at the start of a wait that does not hold it back:
  // every such wait while the box opens must find it on the screen and painted, so that the screen is
  // composed once for the box.
  native::WaitSet& waits = native::WindowSystem::get().waitSet();
  struct Case {
    const char* name;
    bool keyTypedAhead;
  } cases[] = {{"nothing typed ahead", false}, {"Enter typed ahead", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int shownWithoutTheBox = 0;
    int shownWithTheBox = 0;
    waits.setBeforeWait([&](native::WaitSet::Screen screen) {
      if (screen == native::WaitSet::Screen::kShown) {
        auto* box = dynamic_cast<KZMessageWindow*>(ZafWindowObject::windowManager->FirstChild());
        ++(box && Painted(*box) ? shownWithTheBox : shownWithoutTheBox);
      }
      return false;
    });
    if (c.keyTypedAhead) {
      driver.pressKey(native::VK_RETURN);
    }
    application.Run({[] { KZScriptedApplication::Post(KZDialog::kOkResult); }});
    KZMessageWindow::Ask(u"Question", u"Save the event?", KZDialog::kOk, KZDialog::kOk, 0);
    waits.setBeforeWait(nullptr);
    EXPECT_EQ(shownWithoutTheBox, 0);
    EXPECT_GT(shownWithTheBox, 0);
  }
}

TEST_F(KZDialogTest, ABoxTheWindowManagerTakesAwayAnswersNoAndIsNotDeletedUnderItsLoop) {
  application.Run(
      {[] { ZafWindowObject::windowManager->Remove(ZafWindowObject::windowManager->FrontWindow()); }});
  EXPECT_FALSE(KZMessageWindow::Ask(u"Question", u"Go on?", KZDialog::kOk, KZDialog::kOk, 0));
}

TEST_F(KZDialogTest, EscapeAndTheCloseBoxAnswerCancelAndLeaveTheBoxToItsOwner) {
  constexpr uint32_t kOkCancel = KZDialog::kOk | KZDialog::kCancel;
  constexpr uint32_t kYesNoCancel = KZDialog::kYes | KZDialog::kNo | KZDialog::kCancel;
  struct Case {
    const char* name;
    uint32_t buttons;
    uint32_t defaultButton;
    bool escape;  // else a click on the close box
  } cases[] = {
      {"Ok and Cancel, Escape", kOkCancel, KZDialog::kOk, true},
      {"Ok and Cancel, close box", kOkCancel, KZDialog::kOk, false},
      {"Yes, No and Cancel, Escape", kYesNoCancel, KZDialog::kYes, true},
      {"Yes, No and Cancel, close box", kYesNoCancel, KZDialog::kYes, false},
      {"Ok only, Escape", KZDialog::kOk, KZDialog::kOk, true},
      {"Ok only, close box", KZDialog::kOk, KZDialog::kOk, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KZMessageWindow box(u"Question", u"Save the event?", c.buttons, c.defaultButton, 0);
    application.Run({[&] {
      if (c.escape) {
        driver.pressKey(native::VK_ESCAPE);
      } else {
        const native::POINT closeBox = CloseBoxCentre(driver, box);
        driver.click(closeBox.x, closeBox.y);
      }
    }});
    EXPECT_EQ(box.Execute(), -2993);
    EXPECT_LT(ZafWindowObject::windowManager->Index(&box), 0) << "the box is off the screen";
  }
}

TEST_F(KZDialogTest, TheCloseBoxOfABoxBehindAnotherAnswersNeither) {
  KZMessageWindow behind(u"Behind",
                         u"A message long enough to make this box wider than the one in front of it",
                         KZDialog::kOk | KZDialog::kCancel, KZDialog::kOk, 0);
  KZMessageWindow front(u"Front", u"Go on?", KZDialog::kOk | KZDialog::kCancel, KZDialog::kOk, 0);
  ZafEventType frontAnswer = 0;
  application.Run({[&] { frontAnswer = front.Execute(); },
                   [&] {
                     const native::POINT closeBox = CloseBoxCentre(driver, behind);
                     ASSERT_EQ(driver.windowAt(closeBox.x, closeBox.y), behind.frameHandle);
                     driver.click(closeBox.x, closeBox.y);
                   },
                   [] { KZScriptedApplication::Post(KZDialog::kOkResult); },
                   [] { KZScriptedApplication::Post(KZDialog::kOkResult); }});
  EXPECT_EQ(behind.Execute(), KZDialog::kOkResult);
  EXPECT_EQ(frontAnswer, KZDialog::kOkResult);
}

TEST_F(KZDialogTest, MessageStandsRightOfThePictureWithTheButtonsTwoRowsUnder) {
  const int32_t cellWidth = ZafWindowObject::display->cellWidth;
  const int32_t iconCells = (ZafIcon::SystemImage(ZAF_ICON_QUESTION)->width + cellWidth - 1) / cellWidth;
  // A file in a folder of 280 characters: the box wraps the path within the screen.
  const std::u16string question =
      u"The event \"/srv/meet/" + std::u16string(280, u'd') + u"/1-1-1.qve\" has changed. Save before exiting?";
  struct Case {
    int32_t icon;
    const char16_t* message;
    int32_t messageColumn;
    int32_t leastRows;
    int32_t mostRows;
  } cases[] = {{0, u"Lane 3 has no reaction time.", 4, 1, 1},
               {ZAF_ICON_QUESTION, u"Lane 3 has no reaction time.", 4 + iconCells, 1, 1},
               {ZAF_ICON_QUESTION, question.c_str(), 4 + iconCells, 2, 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.icon << " " << std::char_traits<char16_t>::length(c.message));
    KZMessageWindow box(u"Note", c.message, KZDialog::kYes | KZDialog::kNo | KZDialog::kCancel,
                        KZDialog::kYes, c.icon);
    EXPECT_EQ(box.Icon() != nullptr, c.icon != 0);
    const ZafRegionStruct message = Cells(box.MessageText());
    EXPECT_EQ(message.left, c.messageColumn);
    EXPECT_EQ(message.top, 1);
    EXPECT_GE(message.Height(), c.leastRows);
    EXPECT_LE(message.Height(), c.mostRows);
    box.CreateButtons();
    EXPECT_EQ(Cells(ButtonOf(box, KZDialog::kCancelResult)).top, message.bottom + 3);
    EXPECT_EQ(box.Region().Height(), ZafRegionStruct({0, 0, 0, message.Height() + 5, ZAF_CELL})
                                         .Converted(ZAF_PIXEL, ZafWindowObject::display)
                                         .Height());
    const ZafRegionStruct cancel =
        ButtonOf(box, KZDialog::kCancelResult)->Region().Converted(ZAF_PIXEL, ZafWindowObject::display);
    EXPECT_GE(box.Region().left, 0) << "the box and its buttons lie on the screen";
    EXPECT_LT(box.Region().right, ZafWindowObject::display->columns);
    EXPECT_LT(cancel.right, box.Region().Width());
  }
}

TEST(KZOSText, NarrowCopiesAreSizedFromTheirBytes) {
  const std::u16string ascii127(127, u'a');
  std::string euros;
  for (int count = 0; count < 127; ++count) {
    euros += "\xE2\x82\xAC";
  }
  struct Case {
    const char* name;
    std::u16string text;
    bool privateCopy, narrowCalls;
    bool shared;
    std::string narrow;  // empty: no copy
  } cases[] = {
      {"127 characters", ascii127, false, true, true, std::string(127, 'a')},
      {"128 characters", ascii127 + u"b", false, true, false, std::string(127, 'a') + "b"},
      {"a private copy", u"Lane", true, true, false, "Lane"},
      {"127 characters of three bytes", std::u16string(127, u'\u20AC'), false, true, false, euros},
      {"wide calls", u"Lane", false, false, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const KZOSText narrow(c.text.c_str(), c.privateCopy, c.narrowCalls);
    EXPECT_EQ(narrow.IsShared(), c.shared);
    if (c.narrow.empty()) {
      EXPECT_EQ(narrow.Text(), nullptr);
      continue;
    }
    ASSERT_NE(narrow.Text(), nullptr);
    EXPECT_EQ(std::string(narrow.Text()), c.narrow);
  }
  EXPECT_EQ(KZOSText(u"Lane", false).Text(), nullptr) << "the system takes wide text";
}
