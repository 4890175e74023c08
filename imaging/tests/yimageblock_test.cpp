#include "imaging/yimageblock.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "imaging/tests/blocketteencoder.h"
#include "imaging/tests/imagingtestsupport.h"
#include "imaging/yimage.h"
#include "imaging/yimageblocks.h"

namespace {

constexpr int32_t kPixels = 40;

// An image without a pool whose collection owns the blocks the test adds.
class BlockTest : public FramePoolTest {
 protected:
  void SetUp() override {
    FramePoolTest::SetUp();
    SetCamera(image.Camera(), YCamera::kTypeCoded, 0, kPixels, 1);
  }
  YImageBlock* NewBlock(int32_t number) {
    auto* block = new YImageBlock;
    block->SetImage(&image);
    block->SetNumber(number);
    EXPECT_TRUE(image.Blocks().Add(block, false));
    return block;
  }
  // The block looked up, so that it is the block in use, and its frame n.
  std::vector<uint16_t> FrameOf(int32_t number, int32_t n) {
    YImageBlock* block = image.Blocks()[number];
    const uint8_t* pixels = block->Frame(n);
    return pixels != nullptr ? ColourPixels(pixels, kPixels) : std::vector<uint16_t>{};
  }

  YImage image;
  std::mt19937 random{3};
};

}  // namespace

TEST_F(BlockTest, CodedFramesDecodeInAnyOrder) {
  YImageBlock* block = NewBlock(0);
  const auto frames = BuildColourSequence(*block, random, kPixels);
  ASSERT_EQ(block->FrameCount(), 6);
  for (const std::vector<int32_t>& order :
       {std::vector<int32_t>{0, 1, 2, 3, 4, 5}, {5, 4, 3, 2, 1, 0}, {3, 0, 4, 2, 5, 1, 1, 3}}) {
    for (int32_t n : order) {
      SCOPED_TRACE(n);
      EXPECT_EQ(FrameOf(0, n), frames[static_cast<size_t>(n)]);
    }
  }
}

TEST_F(BlockTest, AFrameAskedTwiceIsNotDecodedAgain) {
  YImageBlock* block = NewBlock(0);
  const auto frames = BuildColourSequence(*block, random, kPixels);
  image.Blocks()[0];
  const uint8_t* first = block->Frame(4);
  // Damage the blockette the frame came from: a second decode would show it.
  int32_t position = 4;
  block->SetWord(block->FindBlockette(position) + 3, 0xFFFFFFFF);
  EXPECT_EQ(block->Frame(4), first);
  EXPECT_EQ(ColourPixels(first, kPixels), frames[4]);
}

TEST_F(BlockTest, FirstBlocketteWithTwoFramesCannotBeDecoded) {
  YImageBlock* block = NewBlock(0);
  Blockette pair;
  pair.mode = YImageBlock::kPair;
  pair.times = {1, 2};
  pair.data = EncodeColourKey(std::vector<uint16_t>(kPixels, 5), 1);
  CodedBlockBuilder(*block).Add(pair).Finish(YImageBlock::kRgb15, 0);
  image.Blocks()[0];
  EXPECT_EQ(block->Frame(0), nullptr);
}

TEST_F(BlockTest, FramesOutsideTheBlockGiveNothing) {
  YImageBlock* coded = NewBlock(0);
  BuildColourSequence(*coded, random, kPixels);
  image.Blocks()[0];
  for (int32_t n : {-1, 6, 4000, INT32_MIN}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(coded->Frame(n), nullptr);
    EXPECT_FALSE(coded->Time(n).HasResolution());
  }
  YImage raw;
  SetCamera(raw.Camera(), YCamera::kTypeRaw, 0, 0, 0);
  YImageBlock block;
  block.SetImage(&raw);
  ASSERT_EQ(block.FrameCount(), 16);
  EXPECT_EQ(block.Frame(16), nullptr);
  EXPECT_FALSE(block.Time(16).HasResolution());
  EXPECT_NE(block.Frame(15), nullptr);
}

