#pragma once
// A new file written beside a target that takes the target's place only once it is complete. It is created
// under a temporary name that no other file has, so it never opens (and never deletes) a file it did not
// make; Commit writes it out and renames it over the target; dropped before that, it is deleted and the
// target stays as it was.

#include "foundation/kfile.h"
#include "foundation/kstring.h"

class YReplacementFile {
 public:
  // Creates the empty temporary file beside `target`, open for reading and writing. Throws KXStream 3002
  // when it cannot be made.
  explicit YReplacementFile(const KString& target);
  YReplacementFile(const YReplacementFile&) = delete;
  YReplacementFile& operator=(const YReplacementFile&) = delete;
  // Deletes the temporary file when it was not committed. Never throws.
  ~YReplacementFile();

  KFile& File() { return file; }
  // Flushes the file to the disk and renames it over the target, whose name the file then carries. Throws
  // KXStream (3005 and up) when it cannot, the target left as it was.
  void Commit();

 private:
  KString target;
  KFile file;
  bool committed = false;
};
