#include "toolkit/kzpulldownmenu.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "foundation/kperiodictask.h"
#include "framework/core/zafeventmanager.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzpopupmenu.h"
#include "toolkit/kzpulldownitem.h"
#include "toolkit/kzwindow.h"
#include "toolkit/tests/kztestbed.h"

namespace {

constexpr int32_t kOpen = 101;
constexpr int32_t kReopen = 102;
constexpr int32_t kDelete = 103;
constexpr int32_t kDeep = 104;
constexpr int32_t kShiftLeft = 1;
constexpr int32_t kCtrl = 4;
constexpr int32_t kAlt = 8;
constexpr int32_t kPressed = 0x200;
constexpr int32_t kReleased = 0x400;

// The owner of the menu bar: enables the commands it lists when asked.
class Owner : public KZWindow {
 public:
  Owner() : KZWindow(2, 2, 40, 10) {}
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == UpdateMenuEvent) {
      ++updates;
      for (int32_t command : enabled) {
        menuBar->EnableCommand(command, true);
      }
      return UpdateMenuEvent;
    }
    return KZWindow::Event(event);
  }
  KZPullDownMenu* menuBar = nullptr;
  std::set<int32_t> enabled;
  int updates = 0;
};

// A key press as the framework's key translation leaves it.
ZafEventRecord Key(char16_t character, int32_t modifiers) {
  ZafEventRecord event(E_KEY, character);
  event.modifiers = modifiers;
  event.SetKey({modifiers & 0xFF, character});
  return event;
}

class KZPullDownMenuTest : public KZFrameworkTest {
 protected:
  KZPullDownMenuTest() {
    owner = new Owner;
    menuBar = new KZPullDownMenu;
    owner->menuBar = menuBar;
    auto* file = new KZPullDownItem(u"&File");
    file->AddMenuItem(new KZPopUpItem(kOpen, u"&Open,CO", ZAF_ITEM_ORDINARY));
    file->AddMenuItem(new KZPopUpItem(ZAF_ITEM_SEPARATOR));
    file->AddMenuItem(new KZPopUpItem(kReopen, u"&Reopen,CSO", ZAF_ITEM_ORDINARY));
    auto* more = new KZPopUpItem(u"&More", ZAF_ITEM_ORDINARY);
    more->AddMenuItem(new KZPopUpItem(kDeep, u"&Deep,CK", ZAF_ITEM_ORDINARY));
    file->AddMenuItem(more);
    auto* edit = new KZPullDownItem(u"&Edit");
    edit->AddMenuItem(new KZPopUpItem(kDelete, u"&Delete,CD", ZAF_ITEM_ORDINARY));
    menuBar->Add(file);
    menuBar->Add(edit);
    owner->Add(menuBar);
    Show(owner);
    QueuedCommands();
  }

  // The command events queued since the last call.
  std::vector<int32_t> QueuedCommands() {
    std::vector<int32_t> commands;
    ZafEventRecord event;
    while (ZafWindowObject::eventManager->TakeQueued(event)) {
      if (event.type > 100 && event.type < 200) {
        commands.push_back(event.type);
      }
    }
    return commands;
  }

  Owner* owner = nullptr;
  KZPullDownMenu* menuBar = nullptr;
};

}  // namespace

