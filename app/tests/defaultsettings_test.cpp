#include "app/defaultsettings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>

#include "foundation/kregistry.h"

namespace {

class DefaultSettings : public ::testing::Test {
 protected:
  void SetUp() override {
    KRegistry::RegisterTypes();
    const std::u16string_view all(kDefaultSettings);
    for (size_t from = 0, end = 0; from < all.size(); from = end + 1) {
      end = std::min(all.find(u'\n', from), all.size());
      if (end == from) {
        continue;
      }
      const KString line(all.data() + from, static_cast<int32_t>(end - from));
      EXPECT_NE(KRegistry::AddLine(&root, line), nullptr) << line.ToUtf8();
      const std::string text = line.ToUtf8();
      const size_t colon = text.find(':');
      byType[text.substr(colon + 1, text.find('=', colon) - colon - 1)]++;
      byTopGroup[text.substr(0, text.find('\\'))]++;
    }
  }
  void TearDown() override { KRegistry::UnregisterTypes(); }

  KRegistry root;
  std::map<std::string, int> byType;  // "" for group lines
  std::map<std::string, int> byTopGroup;
};

TEST_F(DefaultSettings, HoldTheLinesOfEveryTypeAndGroup) {
  const std::map<std::string, int> types = {
      {"", 67}, {"String", 245}, {"Int", 45}, {"Bool", 14}, {"Float", 9}};
  EXPECT_EQ(byType, types);
  const std::map<std::string, int> groups = {
      {"Competition", 3}, {"Event", 35},      {"Hardware", 5}, {"Scoreboards", 2}, {"Database", 15},
      {"Serial", 2},      {"SerialPorts", 1}, {"Chart", 39},   {"Language", 3},    {"Strings", 275}};
  EXPECT_EQ(byTopGroup, groups);
}

TEST_F(DefaultSettings, GiveTheShellItsValues) {
  const std::map<std::u16string, std::string> cases = {
      {u"\\Event\\SingleEvent", "1"},
      {u"\\Event\\Directory", ""},
      {u"\\Event\\Results\\DefaultLanes", "8"},
      {u"\\Hardware\\MenuTimeOut", "5000"},
      {u"\\Scoreboards\\Boot", "1"},
      {u"\\Database\\File\\DataInDir", ""},
      {u"\\Database\\File\\DataOutDir", ""},
      {u"\\Chart\\Axes\\MinX", "-3"},
      {u"\\Chart\\Axes\\MaxX", "2"},
      {u"\\Language\\Choice", ""},
      {u"\\Language\\Choices\\", ""},
      {u"\\Strings\\Event\\Chart\\Axes\\Power", "Power"},
      {u"\\Strings\\Event\\Chart\\Axes\\Time", "Time (seconds)"},
      {u"\\Strings\\Event\\Results\\Start", "Start: "},
  };
  for (const auto& [path, text] : cases) {
    const KString key(path.data(), static_cast<int32_t>(path.size()));
    SCOPED_TRACE(key.ToUtf8());
    const KRNode* node = KRegistry::Lookup(&root, key);
    ASSERT_NE(node, nullptr);
    KString value;
    node->AppendValue(value);
    EXPECT_EQ(value.ToUtf8(), text);
  }
}

}  // namespace
