#include "framework/core/zafvtlist.h"

#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafpalettedata.h"
#include "framework/data/zafstrlib.h"

namespace {

constexpr uint16_t kSorted = 0x0001;

constexpr ZafEventMap kEventMap[] = {
    {1056, ZAF_KEYBOARD_DEVICE, 0x24, 0x200},        {1057, ZAF_KEYBOARD_DEVICE, 0x23, 0x200},
    {1059, ZAF_KEYBOARD_DEVICE, 0x22, 0x200},        {1058, ZAF_KEYBOARD_DEVICE, 0x21, 0x200},
    {ChosenEvent, ZAF_KEYBOARD_DEVICE, 0x20, 0x200}, {EndOfEventMap, 0, 0, 0},
};

constexpr ZafPaletteMap kPaletteTable[] = {
    {ZAF_PM_TEXT, ZAF_PM_DISABLED, {0, 0, ZAF_COLOR_SYSTEM, ZAF_COLOR_SYSTEM, 0, 2, 1}},
    {ZAF_PM_TEXT, ZAF_PM_SELECTED, {0, 0, ZAF_COLOR_SYSTEM, ZAF_COLOR_SYSTEM, 0, 2, 1}},
    {ZAF_PM_BACKGROUND, 0, {0, 0, ZAF_COLOR_SYSTEM, ZAF_COLOR_SYSTEM, 0, 2, 3}},
    {ZAF_PM_FOCUS, 0, {0, 0, 15, 0, 2, 0, 3}},
    {ZAF_PM_END, 0, {}},
};

void SetBackgroundBytes(ZafPaletteStruct& palette, uint8_t color, uint8_t second) {
  palette.colorBackground = color;
  palette.colorReserved2 = second;
}

void SetForegroundBytes(ZafPaletteStruct& palette, uint8_t color, uint8_t second) {
  palette.colorForeground = color;
  palette.colorReserved1 = second;
}

void SetFontByte(ZafPaletteStruct& palette, uint8_t font, uint8_t) {
  palette.font = font;
}

}  // namespace

ZafVtList::ZafVtList(int32_t left, int32_t top, int32_t width, int32_t height)
    : ZafEmbeddedWindow(left, top, width, height) {
  bordered = true;
  MakeList();
}

ZafVtList::ZafVtList(const ZafVtList& other) : ZafEmbeddedWindow(other), sort(other.sort) {
  MakeList();
  SetCompareFunction(other.CompareFunction());
}

ZafVtList::ZafVtList(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafEmbeddedWindow(0, 0, 0, 0) {
  if (EnterReadLevel(name, persistence, ClassName(), ClassID())) {
    ReadWindow(persistence);
    ZafFile* file = persistence.File();
    uint16_t flags = 0;
    if (file && persistence.Error() == ZAF_ERROR_NONE && file->ReadUInt16(flags) == 2 && (flags & kSorted)) {
      // The items were stored in their order: they are not sorted again.
      sort = true;
      SetCompareFunction(&ZafWindow::CompareAscending);
    }
  }
  LeaveReadLevel(persistence);
  MakeList();
}

void ZafVtList::MakeList() {
  const bool wasTemporary = temporary;
  ClearWindowOptions();
  temporary = wasTemporary;
  MarkItems();
}

void ZafVtList::MarkItems() {
  for (ZafElement* element = First(); element; element = element->Next()) {
    auto* item = static_cast<ZafWindowObject*>(element);
    item->SetOwnNativeWindow(false);
    item->SetParentPalette(true);
  }
}

ZafClassID ZafVtList::ClassID() const {
  return ID_ZAF_VT_LIST;
}

const ZafIChar* ZafVtList::ClassName() const {
  return u"ZafVtList";
}

bool ZafVtList::IsA(ZafClassID id) const {
  return id == ID_ZAF_VT_LIST || id == ID_ZAF_LIST || ZafWindow::IsA(id);
}

bool ZafVtList::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafVtList") == 0) || ZafWindow::IsAName(name);
}

ZafWindowObject* ZafVtList::Duplicate() {
  return new ZafVtList(*this);
}

bool ZafVtList::SetTemporary(bool flag) {
  return ZafWindow::SetTemporary(flag);
}

const ZafWindowObject* ZafVtList::DragAnswerer() const {
  return Temporary() && parent ? parent : nullptr;
}

