// The parts of the window object's event translation that depend only on the keyboard layout and the
// button state. They stand apart so that layouts with dead keys and swapped buttons, which the window
// system here does not offer, are translated by the same code.
#ifndef FRAMEWORK_WIN32_ZAFWINDOWOBJECTTRANSLATE_H
#define FRAMEWORK_WIN32_ZAFWINDOWOBJECTTRANSLATE_H

#include <cstdint>

#include "framework/data/zaftypes.h"
#include "native/user/nativetypes.h"

// The layout's character lookup, with the window system's ToAscii contract: the number of characters
// written, negative for a dead key (whose character is written and kept for the next key).
using ZafToAsciiFunction = int (*)(native::UINT virtualKey, native::UINT scanCode, const native::BYTE* state,
                                   native::WORD* characters, native::UINT flags);

// The character of a key in the keyboard state (256 bytes, 0x80 down, 0x01 toggled). Without Ctrl the
// character the host's keymap typed with the key (`typed`, 0 when it typed none) is the key's, or else
// the layout decides, and a dead key gives its own character and is looked up again so that it does not
// combine with the next key; a typed character beyond 16 bits gives 0. With Ctrl the key's unshifted
// character (0 when it has none), in lower case unless Shift is held. A code above one
// byte names no key and gives 0.
ZafIChar ZafKeyCharacter(native::UINT virtualKey, const native::BYTE* state, ZafToAsciiFunction toAscii,
                         char32_t typed);

// The raw code of the buttons held right now (0x100 left, 0x200 right, 0x400 middle) from the keys' state
// as the host reports it, which knows physical buttons only: with swapped buttons the physical right one
// is the logical left.
int32_t ZafHeldButtonsNow(bool swapped);

#endif
