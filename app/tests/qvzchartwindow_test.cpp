// The chart window on the headless desktop: its tool bar by the settings, maximize and restore, the line
// switches that every chart window shares, and the legend over the results window's rows.

#include "app/qvzchartwindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/chartprint.h"
#include "app/producttitle.h"
#include "app/qvzchartpane.h"
#include "app/qvzidpane.h"
#include "app/tests/chartwindowbutton.h"
#include "app/tests/frametestbed.h"
#include "chart/cf_textattribs.h"
#include "chart/zafchartcontrol.h"
#include "foundation/krbool.h"
#include "framework/core/zafmenuitem.h"
#include "framework/core/zafpulldownitem.h"
#include "framework/win32/zafgdidisplay.h"
#include "model/qvresult.h"
#include "native/native.h"
#include "native/print/printdlg.h"
#include "native/print/printerdevice.h"
#include "native/tests/printedpages.h"
#include "native/user/virtualkeys.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzpulldownmenu.h"
#include "toolkit/kztbbutton.h"
#include "toolkit/kztbstring.h"
#include "toolkit/kztoolbar.h"

namespace {

// A chart window whose results window is the test's rows.
class RowsChartWindow : public QvZChartWindow {
 public:
  RowsChartWindow() : QvZChartWindow(nullptr, nullptr) {}
  std::optional<ChartRows> Rows() const override { return rows; }
  std::optional<ChartRows> rows;
};

class ChartWindowTest : public FrameTestBed {
 protected:
  explicit ChartWindowTest(std::vector<std::u16string> options = {})
      : FrameTestBed({640, 480, 96}, std::move(options)) {
    QvZChartWindow::SetupClass();
  }
  ~ChartWindowTest() override {
    for (RowsChartWindow* window : windows) {
      ZafWindowObject::windowManager->Subtract(window);
      delete window;
    }
    QvZChartWindow::CleanupClass();
  }

  // A new chart window on the desktop; `prepare` may add to it before it is shown.
  RowsChartWindow* Show(const std::function<void(RowsChartWindow&)>& prepare = {}) {
    auto* window = new RowsChartWindow;
    if (prepare) {
      prepare(*window);
    }
    window->SetRegion({0, 0, 499, 299, ZAF_PIXEL});
    ZafWindowObject::windowManager->Add(window);
    windows.push_back(window);
    driver.pumpUntilIdle();
    return window;
  }

  // The values of the tool bar's buttons, in order.
  static std::vector<int32_t> Buttons(const QvZChartWindow& window) {
    std::vector<int32_t> values;
    for (auto* item = window.ToolBar()->FirstChild(); item != nullptr;
         item = static_cast<ZafWindowObject*>(item->Next())) {
      if (const auto* button = dynamic_cast<const KZTBButton*>(item)) {
        values.push_back(button->Value());
      }
    }
    return values;
  }
  static KZTBButton* Button(const QvZChartWindow& window, int32_t value) {
    return ChartWindowButton(window, value);
  }
  static void Command(QvZChartWindow& window, ZafEventType code) { window.Event(ZafEventRecord(code, 0)); }

  std::vector<RowsChartWindow*> windows;
};

// The program started with "-devel", its frame and menu bar shown.
class DevelopersChartWindowTest : public ChartWindowTest {
 protected:
  DevelopersChartWindowTest() : ChartWindowTest({u"-devel"}) {
    ShowFrame();
    KZApplication::mainMenuBar = QvZControl::GetMenuBar();
  }
  ~DevelopersChartWindowTest() override { KZApplication::mainMenuBar = nullptr; }

