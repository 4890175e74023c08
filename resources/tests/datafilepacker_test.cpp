#include "tools/kestrove-pack/datafilepacker.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>
#include <string>

#include "framework/data/tests/zaftestfiles.h"

namespace {

class DataFilePackerTest : public testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(Pictures());
    Write(Pictures() / "Dot.pix", "k.\n.k\n");
    Write(Output(), "the older data file");
  }

  std::filesystem::path Pictures() const { return folder.path / "pictures"; }
  std::filesystem::path Output() const { return folder.path / "app.znc"; }

  static void Write(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path) << text;
  }

  static std::string Contents(const std::filesystem::path& path) {
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  // The packer's refusal, or "packed".
  std::string Pack(const std::vector<PictureEntry>& table) {
    try {
      PackDataFile(table, Pictures(), Output());
      return "packed";
    } catch (const std::runtime_error& failure) {
      return failure.what();
    }
  }

  TemporaryFolder folder;
};

}  // namespace

// A table and a pictures folder that disagree are refused before anything is written, so the older data
// file stays as it was.
TEST_F(DataFilePackerTest, TableAndPicturesThatDisagreeLeaveTheOldFile) {
  const std::string pictures = Pictures().string();
  struct Case {
    std::vector<PictureEntry> table;
    std::string refusal;
  } cases[] = {
      {{{PictureEntry::Kind::Bitmap, "Dot", 2, 2}, {PictureEntry::Kind::Bitmap, "Gone", 2, 2}},
       pictures + "/Gone.pix: cannot be read"},
      {{}, pictures + "/Dot.pix: has no line in the picture table"},
      {{{PictureEntry::Kind::Icon, "Dot", 2, 3}}, pictures + "/Dot.pix: 2 x 2 pixels, the table says 2 x 3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.refusal);
    EXPECT_EQ(Pack(c.table), c.refusal);
    EXPECT_EQ(Contents(Output()), "the older data file");
  }
}

TEST_F(DataFilePackerTest, AFaultyPictureIsNamedWithItsLine) {
  Write(Pictures() / "Dot.pix", "k.\n.q\n");
  EXPECT_EQ(Pack({{PictureEntry::Kind::Bitmap, "Dot", 2, 2}}),
            Pictures().string() + "/Dot.pix: picture line 2: column 2 names no colour");
  EXPECT_EQ(Contents(Output()), "the older data file");
}
