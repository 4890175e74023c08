// Hands out the shared message tables of the classes: one ZafLanguageData per class name, counted by its
// users, taken from the i18n data file in the current language when the file has it, else from the class's
// built-in table.
#ifndef FRAMEWORK_DATA_ZAFLANGUAGEMANAGER_H
#define FRAMEWORK_DATA_ZAFLANGUAGEMANAGER_H

#include <memory>
#include <vector>

#include "framework/data/zaflanguagedata.h"

class ZafStorage;

class ZafLanguageManager {
 public:
  ZafLanguageManager() = default;
  ZafLanguageManager(const ZafLanguageManager&) = delete;
  ZafLanguageManager& operator=(const ZafLanguageManager&) = delete;
  ~ZafLanguageManager();

  // The table of `className` with one use more: the one already handed out, else the one stored in
  // `storage` (when given) under the class name and `language`, else a copy of `builtIn`.
  ZafLanguageData* GetLanguageData(const ZafIChar* className, const ZafLanguageStruct* builtIn,
                                   ZafStorage* storage, const ZafIChar* language);
  // The same from the i18n data file and language of the framework (ZafI18nData).
  ZafLanguageData* GetLanguageData(const ZafIChar* className, const ZafLanguageStruct* builtIn);
  // One use less; a table nobody uses any more is deleted. Null, or a table not handed out here, is
  // ignored.
  void ReleaseLanguageData(ZafLanguageData* data);

  int Count() const { return static_cast<int>(tables.size()); }

 private:
  std::vector<std::unique_ptr<ZafLanguageData>> tables;
};

#endif
