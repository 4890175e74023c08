// Ending the program other than by File > Exit: the main window's close box and a termination signal take
// Exit's road, asking about the unsaved event and writing the configuration.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <functional>
#include <string>

#include "app/framecommands.h"
#include "app/qvzcontrol.h"
#include "app/tests/programtest.h"
#include "model/qvevent.h"
#include "native/native.h"
#include "native/user/nonclientlayout.h"
#include "toolkit/kzdialog.h"

namespace {

class CloseProgramTest : public ProgramTest {
 protected:
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
  };
  const Case cases[] = {
      {"the close box",
       [this] {
         const native::POINT box = CloseBox();
         driver.click(box.x, box.y);
       }},
      {"SIGTERM", [] { raise(SIGTERM); }},
      {"SIGINT", [] { raise(SIGINT); }},
      {"SIGHUP", [] { raise(SIGHUP); }},
  };
  Setting(u"\\Serial\\ShortTimeout:Int=123");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Make();
    script = ProgramScript();
    seen.clear();
    Then([] { Post(NewCommand); });
    When(
        "a new event window", [] { return CurrentEventWindow() != nullptr; },
        [&c] {
          CurrentEventWindow()->GetEvent()->SetModified(true);
          c.close();
        });
    AnswerWithClick(u"Exit Kestrove Pellacorvine", KZDialog::kNoResult);
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_NE(ReadFile("kestrove.cfg").find("ShortTimeout:Int=123"), std::string::npos);
    std::remove(FilePath("kestrove.cfg").c_str());
  }
}
