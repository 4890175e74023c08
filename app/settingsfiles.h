#pragma once
// Fills the program's settings tree in three layers, each read over the one before: the built-in settings,
// the configuration file (the program's path with the extension "cfg") and one language file ("*.lng"
// beside the program). Writes the configuration back at exit, lists the language files, picks one by
// locale code and switches the choice for the next start. It also keeps the data-in and data-out folders
// in step with their settings. The application object owns one and calls it during start-up and shutdown;
// docs/configuration-and-language-files.md describes the files for the people who edit and translate them.

#include <cstdint>

#include "foundation/kfile.h"
#include "foundation/kstring.h"

class KRegistry;
class KRString;
class KRValue;

class SettingsFiles {
 public:
  // The tree and the program's own path (/proc/self/exe for the running program); the tree must outlive
  // this object.
  SettingsFiles(KRegistry& root, const KString& programPath);
  SettingsFiles(const SettingsFiles&) = delete;
  SettingsFiles& operator=(const SettingsFiles&) = delete;
  // Takes its change callbacks off the folder settings.
  ~SettingsFiles();

  // Adds the built-in settings, attaches the folder callbacks and sets both folders to the program's
  // folder. Returns true.
  bool LoadDefaults();
  // Adds the lines meant for a first start (no configuration file read). Returns true.
  bool LoadFirstRunDefaults();
  // Reads the configuration file over the tree; a missing or empty file is no failure. False only when
  // reading failed: the lines read before stay in the tree.
  bool LoadConfig();
  // Writes the tree, without the texts and the language list, to the configuration file in the encoding
  // and line ends it was read in, replacing it safely. False when writing failed; the old file then stays.
  bool SaveConfig();
  // Lists the language files of the program's folder under "\Language\Choices\", in name order. False
  // when that group is missing.
  bool ScanLanguages();
  // The language entry whose locale code matches "\Language\Choice" (whole, else over 5, else over 2
  // characters); null when none does.
  KRString* FindLanguage() const;
  // Reads the chosen language file over the tree; false when none is chosen or it cannot be read.
  bool LoadLanguage();
  // Rewrites the chosen language file from the texts in the tree, replacing it safely; false when no
  // language is chosen or writing failed.
  bool WriteLanguage();
  // The position of the chosen entry among the language entries, -1 when none is chosen.
  int32_t LanguageIndex() const;
  // Makes the entry at `index` the choice for the next start and drops the window layouts, which belong
  // to the texts of the language; nothing when that entry is the choice already or is not a language.
  void SetLanguage(int32_t index);

  bool ConfigLoaded() const { return configLoaded; }
  // The folders named by "\Database\File\DataInDir" and "...\DataOutDir", each with a trailing '/'.
  const KFile& DataInDir() const { return dataInDir; }
  const KFile& DataOutDir() const { return dataOutDir; }

  // Writes a language file: the first line (display name, comma, locale code), then the "\Strings\" group
  // of the tree, in the given encoding and line ends. Throws when writing fails; the old file then stays.
  static void WriteLanguageFile(const KString& path, const KRegistry& root, const KString& firstLine,
                                int32_t encoding, int32_t lineMode, bool bigEndian = false);

 private:
  static void TellSkippedLine(const KString& path, const KString& text, const KRValue* node);
  static bool SetDataInDir(KRString* node, const KString& text, void* self);
  static bool SetDataOutDir(KRString* node, const KString& text, void* self);
  void SetFolderCallbacks(bool attach);
  // Where a configuration file that could not be read is kept: its name with ".bad" appended.
  KString UnreadableConfigPath() const;
  // The log's line about a configuration that could not be read: what becomes of the file.
  KString UnreadableConfigWarning() const;
  // The path of the language file an entry names; false when its name is not a plain file name.
  bool LanguagePath(const KRString& entry, KString& path) const;

  KRegistry& itsRoot;
  KString programFolder;  // with its trailing '/'
  KString configPath;
  bool configLoaded = false;
  // A configuration file that failed to load is kept aside before the first save replaces it.
  bool configUnreadable = false;
  // What reading found, so that writing keeps it (automatic until a file was read).
  int32_t configEncoding = KStream::kEncodingAuto;
  int32_t configLineMode = KStream::kLineAuto;
  bool configBigEndian = false;  // the byte order of UTF-16
  int32_t languageEncoding = KStream::kEncodingAuto;
  int32_t languageLineMode = KStream::kLineAuto;
  bool languageBigEndian = false;
  KFile dataInDir;
  KFile dataOutDir;
};
