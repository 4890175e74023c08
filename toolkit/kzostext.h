// The narrow (8-bit) copy of a text for the operating system's narrow calls, made only when those calls are
// in use: the pointer is null otherwise, and the wide call takes the text as it is. A short text goes into
// one buffer that every non-private copy shares, so only one of those may be in use at a time.
#ifndef TOOLKIT_KZOSTEXT_H
#define TOOLKIT_KZOSTEXT_H

#include <cstddef>
#include <memory>

#include "framework/data/zaftypes.h"

class KZOSText {
 public:
  // The size of the shared buffer, and the longest text (in characters) it is used for.
  static constexpr std::size_t kSharedSize = 256;
  static constexpr std::size_t kSharedLength = 127;

  KZOSText(const ZafIChar* text, bool privateCopy);
  // The same, saying whether the narrow calls are in use.
  KZOSText(const ZafIChar* text, bool privateCopy, bool narrowCalls);
  KZOSText(const KZOSText&) = delete;
  KZOSText& operator=(const KZOSText&) = delete;

  // The narrow text ending with a 0 byte, or null.
  const char* Text() const { return text; }
  bool IsShared() const { return text == shared; }

 private:
  static char shared[kSharedSize];
  std::unique_ptr<char[]> own;
  const char* text = nullptr;
};

#endif
