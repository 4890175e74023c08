#pragma once
// The virtual key of an X key symbol, as the X11 host reports keys to the desktop, and which of a key's
// symbols stands for it. Also the character a key symbol stands for, for a display without an input method.

#include "native/user/nativetypes.h"

namespace native {

// The symbol a key stands for, from its first two (without and with Shift), by Xlib's rule for the number
// pad: a key whose second symbol is a keypad one gives it while Num Lock is on and Shift is not held (the
// digits and the decimal sign), and its first otherwise (the moving keys). Any other key gives its first,
// so that Shift+1 is still the key '1' with Shift held.
unsigned long keysymOfKey(unsigned long first, unsigned long second, bool numLock, bool shift);

// Whether the symbol is one of the number pad's moving keys (Home to Delete without Num Lock), which type
// nothing, whatever an input method makes of Shift on the pad.
bool movesOnTheNumberPad(unsigned long keysym);

// 0 for a symbol that has no virtual key.
UINT virtualKeyOfKeysym(unsigned long keysym);

// The printable character a key symbol stands for without the help of a locale: the Latin-1 symbols are
// their characters, and a symbol of the Unicode range (0x01000000 and up) is the character it names. 0 for
// any other symbol and for control characters.
char32_t characterOfKeysym(unsigned long keysym);

}  // namespace native
