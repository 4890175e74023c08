#include "framework/core/zafsystembutton.h"

#include <algorithm>
#include <array>
#include <limits>

#include "framework/core/zafwindow.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"
#include "framework/data/zaflanguagemanager.h"
#include "framework/data/zafstrlib.h"

namespace {

constexpr ZafFrameButtonSettings kSettings{
    .numberID = ZAF_NUMID_SYSTEM,
    .stringID = u"ZAF_NUMID_SYSTEM",
    .kind = ZAF_PUSH_BUTTON_3,
    .depth = 1,
    .nonCurrent = false,
    .chooseOnDoubleClick = false,
    .chooseOnPress = false,
    .messageOnSelect = false,
    .neverFocused = false,
    .plain = false,
    .firstCode = 0,
    .codes = {},
};

// The texts of the system commands, numbered as the menu item types; 7 is the separator.
constexpr ZafLanguageStruct kTexts[] = {
    {u"Restore", 6, 0, u'R', 0},  {u"Move", 5, 0, u'M', 0},     {u"Size", 8, 0, u'S', 0},
    {u"Minimize", 4, 0, u'N', 2}, {u"Maximize", 3, 0, u'X', 2}, {u"", 7, 0, 0, -1},
    {u"Close", 2, 0, 0, -1},      {nullptr, 0, 0, 0, -1},
};

// A black bar over a dark grey shadow one pixel down and right.
constexpr uint8_t kBlack = 0;
constexpr uint8_t kDarkGrey = 8;
constexpr uint8_t kClear = 255;
constexpr std::array<uint8_t, ZAF_SYSTEM_IMAGE_WIDTH* ZAF_SYSTEM_IMAGE_HEIGHT> kBar = {
    kBlack, kBlack,    kBlack,    kBlack,    kBlack,    kBlack,    kClear,     //
    kBlack, kBlack,    kBlack,    kBlack,    kBlack,    kBlack,    kDarkGrey,  //
    kClear, kDarkGrey, kDarkGrey, kDarkGrey, kDarkGrey, kDarkGrey, kDarkGrey,  //
};
constexpr ZafBitmapStruct kPictures[] = {
    {ZAF_SYSTEM_IMAGE_WIDTH, ZAF_SYSTEM_IMAGE_HEIGHT, kBar.data(), true, nullptr, nullptr, false}};

}  // namespace

ZafSystemButton::ZafSystemButton(int32_t options) : ZafFrameButton(kSettings, nullptr) {
  MakeSystemButton();
  SetSystemOptions(options);
}

ZafSystemButton::ZafSystemButton(const ZafSystemButton& other)
    : ZafFrameButton(other), systemMenu(other.systemMenu), systemOptions(other.systemOptions) {
  MakeSystemButton();
}

ZafSystemButton::ZafSystemButton(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafFrameButton(kSettings, name, persistence, u"ZafSystemButton", ID_ZAF_SYSTEM_BUTTON) {
  MakeSystemButton();
  ZafFile* file = persistence.File();
  if (file && persistence.Error() == ZAF_ERROR_NONE && file->Error() == ZAF_ERROR_NONE) {
    int16_t options = 0;
    file->ReadInt16(options);
    if (file->Error() == ZAF_ERROR_NONE) {
      SetSystemOptions(options);
      if (systemOptions != 0) {
        systemMenu.ReadAsSubmenu(persistence);
        // Reading gave the menu the stored name and number; the button's menu keeps its own.
        MakeSystemButton();
      }
    }
  }
  // A refused record leaves the platform's system menu in place: with options and no items the window
  // could no longer be closed, moved or sized from its frame.
  if (persistence.Error() != ZAF_ERROR_NONE || (file && file->Error() != ZAF_ERROR_NONE)) {
    SetSystemOptions(0);
    DestroyMenuItems();
  }
  LeaveReadLevel(persistence);
}

ZafSystemButton::~ZafSystemButton() {
  ZafI18nData::LanguageManager().ReleaseLanguageData(languageData);
}

void ZafSystemButton::MakeSystemButton() {
  SharedImages<ID_ZAF_SYSTEM_BUTTON>::Acquire(kPictures);
  if (!languageData) {
    languageData = ZafI18nData::LanguageManager().GetLanguageData(u"ZafSystemButton", kTexts);
  }
  systemMenu.SetParent(this);
  systemMenu.SetTemporary(true);
  systemMenu.SetDestroyable(false);
  systemMenu.SetNumberID(ZAF_NUMID_SYSTEM_BUTTON_MENU);
  systemMenu.SetStringID(u"ZAF_NUMID_SYSTEM_BUTTON_MENU");
}

ZafClassID ZafSystemButton::ClassID() const {
  return ID_ZAF_SYSTEM_BUTTON;
}

const ZafIChar* ZafSystemButton::ClassName() const {
  return u"ZafSystemButton";
}

bool ZafSystemButton::IsA(ZafClassID id) const {
  return id == ID_ZAF_SYSTEM_BUTTON || ZafButton::IsA(id);
}

bool ZafSystemButton::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafSystemButton") == 0) || ZafButton::IsAName(name);
}

ZafWindowObject* ZafSystemButton::Duplicate() {
  return new ZafSystemButton(*this);
}

ZafWindowObject* ZafSystemButton::FindObject(ZafNumberID id) {
  ZafWindowObject* found = ZafFrameButton::FindObject(id);
  return found ? found : systemMenu.FindObject(id);
}

ZafWindowObject* ZafSystemButton::FindObjectByName(const ZafIChar* name) {
  ZafWindowObject* found = ZafFrameButton::FindObjectByName(name);
  // A path from the window manager ("~...") has been searched in full already.
  if (found || !name || name[0] == u'~') {
    return found;
  }
  return systemMenu.FindObjectByName(name);
}

// ---- The system menu ----

int32_t ZafSystemButton::SetSystemOptions(int32_t options) {
  if (!screenID) {
    systemOptions = options;
  }
  return systemOptions;
}

ZafWindowObject* ZafSystemButton::AddMenuItem(ZafWindowObject* object) {
  return systemMenu.Add(object);
}

void ZafSystemButton::DestroyMenuItems() {
  systemMenu.Destroy();
}

void ZafSystemButton::SortMenuItems() {
  systemMenu.SortMenuItems();
}

ZafWindowObject* ZafSystemButton::SubtractMenuItem(ZafWindowObject* object) {
  return systemMenu.Subtract(object);
}

ZafBitmapData* ZafSystemButton::Image() {
  return SharedImages<ID_ZAF_SYSTEM_BUTTON>::Image(0);
}

// ---- Storage ----

ZafError ZafSystemButton::Write(ZafObjectPersistence& persistence) {
  if (BeginWrite(persistence) && persistence.Error() == ZAF_ERROR_NONE) {
    WriteButtonFields(persistence);
    // The record has 16 bits for the options; what matters is whether they are 0, which the narrowing
    // keeps.
    const auto stored = static_cast<int16_t>(std::clamp<int32_t>(
        systemOptions, std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
    persistence.File()->WriteInt16(stored);
    if (systemOptions != 0) {
      systemMenu.WriteAsSubmenu(persistence);
    }
  }
  return EndWrite(persistence);
}

ZafObjectConstructor ZafSystemButton::ReadFunction() const {
  return &ZafSystemButton::Read;
}

ZafWindowObject* ZafSystemButton::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafSystemButton(name, persistence);
}
