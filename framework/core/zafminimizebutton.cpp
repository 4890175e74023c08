#include "framework/core/zafminimizebutton.h"

#include "framework/core/zafwindow.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"

namespace {

constexpr ZafFrameButtonSettings kSettings{
    .numberID = ZAF_NUMID_MINIMIZE,
    .stringID = u"ZAF_NUMID_MINIMIZE",
    .kind = ZAF_PUSH_BUTTON_3,
    .depth = 1,
    .nonCurrent = true,
    .chooseOnDoubleClick = false,
    .chooseOnPress = false,
    .messageOnSelect = true,
    .neverFocused = true,
    .plain = false,
    .firstCode = MinimizeEvent,
    .codes = ZAF_MINIMIZE_CODES,
};

}  // namespace

ZafMinimizeButton::ZafMinimizeButton() : ZafFrameButton(kSettings, nullptr) {
  SharedImages<ID_ZAF_MINIMIZE_BUTTON>::Acquire(ArrowPictures(false));
}

ZafMinimizeButton::ZafMinimizeButton(const ZafMinimizeButton& other) : ZafFrameButton(other) {
  SharedImages<ID_ZAF_MINIMIZE_BUTTON>::Acquire(ArrowPictures(false));
}

ZafClassID ZafMinimizeButton::ClassID() const {
  return ID_ZAF_MINIMIZE_BUTTON;
}

const ZafIChar* ZafMinimizeButton::ClassName() const {
  return u"ZafMinimizeButton";
}

bool ZafMinimizeButton::IsA(ZafClassID id) const {
  return id == ID_ZAF_MINIMIZE_BUTTON || ZafButton::IsA(id);
}

bool ZafMinimizeButton::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafMinimizeButton") == 0) || ZafButton::IsAName(name);
}

ZafWindowObject* ZafMinimizeButton::Duplicate() {
  return new ZafMinimizeButton(*this);
}

ZafBitmapData* ZafMinimizeButton::Image(int index) {
  return SharedImages<ID_ZAF_MINIMIZE_BUTTON>::Image(index);
}

ZafError ZafMinimizeButton::Write(ZafObjectPersistence& persistence) {
  return WriteEntryOnly(persistence);
}

ZafObjectConstructor ZafMinimizeButton::ReadFunction() const {
  return &ZafMinimizeButton::Read;
}

ZafWindowObject* ZafMinimizeButton::Read(const ZafIChar*, ZafObjectPersistence&) {
  return new ZafMinimizeButton();
}
