#include "framework/data/zafscrolldata.h"

#include <gtest/gtest.h>

#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zafstorage.h"

namespace {

int changes = 0;

ZafLong CountChange(ZafElement*, ZafUpdateType) {
  return ++changes;
}

TEST(ZafScrollData, CurrentIsClampedAndMinimumWins) {
  struct Case {
    const char* what;
    int32_t minimum, maximum, current;
    int32_t expected;
  } cases[] = {
      {"inside", 0, 100, 40, 40},
      {"above the maximum", 0, 100, 150, 100},
      {"below the minimum", 10, 20, 5, 10},
      {"minimum above maximum", 10, 0, 5, 10},
      {"minimum above maximum, current above both", 10, 0, 50, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ZafScrollData data(c.minimum, c.maximum, c.current, 1, 10);
    EXPECT_EQ(data.Current(), c.expected);
    EXPECT_EQ(ZafScrollData(ZafScrollStruct{c.current, c.minimum, c.maximum, 10, 1}).Current(), c.expected);
  }
  ZafScrollData data(0, 100, 0, 1, 10);
  EXPECT_EQ(data.SetCurrent(250), 100);
  EXPECT_EQ(data.SetCurrent(-3), 0);
  EXPECT_EQ(data.SetMaximum(50), 50);
  EXPECT_EQ(data.SetShowing(7), 7);
  EXPECT_EQ(data.SetDelta(3), 3);
  EXPECT_EQ(data.SetMinimum(60), 60);
  EXPECT_EQ(data.Current(), 60);
  EXPECT_EQ(data.Showing(), 7);
  EXPECT_EQ(data.Delta(), 3);
}

TEST(ZafScrollData, OnlyRealChangesNotify) {
  ZafScrollData data(0, 100, 20, 1, 10);
  ZafElement observer;
  data.Add(&observer, CountChange, ZAF_UPDATE_ALL);
  changes = 0;
  data.SetScroll(0, 100, 20, 1, 10);
  EXPECT_EQ(changes, 0) << "the same five values";
  data.SetCurrent(20);
  data.SetCurrent(500);  // clamps to 100
  data.SetCurrent(100);
  EXPECT_EQ(changes, 1);
  data.SetScroll(ZafScrollStruct{5, 0, 10, 2, 1});
  EXPECT_EQ(data.Current(), 5);
  EXPECT_EQ(data.Showing(), 2);
  EXPECT_EQ(changes, 2);
  data.Clear();
  EXPECT_EQ(data.Scroll(), ZafScrollStruct{});
  EXPECT_EQ(changes, 3);
  data.Clear();
  EXPECT_EQ(changes, 3) << "already clear";
  data.Subtract(&observer, nullptr);

  ZafScrollData copy(data);
  EXPECT_EQ(copy.Scroll(), data.Scroll());
  EXPECT_EQ(copy.Count(), 0) << "a copy has no observers";
}

TEST(ZafScrollData, RoundTripsThroughStorageUnclamped) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("scroll").c_str(), ZAF_STORAGE_CREATE);
  ZafDataPersistence persistence(&storage);
  ZafScrollData data(-5, 500, 42, 3, 25);
  data.SetStringID(u"vertical");
  EXPECT_EQ(data.Write(persistence), 0);
  persistence.PopLevel();
  ZafScrollData back(u"vertical", persistence);
  EXPECT_EQ(back.Error(), 0);
  EXPECT_EQ(back.Scroll(), data.Scroll());

  // The record's order is current, minimum, maximum, showing, delta; stored values are taken as they are.
  ZafFile* file = storage.Open(u"odd", ZAF_STORAGE_OBJECT_CREATE | ZAF_FILE_READWRITE, u"ZafScrollData",
                               ID_ZAF_SCROLL_DATA);
  for (int32_t word : {900, 0, 10, 4, 2}) {
    file->WriteInt32(word);
  }
  storage.Close(file);
  ZafScrollData odd(u"odd", persistence);
  EXPECT_EQ(odd.Scroll(), (ZafScrollStruct{900, 0, 10, 4, 2}));

  file = storage.Open(u"short", ZAF_STORAGE_OBJECT_CREATE | ZAF_FILE_READWRITE, u"ZafScrollData",
                      ID_ZAF_SCROLL_DATA);
  file->WriteInt32(7);
  storage.Close(file);
  ZafScrollData cut(u"short", persistence);
  EXPECT_EQ(cut.Error(), ZAF_ERROR_READ);
  EXPECT_EQ(cut.Scroll(), ZafScrollStruct{});
  EXPECT_EQ(persistence.Level(), 0);
}

}  // namespace
