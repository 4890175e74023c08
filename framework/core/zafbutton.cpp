#include "framework/core/zafbutton.h"

#include <algorithm>
#include <limits>

#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindow.h"
#include "framework/data/zafbitmapdata.h"
#include "framework/data/zafchar.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstringdata.h"
#include "framework/data/zafstrlib.h"

namespace {

bool ValidKind(int32_t kind) {
  return kind >= ZAF_PUSH_BUTTON && kind <= ZAF_FLAT_BUTTON;
}

bool ValidPlacement(int32_t placement) {
  return placement >= 0 && placement <= 2;
}

// The bevel a button starts with: push buttons are raised, the others flat.
constexpr int32_t kPushDepth = 2;

// The largest picture or text a button lays out, in pixels: screen coordinates are 16-bit, so nothing
// larger can be seen, and a picture from a file may claim any size.
constexpr int64_t kLargestExtent = 32767;

// A size region's width or height, 0 for an empty or inverted region, at most kLargestExtent.
int64_t Extent(int32_t first, int32_t last) {
  return std::clamp<int64_t>(int64_t{last} - first + 1, 0, kLargestExtent);
}

// A position worked out in 64 bits, brought back into the coordinate range.
int32_t Coordinate(int64_t position) {
  return static_cast<int32_t>(std::clamp<int64_t>(position, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

ZafButton::ZafButton(int32_t left, int32_t top, int32_t width, int32_t height, const ZafIChar* text,
                     ZafBitmapData* bitmap, int32_t kind)
    : ZafWindowObject(left, top, width, height) {
  MakeButton(new ZafStringData(text), bitmap, kind);
  // Check boxes and radio buttons made from plain text switch their selected state when chosen.
  if (IsCheckOrRadio()) {
    toggles = true;
  }
}

ZafButton::ZafButton(int32_t left, int32_t top, int32_t width, int32_t height, std::nullptr_t,
                     ZafBitmapData* bitmap, int32_t kind)
    : ZafButton(left, top, width, height, static_cast<const ZafIChar*>(nullptr), bitmap, kind) {}

ZafButton::ZafButton(int32_t left, int32_t top, int32_t width, int32_t height, ZafStringData* text,
                     ZafBitmapData* bitmap, int32_t kind)
    : ZafWindowObject(left, top, width, height) {
  MakeButton(text ? text : new ZafStringData(), bitmap, kind);
}

ZafButton::ZafButton(const ZafButton& other)
    : ZafWindowObject(other),
      value(other.value),
      messageText(ZafStrDup(other.messageText.get())),
      depth(other.depth),
      defaultCapable(other.defaultCapable),
      toggles(other.toggles),
      autoRepeat(other.autoRepeat),
      autoSize(other.autoSize),
      kind(other.kind),
      pressedLook(other.pressedLook),
      hotKeyChar(other.hotKeyChar),
      hotKeyIndex(other.hotKeyIndex),
      chooseOnDoubleClick(other.chooseOnDoubleClick),
      chooseOnPress(other.chooseOnPress),
      messageOnSelect(other.messageOnSelect),
      textPlacement(other.textPlacement),
      verticalPlacement(other.verticalPlacement),
      unpressedRegion(other.unpressedRegion) {
  AcquireImages();
  // Data of its own is copied; shared data stays shared.
  auto copyOf = [](auto* data) -> decltype(data) {
    if (!data || !data->Destroyable()) {
      return data;
    }
    return static_cast<decltype(data)>(data->Duplicate());
  };
  TakeStringData(other.stringData ? copyOf(other.stringData) : new ZafStringData());
  TakeBitmapData(copyOf(other.bitmapData));
}

ZafButton::ZafButton(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafButton(name, persistence, u"ZafButton", ID_ZAF_BUTTON) {
  LeaveReadLevel(persistence);
}

ZafButton::ZafButton(const ZafIChar* name, ZafObjectPersistence& persistence, const ZafIChar* className,
                     ZafClassID classID)
    : ZafWindowObject(name, persistence, className, classID) {
  MakeButton(new ZafStringData(), nullptr, ZAF_PUSH_BUTTON);
  ReadButtonFields(persistence);
}

ZafButton::~ZafButton() {
  TakeStringData(nullptr);
  TakeBitmapData(nullptr);
  ReleaseImages();
}

void ZafButton::MakeButton(ZafStringData* text, ZafBitmapData* bitmap, int32_t newKind) {
  AcquireImages();
  kind = ValidKind(newKind) ? newKind : ZAF_PUSH_BUTTON;
  depth = IsPushKind() ? kPushDepth : 0;
  // A check mark or dot stands left of its text; a push button's picture stands above its text.
  textPlacement = IsCheckOrRadio() ? ZAF_TEXT_RIGHT : ZAF_TEXT_BELOW;
  unpressedRegion = region;
  TakeStringData(text);
  TakeBitmapData(bitmap);
}

// ---- Identity ----

ZafClassID ZafButton::ClassID() const {
  return ID_ZAF_BUTTON;
}

const ZafIChar* ZafButton::ClassName() const {
  return u"ZafButton";
}

bool ZafButton::IsA(ZafClassID id) const {
  return id == ID_ZAF_BUTTON || ZafWindowObject::IsA(id);
}

bool ZafButton::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafButton") == 0) || ZafWindowObject::IsAName(name);
}

ZafWindowObject* ZafButton::Duplicate() {
  return new ZafButton(*this);
}

// ---- Data ----

void ZafButton::TakeStringData(ZafStringData* data) {
  if (data == stringData) {
    return;
  }
  if (stringData) {
    stringData->Subtract(this, &ZafButton::StringDataChanged);
    if (stringData->Destroyable() && stringData->Count() == 0) {
      delete stringData;
    }
  }
  stringData = data;
  if (stringData) {
    stringData->Add(this, &ZafButton::StringDataChanged, ZAF_UPDATE_ALL);
  }
}

void ZafButton::TakeBitmapData(ZafBitmapData* data) {
  if (data == bitmapData) {
    return;
  }
  if (bitmapData) {
    bitmapData->Subtract(this, &ZafButton::BitmapDataChanged);
    if (bitmapData->Destroyable() && bitmapData->Count() == 0) {
      delete bitmapData;
    }
  }
  bitmapData = data;
  if (bitmapData) {
    bitmapData->Add(this, &ZafButton::BitmapDataChanged, ZAF_UPDATE_ALL);
  }
}

ZafLong ZafButton::StringDataChanged(ZafElement* object, int kind) {
  auto* button = static_cast<ZafButton*>(object);
  if (kind == ZAF_UPDATE_OBJECTS && button->screenID) {
    button->UpdateNativeText();
  }
  return 0;
}

ZafLong ZafButton::BitmapDataChanged(ZafElement* object, int kind) {
  auto* button = static_cast<ZafButton*>(object);
  if (kind == ZAF_UPDATE_OBJECTS && button->screenID) {
    button->Relayout();
  }
  return 0;
}

const ZafIChar* ZafButton::Text() {
  return stringData ? stringData->Text() : nullptr;
}

int ZafButton::SetText(const ZafIChar* text) {
  // The string data tells the button of the change, which brings the native label up to date.
  stringData->SetText(text);
  return 0;
}

void ZafButton::SetRegion(const ZafRegionStruct& newRegion) {
  ZafWindowObject::SetRegion(newRegion);
  unpressedRegion = region;
}

// ---- Setters ----

int32_t ZafButton::SetWordBeforeCreation(int32_t& field, int32_t newValue) {
  if (!screenID) {
    field = newValue;
  }
  return field;
}

bool ZafButton::SetDefaultCapable(bool flag) {
  return SetBeforeCreation(defaultCapable, flag);
}

bool ZafButton::SetToggles(bool flag) {
  return SetBeforeCreation(toggles, flag);
}

bool ZafButton::SetAutoRepeat(bool flag) {
  return SetBeforeCreation(autoRepeat, flag);
}

bool ZafButton::SetAutoSize(bool flag) {
  return SetBeforeCreation(autoSize, flag);
}

ZafError ZafButton::SetBitmap(ZafBitmapData* bitmap) {
  if (bitmap == bitmapData) {
    return ZAF_ERROR_NONE;
  }
  TakeBitmapData(bitmap);
  if (screenID) {
    // A picture is beyond the native push button: the palette update switches it to owner drawing.
    UpdatePalettes(ZAF_PM_ANY_TYPE, ZAF_PM_ANY_TYPE);
    Relayout();
  }
  return ZAF_ERROR_NONE;
}

int32_t ZafButton::SetKind(int32_t newKind) {
  if (!screenID && ValidKind(newKind) && newKind != kind) {
    kind = newKind;
    depth = IsPushKind() ? kPushDepth : 0;
  }
  return kind;
}

int32_t ZafButton::SetDepth(int32_t newDepth) {
  // The bevel's direction comes from the pressed look; the stored depth is its size.
  if (newDepth < 0 || newDepth > ZAF_BUTTON_MAX_DEPTH) {
    return depth;
  }
  return SetWordBeforeCreation(depth, newDepth);
}

ZafIChar ZafButton::SetHotKey(ZafIChar character, int32_t index) {
  if (!screenID) {
    hotKeyChar = ZafToUpper(character);
    hotKeyIndex = index < 0 ? -1 : index;
  }
  return hotKeyChar;
}

int32_t ZafButton::SetTextPlacement(int32_t newPlacement) {
  return ValidPlacement(newPlacement) ? SetWordBeforeCreation(textPlacement, newPlacement) : textPlacement;
}

bool ZafButton::SetChooseOnDoubleClick(bool flag) {
  return SetBeforeCreation(chooseOnDoubleClick, flag);
}

bool ZafButton::SetChooseOnPress(bool flag) {
  return SetBeforeCreation(chooseOnPress, flag);
}

const ZafIChar* ZafButton::SetMessageText(const ZafIChar* text) {
  if (text != messageText.get()) {
    messageText.reset(ZafStrDup(text));
  }
  return messageText.get();
}

bool ZafButton::SetMessageOnSelect(bool flag) {
  if (!screenID && flag != messageOnSelect) {
    messageOnSelect = flag;
    FollowMessageOnSelect();
  }
  return messageOnSelect;
}

void ZafButton::FollowMessageOnSelect() {
  userCallback = messageOnSelect ? static_cast<UserCallback>(&ZafButton::SendValueCallback)
                                 : &ZafWindowObject::DefaultUserCallback;
}

int32_t ZafButton::SetValue(int32_t newValue) {
  value = newValue;
  return value;
}

int32_t ZafButton::SetVerticalPlacement(int32_t newPlacement) {
  return ValidPlacement(newPlacement) ? SetWordBeforeCreation(verticalPlacement, newPlacement)
                                      : verticalPlacement;
}

// ---- Choosing ----

ZafEventType ZafButton::SendValueCallback(ZafWindowObject* object, ZafEventRecord& event, ZafEventType code) {
  const ZafEventType result = DefaultUserCallback(object, event, code);
  const bool chosen = code == ChosenByDoubleClickEvent || (code == ChosenEvent && !chooseOnDoubleClick);
  if (messageOnSelect && chosen && eventManager) {
    ZafEventRecord message(value, 0);
    message.SetText(messageText.get());
    message.windowObject = this;
    eventManager->Put(message, Q_END);
  }
  return result;
}

ZafEventType ZafButton::Choose(const ZafEventRecord& event, ZafEventType code) {
  if (toggles) {
    // A window that allows a single selection always keeps one: its selected button stays selected.
    const bool singleSelection =
        parent && parent->IsA(ID_ZAF_WINDOW) && static_cast<ZafWindow*>(parent)->SelectionType() == 0;
    if (!selected || !singleSelection) {
      SetSelected(!selected);
    }
  }
  ZafEventRecord copy = event;
  return (this->*userCallback)(this, copy, code);
}

bool ZafButton::NativeDrawable() const {
  if (editMode || kind == ZAF_FLAT_BUTTON) {
    return false;
  }
  if (kind == ZAF_RADIO_BUTTON || kind == ZAF_CHECK_BOX) {
    return textPlacement == ZAF_TEXT_RIGHT && verticalPlacement == ZAF_VERTICAL_CENTER;
  }
  // Own colours, a picture or a pressed-in toggle are beyond what the native push button draws.
  return textPlacement == ZAF_TEXT_BELOW && verticalPlacement == ZAF_VERTICAL_CENTER && !toggles &&
         !bitmapData && !paletteData;
}

// ---- Layout ----

ZafRegionStruct ZafButton::ComputeLayout(const ZafButton& button, ZafRegionStruct& region,
                                         ZafRegionStruct& bitmapRegion, ZafRegionStruct& textRegion,
                                         int32_t gap) {
  // Sizes are limited and every sum is taken in 64 bits, so that no size or region can overflow them.
  const int64_t bitmapWidth = Extent(bitmapRegion.left, bitmapRegion.right);
  const int64_t bitmapHeight = Extent(bitmapRegion.top, bitmapRegion.bottom);
  const int64_t textWidth = Extent(textRegion.left, textRegion.right);
  const int64_t textHeight = Extent(textRegion.top, textRegion.bottom);
  const bool hasBitmap = bitmapWidth > 0 && bitmapHeight > 0;
  const bool hasText = textWidth > 0 && textHeight > 0;
  const int64_t space = hasBitmap && hasText ? std::clamp<int64_t>(gap, 0, kLargestExtent) : 0;
  const bool stacked = button.textPlacement == ZAF_TEXT_BELOW;

  const int64_t neededWidth = stacked ? std::max(bitmapWidth, textWidth) : bitmapWidth + space + textWidth;
  const int64_t neededHeight =
      stacked ? bitmapHeight + space + textHeight : std::max(bitmapHeight, textHeight);
  if (int64_t{region.right} - region.left + 1 == 0) {
    region.right = Coordinate(region.left + neededWidth - 1);
  }
  if (int64_t{region.bottom} - region.top + 1 == 0) {
    region.bottom = Coordinate(region.top + neededHeight - 1);
  }
  const int64_t regionWidth = int64_t{region.right} - region.left + 1;
  const int64_t regionHeight = int64_t{region.bottom} - region.top + 1;

  // Across: a check mark or dot keeps to the side of its text, anything else is centred.
  int64_t blockLeft = region.left + (regionWidth - neededWidth) / 2;
  if (button.kind == ZAF_CHECK_BOX || button.kind == ZAF_RADIO_BUTTON) {
    blockLeft = button.textPlacement == ZAF_TEXT_LEFT ? region.right - neededWidth + 1 : region.left;
  }
  int64_t blockTop = region.top + (regionHeight - neededHeight) / 2;
  if (button.verticalPlacement == ZAF_VERTICAL_TOP) {
    blockTop = region.top;
  } else if (button.verticalPlacement == ZAF_VERTICAL_BOTTOM) {
    blockTop = region.bottom - neededHeight + 1;
  }

  const int32_t coordinateType = region.coordinateType;
  auto place = [coordinateType](ZafRegionStruct& target, int64_t left, int64_t top, int64_t width,
                                int64_t height) {
    target = {Coordinate(left), Coordinate(top), Coordinate(left + width - 1), Coordinate(top + height - 1),
              coordinateType};
  };
  if (stacked) {
    place(bitmapRegion, blockLeft + (neededWidth - bitmapWidth) / 2, blockTop, bitmapWidth, bitmapHeight);
    place(textRegion, blockLeft + (neededWidth - textWidth) / 2, blockTop + bitmapHeight + space, textWidth,
          textHeight);
  } else {
    const bool textFirst = button.textPlacement == ZAF_TEXT_LEFT;
    const int64_t bitmapLeft = textFirst ? blockLeft + textWidth + space : blockLeft;
    const int64_t textLeft = textFirst ? blockLeft : blockLeft + bitmapWidth + space;
    place(bitmapRegion, bitmapLeft, blockTop + (neededHeight - bitmapHeight) / 2, bitmapWidth, bitmapHeight);
    place(textRegion, textLeft, blockTop + (neededHeight - textHeight) / 2, textWidth, textHeight);
  }
  // Both needed sizes are at most twice the largest extent and a gap, well inside 32 bits.
  return {1, 1, static_cast<int32_t>(neededWidth), static_cast<int32_t>(neededHeight), coordinateType};
}
