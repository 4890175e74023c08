#include "framework/data/zafelement.h"

#include "framework/data/zafclassid.h"
#include "framework/data/zaflist.h"
#include "framework/data/zafstrlib.h"

namespace {

std::unique_ptr<ZafIChar[]> CopyText(const ZafIChar* text) {
  return std::unique_ptr<ZafIChar[]>(ZafStrDup(text));
}

}  // namespace

ZafElement::ZafElement(const ZafElement& other)
    : numberID(other.numberID), stringID(CopyText(other.stringID.get())) {}

ZafElement::~ZafElement() {
  if (itsList) {
    itsList->Subtract(this);
  }
}

ZafElement* ZafElement::MatchNumberID(ZafNumberID id) {
  return id == numberID ? this : nullptr;
}

ZafElement* ZafElement::MatchStringID(const ZafIChar* id) {
  if (!id || !stringID) {
    return nullptr;
  }
  return ZafStrCmp(id, stringID.get()) == 0 ? this : nullptr;
}

ZafClassID ZafElement::ClassID() const {
  return ID_ZAF_ELEMENT;
}

const ZafIChar* ZafElement::ClassName() const {
  return u"ZafElement";
}

// Each class answers for its own ID and name and asks its base for the rest.
bool ZafElement::IsA(ZafClassID id) const {
  return id == ID_ZAF_ELEMENT;
}

bool ZafElement::IsAName(const ZafIChar* name) const {
  return name && ZafStrCmp(name, u"ZafElement") == 0;
}

ZafNumberID ZafElement::SetNumberID(ZafNumberID id) {
  numberID = id;
  return numberID;
}

const ZafIChar* ZafElement::SetStringID(const ZafIChar* id) {
  stringID = CopyText(id);
  return stringID.get();
}

int ZafElement::ListIndex() const {
  int index = 0;
  for (const ZafElement* element = previous; element; element = element->previous) {
    ++index;
  }
  return index;
}
