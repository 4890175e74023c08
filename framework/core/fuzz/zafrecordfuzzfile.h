// What the framework's record fuzz targets share: a data file of their own in the temporary folder, and
// fuzzed bytes stored as an object's record in it.
#ifndef FRAMEWORK_CORE_FUZZ_ZAFRECORDFUZZFILE_H
#define FRAMEWORK_CORE_FUZZ_ZAFRECORDFUZZFILE_H

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/data/zaffile.h"
#include "framework/data/zafobjectpersistence.h"
#include "framework/data/zafstorage.h"
#include "framework/data/zafutf8.h"

// A data file named after the target and the process, so that parallel runs never share one.
inline std::u16string ZafFuzzStoragePath(const char* target) {
  const char* folder = std::getenv("TMPDIR");
  return ZafFromUtf8(std::string(folder && *folder ? folder : "/tmp") + "/" + target + "_" +
                     std::to_string(getpid()) + ".znc");
}

// Stores the bytes as the object file of the named object of that class: on its own (storage type
// ZAF_STORAGE_TYPE_NAMED) or below the object whose level is open (ZAF_STORAGE_TYPE_CHILD). The level stays
// entered, so that a child record can follow below it.
inline void ZafFuzzStoreRecord(ZafObjectPersistence& persistence, const ZafIChar* className,
                               ZafClassID classID, const ZafIChar* name, int storageType, const uint8_t* data,
                               size_t size) {
  persistence.PushLevel(className, classID, storageType);
  if (persistence.CurrentFile(name, ZAF_PERSIST_WRITE) == ZAF_ERROR_NONE && persistence.File()) {
    persistence.File()->WriteData(data, static_cast<int>(size));
  }
}

#endif
