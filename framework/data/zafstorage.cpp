#include "framework/data/zafstorage.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <unordered_map>

#include "foundation/kfile.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafdatafileformat.h"
#include "framework/data/zafdirectoryelement.h"
#include "framework/data/zafdiskfile.h"
#include "framework/data/zafstoragefile.h"
#include "framework/data/zafstrlib.h"
#include "framework/data/zafutf8.h"

namespace {

constexpr ZafIChar kSeparator = u'~';
constexpr const ZafIChar* kDefaultExtension = u".znc";

// Native modes of the data file, the edit file and the file a save writes.
constexpr uint16_t kReadBinary = ZAF_FILE_READ | ZAF_FILE_BINARY;
constexpr uint16_t kReadWriteBinary = ZAF_FILE_READWRITE | ZAF_FILE_BINARY;
constexpr uint16_t kCreateBinary = ZAF_FILE_CREATE | ZAF_FILE_READWRITE | ZAF_FILE_BINARY;

// Saving copies object data through a buffer of this size.
constexpr int kCopyChunk = 4096;

ZafDirectoryElement* AsEntry(ZafElement* element) {
  return static_cast<ZafDirectoryElement*>(element);
}

// A name matches a pattern when the characters agree up to the first difference, at which the pattern holds
// '*' or '?' and the rest matches as a wild card; or when both end together.
bool NameMatches(const ZafIChar* name, const ZafIChar* pattern) {
  while (*name && *name == *pattern) {
    ++name;
    ++pattern;
  }
  if (*name == *pattern) {
    return true;
  }
  return (*pattern == u'*' || *pattern == u'?') && ZafWildCardMatch(name, pattern) == 0;
}

bool IDsMatch(const ZafDirectoryElement& entry, const ZafIChar* stringID, ZafNumberID numberID) {
  if (stringID && (!entry.StringID() || ZafStrCmp(entry.StringID(), stringID) != 0)) {
    return false;
  }
  return numberID == 0 || entry.NumberID() == numberID;
}

ZafDirectoryElement* FindChild(const ZafDirectoryElement& directory, const ZafIChar* pattern,
                               const ZafIChar* stringID, ZafNumberID numberID) {
  for (ZafElement* child = directory.children.First(); child; child = child->Next()) {
    ZafDirectoryElement* entry = AsEntry(child);
    if (NameMatches(entry->Name(), pattern) && IDsMatch(*entry, stringID, numberID)) {
      return entry;
    }
  }
  return nullptr;
}

// Every entry of a subtree in pre-order (an entry, then its children's subtrees in order), with its depth
// below the subtree's top.
std::vector<std::pair<ZafDirectoryElement*, int>> PreOrder(ZafDirectoryElement& top) {
  std::vector<std::pair<ZafDirectoryElement*, int>> order;
  std::vector<std::pair<ZafDirectoryElement*, int>> pending{{&top, 0}};
  while (!pending.empty()) {
    const auto [entry, depth] = pending.back();
    pending.pop_back();
    order.push_back({entry, depth});
    for (ZafElement* child = entry->children.Last(); child; child = child->Previous()) {
      pending.push_back({AsEntry(child), depth + 1});
    }
  }
  return order;
}

bool FileExists(const std::u16string& name) {
  struct stat status {};
  return stat(ZafToUtf8(name).c_str(), &status) == 0;
}

KDiskStepHook& DiskSteps() {
  static KDiskStepHook steps;
  return steps;
}

void ReachDiskStep(KDiskStep step) {
  DiskSteps().Reach(step);
}

// Forces a new file to the disk; a file renamed into place unsynced could be empty after a power cut.
ZafError SyncNewFile(ZafDiskFile& file) {
  ReachDiskStep(KDiskStep::kSyncNewFile);
  return file.Flush() == 0 ? ZAF_ERROR_NONE : ZAF_ERROR_WRITE;
}

// True when both names lead to one file.
bool SameFile(const std::u16string& one, const std::u16string& other) {
  struct stat first {};
  struct stat second {};
  return stat(ZafToUtf8(one).c_str(), &first) == 0 && stat(ZafToUtf8(other).c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Copies `count` bytes from the position of `from` to that of `to`, a chunk at a time.
ZafError CopyBytes(ZafFile& from, ZafFile& to, int32_t count) {
  std::vector<uint8_t> chunk(static_cast<std::size_t>(std::min(count, kCopyChunk)));
  for (int32_t left = count; left > 0;) {
    const int part = std::min(left, kCopyChunk);
    if (from.ReadData(chunk.data(), part) != part) {
      return ZAF_ERROR_READ;
    }
    if (to.WriteData(chunk.data(), part) != part) {
      return ZAF_ERROR_WRITE;
    }
    left -= part;
  }
  return ZAF_ERROR_NONE;
}

}  // namespace

ZafStorage::ZafStorage() {
  SetFlags(ZAF_STORAGE_READWRITE);
  StartEmpty();
  CreateEditFile();
}

ZafStorage::ZafStorage(const ZafIChar* name, uint16_t flags) {
  if (flags & (ZAF_STORAGE_CREATE | ZAF_STORAGE_OPEN_OR_CREATE)) {
    flags |= ZAF_STORAGE_READWRITE;
  }
  SetFlags(flags);
  SetFileName(name);
  OpenFile(flags);
  if (Error() == ZAF_ERROR_NONE && Writable()) {
    RemoveLeftovers();
    CreateEditFile();
  }
  currentDirectory = root.get();
}

ZafStorage::~ZafStorage() {
  // Files still open keep their bytes but lose their entries; entries taken out of the tree while a file was
  // open on them are freed here, once each.
  std::vector<ZafDirectoryElement*> detachedEntries;
  for (ZafStorageFile* file : openFiles) {
    if (file->entry && file->entry->detached &&
        std::find(detachedEntries.begin(), detachedEntries.end(), file->entry) == detachedEntries.end()) {
      detachedEntries.push_back(file->entry);
    }
    file->itsStorage = nullptr;
    file->entry = nullptr;
  }
  for (ZafDirectoryElement* entry : detachedEntries) {
    delete entry;
  }
  CloseNative(baseFile);
  if (editFile) {
    CloseNative(editFile);
    diskFileSystem.Remove(editFileName.c_str());
  }
}

ZafClassID ZafStorage::ClassID() const {
  return ID_ZAF_STORAGE;
}

const ZafIChar* ZafStorage::ClassName() const {
  return u"ZafStorage";
}

bool ZafStorage::IsA(ZafClassID id) const {
  return id == ID_ZAF_STORAGE || ZafFileSystem::IsA(id);
}

bool ZafStorage::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafStorage") == 0) || ZafFileSystem::IsAName(name);
}

void ZafStorage::SetFileName(const ZafIChar* name) {
  fileName = name ? name : u"";
  std::u16string directory;
  std::u16string file;
  ZafDiskFileSystem::SplitPath(fileName.c_str(), directory, file);
  if (file.find(u'.') == std::u16string::npos) {
    fileName += kDefaultExtension;
    file += kDefaultExtension;
  }
  SetStringID(file.c_str());
}

void ZafStorage::SetDiskStepHook(std::function<void(KDiskStep)> hook) {
  DiskSteps().Set(std::move(hook));
}

std::u16string ZafStorage::Directory() const {
  std::u16string directory;
  std::u16string file;
  ZafDiskFileSystem::SplitPath(fileName.c_str(), directory, file);
  return directory;
}

bool ZafStorage::AnyBackupExists() const {
  for (int number = 1; number <= ZAF_STORAGE_MAX_BACKUPS; ++number) {
    if (FileExists(BackupName(number))) {
      return true;
    }
  }
  return false;
}

void ZafStorage::RemoveLeftovers() {
  ReachDiskStep(KDiskStep::kSweep);
  ZafDiskFileSystem::RemoveUnheldTempNames(Directory().c_str());
}

void ZafStorage::StartEmpty() {
  root = std::make_unique<ZafDirectoryElement>(u"~", ZAF_ENTRY_DIRECTORY);
  currentDirectory = root.get();
  version = ZAF_DATA_FILE_VERSION;
}

void ZafStorage::OpenFile(uint16_t flags) {
  if (flags & ZAF_STORAGE_CREATE) {
    StartEmpty();
    return;
  }
  baseFile.reset(static_cast<ZafDiskFile*>(
      diskFileSystem.Open(fileName.c_str(), Writable() ? kReadWriteBinary : kReadBinary, nullptr, 0)));
  ZafError error = baseFile->Error();
  if (error == ZAF_ERROR_NONE && (flags & ZAF_STORAGE_OPEN_OR_CREATE) && baseFile->Length() == 0) {
    // An empty file holds nothing to lose: what a program that died while creating the file left. Beside
    // backups it is a file that was lost, as a missing one is: a save would push a good backup out for it.
    if (!AnyBackupExists()) {
      CloseNative(baseFile);
      StartEmpty();
      return;
    }
    error = ZAF_ERROR_OPEN;
  } else if (error == ZAF_ERROR_NONE) {
    ZafDataFileHeader header;
    error = ZafReadDataFileHeader(*baseFile, header);
    if (error == ZAF_ERROR_NONE) {
      error = ZafReadDirectoryTree(*baseFile, header.treeOffset, root);
    }
    if (error == ZAF_ERROR_NONE) {
      version = header.version;
      currentDirectory = root.get();
      return;
    }
  } else if ((flags & ZAF_STORAGE_OPEN_OR_CREATE) && !FileExists(fileName) && !AnyBackupExists()) {
    // A new storage. Nothing appears under the file's name until the first save, so a crash before it
    // leaves no empty file; the edit file made beside it shows that the folder takes new files. A missing
    // file with backups was lost, not never made: it stays an error rather than an empty storage whose
    // saves would rotate the backups away.
    CloseNative(baseFile);
    StartEmpty();
    return;
  }
  CloseNative(baseFile);
  StartEmpty();
  SetError(error);
  unreadableFileError = error;
}

std::unique_ptr<ZafDiskFile> ZafStorage::CreateTemporary(std::u16string& name, KHeldFile& held) {
  ReachDiskStep(KDiskStep::kNewFile);
  const std::u16string directory = Directory();
  // Room for the directory, "ZTMP", any 32-bit number, ".$$$" and the terminator.
  std::vector<ZafIChar> buffer(directory.size() + 32);
  if (!diskFileSystem.TempName(directory.c_str(), buffer.data(), static_cast<int>(buffer.size()), &held)) {
    return nullptr;
  }
  name = buffer.data();
  std::unique_ptr<ZafDiskFile> created(
      static_cast<ZafDiskFile*>(diskFileSystem.Open(name.c_str(), kCreateBinary, nullptr, 0)));
  if (created->Error() != ZAF_ERROR_NONE) {
    CloseNative(created);
    diskFileSystem.Remove(name.c_str());
    held.Release();
    return nullptr;
  }
  return created;
}

void ZafStorage::CreateEditFile() {
  editFile = CreateTemporary(editFileName, editFileHold);
  outputFile = editFile.get();
  if (!editFile) {
    SetError(ZAF_ERROR_OPEN);
  }
}

void ZafStorage::CloseNative(std::unique_ptr<ZafDiskFile>& file) {
  if (file) {
    diskFileSystem.Close(file.release());
  }
}

// ---- Paths ----

ZafDirectoryElement* ZafStorage::Resolve(std::u16string_view path) const {
  ZafDirectoryElement* entry = currentDirectory;
  std::size_t position = 0;
  if (!path.empty() && path.front() == kSeparator) {
    entry = root.get();
    position = 1;
  }
  while (position < path.size()) {
    std::size_t end = path.find(kSeparator, position);
    if (end == std::u16string_view::npos) {
      end = path.size();
    }
    const std::u16string component(path.substr(position, end - position));
    if (component.empty()) {
      break;
    }
    if (component == u"..") {
      entry = entry->parent;
    } else if (component != u".") {
      entry = FindChild(*entry, component.c_str(), nullptr, 0);
    }
    if (!entry) {
      return nullptr;
    }
    position = end + 1;
  }
  return entry;
}

ZafDirectoryElement* ZafStorage::Entry(const ZafIChar* path) const {
  return Resolve(path ? path : u"");
}

ZafDirectoryElement* ZafStorage::SplitEntryPath(const ZafIChar* path, std::u16string& name) const {
  const std::u16string_view text(path ? path : u"");
  const std::size_t last = text.rfind(kSeparator);
  if (last == std::u16string_view::npos) {
    name = text;
    return currentDirectory;
  }
  name = text.substr(last + 1);
  return last == 0 ? root.get() : Resolve(text.substr(0, last));
}

// ---- Directories ----

int ZafStorage::ChDir(const ZafIChar* path, const ZafIChar* stringID, ZafNumberID numberID) {
  ZafDirectoryElement* entry = Entry(path);
  if (!entry) {
    SetError(ZAF_ERROR_NOT_FOUND);
    return -1;
  }
  if (!IDsMatch(*entry, stringID, numberID)) {
    SetError(ZAF_ERROR_ID_MISMATCH);
    return -1;
  }
  currentDirectory = entry;
  return 0;
}

int ZafStorage::GetCWD(ZafIChar* buffer, int maximumLength) {
  if (!buffer || maximumLength <= 0) {
    return -1;
  }
  std::u16string path;
  for (const ZafDirectoryElement* entry = currentDirectory; entry->parent; entry = entry->parent) {
    path = kSeparator + std::u16string(entry->Name()) + path;
  }
  if (path.empty()) {
    path = kSeparator;
  }
  // Held within the buffer and always terminated, even when the path is longer.
  ZafStrNCpy(buffer, path.c_str(), maximumLength - 1);
  buffer[std::min<std::size_t>(path.size(), maximumLength - 1)] = 0;
  return 0;
}

int ZafStorage::MkDir(const ZafIChar* path, const ZafIChar* stringID, ZafNumberID numberID) {
  std::u16string name;
  ZafDirectoryElement* directory = SplitEntryPath(path, name);
  if (!directory || !ZafDataFileNameCreatable(name) || FindChild(*directory, name.c_str(), nullptr, 0) ||
      directory->Depth() >= ZAF_DATA_FILE_MAX_DEPTH) {
    return -1;
  }
  auto* entry = new ZafDirectoryElement(name.c_str(), ZAF_ENTRY_DIRECTORY);
  entry->SetStringID(stringID);
  entry->SetNumberID(numberID);
  entry->parent = directory;
  directory->children.Add(entry);
  return 0;
}

int ZafStorage::RmDir(const ZafIChar* path, bool deleteContents) {
  ZafDirectoryElement* entry = Entry(path);
  if (!entry || entry == root.get()) {
    return -1;
  }
  if (deleteContents ? entry->Contains(currentDirectory)
                     : (entry->children.Count() > 0 || entry == currentDirectory)) {
    return -1;
  }
  Discard(entry);
  return 0;
}

void ZafStorage::Discard(ZafDirectoryElement* entry) {
  if (entry->parent) {
    entry->parent->children.Subtract(entry);
    entry->parent = nullptr;
  }
  Release(entry);
}

void ZafStorage::Release(ZafDirectoryElement* entry) {
  // A failed store no longer matters once its entry has left the tree.
  std::erase_if(unstoredEntries, [entry](const auto& unstored) { return unstored.first == entry; });
  while (ZafElement* child = entry->children.First()) {
    entry->children.Subtract(child);
    AsEntry(child)->parent = nullptr;
    Release(AsEntry(child));
  }
  if (entry->openCount > 0) {
    entry->detached = true;
  } else {
    delete entry;
  }
}

// ---- Searching ----

int ZafStorage::FindFirst(ZafFileInfoStruct& info, const ZafIChar* pattern, const ZafIChar* stringID,
                          ZafNumberID numberID) {
  info.cursor = nullptr;
  std::u16string name;
  ZafDirectoryElement* directory = SplitEntryPath(pattern, name);
  if (!directory) {
    SetError(ZAF_ERROR_READ);
    return -1;
  }
  ZafDirectoryElement* found = FindChild(*directory, name.c_str(), stringID, numberID);
  if (!found) {
    return -1;
  }
  info.name = found->Name();
  info.stringID = found->StringID() ? found->StringID() : u"";
  info.numberID = found->NumberID();
  info.size = found->dataSize;
  info.type = found->type;
  info.cursor = found;
  return 0;
}

int ZafStorage::FindNext(ZafFileInfoStruct& info, const ZafIChar* pattern, const ZafIChar* stringID,
                         ZafNumberID numberID) {
  std::u16string name;
  ZafDirectoryElement* directory = SplitEntryPath(pattern, name);
  // The cursor is trusted only once it is found among the directory's children: it may have been removed
  // since it was reported.
  ZafElement* cursor = nullptr;
  for (ZafElement* child = directory ? directory->children.First() : nullptr; child; child = child->Next()) {
    if (child == info.cursor) {
      cursor = child;
      break;
    }
  }
  if (!cursor) {
    SetError(ZAF_ERROR_READ);
    return -1;
  }
  for (ZafElement* sibling = cursor->Next(); sibling; sibling = sibling->Next()) {
    ZafDirectoryElement* entry = AsEntry(sibling);
    if (ZafWildCardMatch(entry->Name(), name.c_str()) == 0 && IDsMatch(*entry, stringID, numberID)) {
      info.name = entry->Name();
      info.stringID = entry->StringID() ? entry->StringID() : u"";
      info.numberID = entry->NumberID();
      info.size = entry->dataSize;
      info.type = entry->type;
      info.cursor = entry;
      return 0;
    }
  }
  return -1;
}

int ZafStorage::FindClose(ZafFileInfoStruct&) {
  return 0;
}

// ---- Objects ----

ZafFile* ZafStorage::Open(const ZafIChar* name, uint16_t mode, const ZafIChar* stringID,
                          ZafNumberID numberID) {
  std::u16string objectName;
  ZafDirectoryElement* directory = SplitEntryPath(name, objectName);
  if (!directory || !ZafDataFileNameAllowed(objectName)) {
    return nullptr;
  }
  ZafDirectoryElement* entry = FindChild(*directory, objectName.c_str(), stringID, numberID);
  if (entry && entry->IsDirectory()) {
    return nullptr;
  }
  const bool mayCreate = (mode & (ZAF_STORAGE_OBJECT_CREATE | ZAF_STORAGE_OBJECT_CREATE_MISSING)) &&
                         ZafDataFileNameCreatable(objectName) && directory->Depth() < ZAF_DATA_FILE_MAX_DEPTH;
  if (entry && (mode & ZAF_STORAGE_OBJECT_CREATE)) {
    // An object that could not be made again is kept rather than discarded.
    if (!mayCreate) {
      return nullptr;
    }
    Discard(entry);
    entry = nullptr;
  }
  bool created = false;
  if (!entry && mayCreate) {
    entry = new ZafDirectoryElement(objectName.c_str(), ZAF_ENTRY_FILE);
    entry->SetStringID(stringID);
    entry->SetNumberID(numberID);
    entry->parent = directory;
    directory->children.Add(entry);
    created = true;
  }
  if (!entry) {
    return nullptr;
  }
  const uint16_t fileMode = mode & ~(ZAF_STORAGE_OBJECT_CREATE | ZAF_STORAGE_OBJECT_CREATE_MISSING);
  ZafStorageFile* file = nullptr;
  if (entry->dataSize < 1 || !entry->holder) {
    file = new ZafStorageFile(this, entry, fileMode);
  } else {
    std::vector<uint8_t> bytes(static_cast<std::size_t>(entry->dataSize));
    const bool read = entry->holder->Seek(entry->dataOffset, ZAF_SEEK_START) == 0 &&
                      entry->holder->ReadData(bytes.data(), entry->dataSize) == entry->dataSize;
    file = new ZafStorageFile(this, entry, fileMode, std::move(bytes));
    if (!read) {
      file->SetError(ZAF_ERROR_READ);
    }
  }
  if (created && !Writable()) {
    file->SetError(ZAF_ERROR_NOT_FOUND);
  }
  ++entry->openCount;
  openFiles.push_back(file);
  if (file->Error() != ZAF_ERROR_NONE) {
    SetError(file->Error());
  }
  return file;
}

int ZafStorage::Close(ZafFile* file) {
  auto found = std::find(openFiles.begin(), openFiles.end(), file);
  if (!file || found == openFiles.end()) {
    return -1;
  }
  auto* storageFile = *found;
  ZafDirectoryElement* entry = storageFile->entry;
  ZafError failure = ZAF_ERROR_NONE;
  // A read-only storage keeps changes in memory only, and an entry taken out of the tree has nowhere to go.
  if (storageFile->modified && Writable() && entry && !entry->detached) {
    failure = StoreObject(*storageFile);
    std::erase_if(unstoredEntries, [entry](const auto& unstored) { return unstored.first == entry; });
    if (failure != ZAF_ERROR_NONE) {
      unstoredEntries.push_back({entry, failure});
      SetError(failure);
    }
  }
  delete storageFile;
  return failure == ZAF_ERROR_NONE ? 0 : -1;
}

ZafError ZafStorage::StoreObject(ZafStorageFile& file) {
  if (!outputFile) {
    return ZAF_ERROR_WRITE;
  }
  const bool placed = outputFile->Seek(0, ZAF_SEEK_END) == 0;
  const int32_t offset = outputFile->Tell();
  const int written = placed && offset >= 0 ? outputFile->WriteData(file.buffer.get(), file.length) : 0;
  // The edit file is buffered: only a flush shows whether the bytes reached the disk.
  if (written != file.length || offset < 0 || outputFile->Flush() != 0) {
    // The entry keeps its older bytes rather than pointing at a run that was not written.
    return outputFile->Error() != ZAF_ERROR_NONE ? outputFile->Error() : ZAF_ERROR_WRITE;
  }
  file.entry->holder = outputFile;
  file.entry->dataOffset = offset;
  file.entry->dataSize = file.length;
  return ZAF_ERROR_NONE;
}

void ZafStorage::ForgetFile(ZafStorageFile* file) {
  openFiles.erase(std::remove(openFiles.begin(), openFiles.end(), file), openFiles.end());
  ZafDirectoryElement* entry = file->entry;
  if (entry && --entry->openCount == 0 && entry->detached) {
    delete entry;
  }
}

int ZafStorage::Remove(const ZafIChar* name) {
  std::u16string objectName;
  ZafDirectoryElement* directory = SplitEntryPath(name, objectName);
  ZafDirectoryElement* entry = directory && ZafDataFileNameAllowed(objectName)
                                   ? FindChild(*directory, objectName.c_str(), nullptr, 0)
                                   : nullptr;
  if (!entry || entry->IsDirectory()) {
    return ZAF_ERROR_NOT_FOUND;
  }
  Discard(entry);
  return 0;
}

int ZafStorage::Rename(const ZafIChar* oldName, const ZafIChar* newName, const ZafIChar* stringID,
                       ZafNumberID numberID) {
  std::u16string oldObject;
  std::u16string newObject;
  ZafDirectoryElement* oldDirectory = SplitEntryPath(oldName, oldObject);
  ZafDirectoryElement* newDirectory = SplitEntryPath(newName, newObject);
  if (!oldDirectory || !newDirectory || !ZafDataFileNameAllowed(oldObject) ||
      !ZafDataFileNameAllowed(newObject)) {
    return ZAF_ERROR_NOT_FOUND;
  }
  ZafDirectoryElement* entry = FindChild(*oldDirectory, oldObject.c_str(), nullptr, 0);
  ZafDirectoryElement* existing = FindChild(*newDirectory, newObject.c_str(), nullptr, 0);
  if (!entry || (existing && existing != entry)) {
    return ZAF_ERROR_NOT_FOUND;
  }
  if (!existing) {
    // The entry takes a new name, which must be one a new entry may take. An entry moved below itself
    // would cut its subtree off the tree; one moved too deep could not be read back.
    if (!ZafDataFileNameCreatable(newObject)) {
      return ZAF_ERROR_NOT_FOUND;
    }
    int subtreeDepth = 0;
    for (const auto& [below, depth] : PreOrder(*entry)) {
      subtreeDepth = std::max(subtreeDepth, depth);
    }
    if (entry->Contains(newDirectory) || newDirectory->Depth() + 1 + subtreeDepth > ZAF_DATA_FILE_MAX_DEPTH) {
      return ZAF_ERROR_NOT_FOUND;
    }
    oldDirectory->children.Subtract(entry);
    entry->parent = newDirectory;
    newDirectory->children.Add(entry);
    entry->SetName(newObject.c_str());
  }
  if (stringID) {
    entry->SetStringID(stringID);
  }
  if (numberID != 0) {
    entry->SetNumberID(numberID);
  }
  return 0;
}

// ---- Saving ----

ZafError ZafStorage::WriteDataFile(ZafDiskFile& output,
                                   std::unordered_map<const ZafDirectoryElement*, int32_t>& newOffsets) {
  ZafWriteDataFileHeader(output, ZAF_DATA_FILE_HEADER_SIZE);
  // Object data in pre-order: an entry's own bytes, then its children's.
  for (const auto& [entry, depth] : PreOrder(*root)) {
    if (entry->dataSize == 0 || !entry->holder) {
      continue;
    }
    const int32_t offset = output.Tell();
    if (offset < 0 || entry->holder->Seek(entry->dataOffset, ZAF_SEEK_START) != 0) {
      return ZAF_ERROR_SEEK;
    }
    if (const ZafError copied = CopyBytes(*entry->holder, output, entry->dataSize);
        copied != ZAF_ERROR_NONE) {
      return copied;
    }
    newOffsets[entry] = offset;
  }
  const int32_t treeOffset = output.Tell();
  ZafWriteDirectoryTree(output, *root, [&](const ZafDirectoryElement& entry) {
    auto found = newOffsets.find(&entry);
    return found == newOffsets.end() ? entry.dataOffset : found->second;
  });
  output.Seek(ZAF_DATA_FILE_TREE_OFFSET_FIELD, ZAF_SEEK_START);
  output.WriteInt32(treeOffset);
  if (output.Error() != ZAF_ERROR_NONE || treeOffset < 0) {
    return output.Error() != ZAF_ERROR_NONE ? output.Error() : ZAF_ERROR_WRITE;
  }
  return SyncNewFile(output);
}

std::u16string ZafStorage::BackupName(int number) const {
  std::u16string name = fileName;
  ZafDiskFileSystem::ChangeExtension(name, u".bk");
  name += static_cast<ZafIChar>(u'0' + number);
  return name;
}

ZafError ZafStorage::RotateBackups(int backups) {
  backups = std::min(backups, ZAF_STORAGE_MAX_BACKUPS);
  if (backups < 1 || !FileExists(fileName)) {
    return ZAF_ERROR_NONE;
  }
  // A save killed after linking backup 1 left it the live file itself: the live file is backed up already,
  // and moving the backups up again would push a generation out for a copy of one still there.
  if (SameFile(BackupName(1), fileName)) {
    return ZAF_ERROR_NONE;
  }
  // Oldest first, so that a crash between two steps leaves the backups in order, one number at most
  // missing, and the data file untouched.
  ReachDiskStep(KDiskStep::kRemoveBackup);
  diskFileSystem.Remove(BackupName(backups).c_str());
  for (int number = backups - 1; number >= 1; --number) {
    if (FileExists(BackupName(number))) {
      ReachDiskStep(KDiskStep::kMoveBackup);
      diskFileSystem.Rename(BackupName(number).c_str(), BackupName(number + 1).c_str(), nullptr, 0);
    }
  }
  ReachDiskStep(KDiskStep::kLinkBackup);
  if (link(ZafToUtf8(fileName).c_str(), ZafToUtf8(BackupName(1)).c_str()) == 0) {
    return ZAF_ERROR_NONE;
  }
  return CopyToFirstBackup();
}

ZafError ZafStorage::CopyToFirstBackup() {
  std::unique_ptr<ZafDiskFile> source(
      static_cast<ZafDiskFile*>(diskFileSystem.Open(fileName.c_str(), kReadBinary, nullptr, 0)));
  KHeldFile held;
  std::u16string copyName;
  std::unique_ptr<ZafDiskFile> copy =
      source->Error() == ZAF_ERROR_NONE ? CreateTemporary(copyName, held) : nullptr;
  ZafError error = copy ? CopyBytes(*source, *copy, source->Length()) : ZAF_ERROR_OPEN;
  if (error == ZAF_ERROR_NONE) {
    error = SyncNewFile(*copy);
  }
  CloseNative(source);
  CloseNative(copy);
  ReachDiskStep(KDiskStep::kPlaceBackupCopy);
  if (error == ZAF_ERROR_NONE &&
      diskFileSystem.Rename(copyName.c_str(), BackupName(1).c_str(), nullptr, 0) != 0) {
    error = ZAF_ERROR_OPEN;
  }
  if (error != ZAF_ERROR_NONE && !copyName.empty()) {
    diskFileSystem.Remove(copyName.c_str());
  }
  return error;
}

ZafError ZafStorage::SaveBlocker() const {
  if (unreadableFileError != ZAF_ERROR_NONE) {
    return unreadableFileError;
  }
  return unstoredEntries.empty() ? ZAF_ERROR_NONE : unstoredEntries.front().second;
}

int ZafStorage::Save(int backups) {
  if (!Writable()) {
    return ZAF_ERROR_NOT_WRITABLE;
  }
  if (fileName.empty()) {
    SetError(ZAF_ERROR_OPEN);
    return -1;
  }
  // Saving now would replace the file with a tree that lacks what could not be read or stored.
  if (const ZafError blocker = SaveBlocker(); blocker != ZAF_ERROR_NONE) {
    SetError(blocker);
    return -1;
  }
  // The answer tells about this save alone, not about lookups that failed before it.
  SetError(ZAF_ERROR_NONE);
  KHeldFile outputHold;
  std::u16string temporaryName;
  std::unique_ptr<ZafDiskFile> output = CreateTemporary(temporaryName, outputHold);
  if (!output) {
    return ZAF_ERROR_OPEN;
  }
  // The new file is written completely before anything else changes: a failure leaves the storage, its
  // entries and the file on disk exactly as they were.
  std::unordered_map<const ZafDirectoryElement*, int32_t> newOffsets;
  const ZafError written = WriteDataFile(*output, newOffsets);
  CloseNative(output);
  if (written != ZAF_ERROR_NONE) {
    diskFileSystem.Remove(temporaryName.c_str());
    SetError(written);
    return -1;
  }
  // The data file keeps its name throughout: the backups are made beside it, then the new file replaces it
  // in one step.
  ZafError placed = RotateBackups(backups);
  if (placed == ZAF_ERROR_NONE) {
    ReachDiskStep(KDiskStep::kRenameOverLive);
    if (diskFileSystem.Rename(temporaryName.c_str(), fileName.c_str(), nullptr, 0) != 0) {
      placed = ZAF_ERROR_OPEN;
    }
  }
  if (placed != ZAF_ERROR_NONE) {
    diskFileSystem.Remove(temporaryName.c_str());
    SetError(placed);
    return -1;
  }
  // The renames last only once the folder reaches the disk too; should that fail, the file on the disk is
  // the old or the new one, both complete.
  ReachDiskStep(KDiskStep::kSyncFolder);
  KSyncFolder(KString::FromUtf8(ZafToUtf8(Directory())));
  std::unique_ptr<ZafDiskFile> newBase(
      static_cast<ZafDiskFile*>(diskFileSystem.Open(fileName.c_str(), kReadWriteBinary, nullptr, 0)));
  if (newBase->Error() != ZAF_ERROR_NONE) {
    // The new file is in place, but the entries keep reading from the files that still hold their bytes.
    CloseNative(newBase);
    SetError(ZAF_ERROR_OPEN);
    return -1;
  }
  // Only the new base file holds data now; the files that held it before are closed below.
  for (const auto& [entry, depth] : PreOrder(*root)) {
    const auto moved = newOffsets.find(entry);
    entry->holder = moved == newOffsets.end() ? nullptr : newBase.get();
    if (moved != newOffsets.end()) {
      entry->dataOffset = moved->second;
    }
  }
  CloseNative(baseFile);
  baseFile = std::move(newBase);
  // The edit file starts empty again: nothing in it is referenced any more.
  if (editFile) {
    CloseNative(editFile);
    diskFileSystem.Remove(editFileName.c_str());
  }
  CreateEditFile();
  return Error() == ZAF_ERROR_NONE ? 0 : -1;
}

int ZafStorage::SaveAs(const ZafIChar* name, int backups) {
  if (!Writable()) {
    return ZAF_ERROR_NOT_WRITABLE;
  }
  const std::u16string previousName = fileName;
  const std::u16string previousStringID = StringID() ? StringID() : u"";
  SetFileName(name);
  const int result = Save(backups);
  if (result != 0) {
    // The storage stays tied to the file it came from.
    fileName = previousName;
    SetStringID(previousStringID.empty() ? nullptr : previousStringID.c_str());
  }
  return result;
}
