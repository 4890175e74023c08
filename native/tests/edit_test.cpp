#include <gtest/gtest.h>

#include "native/tests/controlharness.h"

namespace native::test {

namespace {

constexpr RECT kFieldRect{10, 10, 210, 34};

struct Selection {
  DWORD start;
  DWORD end;
  bool operator==(const Selection&) const = default;
};

Selection selectionOf(HWND edit) {
  Selection selection{};
  SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selection.start),
              reinterpret_cast<LPARAM>(&selection.end));
  return selection;
}

void chord(ControlHarness& h, UINT modifier, UINT key) {
  h.driver.keyDown(modifier);
  h.driver.pressKey(key);
  h.driver.keyUp(modifier);
  h.pump();
}

void type(ControlHarness& h, std::u16string_view text) {
  ASSERT_TRUE(h.driver.typeText(text));
  h.pump();
}

std::size_t count(const std::vector<WORD>& codes, WORD code) {
  return static_cast<std::size_t>(std::count(codes.begin(), codes.end(), code));
}

// The width DEFAULT_GUI_FONT gives a text, as the edit control measures it.
int textWidth(std::u16string_view text) {
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32(dc, text.data(), static_cast<int>(text.size()), &size);
  DeleteDC(dc);
  return size.cx;
}

HWND focusedField(ControlHarness& h, DWORD style = 0, LPCWSTR text = u"") {
  HWND edit = h.create(kEditClass, style, kFieldRect, text);
  SetFocus(edit);
  h.pump();
  h.spy.clear();
  return edit;
}

}  // namespace

TEST(EditControl, EveryTypedCharacterAndSetTextSendEnChange) {
  ControlHarness h;
  HWND edit = focusedField(h);
  type(h, u"abc");
  EXPECT_EQ(h.text(edit), u"abc");
  EXPECT_EQ(count(h.notifications(edit), EN_CHANGE), 3u);
  EXPECT_EQ(SendMessage(edit, EM_GETMODIFY, 0, 0), TRUE);
  h.spy.clear();
  SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"new"));
  EXPECT_EQ(h.notifications(edit), std::vector<WORD>{EN_CHANGE});
  EXPECT_EQ(SendMessage(edit, EM_GETMODIFY, 0, 0), FALSE) << "set by the program, not modified";
  EXPECT_EQ(SendMessage(edit, WM_GETTEXTLENGTH, 0, 0), 3);
}

TEST(EditControl, FocusNotificationsReachTheParent) {
  ControlHarness h;
  HWND edit = h.create(kEditClass, 0, kFieldRect);
  SetFocus(edit);
  SetFocus(h.parent);
  h.pump();
  EXPECT_EQ(h.notifications(edit), (std::vector<WORD>{EN_SETFOCUS, EN_KILLFOCUS}));
}

