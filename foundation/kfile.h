#pragma once
// A file of the program: a path ('/' separators, UTF-8 on disk) and, while open, a descriptor. Reading and
// writing go straight to the operating system; KBufferedFile adds a buffer.

#include "foundation/kstream.h"
#include "foundation/kstring.h"

#include <cstdint>
#include <functional>

enum class KDiskStep;
class KFileInfo;
class KHeldFile;

class KFile : public KStream {
 public:
  // Open modes.
  static constexpr int32_t kRead = 1;
  static constexpr int32_t kReadWrite = 3;
  // Seek origins.
  static constexpr int32_t kFromStart = 0;
  static constexpr int32_t kFromCurrent = 1;
  static constexpr int32_t kFromEnd = 2;

  KFile() = default;
  explicit KFile(const KString& path);
  ~KFile() override;

  const KString& Name() const { return path; }
  // Copies another file's path (not its handle).
  void Assign(const KFile& other);
  void SetName(const KString& newPath);
  // Replaces the name after the folder (everything after the last '/') with `name`, a name or a pattern.
  // With `keepFolder` false the whole path becomes `name`.
  static void SetFileName(KFile& file, const KString& name, bool keepFolder = true);
  // Appends the folder part, up to and including the last '/', to `folder` (nothing for a bare name).
  void GetDirectory(KString& folder) const;
  // Sets the path to `folder`, adding a trailing '/' when it has none (it replaces, it does not append).
  static void AppendName(KFile& file, const KString& folder);
  // Replaces the text after the last '.' of the name part by `extension`, adding a '.' when there is none.
  void SetExtension(const KString& extension);
  // Removes the last '.' of the name part and what follows.
  void RemoveExtension();
  // Whether the name part has a '.'; the text after the last one is put in `extension`.
  bool GetExtension(KString& extension) const;
  // True when the two paths are equal ignoring case.
  static bool SameName(const KFile& a, const KFile& b);
  // True when the named file exists and cannot be written.
  bool IsReadOnly() const;
  // Moves the file to `target`'s name and takes that name; false on failure (this file stays as it was).
  bool Rename(const KFile& target);
  // Closes this file and copies the other's mode and name; with `takeHandle` also its open descriptor,
  // which the other then no longer holds.
  void TakeOver(KFile& other, bool takeHandle);

  // Opens the file in mode kRead or kReadWrite (any other mode is taken as kReadWrite); `create` makes it
  // when it is missing. Never waits: only a regular file opens for reading, and for writing also a device.
  // Throws KXStream 3001 when already open and 3002 (errno as detail) when the open fails.
  virtual void Open(int32_t mode, bool create = false);
  bool IsOpen() const { return descriptor >= 0; }
  int32_t Mode() const { return mode; }
  virtual int64_t Size();
  // Sets the file's length at the current position (cuts or extends it).
  virtual void Truncate();
  // Moves the position and returns the new one; KXStream 3003 for a bad origin or a failing seek.
  virtual int64_t Seek(int64_t offset, int32_t origin = kFromStart);
  // Writes buffered data and the file's contents to the disk (fsync); KXStream 3005 (3006 for a full
  // disk) on failure.
  virtual void Flush();
  // Closes the file; harmless when closed. KXStream 3007 when the operating system reports a failure.
  virtual void Close();

  // Writes a file without ever destroying the previous good one: `writeContents` writes into a temporary
  // file beside `path` (buffered), which is flushed, synced and renamed over `path`. When anything fails the
  // temporary file is removed, the old file stays as it was, and the failure is thrown on. Temporary files
  // of earlier saves of `path` whose processes are gone (killed in the middle of a save) are deleted first.
  static void SaveSafely(const KString& path, const std::function<void(KStream&)>& writeContents);
  // Test seam: `hook` (empty for none) runs just before each step by which SaveSafely changes the disk.
  static void SetDiskStepHook(std::function<void(KDiskStep)> hook);
  // Creates an empty file under a hidden name beside `path` that no other file had (so the file is surely
  // the caller's to delete), with the permissions of the file at `path` when there is one, and answers
  // its name. Beside the target, a later rename over it stays on one file system. KXStream 3002 when no
  // such file can be made.
  static KString CreateTemporaryBeside(const KString& path);

  // Gives the next file of the listing in `entry` (its full path); false when there is no further file.
  static bool FindNext(KFileInfo& listing, KFile& entry);

 protected:
  int32_t ReadRaw(void* buffer, int32_t count) override;
  void WriteRaw(const void* buffer, int32_t count) override;
  int64_t RawRemaining() const override;
  bool StepBack(int32_t count) override;
  // A buffered file writes out its buffer and leaves the descriptor at its logical position.
  virtual void SettleBuffer() {}
  // The file's size as the operating system sees it; KXStream 3003 when it cannot be told.
  int64_t SystemSize() const;
  // Moves the descriptor (lseek) and returns its new position; KXStream 3003 on failure.
  int64_t SystemSeek(int64_t offset, int whence);

 private:
  // The hidden name beside `path` that its temporary files start with: "." + the name + ".tmp".
  static KString TemporaryPrefix(const KString& path);
  // CreateTemporaryBeside, the new file staying held by `held`.
  static KString CreateHeldTemporaryBeside(const KString& path, KHeldFile& held);
  // Deletes the temporary files beside `path` ("<prefix><process id>-<number>") left by processes that no
  // longer run and held by nobody.
  static void RemoveLeftoverTemporaries(const KString& path);
  // Offset in `path` of the name part (just after the last '/').
  int32_t NameStart() const;
  // Offset of the last '.' of the name part, -1 when none.
  int32_t ExtensionDot() const;

  KString path;
  int descriptor = -1;
  int32_t mode = 0;
};

// Makes the renames and deletions in a folder ("" for the current one) durable (fsync); false on failure.
bool KSyncFolder(const KString& folder);
// Opens the path (open(2) flags, 0666 before the umask when it creates) without waiting on it, as a FIFO
// with no writer or a device could make an open wait, and keeps it only when it is a regular file, or with
// `devicesToo` a character or block device: the descriptor, in blocking mode, or -1 with errno set (EISDIR
// for a folder, ENXIO for anything else).
int KOpenRegularFile(const char* path, int flags, bool devicesToo = false);
// True when something exists at the path.
bool KFileExists(const KString& path);
// Deletes the named file; false when it could not be deleted.
bool KDeleteFile(const KString& path);
