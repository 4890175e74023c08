#include "toolkit/kzeditableselector.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/zafeventmanager.h"
#include "toolkit/kzcontrol.h"
#include "toolkit/kzeditableselectorstring.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzpulldownitem.h"
#include "toolkit/kzpulldownmenu.h"
#include "toolkit/tests/kzpanetestbed.h"

namespace {

// A user event queued behind the input of a step: the close must reach the list before it.
constexpr int32_t kMarker = 10900;
// Every column's text: one word, longer than any fixed buffer a field's text might be read into.
const std::u16string kText = std::u16string(150, u'a') + std::u16string(150, u'b');
// The text of a cell that clicks in its field fall on: two words the field shows whole, from the first
// one's first character at the field's left end, so a double click there chooses the first.
const std::u16string kWords = u"Anna Weiss";
// The events a pass of the loop may take before the test calls it endless.
constexpr int32_t kEventsInAPass = 1000;

// Three columns at 0, 100 and 200, of which 1 and 2 are editable; it records what it stored and why, the
// refreshes and the order in which closes and markers reach it. Its store may do more first, as told.
class Sheet : public KZEditableSelector {
 public:
  Sheet() : KZEditableSelector(0, 0, 0, 0) {
    SetColumnCount(3);
    SetColumnPosition(1, 100);
    SetColumnPosition(2, 200);
  }
  bool CanEditCell(KPoint, int32_t column) override { return column >= 1; }
  int32_t NextEditColumn(KPoint, int32_t from) override { return from < 1 ? 1 : from == 1 ? 2 : kNextCell; }
  int32_t PrevEditColumn(KPoint, int32_t from) override {
    return from < 0 || from > 2 ? 2 : from == 2 ? 1 : kNextCell;
  }
  void CellText(KPoint, int32_t, KString& cellText, uint32_t& textFlags) override {
    if (textFlags & kTextForEditor) {
      storesBeforeOpening.push_back(stored.size());
    }
    cellText = KString(text.c_str());
  }
  void StoreEdit(int32_t, KZEditableSelectorString& field, ZafEventType reason) override {
    const std::size_t opened = storesBeforeOpening.size();
    if (beforeStoring) {
      beforeStoring();
    }
    if (storesBeforeOpening.size() != opened) {
      return;  // a field opened meanwhile took the edited one's place: that one is gone, with its text
    }
    stored.emplace_back(field.Text(), reason);
  }
  bool EditClosed() override { return refreshAfterClose; }
  void Refresh() override {
    ++refreshes;
    KZEditableSelector::Refresh();
  }
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == EndEditEvent || event.type == kMarker) {
      seen.push_back(event.type);
    }
    return KZEditableSelector::Event(event);
  }

  std::u16string text = kText;
  std::function<void()> beforeStoring;
  std::vector<std::pair<std::u16string, ZafEventType>> stored;
  std::vector<ZafEventType> seen;
  bool refreshAfterClose = false;
  int refreshes = 0;
  // For each field opened, how many stores came before it.
  std::vector<std::size_t> storesBeforeOpening;
};

class KZEditableSelectorTest : public KZPaneTest {
 protected:
  // A main menu bar with an enabled command on Ctrl+V, as the program's Paste is.
  KZEditableSelectorTest() {
    auto* edit = new KZPullDownItem(u"&Edit");
    edit->AddMenuItem(new KZPopUpItem(CascadeCommand, u"&Paste,CV", ZAF_ITEM_ORDINARY));
    menuBar->Add(edit);
    menuOwner.Add(menuBar);
    KZApplication::mainMenuBar = menuBar;
  }
  ~KZEditableSelectorTest() override { KZApplication::mainMenuBar = nullptr; }

