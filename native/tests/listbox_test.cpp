#include <gtest/gtest.h>

#include <functional>

#include "native/tests/controlharness.h"

namespace native::test {

namespace {

const RECT kListRect{10, 10, 160, 110};
constexpr DWORD kNotifying = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;

HWND listWith(ControlHarness& h, DWORD style, int entries, const RECT& rect = kListRect) {
  HWND list = h.create(kListBoxClass, kNotifying | style, rect);
  for (int i = 0; i < entries; ++i) {
    std::u16string text = u"Entry " + std::u16string(1, static_cast<char16_t>(u'A' + i));
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  h.pump();
  return list;
}

RECT itemRect(HWND list, int index) {
  RECT rect{};
  SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

// Moves the pointer onto an entry's middle.
void pointAt(ControlHarness& h, HWND list, int index) {
  RECT rect = itemRect(list, index);
  POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ClientToScreen(list, &point);
  h.driver.mouseMove(point.x, point.y);
}

void clickItem(ControlHarness& h, HWND list, int index, const std::vector<UINT>& held = {}) {
  for (UINT key : held) {
    h.driver.keyDown(key);
  }
  pointAt(h, list, index);
  h.driver.mouseDown();
  h.driver.mouseUp();
  for (UINT key : held) {
    h.driver.keyUp(key);
  }
  h.pump();
}

void press(ControlHarness& h, UINT key, const std::vector<UINT>& held = {}) {
  for (UINT modifier : held) {
    h.driver.keyDown(modifier);
  }
  h.driver.pressKey(key);
  for (UINT modifier : held) {
    h.driver.keyUp(modifier);
  }
  h.pump();
}

std::vector<int> selectedItems(HWND list) {
  std::vector<int> indices(static_cast<std::size_t>(SendMessage(list, LB_GETCOUNT, 0, 0)));
  auto count = SendMessage(list, LB_GETSELITEMS, indices.size(), reinterpret_cast<LPARAM>(indices.data()));
  indices.resize(static_cast<std::size_t>(std::max<LRESULT>(count, 0)));
  return indices;
}

std::u16string textOf(HWND list, int index) {
  std::u16string text(static_cast<std::size_t>(SendMessage(list, LB_GETTEXTLEN, index, 0)) + 1, u'\0');
  text.resize(
      static_cast<std::size_t>(SendMessage(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

}  // namespace

TEST(ListBoxControl, AddSortsInsertPlacesAndDeleteAnswersWhatRemains) {
  ControlHarness h;
  HWND list = h.create(kListBoxClass, kNotifying | LBS_SORT, kListRect);
  for (const char16_t* text : {u"pear", u"Apple", u"fig"}) {
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  EXPECT_EQ(SendMessage(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"zz")), 3);
  EXPECT_EQ(SendMessage(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"first")), 0)
      << "an explicit index is not sorted";
  EXPECT_EQ(SendMessage(list, LB_INSERTSTRING, 9, reinterpret_cast<LPARAM>(u"far")), LB_ERR);
  const char16_t* expected[] = {u"first", u"Apple", u"fig", u"pear", u"zz"};
  ASSERT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(textOf(list, i), expected[i]);
  }
  EXPECT_EQ(SendMessage(list, LB_GETTEXTLEN, 5, 0), LB_ERR);
  EXPECT_EQ(SendMessage(list, LB_DELETESTRING, 1, 0), 4);
  EXPECT_EQ(textOf(list, 1), u"fig");
  EXPECT_EQ(SendMessage(list, LB_DELETESTRING, 4, 0), LB_ERR);
  EXPECT_EQ(SendMessage(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(u"PEAR")),
            2);
  SendMessage(list, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 0);
  EXPECT_TRUE(h.notifications(list).empty()) << "changes by message are not told";
}

TEST(ListBoxControl, ItemDataStaysWithItsEntry) {
  ControlHarness h;
  HWND list = listWith(h, 0, 3);
  SendMessage(list, LB_SETITEMDATA, 1, 0xBEEF);
  SendMessage(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"new"));
  EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, 2, 0), 0xBEEF);
  EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, 0, 0), 0);
  EXPECT_EQ(SendMessage(list, LB_SETITEMDATA, 7, 1), LB_ERR);
  EXPECT_EQ(SendMessage(list, LB_GETITEMDATA, 7, 0), LB_ERR);
}

