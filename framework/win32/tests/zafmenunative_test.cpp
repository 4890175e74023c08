#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "framework/core/tests/zafcoretestbed.h"
#include "framework/core/zafpopupitem.h"
#include "framework/core/zafpopupmenu.h"
#include "framework/core/zafpulldownitem.h"
#include "framework/core/zafpulldownmenu.h"
#include "framework/data/zafclassid.h"
#include "framework/win32/zafwindowprocedure.h"
#include "native/native.h"

namespace {

// A top-level window that routes menu commands as the window's native handling does (the front window
// looks the command up among its objects; another window hands it to the front window), and that runs
// one scripted step each time an open menu waits for input, then closes the menu.
class MenuFrame : public ZafWindow {
 public:
  MenuFrame() : ZafWindow(0, 0, 40, 12) { SetDestroyable(false); }
  ZafEventType NativeEvent(const ZafEventRecord& event) override {
    const native::MSG& message = event.osEvent;
    if (message.message == native::WM_COMMAND && message.lParam == 0) {
      commands.push_back(native::LOWORD(message.wParam));
      ZafWindow* front = windowManager->FrontWindow();
      if (front != this) {
        return front ? front->Event(event) : event.type;
      }
      ZafWindowObject* chosen = FindObject(native::LOWORD(message.wParam));
      return chosen ? chosen->Event(event) : event.type;
    }
    return ZafWindow::NativeEvent(event);
  }
  // An open menu is tracked for the outer window, which may not be the window the object handles: its
  // messages come here first, so that each wait for input runs the next step.
  void ScriptOpenMenus() {
    scripted = this;
    const native::HWND outer = ScreenID(2);
    outerProcedure = reinterpret_cast<native::WNDPROC>(native::GetWindowLong(outer, native::GWL_WNDPROC));
    native::SetWindowLong(outer, native::GWL_WNDPROC, reinterpret_cast<native::LONG_PTR>(&OuterProcedure));
  }
  std::vector<std::function<void()>> steps;
  std::size_t next = 0;
  int escapes = 0;
  std::vector<native::WORD> commands;

 private:
  static native::LRESULT OuterProcedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                        native::LPARAM lParam) {
    if (message == native::WM_ENTERIDLE) {
      scripted->RunNextStep();
    }
    return native::CallWindowProc(scripted->outerProcedure, window, message, wParam, lParam);
  }
  void RunNextStep() {
    if (next < steps.size()) {
      steps[next++]();
      native::PostMessage(screenID, native::WM_NULL, 0, 0);
    } else if (++escapes <= 5) {
      native::PostMessage(screenID, native::WM_KEYDOWN, native::VK_ESCAPE, 0);
    } else {
      throw std::runtime_error("the menu does not close");
    }
  }
  static inline MenuFrame* scripted = nullptr;
  native::WNDPROC outerProcedure = nullptr;
};

// Stands in for the system button: menus below it carry the platform's system commands.
class SystemButtonStandIn : public ZafWindowObject {
 public:
  SystemButtonStandIn() : ZafWindowObject(0, 0, 1, 1) {}
  bool IsA(ZafClassID id) const override { return id == ID_ZAF_SYSTEM_BUTTON || ZafWindowObject::IsA(id); }
};

// A multiple-document frame whose client reports a maximised active child (the platform then shows the
// child's system menu as the bar's first entry).
class MaximisedChildFrame : public MenuFrame {
 public:
  MaximisedChildFrame() {
    native::WNDCLASS description{};
    description.lpfnWndProc = &ClientProcedure;
    description.lpszClassName = u"MenuTestMdiClient";
    native::RegisterClass(&description);
    client = native::CreateWindowEx(0, u"MenuTestMdiClient", u"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                    nullptr);
  }
  ~MaximisedChildFrame() override { native::DestroyWindow(client); }
  bool IsA(ZafClassID id) const override { return id == ID_ZAF_MDI_WINDOW || MenuFrame::IsA(id); }
  native::HWND ScreenID(int32_t part) const override {
    return part == 0 ? client : MenuFrame::ScreenID(part);
  }
  using ZafWindowObject::ScreenID;

 private:
  static native::LRESULT ClientProcedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                         native::LPARAM lParam) {
    if (message == native::WM_MDIGETACTIVE) {
      if (auto* maximized = reinterpret_cast<native::BOOL*>(lParam)) {
        *maximized = native::TRUE;
      }
      return 0;
    }
    return native::DefWindowProc(window, message, wParam, lParam);
  }
  native::HWND client = nullptr;
};

