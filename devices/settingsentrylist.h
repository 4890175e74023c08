#pragma once
// A list of named entries in the settings tree (the named serial ports, the scoreboards): each entry is a
// group under one list group. Entries are counted and reached by position with the deleted ones included,
// so that list rows keep matching the tree while an entry waits, dimmed, to be dropped at the next save.

#include <cstdint>

#include "foundation/kstring.h"

class KRGroup;

class SettingsEntryList {
 public:
  // listPath: the list group ("\SerialPorts"); entryPrefix: the name new entries get before their number
  // ("Port" makes "Port1", "Port2"...); skipped: the name of a group under the list that is not an entry,
  // or null.
  SettingsEntryList(const char16_t* listPath, const char16_t* entryPrefix, const char16_t* skipped = nullptr);

  // The list group of the program's settings tree; null when the tree or the group is missing.
  KRGroup* Group() const;
  int32_t Count() const;
  // The entry at `index` from 0, or null.
  KRGroup* GetNth(int32_t index) const;
  // Adds an empty entry at the end under the first free name, making the list group when it is missing;
  // null when there is no settings tree.
  KRGroup* NewEntry() const;
  // The group named `name` under `parent`, made when missing (a value node of that name is left alone:
  // null).
  static KRGroup* EnsureGroup(KRGroup& parent, const KString& name);

 private:
  bool IsEntry(const class KRNode& node) const;

  const char16_t* listPath;
  const char16_t* entryPrefix;
  const char16_t* skipped;
};
