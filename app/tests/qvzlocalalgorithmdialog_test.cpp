// Chart > Modify Local Algorithm Settings in the running program: its fields refuse what lies outside their
// range through the program's message window, Ok stores the six settings and Cancel none.

#include "app/qvzlocalalgorithmdialog.h"

#include <gtest/gtest.h>

#include <string>

#include "app/tests/programtest.h"
#include "app/yzapplication.h"
#include "foundation/kregistry.h"
#include "foundation/krfloat.h"
#include "foundation/krint.h"
#include "framework/core/zafwindowmanager.h"
#include "model/qvsettings.h"
#include "native/user/virtualkeys.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzinteger.h"
#include "toolkit/kzreal.h"

namespace {

constexpr ZafEventType kModifyLocalAlgorithm = 10174;
constexpr char16_t kTitle[] = u"Local Algorithm Settings";

class LocalAlgorithmDialogTest : public ProgramTest {
 protected:
  static QvZLocalAlgorithmDialog* Dialog() {
    return dynamic_cast<QvZLocalAlgorithmDialog*>(ZafWindowObject::windowManager->FrontWindow());
  }
  // Script steps: types the text into the dialog's field, and once the field shows it, gives it as the
  // user's choice.
  template <typename Field>
  void Enter(Field* (QvZLocalAlgorithmDialog::*field)() const, const char16_t* text) {
    Then([this, field, text] {
      Click((Dialog()->*field)());
      for (int i = 0; i < 6; ++i) {
        driver.pressKey(native::VK_BACK);
        driver.pressKey(native::VK_DELETE);
      }
      driver.typeText(text);
    });
    When(
        "the typed text", [field, text] { return std::u16string((Dialog()->*field)()->Text()) == text; },
        [field] {
          ZafEventRecord chosen(ChosenEvent, 0);
          chosen.windowObject = (Dialog()->*field)();
          (Dialog()->*field)()->Event(chosen);
        });
  }
  int32_t Int(const char16_t* path) const {
    return KRegistry::GetInt(program->Settings(), KString::View(path))->Value();
  }
  double Float(const char16_t* path) const {
    return KRegistry::GetFloat(program->Settings(), KString::View(path))->Value();
  }
  bool Bool(const char16_t* path) const { return QvSettings::Bool(path, false); }

  void OpenDialog() {
    Then([] { Post(kModifyLocalAlgorithm); });
    When(
        "the dialog", [] { return Dialog() != nullptr; }, [] {});
  }
};

}  // namespace

TEST_F(LocalAlgorithmDialogTest, FieldsRefuseWhatLiesOutsideTheirRangeAndOkStoresEverySetting) {
  Make({u"-noregistry"});
  OpenDialog();
  Enter(&QvZLocalAlgorithmDialog::IncSlope, u"0");
  AnswerWithKey(kTitle, native::VK_RETURN);
  Enter(&QvZLocalAlgorithmDialog::ConsIncSlope, u"x");
  AnswerWithKey(kTitle, native::VK_RETURN);
  Enter(&QvZLocalAlgorithmDialog::IncSlope, u"20");
  Enter(&QvZLocalAlgorithmDialog::ConsIncSlope, u"5");
  Enter(&QvZLocalAlgorithmDialog::TotalIncSlope, u"10000");
  Enter(&QvZLocalAlgorithmDialog::SetMask, u"1.5");
  Then([this] {
    Click(Dialog()->ShowBeforeSet());
    Click(Dialog()->CheckNegSlope());
  });
  When(
      "both boxes checked",
      [] { return Dialog()->ShowBeforeSet()->Selected() && Dialog()->CheckNegSlope()->Selected(); },
      [] { Post(KZDialog::kOkResult); });
  When(
      "the dialog to close", [] { return Dialog() == nullptr; },
      [this] {
        EXPECT_EQ(Int(u"\\Chart\\LocalAlg\\IncSlope"), 20);
        EXPECT_EQ(Int(u"\\Chart\\LocalAlg\\ConsIncSlope"), 5);
        EXPECT_EQ(Int(u"\\Chart\\LocalAlg\\TotalIncSlope"), 10000);
        EXPECT_DOUBLE_EQ(Float(u"\\Chart\\LocalAlg\\SetMask"), 1.5);
        EXPECT_TRUE(Bool(u"\\Chart\\LocalAlg\\ShowBeforeSet"));
        EXPECT_TRUE(Bool(u"\\Chart\\LocalAlg\\CheckNegSlope"));
      });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_NE(seen[0].text.find(u"0"), std::u16string::npos);
  EXPECT_NE(seen[1].text.find(u"x"), std::u16string::npos);
}

TEST_F(LocalAlgorithmDialogTest, CancelStoresNothing) {
  Make({u"-noregistry"});
  OpenDialog();
  Enter(&QvZLocalAlgorithmDialog::IncSlope, u"20");
  Then([this] { Click(Dialog()->ShowBeforeSet()); });
  When(
      "the box checked", [] { return Dialog()->ShowBeforeSet()->Selected(); },
      [] { Post(KZDialog::kCancelResult); });
  When(
      "the dialog to close", [] { return Dialog() == nullptr; },
      [this] {
        EXPECT_EQ(Int(u"\\Chart\\LocalAlg\\IncSlope"), 12);
        EXPECT_FALSE(Bool(u"\\Chart\\LocalAlg\\ShowBeforeSet"));
      });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(seen.empty());
}
