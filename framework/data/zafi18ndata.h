// The framework's internationalisation state: the current language, its locale, the code set, the message
// tables handed out by the language manager and the optional i18n data file ("i18n.znc", looked for as any
// data file is). Classes with shared language-dependent objects register them here, so that they are
// destroyed at shutdown and re-made when the language changes. Used from the GUI thread.
#ifndef FRAMEWORK_DATA_ZAFI18NDATA_H
#define FRAMEWORK_DATA_ZAFI18NDATA_H

#include "framework/data/zaftypes.h"

class ZafCodeSetData;
class ZafLanguageManager;
class ZafLocaleData;
class ZafStorage;

// The language of the program when none is named.
inline constexpr const ZafIChar* ZAF_DEFAULT_LANGUAGE = u"en";

class ZafI18nData {
 public:
  using StaticDataFunction = void (*)();

  // Makes sure the code set, the language (`language`, or the default when null) and the locale exist;
  // later calls change nothing.
  static void Initialize(const ZafIChar* language);
  // Enters a class's destroy and re-create functions once per class ID. False when the class has a row.
  static bool RegisterStaticData(StaticDataFunction destroy, StaticDataFunction recreate, ZafClassID classID);
  // Switches to the named language (the default when null): the registered static data are destroyed, the
  // locale is made again, and the static data are re-created in the new language.
  static void SetLanguage(const ZafIChar* name);
  // Destroys the registered static data and everything Initialize made; a later Initialize starts afresh.
  static void Shutdown();

  static const ZafCodeSetData& CodeSet();
  // The current locale (Initialize runs first when needed).
  static const ZafLocaleData& Locale();
  static const ZafIChar* Language();
  static ZafLanguageManager& LanguageManager();
  // The i18n data file, or null when there is none.
  static ZafStorage* I18nStorage();
};

#endif
