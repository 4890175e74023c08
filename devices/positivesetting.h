#pragma once
// Settings whose unworkable values a hand-edited configuration file alone can hold: a count of attempts or
// milliseconds of waiting of 0 or less, which could only make every request fail at once, a wait so long
// that nothing could end it, or a number of lanes no race can have. Such a value is taken as the setting's
// built-in value (or its longest workable one), which the tree then holds, and the program's log says so.

#include <cstdint>

// The Int setting at `path`; `builtIn` when it is missing, and when it is 0 or less.
int32_t PositiveSetting(const char16_t* path, int32_t builtIn);
// The Int setting at `path`; `builtIn` when it is missing, and when it lies outside `lowest` to `highest`.
int32_t SettingInRange(const char16_t* path, int32_t builtIn, int32_t lowest, int32_t highest);
// PositiveSetting for a wait that holds the program: a value above `most` milliseconds is taken as `most`,
// and logged as too long.
int32_t CappedSetting(const char16_t* path, int32_t builtIn, int32_t most);
