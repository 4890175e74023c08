#pragma once
// The numbered error alert for code outside the application object: shown when the program runs, silent
// otherwise (a window made by a test without the program).

#include <cstdint>

#include "app/yzapplication.h"

inline void ShowNumberedError(int32_t code, int32_t subCode = -1) {
  if (YZApplication* application = YZApplication::Current()) {
    application->ShowError(code, subCode);
  }
}
