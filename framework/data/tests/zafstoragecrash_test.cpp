// A program may die at any moment of a save. These tests stop a child process at each step by which opening
// or saving changes the disk, in turn, and then open what it left.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafstorage.h"

namespace {

constexpr int kDiedAtStep = 3;
int stepsBeforeDeath = 0;

// Runs `work` in a child process that dies at the `step`th disk step (from 0) as a killed program would:
// nothing is flushed or cleaned up. True when it died there, false when the work ended first.
bool DiesAtStep(int step, const std::function<void()>& work) {
  const pid_t child = fork();
  if (child == 0) {
    stepsBeforeDeath = step;
    ZafStorage::SetDiskStepHook([] {
      if (stepsBeforeDeath-- == 0) {
        _exit(kDiedAtStep);
      }
    });
    work();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status));
  return WIFEXITED(status) && WEXITSTATUS(status) == kDiedAtStep;
}

// Opens (or creates) the storage, stores `version` and saves it.
int SaveVersion(const std::u16string& name, int32_t version, int backups) {
  ZafStorage storage(name.c_str(), ZAF_STORAGE_OPEN_OR_CREATE);
  ZafFile* file = storage.Open(u"version", ZAF_STORAGE_OBJECT_CREATE | ZAF_FILE_READWRITE, nullptr, 0);
  file->WriteInt32(version);
  storage.Close(file);
  return storage.Save(backups);
}

// The version stored in a data file, -1 when it does not open.
int VersionIn(const std::u16string& name) {
  ZafStorage storage(name.c_str(), 0);
  ZafFile* file = storage.Open(u"version", ZAF_FILE_READ, nullptr, 0);
  int32_t version = -1;
  if (storage.Error() == ZAF_ERROR_NONE && file) {
    file->ReadInt32(version);
  }
  storage.Close(file);
  return version;
}

int TemporaryFiles(const TemporaryFolder& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path)) {
    count += entry.path().filename().string().starts_with("ZTMP");
  }
  return count;
}

TEST(ZafStorageCrash, KilledAtAnyStepTheFileIsTheOldOrTheNewOneAndTheBackupsAreInOrder) {
  struct Case {
    int saved;  // versions saved before, 0 for a save that creates the file
    int backups;
  } cases[] = {{0, 2}, {4, 0}, {4, 1}, {4, 3}};
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << test.saved << " saved, " << test.backups << " backups");
    TemporaryFolder before;
    for (int version = 1; version <= test.saved; ++version) {
      ASSERT_EQ(SaveVersion(before.Path("data.znc"), version, test.backups), 0);
    }
    const int old = test.saved > 0 ? test.saved : -1;
    bool died = true;
    for (int step = 0; died; ++step) {
      SCOPED_TRACE(step);
      TemporaryFolder folder;
      std::filesystem::copy(before.path, folder.path, std::filesystem::copy_options::recursive);
      const std::u16string name = folder.Path("data.znc");
      died = DiesAtStep(step, [&] { SaveVersion(name, test.saved + 1, test.backups); });
      const int version = VersionIn(name);
      EXPECT_TRUE(version == test.saved + 1 || (died && version == old)) << version;
      // Backup 1 may be the file itself, made a backup just before the new file took its place.
      for (int number = 1, newer = version + 1; number <= test.backups; ++number) {
        const std::u16string backup = folder.Path("data.bk" + std::to_string(number));
        if (std::filesystem::exists(ZafToUtf8(backup))) {
          EXPECT_LT(VersionIn(backup), newer) << number;
          newer = VersionIn(backup);
        }
      }
      EXPECT_FALSE(std::filesystem::exists(folder.path / ("data.bk" + std::to_string(test.backups + 1))));
      EXPECT_EQ(SaveVersion(name, 9, test.backups), 0);
    }
  }
}

TEST(ZafStorageCrash, OpenOrCreateStartsAnewOnlyWhenNothingIsLost) {
  struct Case {
    const char* label;
    const char* existing;  // the file made before, empty or a saved backup
    ZafError error;
  } cases[] = {{"missing", "", ZAF_ERROR_NONE},
               {"empty", "data.znc", ZAF_ERROR_NONE},
               {"missing beside a backup", "data.bk1", ZAF_ERROR_OPEN}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.label);
    TemporaryFolder folder;
    std::ofstream(folder.path / test.existing);
    if (test.error != ZAF_ERROR_NONE) {
      ASSERT_EQ(SaveVersion(folder.Path(test.existing), 1, 0), 0);
    }
    ZafStorage storage(folder.Path("data.znc").c_str(), ZAF_STORAGE_OPEN_OR_CREATE);
    EXPECT_EQ(storage.Error(), test.error);
    EXPECT_EQ(storage.Save(1) == 0, test.error == ZAF_ERROR_NONE);
  }
}

TEST(ZafStorageCrash, TemporaryFilesOfKilledSavesGoWithTheNextOpen) {
  TemporaryFolder folder;
  const std::u16string name = folder.Path("data.znc");
  ASSERT_EQ(SaveVersion(name, 1, 1), 0);
  // Open takes two disk steps (the sweep, the edit file) and Save one (its new file) before that file is
  // written; the next step comes after it.
  for (int kill = 0; kill < 10; ++kill) {
    ASSERT_TRUE(DiesAtStep(3, [&] { SaveVersion(name, 2, 1); }));
  }
  EXPECT_EQ(TemporaryFiles(folder), 2) << "the edit file and the new data file of the last killed save";
  {
    ZafStorage storage(name.c_str(), ZAF_STORAGE_READWRITE);
    EXPECT_EQ(TemporaryFiles(folder), 1) << "only its own edit file";
    EXPECT_EQ(SaveVersion(folder.Path("other.znc"), 1, 0), 0);
    EXPECT_EQ(TemporaryFiles(folder), 1) << "the edit file of a storage in use stays";
  }
  EXPECT_EQ(TemporaryFiles(folder), 0);
}

}  // namespace
