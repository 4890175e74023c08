#include "toolkit/kzdialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "framework/core/zafdisplay.h"
#include "framework/core/zafnotebook.h"
#include "framework/core/zafscrollbar.h"
#include "framework/core/zafvtlist.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafbitmapdata.h"
#include "framework/data/zafstorage.h"
#include "native/controls/controlconstants.h"
#include "native/native.h"
#include "native/tests/printedpages.h"
#include "native/user/messageapi.h"
#include "native/user/virtualkeys.h"
#include "toolkit/kzanchoredpopupmenu.h"
#include "toolkit/kzbitmap.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzinteger.h"
#include "toolkit/kzprompt.h"
#include "toolkit/kzradiogroup.h"
#include "toolkit/kzreal.h"
#include "toolkit/kzslider.h"
#include "toolkit/kzstring.h"
#include "toolkit/kztext.h"
#include "toolkit/tests/kzdialogtestbed.h"

namespace {

// A dialog that keeps the answer ProcessResult was given.
class RecordingDialog : public KZDialog {
 public:
  using KZDialog::KZDialog;
  void ProcessResult(ZafEventType result) override { processed.push_back(result); }
  std::vector<ZafEventType> processed;
};

// The standard buttons made by CreateButtons: the buttons whose value is a dialog answer.
std::vector<KZButton*> StandardButtons(KZDialog& dialog) {
  std::vector<KZButton*> buttons;
  Collect(&dialog, buttons);
  std::erase_if(buttons, [](KZButton* button) {
    return button->Value() < KZDialog::kOkResult || button->Value() > KZDialog::kCancelResult;
  });
  return buttons;
}

int32_t CellWidth() {
  return ZafWindowObject::display->cellWidth;
}

int32_t CellHeight() {
  return ZafWindowObject::display->cellHeight;
}

}  // namespace

