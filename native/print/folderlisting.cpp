#include "native/print/folderlisting.h"

#include <dirent.h>
#include <fnmatch.h>
#include <strings.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace native {

namespace {

// A listing stops here: a folder of millions of names cannot stall the dialog or fill memory.
constexpr std::size_t kMaxEntries = 20000;

bool isFolder(const std::string& folder, const dirent& entry) {
  if (entry.d_type == DT_DIR) {
    return true;
  }
  if (entry.d_type != DT_UNKNOWN && entry.d_type != DT_LNK) {
    return false;
  }
  // Links to folders count as folders, as do entries whose type the file system did not say.
  struct stat status {};
  std::string path = folder;
  if (path.empty() || path.back() != '/') {
    path += '/';
  }
  path += entry.d_name;
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

bool FolderListing::matches(const std::string& name, const std::vector<std::string>& patterns) {
  if (patterns.empty()) {
    return true;
  }
  return std::any_of(patterns.begin(), patterns.end(), [&name](const std::string& pattern) {
    return ::fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0;
  });
}

void FolderListing::sort(std::vector<FolderEntry>& entries) {
  std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
    if (a.isFolder != b.isFolder) {
      return a.isFolder;
    }
    int order = ::strcasecmp(a.name.c_str(), b.name.c_str());
    return order != 0 ? order < 0 : a.name < b.name;
  });
}

std::vector<FolderEntry> FolderListing::read(const std::string& folder,
                                             const std::vector<std::string>& patterns, bool foldersOnly) {
  std::vector<FolderEntry> entries;
  std::unique_ptr<DIR, int (*)(DIR*)> directory(::opendir(folder.c_str()), &::closedir);
  if (directory != nullptr) {
    while (const dirent* entry = ::readdir(directory.get())) {
      if (entry->d_name[0] == '.' || entries.size() >= kMaxEntries) {
        continue;
      }
      bool folderEntry = isFolder(folder, *entry);
      if (folderEntry || (!foldersOnly && matches(entry->d_name, patterns))) {
        entries.push_back(FolderEntry{entry->d_name, folderEntry});
      }
    }
  }
  sort(entries);
  if (folder != "/") {
    entries.insert(entries.begin(), FolderEntry{"..", true});
  }
  return entries;
}

std::string FolderListing::resolve(const std::string& base, const std::string& relative) {
  std::string joined = !relative.empty() && relative[0] == '/' ? relative : base + "/" + relative;
  std::vector<std::string> steps;
  std::size_t start = 0;
  while (start <= joined.size()) {
    std::size_t slash = joined.find('/', start);
    std::string step = joined.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
    if (step == "..") {
      if (!steps.empty()) {
        steps.pop_back();
      }
    } else if (!step.empty() && step != ".") {
      steps.push_back(step);
    }
    if (slash == std::string::npos) {
      break;
    }
    start = slash + 1;
  }
  std::string path;
  for (const std::string& step : steps) {
    path += "/" + step;
  }
  return path.empty() ? "/" : path;
}

std::string FolderListing::parentOf(const std::string& folder) {
  return resolve(folder, "..");
}

}  // namespace native
