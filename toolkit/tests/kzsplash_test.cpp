#include "toolkit/kzsplash.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "foundation/kbitmap.h"
#include "foundation/kfile.h"
#include "native/native.h"
#include "testing/testpictures.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzfonttable.h"
#include "toolkit/tests/kztestbed.h"

namespace {

constexpr int32_t kWidth = 360;
// A red block in the picture's top-left corner, to find it on the screen; the rest is light grey.
constexpr int32_t kBlock = 8;

// The pixels darker than the splash picture's light text band, in a rectangle of desktop pixels.
int32_t DarkPixels(const native::TestDriver& driver, const KRect& area) {
  int32_t dark = 0;
  for (int32_t y = area.top; y <= area.bottom; ++y) {
    for (int32_t x = area.left; x <= area.right; ++x) {
      const native::COLORREF color = driver.pixel(x, y);
      dark +=
          native::GetRValue(color) + native::GetGValue(color) + native::GetBValue(color) < 3 * 200 ? 1 : 0;
    }
  }
  return dark;
}

class ProgramApplication : public KZApplication {
 public:
  using KZApplication::KZApplication;
  int32_t Start() override { return 0; }
};

class KZSplashTest : public KZTest {
 protected:
  KZSplashTest() {
    std::filesystem::create_directories(folder);
    KZApplication::application = &application;
    KZFontTable::InitFonts();
  }
  ~KZSplashTest() override {
    KZFontTable::ExitFonts();
    KZApplication::application = nullptr;
    std::filesystem::remove_all(folder);
  }

  // An uncompressed Targa file.
  KString WritePicture(const std::string& name, int32_t height) {
    KBitmap picture(kWidth, height, KBitmap::kRgb24);
    EXPECT_TRUE(picture.AllocateMemory());
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < kWidth; ++x) {
        const bool block = x < kBlock && y < kBlock;
        picture.SetPixel(x, y, block ? 255 : 230, block ? 0 : 230, block ? 0 : 230);
      }
    }
    KFile file(PathOf(name));
    file.Open(KFile::kReadWrite, true);
    picture.Export(
        file,
        [](int32_t row, void* bitmap) -> const uint8_t* { return static_cast<KBitmap*>(bitmap)->Row(row); },
        &picture);
    return file.Name();
  }
  KString PathOf(const std::string& name) const { return KString::FromUtf8((folder + "/" + name).c_str()); }

  const std::string folder =
      (std::filesystem::temp_directory_path() / ("kzsplash-" + std::to_string(getpid()))).string();
  // The program sits in the temporary folder, so that its splash picture can be put beside it.
  std::u16string programPath = std::filesystem::path(folder + "/kestrove").u16string();
  ZafIChar* programArguments[2] = {programPath.data(), nullptr};
  ProgramApplication application{1, programArguments};
};

}  // namespace

