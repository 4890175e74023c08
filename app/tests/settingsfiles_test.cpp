#include "app/settingsfiles.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/chartsettings.h"
#include "app/localreactionscan.h"
#include "app/qvzcontrol.h"
#include "devices/qvblocksensors.h"
#include "devices/qvschedule.h"
#include "devices/qvscoreboard.h"
#include "foundation/klog.h"
#include "foundation/kregistry.h"
#include "foundation/krint.h"
#include "foundation/krstring.h"
#include "foundation/kx.h"
#include "foundation/tests/ktempfolder.h"
#include "imaging/yimage.h"
#include "model/qvsettings.h"
#include "native/testdriver.h"
#include "toolkit/kzprinter.h"

namespace {

std::string Utf16(const std::string& ascii, bool bigEndian = false) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";  // the byte-order mark
  for (const char c : ascii) {
    bytes += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
  }
  return bytes;
}

class SettingsFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KRegistry::RegisterTypes();
    Restart();
  }
  void TearDown() override {
    files.reset();
    root.reset();
    KRegistry::UnregisterTypes();
  }
  // A new run of the program over the same folder.
  void Restart() {
    files.reset();
    root = std::make_unique<KRegistry>();
    files = std::make_unique<SettingsFiles>(*root, folder.File("kestrove"));
    files->LoadDefaults();
  }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(folder.Path() + "/" + name, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(folder.Path() + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string Text(const char16_t* path) const { return KRegistry::GetString(root.get(), path).ToUtf8(); }
  void SetText(const char16_t* path, const char* text) const {
    KRegistry::GetStringNode(root.get(), path)->NotifyChanged(KString(text));
  }
  KRInt& SingleEvent() const { return *KRegistry::GetInt(root.get(), u"\\Event\\SingleEvent"); }

  KTempFolder folder;
  std::unique_ptr<KRegistry> root;
  std::unique_ptr<SettingsFiles> files;
};

TEST_F(SettingsFilesTest, DataFoldersEndWithASeparatorInTheObjectOnly) {
  EXPECT_EQ(Text(u"\\Database\\File\\DataOutDir"), folder.Path());
  EXPECT_EQ(files->DataOutDir().Name().ToUtf8(), folder.Path() + "/");
  for (const char* text : {"/data/in", "/data/in/"}) {
    SCOPED_TRACE(text);
    SetText(u"\\Database\\File\\DataInDir", text);
    EXPECT_EQ(Text(u"\\Database\\File\\DataInDir"), "/data/in");
    EXPECT_EQ(files->DataInDir().Name().ToUtf8(), "/data/in/");
  }
}

TEST_F(SettingsFilesTest, LanguageFilesAreNumberedInNameOrder) {
  Write("c.lng", "Deutsch,de_DE\nRegistry Version: 1.00\n");
  Write("a.lng", "English,en_US\n");
  Write("b.lng", "Incomplete,xx_XX");  // no line end: not listed, and no number used
  Write("e.lng", "Francais,fr_FR\n");
  Write("notes.txt", "Other,ot_OT\n");
  // Listed, but reading it fails (address 0 of the process is not mapped): its number stays used.
  std::filesystem::create_symlink("/proc/self/mem", folder.Path() + "/d.lng");
  ASSERT_TRUE(files->ScanLanguages());
  std::string listed;
  const KRGroup* choices = KRegistry::GetGroup(root.get(), u"\\Language\\Choices");
  for (const KRNode* child = choices->NextChild(nullptr); child != nullptr;
       child = choices->NextChild(child)) {
    listed += child->Name().ToUtf8() + "=" + static_cast<const KRString*>(child)->Value().ToUtf8() + ";";
  }
  EXPECT_EQ(listed, "1=a.lng,English,en_US;2=c.lng,Deutsch,de_DE;4=e.lng,Francais,fr_FR;");
}

TEST_F(SettingsFilesTest, ChoiceMatchesWholeCodesThenFiveThenTwoCharacters) {
  Write("1.lng", "English (United Kingdom),en_GB\n");
  Write("2.lng", "English (United States),en_US\n");
  Write("3.lng", "English (United States 8-bit),en_US.1252\n");
  Write("4.lng", "Deutsch,de_DE\n");
  ASSERT_TRUE(files->ScanLanguages());
  struct Case {
    const char* choice;
    int32_t index;  // of the entry chosen
  };
  const Case cases[] = {{"en_US.1252", 2}, {"EN_us.UTF-8", 1}, {"en_US", 1},  {"en_AU", 0},
                        {"en", 0},         {"de_AT", 3},       {"fr_FR", -1}, {"", -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.choice);
    SetText(u"\\Language\\Choice", c.choice);
    EXPECT_EQ(files->LanguageIndex(), c.index);
  }
}

TEST_F(SettingsFilesTest, TheBuiltEnglishFileIsChosenAndHoldsTheBuiltInTexts) {
  std::filesystem::copy_file(KESTROVE_PROGRAM_DIR "/English.lng", folder.Path() + "/English.lng");
  const std::string built = Read("English.lng");
  ASSERT_TRUE(files->ScanLanguages());
  SetText(u"\\Language\\Choice", "en_US.UTF-8");
  EXPECT_EQ(Text(u"\\Language\\Choices\\1"), "English.lng,English (United States),en_US");
  SetText(u"\\Strings\\Event\\Chart\\Axes\\Power", "changed");
  ASSERT_TRUE(files->LoadLanguage());
  EXPECT_EQ(Text(u"\\Strings\\Event\\Chart\\Axes\\Power"), "Power");
  ASSERT_TRUE(files->WriteLanguage());
  EXPECT_EQ(Read("English.lng"), built);
}

TEST_F(SettingsFilesTest, ConfigurationAndLanguageAreWrittenInTheEncodingTheyWereReadIn) {
  struct Case {
    std::string read;
    std::string writtenStart;
    // The texts belong to the language file, never to the configuration (searched for without the
    // byte-order mark).
    std::string stringsGroup;
    // A language file in the same encoding, read and written back; none for the row without files.
    std::string language;
    std::string languageWrittenStart;
  };
  const Case cases[] = {
      {Utf16("Registry Version: 1.00\r\n\\Event\\SingleEvent:Int=0\r\n"),
       Utf16("Registry Version: 1.00\r\n\\Competition\\\r\n"), Utf16("\n\\Strings\\").substr(2),
       Utf16("Test,xx_XX\r\nRegistry Version: 1.00\r\n\\Strings\\Alerts\\Error:String=Fault\r\n"),
       Utf16("Test,xx_XX\r\n")},
      {Utf16("Registry Version: 1.00\r\n\\Event\\SingleEvent:Int=0\r\n", true),
       Utf16("Registry Version: 1.00\r\n\\Competition\\\r\n", true), Utf16("\n\\Strings\\", true).substr(2),
       Utf16("Test,xx_XX\r\nRegistry Version: 1.00\r\n\\Strings\\Alerts\\Error:String=Fault\r\n", true),
       Utf16("Test,xx_XX\r\n", true)},
      {"Registry Version: 1.00\n\\Event\\SingleEvent:Int=0\n", "Registry Version: 1.00\n\\Competition\\\n",
       "\n\\Strings\\", "Test,xx_XX\nRegistry Version: 1.00\n\\Strings\\Alerts\\Error:String=Fault\n",
       "Test,xx_XX\n"},
      {"Registry Version: 1.00\r\\Event\\SingleEvent:Int=0\r", "Registry Version: 1.00\r\\Competition\\\r",
       "\r\\Strings\\", "Test,xx_XX\rRegistry Version: 1.00\r\\Strings\\Alerts\\Error:String=Fault\r",
       "Test,xx_XX\r"},
      {"", "Registry Version: 1.00\n\\Competition\\\n", "\n\\Strings\\", "", ""},  // no file yet
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.writtenStart.substr(0, 3));
    Write("kestrove.cfg", c.read);
    Restart();
    ASSERT_TRUE(files->LoadConfig());
    EXPECT_EQ(files->ConfigLoaded(), !c.read.empty());
    SingleEvent().Set(SingleEvent().Value() + 5);
    ASSERT_TRUE(files->SaveConfig());
    const std::string written = Read("kestrove.cfg");
    EXPECT_EQ(written.rfind(c.writtenStart, 0), 0u);
    EXPECT_EQ(written.find(c.stringsGroup), std::string::npos);
    const int32_t saved = SingleEvent().Value();
    Restart();
    ASSERT_TRUE(files->LoadConfig());
    EXPECT_EQ(SingleEvent().Value(), saved);
    EXPECT_EQ(Text(u"\\Strings\\Alerts\\Error"), "Error");
    if (!c.language.empty()) {
      Write("test.lng", c.language);
      ASSERT_TRUE(files->ScanLanguages());
      SetText(u"\\Language\\Choice", "xx_XX");
      ASSERT_TRUE(files->LoadLanguage());
      EXPECT_EQ(Text(u"\\Strings\\Alerts\\Error"), "Fault");
      ASSERT_TRUE(files->WriteLanguage());
      EXPECT_EQ(Read("test.lng").rfind(c.languageWrittenStart, 0), 0u);
    }
  }
}

