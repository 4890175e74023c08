#include <gtest/gtest.h>

#include <vector>

#include "framework/core/zafpopupitem.h"
#include "framework/core/zafpulldownitem.h"
#include "framework/core/zafpulldownmenu.h"
#include "framework/core/zafscrollbar.h"
#include "framework/data/zafscrolldata.h"
#include "framework/win32/tests/zafwindoweventstestbed.h"

namespace {

class WindowMessagesTest : public ZafWindowEventsTest {
 protected:
  // Counts the native messages of one kind that reach the object, keeping the last one.
  static void Watch(EventObject& object, native::UINT message, std::vector<native::MSG>& seen) {
    object.onEvent = [message, &seen](const ZafEventRecord& event) {
      if (event.type == E_OSEVENT && event.osEvent.message == message) {
        seen.push_back(event.osEvent);
      }
    };
  }
  std::vector<int32_t> QueuedTypes() {
    std::vector<int32_t> types;
    ZafEventRecord event;
    while (events.TakeQueued(event)) {
      types.push_back(event.type);
    }
    return types;
  }
};

TEST_F(WindowMessagesTest, AMenuCommandReachesTheObjectWithItsNumberEvenWhenTheWindowHasItToo) {
  window->SetNumberID(5);
  EventObject* child = Child(10, 10);
  child->SetNumberID(5);
  std::vector<native::MSG> seen;
  Watch(*child, native::WM_COMMAND, seen);
  Show();
  EXPECT_EQ(Send(native::WM_COMMAND, native::MAKEWPARAM(5, 0)),
            static_cast<ZafEventType>(native::WM_COMMAND));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(Send(native::WM_COMMAND, native::MAKEWPARAM(77, 0)), UnknownEventResult) << "nobody has 77";
  EXPECT_EQ(seen.size(), 1u);
}

TEST_F(WindowMessagesTest, AMenuCommandToAWindowBehindGoesToTheFrontWindow) {
  EventObject* behindChild = Child(10, 10);
  behindChild->SetNumberID(9);
  std::vector<native::MSG> seen;
  Watch(*behindChild, native::WM_COMMAND, seen);
  Show();
  auto* front = new SpyWindow(100, 100, 200, 100);
  manager->Add(front);
  driver.pumpUntilIdle();
  ASSERT_EQ(manager->FrontWindow(), front);
  front->messages.clear();
  EXPECT_EQ(Send(native::WM_COMMAND, native::MAKEWPARAM(9, 0)), UnknownEventResult);
  EXPECT_TRUE(seen.empty());
  ASSERT_EQ(front->messages.size(), 1u);
  EXPECT_EQ(front->messages.front().message, native::WM_COMMAND);
}

TEST_F(WindowMessagesTest, AMenuCommandChoosesItsPopUpItem) {
  auto* bar = new ZafPullDownMenu;
  auto* file = new ZafPullDownItem(u"File");
  file->SetNumberID(100);
  auto* open = new ZafPopUpItem(u"Open");
  open->SetNumberID(101);
  open->SetValue(900);
  open->SetMessageOnSelect(true);
  file->AddMenuItem(open);
  bar->Add(file);
  window->Add(bar);
  Show();
  QueuedTypes();
  Send(native::WM_COMMAND, native::MAKEWPARAM(101, 0));
  EXPECT_EQ(QueuedTypes(), std::vector<int32_t>{900});
}

TEST_F(WindowMessagesTest, AControlsCommandGoesBackToTheControl) {
  EventObject* control = Child(10, 10);
  std::vector<native::MSG> seen;
  Watch(*control, native::WM_COMMAND, seen);
  Show();
  const auto from = reinterpret_cast<native::LPARAM>(control->ScreenID());
  EXPECT_EQ(Send(native::WM_COMMAND, native::MAKEWPARAM(3, 1), from),
            static_cast<ZafEventType>(native::WM_COMMAND));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].hwnd, control->ScreenID());
  EXPECT_EQ(seen[0].wParam, native::MAKEWPARAM(3, 1));
  EXPECT_EQ(seen[0].lParam, 0) << "as a command of its own";
}

