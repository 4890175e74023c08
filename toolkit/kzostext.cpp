#include "toolkit/kzostext.h"

#include <cstring>
#include <string>

#include "foundation/ktime.h"
#include "framework/data/zafutf8.h"

char KZOSText::shared[KZOSText::kSharedSize];

KZOSText::KZOSText(const ZafIChar* text, bool privateCopy) : KZOSText(text, privateCopy, KNarrowApi()) {}

KZOSText::KZOSText(const ZafIChar* source, bool privateCopy, bool narrowCalls) {
  if (!narrowCalls || !source) {
    return;
  }
  // The narrow code set is UTF-8, where a character takes up to three bytes: the copy is sized from the
  // converted text, never from its length in characters.
  const std::u16string_view wide(source);
  const std::string narrow = ZafToUtf8(wide);
  const std::size_t size = narrow.size() + 1;
  char* target = shared;
  if (privateCopy || wide.size() > kSharedLength || size > kSharedSize) {
    own = std::make_unique<char[]>(size);
    target = own.get();
  }
  std::memcpy(target, narrow.c_str(), size);
  text = target;
}
