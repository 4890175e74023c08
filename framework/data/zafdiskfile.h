// A file of the native file system. A relative name that does not open where it stands is looked for in
// each directory of the search path ZAF_PATH (directories separated by ':').
#ifndef FRAMEWORK_DATA_ZAFDISKFILE_H
#define FRAMEWORK_DATA_ZAFDISKFILE_H

#include <cstdio>
#include <string>

#include "framework/data/zaffile.h"

class ZafDiskFile : public ZafFile {
 public:
  // Mode: ZAF_FILE_APPEND opens "a+", else ZAF_FILE_CREATE "w+", else ZAF_FILE_READWRITE "r+", else "r";
  // ZAF_FILE_BINARY adds "b", else ZAF_FILE_TEXT "t". A mode of 128 or more opens nothing. Errors: no
  // name 2, not opened 14.
  ZafDiskFile(const ZafIChar* name, uint16_t mode);
  ZafDiskFile(const ZafDiskFile&) = delete;
  ZafDiskFile& operator=(const ZafDiskFile&) = delete;
  ~ZafDiskFile() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;

  // The path the file was opened under (a search-path directory joined with the name when found there).
  const ZafIChar* Name() const { return name.c_str(); }
  bool IsOpen() const { return stream != nullptr; }

  // Keeps the position; -1 without a stream.
  int32_t Length() const override;
  // A failed seek sets error 15 and answers -1.
  int Seek(int32_t offset, int origin) override;
  int32_t Tell() const override;
  // A short read sets error 16; a short write error 17.
  int ReadData(void* buffer, int count) override;
  int WriteData(const void* buffer, int count) override;
  // Pushes written bytes through to the disk, so that a file about to replace another is known complete.
  // -1 with error 17 when that fails.
  int Flush();

 private:
  enum class Direction { kNone, kRead, kWrite };

  void OpenOnSearchPath(const std::u16string& openMode);
  // A stream opened for update needs a positioning call between reading and writing.
  void Turn(Direction direction);

  std::u16string name;
  FILE* stream = nullptr;
  Direction lastDirection = Direction::kNone;
};

#endif
