// A modal dialog in the running program keeps the user away from the program's other windows: while any
// dialog the program shows is up the main frame is disabled, clicks on the main menu bar or on an event
// window open nothing and leave the dialog in front, nothing runs once it is answered, and File > Exit
// then ends the program.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <memory>
#include <string>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzchartpane.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/qvzoptionsdialog.h"
#include "app/tests/dialogtestsupport.h"
#include "app/tests/menuloopscript.h"
#include "app/tests/programtest.h"
#include "framework/core/zafmdiwindow.h"
#include "framework/core/zafpopupmenu.h"
#include "framework/core/zafwindowmanager.h"
#include "imaging/ui/yzhardwarebar.h"
#include "model/qvevent.h"
#include "native/native.h"
#include "native/print/filedialog.h"
#include "native/user/menubar.h"
#include "native/user/menupopup.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzpulldownitem.h"
#include "toolkit/kzpulldownmenu.h"

namespace {

// A dialog owned by the frame's client window rather than by the frame would wait unheard by the script,
// and the test would hang: while installed, the client passes such waits on to the frame, so that the test
// finds the frame left enabled instead.
class ClientWaitsToFrame {
 public:
  ClientWaitsToFrame(native::HWND client, native::HWND frame) : client(client) {
    target = frame;
    previous = reinterpret_cast<native::WNDPROC>(
        native::SetWindowLong(client, native::GWL_WNDPROC, reinterpret_cast<native::LONG_PTR>(&Procedure)));
  }
  ~ClientWaitsToFrame() {
    if (native::IsWindow(client)) {
      native::SetWindowLong(client, native::GWL_WNDPROC, reinterpret_cast<native::LONG_PTR>(previous));
    }
  }
  ClientWaitsToFrame(const ClientWaitsToFrame&) = delete;
  ClientWaitsToFrame& operator=(const ClientWaitsToFrame&) = delete;

 private:
  static native::LRESULT Procedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                   native::LPARAM lParam) {
    if (message == native::WM_ENTERIDLE) {
      return native::SendMessage(target, message, wParam, lParam);
    }
    return native::CallWindowProc(previous, window, message, wParam, lParam);
  }

  static inline native::HWND target = nullptr;
  static inline native::WNDPROC previous = nullptr;
  native::HWND client;
};

class ModalDialogTest : public ProgramTest {
 protected:
  // Room for the menu bar beside the dialog.
  ModalDialogTest() : ProgramTest({1280, 1024, 96}) {}

  static native::HWND FrameWindow() { return Frame()->ScreenID(2); }
  // The window in front of the frame that takes the input: the dialog; null while the frame has it.
  static native::HWND Dialog() {
    const native::HWND active = native::GetActiveWindow();
    return active != nullptr && active != FrameWindow() && native::IsWindowVisible(active) ? active : nullptr;
  }

  // The middle of the main menu bar's entry whose text holds `label` (the bar may begin with a maximised
  // event window's entries).
  static native::POINT MenuBarEntry(const std::u16string& label) {
    const native::HWND frame = Frame()->ScreenID(2);
    const std::vector<native::RECT> entries = native::MenuBar::screenEntries(frame);
    for (auto* item = KZApplication::mainMenuBar->FirstChild(); item;
         item = static_cast<ZafWindowObject*>(item->Next())) {
      auto* entry = dynamic_cast<KZPullDownItem*>(item);
      if (!entry || std::u16string(entry->Text()).find(label) == std::u16string::npos) {
        continue;
      }
      const auto submenu = reinterpret_cast<native::HMENU>(entry->Submenu().ScreenID());
      for (int position = 0; position < native::GetMenuItemCount(native::GetMenu(frame)); ++position) {
        if (native::GetSubMenu(native::GetMenu(frame), position) == submenu &&
            static_cast<size_t>(position) < entries.size()) {
          const native::RECT& rect = entries[static_cast<size_t>(position)];
          return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        }
      }
    }
    ADD_FAILURE() << "no menu bar entry " << KString(label.c_str()).ToUtf8();
    return {0, 0};
  }
};

}  // namespace

