#pragma once
// What a file dialog shows of one folder: ".." (except at the root), then the folders, then the files whose
// names match one of the patterns, each group sorted without regard to case. Hidden entries (names starting
// with a dot) are left out. The folder browser asks for folders only.

#include <string>
#include <vector>

namespace native {

struct FolderEntry {
  std::string name;
  bool isFolder = false;
};

class FolderListing {
 public:
  // Patterns such as "*.jpg", matched without regard to case; an empty list matches every file.
  static std::vector<FolderEntry> read(const std::string& folder, const std::vector<std::string>& patterns,
                                       bool foldersOnly);
  // The names sorted folders first, each group in case-blind order (ties by the exact bytes).
  static void sort(std::vector<FolderEntry>& entries);
  static bool matches(const std::string& name, const std::vector<std::string>& patterns);

  // A path with "." and ".." steps and repeated slashes resolved, always absolute; `relative` is taken
  // from `base` unless it starts with "/".
  static std::string resolve(const std::string& base, const std::string& relative);
  static std::string parentOf(const std::string& folder);
};

}  // namespace native
