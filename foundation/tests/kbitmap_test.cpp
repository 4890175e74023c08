#include "foundation/kbitmap.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <unistd.h>

#include "foundation/kfile.h"
#include "foundation/kmemorystream.h"
#include "foundation/kstring.h"
#include "foundation/kx.h"

namespace {

// ---- helpers --------------------------------------------------------------------------------------------

// A stream over bytes that cannot tell how many are left, as a serial port or socket cannot.
class UnsizedStream : public KStream {
 public:
  explicit UnsizedStream(std::vector<uint8_t> bytes) : bytes(std::move(bytes)) {}

 protected:
  int32_t ReadRaw(void* buffer, int32_t count) override {
    int32_t n = std::min<int32_t>(count, static_cast<int32_t>(bytes.size() - position));
    std::copy_n(bytes.data() + position, n, static_cast<uint8_t*>(buffer));
    position += n;
    return n;
  }
  void WriteRaw(const void*, int32_t) override {}

 private:
  std::vector<uint8_t> bytes;
  size_t position = 0;
};

// A Targa header followed by optional extra bytes.
std::vector<uint8_t> TargaHeader(uint8_t imageType, uint16_t width, uint16_t height, uint8_t bits,
                                 uint8_t descriptor, uint8_t idLength = 0, uint8_t colourMapType = 0,
                                 uint16_t colourMapLength = 0, uint8_t colourMapBits = 0) {
  return {idLength,
          colourMapType,
          imageType,
          0,
          0,
          static_cast<uint8_t>(colourMapLength),
          static_cast<uint8_t>(colourMapLength >> 8),
          colourMapBits,
          0,
          0,
          0,
          0,
          static_cast<uint8_t>(width),
          static_cast<uint8_t>(width >> 8),
          static_cast<uint8_t>(height),
          static_cast<uint8_t>(height >> 8),
          bits,
          descriptor};
}

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

Rgb PixelAt(const KBitmap& bitmap, int32_t x, int32_t y) {
  uint8_t rgb[3];
  bitmap.GetPixel(x, y, rgb);
  return {rgb[0], rgb[1], rgb[2]};
}

// A smooth test picture (JPEG keeps smooth pictures close to the original).
Rgb TestColour(int32_t x, int32_t y) {
  return {static_cast<uint8_t>(40 + 8 * x), static_cast<uint8_t>(200 - 9 * y),
          static_cast<uint8_t>(90 + 3 * (x + y))};
}

// A bitmap filled with TestColour whose row padding holds a marker that must never come out as pixels.
void Fill(KBitmap& bitmap) {
  ASSERT_TRUE(bitmap.AllocateMemory());
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    std::fill_n(bitmap.Row(y), bitmap.Stride(), 0xEE);
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
      Rgb c = TestColour(x, y);
      bitmap.SetPixel(x, y, c.r, c.g, c.b);
    }
  }
}

const uint8_t* RowsOf(int32_t row, void* context) {
  return static_cast<KBitmap*>(context)->Row(row);
}

// A temporary file path, removed when the helper goes.
class TempPath {
 public:
  explicit TempPath(const char* extension) {
    static int counter = 0;
    path = (testing::TempDir() + "kbitmap_" + std::to_string(getpid()) + "_" + std::to_string(counter++) +
            "." + extension);
  }
  ~TempPath() { std::remove(path.c_str()); }
  KString Name() const { return KString::FromUtf8(path); }
  std::vector<uint8_t> Bytes() const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::string path;
};

void ExportTo(const TempPath& target, KBitmap& bitmap, KBitmap::RowSource source, void* context) {
  KFile file(target.Name());
  file.Open(KFile::kReadWrite, true);
  bitmap.Export(file, source, context);
  file.Close();
}

void ExportTo(const TempPath& target, KBitmap& bitmap) {
  ExportTo(target, bitmap, RowsOf, &bitmap);
}

struct DecodedJpeg {
  int32_t width = 0;
  int32_t height = 0;
  int32_t components = 0;
  std::vector<uint8_t> pixels;
};

DecodedJpeg DecodeJpeg(const std::vector<uint8_t>& bytes) {
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), bytes.size());
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  DecodedJpeg image;
  image.width = static_cast<int32_t>(info.output_width);
  image.height = static_cast<int32_t>(info.output_height);
  image.components = info.output_components;
  image.pixels.resize(static_cast<size_t>(image.width) * image.height * image.components);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image.pixels.data() + info.output_scanline * image.width * image.components;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return image;
}

