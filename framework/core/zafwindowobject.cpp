#include "framework/core/zafwindowobject.h"

#include <string>

#include "framework/core/zafdisplay.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafgeometrymanager.h"
#include "framework/core/zafhelpstub.h"
#include "framework/core/zafnameentry.h"
#include "framework/core/zafwindow.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafpalettedata.h"
#include "framework/data/zafstrlib.h"
#include "framework/data/zafutf8.h"

ZafDisplay* ZafWindowObject::display = nullptr;
ZafEventManager* ZafWindowObject::eventManager = nullptr;
ZafWindowManager* ZafWindowObject::windowManager = nullptr;
ZafObjectPersistence* ZafWindowObject::objectPersistence = nullptr;
int32_t ZafWindowObject::repeatDelay = 250;
int32_t ZafWindowObject::repeatPeriod = 50;

namespace {

constexpr ZafRegionStruct kNoNativeRegion{-1, -1, -2, -2, ZAF_PIXEL};

// The class palette table: one row per palette type, and a last row that matches everything and asks the
// parent for the rest.
constexpr ZafPaletteMap kPaletteTable[] = {
    {ZAF_PM_TEXT, 0, {0, 0, 253, 253, 0, 2, 1, 0, 0}},
    {ZAF_PM_FOREGROUND, 0, {0, 0, 253, 253, 0, 2, 1, 0, 0}},
    {ZAF_PM_BACKGROUND, 0, {0, 0, 253, 253, 0, 2, 1, 0, 0}},
    {ZAF_PM_DARK_SHADOW, 0, {0, 0, 253, 253, 2, 0, 1, 0, 0}},
    {ZAF_PM_LIGHT_SHADOW, 0, {0, 0, 253, 253, 2, 0, 1, 0, 0}},
    {ZAF_PM_OUTLINE, 0, {0, 0, 0, 0, 0, 0, 1, 0, 0}},
    {ZAF_PM_FOCUS, 0, {0, 0, 253, 0, 2, 0, 1, 0, 0}},
    {ZAF_PM_ANY_TYPE, 0, {253, 253, 252, 252, 252, 252, 253, 0, 0}},
};

// Arrows, mouse buttons, Esc and F1. The first match wins: the later rows for the left arrow are shadowed
// and never decide, and stay so that the map reads as it always did.
constexpr ZafEventMap kEventMap[] = {
    {1053, ZAF_KEYBOARD_DEVICE, 39, 512},
    {1053, ZAF_KEYBOARD_DEVICE, 39, 512},
    {1052, ZAF_KEYBOARD_DEVICE, 37, 512},
    {1052, ZAF_KEYBOARD_DEVICE, 37, 512},
    {1050, ZAF_KEYBOARD_DEVICE, 37, 512},
    {1050, ZAF_KEYBOARD_DEVICE, 38, 512},
    {1051, ZAF_KEYBOARD_DEVICE, 37, 512},
    {1051, ZAF_KEYBOARD_DEVICE, 40, 512},
    {1006, ZAF_MOUSE_DEVICE, 0x2200, 0},
    {1012, ZAF_MOUSE_DEVICE, 0x1100, 0x800},
    {1003, ZAF_MOUSE_DEVICE, 0x1100, 0},
    {1010, ZAF_KEYBOARD_DEVICE, 27, 512},
    {1007, ZAF_MOUSE_DEVICE, 0x200, 0},
    {1004, ZAF_MOUSE_DEVICE, 0x100, 0},
    {1008, ZAF_MOUSE_DEVICE, 0x2000, 0},
    {1005, ZAF_MOUSE_DEVICE, 0x1000, 0},
    {1009, ZAF_KEYBOARD_DEVICE, 112, 512},
    {1001, ZAF_MOUSE_DEVICE, 0, 0},
    {EndOfEventMap, 0, 0, 0},
};

// Storage flags of the window object record.
enum StoredFlag : uint16_t {
  kAcceptDrop = 0x0001,
  kBordered = 0x0002,
  kCtrlDrag = 0x0004,
  kShiftCtrlDrag = 0x0008,
  kShiftDrag = 0x0010,
  kNonCurrent = 0x0020,
  kDisabled = 0x0040,
  kNativeDrawing = 0x0080,
  kSelected = 0x0100,
  kSupportObject = 0x0200,
  kVisible = 0x0400,
  kParentDrawBorder = 0x0800,
  kParentDrawFocus = 0x1000,
  kParentPalette = 0x2000,
};

std::unique_ptr<ZafIChar[]> CopyText(const ZafIChar* text) {
  return std::unique_ptr<ZafIChar[]>(ZafStrDup(text));
}

std::u16string Decimal(unsigned value) {
  std::u16string digits;
  for (char c : std::to_string(value)) {
    digits += static_cast<ZafIChar>(c);
  }
  return digits;
}

// The seven palette bytes with their not-set, system-default and inherit values.
struct PaletteByteRule {
  uint8_t ZafPaletteStruct::*field;
  uint8_t notSet;
  uint8_t system;
  uint8_t inherit;
};
constexpr PaletteByteRule kPaletteBytes[] = {
    {&ZafPaletteStruct::lineStyle, ZAF_STYLE_NOT_SET, ZAF_STYLE_SYSTEM, ZAF_STYLE_INHERIT},
    {&ZafPaletteStruct::fillPattern, ZAF_STYLE_NOT_SET, ZAF_STYLE_SYSTEM, ZAF_STYLE_INHERIT},
    {&ZafPaletteStruct::colorForeground, ZAF_COLOR_NOT_SET, ZAF_COLOR_SYSTEM, ZAF_COLOR_INHERIT},
    {&ZafPaletteStruct::colorBackground, ZAF_COLOR_NOT_SET, ZAF_COLOR_SYSTEM, ZAF_COLOR_INHERIT},
    {&ZafPaletteStruct::colorReserved1, ZAF_COLOR_NOT_SET, ZAF_COLOR_SYSTEM, ZAF_COLOR_INHERIT},
    {&ZafPaletteStruct::colorReserved2, ZAF_COLOR_NOT_SET, ZAF_COLOR_SYSTEM, ZAF_COLOR_INHERIT},
    {&ZafPaletteStruct::font, ZAF_STYLE_NOT_SET, ZAF_STYLE_SYSTEM, ZAF_STYLE_INHERIT},
};

void MergeNotSet(ZafPaletteStruct& result, const ZafPaletteStruct& source) {
  for (const PaletteByteRule& byte : kPaletteBytes) {
    if (result.*byte.field == byte.notSet) {
      result.*byte.field = source.*byte.field;
    }
  }
}

bool AnyByte(const ZafPaletteStruct& palette, uint8_t PaletteByteRule::*value) {
  for (const PaletteByteRule& byte : kPaletteBytes) {
    if (palette.*byte.field == byte.*value) {
      return true;
    }
  }
  return false;
}

void InheritedToNotSet(ZafPaletteStruct& palette) {
  for (const PaletteByteRule& byte : kPaletteBytes) {
    if (palette.*byte.field == byte.inherit) {
      palette.*byte.field = byte.notSet;
    }
  }
}

// A top-level object is stored by name under its class (~ZafWindow~name); an object read or written
// while its window's entry is open is stored below that window.

int StorageType(const ZafObjectPersistence& persistence) {
  return persistence.File() ? ZAF_STORAGE_TYPE_CHILD : ZAF_STORAGE_TYPE_NAMED;
}

}  // namespace

