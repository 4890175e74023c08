#include "toolkit/kzregistrydialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/kregistry.h"
#include "foundation/krint.h"
#include "native/user/virtualkeys.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kznewsettingdialog.h"
#include "toolkit/kznodeselector.h"
#include "toolkit/kzprompt.h"
#include "toolkit/kzstring.h"
#include "toolkit/kztext.h"
#include "toolkit/tests/kzdialogtestbed.h"

namespace {

// The window in front: the dialog that the running loop shows.
template <typename Window>
Window* Front() {
  return dynamic_cast<Window*>(ZafWindowObject::windowManager->FirstChild());
}

// The names of the visible rows of the tree, top to bottom.
std::u16string Rows(KRGroup& tree) {
  const KRTreeWalker walker(&tree);
  std::u16string rows;
  for (int32_t row = 0; const KRNode* node = walker.At(row); ++row) {
    rows += (row ? u" " : u"") + std::u16string(node->Name().CStr());
  }
  return rows;
}

class KZRegistryDialogTest : public KZDialogTest {
 protected:
  KZRegistryDialogTest() {
    Setting(u"\\Strings\\OtherSettings\\Delete:String=Delete");
    Setting(u"\\Strings\\OtherSettings\\Undelete:String=Undelete");
    FillTree();
  }
  // A fresh tree. Rows: Event Lanes Note Timing Strings.
  void FillTree() {
    tree = std::make_unique<KRegistry>();
    for (const char16_t* line :
         {u"\\Event\\Lanes:Int=8", u"\\Event\\Note:String=", u"\\Timing\\Gun:Bool=1",
          u"\\Strings\\Registry\\Comments\\Event\\Lanes:String=Lanes on the track\\nat most 10"}) {
      KRegistry::AddLine(tree.get(), KString(line));
    }
    KRegistry::GetGroup(tree.get(), u"\\Event")->SetExpanded(true);
  }

  KZRegistryDialog* Editor() { return Front<KZRegistryDialog>(); }
  // Clicks a row of the editor's list, `x` pixels into the row.
  void ClickRow(int32_t row, int32_t x = 60) {
    const KRect cell = Editor()->NodeSelector()->UnitToScreen(KRect{0, row, 0, row});
    driver.click(cell.left + x, (cell.top + cell.bottom) / 2);
  }
  // Runs the editor over the tree with the steps, then answers Ok (the editor is taller than the test's
  // desktop, so its button lies off the screen).
  void Edit(std::vector<std::function<void()>> steps) {
    steps.push_back([] { KZScriptedApplication::Post(KZDialog::kOkResult); });
    application.Run(std::move(steps));
    KZRegistryDialog editor(tree.get());
    EXPECT_EQ(editor.Execute(), KZDialog::kOkResult);
  }

  std::unique_ptr<KRegistry> tree;
};

}  // namespace

