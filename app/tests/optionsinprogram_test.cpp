// The options dialog in the running program, used as a user does: a named port set up on the Serial page,
// and a letter typed into a number field refused while the program's idle work goes on.
#include <gtest/gtest.h>

#include <string>

#include "app/qvzoptionsdialog.h"
#include "app/tests/programtest.h"
#include "devices/qvserialport.h"
#include "foundation/kregistry.h"
#include "foundation/kserialport.h"
#include "framework/core/zafnotebook.h"
#include "framework/core/zafwindowmanager.h"
#include "imaging/ui/yzserialport.h"
#include "native/user/virtualkeys.h"
#include "testing/ptypair.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzinteger.h"
#include "toolkit/kzstring.h"

namespace {

class OptionsInProgramTest : public ProgramTest {
 protected:
  static QvZOptionsDialog* Options() {
    return dynamic_cast<QvZOptionsDialog*>(ZafWindowObject::windowManager->FrontWindow());
  }
};

}  // namespace

TEST_F(OptionsInProgramTest, ANamedPortIsSetUpOnTheSerialPage) {
  // The control unit's line, as the walk-through maps it.
  ktest::PtyPair line;
  line.MapToPort(9);
  KString portName;
  KSerialPort::PortName(9, portName);
  std::string stored;
  bool buttonsBelow = false;
  Then([] { Post(QvZOptionsDialog::kSerialCommand); });
  When(
      "the Serial page", [] { return Options() != nullptr; },
      [&] {
        // The notebook keeps to its own region: the dialog's buttons show below it.
        auto* notebook = FindIn<ZafNotebook>(Options(), [](ZafNotebook&) { return true; });
        auto* ok = FindIn<KZButton>(Options(),
                                    [](KZButton& button) { return button.Value() == KZDialog::kOkResult; });
        ASSERT_TRUE(notebook && ok);
        buttonsBelow = notebook->Region().bottom < ok->Region().top;
        Options()->Event(ZafEventRecord(QvZOptionsDialog::kNewPort, 0));
      });
  When(
      "the new port's fields", [] { return Options() && !Options()->PortNameField()->Disabled(); },
      [&] {
        QvZOptionsDialog* dialog = Options();
        auto* portList = FindIn<KZComboBox>(
            dialog, [&](KZComboBox& list) { return list.FindItem(portName.CStr()) != nullptr; });
        ASSERT_NE(portList, nullptr) << "the port list offers " << portName.ToUtf8();
        portList->SelectByText(portName.CStr());
        portList->SetChanged(true);
        dialog->PortPanel()->SetBaud(19200);
        Post(KZDialog::kOkResult);
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
  Setting(u"\\Scoreboards\\Board\\Name:String=Finish board");
  Setting(u"\\Scoreboards\\Board\\PageMode:Int=1");
  Setting(u"\\Scoreboards\\Board\\PageSize:Int=4");
  const auto pageSize = [] { return Options() ? Options()->PageSizeField() : nullptr; };
  bool idleWhileRefusing = false;
  Then([] { Post(QvZOptionsDialog::kScoreboardCommand); });
  When(
      "the Scoreboard page", [pageSize] { return pageSize() && !pageSize()->Disabled(); },
      [this, pageSize] {
        Click(pageSize());
        driver.pressKey(native::VK_END);
        driver.pressKey(native::VK_BACK);
        driver.typeText(u"x");
      });
  When(
      "the letter in the field",
      [pageSize] { return pageSize() && std::u16string(pageSize()->Text()) == u"x"; },
      [pageSize] {
        ZafEventRecord chosen(ChosenEvent, 0);
        chosen.windowObject = pageSize();
        pageSize()->Event(chosen);
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