// A plain top-level window beside the menus that counts the redraw switches it is sent.
class Bystander {
 public:
  Bystander() {
    native::WNDCLASS description{};
    description.lpfnWndProc = &Procedure;
    description.lpszClassName = u"MenuTestBystander";
    native::RegisterClass(&description);
    window =
        native::CreateWindowEx(0, u"MenuTestBystander", u"", native::WS_OVERLAPPEDWINDOW | native::WS_VISIBLE,
                               500, 500, 50, 50, nullptr, nullptr, nullptr, nullptr);
    redrawSwitches = 0;
  }
  ~Bystander() { native::DestroyWindow(window); }
  native::HWND window = nullptr;
  static inline int redrawSwitches = 0;

 private:
  static native::LRESULT Procedure(native::HWND handle, native::UINT message, native::WPARAM wParam,
                                   native::LPARAM lParam) {
    if (message == native::WM_SETREDRAW) {
      ++redrawSwitches;
    }
    return native::DefWindowProc(handle, message, wParam, lParam);
  }
};

// Notes every code its user function is called with.
std::vector<ZafLong> userFunctionCodes;
ZafLong NoteCode(ZafWindowObject*, ZafEventRecord&, ZafLong code) {
  userFunctionCodes.push_back(code);
  return 0;
}

class MenuNativeTest : public ZafCoreTest {
 protected:
  // The frame belongs to the test: the window manager must let go of it before it goes.
  ~MenuNativeTest() override {
    if (windows->Index(&frame) >= 0) {
      windows->Subtract(&frame);
    }
  }
  // A frame with the bar "File" (Open 101, separator 102, Recent 103 with the cascade First 104) and
  // "Help" (110), shown through the window manager.
  void ShowFrameWithBar() {
    BuildFrameWithBar();
    windows->Add(&frame);
  }
  void BuildFrameWithBar() {
    bar = new ZafPullDownMenu;
    file = new ZafPullDownItem(u"File");
    file->SetNumberID(100);
    open = Numbered(new ZafPopUpItem(u"Open"), 101);
    separator = Numbered(new ZafPopUpItem(static_cast<const ZafIChar*>(nullptr), ZAF_ITEM_SEPARATOR), 102);
    recent = Numbered(new ZafPopUpItem(u"Recent"), 103);
    first = Numbered(new ZafPopUpItem(u"First"), 104);
    help = new ZafPullDownItem(u"Help");
    help->SetNumberID(110);
    recent->AddMenuItem(first);
    file->AddMenuItem(open);
    file->AddMenuItem(separator);
    file->AddMenuItem(recent);
    bar->Add(file);
    bar->Add(help);
    frame.Add(bar);
  }
  static ZafPopUpItem* Numbered(ZafPopUpItem* item, ZafNumberID id) {
    item->SetNumberID(id);
    return item;
  }
  ZafEventRecord MenuSelect(native::WORD identifier, native::UINT flags, native::HMENU menu) {
    native::MSG message{};
    message.hwnd = frame.ScreenID();
    message.message = native::WM_MENUSELECT;
    message.wParam = native::MAKEWPARAM(identifier, flags);
    message.lParam = reinterpret_cast<native::LPARAM>(menu);
    return ZafEventRecord(E_OSEVENT, message);
  }
  static ZafEventRecord Command(native::UINT message, native::WPARAM wParam) {
    native::MSG command{};
    command.message = message;
    command.wParam = wParam;
    return ZafEventRecord(E_OSEVENT, command);
  }
  native::UINT StateAt(native::HMENU menu, int position) {
    return native::GetMenuState(menu, static_cast<native::UINT>(position), native::MF_BYPOSITION);
  }

  MenuFrame frame;
  ZafPullDownMenu* bar = nullptr;
  ZafPullDownItem* file = nullptr;
  ZafPullDownItem* help = nullptr;
  ZafPopUpItem* open = nullptr;
  ZafPopUpItem* separator = nullptr;
  ZafPopUpItem* recent = nullptr;
  ZafPopUpItem* first = nullptr;
};

