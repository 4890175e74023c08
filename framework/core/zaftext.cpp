#include "framework/core/zaftext.h"

#include <memory>

#include "framework/core/zaffieldtables.h"
#include "framework/core/zafstoreddata.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstringdata.h"
#include "framework/data/zafstrlib.h"

namespace {

// Enter stays a new line; Page Up and Down come again (the later rows are shadowed by the earlier ones and
// never decide).
constexpr auto kEventMap = ZafFieldEventMap<4>({{1059, ZAF_KEYBOARD_DEVICE, 0x22, 0x200},
                                                {1059, ZAF_KEYBOARD_DEVICE, 0x22, 0x200},
                                                {1058, ZAF_KEYBOARD_DEVICE, 0x21, 0x200},
                                                {1058, ZAF_KEYBOARD_DEVICE, 0x21, 0x200}});

constexpr uint16_t kAutoSelect = 0x0001;
constexpr uint16_t kInvalid = 0x0002;
constexpr uint16_t kUnanswered = 0x0004;
constexpr uint16_t kViewOnly = 0x0008;
constexpr uint16_t kWordWrap = 0x0010;
constexpr uint16_t kKnownFlags = 0x001F;
constexpr uint16_t kJustificationBits = 0x000F;

}  // namespace

ZafText::ZafText(int32_t left, int32_t top, int32_t width, int32_t height, const ZafIChar* text,
                 int maxLength)
    : ZafEmbeddedWindow(left, top, width, height) {
  bordered = true;
  MakeText(new ZafStringData(text, maxLength));
}

ZafText::ZafText(int32_t left, int32_t top, int32_t width, int32_t height, ZafStringData* data)
    : ZafEmbeddedWindow(left, top, width, height) {
  bordered = true;
  MakeText(data);
}

ZafText::ZafText(const ZafText& other)
    : ZafEmbeddedWindow(other),
      autoSelect(other.autoSelect),
      invalid(other.invalid),
      unanswered(other.unanswered),
      viewOnly(other.viewOnly),
      wordWrap(other.wordWrap),
      justification(other.justification) {
  ZafStringData* data = other.stringData;
  MakeText(data && data->Destroyable() ? static_cast<ZafStringData*>(data->Duplicate()) : data);
}

ZafText::ZafText(const ZafIChar* name, ZafObjectPersistence& persistence) : ZafEmbeddedWindow(0, 0, 0, 0) {
  MakeText(nullptr);
  if (EnterReadLevel(name, persistence, ClassName(), ClassID())) {
    ReadWindow(persistence);
    ReadTextFields(persistence);
  }
  LeaveReadLevel(persistence);
  ClearWindowOptions();
  selectionType = 0;
}

ZafText::~ZafText() {
  stringData->Subtract(this, &ZafText::StringDataChanged);
  if (stringData->Destroyable() && stringData->Count() == 0) {
    delete stringData;
  }
}

void ZafText::MakeText(ZafStringData* data) {
  ClearWindowOptions();
  selectionType = 0;
  stringData = data ? data : new ZafStringData();
  stringData->Add(this, &ZafText::StringDataChanged, ZAF_UPDATE_ALL);
}

// ---- Identity ----

ZafClassID ZafText::ClassID() const {
  return ID_ZAF_TEXT;
}

const ZafIChar* ZafText::ClassName() const {
  return u"ZafText";
}

bool ZafText::IsA(ZafClassID id) const {
  return id == ID_ZAF_TEXT || ZafWindow::IsA(id);
}

bool ZafText::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafText") == 0) || ZafWindow::IsAName(name);
}

ZafWindowObject* ZafText::Duplicate() {
  return new ZafText(*this);
}

// ---- Text ----

ZafLong ZafText::StringDataChanged(ZafElement* object, int kind) {
  auto* field = static_cast<ZafText*>(static_cast<ZafWindowObject*>(object));
  if (kind == ZAF_UPDATE_DATA) {
    field->GetNativeText();
  } else {
    field->UpdateNativeText();
  }
  return 0;
}

const ZafIChar* ZafText::Text() {
  GetNativeText();
  return stringData->Text();
}

