#include "framework/data/zaflanguagemanager.h"

#include <algorithm>

#include "framework/data/zafdatapersistence.h"
#include "framework/data/zafi18ndata.h"
#include "framework/data/zafstorage.h"

ZafLanguageManager::~ZafLanguageManager() = default;

ZafLanguageData* ZafLanguageManager::GetLanguageData(const ZafIChar* className,
                                                     const ZafLanguageStruct* builtIn, ZafStorage* storage,
                                                     const ZafIChar* language) {
  for (const auto& table : tables) {
    if (table->MatchStringID(className)) {
      table->AddUse();
      return table.get();
    }
  }
  std::unique_ptr<ZafLanguageData> table;
  if (storage && className) {
    ZafDataPersistence persistence(storage);
    persistence.PushSuffix(language);
    table = std::make_unique<ZafLanguageData>(className, persistence);
    persistence.PopSuffix();
    if (table->Error() != ZAF_ERROR_NONE) {
      table.reset();
    }
  }
  if (!table) {
    table = std::make_unique<ZafLanguageData>(builtIn);
    table->SetStringID(className);
  }
  table->AddUse();
  tables.push_back(std::move(table));
  return tables.back().get();
}

ZafLanguageData* ZafLanguageManager::GetLanguageData(const ZafIChar* className,
                                                     const ZafLanguageStruct* builtIn) {
  return GetLanguageData(className, builtIn, ZafI18nData::I18nStorage(), ZafI18nData::Language());
}

void ZafLanguageManager::ReleaseLanguageData(ZafLanguageData* data) {
  const auto found =
      std::find_if(tables.begin(), tables.end(), [data](const auto& table) { return table.get() == data; });
  if (found != tables.end() && (*found)->RemoveUse() == 0) {
    tables.erase(found);
  }
}
