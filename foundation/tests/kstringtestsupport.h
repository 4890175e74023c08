#pragma once
// Test support for KString: readable failure messages and short ways to build expected texts.

#include "foundation/kstring.h"

#include <ostream>

// gtest prints a KString as its UTF-8 text in quotes.
inline void PrintTo(const KString& text, std::ostream* out) {
  *out << '"' << text.ToUtf8() << '"';
}
