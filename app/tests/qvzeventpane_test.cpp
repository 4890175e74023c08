#include "app/qvzeventpane.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/qvzeventtitle.h"
#include "app/qvzeventwindow.h"
#include "app/qvzwindwindowdialog.h"
#include "app/tests/dialogtestsupport.h"
#include "framework/core/zafpopupmenu.h"
#include "framework/core/zafwindowmanager.h"
#include "imaging/ui/yzcameradialog.h"
#include "imaging/yimage.h"
#include "model/qvevent.h"
#include "model/qveventview.h"
#include "model/qvresults.h"
#include "model/yleg.h"
#include "model/ystart.h"
#include "model/ywind.h"
#include "native/native.h"
#include "toolkit/kzeditableselectorstring.h"
#include "toolkit/kzpopupmenu.h"
#include "toolkit/kzstring.h"

namespace {

// Rows of the event below, in the view's order.
enum Row : int32_t { kEventRow, kStartRow, kWindRow, kLegRow, kResultsRow, kImageRow };

// An event with one item of each kind: its heat number is empty, its start has no time, its wind no units,
// its leg captures from 1.5 s for 4 s, and its leg's image comes from a raw camera.
class QvZEventPaneTest : public KZDialogTest {
 protected:
  QvZEventPaneTest() {
    event.SetTitle(KString(u"Final"));
    event.SetEventRoundHeat(KString(u"12"), KString(u"1"), KString());
    event.NewStart()->SetName(KString(u"Gun"));
    wind = event.NewWind();
    YLeg* leg = event.NewLeg();
    leg->SetName(KString(u"Leg 1"));
    leg->SetParameter1(1500);
    leg->SetParameter2(4000);
    leg->Results().SetName(KString(u"Heat results"));
    image = static_cast<YImage*>(leg->InsertImage(0, std::make_unique<YImage>(), 0));
    image->Camera().SetParameter(0, YCamera::kTypeRaw, false);
    image->Camera().SetName(KString(u"Cam"));
    window = std::make_unique<QvZEventWindow>(nullptr, &view);
  }

  QvZEventPane& Pane() { return *window->Pane(); }
  std::string Cell(int32_t row, int32_t column) {
    KString text;
    uint32_t flags = 0;
    Pane().CellText({0, row}, column, text, flags);
    return text.ToUtf8();
  }
  std::string Title(int32_t row, int32_t column) {
    Pane().SetCurrentCell({0, row});
    KString text;
    uint32_t flags = 0;
    Pane().Title()->CellText(column, text, flags);
    return text.ToUtf8();
  }
  void Edit(int32_t row, int32_t column, const char16_t* text) {
    Pane().SetCurrentCell({0, row});
    ASSERT_TRUE(Pane().CanEditCell({0, row}, column));
    KZEditableSelectorString editor(&Pane(), KRect{0, 0, 10, 10}, text);
    Pane().StoreEdit(column, editor, KZEditableSelector::kEndByEnter);
  }
  ZafEventType Command(int32_t row, ZafEventType code) {
    Pane().SetCurrentCell({0, row});
    return window->Event(ZafEventRecord(code, 0));
  }
  template <typename Front>
  static Front* FrontWindow() {
    return dynamic_cast<Front*>(ZafWindowObject::windowManager->First());
  }

  QvEvent event;
  QvEventView view{&event};
  YWind* wind = nullptr;
  YImage* image = nullptr;
  std::unique_ptr<QvZEventWindow> window;
};

}  // namespace

TEST_F(QvZEventPaneTest, EachKindOfRowShowsItsItemsTexts) {
  Setting(u"\\Strings\\Event\\Start\\Manual:String=Manual");
  Setting(u"\\Strings\\Event\\Image\\Fields\\Low:String=Low");
  Setting(u"\\Strings\\Event\\Image\\Fields\\Full:String=Full");
  Setting(u"\\Strings\\Event\\Wind\\Mode\\Custom:String=Custom");
  wind->SetMode(1, 2000, 10500);
  struct Case {
    int32_t row;
    int32_t column;
    const char* text;
  } cases[] = {
      {kEventRow, 0, "Final"},
      // Without a heat number the numbers stay empty.
      {kEventRow, 1, ""},
      {kStartRow, 0, "Gun"},
      {kStartRow, 1, " Manual"},
      {kWindRow, 1, ""},
      {kWindRow, 3, "Custom (2.0,10.5)"},
      {kLegRow, 0, "Leg 1"},
      {kLegRow, 1, "1.5"},
      {kLegRow, 2, "4.0"},
      {kResultsRow, 0, "Heat results"},
      {kImageRow, 0, "Cam"},
      {kImageRow, 1, "100"},
      {kImageRow, 2, "Low"},
      {kImageRow, 3, "Full"},
      {kImageRow, 4, "1"},
  };
  ASSERT_EQ(Pane().KindOf(kImageRow), QvEventView::kImageRow);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.row) + "," + std::to_string(c.column));
    EXPECT_EQ(Cell(c.row, c.column), c.text);
  }
  event.SetEventRoundHeat(KString(u"12"), KString(u"1"), KString(u"3"));
  EXPECT_EQ(Cell(kEventRow, 3), "3");
}

TEST_F(QvZEventPaneTest, WithoutALanguageFileOnlyTheResultsTitleHasAText) {
  for (int32_t row = kEventRow; row <= kImageRow; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(Title(row, 0), row == kResultsRow ? "Results" : "");
  }
}

