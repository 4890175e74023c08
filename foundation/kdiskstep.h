#pragma once
// The steps by which a save changes the disk. A save reports each step to a hook just before it takes it, so
// that a test can stop the program there as a crash would, or check that no step is missing or out of order.

#include <functional>
#include <ostream>
#include <utility>

enum class KDiskStep {
  kSweep,            // temporary files left by killed saves are deleted
  kNewFile,          // a temporary file is made beside the target (a new file, an edit file, a copy)
  kSyncNewFile,      // a new file's contents are forced to the disk
  kRemoveBackup,     // the oldest backup is deleted
  kMoveBackup,       // a backup takes the next number up
  kLinkBackup,       // backup 1 becomes a second name of the live file
  kPlaceBackupCopy,  // a copy of the live file becomes backup 1 (on a file system without hard links)
  kRenameOverLive,   // the new file takes the live file's name, replacing it in one step
  kSyncFolder,       // the folder is forced to the disk, so that the renames last
};

// The step's name, for messages.
const char* KDiskStepName(KDiskStep step);

inline std::ostream& operator<<(std::ostream& out, KDiskStep step) {
  return out << KDiskStepName(step);
}

// Where one kind of save reports its steps; without a hook (the program's case) a step costs one test.
class KDiskStepHook {
 public:
  using Hook = std::function<void(KDiskStep)>;

  void Set(Hook newHook) { hook = std::move(newHook); }
  void Reach(KDiskStep step) const {
    if (hook) {
      hook(step);
    }
  }

 private:
  Hook hook;
};