int32_t KxCode(const std::function<void()>& action) {
  try {
    action();
  } catch (const KX& failure) {
    return failure.Code();
  }
  return 0;
}

// ---- memory and pixels ----------------------------------------------------------------------------------

TEST(KBitmap, FormatFlagsGiveDepthAlignmentAndStride) {
  struct Case {
    uint32_t flags;
    int32_t bits, bytes, alignment, stride;
  } cases[] = {
      {0x21, 8, 1, 1, 5},   {0x01, 8, 1, 4, 8},   {0x22, 15, 2, 1, 10}, {0x42, 15, 2, 2, 10},
      {0x04, 16, 2, 4, 12}, {0x28, 24, 3, 1, 15}, {0x48, 24, 3, 2, 16}, {0x08, 24, 3, 4, 16},
      {0x88, 24, 3, 4, 16}, {0x10, 32, 4, 4, 20}, {0x00, 0, 0, 4, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    KBitmap bitmap(5, 3, c.flags);
    EXPECT_EQ(bitmap.BitsPerPixel(), c.bits);
    EXPECT_EQ(bitmap.BytesPerPixel(), c.bytes);
    EXPECT_EQ(bitmap.RowAlignment(), c.alignment);
    EXPECT_EQ(bitmap.Stride(), c.stride);
  }
}

TEST(KBitmap, AllocateMemoryRefusesWhatItCannotHold) {
  struct Case {
    int32_t width, height;
    uint32_t flags;
    bool allocates;
  } cases[] = {
      {4, 4, 0x08, true},
      {0, 4, 0x08, false},
      {4, 0, 0x08, false},
      {4, 4, 0x00, false},
      {-3, 4, 0x08, false},
      {65535, 65535, 0x10, false},
      {4097, 16384, 0x30, false},       // just above the largest pixel memory taken
      {(1 << 30) + 1, 1, 0x10, false},  // a row longer than 32 bits can count
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " flags " << c.flags);
    KBitmap bitmap(c.width, c.height, c.flags);
    EXPECT_EQ(bitmap.AllocateMemory(), c.allocates);
    EXPECT_EQ(bitmap.Data() != nullptr, c.allocates);
  }
}

TEST(KBitmap, NewMemoryIsBlackAndRowsAreStrideApart) {
  KBitmap bitmap(3, 2, 0x08);
  ASSERT_TRUE(bitmap.AllocateMemory());
  EXPECT_EQ(PixelAt(bitmap, 2, 1), (Rgb{0, 0, 0}));
  EXPECT_EQ(bitmap.Row(1) - bitmap.Row(0), bitmap.Stride());
  EXPECT_EQ(bitmap.Row(0), bitmap.Data());
  EXPECT_EQ(bitmap.Row(2), nullptr);
  EXPECT_EQ(bitmap.Row(-1), nullptr);
}

TEST(KBitmap, SetPixelStoresEachLayout) {
  struct Case {
    uint32_t flags;
    std::vector<uint8_t> stored;
    Rgb readBack;
  } cases[] = {
      {0x21, {21}, {21, 21, 21}},  // grey is (10 + 20 + 33) / 3
      {0x22, {0x44, 0x04}, {8, 16, 33}},  {0x24, {0xA4, 0x08}, {8, 20, 33}},
      {0x28, {33, 20, 10}, {10, 20, 33}}, {0x30, {33, 20, 10, 0}, {10, 20, 33}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    KBitmap bitmap(2, 1, c.flags);
    ASSERT_TRUE(bitmap.AllocateMemory());
    bitmap.SetPixel(1, 0, 10, 20, 33);
    std::vector<uint8_t> stored(bitmap.Row(0) + bitmap.BytesPerPixel(),
                                bitmap.Row(0) + 2 * bitmap.BytesPerPixel());
    EXPECT_EQ(stored, c.stored);
    EXPECT_EQ(PixelAt(bitmap, 1, 0), c.readBack);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), (Rgb{0, 0, 0})) << "the neighbour is untouched";
  }
}

