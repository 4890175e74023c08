#pragma once
// A temporary file that this process is writing, held with an flock for as long as the object lives. A save
// that was killed leaves its temporary file behind, held by nobody; RemoveUnheld finds such leftovers by
// their names and deletes them, while the files of saves still running stay.

#include <functional>
#include <string>
#include <string_view>

class KHeldFile {
 public:
  KHeldFile() = default;
  ~KHeldFile();
  KHeldFile(const KHeldFile&) = delete;
  KHeldFile& operator=(const KHeldFile&) = delete;

  // Creates the file at `path` (UTF-8), which must not exist yet, and holds it, letting go of the file held
  // before. False, with errno set, when the name is taken or the file cannot be made.
  bool Create(const std::string& path);
  // Lets the file go; it stays on the disk.
  void Release();
  // The descriptor of the held file, -1 when none.
  int Descriptor() const { return descriptor; }

  // Deletes the files in `folder` (UTF-8, "" for the current folder) whose names `isOurs` accepts and that
  // no process holds; answers how many went. Does nothing while another sweep runs in the same folder.
  static int RemoveUnheld(const std::string& folder, const std::function<bool(std::string_view)>& isOurs);

 private:
  int descriptor = -1;
};
