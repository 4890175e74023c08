#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/framecommands.h"
#include "app/producttitle.h"
#include "app/qvzeventmdi.h"
#include "app/tests/programtest.h"
#include "model/qvevent.h"
#include "native/shell/ddeapi.h"
#include "native/shell/semaphoreapi.h"
#include "native/user/virtualkeys.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzmessagewindow.h"

namespace {

// The program with one saved event document, "a, b.qve", in a folder of its own, and no window open.
class CommandServiceTest : public ProgramTest {
 protected:
  CommandServiceTest() { std::filesystem::create_directories(FilePath("events/out")); }

  std::string Events() const { return FilePath("events"); }

  // Saves a new event as "a, b.qve" and closes its window.
  void SaveEventAndClose() {
    Setting(u"\\Database\\File\\DataOutDir:String=" +
            std::u16string(KString::FromUtf8(Events() + "/out/").CStr()));
    Then([] { Post(NewCommand); });
    When(
        "a new event window", [] { return EventWindows().size() == 1; },
        [this] {
          AnswerFileDialog(Events() + "/a, b.qve");
          EventWindows()[0]->Save(QvZEventMDI::kSave);
          Post(CloseWindowEvent);
        });
    When(
        "the window to close", [] { return EventWindows().empty(); }, [] {});
  }

  // The message windows on the desktop.
  static int MessageWindows() {
    int count = 0;
    for (ZafElement* window = ZafWindowObject::windowManager->FirstChild(); window; window = window->Next()) {
      count += dynamic_cast<KZMessageWindow*>(window) != nullptr ? 1 : 0;
    }
    return count;
  }

  // Sends the command and waits for its answer; `then` runs with it.
  void Send(const std::string& command, std::function<void(const std::string&)> then,
            const std::string& topic = "System") {
    auto answer = std::make_shared<std::shared_future<std::string>>();
    Then([this, answer, command, topic] { *answer = SendCommand(command, topic); });
    WhenWithin(
        "the answer to " + command, kCommandAnswerMs, [answer] { return Ready(*answer); },
        [answer, then] { then(answer->get()); });
  }
};

}  // namespace

TEST_F(CommandServiceTest, OpenEventOpensTheFileOnceWhateverItsSpelling) {
  SaveEventAndClose();
  auto first = std::make_shared<QvZEventMDI*>(nullptr);
  Send("OpenEvent,\"" + Events() + "/a, b.qve\"",
       [](const std::string& answer) { EXPECT_EQ(answer, "ACK"); });
  When(
      "the event window", [] { return EventWindows().size() == 1; },
      [this, first] {
        *first = EventWindows()[0];
        std::filesystem::create_symlink(Events() + "/a, b.qve", Events() + "/link.qve");
      });
  // The same file again, through "./" and through a symbolic link: the same window comes forward.
  for (const std::string& spelling :
       {Events() + "/a, b.qve", Events() + "/./a, b.qve", Events() + "/link.qve"}) {
    Send("OpenEvent,\"" + spelling + "\"", [](const std::string& answer) { EXPECT_EQ(answer, "ACK"); });
    When(
        "the command served", [this] { return program->PendingCommand().IsEmpty(); },
        [first] { EXPECT_EQ(EventWindows(), std::vector<QvZEventMDI*>{*first}); });
  }
  // The keyword is case-sensitive: the command is dropped.
  Send("openevent," + Events() + "/other.qve", [](const std::string& answer) { EXPECT_EQ(answer, "ACK"); });
  When(
      "the command dropped", [this] { return program->PendingCommand().IsEmpty(); },
      [first] { EXPECT_EQ(EventWindows(), std::vector<QvZEventMDI*>{*first}); });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(seen.empty());
}

TEST_F(CommandServiceTest, FailingCommandsShowOneErrorBoxAtATimeAndTheRestAreBusy) {
  constexpr int kCommands = 200;
  for (int i = 0; i < kCommands; ++i) {
    const std::string missing = "OpenEvent," + Events() + "/missing" + std::to_string(i) + ".qve";
    Send(missing, [](const std::string& answer) { EXPECT_EQ(answer, "ACK"); });
    When(
        "the error box of command " + std::to_string(i),
        [] { return FrontMessage() != nullptr && FrontMessage()->ScreenID(); },
        [] { EXPECT_EQ(MessageWindows(), 1); });
    // While the box of a command is up, another command is refused and opens nothing.
    Send(missing, [](const std::string& answer) { EXPECT_EQ(answer, "BUSY"); });
    AnswerWithKey(u"Error", native::VK_RETURN);
  }
  When(
      "the last command served", [this] { return program->PendingCommand().IsEmpty() && !FrontMessage(); },
      [this] { ExitProgram(); });
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), static_cast<std::size_t>(kCommands));
  EXPECT_EQ(seen.back().text, u"Error opening a file (3002).");
}

