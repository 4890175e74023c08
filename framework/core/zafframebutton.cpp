#include "framework/core/zafframebutton.h"

#include <algorithm>
#include <array>

#include "framework/data/zafstringdata.h"

namespace {

using ArrowPicture = std::array<uint8_t, ZAF_FRAME_IMAGE_WIDTH * ZAF_FRAME_IMAGE_HEIGHT>;

// Black arrow heads pointing up, down or both ways (restore) on a clear ground, moved one pixel right and
// down for the pressed look.
constexpr ArrowPicture Arrows(bool up, bool down, bool pressed) {
  constexpr uint8_t kBlack = 0;
  constexpr uint8_t kClear = 255;
  constexpr int kHeadRows = 4;
  ArrowPicture pixels{};
  pixels.fill(kClear);
  const int shift = pressed ? 1 : 0;
  // A head is two pixels wide at its point and one pixel wider on either side per row.
  auto paintRow = [&pixels, shift](int row, int halfWidth) {
    for (int column = 7 - halfWidth; column <= 8 + halfWidth; ++column) {
      pixels[(row + shift) * ZAF_FRAME_IMAGE_WIDTH + column + shift] = kBlack;
    }
  };
  // A single head stands in the middle; the restore picture stacks an up head over a down head.
  const int upPoint = down ? 1 : 4;
  const int downPoint = up ? 11 : 8;
  for (int step = 0; step < kHeadRows; ++step) {
    if (up) {
      paintRow(upPoint + step, step);
    }
    if (down) {
      paintRow(downPoint - step, step);
    }
  }
  return pixels;
}

constexpr ArrowPicture kUp = Arrows(true, false, false);
constexpr ArrowPicture kUpPressed = Arrows(true, false, true);
constexpr ArrowPicture kDown = Arrows(false, true, false);
constexpr ArrowPicture kDownPressed = Arrows(false, true, true);
constexpr ArrowPicture kRestore = Arrows(true, true, false);
constexpr ArrowPicture kRestorePressed = Arrows(true, true, true);

constexpr ZafBitmapStruct Picture(const ArrowPicture& pixels) {
  return {ZAF_FRAME_IMAGE_WIDTH, ZAF_FRAME_IMAGE_HEIGHT, pixels.data(), true, nullptr, nullptr, false};
}

constexpr ZafBitmapStruct kMaximizePictures[] = {Picture(kUp), Picture(kUpPressed), Picture(kRestore),
                                                 Picture(kRestorePressed)};
constexpr ZafBitmapStruct kMinimizePictures[] = {Picture(kDown), Picture(kDownPressed), Picture(kRestore),
                                                 Picture(kRestorePressed)};

}  // namespace

ZafFrameButton::ZafFrameButton(const ZafFrameButtonSettings& settings, ZafStringData* text)
    : ZafButton(0, 0, 0, 0, text, nullptr, settings.kind), settings(&settings) {
  value = settings.firstCode;
  ApplySettings();
}

ZafFrameButton::ZafFrameButton(const ZafFrameButtonSettings& settings, const ZafIChar* name,
                               ZafObjectPersistence& persistence, const ZafIChar* className,
                               ZafClassID classID)
    : ZafButton(name, persistence, className, classID), settings(&settings) {
  if (std::find(settings.codes.begin(), settings.codes.end(), value) == settings.codes.end()) {
    value = settings.firstCode;
  }
  ApplySettings();
}

void ZafFrameButton::ApplySettings() {
  // The window finds its frame parts by these IDs, whatever a record said.
  SetNumberID(settings->numberID);
  SetStringID(settings->stringID);
  ownNativeWindow = false;
  acceptDrop = false;
  bordered = false;
  ctrlDrag = false;
  shiftCtrlDrag = false;
  shiftDrag = false;
  disabled = false;
  selected = false;
  parentDrawBorder = false;
  parentDrawFocus = false;
  parentPalette = false;
  supportObject = true;
  placement = 2;
  if (settings->neverFocused) {
    focus = false;
  }
  nonCurrent = settings->nonCurrent;
  defaultCapable = false;
  toggles = false;
  autoRepeat = false;
  autoSize = true;
  kind = settings->kind;
  depth = settings->depth;
  if (settings->plain) {
    pressedLook = false;
    ZafButton::SetBitmap(nullptr);
  }
  hotKeyChar = 0;
  hotKeyIndex = -1;
  textPlacement = ZAF_TEXT_BELOW;
  verticalPlacement = ZAF_VERTICAL_CENTER;
  chooseOnDoubleClick = settings->chooseOnDoubleClick;
  chooseOnPress = settings->chooseOnPress;
  messageText.reset();
  messageOnSelect = settings->messageOnSelect;
  FollowMessageOnSelect();
  ZafWindowObject::SetUserFunction(nullptr);
  ZafWindowObject::SetHelpContext(nullptr);
  ZafWindowObject::SetTipText(nullptr);
  ZafWindowObject::SetThirdText(nullptr);
}