TEST_F(BlockTest, RawFramesAndTheirTimes) {
  YImage raw;
  SetCamera(raw.Camera(), YCamera::kTypeRaw, 0, 2, 0);
  YImageBlock block;
  block.SetImage(&raw);
  block.SetNumber(3);
  const int32_t length = raw.Camera().Rate();
  ASSERT_EQ(length, 250);
  ASSERT_EQ(block.FrameCount(), 64);
  EXPECT_EQ(block.FirstFrame(), 192);
  for (int32_t n = 0; n < 64; ++n) {
    uint8_t* frame = block.Data() + n * length;
    std::fill(frame, frame + length - 4, static_cast<uint8_t>(n));
    const int32_t stamp = -1000 + n * 70000;
    for (int32_t i = 0; i < 4; ++i) {
      frame[length - 4 + i] = static_cast<uint8_t>(static_cast<uint32_t>(stamp) >> (24 - 8 * i));
    }
  }
  for (int32_t n : {0, 1, 63, 7}) {
    SCOPED_TRACE(n);
    const uint8_t* pixels = block.Frame(n);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels[0], n);
    EXPECT_EQ(pixels[length - 5], n);
    EXPECT_EQ(block.Time(n).Units(), -1000 + n * 70000);
  }
}

TEST_F(BlockTest, CodedTimesComeFromTheBlockettes) {
  YImageBlock* block = NewBlock(0);
  BuildColourSequence(*block, random, kPixels);
  image.Blocks()[0];
  const int64_t expected[] = {100, 110, 120, 130, 140, 150};
  for (int32_t n = 0; n < 6; ++n) {
    EXPECT_EQ(block->Time(n).Units(), expected[n]) << n;
  }
}

TEST_F(BlockTest, PoolFramesAreReusedLeastRecentlyUsedFirst) {
  YImage raw;
  SetCamera(raw.Camera(), YCamera::kTypeRaw, 0, 2, 0);
  YImageBlock block;
  block.SetImage(&raw);
  const uint8_t* buffers[5];
  for (int32_t n = 0; n < 5; ++n) {
    buffers[n] = block.Frame(n);
  }
  EXPECT_EQ(block.Frame(0), buffers[0]);
  // Frame 1's buffer is now the least recently used one.
  EXPECT_EQ(block.Frame(5), buffers[1]);
  EXPECT_EQ(block.Frame(0), buffers[0]);
  EXPECT_EQ(block.Frame(6), buffers[2]);
  // A new image for the block forgets its frames.
  block.SetImage(&raw);
  EXPECT_EQ(block.Frame(0), buffers[3]);
}

TEST_F(BlockTest, ChecksumAndCameraByte) {
  YImageBlock* block = NewBlock(0);
  BuildColourSequence(*block, random, kPixels, 0, 7);
  EXPECT_TRUE(block->IsValid());
  EXPECT_EQ(block->CameraNumber(), 7);
  block->SetCameraNumber(9);
  EXPECT_TRUE(block->IsValid());
  block->Data()[100] ^= 1;
  EXPECT_FALSE(block->IsValid());
}

