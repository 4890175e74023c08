#pragma once
// The program tests' fixture: the program's application object started headless in a temporary program
// folder (with the data file, the splash picture and the language file beside it) and a private runtime
// folder (the instance counter and the command socket live there), driven by a script of steps as a user
// would drive it: commands, keys, clicks, answers to message windows and pop-up menus. A step waits at most a
// bounded number of passes of whichever loop runs for what it needs; when that does not come the test fails
// naming it, and the program is closed down, never left hanging.

#include <gtest/gtest.h>

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/panewindow.h"
#include "app/qvzeventmdi.h"
#include "app/yzapplication.h"
#include "foundation/kfiledialog.h"
#include "framework/core/zafwindow.h"
#include "native/testdriver.h"
#include "native/tests/runtimefolder.h"

class KZMessageWindow;
class MenuLoopScript;
class ProgramScript;
class QvZControl;

// The application object as the tests run it: the clock seam moves the driver's virtual clock, the idle
// pauses take no time, every idle pass runs the script, and each step of the start routine is recorded.
class TestProgram : public YZApplication {
 public:
  TestProgram(int argc, ZafIChar** argv, native::TestDriver& driver, ProgramScript& script);

  bool Idle(int32_t idleCount) override;

  // The start routine's steps and the class steps, in the order they began.
  std::vector<std::string> steps;
  // What the clock seam was asked to wait, in milliseconds, in order.
  std::vector<int32_t> waits;
  // Run when the start routine reaches the step of that name (before the step).
  std::map<std::string, std::function<void()>> atStep;

 protected:
  void Wait(int32_t milliseconds) override;
  void Reached(const char* step) override;
  void IdleWait() override {}

 private:
  native::TestDriver& itsDriver;
  ProgramScript& itsScript;
};

// A message window as the user saw it.
struct SeenMessage {
  std::u16string title;
  std::u16string text;
};

// The steps a test runs inside the program's loops, one at a time.
class ProgramScript {
 public:
  // Passes of the loops that a step may wait for what it needs.
  static constexpr int kPatience = 2000;

  struct Step {
    std::string waitingFor;
    // Null: ready at once.
    std::function<bool()> ready;
    std::function<void()> act;
    // Above 0: the step waits this many real milliseconds (for another process) rather than kPatience
    // passes.
    int32_t withinMs = 0;
  };

  void Add(Step step) { steps.push_back(std::move(step)); }
  // One idle pass: runs the front step when it is ready, counts the wait otherwise; after a failure (or
  // a script that ran out while the program still runs) it closes every message window and ends the
  // main loop.
  void Tick();
  bool Finished() const { return next == steps.size(); }
  bool GivenUp() const { return givenUp; }

 private:
  void GiveUp(const std::string& what);

  std::vector<Step> steps;
  std::size_t next = 0;
  int waited = 0;
  // When the front step began to wait.
  std::chrono::steady_clock::time_point waitingSince;
  bool givenUp = false;
};

class ProgramTest : public testing::Test {
 protected:
  explicit ProgramTest(native::DesktopOptions desktop = {640, 480, 96});
  ~ProgramTest() override;

  // ---- files of the program's folder ----
  std::string FilePath(const std::string& name) const;
  void WriteFile(const std::string& name, const std::string& bytes) const;
  std::string ReadFile(const std::string& name) const;
  bool FileExists(const std::string& name) const;

  // ---- the run ----
  // Makes the application object with the arguments after the program's path; the test may then set
  // its hooks before Run.
  TestProgram& Make(std::vector<std::u16string> arguments = {});
  // Runs the start routine with the script (making the object first when the test did not), and
  // answers its exit code. The object stays for the test to look at until the next Make.
  int32_t Run();

