#pragma once
// The virtual key of an X key symbol, as the X11 host reports keys to the desktop. The symbol is the key's
// unshifted one (index 0), so that Shift+1 is still the key '1' with Shift held.

#include "native/user/nativetypes.h"

namespace native {

// 0 for a symbol that has no virtual key.
UINT virtualKeyOfKeysym(unsigned long keysym);

}  // namespace native
