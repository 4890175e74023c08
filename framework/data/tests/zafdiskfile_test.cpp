#include "framework/data/zafdiskfile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafclassid.h"

namespace {

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path) << text;
}

TEST(ZafDiskFile, WritesReadsAndKeepsThePositionForLength) {
  TemporaryFolder folder;
  const std::u16string name = folder.Path("data.bin");
  {
    ZafDiskFile file(name.c_str(), ZAF_FILE_CREATE | ZAF_FILE_READWRITE | ZAF_FILE_BINARY);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(file.WriteString(u"Zaf"), 5);
    EXPECT_EQ(file.WriteDouble(1.0), 8);
    EXPECT_EQ(file.Tell(), 13);
    EXPECT_EQ(file.Length(), 13);
    EXPECT_EQ(file.Tell(), 13);
    // Reading right after writing, then writing after reading, through the same update stream.
    ASSERT_EQ(file.Seek(0, ZAF_SEEK_START), 0);
    uint16_t count = 0;
    EXPECT_EQ(file.ReadUInt16(count), 2);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(file.WriteUInt8('z'), 1);
    EXPECT_EQ(file.Error(), 0);
  }
  ZafDiskFile file(name.c_str(), ZAF_FILE_READ | ZAF_FILE_BINARY);
  ZafIChar* text = nullptr;
  EXPECT_EQ(file.ReadString(text), 3);
  EXPECT_EQ(std::u16string(text), u"zaf");
  delete[] text;
  double value = 0;
  EXPECT_EQ(file.ReadDouble(value), 8);
  EXPECT_EQ(value, 1.0);
  uint8_t beyond = 0;
  EXPECT_EQ(file.ReadUInt8(beyond), 0);
  EXPECT_EQ(file.Error(), ZAF_ERROR_READ);
}

TEST(ZafDiskFile, ModesChooseHowTheFileOpens) {
  TemporaryFolder folder;
  const std::u16string name = folder.Path("modes.txt");
  WriteText(folder.path / "modes.txt", "abc");
  {
    ZafDiskFile append(name.c_str(), ZAF_FILE_APPEND | ZAF_FILE_TEXT);
    append.WriteUInt8('d');
  }
  EXPECT_EQ(ZafDiskFile(name.c_str(), ZAF_FILE_READ).Length(), 4);
  {
    ZafDiskFile update(name.c_str(), ZAF_FILE_READWRITE);
    update.WriteUInt8('X');
  }
  EXPECT_EQ(ZafDiskFile(name.c_str(), ZAF_FILE_READ).Length(), 4);
  {
    ZafDiskFile create(name.c_str(), ZAF_FILE_CREATE);
    EXPECT_TRUE(create.IsOpen());
  }
  EXPECT_EQ(ZafDiskFile(name.c_str(), 0).Length(), 0);
}

TEST(ZafDiskFile, FailuresSetTheirErrorCodes) {
  TemporaryFolder folder;
  struct Case {
    const char* what;
    std::u16string name;
    uint16_t mode;
    ZafError error;
  } cases[] = {
      {"no name", u"", ZAF_FILE_READ, ZAF_ERROR_NOT_FOUND},
      {"missing file", folder.Path("missing"), ZAF_FILE_READ, ZAF_ERROR_OPEN},
      {"mode of another kind of file", folder.Path("x"), 128 | ZAF_FILE_CREATE, ZAF_ERROR_OPEN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ZafDiskFile file(c.name.c_str(), c.mode);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.Error(), c.error);
    EXPECT_EQ(file.Length(), -1);
    EXPECT_EQ(file.Tell(), -1);
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path / "x"));
  ZafDiskFile nullName(nullptr, ZAF_FILE_READ);
  EXPECT_EQ(nullName.Error(), ZAF_ERROR_NOT_FOUND);

  WriteText(folder.path / "short", "ab");
  ZafDiskFile file(folder.Path("short").c_str(), ZAF_FILE_READ);
  EXPECT_EQ(file.Seek(-10, ZAF_SEEK_START), -1);
  EXPECT_EQ(file.Error(), ZAF_ERROR_SEEK);
  file.SetError(0);
  EXPECT_EQ(file.WriteUInt8(1), 0);  // opened read-only
  EXPECT_EQ(file.Error(), ZAF_ERROR_WRITE);
}

TEST(ZafDiskFile, RelativeNamesAreLookedForOnTheSearchPath) {
  TemporaryFolder first;
  TemporaryFolder second;
  WriteText(second.path / "found.dat", "hello");
  const ScopedEnvironment searchPath("ZAF_PATH",
                                     "::" + first.path.string() + ":" + second.path.string() + "/:");
  ZafDiskFile file(u"found.dat", ZAF_FILE_READ);
  ASSERT_TRUE(file.IsOpen());
  EXPECT_EQ(std::u16string(file.Name()), second.Path("found.dat"));
  EXPECT_EQ(file.Length(), 5);

  ZafDiskFile missing(u"nowhere.dat", ZAF_FILE_READ);
  EXPECT_EQ(missing.Error(), ZAF_ERROR_OPEN);
  EXPECT_EQ(std::u16string(missing.Name()), u"nowhere.dat");

  // An absolute name is not looked for elsewhere.
  const std::u16string absolute = u"/nonexistent-zaf/found.dat";
  EXPECT_FALSE(ZafDiskFile(absolute.c_str(), ZAF_FILE_READ).IsOpen());
}

TEST(ZafDiskFile, AnswersItsClass) {
  ZafDiskFile file(nullptr, 0);
  EXPECT_EQ(file.ClassID(), ID_ZAF_DISK_FILE);
  EXPECT_TRUE(file.IsA(ID_ZAF_FILE));
  EXPECT_TRUE(file.IsAName(u"ZafDiskFile"));
  EXPECT_TRUE(file.IsAName(u"ZafFile"));
}

}  // namespace
