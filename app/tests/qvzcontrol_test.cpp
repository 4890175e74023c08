#include "app/qvzcontrol.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/mainmenubar.h"
#include "app/qvzstatusbar.h"
#include "app/tests/frametestbed.h"
#include "native/user/styles.h"
#include "native/user/windowapi.h"
#include "native/user/windowpos.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzpulldownitem.h"
#include "toolkit/kzpulldownmenu.h"

namespace {

// A pull-down as shown: its title, access letter and its items' commands (a separator as 0).
struct PullDown {
  std::u16string title;
  char16_t letter;
  std::vector<int32_t> commands;
  bool operator==(const PullDown&) const = default;
};

std::vector<PullDown> Shown(KZPullDownMenu& bar) {
  std::vector<PullDown> shown;
  for (ZafElement* entry = bar.First(); entry; entry = entry->Next()) {
    auto& pullDown = dynamic_cast<KZPullDownItem&>(*entry);
    shown.push_back({pullDown.Text(), pullDown.HotKeyChar(), {}});
    for (ZafElement* element = pullDown.Submenu().First(); element; element = element->Next()) {
      auto& item = dynamic_cast<ZafPopUpItem&>(*element);
      shown.back().commands.push_back(item.MenuItemType() == ZAF_ITEM_SEPARATOR ? 0 : item.Value());
    }
  }
  return shown;
}

const std::vector<int32_t> kChart = {10480, 0, 10531, 10532, 0, 10133, 0, 10481, 10482};
const std::vector<int32_t> kChartDevel = {10480, 0, 10531, 10532, 0,     10133, 0,     10481, 10482, 0,
                                          10167, 0, 10169, 10170, 10171, 10172, 10173, 0,     10174, 10175};
const std::vector<int32_t> kHardware = {10176, 0, 10132};
const std::vector<int32_t> kHardwareAudio = {10176, 10177, 0, 10132};

std::vector<PullDown> Expected(const std::vector<int32_t>& chart, const std::vector<int32_t>& hardware) {
  return {{u"File",
           u'F',
           {10001, 10002, -501, 10003, 10004, 10005, 10127, 0, 10582, 10583, 10584, 0, 10131, 0, -32}},
          {u"Chart", u'C', chart},
          {u"Results", u'R', {10528, 10529, 0, 10526, 10527, 0, 10533, 0, 10135}},
          {u"Hardware", u'H', hardware},
          {u"Scoreboard", u'S', {10152, 10157, 0, 10158, 10159, 10161, 10162, 0, 10134}},
          {u"Window", u'W', {10013, 10014, 10015, 0}},
          {u"Help", u'H', {10129, 0, 10128}}};
}

class LargeDesktopFrameTest : public FrameTestBed {
 protected:
  LargeDesktopFrameTest() : FrameTestBed({1600, 1200, 96}, {u"-DEVELOPER"}) {}
};

// The frame's client area (under its menu bar) once restored from maximised.
native::SIZE RestoredSize(native::TestDriver& driver, QvZControl& frame) {
  native::ShowWindow(frame.ScreenID(2), native::SW_RESTORE);
  driver.pumpUntilIdle();
  native::RECT client{};
  native::GetClientRect(frame.ScreenID(2), &client);
  return {client.right - client.left, client.bottom - client.top};
}

}  // namespace

TEST_F(FrameTestBed, SevenPullDownsWithTheirCommandsAndTheOptionalItemsOnlyWhenAskedFor) {
  struct Case {
    const char* name;
    MainMenuOptions options;
    const std::vector<int32_t>& chart;
    const std::vector<int32_t>& hardware;
  } cases[] = {
      {"no options: the chart ends with Print", {}, kChart, kHardware},
      {"-gunaudio: Load Audio alone", {.gunAudio = true}, kChart, kHardwareAudio},
      {"-devel: the chart's views and Load Audio", {.developer = true}, kChartDevel, kHardwareAudio},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MainMenuBar menus = BuildMainMenuBar(c.options);
    EXPECT_EQ(Shown(*menus.bar), Expected(c.chart, c.hardware)) << "titles show no '&'";
    EXPECT_EQ(std::u16string(menus.windowMenu->Text()), u"Window");
    delete menus.bar;
  }
}

