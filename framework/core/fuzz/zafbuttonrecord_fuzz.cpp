// Reads a stored button whose object file is the fuzzed bytes: the window-object record, the button record
// and whatever follows. Whatever the bytes, reading must end with a button or an error, never a crash or an
// allocation the file does not pay for; a button that was read can be written again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "framework/core/fuzz/zafrecordfuzzfile.h"
#include "framework/core/zafbutton.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafutf8.h"
#include "testing/zaftestdisplay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ZafTestDisplay display;
  const std::u16string path = ZafFuzzStoragePath("zafbuttonrecord_fuzz");
  {
    ZafStorage storage(path.c_str(), ZAF_STORAGE_CREATE);
    ZafObjectPersistence persistence(&storage);
    ZafFuzzStoreRecord(persistence, u"ZafButton", ID_ZAF_BUTTON, u"fuzz", ZAF_STORAGE_TYPE_NAMED, data, size);
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
