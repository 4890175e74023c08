#include "devices/startlist.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "devices/tests/photofinishtestsupport.h"
#include "foundation/kmemorystream.h"
#include "foundation/kstream.h"

namespace {

using pftest::Narrow;

KMemoryStream Text(const std::string& bytes, int32_t encoding = KStream::kEncodingLocal) {
  KMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
  stream.SetReadMode(encoding);
  return stream;
}

std::vector<std::string> ScheduleTexts(const StartList& lists) {
  std::vector<std::string> texts;
  for (const StartList::Race& race : lists.Schedule()) {
    texts.push_back(Narrow(race.event) + "/" + Narrow(race.round) + "/" + Narrow(race.heat) + "/" +
                    Narrow(race.name));
  }
  return texts;
}

TEST(StartList, ScheduleReadsAlikeWithCrLfLfAndCr) {
  for (const char* end : {"\r\n", "\n", "\r"}) {
    SCOPED_TRACE(end);
    std::string file = std::string("; meet of the day") + end + "1,1,1" + end + end + "  2 , 1 , 3 " + end +
                       "\"10\",\"2\",\"1\",\"Final, A\"" + end + "4,1,1";
    KMemoryStream stream = Text(file);
    StartList lists;
    lists.ReadSchedule(stream, u"vesk.sch");
    EXPECT_EQ(ScheduleTexts(lists),
              (std::vector<std::string>{"1/1/1/", "2/1/3/", "10/2/1/Final, A", "4/1/1/"}));
    EXPECT_EQ(lists.SkippedLines(), 0);
  }
}

TEST(StartList, BadLinesAreSkippedWithTheirLineNumbers) {
  const std::string file =
      "1,1,1\n"
      "2,1\n"                     // 2: heat missing
      "\"3,1,1\n"                 // 3: unterminated quote
      "4,,1\n"                    // 4: round empty
      "\"5\"x,1,1\n"              // 5: text after quote
      + std::string(1200, 'x') +  // 6: too long
      "\n6,1,1\n";
  KMemoryStream stream = Text(file);
  StartList lists;
  lists.ReadSchedule(stream, u"vesk.sch");
  EXPECT_EQ(ScheduleTexts(lists), (std::vector<std::string>{"1/1/1/", "6/1/1/"}));
  ASSERT_EQ(lists.SkippedLines(), 5);
  std::vector<int32_t> numbers;
  for (const StartList::Problem& problem : lists.Problems()) {
    EXPECT_EQ(Narrow(problem.source), "vesk.sch");
    EXPECT_FALSE(problem.reason.IsEmpty());
    numbers.push_back(problem.line);
  }
  EXPECT_EQ(numbers, (std::vector<int32_t>{2, 3, 4, 5, 6}));
}

TEST(StartList, RacesCollectTheirCompetitors) {
  const std::string file =
      "1,1,1,100 m Men\r\n"
      ",101,3,Doe,John,Harriers,L-9,extra,fields\r\n"
      ",102,4,\"O'Neil, Jr.\",Sam,\"Club \"\"Fast\"\"\"\r\n"
      "; a comment between competitors\r\n"
      ",103,5\r\n"
      "1,1,2\r\n"
      ",201,1,Roe,Ann,Striders\r\n";
  KMemoryStream stream = Text(file);
  StartList lists;
  lists.ReadRaces(stream, u"vesk.evt");
  ASSERT_EQ(lists.Races().size(), 2u);
  const StartList::Race* first = lists.FindRace(u"1", u"1", u"1");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(Narrow(first->name), "100 m Men");
  ASSERT_EQ(first->competitors.size(), 3u);
  const StartList::Competitor& doe = first->competitors[0];
  EXPECT_EQ(Narrow(doe.id) + "|" + Narrow(doe.lane) + "|" + Narrow(doe.lastName) + "|" +
                Narrow(doe.firstName) + "|" + Narrow(doe.affiliation) + "|" + Narrow(doe.licence),
            "101|3|Doe|John|Harriers|L-9");
  EXPECT_EQ(Narrow(first->competitors[1].lastName), "O'Neil, Jr.");
  EXPECT_EQ(Narrow(first->competitors[1].affiliation), "Club \"Fast\"");
  EXPECT_TRUE(first->competitors[2].lastName.IsEmpty());
  const StartList::Race* second = lists.FindRace(u"1", u"1", u"2");
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(second->name.IsEmpty());
  ASSERT_EQ(second->competitors.size(), 1u);
  EXPECT_EQ(Narrow(second->competitors[0].lastName), "Roe");
}

TEST(StartList, CompetitorsWithoutTheirRaceAreSkipped) {
  const std::string file =
      ",100,1,Early,Bird\n"  // before any race
      "1,1\n"                // a broken race line
      ",101,2,Lost,Too\n"    // belongs to the broken race
      "2,1,1,Good\n"
      ",102,\n"  // no lane
      ",103,3,Kept\n";
  KMemoryStream stream = Text(file);
  StartList lists;
  lists.ReadRaces(stream, u"vesk.evt");
  ASSERT_EQ(lists.Races().size(), 1u);
  ASSERT_EQ(lists.Races()[0].competitors.size(), 1u);
  EXPECT_EQ(Narrow(lists.Races()[0].competitors[0].lastName), "Kept");
  EXPECT_EQ(lists.SkippedLines(), 4);
}

TEST(StartList, AFullRaceTakesNoMoreCompetitors) {
  std::string file = "1,1,1\n";
  for (int32_t i = 0; i < StartList::kMaxCompetitors + 5; ++i) {
    file += "," + std::to_string(i) + "," + std::to_string(i + 1) + ",Name\n";
  }
  KMemoryStream stream = Text(file);
  StartList lists;
  lists.ReadRaces(stream, u"vesk.evt");
  EXPECT_EQ(lists.Races()[0].competitors.size(), static_cast<size_t>(StartList::kMaxCompetitors));
  EXPECT_EQ(lists.SkippedLines(), 5);
  EXPECT_EQ(lists.Problems().size(), 5u);
}

TEST(StartList, PeopleAreFoundByIdAndTheLastLineWins) {
  const std::string file =
      "101,Doe,John,Harriers,L-1\n"
      "102,Roe,Ann\n"
      ",NoId,Person\n"
      "101,Doe,Johnny,Harriers\n";
  KMemoryStream stream = Text(file);
  StartList lists;
  lists.ReadPeople(stream, u"vesk.ppl");
  const StartList::Person* doe = lists.FindPerson(u"101");
  ASSERT_NE(doe, nullptr);
  EXPECT_EQ(Narrow(doe->firstName), "Johnny");
  EXPECT_TRUE(doe->licence.IsEmpty());
  ASSERT_NE(lists.FindPerson(u"102"), nullptr);
  EXPECT_TRUE(lists.FindPerson(u"102")->affiliation.IsEmpty());
  EXPECT_EQ(lists.FindPerson(u"103"), nullptr);
  EXPECT_EQ(lists.SkippedLines(), 1);
}

TEST(StartList, OverlongFieldsSkipTheirLine) {
  const std::string name(StartList::kMaxFieldLength + 1, 'n');
  const std::string file = "1,Doe," + name + "\n2,Roe,Ann\n";
  KMemoryStream stream = Text(file);
  StartList lists;
  lists.ReadPeople(stream, u"vesk.ppl");
  EXPECT_EQ(lists.FindPerson(u"1"), nullptr);
  EXPECT_NE(lists.FindPerson(u"2"), nullptr);
  EXPECT_EQ(lists.SkippedLines(), 1);
}

TEST(StartList, TextIsReadInTheChosenCodeSet) {
  // "Müller" in one byte per character, and in UTF-8 with a byte-order mark.
  struct Case {
    std::string bytes;
    int32_t encoding;
  } cases[] = {
      {"1,M\xfcller\n", KStream::kEncodingByte},
      {"\xef\xbb\xbf"
       "1,M\xfcller\n",
       KStream::kEncodingByte},
      {"\xef\xbb\xbf"
       "1,M\xc3\xbcller\n",
       KStream::kEncodingLocal},
      {std::string("\xff\xfe"
                   "1\0,\0M\0\xfc\0l\0l\0e\0r\0\n\0",
                   20),
       KStream::kEncodingUtf16},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.encoding);
    KMemoryStream stream = Text(c.bytes, c.encoding);
    StartList lists;
    lists.ReadPeople(stream, u"vesk.ppl");
    ASSERT_NE(lists.FindPerson(u"1"), nullptr);
    EXPECT_EQ(Narrow(lists.FindPerson(u"1")->lastName), "M\xc3\xbcller");
  }
}

