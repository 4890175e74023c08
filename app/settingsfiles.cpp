#include "app/settingsfiles.h"

#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "app/defaultsettings.h"
#include "devices/qvschedule.h"
#include "foundation/kbufferedfile.h"
#include "foundation/kfileinfo.h"
#include "foundation/klog.h"
#include "foundation/kregistry.h"
#include "foundation/krstring.h"
#include "foundation/kstream.h"
#include "foundation/kx.h"
#include "model/qvsettings.h"

namespace {

constexpr int32_t kBufferSize = 4096;
constexpr const char16_t* kDataInPath = u"\\Database\\File\\DataInDir";
constexpr const char16_t* kDataOutPath = u"\\Database\\File\\DataOutDir";
constexpr const char16_t* kChoicePath = u"\\Language\\Choice";
constexpr const char16_t* kChoicesPath = u"\\Language\\Choices";
constexpr const char16_t* kStringsPath = u"\\Strings";
constexpr const char16_t* kLayoutPath = u"\\Event\\Layout";
constexpr const char16_t* kLanguagePattern = u"*.lng";
// The fields of a language entry: file name, display name, locale code.
constexpr int32_t kFileNameField = 0;
constexpr int32_t kLocaleField = 2;
// Lines of a text that is outside input stop growing here; longer lines are refused by the reader anyway.
constexpr int32_t kMaxLine = KRegistry::kMaxLineLength + 1;

// Adds each line of a text of settings lines; blank lines are skipped.
void AddTextLines(KRegistry& root, const char16_t* text) {
  const KString all = KString::View(text);
  for (int32_t from = 0; from < all.Length();) {
    int32_t end = all.Find(u'\n', from);
    if (end < 0) {
      end = all.Length();
    }
    if (end > from) {
      KRegistry::AddLine(&root, KString(all.Data() + from, end - from));
    }
    from = end + 1;
  }
}

bool LocaleCode(const KRString& entry, KString& code) {
  return code.GetField(entry.Value(), kLocaleField, u',');
}

// Stores a folder text in the directory object with a trailing '/' and in the setting without it.
bool StoreFolder(KFile& directory, KRString* node, const KString& text) {
  KFile::AppendName(directory, text);
  KString folder;
  directory.GetDirectory(folder);
  folder.SetLength(folder.Length() - 1);
  node->SetText(folder);
  if (auto* schedule = dynamic_cast<QvSchedule*>(QvEventSchedule::Registered())) {
    schedule->SetDataFiles();
  }
  return true;
}

// Copies the file at `from` over `to` (an older copy is replaced whole, never half-written); throws the
// stream's failure, `to` then as it was.
void CopyFileSafely(const KString& from, const KString& to) {
  KFile source(from);
  source.Open(KFile::kRead);
  std::vector<uint8_t> bytes(static_cast<size_t>(source.Size()));
  if (!bytes.empty() &&
      source.Read(bytes.data(), static_cast<int32_t>(bytes.size())) != static_cast<int32_t>(bytes.size())) {
    throw KXStream(kErrFileRead);
  }
  KFile::SaveSafely(
      to, [&bytes](KStream& copy) { copy.Write(bytes.data(), static_cast<int32_t>(bytes.size())); });
}

void LogWarning(const KString& message) {
  if (KLog* log = KLog::ProgramLog()) {
    log->Warning(message);
  }
}

// Sets a text node through its change callback, so the object attached to it learns of the change.
void NotifyText(KRegistry& root, const char16_t* path, const KString& text) {
  if (KRString* node = KRegistry::GetStringNode(&root, KString::View(path))) {
    node->NotifyChanged(text);
  }
}

}  // namespace

SettingsFiles::SettingsFiles(KRegistry& root, const KString& programPath) : itsRoot(root) {
  KFile program(programPath);
  program.GetDirectory(programFolder);
  program.SetExtension(KString(u"cfg"));
  configPath = program.Name();
}

SettingsFiles::~SettingsFiles() {
  SetFolderCallbacks(false);
}

void SettingsFiles::SetFolderCallbacks(bool attach) {
  if (KRString* node = KRegistry::GetStringNode(&itsRoot, KString::View(kDataInPath))) {
    node->SetCallback(attach ? &SettingsFiles::SetDataInDir : nullptr, attach ? this : nullptr);
  }
  if (KRString* node = KRegistry::GetStringNode(&itsRoot, KString::View(kDataOutPath))) {
    node->SetCallback(attach ? &SettingsFiles::SetDataOutDir : nullptr, attach ? this : nullptr);
  }
}

bool SettingsFiles::SetDataInDir(KRString* node, const KString& text, void* self) {
  return StoreFolder(static_cast<SettingsFiles*>(self)->dataInDir, node, text);
}

