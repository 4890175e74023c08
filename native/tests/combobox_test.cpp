#include <gtest/gtest.h>

#include "native/controls/combobox.h"
#include "native/tests/controlharness.h"

namespace native::test {

namespace {

// 150 pixels asked for: the field, and the list below it when dropped.
const RECT kComboRect{10, 10, 160, 160};

HWND comboWith(ControlHarness& h, DWORD style, std::initializer_list<const char16_t*> entries,
               const RECT& rect = kComboRect) {
  HWND combo = h.create(kComboBoxClass, style, rect);
  for (const char16_t* text : entries) {
    SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  h.pump();
  return combo;
}

std::u16string fieldText(HWND combo) {
  std::u16string text(static_cast<std::size_t>(SendMessage(combo, WM_GETTEXTLENGTH, 0, 0)) + 1, u'\0');
  text.resize(static_cast<std::size_t>(
      SendMessage(combo, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

bool dropped(HWND combo) {
  return SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

// The visible top-most pop-up in front, the dropped list when there is one.
HWND droppedList(ControlHarness& h) {
  for (HWND window : h.driver.topLevelWindows()) {
    if (IsWindowVisible(window) != FALSE && (GetWindowLong(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
      return window;
    }
  }
  return nullptr;
}

void clickAt(ControlHarness& h, POINT point) {
  h.driver.click(point.x, point.y);
  h.pump();
}

// An entry's middle on the desktop.
POINT entryPoint(HWND list, int index) {
  RECT rect{};
  SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
  POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ClientToScreen(list, &point);
  return point;
}

int clientHeight(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return rect.bottom;
}

POINT buttonPoint(ControlHarness& h, HWND combo) {
  RECT rect = h.driver.screenRect(combo);
  return POINT{rect.right - ComboBox::kButtonWidth / 2 - 2, (rect.top + rect.bottom) / 2};
}

LRESULT passToClassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallWindowProc(reinterpret_cast<WNDPROC>(GetClassLong(window, GCL_WNDPROC)), window, message, wParam,
                        lParam);
}

}  // namespace

TEST(ComboBoxControl, DropDownHasAnEditFirstChildAndKeepsTheFieldHeight) {
  ControlHarness h;
  HWND combo = comboWith(h, CBS_DROPDOWN | CBS_AUTOHSCROLL, {});
  HWND edit = GetWindow(combo, GW_CHILD);
  ASSERT_NE(edit, nullptr);
  // A caller's subclass that passes everything to the class procedure keeps the combo box's keys.
  SetWindowLong(edit, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&passToClassProcedure));
  SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"only"));
  SetFocus(combo);
  h.driver.pressKey(VK_DOWN);
  h.pump();
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(fieldText(combo), u"only");
  EXPECT_NE(GetWindowLong(edit, GWL_STYLE) & ES_AUTOHSCROLL, 0);
  RECT rect = h.driver.screenRect(combo);
  EXPECT_LT(rect.bottom - rect.top, 40) << "the window is the field alone";
  SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  h.pump();
  HWND list = droppedList(h);
  ASSERT_NE(list, nullptr);
  RECT listRect = h.driver.screenRect(list);
  EXPECT_EQ(listRect.top, rect.bottom) << "the list hangs under the field";
  EXPECT_LE(listRect.bottom, 10 + 150) << "within the height the caller gave";
  EXPECT_EQ(h.driver.windowAt(listRect.left + 5, listRect.top + 5), list);
}

// The dropped list shows whole entries inside its border: as many as the height asked for holds, at least
// one and no more than there are.
TEST(ComboBoxControl, TheDroppedListHoldsWholeEntriesWithinTheHeightAskedFor) {
  ControlHarness h;
  const auto entries = {u"Heat 1", u"Heat 2", u"Heat 3", u"Heat 4", u"Heat 5", u"Heat 6"};
  // The field's height and the entries' height, measured once on a combo box of the usual height.
  HWND probe = comboWith(h, CBS_DROPDOWNLIST, entries);
  const int field = h.driver.screenRect(probe).bottom - h.driver.screenRect(probe).top;
  SendMessage(probe, CB_SHOWDROPDOWN, TRUE, 0);
  h.pump();
  HWND probeList = droppedList(h);
  ASSERT_NE(probeList, nullptr);
  const auto entry = static_cast<int>(SendMessage(probeList, LB_GETITEMHEIGHT, 0, 0));
  ASSERT_GT(entry, 0);
  SendMessage(probe, CB_SHOWDROPDOWN, FALSE, 0);
  DestroyWindow(probe);
  struct Case {
    const char* what;
    int count;
    int roomInTenths;  // the list's height asked for, borders included, in tenths of an entry
    int shown;
  } cases[] = {
      {"three entries, room for four and a half", 3, 45, 3},
      {"six entries, room for four and a half", 6, 45, 4},
      {"six entries, room for three and nine tenths", 6, 39, 3},
      {"six entries, room for half of one", 6, 5, 1},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    const int room = test.roomInTenths * entry / 10;
    HWND combo = comboWith(h, CBS_DROPDOWNLIST, {}, RECT{10, 10, 160, 10 + field + room});
    for (const char16_t* text : entries) {
      if (SendMessage(combo, CB_GETCOUNT, 0, 0) < test.count) {
        SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
      }
    }
    SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
    h.pump();
    HWND list = droppedList(h);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(clientHeight(list), test.shown * entry);
    const RECT outer = h.driver.screenRect(list);
    EXPECT_EQ(outer.bottom - outer.top, clientHeight(list) + 2) << "a one-pixel border above and below";
    SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
    DestroyWindow(combo);
  }
}

TEST(ComboBoxControl, EntryMessagesPassToTheListAndTheFieldFollowsTheSelection) {
  ControlHarness h;
  HWND combo = comboWith(h, CBS_DROPDOWNLIST | CBS_SORT, {u"Lane 3", u"lane 1", u"Lane 2"});
  EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessage(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"Last")),
            3);
  EXPECT_EQ(
      SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"LANE 2")),
      1);
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(fieldText(combo), u"");
  EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 2, 0), 2);
  EXPECT_EQ(fieldText(combo), u"Lane 3");
  EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 9, 0), CB_ERR);
  EXPECT_EQ(SendMessage(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"lane 1")), TRUE);
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendMessage(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"Lane 9")), CB_ERR);
  SendMessage(combo, CB_SETITEMDATA, 1, 42);
  EXPECT_EQ(SendMessage(combo, CB_GETITEMDATA, 1, 0), 42);
  EXPECT_EQ(SendMessage(combo, CB_GETLBTEXTLEN, 3, 0), 4);
  EXPECT_EQ(SendMessage(combo, CB_DELETESTRING, 3, 0), 3);
  EXPECT_EQ(SendMessage(combo, CB_LIMITTEXT, 5, 0), CB_ERR) << "no edit field to limit";
  SendMessage(combo, CB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(fieldText(combo), u"");
  EXPECT_TRUE(h.notifications(combo).empty()) << "nothing here was the user's doing";
}

