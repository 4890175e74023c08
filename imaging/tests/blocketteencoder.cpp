#include "imaging/tests/blocketteencoder.h"

#include <gtest/gtest.h>

#include "foundation/kmemorystream.h"
#include "imaging/ycamera.h"

namespace {

constexpr int32_t kShifts[3] = {10, 5, 0};
constexpr int32_t kSteps[16] = {3, 4, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 28, 29};

void PutDeltaChannel(BitWriter& writer, int32_t from, int32_t to) {
  const int32_t change = (to - from) & 31;
  if (change == 0) {
    writer.Put(0, 1);
  } else if (change == 2) {
    writer.Put(0b001, 3);
  } else if (change == 30) {
    writer.Put(0b101, 3);
  } else {
    writer.Put(0b11 | static_cast<uint32_t>(to) << 2, 7);
  }
}

void PutPairStep(BitWriter& writer, int32_t change) {
  change &= 31;
  switch (change) {
    case 0:
      writer.Put(0, 1);
      return;
    case 1:
      writer.Put(0b001, 3);
      return;
    case 31:
      writer.Put(0b101, 3);
      return;
    case 2:
      writer.Put(0b0011, 4);
      return;
    case 30:
      writer.Put(0b1011, 4);
      return;
    default:
      for (int32_t i = 0; i < 16; ++i) {
        if (kSteps[i] == change) {
          writer.Put(0b111 | static_cast<uint32_t>(i) << 3, 7);
          return;
        }
      }
      ADD_FAILURE() << "no pair code for a change of " << change;
  }
}

}  // namespace

void BitWriter::Put(uint32_t bits, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    pending |= ((bits >> i) & 1) << pendingCount;
    if (++pendingCount == 16) {
      halves.push_back(static_cast<uint16_t>(pending));
      pending = 0;
      pendingCount = 0;
    }
  }
}

const std::vector<uint16_t>& BitWriter::Halves() {
  if (pendingCount > 0) {
    halves.push_back(static_cast<uint16_t>(pending));
    pending = 0;
    pendingCount = 0;
  }
  return halves;
}

std::vector<uint16_t> EncodeGrayKey(const std::vector<uint8_t>& codes) {
  std::vector<uint16_t> halves((codes.size() + 1) / 2);
  for (size_t i = 0; i < codes.size(); ++i) {
    halves[i / 2] = static_cast<uint16_t>(halves[i / 2] | codes[i] << (i % 2 == 0 ? 0 : 8));
  }
  return halves;
}

std::vector<uint16_t> EncodeColourKey(const std::vector<uint16_t>& pixels, int32_t replication) {
  std::vector<uint16_t> halves;
  for (size_t i = 0; i < pixels.size(); i += static_cast<size_t>(replication)) {
    halves.push_back(pixels[i]);
  }
  return halves;
}

std::vector<uint16_t> EncodeDelta(const std::vector<uint16_t>& reference,
                                  const std::vector<uint16_t>& frame) {
  BitWriter writer;
  for (size_t i = 0; i < frame.size(); ++i) {
    if (frame[i] == reference[i]) {
      writer.Put(0, 3);
      continue;
    }
    for (int32_t shift : kShifts) {
      PutDeltaChannel(writer, (reference[i] >> shift) & 31, (frame[i] >> shift) & 31);
    }
  }
  return writer.Halves();
}

std::vector<uint16_t> EncodePair(const std::vector<uint16_t>& reference, const std::vector<uint16_t>& first,
                                 const std::vector<uint16_t>& second, int32_t replication) {
  BitWriter writer;
  for (size_t i = 0; i < first.size(); i += static_cast<size_t>(replication)) {
    const int32_t p = reference[i] & 0x7FFF;
    if (first[i] == p && second[i] == p) {
      writer.Put(0, 1);
      continue;
    }
    writer.Put(1, 1);
    for (int32_t shift : kShifts) {
      const int32_t c0 = (p >> shift) & 31;
      const int32_t c1 = (first[i] >> shift) & 31;
      const int32_t c2 = (second[i] >> shift) & 31;
      PutPairStep(writer, c1 - c0);
      PutPairStep(writer, c2 - c1);
    }
  }
  return writer.Halves();
}