  // ---- script steps ----
  // Acts at the next idle pass.
  void Then(std::function<void()> act);
  // Acts once `ready` answers true.
  void When(std::string waitingFor, std::function<bool()> ready, std::function<void()> act);
  // Acts once `ready` answers true, waiting at most `withinMs` real milliseconds.
  void WhenWithin(std::string waitingFor, int32_t withinMs, std::function<bool()> ready,
                  std::function<void()> act);
  // Starts a program with the arguments (the first is its path); -1 when it could not be started. Its
  // exit status lands in `status` once WhenExited saw it end (`process` is read when the step runs). The
  // programs started are peers that give up by their own bounds (pfpeer waits 5 s for an answer and then
  // exits with a status of its own), so the script waits for the end however loaded the machine is.
  static pid_t StartProcess(const std::vector<std::string>& arguments);
  void WhenExited(const pid_t& process, int& status);
  // A TCP port of this computer that nothing listens on right now.
  static int FreePort();
  // Waits for the message window with that title, notes it in `seen`, and presses `key` in it.
  void AnswerWithKey(const std::u16string& title, native::UINT key);
  // The same, clicking the button of that result.
  void AnswerWithClick(const std::u16string& title, ZafEventType button);
  // The same, clicking its close box.
  void AnswerWithCloseBox(const std::u16string& title);
  // Opens a pop-up menu by `open` (a click, say) and, once the menu waits for input in its own loop, runs
  // `answer` there with the menu's window: it may look at the menu, and must give it its input (a key, a
  // click on an entry).
  void AnswerPopUpMenu(std::function<void()> open, std::function<void(native::HWND menu)> answer);
  // A right click on a row of the current event window's results chooses the row, which the chart then
  // shows alone, and opens its status menu, which Escape closes.
  void ChooseRow(int32_t row);
  // File > Exit as the main frame's command.
  void ExitProgram();

  // The first object of the type in the window and the windows inside it, depth first in child order, that
  // `match` accepts; null when there is none.
  template <typename Object, typename Match>
  static Object* FindIn(ZafWindowObject* object, Match match) {
    if (auto* found = dynamic_cast<Object*>(object); found && match(*found)) {
      return found;
    }
    if (auto* window = dynamic_cast<ZafWindow*>(object)) {
      for (auto* child = window->FirstChild(); child; child = static_cast<ZafWindowObject*>(child->Next())) {
        if (Object* found = FindIn<Object>(child, match)) {
          return found;
        }
      }
    }
    return nullptr;
  }

  // Puts the event at the end of the program's queue.
  static void Post(ZafEventType type);
  // The message window in front, null when the front window is none.
  static KZMessageWindow* FrontMessage();
  // Clicks the middle of the object's native window.
  void Click(ZafWindowObject* object);

  // ---- file dialogs ----
  // The next open or save dialog answers with the file and the filter position; with no answer left a
  // dialog is cancelled. The requests are noted in `fileDialogs`.
  void AnswerFileDialog(const std::string& path, int32_t choice = 0);

  // ---- event windows ----
  static QvZControl* Frame();
  // The main frame's event windows in child order.
  static std::vector<QvZEventMDI*> EventWindows();
  // The main frame's current event window; null when there is none.
  static QvZEventMDI* CurrentEventWindow();
  // The current event window's current pane window of the kind, as its class; null when there is none.
  template <class Window>
  static Window* CurrentPane(PaneKind kind) {
    QvZEventMDI* window = CurrentEventWindow();
    PaneWindow* pane = window != nullptr ? window->CurrentWindow(kind) : nullptr;
    return pane != nullptr ? dynamic_cast<Window*>(pane->Window()) : nullptr;
  }
  // Writes a settings line ("\Event\SingleEvent:Int=0") once the settings are loaded, before the
  // class set-ups.
  void Setting(std::u16string line);

  // ---- the command service ----
  // Sends the command from another thread, as another program would; the answer ("ACK", "BUSY", "NAK",
  // empty for none) comes when the program has served the request.
  std::shared_future<std::string> SendCommand(const std::string& command,
                                              const std::string& topic = "System");
  // The real time a step gives a command's answer, made on another thread: more than the 5000 ms after
  // which the sending side gives up.
  static constexpr int32_t kCommandAnswerMs = 10000;
  static bool Ready(const std::shared_future<std::string>& answer);

  native::test::RuntimeFolder runtime;
  native::TestDriver driver;
  ProgramScript script;
  std::unique_ptr<TestProgram> program;
  // The message windows answered, in order.
  std::vector<SeenMessage> seen;
  std::vector<KFileDialogRequest::Kind> fileDialogs;

 private:
  void Answer(const std::u16string& title, std::function<void(KZMessageWindow&)> press);

  struct FileAnswer {
    std::string path;
    int32_t choice;
  };
  std::deque<FileAnswer> fileAnswers;
  // Runs the script inside the pop-up menu that AnswerPopUpMenu opened.
  std::unique_ptr<MenuLoopScript> menuLoopScript;
  std::vector<std::u16string> settingLines;
  std::vector<std::u16string> argumentTexts;
  std::vector<ZafIChar*> argumentPointers;
};
