#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "imaging/tests/blocketteencoder.h"
#include "imaging/tests/imagingtestsupport.h"
#include "imaging/ygraytable.h"
#include "imaging/yimage.h"
#include "imaging/yimageblock.h"
#include "imaging/yimageframe.h"

namespace {

// One coded block of an image whose camera gives N pixels per frame, decoded frame by frame.
class DecoderTest : public FramePoolTest {
 protected:
  void Use(int32_t pixels, int32_t kind) {
    SetCamera(image.Camera(), YCamera::kTypeCoded, 0, pixels, kind == YImageBlock::kGrayCodes ? 0 : 1);
    block.SetImage(&image);
    kindOfBlock = kind;
    framePixels = pixels;
  }
  // Decodes the blockette at `word` into the output frames; the result of DecodeFrame.
  int32_t Decode(int32_t word, const YImageFrame* reference) {
    first.Reset(&block);
    second.Reset(&block);
    first.blocketteOffset = word;
    return block.DecodeFrame(reference, first, second);
  }
  void Build(const std::vector<Blockette>& blockettes) {
    CodedBlockBuilder builder(block);
    for (const Blockette& blockette : blockettes) {
      builder.Add(blockette);
    }
    builder.Finish(kindOfBlock, 0);
  }

  YImage image;
  YImageBlock block;
  YImageFrame reference;
  YImageFrame first;
  YImageFrame second;
  int32_t kindOfBlock = 0;
  int32_t framePixels = 0;
};

}  // namespace

TEST(YGrayTable, LevelsAndInverse) {
  EXPECT_EQ(kGrayTable[0], 0);
  EXPECT_EQ(kGrayTable[1], 2);
  EXPECT_EQ(kGrayTable[92], 252);
  EXPECT_EQ(kGrayTable[93], 255);
  EXPECT_EQ(kInverseGrayTable[2], 1);
  EXPECT_EQ(kInverseGrayTable[3], 0);
  for (int32_t i = 0; i < kGrayLevels; ++i) {
    EXPECT_EQ(kInverseGrayTable[kGrayTable[static_cast<size_t>(i)]], i);
  }
}

TEST_F(DecoderTest, GrayKeyReplicatesEachCode) {
  Use(7, YImageBlock::kGrayCodes);
  Blockette key;
  key.replication = 3;
  key.data = EncodeGrayKey({1, 50, 93});
  Build({key});
  ASSERT_EQ(Decode(2, nullptr), 1);
  EXPECT_EQ(GrayPixels(first.pixels.data(), 7),
            (std::vector<uint8_t>{2, 2, 2, kGrayTable[50], kGrayTable[50], kGrayTable[50], 255}));
}

TEST_F(DecoderTest, ColourKeyReadsOneWordPerReplicatedGroup) {
  Use(7, YImageBlock::kRgb15);
  Blockette key;
  key.replication = 3;
  key.data = {Rgb(1, 2, 3), Rgb(4, 5, 6), Rgb(7, 8, 9), Rgb(31, 31, 31)};
  Build({key});
  ASSERT_EQ(Decode(2, nullptr), 1);
  const uint16_t a = Rgb(1, 2, 3), b = Rgb(4, 5, 6), c = Rgb(7, 8, 9);
  EXPECT_EQ(ColourPixels(first.pixels.data(), 7), (std::vector<uint16_t>{a, a, a, b, b, b, c}));
}

TEST_F(DecoderTest, DeltaCodesOfSinglePixels) {
  struct Case {
    const char* name;
    uint32_t bits;
    int32_t count;
    uint16_t reference;
    uint16_t expected;
  } cases[] = {
      {"000 keeps the pixel", 0b000, 3, Rgb(5, 6, 7) | 0x8000, Rgb(5, 6, 7) | 0x8000},
      {"red +2 wraps 31 to 1", 0b0'0'001, 5, Rgb(31, 4, 4), Rgb(1, 4, 4)},
      {"red -2 wraps 1 to 31", 0b0'0'101, 5, Rgb(1, 4, 4), Rgb(31, 4, 4)},
      {"red literal 17", 0b0'0'1000111, 9, Rgb(3, 4, 4), Rgb(17, 4, 4)},
      {"blue +2 only", 0b001'0'0, 5, Rgb(3, 4, 4), Rgb(3, 4, 6)},
      {"green literal 0", 0b0'0000011'0, 9, Rgb(3, 9, 4), Rgb(3, 0, 4)},
  };
  Use(1, YImageBlock::kRgb15);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BitWriter writer;
    writer.Put(c.bits, c.count);
    Blockette delta;
    delta.mode = YImageBlock::kDelta;
    delta.data = writer.Halves();
    block = YImageBlock();
    block.SetImage(&image);
    Build({delta});
    FillColour(reference, {c.reference});
    ASSERT_EQ(Decode(2, &reference), 1);
    EXPECT_EQ(ColourPixels(first.pixels.data(), 1)[0], c.expected);
  }
}

