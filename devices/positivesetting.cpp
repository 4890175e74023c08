#include "devices/positivesetting.h"

#include "model/qvsettings.h"

int32_t PositiveSetting(const char16_t* path, int32_t builtIn) {
  return SettingInRange(path, builtIn, 1, INT32_MAX);
}

int32_t SettingInRange(const char16_t* path, int32_t builtIn, int32_t lowest, int32_t highest) {
  return QvSettings::Int(path, builtIn, {lowest, highest});
}

int32_t CappedSetting(const char16_t* path, int32_t builtIn, int32_t most) {
  return QvSettings::Int(path, builtIn, {1, most, QvSettings::Outside::kCapped});
}
