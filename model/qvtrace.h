#pragma once
// The force trace of one result: two channels of samples, one per millisecond, over a window of whole
// 500-sample blocks inside the 5001 samples from -3 s to +2 s (sample 3000 is the gun). Only the window is
// stored; everything outside it reads as 0. Invariant: both channels hold blockCount * 500 samples and
// firstBlock + blockCount <= 10, so the window never reaches the last sample (+2 s exactly).

#include <cstdint>
#include <vector>

class KStream;

class QvTrace {
 public:
  static constexpr int32_t kSampleCount = 5001;
  static constexpr int32_t kGunSample = 3000;
  static constexpr int32_t kBlockSize = 500;
  static constexpr int32_t kMaxBlocks = 10;

  // Takes the samples of both channels starting at `firstSample`; false, with the trace unchanged, unless
  // the start is a whole block, the channels are equally long in whole blocks and the window fits.
  bool Set(int32_t firstSample, std::vector<int32_t> channel1, std::vector<int32_t> channel2);
  void Clear();

  // Samples per channel; 0 when the result holds no trace.
  int32_t SampleCount() const { return static_cast<int32_t>(channel1.size()); }
  // Writes 5001 samples of the first channel then 5001 of the second, 0 outside the window.
  void GetSamples(double* buffer) const;
  // Sets the first and one-past-last sample of the window; leaves them as they are without a trace.
  void GetWindow(int32_t& first, int32_t& end) const;
  const std::vector<int32_t>& Channel(int32_t index) const { return index == 0 ? channel1 : channel2; }

  // The first block, the block count, then each channel's samples as 32-bit words.
  void Write(KStream& stream) const;
  // Checks the window against the limits and the bytes left before it allocates; KXPersistent 3010.
  void Read(KStream& stream);

  friend bool operator==(const QvTrace&, const QvTrace&) = default;

 private:
  int32_t firstBlock = 0;
  std::vector<int32_t> channel1;
  std::vector<int32_t> channel2;
};
