#include "framework/core/zafmessagewindow.h"

#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

#include "framework/core/zafborder.h"
#include "framework/core/zafbutton.h"
#include "framework/core/zafdisplay.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zaficon.h"
#include "framework/core/zafstoreddata.h"
#include "framework/core/zafsystembutton.h"
#include "framework/core/zaftext.h"
#include "framework/core/zaftitle.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"
#include "framework/data/zaflanguagemanager.h"
#include "framework/data/zafprintf.h"
#include "framework/data/zafstringdata.h"
#include "framework/data/zafstrlib.h"
#include "native/native.h"

namespace {

// The labels of the standard buttons, under the button's bit as its number.
constexpr ZafLanguageStruct kLabels[] = {
    {u"OK", ZAF_MESSAGE_OK, 0, u'O', 0},
    {u"Yes", ZAF_MESSAGE_YES, 0, u'Y', 0},
    {u"No", ZAF_MESSAGE_NO, 0, u'N', 0},
    {u"Abort", ZAF_MESSAGE_ABORT, 0, u'A', 0},
    {u"Retry", ZAF_MESSAGE_RETRY, 0, u'R', 0},
    {u"Ignore", ZAF_MESSAGE_IGNORE, 0, u'I', 0},
    {u"Cancel", ZAF_MESSAGE_CANCEL, 0, u'C', 0},
    {u"Help", ZAF_MESSAGE_HELP, 0, u'H', 0},
    {nullptr, 0, 0, 0, -1},
};

constexpr int kButtonBits = 16;
constexpr int kHelpBit = 7;
// Room around the message's text, in pixels.
constexpr int32_t kMessagePadding = 10;

ZafEventType ButtonValue(int bit) {
  return bit == kHelpBit ? HelpEvent : ZAF_DIALOG_FIRST_ANSWER + bit;
}

// The lines of a text: a line ends at LF, CR, or a CR LF pair.
std::vector<std::u16string_view> Lines(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  size_t start = 0;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == u'\n' || text[at] == u'\r') {
      lines.push_back(text.substr(start, at - start));
      if (text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n') {
        ++at;
      }
      start = at + 1;
    }
  }
  lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

ZafMessageWindow::ZafMessageWindow(ZafStringData* titleData, uint16_t icon, uint16_t buttonMask,
                                   uint16_t defaultBit, const ZafIChar* format, ...)
    : ZafDialogWindow(0, 0, 0, 0) {
  MakeMessageWindow(icon, buttonMask, defaultBit);
  va_list arguments;
  va_start(arguments, format);
  SetMessage(ZAF_MESSAGE_LENGTH, format, arguments);
  va_end(arguments);
  title = new ZafTitle(titleData ? titleData : new ZafStringData(u""));
}

ZafMessageWindow::ZafMessageWindow(const ZafIChar* titleText, uint16_t icon, uint16_t buttonMask,
                                   uint16_t defaultBit, const ZafIChar* format, va_list arguments)
    : ZafDialogWindow(0, 0, 0, 0) {
  MakeMessageWindow(icon, buttonMask, defaultBit);
  SetMessage(ZAF_MESSAGE_LENGTH, format, arguments);
  title = new ZafTitle(titleText ? titleText : u"");
}

ZafMessageWindow::ZafMessageWindow(ZafStringData* titleData, uint16_t icon, uint16_t buttonMask,
                                   uint16_t defaultBit, int length, const ZafIChar* format, ...)
    : ZafDialogWindow(0, 0, 0, 0) {
  MakeMessageWindow(icon, buttonMask, defaultBit);
  va_list arguments;
  va_start(arguments, format);
  SetMessage(length, format, arguments);
  va_end(arguments);
  title = new ZafTitle(titleData ? titleData : new ZafStringData(u""));
}

ZafMessageWindow::ZafMessageWindow(const ZafMessageWindow& other)
    : ZafDialogWindow(other),
      buttons(other.buttons),
      defaultButtonBit(other.defaultButtonBit),
      iconNumber(other.iconNumber) {
  // The copied objects are built again from the fields.
  ZafWindow::SetDefaultButton(nullptr, true);
  Destroy();
  languageData = ZafI18nData::LanguageManager().GetLanguageData(u"ZafMessageWindow", kLabels);
  SetMessageText(other.MessageText());
}

