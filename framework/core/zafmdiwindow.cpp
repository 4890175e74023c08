#include "framework/core/zafmdiwindow.h"

#include "framework/core/zafminimizebutton.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstrlib.h"

namespace {

// The stored type keeps four bits.
constexpr uint16_t kTypeBits = 0x000F;

// The background in the platform's default colours, which the back-end resolves by role.
constexpr ZafPaletteMap kPaletteTable[] = {
    {ZAF_PM_BACKGROUND,
     0,
     {0, 0, ZAF_COLOR_SYSTEM, ZAF_COLOR_SYSTEM, 0, 2, 1, ZAF_OS_COLOR_NOT_SET, ZAF_OS_COLOR_NOT_SET}},
    {ZAF_PM_END, 0, {}},
};

}  // namespace

ZafMDIWindow::ZafMDIWindow(int32_t left, int32_t top, int32_t width, int32_t height, int32_t type)
    : ZafWindow(left, top, width, height), mdiType(type) {
  bordered = false;
  placement = 0;
}

ZafMDIWindow::ZafMDIWindow(const ZafMDIWindow& other) : ZafWindow(other), mdiType(other.mdiType) {}

ZafMDIWindow::ZafMDIWindow(const ZafIChar* name, ZafObjectPersistence& persistence) : ZafWindow(0, 0, 0, 0) {
  if (EnterReadLevel(name, persistence, u"ZafMDIWindow", ID_ZAF_MDI_WINDOW)) {
    ReadWindow(persistence);
    ZafFile* file = persistence.File();
    if (file && persistence.Error() == ZAF_ERROR_NONE && file->Error() == ZAF_ERROR_NONE) {
      uint16_t type = 0;
      file->ReadUInt16(type);
      mdiType = type & kTypeBits;
    }
  }
  LeaveReadLevel(persistence);
}

ZafClassID ZafMDIWindow::ClassID() const {
  return ID_ZAF_MDI_WINDOW;
}

const ZafIChar* ZafMDIWindow::ClassName() const {
  return u"ZafMDIWindow";
}

bool ZafMDIWindow::IsA(ZafClassID id) const {
  return id == ID_ZAF_MDI_WINDOW || ZafWindow::IsA(id);
}

bool ZafMDIWindow::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafMDIWindow") == 0) || ZafWindow::IsAName(name);
}

ZafWindowObject* ZafMDIWindow::Duplicate() {
  return new ZafMDIWindow(*this);
}

int32_t ZafMDIWindow::SetMDIType(int32_t type) {
  const bool mayChange = IsFrame() ? Count() == 0 : parent == nullptr;
  if (!screenID && mayChange) {
    mdiType = type & kTypeBits;
  }
  return mdiType;
}

void ZafMDIWindow::SettleType() {
  if (IsFrame() && parent) {
    mdiType = ZAF_MDI_CHILD;
  } else if (!IsFrame() && !parent) {
    mdiType = ZAF_MDI_FRAME;
  }
}

ZafWindowObject* ZafMDIWindow::Add(ZafWindowObject* object, ZafWindowObject* before) {
  if (IsFrame() && !before && object && !object->SupportObject()) {
    before = FirstChild();
  }
  return ZafWindow::Add(object, before);
}

ZafMinimizeButton* ZafMDIMinimizeButton(const ZafWindow* window) {
  ZafWindowObject* object = window ? window->SupportObjectByID(ZAF_NUMID_MINIMIZE) : nullptr;
  return object && object->IsA(ID_ZAF_MINIMIZE_BUTTON) ? static_cast<ZafMinimizeButton*>(object) : nullptr;
}

ZafWindowObject* ZafMDIWindow::RootObject() {
  return this;
}

const ZafPaletteMap* ZafMDIWindow::MapPalette(uint16_t type, uint16_t state) {
  const ZafPaletteMap* row = MapPaletteTable(kPaletteTable, type, state);
  return row ? row : ZafWindow::MapPalette(type, state);
}

// ---- Pinned settings ----

bool ZafMDIWindow::SetAcceptDrop(bool flag) {
  return IsFrame() ? (acceptDrop = false) : ZafWindow::SetAcceptDrop(flag);
}

bool ZafMDIWindow::SetBordered(bool) {
  return bordered = false;
}

bool ZafMDIWindow::SetDisabled(bool) {
  return disabled = false;
}

bool ZafMDIWindow::SetNonCurrent(bool) {
  return nonCurrent = false;
}

bool ZafMDIWindow::SetParentPalette(bool) {
  return parentPalette = false;
}

int32_t ZafMDIWindow::SetPlacement(int32_t) {
  return placement = 0;
}

bool ZafMDIWindow::SetTemporary(bool) {
  return temporary = false;
}

ZafWindow* ZafMDIWindow::SetOwner(ZafWindow* newOwner) {
  return IsFrame() ? ZafWindow::SetOwner(newOwner) : (owner = nullptr);
}

uint32_t ZafMDIWindow::SetSelectMultiple(bool flag) {
  return IsFrame() ? (selectionType = 0) : ZafWindow::SetSelectMultiple(flag);
}

// ---- Storage ----

ZafObjectConstructor ZafMDIWindow::ReadFunction() const {
  return &ZafMDIWindow::Read;
}

ZafWindowObject* ZafMDIWindow::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafMDIWindow(name, persistence);
}

ZafError ZafMDIWindow::Write(ZafObjectPersistence& persistence) {
  if (BeginWrite(persistence) && persistence.Error() == ZAF_ERROR_NONE) {
    WriteWindowFields(persistence);
    persistence.File()->WriteUInt16(static_cast<uint16_t>(mdiType & kTypeBits));
  }
  return EndWrite(persistence);
}