bool ZafVtList::CtrlDrag() const {
  const ZafWindowObject* answerer = DragAnswerer();
  return answerer ? answerer->CtrlDrag() : ZafWindowObject::CtrlDrag();
}

bool ZafVtList::ShiftCtrlDrag() const {
  const ZafWindowObject* answerer = DragAnswerer();
  return answerer ? answerer->ShiftCtrlDrag() : ZafWindowObject::ShiftCtrlDrag();
}

bool ZafVtList::ShiftDrag() const {
  const ZafWindowObject* answerer = DragAnswerer();
  return answerer ? answerer->ShiftDrag() : ZafWindowObject::ShiftDrag();
}

bool ZafVtList::AnyDrag() const {
  const ZafWindowObject* answerer = DragAnswerer();
  return answerer ? answerer->AnyDrag() : ZafWindowObject::AnyDrag();
}

bool ZafVtList::SetCtrlDrag(bool flag) {
  return ZafWindowObject::SetCtrlDrag(flag);
}

bool ZafVtList::SetShiftCtrlDrag(bool flag) {
  return ZafWindowObject::SetShiftCtrlDrag(flag);
}

bool ZafVtList::SetShiftDrag(bool flag) {
  return ZafWindowObject::SetShiftDrag(flag);
}

bool ZafVtList::SetSort(bool flag) {
  if (flag == sort) {
    return sort;
  }
  sort = flag;
  if (sort) {
    SetCompareFunction(&ZafWindow::CompareAscending);
    Sort();
  } else if (CompareFunction() == &ZafWindow::CompareAscending) {
    SetCompareFunction(nullptr);
  }
  return sort;
}

int ZafVtList::Sort() {
  ZafList::Sort();
  return ResetNative();
}

void ZafVtList::ChangePalette(uint16_t type, uint16_t state,
                              void (*change)(ZafPaletteStruct&, uint8_t, uint8_t), uint8_t value,
                              uint8_t second) {
  if (!paletteData) {
    SetPaletteData(new ZafPaletteData());
  }
  ZafPaletteStruct entry = paletteData->GetPalette(type, state);
  change(entry, value, second);
  paletteData->SetPalette(type, state, entry);
}

uint8_t ZafVtList::SetBackgroundColor(uint8_t color, uint8_t second) {
  ChangePalette(ZAF_PM_BACKGROUND, ZAF_PM_NOT_SELECTED, &SetBackgroundBytes, color, second);
  ChangePalette(ZAF_PM_TEXT, ZAF_PM_ENABLED | ZAF_PM_SELECTED, &SetForegroundBytes, color, second);
  return color;
}

uint8_t ZafVtList::SetTextColor(uint8_t color, uint8_t second) {
  ChangePalette(ZAF_PM_TEXT, ZAF_PM_ENABLED | ZAF_PM_NOT_SELECTED, &SetForegroundBytes, color, second);
  ChangePalette(ZAF_PM_BACKGROUND, ZAF_PM_SELECTED, &SetBackgroundBytes, color, second);
  return color;
}

uint8_t ZafVtList::SetFont(uint8_t font) {
  for (const uint16_t state : {uint16_t(ZAF_PM_ENABLED | ZAF_PM_NOT_SELECTED),
                               uint16_t(ZAF_PM_ENABLED | ZAF_PM_SELECTED), uint16_t{0}}) {
    ChangePalette(ZAF_PM_TEXT, state, &SetFontByte, font, 0);
  }
  return font;
}

ZafEventType ZafVtList::MapEvent(const ZafEventRecord& event) {
  const ZafEventType logical = MapEventTable(kEventMap, event);
  return logical == EndOfEventMap ? ZafWindow::MapEvent(event) : logical;
}

const ZafPaletteMap* ZafVtList::MapPalette(uint16_t type, uint16_t state) {
  const ZafPaletteMap* row = MapPaletteTable(kPaletteTable, type, state);
  return row ? row : ZafWindow::MapPalette(type, state);
}

ZafError ZafVtList::Write(ZafObjectPersistence& persistence) {
  if (BeginWrite(persistence) && persistence.Error() == ZAF_ERROR_NONE) {
    WriteWindowFields(persistence);
    persistence.File()->WriteUInt16(sort ? kSorted : 0);
  }
  return EndWrite(persistence);
}

ZafObjectConstructor ZafVtList::ReadFunction() const {
  return &ZafVtList::Read;
}

ZafWindowObject* ZafVtList::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafVtList(name, persistence);
}
