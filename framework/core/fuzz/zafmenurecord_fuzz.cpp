// Reads a stored menu entry whose records are fuzzed bytes: the first two bytes
// (little-endian) give the length of the entry's own record (window object,
// button, item type, submenu name), the rest is the record of the submenu
// stored under it as "menu". Whatever the bytes, reading must end with an entry
// or an error, never a crash.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "framework/core/fuzz/zafrecordfuzzfile.h"
#include "framework/core/zafpopupitem.h"
#include "framework/core/zafpopupmenu.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafutf8.h"
#include "testing/zaftestdisplay.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) {
    return 0;
  }
  const size_t itemBytes = std::min<size_t>(size - 2, data[0] | (data[1] << 8));
  const uint8_t* item = data + 2;
  const uint8_t* submenu = item + itemBytes;
  const size_t submenuBytes = size - 2 - itemBytes;

  ZafTestDisplay display;
  const std::u16string path = ZafFuzzStoragePath("zafmenurecord_fuzz");
  {
    ZafStorage storage(path.c_str(), ZAF_STORAGE_CREATE);
    ZafObjectPersistence persistence(&storage);
    persistence.AddObjectConstructor(u"ZafPopUpItem", ID_ZAF_POP_UP_ITEM, &ZafPopUpItem::Read);
    persistence.AddObjectConstructor(u"ZafPopUpMenu", ID_ZAF_POP_UP_MENU, &ZafPopUpMenu::Read);
    ZafFuzzStoreRecord(persistence, u"ZafPopUpItem", ID_ZAF_POP_UP_ITEM, u"fuzz", ZAF_STORAGE_TYPE_NAMED,
                       item, itemBytes);
    ZafFuzzStoreRecord(persistence, u"ZafPopUpMenu", ID_ZAF_POP_UP_MENU, u"menu", ZAF_STORAGE_TYPE_CHILD,
                       submenu, submenuBytes);
    persistence.PopLevel();
    persistence.PopLevel();
    persistence.SetError(ZAF_ERROR_NONE);

    ZafPopUpItem read(u"fuzz", persistence);
    // An entry that was read can be written again.
    if (read.Error() == ZAF_ERROR_NONE) {
      read.SetStringID(u"again");
      read.Write(persistence);
    }
  }
  std::remove(ZafToUtf8(path).c_str());
  return 0;
}
