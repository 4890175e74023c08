#include "imaging/ui/yzimagewindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "foundation/kperiodictask.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafeventrecord.h"
#include "framework/data/zafbitmapdata.h"
#include "framework/win32/zafnativecontrol.h"
#include "imaging/ui/tests/imagepanetestbed.h"
#include "imaging/ui/yzimagetoolitems.h"
#include "imaging/yimage.h"
#include "imaging/yimageview.h"
#include "model/qvresults.h"
#include "native/user/menupopup.h"
#include "testing/testpictures.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzpopupmenu.h"
#include "toolkit/kzpulldownitem.h"
#include "toolkit/kzpulldownmenu.h"
#include "toolkit/kztbbutton.h"
#include "toolkit/kztoolbar.h"

namespace {

// A window that records its result menus instead of tracking them, unless it is asked to track them.
class TestImageWindow : public YZImageWindow {
 public:
  using YZImageWindow::YZImageWindow;
  void ShowResultMenu(KPoint screen, const std::vector<std::pair<ZafEventType, KString>>& items) override {
    menus.push_back(items);
    if (tracksMenus) {
      YZImageWindow::ShowResultMenu(screen, items);
    }
  }
  std::vector<std::vector<std::pair<ZafEventType, KString>>> menus;
  bool tracksMenus = false;
};

// While it lives, the first time a pop-up menu owned by `owner` waits for input, the item at `index` is
// clicked; any later wait closes the menu with Escape, so that a test never hangs on an open menu.
class MenuItemClick {
 public:
  MenuItemClick(native::TestDriver& driver, native::HWND owner, size_t index)
      : driver(driver), owner(owner), index(index) {
    active = this;
    previous = reinterpret_cast<native::WNDPROC>(
        native::SetWindowLong(owner, native::GWL_WNDPROC, reinterpret_cast<native::LONG_PTR>(&Procedure)));
  }
  ~MenuItemClick() {
    native::SetWindowLong(owner, native::GWL_WNDPROC, reinterpret_cast<native::LONG_PTR>(previous));
    active = nullptr;
  }
  MenuItemClick(const MenuItemClick&) = delete;
  MenuItemClick& operator=(const MenuItemClick&) = delete;

  bool clicked = false;

 private:
  static native::LRESULT Procedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                   native::LPARAM lParam) {
    MenuItemClick& self = *active;
    if (message == native::WM_ENTERIDLE && wParam == native::MSGF_MENU) {
      const std::vector<native::RECT> entries =
          native::MenuPopup::screenEntries(reinterpret_cast<native::HWND>(lParam));
      if (!self.clicked && self.index < entries.size()) {
        const native::RECT& entry = entries[self.index];
        self.clicked = true;
        self.driver.click((entry.left + entry.right) / 2, (entry.top + entry.bottom) / 2);
      } else {
        native::PostMessage(window, native::WM_KEYDOWN, native::VK_ESCAPE, 0);
      }
    }
    return native::CallWindowProc(self.previous, window, message, wParam, lParam);
  }

  static inline MenuItemClick* active = nullptr;
  native::TestDriver& driver;
  native::HWND owner;
  size_t index;
  native::WNDPROC previous = nullptr;
};

