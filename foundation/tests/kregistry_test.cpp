#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/krbool.h"
#include "foundation/kregistry.h"
#include "foundation/krfloat.h"
#include "foundation/krint.h"
#include "foundation/krrat.h"
#include "foundation/krstring.h"
#include "foundation/kstream.h"
#include "foundation/kx.h"
#include "foundation/tests/krtestsupport.h"
#include "foundation/tests/ktempfolder.h"

namespace {

enum class Form { kUtf16Bom, kUtf8, kByte };

void PutUtf8(std::vector<uint8_t>& bytes, char32_t c) {
  if (c < 0x80) {
    bytes.push_back(static_cast<uint8_t>(c));
  } else if (c < 0x800) {
    bytes.push_back(static_cast<uint8_t>(0xC0 | (c >> 6)));
    bytes.push_back(static_cast<uint8_t>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    bytes.push_back(static_cast<uint8_t>(0xE0 | (c >> 12)));
    bytes.push_back(static_cast<uint8_t>(0x80 | ((c >> 6) & 0x3F)));
    bytes.push_back(static_cast<uint8_t>(0x80 | (c & 0x3F)));
  } else {
    bytes.push_back(static_cast<uint8_t>(0xF0 | (c >> 18)));
    bytes.push_back(static_cast<uint8_t>(0x80 | ((c >> 12) & 0x3F)));
    bytes.push_back(static_cast<uint8_t>(0x80 | ((c >> 6) & 0x3F)));
    bytes.push_back(static_cast<uint8_t>(0x80 | (c & 0x3F)));
  }
}

// The bytes of a file holding `text`, whose line ends ('\n') become `lineEnd`.
std::vector<uint8_t> Encode(std::u16string_view text, Form form, std::u16string_view lineEnd) {
  std::u16string units;
  for (char16_t c : text) {
    units += c == u'\n' ? std::u16string(lineEnd) : std::u16string(1, c);
  }
  std::vector<uint8_t> bytes;
  if (form == Form::kUtf16Bom) {
    bytes = {0xFF, 0xFE};
    for (char16_t c : units) {
      bytes.push_back(static_cast<uint8_t>(c & 0xFF));
      bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
  } else if (form == Form::kUtf8) {
    for (size_t i = 0; i < units.size(); ++i) {
      char32_t c = units[i];
      if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size()) {
        c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
      }
      PutUtf8(bytes, c);
    }
  } else {
    for (char16_t c : units) {
      bytes.push_back(static_cast<uint8_t>(c));
    }
  }
  return bytes;
}

// Every node type, ",n", ranges, quoted and raw texts with backslashes, Latin-1 letters.
constexpr std::u16string_view kSample =
    u"Registry Version: 1.00\n"
    u"\\Event\\\n"
    u"\\Event\\SingleEvent:Int=1\n"
    u"\\Event\\Results\\\n"
    u"\\Event\\Results\\DefaultLanes:Int,0,1,10=8\n"
    u"\\Event\\Scale:Rat,3=3/4\n"
    u"\\Chart\\\n"
    u"\\Chart\\MinX:Float,0,-10,2.5=-3\n"
    u"\\Chart\\Step:Float=0.1\n"
    u"\\Boot:Bool,7=1\n"
    u"\\Folder:String=C:\\Data\\ a\\nb\n"
    u"\\Padded:String=\"  padded\\\\ \\\"x\\\" \"\n"
    u"\\TwoLines:String=\"one\\r\\ntwo\"\n"
    u"\\Empty:String=\n"
    u"\\Strings\\\n"
    u"\\Strings\\Town:String=Z\u00fcrich \u00bd\n";
// Beyond 8 bits: a dash and a character outside the basic plane.
constexpr std::u16string_view kWideLine = u"\\Strings\\Wide:String=\u2013 \U0001F600\n";

struct RoundTrip {
  const char* name;
  Form form;
  int32_t readMode;
  std::u16string_view lineEnd;
};

TEST_F(RegistryTest, LoadThenSaveGivesTheSameBytesInEveryEncodingAndLineEnd) {
  const RoundTrip cases[] = {
      {"UTF-16 CR LF", Form::kUtf16Bom, KStream::kEncodingAuto, u"\r\n"},
      {"UTF-16 LF", Form::kUtf16Bom, KStream::kEncodingAuto, u"\n"},
      {"UTF-16 CR", Form::kUtf16Bom, KStream::kEncodingAuto, u"\r"},
      {"UTF-8 CR LF", Form::kUtf8, KStream::kEncodingAuto, u"\r\n"},
      {"UTF-8 LF", Form::kUtf8, KStream::kEncodingAuto, u"\n"},
      {"UTF-8 CR", Form::kUtf8, KStream::kEncodingAuto, u"\r"},
      {"8-bit CR LF", Form::kByte, KStream::kEncodingByte, u"\r\n"},
      {"8-bit LF", Form::kByte, KStream::kEncodingByte, u"\n"},
      {"8-bit CR", Form::kByte, KStream::kEncodingByte, u"\r"},
  };
  for (const RoundTrip& c : cases) {
    SCOPED_TRACE(c.name);
    std::u16string text(kSample);
    if (c.form != Form::kByte) {
      text += kWideLine;
    }
    const std::vector<uint8_t> original = Encode(text, c.form, c.lineEnd);
    std::vector<uint8_t> current = original;
    // Twice: the second load reads what the first save wrote.
    for (int pass = 0; pass < 2; ++pass) {
      KRegistry registry;
      KMemoryStream in(current);
      in.SetReadMode(c.readMode);
      EXPECT_EQ(registry.Load(in), 0);
      KMemoryStream out;
      out.SetWriteMode(in.ReadMode());
      out.SetWriteLineMode(in.ReadLineMode());
      out.WriteBOM();
      registry.Save(out);
      EXPECT_EQ(out.Bytes(), original) << "pass " << pass;
      current = out.Bytes();
    }
  }
}

TEST_F(RegistryTest, LoadedValuesHaveTheirTypesAndFields) {
  KRegistry registry;
  ASSERT_EQ(LoadText(registry, KString(std::u16string(kSample).c_str()).ToUtf8()), 0);
  const KRInt* lanes = KRegistry::GetInt(&registry, u"\\Event\\Results\\DefaultLanes");
  ASSERT_NE(lanes, nullptr);
  EXPECT_EQ(lanes->Value(), 8);
  EXPECT_TRUE(lanes->HasNumber());
  EXPECT_EQ(lanes->Number(), 0);
  EXPECT_TRUE(lanes->Bounds().present);
  EXPECT_EQ(lanes->Bounds().minimum, 1);
  EXPECT_EQ(lanes->Bounds().maximum, 10);
  const KRFloat* minX = KRegistry::GetFloat(&registry, u"\\Chart\\MinX");
  ASSERT_NE(minX, nullptr);
  EXPECT_EQ(minX->Value(), -3.0);
  EXPECT_EQ(minX->Bounds().maximum, 2.5);
  const auto* scale = dynamic_cast<const KRRat*>(KRegistry::Lookup(&registry, u"\\Event\\Scale"));
  ASSERT_NE(scale, nullptr);
  EXPECT_EQ(scale->Value(), KRational(3, 4));
  EXPECT_EQ(scale->Number(), 3);
  ASSERT_NE(KRegistry::GetBool(&registry, u"\\Boot"), nullptr);
  EXPECT_EQ(KRegistry::GetBool(&registry, u"\\Boot")->Value(), 1);
  EXPECT_EQ(Text(KRegistry::GetString(&registry, u"\\Folder")), u"C:\\Data\\ a\\nb");
  EXPECT_EQ(Text(KRegistry::GetString(&registry, u"\\Padded")), u"  padded\\ \"x\" ");
  EXPECT_EQ(Text(KRegistry::GetString(&registry, u"\\TwoLines")), u"one\r\ntwo");
  EXPECT_NE(KRegistry::GetStringNode(&registry, u"\\Empty"), nullptr);
}

TEST_F(RegistryTest, TextsThatNeedQuotesSurviveSaveAndLoad) {
  const char16_t* texts[] = {u"plain",     u" leading",   u"trailing ", u"\ttab",     u"line\nend",
                             u"cr\ronly",  u"\"quoted\"", u"\"",        u"x\"",       u"back\\slash\\",
                             u"\\n stays", u"\"a\\\"",    u"",          u"a \\\"b\" "};
  for (const char16_t* text : texts) {
    SCOPED_TRACE(KString(text).ToUtf8());
    KRegistry registry;
    KRString* node = static_cast<KRString*>(registry.Find(KString(u"\\T:String=")));
    ASSERT_NE(node, nullptr);
    node->SetText(KString(text));
    const std::string saved = SavedText(registry);
    KRegistry copy;
    ASSERT_EQ(LoadText(copy, saved), 0) << saved;
    EXPECT_EQ(Text(KRegistry::GetString(&copy, u"\\T")), std::u16string(text)) << saved;
  }
}

TEST_F(RegistryTest, LoadSetsExistingNodesThroughTheirCallbacksAndAddsMissingOnes) {
  KRegistry registry;
  const char16_t* defaults[] = {
      u"Database\\:=", u"Database\\File\\:=",       u"Database\\File\\DataInDir:String=",
      u"Event\\:=",    u"Event\\SingleEvent:Int=1", u"Event\\Keep:Int=5",
      nullptr};
  KRegistry::AddLines(&registry, defaults);
  struct Folder {
    static bool Store(KRString* node, const KString& text, void* data) {
      ++*static_cast<int*>(data);
      KString withSlash(text);
      withSlash.AppendChar(u'/');
      node->SetText(withSlash);
      return true;
    }
  };
  int calls = 0;
  KRegistry::GetStringNode(&registry, u"\\Database\\File\\DataInDir")->SetCallback(&Folder::Store, &calls);
  EXPECT_EQ(LoadText(registry,
                     "Registry Version: 1.00\n"
                     "\\Database\\File\\DataInDir:String=/data\n"
                     "\\event\\singleevent:Int=0\n"
                     "\\Event\\Layout\\\n"
                     "\\Event\\Layout\\Chart1:String=0,26,100,100,Bottom\n"),
            0);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(Text(KRegistry::GetString(&registry, u"\\Database\\File\\DataInDir")), u"/data/");
  EXPECT_EQ(KRegistry::GetInt(&registry, u"\\Event\\SingleEvent")->Value(), 0);
  EXPECT_EQ(KRegistry::GetInt(&registry, u"\\Event\\Keep")->Value(), 5);
  // Names keep the spelling they were created with; new nodes go to the end of their group.
  EXPECT_EQ(SavedText(registry),
            "Registry Version: 1.00\n"
            "\\Database\\\n"
            "\\Database\\File\\\n"
            "\\Database\\File\\DataInDir:String=/data/\n"
            "\\Event\\\n"
            "\\Event\\SingleEvent:Int=0\n"
            "\\Event\\Keep:Int=5\n"
            "\\Event\\Layout\\\n"
            "\\Event\\Layout\\Chart1:String=0,26,100,100,Bottom\n");
}

TEST_F(RegistryTest, AddLinesAcceptsEveryLineForm) {
  KRegistry registry;
  const char16_t* lines[] = {
      u"Event\\Layout\\:=",           // built-in group form
      u"\\Hardware\\",                // written group form
      u"\\Serial\\:",                 // colon, no type
      u"Chart:Group=",                // group by type name
      u"Competition\\Count:Int=3",    // built-in value form, groups created on the way
      u"Scoreboards\\Boot:bool=yes",  // type name in any case
      u"\\Strings\\Title:STRING=Hi",  // leading backslash
      u"Chart\\Axes\\MinX:Float=-3",  // inside an existing group
      nullptr,
  };
  KRegistry::AddLines(&registry, lines);
  struct Expected {
    const char16_t* path;
    const char16_t* type;
    const char16_t* value;
  } expected[] = {
      {u"\\Event\\Layout", u"Group", u""},
      {u"\\Hardware", u"Group", u""},
      {u"\\Serial", u"Group", u""},
      {u"\\Chart", u"Group", u""},
      {u"\\Competition\\Count", u"Int", u"3"},
      {u"\\Scoreboards\\Boot", u"Bool", u"1"},
      {u"\\Strings\\Title", u"String", u"Hi"},
      {u"\\Chart\\Axes\\MinX", u"Float", u"-3"},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(KString(e.path).ToUtf8());
    const KRNode* node = KRegistry::Lookup(&registry, KString(e.path));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(std::u16string(node->TypeName()), std::u16string(e.type));
    KString value;
    node->AppendValue(value);
    EXPECT_EQ(Text(value), std::u16string(e.value));
  }
  // Relative lines are parsed inside the group they are given to.
  KRGroup* layout = KRegistry::GetGroup(&registry, u"\\Event\\Layout\\");
  ASSERT_NE(layout, nullptr);
  const char16_t* layoutLines[] = {u"Chart1:String=0,26,100,100,Bottom", u"Results1:String=0,0,100,26,Right",
                                   nullptr};
  KRegistry::AddLines(layout, layoutLines);
  EXPECT_EQ(Text(KRegistry::GetString(&registry, u"\\Event\\Layout\\Results1")), u"0,0,100,26,Right");
  EXPECT_EQ(layout->NextChild(nullptr)->Name(), KString(u"Chart1"));
}

TEST_F(RegistryTest, RefusedLinesLeaveTheTreeAsItWas) {
  KRegistry registry;
  const char16_t* setup[] = {u"Event\\:=", u"Event\\Lanes:Int,0,1,10=8", u"Event\\Name:String=x", nullptr};
  KRegistry::AddLines(&registry, setup);
  const std::string before = SavedText(registry);
  std::u16string deep;
  for (int i = 0; i <= KRegistry::kMaxDepth; ++i) {
    deep += u"\\G";
  }
  const std::u16string tooDeep = deep + u":Int=1";
  const std::u16string tooLong = u"\\Long:String=" + std::u16string(KRegistry::kMaxLineLength, u'x');
  const std::u16string refused[] = {
      u"",
      u"NoColon",
      u"\\New:Unknown=1",
      u"\\New:Int",  // no value
      u"\\New:Int=abc",
      u"\\New:Int,x=1",        // ",n" not a number
      u"\\New:Int,0,5=1",      // a minimum without a maximum
      u"\\New:Int,0,1,2,3=1",  // too many fields
      u"\\New:Int,0,10,1=5",   // minimum above maximum
      u"\\New:Int,0,1,10=11",  // outside its own range
      u"\\New:Bool,0,0,1=1",   // a range on a type without one
      u"\\New:Float=nan",
      u"\\New:Rat=1/0",
      u"\\New:Bool=2",
      u"\\New\\\\Name:Int=1",  // empty name
      u"\\:Int=1",             // no name
      u"\\New\rName:Int=1",    // a line end in a name
      u"\\New\nName\\:=",
      u"\\New\\:Int=1",  // group path with a value type
      u"\\New\\:=x",     // group line with a value
      u"\\New:Group=x",
      u"\\Event\\Lanes:String=8",     // another type than the node's
      u"\\Event\\Lanes\\Sub:Int=1",   // a value node used as a group
      u"\\Event:Int=1",               // a value line for a group
      u"\\Event\\Lanes:Int=11",       // outside the node's range
      u"\\Event\\Lanes:Int,1,1,5=7",  // outside the line's new range
      tooDeep,
      tooLong,
  };
  for (const std::u16string& line : refused) {
    SCOPED_TRACE(KString(line.c_str()).ToUtf8().substr(0, 80));
    EXPECT_EQ(registry.Find(KString(line.c_str(), static_cast<int32_t>(line.size()))), nullptr);
    EXPECT_EQ(SavedText(registry), before);
  }
}

TEST_F(RegistryTest, LimitsThemselvesAreAccepted) {
  KRegistry registry;
  std::u16string deepest;
  for (int i = 1; i < KRegistry::kMaxDepth; ++i) {
    deepest += u"\\G";
  }
  deepest += u"\\V:Int=1";
  EXPECT_NE(registry.Find(KString(deepest.c_str())), nullptr);
  // The limit counts from the top of the tree, also for lines parsed inside a group.
  KRGroup* deepGroup = KRegistry::GetGroup(&registry, KString(deepest.substr(0, 2 * 60).c_str()));
  ASSERT_NE(deepGroup, nullptr);
  EXPECT_NE(deepGroup->Find(KString(u"G\\G\\G\\W:Int=1")), nullptr);
  EXPECT_EQ(deepGroup->Find(KString(u"G\\G\\G\\G\\W:Int=1")), nullptr);
  std::u16string longest = u"\\Long:String=";
  longest.resize(KRegistry::kMaxLineLength, u'x');
  KRNode* node = registry.Find(KString(longest.c_str()));
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(static_cast<KRString*>(node)->Value().Length(), KRegistry::kMaxLineLength - 13);
}

TEST_F(RegistryTest, ManyLinesInOneGroupLoadInAboutLinearTime) {
  // Each line names a new child, then sets it again under another case: every line is looked up by name.
  // Looking names up one by one along the group would take this many lines tens of seconds; the limit
  // leaves room for a sanitizer build. The time is this thread's processor time, which other programs
  // running beside the tests do not take.
  constexpr int32_t kChildren = 20'000;
  std::string text = "Registry Version: 1.00\n\\Big\\\n";
  for (int32_t i = 0; i < kChildren; ++i) {
    text += "\\Big\\Item" + std::to_string(i) + ":Int=1\n";
  }
  for (int32_t i = 0; i < kChildren; ++i) {
    text += "\\BIG\\ITEM" + std::to_string(i) + ":Int=2\n";
  }
  KRegistry registry;
  const auto threadTime = [] {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
  };
  const auto started = threadTime();
  EXPECT_EQ(LoadText(registry, text), 0);
  EXPECT_LT(threadTime() - started, std::chrono::seconds(10));
  const KRGroup* big = KRegistry::GetGroup(&registry, KString(u"Big"));
  ASSERT_NE(big, nullptr);
  int32_t count = 0;
  for (const KRNode* child = big->NextChild(nullptr); child != nullptr; child = big->NextChild(child)) {
    ++count;
  }
  EXPECT_EQ(count, kChildren);
  const KRInt* last = KRegistry::GetInt(&registry, KString(u"Big\\item19999"));
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->Value(), 2);
}

TEST_F(RegistryTest, LoadRefusesAWrongHeaderWithItsCode) {
  struct Case {
    const char* name;
    std::string bytes;
    int32_t code;
  } cases[] = {
      {"empty", "", kErrFileContents},
      {"no header", "\\A:Int=1\n", kErrFileContents},
      {"garbage", std::string("\x01\xff\x00\x7f", 4), kErrFileContents},
      {"other version", "Registry Version: 2.00\n\\A:Int=1\n", kErrFileVersion},
      {"version missing", "Registry Version:\n\\A:Int=1\n", kErrFileVersion},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KRegistry registry;
    try {
      LoadText(registry, c.bytes);
      ADD_FAILURE() << "no exception";
    } catch (const KXPersistent& failure) {
      EXPECT_EQ(failure.Code(), c.code);
    }
    EXPECT_EQ(registry.NextChild(nullptr), nullptr);
  }
}

TEST_F(RegistryTest, HeaderIgnoresCaseAndBlanksAndTheLastLineNeedsNoLineEnd) {
  KRegistry registry;
  EXPECT_EQ(LoadText(registry, "  registry VERSION:   1.00 \n\\A:Int=1"), 0);
  ASSERT_NE(KRegistry::GetInt(&registry, u"\\A"), nullptr);
  EXPECT_EQ(KRegistry::GetInt(&registry, u"\\A")->Value(), 1);
}

TEST_F(RegistryTest, BadLinesAreSkippedAndTheRestIsLoaded) {
  std::string text = "Registry Version: 1.00\n\\A:Int=1\n";
  text += std::string("\x01\x02\x03:=\xff\n", 8);
  text += "nonsense\n\n   \n";
  text += "\\B:String=" + std::string(KRegistry::kMaxLineLength + 100000, 'y') + "\n";
  for (int i = 0; i < 200; ++i) {
    text += "\\D";
  }
  text += ":Int=5\n";
  text += "\\C:Int=3\n";
  KRegistry registry;
  EXPECT_EQ(LoadText(registry, text), 4);
  EXPECT_EQ(SavedText(registry), "Registry Version: 1.00\n\\A:Int=1\n\\C:Int=3\n");
}

TEST_F(RegistryTest, TruncatedUtf16KeepsTheCompleteLines) {
  std::vector<uint8_t> bytes =
      Encode(u"Registry Version: 1.00\n\\A:Int=1\n\\B:Int=2", Form::kUtf16Bom, u"\r\n");
  bytes.pop_back();  // half of the last character
  KRegistry registry;
  KMemoryStream stream(bytes);
  EXPECT_EQ(registry.Load(stream), 1);  // "\B:Int=" has no value left
  EXPECT_EQ(SavedText(registry), "Registry Version: 1.00\n\\A:Int=1\n");
}

// Gives its bytes, then fails as a broken disk does.
class BrokenStream : public KStream {
 public:
  explicit BrokenStream(std::string_view text) : bytes(text) {}

