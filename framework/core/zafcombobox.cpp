#include "framework/core/zafcombobox.h"

#include <memory>

#include "framework/core/zafstoreddata.h"
#include "framework/core/zafvtlist.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstringdata.h"
#include "framework/data/zafstrlib.h"

namespace {

// The combo box's own record after the window's: a flag word, then the name of its text data.
constexpr uint16_t kViewOnly = 0x0001;
constexpr uint16_t kKnownFlags = kViewOnly;

constexpr const ZafIChar* kListName = u"list";

}  // namespace

ZafComboBox::ZafComboBox(int32_t left, int32_t top, int32_t width, int32_t height)
    : ZafWindow(left, top, width, 1) {
  bordered = true;
  MakeList(width, height);
  MakeText(nullptr);
}

ZafComboBox::ZafComboBox(const ZafComboBox& other) : ZafWindow(other), viewOnly(other.viewOnly) {
  // The window's copy brought the list along as a child.
  for (ZafElement* element = First(); element && !list; element = element->Next()) {
    if (static_cast<ZafWindowObject*>(element)->IsA(ID_ZAF_VT_LIST)) {
      list = static_cast<ZafVtList*>(element);
    }
  }
  MakeList(other.list->Region().Width(), other.list->Region().Height());
  MakeText(static_cast<ZafStringData*>(other.stringData->Duplicate()));
}

ZafComboBox::ZafComboBox(const ZafIChar* name, ZafObjectPersistence& persistence) : ZafWindow(0, 0, 0, 0) {
  if (EnterReadLevel(name, persistence, u"ZafComboBox", ID_ZAF_COMBO_BOX)) {
    ReadWindow(persistence);
    ZafFile* file = persistence.File();
    uint16_t flags = 0;
    ZafIChar* read = nullptr;
    if (file && persistence.Error() == ZAF_ERROR_NONE) {
      file->ReadUInt16(flags);
      file->ReadString(read);
    }
    const std::unique_ptr<ZafIChar[]> textName(read);
    if (!file || file->Error() != ZAF_ERROR_NONE || (flags & ~kKnownFlags) != 0) {
      persistence.SetError(ZAF_ERROR_READ);
    } else {
      viewOnly = flags & kViewOnly;
      MakeText(ZafReadStoredData<ZafStringData>(textName.get(), persistence));
    }
  }
  LeaveReadLevel(persistence);
  MakeList(0, 0);
  MakeText(nullptr);
}

ZafComboBox::~ZafComboBox() {
  delete stringData;
}

void ZafComboBox::MakeList(int32_t width, int32_t height) {
  if (!list) {
    list = new ZafVtList(0, 0, width, height);
    list->SetStringID(kListName);
    ZafWindow::Add(list);
  }
  // The list lives in the combo box's control, drawn as the items say.
  list->SetOwnNativeWindow(false);
  list->SetNativeDrawing(nativeDrawing);
}

void ZafComboBox::MakeText(ZafStringData* data) {
  if (data) {
    delete stringData;
    stringData = data;
  } else if (!stringData) {
    stringData = new ZafStringData();
  }
}

ZafClassID ZafComboBox::ClassID() const {
  return ID_ZAF_COMBO_BOX;
}

const ZafIChar* ZafComboBox::ClassName() const {
  return u"ZafComboBox";
}

bool ZafComboBox::IsA(ZafClassID id) const {
  return id == ID_ZAF_COMBO_BOX || id == ID_ZAF_LIST || ZafWindow::IsA(id);
}

bool ZafComboBox::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafComboBox") == 0) || ZafWindow::IsAName(name);
}

ZafWindowObject* ZafComboBox::Duplicate() {
  return new ZafComboBox(*this);
}

bool ZafComboBox::SetViewOnly(bool flag) {
  return SetBeforeCreation(viewOnly, flag);
}

const ZafIChar* ZafComboBox::Text() {
  RefreshText();
  return stringData->Text();
}

int ZafComboBox::SetText(const ZafIChar* text) {
  if (viewOnly) {
    // The field shows the chosen item only: a text set from outside is refused, not taken in silence.
    return 1;
  }
  stringData->SetText(text);
  UpdateNativeText();
  return 0;
}

ZafError ZafComboBox::Write(ZafObjectPersistence& persistence) {
  if (BeginWrite(persistence) && persistence.Error() == ZAF_ERROR_NONE) {
    RefreshText();
    WriteWindowFields(persistence);
    ZafFile& file = *persistence.File();
    file.WriteUInt16(viewOnly ? kViewOnly : 0);
    file.WriteString(ZafNameStoredData(stringData, *this, u""));
    ZafWriteStoredData(stringData, persistence);
  }
  return EndWrite(persistence);
}

ZafObjectConstructor ZafComboBox::ReadFunction() const {
  return &ZafComboBox::Read;
}

ZafWindowObject* ZafComboBox::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafComboBox(name, persistence);
}