class ImageWindowTest : public ImagePaneTest {
 protected:
  void SetUp() override {
    ImagePaneTest::SetUp();
    for (const char16_t* key :
         {u"NoTime", u"NoValue", u"HasTime", u"Invalid", u"CloseToAnother", u"NotInList"}) {
      Setting(u"\\Strings\\Event\\Image\\EnterResultDlg\\" + std::u16string(key) + u":String=" + key);
    }
    Setting(u"\\Strings\\Event\\Image\\EnterResultDlg\\Title:String=Result");
    Setting(u"\\Strings\\Event\\Image\\UncropText:String=Uncrop");
    YZImageWindow::Register();
  }
  void TearDown() override {
    KZApplication::mainMenuBar = nullptr;
    if (window) {
      ZafWindowObject::windowManager->Subtract(window);
      delete window;
    }
    YZImageWindow::Unregister();
    ImagePaneTest::TearDown();
  }
  // The tool bar as the built-in settings have it.
  void DefaultToolBar() {
    for (const char16_t* line :
         {u"IdMethod:Int=1", u"ZoomInOut:Int=1", u"ZoomSelector:Int=0", u"Crop:Int=1", u"AutoCrop:Int=1",
          u"FindObject:Int=1", u"Enhance:Int=1", u"Print:Int=1", u"Maximize:Int=1"}) {
      Setting(u"\\Event\\Image\\ToolBar\\" + std::u16string(line));
    }
  }
  TestImageWindow* ShowWindow(YImageView* shown) {
    window = new TestImageWindow(shown);
    window->SetRegion({0, 0, 479, 299, ZAF_PIXEL});
    return Show(window);
  }
  void Identify(int32_t method, const char16_t* text) {
    image->Camera().SetParameter(18, method, false);
    window->IdPane()->SetText(text);
  }
  KString Bitmap(YZImageWindow::Button button) {
    ZafBitmapData* bitmap = window->ButtonAt(button)->Bitmap();
    return bitmap ? KString(bitmap->StringID()) : KString(u"none");
  }

  TestImageWindow* window = nullptr;
};

TEST_F(ImageWindowTest, TheToolBarShowsTheButtonsItsSettingsAskFor) {
  struct Case {
    const char* name;
    const char16_t* extra;
    bool selector;
    bool crop;
  } cases[] = {{"the built-in settings", nullptr, false, true},
               {"the zoom selector on", u"\\Event\\Image\\ToolBar\\ZoomSelector:Int=1", true, true},
               {"crop off", u"\\Event\\Image\\ToolBar\\Crop:Int=0", false, false}};
  {
    TestImageWindow bare(view);
    EXPECT_EQ(bare.ToolBar()->Count(), 4) << "the title, the identification field and two spacers";
    for (int button = 0; button < YZImageWindow::kButtonCount; ++button) {
      EXPECT_EQ(bare.ButtonAt(static_cast<YZImageWindow::Button>(button)), nullptr)
          << "an absent setting counts as 0";
    }
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DefaultToolBar();
    if (c.extra) {
      Setting(c.extra);
    }
    TestImageWindow shown(view);
    EXPECT_EQ(shown.ToolBar()->Count(), 13 + (c.selector ? 1 : 0) - (c.crop ? 0 : 1));
    EXPECT_EQ(shown.ZoomSelector() != nullptr, c.selector);
    EXPECT_EQ(shown.ButtonAt(YZImageWindow::kCropButton) != nullptr, c.crop);
    for (const auto button :
         {YZImageWindow::kIdMethod, YZImageWindow::kZoomOutButton, YZImageWindow::kZoomInButton,
          YZImageWindow::kAutoCropButton, YZImageWindow::kFindObjectButton, YZImageWindow::kEnhanceButton,
          YZImageWindow::kPrintButton, YZImageWindow::kMaximizeButton}) {
      EXPECT_NE(shown.ButtonAt(button), nullptr) << button;
    }
    EXPECT_EQ(view->Window(), &shown);
  }
  EXPECT_EQ(view->Window(), nullptr) << "a window that goes lets go of its view";
}

