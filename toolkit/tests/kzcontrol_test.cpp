#include "toolkit/kzcontrol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "native/native.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzmdichild.h"
#include "toolkit/kzpulldownitem.h"
#include "toolkit/kzpulldownmenu.h"
#include "toolkit/kzstatusbar.h"
#include "toolkit/tests/kztestbed.h"

namespace {

constexpr ZafEventType kOtherCommand = 10500;

// A document that answers the frame's questions as the test says and notes that it was asked.
class Document : public KZMDIChild {
 public:
  Document(int number, std::vector<int>& asked)
      : KZMDIChild(2 * number, number, 24, 6), number(number), asked(asked) {
    SetTitle(u"Heat");
  }
  // Its deletion adds another document to the frame.
  ~Document() override {
    if (spawnInto) {
      spawnInto->Add(new Document(99, asked));
    }
  }
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type != QueryExitEvent && event.type != ChildCloseQueryEvent) {
      return KZMDIChild::Event(event);
    }
    asked.push_back(number);
    return agrees ? 1 : 0;
  }
  const int number;
  bool agrees = true;
  KZControl* spawnInto = nullptr;
  std::vector<int>& asked;
};

// A frame that will not give up one child.
class Frame : public KZControl {
 public:
  Frame() : KZControl(0, 0, 70, 22) {}
  ZafWindowObject* Subtract(ZafWindowObject* object) override {
    return object == pinned ? nullptr : KZControl::Subtract(object);
  }
  ZafWindowObject* pinned = nullptr;
};

class KZControlTest : public KZFrameworkTest {
 protected:
  KZControlTest() {
    for (ZafEventType command : {CloseWindowEvent, ExitEvent, kOtherCommand}) {
      file->AddMenuItem(new KZPopUpItem(command, 0u, u"Command", ZAF_ITEM_ORDINARY));
    }
    bar->Add(file);
    bar->Add(windowMenu);
    frame->Add(bar);
    frame->windowMenu = windowMenu;
    frame->AddToClient(new KZPopUpItem(CascadeCommand, 0u, u"&Cascade", ZAF_ITEM_ORDINARY));
    KZApplication::mainMenuBar = bar;
    Show(frame);
  }
  ~KZControlTest() override { KZApplication::mainMenuBar = nullptr; }

  void AddDocuments(int count) {
    documents.clear();
    for (int i = 0; i < count; ++i) {
      documents.push_back(new Document(i, asked));
      frame->Add(documents.back());
    }
    driver.pumpUntilIdle();
  }
  // Closes the documents still open, whatever they would answer.
  void CloseAll() {
    for (KZMDIChild* child = frame->FindMDIChild(nullptr); child; child = frame->FindMDIChild(child)) {
      static_cast<Document*>(child)->agrees = true;
    }
    frame->Event(ZafEventRecord(QueryExitEvent, 0));
  }
  // The Window menu's entries after its own command.
  std::vector<KZPopUpItem*> Entries() const {
    std::vector<KZPopUpItem*> entries;
    KZPopUpItem::ForEachItem(windowMenu->Submenu(), [&entries](KZPopUpItem& item) {
      if (item.Value() != CascadeCommand) {
        entries.push_back(&item);
      }
    });
    return entries;
  }
  KZPopUpItem* FileItem(ZafEventType command) const {
    KZPopUpItem* found = nullptr;
    KZPopUpItem::ForEachItem(file->Submenu(),
                             [&](KZPopUpItem& item) { found = item.Value() == command ? &item : found; });
    return found;
  }

  Frame* frame = new Frame;
  KZPullDownMenu* bar = new KZPullDownMenu;
  KZPullDownItem* file = new KZPullDownItem(u"&File");
  KZPullDownItem* windowMenu = new KZPullDownItem(u"&Window");
  std::vector<Document*> documents;
  std::vector<int> asked;
};

}  // namespace

