#pragma once
// One 16000-byte block of an image, the unit in which images are kept in memory and in block files. The
// camera type of the block's image chooses the layout:
//  - raw (type 101): frames of F = YCamera::Rate bytes one after another, 16000 / F of them, each ending
//    in its big-endian 32-bit time stamp; 8-bit pixels;
//  - coded (type 102): 4000 little-endian 32-bit words: word 0 the frame count (low half) and pixel kind
//    (high half: 0 15-bit RGB, 1 gray codes), word 1 the first frame, blockettes from word 2, word 3997
//    the checksum (wrapping sum of words 0-3996);
//  - any other type: no frames.
// In both layouts data byte 15995 holds the number of the camera that captured the block.
// The block's number within its image is its sparse-array index, which is also its message id: one value
// set by SetNumber.

#include <array>
#include <cstdint>

#include "foundation/ksparsearray.h"
#include "model/ytime.h"

class YCamera;
class YImage;
class YImageBlocks;
class YImageFrame;

class YImageBlock : public KSparseArrayItem {
 public:
  static constexpr int32_t kBytes = 16000;
  static constexpr int32_t kWords = 4000;
  static constexpr int32_t kFirstBlocketteWord = 2;
  // Blockettes lie in words 2 to 3996.
  static constexpr int32_t kBlocketteEnd = 3997;
  static constexpr int32_t kChecksumWord = 3997;
  static constexpr int32_t kCameraByte = 15995;
  static constexpr int32_t kMaxBlocketteWords = 1313;
  static constexpr int32_t kMaxCodedFrames = 4000;
  // The time stamps count 1/80000 s; a time made from one has a resolution of 0.1 ms.
  static constexpr int32_t kTimeResolution = 8;

  enum Layout { kNoLayout, kRaw, kCoded };
  enum Mode { kDelta = 0, kKey = 1, kPair = 2 };
  enum PixelKinds { kRgb15 = 0, kGrayCodes = 1 };

  YImageBlock() = default;
  ~YImageBlock() override;

  int32_t Number() const { return Index(); }
  void SetNumber(int32_t number) { SetId(number); }
  YImage* Image() const { return image; }
  // Setting the image forgets every frame decoded from the block.
  void SetImage(YImage* newImage);
  YImageBlocks* Collection() const { return itsImageBlocks; }
  uint8_t* Data() { return data.data(); }
  const uint8_t* Data() const { return data.data(); }

  const YCamera* Camera() const;
  Layout GetLayout() const;
  // Raw: bytes per frame; coded: pixels per frame; else 0.
  int32_t FrameLength() const;

  // Words and halves of the coded layout; outside the block they read as 0 and are not written.
  uint32_t Word(int32_t w) const;
  void SetWord(int32_t w, uint32_t value);
  int16_t Half(int32_t w, int32_t half) const;
  void SetHalf(int32_t w, int32_t half, int16_t value);

  int32_t FrameCount() const;
  void SetFrameCount(int32_t count);
  int32_t FirstFrame() const;
  void SetFirstFrame(int32_t frame);
  // Coded: word 0's high half; -1 for other layouts.
  int32_t PixelKind() const;
  void SetPixelKind(int32_t kind);
  int32_t BitsPerPixel() const;
  int32_t BytesPerPixel() const { return (BitsPerPixel() + 1) / 8; }
  bool IsValidFrame(int32_t n) const { return n >= 0 && n < FrameCount(); }

  // The word of the blockette that holds frame n (at most 3999); n becomes the frame's position within it.
  // A raw block answers F * n and position 0.
  int32_t FindBlockette(int32_t& n) const;
  // Blockette fields at word b: length (limited to 1313 and the block's end), flags, mode (bits 0-3), frames
  // (bits 4-7 plus 1, at most 2), replication (bits 8-11 plus 1, at most 12), the field of bits 12-14 that
  // must be 0, the mark (bit 15), and time word k.
  int32_t BlocketteLength(int32_t b) const;
  uint16_t BlocketteFlags(int32_t b) const { return static_cast<uint16_t>(Half(b, 1)); }
  int32_t BlocketteMode(int32_t b) const { return BlocketteFlags(b) & 0xF; }
  int32_t BlocketteFrames(int32_t b) const;
  int32_t BlocketteReplication(int32_t b) const;
  int32_t BlocketteField(int32_t b) const { return (BlocketteFlags(b) >> 12) & 7; }
  bool BlocketteMark(int32_t b) const { return (BlocketteFlags(b) & 0x8000) != 0; }
  int32_t BlocketteTime(int32_t b, int32_t k) const { return static_cast<int32_t>(Word(b + k + 1)); }
  void SetBlocketteLength(int32_t b, int32_t length) { SetHalf(b, 0, static_cast<int16_t>(length)); }
  void SetBlocketteFlags(int32_t b, uint16_t value) { SetHalf(b, 1, static_cast<int16_t>(value)); }
  void SetBlocketteTime(int32_t b, int32_t k, int32_t time) {
    SetWord(b + k + 1, static_cast<uint32_t>(time));
  }

  uint8_t CameraNumber() const { return data[kCameraByte]; }
  void SetCameraNumber(uint8_t number) { data[kCameraByte] = number; }

  // The pixels of frame n, decoded into a pool frame; null (and a log line) when n is not a frame of the
  // block or the frame cannot be decoded. The caller looks the block up through its collection first, so
  // that it is the collection's block in use.
  const uint8_t* Frame(int32_t n);
  // The time stamp of frame n; the empty time (and a log line) when n is not a frame of the block.
  YTime Time(int32_t n) const;
  // Decodes the blockette named by `first`'s blockette offset into `first` (and `second` for a pair
  // blockette), against `reference` (null for none). Returns the frames produced (1 or 2) or -1.
  int32_t DecodeFrame(const YImageFrame* reference, YImageFrame& first, YImageFrame& second) const;

  // Copies the blockette holding source frame `srcFrame` whole to word `dstOffset` of `dst` (with no dst it
  // only measures); `frames` gets its frame count and `dstOffset` moves past it.
  bool CopyBlockette(YImageBlock* dst, int32_t& dstOffset, int32_t& frames, int32_t srcFrame);
  // Writes source frame `srcFrame` alone as a key blockette at word `dstOffset` of `dst` (with no dst it
  // only measures); false, with nothing written, when the frame cannot be decoded.
  bool WriteKeyBlockette(YImageBlock* dst, int32_t& dstOffset, int32_t& frames, int32_t srcFrame);

  // The wrapping sum of words 0 to 3996.
  uint32_t Sum() const;
  bool IsValid() const { return Word(kChecksumWord) == Sum(); }
  void UpdateChecksum() { SetWord(kChecksumWord, Sum()); }
  // True when the coded layout holds together: blockettes within the block that account for the frame
  // count, known modes, rising times and a zero field. Masks the frame count and the lengths as it goes.
  bool CheckLayout();

  const char* ClassName() const override { return "YImageBlock"; }

 private:
  friend class YImageBlocks;
  friend class YImageBlockManager;

  // Logs when the block is not its collection's block in use; `operation` names the caller.
  void CheckInUse(const char* operation) const;
  // The pool frame already holding frame n, a raw frame copied into the pool's head, or coded frames
  // decoded up to frame n; null when the frame cannot be had.
  YImageFrame* FindDecoded(int32_t n) const;
  YImageFrame* CopyRaw(int32_t n);
  YImageFrame* DecodeCoded(int32_t n);

  YImage* image = nullptr;
  YImageBlocks* itsImageBlocks = nullptr;
  std::array<uint8_t, kBytes> data{};
};
