#include "framework/data/zafdiskfilesystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafdiskfile.h"

namespace {

std::string Narrow(const std::u16string& text) {
  return ZafToUtf8(text);
}

TEST(ZafDiskFileSystem, TempNameCreatesANewFileAndLeavesTakenOnesAlone) {
  TemporaryFolder folder;
  ZafDiskFileSystem files;
  std::ofstream(folder.path / "ZTMP1.$$$") << "taken";
  std::set<std::u16string> made;
  for (int i = 0; i < 3; ++i) {
    ZafIChar name[256];
    ASSERT_EQ(files.TempName(folder.Path().c_str(), name, 256), name);
    const std::filesystem::path path(Narrow(name));
    EXPECT_EQ(path.parent_path(), folder.path);
    EXPECT_TRUE(std::regex_match(path.filename().string(), std::regex(R"(ZTMP\d+\.\$\$\$)"))) << path;
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    made.insert(name);
  }
  EXPECT_EQ(made.size(), 3u);
  std::ifstream taken(folder.path / "ZTMP1.$$$");
  std::string content;
  taken >> content;
  EXPECT_EQ(content, "taken");
}

TEST(ZafDiskFileSystem, TempNameJoinsTheDirectoryAndRefusesWhatDoesNotFit) {
  TemporaryFolder folder;
  ZafDiskFileSystem files;
  const std::u16string withoutSlash = ZafFromUtf8(folder.path.string());
  ZafIChar name[256];
  ASSERT_NE(files.TempName(withoutSlash.c_str(), name, 256), nullptr);
  EXPECT_EQ(std::u16string(name).rfind(withoutSlash + u"/ZTMP", 0), 0u);

  // No name is shorter than "/ZTMP0.$$$" after the directory.
  const int tooShort = static_cast<int>(withoutSlash.size() + 10);
  EXPECT_EQ(files.TempName(withoutSlash.c_str(), name, tooShort), nullptr);
  EXPECT_EQ(files.Error(), ZAF_ERROR_OPEN);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path), {}), 1);

  EXPECT_EQ(files.TempName(u"/nonexistent-zaf-dir/", name, 256), nullptr);
}

TEST(ZafDiskFileSystem, SplitPathSeparatesDirectoryFileAndStoragePath) {
  struct Case {
    std::u16string path;
    std::u16string directory;
    std::u16string fileName;
  } cases[] = {
      {u"/home/user/data.znc", u"/home/user/", u"data.znc"},
      {u"data.znc~window~button", u"", u"data.znc"},
      {u"dir/data.znc~a/b", u"dir/data.znc~a/", u"b"},
      {u"/", u"/", u""},
      {u"", u"", u""},
      {u"plain", u"", u"plain"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.path));
    std::u16string directory = u"old";
    std::u16string fileName = u"old";
    ZafDiskFileSystem::SplitPath(c.path.c_str(), directory, fileName);
    EXPECT_EQ(directory, c.directory);
    EXPECT_EQ(fileName, c.fileName);
  }
}

TEST(ZafDiskFileSystem, ChangeExtensionReplacesOnlyTheFileNamesExtension) {
  struct Case {
    std::u16string name;
    const char16_t* extension;
    std::u16string expected;
  } cases[] = {
      {u"data.znc", u".bk1", u"data.bk1"}, {u"data.znc", u"bk1", u"data.bk1"},
      {u"data", u"znc", u"data.znc"},      {u"data.znc", nullptr, u"data"},
      {u"data.znc", u"", u"data"},         {u"dir.d/data", u".znc", u"dir.d/data.znc"},
      {u"a.b.c", u"x", u"a.b.x"},          {u"data.", u"znc", u"data.znc"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.name));
    std::u16string name = c.name;
    ZafDiskFileSystem::ChangeExtension(name, c.extension);
    EXPECT_EQ(name, c.expected);
  }
}

