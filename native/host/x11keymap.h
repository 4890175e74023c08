#pragma once
// The virtual key of an X key symbol, as the X11 host reports keys to the desktop. The symbol is the key's
// unshifted one (index 0), so that Shift+1 is still the key '1' with Shift held. Also the character a key
// symbol stands for, for a display without an input method.

#include "native/user/nativetypes.h"

namespace native {

// 0 for a symbol that has no virtual key.
UINT virtualKeyOfKeysym(unsigned long keysym);

// The printable character a key symbol stands for without the help of a locale: the Latin-1 symbols are
// their characters, and a symbol of the Unicode range (0x01000000 and up) is the character it names. 0 for
// any other symbol and for control characters.
char32_t characterOfKeysym(unsigned long keysym);

}  // namespace native
