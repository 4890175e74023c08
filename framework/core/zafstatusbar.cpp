#include "framework/core/zafstatusbar.h"

#include "framework/core/zaffieldtables.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"

namespace {

// Takes its place from its window, against the window's edges.
constexpr int32_t kPlacedAgainstEdges = 2;

}  // namespace

ZafStatusBar::ZafStatusBar(int32_t left, int32_t top, int32_t width, int32_t height)
    : ZafEmbeddedWindow(left, top, width, height) {
  bordered = true;
  MakeStatusBar();
}

ZafStatusBar::ZafStatusBar(const ZafStatusBar& other) : ZafEmbeddedWindow(other) {
  MakeStatusBar();
}

ZafStatusBar::ZafStatusBar(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafEmbeddedWindow(0, 0, 0, 0) {
  ReadStoredWindow(name, persistence, ClassName(), ClassID());
  MakeStatusBar();
}

void ZafStatusBar::MakeStatusBar() {
  ClearWindowOptions();
  selectionType = 0;
  acceptDrop = false;
  userFunction = nullptr;
  nonCurrent = true;
  placement = kPlacedAgainstEdges;
  supportObject = true;
  for (ZafElement* element = First(); element; element = element->Next()) {
    PrepareChild(*static_cast<ZafWindowObject*>(element));
  }
}

void ZafStatusBar::PrepareChild(ZafWindowObject& child) {
  child.SetOwnNativeWindow(false);
  child.SetParentPalette(true);
  child.SetParentDrawBorder(true);
}

ZafWindowObject* ZafStatusBar::Add(ZafWindowObject* object, ZafWindowObject* before) {
  if (object) {
    PrepareChild(*object);
  }
  return ZafWindow::Add(object, before);
}

ZafClassID ZafStatusBar::ClassID() const {
  return ID_ZAF_STATUS_BAR;
}

const ZafIChar* ZafStatusBar::ClassName() const {
  return u"ZafStatusBar";
}

bool ZafStatusBar::IsA(ZafClassID id) const {
  return id == ID_ZAF_STATUS_BAR || ZafWindow::IsA(id);
}

bool ZafStatusBar::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafStatusBar") == 0) || ZafWindow::IsAName(name);
}

ZafWindowObject* ZafStatusBar::Duplicate() {
  return new ZafStatusBar(*this);
}

ZafUserFunction ZafStatusBar::SetUserFunction(ZafUserFunction) {
  return userFunction = nullptr;
}

bool ZafStatusBar::SetAcceptDrop(bool) {
  return acceptDrop = false;
}

bool ZafStatusBar::SetFocus(bool) {
  return focus = false;
}

bool ZafStatusBar::SetNonCurrent(bool) {
  return nonCurrent = true;
}

int32_t ZafStatusBar::SetPlacement(int32_t) {
  return placement = kPlacedAgainstEdges;
}

bool ZafStatusBar::SetSupportObject(bool) {
  return supportObject = true;
}

uint32_t ZafStatusBar::SetSelectMultiple(bool) {
  return selectionType = 0;
}

const ZafPaletteMap* ZafStatusBar::MapPalette(uint16_t type, uint16_t state) {
  const ZafPaletteMap* row = MapPaletteTable(zafBarPaletteTable, type, state);
  return row ? row : ZafWindow::MapPalette(type, state);
}

ZafObjectConstructor ZafStatusBar::ReadFunction() const {
  return &ZafStatusBar::Read;
}

ZafWindowObject* ZafStatusBar::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafStatusBar(name, persistence);
}
