// Labels for native menus and buttons, which mark their hot key with "&" and show "&&" as one "&".
#ifndef FRAMEWORK_WIN32_ZAFMNEMONICTEXT_H
#define FRAMEWORK_WIN32_ZAFMNEMONICTEXT_H

#include <cstdint>
#include <memory>

#include "framework/data/zaftypes.h"

// A copy of the text with every "&" doubled and an "&" before the character at hotKeyIndex (nothing
// inserted for an index outside the text); null for a null text.
std::unique_ptr<ZafIChar[]> ZafMnemonicText(const ZafIChar* text, int32_t hotKeyIndex);

#endif
