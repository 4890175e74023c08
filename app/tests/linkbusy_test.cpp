#include "app/linkbusy.h"

#include <gtest/gtest.h>

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

}  // namespace
