// The options dialog in the running program, used as a user does: a named port set up on the Serial page,
// and a letter typed into a number field refused while the program's idle work goes on.
#include <gtest/gtest.h>

#include <string>

#include "app/qvzoptionsdialog.h"
#include "app/tests/dialogtestsupport.h"
#include "app/tests/namedportsetup.h"
#include "app/tests/programtest.h"
#include "devices/qvserialport.h"
#include "foundation/kregistry.h"
#include "framework/core/zafnotebook.h"
#include "framework/core/zafwindowmanager.h"
#include "model/qvsettings.h"
#include "native/controls/controlconstants.h"
#include "native/native.h"
#include "native/user/virtualkeys.h"
#include "testing/ptypair.h"
#include "testing/testpictures.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzinteger.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kzprompt.h"
#include "toolkit/kzstring.h"

namespace {

class OptionsInProgramTest : public NamedPortSetUp<ProgramTest> {
 protected:
  static KZInteger* PageSize() { return Options() ? Options()->PageSizeField() : nullptr; }

  // Opens the Scoreboard page of a board that sends pages, and types `text` into its page size in place
  // of the number there.
  void TypeIntoPageSize(const std::u16string& text) {
    Setting(u"\\Scoreboards\\Board\\Name:String=Finish board");
    Setting(u"\\Scoreboards\\Board\\PageMode:Int=1");
    Setting(u"\\Scoreboards\\Board\\PageSize:Int=4");
    Then([] { Post(QvZOptionsDialog::kScoreboardCommand); });
    When(
        "the Scoreboard page", [] { return PageSize() && !PageSize()->Disabled(); },
        [this, text] {
          Click(PageSize());
          driver.pressKey(native::VK_END);
          driver.pressKey(native::VK_BACK);
          driver.typeText(text);
        });
  }
};

}  // namespace

TEST_F(OptionsInProgramTest, ANamedPortIsSetUpOnTheSerialPage) {
  // The control unit's line, as the walk-through maps it.
  ktest::PtyPair line;
  line.MapToPort(9);
  std::string stored;
  bool buttonsBelow = false;
  NameAPort(9, 19200, [&] {
    // The notebook keeps to its own region: the dialog's buttons show below it.
    auto* notebook = FindIn<ZafNotebook>(Options(), [](ZafNotebook&) { return true; });
    auto* ok =
        FindIn<KZButton>(Options(), [](KZButton& button) { return button.Value() == KZDialog::kOkResult; });
    ASSERT_TRUE(notebook && ok);
    buttonsBelow = notebook->Region().bottom < ok->Region().top;
  });
  Then([&] {
    stored = KRegistry::GetString(QvSerialPort::GetNth(0), u"SerialPort").ToUtf8();
    Post(ExitEvent);
  });
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(stored, "9,19200,8,N,1.0");
  EXPECT_TRUE(buttonsBelow);
}

TEST_F(OptionsInProgramTest, ALetterInANumberFieldIsRefusedWhileTheIdleWorkGoesOn) {
  bool idleWhileRefusing = false;
  TypeIntoPageSize(u"x");
  When(
      "the letter in the field", [] { return PageSize() && std::u16string(PageSize()->Text()) == u"x"; },
      [] {
        ZafEventRecord chosen(ChosenEvent, 0);
        chosen.windowObject = PageSize();
        PageSize()->Event(chosen);
      });
  // This step runs on an idle pass while the refusal is up.
  When(
      "the refusal", [] { return FrontMessage() != nullptr; }, [&] { idleWhileRefusing = true; });
  Then([this] { driver.pressKey(native::VK_RETURN); });
  When(
      "the dialog again", [] { return FrontMessage() == nullptr && Options() != nullptr; },
      [] { Post(KZDialog::kCancelResult); });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(idleWhileRefusing);
}

TEST_F(OptionsInProgramTest, TheInvalidNumberBoxIsAnErrorAndTheDialogBehindIsLeftAsItWas) {
  TypeIntoPageSize(u"abc");
  When(
      "the letters in the field", [] { return PageSize() && std::u16string(PageSize()->Text()) == u"abc"; },
      [this] { Click(ButtonGiving(Options(), KZDialog::kOkResult)); });
  When(
      "the refusal", [] { return FrontMessage() != nullptr; },
      [this] {
        EXPECT_TRUE(driver.snapshot(TestPicturePath("invalid_number_box.png")));
        // The refusal carries the title of the dialog it comes from.
        EXPECT_EQ(std::u16string(FrontMessage()->Text()), u"Options");
        EXPECT_EQ(std::u16string(FrontMessage()->Message().CStr()), u"The number abc is invalid.");
        driver.pressKey(native::VK_RETURN);
      });
  When(
      "the options dialog again", [] { return FrontMessage() == nullptr && Options(); },
      [this] {
        EXPECT_TRUE(driver.snapshot(TestPicturePath("options_after_invalid_number.png")));
        EXPECT_EQ(native::GetActiveWindow(), Options()->ScreenID(2));
        const native::HWND ok = ButtonGiving(Options(), KZDialog::kOkResult)->ScreenID();
        EXPECT_EQ(native::SendMessage(ok, native::BM_GETSTATE, 0, 0) & native::BST_PUSHED, 0)
            << "OK held down";
        EXPECT_EQ(native::GetCapture(), nullptr);
        Post(KZDialog::kCancelResult);
      });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}

TEST_F(OptionsInProgramTest, EscapeCancelsTheDialog) {
  TypeIntoPageSize(u"7");
  When(
      "the new size in the field", [] { return PageSize() && std::u16string(PageSize()->Text()) == u"7"; },
      [this] { driver.pressKey(native::VK_ESCAPE); });
  When(
      "the options dialog gone", [] { return Options() == nullptr; },
      [] {
        EXPECT_EQ(QvSettings::Int(u"\\Scoreboards\\Board\\PageSize", 0), 4);
        Post(ExitEvent);
      });
  EXPECT_EQ(Run(), 0);
}
