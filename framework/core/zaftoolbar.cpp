#include "framework/core/zaftoolbar.h"

#include "framework/core/zaffieldtables.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstrlib.h"

namespace {

// Takes its place from its window, against the window's edges.
constexpr int32_t kPlacedAgainstEdges = 2;
constexpr uint16_t kWrap = 0x0001;
constexpr uint16_t kDockSideBits = 0x000F;

}  // namespace

ZafToolBar::ZafToolBar(int32_t left, int32_t top, int32_t width, int32_t height)
    : ZafEmbeddedWindow(left, top, width, height) {
  bordered = true;
  MakeToolBar();
}

ZafToolBar::ZafToolBar(const ZafToolBar& other)
    : ZafEmbeddedWindow(other), dockSide(other.dockSide), wrap(other.wrap) {
  MakeToolBar();
}

ZafToolBar::ZafToolBar(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafEmbeddedWindow(0, 0, 0, 0) {
  if (EnterReadLevel(name, persistence, ClassName(), ClassID())) {
    ReadWindow(persistence);
    ZafFile* file = persistence.File();
    uint16_t flags = 0;
    uint16_t side = 0;
    if (file && persistence.Error() == ZAF_ERROR_NONE) {
      file->ReadUInt16(flags);
      file->ReadUInt16(side);
      if (file->Error() == ZAF_ERROR_NONE && (side & kDockSideBits) > ZAF_DOCK_RIGHT) {
        persistence.SetError(ZAF_ERROR_READ);
      } else if (file->Error() == ZAF_ERROR_NONE) {
        wrap = flags & kWrap;
        dockSide = side & kDockSideBits;
      }
    }
  }
  LeaveReadLevel(persistence);
  MakeToolBar();
}

void ZafToolBar::MakeToolBar() {
  ClearWindowOptions();
  acceptDrop = false;
  nonCurrent = true;
  placement = kPlacedAgainstEdges;
  if (!parent) {
    supportObject = true;
  }
}

ZafClassID ZafToolBar::ClassID() const {
  return ID_ZAF_TOOL_BAR;
}

const ZafIChar* ZafToolBar::ClassName() const {
  return u"ZafToolBar";
}

bool ZafToolBar::IsA(ZafClassID id) const {
  return id == ID_ZAF_TOOL_BAR || ZafWindow::IsA(id);
}

bool ZafToolBar::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafToolBar") == 0) || ZafWindow::IsAName(name);
}

ZafWindowObject* ZafToolBar::Duplicate() {
  return new ZafToolBar(*this);
}

int32_t ZafToolBar::SetDockSide(int32_t side) {
  if (!screenID && side >= ZAF_DOCK_TOP && side <= ZAF_DOCK_RIGHT) {
    dockSide = side;
  }
  return dockSide;
}

bool ZafToolBar::SetWrap(bool flag) {
  return SetBeforeCreation(wrap, flag);
}

bool ZafToolBar::SetAcceptDrop(bool) {
  return acceptDrop = false;
}

int32_t ZafToolBar::SetPlacement(int32_t) {
  return placement = kPlacedAgainstEdges;
}

bool ZafToolBar::SetSupportObject(bool flag) {
  if (!parent) {
    supportObject = flag;
  }
  return supportObject;
}

const ZafPaletteMap* ZafToolBar::MapPalette(uint16_t type, uint16_t state) {
  const ZafPaletteMap* row = MapPaletteTable(zafBarPaletteTable, type, state);
  return row ? row : ZafWindow::MapPalette(type, state);
}

ZafError ZafToolBar::Write(ZafObjectPersistence& persistence) {
  if (BeginWrite(persistence) && persistence.Error() == ZAF_ERROR_NONE) {
    WriteWindowFields(persistence);
    ZafFile& file = *persistence.File();
    file.WriteUInt16(wrap ? kWrap : 0);
    file.WriteUInt16(static_cast<uint16_t>(dockSide & kDockSideBits));
  }
  return EndWrite(persistence);
}

ZafObjectConstructor ZafToolBar::ReadFunction() const {
  return &ZafToolBar::Read;
}

ZafWindowObject* ZafToolBar::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafToolBar(name, persistence);
}
