#include "devices/settingsentrylist.h"

#include <memory>

#include "foundation/kregistry.h"
#include "model/qvsettings.h"

SettingsEntryList::SettingsEntryList(const char16_t* listPath, const char16_t* entryPrefix,
                                     const char16_t* skipped)
    : listPath(listPath), entryPrefix(entryPrefix), skipped(skipped) {}

KRGroup* SettingsEntryList::Group() const {
  return KRegistry::GetGroup(QvSettings::Root(), KString(listPath));
}

bool SettingsEntryList::IsEntry(const KRNode& node) const {
  return dynamic_cast<const KRGroup*>(&node) != nullptr &&
         (skipped == nullptr || !KString::EqualsNoCase(node.Name(), KString(skipped)));
}

int32_t SettingsEntryList::Count() const {
  const KRGroup* list = Group();
  int32_t count = 0;
  for (const KRNode* node = list != nullptr ? list->NextChild(nullptr) : nullptr; node != nullptr;
       node = list->NextChild(node)) {
    count += IsEntry(*node) ? 1 : 0;
  }
  return count;
}

KRGroup* SettingsEntryList::GetNth(int32_t index) const {
  const KRGroup* list = Group();
  if (list == nullptr || index < 0) {
    return nullptr;
  }
  for (KRNode* node = list->NextChild(nullptr); node != nullptr; node = list->NextChild(node)) {
    if (IsEntry(*node) && index-- == 0) {
      return static_cast<KRGroup*>(node);
    }
  }
  return nullptr;
}

KRGroup* SettingsEntryList::EnsureGroup(KRGroup& parent, const KString& name) {
  KRNode* existing = parent.Child(name);
  if (existing != nullptr) {
    return dynamic_cast<KRGroup*>(existing);
  }
  auto group = std::make_unique<KRGroup>();
  group->SetName(name);
  return static_cast<KRGroup*>(parent.AddChild(std::move(group)));
}

KRGroup* SettingsEntryList::NewEntry() const {
  KRegistry* root = QvSettings::Root();
  if (root == nullptr) {
    return nullptr;
  }
  // The list path is "\Name": one level below the root.
  KRGroup* list = EnsureGroup(*root, KString(listPath + 1));
  if (list == nullptr) {
    return nullptr;
  }
  for (int32_t number = Count() + 1;; ++number) {
    KString name(entryPrefix);
    name.AppendInt(number);
    if (list->Child(name) == nullptr) {
      return EnsureGroup(*list, name);
    }
  }
}
