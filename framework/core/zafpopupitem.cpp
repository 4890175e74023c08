#include "framework/core/zafpopupitem.h"

#include <memory>

#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafi18ndata.h"
#include "framework/data/zaflanguagedata.h"
#include "framework/data/zaflanguagemanager.h"
#include "framework/data/zafstringdata.h"
#include "framework/data/zafstrlib.h"

namespace {

// The texts of the predefined commands, by item type; a language file may replace the texts.
constexpr ZafLanguageStruct kLanguageTable[] = {
    {u"Exit", ZAF_ITEM_EXIT, 0, u'X', 1},        {u"Close", ZAF_ITEM_CLOSE, 0, u'C', 0},
    {u"Cut\tCtl+X", ZAF_ITEM_CUT, 0, 0, -1},     {u"Copy\tCtl+C", ZAF_ITEM_COPY, 0, 0, -1},
    {u"Paste\tCtl+V", ZAF_ITEM_PASTE, 0, 0, -1}, {nullptr, 0, 0, 0, -1},
};

// The event each predefined command queues when chosen.
struct ItemCommand {
  int32_t type;
  int32_t event;
};
constexpr ItemCommand kItemCommands[] = {
    {ZAF_ITEM_CLOSE, -11},   {ZAF_ITEM_MAXIMIZE, -5}, {ZAF_ITEM_MINIMIZE, -4}, {ZAF_ITEM_MOVE, -35},
    {ZAF_ITEM_RESTORE, -25}, {ZAF_ITEM_SIZE, -36},    {ZAF_ITEM_EXIT, -32},    {ZAF_ITEM_COPY, -31},
    {ZAF_ITEM_CUT, -29},     {ZAF_ITEM_PASTE, -30},
};

const ItemCommand* CommandOf(int32_t type) {
  for (const ItemCommand& command : kItemCommands) {
    if (command.type == type) {
      return &command;
    }
  }
  return nullptr;
}

// Stored item types are 16-bit; anything beyond the known types is no record an entry wrote.
constexpr uint16_t kLastItemType = ZAF_ITEM_PASTE;

}  // namespace

ZafPopUpItem::ZafPopUpItem(const ZafIChar* text, int32_t itemType) : ZafMenuItem(new ZafStringData(text)) {
  MakePopUpItem(itemType);
}

ZafPopUpItem::ZafPopUpItem(ZafStringData* text, int32_t itemType)
    : ZafMenuItem(text ? text : new ZafStringData()) {
  MakePopUpItem(itemType);
}

ZafPopUpItem::ZafPopUpItem(const ZafPopUpItem& other) : ZafMenuItem(other), menuItemType(other.menuItemType) {
  TakeSharedData();
}

ZafPopUpItem::ZafPopUpItem(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafMenuItem(name, persistence, u"ZafPopUpItem", ID_ZAF_POP_UP_ITEM) {
  uint16_t storedType = ZAF_ITEM_ORDINARY;
  if (ZafFile* file = persistence.File(); file && persistence.Error() == ZAF_ERROR_NONE) {
    file->ReadUInt16(storedType);
    if (file->Error() != ZAF_ERROR_NONE || storedType > kLastItemType) {
      // A cut record is the file's error; a type no entry has is a record no entry wrote.
      if (file->Error() == ZAF_ERROR_NONE) {
        persistence.SetError(ZAF_ERROR_READ);
      }
      storedType = ZAF_ITEM_ORDINARY;
    }
  }
  ReadSubmenu(persistence);
  LeaveReadLevel(persistence);
  MakePopUpItem(storedType);
}

ZafPopUpItem::~ZafPopUpItem() {
  ZafI18nData::LanguageManager().ReleaseLanguageData(languageData);
}

void ZafPopUpItem::MakePopUpItem(int32_t itemType) {
  TakeSharedData();
  SetMenuItemType(itemType);
}

void ZafPopUpItem::TakeSharedData() {
  languageData = ZafI18nData::LanguageManager().GetLanguageData(u"ZafPopUpItem", kLanguageTable);
  MakeImages();
}

ZafClassID ZafPopUpItem::ClassID() const {
  return ID_ZAF_POP_UP_ITEM;
}

const ZafIChar* ZafPopUpItem::ClassName() const {
  return u"ZafPopUpItem";
}

bool ZafPopUpItem::IsA(ZafClassID id) const {
  return id == ID_ZAF_POP_UP_ITEM || ZafMenuItem::IsA(id);
}

bool ZafPopUpItem::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafPopUpItem") == 0) || ZafMenuItem::IsAName(name);
}

ZafWindowObject* ZafPopUpItem::Duplicate() {
  return new ZafPopUpItem(*this);
}

int32_t ZafPopUpItem::SetMenuItemType(int32_t type) {
  // Once the native entry exists its command and kind are fixed.
  if (type == menuItemType || screenID || type < ZAF_ITEM_ORDINARY || type > kLastItemType) {
    return menuItemType;
  }
  menuItemType = type;
  const ZafIChar* text = nullptr;
  ZafIChar hotKey = 0;
  int32_t hotKeyPosition = -1;
  if (const ItemCommand* command = CommandOf(type)) {
    SetMessageOnSelect(true);
    SetValue(command->event);
    if (languageData) {
      text = languageData->GetMessage(static_cast<ZafNumberID>(type), false, &hotKey, &hotKeyPosition);
    }
  } else if (type == ZAF_ITEM_SEPARATOR) {
    SetDisabled(true);
    SetNonCurrent(true);
  }
  // Without a native entry the text's change notice has nothing to bring up to date, so the text can be
  // set through the string data directly.
  if (text && stringData) {
    stringData->SetText(text);
    SetHotKey(hotKey, hotKeyPosition);
  }
  return menuItemType;
}

void ZafPopUpItem::WriteEntryFields(ZafObjectPersistence& persistence) {
  persistence.File()->WriteUInt16(static_cast<uint16_t>(menuItemType));
}

ZafObjectConstructor ZafPopUpItem::ReadFunction() const {
  return &ZafPopUpItem::Read;
}

ZafWindowObject* ZafPopUpItem::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafPopUpItem(name, persistence);
}