TEST_F(ImageWindowTest, ASnapshotShowsTheConfiguredToolBarOverTheImageAndItsResultLines) {
  DefaultToolBar();
  Setting(u"\\Event\\Image\\Hash\\Color:Int=1");
  Setting(u"\\Event\\Image\\Hash\\ShowLines:Int=1");
  AddResultAt(30);
  AddResultAt(60);
  // The buttons' pictures, as the program reads them at start.
  ASSERT_TRUE(application.OpenDataFile(KESTROVE_PROGRAM_DIR u"/kestrove.znc"));
  YZImageWindow::Register();
  ShowWindow(view);
  view->SetShowLines(true);
  window->Pane()->Redisplay();
  driver.pumpUntilIdle();
  driver.snapshot(TestPicturePath("imagewindow.png"));

  // Each button of the tool bar shows its picture: more than one colour inside the button's 3-pixel edge (a
  // button without its picture is no wider than its edges).
  const auto coloursInside = [this](ZafWindowObject* object) {
    const native::RECT rect = driver.screenRect(object->ScreenID());
    std::set<native::COLORREF> colours;
    for (int32_t y = rect.top + 3; y < rect.bottom - 3; ++y) {
      for (int32_t x = rect.left + 3; x < rect.right - 3; ++x) {
        colours.insert(driver.pixel(x, y));
      }
    }
    return colours.size();
  };
  for (int button = 0; button < YZImageWindow::kButtonCount; ++button) {
    KZTBButton* shown = window->ButtonAt(static_cast<YZImageWindow::Button>(button));
    ASSERT_NE(shown, nullptr) << button;
    EXPECT_GT(coloursInside(shown), 1u) << button;
  }
  EXPECT_EQ(window->ZoomSelector(), nullptr);
  // Under the tool bar: the image, and the results' lines in red.
  const auto pixelAt = [this](KPoint unit) {
    const KPoint at = window->Pane()->UnitToScreen(unit);
    return driver.pixel(at.x, at.y);
  };
  EXPECT_EQ(pixelAt({10, 5}), native::COLORREF{0x420000}) << "the image";
  for (const int32_t frame : {30, 60}) {
    EXPECT_EQ(pixelAt({frame, 5}), native::COLORREF{0x0000FF}) << "the line of the result at " << frame;
  }
}

