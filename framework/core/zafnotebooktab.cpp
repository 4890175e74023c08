#include "framework/core/zafnotebooktab.h"

#include "framework/core/zaftitle.h"
#include "framework/core/zafwindow.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"

namespace {

ZafWindowObject* AsObject(ZafElement* element) {
  return static_cast<ZafWindowObject*>(element);
}

// The title's text without a title answers this.
constexpr int kNoTitle = 10;

}  // namespace

ZafNotebookTab::ZafNotebookTab() : ZafWindowObject(0, 0, 0, 0) {
  region = {0, 0, 0, 0, ZAF_PIXEL};
  coordinateType = ZAF_PIXEL;
  supportObject = true;
  ownNativeWindow = false;
}

ZafNotebookTab::ZafNotebookTab(const ZafNotebookTab& other) : ZafWindowObject(other) {
  for (ZafElement* element = other.decorations.First(); element; element = element->Next()) {
    ZafWindowObject* copy = AsObject(element)->Duplicate();
    decorations.Add(copy);
    if (copy->IsA(ID_ZAF_TITLE)) {
      title = static_cast<ZafTitle*>(copy);
    }
  }
}

ZafNotebookTab::~ZafNotebookTab() {
  decorations.Destroy();
}

ZafClassID ZafNotebookTab::ClassID() const {
  return ID_ZAF_NOTEBOOK_TAB;
}

const ZafIChar* ZafNotebookTab::ClassName() const {
  return u"ZafNotebookTab";
}

bool ZafNotebookTab::IsA(ZafClassID id) const {
  return id == ID_ZAF_NOTEBOOK_TAB || ZafWindowObject::IsA(id);
}

bool ZafNotebookTab::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafNotebookTab") == 0) || ZafWindowObject::IsAName(name);
}

ZafWindowObject* ZafNotebookTab::Duplicate() {
  return new ZafNotebookTab(*this);
}

const ZafIChar* ZafNotebookTab::Text() {
  return title ? title->Text() : nullptr;
}

int ZafNotebookTab::SetText(const ZafIChar* text) {
  if (!title) {
    return kNoTitle;
  }
  title->SetText(text);
  if (screenID) {
    Event(ZafEventRecord(RedisplayEvent, 0));
  }
  return 0;
}

ZafIChar ZafNotebookTab::HotKeyChar() const {
  return title ? title->HotKeyChar() : 0;
}

int32_t ZafNotebookTab::HotKeyIndex() const {
  return title ? title->HotKeyIndex() : -1;
}

bool ZafNotebookTab::SetSelected(bool flag) {
  selected = flag;
  return selected;
}

void ZafNotebookTab::TakeDecorations(ZafWindow& page) {
  for (ZafElement* element = page.SupportList().First(); element;) {
    ZafWindowObject* object = AsObject(element);
    element = element->Next();
    if (!ZafIsReservedNumberID(object->NumberID()) || object->NumberID() == ZAF_NUMID_GEOMETRY ||
        !page.Subtract(object)) {
      continue;
    }
    decorations.Add(object);
    if (object->IsA(ID_ZAF_TITLE)) {
      title = static_cast<ZafTitle*>(object);
    }
  }
}

void ZafNotebookTab::GiveDecorationsBack(ZafWindow& page) {
  while (ZafElement* last = decorations.Last()) {
    decorations.Subtract(last);
    page.Add(AsObject(last), AsObject(page.SupportList().First()));
  }
  title = nullptr;
}
