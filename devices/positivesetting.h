#pragma once
// Settings that count attempts or milliseconds of waiting, as the device links read them. A value of 0 or
// less could only make every request fail at once (no attempt, no time to answer): such a value, which only
// a hand-edited configuration file holds, is taken as the setting's built-in value, and the program's log
// says so whenever the setting is found with a new unworkable value.

#include <cstdint>

// The Int setting at `path`; `builtIn` when it is missing, and when it is 0 or less.
int32_t PositiveSetting(const char16_t* path, int32_t builtIn);
