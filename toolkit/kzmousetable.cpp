#include "toolkit/kzmousetable.h"

#include "framework/core/zafwindowobject.h"

namespace {

// Searched in order: a press (change and down) before a drag (down) before a release (change alone).
constexpr ZafEventMap kMouseTable[] = {
    {1003, ZAF_MOUSE_DEVICE, 0x1100, 0}, {1006, ZAF_MOUSE_DEVICE, 0x2200, 0},
    {1004, ZAF_MOUSE_DEVICE, 0x0100, 0}, {1007, ZAF_MOUSE_DEVICE, 0x0200, 0},
    {1005, ZAF_MOUSE_DEVICE, 0x1000, 0}, {1008, ZAF_MOUSE_DEVICE, 0x2000, 0},
    {1001, ZAF_MOUSE_DEVICE, 0x0000, 0}, {EndOfEventMap, 0, 0, 0},
};

}  // namespace

ZafEventType KZMapMouseState(ZafWindowObject& object, const ZafEventRecord& event,
                             ZafEventType frameworkCode) {
  if (frameworkCode < 0 || frameworkCode > 99 || ZafEventRecord::Category(event) != ZAF_CATEGORY_MOUSE) {
    return frameworkCode;
  }
  // A native message carries its raw state only once translated for the object.
  ZafEventRecord translated = event;
  if (translated.referenceObject != &object) {
    object.ConvertCoordinates(translated);
  }
  for (const ZafEventMap* row = kMouseTable; row->logicalEvent != EndOfEventMap; ++row) {
    if (row->rawCode == translated.value) {
      return row->logicalEvent;
    }
  }
  return frameworkCode;
}
