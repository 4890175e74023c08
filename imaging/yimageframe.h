#pragma once
// One decoded frame (one line of an image) in one of five buffers shared by every image. The buffers form a
// pool reused least recently used first: the head of the pool is reused next and a buffer handed out moves
// to the tail. The pool has no lock; like the decoder's scratch buffer it is used by the GUI thread only.

#include <array>
#include <cstdint>

#include "foundation/klist.h"

class YImageBlock;

class YImageFrame : public KListItem {
 public:
  static constexpr int32_t kPixelBytes = 2024;
  static constexpr int32_t kPoolSize = 5;
  // Flag bit: the frame is the last of its blockette, so decoding may go on from it.
  static constexpr uint32_t kChainPoint = 1;

  // Forgets the frame and binds the buffer to a block.
  void Reset(YImageBlock* newBlock);

  uint32_t flags = 0;
  YImageBlock* block = nullptr;
  int32_t frameNumber = -1;
  int32_t blocketteOffset = -1;
  // Gray: one byte per pixel; colour: two bytes per pixel, little-endian 15-bit RGB.
  std::array<uint8_t, kPixelBytes> pixels{};

  const char* ClassName() const override { return "YImageFrame"; }
  int32_t Index() const override { return frameNumber; }

  // Class set-up and clean-up of the pool (the first and last of the imaging statics).
  static void InitPool();
  static void ExitPool();
  // The pool, head first; null before InitPool.
  static KList* Pool();
  // Moves a frame of the pool to its tail (it was just handed out).
  static void Touch(YImageFrame* frame);
  // Resets every frame decoded from the block (its contents or image changed, or it goes away).
  static void Forget(const YImageBlock* block);
};