TEST_F(BlockTest, CheckLayoutFindsDamage) {
  struct Case {
    const char* name;
    int32_t mode;
    std::vector<int32_t> secondTimes;
    uint16_t extraFlags;
    int32_t lengthDelta;
    bool valid;
  } cases[] = {
      {"sound", YImageBlock::kDelta, {110}, 0, 0, true},
      {"mode 3", 3, {110}, 0, 0, false},
      {"time going back", YImageBlock::kDelta, {90}, 0, 0, false},
      {"pair times going back", YImageBlock::kPair, {120, 115}, 0, 0, false},
      {"field bits set", YImageBlock::kDelta, {110}, 0x1000, 0, false},
      {"zero length", YImageBlock::kDelta, {110}, 0, -3, false},
      {"mark bit is fine", YImageBlock::kDelta, {110}, 0x8000, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    YImageBlock block;
    block.SetImage(&image);
    Blockette key;
    key.times = {100};
    key.data = {1};
    Blockette second;
    second.mode = c.mode;
    second.times = c.secondTimes;
    second.data = {0};
    second.extraFlags = c.extraFlags;
    second.lengthDelta = c.lengthDelta;
    Blockette third = key;
    third.times = {200};
    CodedBlockBuilder(block).Add(key).Add(second).Add(third).Finish(YImageBlock::kRgb15, 0);
    EXPECT_EQ(block.CheckLayout(), c.valid);
  }
}

TEST_F(BlockTest, FindBlocketteWalksByFrameCounts) {
  YImageBlock* block = NewBlock(0);
  BuildColourSequence(*block, random, kPixels);
  const int32_t keyWords = 2 + (kPixels + 1) / 2;
  struct Case {
    int32_t frame;
    int32_t word;
    int32_t position;
  } cases[] = {{0, 2, 0}, {1, 2 + keyWords, 0}, {3, -1, 1}, {5, -1, 0}, {6, -1, 0}};
  int32_t pairWord = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.frame);
    int32_t n = c.frame;
    const int32_t word = block->FindBlockette(n);
    EXPECT_EQ(n, c.position);
    if (c.word >= 0) {
      EXPECT_EQ(word, c.word);
    }
    if (c.frame == 3) {
      pairWord = word;
      EXPECT_EQ(block->BlocketteFrames(word), 2);
    }
  }
  EXPECT_GT(pairWord, 2 + keyWords);
  // A blockette that does not move forward ends the walk instead of looping.
  block->SetBlocketteLength(pairWord, 0);
  int32_t n = 5;
  EXPECT_EQ(block->FindBlockette(n), pairWord);
}

TEST_F(BlockTest, KeyBlockettesRebuildAnyFrame) {
  YImageBlock* source = NewBlock(0);
  const auto frames = BuildColourSequence(*source, random, kPixels);
  YImageBlock rebuilt;
  rebuilt.SetImage(&image);
  int32_t offset = 2;
  int32_t written = 0;
  int32_t total = 0;
  for (int32_t n : {3, 4, 0}) {
    image.Blocks()[0];
    ASSERT_TRUE(source->WriteKeyBlockette(&rebuilt, offset, written, n));
    total += written;
  }
  int32_t measured = 2;
  source->WriteKeyBlockette(nullptr, measured, written, 3);
  EXPECT_EQ(measured, 2 + 2 + kPixels / 2);
  rebuilt.SetFrameCount(total);
  auto* holder = new YImageBlock;
  holder->SetImage(&image);
  holder->SetNumber(1);
  std::copy(rebuilt.Data(), rebuilt.Data() + YImageBlock::kBytes, holder->Data());
  image.Blocks().Add(holder, false);
  EXPECT_EQ(FrameOf(1, 0), frames[3]);
  EXPECT_EQ(FrameOf(1, 1), frames[4]);
  EXPECT_EQ(FrameOf(1, 2), frames[0]);
  EXPECT_EQ(holder->Time(0).Units(), 130);
  EXPECT_EQ(holder->Time(1).Units(), 140);
}

TEST_F(BlockTest, CopyBlocketteCopiesWholeBlockettes) {
  YImageBlock* source = NewBlock(0);
  BuildColourSequence(*source, random, kPixels);
  YImageBlock copy;
  int32_t offset = 2;
  int32_t frames = 0;
  ASSERT_TRUE(source->CopyBlockette(&copy, offset, frames, 2));
  EXPECT_EQ(frames, 2);
  int32_t position = 2;
  const int32_t word = source->FindBlockette(position);
  EXPECT_EQ(offset, 2 + source->BlocketteLength(word));
  for (int32_t i = 0; i < source->BlocketteLength(word); ++i) {
    EXPECT_EQ(copy.Word(2 + i), source->Word(word + i));
  }
}
