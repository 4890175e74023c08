// A menu or button label read for its mnemonic: '&' marks the character that follows as the mnemonic,
// "&&" stands for one '&'. Only the first marked character counts; a '&' at the very end is dropped.
#ifndef TOOLKIT_KZHOTKEYTEXT_H
#define TOOLKIT_KZHOTKEYTEXT_H

#include <cstdint>
#include <string>

class KZHotKeyText {
 public:
  explicit KZHotKeyText(const char16_t* label);

  // The label without its marks.
  std::u16string text;
  // The mnemonic character, 0 when none.
  char16_t key = 0;
  // Its index in `text`, -1 when none.
  int32_t keyPosition = -1;
};

#endif