  // The menu item of the command, at any depth of the bar.
  static ZafMenuItem* Item(ZafWindowObject* object, int32_t command) {
    if (auto* item = dynamic_cast<ZafMenuItem*>(object)) {
      if (!dynamic_cast<ZafPullDownItem*>(item) && item->Value() == command) {
        return item;
      }
      return Item(&item->Submenu(), command);
    }
    if (auto* window = dynamic_cast<ZafWindow*>(object)) {
      for (auto* child = window->FirstChild(); child; child = static_cast<ZafWindowObject*>(child->Next())) {
        if (ZafMenuItem* found = Item(child, command)) {
          return found;
        }
      }
    }
    return nullptr;
  }
  // "e" for an enabled item, "c" for a checked one, "-" for neither.
  static std::string State(int32_t command) {
    ZafMenuItem* item = Item(KZApplication::mainMenuBar, command);
    if (item == nullptr) {
      return "?";
    }
    std::string state = item->Disabled() ? "" : "e";
    state += item->Selected() ? "c" : "";
    return state.empty() ? "-" : state;
  }
};

}  // namespace

TEST_F(ChartWindowTest, ToolBarMakesTheButtonsItsSettingsAskFor) {
  struct Case {
    const char16_t* setting;
    std::vector<int32_t> expected;
  };
  const Case cases[] = {
      {nullptr, {10482, 10483, 10480, 10485, 10486, 10487, 10488, 10489}},
      {u"\\Event\\Chart\\ToolBar\\Maximize:Int=0", {10482, 10480, 10485, 10486, 10487, 10488, 10489}},
      {u"\\Event\\Chart\\ToolBar\\Print:Int=0", {10483, 10480, 10485, 10486, 10487, 10488, 10489}},
      {u"\\Event\\Chart\\ToolBar\\ExportBitmap:Int=0", {10482, 10483, 10485, 10486, 10487, 10488, 10489}},
  };
  for (const Case& c : cases) {
    if (c.setting != nullptr) {
      Setting(c.setting);
    }
    EXPECT_EQ(Buttons(*Show()), c.expected);
    files.LoadDefaults();
  }
}

TEST_F(ChartWindowTest, MaximizeAndRestoreSwitchPictureAndCommand) {
  RowsChartWindow& window = *Show();
  KZTBButton* button = Button(window, QvZChartWindow::kMaximizeCommand);
  ASSERT_NE(button, nullptr);
  ZafBitmapData* maximizePicture = button->Bitmap();
  Command(window, QvZChartWindow::kMaximizeCommand);
  EXPECT_TRUE(window.Maximized());
  EXPECT_EQ(button->Value(), QvZChartWindow::kRestoreCommand);
  EXPECT_NE(button->Bitmap(), maximizePicture);
  Command(window, QvZChartWindow::kRestoreCommand);
  EXPECT_FALSE(window.Maximized());
  EXPECT_EQ(button->Value(), QvZChartWindow::kMaximizeCommand);
  EXPECT_EQ(button->Bitmap(), maximizePicture);
}

TEST_F(ChartWindowTest, LineSwitchesInvertTheSharedSettings) {
  const struct {
    ZafEventType command;
    const char16_t* setting;
  } lines[] = {{10485, u"\\Chart\\Lines\\ShowSet"},
               {10486, u"\\Chart\\Lines\\ShowGun"},
               {10487, u"\\Chart\\Lines\\ShowLegal"},
               {10488, u"\\Chart\\Lines\\ShowReaction"},
               {10489, u"\\Chart\\Lines\\ShowPower"}};
  RowsChartWindow& first = *Show();
  RowsChartWindow& second = *Show();
  for (const auto& line : lines) {
    SCOPED_TRACE(line.command);
    ZafBitmapData* shown = Button(first, line.command)->Bitmap();
    Command(first, line.command);
    EXPECT_EQ(KRegistry::GetBool(&settings, KString::View(line.setting))->Value(), 0);
    EXPECT_NE(Button(first, line.command)->Bitmap(), shown);
    // The other window follows at its next tool-bar update.
    EXPECT_EQ(Button(second, line.command)->Bitmap(), shown);
    second.UpdateLineButtons(false);
    EXPECT_EQ(Button(second, line.command)->Bitmap(), Button(first, line.command)->Bitmap());
    Command(second, line.command);
    EXPECT_EQ(KRegistry::GetBool(&settings, KString::View(line.setting))->Value(), 1);
  }
}

