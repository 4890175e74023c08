// The button record: what a program sets on a button, stored after the window-object record and ahead of
// a derived class's own fields.
#include <memory>
#include <string>

#include "framework/core/zafbutton.h"
#include "framework/core/zafstoreddata.h"
#include "framework/data/zafbitmapdata.h"
#include "framework/data/zafchar.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstringdata.h"

namespace {

constexpr uint16_t kDefaultCapable = 0x0001;
constexpr uint16_t kToggles = 0x0002;
constexpr uint16_t kAutoRepeat = 0x0004;
constexpr uint16_t kAutoSize = 0x0008;
constexpr uint16_t kChooseOnDoubleClick = 0x0010;
constexpr uint16_t kChooseOnPress = 0x0020;
constexpr uint16_t kMessageOnSelect = 0x0040;
constexpr uint16_t kKnownFlags = 0x007F;

}  // namespace

ZafObjectConstructor ZafButton::ReadFunction() const {
  return &ZafButton::Read;
}

ZafWindowObject* ZafButton::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafButton(name, persistence);
}

ZafError ZafButton::Write(ZafObjectPersistence& persistence) {
  // The region the program gave is stored, not the one auto-size or the edit frame made of it: those are
  // applied again when the button is shown, and would otherwise grow with every save.
  const ZafRegionStruct shown = region;
  region = unpressedRegion;
  if (BeginWrite(persistence) && persistence.Error() == ZAF_ERROR_NONE) {
    WriteButtonFields(persistence);
  }
  region = shown;
  return EndWrite(persistence);
}

void ZafButton::WriteButtonFields(ZafObjectPersistence& persistence) {
  ZafFile& file = *persistence.File();
  file.WriteInt32(value);
  const uint16_t flags = (defaultCapable ? kDefaultCapable : 0) | (toggles ? kToggles : 0) |
                         (autoRepeat ? kAutoRepeat : 0) | (autoSize ? kAutoSize : 0) |
                         (chooseOnDoubleClick ? kChooseOnDoubleClick : 0) |
                         (chooseOnPress ? kChooseOnPress : 0) | (messageOnSelect ? kMessageOnSelect : 0);
  file.WriteUInt16(flags);
  file.WriteUInt16(static_cast<uint16_t>(kind));
  file.WriteInt32(depth);
  file.WriteUInt16(static_cast<uint16_t>(textPlacement));
  file.WriteUInt16(static_cast<uint16_t>(verticalPlacement));
  file.WriteUInt16(hotKeyChar);
  file.WriteInt32(hotKeyIndex);
  file.WriteString(Text());
  file.WriteString(messageText.get());
  file.WriteString(ZafNameStoredData(bitmapData, *this, u""));
  ZafWriteStoredData(bitmapData, persistence);
}

void ZafButton::ReadButtonFields(ZafObjectPersistence& persistence) {
  ZafFile* file = persistence.File();
  if (!file || persistence.Error() != ZAF_ERROR_NONE || file->Error() != ZAF_ERROR_NONE) {
    return;
  }
  int32_t storedValue = 0;
  uint16_t flags = 0;
  uint16_t storedKind = 0;
  int32_t storedDepth = 0;
  uint16_t storedTextPlacement = 0;
  uint16_t storedVerticalPlacement = 0;
  uint16_t storedHotKey = 0;
  int32_t storedHotKeyIndex = 0;
  file->ReadInt32(storedValue);
  file->ReadUInt16(flags);
  file->ReadUInt16(storedKind);
  file->ReadInt32(storedDepth);
  file->ReadUInt16(storedTextPlacement);
  file->ReadUInt16(storedVerticalPlacement);
  file->ReadUInt16(storedHotKey);
  file->ReadInt32(storedHotKeyIndex);
  ZafIChar* read = nullptr;
  file->ReadString(read);
  std::unique_ptr<ZafIChar[]> text(read);
  read = nullptr;
  file->ReadString(read);
  std::unique_ptr<ZafIChar[]> message(read);
  read = nullptr;
  file->ReadString(read);
  std::unique_ptr<ZafIChar[]> bitmapName(read);
  if (file->Error() != ZAF_ERROR_NONE) {
    return;
  }
  // Every value the setters accept is taken back: a hot-key index past the text is one of them (the
  // program may set it before the text, or shorten the text after it), and it underlines nothing.
  const bool valid = (flags & ~kKnownFlags) == 0 && storedKind <= ZAF_FLAT_BUTTON && storedDepth >= 0 &&
                     storedDepth <= ZAF_BUTTON_MAX_DEPTH && storedTextPlacement <= ZAF_TEXT_BELOW &&
                     storedVerticalPlacement <= ZAF_VERTICAL_CENTER && storedHotKeyIndex >= -1;
  if (!valid) {
    // Not a record a button wrote: nothing of it is taken.
    persistence.SetError(ZAF_ERROR_READ);
    return;
  }
  value = storedValue;
  defaultCapable = flags & kDefaultCapable;
  toggles = flags & kToggles;
  autoRepeat = flags & kAutoRepeat;
  autoSize = flags & kAutoSize;
  chooseOnDoubleClick = flags & kChooseOnDoubleClick;
  chooseOnPress = flags & kChooseOnPress;
  kind = storedKind;
  depth = storedDepth;
  textPlacement = storedTextPlacement;
  verticalPlacement = storedVerticalPlacement;
  hotKeyChar = ZafToUpper(storedHotKey);
  hotKeyIndex = storedHotKeyIndex;
  unpressedRegion = region;
  stringData->SetText(text.get());
  messageText = std::move(message);
  SetMessageOnSelect(flags & kMessageOnSelect);
  // A missing or unreadable picture is the button's error; the button shows none.
  if (auto* bitmap = ZafReadStoredData<ZafBitmapData>(bitmapName.get(), persistence)) {
    TakeBitmapData(bitmap);
  }
}
