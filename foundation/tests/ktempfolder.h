#pragma once
// A per-test folder under the system's temporary folder, removed with everything in it at the end.

#include "foundation/kstring.h"

#include <cstdlib>
#include <filesystem>
#include <string>

class KTempFolder {
 public:
  KTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrove-XXXXXX").string();
    const char* made = ::mkdtemp(pattern.data());
    path = made != nullptr ? made : "";
  }
  KTempFolder(const KTempFolder&) = delete;
  KTempFolder& operator=(const KTempFolder&) = delete;
  ~KTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }

  bool IsValid() const { return !path.empty(); }
  // The full path of `name` inside the folder.
  KString File(const std::string& name) const { return KString::FromUtf8(path + "/" + name); }
  const std::string& Path() const { return path; }

 private:
  std::string path;
};
