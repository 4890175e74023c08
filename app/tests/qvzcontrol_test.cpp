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

constexpr int32_t kSeparator = 0;

// What a pull-down shows: its title and its items' commands, a separator as 0.
struct PullDown {
  std::u16string title;
  char16_t accessLetter;
  std::vector<int32_t> commands;
};

std::vector<PullDown> Shown(KZPullDownMenu& bar) {
  std::vector<PullDown> shown;
  for (auto* entry = static_cast<ZafWindowObject*>(bar.First()); entry;
       entry = static_cast<ZafWindowObject*>(entry->Next())) {
    auto* pullDown = dynamic_cast<KZPullDownItem*>(entry);
    if (!pullDown) {
      continue;
    }
    PullDown menu{pullDown->Text(), pullDown->HotKeyChar(), {}};
    for (auto* item = static_cast<ZafWindowObject*>(pullDown->Submenu().First()); item;
         item = static_cast<ZafWindowObject*>(item->Next())) {
      auto* popUp = dynamic_cast<ZafPopUpItem*>(item);
      menu.commands.push_back(!popUp || popUp->MenuItemType() == ZAF_ITEM_SEPARATOR ? kSeparator
                                                                                    : popUp->Value());
    }
    shown.push_back(menu);
  }
  return shown;
}

KZPopUpItem* FindItem(KZPullDownMenu& bar, int32_t command) {
  KZPopUpItem* found = nullptr;
  for (auto* entry = static_cast<ZafWindowObject*>(bar.First()); entry;
       entry = static_cast<ZafWindowObject*>(entry->Next())) {
    if (auto* pullDown = dynamic_cast<KZPullDownItem*>(entry)) {
      KZPopUpItem::ForEachItem(pullDown->Submenu(),
                               [&](KZPopUpItem& item) { found = item.Value() == command ? &item : found; });
    }
  }
  return found;
}

const std::vector<int32_t> kFile = {10001, 10002, -501,  10003,      10004, 10005,      10127, kSeparator,
                                    10582, 10583, 10584, kSeparator, 10131, kSeparator, -32};
const std::vector<int32_t> kChart = {10480, kSeparator, 10531, 10532, kSeparator,
                                     10133, kSeparator, 10481, 10482};
const std::vector<int32_t> kChartDeveloper = {
    10480, kSeparator, 10531, 10532, kSeparator, 10133, kSeparator, 10481,      10482, kSeparator,
    10167, kSeparator, 10169, 10170, 10171,      10172, 10173,      kSeparator, 10174, 10175};
const std::vector<int32_t> kResults = {10528,      10529, kSeparator, 10526, 10527,
                                       kSeparator, 10533, kSeparator, 10135};
const std::vector<int32_t> kHardware = {10176, kSeparator, 10132};
const std::vector<int32_t> kHardwareAudio = {10176, 10177, kSeparator, 10132};
const std::vector<int32_t> kScoreboard = {10152, 10157, kSeparator, 10158, 10159,
                                          10161, 10162, kSeparator, 10134};
const std::vector<int32_t> kWindow = {10013, 10014, 10015, kSeparator};
const std::vector<int32_t> kHelp = {10129, kSeparator, 10128};

class MainMenuTest : public FrameTestBed {};

class LargeDesktopFrameTest : public FrameTestBed {
 protected:
  LargeDesktopFrameTest() : FrameTestBed({1600, 1200, 96}) {}
};

class DeveloperFrameTest : public FrameTestBed {
 protected:
  DeveloperFrameTest() : FrameTestBed({640, 480, 96}, {u"-noregistry", u"-DEVELOPER"}) {}
};

// The size of the frame's client area (under its menu bar) once it is restored from maximised.
native::SIZE RestoredSize(native::TestDriver& driver, QvZControl& frame) {
  native::ShowWindow(frame.ScreenID(2), native::SW_RESTORE);
  driver.pumpUntilIdle();
  native::RECT client{};
  native::GetClientRect(frame.ScreenID(2), &client);
  return {client.right - client.left, client.bottom - client.top};
}

}  // namespace

TEST_F(MainMenuTest, SevenPullDownsInOrderWithTheirCommandsAndTheOptionalItemsOnlyWhenAskedFor) {
  struct Case {
    const char* name;
    MainMenuOptions options;
    const std::vector<int32_t>& chart;
    const std::vector<int32_t>& hardware;
  } cases[] = {
      {"no options: the chart ends with Print, no Load Audio", {}, kChart, kHardware},
      {"-gunaudio: Load Audio alone", {.gunAudio = true}, kChart, kHardwareAudio},
      {"-devel: the chart's views and Load Audio", {.developer = true}, kChartDeveloper, kHardwareAudio},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const MainMenuBar menus = BuildMainMenuBar(c.options);
    const std::vector<PullDown> shown = Shown(*menus.bar);
    const std::vector<PullDown> expected = {
        {u"File", u'F', kFile},          {u"Chart", u'C', c.chart},          {u"Results", u'R', kResults},
        {u"Hardware", u'H', c.hardware}, {u"Scoreboard", u'S', kScoreboard}, {u"Window", u'W', kWindow},
        {u"Help", u'H', kHelp},
    };
    ASSERT_EQ(shown.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(shown[i].title, expected[i].title) << "the access letter's & is never shown";
      EXPECT_EQ(shown[i].accessLetter, expected[i].accessLetter);
      EXPECT_EQ(shown[i].commands, expected[i].commands);
    }
    EXPECT_EQ(std::u16string(menus.windowMenu->Text()), u"Window");
    delete menus.bar;
  }
}

