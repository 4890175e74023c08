#include "framework/core/zafnotebook.h"

#include <memory>
#include <vector>

#include "framework/core/zafbutton.h"
#include "framework/core/zafnotebooktab.h"
#include "framework/core/zaftitle.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstrlib.h"

namespace {

ZafWindowObject* AsObject(ZafElement* element) {
  return static_cast<ZafWindowObject*>(element);
}

// Pages fill the notebook's client region when they are fitted.
constexpr int32_t kFillParentClient = 2;
// Stored tab sizes beyond this are not a notebook's.
constexpr int32_t kLargestTabSize = 10000;

}  // namespace

ZafNotebook::ZafNotebook(int32_t left, int32_t top, int32_t width, int32_t height)
    : ZafWindow(left, top, width, height) {
  MakeNotebook();
}

ZafNotebook::ZafNotebook(const ZafNotebook& other)
    : ZafWindow(other),
      tabHeight(other.tabHeight),
      tabWidth(other.tabWidth),
      currentPageIndex(other.currentPageIndex) {
  MakeNotebook();
}

ZafNotebook::ZafNotebook(const ZafIChar* name, ZafObjectPersistence& persistence) : ZafWindow(0, 0, 0, 0) {
  readingPages = true;
  if (EnterReadLevel(name, persistence, ClassName(), ClassID())) {
    ReadWindow(persistence);
    currentPageIndex = -1;
    ReadNotebookFields(persistence);
  }
  LeaveReadLevel(persistence);
  readingPages = false;
  MakeNotebook();
  AddReadPages();
}

ZafNotebook::~ZafNotebook() {
  DeleteArrowButtons();
}

void ZafNotebook::MakeNotebook() {
  bordered = true;
  destroyable = false;
  movable = false;
  sizeable = false;
  locked = false;
  maximized = false;
  minimized = false;
  modal = false;
  temporary = false;
  acceptDrop = false;
  owner = nullptr;
  selectionType = 0;
  placement = kFillParentClient;
}

void ZafNotebook::AddReadPages() {
  for (ZafElement* element = support.First(); element;) {
    ZafElement* next = element->Next();
    delete ZafWindow::Subtract(AsObject(element));
    element = next;
  }
  ZafElement* current = ZafList::Current();
  // Each page goes to the end again: the pages are taken out first so that each is added once.
  std::vector<ZafWindowObject*> read;
  while (ZafElement* element = ZafList::First()) {
    read.push_back(ZafWindow::Subtract(AsObject(element)));
  }
  for (ZafWindowObject* object : read) {
    if (object && !Add(object)) {
      delete object;
    }
  }
  if (current && ZafList::Index(current) >= 0) {
    SetCurrent(current);
  }
}

ZafClassID ZafNotebook::ClassID() const {
  return ID_ZAF_NOTEBOOK;
}

const ZafIChar* ZafNotebook::ClassName() const {
  return u"ZafNotebook";
}

bool ZafNotebook::IsA(ZafClassID id) const {
  return id == ID_ZAF_NOTEBOOK || ZafWindow::IsA(id);
}

bool ZafNotebook::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafNotebook") == 0) || ZafWindow::IsAName(name);
}

ZafWindowObject* ZafNotebook::Duplicate() {
  return new ZafNotebook(*this);
}

// ---- Pages and tabs ----

ZafWindowObject* ZafNotebook::Add(ZafWindowObject* object, ZafWindowObject* before) {
  if (readingPages) {
    return ZafWindow::Add(object, before);
  }
  if (!object || !object->IsA(ID_ZAF_WINDOW) || object->Parent() || object->SupportObject()) {
    return nullptr;
  }
  auto* page = static_cast<ZafWindow*>(object);
  page->SetParentPalette(true);
  page->SetPlacement(kFillParentClient);
  auto* tab = new ZafNotebookTab();
  tab->TakeDecorations(*page);
  if (ZafWindow::Add(page, before) != page || ZafList::Index(page) < 0) {
    tab->GiveDecorationsBack(*page);
    delete tab;
    return nullptr;
  }
  if (screenID) {
    page->Event(ZafEventRecord(DestroyEvent, 0));
  }
  // The tab goes where the page went, so that both lists keep the same order. It lives in the notebook's
  // native window and is never created on its own.
  ZafElement* tabBefore = support.Get(ZafList::Index(page));
  if (tabBefore) {
    support.Insert(tab, tabBefore);
  } else {
    support.ZafList::Add(tab);
  }
  tab->SetParent(this);
  tab->SetScreenID(screenID);
  if (currentPageIndex < 0) {
    SetCurrentPage(page);
  } else {
    // A page put in front of the shown one moves it along.
    currentPageIndex = ZafList::Index(ZafList::Current());
  }
  if (screenID) {
    Event(ZafEventRecord(SizedEvent, 0));
  }
  return page;
}

ZafWindowObject* ZafNotebook::Subtract(ZafWindowObject* object) {
  if (!object || !object->IsA(ID_ZAF_WINDOW) || object->Parent() != this || object->SupportObject()) {
    return nullptr;
  }
  const int index = ZafList::Index(object);
  auto* tab = static_cast<ZafNotebookTab*>(support.Get(index));
  const bool wasShown = index == currentPageIndex;
  if (tab) {
    support.Subtract(tab);
    tab->SetParent(nullptr);
    tab->SetScreenID(nullptr);
  }
  ZafWindow::Subtract(object);
  auto* page = static_cast<ZafWindow*>(object);
  if (tab) {
    tab->GiveDecorationsBack(*page);
    delete tab;
  }
  // The shown page's position follows the pages that are left; when the shown page went, the page now at
  // its place (or the last one) is shown instead.
  if (wasShown) {
    currentPageIndex = -1;
    const int count = PageCount();
    if (count > 0) {
      SetCurrentPageIndex(index < count ? index : count - 1);
    }
  } else if (index < currentPageIndex) {
    --currentPageIndex;
  }
  return page;
}

