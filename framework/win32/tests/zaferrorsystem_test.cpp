#include <gtest/gtest.h>

#include <string>

#include "framework/core/zafbutton.h"
#include "framework/core/zaferrorsystem.h"
#include "framework/core/zaficon.h"
#include "framework/core/zafmessagewindow.h"
#include "framework/core/zafreal.h"
#include "framework/core/zafstring.h"
#include "framework/data/zafrealdata.h"
#include "framework/data/zafstringdata.h"
#include "framework/win32/tests/zafdialogtestbed.h"

namespace {

class ErrorSystemTest : public ZafDialogTest {
 protected:
  ErrorSystemTest() { ZafErrorSystem::SetErrorSystem(&errors); }
  ~ErrorSystemTest() override { ZafErrorSystem::SetErrorSystem(nullptr); }
  ZafErrorSystem errors;
};

// A real field out of its range asks the user through a message window: OK keeps the text, Cancel brings
// the old value back.
TEST_F(ErrorSystemTest, AnOutOfRangeRealIsReportedInAMessageWindow) {
  struct Case {
    const char* name;
    ZafEventType chosen;
    ZafError result;
    double value;
  };
  const Case cases[] = {
      {"OK keeps the text", -2999, ZAF_ERROR_KEPT, 3},
      {"Cancel restores the old value", -2993, ZAF_NUMBER_OUT_OF_RANGE, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafReal field(0, 0, 10, 3.0);
    field.SetValidateOnLeave(true);
    field.SetErrorQuery(true);
    field.SetRangeText(u"1..10");
    field.StringData()->SetText(u"15");
    std::u16string shown;
    uint16_t buttons = 0;
    const unsigned beeps = driver.beepCount();
    ZafMessageWindow* report = nullptr;
    WhenReady(
        "the range report to be shown and answered",
        [this] { return manager->FrontWindow() && manager->FrontWindow()->ScreenID(); },
        [&] {
          report = dynamic_cast<ZafMessageWindow*>(manager->FrontWindow());
          ASSERT_NE(report, nullptr);
          shown = report->MessageText();
          buttons = report->Buttons();
          EXPECT_EQ(report->IconNumber(), ZAF_ICON_EXCLAMATION);
          for (ZafElement* element = report->FirstButton(); element; element = element->Next()) {
            if (static_cast<ZafButton*>(element)->Value() == c.chosen) {
              ClickOn(*static_cast<ZafButton*>(element));
            }
          }
        });
    ZafEventRecord enter(ChosenEvent, 0);
    enter.windowObject = &field;
    EXPECT_EQ(field.Event(enter), c.result);
    EXPECT_EQ(field.RealData()->Value(), c.value);
    EXPECT_EQ(shown, u"The number 15 is not in the range 1..10.");
    EXPECT_EQ(buttons, ZAF_MESSAGE_OK | ZAF_MESSAGE_CANCEL);
    EXPECT_EQ(driver.beepCount(), beeps + 1);
    EXPECT_EQ(manager->FrontWindow(), nullptr) << "the report is gone";
  }
}

}  // namespace
