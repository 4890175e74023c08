// Translation of native key and mouse messages into the framework's device event fields: the raw code in
// the value, the modifier word, and the key or position in the data, for the object that handles them.
#include "framework/win32/zafwindowobjecttranslate.h"

#include <array>

#include "framework/core/zafeventrecord.h"
#include "framework/core/zafwindowobject.h"
#include "native/native.h"

namespace {

// Shift-state and modifier bits.
constexpr int32_t kShiftHeld = 3;
constexpr int32_t kCtrlHeld = 4;
constexpr int32_t kAltHeld = 8;
constexpr int32_t kNumLockOn = 32;
constexpr int32_t kCapsLockOn = 64;
constexpr int32_t kInsertHeld = 128;
// Modifier words of key events: pressed, or released.
constexpr int32_t kKeyPressed = 512;
constexpr int32_t kKeyReleased = 1024;
// Added to a press code for the second press of a double click.
constexpr int32_t kDoubleClick = 0x800;

// Raw mouse codes per button (left, right, middle): held during a move, pressed, released.
constexpr int32_t kHeldCode[] = {0x100, 0x200, 0x400};
constexpr int32_t kPressCode[] = {0x1100, 0x2200, 0x4400};
constexpr int32_t kReleaseCode[] = {0x1000, 0x2000, 0x4000};
// Messages after the move in each mouse range come in threes per button: down, up, double click.
constexpr native::UINT kMessagesPerButton = 3;

bool Down(const native::BYTE* state, native::UINT key) {
  return (state[key] & 0x80) != 0;
}

bool Toggled(const native::BYTE* state, native::UINT key) {
  return (state[key] & 0x01) != 0;
}

ZafIChar ToLower(ZafIChar character) {
  return character >= u'A' && character <= u'Z' ? static_cast<ZafIChar>(character + (u'a' - u'A'))
                                                : character;
}

ZafIChar ToUpper(ZafIChar character) {
  return character >= u'a' && character <= u'z' ? static_cast<ZafIChar>(character - (u'a' - u'A'))
                                                : character;
}

// Shift, Ctrl and Alt as the framework's modifier bits.
int32_t ModifierBits(bool shift, bool ctrl, bool alt) {
  return (shift ? kShiftHeld : 0) | (ctrl ? kCtrlHeld : 0) | (alt ? kAltHeld : 0);
}

bool DownNow(native::UINT key) {
  return (native::GetAsyncKeyState(static_cast<int>(key)) & 0x8000) != 0;
}

void TranslateKey(ZafWindowObject* object, ZafEventRecord& event) {
  std::array<native::BYTE, 256> state{};
  native::GetKeyboardState(state.data());
  const auto virtualKey = static_cast<native::UINT>(event.osEvent.wParam);
  const int32_t modifiers =
      ModifierBits(Down(state.data(), native::VK_SHIFT), Down(state.data(), native::VK_CONTROL),
                   Down(state.data(), native::VK_MENU));
  const int32_t locks = (Toggled(state.data(), native::VK_NUMLOCK) ? kNumLockOn : 0) |
                        (Toggled(state.data(), native::VK_CAPITAL) ? kCapsLockOn : 0) |
                        (Down(state.data(), native::VK_INSERT) ? kInsertHeld : 0);
  const native::UINT message = event.osEvent.message;
  const bool pressed = message == native::WM_KEYDOWN || message == native::WM_SYSKEYDOWN;
  event.value = static_cast<int32_t>(virtualKey);
  event.modifiers = modifiers | (pressed ? kKeyPressed : kKeyReleased);
  event.SetKey({modifiers | locks, ZafKeyCharacter(virtualKey, state.data(), native::ToAscii,
                                                   native::typedCharacter(event.osEvent.lParam))});
  event.referenceObject = object;
}

// The button a message of a mouse range is about (0 left, 1 right, 2 middle) and its kind (0 down, 1 up,
// 2 double click), from its offset after the range's move message.
struct ButtonMessage {
  int button;
  int kind;
};
ButtonMessage ButtonOf(native::UINT offset) {
  return {static_cast<int>((offset - 1) / kMessagesPerButton),
          static_cast<int>((offset - 1) % kMessagesPerButton)};
}

void TranslateMouse(ZafWindowObject* object, ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  const bool client = message.message >= native::WM_MOUSEMOVE && message.message <= native::WM_MBUTTONDBLCLK;
  const native::UINT offset = message.message - (client ? native::WM_MOUSEMOVE : native::WM_NCMOUSEMOVE);
  int32_t code = 0;
  int32_t modifiers =
      ModifierBits(DownNow(native::VK_SHIFT), DownNow(native::VK_CONTROL), DownNow(native::VK_MENU));
  if (offset == 0 && client) {
    const native::WPARAM held = message.wParam;
    code = ((held & native::MK_LBUTTON) ? kHeldCode[0] : 0) |
           ((held & native::MK_RBUTTON) ? kHeldCode[1] : 0) |
           ((held & native::MK_MBUTTON) ? kHeldCode[2] : 0);
  } else if (offset == 0) {
    code = ZafHeldButtonsNow(native::GetSystemMetrics(native::SM_SWAPBUTTON) != 0);
  } else {
    const ButtonMessage button = ButtonOf(offset);
    code = button.kind == 1 ? kReleaseCode[button.button] : kPressCode[button.button];
    if (button.kind == 2) {
      modifiers |= kDoubleClick;
    }
  }
  // Two signed 16-bit halves: client coordinates, or screen coordinates for the non-client messages.
  native::POINT point{native::GET_X_LPARAM(message.lParam), native::GET_Y_LPARAM(message.lParam)};
  if (client) {
    native::ClientToScreen(message.hwnd, &point);
  }
  ZafPositionStruct position{point.x, point.y, ZAF_PIXEL};
  if (object->ScreenID()) {
    native::RECT frame{};
    native::GetWindowRect(object->ScreenID(2), &frame);
    position.column -= frame.left;
    position.line -= frame.top;
    position = object->PositionFromNative(object, position);
  }
  event.value = code;
  event.modifiers = modifiers;
  event.SetPosition(position);
  event.referenceObject = object;
}

}  // namespace