int ZafText::SetText(const ZafIChar* text) {
  stringData->SetText(text);
  return 0;
}

int ZafText::SetStringData(ZafStringData* data) {
  if (data == stringData && data) {
    return 0;
  }
  stringData->Subtract(this, &ZafText::StringDataChanged);
  if (stringData->Destroyable() && stringData->Count() == 0) {
    delete stringData;
  }
  stringData = data ? data : new ZafStringData();
  stringData->Add(this, &ZafText::StringDataChanged, ZAF_UPDATE_ALL);
  UpdateNativeText();
  return 0;
}

// ---- Options ----

bool ZafText::SetAutoSelect(bool flag) {
  autoSelect = flag;
  return autoSelect;
}

bool ZafText::SetInvalid(bool flag) {
  invalid = flag;
  return invalid;
}

bool ZafText::SetUnanswered(bool flag) {
  unanswered = flag;
  if (unanswered) {
    stringData->SetText(u"");
  }
  return unanswered;
}

int32_t ZafText::SetJustification(int32_t value) {
  if (!screenID && value >= 0 && value <= 2) {
    justification = value;
  }
  return justification;
}

bool ZafText::SetViewOnly(bool flag) {
  return SetBeforeCreation(viewOnly, flag);
}

uint32_t ZafText::SetSelectMultiple(bool) {
  return selectionType = 0;
}

ZafEventType ZafText::MapEvent(const ZafEventRecord& event) {
  const ZafEventType logical = MapEventTable(kEventMap.data(), event);
  return logical == EndOfEventMap ? ZafWindowObject::MapEvent(event) : logical;
}

const ZafPaletteMap* ZafText::MapPalette(uint16_t type, uint16_t state) {
  const ZafPaletteMap* row = MapPaletteTable(zafFieldPaletteTable, type, state);
  return row ? row : ZafWindow::MapPalette(type, state);
}

// ---- Storage ----

ZafObjectConstructor ZafText::ReadFunction() const {
  return &ZafText::Read;
}

ZafWindowObject* ZafText::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafText(name, persistence);
}

ZafError ZafText::Write(ZafObjectPersistence& persistence) {
  GetNativeText();
  if (BeginWrite(persistence) && persistence.Error() == ZAF_ERROR_NONE) {
    WriteWindowFields(persistence);
    ZafFile& file = *persistence.File();
    file.WriteUInt16((autoSelect ? kAutoSelect : 0) | (invalid ? kInvalid : 0) |
                     (unanswered ? kUnanswered : 0) | (viewOnly ? kViewOnly : 0) |
                     (wordWrap ? kWordWrap : 0));
    file.WriteUInt16(static_cast<uint16_t>(justification));
    file.WriteString(ZafNameStoredData(stringData, *this, u""));
    ZafWriteStoredData(stringData, persistence);
  }
  return EndWrite(persistence);
}

void ZafText::ReadTextFields(ZafObjectPersistence& persistence) {
  ZafFile* file = persistence.File();
  if (!file || persistence.Error() != ZAF_ERROR_NONE || file->Error() != ZAF_ERROR_NONE) {
    return;
  }
  uint16_t flags = 0;
  uint16_t storedJustification = 0;
  file->ReadUInt16(flags);
  file->ReadUInt16(storedJustification);
  ZafIChar* read = nullptr;
  file->ReadString(read);
  const std::unique_ptr<ZafIChar[]> name(read);
  if (file->Error() != ZAF_ERROR_NONE || (flags & ~kKnownFlags) != 0 ||
      (storedJustification & kJustificationBits) > 2) {
    // Not a record a text field wrote: nothing of it is taken.
    persistence.SetError(ZAF_ERROR_READ);
    return;
  }
  autoSelect = flags & kAutoSelect;
  invalid = flags & kInvalid;
  unanswered = flags & kUnanswered;
  viewOnly = flags & kViewOnly;
  wordWrap = flags & kWordWrap;
  justification = storedJustification & kJustificationBits;
  if (auto* text = ZafReadStoredData<ZafStringData>(name.get(), persistence)) {
    SetStringData(text);
  }
}