TEST_F(MenuNativeTest, BarIsTheFramesMenuWithEntriesInChildOrder) {
  ShowFrameWithBar();
  ASSERT_NE(frame.ScreenID(), nullptr);
  ASSERT_NE(bar->Menu(), nullptr);
  EXPECT_EQ(native::GetMenu(frame.ScreenID(2)), bar->Menu());
  EXPECT_EQ(bar->ScreenID(2), bar->ScreenID());
  ASSERT_EQ(native::GetMenuItemCount(bar->Menu()), 2);
  EXPECT_NE(StateAt(bar->Menu(), 0) & native::MF_POPUP, 0u);
  EXPECT_EQ(native::GetSubMenu(bar->Menu(), 0), file->Submenu().Menu());
  EXPECT_EQ(native::GetMenuItemID(bar->Menu(), 1), 110u) << "Help has no items: a plain command";
  EXPECT_EQ(help->Submenu().Menu(), nullptr) << "an empty submenu has no native menu";

  const native::HMENU list = file->Submenu().Menu();
  ASSERT_EQ(native::GetMenuItemCount(list), 3);
  EXPECT_EQ(native::GetMenuItemID(list, 0), 101u);
  EXPECT_NE(StateAt(list, 1) & native::MF_SEPARATOR, 0u);
  EXPECT_EQ(native::GetSubMenu(list, 2), recent->Submenu().Menu());
  EXPECT_EQ(native::GetMenuItemID(recent->Submenu().Menu(), 0), 104u);
  EXPECT_EQ(open->ContainingMenu(), list);
  EXPECT_EQ(file->ContainingMenu(), bar->Menu());

  windows->Subtract(&frame);
  EXPECT_EQ(bar->Menu(), nullptr);
  EXPECT_EQ(open->ScreenID(), nullptr);
  EXPECT_EQ(first->ScreenID(), nullptr);
  EXPECT_EQ(native::IsMenu(list), native::FALSE);
}

TEST_F(MenuNativeTest, BarEntriesCountTheMaximisedChildsSystemMenu) {
  MaximisedChildFrame mdiFrame;
  auto* mdiBar = new ZafPullDownMenu;
  ZafPullDownItem* entries[3] = {};
  for (int index = 0; index < 3; ++index) {
    entries[index] = static_cast<ZafPullDownItem*>(mdiBar->Add(new ZafPullDownItem(u"Entry")));
    entries[index]->SetNumberID(static_cast<ZafNumberID>(200 + index));
  }
  mdiFrame.Add(mdiBar);
  windows->Add(&mdiFrame);
  ASSERT_NE(mdiBar->Menu(), nullptr);
  EXPECT_EQ(mdiBar->PositionOffset(), 1);
  EXPECT_EQ(entries[1]->EntryPosition(), 2);
  // What the platform puts in front while the child is maximised.
  native::InsertMenu(mdiBar->Menu(), 0, native::MF_BYPOSITION, 999, u"-");
  entries[1]->SetDisabled(true);
  EXPECT_EQ(native::GetMenuItemID(mdiBar->Menu(), 2), 201u);
  EXPECT_NE(StateAt(mdiBar->Menu(), 2) & native::MF_GRAYED, 0u) << "the second entry, third native position";
  EXPECT_EQ(StateAt(mdiBar->Menu(), 1) & native::MF_GRAYED, 0u);
  mdiBar->Event(MenuSelect(2, native::MF_POPUP | native::MF_HILITE, mdiBar->Menu()));
  EXPECT_EQ(mdiBar->CurrentChild(), entries[1]) << "selection positions count the leading entry too";
  windows->Subtract(&mdiFrame);
}

TEST_F(MenuNativeTest, EntryTextMarksTheHotKeyAndDoublesAmpersands) {
  ZafPopUpItem exit(static_cast<const ZafIChar*>(nullptr), ZAF_ITEM_EXIT);
  EXPECT_EQ(std::u16string(exit.EntryText().get()), u"E&xit");
  ZafPopUpItem both(u"Salt & Pepper");
  both.SetHotKey(u'p', 7);
  EXPECT_EQ(std::u16string(both.EntryText().get()), u"Salt && &Pepper");
}