  // Three rows of a 300-pixel list, each two pixels higher than the font for the column frames.
  Sheet* ShowSheet() {
    rowHeight = KZWindowObjectLeech::FontHeight(1) + 2;
    Sheet* sheet = ShowPane(new Sheet, 300, 5 * rowHeight);
    EXPECT_EQ(sheet->UnitSize(), KPoint(300, rowHeight));
    sheet->ChangeExtent({1, 3});
    sheet->Refresh();
    return sheet;
  }
  // Moves the pointer into a cell and column of the sheet, at the middle of the row and `into` pixels from
  // the column's left end (by default where a click in its field falls before the text's first character,
  // still inside the field three pixels further left); answers that desktop point.
  KPoint PointAt(Sheet& sheet, int32_t row, int32_t column, int32_t into = 4) {
    const KPoint at = sheet.ToScreenPoint({column * 100 + into, row * rowHeight + rowHeight / 2});
    driver.mouseMove(at.x, at.y);
    return at;
  }
  // Opens the field on that cell and column with a click, the pointer on the desktop.
  void Open(Sheet& sheet, int32_t row, int32_t column) {
    sheet.MoveCurrentCell({0, row});
    PointAt(sheet, row, column);
    driver.mouseDown();
    driver.mouseUp();
    RunLoop();
    ASSERT_TRUE(sheet.Editing());
    sheet.seen.clear();
    sheet.storesBeforeOpening.clear();
  }
  // The program's loop over the keys and pointer input given so far, queued ahead of a marker.
  void RunLoop() {
    ZafEventManager& events = *ZafWindowObject::eventManager;
    native::MSG message{};
    for (auto [first, last] : {std::pair{native::WM_KEYFIRST, native::WM_KEYLAST},
                               std::pair{native::WM_MOUSEFIRST, native::WM_MOUSELAST}}) {
      while (native::PeekMessage(&message, nullptr, first, last, native::PM_REMOVE)) {
        events.Put(ZafEventRecord(E_OSEVENT, message), Q_END);
      }
    }
    events.Put(ZafEventRecord(kMarker, 0), Q_END);
    RunPass();
  }
  // The program's loop over what is queued and the input given so far, one message at a time.
  void RunPass() {
    ZafWindowObject::eventManager->nativeInput = 1;
    application.eventsLeft = kEventsInAPass;
    application.Control(nullptr, true);
    EXPECT_GT(application.eventsLeft, 0) << "the pass never went idle";
  }
  // A question the store asks: its loop takes the first press there is for the answer, whose row it keeps.
  // The user lets go of the press that ended the edit and answers on row 2.
  void AnswerQuestion(Sheet& sheet) {
    driver.mouseUp();
    PointAt(sheet, 2, 0);
    driver.mouseDown();
    native::MSG press{};
    ASSERT_TRUE(native::PeekMessage(&press, nullptr, native::WM_LBUTTONDOWN, native::WM_LBUTTONDOWN,
                                    native::PM_REMOVE));
    answeredOnRow = native::GET_Y_LPARAM(press.lParam) / rowHeight;
  }

  int32_t rowHeight = 0;
  int32_t answeredOnRow = -1;  // none asked
  KZControl menuOwner{0, 0, 70, 22};
  KZPullDownMenu* menuBar = new KZPullDownMenu;
};

}  // namespace

