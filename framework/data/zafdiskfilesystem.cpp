#include "framework/data/zafdiskfilesystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string_view>

#include "foundation/kheldfile.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafdiskfile.h"
#include "framework/data/zafnativefile.h"
#include "framework/data/zafstrlib.h"
#include "framework/data/zafutf8.h"

namespace {

// Temporary names are "ZTMP" + a number below the limit + ".$$$"; a name that is taken makes another drawn,
// a few times at most.
constexpr std::string_view kTempPrefix = "ZTMP";
constexpr std::string_view kTempExtension = ".$$$";
constexpr int32_t kTempNumberLimit = 1000000;
constexpr int kTempNameAttempts = 100;

// The search state of FindFirst and FindNext: the open directory.
struct DirectorySearch {
  explicit DirectorySearch(DIR* directory) : directory(directory) {}
  DirectorySearch(const DirectorySearch&) = delete;
  DirectorySearch& operator=(const DirectorySearch&) = delete;
  ~DirectorySearch() { closedir(directory); }

  DIR* directory;
  std::u16string path;
};

std::u16string Lowered(std::u16string text) {
  ZafStrLwr(text.data());
  return text;
}

std::string Native(const ZafIChar* text) {
  return ZafToUtf8(text ? text : u"");
}

}  // namespace

ZafClassID ZafDiskFileSystem::ClassID() const {
  return ID_ZAF_DISK_FILE_SYSTEM;
}

const ZafIChar* ZafDiskFileSystem::ClassName() const {
  return u"ZafDiskFileSystem";
}

bool ZafDiskFileSystem::IsA(ZafClassID id) const {
  return id == ID_ZAF_DISK_FILE_SYSTEM || ZafFileSystem::IsA(id);
}

bool ZafDiskFileSystem::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafDiskFileSystem") == 0) || ZafFileSystem::IsAName(name);
}

int ZafDiskFileSystem::ChDir(const ZafIChar* path, const ZafIChar*, ZafNumberID) {
  return ZafChDir(path);
}

int ZafDiskFileSystem::FindFirst(ZafFileInfoStruct& info, const ZafIChar* pattern, const ZafIChar* stringID,
                                 ZafNumberID numberID) {
  FindClose(info);
  std::u16string directory;
  std::u16string filePattern;
  SplitPath(pattern ? pattern : u"", directory, filePattern);
  DIR* opened = opendir(directory.empty() ? "." : ZafToUtf8(directory).c_str());
  if (!opened) {
    SetError(ZAF_ERROR_READ);
    return -1;
  }
  auto search = std::make_shared<DirectorySearch>(opened);
  search->path = directory;
  info.state = search;
  return FindNext(info, pattern, stringID, numberID);
}

int ZafDiskFileSystem::FindNext(ZafFileInfoStruct& info, const ZafIChar* pattern, const ZafIChar*,
                                ZafNumberID) {
  auto search = std::static_pointer_cast<DirectorySearch>(info.state);
  if (!search) {
    SetError(ZAF_ERROR_READ);
    return -1;
  }
  std::u16string directory;
  std::u16string filePattern;
  SplitPath(pattern ? pattern : u"", directory, filePattern);
  const std::u16string wanted = Lowered(filePattern.empty() ? u"*" : filePattern);
  while (const dirent* entry = readdir(search->directory)) {
    const std::string nativeName = entry->d_name;
    if (nativeName == "." || nativeName == "..") {
      continue;
    }
    const std::u16string name = ZafFromUtf8(nativeName);
    if (ZafWildCardMatch(Lowered(name).c_str(), wanted.c_str()) != 0) {
      continue;
    }
    struct stat status {};
    const std::string fullPath = ZafToUtf8(search->path + name);
    const bool known = stat(fullPath.c_str(), &status) == 0;
    info.name = name;
    info.stringID.clear();
    info.numberID = 0;
    info.type = known && S_ISDIR(status.st_mode) ? ZAF_ENTRY_DIRECTORY : ZAF_ENTRY_FILE;
    info.size = known && status.st_size <= INT32_MAX ? static_cast<int32_t>(status.st_size) : -1;
    return 0;
  }
  return -1;
}

int ZafDiskFileSystem::FindClose(ZafFileInfoStruct& info) {
  info.state.reset();
  info.cursor = nullptr;
  return 0;
}

