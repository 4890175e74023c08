// A program may die at any moment of a save. These tests stop a child process at each step by which opening
// or saving changes the disk, in turn, and then open what it left.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafstorage.h"

namespace {

constexpr int kDiedAtStep = 3;

// Runs `work` in a child process that dies as a killed program would (nothing is flushed or cleaned up) at
// the first disk step for which `dies` is true. True when it died there, false when the work ended first.
bool DiesAt(const std::function<bool(KDiskStep)>& dies, const std::function<void()>& work) {
  const pid_t child = fork();
  if (child == 0) {
    ZafStorage::SetDiskStepHook([&](KDiskStep step) {
      if (dies(step)) {
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

// Dies at the `step`th disk step, counted from 0.
bool DiesAtStep(int step, const std::function<void()>& work) {
  return DiesAt([step](KDiskStep) mutable { return step-- == 0; }, work);
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
      if (test.backups > 0 && version > 0) {
        EXPECT_EQ(VersionIn(folder.Path("data.bk1")), version) << "backup 1 holds the generation before";
      }
    }
  }
}

TEST(ZafStorageCrash, OpenOrCreateStartsAnewOnlyWhenNothingIsLost) {
  struct Case {
    const char* label;
    bool emptyFile;  // an empty data file, else none
    bool backup;     // a saved backup 1 beside it
    ZafError error;
  } cases[] = {{"missing", false, false, ZAF_ERROR_NONE},
               {"empty", true, false, ZAF_ERROR_NONE},
               {"missing beside a backup", false, true, ZAF_ERROR_OPEN},
               {"empty beside a backup", true, true, ZAF_ERROR_OPEN}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.label);
    TemporaryFolder folder;
    if (test.emptyFile) {
      std::ofstream(folder.path / "data.znc");
    }
    if (test.backup) {
      ASSERT_EQ(SaveVersion(folder.Path("data.bk1"), 1, 0), 0);
    }
    {
      ZafStorage storage(folder.Path("data.znc").c_str(), ZAF_STORAGE_OPEN_OR_CREATE);
      EXPECT_EQ(storage.Error(), test.error);
      EXPECT_EQ(storage.Save(1) == 0, test.error == ZAF_ERROR_NONE);
    }
    if (test.backup) {
      EXPECT_EQ(VersionIn(folder.Path("data.bk1")), 1) << "the backup stays";
    }
  }
}

TEST(ZafStorageCrash, SavesKilledBeforeTheRenameKeepEveryGeneration) {
  TemporaryFolder folder;
  const std::u16string name = folder.Path("data.znc");
  for (int version = 1; version <= 4; ++version) {
    ASSERT_EQ(SaveVersion(name, version, 3), 0);
  }
  // Each killed save has made backup 1 a second name of the live file.
  for (int kill = 0; kill < 3; ++kill) {
    ASSERT_TRUE(DiesAt([](KDiskStep step) { return step == KDiskStep::kRenameOverLive; },
                       [&] { SaveVersion(name, 5, 3); }));
  }
  ASSERT_EQ(SaveVersion(name, 5, 3), 0);
  EXPECT_EQ(VersionIn(name), 5);
  EXPECT_EQ(VersionIn(folder.Path("data.bk1")), 4);
  EXPECT_EQ(VersionIn(folder.Path("data.bk2")), 3);
  EXPECT_EQ(VersionIn(folder.Path("data.bk3")), 2);
}

TEST(ZafStorageCrash, SaveTakesItsDiskStepsInOrder) {
  TemporaryFolder folder;
  const std::u16string name = folder.Path("data.znc");
  ASSERT_EQ(SaveVersion(name, 1, 2), 0);
  ASSERT_EQ(SaveVersion(name, 2, 2), 0);
  struct Step {
    KDiskStep step;
    int live;     // the version the data file holds as the step begins
    int backup1;  // and backup 1, -1 when there is none
  };
  std::vector<Step> taken;
  struct HookRemover {
    ~HookRemover() { ZafStorage::SetDiskStepHook(nullptr); }
  } remover;
  {
    ZafStorage storage(name.c_str(), ZAF_STORAGE_READWRITE);
    ZafFile* file = storage.Open(u"version", ZAF_FILE_READWRITE, nullptr, 0);
    file->WriteInt32(3);
    storage.Close(file);
    ZafStorage::SetDiskStepHook([&](KDiskStep step) {
      taken.push_back({step, VersionIn(name), VersionIn(folder.Path("data.bk1"))});
    });
    ASSERT_EQ(storage.Save(2), 0);
  }
  const Step expected[] = {
      {KDiskStep::kNewFile, 2, 1},    {KDiskStep::kSyncNewFile, 2, 1}, {KDiskStep::kRemoveBackup, 2, 1},
      {KDiskStep::kMoveBackup, 2, 1}, {KDiskStep::kLinkBackup, 2, -1}, {KDiskStep::kRenameOverLive, 2, 2},
      {KDiskStep::kSyncFolder, 3, 2}, {KDiskStep::kNewFile, 3, 2},  // the next edit file
  };
  ASSERT_EQ(taken.size(), std::size(expected));
  for (std::size_t at = 0; at < taken.size(); ++at) {
    SCOPED_TRACE(at);
    EXPECT_EQ(taken[at].step, expected[at].step);
    EXPECT_EQ(taken[at].live, expected[at].live);
    EXPECT_EQ(taken[at].backup1, expected[at].backup1);
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
