#include "framework/data/zafi18ndata.h"

#include <memory>
#include <string>
#include <vector>

#include "framework/data/zafcodesetdata.h"
#include "framework/data/zaflanguagemanager.h"
#include "framework/data/zaflocaledata.h"
#include "framework/data/zafstorage.h"

namespace {

struct StaticDataRow {
  ZafI18nData::StaticDataFunction destroy;
  ZafI18nData::StaticDataFunction recreate;
  ZafClassID classID;
};

struct I18nState {
  bool initialized = false;
  std::u16string language;
  ZafCodeSetData codeSet;
  std::unique_ptr<ZafLocaleData> locale;
  std::unique_ptr<ZafLanguageManager> languageManager;
  std::unique_ptr<ZafStorage> storage;
  std::vector<StaticDataRow> staticData;
};

I18nState& State() {
  static I18nState state;
  return state;
}

// The built-in locale, overwritten by the platform's settings when it has any.
std::unique_ptr<ZafLocaleData> MakeLocale() {
  auto system = std::make_unique<ZafLocaleData>();
  if (system->LoadSystemDefaults() == 0) {
    return std::make_unique<ZafLocaleData>();
  }
  return system;
}

void DestroyStaticData() {
  for (const StaticDataRow& row : State().staticData) {
    if (row.destroy) {
      row.destroy();
    }
  }
}

void RecreateStaticData() {
  for (const StaticDataRow& row : State().staticData) {
    if (row.recreate) {
      row.recreate();
    }
  }
}

}  // namespace

void ZafI18nData::Initialize(const ZafIChar* language) {
  I18nState& state = State();
  if (state.initialized) {
    return;
  }
  state.initialized = true;
  state.language = language ? language : ZAF_DEFAULT_LANGUAGE;
  state.locale = MakeLocale();
  state.languageManager = std::make_unique<ZafLanguageManager>();
  // The i18n data file is optional: without it every class speaks from its built-in table.
  auto storage = std::make_unique<ZafStorage>(u"i18n.znc", 0);
  if (storage->Error() == ZAF_ERROR_NONE) {
    state.storage = std::move(storage);
  }
}

bool ZafI18nData::RegisterStaticData(StaticDataFunction destroy, StaticDataFunction recreate,
                                     ZafClassID classID) {
  for (const StaticDataRow& row : State().staticData) {
    if (row.classID == classID) {
      return false;
    }
  }
  State().staticData.push_back({destroy, recreate, classID});
  return true;
}

void ZafI18nData::SetLanguage(const ZafIChar* name) {
  Initialize(name);
  I18nState& state = State();
  DestroyStaticData();
  state.language = name ? name : ZAF_DEFAULT_LANGUAGE;
  state.locale = MakeLocale();
  RecreateStaticData();
}

void ZafI18nData::Shutdown() {
  I18nState& state = State();
  DestroyStaticData();
  state.staticData.clear();
  state.languageManager.reset();
  state.locale.reset();
  state.storage.reset();
  state.language.clear();
  state.initialized = false;
}

const ZafCodeSetData& ZafI18nData::CodeSet() {
  return State().codeSet;
}

const ZafLocaleData& ZafI18nData::Locale() {
  Initialize(nullptr);
  return *State().locale;
}

const ZafIChar* ZafI18nData::Language() {
  Initialize(nullptr);
  return State().language.c_str();
}

ZafLanguageManager& ZafI18nData::LanguageManager() {
  Initialize(nullptr);
  return *State().languageManager;
}

ZafStorage* ZafI18nData::I18nStorage() {
  Initialize(nullptr);
  return State().storage.get();
}