int ZafDiskFileSystem::GetCWD(ZafIChar* buffer, int maximumLength) {
  if (maximumLength <= 0) {
    return -1;
  }
  return ZafGetCwd(buffer, static_cast<std::size_t>(maximumLength)) ? 0 : -1;
}

int ZafDiskFileSystem::MkDir(const ZafIChar* path, const ZafIChar*, ZafNumberID) {
  return mkdir(Native(path).c_str(), 0777) == 0 ? 0 : -1;
}

int ZafDiskFileSystem::RmDir(const ZafIChar* path, bool deleteContents) {
  const std::string native = Native(path);
  if (!deleteContents) {
    return rmdir(native.c_str()) == 0 ? 0 : -1;
  }
  std::error_code failure;
  std::filesystem::remove_all(native, failure);
  return failure ? -1 : 0;
}

int ZafDiskFileSystem::Close(ZafFile* file) {
  delete file;
  return 0;
}

ZafFile* ZafDiskFileSystem::Open(const ZafIChar* name, uint16_t mode, const ZafIChar* stringID,
                                 ZafNumberID numberID) {
  auto* file = new ZafDiskFile(name, mode);
  file->SetStringID(stringID);
  file->SetNumberID(numberID);
  return file;
}

int ZafDiskFileSystem::Remove(const ZafIChar* name) {
  return ZafUnlink(name);
}

int ZafDiskFileSystem::Rename(const ZafIChar* oldName, const ZafIChar* newName, const ZafIChar*,
                              ZafNumberID) {
  return ZafRename(oldName, newName);
}

ZafIChar* ZafDiskFileSystem::TempName(const ZafIChar* directory, ZafIChar* buffer, int capacity,
                                      KHeldFile* held) {
  std::u16string base = directory ? directory : u"";
  if (!base.empty() && base.back() != u'/') {
    base += u'/';
  }
  KHeldFile unheld;
  KHeldFile& file = held ? *held : unheld;
  std::random_device randomSource;
  std::uniform_int_distribution<int32_t> numbers(0, kTempNumberLimit - 1);
  for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
    const std::u16string name =
        base + ZafFromUtf8(std::string(kTempPrefix) + std::to_string(numbers(randomSource)) +
                           std::string(kTempExtension));
    if (capacity <= 0 || name.size() + 1 > static_cast<std::size_t>(capacity)) {
      break;
    }
    if (file.Create(ZafToUtf8(name))) {
      return ZafStrCpy(buffer, name.c_str());
    }
    if (errno != EEXIST) {
      break;
    }
  }
  SetError(ZAF_ERROR_OPEN);
  return nullptr;
}

void ZafDiskFileSystem::RemoveUnheldTempNames(const ZafIChar* directory) {
  KHeldFile::RemoveUnheld(ZafToUtf8(directory ? directory : u""), [](std::string_view name) {
    if (name.size() <= kTempPrefix.size() + kTempExtension.size() || !name.starts_with(kTempPrefix) ||
        !name.ends_with(kTempExtension)) {
      return false;
    }
    const std::string_view number =
        name.substr(kTempPrefix.size(), name.size() - kTempPrefix.size() - kTempExtension.size());
    return std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
  });
}

void ZafDiskFileSystem::SplitPath(const ZafIChar* path, std::u16string& directory, std::u16string& fileName) {
  const std::u16string text = path ? path : u"";
  const std::size_t separator = text.rfind(u'/');
  const std::size_t fileStart = separator == std::u16string::npos ? 0 : separator + 1;
  directory = text.substr(0, fileStart);
  const std::size_t storagePath = text.find(u'~', fileStart);
  fileName = text.substr(
      fileStart, storagePath == std::u16string::npos ? std::u16string::npos : storagePath - fileStart);
}

void ZafDiskFileSystem::ChangeExtension(std::u16string& name, const ZafIChar* extension) {
  const std::size_t separator = name.rfind(u'/');
  const std::size_t fileStart = separator == std::u16string::npos ? 0 : separator + 1;
  const std::size_t dot = name.rfind(u'.');
  if (dot != std::u16string::npos && dot >= fileStart) {
    name.erase(dot);
  }
  if (extension && *extension) {
    if (extension[0] != u'.' && (name.empty() || name.back() != u'.')) {
      name += u'.';
    }
    name += extension;
  }
}
