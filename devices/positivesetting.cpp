#include "devices/positivesetting.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

#include "foundation/klog.h"
#include "foundation/kstring.h"
#include "model/qvsettings.h"

int32_t PositiveSetting(const char16_t* path, int32_t builtIn) {
  return SettingInRange(path, builtIn, 1, INT32_MAX);
}

int32_t SettingInRange(const char16_t* path, int32_t builtIn, int32_t lowest, int32_t highest) {
  // The unworkable value each setting was last logged with: a download reads its settings at every request,
  // and the log needs one line, not one a request.
  static std::mutex mutex;
  static std::map<std::u16string, int32_t> logged;
  const int32_t value = QvSettings::Int(path, builtIn);
  std::lock_guard<std::mutex> lock(mutex);
  if (value >= lowest && value <= highest) {
    logged.erase(path);
    return value;
  }
  const auto [entry, isNew] = logged.try_emplace(path, value);
  if (isNew || entry->second != value) {
    entry->second = value;
    KString line(path);
    line.Append(u" is ").AppendInt(value).Append(u", which cannot work: ").AppendInt(builtIn);
    KLog::ProgramWarning(line.Append(u" is used instead"));
  }
  return builtIn;
}
