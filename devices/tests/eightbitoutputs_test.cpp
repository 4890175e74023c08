// What every output in the one-byte code set sends for a text: the scoreboard, the database link, the
// results interface file and the control unit's text.

#include <gtest/gtest.h>

#include <string>

#include "devices/databaseframe.h"
#include "devices/qxffile.h"
#include "devices/scoreboardrenderer.h"
#include "devices/tests/culinktestsupport.h"
#include "devices/tests/photofinishtestsupport.h"
#include "foundation/kstream.h"

namespace {

// The bytes a board in its default code set gets for a message field.
std::string ScoreboardBytes(const KString& text) {
  ScoreboardScript::Command field;
  field.kind = ScoreboardScript::Kind::kField;
  field.field = u'M';
  ScoreboardFields fields;
  fields.message = text;
  std::string bytes;
  ScoreboardRenderer(0, false, false).Render({field}, fields, bytes);
  return bytes;
}

// The payload bytes of a database frame of one line, as they go out, without the line end.
std::string DatabaseBytes(const KString& text) {
  DatabaseFrame frame;
  frame.code = "RFL";
  frame.SetLines({text}, 0);
  const std::string bytes = frame.Encode(false);
  const std::string head = "\x01RFL\x02";
  const std::string tail = "\r\n\x04";
  EXPECT_EQ(bytes.substr(0, head.size()), head);
  EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);
  return bytes.substr(head.size(), bytes.size() - head.size() - tail.size());
}

// The bytes of a results interface file of one line in the one-byte code set, without the line end.
std::string ResultsFileBytes(const KString& text) {
  const pftest::TempFolder folder;
  const std::string path = folder.File("one.qxf");
  QxfFile::Write(KString::FromUtf8(path), {text}, KStream::kEncodingByte);
  const std::string bytes = pftest::ReadBytes(path);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  return bytes.substr(0, bytes.size() - 2);
}

// The text bytes the control unit got: the count word, then four bytes a word, low byte first.
std::string ControlUnitBytes(const std::vector<uint32_t>& words) {
  std::string bytes;
  for (uint32_t i = 0; i < words.at(0); ++i) {
    bytes.push_back(static_cast<char>(words.at(1 + i / 4) >> (8 * (i % 4)) & 0xFF));
  }
  return bytes;
}

TEST_F(CuLinkTest, EveryEightBitOutputSendsAQuestionMarkForACharacterItsCodeSetLacksAndABlankForAControl) {
  // Cut to its low byte, "č" (U+010D) would be a CR, "ă" (U+0103) 0x03 and "☃" (U+2603) 0x03 as well.
  struct Case {
    const char16_t* text;
    std::string bytes;
  } cases[] = {
      {u"Kova\u010d", "Kova?"},
      {u"\u0103", "?"},
      {u"\u2603", "?"},
      {u"Ann Roe", "Ann Roe"},
      {u"M\u00fcller \u00ff", "M\xfcller \xff"},
      {u"tab\there", "tab here"},
      {u"two\r\nlines\u007f\u0085\u009f", "two  lines   "},
      {u"Clef \U0001D11E.", "Clef ?."},
  };
  Start(EightLanes());
  for (const Case& c : cases) {
    const KString text(c.text);
    SCOPED_TRACE(text.ToUtf8());
    EXPECT_EQ(ScoreboardBytes(text), c.bytes);
    EXPECT_EQ(DatabaseBytes(text), c.bytes);
    EXPECT_EQ(ResultsFileBytes(text), c.bytes);
    ASSERT_TRUE(link.SendText(port, text, true));
    EXPECT_EQ(ControlUnitBytes(simulator->Requests().back().words), c.bytes);
  }
}

}  // namespace
