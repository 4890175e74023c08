// Reads a stored button whose object file is the fuzzed bytes: the window-object record, the button record
// and whatever follows. Whatever the bytes, reading must end with a button or an error, never a crash or an
// allocation the file does not pay for; a button that was read can be written again.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "framework/core/zafbutton.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstorage.h"
#include "framework/data/zafutf8.h"
#include "testing/zaftestdisplay.h"

namespace {

std::u16string StoragePath() {
  const char* folder = getenv("TMPDIR");
  return ZafFromUtf8(std::string(folder && *folder ? folder : "/tmp") + "/zafbuttonrecord_fuzz_" +
                     std::to_string(getpid()) + ".znc");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ZafTestDisplay display;
  const std::u16string path = StoragePath();
  {
    ZafStorage storage(path.c_str(), ZAF_STORAGE_CREATE);
    ZafObjectPersistence persistence(&storage);
    persistence.PushLevel(u"ZafButton", ID_ZAF_BUTTON, ZAF_STORAGE_TYPE_NAMED);
    if (persistence.CurrentFile(u"fuzz", ZAF_PERSIST_WRITE) == ZAF_ERROR_NONE && persistence.File()) {
      persistence.File()->WriteData(data, static_cast<int>(size));
    }
    persistence.PopLevel();
    persistence.SetError(ZAF_ERROR_NONE);

    ZafButton read(u"fuzz", persistence);
    if (read.Error() == ZAF_ERROR_NONE) {
      read.SetStringID(u"again");
      read.Write(persistence);
    }
  }
  std::remove(ZafToUtf8(path).c_str());
  return 0;
}
