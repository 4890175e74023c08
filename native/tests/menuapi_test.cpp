#include <gtest/gtest.h>

#include "native/tests/menuscene.h"
#include "native/user/menulayout.h"

namespace native::test {

namespace {

constexpr UINT kMissing = 0xFFFFFFFF;

UINT_PTR handleId(HMENU menu) {
  return reinterpret_cast<UINT_PTR>(menu);
}

// The commands of a menu's entries in order (cascades as -1, separators as 0).
std::vector<UINT> idsOf(HMENU menu) {
  std::vector<UINT> ids;
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    ids.push_back(GetMenuItemID(menu, position));
  }
  return ids;
}

}  // namespace

TEST(Menu, EntriesGoInAndOutByPositionAndByCommand) {
  TestDriver driver;
  HMENU menu = CreatePopupMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemCount(menu), 0);
  EXPECT_NE(AppendMenu(menu, MF_STRING, 10, u"Ten"), FALSE);
  EXPECT_NE(AppendMenu(menu, MF_STRING, 30, u"Thirty"), FALSE);
  EXPECT_NE(InsertMenu(menu, 1, MF_BYPOSITION | MF_STRING, 20, u"Twenty"), FALSE);
  EXPECT_NE(InsertMenu(menu, 10, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr), FALSE);  // before "Ten"
  EXPECT_NE(InsertMenu(menu, kMissing, MF_BYPOSITION | MF_STRING, 40, u"Forty"), FALSE);
  EXPECT_EQ(idsOf(menu), (std::vector<UINT>{0, 10, 20, 30, 40}));

  EXPECT_NE(ModifyMenu(menu, 20, MF_BYCOMMAND | MF_STRING, 25, u"Twenty-five"), FALSE);
  EXPECT_NE(RemoveMenu(menu, 0, MF_BYPOSITION), FALSE);
  EXPECT_NE(DeleteMenu(menu, 40, MF_BYCOMMAND), FALSE);
  EXPECT_EQ(idsOf(menu), (std::vector<UINT>{10, 25, 30}));

  struct Refused {
    const char* name;
    BOOL result;
  };
  const Refused refused[] = {
      {"insert before a missing command", InsertMenu(menu, 99, MF_BYCOMMAND, 1, u"x")},
      {"modify past the end", ModifyMenu(menu, 3, MF_BYPOSITION, 1, u"x")},
      {"remove a missing command", RemoveMenu(menu, 99, MF_BYCOMMAND)},
      {"delete past the end", DeleteMenu(menu, 3, MF_BYPOSITION)},
      {"append to no menu", AppendMenu(nullptr, MF_STRING, 1, u"x")},
      {"cascade of no menu", AppendMenu(menu, MF_POPUP, 12345, u"x")},
  };
  for (const Refused& test : refused) {
    SCOPED_TRACE(test.name);
    EXPECT_EQ(test.result, FALSE);
  }
  EXPECT_EQ(idsOf(menu), (std::vector<UINT>{10, 25, 30}));
  EXPECT_EQ(GetMenuItemID(menu, -1), kMissing);
  EXPECT_EQ(GetMenuItemID(menu, 3), kMissing);
  EXPECT_EQ(GetMenuItemCount(nullptr), -1);
  DestroyMenu(menu);
}

TEST(Menu, CommandsTravelAsSixteenBitWords) {
  TestDriver driver;
  HMENU menu = CreatePopupMenu();
  // A negative number ID of the framework arrives sign-extended; the entry keeps its low word.
  AppendMenu(menu, MF_STRING, static_cast<UINT_PTR>(static_cast<std::intptr_t>(-5)), u"Minus five");
  EXPECT_EQ(GetMenuItemID(menu, 0), 0xFFFBu);
  EXPECT_NE(GetMenuState(menu, static_cast<UINT>(-5), MF_BYCOMMAND), kMissing);
  DestroyMenu(menu);
}