TEST(ListBoxControl, SingleSelectionClickNotifiesOnlyOnChangeAndDoubleClickTells) {
  ControlHarness h;
  HWND list = listWith(h, 0, 4);
  SendMessage(list, LB_SETCURSEL, 1, 0);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessage(list, LB_SETSEL, TRUE, 2), LB_ERR) << "LB_SETSEL is for multiple selection";
  h.spy.clear();
  clickItem(h, list, 2);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(SendMessage(list, LB_GETSEL, 1, 0), 0);
  EXPECT_EQ(SendMessage(list, LB_GETCARETINDEX, 0, 0), 2);
  EXPECT_EQ(h.notifications(list), (std::vector<WORD>{LBN_SETFOCUS, LBN_SELCHANGE}));
  h.spy.clear();
  h.driver.advanceClock(2000);  // too late for a double click
  clickItem(h, list, 2);
  EXPECT_TRUE(h.notifications(list).empty()) << "the same entry again changes nothing";
  h.driver.advanceClock(2000);
  RECT rect = itemRect(list, 3);
  POINT point{rect.left + 5, rect.top + 2};
  ClientToScreen(list, &point);
  h.driver.doubleClick(point.x, point.y);
  h.pump();
  EXPECT_EQ(h.notifications(list), (std::vector<WORD>{LBN_SELCHANGE, LBN_DBLCLK}));
  EXPECT_EQ(SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0), LB_ERR);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR) << "-1 clears the selection";
}

TEST(ListBoxControl, WithoutNotifyStyleOnlyFocusIsTold) {
  ControlHarness h;
  HWND list = h.create(kListBoxClass, LBS_NOINTEGRALHEIGHT, kListRect);
  SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"one"));
  SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"two"));
  h.pump();
  clickItem(h, list, 1);
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
  SetFocus(h.parent);
  EXPECT_EQ(h.notifications(list), (std::vector<WORD>{LBN_SETFOCUS, LBN_KILLFOCUS}));
}

TEST(ListBoxControl, MultipleSelectionClicksToggle) {
  ControlHarness h;
  HWND list = listWith(h, LBS_MULTIPLESEL, 5);
  EXPECT_EQ(SendMessage(list, LB_SETCURSEL, 1, 0), LB_ERR);
  SendMessage(list, LB_SETSEL, TRUE, 4);
  clickItem(h, list, 2);
  clickItem(h, list, 0);
  EXPECT_EQ(selectedItems(list), (std::vector<int>{0, 2, 4})) << "ascending, whatever the order of clicks";
  clickItem(h, list, 2);
  EXPECT_EQ(selectedItems(list), (std::vector<int>{0, 4}));
  EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessage(list, LB_GETCARETINDEX, 0, 0), 2);
  std::vector<WORD> changes;
  for (WORD code : h.notifications(list)) {
    if (code == LBN_SELCHANGE) {
      changes.push_back(code);
    }
  }
  EXPECT_EQ(changes.size(), 3u) << "one per click, none for LB_SETSEL";
  int two[2] = {-1, -1};
  EXPECT_EQ(SendMessage(list, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(two)), 1);
  EXPECT_EQ(two[1], -1) << "no more than the buffer holds";
  SendMessage(list, LB_SETSEL, FALSE, static_cast<LPARAM>(-1));
  EXPECT_EQ(SendMessage(list, LB_GETSELCOUNT, 0, 0), 0);
}

TEST(ListBoxControl, ExtendedSelectionFollowsShiftAndCtrl) {
  struct Step {
    const char* what;
    int index;
    std::vector<UINT> held;
    std::vector<int> selected;
  };
  const std::vector<Step> steps = {
      {"a click selects one", 1, {}, {1}},
      {"shift extends from the anchor", 3, {VK_SHIFT}, {1, 2, 3}},
      {"shift again re-extends from the same anchor", 0, {VK_SHIFT}, {0, 1}},
      {"ctrl toggles one and moves the anchor", 4, {VK_CONTROL}, {0, 1, 4}},
      {"ctrl toggles off", 0, {VK_CONTROL}, {1, 4}},
      {"ctrl and shift add the range to the anchor", 2, {VK_CONTROL, VK_SHIFT}, {0, 1, 2, 4}},
      {"a plain click starts over", 3, {}, {3}},
  };
  ControlHarness h;
  HWND list = listWith(h, LBS_EXTENDEDSEL, 5);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    clickItem(h, list, step.index, step.held);
    EXPECT_EQ(selectedItems(list), step.selected);
    EXPECT_EQ(SendMessage(list, LB_GETCARETINDEX, 0, 0), step.index);
  }
}

