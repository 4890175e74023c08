#include "devices/positivesetting.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "foundation/klog.h"
#include "foundation/kstring.h"
#include "model/qvsettings.h"

namespace {

// Logs that the setting's value is not taken and which one is used instead: once for each new unworkable
// value, since a download reads its settings at every request and the log needs one line, not one a
// request. A workable value forgets the setting.
int32_t Replaced(const char16_t* path, int32_t value, int32_t used, const char16_t* why) {
  static std::mutex mutex;
  static std::map<std::u16string, int32_t> logged;
  std::lock_guard<std::mutex> lock(mutex);
  if (value == used) {
    logged.erase(path);
    return value;
  }
  const auto [entry, isNew] = logged.try_emplace(path, value);
  if (isNew || entry->second != value) {
    entry->second = value;
    KString line(path);
    line.Append(u" is ").AppendInt(value).Append(u", ").Append(why).Append(u": ").AppendInt(used);
    KLog::ProgramWarning(line.Append(u" is used instead"));
  }
  return used;
}

constexpr const char16_t* kUnworkable = u"which cannot work";

}  // namespace

int32_t PositiveSetting(const char16_t* path, int32_t builtIn) {
  return SettingInRange(path, builtIn, 1, INT32_MAX);
}

int32_t SettingInRange(const char16_t* path, int32_t builtIn, int32_t lowest, int32_t highest) {
  const int32_t value = QvSettings::Int(path, builtIn);
  return Replaced(path, value, value >= lowest && value <= highest ? value : builtIn, kUnworkable);
}

int32_t CappedSetting(const char16_t* path, int32_t builtIn, int32_t most) {
  const int32_t value = QvSettings::Int(path, builtIn);
  if (value > most) {
    return Replaced(path, value, most, u"which is too long");
  }
  return Replaced(path, value, value > 0 ? value : builtIn, kUnworkable);
}
