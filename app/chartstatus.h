#pragma once
// The main status bar's text and progress while a chart export or print runs; nothing without a frame.

#include <cstdint>

#include "app/qvzcontrol.h"
#include "app/qvzstatusbar.h"
#include "foundation/kstring.h"

inline void ShowChartStatus(const KString& text, int32_t progress) {
  if (QvZStatusBar* bar = QvZControl::GetStatusBar()) {
    bar->SetText(text);
    bar->SetProgress(progress);
  }
}