TEST_F(KZPullDownMenuTest, HotKeysMatchExactlyAndOnlyEnabledCommands) {
  // Command 0 is the cascade's: its items take part only while it is enabled too.
  owner->enabled = {0, kOpen, kReopen, kDeep};
  struct Case {
    const char* name;
    ZafEventRecord key;
    int32_t command;  // 0: none taken
    int updates;      // UpdateMenuEvents sent to the owner
  } cases[] = {
      {"Ctrl+o", Key(u'o', kPressed | kCtrl), kOpen, 1},
      {"Ctrl+Shift+O", Key(u'O', kPressed | kCtrl | 3), kReopen, 1},
      {"Ctrl and the left Shift key", Key(u'O', kPressed | kCtrl | kShiftLeft), kReopen, 1},
      {"Alt+O", Key(u'O', kPressed | kAlt), 0, 1},
      {"Ctrl+D not enabled", Key(u'D', kPressed | kCtrl), 0, 1},
      {"Ctrl+K in a submenu", Key(u'K', kPressed | kCtrl), kDeep, 1},
      {"O without Ctrl", Key(u'O', kPressed), 0, 0},
      {"Ctrl+O released", Key(u'O', kReleased | kCtrl), 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    owner->updates = 0;
    EXPECT_EQ(menuBar->HotKey(c.key), c.command != 0);
    EXPECT_EQ(QueuedCommands(), c.command ? std::vector<int32_t>{c.command} : std::vector<int32_t>{});
    EXPECT_EQ(owner->updates, c.updates);
  }
}

TEST_F(KZPullDownMenuTest, ResetDisablesAllThenTheOwnerEnablesWhatApplies) {
  owner->enabled = {kDelete};
  auto* file = static_cast<KZPullDownItem*>(menuBar->First());
  file->CheckAll(true);
  menuBar->ResetItems();
  KZPopUpItem* open = FindItem(file->Submenu(), 0, true);
  KZPopUpItem* reopen = FindItem(file->Submenu(), 1, true);
  ASSERT_NE(open, nullptr);
  ASSERT_NE(reopen, nullptr);
  EXPECT_EQ(reopen->Value(), kReopen);
  EXPECT_EQ(FindItem(file->Submenu(), 1, false)->MenuItemType(), ZAF_ITEM_SEPARATOR);
  EXPECT_EQ(FindItem(file->Submenu(), 3, true), nullptr);
  EXPECT_TRUE(open->Disabled());
  EXPECT_FALSE(open->Selected());
  auto* edit = static_cast<KZPullDownItem*>(file->Next());
  EXPECT_FALSE(FindItem(edit->Submenu(), 0, true)->Disabled());
  menuBar->CheckCommand(kReopen, true);
  EXPECT_TRUE(IsItemChecked(file->Submenu(), 1, true));
  SetItemChecked(file->Submenu(), 1, false, true);
  EXPECT_FALSE(reopen->Selected());
}

TEST_F(KZPullDownMenuTest, WatchdogClosesAMenuBetweenFiveAndFiveAndAHalfSecondsAfterTheLastMenuEvent) {
  KPeriodicTask::VirtualClock clock(1000);
  KZPullDownMenu bar(5000);
  const auto escapes = [] {
    int count = 0;
    native::MSG message{};
    while (
        native::PeekMessage(&message, nullptr, native::WM_KEYDOWN, native::WM_KEYDOWN, native::PM_REMOVE)) {
      count += message.wParam == 27 ? 1 : 0;
    }
    return count;
  };
  bar.Event(ZafEventRecord(static_cast<int32_t>(FocusGainEvent), 0));
  clock.Advance(2000);
  bar.Event(ZafEventRecord(static_cast<int32_t>(RedisplayEvent), 0));
  const uint32_t lastEvent = clock.Now();
  uint32_t closedAt = 0;
  while (closedAt == 0 && clock.Now() < lastEvent + 10000) {
    clock.Advance(50);
    closedAt = escapes() ? clock.Now() : 0;
  }
  EXPECT_GE(closedAt, lastEvent + 5000);
  EXPECT_LE(closedAt, lastEvent + 5500);
  // One Escape for each opening; none once the menus closed.
  clock.Advance(20000);
  EXPECT_EQ(escapes(), 0);
  bar.Event(ZafEventRecord(static_cast<int32_t>(FocusGainEvent), 0));
  bar.Event(ZafEventRecord(static_cast<int32_t>(FocusLoseEvent), 0));
  clock.Advance(20000);
  EXPECT_EQ(escapes(), 0);
}
