#include "framework/data/zafi18ndata.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zaflanguagedata.h"
#include "framework/data/zaflanguagemanager.h"
#include "framework/data/zaflocaledata.h"
#include "framework/data/zafstorage.h"

namespace {

const ZafLanguageStruct kMessages[] = {
    {u"The number %s is invalid.", 1, 0, 0, -1},
    {u"&Restore", 6, 0, u'R', 0},
    {u"Mi&nimize", 4, 0, u'N', 2},
    {nullptr, 0, 0, 0, -1},
};

TEST(ZafLanguageData, GetMessageAnswersFromTheBuiltInTable) {
  ZafLanguageData data(kMessages);
  EXPECT_EQ(data.Count(), 3);
  struct Case {
    ZafNumberID number;
    const char16_t* text;
    ZafIChar hotKey;
    int32_t hotIndex;
  } cases[] = {
      {1, u"The number %s is invalid.", 0, -1},
      {6, u"&Restore", u'R', 0},
      {4, u"Mi&nimize", u'N', 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.number);
    ZafIChar hotKey = u'?';
    int32_t hotIndex = 99;
    const ZafIChar* text = data.GetMessage(c.number, false, &hotKey, &hotIndex);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::u16string(text), c.text);
    EXPECT_EQ(hotKey, c.hotKey);
    EXPECT_EQ(hotIndex, c.hotIndex);
  }
  int32_t hotIndex = 5;
  EXPECT_EQ(data.GetMessage(2, false, nullptr, &hotIndex), nullptr);
  EXPECT_EQ(hotIndex, -1);
  EXPECT_EQ(std::u16string(data.GetMessage(2, true)), u"");
}

TEST(ZafLanguageManager, SharesOneTablePerClassUntilTheLastRelease) {
  ZafLanguageManager manager;
  ZafLanguageData* first = manager.GetLanguageData(u"ZafReal", kMessages, nullptr, u"en");
  ZafLanguageData* second = manager.GetLanguageData(u"ZafReal", nullptr, nullptr, u"en");
  EXPECT_EQ(first, second);
  EXPECT_EQ(first->UseCount(), 2);
  ZafLanguageData* other = manager.GetLanguageData(u"ZafButton", nullptr, nullptr, u"en");
  EXPECT_NE(other, first);
  EXPECT_EQ(other->Count(), 0);
  EXPECT_EQ(manager.Count(), 2);
  manager.ReleaseLanguageData(first);
  EXPECT_EQ(manager.Count(), 2);
  manager.ReleaseLanguageData(second);
  EXPECT_EQ(manager.Count(), 1);
  manager.ReleaseLanguageData(nullptr);
  ZafLanguageData stranger;
  manager.ReleaseLanguageData(&stranger);
  EXPECT_EQ(manager.Count(), 1);
}

TEST(ZafLanguageManager, TablesOfTheI18nFileWinInTheirLanguage) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("i18n").c_str(), ZAF_STORAGE_CREATE);
  {
    const ZafLanguageStruct german[] = {{u"Die Zahl %s ist ung\u00FCltig.", 1, 7, 0, -1},
                                        {u"&Wiederherstellen", 6, 0, u'W', 0},
                                        {nullptr, 0, 0, 0, -1}};
    ZafDataPersistence persistence(&storage);
    persistence.PushSuffix(u"de");
    ZafLanguageData data(german);
    data.SetStringID(u"ZafReal");
    EXPECT_EQ(data.Write(persistence), 0);
    persistence.PopLevel();
  }
  ZafLanguageManager manager;
  ZafLanguageData* german = manager.GetLanguageData(u"ZafReal", kMessages, &storage, u"de");
  EXPECT_EQ(german->Error(), 0);
  EXPECT_EQ(std::u16string(german->GetMessage(1)), u"Die Zahl %s ist ung\u00FCltig.");
  EXPECT_EQ(german->GetMessage(4), nullptr) << "the stored table replaces the built-in one";
  manager.ReleaseLanguageData(german);
  ZafLanguageData* french = manager.GetLanguageData(u"ZafReal", kMessages, &storage, u"fr");
  EXPECT_EQ(std::u16string(french->GetMessage(1)), u"The number %s is invalid.") << "no French table";
  manager.ReleaseLanguageData(french);
}