TEST_F(MenuNativeTest, FirstSubItemMakesACascadeInPlaceAndTheLastTakesItBack) {
  ShowFrameWithBar();
  auto* contents = new ZafPopUpItem(u"Contents");
  contents->SetNumberID(111);
  help->AddMenuItem(contents);
  ASSERT_EQ(native::GetMenuItemCount(bar->Menu()), 2);
  EXPECT_NE(StateAt(bar->Menu(), 1) & native::MF_POPUP, 0u) << "a cascade at the same position";
  EXPECT_EQ(native::GetSubMenu(bar->Menu(), 1), help->Submenu().Menu());
  EXPECT_EQ(native::GetMenuItemID(help->Submenu().Menu(), 0), 111u);

  auto* index = new ZafPopUpItem(u"Index");
  index->SetNumberID(112);
  help->AddMenuItem(index, contents);
  EXPECT_EQ(native::GetMenuItemID(help->Submenu().Menu(), 0), 112u) << "inserted in front, in place";

  delete help->SubtractMenuItem(index);
  const native::HMENU cascade = help->Submenu().Menu();
  delete help->SubtractMenuItem(contents);
  ASSERT_EQ(native::GetMenuItemCount(bar->Menu()), 2);
  EXPECT_EQ(StateAt(bar->Menu(), 1) & native::MF_POPUP, 0u);
  EXPECT_EQ(native::GetMenuItemID(bar->Menu(), 1), 110u) << "a plain command again";
  EXPECT_EQ(native::IsMenu(cascade), native::FALSE);
}

TEST_F(MenuNativeTest, TypeSetAfterTheEntryExistsChangesNothing) {
  ShowFrameWithBar();
  EXPECT_EQ(open->SetMenuItemType(ZAF_ITEM_EXIT), ZAF_ITEM_ORDINARY);
  EXPECT_EQ(open->Value(), 0);
  EXPECT_EQ(std::u16string(open->Text()), u"Open");
}

TEST_F(MenuNativeTest, StateChangesReachTheExistingEntry) {
  ShowFrameWithBar();
  const native::HMENU list = file->Submenu().Menu();
  open->SetDisabled(true);
  EXPECT_NE(StateAt(list, 0) & native::MF_GRAYED, 0u);
  open->SetSelected(true);
  EXPECT_NE(StateAt(list, 0) & native::MF_CHECKED, 0u);
  open->SetText(u"Open...");
  EXPECT_NE(StateAt(list, 0) & native::MF_GRAYED, 0u) << "a new text keeps the entry greyed";
  EXPECT_NE(StateAt(list, 0) & native::MF_CHECKED, 0u) << "and checked";
  EXPECT_EQ(native::GetMenuItemID(list, 0), 101u);
  open->SetDisabled(false);
  open->SetChecked(false);
  EXPECT_EQ(StateAt(list, 0) & (native::MF_GRAYED | native::MF_CHECKED), 0u);
  help->SetDisabled(true);
  EXPECT_NE(StateAt(bar->Menu(), 1) & native::MF_GRAYED, 0u);
  file->SetText(u"Document");
  EXPECT_NE(StateAt(bar->Menu(), 0) & native::MF_POPUP, 0u) << "the renamed entry is still a cascade";
  EXPECT_EQ(native::GetSubMenu(bar->Menu(), 0), file->Submenu().Menu());
}

TEST_F(MenuNativeTest, CommandChoosesTheItemWithThatNumber) {
  BuildFrameWithBar();
  first->SetValue(900);
  first->SetMessageOnSelect(true);
  windows->Add(&frame);
  native::SendMessage(frame.ScreenID(), native::WM_COMMAND, native::MAKEWPARAM(104, 0), 0);
  EXPECT_EQ(frame.commands, std::vector<native::WORD>{104});
  EXPECT_EQ(frame.FindObject(104), first);
  EXPECT_EQ(QueuedTypes(), std::vector<int32_t>{900}) << "found through the bar, the list and the cascade";
  native::SendMessage(frame.ScreenID(), native::WM_COMMAND, native::MAKEWPARAM(102, 0), 0);
  EXPECT_TRUE(QueuedTypes().empty()) << "the separator posts nothing";
  file->Event(Command(native::WM_COMMAND, native::MAKEWPARAM(100, 0)));
  EXPECT_TRUE(QueuedTypes().empty()) << "a bar entry posts nothing";
}

