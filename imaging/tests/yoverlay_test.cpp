#include "imaging/yoverlay.h"

#include <gtest/gtest.h>

#include <vector>

#include "imaging/tests/imagetestfixture.h"

namespace {

// An uncompressed true-colour Targa of 2 x 1 pixels, top row first.
std::vector<uint8_t> TwoPixelTarga() {
  std::vector<uint8_t> bytes(18, 0);
  bytes[2] = 2;   // true colour, uncompressed
  bytes[12] = 2;  // width
  bytes[14] = 1;  // height
  bytes[16] = 24;
  bytes[17] = 0x20;
  for (uint8_t value : {10, 20, 30, 40, 50, 60}) {
    bytes.push_back(value);
  }
  return bytes;
}

}  // namespace

class OverlayTest : public ImageTest {
 protected:
  void SetUp() override {
    ImageTest::SetUp();
    YOverlay::InitClass();
  }
  void TearDown() override {
    overlays.Clear();
    YOverlay::ExitClass();
    ImageTest::TearDown();
  }
  KSparseArray overlays;
};

TEST_F(OverlayTest, FilesAreNumberedByTheirExtension) {
  for (const char* name : {"c.tga", "a.tg3", "b.tg3", "d.tgb", "e.txt", "f.TG7"}) {
    WriteFileBytes(folder.File(name), TwoPixelTarga());
  }
  struct Case {
    bool noOverlay;
    std::vector<std::pair<int32_t, std::string>> expected;
  };
  const Case cases[] = {
      {true, {}},
      {false, {{3, "a.tg3"}, {7, "f.TG7"}, {10, "b.tg3"}, {11, "c.tga"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.noOverlay);
    overlays.Clear();
    YOverlay::Collect(overlays, KString::FromUtf8(folder.Path()), c.noOverlay);
    std::vector<std::pair<int32_t, std::string>> found;
    for (KSparseArrayItem* item = overlays.Next(nullptr); item != nullptr; item = overlays.Next(item)) {
      const std::string path = Narrow(static_cast<YOverlay*>(item)->Path());
      found.emplace_back(item->Index(), path.substr(path.rfind('/') + 1));
    }
    EXPECT_EQ(found, c.expected);
  }
}

TEST_F(OverlayTest, LockReadsThePictureAndAFailureIsTriedAgain) {
  const KString path = folder.File("logo.tg1");
  WriteFileBytes(path, {1, 2, 3});
  YOverlay overlay(path, YOverlay::kCollectedFormat);
  EXPECT_EQ(overlay.Lock(), nullptr);
  EXPECT_NE(LogText(logPath).find("YOverlay::Lock: exception 3 file: " + Narrow(path)), std::string::npos);
  YOverlay missing(folder.File("none.tg2"), YOverlay::kCollectedFormat);
  EXPECT_EQ(missing.Lock(), nullptr);
  EXPECT_NE(LogText(logPath).find("YOverlay::Lock: exception 2 file: "), std::string::npos);
  // The next Lock tries again and finds the picture now there.
  WriteFileBytes(path, TwoPixelTarga());
  uint8_t* pixels = overlay.Lock();
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(pixels[3], 40);
  EXPECT_EQ(overlay.Bitmap().Width(), 2);
  overlay.Unlock();
  EXPECT_EQ(overlay.Lock(), pixels);
  overlay.Unlock();
}