TEST_F(ChartWindowTest, LegendNamesTheLaneAndTheFirstSetTime) {
  // Lane 3 is left out of the race, so the third row is lane 4's.
  std::vector<std::unique_ptr<QvResult>> results;
  for (const char16_t* lane : {u"1", u"2", u"4", u"5"}) {
    results.push_back(std::make_unique<QvResult>());
    results.back()->SetAthleteField3(KString(lane));
  }
  results[2]->SetTime3(1532);
  results[3]->SetTime3(1400);
  struct Case {
    const char* name;
    bool allCharts;
    int32_t selected;
    bool setTimes;
    const char16_t* expected;
    bool resultsWindow = true;
  };
  const Case cases[] = {
      {"one lane", false, 2, true, u"Lane 4     (Set Time = 1.532s)"},
      {"every lane", true, 2, true, u"     (Set Time = 1.532s)"},
      {"no set time", false, 0, false, u"Lane 1     (Set Time = N/A)"},
      {"no results window", true, -1, false, u"     (Set Time = N/A)", false},
  };
  RowsChartWindow& window = *Show();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChartRows rows;
    for (size_t i = 0; i < (c.setTimes ? results.size() : 2); ++i) {
      rows.results.push_back(results[i].get());
    }
    rows.allCharts = c.allCharts;
    rows.selectedRow = c.selected;
    window.rows = c.resultsWindow ? std::optional<ChartRows>(rows) : std::nullopt;
    window.LegendText({-1, -1});
    EXPECT_EQ(window.ToolBar()->Caption(), KString(c.expected));
    EXPECT_EQ(Button(window, 10488)->Visible(), !c.allCharts);
    EXPECT_EQ(Button(window, 10489)->Visible(), !c.allCharts);
  }
}

// The events that reached the user function of a field, in order.
std::vector<ZafLong> fieldSeen;
ZafLong NoteFieldEvent(ZafWindowObject*, ZafEventRecord&, ZafLong code) {
  fieldSeen.push_back(code);
  return 0;
}

TEST_F(ChartWindowTest, IdPaneDropsEnterAndGivesTheFieldEverythingElse) {
  struct Case {
    const char* name;
    KZTBString* field;
    std::vector<ZafLong> expected;
  };
  std::vector<Case> cases;
  Show([&cases](RowsChartWindow& window) {
    cases = {{"tool-bar field", new KZTBString(8, 80), {ChosenEvent, FocusLoseEvent}},
             {"id pane", new QvZIdPane(&window, 8, 80), {FocusLoseEvent}}};
    for (const Case& c : cases) {
      c.field->SetUserFunction(&NoteFieldEvent);
      window.ToolBar()->Add(c.field);
    }
  });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The bar takes no focus from a click; the field is given it for the Enter key.
    native::SetFocus(c.field->ScreenID());
    driver.pumpUntilIdle();
    fieldSeen.clear();
    driver.pressKey(native::VK_RETURN);
    driver.pumpUntilIdle();
    c.field->Event(ZafEventRecord(FocusLoseEvent, 0));
    EXPECT_EQ(fieldSeen, c.expected);
  }
}