TEST_F(MenuNativeTest, SystemMenuItemCarriesThePlatformCommandAndPostsNothing) {
  SystemButtonStandIn systemButton;
  ZafPopUpMenu systemMenu(0, 0);
  systemMenu.SetParent(&systemButton);
  auto* maximize = Numbered(new ZafPopUpItem(u"Maximize", ZAF_ITEM_MAXIMIZE), 5);
  auto* plain = Numbered(new ZafPopUpItem(u"About"), 6);
  systemMenu.Add(maximize);
  systemMenu.Add(plain);
  systemMenu.Event(ZafEventRecord(CreateEvent, 0));
  ASSERT_NE(systemMenu.Menu(), nullptr);
  EXPECT_EQ(native::GetMenuItemID(systemMenu.Menu(), 0), native::SC_MAXIMIZE);
  EXPECT_EQ(native::GetMenuItemID(systemMenu.Menu(), 1), 6u);
  maximize->Event(Command(native::WM_SYSCOMMAND, native::SC_MAXIMIZE));
  EXPECT_TRUE(QueuedTypes().empty()) << "the platform maximizes the window";
  systemMenu.Event(ZafEventRecord(DestroyEvent, 0));
  EXPECT_EQ(systemMenu.ScreenID(), nullptr);
  EXPECT_EQ(maximize->ScreenID(), nullptr);

  ZafPopUpItem outside(u"Maximize", ZAF_ITEM_MAXIMIZE);
  outside.Event(Command(native::WM_COMMAND, 0));
  EXPECT_EQ(QueuedTypes(), std::vector<int32_t>{-5}) << "elsewhere the entry posts its command";
}

TEST_F(MenuNativeTest, MenuSelectionWalksDownAndAcross) {
  ShowFrameWithBar();
  const native::HMENU list = file->Submenu().Menu();
  bar->Event(MenuSelect(0, native::MF_POPUP | native::MF_HILITE, bar->Menu()));
  EXPECT_TRUE(bar->Focus());
  EXPECT_EQ(bar->CurrentChild(), file);
  EXPECT_TRUE(file->Focus());

  bar->Event(MenuSelect(101, native::MF_HILITE, list));
  EXPECT_TRUE(file->Submenu().Focus());
  EXPECT_EQ(file->Submenu().CurrentChild(), open);
  EXPECT_TRUE(open->Focus());

  bar->Event(MenuSelect(2, native::MF_POPUP | native::MF_HILITE, list));
  EXPECT_EQ(file->Submenu().CurrentChild(), recent);
  EXPECT_FALSE(open->Focus());
  EXPECT_TRUE(recent->Focus());

  bar->Event(MenuSelect(104, native::MF_HILITE, recent->Submenu().Menu()));
  EXPECT_TRUE(first->Focus());

  bar->Event(MenuSelect(110, native::MF_HILITE, bar->Menu()));
  EXPECT_EQ(bar->CurrentChild(), help);
  EXPECT_TRUE(help->Focus());
  EXPECT_FALSE(file->Focus());
  EXPECT_FALSE(file->Submenu().Focus()) << "the list left behind is no longer current";

  bar->Event(MenuSelect(999, native::MF_HILITE, bar->Menu()));
  EXPECT_EQ(bar->CurrentChild(), help) << "an unknown entry changes nothing";
  EXPECT_TRUE(help->Focus());

  bar->Event(ZafEventRecord(FocusLostEvent, 0));
  EXPECT_FALSE(bar->Focus());
  EXPECT_EQ(bar->CurrentChild(), nullptr);
  EXPECT_FALSE(help->Focus());
}

TEST_F(MenuNativeTest, SeparatorIsNeverTheHighlightedEntry) {
  ShowFrameWithBar();
  const native::HMENU list = file->Submenu().Menu();
  bar->Event(MenuSelect(0, native::MF_POPUP | native::MF_HILITE, bar->Menu()));
  bar->Event(MenuSelect(101, native::MF_HILITE, list));
  bar->Event(MenuSelect(102, native::MF_HILITE, list));
  EXPECT_EQ(file->Submenu().CurrentChild(), open);
  EXPECT_FALSE(separator->Focus());
}

TEST_F(MenuNativeTest, HighlightedEntryWithAHintTellsTheHelpTips) {
  std::vector<int32_t> log;
  RecordingDevice tips(E_HELP_TIPS, &log);
  events.Add(&tips);
  ShowFrameWithBar();
  frame.SetFocus(true);
  open->SetThirdText(u"Opens a document");
  bar->Event(MenuSelect(0, native::MF_POPUP | native::MF_HILITE, bar->Menu()));
  bar->Event(MenuSelect(101, native::MF_HILITE, file->Submenu().Menu()));
  bar->Event(MenuSelect(2, native::MF_POPUP | native::MF_HILITE, file->Submenu().Menu()));
  const int32_t hint = E_HELP_TIPS * 100000 + static_cast<int32_t>(HelpHintEvent);
  EXPECT_EQ(log, (std::vector<int32_t>{hint, hint})) << "shown for Open, taken back when it is left";
  events.Subtract(&tips);
}