TEST(ComboBoxControl, EditFieldTextAndEditChanges) {
  ControlHarness h;
  HWND combo = comboWith(h, CBS_DROPDOWN, {u"alpha", u"beta"});
  HWND edit = GetWindow(combo, GW_CHILD);
  SendMessage(combo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"free text"));
  EXPECT_EQ(fieldText(combo), u"free text");
  SendMessage(combo, CB_SETCURSEL, 1, 0);
  EXPECT_EQ(h.driver.text(edit), u"beta");
  EXPECT_TRUE(h.notifications(combo).empty()) << "no CBN_EDITCHANGE for text set by message";
  SendMessage(combo, CB_LIMITTEXT, 6, 0);
  SetFocus(combo);
  EXPECT_EQ(GetFocus(), edit) << "the combo box hands the focus to its edit field";
  SendMessage(combo, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
  h.driver.typeText(u"gamma-ray");
  h.pump();
  EXPECT_EQ(fieldText(combo), u"gamma-") << "the limit holds";
  std::vector<WORD> codes = h.notifications(combo);
  ASSERT_FALSE(codes.empty());
  EXPECT_EQ(codes.front(), CBN_SETFOCUS);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), CBN_EDITCHANGE), 6);
  SetFocus(h.parent);
  EXPECT_EQ(h.notifications(combo).back(), CBN_KILLFOCUS);
}

