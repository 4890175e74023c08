#include "app/servicecommand.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The bytes of the units in the machine's order, as the service hands them over.
std::vector<uint8_t> Bytes(const std::u16string& units) {
  const auto* first = reinterpret_cast<const uint8_t*>(units.data());
  return std::vector<uint8_t>(first, first + 2 * units.size());
}

}  // namespace

TEST(ServiceCommand, TheTextEndsAtItsZeroOrAtTheBytesHandedOver) {
  const std::u16string longest(511, u'a');
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    std::u16string expected;
  } cases[] = {
      {"ended by 0", Bytes(std::u16string(u"OpenEvent,a.qve\0junk", 20)), u"OpenEvent,a.qve"},
      {"no 0", Bytes(u"OpenEvent,a.qve"), u"OpenEvent,a.qve"},
      {"half a unit at the end",
       [] {
         std::vector<uint8_t> bytes = Bytes(u"ab");
         bytes.push_back('c');
         return bytes;
       }(),
       u"ab"},
      {"the longest", Bytes(longest), longest},
      {"one unit more", Bytes(longest + u"b"), longest},
      {"nothing", {}, u""},
      {"only the 0", Bytes(std::u16string(1, u'\0')), u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const KString text = ServiceCommandText(c.bytes.data(), c.bytes.size());
    EXPECT_EQ(std::u16string(text.Data(), static_cast<std::size_t>(text.Length())), c.expected);
  }
}

TEST(ServiceCommand, OnlyOpenEventWithAFileNamesAFile) {
  struct Case {
    const char16_t* command;
    const char* file;  // null: no file
  } cases[] = {
      {u"OpenEvent,/data/heat 1.qve", "/data/heat 1.qve"},
      {u"OpenEvent,\"/data/a, b.qve\"", "/data/a, b.qve"},
      {u"OpenEvent,\"/data/\"\"q\"\".qve\"", "/data/\"q\".qve"},
      {u"OpenEvent,a.qve,more", "a.qve"},
      {u"openevent,a.qve", nullptr},
      {u"OPENEVENT,a.qve", nullptr},
      {u"OpenEvents,a.qve", nullptr},
      {u" OpenEvent,a.qve", nullptr},
      {u"\"OpenEvent\",a.qve", nullptr},
      {u"OpenEvent", nullptr},
      {u"OpenEvent,", nullptr},
      {u"", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(KString(c.command).ToUtf8());
    const std::optional<KString> file = OpenEventFileOf(KString(c.command));
    ASSERT_EQ(file.has_value(), c.file != nullptr);
    if (file) {
      EXPECT_EQ(file->ToUtf8(), c.file);
    }
  }
}
