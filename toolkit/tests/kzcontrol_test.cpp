#include "toolkit/kzcontrol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/zafeventmanager.h"
#include "native/native.h"
#include "native/user/menubar.h"
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
  // Small enough that the documents' icons show on the test's desktop.
  Frame() : KZControl(0, 0, 70, 18) {}
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
  // Every waiting event and native message goes to the window manager, as the program's loop hands them:
  // the main menu's hot keys first.
  void Loop() {
    ZafEventRecord event;
    for (int limit = 1000;
         limit > 0 && ZafWindowObject::eventManager->Get(event, Q_NO_BLOCK) == Q_EVENT_TAKEN; --limit) {
      if (!bar->HotKey(event)) {
        ZafWindowObject::windowManager->Event(event);
      }
    }
  }
  native::NonClientLayout Layout(native::HWND window) const {
    return native::NonClientLayout::compute(
        static_cast<native::DWORD>(native::GetWindowLong(window, native::GWL_STYLE)),
        static_cast<native::DWORD>(native::GetWindowLong(window, native::GWL_EXSTYLE)),
        driver.screenRect(window));
  }
  // A click in the middle of the rectangle, never the second of a double click.
  void ClickIn(const native::RECT& rect) {
    driver.advanceClock(1000);
    driver.click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  }
  // A key pressed while another is held.
  void Chord(native::UINT held, native::UINT key) {
    driver.keyDown(held);
    driver.pressKey(key);
    driver.keyUp(held);
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

// Two documents maximised, both minimised by the bar's box, the document area keeping the keys: whichever
// road brings an icon back, it comes back maximised as it was, its caption out of sight, its system menu and
// boxes in the bar (which then reads: its system menu, File, Window and the three boxes), its title in the
// frame's caption, and the keys.
TEST_F(KZControlTest, EveryRoadBackFromAnIconGivesTheSameDocumentBarAndTitle) {
  enum Road { kWindowMenu, kAltNumber, kCtrlF6, kSystemMenu, kAltMinus, kDoubleClick, kBox };
  const struct {
    const char* name;
    Road road;
    int restored;  // the document that comes back
  } cases[] = {
      {"Window, its first document", kWindowMenu, 0},
      {"Alt+1", kAltNumber, 0},
      {"Ctrl+F6 steps to the other", kCtrlF6, 1},
      {"the icon's system menu, Restore", kSystemMenu, 0},
      {"Alt+-, Restore", kAltMinus, 0},
      {"a double click on the icon", kDoubleClick, 0},
      {"the icon's Restore box", kBox, 0},
  };
  frame->SetText(u"Meet");
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    AddDocuments(2);
    Loop();
    ClickIn(Layout(documents[1]->ScreenID(2)).maximizeBox);
    Loop();
    for (int i = 0; i < 2; ++i) {
      const std::vector<native::RECT> bar = native::MenuBar::screenEntries(frame->frameHandle);
      ASSERT_EQ(bar.size(), 6u);
      ClickIn(bar[3]);  // the minimise box
      Loop();
    }
    const native::HWND first = documents[0]->ScreenID(2);
    ASSERT_TRUE(native::IsIconic(first) && native::IsIconic(documents[1]->ScreenID(2)));
    EXPECT_EQ(native::GetFocus(), frame->ScreenID()) << "the document area keeps the keys";
    switch (test.road) {
      case kWindowMenu:
        Chord(native::VK_MENU, 'W');
        driver.pressKey(native::VK_DOWN);  // past Cascade
        driver.pressKey(native::VK_RETURN);
        break;
      case kAltNumber:
        Chord(native::VK_MENU, '1');
        break;
      case kCtrlF6:
        Chord(native::VK_CONTROL, native::VK_F6);
        break;
      case kSystemMenu:
        ClickIn(Layout(first).systemBox);
        driver.pressKey('R');  // waiting in the menu it opens
        break;
      case kAltMinus:
        Chord(native::VK_MENU, native::VK_OEM_MINUS);
        driver.pressKey('R');
        break;
      case kDoubleClick: {
        const native::RECT caption = Layout(first).caption;
        driver.doubleClick((caption.left + caption.right) / 2, (caption.top + caption.bottom) / 2);
        break;
      }
      case kBox:
        ClickIn(Layout(first).minimizeBox);
        break;
    }
    Loop();
    Document* restored = documents[test.restored];
    const native::HWND window = restored->ScreenID(2);
    EXPECT_TRUE(native::IsZoomed(window));
    EXPECT_LT(driver.screenRect(window).top, driver.screenRect(frame->ScreenID()).top) << "its caption shows";
    EXPECT_EQ(native::MenuBar::screenEntries(frame->frameHandle).size(), 6u);
    EXPECT_EQ(native::GetSubMenu(native::GetMenu(frame->frameHandle), 0),
              native::GetSystemMenu(window, native::FALSE));
    EXPECT_EQ(driver.text(frame->frameHandle), u"Meet - [Heat]");
    EXPECT_EQ(frame->CurrentMDIChild(), restored);
    EXPECT_TRUE(native::GetFocus() == window || native::IsChild(window, native::GetFocus()))
        << "it has the keys";
    CloseAll();
  }
}
