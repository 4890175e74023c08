#include "foundation/kfile.h"

#include "foundation/kbufferedfile.h"
#include "foundation/kdiskstep.h"
#include "foundation/kfileinfo.h"
#include "foundation/kx.h"
#include "foundation/tests/kstringtestsupport.h"
#include "foundation/tests/ktempfolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

void WriteWholeFile(const KString& path, const std::string& contents) {
  std::ofstream out(path.ToUtf8(), std::ios::binary);
  out << contents;
}

std::string ReadWholeFile(const KString& path) {
  std::ifstream in(path.ToUtf8(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int32_t ErrorCodeOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const KX& failure) {
    return failure.Code();
  }
  return kErrNone;
}

class KFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.IsValid()); }
  KTempFolder folder;
};

}  // namespace

TEST(KFilePath, NameOperationsTable) {
  struct Case {
    const char* path;
    const char* directory;
    const char* withCfg;
    const char* withoutExtension;
    const char* withName;
  } cases[] = {
      {"/opt/kestrove/Kestrove", "/opt/kestrove/", "/opt/kestrove/Kestrove.cfg", "/opt/kestrove/Kestrove",
       "/opt/kestrove/*.lng"},
      {"/data/event.qve", "/data/", "/data/event.cfg", "/data/event", "/data/*.lng"},
      {"/data.d/event", "/data.d/", "/data.d/event.cfg", "/data.d/event", "/data.d/*.lng"},
      {"a.b.c", "", "a.b.cfg", "a.b", "*.lng"},
      {"/folder/", "/folder/", "/folder/.cfg", "/folder/", "/folder/*.lng"},
      {"", "", ".cfg", "", "*.lng"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    KFile file{KString(c.path)};
    KString directory("prefix:");
    file.GetDirectory(directory);
    KString expectedDirectory("prefix:");
    expectedDirectory.Append(c.directory);
    EXPECT_EQ(directory, expectedDirectory);

    KFile withCfg;
    withCfg.Assign(file);
    withCfg.SetExtension(KString("cfg"));
    EXPECT_EQ(withCfg.Name(), KString(c.withCfg));

    KFile bare{KString(c.path)};
    bare.RemoveExtension();
    EXPECT_EQ(bare.Name(), KString(c.withoutExtension));

    KFile pattern{KString(c.path)};
    KFile::SetFileName(pattern, KString("*.lng"));
    EXPECT_EQ(pattern.Name(), KString(c.withName));
  }
}

TEST(KFilePath, AppendNameReplacesAndEndsWithASlash) {
  struct Case {
    const char* folder;
    const char* expected;
  } cases[] = {{"/data/out", "/data/out/"}, {"/data/out/", "/data/out/"}, {"", "/"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    KFile file{KString("/old/path/file.txt")};
    KFile::AppendName(file, KString(c.folder));
    EXPECT_EQ(file.Name(), KString(c.expected));
  }
  KFile whole{KString("/a/b")};
  KFile::SetFileName(whole, KString("/c/d"), false);
  EXPECT_EQ(whole.Name(), KString("/c/d"));
}

TEST(KFilePath, SameNameIgnoresCase) {
  EXPECT_TRUE(KFile::SameName(KFile(KString("/A/Event.QVE")), KFile(KString("/a/event.qve"))));
  EXPECT_FALSE(KFile::SameName(KFile(KString("/a/event.qve")), KFile(KString("/a/event.qv"))));
}

TEST(KFileInfoPattern, MatchesTable) {
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  } cases[] = {
      {"*.lng", "english.lng", true},
      {"*.lng", "ENGLISH.LNG", true},
      {"*.lng", "english.lngx", false},
      {"*.lng", ".lng", true},
      {"*.tg?", "over1.tga", true},
      {"*.tg?", "over1.tg", false},
      {"a*b*c", "aXbYbZc", true},
      {"a*b*c", "aXbYbZ", false},
      {"*", "", true},
      {"", "", true},
      {"?", "", false},
      {"**x", "abx", true},
      {"*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " / " + c.name);
    EXPECT_EQ(KFileInfo::Matches(KString(c.pattern), KString(c.name)), c.matches);
  }
}

TEST_F(KFileTest, ListingGivesMatchingFilesButNoFolders) {
  for (const char* name : {"english.lng", "Deutsch.LNG", "notes.txt"}) {
    WriteWholeFile(folder.File(name), "x");
  }
  ::mkdir(folder.File("folder.lng").ToUtf8().c_str(), 0755);
  KFileInfo listing(folder.File("*.lng"));
  KFile entry;
  std::set<std::string> names;
  while (KFile::FindNext(listing, entry)) {
    names.insert(listing.Name().ToUtf8());
    EXPECT_EQ(entry.Name(), folder.File(listing.Name().ToUtf8()));
  }
  EXPECT_EQ(names, (std::set<std::string>{"english.lng", "Deutsch.LNG"}));
  EXPECT_FALSE(KFile::FindNext(listing, entry));

  KFileInfo missing(folder.File("absent/*.lng"));
  EXPECT_FALSE(KFile::FindNext(missing, entry));
}

TEST_F(KFileTest, OpenReadWriteSeekTruncate) {
  KFile file(folder.File("data.bin"));
  EXPECT_EQ(ErrorCodeOf([&] { file.Open(KFile::kRead); }), kErrFileOpen);
  file.Open(KFile::kReadWrite, true);
  EXPECT_TRUE(file.IsOpen());
  EXPECT_EQ(ErrorCodeOf([&] { file.Open(KFile::kRead); }), kErrFileAlreadyOpen);
  file.Write("0123456789", 10);
  EXPECT_EQ(file.Size(), 10);
  EXPECT_EQ(file.Seek(2), 2);
  char got[4] = {};
  EXPECT_EQ(file.Read(got, 3), 3);
  EXPECT_EQ(std::string(got, 3), "234");
  EXPECT_EQ(file.Seek(-1, KFile::kFromCurrent), 4);
  file.Write("x", 1);
  EXPECT_EQ(file.Seek(-2, KFile::kFromEnd), 8);
  file.Truncate();
  EXPECT_EQ(file.Size(), 8);
  file.Seek(12);
  file.Truncate();  // extends with zero bytes
  file.Close();
  file.Close();  // harmless when closed
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(ReadWholeFile(file.Name()), std::string("0123x567\0\0\0\0", 12));
  EXPECT_EQ(ErrorCodeOf([&] { file.Seek(0, 7); }), kErrFileAccess);
}

TEST_F(KFileTest, ReadOnlyFilesRefuseWrites) {
  WriteWholeFile(folder.File("ro.txt"), "abc");
  KFile file(folder.File("ro.txt"));
  EXPECT_FALSE(file.IsReadOnly());
  ::chmod(file.Name().ToUtf8().c_str(), 0444);
  EXPECT_TRUE(file.IsReadOnly());
  EXPECT_FALSE(KFile(folder.File("absent")).IsReadOnly());
  file.Open(KFile::kRead);
  EXPECT_EQ(ErrorCodeOf([&] { file.Write("x", 1); }), kErrFileWrite);
  EXPECT_EQ(file.ReadByte(), 'a');
}

TEST_F(KFileTest, RenameMovesAndTakesTheName) {
  WriteWholeFile(folder.File("old.txt"), "contents");
  KFile file(folder.File("old.txt"));
  KFile target(folder.File("new.txt"));
  EXPECT_TRUE(file.Rename(target));
  EXPECT_EQ(file.Name(), target.Name());
  EXPECT_FALSE(KFileExists(folder.File("old.txt")));
  EXPECT_EQ(ReadWholeFile(folder.File("new.txt")), "contents");
  KFile nowhere(folder.File("absent/dir/x.txt"));
  EXPECT_FALSE(file.Rename(nowhere));
  EXPECT_EQ(file.Name(), target.Name());
}

TEST_F(KFileTest, TakeOverMovesTheHandle) {
  WriteWholeFile(folder.File("shared.txt"), "abcdef");
  KFile first(folder.File("shared.txt"));
  first.Open(KFile::kRead);
  first.Seek(2);
  KFile second;
  second.TakeOver(first, true);
  EXPECT_FALSE(first.IsOpen());
  EXPECT_TRUE(second.IsOpen());
  EXPECT_EQ(second.Mode(), KFile::kRead);
  EXPECT_EQ(second.Name(), first.Name());
  EXPECT_EQ(second.ReadByte(), 'c');

  KFile third;
  third.TakeOver(second, false);
  EXPECT_TRUE(second.IsOpen());
  EXPECT_FALSE(third.IsOpen());
  EXPECT_EQ(third.Name(), second.Name());
}

TEST_F(KFileTest, ExistsAndDelete) {
  const KString path = folder.File("gone.txt");
  EXPECT_FALSE(KFileExists(path));
  EXPECT_FALSE(KDeleteFile(path));
  WriteWholeFile(path, "x");
  EXPECT_TRUE(KFileExists(path));
  EXPECT_TRUE(KDeleteFile(path));
  EXPECT_FALSE(KFileExists(path));
}

TEST_F(KFileTest, WritingAfterAReadLineLandsWhereTheLineEnded) {
  // Automatic line detection peeks at the byte after a line end; a write must not skip it.
  WriteWholeFile(folder.File("lines.txt"), "one\nrest");
  KFile file(folder.File("lines.txt"));
  file.Open(KFile::kReadWrite);
  KString line;
  EXPECT_EQ(file.ReadLine(line), 10);
  file.Write("R", 1);
  file.Close();
  EXPECT_EQ(ReadWholeFile(file.Name()), "one\nRest");
}

TEST_F(KFileTest, UnicodeFileNamesGoToDiskAsUtf8) {
  const KString path = folder.File("\xC3\xA9v\xC3\xA9nement.qve");
  KFile file(path);
  file.Open(KFile::kReadWrite, true);
  file.Close();
  EXPECT_TRUE(std::ifstream(folder.Path() + "/\xC3\xA9v\xC3\xA9nement.qve").good());
}

TEST_F(KFileTest, SaveSafelyReplacesTheFileWhole) {
  const KString path = folder.File("settings.cfg");
  WriteWholeFile(path, "old contents");
  ::chmod(path.ToUtf8().c_str(), 0640);
  KFile::SaveSafely(path, [](KStream& out) {
    out.SetWriteMode(KStream::kEncodingLocal);
    out.SetWriteLineMode(KStream::kLineLf);
    out.WriteString(KString("new\n"));
  });
  EXPECT_EQ(ReadWholeFile(path), "new\n");
  struct stat info {};
  ASSERT_EQ(::stat(path.ToUtf8().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    left.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(left, std::vector<std::string>{"settings.cfg"});
}

TEST_F(KFileTest, SaveSafelyTakesItsDiskStepsInOrder) {
  const KString path = folder.File("settings.cfg");
  WriteWholeFile(path, "old");
  struct Step {
    KDiskStep step;
    std::string live;  // what the file holds as the step begins
  };
  std::vector<Step> taken;
  struct HookRemover {
    ~HookRemover() { KFile::SetDiskStepHook(nullptr); }
  } remover;
  KFile::SetDiskStepHook([&](KDiskStep step) { taken.push_back({step, ReadWholeFile(path)}); });
  KFile::SaveSafely(path, [](KStream& out) { out.WriteByte('n'); });
  const Step expected[] = {
      {KDiskStep::kSweep, "old"},          {KDiskStep::kNewFile, "old"},  {KDiskStep::kSyncNewFile, "old"},
      {KDiskStep::kRenameOverLive, "old"}, {KDiskStep::kSyncFolder, "n"},
  };
  ASSERT_EQ(taken.size(), std::size(expected));
  for (std::size_t at = 0; at < taken.size(); ++at) {
    SCOPED_TRACE(at);
    EXPECT_EQ(taken[at].step, expected[at].step);
    EXPECT_EQ(taken[at].live, expected[at].live);
  }
}

TEST_F(KFileTest, FailedSaveLeavesTheOldFileAndNoTemporary) {
  const KString path = folder.File("event.qve");
  WriteWholeFile(path, "good old file");
  const int32_t code = ErrorCodeOf([&] {
    KFile::SaveSafely(path, [](KStream& out) {
      out.WriteInt32(1);
      throw KXStream(kErrDiskFull, 28);
    });
  });
  EXPECT_EQ(code, kErrDiskFull);
  EXPECT_EQ(ReadWholeFile(path), "good old file");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);

  const int32_t missingFolder = ErrorCodeOf(
      [&] { KFile::SaveSafely(folder.File("absent/x.cfg"), [](KStream& out) { out.WriteByte(1); }); });
  EXPECT_EQ(missingFolder, kErrFileOpen);
}

TEST_F(KFileTest, SaveSafelyRemovesTheTemporariesOfKilledSaves) {
  const KString path = folder.File("event.qve");
  WriteWholeFile(path, "first");
  pid_t killed = 0;
  for (int kill = 0; kill < 10; ++kill) {
    killed = ::fork();
    if (killed == 0) {
      KFile::SaveSafely(path, [](KStream& out) {
        out.WriteInt32(1);
        ::_exit(0);
      });
    }
    ASSERT_EQ(::waitpid(killed, nullptr, 0), killed);
  }
  const auto temporary = [](const std::string& target, pid_t process, const std::string& number) {
    return "." + target + ".tmp" + std::to_string(process) + "-" + number;
  };
  struct Case {
    std::string name;
    bool removed;
  } cases[] = {
      {temporary("event.qve", killed, "7"), true},       {temporary("event.qve", ::getpid(), "7"), false},
      {temporary("event.qve", ::getppid(), "7"), false}, {temporary("other.qve", killed, "7"), false},
      {temporary("event.qve", killed, "7x"), false},
  };
  for (const Case& test : cases) {
    std::ofstream(folder.Path() + "/" + test.name) << "partial";
  }
  KFile::SaveSafely(path, [](KStream& out) { out.WriteByte('x'); });
  EXPECT_EQ(ReadWholeFile(path), "x");
  EXPECT_FALSE(std::filesystem::exists(folder.Path() + "/" + temporary("event.qve", killed, "0")))
      << "left by the last killed save";
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    EXPECT_EQ(std::filesystem::exists(folder.Path() + "/" + test.name), !test.removed);
  }
}

TEST_F(KFileTest, TemporaryBesideATargetIsAlwaysANewHiddenFile) {
  const KString path = folder.File("heat.ic0");
  WriteWholeFile(path, "blocks");
  ::chmod(path.ToUtf8().c_str(), 0640);
  const KString first = KFile::CreateTemporaryBeside(path);
  const KString second = KFile::CreateTemporaryBeside(path);
  EXPECT_NE(first, second) << "a name already taken is never handed out again";
  for (const KString& name : {first, second}) {
    const std::filesystem::path made(name.ToUtf8());
    EXPECT_EQ(made.parent_path(), std::filesystem::path(folder.Path()));
    EXPECT_EQ(made.filename().string().rfind(".heat.ic0.tmp", 0), 0u) << made;
    EXPECT_EQ(ReadWholeFile(name), "");
    struct stat info {};
    ASSERT_EQ(::stat(name.ToUtf8().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
  }
  EXPECT_EQ(ReadWholeFile(path), "blocks");
  EXPECT_EQ(ErrorCodeOf([&] { KFile::CreateTemporaryBeside(folder.File("absent/x.ic0")); }), kErrFileOpen);
}

TEST_F(KFileTest, FailuresCarryTheirCodes) {
  KFile closed(folder.File("never-opened"));
  char byte = 0;
  struct Case {
    const char* name;
    std::function<void()> action;
    int32_t code;
  } cases[] = {
      {"read from a closed file", [&] { closed.Read(&byte, 1); }, kErrFileRead},
      {"write to a closed file", [&] { closed.Write(&byte, 1); }, kErrFileWrite},
      {"seek in a closed file", [&] { closed.Seek(0); }, kErrFileAccess},
      {"size of a missing file", [&] { closed.Size(); }, kErrFileAccess},
      {"seek before the start",
       [&] {
         KFile file(folder.File("seek.bin"));
         file.Open(KFile::kReadWrite, true);
         file.Seek(-1);
       },
       kErrFileAccess},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ErrorCodeOf(c.action), c.code);
  }
}

TEST(KFileDevice, AFullDiskIsReportedAs3006) {
  if (!KFileExists(KString("/dev/full"))) {
    GTEST_SKIP() << "no /dev/full here";
  }
  KFile full(KString("/dev/full"));
  full.Open(KFile::kReadWrite);
  try {
    full.Write("x", 1);
    FAIL() << "no exception";
  } catch (const KXStream& failure) {
    EXPECT_EQ(failure.Code(), kErrDiskFull);
    EXPECT_EQ(failure.Detail(), ENOSPC);
  }
}

TEST_F(KFileTest, PositionAfterAReadLineIsWhereTheLineEnded) {
  // Line reading peeks past "one\n" (the automatic line mode looks for a CR after the LF); seeks,
  // truncation and the remaining count must not see that peek, with or without a buffer.
  WriteWholeFile(folder.File("peek.txt"), "one\nrest");
  KFile plain(folder.File("peek.txt"));
  KBufferedFile buffered(4096, folder.File("peek.txt"));
  for (KFile* file : std::initializer_list<KFile*>{&plain, &buffered}) {
    SCOPED_TRACE(file == &plain ? "plain" : "buffered");
    file->Open(KFile::kReadWrite);
    KString line;
    EXPECT_EQ(file->ReadLine(line), 10);
    EXPECT_EQ(file->Remaining(), 4);
    EXPECT_EQ(file->Seek(0, KFile::kFromCurrent), 4);
    file->Truncate();
    EXPECT_EQ(file->ReadLine(line), KStream::kEndOfStream);
    file->Close();
    EXPECT_EQ(ReadWholeFile(file->Name()), "one\n");
    WriteWholeFile(folder.File("peek.txt"), "one\nrest");
  }
}
