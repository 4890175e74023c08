// Reads a stored window whose records are fuzzed bytes: the first two bytes (little-endian) give the length
// of the window's own record; of the rest, the first byte chooses the class of one object stored under it
// (a window, so that nesting is exercised, a dialog, a message window, an icon, an MDI window, one of the
// fields, bars, lists or combo boxes, or a geometry manager) and the others are its record. Whatever the
// bytes, reading must end with a window or an error, never a crash.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>

#include "framework/core/fuzz/zafrecordfuzzfile.h"
#include "framework/core/zafcombobox.h"
#include "framework/core/zafdialogwindow.h"
#include "framework/core/zafgeometrymanager.h"
#include "framework/core/zaficon.h"
#include "framework/core/zafinteger.h"
#include "framework/core/zafmdiwindow.h"
#include "framework/core/zafmessagewindow.h"
#include "framework/core/zafprompt.h"
#include "framework/core/zafreal.h"
#include "framework/core/zafscrollbar.h"
#include "framework/core/zafstatusbar.h"
#include "framework/core/zafstring.h"
#include "framework/core/zaftext.h"
#include "framework/core/zaftoolbar.h"
#include "framework/core/zafvtlist.h"
#include "framework/core/zafwindow.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafutf8.h"
#include "testing/zaftestdisplay.h"

namespace {

struct ChildClass {
  const char16_t* name;
  ZafClassID id;
  ZafObjectConstructor read;
};

const ChildClass kChildClasses[] = {
    {u"ZafWindow", ID_ZAF_WINDOW, &ZafWindow::Read},
    {u"ZafString", ID_ZAF_STRING, &ZafString::Read},
    {u"ZafText", ID_ZAF_TEXT, &ZafText::Read},
    {u"ZafPrompt", ID_ZAF_PROMPT, &ZafPrompt::Read},
    {u"ZafReal", ID_ZAF_REAL, &ZafReal::Read},
    {u"ZafInteger", ID_ZAF_INTEGER, &ZafInteger::Read},
    {u"ZafScrollBar", ID_ZAF_SCROLL_BAR, &ZafScrollBar::Read},
    {u"ZafStatusBar", ID_ZAF_STATUS_BAR, &ZafStatusBar::Read},
    {u"ZafToolBar", ID_ZAF_TOOL_BAR, &ZafToolBar::Read},
    {u"ZafVtList", ID_ZAF_VT_LIST, &ZafVtList::Read},
    {u"ZafDialogWindow", ID_ZAF_DIALOG_WINDOW, &ZafDialogWindow::Read},
    {u"ZafMessageWindow", ID_ZAF_MESSAGE_WINDOW, &ZafMessageWindow::Read},
    {u"ZafIcon", ID_ZAF_ICON, &ZafIcon::Read},
    {u"ZafMDIWindow", ID_ZAF_MDI_WINDOW, &ZafMDIWindow::Read},
    {u"ZafGeometryManager", ID_ZAF_GEOMETRY_MANAGER, &ZafGeometryManager::Read},
    {u"ZafComboBox", ID_ZAF_COMBO_BOX, &ZafComboBox::Read},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) {
    return 0;
  }
  const size_t windowBytes = std::min<size_t>(size - 2, data[0] | (data[1] << 8));
  const uint8_t* window = data + 2;
  const uint8_t* child = window + windowBytes;
  size_t childBytes = size - 2 - windowBytes;
  const ChildClass& childClass = kChildClasses[childBytes > 0 ? child[0] % std::size(kChildClasses) : 0];
  if (childBytes > 0) {
    ++child;
    --childBytes;
  }

  ZafTestDisplay display;
  const std::u16string path = ZafFuzzStoragePath("zafwindowrecord_fuzz");
  {
    ZafStorage storage(path.c_str(), ZAF_STORAGE_CREATE);
    ZafObjectPersistence persistence(&storage);
    persistence.AddObjectConstructor(u"ZafWindowObject", ID_ZAF_WINDOW_OBJECT, &ZafWindowObject::Read);
    for (const ChildClass& kind : kChildClasses) {
      persistence.AddObjectConstructor(kind.name, kind.id, kind.read);
    }
    ZafFuzzStoreRecord(persistence, u"ZafWindow", ID_ZAF_WINDOW, u"fuzz", ZAF_STORAGE_TYPE_NAMED, window,
                       windowBytes);
    ZafFuzzStoreRecord(persistence, childClass.name, childClass.id, u"child", ZAF_STORAGE_TYPE_CHILD, child,
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