void ZafNotebook::NotifyChildrenDestroy() {
  ZafWindow::NotifyChildrenDestroy();
  support.Destroy();
}

ZafNotebookTab* ZafNotebook::Tab(int index) const {
  return index >= 0 ? static_cast<ZafNotebookTab*>(support.Get(index)) : nullptr;
}

const ZafIChar* ZafNotebook::TabText(int index) const {
  ZafNotebookTab* tab = Tab(index);
  return tab ? tab->Text() : nullptr;
}

int ZafNotebook::SetTabText(const ZafIChar* text, int index) {
  ZafNotebookTab* tab = Tab(index);
  return tab ? tab->SetText(text) : 0;
}

ZafIChar ZafNotebook::TabHotKeyChar(int index) const {
  ZafNotebookTab* tab = Tab(index);
  return tab ? tab->HotKeyChar() : 0;
}

int32_t ZafNotebook::TabHotKeyIndex(int index) const {
  ZafNotebookTab* tab = Tab(index);
  return tab ? tab->HotKeyIndex() : -1;
}

ZafIChar ZafNotebook::SetTabHotKey(int index, ZafIChar character, int32_t hotKeyIndex) {
  ZafNotebookTab* tab = Tab(index);
  if (!tab || !tab->Title()) {
    return 0;
  }
  // The title of a window frame keeps no hot key of its own; the tab's does, as a button's.
  return tab->Title()->ZafButton::SetHotKey(character, hotKeyIndex);
}

int32_t ZafNotebook::SetCurrentPage(ZafWindowObject* page) {
  return SetCurrentPageIndex(ZafList::Index(page));
}

int32_t ZafNotebook::SetTabHeight(int32_t height) {
  if (!screenID) {
    tabHeight = height;
  }
  return tabHeight;
}

int32_t ZafNotebook::SetTabWidth(int32_t width) {
  if (!screenID) {
    tabWidth = width;
  }
  return tabWidth;
}

// ---- Fixed settings ----

bool ZafNotebook::SetBordered(bool flag) {
  if (!screenID) {
    bordered = flag;
  }
  return bordered;
}

bool ZafNotebook::SetAcceptDrop(bool) {
  return acceptDrop = false;
}

bool ZafNotebook::SetDestroyable(bool) {
  return destroyable = false;
}

bool ZafNotebook::SetLocked(bool) {
  return locked = false;
}

bool ZafNotebook::SetMaximized(bool) {
  return maximized = false;
}

bool ZafNotebook::SetMinimized(bool) {
  return minimized = false;
}

bool ZafNotebook::SetModal(bool) {
  return modal = false;
}

bool ZafNotebook::SetMovable(bool) {
  return movable = false;
}

ZafWindow* ZafNotebook::SetOwner(ZafWindow*) {
  return owner = nullptr;
}

uint32_t ZafNotebook::SetSelectMultiple(bool) {
  return selectionType = 0;
}

bool ZafNotebook::SetSizeable(bool) {
  return sizeable = false;
}

bool ZafNotebook::SetTemporary(bool) {
  return temporary = false;
}

// ---- Storage ----

ZafObjectConstructor ZafNotebook::ReadFunction() const {
  return &ZafNotebook::Read;
}

ZafWindowObject* ZafNotebook::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafNotebook(name, persistence);
}

ZafError ZafNotebook::Write(ZafObjectPersistence& persistence) {
  if (BeginWrite(persistence) && persistence.Error() == ZAF_ERROR_NONE) {
    WriteWindowFields(persistence);
    ZafFile& file = *persistence.File();
    file.WriteInt32(tabHeight);
    file.WriteInt32(tabWidth);
  }
  return EndWrite(persistence);
}

void ZafNotebook::WriteChildren(ZafObjectPersistence& persistence) {
  int index = 0;
  for (ZafElement* element = ZafList::First(); element && persistence.Error() == ZAF_ERROR_NONE;
       element = element->Next(), ++index) {
    auto* page = static_cast<ZafWindow*>(AsObject(element));
    // The page carries its tab text as a title for the time of writing, so that read back it has a title
    // for its tab to take over. It is put into the list directly: the page's native window must not be
    // made anew for it.
    const auto title = std::make_unique<ZafTitle>(TabText(index));
    page->SupportList().ZafList::Add(title.get());
    title->SetParent(page);
    page->Write(persistence);
    page->SupportList().Subtract(title.get());
    title->SetParent(nullptr);
  }
}

void ZafNotebook::ReadNotebookFields(ZafObjectPersistence& persistence) {
  ZafFile* file = persistence.File();
  if (!file || persistence.Error() != ZAF_ERROR_NONE || file->Error() != ZAF_ERROR_NONE) {
    return;
  }
  int32_t height = 0;
  int32_t width = 0;
  file->ReadInt32(height);
  file->ReadInt32(width);
  if (file->Error() != ZAF_ERROR_NONE || height < 0 || height > kLargestTabSize || width > kLargestTabSize) {
    persistence.SetError(ZAF_ERROR_READ);
    return;
  }
  tabHeight = height;
  tabWidth = width;
}
