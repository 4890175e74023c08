#include "framework/core/zaficon.h"

#include <memory>

#include "framework/core/zafstoreddata.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"
#include "framework/data/zaficondata.h"
#include "framework/data/zafstrlib.h"

ZafIcon::ZafIcon(int32_t left, int32_t top, ZafIconData* icon, const ZafIChar* title)
    : ZafButton(left, top, 0, 0, title ? title : u"", nullptr, ZAF_FLAT_BUTTON) {
  MakeIcon();
  SetIconData(icon);
}

ZafIcon::ZafIcon(const ZafIcon& other)
    : ZafButton(other), iconType(other.iconType), redrawAfterEvents(other.redrawAfterEvents) {
  ZafIconData* icon = other.iconData;
  SetIconData(icon && icon->Destroyable() ? static_cast<ZafIconData*>(icon->Duplicate()) : icon);
}

ZafIcon::ZafIcon(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafButton(name, persistence, u"ZafIcon", ID_ZAF_ICON) {
  ZafFile* file = persistence.File();
  if (file && persistence.Error() == ZAF_ERROR_NONE && file->Error() == ZAF_ERROR_NONE) {
    uint16_t storedType = 0;
    file->ReadUInt16(storedType);
    ZafIChar* read = nullptr;
    file->ReadString(read);
    const std::unique_ptr<ZafIChar[]> iconName(read);
    if (file->Error() == ZAF_ERROR_NONE && storedType > ZAF_WINDOW_ICON) {
      // Not a record an icon wrote.
      persistence.SetError(ZAF_ERROR_READ);
    } else if (file->Error() == ZAF_ERROR_NONE) {
      iconType = storedType;
      redrawAfterEvents = iconType != ZAF_WINDOW_ICON;
      SetIconData(ZafReadStoredData<ZafIconData>(iconName.get(), persistence));
    }
  }
  LeaveReadLevel(persistence);
}

ZafIcon::~ZafIcon() {
  SetIconData(nullptr);
}

void ZafIcon::MakeIcon() {
  bordered = false;
  depth = 0;
  textPlacement = ZAF_TEXT_BELOW;
  autoSize = true;
}

ZafClassID ZafIcon::ClassID() const {
  return ID_ZAF_ICON;
}

const ZafIChar* ZafIcon::ClassName() const {
  return u"ZafIcon";
}

bool ZafIcon::IsA(ZafClassID id) const {
  return id == ID_ZAF_ICON || ZafButton::IsA(id);
}

bool ZafIcon::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafIcon") == 0) || ZafButton::IsAName(name);
}

ZafWindowObject* ZafIcon::Duplicate() {
  return new ZafIcon(*this);
}

ZafIconData* ZafIcon::SetIconData(ZafIconData* icon) {
  if (icon == iconData) {
    return iconData;
  }
  ZafIconData* old = iconData;
  iconData = icon;
  if (old && old->Destroyable() && old->Count() == 0) {
    delete old;
  }
  Refit();
  return iconData;
}

int32_t ZafIcon::SetIconType(int32_t type) {
  if (!screenID && (type == ZAF_OBJECT_ICON || type == ZAF_WINDOW_ICON)) {
    iconType = type;
    redrawAfterEvents = type != ZAF_WINDOW_ICON;
  }
  return iconType;
}

bool ZafIcon::SetSystemImage(int32_t number) {
  const ZafIconStruct* image = SystemImage(number);
  if (!image) {
    return false;
  }
  SetIconData(new ZafIconData(*image));
  return true;
}

// ---- Storage ----

ZafObjectConstructor ZafIcon::ReadFunction() const {
  return &ZafIcon::Read;
}

ZafWindowObject* ZafIcon::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafIcon(name, persistence);
}

ZafError ZafIcon::Write(ZafObjectPersistence& persistence) {
  if (BeginWrite(persistence) && persistence.Error() == ZAF_ERROR_NONE) {
    WriteButtonFields(persistence);
    ZafFile& file = *persistence.File();
    file.WriteUInt16(static_cast<uint16_t>(iconType));
    file.WriteString(ZafNameStoredData(iconData, *this, u""));
    ZafWriteStoredData(iconData, persistence);
  }
  return EndWrite(persistence);
}
