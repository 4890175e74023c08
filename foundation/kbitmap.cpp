#include "foundation/kbitmap.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>  // jpeglib.h uses FILE without declaring it
#include <exception>
#include <new>
#include <vector>

#include <jpeglib.h>

#include "foundation/kfile.h"
#include "foundation/kstream.h"
#include "foundation/kstring.h"
#include "foundation/kx.h"

namespace {

// Depth flags and their bits per pixel, in the order a format is tested.
struct Depth {
  uint32_t flag;
  int32_t bits;
};
constexpr Depth kDepths[] = {{KBitmap::kGrey8, 8},
                             {KBitmap::kRgb15, 15},
                             {KBitmap::kRgb16, 16},
                             {KBitmap::kRgb24, 24},
                             {KBitmap::kRgb32, 32}};
constexpr uint32_t kDepthMask =
    KBitmap::kGrey8 | KBitmap::kRgb15 | KBitmap::kRgb16 | KBitmap::kRgb24 | KBitmap::kRgb32;

uint32_t DepthFlag(int32_t bits) {
  for (const Depth& depth : kDepths) {
    if (depth.bits == bits) {
      return depth.flag;
    }
  }
  return 0;
}

int32_t BytesOf(int32_t bits) {
  return (bits + 7) / 8;
}

uint8_t Expand5(uint32_t value) {
  return static_cast<uint8_t>((value << 3) | (value >> 2));
}
uint8_t Expand6(uint32_t value) {
  return static_cast<uint8_t>((value << 2) | (value >> 4));
}

// One pixel of the given depth at `at`, as red, green, blue.
void DecodePixel(const uint8_t* at, int32_t bits, uint8_t rgb[3]) {
  switch (bits) {
    case 8:
      rgb[0] = rgb[1] = rgb[2] = at[0];
      return;
    case 15: {
      uint32_t word = at[0] | (at[1] << 8);
      rgb[0] = Expand5((word >> 10) & 0x1F);
      rgb[1] = Expand5((word >> 5) & 0x1F);
      rgb[2] = Expand5(word & 0x1F);
      return;
    }
    case 16: {
      uint32_t word = at[0] | (at[1] << 8);
      rgb[0] = Expand5((word >> 11) & 0x1F);
      rgb[1] = Expand6((word >> 5) & 0x3F);
      rgb[2] = Expand5(word & 0x1F);
      return;
    }
    default:  // 24 and 32: blue, green, red first
      rgb[0] = at[2];
      rgb[1] = at[1];
      rgb[2] = at[0];
      return;
  }
}

void EncodePixel(uint8_t* at, int32_t bits, uint8_t red, uint8_t green, uint8_t blue) {
  switch (bits) {
    case 8:
      at[0] = static_cast<uint8_t>((red + green + blue) / 3);
      return;
    case 15:
    case 16: {
      uint32_t word = bits == 15 ? ((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3)
                                 : ((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3);
      at[0] = static_cast<uint8_t>(word);
      at[1] = static_cast<uint8_t>(word >> 8);
      return;
    }
    default:
      at[0] = blue;
      at[1] = green;
      at[2] = red;
      if (bits == 32) {
        at[3] = 0;
      }
      return;
  }
}

// ---- Targa ----------------------------------------------------------------------------------------------
// An 18-byte header, little-endian: id length, colour-map type, image type, colour-map first index (16),
// colour-map length (16), colour-map entry bits, x and y origin (16 each), width, height (16 each), bits
// per pixel, descriptor (bits 0-3 attribute bits, bit 4 right-to-left, bit 5 top-down). Then the id, the
// colour map (which a true-colour file may carry and we skip), then the pixels row by row.

constexpr uint8_t kTargaTrueColour = 2;
constexpr uint8_t kTargaRightToLeft = 0x10;
constexpr uint8_t kTargaTopDown = 0x20;

struct TargaHeader {
  uint8_t idLength;
  uint8_t colourMapType;
  uint8_t imageType;
  uint16_t colourMapLength;
  uint8_t colourMapBits;
  uint16_t width;
  uint16_t height;
  uint8_t bitsPerPixel;
  uint8_t descriptor;
};

uint16_t LittleEndian16(const uint8_t* at) {
  return static_cast<uint16_t>(at[0] | (at[1] << 8));
}

void PutLittleEndian16(uint8_t* at, uint32_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}

TargaHeader ReadTargaHeader(KStream& stream) {
  uint8_t bytes[18];
  stream.ReadExact(bytes, sizeof bytes);
  TargaHeader header{};
  header.idLength = bytes[0];
  header.colourMapType = bytes[1];
  header.imageType = bytes[2];
  header.colourMapLength = LittleEndian16(bytes + 5);
  header.colourMapBits = bytes[7];
  header.width = LittleEndian16(bytes + 12);
  header.height = LittleEndian16(bytes + 14);
  header.bitsPerPixel = bytes[16];
  header.descriptor = bytes[17];
  return header;
}

void WriteTargaHeader(KStream& stream, int32_t width, int32_t height, int32_t fileBits) {
  uint8_t bytes[18] = {};
  bytes[2] = kTargaTrueColour;
  PutLittleEndian16(bytes + 12, static_cast<uint32_t>(width));
  PutLittleEndian16(bytes + 14, static_cast<uint32_t>(height));
  bytes[16] = static_cast<uint8_t>(fileBits);
  bytes[17] = kTargaTopDown;  // rows are written as the source hands them out, from the top
  stream.Write(bytes, sizeof bytes);
}

void Skip(KStream& stream, int64_t count) {
  uint8_t scratch[256];
  while (count > 0) {
    int32_t step = static_cast<int32_t>(std::min<int64_t>(count, sizeof scratch));
    stream.ReadExact(scratch, step);
    count -= step;
  }
}

// The bits per pixel of a Targa pixel as this program decodes it: 16-bit Targa pixels are 5-5-5 with an
// attribute bit, the bitmap's 15-bit layout.
int32_t TargaPixelLayout(int32_t fileBits) {
  return fileBits == 16 ? 15 : fileBits;
}

void ThrowEndOfRows() {
  throw KX(kErrOperationFailed);
}

// ---- JPEG -----------------------------------------------------------------------------------------------
// libjpeg reports errors through a callback that must not return; it jumps back to the compression
// routine, which turns the failure into an exception once libjpeg's frames are left behind. A failure of
// our own stream is kept and thrown again after the jump.

struct JpegErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

struct JpegDestination {
  jpeg_destination_mgr base;
  KStream* stream;
  std::exception_ptr streamFailure;
  JOCTET buffer[4096];
};

void JpegErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegErrorManager*>(info->err)->jump, 1);
}

void JpegInitDestination(j_compress_ptr info) {
  auto* destination = reinterpret_cast<JpegDestination*>(info->dest);
  destination->base.next_output_byte = destination->buffer;
  destination->base.free_in_buffer = sizeof destination->buffer;
}

// Writes `count` buffered bytes; false (with the failure kept) when the stream throws.
bool JpegFlush(JpegDestination* destination, size_t count) {
  try {
    destination->stream->Write(destination->buffer, static_cast<int32_t>(count));
  } catch (...) {
    destination->streamFailure = std::current_exception();
    return false;
  }
  return true;
}

boolean JpegEmptyOutputBuffer(j_compress_ptr info) {
  auto* destination = reinterpret_cast<JpegDestination*>(info->dest);
  if (!JpegFlush(destination, sizeof destination->buffer)) {
    info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
  }
  JpegInitDestination(info);
  return TRUE;
}

void JpegTermDestination(j_compress_ptr info) {
  auto* destination = reinterpret_cast<JpegDestination*>(info->dest);
  if (!JpegFlush(destination, sizeof destination->buffer - destination->base.free_in_buffer)) {
    info->err->error_exit(reinterpret_cast<j_common_ptr>(info));
  }
}

// What ended a compression that did not complete.
enum class JpegOutcome { kDone, kRowsEnded, kFailed };

// Everything libjpeg touches lives in plain structures, so that the jump back from the error callback
// skips no destructor.
struct JpegJob {
  const KBitmap* bitmap;
  KBitmap::RowSource source;
  void* context;
  JSAMPLE* scanline;  // one converted row: grey bytes or red, green, blue triplets
};

JpegOutcome CompressJpeg(jpeg_compress_struct* info, JpegErrorManager* errors, const JpegJob& job) {
  if (setjmp(errors->jump) != 0) {
    return JpegOutcome::kFailed;
  }
  const KBitmap& bitmap = *job.bitmap;
  const int32_t bits = bitmap.BitsPerPixel();
  const int32_t bytesPerPixel = bitmap.BytesPerPixel();
  info->image_width = static_cast<JDIMENSION>(bitmap.Width());
  info->image_height = static_cast<JDIMENSION>(bitmap.Height());
  info->input_components = bits == 8 ? 1 : 3;
  info->in_color_space = bits == 8 ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(info);
  jpeg_set_quality(info, 75, TRUE);
  jpeg_start_compress(info, TRUE);
  for (int32_t row = 0; row < bitmap.Height(); ++row) {
    const uint8_t* pixels = job.source(row, job.context);
    if (pixels == nullptr) {
      return JpegOutcome::kRowsEnded;
    }
    if (bits == 8) {
      std::copy_n(pixels, bitmap.Width(), job.scanline);
    } else {
      for (int32_t x = 0; x < bitmap.Width(); ++x) {
        DecodePixel(pixels + x * bytesPerPixel, bits, job.scanline + 3 * x);
      }
    }
    JSAMPROW rows[1] = {job.scanline};
    jpeg_write_scanlines(info, rows, 1);
  }
  jpeg_finish_compress(info);
  return JpegOutcome::kDone;
}

void ExportJpeg(const KBitmap& bitmap, KStream& stream, KBitmap::RowSource source, void* context) {
  std::vector<JSAMPLE> scanline(static_cast<size_t>(bitmap.Width()) * 3);
  jpeg_compress_struct info{};
  JpegErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = JpegErrorExit;
  // libjpeg's memory manager, made here, reads the JPEGMEM variable that bounds its working memory.
  jpeg_create_compress(&info);
  JpegDestination destination{};
  destination.stream = &stream;
  destination.base.init_destination = JpegInitDestination;
  destination.base.empty_output_buffer = JpegEmptyOutputBuffer;
  destination.base.term_destination = JpegTermDestination;
  info.dest = &destination.base;

  JpegOutcome outcome = CompressJpeg(&info, &errors, JpegJob{&bitmap, source, context, scanline.data()});
  jpeg_destroy_compress(&info);
  if (destination.streamFailure) {
    std::rethrow_exception(destination.streamFailure);
  }
  if (outcome == JpegOutcome::kRowsEnded) {
    ThrowEndOfRows();
  }
  if (outcome == JpegOutcome::kFailed) {
    throw KX(kErrFileWrite);
  }
}

void ExportTarga(const KBitmap& bitmap, KStream& stream, KBitmap::RowSource source, void* context) {
  const int32_t bits = bitmap.BitsPerPixel();
  const int32_t bytesPerPixel = bitmap.BytesPerPixel();
  // 15-bit pixels are the Targa 16-bit layout already; everything else goes out as blue, green, red.
  const int32_t fileBits = bits == 15 ? 16 : 24;
  const int32_t fileBytes = fileBits / 8;
  WriteTargaHeader(stream, bitmap.Width(), bitmap.Height(), fileBits);
  std::vector<uint8_t> line(static_cast<size_t>(bitmap.Width()) * fileBytes);
  for (int32_t row = 0; row < bitmap.Height(); ++row) {
    const uint8_t* pixels = source(row, context);
    if (pixels == nullptr) {
      ThrowEndOfRows();
    }
    if (bits == 15 || bits == 24) {
      std::copy_n(pixels, line.size(), line.data());
    } else {
      for (int32_t x = 0; x < bitmap.Width(); ++x) {
        uint8_t rgb[3];
        DecodePixel(pixels + x * bytesPerPixel, bits, rgb);
        EncodePixel(line.data() + x * 3, 24, rgb[0], rgb[1], rgb[2]);
      }
    }
    stream.Write(line.data(), static_cast<int32_t>(line.size()));
  }
}

}  // namespace