TEST(KBitmap, PixelsOutsideAreIgnored) {
  KBitmap bitmap(2, 2, 0x28);
  bitmap.SetPixel(0, 0, 1, 2, 3);  // no memory yet: nothing happens
  ASSERT_TRUE(bitmap.AllocateMemory());
  for (auto [x, y] : {std::pair{-1, 0}, {2, 0}, {0, -1}, {0, 2}}) {
    bitmap.SetPixel(x, y, 255, 255, 255);
    EXPECT_EQ(PixelAt(bitmap, x, y), (Rgb{0, 0, 0}));
  }
  for (int32_t i = 0; i < bitmap.Stride() * 2; ++i) {
    EXPECT_EQ(bitmap.Data()[i], 0);
  }
}

TEST(KBitmap, LockGivesPixelsOnlyWhenThereIsAPicture) {
  KBitmap bitmap(2, 2, 0x88, KBitmap::kMovable | KBitmap::kDiscardable);
  EXPECT_EQ(bitmap.Lock(), nullptr);
  ASSERT_TRUE(bitmap.AllocateMemory());
  EXPECT_EQ(bitmap.Lock(), bitmap.Data());
  bitmap.Unlock();
  bitmap.Unlock();  // an extra Unlock is harmless
  EXPECT_EQ(bitmap.Lock(), bitmap.Data());
  bitmap.Unlock();
}

TEST(KBitmap, FileFormatFollowsTheExtension) {
  struct Case {
    const char* path;
    int32_t format;
  } cases[] = {
      {"picture.jpg", KBitmap::kFormatJpeg},         {"picture.JPEG", KBitmap::kFormatJpeg},
      {"a/b.c/picture.jp", KBitmap::kFormatJpeg},    {"picture.Jpx", KBitmap::kFormatJpeg},
      {"picture.tga", KBitmap::kFormatTarga},        {"picture", KBitmap::kFormatTarga},
      {"folder.jpg/picture", KBitmap::kFormatTarga}, {"picture.j", KBitmap::kFormatTarga},
      {"picture.pjg", KBitmap::kFormatTarga},        {"", KBitmap::kFormatTarga},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(KBitmap::FileFormat(KString(c.path)), c.format);
  }
}

// ---- Targa import ---------------------------------------------------------------------------------------

TEST(KBitmap, ImportsHandMadeTargasOfEveryDepthAndOrigin) {
  // A 2 x 2 picture: top row red, green; bottom row blue, white. Pixels in file order for each origin.
  struct Case {
    const char* name;
    uint8_t bits;
    uint8_t descriptor;
    std::vector<uint8_t> pixels;
  } cases[] = {
      {"24 bottom-up", 24, 0x00, {255, 0, 0, 255, 255, 255, 0, 0, 255, 0, 255, 0}},
      {"24 top-down", 24, 0x20, {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255}},
      {"24 top-down right-to-left", 24, 0x30, {0, 255, 0, 0, 0, 255, 255, 255, 255, 255, 0, 0}},
      {"32 top-down", 32, 0x28, {0, 0, 255, 9, 0, 255, 0, 9, 255, 0, 0, 9, 255, 255, 255, 9}},
      {"16 bottom-up", 16, 0x01, {0x1F, 0x00, 0xFF, 0xFF, 0x00, 0x7C, 0xE0, 0x03}},
      {"15 top-down", 15, 0x20, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0xFF, 0x7F}},
  };
  const Rgb red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255}, white{255, 255, 255};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> file = TargaHeader(2, 2, 2, c.bits, c.descriptor);
    file.insert(file.end(), c.pixels.begin(), c.pixels.end());
    KMemoryStream stream(file);
    KBitmap bitmap(0, 0, 0x28);
    bitmap.ImportTarga(stream);
    ASSERT_EQ(bitmap.Width(), 2);
    ASSERT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), red);
    EXPECT_EQ(PixelAt(bitmap, 1, 0), green);
    EXPECT_EQ(PixelAt(bitmap, 0, 1), blue);
    EXPECT_EQ(PixelAt(bitmap, 1, 1), white);
  }
}