ZafMessageWindow::ZafMessageWindow(const ZafIChar* name, ZafObjectPersistence& persistence) {
  if (EnterReadLevel(name, persistence, u"ZafMessageWindow", ID_ZAF_MESSAGE_WINDOW)) {
    ReadWindow(persistence);
    ZafFile* file = persistence.File();
    if (file && persistence.Error() == ZAF_ERROR_NONE && file->Error() == ZAF_ERROR_NONE) {
      file->ReadUInt16(iconNumber);
      file->ReadUInt16(buttons);
      file->ReadUInt16(defaultButtonBit);
      ZafIChar* read = nullptr;
      file->ReadString(read);
      const std::unique_ptr<ZafIChar[]> text(read);
      read = nullptr;
      file->ReadString(read);
      const std::unique_ptr<ZafIChar[]> titleName(read);
      if (file->Error() == ZAF_ERROR_NONE) {
        if (text) {
          // A stored message is shown as it stands, and no longer than any message.
          const std::u16string_view stored(text.get());
          SetMessageText(std::u16string(stored.substr(0, ZAF_MESSAGE_LENGTH - 1)).c_str());
        }
        if (auto* data = ZafReadStoredData<ZafStringData>(titleName.get(), persistence)) {
          title = new ZafTitle(data);
        }
      }
    }
  }
  LeaveReadLevel(persistence);
  MakeMessageWindow(iconNumber, 0, defaultButtonBit);
}

ZafMessageWindow::~ZafMessageWindow() {
  ZafI18nData::LanguageManager().ReleaseLanguageData(languageData);
  if (title && !title->Parent()) {
    delete title;
  }
  if (message && !message->Parent()) {
    delete message;
  }
}

void ZafMessageWindow::MakeMessageWindow(uint16_t icon, uint16_t buttonMask, uint16_t defaultBit) {
  iconNumber = icon;
  destroyable = false;
  sizeable = false;
  bordered = false;
  disabled = false;
  placement = 0;
  if (!languageData) {
    languageData = ZafI18nData::LanguageManager().GetLanguageData(u"ZafMessageWindow", kLabels);
  }
  buttons |= buttonMask;
  defaultButtonBit = defaultBit;
}

ZafClassID ZafMessageWindow::ClassID() const {
  return ID_ZAF_MESSAGE_WINDOW;
}

const ZafIChar* ZafMessageWindow::ClassName() const {
  return u"ZafMessageWindow";
}

bool ZafMessageWindow::IsA(ZafClassID id) const {
  return id == ID_ZAF_MESSAGE_WINDOW || ZafDialogWindow::IsA(id);
}

bool ZafMessageWindow::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafMessageWindow") == 0) || ZafDialogWindow::IsAName(name);
}

ZafWindowObject* ZafMessageWindow::Duplicate() {
  return new ZafMessageWindow(*this);
}

// ---- Events ----

ZafEventType ZafMessageWindow::Event(const ZafEventRecord& event) {
  switch (event.type) {
    case PrepareEvent:
      BuildChildren();
      ZafDialogWindow::Event(event);
      return PrepareEvent;
    case FitEvent:
      Layout();
      return FitEvent;
    case E_OSEVENT:
      if (event.osEvent.message == native::WM_KEYDOWN && event.osEvent.wParam == native::VK_ESCAPE) {
        // Escape is Cancel where there is one, and nothing otherwise.
        if ((buttons & ZAF_MESSAGE_CANCEL) && eventManager) {
          ZafEventRecord cancel(ButtonValue(6), 0);
          cancel.windowObject = this;
          eventManager->Put(cancel, Q_END);
        }
        return 0;
      }
      return ZafDialogWindow::Event(event);
    default:
      return ZafDialogWindow::Event(event);
  }
}

void ZafMessageWindow::BuildChildren() {
  if (firstButton) {
    ZafWindow::SetDefaultButton(nullptr, true);
    for (ZafElement* element = firstButton; element;) {
      ZafElement* next = element->Next();
      delete Subtract(static_cast<ZafWindowObject*>(element));
      element = next;
    }
    firstButton = nullptr;
  }
  if (!Border()) {
    Add(new ZafBorder());
  }
  if (title && !TitleObject()) {
    Add(new ZafSystemButton());
    Add(title);
  }
  if (iconNumber != 0) {
    if (iconObject) {
      delete Subtract(iconObject);
    }
    iconObject = new ZafIcon(2, 1, nullptr);
    iconObject->SetSystemImage(iconNumber);
    iconObject->SetBordered(false);
    iconObject->SetNonCurrent(true);
    Add(iconObject);
  }
  if (message) {
    Add(message);
  }
  AddButtons();
}