TEST_F(ImageWindowTest, TheZoomSelectorsEnterZoomsToAnIntegerTextOnly) {
  Setting(u"\\Event\\Image\\ToolBar\\ZoomSelector:Int=1");
  ShowWindow(view);
  YZZoomSelector* selector = window->ZoomSelector();
  ASSERT_NE(selector, nullptr);
  struct Case {
    const char16_t* text;
    int32_t numerator;
    int32_t denominator;
  } cases[] = {{u"150", 3, 2}, {u"abc", 3, 2}, {u"15o", 3, 2}, {u" 50 ", 1, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(KString(c.text).ToUtf8());
    selector->SetText(c.text);
    ZafEventRecord enter(E_KEY, 13);
    enter.modifiers = 512;
    enter.referenceObject = selector;
    EXPECT_EQ(selector->Event(enter), YZImageWindow::kZoomSelect);
    const YZoom& zoom = view->Zoom();
    EXPECT_EQ(zoom.XNumerator() * c.denominator, zoom.XDenominator() * c.numerator);
    EXPECT_EQ(zoom.YNumerator() * c.denominator, zoom.YDenominator() * c.numerator);
  }
  // Choosing "200" from the list zooms as entering it does.
  ZafWindowObject* choice = selector->FindItem(u"200");
  ASSERT_NE(choice, nullptr);
  selector->SelectByText(u"200");
  ZafCallUserCallback(*choice, ZafEventRecord(0, 0), ChosenEvent);
  EXPECT_EQ(view->Zoom().XNumerator(), 2 * view->Zoom().XDenominator());
}

TEST_F(ImageWindowTest, EnteringAResultRefusesOrAsksAtEachStep) {
  struct Case {
    const char* name;
    int32_t cursor;  // the cursor's frame, -1 for none
    bool timed;
    int32_t method;
    const char16_t* id;
    int32_t givenFrame;  // a result of lane "4" with this time, -1 for none
    int32_t givenStatus;
    int32_t otherFrame;  // a result of lane "7" with this time, -1 for none
    bool answerOk;
    std::vector<std::string> errors;
    std::vector<std::string> questions;
    int32_t results;  // in the list afterwards
    bool entered;     // a result of the id holds the cursor's time
  } cases[] = {
      {"no cursor", -1, true, 1, u"4", -1, 0, -1, true, {"NoTime"}, {}, 0, false},
      {"a time without resolution", 60, false, 1, u"4", -1, 0, -1, true, {"NoTime"}, {}, 0, false},
      {"an empty identification", 60, true, 1, u"", -1, 0, -1, true, {"NoValue"}, {}, 0, false},
      {"an existing time, Cancel", 60, true, 1, u"4", 20, 0, -1, false, {}, {"HasTime"}, 1, false},
      {"an existing time, Ok", 60, true, 1, u"4", 20, 0, -1, true, {}, {"HasTime"}, 1, true},
      {"a status other than 0", 60, true, 1, u"4", -1, 2, -1, false, {}, {"Invalid"}, 1, false},
      {"close to another's time",
       60,
       true,
       1,
       u"4",
       -1,
       1,
       61,
       true,
       {},
       {"Invalid", "CloseToAnother"},
       2,
       true},
      {"not in a sorted list, Cancel", 60, true, 1, u"9", -1, 0, -1, false, {}, {"NotInList"}, 0, false},
      {"not in a sorted list, Ok", 60, true, 1, u"9", -1, 0, -1, true, {}, {"NotInList"}, 1, true},
      {"in an unsorted list: no question", 110, true, 1, u"9", 20, 0, 0, true, {}, {}, 3, true},
      {"by nothing", 60, true, 0, u"", -1, 0, -1, true, {}, {}, 1, true},
  };
  ShowWindow(nullptr);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    event = std::make_unique<QvEvent>();
    image = images.AddPaintedImage(*event->NewLeg(), kFrames, [](int32_t, int32_t) { return kPaint; });
    image->Camera().SetParameter(4, c.timed ? 8 : 0, false);
    image->Camera().SetParameter(8, 8000, false);
    view = image->View(1, true);
    window->SetImage(view);
    if (c.givenFrame >= 0 || c.givenStatus != 0) {
      QvResult* given = event->Leg(0)->Results().NewResult();
      given->SetAthleteField(3, u"4");
      given->SetStatus(c.givenStatus);
      if (c.givenFrame >= 0) {
        given->SetFinishTime(YTime(100 + 10 * c.givenFrame, 1, 8, -1));
      }
    }
    if (c.otherFrame >= 0) {
      QvResult* other = event->Leg(0)->Results().NewResult();
      other->SetAthleteField(3, u"7");
      other->SetFinishTime(YTime(100 + 10 * c.otherFrame, 1, 8, -1));
    }
    Identify(c.method, c.id);
    if (c.cursor >= 0) {
      window->Pane()->SetCursor({c.cursor, 20});
    }
    reporter = {};
    reporter.answerOk = c.answerOk;
    const unsigned beeps = driver.beepCount();
    window->EnterResult(nullptr);
    EXPECT_EQ(reporter.errorMessages, c.errors);
    EXPECT_EQ(reporter.questions, c.questions);
    EXPECT_EQ(driver.beepCount() - beeps, c.errors.size() + c.questions.size());
    QvResults& results = event->Leg(0)->Results();
    EXPECT_EQ(results.Count(), c.results);
    const QvResult* entered = c.method == 0 ? results.Previous(nullptr) : results.FindByField(3, c.id);
    EXPECT_EQ(entered && entered->GetMainTime(nullptr) == YTime(100 + 10 * c.cursor, 1, 8, -1), c.entered);
    if (c.method == 0 && entered) {
      EXPECT_TRUE(entered->AthleteField(3).IsEmpty()) << "only the finish time";
    }
    window->SetImage(nullptr);
  }
  EXPECT_EQ(reporter.errorTitles, std::vector<std::string>{}) << "every case cleared the reporter";
}

