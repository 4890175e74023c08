#pragma once
// The inverse of the frame decoder, for tests: bit writers for the delta and pair codes, the key codes, and
// a builder that lays blockettes into a coded block with its header, times, checksum and camera byte.

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "imaging/yimage.h"
#include "imaging/yimageblock.h"

// Writes bits from bit 0 upward into 16-bit halves, as the decoder's reader takes them.
class BitWriter {
 public:
  void Put(uint32_t bits, int32_t count);
  const std::vector<uint16_t>& Halves();

 private:
  std::vector<uint16_t> halves;
  uint32_t pending = 0;
  int32_t pendingCount = 0;
};

// The coded data of one blockette (16-bit halves in storage order).
std::vector<uint16_t> EncodeGrayKey(const std::vector<uint8_t>& codes);
std::vector<uint16_t> EncodeColourKey(const std::vector<uint16_t>& pixels, int32_t replication);
std::vector<uint16_t> EncodeDelta(const std::vector<uint16_t>& reference, const std::vector<uint16_t>& frame);
// Every channel change from reference to first and from first to second must be one the pair codes carry
// (0, 1, 2, 30, 31 or a step of the table).
std::vector<uint16_t> EncodePair(const std::vector<uint16_t>& reference, const std::vector<uint16_t>& first,
                                 const std::vector<uint16_t>& second, int32_t replication);

struct Blockette {
  int32_t mode = YImageBlock::kKey;
  std::vector<int32_t> times{0};
  int32_t replication = 1;
  std::vector<uint16_t> data;
  // Added to the header's length half, to build damaged blockettes.
  int32_t lengthDelta = 0;
  uint16_t extraFlags = 0;
};

// Fills a coded block: blockettes from word 2, then the frame count, first frame, kind, camera byte and
// checksum.
class CodedBlockBuilder {
 public:
  explicit CodedBlockBuilder(YImageBlock& block) : block(block) {}
  CodedBlockBuilder& Add(const Blockette& blockette);
  void Finish(int32_t kind, int32_t firstFrame, uint8_t camera = 0);
  int32_t Frames() const { return frames; }
  int32_t NextWord() const { return next; }

 private:
  YImageBlock& block;
  int32_t next = YImageBlock::kFirstBlocketteWord;
  int32_t frames = 0;
};

// A camera of the given type and frame layout, with camera number `number`, set through its record (so
// that any frame length can be had).
void SetCamera(YCamera& camera, int32_t type, int32_t p5, int32_t p7, int32_t pixelMode, int32_t number = 0);

// A 15-bit pixel from its channels.
constexpr uint16_t Rgb(int32_t red, int32_t green, int32_t blue) {
  return static_cast<uint16_t>(red << 10 | green << 5 | blue);
}

// Random 15-bit frames, and frames whose every channel differs from another's by one of `changes`.
std::vector<uint16_t> RandomFrame(std::mt19937& random, int32_t pixels);
std::vector<uint16_t> Changed(std::mt19937& random, const std::vector<uint16_t>& from,
                              const std::vector<int32_t>& changes);

// Fills a coded colour block of N-pixel frames with six frames: a key, a delta, a pair, a delta and a new
// key, at times 100, 110, ... Returns the frames.
std::vector<std::vector<uint16_t>> BuildColourSequence(YImageBlock& block, std::mt19937& random,
                                                       int32_t pixels, int32_t firstFrame = 0,
                                                       uint8_t camera = 0);
