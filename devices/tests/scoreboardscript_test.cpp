#include "devices/scoreboardscript.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "devices/scoreboardrenderer.h"
#include "foundation/kdatetime.h"
#include "foundation/kregistry.h"
#include "model/qvresult.h"
#include "model/qvsettings.h"
#include "model/ytime.h"

namespace {

using Section = ScoreboardScript::Section;

// Renders one section of a script with the fields given, in code set 0.
std::string Rendered(const ScoreboardScript& script, Section section, const ScoreboardFields& fields = {},
                     bool sendPlace = true, bool abbreviated = false, int32_t codeSet = 0) {
  std::string bytes;
  ScoreboardRenderer(codeSet, sendPlace, abbreviated).Render(script.Commands(section), fields, bytes);
  return bytes;
}

ScoreboardScript Parsed(const std::string& text, std::vector<std::string>& problems) {
  return ScoreboardScript::Parse(text, problems);
}

TEST(ScoreboardScriptTest, SectionsProduceTheirLiteralBytes) {
  std::vector<std::string> problems;
  const ScoreboardScript script = Parsed(
      "; a comment before the sections\r\n"
      "width 20\r\n"
      ";;Initialization\r\n"
      "#2 \"CLR\" #3\r\n"
      "\r\n"
      "; comment inside\r\n"
      "\"A B\" #13 #10\r\n"
      ";;  messageheader  \n"
      "#27 \"M\"\n",
      problems);
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(script.Width(), 20);
  EXPECT_EQ(Rendered(script, ScoreboardScript::kInitialization),
            "\x02"
            "CLR\x03"
            "A B\r\n");
  EXPECT_EQ(Rendered(script, ScoreboardScript::kMessageHeader), "\x1bM");
  EXPECT_TRUE(script.HasSection(ScoreboardScript::kMessageHeader));
  EXPECT_FALSE(script.HasSection(ScoreboardScript::kResult));
  EXPECT_EQ(Rendered(script, ScoreboardScript::kResult), "");
}

TEST(ScoreboardScriptTest, LaterSectionOfTheSameNameReplacesTheFirst) {
  std::vector<std::string> problems;
  const ScoreboardScript script = Parsed(";;Message\n\"old\"\n;;Message\n\"new\"\n", problems);
  EXPECT_EQ(Rendered(script, ScoreboardScript::kMessage), "new");
}

TEST(ScoreboardScriptTest, FaultsAreReportedAndOnlyTheFaultySkipped) {
  struct Case {
    const char* name;
    std::string script;
    std::string expectedMessage;  // the Message section after parsing
    std::string problemFragment;
  };
  const Case cases[] = {
      {"unknown command skips the rest of the line", ";;Message\n\"a\" X \"b\"\n\"c\"\n", "ac",
       "unknown command 'X'"},
      {"unterminated text", ";;Message\n\"a\" \"bc\n\"d\"\n", "ad", "closing quote"},
      {"byte above 255", ";;Message\n#256 \"a\"\n", "a", "0 to 255"},
      {"byte without digits", ";;Message\n# \"a\"\n", "a", "0 to 255"},
      {"byte with junk", ";;Message\n#12x \"a\"\n", "a", "0 to 255"},
      {"unknown code set", ";;Message\nK3 \"a\"\n", "a", "code set"},
      {"field wider than the board", "width 4\n;;Message\nM5 \"a\"\n", "a", "wider than the board"},
      {"huge width", ";;Message\nM99999999999 \"a\"\n", "a", "wider than the board"},
      {"junk after a field", ";;Message\nM4<xy \"a\"\n", "a", "unexpected 'y'"},
      {"control padding", ";;Message\nM4<\x01 \"a\"\n", "a", "plain character"},
      {"cut-short section name", ";;Messa\n\"lost\"\n;;Message\n\"a\"\n", "a", "unknown section 'Messa'"},
      {"bad header", "speed 9600\n;;Message\n\"a\"\n", "a", "header line"},
      {"bad width", "width 0\n;;Message\n\"a\"\n", "a", "width must be"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> problems;
    const ScoreboardScript script = Parsed(c.script, problems);
    ScoreboardFields fields;
    fields.message = u"msg";
    EXPECT_EQ(Rendered(script, ScoreboardScript::kMessage, fields), c.expectedMessage);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find(c.problemFragment), std::string::npos) << problems[0];
    EXPECT_EQ(problems[0].rfind("line ", 0), 0u) << problems[0];
  }
}

TEST(ScoreboardScriptTest, OversizedScriptIsRefusedWhole) {
  std::vector<std::string> problems;
  const std::string text = ";;Message\n\"a\"\n" + std::string(ScoreboardScript::kMaxBytes, ' ');
  const ScoreboardScript script = Parsed(text, problems);
  EXPECT_FALSE(script.HasSection(ScoreboardScript::kMessage));
  EXPECT_EQ(problems.size(), 1u);
}

TEST(ScoreboardScriptTest, FieldsAreFittedToWidthAlignmentAndPadding) {
  struct Case {
    const char* field;
    const char16_t* value;
    std::string expected;
  };
  // A character beyond 16 bits counts once and is never cut in half, in any code set; controls go blank.
  const Case cases[] = {
      {"M", u"abc", "abc"},
      {"M5", u"abc", "abc  "},
      {"M5<", u"abc", "abc  "},
      {"M5>", u"abc", "  abc"},
      {"M5>0", u"7", "00007"},
      {"M6|.", u"abc", ".abc.."},
      {"M2", u"abcdef", "ab"},
      {"M2>", u"abcdef", "ab"},
      {"M3", u"", "   "},
      {"M1|*", u"", "*"},
      {"M3", u"\U0001D11Eab", "?ab"},
      {"M3>", u"\U0001D11E", "  ?"},
      {"K2 M1", u"\U0001D11Eb", "\xF0\x9D\x84\x9E"},
      {"K1 M1", u"\U0001D11Eb", "\x34\xD8\x1E\xDD"},
      {"K1 M2", u"\xDC00" u"b", std::string("\xFD\xFF" "b\0", 4)},  // a lone surrogate is no character
      {"K2 M", u"a\tb\u0085", "a b "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    std::vector<std::string> problems;
    const ScoreboardScript script = Parsed(std::string(";;Message\n") + c.field + "\n", problems);
    ASSERT_TRUE(problems.empty());
    ScoreboardFields fields;
    fields.message = c.value;
    EXPECT_EQ(Rendered(script, ScoreboardScript::kMessage, fields), c.expected);
  }
}

class ScoreboardFieldsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KRegistry::RegisterTypes();
    QvSettings::SetRoot(&registry);
    YTime::Setup();
    result.SetAthleteField0(u"Smith");
    result.SetAthleteField1(u"Anna");
    result.SetAthleteField2(u"Oslo Athletics, Norway");
    result.SetAthleteField3(u"4");
    result.SetAthleteField4(u"123");
    result.SetFinishTime(YTime::FromMilliseconds(10234));
    result.SetReactionTime(YTime::FromMilliseconds(145));
  }
  void TearDown() override {
    QvSettings::SetRoot(nullptr);
    KRegistry::UnregisterTypes();
  }
  KRegistry registry;
  QvResult result;
};

