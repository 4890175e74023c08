#include "framework/core/zafprompt.h"

#include <memory>

#include "framework/core/zafstoreddata.h"
#include "framework/data/zafchar.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstringdata.h"
#include "framework/data/zafstrlib.h"

namespace {

// Storage flags and the justification word: horizontal in bits 0-3, vertical in bits 4-7.
constexpr uint16_t kAutoSize = 0x0001;
constexpr uint16_t kTransparentBackground = 0x0002;
constexpr uint16_t kKnownFlags = 0x0003;
constexpr int kVerticalShift = 4;
constexpr uint16_t kJustificationBits = 0x000F;

bool ValidJustification(int32_t value) {
  return value >= 0 && value <= 2;
}

}  // namespace

ZafPrompt::ZafPrompt(int32_t left, int32_t top, int32_t width, const ZafIChar* text)
    : ZafWindowObject(left, top, width, 1) {
  bordered = true;
  MakePrompt(new ZafStringData(text));
}

ZafPrompt::ZafPrompt(int32_t left, int32_t top, int32_t width, ZafStringData* data)
    : ZafWindowObject(left, top, width, 1) {
  bordered = true;
  MakePrompt(data ? data : new ZafStringData());
}

ZafPrompt::ZafPrompt(const ZafPrompt& other)
    : ZafWindowObject(other),
      autoSize(other.autoSize),
      hotKey(other.hotKey),
      hotKeyIndex(other.hotKeyIndex),
      justification(other.justification),
      verticalJustification(other.verticalJustification),
      transparentBackground(other.transparentBackground) {
  ZafStringData* data = other.stringData;
  MakePrompt(data && data->Destroyable() ? static_cast<ZafStringData*>(data->Duplicate()) : data);
  givenRegion = other.givenRegion;
}

ZafPrompt::ZafPrompt(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafWindowObject(name, persistence, u"ZafPrompt", ID_ZAF_PROMPT) {
  MakePrompt(nullptr);
  ReadPromptFields(persistence);
  LeaveReadLevel(persistence);
}

ZafPrompt::~ZafPrompt() {
  SetStringData(nullptr);
}

void ZafPrompt::MakePrompt(ZafStringData* data) {
  nonCurrent = true;
  givenRegion = region;
  SetStringData(data);
}

// ---- Identity ----

ZafClassID ZafPrompt::ClassID() const {
  return ID_ZAF_PROMPT;
}

const ZafIChar* ZafPrompt::ClassName() const {
  return u"ZafPrompt";
}

bool ZafPrompt::IsA(ZafClassID id) const {
  return id == ID_ZAF_PROMPT || ZafWindowObject::IsA(id);
}

bool ZafPrompt::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafPrompt") == 0) || ZafWindowObject::IsAName(name);
}

ZafWindowObject* ZafPrompt::Duplicate() {
  return new ZafPrompt(*this);
}

// ---- Text ----

ZafLong ZafPrompt::StringDataChanged(ZafElement* object, int kind) {
  auto* prompt = static_cast<ZafPrompt*>(object);
  return kind == ZAF_UPDATE_OBJECTS ? prompt->UpdateNativeText() : 1;
}

const ZafIChar* ZafPrompt::Text() {
  return stringData ? stringData->Text() : nullptr;
}

int ZafPrompt::SetText(const ZafIChar* text) {
  if (!stringData) {
    SetStringData(new ZafStringData(text));
  } else {
    stringData->SetText(text);
  }
  return 0;
}

int ZafPrompt::SetStringData(ZafStringData* data) {
  if (data == stringData) {
    return 0;
  }
  if (stringData) {
    stringData->Subtract(this, &ZafPrompt::StringDataChanged);
    if (stringData->Destroyable() && stringData->Count() == 0) {
      delete stringData;
    }
  }
  stringData = data;
  if (stringData) {
    stringData->Add(this, &ZafPrompt::StringDataChanged, ZAF_UPDATE_ALL);
  }
  UpdateNativeText();
  return 0;
}

// ---- Region ----

void ZafPrompt::SetRegion(const ZafRegionStruct& newRegion) {
  ZafWindowObject::SetRegion(newRegion);
  givenRegion = region;
  Event(ZafEventRecord(FitEvent, 0));
}

void ZafPrompt::SetCoordinateTypeOfRegion(int32_t type) {
  ConvertRegion(givenRegion, type);
  ZafWindowObject::SetCoordinateTypeOfRegion(type);
}

int32_t ZafPrompt::SetCoordinateType(int32_t type) {
  KeepLineHeight(givenRegion, type);
  KeepLineHeight(region, type);
  if (!screenID) {
    givenRegion.coordinateType = type;
  }
  return ZafWindowObject::SetCoordinateType(type);
}

// ---- Settings ----

int32_t ZafPrompt::SetWordBeforeCreation(int32_t& field, int32_t value) {
  if (!screenID && ValidJustification(value)) {
    field = value;
  }
  return field;
}