TEST(ZafLanguageData, StoredRowCountIsChecked) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("bad").c_str(), ZAF_STORAGE_CREATE);
  ZafDataPersistence persistence(&storage);
  persistence.PushLevel(u"ZafLanguageData", ID_ZAF_LANGUAGE_DATA, ZAF_STORAGE_TYPE_NAMED);
  ASSERT_EQ(persistence.CurrentFile(u"ZafReal", ZAF_PERSIST_WRITE), 0);
  persistence.File()->WriteUInt16(5000);
  persistence.File()->WriteUInt16(1);
  persistence.PopLevel();
  ZafLanguageData bad(u"ZafReal", persistence);
  EXPECT_EQ(bad.Error(), ZAF_ERROR_READ);
  EXPECT_EQ(bad.Count(), 0);
}

int loaderCalls = 0;

int CommaLocale(ZafLocaleStruct& locale) {
  ++loaderCalls;
  locale.decimalSeparator.Set(u",");
  locale.currencySymbol.Set(u"EUR and more");
  return 1;
}

int NoLocale(ZafLocaleStruct& locale) {
  ++loaderCalls;
  locale.decimalSeparator.Set(u"?");
  return 0;
}

int recreated = 0;

TEST(ZafI18nData, LanguageChangesRemakeLocaleAndStaticData) {
  ZafI18nData::Shutdown();
  ZafI18nData::Initialize(u"de");
  EXPECT_EQ(std::u16string(ZafI18nData::Language()), u"de");
  EXPECT_EQ(ZafI18nData::I18nStorage(), nullptr) << "no i18n.znc here";
  EXPECT_EQ(std::u16string(ZafI18nData::Locale().locale.decimalSeparator.c_str()), u".");

  recreated = 0;
  EXPECT_TRUE(ZafI18nData::RegisterStaticData(
      nullptr, [] { ++recreated; }, 900));
  EXPECT_FALSE(ZafI18nData::RegisterStaticData(
      nullptr, [] { recreated += 100; }, 900));

  ZafLocaleData::SetSystemDefaultsLoader(CommaLocale);
  ZafI18nData::SetLanguage(u"fr");
  EXPECT_EQ(recreated, 1);
  EXPECT_EQ(std::u16string(ZafI18nData::Language()), u"fr");
  EXPECT_EQ(std::u16string(ZafI18nData::Locale().locale.decimalSeparator.c_str()), u",");
  EXPECT_EQ(std::u16string(ZafI18nData::Locale().locale.currencySymbol.c_str()), u"EUR and") << "cut to 7";

  ZafLocaleData::SetSystemDefaultsLoader(NoLocale);
  loaderCalls = 0;
  ZafI18nData::SetLanguage(nullptr);
  EXPECT_EQ(loaderCalls, 1);
  EXPECT_EQ(std::u16string(ZafI18nData::Language()), ZAF_DEFAULT_LANGUAGE);
  EXPECT_EQ(std::u16string(ZafI18nData::Locale().locale.decimalSeparator.c_str()), u".")
      << "a filler that answers 0 is dropped";

  ZafLocaleData::SetSystemDefaultsLoader(nullptr);
  ZafI18nData::Shutdown();
  EXPECT_EQ(std::u16string(ZafI18nData::Language()), ZAF_DEFAULT_LANGUAGE) << "starts afresh on use";
}

TEST(ZafI18nData, OpensTheI18nFileFoundOnTheSearchPath) {
  TemporaryFolder folder;
  {
    ZafStorage storage(folder.Path("i18n.znc").c_str(), ZAF_STORAGE_CREATE);
    ZafDataPersistence persistence(&storage);
    persistence.PushSuffix(ZAF_DEFAULT_LANGUAGE);
    const ZafLanguageStruct rows[] = {{u"Stored", 1, 0, 0, -1}, {nullptr, 0, 0, 0, -1}};
    ZafLanguageData data(rows);
    data.SetStringID(u"ZafTest");
    EXPECT_EQ(data.Write(persistence), 0);
    persistence.PopLevel();
    ASSERT_EQ(storage.Save(0), 0);
  }
  ScopedEnvironment path("ZAF_PATH", folder.path.string());
  ZafI18nData::Shutdown();
  ZafI18nData::Initialize(nullptr);
  ASSERT_NE(ZafI18nData::I18nStorage(), nullptr);
  ZafLanguageData* data = ZafI18nData::LanguageManager().GetLanguageData(u"ZafTest", kMessages);
  EXPECT_EQ(std::u16string(data->GetMessage(1)), u"Stored");
  ZafI18nData::LanguageManager().ReleaseLanguageData(data);
  ZafI18nData::Shutdown();
}

}  // namespace