TEST_F(ImageWindowTest, ThePaneFillsTheWindowUnderTheToolBar) {
  DefaultToolBar();
  ShowWindow(view);
  const ZafRegionStruct bar = window->ToolBar()->Region();
  const KPoint corner = window->Pane()->ToScreenPoint({0, 0});
  const KPoint barCorner = window->ToolBar()->ToScreenPoint({0, 0});
  EXPECT_EQ(corner.y, barCorner.y + bar.Height());
  // The painted image's dark blue, at its first and its last pixel.
  for (const KPoint unit : {KPoint(0, 0), KPoint(kFrames - 1, 39)}) {
    const KPoint at = window->Pane()->UnitToScreen(unit);
    EXPECT_EQ(driver.pixel(at.x, at.y), native::COLORREF{0x420000}) << unit.x;
  }
  EXPECT_GT(window->Pane()->ClientPixels().y, 200);
}

TEST_F(ImageWindowTest, ArrowKeysRunTheCursorFiveTimesAsFarAfterOneAndAHalfSecondsAcrossTheTickWrap) {
  struct Case {
    const char* name;
    uint32_t start;
    int32_t gap;  // ms between presses
    int32_t x;    // the cursor's column after 18 presses from column 10
  } cases[] = {{"a run", 1000, 100, 36},
               {"a run across the wrap", 0xFFFFFF00u, 100, 36},
               {"presses too far apart", 0xFFFFFF00u, 150, 28}};
  ShowWindow(view);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KPeriodicTask::VirtualClock clock(c.start);
    window->Pane()->SetCursor({10, 20});
    for (int press = 0; press < 18; ++press) {
      clock.Advance(press == 0 ? 0 : c.gap);
      window->Event(ZafEventRecord(YZImagePane::kRightKey, 0));
    }
    EXPECT_EQ(view->Origin().x, c.x);
  }
}

TEST_F(ImageWindowTest, TheResultMenuOffersTheLastHundredResultsLastFirst) {
  ShowWindow(view);
  QvResults& results = event->Leg(0)->Results();
  EXPECT_FALSE(window->EnterResultPopup({5, 5})) << "an empty list";
  while (QvResult* result = results.NewResult()) {
    KString lane;
    lane.AppendInt(results.Count());
    result->SetAthleteField(3, lane);
    result->SetAthleteField(2, u"Name");
  }
  ASSERT_EQ(results.Count(), 100) << "a leg holds at most 100 results";
  Identify(0, u"");
  EXPECT_FALSE(window->EnterResultPopup({5, 5})) << "identification by nothing";
  Identify(1, u"");
  EXPECT_TRUE(window->EnterResultPopup({5, 5}));
  ASSERT_EQ(window->menus.size(), 1u);
  const auto& items = window->menus[0];
  ASSERT_EQ(items.size(), 100u);
  EXPECT_EQ(items.front().first, 10378);
  EXPECT_EQ(items.front().second.ToUtf8(), "100\tName");
  EXPECT_EQ(items.back().first, 10477);
  EXPECT_EQ(items.back().second.ToUtf8(), "1\tName");
  // Choosing an item enters the time for that result.
  window->Pane()->SetCursor({60, 20});
  EXPECT_EQ(window->Event(ZafEventRecord(10379, 0)), 10378);
  EXPECT_EQ(results.FindByField(3, u"99")->GetMainTime(nullptr), YTime(700, 1, 8, -1));
}