TEST_F(ScoreboardFieldsTest, ResultFieldsCarryTheResultsTexts) {
  struct Case {
    const char* field;
    bool sendPlace;
    bool abbreviated;
    std::string expected;
  };
  const Case cases[] = {
      {"P", true, false, "3"},
      {"P", false, false, ""},
      {"L", true, false, "4"},
      {"I", true, false, "123"},
      {"N", true, false, "Smith"},
      {"F", true, false, "Anna"},
      {"A", true, false, "Oslo Athletics, Norway"},
      {"A", true, true, "Oslo"},
      {"B", true, false, "Oslo"},
      {"T", true, false, "10.23"},
      {"R", true, false, "0.145"},
      {"S", true, false, ""},
      {"W", true, false, "+0.4"},
      {"H", true, false, ""},
  };
  ScoreboardFields fields;
  fields.result = &result;
  fields.place = 3;
  fields.wind = u"+0.4";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    std::vector<std::string> problems;
    const ScoreboardScript script = Parsed(std::string(";;Result\n") + c.field + "\n", problems);
    EXPECT_EQ(Rendered(script, ScoreboardScript::kResult, fields, c.sendPlace, c.abbreviated), c.expected);
  }
}

TEST_F(ScoreboardFieldsTest, StatusTextAndNoPlaceForAResultThatIsNotValid) {
  result.SetStatus(QvResult::kDidNotStart);
  std::vector<std::string> problems;
  const ScoreboardScript script = Parsed(";;Result\nP2>0 S\n", problems);
  ScoreboardFields fields;
  fields.result = &result;
  EXPECT_EQ(Rendered(script, ScoreboardScript::kResult, fields), "00Did not start");
}