TEST(EditControl, LimitStopsTypingAndPastingWithEnMaxText) {
  ControlHarness h;
  HWND edit = focusedField(h);
  SendMessage(edit, EM_LIMITTEXT, 5, 0);
  type(h, u"abcdefg");
  EXPECT_EQ(h.text(edit), u"abcde");
  std::vector<WORD> codes = h.notifications(edit);
  EXPECT_EQ(count(codes, EN_CHANGE), 5u);
  EXPECT_EQ(count(codes, EN_MAXTEXT), 2u);

  SendMessage(edit, EM_SETSEL, 3, 5);
  SendMessage(edit, WM_COPY, 0, 0);  // "de"
  SendMessage(edit, EM_SETSEL, 0, 1);
  h.spy.clear();
  SendMessage(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(h.text(edit), u"dbcde") << "the selection made room for one pasted character";
  EXPECT_EQ(h.notifications(edit), (std::vector<WORD>{EN_MAXTEXT, EN_CHANGE}));
}

TEST(EditControl, ShiftExtendsTheSelectionWithArrowsWordsAndHome) {
  ControlHarness h;
  HWND edit = focusedField(h, 0, u"hello big world");
  SendMessage(edit, EM_SETSEL, 15, 15);
  struct Step {
    const char* name;
    UINT modifier;
    UINT key;
    Selection expected;
  };
  const Step steps[] = {
      {"Shift+Left", VK_SHIFT, VK_LEFT, {14, 15}},
      {"Left collapses", 0, VK_LEFT, {14, 14}},
      {"Home", 0, VK_HOME, {0, 0}},
      {"Shift+End", VK_SHIFT, VK_END, {0, 15}},
      {"Right collapses to the end", 0, VK_RIGHT, {15, 15}},
      {"Ctrl+Left to the word start", VK_CONTROL, VK_LEFT, {10, 10}},
      {"Ctrl+Left again", VK_CONTROL, VK_LEFT, {6, 6}},
      {"Ctrl+Right", VK_CONTROL, VK_RIGHT, {10, 10}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    if (step.modifier != 0) {
      chord(h, step.modifier, step.key);
    } else {
      h.driver.pressKey(step.key);
      h.pump();
    }
    EXPECT_EQ(selectionOf(edit), step.expected);
  }
  h.driver.keyDown(VK_SHIFT);
  h.driver.keyDown(VK_CONTROL);
  h.driver.pressKey(VK_LEFT);
  h.driver.keyUp(VK_CONTROL);
  h.driver.keyUp(VK_SHIFT);
  h.pump();
  EXPECT_EQ(selectionOf(edit), (Selection{6, 10})) << "Ctrl+Shift+Left selects a word back";
}

TEST(EditControl, SetSelectionMessageEdges) {
  ControlHarness h;
  HWND edit = h.create(kEditClass, 0, kFieldRect, u"abcdef");
  struct Case {
    long long start;
    long long end;
    Selection expected;
  };
  const Case cases[] = {{0, -1, {0, 6}}, {2, 4, {2, 4}}, {4, 2, {2, 4}}, {3, 99, {3, 6}}, {-1, 0, {6, 6}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(c.start), static_cast<LPARAM>(c.end));
    EXPECT_EQ(selectionOf(edit), c.expected);
  }
  EXPECT_EQ(SendMessage(edit, EM_GETSEL, 0, 0), MAKELRESULT(6, 6));
}

TEST(EditControl, BackspaceDeleteAndReplaceSelection) {
  ControlHarness h;
  HWND edit = focusedField(h, 0, u"abcd");
  SendMessage(edit, EM_SETSEL, 2, 2);
  h.driver.pressKey(VK_BACK);
  h.driver.pressKey(VK_DELETE);
  h.pump();
  EXPECT_EQ(h.text(edit), u"ad");
  SendMessage(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(u"XY"));
  EXPECT_EQ(h.text(edit), u"aXYd");
  EXPECT_EQ(selectionOf(edit), (Selection{3, 3}));
  EXPECT_EQ(count(h.notifications(edit), EN_CHANGE), 3u);
}

TEST(EditControl, MouseClickDragAndDoubleClickSelect) {
  ControlHarness h;
  HWND edit = h.create(kEditClass, 0, kFieldRect, u"alpha beta");
  int textLeft = kFieldRect.left;  // a borderless field shows its text from its left edge
  int y = kFieldRect.top + 8;
  int afterAlpha = textLeft + textWidth(u"alpha");
  h.driver.mouseMove(textLeft, y);
  h.driver.mouseDown();
  h.driver.mouseMove(afterAlpha, y);
  h.driver.mouseUp();
  h.pump();
  EXPECT_EQ(GetFocus(), edit) << "a click focuses the field";
  EXPECT_EQ(selectionOf(edit), (Selection{0, 5}));
  EXPECT_EQ(GetCapture(), nullptr);

  int insideBeta = textLeft + textWidth(u"alpha be");
  h.driver.doubleClick(insideBeta, y);
  h.pump();
  EXPECT_EQ(selectionOf(edit), (Selection{6, 10}));

  h.driver.keyDown(VK_SHIFT);
  h.driver.click(textLeft, y);
  h.driver.keyUp(VK_SHIFT);
  h.pump();
  EXPECT_EQ(selectionOf(edit), (Selection{0, 6})) << "Shift+click extends from the anchor";
}

TEST(EditControl, CutCopyPasteRoundTripThroughTheClipboard) {
  ControlHarness h;
  HWND edit = focusedField(h, 0, u"hello world");
  SendMessage(edit, EM_SETSEL, 6, 11);
  chord(h, VK_CONTROL, 'X');
  EXPECT_EQ(h.text(edit), u"hello ");
  ASSERT_EQ(OpenClipboard(nullptr), TRUE);
  auto* held = static_cast<const char*>(GlobalLock(GetClipboardData(CF_TEXT)));
  ASSERT_NE(held, nullptr);
  EXPECT_STREQ(held, "world") << "offered as 8-bit text too";
  GlobalUnlock(GetClipboardData(CF_TEXT));
  CloseClipboard();

  chord(h, VK_CONTROL, VK_HOME);
  chord(h, VK_CONTROL, 'V');
  EXPECT_EQ(h.text(edit), u"worldhello ");
  chord(h, VK_CONTROL, 'A');
  chord(h, VK_CONTROL, 'C');
  SendMessage(edit, WM_CLEAR, 0, 0);
  EXPECT_EQ(h.text(edit), u"");
  SendMessage(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(h.text(edit), u"worldhello ");
}

TEST(EditControl, ReadOnlyRefusesChangesButCopies) {
  ControlHarness h;
  HWND edit = focusedField(h, ES_READONLY, u"fixed");
  type(h, u"x");
  SendMessage(edit, EM_SETSEL, 0, -1);
  chord(h, VK_CONTROL, 'X');
  EXPECT_EQ(h.text(edit), u"fixed");
  EXPECT_TRUE(h.notifications(edit).empty());
  SendMessage(edit, EM_SETSEL, 1, 3);
  SendMessage(edit, WM_COPY, 0, 0);
  SendMessage(edit, EM_SETREADONLY, FALSE, 0);
  SendMessage(edit, EM_SETSEL, 0, 0);
  SendMessage(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(h.text(edit), u"ixfixed");
}

TEST(EditControl, PasswordShowsMasksAndNeverCopies) {
  ControlHarness h;
  HWND edit = focusedField(h, ES_PASSWORD, u"secret");
  ASSERT_EQ(OpenClipboard(nullptr), TRUE);
  EmptyClipboard();
  CloseClipboard();
  SendMessage(edit, EM_SETSEL, 0, -1);
  SendMessage(edit, WM_COPY, 0, 0);
  SendMessage(edit, WM_CUT, 0, 0);
  EXPECT_EQ(IsClipboardFormatAvailable(CF_UNICODETEXT), FALSE);
  EXPECT_EQ(h.text(edit), u"secret");
}

TEST(EditControl, CaseStylesFoldTypedText) {
  struct Case {
    DWORD style;
    std::u16string typed;
    std::u16string kept;
  };
  const Case cases[] = {{ES_UPPERCASE, u"Ab1", u"AB1"}, {ES_LOWERCASE, u"Ab1", u"ab1"}, {0, u"Ab1", u"Ab1"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.style);
    ControlHarness h;
    HWND edit = focusedField(h, c.style);
    type(h, c.typed);
    EXPECT_EQ(h.text(edit), c.kept);
  }
}

TEST(EditControl, ReturnStartsALineOnlyInMultiLineFields) {
  ControlHarness h;
  HWND single = focusedField(h, 0, u"a");
  SendMessage(single, EM_SETSEL, 1, 1);
  h.driver.pressKey(VK_RETURN);
  h.pump();
  EXPECT_EQ(h.text(single), u"a");
  HWND multi = h.create(kEditClass, ES_MULTILINE | ES_WANTRETURN, RECT{10, 50, 210, 150}, u"a", 8);
  SetFocus(multi);
  SendMessage(multi, EM_SETSEL, 1, 1);
  h.driver.pressKey(VK_RETURN);
  type(h, u"b");
  EXPECT_EQ(h.text(multi), u"a\r\nb");
  EXPECT_EQ(SendMessage(multi, EM_GETLINECOUNT, 0, 0), 2);
}

TEST(EditControl, LineMessagesOfMultiLineText) {
  ControlHarness h;
  HWND edit =
      h.create(kEditClass, ES_MULTILINE | ES_AUTOHSCROLL, RECT{10, 10, 210, 110}, u"one\r\ntwo\r\nthree");
  EXPECT_EQ(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 3);
  struct Case {
    long long line;
    LRESULT index;
  };
  for (Case c : {Case{0, 0}, Case{1, 5}, Case{2, 10}, Case{3, -1}}) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(SendMessage(edit, EM_LINEINDEX, static_cast<WPARAM>(c.line), 0), c.index);
  }
  EXPECT_EQ(SendMessage(edit, EM_LINELENGTH, 6, 0), 3);
  EXPECT_EQ(SendMessage(edit, EM_LINELENGTH, 12, 0), 5);
  EXPECT_EQ(SendMessage(edit, EM_LINEFROMCHAR, 9, 0), 1);
  EXPECT_EQ(SendMessage(edit, EM_LINEFROMCHAR, 10, 0), 2);
  SendMessage(edit, EM_SETSEL, 7, 7);
  EXPECT_EQ(SendMessage(edit, EM_LINEINDEX, static_cast<WPARAM>(-1), 0), 5) << "-1: the caret's line";
  EXPECT_EQ(SendMessage(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 1);
  SendMessage(edit, EM_SETSEL, 1, 7);
  EXPECT_EQ(SendMessage(edit, EM_LINELENGTH, static_cast<WPARAM>(-1), 0), 2)
      << "-1: the unselected characters of the selected lines";
}

TEST(EditControl, MultiLineWrapsWordsAtTheWidth) {
  ControlHarness h;
  // Room for "alpha beta" but not for "alpha beta gamma": the side margins are 2 pixels, the caret 1.
  int width = textWidth(u"alpha beta") + 2 * 2 + 1 + 2;
  HWND edit = h.create(kEditClass, ES_MULTILINE, RECT{10, 10, 10 + width, 110}, u"alpha beta gamma");
  EXPECT_EQ(SendMessage(edit, EM_GETLINECOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessage(edit, EM_LINEINDEX, 1, 0), 11);
  EXPECT_EQ(SendMessage(edit, EM_LINELENGTH, 11, 0), 5);
  EXPECT_EQ(SendMessage(edit, EM_LINELENGTH, 3, 0), 11) << "the space stays at the end of the first line";
  HWND noWrap = h.create(kEditClass, ES_MULTILINE | ES_AUTOHSCROLL, RECT{10, 120, 10 + width, 200},
                         u"alpha beta gamma", 8);
  EXPECT_EQ(SendMessage(noWrap, EM_GETLINECOUNT, 0, 0), 1) << "sideways scrolling does not wrap";

  SetFocus(edit);
  SendMessage(edit, EM_SETSEL, 2, 2);
  h.driver.pressKey(VK_END);
  h.pump();
  EXPECT_EQ(SendMessage(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 0)
      << "End stays on a wrapped line";
  h.driver.pressKey(VK_DOWN);
  h.driver.pressKey(VK_END);
  h.pump();
  EXPECT_EQ(SendMessage(edit, EM_GETSEL, 0, 0), MAKELRESULT(16, 16))
      << "the last line ends at the text's end";
}

TEST(EditControl, UpDownAndPageKeysMoveByLines) {
  ControlHarness h;
  HWND edit = h.create(kEditClass, ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_VSCROLL,
                       RECT{10, 10, 210, 60}, u"l0\r\nl1\r\nl2\r\nl3\r\nl4\r\nl5\r\nl6\r\nl7\r\nl8\r\nl9");
  SetFocus(edit);
  h.pump();
  auto caretLine = [&] { return SendMessage(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0); };
  h.driver.pressKey(VK_DOWN);
  h.pump();
  EXPECT_EQ(caretLine(), 1);
  h.driver.pressKey(VK_NEXT);
  h.pump();
  LRESULT afterPage = caretLine();
  EXPECT_GT(afterPage, 2);
  chord(h, VK_CONTROL, VK_END);
  EXPECT_EQ(caretLine(), 9);
  EXPECT_GT(GetScrollPos(edit, SB_VERT), 0) << "the view followed the caret down";
  h.driver.pressKey(VK_PRIOR);
  h.pump();
  EXPECT_EQ(caretLine(), 9 - (afterPage - 1));
  h.driver.pressKey(VK_UP);
  h.pump();
  EXPECT_EQ(caretLine(), 8 - (afterPage - 1));
}

TEST(EditControl, ColoursAreAskedOfTheParentEvenWhenReadOnly) {
  ControlHarness h;
  HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
  std::vector<LPARAM> asked;
  h.spy.handler = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_CTLCOLOREDIT) {
      asked.push_back(lParam);
      return reinterpret_cast<LRESULT>(yellow);
    }
    return DefWindowProc(window, message, wParam, lParam);
  };
  HWND edit = h.create(kEditClass, ES_READONLY, kFieldRect, u"");
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(asked.front(), handleParam(edit));
  EXPECT_EQ(h.driver.pixel(kFieldRect.right - 3, kFieldRect.bottom - 3), RGB(255, 255, 0));
  DestroyWindow(edit);
  DeleteObject(yellow);
}

TEST(EditControl, SelectionShowsOnlyWhileFocused) {
  ControlHarness h;
  HWND edit = h.create(kEditClass, 0, kFieldRect, u"MMMM");
  SendMessage(edit, EM_SETSEL, 0, -1);
  h.pump();
  POINT inText{kFieldRect.left + textWidth(u"M") / 2, kFieldRect.top + 3};
  COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_NE(h.driver.pixel(inText.x, inText.y), highlight);
  SetFocus(edit);
  h.pump();
  EXPECT_EQ(h.driver.pixel(inText.x, inText.y), highlight);
  SetFocus(h.parent);
  h.pump();
  EXPECT_NE(h.driver.pixel(inText.x, inText.y), highlight);
}

}  // namespace native::test

namespace native::test {

// The text scrolled out of the field costs nothing: a key fills the new line's coverage only as far as the
// field reaches.
TEST(EditControl, SingleLineScrollsSidewaysToKeepTheCaretInside) {
  ControlHarness h;
  HWND edit = h.create(kEditClass, ES_AUTOHSCROLL, RECT{200, 10, 250, 34});
  SetFocus(edit);
  ASSERT_TRUE(h.driver.typeText(u"a long line of typin"));
  h.pump();
  h.driver.takePaints();
  ASSERT_TRUE(h.driver.typeText(u"g"));
  h.pump();
  const TestDriver::Paints typed = h.driver.takePaints();
  EXPECT_GT(typed.textMaskPixels, 0);
  EXPECT_LE(typed.textMaskPixels, typed.pixels) << "the line filled further than the paint reached";
  POINT caret{};
  GetCaretPos(&caret);
  EXPECT_GE(caret.x, 0);
  EXPECT_LT(caret.x, 50) << "the caret stays in the field";
  EXPECT_GT(caret.x, 25) << "at its right end, the text scrolled left";
  h.driver.pressKey(VK_HOME);
  h.pump();
  GetCaretPos(&caret);
  EXPECT_EQ(caret.x, 0) << "back at the start, unscrolled";
}

TEST(EditControl, AlignmentStylesPlaceTheCaretOfAnEmptyField) {
  struct Case {
    const char* name;
    DWORD style;
    int minimumX;
    int maximumX;
  };
  const Case cases[] = {
      {"left", ES_LEFT, 0, 0}, {"centre", ES_CENTER, 90, 110}, {"right", ES_RIGHT, 190, 199}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ControlHarness h;
    HWND edit = h.create(kEditClass, c.style, RECT{0, 0, 200, 24});
    SetFocus(edit);
    POINT caret{};
    GetCaretPos(&caret);
    EXPECT_GE(caret.x, c.minimumX);
    EXPECT_LE(caret.x, c.maximumX);
  }
}

TEST(EditControl, BuiltInVerticalBarScrollsTheLinesAndFollowsTheCaret) {
  ControlHarness h;
  HWND edit = h.create(kEditClass, ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, RECT{10, 10, 210, 60},
                       u"l0\r\nl1\r\nl2\r\nl3\r\nl4\r\nl5\r\nl6\r\nl7");
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(edit, SB_VERT, &info);
  EXPECT_EQ(info.nMax, 7) << "one step per line";
  EXPECT_GT(info.nPage, 0u);
  SendMessage(edit, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(GetScrollPos(edit, SB_VERT), 1);
  SendMessage(edit, WM_VSCROLL, SB_BOTTOM, 0);
  int last = GetScrollPos(edit, SB_VERT);
  EXPECT_EQ(last, 8 - static_cast<int>(info.nPage));
  SendMessage(edit, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(GetScrollPos(edit, SB_VERT), last) << "never past the last page";
  SendMessage(edit, EM_SETSEL, 0, 0);
  EXPECT_EQ(GetScrollPos(edit, SB_VERT), 0) << "selecting at the start brings it into view";
  SendMessage(edit, WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_GT(GetScrollPos(edit, SB_VERT), 0);
  SendMessage(edit, EM_SCROLLCARET, 0, 0);
  EXPECT_EQ(GetScrollPos(edit, SB_VERT), 0);
}

}  // namespace native::test