void ZafMessageWindow::AddButtons() {
  for (int bit = 0; bit < kButtonBits; ++bit) {
    const auto mask = static_cast<uint16_t>(1u << bit);
    if (!(buttons & mask)) {
      continue;
    }
    ZafIChar hotKey = 0;
    int32_t hotKeyIndex = -1;
    const ZafIChar* label = languageData ? languageData->GetMessage(mask, true, &hotKey, &hotKeyIndex) : u"";
    auto* button = new ZafButton(0, 0, 0, 0, label);
    button->SetDefaultCapable(true);
    button->SetAutoSize(true);
    button->SetHotKey(hotKey, hotKeyIndex);
    button->SetMessageOnSelect(true);
    button->SetValue(ButtonValue(bit));
    Add(button);
    if (!firstButton) {
      firstButton = button;
    }
    if (mask == defaultButtonBit) {
      ZafWindow::SetDefaultButton(button, true);
      SetCurrent(button);
    }
  }
}

// ---- Layout ----

ZafRegionStruct ZafMessageWindow::MessageSize() {
  int32_t width = 0;
  int32_t height = 0;
  if (message && display) {
    display->SaveState();
    display->SetPalette(message->LogicalPalette(ZAF_PM_TEXT, PaletteState()));
    for (std::u16string_view line : Lines(MessageText() ? MessageText() : u"")) {
      const std::u16string text(line);
      // A blank line is as high as a line of text, or the lines below it would be cut off.
      const ZafRegionStruct size = display->TextSize(text.empty() ? u" " : text.c_str(), -1);
      width = std::max(width, text.empty() ? 0 : size.Width());
      height += size.Height() + 1;
    }
    display->RestoreState();
  }
  return {0, 0, width + kMessagePadding - 1, height + kMessagePadding - 1, ZAF_PIXEL};
}

int32_t ZafMessageWindow::WidestLabel() {
  int32_t widest = 0;
  if (!firstButton || !display) {
    return widest;
  }
  display->SaveState();
  display->SetPalette(firstButton->LogicalPalette(ZAF_PM_TEXT, 0));
  for (ZafElement* element = firstButton; element; element = element->Next()) {
    const ZafIChar* label = static_cast<ZafWindowObject*>(element)->Text();
    if (label && *label) {
      widest = std::max(widest, display->TextSize(label, -1).Width());
    }
  }
  display->RestoreState();
  return widest;
}

void ZafMessageWindow::Layout() {
  if (!display) {
    return;
  }
  const int32_t cw = display->cellWidth;
  const int32_t ch = display->cellHeight;
  const ZafRegionStruct text = MessageSize();
  const int32_t w = text.Width();
  const int32_t h = text.Height();
  int32_t count = 0;
  for (ZafElement* element = firstButton; element; element = element->Next()) {
    ++count;
  }
  const int32_t b = std::max(10 * cw, 2 * cw + WidestLabel());
  int32_t iconSpace = 0;
  int32_t iconHeight = 0;
  if (iconObject) {
    iconObject->Event(ZafEventRecord(FitEvent, 0));
    ZafRegionStruct place = iconObject->Region();
    iconObject->ConvertRegion(place, ZAF_PIXEL);
    iconSpace = place.Width() + 2 * cw;
    iconHeight = place.Height();
  }
  const int32_t width = std::max(iconSpace + 4 * cw + w, (cw + b) * count + 3 * cw);
  const int32_t height = 4 * ch + h;
  if (message) {
    const int32_t left = iconSpace + 2 * cw;
    message->SetRegion({left, ch, left + w - 1, ch + h - 1, ZAF_PIXEL});
  }
  int32_t x = (width - (cw + b) * count + cw) / 2;
  const int32_t contentHeight = std::max(iconHeight, h) + 2 * ch;
  for (ZafElement* element = firstButton; element; element = element->Next()) {
    auto* button = static_cast<ZafWindowObject*>(element);
    button->Event(ZafEventRecord(FitEvent, 0));
    ZafRegionStruct fitted = button->Region();
    button->ConvertRegion(fitted, ZAF_PIXEL);
    const int32_t bottom = ch + contentHeight - display->postSpace - 1;
    button->SetRegion({x, bottom - fitted.Height() + 1, x + b - 1, bottom, ZAF_PIXEL});
    x += cw + b;
  }
  clientRegion = {0, 0, width - 1, height - 1, ZAF_PIXEL};
  region = {0, 0, width - 1 + 2 * cw, height - 1 + 2 * ch, ZAF_PIXEL};
  if (windowManager) {
    windowManager->Center(this);
  }
}

// ---- Settings of the dialog ----

