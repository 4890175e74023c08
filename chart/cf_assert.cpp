#include "chart/cf_assert.h"

#include <string>

#include "foundation/klog.h"
#include "foundation/kstring.h"

bool cf_Assert(bool condition, const char* text, const char* source, int32_t line) {
  if (!condition) {
    if (KLog* log = KLog::ProgramLog()) {
      const std::string message =
          std::string("Assertion failed: ") + text + ", file " + source + ", line " + std::to_string(line);
      log->Error(KString(message.c_str()));
    }
  }
  return condition;
}