TEST_F(KZControlTest, WindowMenuNumbersEveryDocumentOnceWithHotKeysForTheFirstNine) {
  struct Case {
    const char* name;
    int documents;
    uint32_t modifiers;
    int closed;  // the document deleted afterwards, -1 for none
  } cases[] = {
      {"one", 1, KZPopUpItem::kAlt, -1},
      {"eleven: the last two get no hot key", 11, KZPopUpItem::kAlt, -1},
      {"no modifiers, no hot keys", 3, 0, -1},
      {"closing the second moves the later ones up", 11, KZPopUpItem::kAlt, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    frame->windowKeyModifiers = c.modifiers;
    AddDocuments(c.documents);
    frame->Add(documents.front());
    if (c.closed >= 0) {
      frame->DeleteChild(documents[c.closed]);
      documents.erase(documents.begin() + c.closed);
    }
    frame->Event(ZafEventRecord(UpdateMenuEvent, 0));
    const std::vector<KZPopUpItem*> entries = Entries();
    ASSERT_EQ(entries.size(), documents.size()) << "one entry each, also for a document added twice";
    for (size_t i = 0; i < entries.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(entries[i], &documents[i]->windowItem) << "in the order the documents came";
      EXPECT_EQ(entries[i]->Value(), WindowMenuFirstCommand + static_cast<int32_t>(i));
      EXPECT_EQ(entries[i]->HotKey(), c.modifiers && i < 9 ? c.modifiers | (u'1' + i) : 0);
      EXPECT_EQ(entries[i]->Selected(), documents[i] == frame->CurrentMDIChild());
      // The entry's command brings its document forward.
      EXPECT_EQ(frame->Event(ZafEventRecord(entries[i]->Value(), 0)), entries[i]->Value());
      EXPECT_EQ(frame->CurrentMDIChild(), documents[i]);
    }
    CloseAll();
    EXPECT_TRUE(Entries().empty());
  }
}

TEST_F(KZControlTest, QuestionsStopAtTheFirstRefusalAndCloseOnlyWhenAllAgree) {
  struct Case {
    const char* name;
    ZafEventType question;
    std::vector<bool> agree;  // in the frame's order, the newest first
    ZafEventType answer;
    std::vector<int> asked;
    int left;
  } cases[] = {
      {"exit, all agree", QueryExitEvent, {true, true, true}, QueryExitEvent, {2, 1, 0}, 0},
      {"exit, the second refuses: the third is never asked",
       QueryExitEvent,
       {true, false, true},
       0,
       {2, 1},
       3},
      {"exit without documents", QueryExitEvent, {}, QueryExitEvent, {}, 0},
      {"close asks the current one", CloseWindowEvent, {true, true}, CloseWindowEvent, {1}, 1},
      {"close refused", CloseWindowEvent, {false, true}, KZControl::kNotClosed, {1}, 2},
      {"close without documents", CloseWindowEvent, {}, KZControl::kNotClosed, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AddDocuments(static_cast<int>(c.agree.size()));
    for (size_t i = 0; i < c.agree.size(); ++i) {
      documents[c.agree.size() - 1 - i]->agrees = c.agree[i];
    }
    asked.clear();
    EXPECT_EQ(frame->Event(ZafEventRecord(c.question, 0)), c.answer);
    EXPECT_EQ(asked, c.asked);
    EXPECT_EQ(frame->MDIChildCount(), c.left);
    EXPECT_EQ(Entries().size(), static_cast<size_t>(c.left));
    CloseAll();
  }
}

TEST_F(KZControlTest, ClosingAllDocumentsEndsWhenOneIsRefusedOrAnotherIsAdded) {
  AddDocuments(3);
  documents[1]->spawnInto = frame;
  frame->pinned = documents[0];
  EXPECT_EQ(frame->Event(ZafEventRecord(QueryExitEvent, 0)), QueryExitEvent);
  ASSERT_EQ(frame->MDIChildCount(), 2) << "the refused one and the newcomer stay";
  EXPECT_EQ(frame->Index(documents[0]), 1);
  EXPECT_EQ(static_cast<Document*>(frame->FindMDIChild(nullptr))->number, 99);
  frame->pinned = nullptr;
}

TEST_F(KZControlTest, ArrangementCommandsPlaceTheDocuments) {
  AddDocuments(3);
  struct Case {
    ZafEventType command;
    bool sameTop;
    bool sameLeft;
  } cases[] = {{TileVerticalCommand, true, false},
               {TileHorizontalCommand, false, true},
               {CascadeCommand, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    EXPECT_EQ(frame->Event(ZafEventRecord(c.command, 0)), c.command);
    driver.pumpUntilIdle();
    const native::RECT first = driver.screenRect(documents[0]->ScreenID(2));
    const native::RECT second = driver.screenRect(documents[1]->ScreenID(2));
    EXPECT_EQ(first.top == second.top, c.sameTop);
    EXPECT_EQ(first.left == second.left, c.sameLeft);
  }
}

TEST_F(KZControlTest, ActivatingRestoresADocumentThatTheSystemMinimized) {
  AddDocuments(2);
  Document* document = documents[0];
  native::ShowWindow(document->ScreenID(2), native::SW_MINIMIZE);
  driver.pumpUntilIdle();
  ASSERT_TRUE(native::IsIconic(document->ScreenID(2)));
  ASSERT_FALSE(document->IsMinimized()) << "the framework did not see it";
  frame->Event(ZafEventRecord(document->windowItem.Value(), 0));
  driver.pumpUntilIdle();
  EXPECT_FALSE(native::IsIconic(document->ScreenID(2)));
  EXPECT_EQ(frame->CurrentMDIChild(), document);
}

TEST_F(KZControlTest, MenuUpdateEnablesTheFrameCommandsAndIdleTickGoesToTheStatusBar) {
  for (int documentCount : {0, 1}) {
    SCOPED_TRACE(documentCount);
    AddDocuments(documentCount);
    bar->ResetItems();
    frame->Event(ZafEventRecord(UpdateMenuEvent, 0));
    EXPECT_EQ(FileItem(CloseWindowEvent)->Disabled(), documentCount == 0);
    EXPECT_FALSE(FileItem(ExitEvent)->Disabled());
    EXPECT_TRUE(FileItem(kOtherCommand)->Disabled());
  }
  EXPECT_EQ(frame->Event(ZafEventRecord(IdleTickEvent, 0)), 0) << "no status bar";
  KZStatusBar statusBar(20, 0);
  KZStatusBar::flyOverBar = &statusBar;
  EXPECT_EQ(frame->Event(ZafEventRecord(IdleTickEvent, 0)), IdleTickEvent);
  KZStatusBar::flyOverBar = nullptr;
}
