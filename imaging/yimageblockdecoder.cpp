// YImageBlock::DecodeFrame: the frame decoder of coded blocks. One blockette becomes one or two frames:
// gray key blockettes, colour key blockettes, colour delta blockettes (one frame against the previous) and
// colour pair blockettes (two frames, the first against the previous, the second against the first), with
// each coded pixel standing for `replication` pixels of the frame.

#include <algorithm>
#include <array>

#include "imaging/ybitreader.h"
#include "imaging/ygraytable.h"
#include "imaging/yimageblock.h"
#include "imaging/yimageframe.h"

namespace {

constexpr int32_t kMaxGrayPixels = YImageFrame::kPixelBytes;
constexpr int32_t kMaxColourPixels = YImageFrame::kPixelBytes / 2;
constexpr uint16_t kPairSteps[16] = {3, 4, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 28, 29};
constexpr int32_t kChannelShifts[3] = {10, 5, 0};

// The copied data words of the blockette being decoded, as 16-bit halves in storage order. Shared by every
// decode (the decoder runs on the GUI thread only) and cleared after each, so that a reader running past
// the data reads 0 bits.
std::array<uint16_t, 2 * YImageBlock::kMaxBlocketteWords> scratch{};

uint16_t PixelAt(const YImageFrame& frame, int32_t i) {
  return static_cast<uint16_t>(frame.pixels[2 * i] | frame.pixels[2 * i + 1] << 8);
}

void SetPixel(YImageFrame& frame, int32_t i, uint16_t value) {
  frame.pixels[2 * i] = static_cast<uint8_t>(value);
  frame.pixels[2 * i + 1] = static_cast<uint8_t>(value >> 8);
}

// One channel of a delta pixel: unchanged (0), plus 2 (100), minus 2 (101) or a 5-bit literal (11 + 5).
uint16_t DeltaChannel(YBitReader& reader, uint16_t channel) {
  if (reader.Peek(1) == 0) {
    reader.Take(1);
    return channel;
  }
  if (reader.Peek(2) == 3) {
    const auto literal = static_cast<uint16_t>((reader.Peek(7) >> 2) & 31);
    reader.Take(7);
    return literal;
  }
  const bool minus = reader.Peek(3) == 5;
  reader.Take(3);
  return static_cast<uint16_t>((channel + (minus ? 30 : 2)) & 31);
}

// The change a pair code makes to a channel: 0 (0), +1 (100), -1 (101), +2 (1100), -2 (1101) or a step
// from the table (111 + 4-bit index).
uint16_t PairStep(YBitReader& reader) {
  if (reader.Peek(1) == 0) {
    reader.Take(1);
    return 0;
  }
  switch (reader.Peek(3)) {
    case 1:
      reader.Take(3);
      return 1;
    case 5:
      reader.Take(3);
      return 31;
    case 7: {
      const uint16_t step = kPairSteps[(reader.Peek(7) >> 3) & 15];
      reader.Take(7);
      return step;
    }
    default: {
      const bool minus = reader.Peek(4) == 11;
      reader.Take(4);
      return minus ? 30 : 2;
    }
  }
}

bool DecodeGray(int32_t pixels, int32_t replication, YImageFrame& out) {
  int32_t next = 0;
  for (int32_t i = 0; i < pixels; i += replication) {
    // Codes are bytes in storage order: the low byte of each half comes first.
    const uint16_t half = scratch[static_cast<size_t>(next / 2)];
    const auto code = static_cast<uint8_t>(next % 2 == 0 ? half & 0xFF : half >> 8);
    ++next;
    if (code >= kGrayLevels) {
      return false;
    }
    out.pixels[static_cast<size_t>(i)] = kGrayTable[code];
  }
  for (int32_t i = 0; i < pixels; i += replication) {
    std::fill(out.pixels.begin() + i + 1, out.pixels.begin() + std::min(i + replication, pixels),
              out.pixels[i]);
  }
  return true;
}

void DecodeColourKey(int32_t pixels, int32_t replication, YImageFrame& out) {
  int32_t next = 0;
  for (int32_t i = 0; i < pixels; i += replication) {
    SetPixel(out, i, scratch[static_cast<size_t>(next++)]);
  }
}

void DecodeDelta(int32_t pixels, int32_t dataWords, const YImageFrame& reference, YImageFrame& out) {
  YBitReader reader(scratch.data(), 2 * dataWords);
  for (int32_t i = 0; i < pixels; ++i) {
    reader.Refill();
    uint16_t p = PixelAt(reference, i);
    if (reader.Peek(3) == 0) {
      reader.Take(3);
    } else {
      uint16_t channels[3];
      for (int32_t c = 0; c < 3; ++c) {
        if (c == 2) {
          reader.Refill();
        }
        channels[c] = DeltaChannel(reader, static_cast<uint16_t>((p >> kChannelShifts[c]) & 31));
      }
      p = static_cast<uint16_t>((p & 0x8000) | channels[0] << 10 | channels[1] << 5 | channels[2]);
    }
    SetPixel(out, i, p);
  }
}

void DecodePair(int32_t pixels, int32_t replication, int32_t dataWords, const YImageFrame& reference,
                YImageFrame& first, YImageFrame& second) {
  YBitReader reader(scratch.data(), 2 * dataWords);
  for (int32_t i = 0; i < pixels; i += replication) {
    const auto p = static_cast<uint16_t>(PixelAt(reference, i) & 0x7FFF);
    if (reader.Peek(1) == 0) {
      reader.Take(1);
      SetPixel(first, i, p);
      SetPixel(second, i, p);
      reader.Refill();
      continue;
    }
    reader.Take(1);
    uint16_t one = 0;
    uint16_t two = 0;
    for (int32_t shift : kChannelShifts) {
      auto c = static_cast<uint16_t>((p >> shift) & 31);
      c = static_cast<uint16_t>(c + PairStep(reader));
      one = static_cast<uint16_t>(one | (c & 31) << shift);
      c = static_cast<uint16_t>(c + PairStep(reader));
      two = static_cast<uint16_t>(two | (c & 31) << shift);
      reader.Refill();
    }
    SetPixel(first, i, one);
    SetPixel(second, i, two);
  }
}

void ReplicateColour(int32_t pixels, int32_t replication, YImageFrame& frame) {
  for (int32_t i = 0; i < pixels; i += replication) {
    const uint16_t value = PixelAt(frame, i);
    for (int32_t j = i + 1; j < std::min(i + replication, pixels); ++j) {
      SetPixel(frame, j, value);
    }
  }
}

}  // namespace

