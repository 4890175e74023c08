// The example scripts shipped in resources/scoreboards/ read without problems and fit their boards.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "devices/scoreboardrenderer.h"
#include "devices/scoreboardscript.h"
#include "foundation/kregistry.h"
#include "model/qvresult.h"
#include "model/qvsettings.h"
#include "model/ytime.h"

namespace {

const std::filesystem::path kExamples = std::filesystem::path(KESTROVE_SOURCE_DIR) / "resources" / "scoreboards";

ScoreboardScript Example(const char* name) {
  std::string text;
  EXPECT_TRUE(ScoreboardScript::ReadFile((kExamples / name).string(), text));
  std::vector<std::string> problems;
  ScoreboardScript script = ScoreboardScript::Parse(text, problems);
  EXPECT_TRUE(problems.empty()) << problems.front();
  return script;
}

// The start-line board the example describes: ten lines of 40 characters; ESC "C" blanks it and goes to the
// start of line 0, ESC "L" and a digit goes to the start of that line, CR to the start of the line, LF to
// the next line. A character outside the board is counted, not shown.
class ResultsBoard {
 public:
  static constexpr int32_t kLines = 10;
  static constexpr int32_t kWidth = 40;

  ResultsBoard() { Blank(); }
  void Feed(const std::string& bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) {
      const char c = bytes[i];
      if (c == '\x1b' && i + 1 < bytes.size() && bytes[i + 1] == 'C') {
        Blank();
        ++i;
      } else if (c == '\x1b' && i + 2 < bytes.size() && bytes[i + 1] == 'L') {
        line = bytes[i + 2] - '0';
        column = 0;
        i += 2;
      } else if (c == '\r') {
        column = 0;
      } else if (c == '\n') {
        ++line;
      } else if (line >= 0 && line < kLines && column < kWidth) {
        lines[line][column++] = c;
      } else {
        ++outside;
      }
    }
  }
  const std::string& Line(int32_t index) const { return lines.at(index); }
  int32_t Outside() const { return outside; }

 private:
  void Blank() {
    lines.fill(std::string(kWidth, ' '));
    line = 0;
    column = 0;
  }
  std::array<std::string, kLines> lines;
  int32_t line = 0;
  int32_t column = 0;
  int32_t outside = 0;
};

TEST(ScoreboardExamplesTest, ShippedExampleScriptsReadWithoutProblems) {
  int32_t scripts = 0;
  for (const auto& item : std::filesystem::directory_iterator(kExamples)) {
    SCOPED_TRACE(item.path().string());
    const ScoreboardScript script = Example(item.path().filename().c_str());
    EXPECT_TRUE(script.HasSection(ScoreboardScript::kInitialization));
    EXPECT_TRUE(script.HasSection(ScoreboardScript::kResult));
    ++scripts;
  }
  EXPECT_EQ(scripts, 2);
}

class ScoreboardExamplesResultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KRegistry::RegisterTypes();
    QvSettings::SetRoot(&registry);
    YTime::Setup();
  }
  void TearDown() override {
    QvSettings::SetRoot(nullptr);
    KRegistry::UnregisterTypes();
  }
  KRegistry registry;
};

// A full page of seven starts with two-digit lanes, a long name, false starts charged and not, and a lane
// that did not start, then the wind and the time of day: each lane shows its name, whole reaction time and
// status on its own line and nothing runs off the board; the line display shows each lane's name and whole
// reaction time.
TEST_F(ScoreboardExamplesResultsTest, ExampleBoardsShowEachLanesReactionAndStatus) {
  const ScoreboardScript script = Example("results-board.lss");
  const ScoreboardScript lineDisplay = Example("line-display.lss");
  ASSERT_EQ(script.Width(), ResultsBoard::kWidth);
  constexpr int32_t kNoReaction = -1;
  enum Marks { kNone, kFalseStart, kCharged };
  struct Row {
    const char16_t* lane;
    const char16_t* name;
    int32_t reactionMs;
    int32_t status;
    Marks marks;
    const char* shown;
    const char* line;
  };
  const Row rows[] = {
      {u"1", u"Adams", 143, QvResult::kValid, kNone, " 1 Adams      0.143                     ",
       " 1 Adams       0.143"},
      {u"2", u"Brown", 87, QvResult::kFalseStart, kNone, " 2 Brown      0.087 False start         ",
       " 2 Brown       0.087"},
      {u"3", u"Cole", 95, QvResult::kValid, kFalseStart, " 3 Cole       0.095 False start         ",
       " 3 Cole        0.095"},
      {u"4", u"Dunn", kNoReaction, QvResult::kDidNotStart, kNone, " 4 Dunn             Did not start       ",
       " 4 Dunn             "},
      {u"5", u"Ellis", -20, QvResult::kValid, kCharged, " 5 Ellis     -0.020 False start, charged",
       " 5 Ellis      -0.020"},
      {u"9", u"Ford", 162, QvResult::kValid, kNone, " 9 Ford       0.162                     ",
       " 9 Ford        0.162"},
      {u"10", u"Featherstonehaugh", 149, QvResult::kValid, kNone, "10 Featherst  0.149                     ",
       "10 Feathersto  0.149"},
  };
  std::vector<QvResult> results(std::size(rows));
  const ScoreboardRenderer renderer(0, false, false);
  ScoreboardFields pageFields;
  pageFields.wind = u"+1.2";
  std::string bytes;
  renderer.Render(script.Commands(ScoreboardScript::kResultsHeader), pageFields, bytes);
  for (size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(i);
    results[i].SetAthleteField0(rows[i].name);
    results[i].SetAthleteField3(rows[i].lane);
    if (rows[i].reactionMs != kNoReaction) {
      results[i].SetReactionTime(rows[i].reactionMs);
    }
    results[i].SetStatus(rows[i].status);
    results[i].SetFalseStart(rows[i].marks != kNone);
    results[i].SetFalseStartCharged(rows[i].marks == kCharged);
    ScoreboardFields fields = pageFields;
    fields.result = &results[i];
    renderer.Render(script.Commands(ScoreboardScript::kResult), fields, bytes);
    std::string lineBytes;
    for (const ScoreboardScript::Section section :
         {ScoreboardScript::kResultsHeader, ScoreboardScript::kResult, ScoreboardScript::kResultsTrailer}) {
      renderer.Render(lineDisplay.Commands(section), fields, lineBytes);
    }
    EXPECT_EQ(lineBytes, "\x02" + std::string(rows[i].line) + "\x03");
  }
  renderer.Render(script.Commands(ScoreboardScript::kResultsTrailer), pageFields, bytes);
  renderer.Render(script.Commands(ScoreboardScript::kWind), pageFields, bytes);
  ScoreboardFields time;
  time.timeOfDay = u"13:02:03";
  renderer.Render(script.Commands(ScoreboardScript::kTimeOfDay), time, bytes);

  ResultsBoard board;
  board.Feed(bytes);
  EXPECT_EQ(board.Outside(), 0);
  EXPECT_EQ(board.Line(0), "LN NAME       REACT STATUS              ");
  for (size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(board.Line(static_cast<int32_t>(i) + 1), rows[i].shown);
  }
  EXPECT_EQ(board.Line(8), "WIND  +1.2                              ");
  EXPECT_EQ(board.Line(9), "TIME 13:02:03                           ");
}

}  // namespace
