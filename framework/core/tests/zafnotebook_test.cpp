#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/core/tests/zafcoretestbed.h"
#include "framework/core/zafnotebook.h"
#include "framework/core/zafnotebooktab.h"
#include "framework/core/zafstring.h"
#include "framework/core/zaftitle.h"
#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstorage.h"

namespace {

using NotebookTest = ZafCoreTest;

std::u16string TextOf(const ZafIChar* text) {
  return text ? text : u"(none)";
}

// A page with a title, a border and a plain child.
ZafWindow* Page(const ZafIChar* title) {
  auto* page = new ZafWindow(0, 0, 10, 5);
  page->AddStandardFrame(title);
  page->Add(new ZafString(0, 0, 5, u"x"));
  return page;
}

TEST_F(NotebookTest, PagesGetTabsAtTheirPositionHoldingTheirDecorations) {
  ZafNotebook notebook(0, 0, 40, 10);
  ZafString field(0, 0, 5, u"x");
  EXPECT_EQ(notebook.Add(&field), nullptr);
  EXPECT_EQ(notebook.PageCount(), 0);

  ZafWindow* general = Page(u"General");
  ZafWindow* last = Page(u"Last");
  ASSERT_EQ(notebook.Add(general), general);
  notebook.Add(last);
  ZafWindow* middle = Page(u"Middle");
  notebook.Add(middle, last);
  EXPECT_EQ(notebook.CurrentPageIndex(), 0);
  const struct {
    int index;
    const char16_t* text;
  } tabs[] = {{0, u"General"}, {1, u"Middle"}, {2, u"Last"}, {3, u"(none)"}, {-1, u"(none)"}};
  for (const auto& c : tabs) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(TextOf(notebook.TabText(c.index)), c.text);
  }
  EXPECT_EQ(general->TitleObject(), nullptr);
  EXPECT_EQ(general->Border(), nullptr);
  EXPECT_TRUE(general->ParentPalette());
  EXPECT_EQ(general->Placement(), 2);
  EXPECT_TRUE(notebook.Tab(0)->Selected());
  EXPECT_FALSE(notebook.Tab(1)->Selected());

  // A page taken out gets its decorations back, in front of its other support objects.
  ASSERT_EQ(notebook.Subtract(middle), middle);
  const std::unique_ptr<ZafWindow> taken(middle);
  ASSERT_NE(middle->TitleObject(), nullptr);
  EXPECT_EQ(TextOf(middle->Text()), u"Middle");
  EXPECT_EQ(middle->SupportList().Count(), 5);
  EXPECT_EQ(TextOf(notebook.TabText(1)), u"Last");
  EXPECT_EQ(notebook.SupportList().Count(), notebook.PageCount());

  // Taking out the shown page shows the one now at its place.
  const std::unique_ptr<ZafWindowObject> first(notebook.Subtract(general));
  EXPECT_EQ(notebook.CurrentPageIndex(), 0);
  EXPECT_EQ(notebook.CurrentChild(), last);
  EXPECT_TRUE(notebook.Tab(0)->Selected());
}

TEST_F(NotebookTest, TabTextAndHotKeysGoThroughTheTabsTitle) {
  ZafNotebook notebook(0, 0, 40, 10);
  notebook.Add(Page(u"General"));
  notebook.Add(new ZafWindow(0, 0, 10, 5));
  EXPECT_EQ(notebook.SetTabText(u"Main", 0), 0);
  EXPECT_EQ(TextOf(notebook.TabText(0)), u"Main");
  EXPECT_EQ(notebook.SetTabText(u"Other", 1), 10);
  EXPECT_EQ(TextOf(notebook.TabText(1)), u"(none)");
  EXPECT_EQ(notebook.SetTabText(u"Other", 5), 0);
  EXPECT_EQ(notebook.SetTabHotKey(0, u'm', 0), u'M');
  EXPECT_EQ(notebook.TabHotKeyChar(0), u'M');
  EXPECT_EQ(notebook.TabHotKeyIndex(0), 0);
  EXPECT_EQ(notebook.TabHotKeyChar(1), 0);
  EXPECT_EQ(notebook.TabHotKeyIndex(7), -1);
}

TEST_F(NotebookTest, StorageKeepsPagesTitlesAndTabSizesButNoTabs) {
  TemporaryFolder folder;
  ZafStorage storage{folder.Path("notebook").c_str(), ZAF_STORAGE_CREATE};
  ZafObjectPersistence persistence{&storage};
  persistence.AddObjectConstructor(u"ZafWindow", ID_ZAF_WINDOW, &ZafWindow::Read);
  persistence.AddObjectConstructor(u"ZafTitle", ID_ZAF_TITLE, &ZafTitle::Read);
  persistence.AddObjectConstructor(u"ZafString", ID_ZAF_STRING, &ZafString::Read);

  ZafNotebook notebook(0, 0, 40, 10);
  notebook.SetStringID(u"book");
  notebook.SetTabHeight(30);
  notebook.SetTabWidth(70);
  const char16_t* titles[] = {u"General", u"Timing", u"Wind"};
  for (const char16_t* title : titles) {
    ZafWindow* page = Page(title);
    page->SetStringID(title);
    notebook.Add(page);
  }
  ASSERT_EQ(notebook.Write(persistence), ZAF_ERROR_NONE);
  // The temporary titles are gone again.
  EXPECT_EQ(static_cast<ZafWindow*>(notebook.FirstChild())->TitleObject(), nullptr);

  ZafNotebook read(u"book", persistence);
  ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(read.TabHeight(), 30);
  EXPECT_EQ(read.TabWidth(), 70);
  ASSERT_EQ(read.PageCount(), 3);
  EXPECT_EQ(read.SupportList().Count(), 3);
  for (int index = 0; index < 3; ++index) {
    SCOPED_TRACE(index);
    auto* page = static_cast<ZafWindow*>(read.ZafList::Get(index));
    EXPECT_EQ(TextOf(read.TabText(index)), TextOf(page->StringID()));
    EXPECT_EQ(page->TitleObject(), nullptr);
    EXPECT_EQ(page->Count(), 1);
  }

  ZafNotebook copy(read);
  EXPECT_EQ(copy.TabHeight(), 30);
  EXPECT_EQ(TextOf(copy.TabText(2)), TextOf(read.TabText(2)));
}

}  // namespace