int32_t YImageBlock::DecodeFrame(const YImageFrame* reference, YImageFrame& first,
                                 YImageFrame& second) const {
  const int32_t b = first.blocketteOffset;
  if (GetLayout() != kCoded || b < kFirstBlocketteWord || b >= kWords) {
    return -1;
  }
  const int32_t length = BlocketteLength(b);
  const int32_t frames = BlocketteFrames(b);
  const int32_t d = b + frames + 1;
  const int32_t dataWords = length - (frames + 1);
  const int32_t kind = PixelKind();
  const int32_t pixels = FrameLength();
  const int32_t maxPixels = kind == kGrayCodes ? kMaxGrayPixels : kMaxColourPixels;
  if (length < 1 || dataWords < 0 || d >= kWords || d + dataWords > kWords || pixels < 1 ||
      pixels > maxPixels || (kind != kGrayCodes && kind != kRgb15)) {
    return -1;
  }
  for (int32_t w = 0; w < dataWords; ++w) {
    scratch[static_cast<size_t>(2 * w)] = static_cast<uint16_t>(Half(d + w, 0));
    scratch[static_cast<size_t>(2 * w + 1)] = static_cast<uint16_t>(Half(d + w, 1));
  }
  const int32_t mode = BlocketteMode(b);
  const int32_t replication = BlocketteReplication(b);
  int32_t result = -1;
  if (kind == kGrayCodes) {
    if ((reference == nullptr || mode == kKey) && DecodeGray(pixels, replication, first)) {
      result = 1;
    }
  } else if (reference == nullptr || mode == kKey) {
    DecodeColourKey(pixels, replication, first);
    result = 1;
  } else if (mode == kDelta) {
    DecodeDelta(pixels, dataWords, *reference, first);
    result = 1;
  } else if (mode == kPair) {
    DecodePair(pixels, replication, dataWords, *reference, first, second);
    result = 2;
  }
  if (result > 0 && kind == kRgb15 && replication > 1) {
    ReplicateColour(pixels, replication, first);
    if (result == 2) {
      ReplicateColour(pixels, replication, second);
    }
  }
  std::fill(scratch.begin(), scratch.begin() + 2 * dataWords, 0);
  return result;
}
