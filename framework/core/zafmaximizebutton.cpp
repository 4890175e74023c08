#include "framework/core/zafmaximizebutton.h"

#include "framework/core/zafwindow.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"

namespace {

constexpr ZafFrameButtonSettings kSettings{
    .numberID = ZAF_NUMID_MAXIMIZE,
    .stringID = u"ZAF_NUMID_MAXIMIZE",
    .kind = ZAF_PUSH_BUTTON_3,
    .depth = 1,
    .nonCurrent = true,
    .chooseOnDoubleClick = false,
    .chooseOnPress = false,
    .messageOnSelect = true,
    .neverFocused = true,
    .plain = false,
    .firstCode = MaximizeEvent,
    .codes = ZAF_MAXIMIZE_CODES,
};

}  // namespace

ZafMaximizeButton::ZafMaximizeButton() : ZafFrameButton(kSettings, nullptr) {
  SharedImages<ID_ZAF_MAXIMIZE_BUTTON>::Acquire(ArrowPictures(true));
}

ZafMaximizeButton::ZafMaximizeButton(const ZafMaximizeButton& other) : ZafFrameButton(other) {
  SharedImages<ID_ZAF_MAXIMIZE_BUTTON>::Acquire(ArrowPictures(true));
}

ZafClassID ZafMaximizeButton::ClassID() const {
  return ID_ZAF_MAXIMIZE_BUTTON;
}

const ZafIChar* ZafMaximizeButton::ClassName() const {
  return u"ZafMaximizeButton";
}

bool ZafMaximizeButton::IsA(ZafClassID id) const {
  return id == ID_ZAF_MAXIMIZE_BUTTON || ZafButton::IsA(id);
}

bool ZafMaximizeButton::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafMaximizeButton") == 0) || ZafButton::IsAName(name);
}

ZafWindowObject* ZafMaximizeButton::Duplicate() {
  return new ZafMaximizeButton(*this);
}

ZafBitmapData* ZafMaximizeButton::Image(int index) {
  return SharedImages<ID_ZAF_MAXIMIZE_BUTTON>::Image(index);
}

ZafError ZafMaximizeButton::Write(ZafObjectPersistence& persistence) {
  return WriteEntryOnly(persistence);
}

ZafObjectConstructor ZafMaximizeButton::ReadFunction() const {
  return &ZafMaximizeButton::Read;
}

ZafWindowObject* ZafMaximizeButton::Read(const ZafIChar*, ZafObjectPersistence&) {
  return new ZafMaximizeButton();
}