bool ZafPrompt::SetAutoSize(bool flag) {
  return SetBeforeCreation(autoSize, flag);
}

ZafIChar ZafPrompt::SetHotKey(ZafIChar character, int32_t index) {
  if (!screenID) {
    hotKey = ZafToUpper(character);
    hotKeyIndex = index < 0 ? -1 : index;
  }
  return hotKey;
}

int32_t ZafPrompt::SetJustification(int32_t value) {
  return SetWordBeforeCreation(justification, value);
}

int32_t ZafPrompt::SetVerticalJustification(int32_t value) {
  return SetWordBeforeCreation(verticalJustification, value);
}

bool ZafPrompt::SetTransparentBackground(bool flag) {
  return SetBeforeCreation(transparentBackground, flag);
}

const ZafIChar* ZafPrompt::SetHelpContext(const ZafIChar*) {
  return nullptr;
}

ZafUserFunction ZafPrompt::SetUserFunction(ZafUserFunction) {
  userFunction = nullptr;
  return nullptr;
}

bool ZafPrompt::SetAcceptDrop(bool) {
  acceptDrop = false;
  return false;
}

bool ZafPrompt::SetChanged(bool) {
  changed = false;
  return false;
}

bool ZafPrompt::SetCtrlDrag(bool) {
  ctrlDrag = false;
  return false;
}

bool ZafPrompt::SetShiftCtrlDrag(bool) {
  shiftCtrlDrag = false;
  return false;
}

bool ZafPrompt::SetShiftDrag(bool) {
  shiftDrag = false;
  return false;
}

bool ZafPrompt::SetFocus(bool) {
  focus = false;
  return false;
}

int32_t ZafPrompt::SetPlacement(int32_t) {
  placement = 0;
  return 0;
}

bool ZafPrompt::SetNonCurrent(bool) {
  nonCurrent = true;
  return true;
}

uint8_t ZafPrompt::SetFont(uint8_t font) {
  const uint8_t result = ZafWindowObject::SetFont(font);
  if (autoSize && screenID) {
    Event(ZafEventRecord(FitEvent, 0));
    UpdateNative();
  }
  return result;
}

// ---- Storage ----

ZafObjectConstructor ZafPrompt::ReadFunction() const {
  return &ZafPrompt::Read;
}

ZafWindowObject* ZafPrompt::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafPrompt(name, persistence);
}

ZafError ZafPrompt::Write(ZafObjectPersistence& persistence) {
  const ZafRegionStruct shown = region;
  region = givenRegion;
  const bool opened = BeginWrite(persistence);
  region = shown;
  if (opened && persistence.Error() == ZAF_ERROR_NONE) {
    ZafFile& file = *persistence.File();
    file.WriteString(ZafNameStoredData(stringData, *this, u""));
    file.WriteUInt16((autoSize ? kAutoSize : 0) | (transparentBackground ? kTransparentBackground : 0));
    file.WriteUInt16(hotKey);
    file.WriteUInt16(static_cast<uint16_t>(justification | (verticalJustification << kVerticalShift)));
    file.WriteInt32(hotKeyIndex);
    ZafWriteStoredData(stringData, persistence);
  }
  return EndWrite(persistence);
}

void ZafPrompt::ReadPromptFields(ZafObjectPersistence& persistence) {
  givenRegion = region;
  ZafFile* file = persistence.File();
  if (!file || persistence.Error() != ZAF_ERROR_NONE || file->Error() != ZAF_ERROR_NONE) {
    return;
  }
  ZafIChar* read = nullptr;
  file->ReadString(read);
  const std::unique_ptr<ZafIChar[]> name(read);
  uint16_t flags = 0;
  uint16_t storedHotKey = 0;
  uint16_t justifications = 0;
  int32_t storedHotKeyIndex = 0;
  file->ReadUInt16(flags);
  file->ReadUInt16(storedHotKey);
  file->ReadUInt16(justifications);
  file->ReadInt32(storedHotKeyIndex);
  const int32_t horizontal = justifications & kJustificationBits;
  const int32_t vertical = (justifications >> kVerticalShift) & kJustificationBits;
  if (file->Error() != ZAF_ERROR_NONE || (flags & ~kKnownFlags) != 0 || !ValidJustification(horizontal) ||
      !ValidJustification(vertical) || storedHotKeyIndex < -1) {
    // Not a record a prompt wrote: nothing of it is taken.
    persistence.SetError(ZAF_ERROR_READ);
    return;
  }
  autoSize = flags & kAutoSize;
  transparentBackground = flags & kTransparentBackground;
  hotKey = ZafToUpper(storedHotKey);
  hotKeyIndex = storedHotKeyIndex;
  justification = horizontal;
  verticalJustification = vertical;
  if (auto* text = ZafReadStoredData<ZafStringData>(name.get(), persistence)) {
    SetStringData(text);
  }
}
