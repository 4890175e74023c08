// Reading and writing the settings that the program's dialogs edit. Integers and texts are stored through
// the node's own setter, so that an object attached to the setting (a scoreboard listening to its port
// setting, a folder) learns of the change at once; Bool and Float settings are stored directly. A setting
// the tree does not hold is neither read (the fallback is answered) nor created.
#ifndef APP_SETTINGWRITES_H
#define APP_SETTINGWRITES_H

#include <cstdint>

#include "foundation/kstring.h"

class KRGroup;

namespace SettingWrites {

// `group` null: the program's settings tree.
bool WriteInt(KRGroup* group, const char16_t* path, int32_t value);
bool WriteText(KRGroup* group, const char16_t* path, const KString& text);
bool WriteBool(KRGroup* group, const char16_t* path, bool value);
bool WriteFloat(KRGroup* group, const char16_t* path, double value);

int32_t ReadInt(const KRGroup* group, const char16_t* path, int32_t fallback);
KString ReadText(const KRGroup* group, const char16_t* path);
bool ReadBool(const KRGroup* group, const char16_t* path, bool fallback);
double ReadFloat(const KRGroup* group, const char16_t* path, double fallback);
bool Has(const KRGroup* group, const char16_t* path);

}  // namespace SettingWrites

#endif
