#include "framework/data/zaffilesystem.h"

#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"

ZafClassID ZafFileSystem::ClassID() const {
  return ID_ZAF_FILE_SYSTEM;
}

const ZafIChar* ZafFileSystem::ClassName() const {
  return u"ZafFileSystem";
}

bool ZafFileSystem::IsA(ZafClassID id) const {
  return id == ID_ZAF_FILE_SYSTEM || ZafElement::IsA(id);
}

bool ZafFileSystem::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafFileSystem") == 0) || ZafElement::IsAName(name);
}

ZafError ZafFileSystem::SetError(ZafError value) {
  error = value;
  return error;
}

uint16_t ZafFileSystem::SetFlags(uint16_t value) {
  flags = value;
  return flags;
}
