#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/kregistry.h"
#include "foundation/krtreewalker.h"
#include "foundation/tests/krtestsupport.h"

namespace {

// The names of the visible rows, read through At.
std::vector<std::u16string> Rows(const KRTreeWalker& walker) {
  std::vector<std::u16string> rows;
  for (int32_t row = 0; row < walker.rowCount; ++row) {
    const KRNode* node = walker.At(row);
    rows.push_back(node != nullptr ? Text(node->Name()) : u"<null>");
  }
  return rows;
}

class TreeWalkerTest : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    const char16_t* lines[] = {u"A\\:=",       u"A\\A1:Int=1", u"A\\B\\:=", u"A\\B\\B1:Int=1",
                               u"A\\A2:Int=1", u"Empty\\:=",   u"Z:Int=1",  nullptr};
    KRegistry::AddLines(&registry, lines);
  }
  KRGroup* Group(const char16_t* path) { return KRegistry::GetGroup(&registry, KString(path)); }
  KRegistry registry;
};

TEST_F(TreeWalkerTest, ChildrenOfCollapsedGroupsAreNotRows) {
  struct Case {
    const char* name;
    bool aExpanded, bExpanded, emptyExpanded;
    std::vector<std::u16string> rows;
  } cases[] = {
      {"all collapsed", false, false, false, {u"A", u"Empty", u"Z"}},
      {"A open", true, false, false, {u"A", u"A1", u"B", u"A2", u"Empty", u"Z"}},
      {"A and B open", true, true, false, {u"A", u"A1", u"B", u"B1", u"A2", u"Empty", u"Z"}},
      {"B open inside closed A", false, true, false, {u"A", u"Empty", u"Z"}},
      {"empty group open", false, false, true, {u"A", u"Empty", u"Z"}},
  };
  KRTreeWalker walker(&registry);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Group(u"\\A")->SetExpanded(c.aExpanded);
    Group(u"\\A\\B")->SetExpanded(c.bExpanded);
    Group(u"\\Empty")->SetExpanded(c.emptyExpanded);
    walker.Recount();
    EXPECT_EQ(walker.rowCount, static_cast<int32_t>(c.rows.size()));
    EXPECT_EQ(Rows(walker), c.rows);
    EXPECT_EQ(walker.At(walker.rowCount), nullptr);
    EXPECT_EQ(walker.At(-1), nullptr);
  }
}

TEST_F(TreeWalkerTest, WalksOnlyBelowItsRootAndCountsAtConstruction) {
  KRGroup* a = Group(u"\\A");
  a->SetExpanded(true);
  KRTreeWalker walker(a);
  EXPECT_EQ(walker.rowCount, 3);
  EXPECT_EQ(Rows(walker), (std::vector<std::u16string>{u"A1", u"B", u"A2"}));
  // A node added later shows after a recount.
  a->Find(KString(u"A3:Int=1"));
  EXPECT_EQ(walker.rowCount, 3);
  walker.Recount();
  EXPECT_EQ(walker.rowCount, 4);
  EXPECT_EQ(Text(walker.At(3)->Name()), u"A3");
  KRTreeWalker none(nullptr);
  EXPECT_EQ(none.rowCount, 0);
  EXPECT_EQ(none.At(0), nullptr);
}

}  // namespace
