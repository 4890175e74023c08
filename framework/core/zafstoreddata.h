// Data objects stored with the window object that shows them: the object's record holds the data's name,
// and the data is written and read under that name beside the object.
#ifndef FRAMEWORK_CORE_ZAFSTOREDDATA_H
#define FRAMEWORK_CORE_ZAFSTOREDDATA_H

#include "framework/data/zafdata.h"
#include "framework/data/zafobjectpersistence.h"

class ZafWindowObject;

// The name `data` is stored under, given to it first when it has none: the owner's name after its top-level
// window's (so that equally named objects of two windows keep their own data), and `suffix`. Null without
// data.
const ZafIChar* ZafNameStoredData(ZafData* data, ZafWindowObject& owner, const ZafIChar* suffix);
// Writes the data under its name, leaving the persistence at the owner's level; nothing without data.
void ZafWriteStoredData(ZafData* data, ZafDataPersistence& persistence);

// The data stored under `name`, or null for an empty name. Data that cannot be read is deleted and its
// error becomes the persistence's.
template <typename Data>
Data* ZafReadStoredData(const ZafIChar* name, ZafObjectPersistence& persistence) {
  if (!name || !*name) {
    return nullptr;
  }
  auto* data = new Data(name, persistence);
  if (data->Error() != ZAF_ERROR_NONE) {
    persistence.SetError(data->Error());
    delete data;
    return nullptr;
  }
  return data;
}

#endif
