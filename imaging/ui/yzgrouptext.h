#pragma once
// A text of the settings tree under a group path: the windows keep their texts together under one group.

#include "foundation/kstring.h"
#include "model/qvsettings.h"

// The text at group + key ("" when there is none).
inline KString GroupText(const char16_t* group, const char16_t* key) {
  KString path(group);
  path.Append(key);
  return QvSettings::Text(path.CStr());
}
