#include "model/ystart.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"
#include "model/tests/qvmodeltestsupport.h"

TEST(YStart, FirstTimeAndEmptiness) {
  YStart start;
  EXPECT_TRUE(start.IsEmpty());
  EXPECT_FALSE(start.FirstTime().HasResolution());
  start.AddTime(YTime());
  EXPECT_TRUE(start.IsEmpty());  // an empty first time
  YStart timed;
  timed.AddTime(YTime::FromMilliseconds(36000000));
  timed.AddTime(YTime::FromMilliseconds(36000500));
  EXPECT_FALSE(timed.IsEmpty());
  EXPECT_EQ(timed.FirstTime().ToMilliseconds(), 36000000);
  EXPECT_EQ(timed.TimeAt(1).ToMilliseconds(), 36000500);
  EXPECT_FALSE(timed.TimeAt(2).HasResolution());
}

TEST(YStart, HoldsAtMostTheLimitOfTimes) {
  YStart start;
  for (int32_t i = 0; i < YStart::kMaxTimes; ++i) {
    ASSERT_TRUE(start.AddTime(YTime::FromMilliseconds(i)));
  }
  EXPECT_FALSE(start.AddTime(YTime::FromMilliseconds(0)));
  EXPECT_EQ(start.TimeCount(), YStart::kMaxTimes);
}

TEST(YStart, StoredRecordRoundTripsAndRefusesImpossibleCounts) {
  YStart start;
  start.SetName(u"Heat start");
  start.AddTime(YTime(int64_t{123}, 8, 8, 4));
  KMemoryStream stream;
  start.Write(stream);
  YStart read;
  read.Read(stream);
  EXPECT_EQ(read, start);

  struct Case {
    const char* name;
    int32_t count;
  } cases[] = {{"negative", -1}, {"more than the file holds", 2}, {"above the limit", YStart::kMaxTimes + 1}};
  // The count follows the version word and the name record ("Heat start", 10 characters).
  const size_t countAt = 4 + 8 + 20;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> bytes = stream.Bytes();
    for (int32_t i = 0; i < 4; ++i) {
      bytes[countAt + i] = static_cast<uint8_t>(static_cast<uint32_t>(c.count) >> (8 * i));
    }
    KMemoryStream bad(bytes);
    YStart target;
    target.SetName(u"kept");
    try {
      target.Read(bad);
      FAIL() << "accepted";
    } catch (const KXPersistent& failure) {
      EXPECT_EQ(failure.Code(), 3010);
    }
    EXPECT_EQ(Narrow(target.Name()), "kept");
    EXPECT_EQ(target.TimeCount(), 0);
  }
}