TEST(ComboBoxControl, DropDownOpensAndClosesEveryWay) {
  struct Way {
    const char* what;
    std::function<void(ControlHarness&, HWND)> open;
    std::function<void(ControlHarness&, HWND)> close;
    std::vector<WORD> expected;
  };
  auto f4 = [](ControlHarness& h, HWND) { h.driver.pressKey(VK_F4), h.pump(); };
  auto altDown = [](ControlHarness& h, HWND) {
    h.driver.keyDown(VK_MENU);
    h.driver.pressKey(VK_DOWN);
    h.driver.keyUp(VK_MENU);
    h.pump();
  };
  const std::vector<Way> ways = {
      {"F4 twice", f4, f4, {CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP}},
      {"Alt+Down twice", altDown, altDown, {CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP}},
      {"F4, then Escape",
       f4,
       [](ControlHarness& h, HWND) { h.driver.pressKey(VK_ESCAPE), h.pump(); },
       {CBN_DROPDOWN, CBN_CLOSEUP}},
      {"the button, then a click outside",
       [](ControlHarness& h, HWND c) { clickAt(h, buttonPoint(h, c)); },
       [](ControlHarness& h, HWND) {
         clickAt(h, POINT{350, 250});
       },
       {CBN_DROPDOWN, CBN_CLOSEUP}},
      {"the button twice",
       [](ControlHarness& h, HWND c) { clickAt(h, buttonPoint(h, c)); },
       [](ControlHarness& h, HWND c) { clickAt(h, buttonPoint(h, c)); },
       {CBN_DROPDOWN, CBN_CLOSEUP}},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.what);
    ControlHarness h;
    HWND combo = comboWith(h, CBS_DROPDOWN, {u"one", u"two"});
    SetFocus(combo);
    h.pump();
    h.spy.clear();
    way.open(h, combo);
    EXPECT_TRUE(dropped(combo));
    EXPECT_NE(droppedList(h), nullptr);
    way.close(h, combo);
    EXPECT_FALSE(dropped(combo));
    EXPECT_EQ(droppedList(h), nullptr);
    EXPECT_EQ(h.notifications(combo), way.expected);
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), CB_ERR) << "opening and closing chooses nothing";
  }
}

TEST(ComboBoxControl, ChoosingAnEntryWithTheMouseClosesTheListAndTells) {
  ControlHarness h;
  HWND combo = comboWith(h, CBS_DROPDOWNLIST, {u"100 m", u"200 m", u"400 m"});
  clickAt(h, h.centre(combo));
  ASSERT_TRUE(dropped(combo));
  HWND list = droppedList(h);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(GetFocus(), combo) << "the list never takes the focus";
  h.spy.clear();
  clickAt(h, entryPoint(list, 1));
  EXPECT_FALSE(dropped(combo));
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(fieldText(combo), u"200 m");
  EXPECT_EQ(h.notifications(combo), (std::vector<WORD>{CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
  h.spy.clear();
  clickAt(h, h.centre(combo));
  clickAt(h, entryPoint(droppedList(h), 1));
  EXPECT_EQ(h.notifications(combo), (std::vector<WORD>{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP}))
      << "the same entry again is no change";
}

TEST(ComboBoxControl, UpAndDownChangeTheSelectionWithSelChange) {
  for (DWORD type : {CBS_DROPDOWNLIST, CBS_DROPDOWN}) {
    SCOPED_TRACE(type);
    ControlHarness h;
    HWND combo = comboWith(h, type, {u"a", u"b", u"c"});
    SetFocus(combo);
    h.pump();
    h.spy.clear();
    const struct {
      UINT key;
      int selection;
    } steps[] = {{VK_DOWN, 0}, {VK_DOWN, 1}, {VK_DOWN, 2}, {VK_DOWN, 2}, {VK_UP, 1}};
    int changes = 0;
    for (const auto& step : steps) {
      h.driver.pressKey(step.key);
      h.pump();
      EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), step.selection);
      EXPECT_EQ(fieldText(combo), std::u16string(1, static_cast<char16_t>(u'a' + step.selection)));
    }
    for (WORD code : h.notifications(combo)) {
      changes += code == CBN_SELCHANGE ? 1 : 0;
    }
    EXPECT_EQ(changes, 4) << "not at the end, where nothing changed";
  }
}

TEST(ComboBoxControl, TypingAheadChoosesByFirstLetterOrMarksTheTypedEntry) {
  ControlHarness h;
  HWND list = comboWith(h, CBS_DROPDOWNLIST, {u"Anna", u"bert", u"Bob", u"carl"});
  SetFocus(list);
  h.pump();
  h.spy.clear();
  const struct {
    char16_t typed;
    int selection;
  } steps[] = {{u'b', 1}, {u'B', 2}, {u'b', 1}, {u'C', 3}, {u'z', 3}, {u'a', 0}};
  for (const auto& step : steps) {
    SCOPED_TRACE(static_cast<char>(step.typed));
    h.driver.typeText(std::u16string(1, step.typed));
    h.pump();
    EXPECT_EQ(SendMessage(list, CB_GETCURSEL, 0, 0), step.selection);
  }
  std::vector<WORD> codes = h.notifications(list);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), CBN_SELCHANGE), 5) << "none for a letter no entry has";

  HWND editable = comboWith(h, CBS_DROPDOWN, {u"Anna", u"bert", u"Bob"}, RECT{200, 10, 350, 160});
  SetFocus(editable);
  SendMessage(editable, CB_SHOWDROPDOWN, TRUE, 0);
  h.driver.typeText(u"bo");
  h.pump();
  EXPECT_EQ(SendMessage(editable, CB_GETCURSEL, 0, 0), 2) << "the open list marks the entry typed";
  EXPECT_EQ(fieldText(editable), u"bo") << "the typed text stays";
  EXPECT_TRUE(dropped(editable));
}

