#include "native/host/x11keymap.h"

#include <algorithm>
#include <iterator>

#include "native/user/virtualkeys.h"
// Xlib's macros last.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace native {

namespace {

struct KeyPair {
  unsigned long keysym;
  UINT virtualKey;
};

constexpr KeyPair kKeys[] = {
    {XK_BackSpace, VK_BACK},
    {XK_Tab, VK_TAB},
    {XK_ISO_Left_Tab, VK_TAB},
    {XK_Clear, VK_CLEAR},
    {XK_Return, VK_RETURN},
    {XK_KP_Enter, VK_RETURN},
    {XK_Pause, VK_PAUSE},
    {XK_Caps_Lock, VK_CAPITAL},
    {XK_Escape, VK_ESCAPE},
    {XK_space, VK_SPACE},
    {XK_Prior, VK_PRIOR},
    {XK_Next, VK_NEXT},
    {XK_End, VK_END},
    {XK_Home, VK_HOME},
    {XK_Left, VK_LEFT},
    {XK_Up, VK_UP},
    {XK_Right, VK_RIGHT},
    {XK_Down, VK_DOWN},
    {XK_Select, VK_SELECT},
    {XK_Print, VK_SNAPSHOT},
    {XK_Insert, VK_INSERT},
    {XK_Delete, VK_DELETE},
    {XK_Help, VK_HELP},
    {XK_Shift_L, VK_LSHIFT},
    {XK_Shift_R, VK_RSHIFT},
    {XK_Control_L, VK_LCONTROL},
    {XK_Control_R, VK_RCONTROL},
    {XK_Alt_L, VK_LMENU},
    {XK_Alt_R, VK_RMENU},
    {XK_Meta_L, VK_LMENU},
    // The third level's shift (AltGr, ISO_Level3_Shift or Mode_switch) has no virtual key: it is no Alt key,
    // it only picks the characters other keys type.
    {XK_Num_Lock, VK_NUMLOCK},
    {XK_Scroll_Lock, VK_SCROLL},
    {XK_KP_Multiply, VK_MULTIPLY},
    {XK_KP_Add, VK_ADD},
    {XK_KP_Separator, VK_SEPARATOR},
    {XK_KP_Subtract, VK_SUBTRACT},
    {XK_KP_Decimal, VK_DECIMAL},
    {XK_KP_Divide, VK_DIVIDE},
    // The number pad without Num Lock gives its movement keys.
    {XK_KP_Home, VK_HOME},
    {XK_KP_End, VK_END},
    {XK_KP_Prior, VK_PRIOR},
    {XK_KP_Next, VK_NEXT},
    {XK_KP_Left, VK_LEFT},
    {XK_KP_Right, VK_RIGHT},
    {XK_KP_Up, VK_UP},
    {XK_KP_Down, VK_DOWN},
    {XK_KP_Insert, VK_INSERT},
    {XK_KP_Delete, VK_DELETE},
    {XK_semicolon, VK_OEM_1},
    {XK_equal, VK_OEM_PLUS},
    {XK_comma, VK_OEM_COMMA},
    {XK_minus, VK_OEM_MINUS},
    {XK_period, VK_OEM_PERIOD},
    {XK_slash, VK_OEM_2},
    {XK_grave, VK_OEM_3},
    {XK_bracketleft, VK_OEM_4},
    {XK_backslash, VK_OEM_5},
    {XK_bracketright, VK_OEM_6},
    {XK_apostrophe, VK_OEM_7},
};

}  // namespace

unsigned long keysymOfKey(unsigned long first, unsigned long second, bool numLock, bool shift) {
  return IsKeypadKey(second) && numLock && !shift ? second : first;
}

bool movesOnTheNumberPad(unsigned long keysym) {
  return keysym >= XK_KP_Home && keysym <= XK_KP_Delete;
}

UINT virtualKeyOfKeysym(unsigned long keysym) {
  if (keysym >= XK_a && keysym <= XK_z) {
    return static_cast<UINT>('A' + (keysym - XK_a));
  }
  if (keysym >= XK_A && keysym <= XK_Z) {
    return static_cast<UINT>('A' + (keysym - XK_A));
  }
  if (keysym >= XK_0 && keysym <= XK_9) {
    return static_cast<UINT>('0' + (keysym - XK_0));
  }
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9) {
    return static_cast<UINT>(VK_NUMPAD0 + (keysym - XK_KP_0));
  }
  if (keysym >= XK_F1 && keysym <= XK_F24) {
    return static_cast<UINT>(VK_F1 + (keysym - XK_F1));
  }
  auto found = std::find_if(std::begin(kKeys), std::end(kKeys),
                            [keysym](const KeyPair& pair) { return pair.keysym == keysym; });
  return found == std::end(kKeys) ? 0 : found->virtualKey;
}

char32_t characterOfKeysym(unsigned long keysym) {
  constexpr unsigned long kUnicodeSymbols = 0x01000000;
  constexpr unsigned long kLastCodePoint = 0x10FFFF;
  unsigned long character = keysym;
  if (keysym >= kUnicodeSymbols && keysym <= kUnicodeSymbols + kLastCodePoint) {
    character = keysym - kUnicodeSymbols;
  } else if (keysym > 0xFF) {
    return 0;
  }
  bool control = character < 0x20 || (character >= 0x7F && character < 0xA0);
  bool surrogate = character >= 0xD800 && character <= 0xDFFF;
  return control || surrogate ? 0 : static_cast<char32_t>(character);
}

}  // namespace native