TEST_F(MenuNativeTest, ContextMenuChoiceIsCarriedOutBeforeTheMenuCloses) {
  ShowFrameWithBar();
  ZafPopUpMenu context(300, 200);
  context.SetCoordinateType(ZAF_PIXEL);
  auto* cut = context.Add(Numbered(new ZafPopUpItem(u"Cut"), 501));
  static_cast<ZafPopUpItem*>(cut)->SetValue(777);
  static_cast<ZafPopUpItem*>(cut)->SetMessageOnSelect(true);
  context.Add(Numbered(new ZafPopUpItem(u"Paste"), 502));
  bool wasFront = false;
  frame.ScriptOpenMenus();
  frame.steps = {[&] {
    wasFront = windows->FrontWindow() == &context;
    driver.pressKey(native::VK_DOWN);
    driver.pressKey(native::VK_RETURN);
  }};
  windows->Add(&context);
  EXPECT_TRUE(wasFront) << "the menu is the front window while it is tracked";
  EXPECT_EQ(frame.commands, std::vector<native::WORD>{501});
  EXPECT_EQ(QueuedTypes(), (std::vector<int32_t>{777, CloseTemporaryEvent}))
      << "the choice is queued before the close";
  windows->Subtract(&context);
}

TEST_F(MenuNativeTest, ContextMenuWithoutItemsOnlyClosesAgain) {
  ShowFrameWithBar();
  ZafPopUpMenu context(10, 10);
  windows->Add(&context);
  EXPECT_EQ(context.Menu(), nullptr);
  EXPECT_EQ(QueuedTypes(), std::vector<int32_t>{CloseTemporaryEvent});
  windows->Event(ZafEventRecord(CloseTemporaryEvent, 0));
  EXPECT_EQ(windows->FrontWindow(), &frame);
}

TEST_F(MenuNativeTest, SeparatorTakenOutOfALiveMenuLeavesTheEntriesInStep) {
  ShowFrameWithBar();
  const native::HMENU list = file->Submenu().Menu();
  delete file->SubtractMenuItem(separator);
  ASSERT_EQ(native::GetMenuItemCount(list), 2);
  EXPECT_EQ(native::GetMenuItemID(list, 0), 101u);
  EXPECT_EQ(native::GetSubMenu(list, 1), recent->Submenu().Menu());
  recent->SetDisabled(true);
  EXPECT_NE(StateAt(list, 1) & native::MF_GRAYED, 0u) << "Recent greys its own entry";
}

TEST_F(MenuNativeTest, DestroyedItemsLeaveNoEntriesBehind) {
  ShowFrameWithBar();
  const native::HMENU list = file->Submenu().Menu();
  const native::HMENU cascade = recent->Submenu().Menu();
  // Emptying a live cascade turns its entry back into a plain command.
  recent->DestroyMenuItems();
  ASSERT_EQ(native::GetMenuItemCount(list), 3);
  EXPECT_EQ(StateAt(list, 2) & native::MF_POPUP, 0u);
  EXPECT_EQ(native::GetMenuItemID(list, 2), 103u);
  EXPECT_EQ(native::IsMenu(cascade), native::FALSE);
  recent->AddMenuItem(Numbered(new ZafPopUpItem(u"Second"), 105));
  ASSERT_EQ(native::GetMenuItemCount(list), 3) << "a cascade again, not a second entry";
  EXPECT_EQ(native::GetMenuItemID(recent->Submenu().Menu(), 0), 105u);

  // A drop-down list with a separator and a cascade emptied through its bar entry.
  file->DestroyMenuItems();
  ASSERT_EQ(native::GetMenuItemCount(bar->Menu()), 2);
  EXPECT_EQ(StateAt(bar->Menu(), 0) & native::MF_POPUP, 0u);
  EXPECT_EQ(native::GetMenuItemID(bar->Menu(), 0), 100u);
  EXPECT_EQ(native::GetMenuItemID(bar->Menu(), 1), 110u);
  EXPECT_EQ(native::IsMenu(list), native::FALSE);
}