KBitmap::KBitmap(int32_t width, int32_t height, uint32_t formatFlags, uint32_t dataWord)
    : width(std::max(width, 0)), height(std::max(height, 0)), formatFlags(formatFlags), dataWord(dataWord) {}

KBitmap::~KBitmap() = default;

int32_t KBitmap::BitsPerPixel() const {
  for (const Depth& depth : kDepths) {
    if ((formatFlags & depth.flag) != 0) {
      return depth.bits;
    }
  }
  return 0;
}

int32_t KBitmap::BytesPerPixel() const {
  return BytesOf(BitsPerPixel());
}

int32_t KBitmap::RowAlignment() const {
  if ((formatFlags & kAlign1) != 0) {
    return 1;
  }
  if ((formatFlags & kAlign2) != 0) {
    return 2;
  }
  return 4;
}

int64_t KBitmap::RowBytes() const {
  // 64-bit arithmetic: no width of 32 bits overflows it, with or without the alignment.
  const int64_t bytes = static_cast<int64_t>(width) * BytesPerPixel();
  const int64_t alignment = RowAlignment();
  return (bytes + alignment - 1) / alignment * alignment;
}

int32_t KBitmap::Stride() const {
  return static_cast<int32_t>(std::min<int64_t>(RowBytes(), INT32_MAX));
}

