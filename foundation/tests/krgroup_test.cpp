#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "foundation/krbool.h"
#include "foundation/kregistry.h"
#include "foundation/krfloat.h"
#include "foundation/krgroup.h"
#include "foundation/krint.h"
#include "foundation/krstring.h"
#include "foundation/tests/krtestsupport.h"

namespace {

// The names of a group's children in order.
std::vector<std::u16string> ChildNames(const KRGroup& group) {
  std::vector<std::u16string> names;
  for (const KRNode* child = group.NextChild(nullptr); child != nullptr; child = group.NextChild(child)) {
    names.push_back(Text(child->Name()));
  }
  return names;
}

std::unique_ptr<KRNode> Named(const char16_t* name) {
  auto node = std::make_unique<KRInt>();
  node->SetName(KString(name));
  return node;
}

class SettingsTree : public RegistryTest {
 protected:
  void SetUp() override {
    RegistryTest::SetUp();
    const char16_t* lines[] = {u"Event\\:=",
                               u"Event\\Lanes:Int=8",
                               u"Event\\On:Bool=1",
                               u"Event\\MinX:Float=-3",
                               u"Event\\Title:String=T",
                               nullptr};
    KRegistry::AddLines(&registry, lines);
  }
  KRegistry registry;
};

TEST_F(SettingsTree, TypedGettersAnswerOnlyTheirTypeAndNeverCreate) {
  const std::string before = SavedText(registry);
  struct Case {
    const char16_t* path;
    bool isInt, isBool, isFloat, isString, isGroup;
  } cases[] = {
      {u"\\Event\\Lanes", true, false, false, false, false},
      {u"\\Event\\On", false, true, false, false, false},
      {u"\\Event\\MinX", false, false, true, false, false},
      {u"\\Event\\Title", false, false, false, true, false},
      {u"\\Event", false, false, false, false, true},
      {u"Event\\", false, false, false, false, true},
      {u"\\event\\LANES", true, false, false, false, false},
      {u"\\Event\\Missing", false, false, false, false, false},
      {u"\\Missing\\Lanes", false, false, false, false, false},
      {u"\\Event\\Lanes\\Below", false, false, false, false, false},
      {u"\\Event\\\\Lanes", false, false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(KString(c.path).ToUtf8());
    const KString path(c.path);
    EXPECT_EQ(KRegistry::GetInt(&registry, path) != nullptr, c.isInt);
    EXPECT_EQ(KRegistry::GetBool(&registry, path) != nullptr, c.isBool);
    EXPECT_EQ(KRegistry::GetFloat(&registry, path) != nullptr, c.isFloat);
    EXPECT_EQ(KRegistry::GetStringNode(&registry, path) != nullptr, c.isString);
    EXPECT_EQ(KRegistry::GetGroup(&registry, path) != nullptr, c.isGroup);
  }
  EXPECT_EQ(SavedText(registry), before);
}

TEST_F(SettingsTree, GetStringGivesTheTextOrOneSharedEmptyText) {
  EXPECT_EQ(Text(KRegistry::GetString(&registry, u"\\Event\\Title")), u"T");
  const KString& missing = KRegistry::GetString(&registry, u"\\Event\\Nothing");
  const KString& wrongType = KRegistry::GetString(&registry, u"\\Event\\Lanes");
  EXPECT_TRUE(missing.IsEmpty());
  EXPECT_EQ(&missing, &wrongType);
  EXPECT_EQ(&KRegistry::GetString(nullptr, u"\\Event\\Title"), &missing);
  EXPECT_EQ(KRegistry::GetInt(nullptr, u"\\Event\\Lanes"), nullptr);
}

TEST_F(SettingsTree, PathsAreRelativeToTheGroupGiven) {
  const KRGroup* event = KRegistry::GetGroup(&registry, u"\\Event");
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(KRegistry::GetInt(event, u"\\Lanes"), KRegistry::GetInt(&registry, u"\\Event\\Lanes"));
  EXPECT_EQ(KRegistry::GetInt(event, u"Lanes"), KRegistry::GetInt(&registry, u"\\Event\\Lanes"));
  EXPECT_EQ(KRegistry::Lookup(event, u""), event);
}

TEST_F(SettingsTree, FindCreatesMissingNodesAndReturnsExistingOnes) {
  KRNode* layout = registry.Find(KString(u"\\Event\\Layout\\:="));
  ASSERT_NE(layout, nullptr);
  EXPECT_EQ(KRegistry::GetGroup(&registry, u"\\Event\\Layout"), layout);
  EXPECT_EQ(registry.Find(KString(u"\\Event\\Layout\\:=")), layout);
  KRNode* deep = registry.Find(KString(u"\\A\\B\\C:Int=4"));
  ASSERT_NE(deep, nullptr);
  EXPECT_EQ(KRegistry::GetInt(&registry, u"\\A\\B\\C"), deep);
  EXPECT_EQ(deep->Depth(), 3);
  // A line for an existing node sets its value.
  EXPECT_EQ(registry.Find(KString(u"Event\\Lanes:Int=6")), KRegistry::GetInt(&registry, u"\\Event\\Lanes"));
  EXPECT_EQ(KRegistry::GetInt(&registry, u"\\Event\\Lanes")->Value(), 6);
}

TEST(KRGroupOrder, AddChildInsertsBeforeTheGivenChildOrAtTheEnd) {
  KRGroup group;
  KRGroup other;
  KRNode* a = group.AddChild(Named(u"a"));
  KRNode* b = group.AddChild(Named(u"b"), nullptr);
  group.AddChild(Named(u"c"), b);
  group.AddChild(Named(u"d"), a);
  KRNode* foreign = other.AddChild(Named(u"x"));
  group.AddChild(Named(u"e"), foreign);  // not a child here: goes to the end
  EXPECT_EQ(ChildNames(group), (std::vector<std::u16string>{u"d", u"a", u"c", u"b", u"e"}));
  EXPECT_EQ(group.NextChild(foreign), nullptr);
  EXPECT_EQ(b->Parent(), &group);
  EXPECT_EQ(group.AddChild(nullptr), nullptr);
  EXPECT_EQ(group.Child(KString(u"C")), group.NextChild(a));
}

TEST(KRGroupOrder, ChildFindsTheFirstOfItsNameIgnoringCaseAfterInsertsAndRenames) {
  KRGroup group;
  KRNode* later = group.AddChild(Named(u"Lane"));
  KRNode* earlier = group.AddChild(Named(u"LANE"), later);  // same name, now first in order
  KRNode* accented = group.AddChild(Named(u"\u00C9tape"));
  KRNode* renamed = group.AddChild(Named(u"Wind"));
  renamed->SetName(KString(u"Gauge"));  // appends: "WindGauge"
  struct Case {
    const char16_t* name;
    KRNode* expected;
  } cases[] = {
      {u"lane", earlier}, {u"\u00E9TAPE", accented}, {u"windgauge", renamed},
      {u"Wind", nullptr}, {u"Lanes", nullptr},       {u"", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(KString(c.name).ToUtf8());
    EXPECT_EQ(group.Child(KString(c.name)), c.expected);
  }
  EXPECT_EQ(ChildNames(group), (std::vector<std::u16string>{u"LANE", u"Lane", u"\u00C9tape", u"WindGauge"}));
}

TEST(KRNodePath, AppendPathDepthAndSetName) {
  KRGroup root;
  auto* event = static_cast<KRGroup*>(root.AddChild(std::make_unique<KRGroup>()));
  event->SetName(KString(u"Ev"));
  event->SetName(KString(u"ent"));  // appends
  KRNode* lanes = event->AddChild(Named(u"Lanes"));
  KString path(u"prefix:");
  lanes->AppendPath(path);
  EXPECT_EQ(Text(path), u"prefix:\\Event\\Lanes");
  KString rootPath;
  root.AppendPath(rootPath);
  EXPECT_TRUE(rootPath.IsEmpty());
  EXPECT_EQ(root.Depth(), 0);
  EXPECT_EQ(event->Depth(), 1);
  EXPECT_EQ(lanes->Depth(), 2);
}

TEST_F(RegistryTest, PrototypesComeInRegistrationOrderAndMakeNodesOfTheirType) {
  std::vector<std::u16string> names;
  for (const KRNode* type = KRegistry::NextType(nullptr); type != nullptr; type = KRegistry::NextType(type)) {
    names.push_back(type->TypeName());
    std::unique_ptr<KRNode> made = type->CreateNode();
    EXPECT_EQ(std::u16string(made->TypeName()), std::u16string(type->TypeName()));
    EXPECT_TRUE(made->Name().IsEmpty());
  }
  EXPECT_EQ(names, (std::vector<std::u16string>{u"Group", u"Bool", u"Int", u"Rat", u"Float", u"String"}));
  EXPECT_EQ(KRegistry::FindType(KString(u"bool")), KRegistry::NextType(KRegistry::NextType(nullptr)));
  EXPECT_EQ(KRegistry::FindType(KString(u"Integer")), nullptr);
  KRegistry::RegisterTypes();  // a second registration changes nothing
  EXPECT_EQ(KRegistry::FindType(KString(u"Group")), KRegistry::NextType(nullptr));
}

TEST_F(RegistryTest, WithoutRegisteredTypesValueLinesAreRefused) {
  KRegistry::UnregisterTypes();
  KRegistry registry;
  EXPECT_EQ(KRegistry::NextType(nullptr), nullptr);
  EXPECT_EQ(registry.Find(KString(u"\\A:Int=1")), nullptr);
  EXPECT_NE(registry.Find(KString(u"\\G\\")), nullptr);  // groups need no prototype
}

}  // namespace
