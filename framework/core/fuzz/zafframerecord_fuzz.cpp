// Reads a stored part of a window's frame whose records are fuzzed bytes: the first byte picks the class
// (title, border, system, minimize or maximize button, menu-bar entry, menu bar), the next two
// (little-endian) give the length of the object's own record, and the rest is the record of the object
// stored under it: the system button's own menu, a menu-bar entry's drop-down list ("menu"), the menu
// bar's entry "item". Whatever the bytes, reading must end with an object or an error, never a crash, and an
// object that was read can be written again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <memory>
#include <string>

#include "framework/core/fuzz/zafrecordfuzzfile.h"
#include "framework/core/zafborder.h"
#include "framework/core/zafmaximizebutton.h"
#include "framework/core/zafminimizebutton.h"
#include "framework/core/zafpopupitem.h"
#include "framework/core/zafpopupmenu.h"
#include "framework/core/zafpulldownitem.h"
#include "framework/core/zafpulldownmenu.h"
#include "framework/core/zafsystembutton.h"
#include "framework/core/zaftitle.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafutf8.h"
#include "testing/zaftestdisplay.h"

namespace {

struct StoredClass {
  const ZafIChar* name;
  ZafClassID id;
  ZafObjectConstructor read;
};

constexpr StoredClass kDropDownList = {u"ZafPopUpMenu", ID_ZAF_POP_UP_MENU, &ZafPopUpMenu::Read};
constexpr StoredClass kDropDownEntry = {u"ZafPopUpItem", ID_ZAF_POP_UP_ITEM, &ZafPopUpItem::Read};
constexpr StoredClass kMenuBarEntry = {u"ZafPullDownItem", ID_ZAF_PULL_DOWN_ITEM, &ZafPullDownItem::Read};

// A part of the frame, and the object its record may name below it (none for parts without one).
struct FramePart {
  StoredClass stored;
  const StoredClass* child;
  const ZafIChar* childName;
};

constexpr FramePart kFrameParts[] = {
    {{u"ZafTitle", ID_ZAF_TITLE, &ZafTitle::Read}, nullptr, nullptr},
    {{u"ZafBorder", ID_ZAF_BORDER, &ZafBorder::Read}, nullptr, nullptr},
    {{u"ZafSystemButton", ID_ZAF_SYSTEM_BUTTON, &ZafSystemButton::Read},
     &kDropDownList,
     u"ZAF_NUMID_SYSTEM_BUTTON_MENU"},
    {{u"ZafMinimizeButton", ID_ZAF_MINIMIZE_BUTTON, &ZafMinimizeButton::Read}, nullptr, nullptr},
    {{u"ZafMaximizeButton", ID_ZAF_MAXIMIZE_BUTTON, &ZafMaximizeButton::Read}, nullptr, nullptr},
    {kMenuBarEntry, &kDropDownList, u"menu"},
    {{u"ZafPullDownMenu", ID_ZAF_PULL_DOWN_MENU, &ZafPullDownMenu::Read}, &kMenuBarEntry, u"item"},
};

void AddConstructor(ZafObjectPersistence& persistence, const StoredClass& stored) {
  persistence.AddObjectConstructor(stored.name, stored.id, stored.read);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) {
    return 0;
  }
  const FramePart& part = kFrameParts[data[0] % std::size(kFrameParts)];
  const size_t ownBytes = std::min<size_t>(size - 3, data[1] | (data[2] << 8));
  const uint8_t* own = data + 3;
  const uint8_t* below = own + ownBytes;
  const size_t belowBytes = size - 3 - ownBytes;

  ZafTestDisplay display;
  const std::u16string path = ZafFuzzStoragePath("zafframerecord_fuzz");
  {
    ZafStorage storage(path.c_str(), ZAF_STORAGE_CREATE);
    ZafObjectPersistence persistence(&storage);
    for (const FramePart& each : kFrameParts) {
      AddConstructor(persistence, each.stored);
    }
    AddConstructor(persistence, kDropDownList);
    AddConstructor(persistence, kDropDownEntry);
    const StoredClass& stored = part.stored;
    ZafFuzzStoreRecord(persistence, stored.name, stored.id, u"fuzz", ZAF_STORAGE_TYPE_NAMED, own, ownBytes);
    if (part.child != nullptr) {
      ZafFuzzStoreRecord(persistence, part.child->name, part.child->id, part.childName,
                         ZAF_STORAGE_TYPE_CHILD, below, belowBytes);
      persistence.PopLevel();
    }
    persistence.PopLevel();
    persistence.SetError(ZAF_ERROR_NONE);

    const std::unique_ptr<ZafWindowObject> read(stored.read(u"fuzz", persistence));
    if (read->Error() == ZAF_ERROR_NONE) {
      read->SetStringID(u"again");
      read->Write(persistence);
    }
  }
  std::remove(ZafToUtf8(path).c_str());
  return 0;
}