TEST_F(SettingsFilesTest, ALanguageSwitchDropsTheLayoutsAndSavesTheNewChoice) {
  Write("a.lng", "English,en_US\n");
  Write("b.lng", "Deutsch,de_DE\n");
  ASSERT_TRUE(files->ScanLanguages());
  SetText(u"\\Language\\Choice", "en_US");
  KRegistry::AddLine(root.get(), KString(u"Event\\Layout\\Chart1:String=0,26,100,100,Bottom"));
  files->SetLanguage(0);  // the choice already
  ASSERT_TRUE(files->SaveConfig());
  EXPECT_NE(Read("kestrove.cfg").find("\\Event\\Layout\\"), std::string::npos);
  files->SetLanguage(1);
  ASSERT_TRUE(files->SaveConfig());
  const std::string written = Read("kestrove.cfg");
  EXPECT_EQ(written.find("\\Event\\Layout\\"), std::string::npos);
  EXPECT_NE(written.find("\\Language\\Choice:String=de_DE\n"), std::string::npos);
  EXPECT_EQ(written.find("\\Language\\Choices\\1"), std::string::npos);
}

// A setting whose text cannot be produced: the write fails half-way.
class FailingNode : public KRInt {
 public:
  void AppendValue(KString&) const override { throw KXStream(kErrFileWrite); }
};