TEST(ZafDiskFileSystem, OpenAlwaysGivesAFileThatCarriesTheIds) {
  TemporaryFolder folder;
  ZafDiskFileSystem files;
  const std::u16string name = folder.Path("new.bin");
  ZafFile* created =
      files.Open(name.c_str(), ZAF_FILE_CREATE | ZAF_FILE_READWRITE | ZAF_FILE_BINARY, u"ID", 7);
  ASSERT_NE(created, nullptr);
  EXPECT_EQ(created->Error(), 0);
  EXPECT_EQ(std::u16string(created->StringID()), u"ID");
  EXPECT_EQ(created->NumberID(), 7);
  created->WriteInt32(5);
  EXPECT_EQ(files.Close(created), 0);

  ZafFile* missing = files.Open(folder.Path("missing").c_str(), ZAF_FILE_READ, nullptr, 0);
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(missing->Error(), ZAF_ERROR_OPEN);
  files.Close(missing);

  const std::u16string renamed = folder.Path("renamed.bin");
  EXPECT_EQ(files.Rename(name.c_str(), renamed.c_str(), nullptr, 0), 0);
  EXPECT_TRUE(std::filesystem::exists(folder.path / "renamed.bin"));
  EXPECT_EQ(files.Remove(renamed.c_str()), 0);
  EXPECT_NE(files.Remove(renamed.c_str()), 0);
}

TEST(ZafDiskFileSystem, FindListsMatchingNamesCaseInsensitively) {
  TemporaryFolder folder;
  ZafDiskFileSystem files;
  for (const char* name : {"one.LNG", "two.lng", "three.txt"}) {
    std::ofstream(folder.path / name) << "12345";
  }
  ASSERT_EQ(files.MkDir(folder.Path("sub.lng").c_str(), nullptr, 0), 0);

  ZafFileInfoStruct info;
  std::vector<std::string> found;
  const std::u16string pattern = folder.Path("*.lng");
  for (int result = files.FindFirst(info, pattern.c_str(), nullptr, 0); result == 0;
       result = files.FindNext(info, pattern.c_str(), nullptr, 0)) {
    found.push_back(Narrow(info.name) +
                    (info.type == ZAF_ENTRY_DIRECTORY ? "/" : ":" + std::to_string(info.size)));
  }
  EXPECT_EQ(files.FindClose(info), 0);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{"one.LNG:5", "sub.lng/", "two.lng:5"}));

  EXPECT_EQ(files.FindFirst(info, u"/nonexistent-zaf-dir/*", nullptr, 0), -1);
  EXPECT_EQ(files.Error(), ZAF_ERROR_READ);
  ZafFileInfoStruct unused;
  EXPECT_EQ(files.FindNext(unused, u"*", nullptr, 0), -1);
}

TEST(ZafDiskFileSystem, DirectoriesAreMadeChangedIntoAndRemoved) {
  TemporaryFolder folder;
  ZafDiskFileSystem files;
  const std::u16string directory = folder.Path("dir");
  ASSERT_EQ(files.MkDir(directory.c_str(), nullptr, 0), 0);
  EXPECT_EQ(files.MkDir(directory.c_str(), nullptr, 0), -1);
  std::ofstream(folder.path / "dir" / "inside") << "x";
  EXPECT_EQ(files.RmDir(directory.c_str(), false), -1);

  ZafIChar previous[4096];
  ASSERT_EQ(files.GetCWD(previous, 4096), 0);
  ASSERT_EQ(files.ChDir(directory.c_str(), nullptr, 0), 0);
  ZafIChar current[4096];
  ASSERT_EQ(files.GetCWD(current, 4096), 0);
  EXPECT_EQ(std::filesystem::canonical(ZafToUtf8(current)), std::filesystem::canonical(folder.path / "dir"));
  EXPECT_EQ(files.GetCWD(current, 2), -1);
  ASSERT_EQ(files.ChDir(previous, nullptr, 0), 0);

  EXPECT_EQ(files.RmDir(directory.c_str(), true), 0);
  EXPECT_FALSE(std::filesystem::exists(folder.path / "dir"));
}

}  // namespace