TEST_F(MenuNativeTest, ItemDeletedFromALiveMenuTakesItsEntryAlong) {
  ShowFrameWithBar();
  const native::HMENU list = file->Submenu().Menu();
  delete open;
  ASSERT_EQ(native::GetMenuItemCount(list), 2);
  EXPECT_NE(StateAt(list, 0) & native::MF_SEPARATOR, 0u);
  recent->SetDisabled(true);
  EXPECT_NE(StateAt(list, 1) & native::MF_GRAYED, 0u) << "Recent greys its own entry";
  const native::HMENU cascade = recent->Submenu().Menu();
  delete recent;
  EXPECT_EQ(native::GetMenuItemCount(list), 1);
  EXPECT_EQ(native::IsMenu(cascade), native::FALSE) << "a deleted cascade entry takes its menu along";
}

TEST_F(MenuNativeTest, MenusDeletedWhileLiveTakeTheirNativeMenusAlong) {
  ShowFrameWithBar();
  const native::HMENU barMenu = bar->Menu();
  const native::HMENU list = file->Submenu().Menu();
  const native::HMENU cascade = recent->Submenu().Menu();
  delete bar;
  EXPECT_EQ(native::GetMenu(frame.ScreenID(2)), nullptr) << "the frame lets go of the bar first";
  for (native::HMENU menu : {barMenu, list, cascade}) {
    EXPECT_EQ(native::IsMenu(menu), native::FALSE);
  }

  auto* popUp = new ZafPopUpMenu(10, 10);
  auto* item = popUp->Add(new ZafPopUpItem(u"Cascade"));
  static_cast<ZafPopUpItem*>(item)->AddMenuItem(new ZafPopUpItem(u"Inner"));
  popUp->Event(ZafEventRecord(PrepareEvent, 0));
  popUp->Event(ZafEventRecord(NativeAttachedEvent, 0));
  const native::HMENU popUpMenu = popUp->Menu();
  const native::HMENU inner = static_cast<ZafPopUpItem*>(item)->Submenu().Menu();
  ASSERT_NE(popUpMenu, nullptr);
  ASSERT_NE(inner, nullptr);
  delete popUp;
  EXPECT_EQ(native::IsMenu(popUpMenu), native::FALSE);
  EXPECT_EQ(native::IsMenu(inner), native::FALSE);
}

TEST_F(MenuNativeTest, SortedLiveMenuReordersItsEntries) {
  ShowFrameWithBar();
  const native::HMENU list = file->Submenu().Menu();
  // By text: the separator (no text) first, then "Open", then "Recent".
  file->Submenu().SetCompareFunction(ZafWindow::CompareAscending);
  file->SortMenuItems();
  ASSERT_EQ(file->Submenu().First(), separator);
  ASSERT_EQ(native::GetMenuItemCount(list), 3);
  EXPECT_NE(StateAt(list, 0) & native::MF_SEPARATOR, 0u);
  EXPECT_EQ(native::GetMenuItemID(list, 1), 101u);
  EXPECT_EQ(native::GetSubMenu(list, 2), recent->Submenu().Menu());
  EXPECT_EQ(native::GetMenuItemID(recent->Submenu().Menu(), 0), 104u);
  open->SetDisabled(true);
  EXPECT_NE(StateAt(list, 1) & native::MF_GRAYED, 0u);
  EXPECT_EQ(native::GetMenu(frame.ScreenID(2)), bar->Menu());
  EXPECT_NE(StateAt(bar->Menu(), 0) & native::MF_POPUP, 0u) << "the bar's entry still opens the list";
  EXPECT_EQ(native::GetSubMenu(bar->Menu(), 0), list);
}

TEST_F(MenuNativeTest, CascadeWithAWideHandleIsTakenOut) {
  // Menu slots reused often enough carry handles beyond 32 bits; the next menus made get such slots.
  constexpr int kSlots = 8;
  for (int round = 0; round < 300; ++round) {
    native::HMENU menus[kSlots];
    for (native::HMENU& menu : menus) {
      menu = native::CreatePopupMenu();
    }
    for (native::HMENU menu : menus) {
      native::DestroyMenu(menu);
    }
  }
  ShowFrameWithBar();
  const native::HMENU list = file->Submenu().Menu();
  ASSERT_GT(reinterpret_cast<native::UINT_PTR>(recent->Submenu().Menu()), native::UINT_PTR{0xFFFFFFFF});
  ASSERT_GT(reinterpret_cast<native::UINT_PTR>(list), native::UINT_PTR{0xFFFFFFFF});
  delete file->SubtractMenuItem(recent);
  ASSERT_EQ(native::GetMenuItemCount(list), 2);
  EXPECT_EQ(native::GetMenuItemID(list, 0), 101u);
  delete bar->Subtract(file);
  ASSERT_EQ(native::GetMenuItemCount(bar->Menu()), 1);
  EXPECT_EQ(native::GetMenuItemID(bar->Menu(), 0), 110u);
}