// ---- Construction ----

ZafWindowObject::ZafWindowObject(int32_t left, int32_t top, int32_t width, int32_t height)
    : userCallback(&ZafWindowObject::DefaultUserCallback),
      region{left, top, left + width - 1, top + height - 1, ZAF_CELL},
      lastNativeRegion(kNoNativeRegion) {}

ZafWindowObject::ZafWindowObject(const ZafWindowObject& other)
    : ZafElement(other),
      wordA(other.wordA),
      wordB(other.wordB),
      userCallback(other.userCallback),
      userObject(other.userObject),
      region(other.region),
      lastNativeRegion(kNoNativeRegion),
      userFunction(other.userFunction),
      acceptDrop(other.acceptDrop),
      ctrlDrag(other.ctrlDrag),
      shiftCtrlDrag(other.shiftCtrlDrag),
      shiftDrag(other.shiftDrag),
      coordinateType(other.coordinateType),
      placement(other.placement),
      changed(other.changed),
      editMode(other.editMode),
      nonCurrent(other.nonCurrent),
      disabled(other.disabled),
      nativeDrawing(other.nativeDrawing),
      parentDrawBorder(other.parentDrawBorder),
      parentDrawFocus(other.parentDrawFocus),
      parentPalette(other.parentPalette),
      selected(other.selected),
      supportObject(other.supportObject),
      ownNativeWindow(other.ownNativeWindow),
      visible(other.visible),
      bordered(other.bordered),
      error(other.error),
      helpContext(CopyText(other.helpContext.get())),
      tipText(CopyText(other.tipText.get())),
      thirdText(CopyText(other.thirdText.get())),
      textD(CopyText(other.textD.get())) {
  if (other.paletteData) {
    // Owned palette data is copied; shared data stays shared.
    SetPaletteData(other.paletteData->Destroyable()
                       ? static_cast<ZafPaletteData*>(other.paletteData->Duplicate())
                       : other.paletteData);
  }
}

