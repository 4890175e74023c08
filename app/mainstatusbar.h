#pragma once
// The main frame's status bar, where long operations show their texts and progress; null outside a run.

#include "app/yzapplication.h"

class KZStatusBar;

inline KZStatusBar* MainStatusBar() {
  YZApplication* application = YZApplication::Current();
  return application != nullptr ? application->StatusBar() : nullptr;
}
