// Reads a stored window whose records are fuzzed bytes: the first two bytes (little-endian) give the length
// of the window's own record, the rest is the record of one object stored under it, itself a window so
// that nesting is exercised. Whatever the bytes, reading must end with a window or an error, never a crash.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "framework/core/fuzz/zafrecordfuzzfile.h"
#include "framework/core/zafwindow.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafutf8.h"
#include "testing/zaftestdisplay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) {
    return 0;
  }
  const size_t windowBytes = std::min<size_t>(size - 2, data[0] | (data[1] << 8));
  const uint8_t* window = data + 2;
  const uint8_t* child = window + windowBytes;
  const size_t childBytes = size - 2 - windowBytes;

  ZafTestDisplay display;
  const std::u16string path = ZafFuzzStoragePath("zafwindowrecord_fuzz");
  {
    ZafStorage storage(path.c_str(), ZAF_STORAGE_CREATE);
    ZafObjectPersistence persistence(&storage);
    persistence.AddObjectConstructor(u"ZafWindow", ID_ZAF_WINDOW, &ZafWindow::Read);
    persistence.AddObjectConstructor(u"ZafWindowObject", ID_ZAF_WINDOW_OBJECT, &ZafWindowObject::Read);
    ZafFuzzStoreRecord(persistence, u"ZafWindow", ID_ZAF_WINDOW, u"fuzz", ZAF_STORAGE_TYPE_NAMED, window,
                       windowBytes);
    ZafFuzzStoreRecord(persistence, u"ZafWindow", ID_ZAF_WINDOW, u"child", ZAF_STORAGE_TYPE_CHILD, child,
                       childBytes);
    persistence.PopLevel();
    persistence.PopLevel();
    persistence.SetError(ZAF_ERROR_NONE);

    ZafWindow read(u"fuzz", persistence);
    // A window that was read can be written again.
    if (read.Error() == ZAF_ERROR_NONE) {
      read.SetStringID(u"again");
      read.Write(persistence);
    }
  }
  std::remove(ZafToUtf8(path).c_str());
  return 0;
}