TEST_F(MainMenuTest, ItemsTakeLabelAndHotKeyFromTheirTextAndKeepTheirCommand) {
  Setting(u"\\Strings\\MenuBar\\File\\New:String=&Neu,SK");
  struct Case {
    int32_t command;
    const char16_t* shown;
    char16_t accessLetter;
    uint32_t hotKey;
  } cases[] = {
      {10001, u"Neu\tShift+Ctrl+K", u'N', KZPopUpItem::kCtrl | KZPopUpItem::kShift | u'K'},
      {10002, u"Open...\tCtrl+O", u'O', KZPopUpItem::kCtrl | u'O'},
      {10152, u"Initialize\tAlt+I", u'I', KZPopUpItem::kAlt | u'I'},
      {10004, u"Save as...", u'A', 0},
      {-32, u"Exit", 0, 0},
      {10175, u"Show Local Algorithm Reaction Time", 0, 0},
  };
  const MainMenuBar menus = BuildMainMenuBar({.developer = true});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    KZPopUpItem* item = FindItem(*menus.bar, c.command);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(std::u16string(item->ZafPopUpItem::Text()), c.shown);
    EXPECT_EQ(item->HotKeyChar(), c.accessLetter);
    EXPECT_EQ(item->HotKey(), c.hotKey);
  }
  delete menus.bar;
}

TEST_F(MainMenuTest, TheFrameOpensMaximisedUnderItsTitleAndRestoresToItsLeastSizeOnASmallDesktop) {
  ShowFrame();
  EXPECT_TRUE(native::IsZoomed(frame->ScreenID(2)));
  EXPECT_EQ(driver.text(frame->ScreenID(2)), u"Kestrove Pellacorvine  v2.04");
  const native::SIZE restored = RestoredSize(driver, *frame);
  EXPECT_EQ(restored.cx, 600);
  EXPECT_EQ(restored.cy, 320);
}

TEST_F(LargeDesktopFrameTest, TheFrameRestoresToThreeQuartersByThreeFifthsOfALargeDesktop) {
  ShowFrame();
  const native::SIZE restored = RestoredSize(driver, *frame);
  EXPECT_EQ(restored.cx, 1200);
  EXPECT_EQ(restored.cy, 720);
}

TEST_F(MainMenuTest, TheFrameHoldsItsBarsAndGivesThemBackUntilItGoes) {
  ShowFrame();
  KZPullDownMenu* menuBar = QvZControl::GetMenuBar();
  QvZStatusBar* statusBar = QvZControl::GetStatusBar();
  ASSERT_NE(menuBar, nullptr);
  ASSERT_NE(statusBar, nullptr);
  EXPECT_EQ(menuBar->Parent(), frame);
  EXPECT_EQ(statusBar->Parent(), frame);
  EXPECT_EQ(frame->HardwareBar()->Parent(), frame);
  EXPECT_EQ(KZStatusBar::flyOverBar, statusBar);
  EXPECT_EQ(hardware.View().ToolBar(), frame->HardwareBar());
  EXPECT_EQ(frame->windowMenu->Parent(), menuBar);
  EXPECT_EQ(Shown(*menuBar)[1].commands, kChart) << "no -devel among the arguments";
  EXPECT_EQ(Shown(*menuBar)[3].commands, kHardware);

  ZafWindowObject::windowManager->Subtract(frame);
  delete frame;
  EXPECT_EQ(QvZControl::GetMenuBar(), nullptr);
  EXPECT_EQ(QvZControl::GetStatusBar(), nullptr);
  EXPECT_EQ(KZStatusBar::flyOverBar, nullptr);
  EXPECT_EQ(hardware.View().ToolBar(), nullptr);
}

TEST_F(DeveloperFrameTest, AnArgumentBeginningWithDevelInAnyCaseAddsTheDevelopersItems) {
  ShowFrame();
  EXPECT_EQ(Shown(*QvZControl::GetMenuBar())[1].commands, kChartDeveloper);
  EXPECT_EQ(Shown(*QvZControl::GetMenuBar())[3].commands, kHardwareAudio);
}
