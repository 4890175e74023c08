#include "toolkit/kzwindow.h"

#include <gtest/gtest.h>

#include "framework/core/zafscrollbar.h"
#include "framework/core/zafwindowmanager.h"
#include "native/native.h"
#include "toolkit/kzevents.h"
#include "toolkit/tests/kztestbed.h"

namespace {

// A toolkit window that counts its redisplays.
class CountingWindow : public KZWindow {
 public:
  CountingWindow() : KZWindow(2, 2, 20, 6) {}
  void Redisplay() override { ++redisplays; }
  int redisplays = 0;
};

using KZWindowTest = KZFrameworkTest;

}  // namespace

TEST_F(KZWindowTest, LeechNotifyGivesTheFocusWithoutReachingTheFramework) {
  KZWindow* back = Show(new KZWindow(2, 2, 20, 6));
  KZWindow* front = Show(new KZWindow(30, 2, 20, 6));
  ASSERT_TRUE(front->Focus());
  ASSERT_FALSE(back->Focus());
  EXPECT_EQ(back->Event(ZafEventRecord(static_cast<int32_t>(LeechNotifyEvent), 0)), LeechNotifyEvent);
  EXPECT_TRUE(back->Focus());
  // The mix-in's own slot leads to the window's handler.
  KZWindowObjectLeech& leech = *front;
  EXPECT_EQ(leech.Event(ZafEventRecord(static_cast<int32_t>(LeechNotifyEvent), 0)), LeechNotifyEvent);
  EXPECT_TRUE(front->Focus());
}

TEST_F(KZWindowTest, RedisplaysAfterMovesAndSizesOnlyWhenAskedTo) {
  struct Case {
    uint32_t flags;
    ZafEventType event;
    int redisplays;
  } cases[] = {
      {0, MovedEvent, 0}, {0, SizedEvent, 0}, {1, MovedEvent, 1}, {1, SizedEvent, 1}, {1, FocusGainEvent, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.flags << " " << c.event);
    CountingWindow* window = Show(new CountingWindow);
    window->flags = c.flags;
    window->Event(ZafEventRecord(static_cast<int32_t>(c.event), 0));
    EXPECT_EQ(window->redisplays, c.redisplays);
    ZafWindowObject::windowManager->Remove(window);
  }
}

TEST_F(KZWindowTest, MouseStatesMapThroughTheSharedTable) {
  KZWindow* window = Show(new KZWindow(2, 2, 20, 6));
  struct Case {
    int32_t state;
    ZafEventType logical;  // 0: the framework's own code stays
  } cases[] = {{0x1100, 1003}, {0x2200, 1006}, {0x0100, 1004}, {0x0200, 1007},
               {0x1000, 1005}, {0x2000, 1008}, {0x0000, 1001}, {0x0300, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    ZafEventRecord event(E_MOUSE, c.state);
    event.referenceObject = window;
    const ZafEventType expected = c.logical ? c.logical : window->ZafWindow::MapEvent(event);
    EXPECT_EQ(window->MapMouseEvent(event), expected);
  }
  // Other events keep the framework's code.
  ZafEventRecord key(E_KEY, 0x1100);
  key.referenceObject = window;
  EXPECT_EQ(window->MapMouseEvent(key), window->ZafWindow::MapEvent(key));
}

TEST_F(KZWindowTest, LocalRegionIsTheClientAreaWithoutTheScrollBars) {
  struct Case {
    bool vertical;
    bool horizontal;
  } cases[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  // A 200 x 100 window without a border: without bars its client area is all of it.
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.vertical << " " << c.horizontal);
    KZWindow* window = new KZWindow(0, 0, 0, 0);
    window->SetRegion({10, 20, 209, 119, ZAF_PIXEL});
    if (c.vertical) {
      window->Add(new ZafScrollBar(ZAF_VERTICAL_SCROLL));
    }
    if (c.horizontal) {
      window->Add(new ZafScrollBar(ZAF_HORIZONTAL_SCROLL));
    }
    Show(window);
    const int32_t narrower = c.vertical ? native::GetSystemMetrics(native::SM_CXVSCROLL) : 0;
    const int32_t shorter = c.horizontal ? native::GetSystemMetrics(native::SM_CYHSCROLL) : 0;
    EXPECT_EQ(window->LocalRegion(), KRect(0, 0, 199 - narrower, 99 - shorter));
    ZafWindowObject::windowManager->Remove(window);
  }
}