ZafWindowObject::ZafWindowObject(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafWindowObject(name, persistence, u"ZafWindowObject", ID_ZAF_WINDOW_OBJECT) {
  LeaveReadLevel(persistence);
}

ZafWindowObject::ZafWindowObject(const ZafIChar* name, ZafObjectPersistence& persistence,
                                 const ZafIChar* className, ZafClassID classID)
    : ZafWindowObject(0, 0, 0, 0) {
  EnterReadLevel(name, persistence, className, classID);
}

bool ZafWindowObject::EnterReadLevel(const ZafIChar* name, ZafObjectPersistence& persistence,
                                     const ZafIChar* className, ZafClassID classID) {
  SetStringID(name);
  persistence.PushLevel(className, classID, StorageType(persistence));
  if (persistence.CurrentFile(name, ZAF_PERSIST_READ) != ZAF_ERROR_NONE || !persistence.File()) {
    return false;
  }
  ReadFields(persistence);
  return true;
}

void ZafWindowObject::LeaveReadLevel(ZafObjectPersistence& persistence) {
  if (ZafFile* file = persistence.File(); file && file->Error() != ZAF_ERROR_NONE) {
    persistence.SetError(file->Error());
  }
  const ZafError readError = persistence.Error();
  persistence.PopLevel();
  if (readError != ZAF_ERROR_NONE) {
    SetError(readError);
  }
}

ZafWindowObject::~ZafWindowObject() {
  // Neither the window manager, nor the root's default buttons, nor the queue keep a reference to a
  // deleted object.
  if (windowManager && windowManager != this) {
    windowManager->ForgetObject(this);
  }
  LeaveDefaultButtons();
  if (eventManager) {
    eventManager->ForgetObject(this);
  }
  ZafGeometryManager::ForgetObject(this);
  ReleaseNativeWindow(screenID);
  ReleasePaletteData();
}

ZafClassID ZafWindowObject::ClassID() const {
  return ID_ZAF_WINDOW_OBJECT;
}

const ZafIChar* ZafWindowObject::ClassName() const {
  return u"ZafWindowObject";
}

bool ZafWindowObject::IsA(ZafClassID id) const {
  return id == ID_ZAF_WINDOW_OBJECT || ZafElement::IsA(id);
}

bool ZafWindowObject::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafWindowObject") == 0) || ZafElement::IsAName(name);
}

ZafWindowObject* ZafWindowObject::Duplicate() {
  return new ZafWindowObject(*this);
}

// ---- Events ----

ZafEventType ZafWindowObject::Event(const ZafEventRecord& event) {
  if (editMode) {
    const int32_t category = ZafEventRecord::Category(event);
    if (category == ZAF_CATEGORY_KEYBOARD || category == ZAF_CATEGORY_MOUSE) {
      return EditModeEvent(event);
    }
  }
  if (event.type == E_OSEVENT) {
    return NativeEvent(event);
  }
  const ZafEventType code = event.type;
  switch (code) {
    case CreateEvent: {
      // Created hidden, so the native window appears once, already in place.
      const bool wasVisible = visible;
      SetVisible(false);
      Event(ZafEventRecord(PrepareEvent, 0));
      Event(ZafEventRecord(NativeAttachedEvent, 0));
      Event(ZafEventRecord(FitEvent, 0));
      UpdateNative();
      SetVisible(wasVisible);
      return code;
    }
    case PrepareEvent:
      SetCoordinateTypeOfRegion(ZAF_PIXEL);
      lastNativeRegion = kNoNativeRegion;
      NumberAndName();
      return code;
    case FocusLostEvent:
      focus = false;
      return code;
    case DrawNowEvent:
    case RedisplayEvent:
    case RedisplayRegionEvent:
      if (screenID && IsAutomaticUpdateUp()) {
        RedisplayNative(event);
      }
      return code;
    case NativeGoneEvent:
      screenID = nullptr;
      focus = false;
      if (windowManager && windowManager->tipObject == this) {
        windowManager->tipObject = nullptr;
      }
      return code;
    case NativeAttachedEvent:
      AttachNative();
      return code;
    case DestroyEvent:
      if (screenID) {
        if (focus) {
          if (windowManager) {
            windowManager->focusObject = nullptr;
          }
          NotifyFocus(nullptr, false);
        }
        DestroyNative();
        Event(ZafEventRecord(NativeGoneEvent, 0));
      }
      return code;
    case HelpEvent:
      if (ZafHelpStub* help = ZafHelpStub::HelpSystem()) {
        const ZafIChar* context = nullptr;
        for (ZafWindowObject* object = this; object && !context; object = object->parent) {
          context = object->HelpContext();
        }
        help->DisplayHelp(context ? context : u"");
      }
      return code;
    case FocusRequestEvent:
      // The request goes round the queue once, naming this object, so the window manager gives the focus
      // when it comes back. A request that already names its object is not queued again: while a grab or
      // an addressed object takes every event it would come back here for ever.
      if (eventManager && !event.windowObject) {
        ZafEventRecord again = event;
        again.windowObject = this;
        again.addressedObject = nullptr;
        eventManager->Put(again, Q_END);
      }
      return code;
    case SetRegionEvent:
      SetRegion(event.Region());
      if (screenID) {
        SetCoordinateTypeOfRegion(ZAF_PIXEL);
        Event(ZafEventRecord(FitEvent, 0));
        UpdateNative();
      }
      return code;
    case FitEvent:
      if (placement != 0) {
        ZafWindowObject* area = parent ? parent : static_cast<ZafWindowObject*>(windowManager);
        if (area) {
          SetRegion(area->ClientRegion(this));
        }
      }
      return code;
    case FocusGainedEvent:
      focus = true;
      return code;
    case FocusGainEvent:
    case FocusLoseEvent:
    case ChosenEvent: {
      ZafEventRecord copy = event;
      return (this->*userCallback)(this, copy, code);
    }
    case TipEnterEvent:
    case TipLeaveEvent:
      if ((tipText || thirdText) && windowManager && windowManager->Focus() && eventManager) {
        eventManager->SendToDevices(event, E_HELP_TIPS);
      }
      return code;
    default:
      if (code >= FirstDragDropEvent && code <= LastDragDropEvent) {
        return DragDropEvent(event);
      }
      return UnknownEventResult;
  }
}

ZafEventType ZafWindowObject::MapEvent(const ZafEventRecord& event) {
  const ZafEventType logical = MapEventTable(kEventMap, event);
  return logical == EndOfEventMap ? event.type : logical;
}

