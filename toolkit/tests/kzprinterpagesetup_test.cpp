#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/zafwindowmanager.h"
#include "native/controls/controlconstants.h"
#include "native/user/messageapi.h"
#include "toolkit/kzprinter.h"
#include "toolkit/kzradiogroup.h"
#include "toolkit/kzreal.h"
#include "toolkit/tests/kzdialogtestbed.h"

namespace {

class KZPageSetupTest : public KZDialogTest {
 protected:
  KZPageSetupTest() {
    Setting(u"\\Strings\\Print\\PageSetupDlg\\Margins\\Inches:String=Inches");
    Setting(u"\\Strings\\Print\\PageSetupDlg\\Margins\\Centimeters:String=Centimetres");
  }
  // The fields of the shown page-setup dialog: left, right, top and bottom.
  static std::vector<KZReal*> Fields() {
    std::vector<KZReal*> fields;
    Collect(ZafWindowObject::windowManager->FirstChild(), fields);
    return fields;
  }
  void ChooseUnit(int32_t unit) {
    std::vector<KZRadioGroup*> groups;
    Collect(ZafWindowObject::windowManager->FirstChild(), groups);
    ASSERT_EQ(groups.size(), 1u);
    auto* button = static_cast<ZafWindowObject*>(groups[0]->FirstChild());
    Click(unit == KZPrinter::kCentimetres ? static_cast<ZafWindowObject*>(button->Next()) : button);
  }
};

}  // namespace

TEST_F(KZPageSetupTest, MarginsTypedInTheDialogAreKeptInThousandthsOfAnInch) {
  // The left margin starts at one inch and the bottom at half an inch; 0.5 is typed for the left one.
  struct Case {
    const char* name;
    int32_t unitBefore;
    std::vector<std::u16string> shown;  // left, right, top, bottom
    int32_t unitChosen;
    ZafEventType answer;
    bool confirmed;
    int32_t left, bottom, unitAfter;
  } cases[] = {
      {"0.5 in centimetres",
       KZPrinter::kCentimetres,
       {u"2.54", u"0.00", u"0.00", u"1.27"},
       KZPrinter::kCentimetres,
       KZDialog::kOkResult,
       true,
       196,
       500,
       KZPrinter::kCentimetres},
      {"0.5 after choosing inches",
       KZPrinter::kCentimetres,
       {u"2.54", u"0.00", u"0.00", u"1.27"},
       KZPrinter::kInches,
       KZDialog::kOkResult,
       true,
       500,
       1270,
       KZPrinter::kInches},
      {"cancelled",
       KZPrinter::kInches,
       {u"1.00", u"0.00", u"0.00", u"0.50"},
       KZPrinter::kCentimetres,
       KZDialog::kCancelResult,
       false,
       1000,
       500,
       KZPrinter::kInches},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KZPrinter printer;
    printer.SetUnit(c.unitBefore);
    printer.SetMargin(KZPrinter::kLeft, 1000);
    printer.SetMargin(KZPrinter::kBottom, 500);
    std::vector<std::u16string> shown;
    std::vector<KZReal*> fields;
    application.Run({[&] {
                       fields = Fields();
                       ASSERT_EQ(fields.size(), 4u);
                       for (KZReal* field : fields) {
                         shown.push_back(field->Text());
                       }
                       Click(fields[0]);
                     },
                     [&] {
                       // The whole text is replaced, once the click has placed the caret.
                       native::SendMessage(fields[0]->ScreenID(), native::EM_SETSEL, 0, -1);
                       driver.typeText(u"0.5");
                     },
                     [&] { ChooseUnit(c.unitChosen); }, [&] { KZScriptedApplication::Post(c.answer); }});
    EXPECT_EQ(printer.PageSetupDialog(), c.confirmed);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(printer.Margin(KZPrinter::kLeft), c.left);
    EXPECT_EQ(printer.Margin(KZPrinter::kBottom), c.bottom);
    EXPECT_EQ(printer.Margin(KZPrinter::kTop), 0);
    EXPECT_EQ(printer.Unit(), c.unitAfter);
  }
}