TEST_F(ScoreboardFieldsTest, ResultFieldsAreEmptyOutsideAResult) {
  std::vector<std::string> problems;
  const ScoreboardScript script = Parsed(";;ResultsHeader\n\"[\" N3 P \"]\"\n", problems);
  EXPECT_EQ(Rendered(script, ScoreboardScript::kResultsHeader), "[   ]");
}

TEST(ScoreboardRendererTest, CodeSetsEncodeTextButNotBytes) {
  std::vector<std::string> problems;
  const ScoreboardScript script =
      ScoreboardScript::Parse(";;Message\n\"\xC3\xA9\" #233 K1 \"\xC3\xA9\" K2 M\n", problems);
  ASSERT_TRUE(problems.empty());
  ScoreboardFields fields;
  fields.message = u"\u20AC";
  struct Case {
    int32_t codeSet;
    std::string expected;
  };
  const Case cases[] = {
      {0, std::string("\xE9\xE9\xE9\x00", 4) + "\xE2\x82\xAC"},
      {1, std::string("\xE9\x00\xE9\xE9\x00", 5) + "\xE2\x82\xAC"},
      {2, std::string("\xC3\xA9\xE9\xE9\x00", 5) + "\xE2\x82\xAC"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.codeSet);
    std::string bytes;
    ScoreboardRenderer(c.codeSet, false, false)
        .Render(script.Commands(ScoreboardScript::kMessage), fields, bytes);
    EXPECT_EQ(bytes, c.expected);
  }
}

TEST(ScoreboardRendererTest, TimeOfDayInTwelveAndTwentyFourHours) {
  struct Case {
    int32_t hour, minute, second;
    const char16_t* twentyFour;
    const char16_t* twelve;
  };
  const Case cases[] = {
      {0, 5, 9, u"00:05:09", u"12:05:09"},
      {9, 30, 0, u"09:30:00", u"9:30:00"},
      {12, 0, 1, u"12:00:01", u"12:00:01"},
      {23, 59, 59, u"23:59:59", u"11:59:59"},
  };
  for (const Case& c : cases) {
    KDateTime now;
    now.hour = c.hour;
    now.minute = c.minute;
    now.second = c.second;
    now.millisecond = 999;
    EXPECT_EQ(ScoreboardRenderer::TimeOfDayText(now, true), KString(c.twentyFour));
    EXPECT_EQ(ScoreboardRenderer::TimeOfDayText(now, false), KString(c.twelve));
  }
}

TEST(ScoreboardScriptTest, ReadFileTakesOnlyRegularFilesAndNoMoreThanALongScript) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("kestrove-script-read-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const size_t limit = ScoreboardScript::kMaxBytes + 1;
  std::ofstream(folder / "short.lss", std::ios::binary) << ";;Message\nM\n";
  std::ofstream(folder / "long.lss", std::ios::binary) << std::string(4 * limit, ';');
  ASSERT_EQ(mkfifo((folder / "pipe.lss").c_str(), 0600), 0);
  struct Case {
    const char* name;
    std::string path;
    bool read;
    size_t size;
  };
  const Case cases[] = {
      {"a short script", (folder / "short.lss").string(), true, 12},
      {"a long file, read up to one byte past the limit", (folder / "long.lss").string(), true, limit},
      {"a device that never ends", "/dev/zero", false, 0},
      {"a named pipe without a writer", (folder / "pipe.lss").string(), false, 0},
      {"a folder", folder.string(), false, 0},
      {"a missing file", (folder / "gone.lss").string(), false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string text = "unchanged";
    EXPECT_EQ(ScoreboardScript::ReadFile(c.path, text), c.read);
    EXPECT_EQ(text.size(), c.read ? c.size : std::string("unchanged").size());
  }
  std::string text;
  ASSERT_TRUE(ScoreboardScript::ReadFile((folder / "long.lss").string(), text));
  std::vector<std::string> problems;
  ScoreboardScript::Parse(text, problems);
  EXPECT_EQ(problems, (std::vector<std::string>{"the script is longer than 65536 bytes"}));
  std::filesystem::remove_all(folder);
}

}  // namespace