ZafEventType ZafWindowObject::MapEventTable(const ZafEventMap* table, const ZafEventRecord& event) {
  // A native message carries its raw code only once translated for this object. The caller's record is
  // left as it came; a caller that needs the translated fields converts its own copy.
  if (event.referenceObject != this) {
    ZafEventRecord converted = event;
    if (ConvertCoordinates(converted)) {
      return MapEventTable(table, converted);
    }
  }
  if (event.type < 0 || event.type > 99) {
    return event.type;
  }
  const int32_t device = ZafEventRecord::Category(event);
  for (const ZafEventMap* row = table; row->logicalEvent != EndOfEventMap; ++row) {
    if (row->rawCode == event.value && row->deviceType == device && row->modifiers == event.modifiers) {
      return row->logicalEvent;
    }
  }
  return EndOfEventMap;
}

void ZafWindowObject::NumberAndName() {
  ZafWindowObject* root = parent ? RootObject() : windowManager;
  if (root && root != this) {
    if (NumberID() == 0) {
      SetNumberID(root->nextNumberID++);
    } else if (parent && root->nextNumberID <= NumberID() && !ZafIsReservedNumberID(NumberID())) {
      // The support objects' reserved numbers are not counted: the next child would get a reserved
      // number, or 0 after the border's 0xFFFF.
      root->nextNumberID = static_cast<ZafNumberID>(NumberID() + 1);
    }
  }
  if (!StringID() || !*StringID()) {
    const std::u16string name =
        (parent ? std::u16string(u"FIELD_") : std::u16string(ClassName())) + Decimal(NumberID());
    SetStringID(name.c_str());
  }
}

// ---- Tree and searches ----

void ZafWindowObject::LeaveDefaultButtons() {
  // Only an object still in its window's list is deleted on its own; the window, and the root above it,
  // are whole. Objects that a window deletes with itself were unlinked first and are covered by the
  // window's own call.
  if (parent && Listed() && parent->IsA(ID_ZAF_WINDOW)) {
    static_cast<ZafWindow*>(parent)->ForgetDefaultButtons(this);
  }
}

ZafWindowObject* ZafWindowObject::DefaultButton(bool permanent) {
  ZafWindowObject* root = RootObject();
  return root->IsA(ID_ZAF_WINDOW) ? static_cast<ZafWindow*>(root)->DefaultButton(permanent) : nullptr;
}

ZafWindowObject* ZafWindowObject::FindObject(ZafNumberID id) {
  return NumberID() == id ? this : nullptr;
}

ZafWindowObject* ZafWindowObject::FindObjectByName(const ZafIChar* name) {
  if (!name) {
    return nullptr;
  }
  if (name[0] == u'~') {
    auto* manager = static_cast<ZafWindowObject*>(windowManager);
    return manager ? manager->FindObjectByName(name) : nullptr;
  }
  return MatchStringID(name) ? this : nullptr;
}

ZafWindowObject* ZafWindowObject::FindObjectByNarrowName(const char* name) {
  if (!name) {
    return nullptr;
  }
  const std::u16string wide = ZafFromUtf8(name);
  return FindObjectByName(wide.c_str());
}

ZafWindowObject* ZafWindowObject::RootObject() {
  return parent ? parent->RootObject() : this;
}

ZafWindowObject* ZafWindowObject::FocusObject() {
  return focus ? this : nullptr;
}

ZafRegionStruct ZafWindowObject::ClientRegion(const ZafWindowObject*) {
  return {0, 0, region.right - region.left, region.bottom - region.top, ZAF_PIXEL};
}

// ---- Region ----

void ZafWindowObject::SetRegion(const ZafRegionStruct& newRegion) {
  region = newRegion;
}

int32_t ZafWindowObject::SetCoordinateType(int32_t type) {
  if (!screenID) {
    coordinateType = type;
    region.coordinateType = type;
  }
  return coordinateType;
}

void ZafWindowObject::KeepLineHeight(ZafRegionStruct& target, int32_t type) {
  if (!screenID && coordinateType == ZAF_CELL && target.Height() == 1 && type != ZAF_CELL) {
    ZafRegionStruct line{0, 0, 0, 0, ZAF_CELL};
    ConvertRegion(line, type);
    target.bottom = target.top + line.bottom - line.top;
  }
}

void ZafWindowObject::SetCoordinateTypeOfRegion(int32_t type) {
  ConvertRegion(region, type);
}

void ZafWindowObject::ConvertRegion(ZafRegionStruct& target, int32_t type) {
  if (target.coordinateType == type) {
    return;
  }
  const ZafDisplay* metrics = display ? display : ZafDisplay::DisplayOfRecord();
  const bool adjust = metrics && parent && placement != 2;
  if (adjust && type == ZAF_CELL) {
    target.top -= ZafDisplay::ConvertYValue(metrics, metrics->preSpace, ZAF_PIXEL, target.coordinateType);
    target.bottom += ZafDisplay::ConvertYValue(metrics, metrics->postSpace, ZAF_PIXEL, target.coordinateType);
  }
  target.ConvertCoordinates(type, metrics);
  if (adjust && coordinateType == ZAF_CELL) {
    target.top += ZafDisplay::ConvertYValue(metrics, metrics->preSpace, ZAF_PIXEL, type);
    target.bottom -= ZafDisplay::ConvertYValue(metrics, metrics->postSpace, ZAF_PIXEL, type);
  }
}

