// Every control of the program's dialogs is reached from the keyboard: a dialog opens with the focus on its
// first field, and Tab and Shift+Tab go through all its controls in order, a notebook's tab row and the
// buttons included, each showing the focus as it comes, a field with its whole text selected.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzchartpane.h"
#include "app/qvzcontrol.h"
#include "app/qvzoptionsdialog.h"
#include "app/tests/dialogtestsupport.h"
#include "app/tests/programtest.h"
#include "framework/core/zafmdiwindow.h"
#include "framework/core/zafnotebook.h"
#include "imaging/ui/yzhardwarebar.h"
#include "model/qvevent.h"
#include "native/native.h"

namespace {

class DialogKeyboardTest : public ProgramTest {
 protected:
  // The focused control as the user tells it: its text, a field by the label before it, a notebook by
  // its shown tab.
  static std::string Focused() {
    ZafWindowObject* object = nullptr;
    for (native::HWND window = native::GetFocus(); !object && window; window = native::GetParent(window)) {
      object = reinterpret_cast<ZafWindowObject*>(native::GetWindowLong(window, native::GWL_USERDATA));
    }
    if (object == nullptr) {
      return "nothing";
    }
    if (auto* notebook = dynamic_cast<ZafNotebook*>(object)) {
      return "tab " + Narrow(notebook->TabText(notebook->CurrentPageIndex()));
    }
    for (auto* labelled = object; labelled; labelled = static_cast<ZafWindowObject*>(labelled->Previous())) {
      if (const std::string text = Narrow(labelled->Text()); !text.empty()) {
        return labelled == object ? text : "after " + text;
      }
    }
    return Narrow(object->ClassName());
  }

  // The focus shows where it came from `focusBefore`: a field has its whole text selected, ready to be typed
  // over; any other control looks other than it did before (`before`, the pixels of the active window then).
  void ExpectFocusShown(native::HWND focusBefore, const std::vector<native::COLORREF>& before) {
    const native::HWND focus = native::GetFocus();
    if (focus == focusBefore) {
      return;
    }
    // Only a text field counts its lines.
    if (native::SendMessage(focus, native::EM_GETLINECOUNT, 0, 0) > 0) {
      native::DWORD start = 0;
      native::DWORD end = 0;
      native::SendMessage(focus, native::EM_GETSEL, reinterpret_cast<native::WPARAM>(&start),
                          reinterpret_cast<native::LPARAM>(&end));
      EXPECT_EQ(start, 0u);
      EXPECT_EQ(end, static_cast<native::DWORD>(native::SendMessage(focus, native::WM_GETTEXTLENGTH, 0, 0)));
      return;
    }
    const native::RECT window = driver.screenRect(native::GetActiveWindow());
    const native::RECT control = driver.screenRect(focus);
    const std::vector<native::COLORREF> after = driver.pixels(window);
    const int width = window.right - window.left;
    int differing = 0;
    for (int y = control.top; y < control.bottom; ++y) {
      for (int x = control.left; x < control.right; ++x) {
        const auto at = static_cast<std::size_t>((y - window.top) * width + (x - window.left));
        differing += before[at] != after[at] ? 1 : 0;
      }
    }
    EXPECT_GT(differing, 0) << "nothing shows the focus";
  }
};

}  // namespace

