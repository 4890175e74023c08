// The scroll bar's record: the window record (a bar holds no objects), a flags word (bit 0 automatic size),
// the kind of bar in the low four bits of the next word, and the name of its scroll data, which is stored
// beside the bar under that name.
#include <memory>

#include "framework/core/zafscrollbar.h"
#include "framework/core/zafstoreddata.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafscrolldata.h"

namespace {

constexpr uint16_t kAutomaticSize = 0x0001;
constexpr uint16_t kTypeBits = 0x000F;

}  // namespace

ZafObjectConstructor ZafScrollBar::ReadFunction() const {
  return &ZafScrollBar::Read;
}

ZafWindowObject* ZafScrollBar::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafScrollBar(name, persistence);
}

ZafError ZafScrollBar::Write(ZafObjectPersistence& persistence) {
  if (BeginWrite(persistence) && persistence.Error() == ZAF_ERROR_NONE) {
    WriteWindowFields(persistence);
    ZafFile& file = *persistence.File();
    file.WriteUInt16(automaticSize ? kAutomaticSize : 0);
    file.WriteUInt16(static_cast<uint16_t>(scrollType & kTypeBits));
    file.WriteString(ZafNameStoredData(scrollData, *this, u""));
    ZafWriteStoredData(scrollData, persistence);
  }
  return EndWrite(persistence);
}

void ZafScrollBar::ReadBarFields(ZafObjectPersistence& persistence) {
  ZafFile* file = persistence.File();
  if (!file || persistence.Error() != ZAF_ERROR_NONE || file->Error() != ZAF_ERROR_NONE) {
    return;
  }
  uint16_t flags = 0;
  uint16_t type = 0;
  file->ReadUInt16(flags);
  file->ReadUInt16(type);
  ZafIChar* read = nullptr;
  file->ReadString(read);
  const std::unique_ptr<ZafIChar[]> dataName(read);
  if (file->Error() != ZAF_ERROR_NONE || (type & kTypeBits) > ZAF_VERTICAL_SLIDER) {
    // Not a record a bar wrote.
    persistence.SetError(ZAF_ERROR_READ);
    return;
  }
  automaticSize = flags & kAutomaticSize;
  // The stored flags decided whether the bar is a support object; a slider never is one.
  const bool wasSupport = supportObject;
  SetScrollType(type & kTypeBits);
  supportObject = wasSupport && !IsSlider(scrollType);
  SetScrollData(ZafReadStoredData<ZafScrollData>(dataName.get(), persistence));
}
