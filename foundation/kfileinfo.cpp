#include "foundation/kfileinfo.h"

#include <sys/stat.h>

KFileInfo::KFileInfo(const KString& pattern) {
  const int32_t slash = [&pattern] {
    for (int32_t i = pattern.Length() - 1; i >= 0; --i) {
      if (pattern[i] == u'/') {
        return i;
      }
    }
    return -1;
  }();
  folder.Append(pattern.Data(), slash + 1);
  namePattern.Append(pattern.Data() + slash + 1, pattern.Length() - slash - 1);
  directory = ::opendir(folder.IsEmpty() ? "." : folder.ToUtf8().c_str());
  finished = directory == nullptr;
}

KFileInfo::~KFileInfo() {
  if (directory != nullptr) {
    ::closedir(directory);
  }
}

bool KFileInfo::Next() {
  name.Clear();
  while (!finished) {
    const dirent* entry = ::readdir(directory);
    if (entry == nullptr) {
      finished = true;
      break;
    }
    const KString candidate = KString::FromUtf8(entry->d_name);
    if (!Matches(namePattern, candidate)) {
      continue;
    }
    // Folders are no files; an entry of unknown type is asked about (it may be a link to a file).
    bool isFile = entry->d_type != DT_DIR;
    if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
      KString path(folder);
      path.Append(candidate);
      struct stat info {};
      isFile = ::stat(path.ToUtf8().c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
    }
    if (isFile) {
      name = candidate;
      return true;
    }
  }
  return false;
}

bool KFileInfo::Matches(const KString& pattern, const KString& name) {
  // Greedy matching that backtracks only to the last '*': linear in practice, never exponential.
  int32_t p = 0;
  int32_t n = 0;
  int32_t starAt = -1;
  int32_t resumeAt = 0;
  while (n < name.Length()) {
    if (p < pattern.Length() &&
        (pattern[p] == u'?' || KString::FoldCase(pattern[p]) == KString::FoldCase(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.Length() && pattern[p] == u'*') {
      starAt = p++;
      resumeAt = n;
    } else if (starAt >= 0) {
      p = starAt + 1;
      n = ++resumeAt;
    } else {
      return false;
    }
  }
  while (p < pattern.Length() && pattern[p] == u'*') {
    ++p;
  }
  return p == pattern.Length();
}