int32_t ZafWindowObject::SetPlacement(int32_t value) {
  if (!screenID) {
    placement = value;
  }
  return placement;
}

// ---- Texts ----

int ZafWindowObject::SetText(const ZafIChar*) {
  return 1;
}

int ZafWindowObject::SetNarrowText(const char* text) {
  if (!text) {
    return SetText(nullptr);
  }
  const std::u16string wide = ZafFromUtf8(text);
  return SetText(wide.c_str());
}

const ZafIChar* ZafWindowObject::SetHelpContext(const ZafIChar* text) {
  helpContext = CopyText(text);
  return helpContext.get();
}

const ZafIChar* ZafWindowObject::SetTipText(const ZafIChar* text) {
  tipText = CopyText(text);
  return tipText.get();
}

const ZafIChar* ZafWindowObject::SetThirdText(const ZafIChar* text) {
  thirdText = CopyText(text);
  return thirdText.get();
}

const ZafIChar* ZafWindowObject::SetTextD(const ZafIChar* text) {
  textD = CopyText(text);
  return textD.get();
}

// ---- Flags ----

bool ZafWindowObject::SetBeforeCreation(bool& field, bool flag) {
  if (!screenID) {
    field = flag;
  }
  return field;
}

bool ZafWindowObject::SetAcceptDrop(bool flag) {
  acceptDrop = flag;
  return acceptDrop;
}

bool ZafWindowObject::SetBordered(bool flag) {
  return SetBeforeCreation(bordered, flag);
}

bool ZafWindowObject::SetChanged(bool flag) {
  changed = flag;
  return changed;
}

bool ZafWindowObject::SetCtrlDrag(bool flag) {
  ctrlDrag = flag;
  return ctrlDrag;
}

bool ZafWindowObject::SetShiftCtrlDrag(bool flag) {
  shiftCtrlDrag = flag;
  return shiftCtrlDrag;
}

bool ZafWindowObject::SetShiftDrag(bool flag) {
  shiftDrag = flag;
  return shiftDrag;
}

bool ZafWindowObject::SetEditMode(bool flag) {
  return SetBeforeCreation(editMode, flag);
}

bool ZafWindowObject::SetNonCurrent(bool flag) {
  nonCurrent = flag;
  return nonCurrent;
}

bool ZafWindowObject::SetNativeDrawing(bool flag) {
  return SetBeforeCreation(nativeDrawing, flag);
}

bool ZafWindowObject::SetParentDrawBorder(bool flag) {
  return SetBeforeCreation(parentDrawBorder, flag);
}

bool ZafWindowObject::SetParentDrawFocus(bool flag) {
  return SetBeforeCreation(parentDrawFocus, flag);
}

bool ZafWindowObject::SetParentPalette(bool flag) {
  return SetBeforeCreation(parentPalette, flag);
}

bool ZafWindowObject::SetSelected(bool flag) {
  if (flag != selected) {
    selected = flag;
    if (screenID) {
      SetChanged(true);
    }
    if (parent && parent->IsA(ID_ZAF_WINDOW)) {
      parent->NotifySelection(this, flag);
    }
  }
  return selected;
}

bool ZafWindowObject::SetSupportObject(bool) {
  supportObject = false;
  return false;
}

ZafError ZafWindowObject::SetError(ZafError value) {
  error = value;
  return error;
}

bool ZafWindowObject::IsVisibleUp(bool checkParents) const {
  return visible && (!checkParents || !parent || parent->IsVisibleUp(true));
}

bool ZafWindowObject::IsAutomaticUpdateUp(bool checkParents) const {
  return automaticUpdate && (!checkParents || !parent || parent->IsAutomaticUpdateUp(true));
}

bool ZafWindowObject::IsDisabledUp(bool checkParents) const {
  return disabled || (checkParents && parent && parent->IsDisabledUp(true));
}

bool ZafWindowObject::IsNonCurrentUp() const {
  return nonCurrent || (parent && parent->IsNonCurrentUp());
}

// ---- Palettes ----

ZafLong ZafWindowObject::PaletteDataChanged(ZafElement* object, int kind) {
  if (kind == ZAF_UPDATE_OBJECTS) {
    static_cast<ZafWindowObject*>(object)->UpdatePalettes(ZAF_PM_ANY_TYPE, ZAF_PM_ANY_TYPE);
    return 0;
  }
  return kind == ZAF_UPDATE_DATA ? 0 : 1;
}

ZafPaletteData* ZafWindowObject::SetPaletteData(ZafPaletteData* data) {
  if (data == paletteData) {
    return paletteData;
  }
  ReleasePaletteData();
  paletteData = data;
  if (paletteData) {
    paletteData->Add(this, &ZafWindowObject::PaletteDataChanged, ZAF_UPDATE_ALL);
  }
  // Cleared data changes the colours as much as new data does.
  UpdatePalettes(ZAF_PM_ANY_TYPE, ZAF_PM_ANY_TYPE);
  return paletteData;
}