TEST_F(DialogKeyboardTest, TabAndShiftTabGoThroughEveryControlInOrder) {
  struct Press {
    native::UINT key;
    bool shift;
    std::string focused;
  };
  struct Row {
    const char* name;
    ZafEventType command;
    std::string opened;
    std::vector<Press> presses;
  };
  const native::UINT tab = native::VK_TAB;
  native::HWND focusBefore = nullptr;
  std::vector<native::COLORREF> before;
  const Row rows[] = {
      {"options",
       QvZOptionsDialog::kGeneralCommand,
       "On",
       {{tab, false, "after Event Folder:"},
        {tab, false, "Browse..."},
        {tab, false, "after Language:"},
        {tab, false, "0"},
        {tab, false, "5"},
        {tab, false, "OK"},
        {tab, false, "Cancel"},
        {tab, false, "tab General"},
        {native::VK_RIGHT, false, "tab Serial"},
        {tab, false, "New"},
        {tab, false, "Delete"},
        {tab, false, "after Delete"},
        {tab, false, "after Name:"},
        {tab, false, "None"},
        {tab, false, "19200"},
        {tab, true, "None"},
        {tab, true, "after Name:"},
        {tab, true, "after Delete"},
        {tab, true, "Delete"},
        {tab, true, "New"},
        {tab, true, "tab Serial"},
        {native::VK_RIGHT, false, "tab Chart"},
        {native::VK_RIGHT, false, "tab Scoreboard"},
        {tab, false, "New"},
        {tab, false, "Delete"},
        {tab, false, "after Delete"},
        {tab, true, "Delete"},
        {tab, true, "New"},
        {tab, true, "tab Scoreboard"},
        {tab, true, "Cancel"},
        {tab, true, "OK"}}},
      {"goto event",
       ScheduleGotoCommand,
       "after Event:",
       {{tab, false, "after Round:"},
        {tab, false, "after Heat:"},
        {tab, false, "Load Schedule"},
        {tab, false, "after Load Schedule"},
        {tab, false, "OK"},
        {tab, false, "Cancel"},
        {tab, false, "after Event:"},
        {tab, true, "Cancel"}}},
  };
  Setting(u"\\SerialPorts\\Control unit\\SerialPort:String=77,19200,8,N,1.0");
  // A language on offer, none chosen: the box stays blank, with the focus too.
  Setting(u"\\Language\\Choices\\1:String=English.lng,English (United States),en_US");
  Make({u"-noregistry"});
  for (const Row& row : rows) {
    Then([&row] { Post(row.command); });
    When(
        std::string("the dialog of ") + row.name,
        [] { return native::GetActiveWindow() != Frame()->ScreenID(2); },
        [&row] {
          SCOPED_TRACE(row.name);
          EXPECT_EQ(Focused(), row.opened);
        });
    for (const Press& press : row.presses) {
      Then([this, &press, &focusBefore, &before] {
        focusBefore = native::GetFocus();
        before = driver.pixels(driver.screenRect(native::GetActiveWindow()));
        if (press.shift) {
          driver.keyDown(native::VK_SHIFT);
        }
        driver.pressKey(press.key);
        if (press.shift) {
          driver.keyUp(native::VK_SHIFT);
        }
      });
      Then([this, &row, &press, &focusBefore, &before] {
        SCOPED_TRACE(row.name + (" at " + press.focused));
        EXPECT_EQ(Focused(), press.focused);
        ExpectFocusShown(focusBefore, before);
      });
    }
    Then([this] { driver.pressKey(native::VK_ESCAPE); });
    When(
        "the dialog of " + std::string(row.name) + " to close",
        [] { return native::GetActiveWindow() == Frame()->ScreenID(2); }, [] {});
  }
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}

TEST_F(DialogKeyboardTest, EachDialogOpensWithTheFocusOnItsFirstField) {
  struct Row {
    const char* name;
    ZafEventType command;
    std::string focused;
  };
  const Row rows[] = {
      {"options, general", QvZOptionsDialog::kGeneralCommand, "On"},
      {"options, serial", QvZOptionsDialog::kSerialCommand, "New"},
      {"options, chart", QvZOptionsDialog::kChartCommand, "1"},
      {"options, scoreboard", QvZOptionsDialog::kScoreboardCommand, "New"},
      {"options, results", QvZOptionsDialog::kResultsCommand, "8"},
      {"goto event", ScheduleGotoCommand, "after Event:"},
      {"scoreboard message", ScoreboardEditMessageCommand, "ZafText"},
      {"local algorithm", QvZChartPane::kLocalAlgorithmSettingsCommand, "12"},
      // A question has no field: its default button.
      {"a question without fields", CloseWindowEvent, "Yes"},
  };
  Setting(u"\\Scoreboards\\Board\\Name:String=Finish board");
  Make({u"-noregistry"});
  Then([] { Post(NewCommand); });
  When(
      "a new event window", [] { return CurrentEventWindow() != nullptr; }, [] {});
  for (const Row& row : rows) {
    Then([&row] {
      CurrentEventWindow()->GetEvent()->SetModified(row.command == CloseWindowEvent);
      Post(row.command);
    });
    When(
        std::string("the dialog of ") + row.name,
        [] { return native::GetActiveWindow() != Frame()->ScreenID(2); },
        [this, &row] {
          EXPECT_EQ(Focused(), row.focused) << row.name;
          driver.pressKey(native::VK_ESCAPE);
        });
    When(
        "the dialog of " + std::string(row.name) + " to close",
        [] { return native::GetActiveWindow() == Frame()->ScreenID(2); },
        [] { CurrentEventWindow()->GetEvent()->SetModified(false); });
  }
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}