TEST(ListBoxControl, KeysMoveTheSelectionOrTheCaret) {
  struct Step {
    const char* what;
    UINT key;
    std::vector<UINT> held;
    int caret;
    std::vector<int> selected;  // multiple-selection lists only
  };
  // Eight entries of which the 100-pixel list shows a few: the page keys move by what shows less one.
  ControlHarness h;
  HWND single = listWith(h, 0, 8);
  HWND multiple = listWith(h, LBS_MULTIPLESEL, 8, RECT{170, 10, 320, 110});
  HWND extended = listWith(h, LBS_EXTENDEDSEL, 8, RECT{10, 150, 160, 250});
  int page = 0;
  for (int i = 0; i < 8 && itemRect(single, i).bottom <= 100; ++i) {
    page = i;  // the number of whole entries shown, less one
  }
  ASSERT_GE(page, 1);

  SetFocus(single);
  const std::vector<Step> singleSteps = {
      {"down", VK_DOWN, {}, 1, {}}, {"page down", VK_NEXT, {}, 1 + page, {}},
      {"end", VK_END, {}, 7, {}},   {"down at the end stays", VK_DOWN, {}, 7, {}},
      {"home", VK_HOME, {}, 0, {}}, {"up at the start stays", VK_UP, {}, 0, {}},
  };
  for (const Step& step : singleSteps) {
    SCOPED_TRACE(step.what);
    h.spy.clear();
    int before = static_cast<int>(SendMessage(single, LB_GETCURSEL, 0, 0));
    press(h, step.key);
    EXPECT_EQ(SendMessage(single, LB_GETCURSEL, 0, 0), step.caret);
    EXPECT_EQ(h.notifications(single).size(), before == step.caret ? 0u : 1u);
  }
  EXPECT_EQ(SendMessage(single, LB_GETTOPINDEX, 0, 0), 0) << "home scrolled back to the top";

  SetFocus(multiple);
  const std::vector<Step> multipleSteps = {
      {"down moves the caret alone", VK_DOWN, {}, 1, {}},
      {"space toggles the caret's entry", VK_SPACE, {}, 1, {1}},
      {"down again", VK_DOWN, {}, 2, {1}},
      {"space again", VK_SPACE, {}, 2, {1, 2}},
      {"space toggles off", VK_SPACE, {}, 2, {1}},
  };
  for (const Step& step : multipleSteps) {
    SCOPED_TRACE(step.what);
    press(h, step.key);
    EXPECT_EQ(SendMessage(multiple, LB_GETCARETINDEX, 0, 0), step.caret);
    EXPECT_EQ(selectedItems(multiple), step.selected);
  }

  SetFocus(extended);
  const std::vector<Step> extendedSteps = {
      {"down selects the next alone", VK_DOWN, {}, 1, {1}},
      {"shift down extends", VK_DOWN, {VK_SHIFT}, 2, {1, 2}},
      {"shift end extends to the end", VK_END, {VK_SHIFT}, 7, {1, 2, 3, 4, 5, 6, 7}},
      {"ctrl up moves the caret alone", VK_UP, {VK_CONTROL}, 6, {1, 2, 3, 4, 5, 6, 7}},
      {"ctrl space toggles", VK_SPACE, {VK_CONTROL}, 6, {1, 2, 3, 4, 5, 7}},
      {"home selects the first alone", VK_HOME, {}, 0, {0}},
  };
  for (const Step& step : extendedSteps) {
    SCOPED_TRACE(step.what);
    press(h, step.key, step.held);
    EXPECT_EQ(SendMessage(extended, LB_GETCARETINDEX, 0, 0), step.caret);
    EXPECT_EQ(selectedItems(extended), step.selected);
  }
}

