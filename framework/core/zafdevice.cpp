#include "framework/core/zafdevice.h"

#include "framework/core/zafeventrecord.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"

ZafDevice::ZafDevice(int32_t deviceType, int32_t deviceState)
    : deviceType(deviceType), deviceState(deviceState) {}

ZafClassID ZafDevice::ClassID() const {
  return ID_ZAF_DEVICE;
}

const ZafIChar* ZafDevice::ClassName() const {
  return u"ZafDevice";
}

bool ZafDevice::IsA(ZafClassID id) const {
  return id == ID_ZAF_DEVICE || ZafElement::IsA(id);
}

bool ZafDevice::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafDevice") == 0) || ZafElement::IsAName(name);
}

int32_t ZafDevice::Event(const ZafEventRecord& event) {
  return event.type;
}
