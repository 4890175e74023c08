#include "app/yzapplication.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "app/settingsfiles.h"
#include "app/tests/programtest.h"
#include "foundation/kfileextension.h"
#include "foundation/kregistry.h"
#include "foundation/krint.h"
#include "foundation/krstring.h"
#include "foundation/kserialport.h"
#include "foundation/kx.h"
#include "framework/core/zafwindowmanager.h"
#include "model/qvsettings.h"
#include "native/shell/semaphoreapi.h"
#include "native/user/virtualkeys.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzsplash.h"

namespace {

using Steps = std::vector<std::string>;

// A configuration file whose header is of another version: reading fails at once.
const std::string kUnreadableConfig = "Registry Version: 9.00\n\\Event\\SingleEvent:Int=0\n";

// A setting whose text cannot be produced: writing the configuration fails half-way.
class FailingNode : public KRInt {
 public:
  void AppendValue(KString&) const override { throw KXStream(kErrFileWrite); }
};

class YZApplicationTest : public ProgramTest {
 protected:
  std::string Setting(const char16_t* path) const { return QvSettings::Text(path).ToUtf8(); }
  // The steps between two names, both left out; an empty name is the start or the end.
  static Steps Between(const Steps& steps, const std::string& first, const std::string& last) {
    auto from = first.empty() ? steps.begin() : std::find(steps.begin(), steps.end(), first);
    if (!first.empty() && from != steps.end()) {
      ++from;
    }
    return Steps(from, last.empty() ? steps.end() : std::find(from, steps.end(), last));
  }
  bool LogHolds(const std::string& text) const {
    return ReadFile("kestrove.log").find(text) != std::string::npos;
  }
};

TEST_F(YZApplicationTest, StartAndShutdownRunTheirStepsInOrder) {
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  const Steps& steps = program->steps;
  EXPECT_EQ(Between(steps, "", "image gray table and frame pool"),
            (Steps{"log", "priority", "screen fonts", "built-in settings", "command service", "splash",
                   "settings", "configuration", "language", "data file"}));
  EXPECT_EQ(
      Between(steps, "data file", "long-lived objects"),
      (Steps{"image gray table and frame pool", "serial-port list", "sockets", "time presets and separators",
             "image print settings", "scoreboard configuration and scripts", "results-view special lengths",
             "event window status bitmaps", "results window", "chart window", "image window bitmaps",
             "image printer", "event window layout", "hardware window bitmaps", "alignment window",
             "remote-control window and pane", "hardware tool-bar bitmaps", "camera dialog"}));
  EXPECT_EQ(Between(steps, "camera dialog", "delete long-lived objects"),
            (Steps{"long-lived objects", "file types", "splash time", "main frame", "main loop"}));
  EXPECT_EQ(Between(steps, "delete long-lived objects", ""),
            (Steps{"camera dialog", "hardware tool-bar bitmaps", "remote-control pane bitmaps",
                   "remote-control window", "alignment window", "hardware window bitmaps",
                   "event window layout", "image printer", "image window bitmaps", "results window",
                   "chart window", "event window status bitmaps", "image print colour", "image frame pool",
                   "sockets", "serial-port list", "screen fonts", "save configuration"}));
  EXPECT_TRUE(FileExists("kestrove.cfg"));
  EXPECT_TRUE(FileExists("kestrove.log"));
}

TEST_F(YZApplicationTest, TheSplashStaysItsTimeOrGoesAtOnceAfterALongerStart) {
  struct Case {
    uint64_t startTime;  // virtual milliseconds the start-up takes after the splash appeared
    std::vector<int32_t> waits;
  } cases[] = {{0, {3000}}, {1200, {1800}}, {2999, {1}}, {3000, {}}, {4500, {}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.startTime);
    TestProgram& started = Make({u"-noregistry"});
    bool splashShown = false;
    started.atStep["long-lived objects"] = [&] {
      splashShown = dynamic_cast<KZSplash*>(ZafWindowObject::windowManager->FrontWindow()) != nullptr;
      driver.advanceClock(c.startTime);
    };
    ExitProgram();
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(splashShown);
    EXPECT_EQ(program->waits, c.waits);
  }
}

TEST_F(YZApplicationTest, NoRegistryStartsWithTheDefaultsAndWritesNothing) {
  WriteFile("kestrove.cfg", "Registry Version: 1.00\n\\Alerts\\:=\n\\Strings\\Alerts\\Error:String=Fault\n");
  const std::string before = ReadFile("kestrove.cfg");
  Make({u"-noregistry"});
  std::string errorTitle;
  bool noLanguages = false;
  Then([&] {
    errorTitle = program->ErrorTitle().ToUtf8();
    const KRGroup* choices = KRegistry::GetGroup(program->Settings(), u"\\Language\\Choices");
    noLanguages = choices && !choices->NextChild(nullptr);
  });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(errorTitle, "Error");
  EXPECT_TRUE(noLanguages);
  EXPECT_EQ(ReadFile("kestrove.cfg"), before);
  EXPECT_FALSE(std::filesystem::exists(FilePath("kestrove.cfg.bad")));
}

TEST_F(YZApplicationTest, WithoutAConfigurationTheLocaleChoosesTheLanguage) {
  for (const bool empty : {false, true}) {
    SCOPED_TRACE(empty);
    std::filesystem::remove(FilePath("kestrove.cfg"));
    if (empty) {
      WriteFile("kestrove.cfg", "");
    }
    Make();
    std::string choice;
    bool languageFound = false;
    Then([&] {
      choice = Setting(u"\\Language\\Choice");
      languageFound = program->Files()->FindLanguage() != nullptr;
    });
    ExitProgram();
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(choice, KZApplication::SelectLanguage().ToUtf8());
    EXPECT_TRUE(languageFound);
    EXPECT_FALSE(std::filesystem::exists(FilePath("kestrove.cfg.bad")));
  }
}

TEST_F(YZApplicationTest, AnUnreadableConfigurationIsReportedAndKeptAside) {
  enum Road { kWritten, kWriteFails, kNoCopy };
  struct Case {
    Road road;
    bool error6002;
    bool configKept;
    bool copyKept;
  } cases[] = {{kWritten, false, false, true}, {kWriteFails, true, true, true}, {kNoCopy, true, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.road);
    std::filesystem::remove_all(FilePath("kestrove.cfg.bad"));
    std::filesystem::remove(FilePath("kestrove.log"));
    WriteFile("kestrove.cfg", kUnreadableConfig);
    seen.clear();
    Make();
    AnswerWithKey(u"Error", native::VK_RETURN);
    if (c.road == kWriteFails) {
      Then([] {
        auto failing = std::make_unique<FailingNode>();
        failing->SetName(KString(u"Broken"));
        KRegistry::GetGroup(QvSettings::Root(), u"\\Serial")->AddChild(std::move(failing));
      });
    } else if (c.road == kNoCopy) {
      Then([this] { std::filesystem::create_directory(FilePath("kestrove.cfg.bad")); });
    }
    ExitProgram();
    if (c.error6002) {
      AnswerWithClick(u"Error", KZDialog::kOkResult);
    }
    EXPECT_EQ(Run(), 0);
    std::vector<std::u16string> texts;
    for (const SeenMessage& message : seen) {
      texts.push_back(message.text);
    }
    std::vector<std::u16string> expected{u"Error loading the configuration file (6001)."};
    if (c.error6002) {
      expected.push_back(u"Error saving the configuration file (6002).");
    }
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(ReadFile("kestrove.cfg") == kUnreadableConfig, c.configKept);
    const bool copied = std::filesystem::is_regular_file(FilePath("kestrove.cfg.bad"));
    EXPECT_EQ(copied && ReadFile("kestrove.cfg.bad") == kUnreadableConfig, c.copyKept);
    EXPECT_TRUE(LogHolds("it will be kept as"));
    EXPECT_EQ(LogHolds("was kept as"), c.copyKept);
  }
}

TEST_F(YZApplicationTest, AFifoInPlaceOfAStartFileIsAFileThatCannotBeRead) {
  struct Case {
    const char* file;
    std::vector<std::u16string> errors;
    int32_t exitCode;
    // What the log says of it, when it is a file the log can be read from.
    const char* logged = nullptr;
  } cases[] = {
      {"kestrove.cfg",
       {u"Error loading the configuration file (6001).", u"Error saving the configuration file (6002)."},
       0,
       "kestrove.cfg is not a regular file; it is left as it is and the settings are not saved"},
      {"English.lng", {}, 0},
      // The program runs without a log.
      {"kestrove.log", {}, 0},
      {"kestrove.znc", {u"Error loading application resources (1003)."}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    std::filesystem::remove(FilePath(c.file));
    ASSERT_EQ(::mkfifo(FilePath(c.file).c_str(), 0600), 0);
    seen.clear();
    Make();
    if (!c.errors.empty()) {
      AnswerWithKey(u"Error", native::VK_RETURN);
    }
    if (c.exitCode == 0) {
      ExitProgram();
    }
    if (c.errors.size() > 1) {
      AnswerWithClick(u"Error", KZDialog::kOkResult);
    }
    EXPECT_EQ(Run(), c.exitCode);
    std::vector<std::u16string> texts;
    for (const SeenMessage& message : seen) {
      texts.push_back(message.text);
    }
    EXPECT_EQ(texts, c.errors);
    EXPECT_TRUE(std::filesystem::is_fifo(FilePath(c.file)));
    if (c.logged != nullptr) {
      EXPECT_TRUE(LogHolds(c.logged)) << ReadFile("kestrove.log");
    }
    program.reset();
    // The later cases start without this file.
    std::filesystem::remove(FilePath(c.file));
  }
}

TEST_F(YZApplicationTest, CtrlAndShiftHeldAtExitRewriteTheLanguageFile) {
  const std::string shortLanguage = "English (United States),en_US\nRegistry Version: 1.00\n";
  for (const bool held : {false, true}) {
    SCOPED_TRACE(held);
    WriteFile("English.lng", shortLanguage);
    Make();
    Then([this, held] {
      if (held) {
        driver.keyDown(native::VK_CONTROL);
        driver.keyDown(native::VK_SHIFT);
      }
    });
    ExitProgram();
    EXPECT_EQ(Run(), 0);
    driver.keyUp(native::VK_SHIFT);
    driver.keyUp(native::VK_CONTROL);
    const std::string rewritten = ReadFile("English.lng");
    EXPECT_EQ(rewritten != shortLanguage, held);
    EXPECT_EQ(rewritten.find("Operation failed") != std::string::npos, held);
  }
}

TEST_F(YZApplicationTest, ASecondCopyAsksAndCancelEndsItWritingNothing) {
  // Another copy of the program runs and has counted itself.
  const native::HANDLE first = native::CreateSemaphoreA(nullptr, 1, std::numeric_limits<int32_t>::max(),
                                                        YZApplication::kInstanceCounter);
  ASSERT_NE(first, nullptr);
  Make();
  EXPECT_EQ(program->InstanceNumber(), 2);
  AnswerWithClick(u"Kestrove 2", KZDialog::kCancelResult);
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, u"A copy of Kestrove is already running.");
  EXPECT_EQ(std::find(program->steps.begin(), program->steps.end(), "main loop"), program->steps.end());
  EXPECT_FALSE(FileExists("kestrove.cfg"));
  program.reset();
  native::CloseHandle(first);
}

TEST_F(YZApplicationTest, SevenFileTypesAreMadeInOrderWithTheirTexts) {
  WriteFile("English.lng",
            "English (United States),en_US\nRegistry Version: "
            "1.00\n\\Strings\\FileTypes\\Event:String=Wettkampf (*.qve)\n");
  std::vector<std::string> types;
  Then([&] {
    const KList& list = program->FileTypes();
    for (const KListItem* item = list.Next(nullptr); item; item = list.Next(item)) {
      const auto& type = static_cast<const KFileExtension&>(*item);
      types.push_back(type.Extension().ToUtf8() + " " + type.Description().ToUtf8());
    }
  });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(types, (std::vector<std::string>{"qvw Kestrove Workout (*.qvw)", "qve Wettkampf (*.qve)",
                                             "txt Text (*.txt)", "img Kestrove ROM Image (*.img)",
                                             "wav Sound (*.wav)", "tga Targa File", "jpg JPEG File"}));
}

TEST_F(YZApplicationTest, NoSerialPortLeavesThePortListEmpty) {
  // A port that exists whatever the machine has.
  const char* previous = std::getenv("KESTROVE_COM7");
  const std::string kept = previous ? previous : "";
  setenv("KESTROVE_COM7", "/dev/null", 1);
  struct Case {
    std::vector<std::u16string> arguments;
    bool listed;
  } cases[] = {{{}, true}, {{u"-noserialport"}, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.listed);
    Make(c.arguments);
    int32_t ports = -1;
    Then([&ports] { ports = KSerialPort::PortCount(); });
    ExitProgram();
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(ports > 0, c.listed) << ports;
  }
  if (previous) {
    setenv("KESTROVE_COM7", kept.c_str(), 1);
  } else {
    unsetenv("KESTROVE_COM7");
  }
}

TEST_F(YZApplicationTest, WithoutItsDataFileTheProgramShows1003AndEnds) {
  std::filesystem::remove(FilePath("kestrove.znc"));
  AnswerWithKey(u"Error", native::VK_RETURN);
  EXPECT_EQ(Run(), -1);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, u"Error loading application resources (1003).");
  EXPECT_FALSE(FileExists("kestrove.cfg"));
}

}  // namespace