TEST(ListBoxControl, TopIndexItemRectsAndPointsAgree) {
  ControlHarness h;
  HWND list = listWith(h, WS_VSCROLL, 20);
  RECT first = itemRect(list, 0);
  int height = first.bottom - first.top;
  ASSERT_GT(height, 0);
  EXPECT_EQ(SendMessage(list, LB_GETITEMHEIGHT, 0, 0), height);
  EXPECT_EQ(SendMessage(list, LB_SETTOPINDEX, 5, 0), LB_OKAY);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 5);
  EXPECT_EQ(itemRect(list, 5).top, 0);
  EXPECT_EQ(itemRect(list, 3).top, -2 * height) << "entries above the top lie above the client area";
  EXPECT_EQ(SendMessage(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, height + 1)), MAKELONG(6, 0));
  EXPECT_EQ(HIWORD(SendMessage(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(5, 500))), 1) << "outside";
  EXPECT_EQ(SendMessage(list, LB_SETTOPINDEX, 20, 0), LB_ERR);
  SendMessage(list, LB_SETTOPINDEX, 19, 0);
  int top = static_cast<int>(SendMessage(list, LB_GETTOPINDEX, 0, 0));
  EXPECT_LT(top, 19) << "the top stops where the last entry reaches the bottom";
  EXPECT_LE(itemRect(list, 19).bottom, 100);
  EXPECT_EQ(GetScrollPos(list, SB_VERT), top);
  SendMessage(list, WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 0);
  SendMessage(list, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(SendMessage(list, LB_GETTOPINDEX, 0, 0), 1);
  SendMessage(list, LB_SETCARETINDEX, 15, FALSE);
  EXPECT_GE(SendMessage(list, LB_GETTOPINDEX, 0, 0), 15 - 100 / height + 1)
      << "the caret is brought into view";
}

TEST(ListBoxControl, ItemHeightAndIntegralHeight) {
  ControlHarness h;
  HWND list = h.create(kListBoxClass, LBS_NOTIFY, RECT{10, 10, 160, 113});
  int height = static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0));
  RECT client{};
  GetClientRect(list, &client);
  EXPECT_EQ(client.bottom % height, 0) << "without LBS_NOINTEGRALHEIGHT whole entries fill the list";
  EXPECT_EQ(SendMessage(list, LB_SETITEMHEIGHT, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessage(list, LB_SETITEMHEIGHT, 0, 256), LB_ERR);
  EXPECT_EQ(SendMessage(list, LB_SETITEMHEIGHT, 0, 30), LB_OKAY);
  EXPECT_EQ(SendMessage(list, LB_GETITEMHEIGHT, 0, 0), 30);
}

TEST(ListBoxControl, CaptureLostMidPressPutsTheSelectionBackWithSelCancel) {
  ControlHarness h;
  HWND list = listWith(h, 0, 4);
  SendMessage(list, LB_SETCURSEL, 0, 0);
  pointAt(h, list, 2);
  h.driver.mouseDown();
  h.pump();
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
  h.spy.clear();
  SetCapture(h.parent);
  h.driver.mouseUp();
  h.pump();
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(h.notifications(list), (std::vector<WORD>{LBN_SELCANCEL}));
  ReleaseCapture();
}

TEST(ListBoxControl, DraggingInASingleSelectionListFollowsThePointer) {
  ControlHarness h;
  HWND list = listWith(h, 0, 4);
  pointAt(h, list, 0);
  h.driver.mouseDown();
  pointAt(h, list, 2);
  h.pump();
  EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 2);
  h.driver.mouseUp();
  h.pump();
  int changes = 0;
  for (WORD code : h.notifications(list)) {
    changes += code == LBN_SELCHANGE ? 1 : 0;
  }
  EXPECT_EQ(changes, 1) << "told once, when the button goes up";
}

struct DrawnItem {
  UINT type;
  UINT id;
  int item;
  UINT action;
  UINT state;
  HWND window;
  RECT rect;
  ULONG_PTR data;
};

