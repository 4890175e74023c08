#pragma once
// The imaging side reports internal inconsistencies as log lines and goes on; these write them to the
// program's log when there is one.

#include "foundation/klog.h"
#include "foundation/kstring.h"

inline void YLogError(const KString& text) {
  if (KLog* log = KLog::ProgramLog()) {
    log->Error(text);
  }
}

inline void YLogWarning(const KString& text) {
  if (KLog* log = KLog::ProgramLog()) {
    log->Warning(text);
  }
}
