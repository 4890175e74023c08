#pragma once
// A directory listing over a file pattern such as "/dir/*.lng": the folder part is listed, and names
// that match the pattern ('*' any run, '?' any one character, case ignored) are given out one by one
// by KFile::FindNext, in the order the operating system lists them. Folders are left out.

#include "foundation/kstring.h"

#include <dirent.h>

class KFileInfo {
 public:
  explicit KFileInfo(const KString& pattern);
  KFileInfo(const KFileInfo&) = delete;
  KFileInfo& operator=(const KFileInfo&) = delete;
  ~KFileInfo();

  // The current entry's name without folder (empty before the first and after the last).
  const KString& Name() const { return name; }
  // Whether `name` matches the wildcard `pattern`, ignoring case.
  static bool Matches(const KString& pattern, const KString& name);

 private:
  friend class KFile;
  // Moves to the next matching file; false when there is none.
  bool Next();

  KString folder;       // with its trailing '/', or empty for the current folder
  KString namePattern;  // the name part of the pattern
  KString name;
  DIR* directory = nullptr;
  bool finished = false;
};
