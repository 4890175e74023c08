#include "framework/data/zaficondata.h"

#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zafstrlib.h"

ZafIconData::ZafIconData(int32_t width, int32_t height, const uint8_t* pixels, bool staticPixels)
    : ZafImageData(width, height, pixels, staticPixels) {}

ZafIconData::ZafIconData(const ZafIconStruct& description)
    : ZafImageData(description.width, description.height, description.pixels, description.staticPixels) {}

// A copy never shares the native icon: the display makes its own for the copy.
ZafIconData::ZafIconData(const ZafIconData& other) : ZafImageData(other) {}

ZafIconData::ZafIconData(const ZafIChar* name, ZafDataPersistence& persistence)
    : ZafImageData(name, persistence, u"ZafIconData", ID_ZAF_ICON_DATA, ZAF_STORAGE_TYPE_NAMED) {}

ZafClassID ZafIconData::ClassID() const {
  return ID_ZAF_ICON_DATA;
}

const ZafIChar* ZafIconData::ClassName() const {
  return u"ZafIconData";
}

bool ZafIconData::IsA(ZafClassID id) const {
  return id == ID_ZAF_ICON_DATA || ZafImageData::IsA(id);
}

bool ZafIconData::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafIconData") == 0) || ZafImageData::IsAName(name);
}

ZafDataConstructor ZafIconData::ReadFunction() const {
  return [](const ZafIChar* name, ZafDataPersistence& persistence) -> ZafData* {
    return new ZafIconData(name, persistence);
  };
}

ZafData* ZafIconData::Duplicate() {
  return new ZafIconData(*this);
}

int ZafIconData::StorageType() const {
  return ZAF_STORAGE_TYPE_NAMED;
}

void ZafIconData::SetNativeIcon(ZafNativeHandle newIcon, bool isStatic) {
  icon = newIcon;
  staticHandle = isStatic;
}