TEST_F(DecoderTest, PairCodesOfSinglePixels) {
  struct Case {
    const char* name;
    std::vector<std::pair<uint32_t, int32_t>> codes;
    uint16_t reference;
    uint16_t first;
    uint16_t second;
  } cases[] = {
      {"0 copies to both frames", {{0, 1}}, Rgb(5, 6, 7) | 0x8000, Rgb(5, 6, 7), Rgb(5, 6, 7)},
      {"step 15 adds 29",
       {{1, 1}, {0b1111111, 7}, {0, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 1}},
       Rgb(10, 6, 7),
       Rgb(7, 6, 7),
       Rgb(7, 6, 7)},
      {"+1 then -2",
       {{1, 1}, {0b001, 3}, {0b1011, 4}, {0, 1}, {0, 1}, {0, 1}, {0, 1}},
       Rgb(0, 0, 0),
       Rgb(1, 0, 0),
       Rgb(31, 0, 0)},
      {"blue -1 then +2",
       {{1, 1}, {0, 1}, {0, 1}, {0, 1}, {0, 1}, {0b101, 3}, {0b0011, 4}},
       Rgb(0, 0, 0),
       Rgb(0, 0, 31),
       Rgb(0, 0, 1)},
  };
  Use(1, YImageBlock::kRgb15);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BitWriter writer;
    for (auto [bits, count] : c.codes) {
      writer.Put(bits, count);
    }
    Blockette pair;
    pair.mode = YImageBlock::kPair;
    pair.times = {1, 2};
    pair.data = writer.Halves();
    block = YImageBlock();
    block.SetImage(&image);
    Build({pair});
    FillColour(reference, {c.reference});
    ASSERT_EQ(Decode(2, &reference), 2);
    EXPECT_EQ(ColourPixels(first.pixels.data(), 1)[0], c.first);
    EXPECT_EQ(ColourPixels(second.pixels.data(), 1)[0], c.second);
  }
}

TEST_F(DecoderTest, LongDeltaFramesRoundTripThroughTheRefillPoints) {
  // Literal-heavy frames use up to 21 bits a pixel, so the reader refills at every point it names, and the
  // longest frame needs nearly the whole blockette.
  std::mt19937 random(7);
  for (int32_t pixels : {1, 2, 17, 300, 600}) {
    SCOPED_TRACE(pixels);
    Use(pixels, YImageBlock::kRgb15);
    const std::vector<uint16_t> from = RandomFrame(random, pixels);
    const std::vector<uint16_t> to = Changed(random, from, {0, 2, -2, 5, 11, 0, 0});
    Blockette delta;
    delta.mode = YImageBlock::kDelta;
    delta.data = EncodeDelta(from, to);
    ASSERT_LE(delta.data.size(), 2u * (YImageBlock::kMaxBlocketteWords - 2));
    block = YImageBlock();
    block.SetImage(&image);
    Build({delta});
    FillColour(reference, from);
    ASSERT_EQ(Decode(2, &reference), 1);
    EXPECT_EQ(ColourPixels(first.pixels.data(), pixels), to);
  }
}

TEST_F(DecoderTest, PairFramesRoundTripWithReplication) {
  std::mt19937 random(11);
  for (int32_t replication : {1, 2, 5, 12}) {
    SCOPED_TRACE(replication);
    const int32_t pixels = 1012;
    Use(pixels, YImageBlock::kRgb15);
    std::vector<uint16_t> from = RandomFrame(random, pixels);
    std::vector<uint16_t> one = Changed(random, from, {0, 0, 0, 1, -1, 2, -2, 3, 29, 17});
    std::vector<uint16_t> two = Changed(random, one, {0, 0, 1, -2, 4, 27});
    Blockette pair;
    pair.mode = YImageBlock::kPair;
    pair.times = {1, 2};
    pair.replication = replication;
    pair.data = EncodePair(from, one, two, replication);
    block = YImageBlock();
    block.SetImage(&image);
    Build({pair});
    FillColour(reference, from);
    ASSERT_EQ(Decode(2, &reference), 2);
    for (int32_t i = 0; i < pixels; ++i) {
      const auto group = static_cast<size_t>(i - i % replication);
      ASSERT_EQ(ColourPixels(first.pixels.data(), pixels)[static_cast<size_t>(i)], one[group]) << i;
      ASSERT_EQ(ColourPixels(second.pixels.data(), pixels)[static_cast<size_t>(i)], two[group]) << i;
    }
  }
}