uint16_t ZafMessageWindow::SetButtons(uint16_t mask) {
  if (!screenID) {
    buttons |= mask;
  }
  return buttons;
}

uint16_t ZafMessageWindow::ClearButtons(uint16_t mask) {
  if (!screenID) {
    buttons &= static_cast<uint16_t>(~mask);
  }
  return buttons;
}

uint16_t ZafMessageWindow::SetDefaultButton(uint16_t bit) {
  if (!screenID) {
    defaultButtonBit = bit;
  }
  return defaultButtonBit;
}

uint16_t ZafMessageWindow::SetIcon(uint16_t number) {
  if (!screenID) {
    iconNumber = number;
  }
  return iconNumber;
}

void ZafMessageWindow::SetMessage(const ZafIChar* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  SetMessage(ZAF_MESSAGE_LENGTH, format, arguments);
  va_end(arguments);
}

void ZafMessageWindow::SetMessage(int length, const ZafIChar* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  SetMessage(length, format, arguments);
  va_end(arguments);
}

void ZafMessageWindow::SetMessage(int length, const ZafIChar* format, va_list arguments) {
  if (length <= 0 || !format) {
    SetMessageText(u"");
    return;
  }
  std::vector<ZafIChar> buffer(static_cast<size_t>(length), 0);
  ZafVSNPrintf(buffer.data(), buffer.size(), format, arguments);
  SetMessageText(buffer.data());
}

void ZafMessageWindow::SetMessageText(const ZafIChar* text) {
  if (message) {
    message->SetText(text ? text : u"");
    return;
  }
  if (!text || screenID) {
    return;
  }
  message = new ZafText(0, 0, 0, 0, new ZafStringData(text));
  message->SetBordered(false);
  message->SetNonCurrent(true);
  message->SetViewOnly(true);
  message->SetParentPalette(true);
  message->SetWordWrap(false);
  message->SetNativeDrawing(false);
}

const ZafIChar* ZafMessageWindow::MessageText() const {
  return message && message->StringData() ? message->StringData()->Text() : nullptr;
}

// ---- Pinned settings ----

const ZafIChar* ZafMessageWindow::SetThirdText(const ZafIChar*) {
  return nullptr;
}

bool ZafMessageWindow::SetAcceptDrop(bool) {
  return acceptDrop = false;
}

bool ZafMessageWindow::SetAutomaticUpdate(bool) {
  return ZafWindow::SetAutomaticUpdate(true);
}

bool ZafMessageWindow::SetBordered(bool) {
  return bordered = false;
}

bool ZafMessageWindow::SetDisabled(bool) {
  return ZafWindow::SetDisabled(false);
}

int32_t ZafMessageWindow::SetPlacement(int32_t) {
  return placement = 0;
}

bool ZafMessageWindow::SetDestroyable(bool) {
  return destroyable = false;
}

bool ZafMessageWindow::SetLocked(bool) {
  return locked = false;
}

bool ZafMessageWindow::SetMaximized(bool) {
  return maximized = false;
}

bool ZafMessageWindow::SetMinimized(bool) {
  return minimized = false;
}

bool ZafMessageWindow::SetMovable(bool) {
  return movable = true;
}

uint32_t ZafMessageWindow::SetSelectMultiple(bool) {
  return selectionType = 0;
}

bool ZafMessageWindow::SetSizeable(bool) {
  return sizeable = false;
}

bool ZafMessageWindow::SetTemporary(bool) {
  return temporary = false;
}

// ---- Storage ----

ZafObjectConstructor ZafMessageWindow::ReadFunction() const {
  return &ZafMessageWindow::Read;
}

ZafWindowObject* ZafMessageWindow::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafMessageWindow(name, persistence);
}

void ZafMessageWindow::WriteChildren(ZafObjectPersistence&) {}

void ZafMessageWindow::WriteSupportObjects(ZafObjectPersistence&) {}

ZafError ZafMessageWindow::Write(ZafObjectPersistence& persistence) {
  if (BeginWrite(persistence) && persistence.Error() == ZAF_ERROR_NONE) {
    WriteWindowFields(persistence);
    ZafFile& file = *persistence.File();
    file.WriteUInt16(iconNumber);
    file.WriteUInt16(buttons);
    file.WriteUInt16(defaultButtonBit);
    file.WriteString(MessageText() ? MessageText() : u"");
    ZafStringData* titleData = title ? title->StringData() : nullptr;
    file.WriteString(titleData ? ZafNameStoredData(titleData, *this, u"Title") : u"");
    ZafWriteStoredData(titleData, persistence);
  }
  return EndWrite(persistence);
}