ZafIChar ZafKeyCharacter(native::UINT virtualKey, const native::BYTE* state, ZafToAsciiFunction toAscii,
                         char32_t typed) {
  // Key codes are one byte; a message with anything above names no key and gives no character.
  if (virtualKey > 0xFF) {
    return 0;
  }
  if (Down(state, native::VK_CONTROL)) {
    // A key without a character (a function key, an arrow, Home, Insert...) gets none under Ctrl either:
    // its key code read as a character would be a letter (F4 is 's'), and Ctrl+F4 would be taken for the
    // hot key Ctrl+S instead of closing the document window.
    const auto character = static_cast<ZafIChar>(native::MapVirtualKey(virtualKey, native::MAPVK_VK_TO_CHAR));
    return Down(state, native::VK_SHIFT) ? ToUpper(character) : ToLower(character);
  }
  if (typed != 0) {
    return typed <= 0xFFFF ? static_cast<ZafIChar>(typed) : 0;
  }
  std::array<native::WORD, 2> characters{};
  const int count = toAscii(virtualKey, 0, state, characters.data(), 0);
  if (count < 0) {
    // A dead key waits to combine with the next key; the framework takes it as a key of its own, so the
    // layout is asked once more, which combines the dead key with itself and clears it.
    std::array<native::WORD, 2> cleared{};
    toAscii(virtualKey, 0, state, cleared.data(), 0);
    return characters[0];
  }
  return count == 0 ? 0 : characters[count == 1 ? 0 : 1];
}

int32_t ZafHeldButtonsNow(bool swapped) {
  const native::UINT left = swapped ? native::VK_RBUTTON : native::VK_LBUTTON;
  const native::UINT right = swapped ? native::VK_LBUTTON : native::VK_RBUTTON;
  return (DownNow(left) ? kHeldCode[0] : 0) | (DownNow(right) ? kHeldCode[1] : 0) |
         (DownNow(native::VK_MBUTTON) ? kHeldCode[2] : 0);
}

int ZafWindowObject::ConvertCoordinates(ZafEventRecord& event) {
  // Device events the framework made itself already carry their codes; only native messages are read.
  if (event.type != E_OSEVENT) {
    return 0;
  }
  const int32_t category = ZafEventRecord::Category(event);
  if (category == ZAF_CATEGORY_KEYBOARD && !event.referenceObject) {
    TranslateKey(this, event);
    return 1;
  }
  if (category == ZAF_CATEGORY_MOUSE && event.referenceObject != this) {
    TranslateMouse(this, event);
    return 1;
  }
  return 0;
}