TEST_F(MenuNativeTest, StateSettersNeverTakeAMenuHandleForAWindow) {
  ShowFrameWithBar();
  Bystander bystander;
  native::SetActiveWindow(frame.ScreenID(2));
  native::SetFocus(frame.ScreenID());
  const native::HWND focused = native::GetFocus();
  ASSERT_NE(focused, bystander.window);
  struct Case {
    const char* name;
    ZafWindowObject* object;
  };
  const Case cases[] = {
      {"menu entry", open}, {"bar entry", file}, {"drop-down list", &file->Submenu()}, {"menu bar", bar}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    // The handle of a menu may have the value of a window's handle: here it has the bystander's.
    const native::HWND menu = test.object->ScreenID();
    test.object->SetScreenID(bystander.window);
    EXPECT_FALSE(test.object->SetAutomaticUpdate(false));
    EXPECT_TRUE(test.object->SetFocus(true));
    EXPECT_FALSE(test.object->SetVisible(false));
    EXPECT_EQ(Bystander::redrawSwitches, 0);
    EXPECT_EQ(native::GetFocus(), focused);
    EXPECT_TRUE(native::IsWindowVisible(bystander.window));
    EXPECT_TRUE(test.object->SetVisible(true));
    EXPECT_FALSE(test.object->SetFocus(false));
    EXPECT_TRUE(test.object->SetAutomaticUpdate(true));
    test.object->SetScreenID(menu);
  }
  EXPECT_FALSE(separator->SetFocus(true)) << "a separator never holds the focus";
}

TEST_F(MenuNativeTest, HighlightingWithoutAHintLeavesTheUserFunctionAlone) {
  ShowFrameWithBar();
  userFunctionCodes.clear();
  open->SetUserFunction(&NoteCode);
  bar->Event(MenuSelect(0, native::MF_POPUP | native::MF_HILITE, bar->Menu()));
  bar->Event(MenuSelect(101, native::MF_HILITE, file->Submenu().Menu()));
  bar->Event(MenuSelect(2, native::MF_POPUP | native::MF_HILITE, file->Submenu().Menu()));
  ASSERT_FALSE(open->Focus());
  EXPECT_TRUE(userFunctionCodes.empty());
  open->Event(ZafEventRecord(ChosenEvent, 0));
  EXPECT_EQ(userFunctionCodes, std::vector<ZafLong>{ChosenEvent}) << "a choice still reaches it";
}

TEST_F(MenuNativeTest, SystemMenuRequestsChangeTheLiveMenu) {
  SystemButtonStandIn systemButton;
  ZafPopUpMenu systemMenu(0, 0);
  systemMenu.SetParent(&systemButton);
  systemMenu.Add(Numbered(new ZafPopUpItem(u"Restore", ZAF_ITEM_RESTORE), 5));
  systemMenu.Add(new ZafPopUpItem(static_cast<const ZafIChar*>(nullptr), ZAF_ITEM_SEPARATOR));
  systemMenu.Event(ZafEventRecord(CreateEvent, 0));
  ZafEventRecord add(AddObjectEvent, 0);
  add.windowObject = Numbered(new ZafPopUpItem(u"About"), 6);
  EXPECT_EQ(systemMenu.Event(add), AddObjectEvent);
  ASSERT_EQ(add.windowObject->Parent(), &systemMenu);
  EXPECT_EQ(native::GetMenuItemCount(systemMenu.Menu()), 3);
  EXPECT_EQ(native::GetMenuItemID(systemMenu.Menu(), 2), 6u);
  ZafEventRecord subtract(SubtractObjectEvent, 0);
  subtract.windowObject = systemMenu.FirstChild();
  EXPECT_EQ(systemMenu.Event(subtract), SubtractObjectEvent);
  EXPECT_EQ(subtract.windowObject->Parent(), nullptr);
  ASSERT_EQ(native::GetMenuItemCount(systemMenu.Menu()), 2);
  EXPECT_EQ(native::GetMenuItemID(systemMenu.Menu(), 1), 6u);
  delete subtract.windowObject;
  // Emptied as a whole while live, the separator's entry included.
  systemMenu.Destroy();
  EXPECT_EQ(native::GetMenuItemCount(systemMenu.Menu()), 0);
  systemMenu.Event(ZafEventRecord(DestroyEvent, 0));
}

}  // namespace