void ZafWindowObject::ReleasePaletteData() {
  if (paletteData) {
    paletteData->Subtract(this, &ZafWindowObject::PaletteDataChanged);
    if (paletteData->Destroyable() && paletteData->Count() == 0) {
      delete paletteData;
    }
    paletteData = nullptr;
  }
}

ZafPaletteData& ZafWindowObject::OwnPaletteData() {
  if (!paletteData) {
    SetPaletteData(new ZafPaletteData());
  }
  return *paletteData;
}

const ZafPaletteMap* ZafWindowObject::MapPaletteTable(const ZafPaletteMap* table, uint16_t type,
                                                      uint16_t state) {
  for (const ZafPaletteMap* row = table; row && row->type != ZAF_PM_END; ++row) {
    if ((row->type & type) != 0 && (row->state & state) == row->state) {
      return row;
    }
    if (row->IsEnd()) {
      break;
    }
  }
  return nullptr;
}

const ZafPaletteMap* ZafWindowObject::MapPalette(uint16_t type, uint16_t state) {
  return MapPaletteTable(kPaletteTable, type, state);
}

ZafPaletteStruct ZafWindowObject::LogicalPalette(uint16_t type, uint16_t state) {
  ZafPaletteStruct result;
  auto* manager = static_cast<ZafWindowObject*>(windowManager);
  for (ZafWindowObject* current = this; current;) {
    if (current->paletteData) {
      if (const ZafPaletteMap* row = MapPaletteTable(current->paletteData->Table(), type, state)) {
        MergeNotSet(result, row->palette);
      }
    }
    if (!current->parentPalette && AnyByte(result, &PaletteByteRule::notSet)) {
      if (const ZafPaletteMap* row = current->MapPalette(type, state)) {
        MergeNotSet(result, row->palette);
      }
    }
    if (screenID && AnyByte(result, &PaletteByteRule::system)) {
      current->SetDisplayColors(result, type, state);
    }
    InheritedToNotSet(result);
    if (!AnyByte(result, &PaletteByteRule::notSet) || current == manager) {
      break;
    }
    current = current->parent ? current->parent : manager;
  }
  return result;
}

uint16_t ZafWindowObject::PaletteState() {
  ZafWindowObject* root = RootObject();
  return static_cast<uint16_t>((root->focus ? ZAF_PM_ACTIVE : ZAF_PM_NOT_ACTIVE) |
                               (focus ? ZAF_PM_CURRENT : ZAF_PM_NOT_CURRENT) |
                               (selected ? ZAF_PM_SELECTED : ZAF_PM_NOT_SELECTED) |
                               (IsDisabledUp() ? ZAF_PM_DISABLED : ZAF_PM_ENABLED));
}

uint8_t ZafWindowObject::GetterByte(uint16_t type, uint8_t ZafPaletteStruct::*byte, uint8_t notSet,
                                    uint8_t ZafPaletteStruct::*secondByte, uint8_t* second) {
  const ZafPaletteMap* row = nullptr;
  if (paletteData) {
    row = MapPaletteTable(paletteData->Table(), type, ZAF_PM_GETTER_STATE);
    if (row && row->palette.*byte == notSet) {
      row = nullptr;
    }
  }
  if (!row) {
    row = MapPalette(type, ZAF_PM_GETTER_STATE);
  }
  if (!row) {
    if (second && secondByte) {
      *second = ZAF_COLOR_NOT_SET;
    }
    return notSet;
  }
  if (second && secondByte) {
    *second = row->palette.*secondByte;
  }
  return row->palette.*byte;
}

uint8_t ZafWindowObject::BackgroundColor(uint8_t* second) {
  return GetterByte(ZAF_PM_BACKGROUND, &ZafPaletteStruct::colorBackground, ZAF_COLOR_NOT_SET,
                    &ZafPaletteStruct::colorReserved2, second);
}

uint8_t ZafWindowObject::TextColor(uint8_t* second) {
  return GetterByte(ZAF_PM_TEXT, &ZafPaletteStruct::colorForeground, ZAF_COLOR_NOT_SET,
                    &ZafPaletteStruct::colorReserved1, second);
}

uint8_t ZafWindowObject::TextFont() {
  return GetterByte(ZAF_PM_TEXT, &ZafPaletteStruct::font, ZAF_STYLE_NOT_SET, nullptr, nullptr);
}

uint8_t ZafWindowObject::SetBackgroundColor(uint8_t color, uint8_t second) {
  ZafPaletteData& data = OwnPaletteData();
  ZafPaletteStruct entry = data.GetPalette(ZAF_PM_BACKGROUND, 0);
  entry.colorBackground = color;
  entry.colorReserved2 = second;
  data.SetPalette(ZAF_PM_BACKGROUND, 0, entry);
  return color;
}

uint8_t ZafWindowObject::SetTextColor(uint8_t color, uint8_t second) {
  ZafPaletteData& data = OwnPaletteData();
  ZafPaletteStruct entry = data.GetPalette(ZAF_PM_TEXT, ZAF_PM_ENABLED);
  entry.colorForeground = color;
  entry.colorReserved1 = second;
  data.SetPalette(ZAF_PM_TEXT, ZAF_PM_ENABLED, entry);
  return color;
}

