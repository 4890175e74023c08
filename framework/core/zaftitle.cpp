#include "framework/core/zaftitle.h"

#include "framework/core/zafwindow.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstringdata.h"
#include "framework/data/zafstrlib.h"

namespace {

// A double click on the caption is the choice; its code stays 0 until a program gives it one.
constexpr ZafFrameButtonSettings kSettings{
    .numberID = ZAF_NUMID_TITLE,
    .stringID = u"ZAF_NUMID_TITLE",
    .kind = ZAF_FLAT_BUTTON,
    .depth = 0,
    .nonCurrent = true,
    .chooseOnDoubleClick = true,
    .chooseOnPress = true,
    .messageOnSelect = true,
    .neverFocused = true,
    .plain = true,
    .firstCode = 0,
    .codes = ZAF_MAXIMIZE_CODES,
};

}  // namespace

ZafTitle::ZafTitle(const ZafIChar* text) : ZafFrameButton(kSettings, new ZafStringData(text)) {}

ZafTitle::ZafTitle(ZafStringData* text) : ZafFrameButton(kSettings, text) {}

ZafTitle::ZafTitle(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafFrameButton(kSettings, name, persistence, u"ZafTitle", ID_ZAF_TITLE) {
  LeaveReadLevel(persistence);
}

ZafClassID ZafTitle::ClassID() const {
  return ID_ZAF_TITLE;
}

const ZafIChar* ZafTitle::ClassName() const {
  return u"ZafTitle";
}

bool ZafTitle::IsA(ZafClassID id) const {
  return id == ID_ZAF_TITLE || ZafButton::IsA(id);
}

bool ZafTitle::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafTitle") == 0) || ZafButton::IsAName(name);
}

ZafWindowObject* ZafTitle::Duplicate() {
  return new ZafTitle(*this);
}

ZafObjectConstructor ZafTitle::ReadFunction() const {
  return &ZafTitle::Read;
}

ZafWindowObject* ZafTitle::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafTitle(name, persistence);
}