CodedBlockBuilder& CodedBlockBuilder::Add(const Blockette& blockette) {
  const auto frameCount = static_cast<int32_t>(blockette.times.size());
  const auto dataWords = static_cast<int32_t>((blockette.data.size() + 1) / 2);
  const int32_t length = 1 + frameCount + dataWords;
  block.SetBlocketteLength(next, length + blockette.lengthDelta);
  block.SetBlocketteFlags(
      next, static_cast<uint16_t>(blockette.mode | (frameCount - 1) << 4 | (blockette.replication - 1) << 8 |
                                  blockette.extraFlags));
  for (int32_t k = 0; k < frameCount; ++k) {
    block.SetBlocketteTime(next, k, blockette.times[static_cast<size_t>(k)]);
  }
  const int32_t d = next + 1 + frameCount;
  for (size_t i = 0; i < blockette.data.size(); ++i) {
    block.SetHalf(d + static_cast<int32_t>(i / 2), static_cast<int32_t>(i % 2),
                  static_cast<int16_t>(blockette.data[i]));
  }
  next += length;
  frames += frameCount;
  return *this;
}

void CodedBlockBuilder::Finish(int32_t kind, int32_t firstFrame, uint8_t camera) {
  block.SetHalf(0, 0, static_cast<int16_t>(frames));
  block.SetHalf(0, 1, static_cast<int16_t>(kind));
  block.SetWord(1, static_cast<uint32_t>(firstFrame));
  block.SetCameraNumber(camera);
  block.UpdateChecksum();
}

void SetCamera(YCamera& camera, int32_t type, int32_t p5, int32_t p7, int32_t pixelMode, int32_t number) {
  YCamera model;
  model.SetParameter(0, type == YCamera::kTypeNone ? YCamera::kTypeNone : type, false);
  KMemoryStream stream;
  model.Write(stream);
  std::vector<uint8_t> bytes = stream.Bytes();
  // Parameters start after the version, id, empty name (8 bytes), value count and parameter count words;
  // each is a word and a flags byte.
  const size_t first = 4 + 4 + 8 + 4 + 4;
  auto put = [&](int32_t n, int32_t value) {
    for (int32_t i = 0; i < 4; ++i) {
      bytes[first + 5 * static_cast<size_t>(n) + static_cast<size_t>(i)] =
          static_cast<uint8_t>(value >> (8 * i));
    }
  };
  put(0, type);
  put(2, number);
  put(5, p5);
  put(7, p7);
  put(27, pixelMode);
  KMemoryStream read(std::move(bytes));
  camera.Read(read);
}

std::vector<uint16_t> RandomFrame(std::mt19937& random, int32_t pixels) {
  std::vector<uint16_t> frame(static_cast<size_t>(pixels));
  for (uint16_t& pixel : frame) {
    pixel = static_cast<uint16_t>(random() & 0x7FFF);
  }
  return frame;
}

std::vector<uint16_t> Changed(std::mt19937& random, const std::vector<uint16_t>& from,
                              const std::vector<int32_t>& changes) {
  std::vector<uint16_t> frame(from.size());
  for (size_t i = 0; i < from.size(); ++i) {
    uint16_t pixel = 0;
    for (int32_t shift : kShifts) {
      const int32_t change = changes[random() % changes.size()];
      pixel = static_cast<uint16_t>(pixel | (((from[i] >> shift) + change) & 31) << shift);
    }
    frame[i] = pixel;
  }
  return frame;
}

std::vector<std::vector<uint16_t>> BuildColourSequence(YImageBlock& block, std::mt19937& random,
                                                       int32_t pixels, int32_t firstFrame, uint8_t camera) {
  const std::vector<int32_t> pairChanges = {0, 0, 1, -1, 2, -2, 3, 29};
  std::vector<std::vector<uint16_t>> frames;
  frames.push_back(RandomFrame(random, pixels));
  frames.push_back(Changed(random, frames[0], {0, 0, 2, -2, 7}));
  frames.push_back(Changed(random, frames[1], pairChanges));
  frames.push_back(Changed(random, frames[2], pairChanges));
  frames.push_back(Changed(random, frames[3], {0, 2, 9}));
  frames.push_back(RandomFrame(random, pixels));
  CodedBlockBuilder builder(block);
  Blockette key;
  key.times = {100};
  key.data = EncodeColourKey(frames[0], 1);
  builder.Add(key);
  Blockette delta;
  delta.mode = YImageBlock::kDelta;
  delta.times = {110};
  delta.data = EncodeDelta(frames[0], frames[1]);
  builder.Add(delta);
  Blockette pair;
  pair.mode = YImageBlock::kPair;
  pair.times = {120, 130};
  pair.data = EncodePair(frames[1], frames[2], frames[3], 1);
  builder.Add(pair);
  delta.times = {140};
  delta.data = EncodeDelta(frames[3], frames[4]);
  builder.Add(delta);
  key.times = {150};
  key.data = EncodeColourKey(frames[5], 1);
  builder.Add(key);
  builder.Finish(YImageBlock::kRgb15, firstFrame, camera);
  return frames;
}