bool SettingsFiles::SetDataOutDir(KRString* node, const KString& text, void* self) {
  return StoreFolder(static_cast<SettingsFiles*>(self)->dataOutDir, node, text);
}

bool SettingsFiles::LoadDefaults() {
  AddTextLines(itsRoot, kDefaultSettings);
  SetFolderCallbacks(true);
  NotifyText(itsRoot, kDataInPath, programFolder);
  NotifyText(itsRoot, kDataOutPath, programFolder);
  return true;
}

bool SettingsFiles::LoadFirstRunDefaults() {
  AddTextLines(itsRoot, kFirstRunSettings);
  return true;
}

// A line of a settings file that is not taken: the node keeps the value it had, which the configuration
// file written at exit then holds.
void SettingsFiles::TellSkippedLine(const KString& path, const KString& text, const KRValue* node) {
  KString why(u"cannot be read");
  if (node != nullptr) {
    why.Append(u" as ").Append(node->TypeName());
  }
  QvSettings::TellNotTaken(path, text, why, node);
}

bool SettingsFiles::LoadConfig() {
  if (!KFileExists(configPath)) {
    return true;
  }
  // The files here are only read; each closes when it goes out of scope, whatever happened.
  KBufferedFile file(kBufferSize, configPath);
  try {
    file.Open(KFile::kRead);
    if (file.Size() == 0) {
      return true;
    }
    itsRoot.Load(file, TellSkippedLine);
  } catch (const KX&) {
    configUnreadable = true;
    LogWarning(UnreadableConfigWarning());
    return false;
  }
  configLoaded = true;
  configEncoding = file.ReadMode();
  configLineMode = file.ReadLineMode();
  configBigEndian = file.IsTextBigEndian();
  return true;
}

KString SettingsFiles::UnreadableConfigPath() const {
  KString path(configPath);
  path.Append(u".bad");
  return path;
}