TEST_F(KZDialogTest, ButtonsGoUnderTheFieldsAndSizeTheDialog) {
  const int32_t screenRows = ZafWindowObject::display->lines / CellHeight();
  struct Case {
    const char* name;
    int32_t lastRow;  // the fields span columns 2 to 30 and rows 0 to lastRow
    uint32_t flags;
    const char16_t* okLabel;
    int32_t buttonRow, rows;
  };
  const Case cases[] = {
      {"Ok and Cancel", 4, KZDialog::kOk | KZDialog::kCancel, u"OK", 6, 9},
      {"a label wider than ten cells", 4, KZDialog::kOk | KZDialog::kCancel, u"Accept every change made here",
       6, 9},
      {"three buttons", 4, KZDialog::kYes | KZDialog::kNo | KZDialog::kCancel, u"OK", 6, 9},
      {"just short enough for two-row gaps", screenRows - 5, KZDialog::kOk | KZDialog::kCancel, u"OK",
       screenRows - 3, screenRows},
      {"nearly as tall as the screen", screenRows - 4, KZDialog::kOk | KZDialog::kCancel, u"OK",
       screenRows - 3, screenRows - 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Setting((std::u16string(u"\\Strings\\Dialog\\Ok:String=") + c.okLabel).c_str());
    RecordingDialog dialog(u"Layout", c.flags, KZDialog::kCancel);
    dialog.AddString(u"", 28, 10);
    dialog.MoveCursor(0, c.lastRow - 1);
    dialog.NewLine();
    dialog.AddString(u"", 0, 1);
    dialog.CreateButtons();

    const std::vector<KZButton*> buttons = StandardButtons(dialog);
    int32_t label = 10 * CellWidth();
    for (KZButton* button : buttons) {
      label = std::max(label, dialog.TextWidth(button->Text()));
    }
    const int32_t buttonWidth = (3 * CellWidth() + label - 1) / CellWidth();
    const int32_t count = static_cast<int32_t>(buttons.size());
    const int32_t width = std::max(34, (buttonWidth + 2) * count + 5);
    int32_t column = (width - (buttonWidth + 2) * count) / 2 + 1;
    for (KZButton* button : buttons) {
      const ZafRegionStruct cells = Cells(button);
      EXPECT_EQ(cells.top, c.buttonRow);
      EXPECT_EQ(cells.left, column);
      EXPECT_EQ(cells.Width(), buttonWidth) << "every standard button is as wide as the widest label";
      column += buttonWidth + 2;
    }
    ASSERT_FALSE(buttons.empty());
    EXPECT_EQ(dialog.DefaultButton(true), buttons.back()) << "Cancel is the default";
    EXPECT_EQ(dialog.CurrentChild(), dialog.FirstChild()) << "the first field takes the focus";

    const ZafRegionStruct size =
        ZafRegionStruct{0, 0, width - 1, c.rows - 1, ZAF_CELL}.Converted(ZAF_PIXEL, ZafWindowObject::display);
    const ZafRegionStruct placed = dialog.Region();
    EXPECT_EQ(placed.Width(), size.Width());
    EXPECT_EQ(placed.Height(),
              std::min(size.Height(), ZafWindowObject::windowManager->ClientRegion().Height()));
    const int32_t centred = (ZafWindowObject::windowManager->ClientRegion().Height() - placed.Height()) / 2;
    EXPECT_EQ(placed.top, centred - centred / 2) << "raised by half the space above";
  }
}

TEST_F(KZDialogTest, EachFieldTakesItsWidthAndMovesTheCursorPastTheGap) {
  ZafBitmapData bitmap(20, 10);
  bitmap.SetDestroyable(false);
  KZDialog dialog(u"Fields", KZDialog::kOk, KZDialog::kOk);
  const int32_t browse = dialog.CharWidthUnits(u"Browse...") + 2;
  struct Case {
    const char* name;
    std::function<ZafWindowObject*()> add;
    int32_t width;    // in cells
    int32_t advance;  // how far the cursor moves
  };
  const Case cases[] = {
      {"prompt of its text", [&] { return dialog.AddPrompt(u"Name", -1); }, dialog.CharWidthUnits(u"Name"),
       dialog.CharWidthUnits(u"Name") + 1},
      {"string", [&] { return dialog.AddString(u"x", 10, 20); }, 11, 12},
      {"real", [&] { return dialog.AddReal(0.5, 6, 0.0, 1.0); }, 7, 8},
      {"slider", [&] { return dialog.AddSlider(0, 100, 50, 1, 10, 15, 10600); }, 15, 16},
      {"button of its text", [&] { return dialog.AddButton(u"Go", 10601, -1); },
       dialog.CharWidthUnits(u"Go") + 6, dialog.CharWidthUnits(u"Go") + 7},
      {"check box", [&] { return dialog.AddCheckBox(u"Wind", true, 0, 5); }, 7, 8},
      {"browse file", [&] { return dialog.AddBrowseFile(u"", u"Results|*.qve", 10, 50); }, 11,
       12 + browse + 1},
      {"radio group",
       [&] {
         dialog.ResetRadioColumn();
         dialog.AddRadioButton(u"One", 0, 5);
         dialog.AddRadioButton(u"Two", 0, 5);
         return dialog.AddRadioGroup(1);
       },
       17, 18},
      {"bitmap button", [&] { return dialog.AddBitmapButton(&bitmap, 10602); }, -1,
       (26 + CellWidth() - 1) / CellWidth() + 1},
      {"pop-up button", [&] { return dialog.AddPopUpButton(); }, -1, (CellWidth() + 16) / CellWidth() + 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialog.NewLine();
    ZafWindowObject* field = c.add();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(Cells(field).left, 2);
    if (c.width >= 0) {
      EXPECT_EQ(Cells(field).Width(), c.width);
    }
    EXPECT_EQ(Cells(dialog.AddString(u"", 0, 1)).left, 2 + c.advance);
  }
}

TEST_F(KZDialogTest, ComboBoxListScrollsOnlyBeyondItsVisibleRows) {
  struct Case {
    int32_t items;
    int32_t listRows;
    bool scrolls;
  } cases[] = {
      {3, 3, false}, {10, 10, false}, {12, 10 * KZWindowObjectLeech::FontHeight(1) / CellHeight(), true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.items);
    KZDialog dialog(u"Combo", KZDialog::kOk, KZDialog::kOk);
    dialog.ResetComboWidth();
    for (int32_t item = 0; item < c.items; ++item) {
      dialog.AddComboItem(item == 1 ? u"the widest item" : u"item", item);
    }
    KZComboBox* combo = dialog.AddComboBox(1, false, 10);
    EXPECT_EQ(Cells(combo).Width(), dialog.CharWidthUnits(u"the widest item") + 3);
    EXPECT_EQ(Cells(combo->List()).Height(), c.listRows);
    EXPECT_EQ(combo->List()->VerticalScrollBar() != nullptr, c.scrolls);
    EXPECT_EQ(combo->SelectedIndex(), 1);
  }
}

TEST_F(KZDialogTest, EscapeClosesAnOpenDropDownListAndNotTheDialog) {
  KZDialog dialog(u"Combo", KZDialog::kOk | KZDialog::kCancel, KZDialog::kOk);
  dialog.AddComboItem(u"Lane 1", 1);
  dialog.AddComboItem(u"Lane 2", 2);
  KZComboBox* combo = dialog.AddComboBox(0, false, 10);
  const auto dropped = [combo] {
    return native::SendMessage(combo->ScreenID(), native::CB_GETDROPPEDSTATE, 0, 0) != 0;
  };
  bool openedByClick = false;
  bool closedByEscape = false;
  application.Run({[&] { Click(combo); },
                   [&] {
                     openedByClick = dropped();
                     driver.pressKey(native::VK_ESCAPE);
                   },
                   [&] {
                     closedByEscape = !dropped();
                     KZScriptedApplication::Post(KZDialog::kOkResult);
                   }});
  EXPECT_EQ(dialog.Execute(), KZDialog::kOkResult) << "the dialog still runs after Escape closed its list";
  EXPECT_TRUE(openedByClick);
  EXPECT_TRUE(closedByEscape);
}

TEST_F(KZDialogTest, AlignColumnLinesUpAFieldOfEveryRowAndWhatFollowsIt) {
  KZDialog dialog(u"Align", KZDialog::kOk, KZDialog::kOk);
  dialog.AddPrompt(u"", 3);
  dialog.AddString(u"", 4, 8);
  dialog.AddString(u"", 4, 8);
  dialog.NewLine();
  dialog.AddPrompt(u"", 9);
  dialog.AddString(u"", 4, 8);
  dialog.NewLine();
  dialog.AddPrompt(u"", 1);
  std::vector<ZafWindowObject*> fields;
  Collect(static_cast<ZafWindowObject*>(&dialog), fields);
  fields.erase(fields.begin());
  struct Case {
    int32_t index, firstChild;
    std::vector<int32_t> lefts;
  } cases[] = {
      {3, 0, {2, 6, 12, 2, 12, 2}},   // no row has a fourth field: nothing moves
      {1, 0, {2, 12, 18, 2, 12, 2}},  // the second field of the first two rows, and the third after it
      {1, 2, {2, 12, 18, 2, 12, 2}},  // from the second row on: already lined up
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    dialog.AlignColumn(c.index, c.firstChild);
    std::vector<int32_t> lefts;
    for (ZafWindowObject* field : fields) {
      lefts.push_back(Cells(field).left);
    }
    EXPECT_EQ(lefts, c.lefts);
  }
}

TEST_F(KZDialogTest, NotebookPagesShareTheLargestSizeAndTheLastShowsFirst) {
  KZDialog dialog(u"Pages", KZDialog::kOk, KZDialog::kOk);
  dialog.AddPrompt(u"", 5);
  dialog.NewLine();
  dialog.BeginNotebook(10, 3);
  ZafWindow* first = dialog.AddPage(u"First");
  dialog.AddString(u"", 9, 8);
  dialog.EndPage();
  ZafWindow* second = dialog.AddPage(u"Second");
  dialog.AddString(u"", 29, 8);
  dialog.NewLine();
  dialog.AddString(u"", 2, 8);
  dialog.EndPage();
  dialog.EndNotebook(-1);
  KZString* after = dialog.AddString(u"", 2, 8);

  std::vector<ZafNotebook*> notebooks;
  Collect(&dialog, notebooks);
  ASSERT_EQ(notebooks.size(), 1u);
  ZafNotebook* notebook = notebooks[0];
  // The second page: fields from column 2 to 31 and rows 1 to 2, its left margin again on the right, and
  // two rows under them; the minimum height is 3 rows and the two.
  const ZafRegionStruct book = Cells(notebook);
  EXPECT_EQ(std::vector<int32_t>({book.left, book.top, book.Width(), book.Height()}),
            std::vector<int32_t>({2, 1, 35, 5}));
  for (ZafWindow* page : {first, second}) {
    EXPECT_EQ(page->Parent(), notebook);
    EXPECT_EQ(Cells(page).Width(), 35);
    EXPECT_EQ(Cells(page).Height(), 5);
  }
  EXPECT_EQ(notebook->PageCount(), 2);
  EXPECT_EQ(notebook->CurrentPageIndex(), 1);
  EXPECT_EQ(Cells(after).left, 2);
  EXPECT_EQ(Cells(after).top, 6) << "the row under the notebook";
}

TEST_F(KZDialogTest, OnlyAnswersFromMinus2999ToMinus2000EndTheDialog) {
  RecordingDialog dialog(u"Answers", KZDialog::kOk | KZDialog::kCancel, KZDialog::kOk);
  dialog.AddPrompt(u"Go on?", -1);
  bool shownAfterMinus1999 = false;
  application.Run({[] { KZScriptedApplication::Post(-1999); },
                   [&] {
                     shownAfterMinus1999 = dialog.ScreenID() != nullptr;
                     KZScriptedApplication::Post(-2000);
                   }});
  EXPECT_EQ(dialog.Execute(), -2000);
  EXPECT_TRUE(shownAfterMinus1999);
  EXPECT_EQ(dialog.processed, std::vector<ZafEventType>{-2000});
  EXPECT_EQ(dialog.ScreenID(), nullptr) << "taken off the screen";
}

TEST_F(KZDialogTest, EachStandardButtonAnswersItsOwnCode) {
  struct Case {
    const char* name;
    uint32_t flag;
    ZafEventType answer;
  } cases[] = {{"OK", KZDialog::kOk, -2999},        {"Yes", KZDialog::kYes, -2998},
               {"No", KZDialog::kNo, -2997},        {"Cancel", KZDialog::kCancel, -2993},
               {"Abort", KZDialog::kAbort, -2996},  {"Retry", KZDialog::kRetry, -2995},
               {"Ignore", KZDialog::kIgnore, -2994}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingDialog dialog(u"Answers", c.flag, c.flag);
    dialog.AddPrompt(u"Go on?", -1);
    std::size_t buttons = 0;
    application.Run({[&] {
      for (KZButton* button : StandardButtons(dialog)) {
        ++buttons;
        Click(button);
      }
    }});
    EXPECT_EQ(dialog.Execute(), c.answer);
    EXPECT_EQ(buttons, 1u);
  }
}

TEST_F(KZDialogTest, ReturnPressesTheDefaultButtonUnlessTheFocusedFieldTakesIt) {
  struct Case {
    const char* name;
    std::function<ZafWindowObject*(KZDialog&)> field;
    bool dropList;
    ZafEventType answer;  // Cancel: Return left the dialog open
  };
  const Case cases[] = {
      {"check box", [](KZDialog& d) { return d.AddCheckBox(u"Show", false, 1, 10); }, false,
       KZDialog::kOkResult},
      {"text field", [](KZDialog& d) { return d.AddString(u"heat", 10, 20); }, false, KZDialog::kOkResult},
      {"number field", [](KZDialog& d) { return d.AddReal(0.5, 6, 0, 5); }, false, KZDialog::kOkResult},
      {"multi-line field", [](KZDialog& d) { return d.AddTextBox(u"", 20, 3); }, false,
       KZDialog::kCancelResult},
      {"open drop-down list",
       [](KZDialog& d) {
         d.AddComboItem(u"1", 1);
         d.AddComboItem(u"2", 2);
         return d.AddComboBox(0, false, 4);
       },
       true, KZDialog::kCancelResult},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KZDialog dialog(u"Return", KZDialog::kOk | KZDialog::kCancel, KZDialog::kOk);
    ZafWindowObject* field = c.field(dialog);
    application.Run({[&] {
                       field->SetFocus(true);
                       if (c.dropList) {
                         native::SendMessage(field->ScreenID(), native::CB_SHOWDROPDOWN, native::TRUE, 0);
                       }
                     },
                     [&] { driver.pressKey(native::VK_RETURN); },
                     [] { KZScriptedApplication::Post(KZDialog::kCancelResult); }});
    EXPECT_EQ(dialog.Execute(), c.answer);
  }
}

TEST_F(KZDialogTest, BrowseButtonsFillTheFieldUnlessCancelled) {
  const KString filter(u"Event documents (*.qve)|*.qve|Workouts (*.qvw)|*.qvw|All files|*.*");
  struct Case {
    const char* name;
    bool file;
    int32_t answer;
    const char16_t* expected;
  } cases[] = {{"file", true, 0, u"/data/meet/heat1.qve"},
               {"file cancelled", true, -1, u"/data/start.qve"},
               {"folder", false, 0, u"/data/meet"},
               {"folder cancelled", false, -1, u"/data/start.qve"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<KFileDialogRequest> requests;
    KSetFileDialogHook([&](KFileDialogRequest& request) {
      requests.push_back(request);
      if (c.answer >= 0) {
        request.file->SetName(KString(c.expected));
      }
      return c.answer;
    });
    KZDialog dialog(u"Browse", KZDialog::kOk, KZDialog::kOk);
    KZString* field = c.file ? dialog.AddBrowseFile(u"/data/start.qve", filter, 20, 255)
                             : dialog.AddBrowseDirectory(u"/data/start.qve", 20, 255);
    auto* button = static_cast<ZafWindowObject*>(field->Next());
    application.Run({[&] { Click(button); }, [] { KZScriptedApplication::Post(KZDialog::kOkResult); }});
    EXPECT_EQ(dialog.Execute(), KZDialog::kOkResult);
    KSetFileDialogHook(nullptr);

    EXPECT_EQ(std::u16string(field->Text()), c.expected);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, c.file ? KFileDialogRequest::Kind::kOpen : KFileDialogRequest::Kind::kFolder);
    EXPECT_NE(requests[0].owner, nullptr) << "owned by the dialog";
    if (c.file) {
      EXPECT_EQ(requests[0].filter.ToUtf8(), filter.ToUtf8()) << "the whole filter";
    }
  }
}

TEST_F(KZDialogTest, NamedBitmapsComeFromTheDataFileAndOutliveTheirUsers) {
  native::test::PrintFolder folder;
  const KString path = KString::FromUtf8(folder.file("kestrove.znc"));
  const uint8_t pixels[] = {1, 2, 3, 4, 5, 6};
  {
    ZafStorage storage(path.CStr(), ZAF_STORAGE_CREATE);
    ZafDataPersistence persistence(&storage);
    ZafBitmapData stored(3, 2, pixels);
    stored.SetStringID(u"Print");
    ASSERT_EQ(stored.Write(persistence), 0);
    persistence.PopLevel();
    ASSERT_EQ(storage.Save(0), 0);
  }
  KZBitmap before(u"Print");
  EXPECT_NE(before.Error(), 0) << "no data file open yet";
  ASSERT_TRUE(application.OpenDataFile(path.CStr()));
  struct Case {
    const char16_t* name;
    int32_t width, height;
    bool found;
  } cases[] = {{u"Print", 3, 2, true}, {u"Missing", 0, 0, false}};
  for (const Case& c : cases) {
    KZBitmap bitmap(c.name);
    EXPECT_EQ(bitmap.Error() == 0, c.found);
    EXPECT_EQ(bitmap.Width(), c.width);
    EXPECT_EQ(bitmap.Height(), c.height);
    EXPECT_FALSE(bitmap.Destroyable());
    if (c.found) {
      EXPECT_TRUE(std::equal(pixels, pixels + 6, bitmap.Pixels()));
    }
  }
}