bool KBitmap::AllocateMemory() {
  FreeMemory();
  const int64_t size = RowBytes() * height;
  if (BitsPerPixel() == 0 || size <= 0 || size > kMaxBytes) {
    return false;
  }
  pixels.reset(new (std::nothrow) uint8_t[static_cast<size_t>(size)]());
  return pixels != nullptr;
}

void KBitmap::FreeMemory() {
  pixels.reset();
  lockCount = 0;
}

uint8_t* KBitmap::Row(int32_t n) const {
  if (!pixels || n < 0 || n >= height) {
    return nullptr;
  }
  return pixels.get() + static_cast<size_t>(n) * static_cast<size_t>(Stride());
}

void KBitmap::SetPixel(int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue) {
  uint8_t* row = Row(y);
  if (row == nullptr || x < 0 || x >= width) {
    return;
  }
  EncodePixel(row + x * BytesPerPixel(), BitsPerPixel(), red, green, blue);
}

void KBitmap::GetPixel(int32_t x, int32_t y, uint8_t rgb[3]) const {
  const uint8_t* row = Row(y);
  if (row == nullptr || x < 0 || x >= width) {
    rgb[0] = rgb[1] = rgb[2] = 0;
    return;
  }
  DecodePixel(row + x * BytesPerPixel(), BitsPerPixel(), rgb);
}

