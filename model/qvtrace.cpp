#include "model/qvtrace.h"

#include <algorithm>

#include "foundation/kpersistent.h"
#include "foundation/kstream.h"
#include "foundation/kx.h"

bool QvTrace::Set(int32_t firstSample, std::vector<int32_t> samples1, std::vector<int32_t> samples2) {
  const auto length = samples1.size();
  if (firstSample < 0 || firstSample % kBlockSize != 0 || length != samples2.size() ||
      length % kBlockSize != 0 ||
      static_cast<int64_t>(firstSample) + static_cast<int64_t>(length) > int64_t{kMaxBlocks} * kBlockSize) {
    return false;
  }
  firstBlock = length == 0 ? 0 : firstSample / kBlockSize;
  channel1 = std::move(samples1);
  channel2 = std::move(samples2);
  return true;
}

void QvTrace::Clear() {
  firstBlock = 0;
  channel1.clear();
  channel2.clear();
}

void QvTrace::GetSamples(double* buffer) const {
  std::fill(buffer, buffer + 2 * kSampleCount, 0.0);
  const int32_t first = firstBlock * kBlockSize;
  for (int32_t i = 0; i < SampleCount(); ++i) {
    buffer[first + i] = channel1[i];
    buffer[kSampleCount + first + i] = channel2[i];
  }
}

void QvTrace::GetWindow(int32_t& first, int32_t& end) const {
  if (SampleCount() == 0) {
    return;
  }
  first = firstBlock * kBlockSize;
  end = first + SampleCount();
}

void QvTrace::Write(KStream& stream) const {
  stream.WriteInt32(firstBlock);
  stream.WriteInt32(SampleCount() / kBlockSize);
  // The samples are nearly all of a document's bytes: one write a channel, not one call a sample.
  for (const auto* channel : {&channel1, &channel2}) {
    stream.WriteInt32s(channel->data(), static_cast<int32_t>(channel->size()));
  }
}

void QvTrace::Read(KStream& stream) {
  const int32_t newFirst = stream.ReadInt32();
  // Each block holds 500 samples of both channels, 4 bytes each.
  const int32_t blocks = KPersistent::ReadCount(stream, 2 * kBlockSize * 4, kMaxBlocks);
  if (newFirst < 0 || newFirst > kMaxBlocks - blocks || (blocks == 0 && newFirst != 0)) {
    throw KXPersistent(kErrFileContents);
  }
  std::vector<int32_t> samples[2];
  for (auto& channel : samples) {
    channel.resize(static_cast<size_t>(blocks) * kBlockSize);
    for (int32_t& sample : channel) {
      sample = stream.ReadInt32();
    }
  }
  firstBlock = newFirst;
  channel1 = std::move(samples[0]);
  channel2 = std::move(samples[1]);
}
