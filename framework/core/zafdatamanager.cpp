#include "framework/core/zafdatamanager.h"

#include "framework/data/zafdata.h"

ZafDataManager* ZafDataManager::dataManager = nullptr;

ZafDataManager::ZafDataManager() {
  dataManager = this;
}

ZafDataManager::~ZafDataManager() {
  if (dataManager == this) {
    dataManager = nullptr;
  }
}

ZafData* ZafDataManager::Add(ZafData* newData) {
  return static_cast<ZafData*>(data.Add(newData));
}

ZafData* ZafDataManager::Subtract(ZafData* oldData) {
  return static_cast<ZafData*>(data.Subtract(oldData));
}

ZafData* ZafDataManager::Get(const ZafIChar* name) const {
  for (ZafElement* element = data.First(); element; element = element->Next()) {
    if (element->MatchStringID(name)) {
      return static_cast<ZafData*>(element);
    }
  }
  return nullptr;
}
