#pragma once
// The space bar's press (a key-down event, key-data bit 0x200), as the capture dialogs wait for it.

#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindowobject.h"

inline constexpr int32_t kSpaceBar = 32;
inline constexpr int32_t kKeyDown = 0x200;

inline bool IsSpaceBarPress(const ZafEventRecord& event) {
  return ZafEventRecord::Category(event) == ZAF_KEYBOARD_DEVICE && event.value == kSpaceBar &&
         (event.modifiers & kKeyDown) != 0;
}