TEST_F(WindowMessagesTest, ACommandHandedToAChildWindowEndsInIt) {
  // A child window with the command's number: the control notification handed back to it, and a menu
  // command that the window behind hands to the front window, which finds the child by its number.
  auto* group = new SpyWindow(10, 10, 100, 60);
  group->SetNumberID(9);
  window->Add(group);
  auto* behind = new SpyWindow(300, 300, 100, 60);
  manager->Add(behind);
  Show();
  ASSERT_EQ(manager->FrontWindow(), window);
  group->messages.clear();
  EXPECT_EQ(
      Send(native::WM_COMMAND, native::MAKEWPARAM(9, 1), reinterpret_cast<native::LPARAM>(group->ScreenID())),
      UnknownEventResult)
      << "the child has no object of that number";
  EXPECT_EQ(group->messages.size(), 1u);

  group->messages.clear();
  EXPECT_EQ(native::SendMessage(behind->ScreenID(), native::WM_COMMAND, native::MAKEWPARAM(9, 0), 0),
            UnknownEventResult);
  EXPECT_EQ(group->messages.size(), 1u);
}

TEST_F(WindowMessagesTest, OwnerDrawingColoursAndNotificationsGoToTheControlTheyName) {
  EventObject* control = Child(10, 10);
  Show();
  const native::HWND controlWindow = control->ScreenID();
  native::DRAWITEMSTRUCT item{};
  item.CtlType = native::ODT_BUTTON;
  item.hwndItem = controlWindow;
  item.hDC = native::GetDC(controlWindow);
  item.itemAction = native::ODA_DRAWENTIRE;
  native::NMHDR header{controlWindow, 1, 0};
  struct Case {
    const char* name;
    native::UINT message;
    native::WPARAM wParam;
    native::LPARAM lParam;
    bool answerIsTheControls;
  };
  const Case cases[] = {
      {"draw item", native::WM_DRAWITEM, 0, reinterpret_cast<native::LPARAM>(&item), true},
      {"button colours", native::WM_CTLCOLORBTN, reinterpret_cast<native::WPARAM>(item.hDC),
       reinterpret_cast<native::LPARAM>(controlWindow), true},
      {"static colours", native::WM_CTLCOLORSTATIC, reinterpret_cast<native::WPARAM>(item.hDC),
       reinterpret_cast<native::LPARAM>(controlWindow), true},
      {"notification", native::WM_NOTIFY, 1, reinterpret_cast<native::LPARAM>(&header), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<native::MSG> seen;
    Watch(*control, c.message, seen);
    const ZafEventType answer = Send(c.message, c.wParam, c.lParam);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].hwnd, controlWindow);
    if (c.answerIsTheControls) {
      EXPECT_EQ(answer,
                static_cast<ZafEventType>(native::SendMessage(controlWindow, c.message, c.wParam, c.lParam)));
    } else {
      EXPECT_EQ(answer, UnknownEventResult);
    }
  }
  native::ReleaseDC(controlWindow, item.hDC);
}

TEST_F(WindowMessagesTest, AnOwnerDrawnButtonIsDrawnThroughItsWindow) {
  struct DrawingButton : CountingButton {
    DrawingButton() : CountingButton(u"Flat") {}
    ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override {
      ++draws;
      return CountingButton::Draw(event, drawType);
    }
    int draws = 0;
  };
  auto* button = new DrawingButton;
  button->SetRegion({10, 10, 89, 33, ZAF_PIXEL});
  button->SetNativeDrawing(false);
  window->Add(button);
  Show();
  ASSERT_NE(button->ScreenID(), nullptr);
  EXPECT_GT(button->draws, 0) << "the control's WM_DRAWITEM reached the button";
}

TEST_F(WindowMessagesTest, AMeasureItemGoesToTheObjectWithTheControlNumber) {
  EventObject* control = Child(10, 10);
  control->SetNumberID(12);
  std::vector<native::MSG> seen;
  Watch(*control, native::WM_MEASUREITEM, seen);
  Show();
  native::MEASUREITEMSTRUCT item{};
  item.CtlID = 12;
  Send(native::WM_MEASUREITEM, 12, reinterpret_cast<native::LPARAM>(&item));
  EXPECT_EQ(seen.size(), 1u);
}

