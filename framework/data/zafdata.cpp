#include "framework/data/zafdata.h"

#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstrlib.h"

ZafData::ZafData(const ZafData& other) : ZafElement(other), ZafNotification() {}

ZafData::ZafData(const ZafIChar* name) {
  SetStringID(name);
}

ZafClassID ZafData::ClassID() const {
  return ID_ZAF_DATA;
}

const ZafIChar* ZafData::ClassName() const {
  return u"ZafData";
}

bool ZafData::IsA(ZafClassID id) const {
  return id == ID_ZAF_DATA || ZafElement::IsA(id);
}

bool ZafData::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafData") == 0) || ZafElement::IsAName(name);
}

int ZafData::StorageType() const {
  return ZAF_STORAGE_TYPE_DATA;
}

ZafError ZafData::Write(ZafDataPersistence& persistence) {
  persistence.PushLevel(ClassName(), ClassID(), StorageType());
  return persistence.CurrentFile(StringID(), ZAF_PERSIST_WRITE);
}

const ZafIChar* ZafData::EnterReadLevel(const ZafIChar* name, ZafDataPersistence& persistence,
                                        const ZafIChar* className, ZafClassID classID, int storageType) {
  persistence.PushLevel(className, classID, storageType);
  persistence.CurrentFile(name, ZAF_PERSIST_READ);
  return name;
}

void ZafData::LeaveReadLevel(ZafDataPersistence& persistence, ZafError readError) {
  const ZafError opened = persistence.Error();
  persistence.PopLevel();
  if (opened != ZAF_ERROR_NONE || readError != ZAF_ERROR_NONE) {
    SetError(opened != ZAF_ERROR_NONE ? opened : readError);
  }
}

ZafError ZafData::FinishWrite(ZafDataPersistence& persistence) {
  if (ZafFile* file = persistence.File(); file && file->Error() != ZAF_ERROR_NONE) {
    persistence.SetError(file->Error());
  }
  if (persistence.Error() != ZAF_ERROR_NONE) {
    SetError(persistence.Error());
  }
  return persistence.Error();
}

ZafData* ZafData::FindObject(ZafNumberID numberID) {
  return MatchNumberID(numberID) ? this : nullptr;
}

ZafData* ZafData::FindObjectByName(const ZafIChar* name) {
  return MatchStringID(name) ? this : nullptr;
}

ZafData* ZafData::FindObjectByNarrowName(const char* name) {
  return name && StringID() && ZafStrCmpNarrow(StringID(), name) == 0 ? this : nullptr;
}

ZafDataConstructor ZafData::ReadFunction() const {
  return nullptr;
}

int ZafData::BeginChange() {
  return ++changeCount;
}

int ZafData::EndChange(bool notify) {
  if (changeCount == 0) {
    return 0;
  }
  if (--changeCount == 0 && notify) {
    // An observer may delete this object: nothing of it is touched after the delivery.
    UpdateObjects();
    return 0;
  }
  return changeCount;
}

ZafError ZafData::SetError(ZafError value) {
  error = value;
  return error;
}

bool ZafData::SetDestroyable(bool value) {
  destroyable = value;
  return destroyable;
}