TEST_F(DecoderTest, DeltaWithReplicationCopiesTheGroupHeads) {
  Use(5, YImageBlock::kRgb15);
  const std::vector<uint16_t> from = {Rgb(1, 1, 1), Rgb(2, 2, 2), Rgb(3, 3, 3), Rgb(4, 4, 4), Rgb(5, 5, 5)};
  const std::vector<uint16_t> to = {Rgb(3, 1, 1), Rgb(9, 9, 9), Rgb(3, 3, 3), Rgb(4, 4, 6), Rgb(5, 5, 5)};
  Blockette delta;
  delta.mode = YImageBlock::kDelta;
  delta.replication = 2;
  delta.data = EncodeDelta(from, to);
  Build({delta});
  FillColour(reference, from);
  ASSERT_EQ(Decode(2, &reference), 1);
  EXPECT_EQ(ColourPixels(first.pixels.data(), 5), (std::vector<uint16_t>{to[0], to[0], to[2], to[2], to[4]}));
}

TEST_F(DecoderTest, WithoutReferenceEveryModeIsAKey) {
  Use(2, YImageBlock::kRgb15);
  for (int32_t mode : {int32_t{YImageBlock::kDelta}, int32_t{YImageBlock::kPair}, int32_t{7}}) {
    SCOPED_TRACE(mode);
    Blockette blockette;
    blockette.mode = mode;
    blockette.data = {Rgb(1, 2, 3), Rgb(4, 5, 6)};
    block = YImageBlock();
    block.SetImage(&image);
    Build({blockette});
    ASSERT_EQ(Decode(2, nullptr), 1);
    EXPECT_EQ(ColourPixels(first.pixels.data(), 2), (std::vector<uint16_t>{Rgb(1, 2, 3), Rgb(4, 5, 6)}));
  }
}

TEST_F(DecoderTest, BadBlockettesFail) {
  struct Case {
    const char* name;
    int32_t kind;
    int32_t pixels;
    int32_t mode;
    int32_t lengthDelta;
    std::vector<uint16_t> data;
    bool withReference;
    int32_t word;
  } cases[] = {
      {"gray blockette in mode 0 with a reference", YImageBlock::kGrayCodes, 2, 0, 0, {0x0101}, true, 2},
      {"colour mode 3 with a reference", YImageBlock::kRgb15, 1, 3, 0, {0}, true, 2},
      {"gray code 94", YImageBlock::kGrayCodes, 2, 1, 0, {0x5E01}, false, 2},
      {"gray code 255", YImageBlock::kGrayCodes, 1, 1, 0, {0x00FF}, false, 2},
      {"length 0", YImageBlock::kRgb15, 1, 1, -3, {0}, false, 2},
      {"negative length", YImageBlock::kRgb15, 1, 1, -40, {0}, false, 2},
      {"length shorter than its time words", YImageBlock::kRgb15, 1, 1, -2, {0}, false, 2},
      {"gray frame longer than the buffer", YImageBlock::kGrayCodes, 2025, 1, 0, {0}, false, 2},
      {"colour frame longer than the buffer", YImageBlock::kRgb15, 1013, 1, 0, {0}, false, 2},
      {"frame length 0", YImageBlock::kRgb15, 0, 1, 0, {0}, false, 2},
      {"pixel kind 2", 2, 1, 1, 0, {0}, false, 2},
      {"blockette outside the block", YImageBlock::kRgb15, 1, 1, 0, {0}, false, 4000},
      {"blockette at the checksum", YImageBlock::kRgb15, 1, 1, 0, {0}, false, 3999},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    block = YImageBlock();
    Use(c.pixels, c.kind);
    kindOfBlock = c.kind;
    Blockette blockette;
    blockette.mode = c.mode;
    blockette.lengthDelta = c.lengthDelta;
    blockette.data = c.data;
    Build({blockette});
    // A blockette header placed at the block's last word for the offset cases.
    block.SetBlocketteLength(3999, 3);
    FillColour(reference, std::vector<uint16_t>(4, 0));
    EXPECT_EQ(Decode(c.word, c.withReference ? &reference : nullptr), -1);
  }
}
