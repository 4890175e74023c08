#include "framework/core/zafscrollbar.h"

#include "framework/data/zafclassid.h"
#include "framework/data/zafscrolldata.h"
#include "framework/data/zafstrlib.h"

namespace {

// The reserved IDs of a window's own bars, by kind.
struct SupportIDs {
  int32_t type;
  ZafNumberID numberID;
  const ZafIChar* stringID;
};

constexpr SupportIDs kSupportIDs[] = {
    {ZAF_VERTICAL_SCROLL, ZAF_NUMID_VT_SCROLL, u"ZAF_VERTICAL_SCROLL"},
    {ZAF_HORIZONTAL_SCROLL, ZAF_NUMID_HZ_SCROLL, u"ZAF_HORIZONTAL_SCROLL"},
    {ZAF_CORNER_SCROLL, ZAF_NUMID_CORNER_SCROLL, u"ZAF_CORNER_SCROLL"},
};

ZafScrollData* EmptyData() {
  return new ZafScrollData(0, 0, 0, 1, 1);
}

}  // namespace

ZafScrollBar::ZafScrollBar(int32_t type) : ZafEmbeddedWindow(0, 0, 0, 0) {
  MakeBar(type, new ZafScrollData(0, 100, 0, 1, 1));
}

ZafScrollBar::ZafScrollBar(int32_t left, int32_t top, int32_t width, int32_t height, int32_t minimum,
                           int32_t maximum, int32_t current, int32_t delta, int32_t showing, int32_t type)
    : ZafEmbeddedWindow(left, top, width, height) {
  MakeBar(type, new ZafScrollData(minimum, maximum, current, delta, showing));
}

ZafScrollBar::ZafScrollBar(int32_t left, int32_t top, int32_t width, int32_t height, ZafScrollData* data,
                           int32_t type)
    : ZafEmbeddedWindow(left, top, width, height) {
  MakeBar(type, data);
}

ZafScrollBar::ZafScrollBar(const ZafScrollBar& other)
    : ZafEmbeddedWindow(other), scrollType(other.scrollType), automaticSize(other.automaticSize) {
  ZafScrollData* source = other.scrollData;
  SetScrollData(source->Destroyable() ? static_cast<ZafScrollData*>(source->Duplicate()) : source);
}

ZafScrollBar::ZafScrollBar(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafEmbeddedWindow(0, 0, 0, 0) {
  if (EnterReadLevel(name, persistence, ClassName(), ClassID())) {
    ReadWindow(persistence);
    ReadBarFields(persistence);
  }
  LeaveReadLevel(persistence);
  if (!scrollData) {
    SetScrollData(nullptr);
  }
  ClearBarOptions();
  ownNativeWindow = !supportObject;
}

void ZafScrollBar::MakeBar(int32_t type, ZafScrollData* data) {
  SetScrollType(type);
  if (!IsSlider(type)) {
    SetSupportObject(true);
  }
  SetScrollData(data);
  ClearBarOptions();
  ownNativeWindow = !supportObject;
}

void ZafScrollBar::ClearBarOptions() {
  ClearWindowOptions();
  selectionType = 0;
  acceptDrop = false;
  bordered = false;
  parentPalette = false;
}

ZafScrollBar::~ZafScrollBar() {
  ReleaseData(nullptr);
}

void ZafScrollBar::ReleaseData(const ZafScrollData* keep) {
  ZafScrollData* old = scrollData;
  if (!old) {
    return;
  }
  old->Subtract(this, &ZafScrollBar::ScrollDataChanged);
  scrollData = nullptr;
  if (old != keep && old->Destroyable() && old->Count() == 0) {
    delete old;
  }
}

// ---- Identity ----

ZafClassID ZafScrollBar::ClassID() const {
  return ID_ZAF_SCROLL_BAR;
}

const ZafIChar* ZafScrollBar::ClassName() const {
  return u"ZafScrollBar";
}

bool ZafScrollBar::IsA(ZafClassID id) const {
  return id == ID_ZAF_SCROLL_BAR || ZafWindow::IsA(id);
}

bool ZafScrollBar::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafScrollBar") == 0) || ZafWindow::IsAName(name);
}

ZafWindowObject* ZafScrollBar::Duplicate() {
  return new ZafScrollBar(*this);
}

// ---- Data ----

int ZafScrollBar::SetScrollData(ZafScrollData* data) {
  ReleaseData(data);
  scrollData = data ? data : EmptyData();
  scrollData->Add(this, &ZafScrollBar::ScrollDataChanged, ZAF_UPDATE_ALL);
  return ScrollToNative();
}

ZafLong ZafScrollBar::ScrollDataChanged(ZafElement* object, int kind) {
  auto* bar = static_cast<ZafScrollBar*>(static_cast<ZafWindowObject*>(object));
  switch (kind) {
    case ZAF_UPDATE_OBJECTS:
      return bar->ScrollToNative();
    case ZAF_UPDATE_DATA:
      return bar->ScrollFromNative();
    case ZAF_UPDATE_RELEASED:
      // The data is being deleted under the bar: the bar keeps a value of its own instead.
      bar->scrollData = nullptr;
      return bar->SetScrollData(nullptr);
    default:
      return 1;
  }
}

void ZafScrollBar::StoreQuietly(int32_t current) {
  // Inside an open change the setter stores the clamped value, and closing the outer change without
  // notification keeps the other observers from hearing of it.
  scrollData->BeginChange();
  scrollData->SetCurrent(current);
  scrollData->EndChange(false);
}

// ---- Options ----

bool ZafScrollBar::SetAutomaticSize(bool flag) {
  return SetBeforeCreation(automaticSize, flag);
}

int32_t ZafScrollBar::SetScrollType(int32_t type) {
  if (screenID || type == scrollType) {
    return scrollType;
  }
  scrollType = type;
  if (IsSlider(type)) {
    SetPlacement(0);
    SetNonCurrent(false);
    SetSupportObject(false);
  }
  return scrollType;
}

bool ZafScrollBar::SetSupportObject(bool flag) {
  if (parent || flag == supportObject || (flag && IsSlider(scrollType))) {
    return supportObject;
  }
  supportObject = flag;
  SetPlacement(flag ? 2 : 0);
  SetNonCurrent(flag);
  if (!flag) {
    SetNumberID(0);
    SetStringID(nullptr);
  }
  for (const SupportIDs& ids : kSupportIDs) {
    if (flag && ids.type == scrollType) {
      SetNumberID(ids.numberID);
      SetStringID(ids.stringID);
    }
  }
  ownNativeWindow = !supportObject;
  return supportObject;
}

bool ZafScrollBar::SetAcceptDrop(bool) {
  return acceptDrop = false;
}

bool ZafScrollBar::SetBordered(bool) {
  return bordered = false;
}

bool ZafScrollBar::SetParentPalette(bool) {
  return parentPalette = false;
}

uint32_t ZafScrollBar::SetSelectMultiple(bool) {
  return selectionType = 0;
}

bool ZafScrollBar::SetFocus(bool flag) {
  return ZafWindowObject::SetFocus(flag);
}

ZafWindowObject* ZafScrollBar::NotifyFocus(ZafWindowObject* focusObject, bool setFocus) {
  return ZafWindowObject::NotifyFocus(focusObject, setFocus);
}
