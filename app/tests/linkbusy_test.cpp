#include "app/linkbusy.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/core/zafeventmanager.h"
#include "framework/core/zafeventtypes.h"
#include "framework/core/zafwindowobject.h"

namespace {

const QvEvent* const kFirst = reinterpret_cast<const QvEvent*>(0x10);
const QvEvent* const kSecond = reinterpret_cast<const QvEvent*>(0x20);

TEST(LinkBusyClaim, OnlyTheFirstClaimOwnsTheLinkUntilItEnds) {
  {
    LinkBusyClaim download(kFirst);
    ASSERT_TRUE(download.Owned());
    {
      LinkBusyClaim second(kSecond);
      EXPECT_FALSE(second.Owned());
    }
    // The refused claim's end does not free the link.
    EXPECT_TRUE(LinkBusyClaim::LinkIsBusy());
    EXPECT_TRUE(LinkBusyClaim::IsBusyFor(kFirst));
    EXPECT_FALSE(LinkBusyClaim::IsBusyFor(kSecond));
    EXPECT_FALSE(LinkBusyClaim::IsBusyFor(nullptr));
  }
  EXPECT_FALSE(LinkBusyClaim::LinkIsBusy());
  EXPECT_FALSE(LinkBusyClaim::IsBusyFor(kFirst));
  LinkBusyClaim again(kSecond);
  EXPECT_TRUE(again.Owned());
}

// An exit asked during a download goes back into the queue once, when there is room for it: a queue
// filled meanwhile keeps it until an idle pass finds room, and the next operation's end adds none.
TEST(LinkBusyClaim, AKeptExitIsQueuedOnceTheQueueHasRoomAndOnlyOnce) {
  ZafEventManager queue;
  ZafWindowObject::eventManager = &queue;
  // The queue taken whole: 'x' for an exit, '.' for any other event.
  const auto take = [&queue] {
    std::string taken;
    for (ZafEventRecord event; queue.TakeQueued(event);) {
      taken += event.type == ExitEvent ? 'x' : '.';
    }
    return taken;
  };
  for (int i = 0; i < ZafEventManager::kQueueSize; ++i) {
    queue.Put(ZafEventRecord(RedisplayEvent, 0));
  }
  {
    LinkBusyClaim download(kFirst);
    LinkBusyClaim::KeepExit();
  }
  ZafEventRecord first;
  queue.TakeQueued(first);
  LinkBusyClaim::QueueKeptExit();
  EXPECT_EQ(take(), std::string(ZafEventManager::kQueueSize - 1, '.') + "x");
  { LinkBusyClaim titleSent(kSecond); }
  LinkBusyClaim::QueueKeptExit();
  EXPECT_EQ(take(), "");
  ZafWindowObject::eventManager = nullptr;
}

}  // namespace
