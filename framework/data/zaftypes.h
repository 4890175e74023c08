// Basic types shared by the whole framework: 16-bit text, identifiers and error words.
#ifndef FRAMEWORK_DATA_ZAFTYPES_H
#define FRAMEWORK_DATA_ZAFTYPES_H

#include <cstdint>

// Every framework text is zero-terminated 16-bit characters (never wchar_t, which is 32-bit here).
using ZafIChar = char16_t;
// Number IDs are 16-bit; the reserved support-object IDs count down from 0xFFFF.
using ZafNumberID = uint16_t;
using ZafClassID = uint16_t;
// The "long" of stored formats and of the printf 'l' size: always 32 bits, whatever the machine's long.
using ZafLong = int32_t;
using ZafULong = uint32_t;
// A native image, icon or cursor made by the native layer; opaque to the portable classes.
using ZafNativeHandle = void*;
// Failures are numbers kept in an object's error field (0 = none).
using ZafError = int32_t;

// Error codes of files and storages.
inline constexpr ZafError ZAF_ERROR_NONE = 0;
inline constexpr ZafError ZAF_ERROR_NOT_FOUND = 2;
inline constexpr ZafError ZAF_ERROR_ID_MISMATCH = 8;
inline constexpr ZafError ZAF_ERROR_NOT_WRITABLE = 10;
inline constexpr ZafError ZAF_ERROR_OPEN = 14;
inline constexpr ZafError ZAF_ERROR_SEEK = 15;
inline constexpr ZafError ZAF_ERROR_READ = 16;
inline constexpr ZafError ZAF_ERROR_WRITE = 17;
inline constexpr ZafError ZAF_ERROR_NOT_DATA_FILE = 18;

#endif