TEST(ComboBoxControl, OwnerDrawnComboMeasuresFieldAndEntriesAndDrawsAsTheComboBox) {
  ControlHarness h;
  std::vector<MEASUREITEMSTRUCT> measured;
  std::vector<DRAWITEMSTRUCT> drawn;
  h.spy.handler = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_MEASUREITEM) {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      measured.push_back(*measure);
      measure->itemHeight = measure->itemID == static_cast<UINT>(-1) ? 22 : 18;
      return TRUE;
    }
    if (message == WM_DRAWITEM) {
      drawn.push_back(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    }
    return DefWindowProc(window, message, wParam, lParam);
  };
  HWND combo =
      h.create(kComboBoxClass, CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | WS_VSCROLL, kComboRect, u"", 12);
  ASSERT_EQ(measured.size(), 1u);
  EXPECT_EQ(measured[0].itemID, static_cast<UINT>(-1)) << "the field is measured first";
  EXPECT_EQ(measured[0].CtlType, static_cast<UINT>(ODT_COMBOBOX));
  EXPECT_EQ(measured[0].CtlID, 12u);
  RECT client{};
  GetClientRect(combo, &client);
  EXPECT_EQ(client.bottom, 22 + 2 * ComboBox::kFieldPadding);
  const ULONG_PTR objects[] = {0x1000, 0x2000};
  for (ULONG_PTR object : objects) {
    SendMessage(combo, CB_ADDSTRING, 0, static_cast<LPARAM>(object));
  }
  ASSERT_EQ(measured.size(), 3u);
  EXPECT_EQ(measured[2].itemID, 1u);
  EXPECT_EQ(measured[2].itemData, objects[1]);
  EXPECT_EQ(measured[2].CtlType, static_cast<UINT>(ODT_COMBOBOX));
  SendMessage(combo, CB_SETCURSEL, 1, 0);
  drawn.clear();
  h.pump();
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back().itemID, 1u) << "the field draws the chosen entry";
  EXPECT_EQ(drawn.back().itemData, objects[1]);
  EXPECT_NE(drawn.back().itemState & ODS_COMBOBOXEDIT, 0u);
  EXPECT_EQ(drawn.back().hwndItem, combo);
  drawn.clear();
  SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  h.pump();
  std::vector<UINT> entries;
  for (const DRAWITEMSTRUCT& draw : drawn) {
    if ((draw.itemState & ODS_COMBOBOXEDIT) == 0) {
      EXPECT_EQ(draw.hwndItem, combo);
      EXPECT_EQ(draw.CtlType, static_cast<UINT>(ODT_COMBOBOX));
      entries.push_back(draw.itemID);
    }
  }
  EXPECT_EQ(entries, (std::vector<UINT>{0, 1}));
  SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
  h.spy.handler = nullptr;
}

