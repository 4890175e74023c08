// The runtime library's file, directory and environment functions with 16-bit names. Names cross to the
// operating system as UTF-8. Results that the functions keep themselves live in per-thread buffers that grow
// as needed and stay valid until the thread's next call of the same function.
#ifndef FRAMEWORK_DATA_ZAFNATIVEFILE_H
#define FRAMEWORK_DATA_ZAFNATIVEFILE_H

#include <cstddef>
#include <cstdio>

#include "framework/data/zaftypes.h"

// The stream for the name and fopen mode; null when it fails, and for anything but a regular file.
FILE* ZafFOpen(const ZafIChar* name, const ZafIChar* mode);
// Creates a new empty file under a fresh name in the temporary directory ($TMPDIR, else /tmp) and returns
// its name: in `buffer` when given (null when the name does not fit `capacity`, terminator included), else
// in the per-thread buffer. Creating the file itself means no other process can take the same name.
const ZafIChar* ZafTmpNam(ZafIChar* buffer, std::size_t capacity);
// The variable's value, or null when it is not set.
const ZafIChar* ZafGetEnv(const ZafIChar* name);
// 0 on success, as chdir.
int ZafChDir(const ZafIChar* path);
// The current directory in `buffer`; null when it cannot be obtained or does not fit `capacity`.
ZafIChar* ZafGetCwd(ZafIChar* buffer, std::size_t capacity);
// 0 on success, as rename (which replaces an existing file of the new name).
int ZafRename(const ZafIChar* oldName, const ZafIChar* newName);
// 0 on success, as unlink.
int ZafUnlink(const ZafIChar* name);

#endif