uint8_t* KBitmap::Lock() {
  if (!pixels) {
    return nullptr;
  }
  ++lockCount;
  return pixels.get();
}

void KBitmap::Unlock() {
  if (lockCount > 0) {
    --lockCount;
  }
}

int32_t KBitmap::FileFormat(const KString& path) {
  int32_t nameStart = 0;
  int32_t dot = -1;
  for (int32_t i = 0; i < path.Length(); ++i) {
    if (path[i] == u'/') {
      nameStart = i + 1;
      dot = -1;
    } else if (path[i] == u'.' && i >= nameStart) {
      dot = i;
    }
  }
  auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
  if (dot >= 0 && lower(path.At(dot + 1)) == u'j' && lower(path.At(dot + 2)) == u'p') {
    return kFormatJpeg;
  }
  return kFormatTarga;
}

void KBitmap::ImportTarga(KStream& stream) {
  const TargaHeader header = ReadTargaHeader(stream);
  const int32_t fileBits = header.bitsPerPixel;
  if (header.imageType != kTargaTrueColour || header.colourMapType > 1 || DepthFlag(fileBits) == 0 ||
      fileBits == 8 || header.width == 0 || header.height == 0) {
    throw KXPersistent(kErrFileVersion);
  }
  const int32_t layout = TargaPixelLayout(fileBits);
  const int32_t fileBytes = BytesOf(fileBits);
  const int64_t colourMapBytes =
      header.colourMapType == 1 ? static_cast<int64_t>(header.colourMapLength) * BytesOf(header.colourMapBits)
                                : 0;
  const int64_t pixelBytes = static_cast<int64_t>(header.width) * header.height * fileBytes;
  // A file that cannot hold what its header promises is refused before any memory is taken for it.
  const int64_t remaining = stream.Remaining();
  if (remaining >= 0 && remaining < header.idLength + colourMapBytes + pixelBytes) {
    throw KXStream(kErrFileRead, static_cast<int32_t>(std::min<int64_t>(remaining, INT32_MAX)));
  }

  // The picture is read aside and replaces the current one only when complete, so a refused file leaves
  // the bitmap as it was.
  const uint32_t pictureFormat =
      (formatFlags & kDepthMask) == 0 ? formatFlags | DepthFlag(layout) : formatFlags;
  KBitmap picture(header.width, header.height, pictureFormat, dataWord);
  if (!picture.AllocateMemory()) {
    throw KX(kErrAllocate);
  }
  Skip(stream, header.idLength + colourMapBytes);
  const bool topDown = (header.descriptor & kTargaTopDown) != 0;
  const bool rightToLeft = (header.descriptor & kTargaRightToLeft) != 0;
  std::vector<uint8_t> line(static_cast<size_t>(picture.width) * fileBytes);
  for (int32_t fileRow = 0; fileRow < picture.height; ++fileRow) {
    stream.ReadExact(line.data(), static_cast<int32_t>(line.size()));
    const int32_t y = topDown ? fileRow : picture.height - 1 - fileRow;
    for (int32_t fileX = 0; fileX < picture.width; ++fileX) {
      uint8_t rgb[3];
      DecodePixel(line.data() + fileX * fileBytes, layout, rgb);
      picture.SetPixel(rightToLeft ? picture.width - 1 - fileX : fileX, y, rgb[0], rgb[1], rgb[2]);
    }
  }
  width = picture.width;
  height = picture.height;
  formatFlags = picture.formatFlags;
  pixels = std::move(picture.pixels);
  lockCount = 0;
}

void KBitmap::Export(KFile& file, RowSource source, void* context) const {
  Export(file, FileFormat(file.Name()), source, context);
}

void KBitmap::Export(KStream& stream, int32_t fileFormat, RowSource source, void* context) const {
  const bool jpeg = fileFormat == kFormatJpeg;
  // Each format keeps the size in 16 bits; a larger picture would come out as a different, corrupt one.
  const int32_t largestSide = jpeg ? JPEG_MAX_DIMENSION : 0xFFFF;
  if (width == 0 || height == 0 || width > largestSide || height > largestSide || BitsPerPixel() == 0 ||
      source == nullptr) {
    throw KX(kErrOperationFailed);
  }
  if (jpeg) {
    ExportJpeg(*this, stream, source, context);
  } else {
    ExportTarga(*this, stream, source, context);
  }
}
