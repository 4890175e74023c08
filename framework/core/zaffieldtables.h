// The tables the string and text fields share: their palette (the background in the platform's window
// colour) and the editing keys of their event maps.
#ifndef FRAMEWORK_CORE_ZAFFIELDTABLES_H
#define FRAMEWORK_CORE_ZAFFIELDTABLES_H

#include <array>
#include <cstddef>

#include "framework/core/zafwindowobject.h"

inline constexpr ZafPaletteMap zafFieldPaletteTable[] = {
    {ZAF_PM_BACKGROUND, 0, {0, 0, ZAF_COLOR_SYSTEM, ZAF_COLOR_SYSTEM, 2, 2, 1, 0, 0}},
    {ZAF_PM_END, 0, {}},
};

// The bars along a window's edges: the background in the platform's face colour (filled in by the back-end).
inline constexpr ZafPaletteMap zafBarPaletteTable[] = {
    {ZAF_PM_BACKGROUND, 0, {0, 0, ZAF_COLOR_SYSTEM, ZAF_COLOR_SYSTEM, 0, 2, 3}},
    {ZAF_PM_END, 0, {}},
};

// Backspace, Home and Page Up, Ctrl-Insert, Shift-Delete, Delete, End and Page Down, Shift-Insert (Insert
// is an extended key).
inline constexpr int32_t ZAF_EXTENDED_KEY = 0x8000;
inline constexpr ZafEventMap zafFieldEditingKeys[] = {
    {1119, ZAF_KEYBOARD_DEVICE, 8, 0x200},
    {1117, ZAF_KEYBOARD_DEVICE, 0x24, 0x200},
    {1117, ZAF_KEYBOARD_DEVICE, 0x21, 0x200},
    {1127, ZAF_KEYBOARD_DEVICE, ZAF_EXTENDED_KEY | 45, 0x204},
    {1104, ZAF_KEYBOARD_DEVICE, 46, 0x203},
    {1108, ZAF_KEYBOARD_DEVICE, 46, 0x200},
    {1118, ZAF_KEYBOARD_DEVICE, 0x23, 0x200},
    {1118, ZAF_KEYBOARD_DEVICE, 0x22, 0x200},
    {1105, ZAF_KEYBOARD_DEVICE, ZAF_EXTENDED_KEY | 45, 0x203},
};

// An event map of the editing keys, then a field's own rows, then the end row.
template <std::size_t N>
constexpr auto ZafFieldEventMap(const ZafEventMap (&rows)[N]) {
  constexpr std::size_t editing = std::size(zafFieldEditingKeys);
  std::array<ZafEventMap, editing + N + 1> map{};
  for (std::size_t index = 0; index < editing; ++index) {
    map[index] = zafFieldEditingKeys[index];
  }
  for (std::size_t index = 0; index < N; ++index) {
    map[editing + index] = rows[index];
  }
  map[editing + N] = {EndOfEventMap, 0, 0, 0};
  return map;
}

#endif