TEST_F(FrameTestBed, ItemsTakeLabelAndHotKeyFromTheirTextAndKeepTheirCommand) {
  KRegistry::AddLine(&settings, KString(u"\\Strings\\MenuBar\\File\\New:String=&Neu,SK"));
  struct Case {
    int32_t command;
    const char16_t* shown;
    char16_t letter;
    uint32_t hotKey;
  } cases[] = {
      {10001, u"Neu\tShift+Ctrl+K", u'N', KZPopUpItem::kCtrl | KZPopUpItem::kShift | u'K'},
      {10152, u"Initialize\tAlt+I", u'I', KZPopUpItem::kAlt | u'I'},
      {10175, u"Show Local Algorithm Reaction Time", 0, 0},
  };
  const MainMenuBar menus = BuildMainMenuBar({.developer = true});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    int found = 0;
    for (ZafElement* entry = menus.bar->First(); entry; entry = entry->Next()) {
      KZPopUpItem::ForEachItem(static_cast<KZPullDownItem*>(entry)->Submenu(), [&](KZPopUpItem& item) {
        if (item.Value() != c.command) {
          return;
        }
        ++found;
        EXPECT_EQ(std::u16string(item.ZafPopUpItem::Text()), c.shown);
        EXPECT_EQ(item.HotKeyChar(), c.letter);
        EXPECT_EQ(item.HotKey(), c.hotKey);
      });
    }
    EXPECT_EQ(found, 1);
  }
  delete menus.bar;
}

TEST_F(FrameTestBed, TheFrameOpensMaximisedUnderItsTitleWithItsBarsAndGivesThemUpWhenItGoes) {
  ShowFrame();
  EXPECT_TRUE(native::IsZoomed(frame->ScreenID(2)));
  EXPECT_EQ(driver.text(frame->ScreenID(2)), u"Kestrove Pellacorvine  v2.04");
  ASSERT_NE(QvZControl::GetMenuBar(), nullptr);
  EXPECT_EQ(QvZControl::GetMenuBar()->Parent(), frame);
  EXPECT_EQ(Shown(*QvZControl::GetMenuBar()), Expected(kChart, kHardware));
  EXPECT_EQ(frame->windowMenu->Parent(), QvZControl::GetMenuBar());
  EXPECT_EQ(QvZControl::GetStatusBar()->Parent(), frame);
  EXPECT_EQ(KZStatusBar::flyOverBar, QvZControl::GetStatusBar());
  EXPECT_EQ(hardware.View().ToolBar(), frame->HardwareBar());
  const native::SIZE restored = RestoredSize(driver, *frame);
  EXPECT_EQ(restored.cx, 600);
  EXPECT_EQ(restored.cy, 320);

  ZafWindowObject::windowManager->Subtract(frame);
  delete frame;
  EXPECT_EQ(QvZControl::GetMenuBar(), nullptr);
  EXPECT_EQ(QvZControl::GetStatusBar(), nullptr);
  EXPECT_EQ(KZStatusBar::flyOverBar, nullptr);
  EXPECT_EQ(hardware.View().ToolBar(), nullptr);
}

TEST_F(LargeDesktopFrameTest, OnALargeDesktopTheFrameRestoresToThreeQuartersByThreeFifths) {
  ShowFrame();
  const native::SIZE restored = RestoredSize(driver, *frame);
  EXPECT_EQ(restored.cx, 1200);
  EXPECT_EQ(restored.cy, 720);
  EXPECT_EQ(Shown(*QvZControl::GetMenuBar()), Expected(kChartDevel, kHardwareAudio))
      << "an argument beginning with -devel in any case";
}