TEST(ListBoxControl, OwnerDrawnVariableListMeasuresAtInsertionAndDrawsWhatShows) {
  ControlHarness h;
  std::vector<MEASUREITEMSTRUCT> measured;
  std::vector<DrawnItem> drawn;
  h.spy.handler = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_MEASUREITEM) {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      measured.push_back(*measure);
      measure->itemHeight = static_cast<UINT>(measure->itemData);  // each object says its height
      return TRUE;
    }
    if (message == WM_DRAWITEM) {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      drawn.push_back(DrawnItem{draw->CtlType, draw->CtlID, static_cast<int>(draw->itemID), draw->itemAction,
                                draw->itemState, draw->hwndItem, draw->rcItem, draw->itemData});
      return TRUE;
    }
    return DefWindowProc(window, message, wParam, lParam);
  };
  HWND list = h.create(kListBoxClass, kNotifying | LBS_OWNERDRAWVARIABLE, kListRect, u"", 9);
  SetFocus(list);
  h.pump();
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back().item, -1) << "an empty list draws only its focus";
  EXPECT_EQ(drawn.back().action, static_cast<UINT>(ODA_FOCUS));
  EXPECT_EQ(drawn.back().state, static_cast<UINT>(ODS_FOCUS));

  // The data words stand for objects; here they are the heights the owner answers.
  const ULONG_PTR objects[] = {20, 30, 40, 50};
  for (ULONG_PTR object : objects) {
    SendMessage(list, LB_ADDSTRING, 0, static_cast<LPARAM>(object));
  }
  ASSERT_EQ(measured.size(), 4u);
  for (std::size_t i = 0; i < measured.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(measured[i].CtlType, static_cast<UINT>(ODT_LISTBOX));
    EXPECT_EQ(measured[i].CtlID, 9u);
    EXPECT_EQ(measured[i].itemID, i);
    EXPECT_EQ(measured[i].itemData, objects[i]);
  }
  EXPECT_EQ(SendMessage(list, LB_GETITEMHEIGHT, 2, 0), 40);
  EXPECT_EQ(SendMessage(list, LB_GETTEXTLEN, 0, 0), static_cast<LRESULT>(sizeof(ULONG_PTR)));
  ULONG_PTR copied = 0;
  SendMessage(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(&copied));
  EXPECT_EQ(copied, 30u) << "without strings the text is the data word";

  SendMessage(list, LB_SETCURSEL, 1, 0);
  drawn.clear();
  h.pump();
  // 20 + 30 + 40 pixels reach 90 of the list's 100: the fourth entry starts inside and is drawn too.
  ASSERT_EQ(drawn.size(), 4u);
  const struct {
    int top;
    UINT state;
  } expected[] = {{0, 0}, {20, ODS_SELECTED | ODS_FOCUS}, {50, 0}, {90, 0}};
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(drawn[i].type, static_cast<UINT>(ODT_LISTBOX));
    EXPECT_EQ(drawn[i].item, static_cast<int>(i));
    EXPECT_EQ(drawn[i].action, static_cast<UINT>(ODA_DRAWENTIRE));
    EXPECT_EQ(drawn[i].state, expected[i].state);
    EXPECT_EQ(drawn[i].window, list);
    EXPECT_EQ(drawn[i].rect.top, expected[i].top);
    EXPECT_EQ(drawn[i].data, objects[i]);
  }
  h.spy.handler = nullptr;
}

TEST(ListBoxControl, OwnerDrawnFixedListIsMeasuredOnceAtCreation) {
  ControlHarness h;
  int measures = 0;
  h.spy.handler = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_MEASUREITEM) {
      ++measures;
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 24;
      return TRUE;
    }
    return DefWindowProc(window, message, wParam, lParam);
  };
  HWND list = h.create(kListBoxClass, kNotifying | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, kListRect);
  SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"kept"));
  SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"strings"));
  EXPECT_EQ(measures, 1);
  EXPECT_EQ(SendMessage(list, LB_GETITEMHEIGHT, 0, 0), 24);
  EXPECT_EQ(textOf(list, 1), u"strings") << "LBS_HASSTRINGS keeps the texts";
  h.spy.handler = nullptr;
}

TEST(ListBoxControl, PaintingAsksTheParentForColours) {
  ControlHarness h;
  HBRUSH green = CreateSolidBrush(RGB(0, 160, 0));
  h.spy.handler = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_CTLCOLORLISTBOX) {
      return reinterpret_cast<LRESULT>(green);
    }
    return DefWindowProc(window, message, wParam, lParam);
  };
  HWND list = listWith(h, 0, 1);
  EXPECT_FALSE(h.spy.only({WM_CTLCOLORLISTBOX}).empty());
  EXPECT_EQ(h.driver.pixel(150, 100), RGB(0, 160, 0)) << "below the entries, the parent's brush";
  SendMessage(list, LB_SETCURSEL, 0, 0);
  h.pump();
  RECT entry = itemRect(list, 0);
  EXPECT_EQ(h.driver.pixel(10 + entry.right - 3, 10 + entry.top + 1), GetSysColor(COLOR_HIGHLIGHT));
  h.spy.handler = nullptr;
  DeleteObject(green);
}

}  // namespace native::test