uint8_t ZafWindowObject::SetFont(uint8_t font) {
  ZafPaletteData& data = OwnPaletteData();
  for (uint16_t state : {ZAF_PM_ENABLED, uint16_t{0}}) {
    ZafPaletteStruct entry = data.GetPalette(ZAF_PM_TEXT, state);
    entry.font = font;
    data.SetPalette(ZAF_PM_TEXT, state, entry);
  }
  return font;
}

// ---- Focus and selection ----

ZafWindowObject* ZafWindowObject::NotifyFocus(ZafWindowObject* focusObject, bool setFocus) {
  ZafWindowManager* manager = windowManager;
  if (!setFocus) {
    ZafEventRecord losing(FocusLoseEvent, 0);
    losing.windowObject = manager ? manager->focusObject : nullptr;
    const ZafEventType reply = Event(losing);
    if (reply == 0 || reply == 12) {
      Event(ZafEventRecord(FocusLostEvent, 0));
      return nullptr;
    }
    SetFocus(true);
    if (manager) {
      manager->focusObject = this;
    }
    return this;
  }
  if (focusObject == this && manager) {
    manager->previousFocusObject = manager->focusObject;
    manager->focusObject = this;
  }
  ZafWindowObject* above = parent ? parent : reinterpret_cast<ZafWindowObject*>(manager);
  ZafWindowObject* refused = (above && above != this) ? above->NotifyFocus(this, true) : nullptr;
  if (!refused && screenID) {
    ZafEventRecord gained(FocusGainedEvent, 0);
    gained.windowObject = manager ? manager->previousFocusObject : nullptr;
    Event(gained);
    if (manager) {
      manager->focusObject = this;
    }
    Event(ZafEventRecord(FocusGainEvent, 0));
  }
  return refused;
}

ZafWindowObject* ZafWindowObject::NotifySelection(ZafWindowObject* object, bool setSelected) {
  return parent ? parent->NotifySelection(object, setSelected) : nullptr;
}

void ZafWindowObject::ResetLastNativeRegion() {
  lastNativeRegion = kNoNativeRegion;
}

// ---- User hooks ----

ZafUserFunction ZafWindowObject::SetUserFunction(ZafUserFunction function) {
  userFunction = function;
  return userFunction;
}

ZafEventType ZafWindowObject::DefaultUserCallback(ZafWindowObject* object, ZafEventRecord& event,
                                                  ZafEventType code) {
  if (!userFunction) {
    return 0;
  }
  ZafEventRecord copy = event;
  return userFunction(object, copy, code);
}

int32_t ZafWindowObject::SetRepeatDelay(int32_t milliseconds) {
  repeatDelay = milliseconds;
  return repeatDelay;
}

int32_t ZafWindowObject::SetRepeatPeriod(int32_t milliseconds) {
  repeatPeriod = milliseconds;
  return repeatPeriod;
}

// ---- Storage ----

ZafObjectConstructor ZafWindowObject::ReadFunction() const {
  return &ZafWindowObject::Read;
}

ZafWindowObject* ZafWindowObject::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafWindowObject(name, persistence);
}

bool ZafWindowObject::OpenWriteEntry(ZafObjectPersistence& persistence) {
  persistence.AddObjectConstructor(ClassName(), ClassID(), ReadFunction());
  if (!StringID() || !*StringID()) {
    SetStringID(StorageName().c_str());
  }
  persistence.PushLevel(ClassName(), ClassID(), StorageType(persistence));
  if (persistence.CurrentFile(StringID(), ZAF_PERSIST_WRITE) != ZAF_ERROR_NONE || !persistence.File()) {
    // Kept in the persistence, so that EndWrite reports the write as failed.
    if (persistence.Error() == ZAF_ERROR_NONE) {
      persistence.SetError(ZAF_ERROR_OPEN);
    }
    return false;
  }
  return true;
}

bool ZafWindowObject::BeginWrite(ZafObjectPersistence& persistence) {
  if (!OpenWriteEntry(persistence)) {
    return false;
  }
  WriteFields(persistence);
  return true;
}

ZafError ZafWindowObject::EndWrite(ZafObjectPersistence& persistence) {
  if (ZafFile* file = persistence.File(); file && file->Error() != ZAF_ERROR_NONE) {
    persistence.SetError(file->Error());
  }
  const ZafError result = persistence.Error();
  persistence.PopLevel();
  if (result != ZAF_ERROR_NONE) {
    SetError(result);
  }
  return result;
}

std::u16string ZafWindowObject::StorageName() const {
  return StringID() && *StringID() ? std::u16string(StringID()) : u"FIELD_" + Decimal(NumberID());
}

ZafError ZafWindowObject::Write(ZafObjectPersistence& persistence) {
  BeginWrite(persistence);
  return EndWrite(persistence);
}