TEST_F(KZEditableSelectorTest, KeysAndPressesEndTheEditTabMovesOnAcrossRowsAndWholeTextsAreStored) {
  constexpr ZafEventType kEnter = KZEditableSelector::kEndByEnter;
  constexpr ZafEventType kTab = KZEditableSelector::kEndByTab;
  constexpr ZafEventType kBackTab = KZEditableSelector::kEndByShiftTab;
  // Instead of a key: a press on column 0 of row 0, on column 2 of the edited row, a double click on column
  // 1 of row 0, a right press on column 0 of row 0, or a double click on column 1 whose first click falls on
  // row 0's last pixel row and whose second the next pixel down, on row 1.
  constexpr native::UINT kPressOnRow0 = 0;
  constexpr native::UINT kPressOnColumn2 = 1;
  constexpr native::UINT kDoubleClickOnRow0 = 2;
  constexpr native::UINT kRightPressOnRow0 = 3;
  constexpr native::UINT kDoubleClickAcrossRows = 4;
  // What the store does before it takes the text: nothing more, ask a question, or run a pass of the loop.
  enum Store { kJustStores, kAsks, kRunsAPass };
  // What the user does in the field first: nothing; clicks in it and types Z (how many clicks, how long
  // after the click that opened it and how far to its left and below it, after a click of another button
  // or a repaint of the list); or copies the selected text and pastes it twice with Ctrl+C and Ctrl+V. The
  // double-click time is 500 ms, and a second click pairs within 2 pixels of the first on each axis.
  struct First {
    int clicks = 0;
    std::uint64_t laterMs = 0;
    int leftPx = 0;
    int downPx = 0;
    std::optional<native::TestDriver::Button> clickBetween;
    bool repaint = false;
    bool copyAndPasteTwice = false;
  };
  struct Case {
    const char* name;
    int32_t row;
    int32_t column;
    native::UINT key;
    bool shift;
    bool refreshAfterClose;
    ZafEventType stored;  // the reason StoreEdit got (0: not called)
    bool editing;         // after the close, on:
    int32_t row2;
    int32_t column2;
    Store store = kJustStores;
    First first = {};
    std::u16string storedText = kText;
    int32_t answeredOnRow = -1;  // the row of the press the store's question took for its answer
    int32_t pressedInto = 6;     // how far into its column a press instead of a key falls
  } cases[] = {
      {"Escape stores nothing", 1, 1, native::VK_ESCAPE, false, false, 0, false, 1, 1},
      {"a press on another row stores as Enter does, then selects that row", 1, 1, kPressOnRow0, false, false,
       kEnter, false, 0, 1},
      {"a question the store asks is not answered by that press, which is spent", 1, 1, kPressOnRow0, false,
       false, kEnter, false, 1, 1, kAsks, First{}, kText, 2},
      {"a press on another editable column stores, then edits that column", 1, 1, kPressOnColumn2, false,
       false, kEnter, true, 1, 2},
      {"... from that column's first pixel too", 1, 1, kPressOnColumn2, false, false, kEnter, true, 1, 2,
       kJustStores, First{}, kText, -1, 0},
      {"... only once the close is over when the store runs a pass", 1, 1, kPressOnColumn2, false, false,
       kEnter, true, 1, 2, kRunsAPass},
      {"a double click on another row stores, selects the row and edits the cell", 1, 1, kDoubleClickOnRow0,
       false, false, kEnter, true, 0, 1},
      {"a double click whose clicks fall on two rows edits neither", 1, 1, kDoubleClickAcrossRows, false,
       false, kEnter, false, 0, 1},
      {"a right press outside the field leaves it open and goes nowhere", 1, 1, kRightPressOnRow0, false,
       false, 0, true, 1, 1},
      {"Enter stores and stays", 1, 1, native::VK_RETURN, false, false, kEnter, false, 1, 1},
      {"a double click on the edited cell selects its word, which typing replaces", 1, 1, native::VK_RETURN,
       false, false, kEnter, false, 1, 1, kJustStores, First{.clicks = 1}, u"Z Weiss"},
      {"so does a user's, 150 ms later and a pixel aside", 1, 1, native::VK_RETURN, false, false, kEnter,
       false, 1, 1, kJustStores, First{.clicks = 1, .laterMs = 150, .leftPx = 1, .downPx = 1}, u"Z Weiss"},
      {"... and one at the double-click time", 1, 1, native::VK_RETURN, false, false, kEnter, false, 1, 1,
       kJustStores, First{.clicks = 1, .laterMs = 500}, u"Z Weiss"},
      {"... and one at the double-click distance on both axes", 1, 1, native::VK_RETURN, false, false, kEnter,
       false, 1, 1, kJustStores, First{.clicks = 1, .leftPx = 2, .downPx = 2}, u"Z Weiss"},
      {"a click after the double-click time places the caret", 1, 1, native::VK_RETURN, false, false, kEnter,
       false, 1, 1, kJustStores, First{.clicks = 1, .laterMs = 501}, u"Z" + kWords},
      {"so does one beyond the double-click distance across", 1, 1, native::VK_RETURN, false, false, kEnter,
       false, 1, 1, kJustStores, First{.clicks = 1, .leftPx = 3}, u"Z" + kWords},
      {"... and one beyond it down", 1, 1, native::VK_RETURN, false, false, kEnter, false, 1, 1, kJustStores,
       First{.clicks = 1, .downPx = 3}, u"Z" + kWords},
      {"a triple click selects the word, then places the caret", 1, 1, native::VK_RETURN, false, false,
       kEnter, false, 1, 1, kJustStores, First{.clicks = 2}, u"Z" + kWords},
      {"... and a fourth click selects the word again", 1, 1, native::VK_RETURN, false, false, kEnter, false,
       1, 1, kJustStores, First{.clicks = 3}, u"Z Weiss"},
      {"a right click between two left clicks keeps them apart", 1, 1, native::VK_RETURN, false, false,
       kEnter, false, 1, 1, kJustStores, First{.clicks = 1, .clickBetween = native::TestDriver::Right},
       u"Z" + kWords},
      {"... and so does a middle click", 1, 1, native::VK_RETURN, false, false, kEnter, false, 1, 1,
       kJustStores, First{.clicks = 1, .laterMs = 150, .clickBetween = native::TestDriver::Middle},
       u"Z" + kWords},
      {"a repaint of the list makes no double click of the next click", 1, 1, native::VK_RETURN, false, false,
       kEnter, false, 1, 1, kJustStores, First{.clicks = 1, .laterMs = 501, .repaint = true}, u"Z" + kWords},
      {"Ctrl+C and Ctrl+V are the field's, though the menu names Ctrl+V", 1, 1, native::VK_RETURN, false,
       false, kEnter, false, 1, 1, kJustStores, First{.copyAndPasteTwice = true}, kText + kText},
      {"Tab: the next column", 1, 1, native::VK_TAB, false, false, kTab, true, 1, 2},
      {"Tab on the last column: the next row", 1, 2, native::VK_TAB, false, false, kTab, true, 2, 1},
      {"Tab at the very end stops", 2, 2, native::VK_TAB, false, false, kTab, false, 2, 2},
      {"... and refreshes when the list asks", 2, 2, native::VK_TAB, false, true, kTab, false, 2, 2},
      {"Shift+Tab: the previous row's last column", 1, 1, native::VK_TAB, true, false, kBackTab, true, 0, 2},
      {"Shift+Tab at the very start stops", 0, 1, native::VK_TAB, true, false, kBackTab, false, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Sheet* sheet = ShowSheet();
    sheet->refreshAfterClose = c.refreshAfterClose;
    sheet->text = c.first.clicks > 0 ? kWords : kText;
    Open(*sheet, c.row, c.column);
    sheet->refreshes = 0;
    answeredOnRow = -1;
    if (c.store == kAsks) {
      sheet->beforeStoring = [&] { AnswerQuestion(*sheet); };
    } else if (c.store == kRunsAPass) {
      sheet->beforeStoring = [&] { RunPass(); };
    }
    // The pointer and the clock are still where the click that opened the field left them, near the field's
    // left end.
    if (c.first.clicks > 0) {
      driver.advanceClock(c.first.laterMs);
      if (c.first.repaint) {
        native::InvalidateRect(sheet->ScreenID(), nullptr, native::TRUE);
        RunPass();
      }
      if (c.first.clickBetween) {
        driver.mouseDown(*c.first.clickBetween);
        driver.mouseUp(*c.first.clickBetween);
      }
      const KPoint opened = PointAt(*sheet, c.row, c.column);
      driver.mouseMove(opened.x - c.first.leftPx, opened.y + c.first.downPx);
      for (int click = 0; click < c.first.clicks; ++click) {
        driver.mouseDown();
        driver.mouseUp();
      }
      driver.typeText(u"Z");
    } else if (c.first.copyAndPasteTwice) {
      driver.keyDown(native::VK_CONTROL);
      for (const native::UINT key : {'C', 'V', 'V'}) {
        driver.pressKey(key);
      }
      driver.keyUp(native::VK_CONTROL);
    }
    RunPass();
    const bool press = c.key <= kDoubleClickAcrossRows;
    const auto button = c.key == kRightPressOnRow0 ? native::TestDriver::Right : native::TestDriver::Left;
    KPoint pressed;
    if (press) {
      constexpr int32_t kPressedColumn[] = {0, 2, 1, 0, 1};
      pressed = PointAt(*sheet, c.key == kPressOnColumn2 ? c.row : 0, kPressedColumn[c.key], c.pressedInto);
      if (c.key == kDoubleClickAcrossRows) {
        pressed.y = sheet->ToScreenPoint({0, rowHeight - 1}).y;
        driver.mouseMove(pressed.x, pressed.y);
      }
      driver.mouseDown(button);
    } else {
      if (c.shift) {
        driver.keyDown(native::VK_SHIFT);
      }
      driver.pressKey(c.key);
    }
    RunLoop();
    // The button and Shift are let go only once the loop has read the press or the Tab.
    if (press) {
      driver.mouseUp(button);
      if (c.key == kDoubleClickOnRow0 || c.key == kDoubleClickAcrossRows) {
        // The second press of a user's double click: 150 ms later, a pixel aside.
        driver.advanceClock(150);
        const bool acrossRows = c.key == kDoubleClickAcrossRows;
        driver.mouseMove(pressed.x + (acrossRows ? 0 : 1), pressed.y + (acrossRows ? 1 : 0));
        driver.mouseDown();
        driver.mouseUp();
      }
      driver.pumpUntilIdle();
    }
    if (c.shift) {
      driver.keyUp(native::VK_SHIFT);
      driver.pumpUntilIdle();
    }
    using Seen = std::vector<ZafEventType>;
    EXPECT_EQ(sheet->seen, (c.key == kRightPressOnRow0 ? Seen{kMarker} : Seen{EndEditEvent, kMarker}))
        << "the close comes first";
    using Stored = std::vector<std::pair<std::u16string, ZafEventType>>;
    EXPECT_EQ(sheet->stored, (c.stored ? Stored{{c.storedText, c.stored}} : Stored{})) << "the whole text";
    EXPECT_EQ(sheet->Editing(), c.editing);
    EXPECT_EQ(sheet->CurrentCell(), KPoint(0, c.row2));
    EXPECT_EQ(sheet->EditingColumn(), c.column2);
    EXPECT_EQ(sheet->refreshes, c.refreshAfterClose ? 1 : 0);
    EXPECT_EQ(answeredOnRow, c.answeredOnRow) << "the press that ended the edit is no answer";
    // A field that stays open is the one the step began with; another opens only once the store is over.
    using Counts = std::vector<std::size_t>;
    EXPECT_EQ(sheet->storesBeforeOpening, (c.editing && c.stored ? Counts{1} : Counts{}))
        << "a field opened while the edited one was being stored";
    EXPECT_EQ(application.CaptureObject() != nullptr, c.editing) << "only an open field holds the pointer";
    ZafWindowObject::windowManager->Remove(sheet);
  }
}

TEST_F(KZEditableSelectorTest, AnEditStoredBeforeAQuestionLetsGoAndIsStoredOnlyThen) {
  Sheet* sheet = ShowSheet();
  Open(*sheet, 1, 1);
  sheet->StoreOpenEdit();
  EXPECT_EQ(application.CaptureObject(), nullptr) << "the field lets go of the pointer";
  EXPECT_EQ(native::GetFocus(), sheet->ScreenID()) << "and gives the list the focus";
  RunLoop();
  EXPECT_EQ(sheet->seen, (std::vector<ZafEventType>{EndEditEvent, kMarker}));
  using Stored = std::vector<std::pair<std::u16string, ZafEventType>>;
  EXPECT_EQ(sheet->stored, (Stored{{sheet->text, KZEditableSelector::kEndByEnter}}))
      << "not again at the close";
  EXPECT_FALSE(sheet->Editing());
  ZafWindowObject::windowManager->Remove(sheet);
}

// A cell's text and its open field's lie on the same pixels: the text does not move when the field opens
// over the cell, nor when it closes.
TEST_F(KZEditableSelectorTest, AFieldShowsItsTextWhereTheCellDrawsIt) {
  Sheet* sheet = ShowSheet();
  sheet->text = kWords;
  sheet->MoveCurrentCell({0, 1});
  sheet->Refresh();
  driver.pumpUntilIdle();
  // Column 1 of row 1 inside its one-pixel frame, where the field lies.
  const KPoint origin = sheet->ToScreenPoint({101, rowHeight + 1});
  auto textArea = [&] {
    return driver.pixels({origin.x, origin.y, origin.x + 98, origin.y + rowHeight - 2});
  };
  const std::vector<native::COLORREF> cell = textArea();
  Open(*sheet, 1, 1);
  // The field's text not selected and its caret hidden: only the text shows.
  const native::HWND field = KZEditableSelectorString::Open()->ScreenID();
  native::SendMessage(field, native::EM_SETSEL, 0, 0);
  native::HideCaret(field);
  driver.pumpUntilIdle();
  EXPECT_TRUE(textArea() == cell) << "the open field";
  driver.pressKey(native::VK_ESCAPE);
  RunLoop();
  driver.pumpUntilIdle();
  ASSERT_FALSE(sheet->Editing());
  EXPECT_TRUE(textArea() == cell) << "the field closed";
  ZafWindowObject::windowManager->Remove(sheet);
}
