#include "model/qvsettings.h"

#include "foundation/krbool.h"
#include "foundation/kregistry.h"
#include "foundation/krint.h"

KString QvSettings::Text(const char16_t* path, const char16_t* fallback) {
  if (textLookup) {
    textLookup(path);
  }
  const KString& text = KRegistry::GetString(root, KString::View(path));
  return text.IsEmpty() ? KString(fallback) : text;
}

int32_t QvSettings::Int(const char16_t* path, int32_t fallback) {
  const KRInt* node = KRegistry::GetInt(root, KString::View(path));
  return node != nullptr ? node->Value() : fallback;
}

bool QvSettings::Bool(const char16_t* path, bool fallback) {
  const KRBool* node = KRegistry::GetBool(root, KString::View(path));
  return node != nullptr ? node->Value() != 0 : fallback;
}

bool QvSettings::Write(const KString& line) {
  return root != nullptr && KRegistry::AddLine(root, line) != nullptr;
}
