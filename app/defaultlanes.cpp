#include "app/defaultlanes.h"

#include "devices/positivesetting.h"
#include "model/racelanes.h"

int32_t DefaultLaneCount() {
  constexpr int32_t kBuiltIn = 8;
  return SettingInRange(u"\\Event\\Results\\DefaultLanes", kBuiltIn, 1, kMostLanes);
}
