#include "app/settingwrites.h"

#include "foundation/krbool.h"
#include "foundation/kregistry.h"
#include "foundation/krfloat.h"
#include "foundation/krint.h"
#include "foundation/krstring.h"
#include "model/qvsettings.h"

namespace {

const KRGroup* Within(const KRGroup* group) {
  return group ? group : QvSettings::Root();
}

KString Path(const char16_t* path) {
  return KString(path);
}

}  // namespace

namespace SettingWrites {

bool WriteInt(KRGroup* group, const char16_t* path, int32_t value) {
  KRInt* node = KRegistry::GetInt(Within(group), Path(path));
  return node && node->NotifyChanged(value);
}

bool WriteText(KRGroup* group, const char16_t* path, const KString& text) {
  KRString* node = KRegistry::GetStringNode(Within(group), Path(path));
  return node && node->NotifyChanged(text);
}

bool WriteBool(KRGroup* group, const char16_t* path, bool value) {
  KRBool* node = KRegistry::GetBool(Within(group), Path(path));
  if (node) {
    node->Set(value ? 1 : 0);
  }
  return node != nullptr;
}

bool WriteFloat(KRGroup* group, const char16_t* path, double value) {
  KRFloat* node = KRegistry::GetFloat(Within(group), Path(path));
  if (node) {
    node->Set(value);
  }
  return node != nullptr;
}

int32_t ReadInt(const KRGroup* group, const char16_t* path, int32_t fallback) {
  const KRInt* node = KRegistry::GetInt(Within(group), Path(path));
  return node ? node->Value() : fallback;
}

KString ReadText(const KRGroup* group, const char16_t* path) {
  const KRString* node = KRegistry::GetStringNode(Within(group), Path(path));
  return node ? node->Value() : KString();
}

bool ReadBool(const KRGroup* group, const char16_t* path, bool fallback) {
  const KRBool* node = KRegistry::GetBool(Within(group), Path(path));
  return node ? node->Value() != 0 : fallback;
}

double ReadFloat(const KRGroup* group, const char16_t* path, double fallback) {
  const KRFloat* node = KRegistry::GetFloat(Within(group), Path(path));
  return node ? node->Value() : fallback;
}

bool Has(const KRGroup* group, const char16_t* path) {
  return KRegistry::Lookup(Within(group), Path(path)) != nullptr;
}

}  // namespace SettingWrites