KString SettingsFiles::UnreadableConfigWarning() const {
  // Only a regular file can be copied aside; anything else by that name (a FIFO, a folder) blocks the save.
  struct stat info {};
  if (::stat(configPath.ToUtf8().c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    KString warning(u"The configuration file ");
    warning.Append(configPath)
        .Append(u" is not a regular file; it is left as it is and the settings are not saved");
    return warning;
  }
  KString warning(u"The configuration file could not be read; it will be kept as ");
  return warning.Append(UnreadableConfigPath());
}

bool SettingsFiles::SaveConfig() {
  KRGroup* strings = KRegistry::GetGroup(&itsRoot, KString::View(kStringsPath));
  const bool stringsSaved = strings != nullptr && strings->IsSaved();
  if (strings != nullptr) {
    strings->SetSaved(false);
  }
  bool saved = true;
  try {
    // The tree holds only part of a file that could not be read: a copy of the file is kept before it is
    // replaced by that part. Without the copy nothing is written.
    if (configUnreadable && KFileExists(configPath)) {
      try {
        CopyFileSafely(configPath, UnreadableConfigPath());
      } catch (const KX&) {
        throw KXStream(kErrFileBackup);
      }
      KString warning(u"The configuration file that could not be read was kept as ");
      LogWarning(warning.Append(UnreadableConfigPath()));
    }
    configUnreadable = false;
    // A new file gets the line ends of the system.
    const int32_t lineMode = configLineMode == KStream::kLineAuto ? KStream::kLineLf : configLineMode;
    KRegistry::SaveFile(configPath, configEncoding, lineMode, itsRoot, KString(), configBigEndian);
  } catch (const KX&) {
    saved = false;
  }
  // The language file is written from the same group, and may be written after the configuration.
  if (strings != nullptr) {
    strings->SetSaved(stringsSaved);
  }
  return saved;
}

bool SettingsFiles::ScanLanguages() {
  KRGroup* choices = KRegistry::GetGroup(&itsRoot, KString::View(kChoicesPath));
  if (choices == nullptr) {
    return false;
  }
  choices->SetSaved(false);
  KString pattern(programFolder);
  pattern.Append(kLanguagePattern);
  KFileInfo listing(pattern);
  std::vector<KString> names;
  for (KFile entry; KFile::FindNext(listing, entry);) {
    names.push_back(listing.Name());
  }
  // Name order, so that the numbers are the same on every machine.
  std::sort(names.begin(), names.end());
  int32_t number = 0;
  for (const KString& name : names) {
    ++number;
    KString path(programFolder);
    path.Append(name);
    KBufferedFile file(kBufferSize, path);
    try {
      file.Open(KFile::kRead);
      KString line(256, kMaxLine);
      line.AppendInt(number).Append(u":String=").Append(name).AppendChar(u',');
      // Only a complete first line (display name and locale code) makes an entry. Its line end may be
      // CR, LF or CR LF, as in every text file the program reads; the rest of the file is read the same.
      const int32_t lineEnd = file.ReadLine(line);
      const bool complete = lineEnd == u'\n' || lineEnd == u'\r';
      if (!complete || KRegistry::AddLine(choices, line) == nullptr) {
        --number;
      }
    } catch (const KX&) {
      // An unreadable file is left out; its number stays used.
    }
  }
  return true;
}

KRString* SettingsFiles::FindLanguage() const {
  const KString& choice = KRegistry::GetString(&itsRoot, KString::View(kChoicePath));
  const KRGroup* choices = KRegistry::GetGroup(&itsRoot, KString::View(kChoicesPath));
  if (choice.IsEmpty() || choices == nullptr) {
    return nullptr;
  }
  // Whole codes first, then language and country ("en_US" of "en_US.1252"), then the language alone.
  for (const int32_t length : {-1, 5, 2}) {
    for (KRNode* child = choices->NextChild(nullptr); child != nullptr; child = choices->NextChild(child)) {
      auto* entry = dynamic_cast<KRString*>(child);
      KString code;
      if (entry != nullptr && LocaleCode(*entry, code) && KString::EqualsNoCase(choice, code, length)) {
        return entry;
      }
    }
  }
  return nullptr;
}

bool SettingsFiles::LanguagePath(const KRString& entry, KString& path) const {
  KString name;
  // The entries come from the listing, but the configuration file could name any path there.
  if (!name.GetField(entry.Value(), kFileNameField, u',') || name.IsEmpty() || name.Find(u'/') >= 0) {
    return false;
  }
  path = programFolder;
  path.Append(name);
  return true;
}

bool SettingsFiles::LoadLanguage() {
  const KRString* entry = FindLanguage();
  KString path;
  if (entry == nullptr || !LanguagePath(*entry, path)) {
    return false;
  }
  KBufferedFile file(kBufferSize, path);
  try {
    file.Open(KFile::kRead);
    KString firstLine(256, kMaxLine);
    file.ReadLine(firstLine);
    itsRoot.Load(file, TellSkippedLine);
    languageEncoding = file.ReadMode();
    languageLineMode = file.ReadLineMode();
    languageBigEndian = file.IsTextBigEndian();
  } catch (const KX&) {
    return false;
  }
  return true;
}

void SettingsFiles::WriteLanguageFile(const KString& path, const KRegistry& root, const KString& firstLine,
                                      int32_t encoding, int32_t lineMode, bool bigEndian) {
  const KRGroup* strings = KRegistry::GetGroup(&root, KString::View(kStringsPath));
  if (strings == nullptr) {
    throw KXPersistent(kErrFileContents);
  }
  KRegistry::SaveFile(path, encoding, lineMode, *strings, firstLine, bigEndian);
}

bool SettingsFiles::WriteLanguage() {
  const KRString* entry = FindLanguage();
  const int32_t comma = entry != nullptr ? entry->Value().Find(u',') : -1;
  KString path;
  if (comma < 0 || !LanguagePath(*entry, path)) {
    return false;
  }
  const KString firstLine(entry->Value().Data() + comma + 1, entry->Value().Length() - comma - 1);
  const int32_t lineMode = languageLineMode == KStream::kLineAuto ? KStream::kLineLf : languageLineMode;
  try {
    WriteLanguageFile(path, itsRoot, firstLine, languageEncoding, lineMode, languageBigEndian);
  } catch (const KX&) {
    return false;
  }
  return true;
}

int32_t SettingsFiles::LanguageIndex() const {
  const KRString* chosen = FindLanguage();
  if (chosen == nullptr) {
    return -1;
  }
  const KRGroup* choices = chosen->Parent();
  int32_t index = 0;
  for (const KRNode* child = choices->NextChild(nullptr); child != chosen;
       child = choices->NextChild(child)) {
    ++index;
  }
  return index;
}

void SettingsFiles::SetLanguage(int32_t index) {
  const KRGroup* choices = KRegistry::GetGroup(&itsRoot, KString::View(kChoicesPath));
  if (index == LanguageIndex() || choices == nullptr || index < 0) {
    return;
  }
  KRNode* child = choices->NextChild(nullptr);
  for (int32_t i = 0; i < index && child != nullptr; ++i) {
    child = choices->NextChild(child);
  }
  const auto* entry = dynamic_cast<const KRString*>(child);
  KString code;
  if (entry == nullptr || !LocaleCode(*entry, code)) {
    return;
  }
  NotifyText(itsRoot, kChoicePath, code);
  if (KRGroup* layout = KRegistry::GetGroup(&itsRoot, KString::View(kLayoutPath))) {
    layout->SetDeleted(true);
  }
}
