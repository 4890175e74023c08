#include "framework/core/zafpulldownitem.h"

#include "framework/data/zafclassid.h"
#include "framework/data/zafstringdata.h"
#include "framework/data/zafstrlib.h"

ZafPullDownItem::ZafPullDownItem(const ZafIChar* text) : ZafMenuItem(new ZafStringData(text)) {
  MakePullDownItem();
}

ZafPullDownItem::ZafPullDownItem(ZafStringData* text) : ZafMenuItem(text ? text : new ZafStringData()) {
  MakePullDownItem();
}

ZafPullDownItem::ZafPullDownItem(const ZafPullDownItem& other) : ZafMenuItem(other) {
  MakePullDownItem();
}

ZafPullDownItem::ZafPullDownItem(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafMenuItem(name, persistence, u"ZafPullDownItem", ID_ZAF_PULL_DOWN_ITEM) {
  ReadSubmenu(persistence);
  LeaveReadLevel(persistence);
  // Whatever the record says, a bar entry posts nothing and is never selected.
  MakePullDownItem();
}

void ZafPullDownItem::MakePullDownItem() {
  value = 0;
  messageText.reset();
  if (messageOnSelect) {
    messageOnSelect = false;
    userCallback = &ZafWindowObject::DefaultUserCallback;
  }
  selected = false;
}

ZafClassID ZafPullDownItem::ClassID() const {
  return ID_ZAF_PULL_DOWN_ITEM;
}

const ZafIChar* ZafPullDownItem::ClassName() const {
  return u"ZafPullDownItem";
}

bool ZafPullDownItem::IsA(ZafClassID id) const {
  return id == ID_ZAF_PULL_DOWN_ITEM || ZafMenuItem::IsA(id);
}

bool ZafPullDownItem::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafPullDownItem") == 0) || ZafMenuItem::IsAName(name);
}

ZafWindowObject* ZafPullDownItem::Duplicate() {
  return new ZafPullDownItem(*this);
}

int32_t ZafPullDownItem::SetValue(int32_t) {
  value = 0;
  return 0;
}

const ZafIChar* ZafPullDownItem::SetMessageText(const ZafIChar*) {
  messageText.reset();
  return nullptr;
}

bool ZafPullDownItem::SetMessageOnSelect(bool) {
  messageOnSelect = false;
  return false;
}

bool ZafPullDownItem::SetSelected(bool) {
  selected = false;
  return false;
}

ZafObjectConstructor ZafPullDownItem::ReadFunction() const {
  return &ZafPullDownItem::Read;
}

ZafWindowObject* ZafPullDownItem::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafPullDownItem(name, persistence);
}