TEST_F(QvZEventPaneTest, EditsInPlaceStoreIntoTheirItems) {
  Edit(kEventRow, 0, u"Semi-final");
  EXPECT_EQ(event.GetTitle().ToUtf8(), "Semi-final");
  // A wind without units takes a typed reading in metres per second.
  Edit(kWindRow, 1, u"-1.25");
  EXPECT_EQ(wind->Units(), YWind::kMetresPerSecond);
  EXPECT_EQ(wind->Hundredths(), -125);
  Edit(kLegRow, 2, u"6.5");
  EXPECT_EQ(event.Leg(0)->Parameter2(), 6500);
  Edit(kLegRow, 1, u"soon");
  EXPECT_EQ(event.Leg(0)->Parameter1(), 1500);
  Edit(kImageRow, 1, u"450");
  EXPECT_EQ(image->Camera().Parameter(8), 450);
  Edit(kImageRow, 4, u"20");
  EXPECT_EQ(image->Camera().Parameter(12), 20);
  image->Camera().SetParameter(11, 0, false);
  EXPECT_FALSE(Pane().CanEditCell({0, kImageRow}, 4)) << "the gain only under manual gain";
}

TEST_F(QvZEventPaneTest, WindModesAskForTheirMeasuringWindowFirst) {
  wind->SetMode(0, 1000, 3000);
  struct Case {
    const char* name;
    ZafEventType command;
    ZafEventType answer;
    bool startShown;
    bool durationShown;
    int32_t mode;
    int32_t startOffset;
    int32_t duration;
  } cases[] = {
      {"100Meter at once", 10192, 0, false, false, 2, 1000, 3000},
      {"200Meter cancelled", 10193, KZDialog::kCancelResult, true, false, 2, 1000, 3000},
      {"200Meter taken", 10193, KZDialog::kOkResult, true, false, 3, 20000, 3000},
      {"Manual taken", 10190, KZDialog::kOkResult, false, true, 0, 20000, 10000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool asked = false;
    std::string startText;
    bool durationShown = true;
    application.Run({[&] {
      auto* dialog = FrontWindow<QvZWindWindowDialog>();
      ASSERT_NE(dialog, nullptr);
      asked = true;
      startText = dialog->StartField() ? Narrow(dialog->StartField()->Text()) : "";
      durationShown = dialog->DurationField() != nullptr;
      KZScriptedApplication::Post(c.answer);
    }});
    Command(kWindRow, c.command);
    EXPECT_EQ(asked, c.answer != 0);
    if (asked) {
      EXPECT_EQ(!startText.empty(), c.startShown);
      EXPECT_EQ(startText.empty() ? "" : startText, c.startShown ? "20.000" : "");
      EXPECT_EQ(durationShown, c.durationShown);
    }
    EXPECT_EQ(wind->Mode(), c.mode);
    EXPECT_EQ(wind->StartOffset(), c.startOffset);
    EXPECT_EQ(wind->Duration(), c.duration);
  }
}

TEST_F(QvZEventPaneTest, PopUpsMarkTheCurrentChoice) {
  struct Case {
    const char* name;
    int32_t row;
    int32_t column;
    int32_t checked;
  } cases[] = {
      {"a wind without units marks NoReading", kWindRow, 2, 3},
      {"the wind's mode", kWindRow, 3, 0},
      {"the raw camera's low density", kImageRow, 2, 2},
      {"the raw camera's full frames", kImageRow, 3, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<KZPopUpMenu> menu = Pane().MakePopup({0, c.row}, c.column, {10, 10});
    ASSERT_NE(menu, nullptr);
    for (int32_t item = 0; FindItem(*menu, item, true); ++item) {
      EXPECT_EQ(IsItemChecked(*menu, item, true), item == c.checked) << item;
    }
  }
  EXPECT_EQ(Pane().MakePopup({0, kLegRow}, 1, {10, 10}), nullptr);
}

TEST_F(QvZEventPaneTest, ChoicesOfThePopUpsSetTheirItems) {
  Command(kWindRow, 10205);
  EXPECT_EQ(wind->Units(), YWind::kMetresPerSecond);
  Command(kWindRow, 10206);
  EXPECT_FALSE(wind->HasUnits());
  Command(kImageRow, 10196);
  EXPECT_EQ(image->Camera().Parameter(7), 0);
  Command(kImageRow, 10200);
  EXPECT_EQ(image->Camera().Parameter(5), 1);
  // On another kind of row the image commands change nothing.
  Command(kWindRow, 10201);
  EXPECT_EQ(image->Camera().Parameter(5), 1);
}

TEST_F(QvZEventPaneTest, TheInformationButtonOpensTheCameraDialogOnAnImageRow) {
  for (int32_t row : {kWindRow, kImageRow}) {
    SCOPED_TRACE(row);
    bool opened = false;
    application.Run({[&] {
      opened = FrontWindow<YZCameraDialog>() != nullptr;
      KZScriptedApplication::Post(KZDialog::kCancelResult);
    }});
    Command(row, QvZEventPane::kInformation);
    EXPECT_EQ(opened, row == kImageRow);
    EXPECT_EQ(image->Camera().Parameter(8), 100) << "the dialog edits a copy";
  }
}