TEST(KBitmap, ImportSkipsTheIdAndColourMapAndConvertsToTheBitmapsFormat) {
  std::vector<uint8_t> file = TargaHeader(2, 1, 1, 24, 0x20, 3, 1, 2, 24);
  file.insert(file.end(), {'a', 'b', 'c', 1, 2, 3, 4, 5, 6, 30, 60, 90});
  struct Case {
    uint32_t flags;
    int32_t bits;
    Rgb pixel;
  } cases[] = {
      {0x21, 8, {60, 60, 60}}, {0x22, 15, {90, 57, 24}}, {0x88, 24, {90, 60, 30}}, {0, 24, {90, 60, 30}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    KMemoryStream stream(file);
    KBitmap bitmap(0, 0, c.flags);
    bitmap.ImportTarga(stream);
    EXPECT_EQ(bitmap.BitsPerPixel(), c.bits);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), c.pixel);
  }
}

TEST(KBitmap, ImportRefusesWhatIsNotAnUncompressedTrueColourTarga) {
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
    int32_t code;
  } cases[] = {
      {"colour-mapped", TargaHeader(1, 1, 1, 8, 0, 0, 1, 1, 24), kErrFileVersion},
      {"run-length", TargaHeader(10, 1, 1, 24, 0), kErrFileVersion},
      {"grey", TargaHeader(3, 1, 1, 8, 0), kErrFileVersion},
      {"8-bit true colour", TargaHeader(2, 1, 1, 8, 0), kErrFileVersion},
      {"odd depth", TargaHeader(2, 1, 1, 20, 0), kErrFileVersion},
      {"unknown colour-map type", TargaHeader(2, 1, 1, 24, 0, 0, 2), kErrFileVersion},
      {"no width", TargaHeader(2, 0, 5, 24, 0), kErrFileVersion},
      {"no height", TargaHeader(2, 5, 0, 24, 0), kErrFileVersion},
      {"short header", std::vector<uint8_t>(10, 0), kErrFileRead},
      {"short pixels", TargaHeader(2, 2, 2, 24, 0), kErrFileRead},
      {"absurd size", TargaHeader(2, 65535, 65535, 32, 0), kErrFileRead},
      {"short colour map", TargaHeader(2, 1, 1, 24, 0, 0, 1, 1000, 24), kErrFileRead},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KMemoryStream stream(c.file);
    KBitmap bitmap(0, 0, 0x28);
    EXPECT_EQ(KxCode([&] { bitmap.ImportTarga(stream); }), c.code);
    EXPECT_EQ(bitmap.Data(), nullptr);
  }
}

TEST(KBitmap, ImportFromAnUnsizedStreamRefusesHugeAndShortPictures) {
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
    int32_t code;
  } cases[] = {
      {"too large to hold", TargaHeader(2, 65535, 65535, 32, 0), kErrAllocate},
      {"short pixels", TargaHeader(2, 3, 3, 24, 0), kErrFileRead},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UnsizedStream stream(c.file);
    KBitmap bitmap(0, 0, 0x88);
    EXPECT_EQ(KxCode([&] { bitmap.ImportTarga(stream); }), c.code);
    EXPECT_EQ(bitmap.Lock(), nullptr);
  }
}

TEST(KBitmap, ImportReplacesAnEarlierPicture) {
  KBitmap bitmap(7, 7, 0x28);
  ASSERT_TRUE(bitmap.AllocateMemory());
  std::vector<uint8_t> file = TargaHeader(2, 1, 1, 24, 0);
  file.insert(file.end(), {1, 2, 3});
  KMemoryStream stream(file);
  bitmap.ImportTarga(stream);
  EXPECT_EQ(bitmap.Width(), 1);
  EXPECT_EQ(PixelAt(bitmap, 0, 0), (Rgb{3, 2, 1}));
}

TEST(KBitmap, RefusedImportKeepsTheCurrentPicture) {
  std::vector<uint8_t> shortPixels = TargaHeader(2, 2, 2, 24, 0);
  shortPixels.insert(shortPixels.end(), {1, 2, 3, 4, 5});
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
    bool sized;
  } cases[] = {
      {"not true colour", TargaHeader(1, 1, 1, 8, 0, 0, 1, 1, 24), true},
      {"short pixels seen in advance", shortPixels, true},
      {"short pixels found while reading", shortPixels, false},
      {"too large to hold", TargaHeader(2, 65535, 65535, 32, 0), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KBitmap bitmap(3, 2, 0x28);
    ASSERT_TRUE(bitmap.AllocateMemory());
    bitmap.SetPixel(2, 1, 10, 20, 30);
    KMemoryStream sized(c.file);
    UnsizedStream unsized(c.file);
    KStream& stream = c.sized ? static_cast<KStream&>(sized) : static_cast<KStream&>(unsized);
    EXPECT_NE(KxCode([&] { bitmap.ImportTarga(stream); }), 0);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.FormatFlags(), 0x28u);
    ASSERT_NE(bitmap.Data(), nullptr);
    EXPECT_EQ(PixelAt(bitmap, 2, 1), (Rgb{10, 20, 30}));
  }
}

