#include "toolkit/kzcombobox.h"

#include "framework/core/zafvtlist.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafstrlib.h"
#include "framework/win32/zafmswindowsapp.h"

namespace {

// Above this system version (major x 100 + minor) the combo box clears the framework's record of an open
// drop-down list after each of its events.
constexpr int32_t kDropDownRecordVersion = 601;

}  // namespace

KZComboBox::KZComboBox(int32_t left, int32_t top, int32_t width, int32_t height, bool editable)
    : ZafComboBox(left, top, width, height), KZWindowLeech(this) {
  SetViewOnly(!editable);
}

KZComboBox::~KZComboBox() = default;

const ZafIChar* KZComboBox::Text() {
  if (!ViewOnly()) {
    return ZafComboBox::Text();
  }
  ZafWindowObject* chosen = List()->CurrentChild();
  const ZafIChar* text = chosen ? chosen->Text() : nullptr;
  return text ? text : u"";
}

int KZComboBox::SetText(const ZafIChar* text) {
  if (SelectByText(text)) {
    return 0;
  }
  return ZafComboBox::SetText(text);
}

int32_t KZComboBox::SelectedIndex() const {
  const ZafWindowObject* chosen = List()->CurrentChild();
  return chosen ? List()->Index(chosen) : -1;
}

void KZComboBox::Select(int32_t index) {
  if (auto* item = static_cast<ZafWindowObject*>(List()->Get(index))) {
    item->SetSelected(true);
  }
}

ZafWindowObject* KZComboBox::FindItem(const ZafIChar* text) const {
  if (!text) {
    return nullptr;
  }
  for (ZafElement* element = List()->First(); element; element = element->Next()) {
    auto* item = static_cast<ZafWindowObject*>(element);
    const ZafIChar* itemText = item->Text();
    if (itemText && ZafStrCmp(itemText, text) == 0) {
      return item;
    }
  }
  return nullptr;
}

bool KZComboBox::SelectByText(const ZafIChar* text) {
  ZafWindowObject* item = FindItem(text);
  if (!item) {
    return false;
  }
  item->SetSelected(true);
  return true;
}

void KZComboBox::Clear() {
  while (ZafWindowObject* item = List()->FirstChild()) {
    // An item the box will not give up would be found first again: stop rather than loop.
    if (!Subtract(item)) {
      return;
    }
    delete item;
  }
}

ZafEventType KZComboBox::Event(const ZafEventRecord& event) {
  if (const ZafEventType taken = KZWindowLeech::Event(event)) {
    return taken;
  }
  const ZafEventType answer = ZafComboBox::Event(event);
  if (ZafMSWindowsApp::system.version > kDropDownRecordVersion) {
    ZafWindowManager::droppedComboBox = nullptr;
  }
  return answer;
}