TEST_F(ImageWindowTest, AClickOnAPopUpMenusItemTakesEffect) {
  struct Case {
    const char* name;
    std::function<void()> open;
    size_t item;
    std::function<void()> check;
  };
  QvResults& results = event->Leg(0)->Results();
  const Case cases[] = {
      {"the result menu's second result after a shift click",
       [&] {
         const KPoint at = window->Pane()->UnitToPixel({60, 20});
         ZafEventRecord press = Pointer(window->Pane(), kLeftPress, at.x, at.y);
         press.modifiers = 1;  // Shift
         window->Pane()->Event(press);
       },
       1, [&] { EXPECT_EQ(results.FindByField(3, u"2")->GetMainTime(nullptr), YTime(700, 1, 8, -1)); }},
      {"the selection menu's Crop after a right drag",
       [&] {
         const KPoint from = window->Pane()->UnitToPixel({20, 10});
         const KPoint to = window->Pane()->UnitToPixel({40, 30});
         window->Pane()->Event(Pointer(window->Pane(), kRightPress, from.x, from.y));
         window->Pane()->Event(Pointer(window->Pane(), {0x2000, 1008}, to.x, to.y));
       },
       0, [&] { EXPECT_EQ(image->FrameCount(), 99); }},
  };
  for (const char16_t* item : {u"Crop", u"Enhance", u"ExportBitmap", u"Print"}) {
    Setting(u"\\Strings\\Event\\Image\\SelectionPopup\\" + std::u16string(item) + u":String=" + item);
  }
  for (const char16_t* lane : {u"1", u"2", u"3"}) {
    QvResult* result = results.NewResult();
    result->SetAthleteField(3, lane);
    result->SetAthleteField(2, u"Name");
  }
  ShowWindow(view)->tracksMenus = true;
  Identify(1, u"");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window->Pane()->SetCursor({60, 20});
    MenuItemClick click(driver, window->ScreenID(2), c.item);
    c.open();
    EXPECT_TRUE(click.clicked) << "no menu waited for input";
    ZafEventRecord queued;
    while (ZafWindowObject::eventManager->Get(queued, Q_NO_BLOCK) == Q_EVENT_TAKEN) {
      ZafWindowObject::windowManager->Event(queued);
    }
    c.check();
  }
}

TEST_F(ImageWindowTest, ToolBarCommandsChangeTheImageAndTheButtonsFollow) {
  DefaultToolBar();
  ShowWindow(view);
  KZPullDownMenu menu;
  auto* commands = new KZPullDownItem(u"&Image");
  const ZafEventType menuCodes[] = {10250, 10251, 10255, 10256, 10257};
  for (const ZafEventType code : menuCodes) {
    commands->AddMenuItem(new KZPopUpItem(code, u"x", ZAF_ITEM_ORDINARY));
  }
  menu.Add(commands);
  KZApplication::mainMenuBar = &menu;
  auto enabled = [&] {
    std::string flags;
    menu.ResetItems();
    window->Event(ZafEventRecord(UpdateMenuEvent, 0));
    for (int32_t index = 0; index < 5; ++index) {
      flags += FindItem(commands->Submenu(), index, true)->Disabled() ? '-' : '+';
    }
    return flags;
  };
  EXPECT_EQ(enabled(), "-----");
  EXPECT_EQ(Bitmap(YZImageWindow::kCropButton).ToUtf8(), "Crop");
  EXPECT_EQ(Bitmap(YZImageWindow::kEnhanceButton).ToUtf8(), "Unenhance");
  window->Event(ZafEventRecord(YZImageWindow::kUncrop, 0));
  EXPECT_TRUE(reporter.questions.empty()) << "uncrop without cuts asks nothing";

  view->SetMarks({20, 10, 40, 30});
  view->SetShowLines(true);
  EXPECT_EQ(enabled(), "+-+-+") << "crop, enhance and white balance with marks";
  EXPECT_EQ(Bitmap(YZImageWindow::kEnhanceButton).ToUtf8(), "Enhance");
  EXPECT_EQ(window->ButtonAt(YZImageWindow::kEnhanceButton)->Value(), 10255);

  window->Event(ZafEventRecord(YZImageWindow::kEnhance, 0));
  EXPECT_NE(image->Flags() & YImage::kEnhancedTables, 0u);
  EXPECT_FALSE(view->MarksShown());
  EXPECT_EQ(enabled(), "---+-") << "unenhance once enhanced";
  EXPECT_EQ(Bitmap(YZImageWindow::kEnhanceButton).ToUtf8(), "Unenhance");
  window->Event(ZafEventRecord(YZImageWindow::kUnenhance, 0));
  EXPECT_EQ(image->Flags() & YImage::kEnhancedTables, 0u);

  view->SetShowLines(true);
  window->Event(ZafEventRecord(YZImageWindow::kCrop, 0));
  EXPECT_EQ(image->FrameCount(), kFrames - 21);
  EXPECT_EQ(enabled(), "-+---") << "uncrop once cut";
  EXPECT_EQ(Bitmap(YZImageWindow::kCropButton).ToUtf8(), "Uncrop");
  EXPECT_EQ(window->ButtonAt(YZImageWindow::kCropButton)->Value(), 10251);

  reporter.answerOk = false;
  window->Event(ZafEventRecord(YZImageWindow::kUncrop, 0));
  EXPECT_EQ(reporter.questions, std::vector<std::string>{"Uncrop"});
  EXPECT_EQ(image->FrameCount(), kFrames - 21) << "Cancel keeps the cuts";
  reporter.answerOk = true;
  window->Event(ZafEventRecord(YZImageWindow::kUncrop, 0));
  EXPECT_EQ(image->FrameCount(), kFrames);
  EXPECT_EQ(Bitmap(YZImageWindow::kCropButton).ToUtf8(), "Crop");
}