// ---- export ---------------------------------------------------------------------------------------------

TEST(KBitmap, TargaExportRoundTripsAndNeverWritesPadding) {
  struct Case {
    uint32_t flags;
    int32_t fileBytesPerPixel;
  } cases[] = {{0x28, 3}, {0x08, 3}, {0x22, 2}, {0x02, 2}, {0x10, 3}, {0x04, 3}, {0x01, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    KBitmap original(5, 3, c.flags);
    Fill(original);
    TempPath target("tga");
    ExportTo(target, original);
    EXPECT_EQ(target.Bytes().size(), 18u + 5 * 3 * c.fileBytesPerPixel);

    KFile file(target.Name());
    file.Open(KFile::kRead);
    KBitmap copy(0, 0, c.flags);
    copy.ImportTarga(file);
    ASSERT_EQ(copy.Width(), 5);
    ASSERT_EQ(copy.Height(), 3);
    for (int32_t y = 0; y < 3; ++y) {
      for (int32_t x = 0; x < 5; ++x) {
        EXPECT_EQ(PixelAt(copy, x, y), PixelAt(original, x, y)) << x << "," << y;
      }
    }
  }
}

TEST(KBitmap, JpegExportDecodesToThePictureInColourAndGrey) {
  struct Case {
    uint32_t flags;
    int32_t components;
  } cases[] = {{0x28, 3}, {0x08, 3}, {0x21, 1}, {0x01, 1}, {0x22, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    KBitmap original(13, 7, c.flags);
    Fill(original);
    TempPath target("jpg");
    ExportTo(target, original);
    DecodedJpeg decoded = DecodeJpeg(target.Bytes());
    ASSERT_EQ(decoded.width, 13);
    ASSERT_EQ(decoded.height, 7);
    ASSERT_EQ(decoded.components, c.components);
    for (int32_t y = 0; y < 7; ++y) {
      for (int32_t x = 0; x < 13; ++x) {
        Rgb expected = PixelAt(original, x, y);
        const uint8_t* got = decoded.pixels.data() + (y * 13 + x) * c.components;
        const uint8_t* want = &expected.r;
        for (int32_t k = 0; k < c.components; ++k) {
          EXPECT_NEAR(got[k], want[k], 12) << x << "," << y << " component " << k;
        }
      }
    }
  }
}

// A row source that hands out a fixed number of rows and then none.
struct LimitedRows {
  KBitmap* bitmap;
  int32_t rows;
  static const uint8_t* Next(int32_t row, void* context) {
    auto* self = static_cast<LimitedRows*>(context);
    return row < self->rows ? self->bitmap->Row(row) : nullptr;
  }
};

TEST(KBitmap, ExportEndsWithAnErrorWhenTheRowsRunOut) {
  for (const char* extension : {"tga", "jpg"}) {
    for (int32_t rows : {0, 2}) {
      SCOPED_TRACE(testing::Message() << extension << " after " << rows << " rows");
      KBitmap bitmap(4, 3, 0x28);
      Fill(bitmap);
      LimitedRows source{&bitmap, rows};
      TempPath target(extension);
      EXPECT_EQ(KxCode([&] { ExportTo(target, bitmap, LimitedRows::Next, &source); }), kErrOperationFailed);
    }
  }
}

TEST(KBitmap, ExportRefusesABitmapWithoutSizeOrDepthOrTooLargeForItsFormat) {
  struct Case {
    int32_t width;
    uint32_t flags;
    const char* extension;
  } cases[] = {{0, 0x28, "tga"}, {4, 0, "tga"}, {4, 0, "jpg"}, {65536, 0x28, "tga"}, {65501, 0x28, "jpg"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " " << c.extension);
    KBitmap bitmap(c.width, 2, c.flags);
    TempPath target(c.extension);
    EXPECT_EQ(KxCode([&] { ExportTo(target, bitmap); }), kErrOperationFailed);
    EXPECT_TRUE(target.Bytes().empty());
  }
}

}  // namespace