TEST_F(KZRegistryDialogTest, NewAddsANamedNodeOrRefusesANameTheTreeCannotHold) {
  const std::u16string unchanged = u"Event Lanes Note Timing Strings";
  struct Case {
    const char* name;
    int32_t row;
    int32_t typeIndex;  // Group Bool Int Rat Float String
    const char16_t* newName;
    ZafEventType answer;
    std::u16string rows;
    const char16_t* added;  // the new node's path and type, null for none
    const char16_t* typeName;
    bool refused;
  };
  const Case cases[] = {
      {"before a value node", 2, 2, u"Heats", KZDialog::kOkResult, u"Event Lanes Heats Note Timing Strings",
       u"\\Event\\Heats", u"Int", false},
      {"at the end of a collapsed group", 3, 5, u"Wind", KZDialog::kOkResult, unchanged, u"\\Timing\\Wind",
       u"String", false},
      {"an empty name", 1, 2, u"", KZDialog::kOkResult, unchanged, nullptr, nullptr, false},
      {"cancelled", 1, 2, u"Heats", KZDialog::kCancelResult, unchanged, nullptr, nullptr, false},
      {"a backslash", 1, 2, u"A\\B", KZDialog::kOkResult, unchanged, nullptr, nullptr, true},
      {"a colon", 1, 2, u"A:B", KZDialog::kOkResult, unchanged, nullptr, nullptr, true},
      {"a sibling's name in other letters", 1, 2, u"NOTE", KZDialog::kOkResult, unchanged, nullptr, nullptr,
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FillTree();
    bool refused = false;
    Edit({[&] { ClickRow(c.row); }, [&] { Click(Editor()->NewButton()); },
          [&] {
            auto* question = Front<KZNewSettingDialog>();
            ASSERT_NE(question, nullptr);
            question->TypeList()->Select(c.typeIndex);
            question->NameField()->SetText(c.newName);
            KZScriptedApplication::Post(c.answer);
          },
          [&] {
            refused = Front<KZMessageWindow>() != nullptr;
            if (refused) {
              KZScriptedApplication::Post(KZDialog::kOkResult);
            }
          }});
    EXPECT_EQ(refused, c.refused);
    EXPECT_EQ(Rows(*tree), c.rows) << "a collapsed group stays collapsed";
    if (c.added) {
      const KRNode* node = KRegistry::Lookup(tree.get(), c.added);
      ASSERT_NE(node, nullptr);
      EXPECT_EQ(std::u16string(node->TypeName()), c.typeName);
    }
  }
}

TEST_F(KZRegistryDialogTest, TheCurrentRowShowsItsNameTypeValueAndComment) {
  struct Case {
    int32_t row;
    const char16_t* name;
    const char16_t* type;
    const char16_t* value;
    const char16_t* comment;
  };
  const Case cases[] = {
      {1, u"Lanes", u"Int", u"8", u"Lanes on the track\r\nat most 10"},
      {2, u"Note", u"String", u"", u""},
      {3, u"Timing", u"Group", u"", u""},
  };
  std::vector<std::function<void()>> steps;
  for (const Case& c : cases) {
    steps.push_back([&] { ClickRow(c.row); });
    steps.push_back([&] {
      SCOPED_TRACE(c.row);
      KZRegistryDialog* editor = Editor();
      EXPECT_EQ(std::u16string(editor->NameDisplay()->Text()), c.name);
      EXPECT_EQ(std::u16string(editor->TypeDisplay()->Text()), c.type);
      EXPECT_EQ(std::u16string(editor->ValueField()->Text()), c.value);
      EXPECT_EQ(std::u16string(editor->CommentBox()->Text()), c.comment);
    });
  }
  Edit(std::move(steps));
}

TEST_F(KZRegistryDialogTest, DeleteFlipsTheMarkAndTheLabel) {
  const struct {
    bool deleted;
    const char16_t* label;
  } cases[] = {{true, u"Undelete"}, {false, u"Delete"}, {true, u"Undelete"}};
  std::vector<std::function<void()>> steps{[&] { ClickRow(1); }};
  for (const auto& c : cases) {
    steps.push_back([&] { Click(Editor()->DeleteButton()); });
    steps.push_back([&] {
      KZRegistryDialog* editor = Editor();
      EXPECT_EQ(editor->CurrentNode()->IsDeleted(), c.deleted);
      EXPECT_EQ(std::u16string(editor->DeleteButton()->Text()), c.label);
      KString name;
      uint32_t flags = 0;
      editor->NodeSelector()->CellText({0, 1}, 1, name, flags);
      EXPECT_EQ((flags & KZSelector::kTextDisabled) != 0, c.deleted) << "a deleted node's name is grey";
    });
  }
  Edit(std::move(steps));
  EXPECT_TRUE(KRegistry::Lookup(tree.get(), u"\\Event\\Lanes")->IsDeleted()) << "nothing leaves the tree";
}

TEST_F(KZRegistryDialogTest, ATypedValueIsKeptWholeOnMovingAwayAndOnOk) {
  const std::u16string longText(300, u'w');
  Edit({[&] { ClickRow(1); }, [&] { Click(Editor()->ValueField()); },
        [&] {
          driver.pressKey(native::VK_END);
          driver.typeText(u"0");
        },
        [&] { ClickRow(2); }, [&] { Click(Editor()->ValueField()); }, [&] { driver.typeText(longText); }});
  EXPECT_EQ(KRegistry::GetInt(tree.get(), u"\\Event\\Lanes")->Value(), 80) << "moving to another row commits";
  EXPECT_EQ(std::u16string(KRegistry::GetString(tree.get(), u"\\Event\\Note").CStr()), longText)
      << "Ok commits, and the whole text";
}
