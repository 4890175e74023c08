#include "imaging/yimageblockmanager.h"

#include <gtest/gtest.h>

#include <vector>

#include "imaging/tests/imagingtestsupport.h"
#include "imaging/yimageblock.h"
#include "imaging/yimageblocks.h"

namespace {

// Checks out blocks for a collection and gives them the numbers asked for.
void Hold(YImageBlockManager& manager, YImageBlocks& blocks, const std::vector<int32_t>& numbers,
          bool unsaved = false) {
  for (int32_t number : numbers) {
    YImageBlock* block = manager.CheckOutBlock(&blocks, 0);
    ASSERT_NE(block, nullptr);
    block->SetNumber(number);
    ASSERT_TRUE(blocks.Add(block, unsaved));
  }
}

std::vector<int32_t> Numbers(YImageBlocks& blocks) {
  std::vector<int32_t> numbers;
  for (YImageBlock* block = blocks.First(); block != nullptr; block = blocks.Next(block)) {
    numbers.push_back(block->Number());
  }
  return numbers;
}

}  // namespace

TEST(YImageBlockManager, ReturnBlocksGivesBackTheEndFarthestFromTheLastLookup) {
  struct Case {
    std::vector<int32_t> held;
    int32_t lastIndex;
    std::vector<int32_t> left;
  } cases[] = {
      {{2, 20}, 10, {2}},
      {{0, 20}, 10, {20}},
      {{0, 5, 20}, 5, {0, 5}},
      {{0, 5, 10}, 5, {5, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lastIndex);
    YImageBlockManager manager(8);
    YImageBlocks blocks;
    manager.Register(&blocks);
    Hold(manager, blocks, c.held);
    blocks[c.lastIndex];
    EXPECT_EQ(blocks.ReturnBlocks(1), 0);
    EXPECT_EQ(Numbers(blocks), c.left);
    EXPECT_EQ(manager.FreeCount(), 8 - static_cast<int32_t>(c.left.size()));
    blocks.ReturnAll();
  }
}

TEST(YImageBlockManager, TheBlockInUseAndTheUnsavedTailStay) {
  YImageBlockManager manager(8);
  YImageBlocks blocks;
  manager.Register(&blocks);
  Hold(manager, blocks, {0, 1, 2});
  Hold(manager, blocks, {3, 4}, true);
  blocks[1];
  EXPECT_EQ(blocks.ReturnBlocks(10), 8);
  EXPECT_EQ(Numbers(blocks), (std::vector<int32_t>{1, 3, 4}));
  blocks.ClearFirstUnsaved();
  EXPECT_EQ(blocks.ReturnBlocks(10), 8);
  EXPECT_EQ(Numbers(blocks), (std::vector<int32_t>{1}));
  blocks.ReturnAll();
  EXPECT_EQ(manager.FreeCount(), 8);
}

TEST(YImageBlockManager, AnUnsavedBlockOfAnEmptyCollectionIsNeverGivenBack) {
  YImageBlockManager manager(1);
  YImageBlocks blocks;
  manager.Register(&blocks);
  Hold(manager, blocks, {0}, true);
  EXPECT_EQ(manager.CheckOutBlock(&blocks, 0), nullptr);
  EXPECT_EQ(Numbers(blocks), (std::vector<int32_t>{0}));
  blocks.ReturnAll();
}

TEST(YImageBlockManager, CheckOutReclaimsFromOtherCollectionsFirst) {
  YImageBlockManager manager(10);
  YImageBlocks requester;
  YImageBlocks other;
  manager.Register(&requester);
  manager.Register(&other);
  Hold(manager, requester, {0, 1, 2, 3, 4});
  Hold(manager, other, {0, 1, 2, 3, 4});
  ASSERT_EQ(manager.FreeCount(), 0);
  // With reserve 0 and nothing free, four blocks are asked for: all from the other collection.
  YImageBlock* block = manager.CheckOutBlock(&requester, 0);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(block->Collection(), nullptr);
  EXPECT_EQ(requester.Length(), 5);
  EXPECT_EQ(other.Length(), 1);
  EXPECT_EQ(manager.FreeCount(), 3);
  ASSERT_TRUE(manager.PutBlock(block));
  requester.ReturnAll();
  other.ReturnAll();
  EXPECT_EQ(manager.FreeCount(), 10);
}

TEST(YImageBlockManager, TheRequesterGivesWhenOthersCannot) {
  YImageBlockManager manager(3);
  YImageBlocks requester;
  manager.Register(&requester);
  Hold(manager, requester, {0, 1, 2});
  requester[2];
  YImageBlock* block = manager.CheckOutBlock(&requester, 0);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(Numbers(requester), (std::vector<int32_t>{2}));
  manager.PutBlock(block);
  requester.ReturnAll();
}

TEST(YImageBlockManager, NewCollectionsBecomeTheSecondEntry) {
  YImageBlockManager manager(0);
  YImageBlocks a, b, c;
  manager.Register(&a);
  manager.Register(&b);
  manager.Register(&c);
  const KList& list = manager.Collections();
  EXPECT_EQ(list.Item(0), &a);
  EXPECT_EQ(list.Item(1), &c);
  EXPECT_EQ(list.Item(2), &b);
  manager.Unregister(&c);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(c.Manager(), nullptr);
}

TEST(YImageBlockManager, CollectionsOutliveOrPrecedeThePool) {
  YImageBlocks survivor;
  {
    YImageBlockManager manager(2);
    manager.Register(&survivor);
    Hold(manager, survivor, {0});
    survivor.ReturnAll();
  }
  EXPECT_EQ(survivor.Manager(), nullptr);
  EXPECT_EQ(survivor.ReturnBlocks(3), 3);
  // Without a pool a collection's blocks are its own.
  auto* orphan = new YImageBlock;
  orphan->SetNumber(4);
  EXPECT_TRUE(survivor.Add(orphan, false));
  EXPECT_FALSE(survivor.Add(nullptr, false));
  auto* twin = new YImageBlock;
  twin->SetNumber(4);
  EXPECT_FALSE(survivor.Add(twin, false));
  delete twin;
  survivor.ReturnAll();
  EXPECT_EQ(survivor.Length(), 0);
}

TEST(YImageBlockManager, SubtractMovesTheMarks) {
  YImageBlockManager manager(4);
  YImageBlocks blocks;
  manager.Register(&blocks);
  Hold(manager, blocks, {0});
  Hold(manager, blocks, {1, 2}, true);
  YImageBlock* first = blocks[1];
  blocks.Subtract(first);
  EXPECT_EQ(blocks.InUse(), nullptr);
  EXPECT_EQ(blocks.FirstUnsaved()->Number(), 2);
  EXPECT_EQ(first->Collection(), nullptr);
  EXPECT_TRUE(manager.PutBlock(first));
  blocks.ReturnAll();
  EXPECT_EQ(manager.FreeCount(), 4);
}
