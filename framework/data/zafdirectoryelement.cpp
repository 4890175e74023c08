#include "framework/data/zafdirectoryelement.h"

#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"

ZafDirectoryElement::ZafDirectoryElement(const ZafIChar* entryName, uint16_t entryType)
    : type(entryType), name(entryName ? entryName : u"") {}

ZafClassID ZafDirectoryElement::ClassID() const {
  return ID_ZAF_DIRECTORY_ELEMENT;
}

const ZafIChar* ZafDirectoryElement::ClassName() const {
  return u"ZafDirectoryElement";
}

bool ZafDirectoryElement::IsA(ZafClassID id) const {
  return id == ID_ZAF_DIRECTORY_ELEMENT || ZafElement::IsA(id);
}

bool ZafDirectoryElement::IsAName(const ZafIChar* className) const {
  return (className && ZafStrCmp(className, u"ZafDirectoryElement") == 0) || ZafElement::IsAName(className);
}

int ZafDirectoryElement::Depth() const {
  int depth = 0;
  for (const ZafDirectoryElement* entry = parent; entry; entry = entry->parent) {
    ++depth;
  }
  return depth;
}

bool ZafDirectoryElement::Contains(const ZafDirectoryElement* entry) const {
  for (; entry; entry = entry->parent) {
    if (entry == this) {
      return true;
    }
  }
  return false;
}