void ZafWindowObject::WriteFields(ZafObjectPersistence& persistence) {
  ZafFile& file = *persistence.File();
  file.WriteUInt16(NumberID());
  ZafRegionStruct stored = region;
  ConvertRegion(stored, coordinateType);
  file.WriteInt32(stored.left);
  file.WriteInt32(stored.top);
  file.WriteInt32(stored.right);
  file.WriteInt32(stored.bottom);
  const uint16_t flags = (acceptDrop ? kAcceptDrop : 0) | (bordered ? kBordered : 0) |
                         (ctrlDrag ? kCtrlDrag : 0) | (shiftCtrlDrag ? kShiftCtrlDrag : 0) |
                         (shiftDrag ? kShiftDrag : 0) | (nonCurrent ? kNonCurrent : 0) |
                         (disabled ? kDisabled : 0) | (nativeDrawing ? kNativeDrawing : 0) |
                         (selected ? kSelected : 0) | (supportObject ? kSupportObject : 0) |
                         (visible ? kVisible : 0) | (parentDrawBorder ? kParentDrawBorder : 0) |
                         (parentDrawFocus ? kParentDrawFocus : 0) | (parentPalette ? kParentPalette : 0);
  file.WriteUInt16(flags);
  file.WriteUInt16(static_cast<uint16_t>((coordinateType & 0x0F) | ((placement & 0x0F) << 4)));
  file.WriteString(helpContext.get());
  file.WriteString(tipText.get());
  file.WriteString(thirdText.get());
  file.WriteUInt16(wordA);
  file.WriteUInt16(wordB);
  file.WriteString(textD.get());
  const ZafIChar* functionName = userFunction ? persistence.UserFunctionName(userFunction) : nullptr;
  const ZafIChar* objectName = userObject ? persistence.UserObjectName(userObject) : nullptr;
  file.WriteString(functionName);
  file.WriteString(objectName);
  // Palette data is stored by name; data without a name is written under this object's name, so that
  // colours set on one object are not lost when it is saved.
  const ZafIChar* paletteName = nullptr;
  if (paletteData) {
    if (!paletteData->StringID() || !*paletteData->StringID()) {
      // Qualified by the top-level window, so that FIELD_1 of two windows keep two palettes.
      ZafWindowObject* root = RootObject();
      std::u16string name = StringID();
      if (root != this && root->StringID()) {
        name = std::u16string(root->StringID()) + u"_" + name;
      }
      paletteData->SetStringID(name.c_str());
    }
    paletteName = paletteData->StringID();
  }
  file.WriteString(paletteName);
  // Each named hook also gets an entry of its own, so that the data file lists what its windows need.
  if (functionName && *functionName) {
    ZafNameEntry::Write(persistence, ZafNameEntry::userFunction, functionName, functionName);
  }
  if (objectName && *objectName) {
    ZafNameEntry::Write(persistence, ZafNameEntry::userObject, objectName, objectName);
  }
  if (paletteData) {
    paletteData->Write(persistence);
    persistence.PopLevel();
  }
}

void ZafWindowObject::ReadFields(ZafObjectPersistence& persistence) {
  ZafFile& file = *persistence.File();
  uint16_t number = 0;
  file.ReadUInt16(number);
  SetNumberID(number);
  file.ReadInt32(region.left);
  file.ReadInt32(region.top);
  file.ReadInt32(region.right);
  file.ReadInt32(region.bottom);
  uint16_t flags = 0;
  file.ReadUInt16(flags);
  acceptDrop = flags & kAcceptDrop;
  bordered = flags & kBordered;
  ctrlDrag = flags & kCtrlDrag;
  shiftCtrlDrag = flags & kShiftCtrlDrag;
  shiftDrag = flags & kShiftDrag;
  nonCurrent = flags & kNonCurrent;
  disabled = flags & kDisabled;
  nativeDrawing = flags & kNativeDrawing;
  selected = flags & kSelected;
  supportObject = flags & kSupportObject;
  visible = flags & kVisible;
  parentDrawBorder = flags & kParentDrawBorder;
  parentDrawFocus = flags & kParentDrawFocus;
  parentPalette = flags & kParentPalette;
  uint16_t types = 0;
  file.ReadUInt16(types);
  coordinateType = types & 0x0F;
  region.coordinateType = coordinateType;
  placement = (types >> 4) & 0x0F;
  ZafIChar* text = nullptr;
  file.ReadString(text);
  helpContext.reset(text);
  text = nullptr;
  file.ReadString(text);
  tipText.reset(text);
  text = nullptr;
  file.ReadString(text);
  thirdText.reset(text);
  file.ReadUInt16(wordA);
  file.ReadUInt16(wordB);
  text = nullptr;
  file.ReadString(text);
  textD.reset(text);
  text = nullptr;
  file.ReadString(text);
  std::unique_ptr<ZafIChar[]> functionName(text);
  text = nullptr;
  file.ReadString(text);
  std::unique_ptr<ZafIChar[]> objectName(text);
  text = nullptr;
  file.ReadString(text);
  std::unique_ptr<ZafIChar[]> paletteName(text);
  if (file.Error() != ZAF_ERROR_NONE) {
    return;
  }
  // No program places an object this far out; widths, heights and conversions of such a region would
  // overflow.
  for (int32_t coordinate : {region.left, region.top, region.right, region.bottom}) {
    if (coordinate < -ZAF_COORDINATE_LIMIT || coordinate > ZAF_COORDINATE_LIMIT) {
      region = {0, 0, -1, -1, coordinateType};
      persistence.SetError(ZAF_ERROR_READ);
      return;
    }
  }
  if (functionName && *functionName.get()) {
    userFunction = persistence.UserFunction(functionName.get());
  }
  if (objectName && *objectName.get()) {
    userObject = persistence.UserObject(objectName.get());
  }
  if (paletteName && *paletteName.get()) {
    auto* data = new ZafPaletteData(paletteName.get(), persistence);
    SetPaletteData(data);
  }
}