 protected:
  int32_t ReadRaw(void* buffer, int32_t count) override {
    if (position == bytes.size()) {
      throw KXStream(kErrFileRead, 5);
    }
    const size_t given = std::min(bytes.size() - position, static_cast<size_t>(count));
    std::memcpy(buffer, bytes.data() + position, given);
    position += given;
    return static_cast<int32_t>(given);
  }
  void WriteRaw(const void*, int32_t) override { throw KXStream(kErrFileWrite); }

 private:
  std::string bytes;
  size_t position = 0;
};

TEST_F(RegistryTest, AnUnreadableStreamThrowsAndKeepsWhatWasRead) {
  KRegistry registry;
  BrokenStream stream("Registry Version: 1.00\n\\A:Int=1\n\\B:Int=2");
  try {
    registry.Load(stream);
    ADD_FAILURE() << "no exception";
  } catch (const KXStream& failure) {
    EXPECT_EQ(failure.Code(), kErrFileRead);
  }
  EXPECT_EQ(SavedText(registry), "Registry Version: 1.00\n\\A:Int=1\n");
}

TEST_F(RegistryTest, SaveLeavesOutUnsavedAndDeletedNodesWithTheirSubtrees) {
  KRegistry registry;
  const char16_t* lines[] = {u"Strings\\:=",
                             u"Strings\\A:String=a",
                             u"Event\\:=",
                             u"Event\\Layout\\:=",
                             u"Event\\Layout\\Chart1:String=c",
                             u"Event\\Lanes:Int=8",
                             u"Event\\Gone:Int=1",
                             u"Keep:Int=2",
                             nullptr};
  KRegistry::AddLines(&registry, lines);
  KRegistry::GetGroup(&registry, u"\\Strings")->SetSaved(false);
  KRegistry::GetGroup(&registry, u"\\Event\\Layout")->SetDeleted(true);
  KRegistry::GetInt(&registry, u"\\Event\\Gone")->SetDeleted(true);
  EXPECT_EQ(SavedText(registry), "Registry Version: 1.00\n\\Event\\\n\\Event\\Lanes:Int=8\n\\Keep:Int=2\n");
  // Deleted nodes stay in the tree.
  EXPECT_NE(KRegistry::GetStringNode(&registry, u"\\Event\\Layout\\Chart1"), nullptr);
}

TEST_F(RegistryTest, SavingAGroupWritesFullPaths) {
  KRegistry registry;
  const char16_t* lines[] = {u"Strings\\:=", u"Strings\\Alerts\\:=", u"Strings\\Alerts\\Error:String=Error",
                             u"Other:Int=1", nullptr};
  KRegistry::AddLines(&registry, lines);
  EXPECT_EQ(
      SavedText(*KRegistry::GetGroup(&registry, u"\\Strings")),
      "Registry Version: 1.00\n\\Strings\\\n\\Strings\\Alerts\\\n\\Strings\\Alerts\\Error:String=Error\n");
}

std::string FileBytes(const KString& path) {
  std::ifstream in(path.ToUtf8(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(RegistryTest, SaveFileWritesFirstLineAndTextInTheGivenModes) {
  KTempFolder folder;
  ASSERT_TRUE(folder.IsValid());
  const KString file = folder.File("English.lng");
  KRegistry registry;
  const char16_t* lines[] = {u"Strings\\:=", u"Strings\\Ok:String=Ok", nullptr};
  KRegistry::AddLines(&registry, lines);
  KRegistry::SaveFile(file, KStream::kEncodingLocal, KStream::kLineCrLf,
                      *KRegistry::GetGroup(&registry, u"\\Strings"), KString(u"English,en_US"));
  EXPECT_EQ(FileBytes(file),
            "English,en_US\r\nRegistry Version: 1.00\r\n\\Strings\\\r\n\\Strings\\Ok:String=Ok\r\n");
}

// A node whose text cannot be produced: stands for a write that fails half-way.
class FailingNode : public KRValue {
 public:
  const char16_t* TypeName() const override { return u"Failing"; }
  void AppendValue(KString&) const override { throw KXStream(kErrFileWrite); }
  bool ParseValue(const KString&) override { return false; }
  std::unique_ptr<KRNode> CreateNode() const override { return std::make_unique<FailingNode>(); }
};

TEST_F(RegistryTest, FailedSaveFileLeavesTheOldFileAndNoTemporaryFile) {
  KTempFolder folder;
  ASSERT_TRUE(folder.IsValid());
  const KString path = folder.File("kestrove.cfg");
  KRegistry registry;
  registry.Find(KString(u"\\A:Int=1"));
  KRegistry::SaveFile(path, KStream::kEncodingUtf16, KStream::kLineLf, registry);
  const std::string old = FileBytes(path);
  ASSERT_FALSE(old.empty());

  registry.Find(KString(u"\\A:Int=2"));
  auto failing = std::make_unique<FailingNode>();
  failing->SetName(KString(u"Broken"));
  registry.AddChild(std::move(failing));
  EXPECT_THROW(KRegistry::SaveFile(path, KStream::kEncodingUtf16, KStream::kLineLf, registry), KXStream);
  EXPECT_EQ(FileBytes(path), old);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
