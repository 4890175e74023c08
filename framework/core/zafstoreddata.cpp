#include "framework/core/zafstoreddata.h"

#include <string>

#include "framework/core/zafwindowobject.h"

const ZafIChar* ZafNameStoredData(ZafData* data, ZafWindowObject& owner, const ZafIChar* suffix) {
  if (!data) {
    return nullptr;
  }
  if (!data->StringID() || !*data->StringID()) {
    std::u16string name = owner.StringID() ? owner.StringID() : u"";
    ZafWindowObject* root = owner.RootObject();
    if (root != &owner && root->StringID()) {
      name = std::u16string(root->StringID()) + u"_" + name;
    }
    data->SetStringID((name + suffix).c_str());
  }
  return data->StringID();
}

void ZafWriteStoredData(ZafData* data, ZafDataPersistence& persistence) {
  if (data) {
    data->Write(persistence);
    persistence.PopLevel();
  }
}