TEST_F(ImageWindowTest, FindObjectPutsTheCursorOnTheNextObjectAndBeepsWhenThereIsNoneAndAutoCropCuts) {
  DefaultToolBar();
  Setting(u"\\Event\\Image\\Hash\\Color:Int=1");
  ShowWindow(nullptr);
  event = std::make_unique<QvEvent>();
  // One object passing: frames 40-55 over pixels 8-23.
  image = images.AddPaintedImage(*event->NewLeg(), 120, [](int32_t f, int32_t p) {
    return f >= 40 && f <= 55 && p >= 8 && p <= 23 ? uint16_t{0x7FFF} : uint16_t{0};
  });
  view = image->View(1, true);
  window->SetImage(view);
  const auto pixelAt = [this](KPoint unit) {
    driver.pumpUntilIdle();
    const KPoint at = window->Pane()->UnitToScreen(unit);
    return driver.pixel(at.x, at.y);
  };
  const native::COLORREF background = pixelAt({100, 2});
  // A red cursor at frame 100 and white marks around frames 80 to 90.
  window->Pane()->SetCursor({100, 16});
  view->SetMarks({80, 4, 90, 28});
  view->SetShowLines(true);
  window->Pane()->Redisplay();
  ASSERT_NE(pixelAt({100, 2}), background) << "the cursor";
  ASSERT_NE(pixelAt({80, 16}), background) << "the marks";
  const unsigned beeps = driver.beepCount();
  window->Event(ZafEventRecord(YZImageWindow::kFindObject, 0));
  EXPECT_EQ(pixelAt({100, 2}), background) << "no old cursor";
  EXPECT_EQ(pixelAt({80, 16}), background) << "no old marks";
  EXPECT_TRUE(view->PositionShown());
  EXPECT_EQ(view->Origin(), KPoint(32, 16)) << "the object's left edge, half way down";
  EXPECT_EQ(driver.beepCount(), beeps);
  window->Event(ZafEventRecord(YZImageWindow::kFindObject, 0));
  EXPECT_EQ(driver.beepCount(), beeps + 1) << "no further object";
  window->Event(ZafEventRecord(YZImageWindow::kAutoCrop, 0));
  EXPECT_LT(image->FrameCount(), 120) << "the still frames around the object are cut";
  EXPECT_EQ(Bitmap(YZImageWindow::kCropButton).ToUtf8(), "Uncrop");
}

}  // namespace