TEST_F(SettingsFilesTest, AWriteThatFailsHalfWayLeavesTheOldConfiguration) {
  ASSERT_TRUE(files->SaveConfig());
  const std::string old = Read("kestrove.cfg");
  SingleEvent().Set(0);
  auto failing = std::make_unique<FailingNode>();
  failing->SetName(KString(u"Broken"));
  KRNode* broken = KRegistry::GetGroup(root.get(), u"\\Serial")->AddChild(std::move(failing));
  EXPECT_FALSE(files->SaveConfig());
  EXPECT_EQ(Read("kestrove.cfg"), old);
  broken->SetDeleted(true);

  // A disk that fills up: the file size limit makes writing fail with EFBIG instead of a signal.
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = old.size() / 2;
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = files->SaveConfig();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_FALSE(written);
  EXPECT_EQ(Read("kestrove.cfg"), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

// The roads where the write or the copy fails are the program's (app/tests/yzapplication_test.cpp).
TEST_F(SettingsFilesTest, AnUnreadableConfigurationIsKeptAsideBeforeItIsReplaced) {
  const std::string unreadable = "Registry Version: 9.00\n\\Event\\SingleEvent:Int=0\n";
  Write("kestrove.cfg", unreadable);
  Write("kestrove.cfg.bad", "an older copy");
  Restart();
  EXPECT_FALSE(files->LoadConfig());
  EXPECT_FALSE(files->ConfigLoaded());
  ASSERT_TRUE(files->SaveConfig());
  EXPECT_EQ(Read("kestrove.cfg.bad"), unreadable);
  Restart();
  EXPECT_TRUE(files->LoadConfig());
  EXPECT_TRUE(files->ConfigLoaded());
}

// A configuration line read, then the settings read as the parts of the program read them: the log names
// each line not taken as written with the value used, and the file written at exit holds that value.
TEST_F(SettingsFilesTest, EachSettingNotTakenAsWrittenIsLoggedAndSavedAsUsed) {
  struct Case {
    const char* line;
    const char* logged;  // null: nothing
    const char* saved;
  };
  const Case cases[] = {
      {"\\Chart\\Margins\\LeftPct:Float=1e9",
       "\\Chart\\Margins\\LeftPct is 1e+09, which lies outside 0 to 45: 45 is used instead",
       "LeftPct:Float=45"},
      {"\\Chart\\Margins\\TopPct:Float=1e308", "TopPct is 1e+308, which lies outside 0 to 45: 45 is used",
       "TopPct:Float=45"},
      {"\\Chart\\Margins\\BottomPct:Float=-1e308",
       "BottomPct is -1e+308, which lies outside 0 to 45: 0 is used", "BottomPct:Float=0"},
      {"\\Chart\\Margins\\RightPct:Float=20.5", nullptr, "RightPct:Float=20.5"},
      {"\\Event\\Results\\DefaultLanes:Int=2147483648",
       "\\Event\\Results\\DefaultLanes is 2147483648, which cannot be read as Int: 8 is used instead",
       "DefaultLanes:Int=8"},
      {"\\Database\\Serial\\Timeout:Int=9223372036854775808",
       "Timeout is 9223372036854775808, which cannot be read as Int: 3000 is used", "Timeout:Int=3000"},
      {"\\Chart\\Plotting\\DefScaleVal:Int=abc",
       "DefScaleVal is abc, which cannot be read as Int: 1000 is used", "DefScaleVal:Int=1000"},
      {"\\Chart\\Axes\\MaxX:Float=1e999", "MaxX is 1e999, which cannot be read as Float: 2 is used",
       "MaxX:Float=2"},
      {"\\Serial\\ShortTimeout:Int=12345678901234567890123456789012345678901234",
       "ShortTimeout is 12345678901234567890123456789012345678901234, which cannot be read as Int: 1000 is "
       "used",
       "ShortTimeout:Int=1000"},
      {"\\Serial\\ShortTimeout:Int=40000", "ShortTimeout is 40000, which is too long: 30000 is used",
       "ShortTimeout:Int=30000"},
      {"\\Chart\\LocalAlg\\TotalIncSlope:Int=0", "TotalIncSlope is 0, which cannot work: 40 is used",
       "TotalIncSlope:Int=40"},
      {"\\Event\\Results\\DefaultLanes:Int=16", "DefaultLanes is 16, which cannot work: 8 is used",
       "DefaultLanes:Int=8"},
      {"\\Event\\Image\\AutoCrop:Int=101", "\\Event\\Image\\AutoCrop is 101, which cannot work: 5 is used",
       "AutoCrop:Int=5"},
      {"\\Event\\Results\\Print\\Margins\\Left:Int=-5",
       "Margins\\Left is -5, which lies outside 0 to 2147483647: 0 is used", "Margins\\Left:Int=0"},
      {"\\Chart\\LocalAlg\\SetMask:Float=3", "SetMask is 3, which lies outside 0 to 2: 2 is used",
       "SetMask:Float=2"},
      {"\\Database\\Mode:Int=-1", "\\Database\\Mode is -1, which lies outside 0 to 2: 0 is used",
       "Database\\Mode:Int=0"},
      {"\\Scoreboards\\Board1\\IncludeFirst:Int=2",
       "\\Scoreboards\\Board1\\IncludeFirst is 2, which lies outside 0 to 1: 1 is used",
       "IncludeFirst:Int=1"},
      {"\\Event\\SingleEvent:Int=7", "\\Event\\SingleEvent is 7, which lies outside 0 to 1: 1 is used",
       "SingleEvent:Int=1"},
  };
  native::TestDriver driver;
  KRegistry* const previousRoot = QvSettings::Root();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Write("kestrove.cfg", std::string("Registry Version: 1.00\n") + c.line + "\n");
    Write("kestrove.log", "");
    Restart();
    QvSettings::SetRoot(root.get());
    KLog log(folder.File("kestrove.log").ToUtf8());
    KLog::SetProgramLog(&log);
    EXPECT_TRUE(files->LoadConfig());
    ChartSettings::Read();
    LocalAlgorithmSettings::Read();
    QvBlockSensors::ReadTimeout();
    YImage::SearchThresholds();
    KZPrinter().LoadMargins(KRegistry::GetGroup(root.get(), u"\\Event\\Results\\Print\\Margins"));
    QvSchedule::Mode();
    QvZControl::SingleEventOn();
    if (const KRGroup* board = KRegistry::GetGroup(root.get(), u"\\Scoreboards\\Board1")) {
      QvScoreboard::Settings::Read(*board);
    }
    EXPECT_TRUE(files->SaveConfig());
    KLog::SetProgramLog(nullptr);
    QvSettings::SetRoot(previousRoot);
    const std::string logged = Read("kestrove.log");
    if (c.logged != nullptr) {
      EXPECT_NE(logged.find(c.logged), std::string::npos) << logged;
    } else {
      EXPECT_EQ(logged, "");
    }
    EXPECT_NE(Read("kestrove.cfg").find(c.saved), std::string::npos);
  }
}

}  // namespace