TEST_F(ModalDialogTest, EveryDialogDisablesTheFrameAndNothingPickedBehindItRuns) {
  struct Row {
    const char* name;
    ZafEventType command;
    std::u16string title;
  };
  const Row rows[] = {
      {"open", OpenCommand, u"Open"},
      {"save", SaveAsCommand, u"Save As"},
      {"chart printer setup", 10481, u"Print"},
      {"chart print", 10482, u"Print"},
      {"results printer setup", 10526, u"Print Setup"},
      {"results print", 10527, u"Print"},
      {"options", QvZOptionsDialog::kGeneralCommand, u"Options"},
      {"schedule", ScheduleGotoCommand, u"Goto Event"},
      {"scoreboard message", ScoreboardEditMessageCommand, u"Scoreboard Message"},
      {"local algorithm", QvZChartPane::kLocalAlgorithmSettingsCommand, u"Local Algorithm"},
      {"message box", CloseWindowEvent, u"Close"},
  };
  Setting(u"\\Scoreboards\\Board\\Name:String=Finish board");
  // The photo-finish system asks for reaction times while each dialog is open.
  const int port = FreePort();
  Setting(KString(u"\\Database\\QXF\\SerialPort:String=-2,0,").AppendInt(port).CStr());
  pid_t asking = -1;
  int askingStatus = -1;
  Make({u"-noregistry"});
  // The window system's own file dialogs, not the fixture's answers.
  native::FileDialog::install();
  std::unique_ptr<MenuLoopScript> frameScript;
  std::unique_ptr<ClientWaitsToFrame> clientWaits;
  Then([&] {
    frameScript = std::make_unique<MenuLoopScript>(FrameWindow(), script);
    clientWaits = std::make_unique<ClientWaitsToFrame>(Frame()->ScreenID(), FrameWindow());
    Post(NewCommand);
  });
  When(
      "a new event window", [] { return CurrentEventWindow() != nullptr; }, [] {});
  for (const Row& row : rows) {
    const std::string name = row.name;
    Then([&row] {
      // Only a changed document asks before its window closes.
      CurrentEventWindow()->GetEvent()->SetModified(row.command == CloseWindowEvent);
      Post(row.command);
    });
    When(
        "the dialog of " + name, [] { return Dialog() != nullptr; },
        [this, &row, &asking, port] {
          SCOPED_TRACE(row.name);
          EXPECT_EQ(driver.text(Dialog()).substr(0, row.title.size()), row.title);
          EXPECT_FALSE(native::IsWindowEnabled(FrameWindow())) << "the frame takes input behind the dialog";
          const native::POINT file = MenuBarEntry(u"File");
          driver.click(file.x, file.y);
          // The event window's bottom left corner, which the dialog in the middle leaves free.
          const native::RECT event = driver.screenRect(CurrentEventWindow()->ScreenID());
          driver.click(event.left + 10, event.bottom - 10);
          asking = StartProcess({KESTROVE_PFPEER, "rrq", "0", std::to_string(port), "1", "1", "1"});
        });
    WhenExited(asking, askingStatus);
    Then([this, &row, &askingStatus] {
      SCOPED_TRACE(row.name);
      // pfpeer's status for RNR: the request was answered while the dialog was open.
      EXPECT_TRUE(WIFEXITED(askingStatus) && WEXITSTATUS(askingStatus) == 1) << askingStatus;
      EXPECT_EQ(MenuLoopScript::WaitingMenu(), nullptr) << "a menu opened";
      ASSERT_NE(Dialog(), nullptr) << "the dialog is no longer in front";
      driver.pressKey(native::VK_ESCAPE);
    });
    When(
        "the dialog of " + name + " to close", [] { return Dialog() == nullptr; },
        [&row] {
          SCOPED_TRACE(row.name);
          EXPECT_TRUE(native::IsWindowEnabled(FrameWindow()));
          CurrentEventWindow()->GetEvent()->SetModified(false);
        });
    Then([&row] {
      SCOPED_TRACE(row.name);
      EXPECT_EQ(Dialog(), nullptr) << "something picked behind the dialog ran";
      EXPECT_EQ(MenuLoopScript::WaitingMenu(), nullptr) << "a menu picked behind the dialog opened";
    });
  }
  Then([&] {
    clientWaits.reset();
    frameScript.reset();
  });
  AnswerPopUpMenu(
      [this] {
        const native::POINT file = MenuBarEntry(u"File");
        driver.click(file.x, file.y);
      },
      [this](native::HWND popup) {
        const std::vector<native::RECT> entries = native::MenuPopup::screenEntries(popup);
        ASSERT_FALSE(entries.empty());
        // Exit is the File menu's last entry.
        const native::RECT& exit = entries.back();
        driver.click((exit.left + exit.right) / 2, (exit.top + exit.bottom) / 2);
      });
  EXPECT_EQ(Run(), 0);
}
