#include "app/defaultsettings.h"

#include <gtest/gtest.h>

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
    }
  }
  void TearDown() override { KRegistry::UnregisterTypes(); }

  KRegistry root;
};

TEST_F(DefaultSettings, GiveTheShellItsValues) {
  // The keys the shell reads, and one of every other top group and every type.
  struct Case {
    std::u16string path;
    std::string type;
    std::string text;
  };
  const Case cases[] = {
      {u"\\Competition\\Name", "String", ""},
      {u"\\Event\\SingleEvent", "Int", "1"},
      {u"\\Event\\Directory", "String", ""},
      {u"\\Event\\Results\\DefaultLanes", "Int", "8"},
      {u"\\Event\\Results\\RetryCount", "Int", "3"},
      {u"\\Event\\Results\\ShowAllFSInRed", "Bool", "0"},
      {u"\\Event\\Chart\\ToolBar\\ExportBitmap", "Int", "1"},
      {u"\\Event\\Image\\ToolBar\\IdMethod", "Int", "1"},
      {u"\\Event\\Image\\ToolBar\\ZoomSelector", "Int", "0"},
      {u"\\Event\\Image\\ToolBar\\Maximize", "Int", "1"},
      {u"\\Hardware\\MenuTimeOut", "Int", "5000"},
      {u"\\Scoreboards\\Boot", "Bool", "1"},
      {u"\\Database\\File\\DataInDir", "String", ""},
      {u"\\Database\\File\\DataOutDir", "String", ""},
      {u"\\Serial\\ShortTimeout", "Int", "1000"},
      {u"\\SerialPorts\\", "Group", ""},
      {u"\\Chart\\Axes\\MinX", "Float", "-3"},
      {u"\\Chart\\Axes\\MaxX", "Float", "2"},
      {u"\\Language\\Choice", "String", ""},
      {u"\\Language\\Choices\\", "Group", ""},
      {u"\\Strings\\Event\\Chart\\Axes\\Power", "String", "Power"},
      {u"\\Strings\\Event\\Chart\\Axes\\Time", "String", "Time (seconds)"},
      {u"\\Strings\\Event\\Results\\Start", "String", "Start: "},
      {u"\\Strings\\Dialog\\Ok", "String", "OK"},
  };
  for (const Case& c : cases) {
    const KString key(c.path.data(), static_cast<int32_t>(c.path.size()));
    SCOPED_TRACE(key.ToUtf8());
    const KRNode* node = KRegistry::Lookup(&root, key);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(KString(node->TypeName()).ToUtf8(), c.type);
    KString value;
    node->AppendValue(value);
    EXPECT_EQ(value.ToUtf8(), c.text);
  }
}

}  // namespace
