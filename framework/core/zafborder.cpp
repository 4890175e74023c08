#include "framework/core/zafborder.h"

#include "framework/core/zafwindow.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"

ZafBorder::ZafBorder() : ZafWindowObject(0, 0, 0, 0) {
  MakeBorder();
}

ZafBorder::ZafBorder(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafWindowObject(name, persistence, u"ZafBorder", ID_ZAF_BORDER) {
  LeaveReadLevel(persistence);
  MakeBorder();
}

void ZafBorder::MakeBorder() {
  SetNumberID(ZAF_NUMID_BORDER);
  SetStringID(u"ZAF_NUMID_BORDER");
  supportObject = true;
  ownNativeWindow = false;
}

ZafClassID ZafBorder::ClassID() const {
  return ID_ZAF_BORDER;
}

const ZafIChar* ZafBorder::ClassName() const {
  return u"ZafBorder";
}

bool ZafBorder::IsA(ZafClassID id) const {
  return id == ID_ZAF_BORDER || ZafWindowObject::IsA(id);
}

bool ZafBorder::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafBorder") == 0) || ZafWindowObject::IsAName(name);
}

ZafWindowObject* ZafBorder::Duplicate() {
  return new ZafBorder(*this);
}

bool ZafBorder::SetSupportObject(bool) {
  supportObject = true;
  return true;
}

ZafObjectConstructor ZafBorder::ReadFunction() const {
  return &ZafBorder::Read;
}

ZafWindowObject* ZafBorder::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafBorder(name, persistence);
}