TEST_F(WindowMessagesTest, ScrollingGoesToTheScrollBarControlOrTheWindowsOwnBar) {
  auto* vertical = new ZafScrollBar(ZAF_VERTICAL_SCROLL);
  window->Add(vertical);
  EventObject* control = Child(10, 10);
  Show();
  std::vector<native::MSG> toControl;
  Watch(*control, native::WM_HSCROLL, toControl);
  Send(native::WM_VSCROLL, native::SB_LINEDOWN, 0);
  EXPECT_EQ(vertical->ScrollData()->Current(), 1) << "the window's own bar moved";
  Send(native::WM_HSCROLL, native::SB_LINEDOWN, reinterpret_cast<native::LPARAM>(control->ScreenID()));
  EXPECT_EQ(toControl.size(), 1u);
  // Without a horizontal bar the class procedure answers.
  EXPECT_EQ(Send(native::WM_HSCROLL, native::SB_LINEDOWN, 0),
            static_cast<ZafEventType>(
                native::DefWindowProc(window->ScreenID(), native::WM_HSCROLL, native::SB_LINEDOWN, 0)));
}

TEST_F(WindowMessagesTest, AChildWindowFollowsItsNativePlacement) {
  auto* group = new SpyWindow(10, 10, 100, 60);
  window->Add(group);
  EventObject* inner = Child(5, 5, 20, 10, group);
  Show();
  group->events.clear();
  inner->received.clear();
  native::MoveWindow(group->ScreenID(), 20, 30, 150, 80, native::TRUE);
  driver.pumpUntilIdle();
  const ZafRegionStruct placed = group->Region();
  EXPECT_EQ(placed.left, 20);
  EXPECT_EQ(placed.top, 30);
  EXPECT_EQ(placed.Width(), 150);
  EXPECT_EQ(placed.Height(), 80);
  native::RECT client{};
  native::GetClientRect(group->ScreenID(), &client);
  EXPECT_EQ(group->clientRegion.Width(), client.right);
  EXPECT_EQ(group->clientRegion.Height(), client.bottom);
  EXPECT_EQ(group->Count(MovedEvent), 1);
  EXPECT_EQ(group->Count(SizedEvent), 1);
  EXPECT_EQ(inner->Count(FitEvent), 1) << "a size change lays the children out again";

  group->events.clear();
  native::SetWindowPos(group->ScreenID(), nullptr, 25, 30, 0, 0,
                       native::SWP_NOSIZE | native::SWP_NOZORDER | native::SWP_NOACTIVATE);
  driver.pumpUntilIdle();
  EXPECT_EQ(group->Count(MovedEvent), 1);
  EXPECT_EQ(group->Count(SizedEvent), 0) << "a move alone keeps the size";
  EXPECT_EQ(group->Region().left, 25);
}

TEST_F(WindowMessagesTest, ANewPaletteIsOfferedToTheCurrentChildFirst) {
  EventObject* first = Child(10, 10);
  EventObject* second = Child(60, 10);
  EventObject* third = Child(110, 10);
  Show();
  Focus(second);
  std::vector<EventObject*> order;
  for (EventObject* child : {first, second, third}) {
    child->onEvent = [child, &order](const ZafEventRecord& event) {
      if (event.type == E_OSEVENT && event.osEvent.message == native::WM_QUERYNEWPALETTE) {
        order.push_back(child);
      }
    };
  }
  Send(native::WM_QUERYNEWPALETTE);
  EXPECT_EQ(order, (std::vector<EventObject*>{second, first, third}));

  std::vector<native::MSG> changed;
  Watch(*third, native::WM_PALETTECHANGED, changed);
  EXPECT_EQ(Send(native::WM_PALETTECHANGED, reinterpret_cast<native::WPARAM>(window->ScreenID(2))), 0);
  EXPECT_EQ(changed.size(), 1u) << "the change is passed to the children";
}

TEST_F(WindowMessagesTest, TheBackgroundIsErasedInTheWindowsBackgroundColour) {
  Show();
  native::RECT client{};
  native::GetClientRect(window->ScreenID(), &client);
  const native::HDC context = native::GetDC(window->ScreenID());
  native::SelectObject(context, native::GetStockObject(native::BLACK_BRUSH));
  native::PatBlt(context, 0, 0, client.right, client.bottom, native::PATCOPY);
  EXPECT_EQ(Send(native::WM_ERASEBKGND, reinterpret_cast<native::WPARAM>(context)), 1);
  const ZafPaletteStruct background = window->LogicalPalette(ZAF_PM_BACKGROUND, window->PaletteState());
  const native::COLORREF expected = screen.ColorWord(background.colorBackground, background.osBackground);
  native::POINT middle{client.right / 2, client.bottom / 2};
  native::ClientToScreen(window->ScreenID(), &middle);
  driver.pumpUntilIdle();
  EXPECT_EQ(driver.pixel(middle.x, middle.y), expected);
  native::ReleaseDC(window->ScreenID(), context);
}

}  // namespace