TEST(ComboBoxControl, PartsAskTheComboBoxForColours) {
  ControlHarness h;
  HWND combo = comboWith(h, CBS_DROPDOWN, {u"x"});
  HWND edit = GetWindow(combo, GW_CHILD);
  std::vector<std::pair<UINT, HWND>> asked;
  WNDPROC original = nullptr;
  static std::vector<std::pair<UINT, HWND>>* record = nullptr;
  static WNDPROC previous = nullptr;
  record = &asked;
  // Subclass the combo box as a caller would, to see what reaches it.
  original = reinterpret_cast<WNDPROC>(SetWindowLong(
      combo, GWL_WNDPROC,
      reinterpret_cast<LONG_PTR>(+[](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) {
          record->emplace_back(message, reinterpret_cast<HWND>(lParam));
        }
        return CallWindowProc(previous, window, message, wParam, lParam);
      })));
  previous = original;
  InvalidateRect(edit, nullptr, TRUE);
  SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  h.pump();
  HWND list = droppedList(h);
  bool editAsked = false;
  bool listAsked = false;
  for (const auto& [message, from] : asked) {
    editAsked |= message == WM_CTLCOLOREDIT && from == edit;
    listAsked |= message == WM_CTLCOLORLISTBOX && from == list;
  }
  EXPECT_TRUE(editAsked);
  EXPECT_TRUE(listAsked);
  SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
  SetWindowLong(combo, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(original));
  EXPECT_FALSE(h.spy.only({WM_CTLCOLORLISTBOX}).empty()) << "and the combo box asks its own parent";
}

TEST(ComboBoxControl, SimpleComboShowsItsListAndAClickChoosesAtOnce) {
  ControlHarness h;
  HWND combo = comboWith(h, CBS_SIMPLE, {u"red", u"green"});
  HWND edit = GetWindow(combo, GW_CHILD);
  HWND list = GetWindow(edit, GW_HWNDNEXT);
  ASSERT_NE(list, nullptr);
  EXPECT_NE(IsWindowVisible(list), FALSE);
  h.spy.clear();
  clickAt(h, entryPoint(list, 1));
  EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(fieldText(combo), u"green");
  EXPECT_EQ(h.notifications(combo), (std::vector<WORD>{CBN_SELCHANGE}));
  EXPECT_EQ(SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0), TRUE);
  EXPECT_FALSE(dropped(combo)) << "a simple combo box has nothing to drop";
}

TEST(ComboBoxControl, FontSetsTheFieldHeightAndReachesTheParts) {
  ControlHarness h;
  HWND combo = comboWith(h, CBS_DROPDOWN, {u"a"});
  HWND edit = GetWindow(combo, GW_CHILD);
  int before = clientHeight(combo);
  HFONT large = CreateFont(-28, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, u"Helvetica");
  SendMessage(combo, WM_SETFONT, reinterpret_cast<WPARAM>(large), TRUE);
  EXPECT_GT(clientHeight(combo), before + 10);
  EXPECT_EQ(SendMessage(combo, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(large));
  EXPECT_EQ(SendMessage(edit, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(large));
  SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_EQ(SendMessage(droppedList(h), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(large));
  SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
  DestroyWindow(combo);
  DeleteObject(large);
}

TEST(ComboBoxControl, DestroyingTheComboBoxTakesItsDroppedList) {
  ControlHarness h;
  HWND combo = comboWith(h, CBS_DROPDOWNLIST, {u"a"});
  SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  h.pump();
  HWND list = droppedList(h);
  ASSERT_NE(list, nullptr);
  h.spy.clear();
  DestroyWindow(combo);
  EXPECT_FALSE(IsWindow(list));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(h.notifications(combo), (std::vector<WORD>{CBN_CLOSEUP})) << "the owner hears the list closed";
}

}  // namespace native::test