TEST(StartList, MissingFilesAreEmptyAndUnreadableOnesAreNoted) {
  pftest::TempFolder folder;
  StartList lists;
  lists.ReadFile(KString::FromUtf8(folder.File("vesk.sch")), StartList::kSchedule, KStream::kEncodingByte);
  EXPECT_TRUE(lists.Schedule().empty());
  EXPECT_EQ(lists.SkippedLines(), 0);

  pftest::WriteBytes(folder.File("vesk.ppl"), std::string(StartList::kMaxFileBytes + 1, 'x'));
  lists.ReadFile(KString::FromUtf8(folder.File("vesk.ppl")), StartList::kPeople, KStream::kEncodingByte);
  ASSERT_EQ(lists.Problems().size(), 1u);
  EXPECT_EQ(Narrow(lists.Problems()[0].source), "vesk.ppl");

  std::filesystem::create_directory(folder.File("vesk.evt"));
  lists.ReadFile(KString::FromUtf8(folder.File("vesk.evt")), StartList::kRaces, KStream::kEncodingByte);
  EXPECT_EQ(lists.SkippedLines(), 2);
}

TEST(StartList, OnlyRegularFilesAreRead) {
  pftest::TempFolder folder;
  struct Case {
    const char* name;
    std::function<void(const std::string&)> make;
  } cases[] = {
      // Without a writer, opening a FIFO waits for ever; a device may never end.
      {"a FIFO", [](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }},
      {"a device", [](const std::string& path) { std::filesystem::create_symlink("/dev/zero", path); }},
      {"a folder", [](const std::string& path) { std::filesystem::create_directory(path); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = folder.File(std::string(c.name + 2) + ".sch");
    c.make(path);
    StartList lists;
    lists.ReadFile(KString::FromUtf8(path), StartList::kSchedule, KStream::kEncodingByte);
    ASSERT_EQ(lists.Problems().size(), 1u);
    EXPECT_EQ(Narrow(lists.Problems()[0].reason), "not a regular file");
    EXPECT_TRUE(lists.Schedule().empty());
  }
  // A link to a regular file is read.
  pftest::WriteBytes(folder.File("real.sch"), "1,1,1\n");
  std::filesystem::create_symlink(folder.File("real.sch"), folder.File("vesk.sch"));
  StartList lists;
  lists.ReadFile(KString::FromUtf8(folder.File("vesk.sch")), StartList::kSchedule, KStream::kEncodingByte);
  EXPECT_EQ(lists.Schedule().size(), 1u);
  EXPECT_EQ(lists.SkippedLines(), 0);
}

TEST(StartList, TextBeyondTheFileLimitIsNotRead) {
  // Comment lines up to the limit, then a race that lies beyond it.
  const std::string comment = ";" + std::string(StartList::kMaxLineLength - 1, 'c') + "\n";
  std::string text = "1,1,1\n";
  int32_t lines = 1;
  while (static_cast<int64_t>(text.size()) <= StartList::kMaxFileBytes) {
    text += comment;
    ++lines;
  }
  text += "2,1,1\n";
  KMemoryStream stream = Text(text, KStream::kEncodingByte);
  StartList lists;
  lists.ReadSchedule(stream, u"vesk.sch");
  EXPECT_EQ(ScheduleTexts(lists), (std::vector<std::string>{"1/1/1/"}));
  ASSERT_EQ(lists.Problems().size(), 1u);
  EXPECT_EQ(Narrow(lists.Problems()[0].reason), "the file is too large");
  EXPECT_EQ(lists.Problems()[0].line, lines);
}

TEST(StartList, RaceNumbersMatchWhateverTheirPadding) {
  struct Case {
    const char16_t* a;
    const char16_t* b;
    bool same;
  } cases[] = {
      {u"7", u"007", true}, {u"12", u"12", true},
      {u"A1", u"A1", true}, {u"A1", u"a1", false},
      {u"7", u"8", false},  {u"", u"0", false},
      {u"-1", u"1", false}, {u"99999999999999999999", u"1", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(KString(c.a).ToUtf8() + " " + KString(c.b).ToUtf8());
    EXPECT_EQ(StartList::SameNumber(c.a, c.b), c.same);
  }
}

}  // namespace
