#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/zafmdiwindow.h"
#include "framework/core/zafpulldownitem.h"
#include "framework/core/zafpulldownmenu.h"
#include "framework/win32/tests/zafeventobjecttest.h"
#include "testing/testpictures.h"

namespace {

// A document window whose close query answers as the test says.
class Document : public ZafMDIWindow {
 public:
  explicit Document(int offset) : ZafMDIWindow(offset, offset, 24, 6, ZAF_MDI_CHILD) {}
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == CloseQueryEvent) {
      return refuseClose ? -1 : 0;
    }
    return ZafMDIWindow::Event(event);
  }
  bool refuseClose = false;
};

class MDIWindowTest : public ZafEventObjectTest {
 protected:
  MDIWindowTest() {
    events.nativeInput = 1;
    bar = new ZafPullDownMenu();
    bar->Add(new ZafPullDownItem(u"File"));
    frame.AddStandardFrame(u"Meet", bar);
    for (int i = 0; i < 3; ++i) {
      documents.push_back(new Document(2 * i));
      documents.back()->AddStandardFrame((u"Heat " + std::u16string(1, u'1' + i)).c_str());
      frame.Add(documents.back());
    }
  }
  ~MDIWindowTest() override { manager->Subtract(&frame); }

  void Show() {
    manager->Add(&frame);
    driver.pumpUntilIdle();
    Loop();
  }
  // Every waiting event and native message goes to the window manager, as the program's loop hands them.
  void Loop() {
    ZafEventRecord event;
    for (int limit = 1000; limit > 0 && events.Get(event, Q_NO_BLOCK) == Q_EVENT_TAKEN; --limit) {
      manager->Event(event);
    }
  }
  native::HWND Client() const { return frame.ScreenID(); }
  native::HWND Active() const {
    return reinterpret_cast<native::HWND>(native::SendMessage(Client(), native::WM_MDIGETACTIVE, 0, 0));
  }
  // A child's frame in the client's coordinates.
  native::RECT Place(const ZafWindowObject& child) const {
    native::RECT area = driver.screenRect(child.ScreenID(2));
    native::MapWindowPoints(nullptr, Client(), reinterpret_cast<native::POINT*>(&area), 2);
    return area;
  }
  static bool Overlap(const native::RECT& a, const native::RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
  }

  ZafMDIWindow frame{0, 0, 60, 18, ZAF_MDI_FRAME};
  ZafPullDownMenu* bar = nullptr;
  std::vector<Document*> documents;
};

TEST_F(MDIWindowTest, TheLastChildAddedLeadsAndIsActive) {
  Show();
  ASSERT_EQ(frame.Count(), 3);
  EXPECT_EQ(frame.FirstChild(), documents[2]);
  EXPECT_EQ(frame.ZafList::Last(), documents[0]);
  EXPECT_EQ(Active(), documents[2]->ScreenID(2));
  for (Document* document : documents) {
    EXPECT_EQ(document->MDIType(), ZAF_MDI_CHILD);
    EXPECT_EQ(document->RootObject(), document);
  }
  EXPECT_EQ(native::GetParent(documents[0]->ScreenID(2)), Client());
}

