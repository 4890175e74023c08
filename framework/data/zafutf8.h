// UTF-8 for the names handed to the operating system: file names, paths and environment text.
#ifndef FRAMEWORK_DATA_ZAFUTF8_H
#define FRAMEWORK_DATA_ZAFUTF8_H

#include <string>
#include <string_view>

#include "framework/data/zaftypes.h"

// A lone surrogate becomes U+FFFD.
std::string ZafToUtf8(std::u16string_view text);
// Each byte that does not start a valid sequence becomes U+FFFD.
std::u16string ZafFromUtf8(std::string_view text);

#endif
