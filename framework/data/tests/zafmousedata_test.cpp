#include "framework/data/zafmousedata.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zafstorage.h"

namespace {

constexpr uint8_t kArrow[6] = {0, 255, 0, 0, 255, 7};

std::vector<ZafNativeHandle> destroyed;

void RecordDestroy(ZafNativeHandle cursor) {
  destroyed.push_back(cursor);
}

class ZafMouseDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    destroyed.clear();
    ZafMouseData::SetCursorDestroyer(RecordDestroy);
  }
  void TearDown() override { ZafMouseData::SetCursorDestroyer(nullptr); }
  int ownCursor = 0;
  int staticCursor = 0;
};

TEST_F(ZafMouseDataTest, OnlyCursorsOfItsOwnAreDestroyed) {
  {
    ZafMouseData mouse(3, 2, kArrow);
    mouse.SetCursor(&ownCursor, false);
    mouse.SetImage(2, 3, kArrow);
    EXPECT_EQ(destroyed, std::vector<ZafNativeHandle>{&ownCursor}) << "a new image needs a new cursor";
    EXPECT_EQ(mouse.Cursor(), nullptr);
    mouse.SetCursor(&staticCursor, true);
  }
  EXPECT_EQ(destroyed.size(), 1u) << "a static cursor is left alone";

  ZafMouseStruct description;
  description.Set(3, 2, kArrow, 1, 1, true);
  description.cursor = &staticCursor;
  description.staticCursor = true;
  ZafMouseData shared(description);
  EXPECT_EQ(shared.Pixels(), kArrow);
  EXPECT_EQ(shared.HotSpotX(), 1);
  EXPECT_EQ(shared.Cursor(), &staticCursor);
  ZafMouseData copy(shared);
  EXPECT_EQ(copy.Cursor(), &staticCursor);
  EXPECT_EQ(copy.HotSpotY(), 1);
  copy.SetCursor(&ownCursor, false);
  copy.Clear();
  EXPECT_EQ(destroyed.size(), 2u);
  EXPECT_EQ(copy.Pixels(), nullptr);
  EXPECT_EQ(copy.HotSpotX(), 0);
}

TEST_F(ZafMouseDataTest, SetImageWithItsOwnPixelsKeepsThem) {
  ZafMouseData mouse(3, 2, kArrow);
  const uint8_t* own = mouse.Pixels();
  EXPECT_NE(own, kArrow);
  mouse.SetImage(2, 3, own);
  EXPECT_EQ(mouse.Pixels(), own);
  EXPECT_EQ(mouse.Width(), 2);
  EXPECT_TRUE(mouse.IsA(ID_ZAF_MOUSE_DATA));
  EXPECT_TRUE(mouse.IsA(ID_ZAF_IMAGE_DATA));
  EXPECT_TRUE(mouse.IsAName(u"ZafMouseData"));
}

TEST_F(ZafMouseDataTest, RoundTripsAndRefusesBadSizes) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("cursors").c_str(), ZAF_STORAGE_CREATE);
  ZafDataPersistence persistence(&storage);
  ZafMouseData arrow(3, 2, kArrow);
  arrow.SetHotSpot(2, 1);
  arrow.SetStringID(u"arrow");
  EXPECT_EQ(arrow.Write(persistence), 0);
  persistence.PopLevel();
  ZafMouseData empty;
  empty.SetStringID(u"empty");
  EXPECT_EQ(empty.Write(persistence), 0);
  persistence.PopLevel();
  ZafFile* stored = storage.Open(u"~ZafMouseData~empty~objectData", ZAF_FILE_READ, nullptr, 0);
  EXPECT_EQ(stored->Length(), 16) << "only the four values";
  storage.Close(stored);

  ZafMouseData back(u"arrow", persistence);
  EXPECT_EQ(back.Error(), 0);
  ASSERT_EQ(back.Width(), 3);
  ASSERT_EQ(back.Height(), 2);
  EXPECT_EQ(back.HotSpotX(), 2);
  EXPECT_EQ(back.HotSpotY(), 1);
  EXPECT_TRUE(std::equal(kArrow, kArrow + 6, back.Pixels()));
  ZafMouseData emptyBack(u"empty", persistence);
  EXPECT_EQ(emptyBack.Error(), 0);
  EXPECT_EQ(emptyBack.Pixels(), nullptr);

  struct Case {
    const char* what;
    int32_t width;
    int32_t height;
    int pixelBytes;
  } cases[] = {{"negative height", 2, -3, 6},
               {"more pixels than bytes", 1000, 1000, 6},
               {"huge", 0x7FFFFFFF, 0x7FFFFFFF, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    persistence.PushLevel(u"ZafMouseData", ID_ZAF_MOUSE_DATA, ZAF_STORAGE_TYPE_NAMED);
    ASSERT_EQ(persistence.CurrentFile(u"bad", ZAF_PERSIST_WRITE), 0);
    ZafFile* file = persistence.File();
    for (int32_t word : {c.width, c.height, 0, 0}) {
      file->WriteInt32(word);
    }
    file->WriteArray(kArrow, 1, c.pixelBytes);
    persistence.PopLevel();
    ZafMouseData bad(u"bad", persistence);
    EXPECT_EQ(bad.Error(), ZAF_ERROR_READ);
    EXPECT_EQ(bad.Pixels(), nullptr);
    EXPECT_EQ(bad.Width(), 0);
  }
}

}  // namespace