TEST_F(MDIWindowTest, WindowCommandsArrangeTheChildren) {
  Show();
  frame.Event(ZafEventRecord(TileEvent, 0));
  driver.pumpUntilIdle();
  for (size_t i = 0; i < documents.size(); ++i) {
    for (size_t j = i + 1; j < documents.size(); ++j) {
      EXPECT_FALSE(Overlap(Place(*documents[i]), Place(*documents[j]))) << "tiled children never overlap";
    }
  }

  frame.Event(ZafEventRecord(CascadeEvent, 0));
  driver.pumpUntilIdle();
  const native::RECT first = Place(*documents[0]);
  const native::RECT second = Place(*documents[1]);
  EXPECT_NE(first.left, second.left);
  EXPECT_EQ(second.left - first.left, second.top - first.top) << "cascaded children step down diagonally";
  // A picture of the frame and its children, in the build tree, for people to look at.
  driver.snapshot(TestPicturePath("mdi-frame.png"));

  documents[1]->Event(ZafEventRecord(ChildMinimizeEvent, 0));
  frame.Event(ZafEventRecord(ArrangeIconsEvent, 0));
  driver.pumpUntilIdle();
  native::RECT client{};
  native::GetClientRect(Client(), &client);
  EXPECT_TRUE(native::IsIconic(documents[1]->ScreenID(2)));
  EXPECT_EQ(Place(*documents[1]).bottom, client.bottom) << "arranged icons line up at the bottom";

  const int entries = native::GetMenuItemCount(native::GetMenu(frame.ScreenID(2)));
  frame.Event(ZafEventRecord(ChildMaximizeEvent, 0));
  driver.pumpUntilIdle();
  EXPECT_TRUE(documents[2]->Maximized());
  EXPECT_TRUE(native::IsZoomed(documents[2]->ScreenID(2)));
  EXPECT_GT(native::GetMenuItemCount(native::GetMenu(frame.ScreenID(2))), entries)
      << "the maximized child's system menu joins the menu bar";
  EXPECT_EQ(bar->PositionOffset(), 1);
  frame.Event(ZafEventRecord(ChildRestoreEvent, 0));
  driver.pumpUntilIdle();
  EXPECT_FALSE(native::IsZoomed(documents[2]->ScreenID(2)));
  EXPECT_EQ(bar->PositionOffset(), 0);
}

TEST_F(MDIWindowTest, CloseBoxAsksTheChildFirst) {
  Show();
  Document* refusing = documents[2];
  refusing->refuseClose = true;
  native::SendMessage(refusing->ScreenID(2), native::WM_CLOSE, 0, 0);
  Loop();
  EXPECT_EQ(frame.Index(refusing), 0) << "a child that refuses stays open";
  refusing->refuseClose = false;
  native::SendMessage(refusing->ScreenID(2), native::WM_CLOSE, 0, 0);
  Loop();
  ASSERT_EQ(frame.Count(), 2) << "a child that agrees is closed and deleted";
  EXPECT_EQ(frame.Index(documents[0]), 1);
  EXPECT_EQ(frame.Index(documents[1]), 0);
  EXPECT_EQ(Active(), documents[1]->ScreenID(2));
}

TEST_F(MDIWindowTest, AModalChildKeepsTheOlderOnesOutOfReach) {
  Show();
  auto* modal = new Document(8);
  modal->AddStandardFrame(u"Modal");
  modal->SetModal(true);
  frame.Add(modal);
  driver.pumpUntilIdle();
  for (Document* document : documents) {
    EXPECT_FALSE(native::IsWindowEnabled(document->ScreenID(2)));
  }
  frame.Subtract(modal);
  delete modal;
  for (Document* document : documents) {
    EXPECT_TRUE(native::IsWindowEnabled(document->ScreenID(2)));
  }
}

TEST_F(MDIWindowTest, CtrlF6MovesToTheNextChild) {
  Show();
  frame.SetFocus(true);
  Loop();
  const native::HWND before = Active();
  driver.keyDown(native::VK_CONTROL);
  driver.pressKey(native::VK_F6);
  driver.keyUp(native::VK_CONTROL);
  Loop();
  EXPECT_NE(Active(), before);
  EXPECT_EQ(frame.FirstChild()->ScreenID(2), Active()) << "the active child leads the frame's list";
}

// The client activates a visible child while creating it, before any object is bound to the child window:
// the child's procedure then does the default processing alone.
TEST_F(MDIWindowTest, AChildWindowWithoutItsObjectYetIsActivatedSafely) {
  Show();
  native::MDICREATESTRUCT create{ZafMSWindowsApp::mdiChildClassName,      u"Loose", nullptr, 0, 0, 100, 60,
                                 native::WS_VISIBLE | native::WS_CAPTION, 0};
  const auto loose = reinterpret_cast<native::HWND>(
      native::SendMessage(Client(), native::WM_MDICREATE, 0, reinterpret_cast<native::LPARAM>(&create)));
  ASSERT_NE(loose, nullptr);
  EXPECT_EQ(Active(), loose);
  native::SendMessage(Client(), native::WM_MDIDESTROY, reinterpret_cast<native::WPARAM>(loose), 0);
  EXPECT_FALSE(native::IsWindow(loose));
}

}  // namespace
