#pragma once
// The commands other programs send through the command service (docs/command-service.md): the text an
// execute request carries, and the one command there is, "OpenEvent,<file>".

#include <cstddef>
#include <cstdint>
#include <optional>

#include "foundation/kstring.h"

// The most characters a command holds; the command buffer keeps no more.
inline constexpr int32_t kMaxServiceCommandLength = 511;
// Room for the longest command's 16-bit units and its terminating 0.
inline constexpr std::size_t kMaxServiceCommandBytes = 2 * (kMaxServiceCommandLength + 1);

// The command in the bytes handed over with an execute request: its 16-bit units up to the first 0 unit
// within those bytes (or all of them when there is none), at most kMaxServiceCommandLength. Nothing past
// `size` is read; a last odd byte, half a unit, is left out.
KString ServiceCommandText(const uint8_t* bytes, std::size_t size);

// The file an "OpenEvent" command names: the command split at commas gives the keyword, which must be
// "OpenEvent" exactly (case included); the second field, which may stand in double quotes to hold commas,
// is the file. Nothing for any other command, or when the file name is missing or empty.
std::optional<KString> OpenEventFileOf(const KString& command);
