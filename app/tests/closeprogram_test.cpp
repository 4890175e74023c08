// Ending the program other than by File > Exit: the main window's close box and a termination signal take
// Exit's road, asking about the unsaved event and writing the configuration.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "app/framecommands.h"
#include "app/qvzchartpane.h"
#include "app/qvzchartwindow.h"
#include "app/qvzcontrol.h"
#include "app/qvzoptionsdialog.h"
#include "app/tests/menuloopscript.h"
#include "app/tests/programtest.h"
#include "chart/zafchartcontrol.h"
#include "model/qvevent.h"
#include "native/native.h"
#include "native/print/filedialog.h"
#include "native/user/nonclientlayout.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzmessagewindow.h"

namespace {

class CloseProgramTest : public ProgramTest {
 protected:
  // The current event window's chart, once it is on the screen; null before.
  static native::HWND ChartControl() {
    QvZChartWindow* chart = CurrentPane<QvZChartWindow>(PaneKind::kChart);
    return chart != nullptr ? chart->Pane()->Control()->ScreenID() : nullptr;
  }
  // The program's dialog or message box in front; null when none.
  static KZDialog* FrontDialog() {
    return dynamic_cast<KZDialog*>(ZafWindowObject::windowManager->FrontWindow());
  }
  // The middle of the main window's close box.
  static native::POINT CloseBox() {
    const native::HWND frame = Frame()->ScreenID(2);
    native::RECT window{};
    native::GetWindowRect(frame, &window);
    const native::NonClientLayout layout = native::NonClientLayout::compute(
        static_cast<native::DWORD>(native::GetWindowLong(frame, native::GWL_STYLE)),
        static_cast<native::DWORD>(native::GetWindowLong(frame, native::GWL_EXSTYLE)), window);
    return {(layout.closeBox.left + layout.closeBox.right) / 2,
            (layout.closeBox.top + layout.closeBox.bottom) / 2};
  }
};

}  // namespace

TEST_F(CloseProgramTest, TheCloseBoxAndTerminationSignalsAskAboutTheEventAndWriteTheConfiguration) {
  struct Case {
    const char* name;
    std::function<void()> close;
    // Opens a dialog or a menu (the window system's or the program's), inside whose loop the close then
    // comes; null: none.
    std::function<void()> open = nullptr;
  };
  const auto signal = [] { raise(SIGTERM); };
  const Case cases[] = {
      {"the close box",
       [this] {
         const native::POINT box = CloseBox();
         driver.click(box.x, box.y);
       }},
      {"SIGTERM", [] { raise(SIGTERM); }},
      {"SIGINT", [] { raise(SIGINT); }},
      {"SIGHUP", [] { raise(SIGHUP); }},
      {"SIGTERM with the Open dialog open", signal,
       [] {
         native::FileDialog::install();
         Post(OpenCommand);
       }},
      {"SIGTERM with the chart's pop-up menu open", signal,
       [this] {
         const native::RECT chart = driver.screenRect(ChartControl());
         driver.click((chart.left + chart.right) / 2, (chart.top + chart.bottom) / 2);
       }},
      {"SIGTERM with the event's close question open", signal, [] { Post(CloseWindowEvent); }},
      {"SIGTERM taken while a notice shows inside the Options dialog",
       [] {
         raise(SIGTERM);
         KZMessageWindow::Ask(u"Notice", u"Shown inside the dialog", KZDialog::kOk, KZDialog::kOk, 0);
       },
       [] { Post(QvZOptionsDialog::kSerialCommand); }},
  };
  std::unique_ptr<MenuLoopScript> loopScript;
  Setting(u"\\Serial\\ShortTimeout:Int=123");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Make();
    script = ProgramScript();
    seen.clear();
    Then([] { Post(NewCommand); });
    When(
        "a new event window and its chart", [] { return ChartControl() != nullptr; },
        [&] {
          CurrentEventWindow()->GetEvent()->SetModified(true);
          if (!c.open) {
            c.close();
            return;
          }
          // The script's steps run inside the loop, which the close must end.
          loopScript = std::make_unique<MenuLoopScript>(Frame()->ScreenID(2), script);
          c.open();
        });
    if (c.open) {
      When(
          "the dialog or menu waiting for input",
          [] {
            return MenuLoopScript::WaitingDialog() != nullptr || MenuLoopScript::WaitingMenu() != nullptr ||
                   FrontDialog() != nullptr;
          },
          c.close);
    }
    // What was open has closed before the exit asks: its question is the only dialog.
    When(
        "the exit's question",
        [] {
          return FrontMessage() != nullptr &&
                 FrontMessage()->Text() == KString(u"Exit Kestrove Pellacorvine");
        },
        [] {
          int dialogs = 0;
          for (ZafElement* window = FrontMessage(); window != nullptr; window = window->Next()) {
            dialogs += dynamic_cast<KZDialog*>(window) != nullptr ? 1 : 0;
          }
          EXPECT_EQ(dialogs, 1);
        });
    AnswerWithClick(u"Exit Kestrove Pellacorvine", KZDialog::kNoResult);
    EXPECT_EQ(Run(), 0);
    loopScript.reset();
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_NE(ReadFile("kestrove.cfg").find("ShortTimeout:Int=123"), std::string::npos);
    std::remove(FilePath("kestrove.cfg").c_str());
  }
}
