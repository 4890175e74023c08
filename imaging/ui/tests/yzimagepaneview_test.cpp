#include <gtest/gtest.h>

#include <memory>

#include "foundation/kbitmap.h"
#include "foundation/kfile.h"
#include "foundation/ksparsearray.h"
#include "imaging/ui/tests/imagepanetestbed.h"
#include "imaging/ui/yzlanebar.h"
#include "testing/testpictures.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzpopupmenu.h"
#include "toolkit/kzpulldownitem.h"
#include "toolkit/kzpulldownmenu.h"

namespace {

constexpr native::COLORREF kWhite = 0xFFFFFF;
constexpr native::COLORREF kRed = 0x0000FF;
constexpr native::COLORREF kGreen = 0x00FF00;
// The painted image's pixel (blue 8 of 31) as the screen shows it.
constexpr native::COLORREF kImageBlue = 0x420000;

// A 5 x 3 green picture as an uncompressed Targa.
void WriteGreenTarga(const std::string& path) {
  KBitmap picture(5, 3, KBitmap::kRgb24 | KBitmap::kAlign1);
  ASSERT_TRUE(picture.AllocateMemory());
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 5; ++x) {
      picture.SetPixel(x, y, 0, 255, 0);
    }
  }
  KFile file(KString::FromUtf8(path));
  file.Open(KFile::kReadWrite, true);
  picture.Export(
      file,
      [](int32_t row, void* context) -> const uint8_t* { return static_cast<KBitmap*>(context)->Row(row); },
      &picture);
  file.Close();
}

class ImagePaneViewTest : public ImagePaneTest {
 protected:
  void TearDown() override {
    KZApplication::mainMenuBar = nullptr;
    YZImagePane::ExitClass();
    ImagePaneTest::TearDown();
  }
};

}  // namespace

TEST_F(ImagePaneViewTest, ThePaneShowsStripsLaneBarCursorMarksAndResultLines) {
  Setting(u"\\Event\\Image\\Hash\\Color:Int=1");
  Setting(u"\\Event\\Image\\Hash\\ShowLines:Int=1");
  image->Camera().SetValueCount(9);
  AddResultAt(50);
  ShowImagePane();
  pane->SetCursor({70, 20});
  view->SetMarks({20, 10, 40, 30});
  view->SetShowLines(true);
  pane->Redisplay();
  driver.pumpUntilIdle();
  driver.snapshot(TestPicturePath("imagepane.png"));

  EXPECT_EQ(UnitPixel({10, 5}), kImageBlue) << "the image";
  EXPECT_EQ(UnitPixel({70, 5}), kRed) << "the cursor";
  EXPECT_EQ(UnitPixel({50, 5}), kRed) << "the result's line";
  EXPECT_EQ(UnitPixel({30, 10}), kWhite) << "the marks";
  EXPECT_EQ(UnitPixel({30, 20}), kImageBlue) << "inside the marks";
  YZLaneBar* bar = pane->LaneBar();
  EXPECT_EQ(bar->LaneNumber(0), 9);
  EXPECT_EQ(bar->LaneNumber(8), 1);
  EXPECT_FALSE(DarkColumns(*bar, 0, bar->LocalRegion().right, 0, bar->LocalRegion().bottom).empty())
      << "the lane numbers";
}

TEST_F(ImagePaneViewTest, AnOverlayIsPlacedAtTheCursorAndDrawnCentredOnIt) {
  WriteGreenTarga(images.folder.Path() + "/finish.tg3");
  YZImagePane::InitClass(KString::FromUtf8(images.folder.Path()), KString(), false);
  ASSERT_NE(YZImagePane::Overlays().Item(3), nullptr);
  ShowImagePane();
  pane->SetCursor({60, 20});
  pane->Event(ZafEventRecord(YZImagePane::kFirstOverlay + 3, 0));
  ASSERT_EQ(pane->OverlayLocations().Count(), 1);
  EXPECT_FALSE(view->PositionShown()) << "the cursor is erased";
  pane->Redisplay();
  driver.pumpUntilIdle();
  for (const KPoint unit : {KPoint{58, 19}, KPoint{62, 21}, KPoint{60, 20}}) {
    EXPECT_EQ(UnitPixel(unit), kGreen) << unit.x << "," << unit.y;
  }
  for (const KPoint unit : {KPoint{57, 20}, KPoint{63, 20}, KPoint{60, 18}, KPoint{60, 22}}) {
    EXPECT_EQ(UnitPixel(unit), kImageBlue) << unit.x << "," << unit.y;
  }
  pane->Event(ZafEventRecord(YZImagePane::kClearOverlays, 0));
  EXPECT_EQ(pane->OverlayLocations().Count(), 0);
}

TEST_F(ImagePaneViewTest, TheMenuOffersOverlaysOnlyWhenTheyWereCollected) {
  WriteGreenTarga(images.folder.Path() + "/finish.tg3");
  struct Case {
    const char* name;
    bool noOverlay;
    bool offered;
  } cases[] = {{"collected", false, true}, {"-nooverlay", true, false}};
  KZPullDownMenu menu;
  auto* commands = new KZPullDownItem(u"&Image");
  for (const ZafEventType code : {YZImagePane::kAdjustments, YZImagePane::kOverlayMenu,
                                  YZImagePane::kFirstOverlay + 3, YZImagePane::kExportBitmap}) {
    commands->AddMenuItem(new KZPopUpItem(code, u"x", ZAF_ITEM_ORDINARY));
  }
  menu.Add(commands);
  KZApplication::mainMenuBar = &menu;
  ShowImagePane();
  pane->SetCursor({60, 20});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    YZImagePane::InitClass(KString::FromUtf8(images.folder.Path()), KString(), c.noOverlay);
    for (const ZafEventType code : {YZImagePane::kAdjustments, YZImagePane::kOverlayMenu,
                                    YZImagePane::kFirstOverlay + 3, YZImagePane::kExportBitmap}) {
      menu.EnableCommand(code, false);
    }
    pane->Event(ZafEventRecord(UpdateMenuEvent, 0));
    auto enabled = [&](int32_t index) { return !FindItem(commands->Submenu(), index, true)->Disabled(); };
    EXPECT_TRUE(enabled(0)) << "the adjustments always";
    EXPECT_EQ(enabled(1), c.offered);
    EXPECT_EQ(enabled(2), c.offered);
    EXPECT_FALSE(enabled(3)) << "no marked rectangle to export";
    YZImagePane::ExitClass();
  }
}