TEST_F(KZSplashTest, DrawsThePictureWithTheVersionAndNoticeLinesInTheTextArea) {
  struct Case {
    const char* name;
    int32_t height;
    const char16_t* buildDate;
  } cases[] = {
      {"400 high", 400, u"Jul 28 2020"},
      {"a longer date ends at the same place", 400, u"September 28 2020"},
      {"a smaller picture", 160, u"Jul 28 2020"},
  };
  application.productInfo = {u"2.04", u"", u"", u"Notice", 1};
  const int32_t fontHeight = KZWindowObjectLeech::FontHeight(1);
  ASSERT_GT(fontHeight, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    application.productInfo.buildDate = c.buildDate;
    auto* splash = Show(new KZSplash(WritePicture("picture.tgs", c.height)));
    ASSERT_TRUE(splash->HasPicture());
    EXPECT_EQ(splash->TextRect(), KRect(58, c.height - 68, 311, c.height - 39));
    const KRect screen = splash->ToScreenRect(splash->LocalRegion());
    EXPECT_EQ(screen, KRect((640 - kWidth) / 2, (480 - c.height) / 2, (640 + kWidth) / 2 - 1,
                            (480 + c.height) / 2 - 1))
        << "centred, the picture's size";
    EXPECT_EQ(driver.pixel(screen.left + 1, screen.top + 1), native::RGB(255, 0, 0));
    // The box around the texts' dark pixels, in window pixels, and how many lie in the notice line.
    KRect dark(INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN);
    int32_t noticePixels = 0;
    for (int32_t y = 0; y < c.height; ++y) {
      for (int32_t x = kBlock; x < kWidth; ++x) {
        const native::COLORREF color = driver.pixel(screen.left + x, screen.top + y);
        if (native::GetRValue(color) + native::GetGValue(color) + native::GetBValue(color) < 200) {
          dark = {std::min(dark.left, x), std::min(dark.top, y), std::max(dark.right, x),
                  std::max(dark.bottom, y)};
          noticePixels += y >= c.height - 39 - fontHeight + 2 ? 1 : 0;
        }
      }
    }
    EXPECT_GE(dark.left, 58);
    EXPECT_LE(dark.left, 60) << "the version line starts at the left edge";
    EXPECT_LE(dark.right, 311);
    EXPECT_GE(dark.right, 306) << "the release date ends at the right edge";
    EXPECT_GE(dark.top, c.height - 68);
    EXPECT_LT(dark.bottom, c.height - 39);
    EXPECT_GT(noticePixels, 0) << "the notice line ends at the bottom edge";
    ZafWindowObject::windowManager->Remove(splash);
  }
}

TEST_F(KZSplashTest, WithoutAReadablePictureThereIsNoSplashAndNoFailure) {
  std::ofstream(folder + "/text.tgs") << "Version 2.04\n";
  // An empty path reads the picture beside the program.
  struct Case {
    const char* name;
    KString path;
    bool writeBesideProgram;
    bool picture;
  } cases[] = {
      {"missing", PathOf("missing.tgs"), false, false},
      {"not a picture", PathOf("text.tgs"), false, false},
      {"none beside the program", KString(), false, false},
      {"one beside the program", KString(), true, true},
      {"the program's own picture", KString::FromUtf8(KESTROVE_PROGRAM_DIR "/kestrove.tgs"), false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.writeBesideProgram) {
      WritePicture("kestrove.tgs", 10);
    }
    std::unique_ptr<KZSplash> splash;
    ASSERT_NO_THROW(splash =
                        c.path.IsEmpty() ? std::make_unique<KZSplash>() : std::make_unique<KZSplash>(c.path));
    EXPECT_EQ(splash->HasPicture(), c.picture);
  }
}

// The splash window as the program shows it, from the packed splash picture, with the program's version and
// release date and a notice line written over it; its picture is left in the build tree for people to look
// at.
TEST_F(KZSplashTest, TheProgramsOwnPictureShowsTheVersionAndNoticeLines) {
  application.productInfo = {u"2.04", u"", u"Jul 28 2020", u"Licensed for the test bench", 1};
  const int32_t fontHeight = KZWindowObjectLeech::FontHeight(1);
  auto* splash = Show(new KZSplash(KString::FromUtf8(KESTROVE_PROGRAM_DIR "/kestrove.tgs")));
  ASSERT_TRUE(splash->HasPicture());
  const KRect text = splash->ToScreenRect(splash->TextRect());
  EXPECT_GT(DarkPixels(driver, KRect(text.left, text.top, text.right, text.top + fontHeight - 1)), 0)
      << "the version line";
  EXPECT_GT(DarkPixels(driver, KRect(text.left, text.bottom - fontHeight, text.right, text.bottom)), 0)
      << "the notice line";
  const std::string picture = TestPicturePath("splash_window.png");
  ASSERT_TRUE(driver.snapshot(splash->ScreenID(), picture));
  EXPECT_GT(std::filesystem::file_size(picture), 0u);
  ZafWindowObject::windowManager->Remove(splash);
}
