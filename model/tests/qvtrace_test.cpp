#include "model/qvtrace.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/kmemorystream.h"

namespace {

// Samples whose four bytes all differ and whose sign changes, so a byte out of place shows.
std::vector<int32_t> MixedSamples(int32_t blocks, int32_t seed) {
  std::vector<int32_t> samples(static_cast<size_t>(blocks) * QvTrace::kBlockSize);
  for (size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<int32_t>((i + 1) * 0x01030507u * static_cast<uint32_t>(seed));
  }
  return samples;
}

}  // namespace

TEST(QvTrace, TheRecordIsTheWindowThenEachChannelWordByWordInTheStreamsOrder) {
  struct Case {
    const char* name;
    bool bigEndian;
    int32_t firstSample;
    int32_t blocks;
  } cases[] = {{"no trace", false, 0, 0},
               {"one block inside", false, 1500, 1},
               {"the whole window", false, 0, QvTrace::kMaxBlocks},
               {"big-endian stream", true, 2500, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QvTrace trace;
    const std::vector<int32_t> first = MixedSamples(c.blocks, 3);
    const std::vector<int32_t> second = MixedSamples(c.blocks, -7);
    ASSERT_TRUE(trace.Set(c.firstSample, first, second));
    KMemoryStream expected;
    expected.SetBigEndian(c.bigEndian);
    expected.WriteInt32(c.blocks == 0 ? 0 : c.firstSample / QvTrace::kBlockSize);
    expected.WriteInt32(c.blocks);
    for (const auto* channel : {&first, &second}) {
      for (int32_t sample : *channel) {
        expected.WriteInt32(sample);
      }
    }
    KMemoryStream written;
    written.SetBigEndian(c.bigEndian);
    trace.Write(written);
    EXPECT_EQ(written.Bytes(), expected.Bytes());
    QvTrace read;
    read.Read(written);
    EXPECT_EQ(read, trace);
  }
}
