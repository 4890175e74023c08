#include "framework/core/zafnameentry.h"

#include <memory>

#include "framework/data/zafdatapersistence.h"
#include "framework/data/zaffile.h"

const ZafNameEntry::Kind ZafNameEntry::userFunction{u"userFunction", ID_ZAF_USER_FUNCTION_ENTRY,
                                                    ZAF_STORAGE_TYPE_NAMED};
const ZafNameEntry::Kind ZafNameEntry::userObject{u"userObject", ID_ZAF_USER_OBJECT_ENTRY,
                                                  ZAF_STORAGE_TYPE_NAMED};
const ZafNameEntry::Kind ZafNameEntry::compareFunction{u"compareFunction", ID_ZAF_COMPARE_FUNCTION_ENTRY,
                                                       ZAF_STORAGE_TYPE_DATA};

ZafError ZafNameEntry::Write(ZafObjectPersistence& persistence, const Kind& kind, const ZafIChar* objectName,
                             const ZafIChar* text) {
  persistence.PushLevel(kind.className, kind.classID, kind.storageType);
  if (persistence.CurrentFile(objectName, ZAF_PERSIST_WRITE) == ZAF_ERROR_NONE && persistence.File()) {
    ZafFile& file = *persistence.File();
    file.WriteString(text);
    if (file.Error() != ZAF_ERROR_NONE) {
      persistence.SetError(file.Error());
    }
  }
  persistence.PopLevel();
  return persistence.Error();
}

bool ZafNameEntry::Read(ZafObjectPersistence& persistence, const Kind& kind, const ZafIChar* objectName,
                        std::u16string& text) {
  text.clear();
  const ZafError before = persistence.Error();
  persistence.PushLevel(kind.className, kind.classID, kind.storageType);
  ZafFile* file =
      persistence.CurrentFile(objectName, ZAF_PERSIST_READ) == ZAF_ERROR_NONE ? persistence.File() : nullptr;
  if (!file) {
    // No such entry: the object simply has nothing of this kind.
    persistence.PopLevel();
    persistence.SetError(before);
    return false;
  }
  ZafIChar* characters = nullptr;
  const int count = file->ReadString(characters);
  std::unique_ptr<ZafIChar[]> owned(characters);
  // The name is the entry's only field: a short string, or bytes after it, mean the entry is not ours.
  const bool whole = count >= 0 && file->Error() == ZAF_ERROR_NONE && file->Tell() == file->Length();
  if (whole) {
    text.assign(owned.get(), owned.get() + count);
  } else {
    persistence.SetError(ZAF_ERROR_READ);
  }
  persistence.PopLevel();
  return whole;
}