TEST_F(ChartWindowTest, PrintGivesOneHeaderedPageAndARefusedJobPrintsNothing) {
  native::test::PrintFolder folder;
  std::string output = folder.file("chart.pdf");
  native::SetPrintDialogRunner(
      [&output](const native::PrintDialogRequest&, native::PrintDialogChoice& choice) {
        choice.printer = native::PrinterDevice::kPdfFilePrinter;
        choice.outputFile = output;
        choice.paper = native::Paper{};
        return true;
      });
  QvResult result;
  result.SetTime3(1500);
  RowsChartWindow& window = *Show();
  window.rows = ChartRows{{&result}, 0, false};
  ZafDisplay* screen = ZafWindowObject::display;
  EXPECT_TRUE(ChartPrint::Print(*window.Pane()));
  EXPECT_EQ(ZafWindowObject::display, screen);
  EXPECT_EQ(native::test::pdfInfo(output, "Pages"), "1");
  // The page at 60 pixels per inch: the header's lines at the top, the chart below them, the maker line
  // near the bottom.
  ASSERT_EQ(std::system(("pdftoppm -r 60 -gray '" + output + "' '" + folder.file("page") + "'").c_str()), 0);
  const native::test::GreyPicture page = native::test::GreyPicture::read(folder.file("page-1.pgm"));
  ASSERT_GT(page.height, 100);
  const auto darkRows = [&page](double from, double to) {
    int rows = 0;
    for (int y = static_cast<int>(from * page.height); y < static_cast<int>(to * page.height); ++y) {
      for (int x = 0; x < page.width; ++x) {
        if (page.dark(x, y)) {
          ++rows;
          break;
        }
      }
    }
    return rows;
  };
  EXPECT_GT(darkRows(0.0, 0.08), 0) << "header";
  EXPECT_GT(darkRows(0.3, 0.7), 10) << "chart";
  EXPECT_GT(darkRows(0.9, 1.0), 0) << "maker line";

  output = folder.file("missing/chart.pdf");
  EXPECT_FALSE(ChartPrint::Print(*window.Pane()));
  native::SetPrintDialogRunner(nullptr);
}

TEST_F(ChartWindowTest, PanesShareOneEightPointLabelFontForEveryAxis) {
  auto* screen = dynamic_cast<ZafGdiDisplay*>(ZafWindowObject::display);
  ASSERT_NE(screen, nullptr);
  RowsChartWindow& first = *Show();
  RowsChartWindow& second = *Show();
  const int32_t slot = first.Pane()->LoadOptions().labelFont;
  ASSERT_GE(slot, 0);
  EXPECT_EQ(second.Pane()->LoadOptions().labelFont, slot);
  ZafIChar face[64] = {};
  int32_t points = 0;
  bool bold = true;
  bool italic = true;
  ASSERT_EQ(screen->FontInfo(slot, face, 64, points, bold, italic), 0);
  EXPECT_EQ(std::u16string(face), u"helvetica");
  EXPECT_FALSE(bold);
  // The size the display reports for a font asked for at 8 points.
  const int32_t reference = screen->ConvertToOSFont(-1, u"helvetica", 8, false, false);
  ZafIChar referenceFace[64] = {};
  int32_t referencePoints = 0;
  ASSERT_EQ(screen->FontInfo(reference, referenceFace, 64, referencePoints, bold, italic), 0);
  screen->DestroyOSFont(reference);
  EXPECT_EQ(points, referencePoints);

  QvResult result;
  first.rows = ChartRows{{&result}, 0, false};
  first.LegendText({-1, -1});
  for (int32_t axis = 1; axis <= 4; ++axis) {
    SCOPED_TRACE(axis);
    const cf_TextAttribs& labels = first.Pane()->Control()->GetAxisLabelTextAttribs(axis);
    EXPECT_EQ(labels.fontIndex, slot);
    EXPECT_EQ(labels.described, 0);
  }
}

TEST_F(DevelopersChartWindowTest, MenuUpdateOffersTheDevelopmentItemsInOneLaneOnly) {
  QvResult result;
  RowsChartWindow& window = *Show();
  struct Case {
    const char* name;
    bool allCharts;
    int32_t selected;
    std::vector<std::string> expected;  // 10480, 10167, 10169, 10173, 10174, 10175
  };
  const Case cases[] = {
      {"one lane", false, 0, {"e", "e", "e", "ec", "e", "ec"}},
      {"every lane", true, 0, {"e", "e", "-", "-", "-", "-"}},
      {"no row selected", false, -1, {"-", "-", "-", "-", "-", "-"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window.rows = ChartRows{{&result}, c.selected, c.allCharts};
    KZApplication::mainMenuBar->ResetItems();
    window.Event(ZafEventRecord(UpdateMenuEvent, 0));
    std::vector<std::string> states;
    for (const int32_t command : {10480, 10167, 10169, 10173, 10174, 10175}) {
      states.push_back(State(command));
    }
    EXPECT_EQ(states, c.expected);
  }
}
