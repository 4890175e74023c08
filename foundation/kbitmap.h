#pragma once
// KBitmap: an in-memory picture of the program (the splash picture, overlays, exported images and chart
// captures), read from uncompressed true-colour Targa files and written as JPEG or Targa.

#include <cstdint>
#include <memory>

class KFile;
class KStream;
class KString;

// Rows top-down; each row holds Width pixels and is padded to the row alignment. Pixel layouts:
//   8 bits   one grey byte
//   15 bits  a little-endian word 0RRRRRGGGGGBBBBB
//   16 bits  a little-endian word RRRRRGGGGGGBBBBB
//   24 bits  blue, green, red
//   32 bits  blue, green, red and a fourth byte that is not used (written as 0)
class KBitmap {
 public:
  // Format flags: one depth, optionally one row alignment. Without an alignment flag rows are aligned to 4
  // bytes, as the drawing code expects of device-independent pixels. The callers use 0x21 (grey, byte
  // rows), 0x22 (15-bit, byte rows), 0x28 (24-bit, byte rows) and 136 = 0x88 (24-bit overlays, 4-byte
  // rows). A format without a depth flag takes the depth of the first Targa file imported into it.
  static constexpr uint32_t kGrey8 = 0x01;
  static constexpr uint32_t kRgb15 = 0x02;
  static constexpr uint32_t kRgb16 = 0x04;
  static constexpr uint32_t kRgb24 = 0x08;
  static constexpr uint32_t kRgb32 = 0x10;
  static constexpr uint32_t kAlign1 = 0x20;
  static constexpr uint32_t kAlign2 = 0x40;
  static constexpr uint32_t kAlign4 = 0x80;

  // The data word: how the pixel memory is held. Overlays pass 6 (movable and discardable): their memory
  // may be given up while unlocked. This implementation always keeps the pixels until the bitmap is freed
  // or re-imported, which every caller accepts (a Lock that finds no pixels reads the picture again).
  static constexpr uint32_t kMovable = 0x02;
  static constexpr uint32_t kDiscardable = 0x04;

  // File formats of Export.
  static constexpr int32_t kFormatJpeg = 1;
  static constexpr int32_t kFormatTarga = 2;

  // The largest pixel memory a bitmap takes, in bytes: a Targa header may claim up to 65535 x 65535 pixels,
  // which must be refused rather than attempted.
  static constexpr int64_t kMaxBytes = int64_t{256} << 20;

  // Width and height in pixels (negative values count as 0); no memory is taken until AllocateMemory or an
  // import.
  KBitmap(int32_t width = 0, int32_t height = 0, uint32_t formatFlags = 0, uint32_t dataWord = 0);
  ~KBitmap();
  KBitmap(const KBitmap&) = delete;
  KBitmap& operator=(const KBitmap&) = delete;

  int32_t Width() const { return width; }
  int32_t Height() const { return height; }
  uint32_t FormatFlags() const { return formatFlags; }
  uint32_t DataWord() const { return dataWord; }
  // 8, 15, 16, 24 or 32; 0 while the format has no depth.
  int32_t BitsPerPixel() const;
  // 1, 2, 3 or 4 (15 bits take two bytes); 0 without a depth.
  int32_t BytesPerPixel() const;
  // 1, 2 or 4.
  int32_t RowAlignment() const;
  // Bytes per row, padding included (at most INT32_MAX, far beyond any bitmap that gets memory).
  int32_t Stride() const;

  // Takes zeroed pixel memory for the current size and format (the old pixels are freed); false when the
  // format has no depth, the size is empty or too large (kMaxBytes), or memory is short.
  bool AllocateMemory();
  void FreeMemory();
  // The pixel address, null without memory.
  uint8_t* Data() const { return pixels.get(); }
  // The address of row n from the top, null without memory or outside the bitmap.
  uint8_t* Row(int32_t n) const;
  // Stores a colour at (x, y) in the bitmap's format (grey: (red + green + blue) / 3); ignored outside the
  // bitmap or without memory.
  void SetPixel(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue);
  // The colour at (x, y) as red, green, blue (each 0-255); black outside the bitmap or without memory.
  void GetPixel(int32_t x, int32_t y, uint8_t rgb[3]) const;

  // Pins the pixels for drawing and gives their address; null when the bitmap holds no picture. Every
  // Lock that gives an address is paired with an Unlock.
  uint8_t* Lock();
  void Unlock();

  // kFormatJpeg when the extension of the path's name begins with "jp" (any case), else kFormatTarga.
  static int32_t FileFormat(const KString& path);

  // Reads an uncompressed true-colour Targa (image type 2; 15, 16, 24 or 32 bits; either origin) from the
  // stream and converts it into the bitmap's own format, taking the picture's size. Throws KXPersistent
  // 3009 for any other kind of Targa or an empty size, KX 2001 when the picture is too large or memory is
  // short, and the stream's read failure (KXStream 3004) for a file that ends early. On failure the bitmap
  // keeps its size, format and picture.
  void ImportTarga(KStream& stream);

  // A row source hands out the address of row `row` (0 = top) of the picture to export, in the bitmap's
  // format and at least Width pixels long, or null to end the export.
  using RowSource = const uint8_t* (*)(int32_t row, void* context);

  // Writes the picture described by this bitmap (size and format; its own memory is not used) to the open
  // file, asking the source for each row from the top: JPEG of quality 75 (grey for 8-bit bitmaps, else
  // colour) when FileFormat of the file's name says so, else an uncompressed true-colour Targa (15-bit
  // bitmaps as 16-bit pixels, all others as 24-bit). A source that answers null ends the export with KX
  // 1000; a bitmap without size or depth, or larger than its format can describe (65500 pixels a side for
  // JPEG, 65535 for Targa), throws KX 1000 before anything is written; write failures come from the file.
  void Export(KFile& file, RowSource source, void* context) const;
  // The same onto any stream (a file being saved under a temporary name, say), in `fileFormat`
  // (kFormatJpeg, else Targa).
  void Export(KStream& stream, int32_t fileFormat, RowSource source, void* context) const;

 private:
  int64_t RowBytes() const;

  int32_t width;
  int32_t height;
  uint32_t formatFlags;
  uint32_t dataWord;
  int32_t lockCount = 0;
  std::unique_ptr<uint8_t[]> pixels;
};