TEST(Menu, StatesChangeAndAnswerWhatTheyWere) {
  TestDriver driver;
  HMENU menu = CreatePopupMenu();
  AppendMenu(menu, MF_STRING, 1, u"One");
  AppendMenu(menu, MF_STRING | MF_GRAYED | MF_CHECKED, 2, u"Two");
  struct Step {
    const char* name;
    UINT answer;
    UINT expected;
  };
  const Step steps[] = {
      {"grey one by position", static_cast<UINT>(EnableMenuItem(menu, 0, MF_BYPOSITION | MF_GRAYED)),
       MF_ENABLED},
      {"grey one again", static_cast<UINT>(EnableMenuItem(menu, 1, MF_BYCOMMAND | MF_GRAYED)), MF_GRAYED},
      {"enable two", static_cast<UINT>(EnableMenuItem(menu, 2, MF_BYCOMMAND | MF_ENABLED)), MF_GRAYED},
      {"disable two", static_cast<UINT>(EnableMenuItem(menu, 2, MF_BYCOMMAND | MF_DISABLED)), MF_ENABLED},
      {"uncheck two", CheckMenuItem(menu, 2, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED},
      {"check one", CheckMenuItem(menu, 0, MF_BYPOSITION | MF_CHECKED), MF_UNCHECKED},
      {"enable a missing entry", static_cast<UINT>(EnableMenuItem(menu, 9, MF_BYCOMMAND)), kMissing},
      {"check a missing entry", CheckMenuItem(menu, 2, MF_BYPOSITION | MF_CHECKED), kMissing},
      {"state of one", GetMenuState(menu, 1, MF_BYCOMMAND), MF_GRAYED | MF_CHECKED},
      {"state of two", GetMenuState(menu, 1, MF_BYPOSITION), MF_DISABLED},
      {"state of a missing entry", GetMenuState(menu, 7, MF_BYCOMMAND), kMissing},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    EXPECT_EQ(step.answer, step.expected);
  }
  DestroyMenu(menu);
}

TEST(Menu, CommandSearchReachesCascadesWhoseCommandIsTheirHandle) {
  MenuScene scene;
  EXPECT_EQ(GetSubMenu(scene.bar, 0), scene.file);
  EXPECT_EQ(GetSubMenu(scene.file, 3), scene.recent);
  EXPECT_EQ(GetSubMenu(scene.file, 0), nullptr);
  EXPECT_EQ(GetMenuItemID(scene.file, 3), kMissing);
  // The bar finds commands two levels down.
  EXPECT_EQ(CheckMenuItem(scene.bar, kFileB, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
  EXPECT_EQ(GetMenuState(scene.recent, 1, MF_BYPOSITION), MF_CHECKED);
  // A cascade's state carries its entry count in the high byte.
  EXPECT_EQ(GetMenuState(scene.file, 3, MF_BYPOSITION), MF_POPUP | (2u << 8));
  // Removing by command with the cascade's handle takes the entry out and keeps the submenu.
  EXPECT_NE(RemoveMenu(scene.file, static_cast<UINT>(handleId(scene.recent)), MF_BYCOMMAND), FALSE);
  EXPECT_EQ(GetMenuItemCount(scene.file), 4);
  EXPECT_NE(IsMenu(scene.recent), FALSE);
}

TEST(Menu, DeleteDestroysTheCascadeAndDestroyTakesEverythingBelow) {
  TestDriver driver;
  HMENU top = CreatePopupMenu();
  HMENU middle = CreatePopupMenu();
  HMENU bottom = CreatePopupMenu();
  AppendMenu(middle, MF_POPUP, handleId(bottom), u"Bottom");
  AppendMenu(top, MF_POPUP, handleId(middle), u"Middle");
  HMENU kept = CreatePopupMenu();
  AppendMenu(top, MF_POPUP, handleId(kept), u"Kept");
  EXPECT_NE(DeleteMenu(top, 1, MF_BYPOSITION), FALSE);
  EXPECT_EQ(IsMenu(kept), FALSE);
  EXPECT_NE(DestroyMenu(top), FALSE);
  for (HMENU gone : {top, middle, bottom}) {
    EXPECT_EQ(IsMenu(gone), FALSE);
    EXPECT_EQ(AppendMenu(gone, MF_STRING, 1, u"x"), FALSE);
  }
  EXPECT_EQ(DestroyMenu(top), FALSE);
}

TEST(Menu, CascadeThatWouldLoopBackIsRefused) {
  TestDriver driver;
  HMENU outer = CreatePopupMenu();
  HMENU inner = CreatePopupMenu();
  ASSERT_NE(AppendMenu(outer, MF_POPUP, handleId(inner), u"Inner"), FALSE);
  EXPECT_EQ(AppendMenu(outer, MF_POPUP, handleId(outer), u"Itself"), FALSE);
  EXPECT_EQ(AppendMenu(inner, MF_POPUP, handleId(outer), u"Outer"), FALSE);
  AppendMenu(inner, MF_STRING, 7, u"Seven");
  EXPECT_EQ(ModifyMenu(inner, 7, MF_BYCOMMAND | MF_POPUP, handleId(outer), u"Outer"), FALSE);
  EXPECT_EQ(GetMenuItemID(inner, 0), 7u);
  // Found by command through `outer`, the entry would go into `inner`: a cascade holding `inner` may not.
  HMENU holder = CreatePopupMenu();
  AppendMenu(holder, MF_POPUP, handleId(inner), u"Inner again");
  EXPECT_EQ(InsertMenu(outer, 7, MF_BYCOMMAND | MF_POPUP, handleId(holder), u"Holder"), FALSE);
  EXPECT_EQ(GetMenuItemCount(inner), 1);
  DestroyMenu(holder);
  DestroyMenu(outer);
}

TEST(MenuLayout, MnemonicIsTheCharacterAfterASingleAmpersand) {
  struct Case {
    const char16_t* text;
    char16_t expected;
  };
  const Case cases[] = {
      {u"&File", u'F'},    {u"E&xit", u'X'}, {u"Fish && &Chips", u'C'}, {u"&&Both", 0},
      {u"Trailing&", 0},   {u"None", 0},     {u"&1 recent", u'1'},      {u"", 0},
      {u"&&&Gamma", u'G'}, {u"a&b&c", u'B'},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(std::string(test.text, test.text + std::char_traits<char16_t>::length(test.text)));
    EXPECT_EQ(MenuLayout::mnemonicOf(test.text), test.expected);
  }
}

TEST(MenuLayout, TabSeparatesTheHotKeyText) {
  auto [label, hotKey] = MenuLayout::splitAtTab(u"&Open...\tCtrl+O");
  EXPECT_EQ(label, u"&Open...");
  EXPECT_EQ(hotKey, u"Ctrl+O");
  auto [plain, none] = MenuLayout::splitAtTab(u"Plain");
  EXPECT_EQ(plain, u"Plain");
  EXPECT_TRUE(none.empty());
}

TEST(MenuBar, FrameMakesRoomForTheBarAndHitTestsIt) {
  TestDriver driver;
  MessageSpy spy;
  HWND frame = spy.createTopLevel(RECT{50, 50, 450, 350});
  RECT before{};
  GetClientRect(frame, &before);
  HMENU bar = CreateMenu();
  AppendMenu(bar, MF_STRING, 5, u"&Go");
  ASSERT_NE(SetMenu(frame, bar), FALSE);
  EXPECT_EQ(GetMenu(frame), bar);
  RECT with{};
  GetClientRect(frame, &with);
  EXPECT_EQ(with.bottom, before.bottom - GetSystemMetrics(SM_CYMENU));
  POINT clientTop{0, 0};
  ClientToScreen(frame, &clientTop);
  EXPECT_EQ(SendMessage(frame, WM_NCHITTEST, 0, MAKELPARAM(clientTop.x + 5, clientTop.y - 3)), HTMENU);
  EXPECT_EQ(SendMessage(frame, WM_NCHITTEST, 0, MAKELPARAM(clientTop.x + 5, clientTop.y + 3)), HTCLIENT);
  driver.pumpUntilIdle();
  EXPECT_EQ(driver.pixel(clientTop.x + 200, clientTop.y - 3), GetSysColor(COLOR_MENU));

  ASSERT_NE(SetMenu(frame, nullptr), FALSE);
  RECT after{};
  GetClientRect(frame, &after);
  EXPECT_EQ(after.bottom, before.bottom);
  EXPECT_EQ(GetMenu(frame), nullptr);
  // A menu that is destroyed no longer takes room.
  SetMenu(frame, bar);
  DestroyMenu(bar);
  SetWindowPos(frame, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  GetClientRect(frame, &after);
  EXPECT_EQ(after.bottom, before.bottom);
}

TEST(MenuBar, ChildWindowsAndBadMenusAreRefused) {
  TestDriver driver;
  MessageSpy spy;
  HWND frame = spy.createTopLevel(RECT{50, 50, 450, 350});
  HWND child = spy.createChild(frame, RECT{0, 0, 50, 50});
  HMENU bar = CreateMenu();
  EXPECT_EQ(SetMenu(child, bar), FALSE);
  EXPECT_EQ(SetMenu(frame, reinterpret_cast<HMENU>(std::uintptr_t{0x1234})), FALSE);
  EXPECT_EQ(DrawMenuBar(child), FALSE);
  EXPECT_NE(DrawMenuBar(frame), FALSE);
  DestroyMenu(bar);
}

}  // namespace native::test