TEST_F(CommandServiceTest, ACommandTakenDuringTheUsersDialogWaitsForTheMainLoop) {
  Then([this] { program->Message(KString(u"A message for the user")); });
  // The script goes on inside the message's loop.
  Send("OpenEvent," + Events() + "/missing.qve", [](const std::string& answer) { EXPECT_EQ(answer, "ACK"); });
  Send("OpenEvent," + Events() + "/other.qve", [](const std::string& answer) { EXPECT_EQ(answer, "BUSY"); });
  Send(
      "OpenEvent,x.qve", [](const std::string& answer) { EXPECT_EQ(answer, "NAK"); }, "Other");
  Then([this] {
    EXPECT_EQ(program->PendingCommand().ToUtf8(), "OpenEvent," + Events() + "/missing.qve");
    EXPECT_EQ(MessageWindows(), 1);
  });
  AnswerWithKey(u"Message", native::VK_RETURN);
  AnswerWithKey(u"Error", native::VK_RETURN);
  When(
      "the command served", [this] { return program->PendingCommand().IsEmpty() && !FrontMessage(); },
      [this] { ExitProgram(); });
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].text, u"A message for the user");
}

TEST_F(CommandServiceTest, WithSingleEventACancelledCloseOpensNothing) {
  Setting(u"\\Event\\SingleEvent:Int=1");
  SaveEventAndClose();
  Then([] { Post(NewCommand); });
  When(
      "a new event window", [] { return EventWindows().size() == 1; },
      [] { EventWindows()[0]->GetEvent()->SetModified(true); });
  Send("OpenEvent,\"" + Events() + "/a, b.qve\"", [](const std::string&) {});
  AnswerWithClick(u"Close Event Window", KZDialog::kCancelResult);
  When(
      "the command served", [this] { return program->PendingCommand().IsEmpty() && !FrontMessage(); },
      [] {
        ASSERT_EQ(EventWindows().size(), 1u);
        EXPECT_TRUE(EventWindows()[0]->GetEvent()->FileName().IsEmpty());
        EventWindows()[0]->GetEvent()->SetModified(false);
        Post(ExitEvent);
      });
  EXPECT_EQ(Run(), 0);
}

TEST_F(CommandServiceTest, NoServiceWithTheOptionNorInASecondCopyAndA1002WhenTheNameIsTaken) {
  struct Case {
    const char* name;
    bool option;
    bool secondCopy;
    bool nameTaken;
  } cases[] = {{"with -noddeserver", true, false, false},
               {"in a second copy", false, true, false},
               {"the name served already", false, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    native::DWORD other = 0;
    if (c.nameTaken) {
      native::DdeInitialize(
          &other,
          [](native::UINT, native::UINT, native::HCONV, native::HSZ, native::HSZ, native::HDDEDATA,
             native::ULONG_PTR, native::ULONG_PTR) -> native::HDDEDATA { return nullptr; },
          0, 0);
      native::DdeNameService(other, native::DdeCreateStringHandle(other, kProductName, native::CP_WINUNICODE),
                             nullptr, native::DNS_REGISTER);
    }
    // Another copy of the program runs and has counted itself.
    const native::HANDLE first =
        c.secondCopy ? native::CreateSemaphoreA(nullptr, 1, 1000, YZApplication::kInstanceCounter) : nullptr;
    Make(c.option ? std::vector<std::u16string>{u"-noddeserver"} : std::vector<std::u16string>{});
    seen.clear();
    if (c.nameTaken) {
      AnswerWithKey(u"Error", native::VK_RETURN);
    }
    if (c.secondCopy) {
      AnswerWithClick(u"Kestrove 2", KZDialog::kOkResult);
    }
    Then([this] { EXPECT_FALSE(program->DdeServerRunning()); });
    if (!c.nameTaken) {
      Send("openevent,x", [](const std::string& answer) { EXPECT_EQ(answer, "") << "no service answers"; });
    }
    ExitProgram();
    EXPECT_EQ(Run(), 0);
    ASSERT_EQ(seen.size(), c.nameTaken || c.secondCopy ? 1u : 0u);
    if (c.nameTaken) {
      EXPECT_NE(seen[0].text.find(u"(1002)"), std::u16string::npos);
    }
    program.reset();
    if (first != nullptr) {
      native::CloseHandle(first);
    }
    if (other != 0) {
      native::DdeUninitialize(other);
    }
  }
}
