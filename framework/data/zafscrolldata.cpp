#include "framework/data/zafscrolldata.h"

#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstrlib.h"

int32_t ZafScrollData::Clamp(int32_t current, int32_t minimum, int32_t maximum) {
  return ZafClampScroll(current, minimum, maximum);
}

ZafScrollData::ZafScrollData(int32_t minimum, int32_t maximum, int32_t current, int32_t delta,
                             int32_t showing)
    : scroll{Clamp(current, minimum, maximum), minimum, maximum, showing, delta} {}

ZafScrollData::ZafScrollData(const ZafScrollStruct& values)
    : ZafScrollData(values.minimum, values.maximum, values.current, values.delta, values.showing) {}

ZafScrollData::ZafScrollData(const ZafScrollData& other) : ZafData(other), scroll(other.scroll) {
  scroll.current = Clamp(scroll.current, scroll.minimum, scroll.maximum);
}

ZafScrollData::ZafScrollData(const ZafIChar* name, ZafDataPersistence& persistence) : ZafData(name) {
  EnterReadLevel(name, persistence, u"ZafScrollData", ID_ZAF_SCROLL_DATA, ZAF_STORAGE_TYPE_DATA);
  ZafError readError = ZAF_ERROR_NONE;
  if (ZafFile* file = persistence.File()) {
    ZafScrollStruct stored;
    file->ReadInt32(stored.current);
    file->ReadInt32(stored.minimum);
    file->ReadInt32(stored.maximum);
    file->ReadInt32(stored.showing);
    file->ReadInt32(stored.delta);
    if (file->Error() == ZAF_ERROR_NONE) {
      scroll = stored;
    } else {
      readError = ZAF_ERROR_READ;
    }
  }
  LeaveReadLevel(persistence, readError);
}

ZafScrollData::~ZafScrollData() {
  ReleaseObservers();
}

ZafClassID ZafScrollData::ClassID() const {
  return ID_ZAF_SCROLL_DATA;
}

const ZafIChar* ZafScrollData::ClassName() const {
  return u"ZafScrollData";
}

bool ZafScrollData::IsA(ZafClassID id) const {
  return id == ID_ZAF_SCROLL_DATA || ZafData::IsA(id);
}

bool ZafScrollData::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafScrollData") == 0) || ZafData::IsAName(name);
}

ZafData* ZafScrollData::Duplicate() {
  return new ZafScrollData(*this);
}

ZafDataConstructor ZafScrollData::ReadFunction() const {
  return [](const ZafIChar* name, ZafDataPersistence& persistence) -> ZafData* {
    return new ZafScrollData(name, persistence);
  };
}

ZafError ZafScrollData::Write(ZafDataPersistence& persistence) {
  ZafData::Write(persistence);
  if (ZafFile* file = persistence.File()) {
    file->WriteInt32(scroll.current);
    file->WriteInt32(scroll.minimum);
    file->WriteInt32(scroll.maximum);
    file->WriteInt32(scroll.showing);
    file->WriteInt32(scroll.delta);
  }
  return FinishWrite(persistence);
}

void ZafScrollData::Clear() {
  const ZafScrollStruct cleared;
  if (scroll == cleared) {
    return;
  }
  BeginChange();
  scroll = cleared;
  SetError(ZAF_ERROR_NONE);
  EndChange(true);
}

int ZafScrollData::SetScroll(int32_t minimum, int32_t maximum, int32_t current, int32_t delta,
                             int32_t showing) {
  const ZafScrollStruct next{Clamp(current, minimum, maximum), minimum, maximum, showing, delta};
  if (next == scroll) {
    return 0;
  }
  BeginChange();
  scroll = next;
  EndChange(true);
  return 0;
}

int ZafScrollData::SetScroll(const ZafScrollStruct& values) {
  return SetScroll(values.minimum, values.maximum, values.current, values.delta, values.showing);
}

int32_t ZafScrollData::SetCurrent(int32_t current) {
  SetScroll(scroll.minimum, scroll.maximum, current, scroll.delta, scroll.showing);
  return scroll.current;
}

int32_t ZafScrollData::SetMinimum(int32_t minimum) {
  SetScroll(minimum, scroll.maximum, scroll.current, scroll.delta, scroll.showing);
  return scroll.minimum;
}

int32_t ZafScrollData::SetMaximum(int32_t maximum) {
  SetScroll(scroll.minimum, maximum, scroll.current, scroll.delta, scroll.showing);
  return scroll.maximum;
}

int32_t ZafScrollData::SetShowing(int32_t showing) {
  SetScroll(scroll.minimum, scroll.maximum, scroll.current, scroll.delta, showing);
  return scroll.showing;
}

int32_t ZafScrollData::SetDelta(int32_t delta) {
  SetScroll(scroll.minimum, scroll.maximum, scroll.current, delta, scroll.showing);
  return scroll.delta;
}