ZafError ZafFrameButton::WriteEntryOnly(ZafObjectPersistence& persistence) {
  OpenWriteEntry(persistence);
  return EndWrite(persistence);
}

std::span<const ZafBitmapStruct> ZafFrameButton::ArrowPictures(bool up) {
  return up ? kMaximizePictures : kMinimizePictures;
}

// ---- Fixed settings ----

bool ZafFrameButton::SetAcceptDrop(bool) {
  return acceptDrop;
}

bool ZafFrameButton::SetBordered(bool) {
  return bordered;
}

bool ZafFrameButton::SetCtrlDrag(bool) {
  return ctrlDrag;
}

bool ZafFrameButton::SetShiftCtrlDrag(bool) {
  return shiftCtrlDrag;
}

bool ZafFrameButton::SetShiftDrag(bool) {
  return shiftDrag;
}

bool ZafFrameButton::SetDisabled(bool) {
  return disabled;
}

bool ZafFrameButton::SetFocus(bool flag) {
  return settings->neverFocused ? focus : ZafButton::SetFocus(flag);
}

bool ZafFrameButton::SetNonCurrent(bool) {
  return nonCurrent;
}

bool ZafFrameButton::SetParentDrawBorder(bool) {
  return parentDrawBorder;
}

bool ZafFrameButton::SetParentDrawFocus(bool) {
  return parentDrawFocus;
}

bool ZafFrameButton::SetParentPalette(bool) {
  return parentPalette;
}

bool ZafFrameButton::SetSelected(bool) {
  return selected;
}

bool ZafFrameButton::SetSupportObject(bool) {
  return supportObject;
}

int32_t ZafFrameButton::SetPlacement(int32_t) {
  return placement;
}

ZafUserFunction ZafFrameButton::SetUserFunction(ZafUserFunction) {
  return UserFunction();
}

const ZafIChar* ZafFrameButton::SetHelpContext(const ZafIChar*) {
  return HelpContext();
}

const ZafIChar* ZafFrameButton::SetTipText(const ZafIChar*) {
  return TipText();
}

const ZafIChar* ZafFrameButton::SetThirdText(const ZafIChar*) {
  return ThirdText();
}

bool ZafFrameButton::SetDefaultCapable(bool) {
  return defaultCapable;
}

bool ZafFrameButton::SetToggles(bool) {
  return toggles;
}

bool ZafFrameButton::SetAutoRepeat(bool) {
  return autoRepeat;
}

bool ZafFrameButton::SetAutoSize(bool) {
  return autoSize;
}

ZafError ZafFrameButton::SetBitmap(ZafBitmapData* bitmap) {
  // A refused picture belongs to the caller still.
  return settings->plain ? 1 : ZafButton::SetBitmap(bitmap);
}

int32_t ZafFrameButton::SetKind(int32_t) {
  return kind;
}

bool ZafFrameButton::SetPressedLook(bool flag) {
  return settings->plain ? pressedLook : ZafButton::SetPressedLook(flag);
}

int32_t ZafFrameButton::SetDepth(int32_t) {
  return depth;
}

ZafIChar ZafFrameButton::SetHotKey(ZafIChar, int32_t) {
  return hotKeyChar;
}

int32_t ZafFrameButton::SetTextPlacement(int32_t) {
  return textPlacement;
}

bool ZafFrameButton::SetChooseOnDoubleClick(bool) {
  return chooseOnDoubleClick;
}

bool ZafFrameButton::SetChooseOnPress(bool) {
  return chooseOnPress;
}

const ZafIChar* ZafFrameButton::SetMessageText(const ZafIChar*) {
  return MessageText();
}

bool ZafFrameButton::SetMessageOnSelect(bool) {
  return messageOnSelect;
}

int32_t ZafFrameButton::SetValue(int32_t newValue) {
  if (std::find(settings->codes.begin(), settings->codes.end(), newValue) != settings->codes.end()) {
    value = newValue;
  }
  return value;
}

int32_t ZafFrameButton::SetVerticalPlacement(int32_t) {
  return verticalPlacement;
}
