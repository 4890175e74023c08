#include "tools/kestrove-pack/splashpacker.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include "framework/data/tests/zaftestfiles.h"

namespace {

class SplashPackerTest : public testing::Test {
 protected:
  void SetUp() override {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 40, 30);
    ASSERT_EQ(cairo_surface_write_to_png(surface, Png().c_str()), CAIRO_STATUS_SUCCESS);
    cairo_surface_destroy(surface);
    std::ifstream png(Png(), std::ios::binary);
    pngBytes.assign(std::istreambuf_iterator<char>(png), {});
    ASSERT_GT(pngBytes.size(), 8u);
  }

  std::filesystem::path Png() const { return folder.path / "splash.png"; }

  void Write(const std::filesystem::path& path, const std::string& bytes) const {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  // The packer's refusal, or "packed".
  static std::string Pack(const std::filesystem::path& source, const std::filesystem::path& output) {
    try {
      PackSplash(source, output);
      return "packed";
    } catch (const std::runtime_error& failure) {
      return failure.what();
    }
  }

  TemporaryFolder folder;
  std::string pngBytes;
};

}  // namespace

// Each refusal names the file and says what is wrong with it, and no picture is written.
TEST_F(SplashPackerTest, RefusesWhatIsNoWholePngAndSaysWhyAnOutputCannotBeWritten) {
  Write(folder.path / "notes.txt", "Version 2.04\n");
  Write(folder.path / "empty.png", "");
  Write(folder.path / "cut.png", pngBytes.substr(0, pngBytes.size() / 2));
  const std::filesystem::path output = folder.path / "kestrove.tgs";
  struct Case {
    const char* what;
    std::filesystem::path source;
    std::filesystem::path output;
    std::string refusal;
  } cases[] = {
      {"a text file", folder.path / "notes.txt", output, "notes.txt: not a PNG picture"},
      {"an empty file", folder.path / "empty.png", output, "empty.png: not a PNG picture"},
      {"a PNG cut off half-way", folder.path / "cut.png", output,
       "cut.png: a damaged or cut-off PNG picture"},
      {"no file", folder.path / "missing.png", output,
       "missing.png: cannot be read: No such file or directory"},
      {"an output folder that does not exist", Png(), folder.path / "none" / "kestrove.tgs",
       "kestrove.tgs: cannot be written: No such file or directory"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    const std::string refusal = Pack(test.source, test.output);
    EXPECT_NE(refusal.find(test.refusal), std::string::npos) << refusal;
    EXPECT_FALSE(std::filesystem::exists(test.output));
  }
  EXPECT_EQ(Pack(Png(), output), "packed");
  EXPECT_TRUE(std::filesystem::exists(output));
}
