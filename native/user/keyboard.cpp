#include "native/user/keyboard.h"

#include <cstdint>

#include "native/user/messages.h"
#include "native/user/virtualkeys.h"
#include "native/user/windowsystem.h"

namespace native {

UINT Keyboard::genericKey(UINT virtualKey) {
  switch (virtualKey) {
    case VK_LSHIFT:
    case VK_RSHIFT:
      return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
      return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
      return VK_MENU;
    default:
      return virtualKey & 0xFF;
  }
}

UINT Keyboard::sidedKey(UINT virtualKey) {
  switch (virtualKey) {
    case VK_SHIFT:
      return VK_LSHIFT;
    case VK_CONTROL:
      return VK_LCONTROL;
    case VK_MENU:
      return VK_LMENU;
    default:
      return virtualKey & 0xFF;
  }
}

namespace {

// A key byte goes down (toggling when it was up) or up.
void setDown(BYTE& key, bool down) {
  if (down) {
    if ((key & 0x80) == 0) {
      key ^= 0x01;
    }
    key |= 0x80;
  } else {
    key &= static_cast<BYTE>(~0x80);
  }
}

}  // namespace

void Keyboard::apply(std::array<BYTE, 256>& state, UINT virtualKey, bool down) {
  UINT own = sidedKey(virtualKey);
  UINT generic = genericKey(virtualKey);
  setDown(state[own], down);
  if (own != generic) {
    // The generic modifier is down while either of its keys is: the left code lies just below the right.
    UINT left = own & ~1u;
    setDown(state[generic], ((state[left] | state[left + 1]) & 0x80) != 0);
  }
}

void Keyboard::hostKey(UINT virtualKey, bool down) {
  apply(hostState_, virtualKey, down);
}

bool Keyboard::takeKey(UINT virtualKey, bool down) {
  UINT key = genericKey(virtualKey);
  bool wasDown = isDownRouted(sidedKey(virtualKey));
  if (down && !(key == VK_MENU && wasDown)) {
    // A press of Alt with neither Alt key down starts it alone; its repeats keep it so, and any other
    // key or button pressed ends that, the other Alt key included.
    altAlone_ = key == VK_MENU && !isDownRouted(VK_MENU);
  } else if (!down && key == VK_MENU && !wasDown) {
    altAlone_ = false;  // the press went to another program
  }
  apply(routedState_, virtualKey, down);
  if (virtualKey == VK_LBUTTON || virtualKey == VK_RBUTTON || virtualKey == VK_MBUTTON) {
    keyWithoutMessage(virtualKey, down);
  }
  return wasDown;
}

void Keyboard::takeMessage(const MSG& message) {
  const UINT kind = message.message;
  if (kind != WM_KEYDOWN && kind != WM_SYSKEYDOWN && kind != WM_KEYUP && kind != WM_SYSKEYUP) {
    return;
  }
  UINT key = static_cast<UINT>(message.wParam) & 0xFF;
  if ((message.lParam & kRightHandKeyBit) != 0 && key != sidedKey(key)) {
    key = sidedKey(key) + 1;  // the right code lies just above the left
  }
  apply(takenState_, key, kind == WM_KEYDOWN || kind == WM_SYSKEYDOWN);
}

char16_t usLayoutCharacter(UINT virtualKey, bool shifted) {
  static constexpr char16_t kDigitsShifted[] = u")!@#$%^&*(";
  struct Punctuation {
    UINT key;
    char16_t plain;
    char16_t shifted;
  };
  static constexpr Punctuation kPunctuation[] = {
      {VK_OEM_1, u';', u':'},      {VK_OEM_PLUS, u'=', u'+'},
      {VK_OEM_COMMA, u',', u'<'},  {VK_OEM_MINUS, u'-', u'_'},
      {VK_OEM_PERIOD, u'.', u'>'}, {VK_OEM_2, u'/', u'?'},
      {VK_OEM_3, u'`', u'~'},      {VK_OEM_4, u'[', u'{'},
      {VK_OEM_5, u'\\', u'|'},     {VK_OEM_6, u']', u'}'},
      {VK_OEM_7, u'\'', u'"'},     {VK_SPACE, u' ', u' '},
      {VK_RETURN, u'\r', u'\r'},   {VK_BACK, 8, 8},
      {VK_TAB, u'\t', u'\t'},      {VK_ESCAPE, 0x1B, 0x1B},
      {VK_MULTIPLY, u'*', u'*'},   {VK_ADD, u'+', u'+'},
      {VK_SUBTRACT, u'-', u'-'},   {VK_DECIMAL, u'.', u'.'},
      {VK_DIVIDE, u'/', u'/'},
  };
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    return static_cast<char16_t>(shifted ? virtualKey : virtualKey + 32);
  }
  if (virtualKey >= '0' && virtualKey <= '9') {
    return shifted ? kDigitsShifted[virtualKey - '0'] : static_cast<char16_t>(virtualKey);
  }
  if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) {
    return static_cast<char16_t>(u'0' + (virtualKey - VK_NUMPAD0));
  }
  for (const Punctuation& entry : kPunctuation) {
    if (entry.key == virtualKey) {
      return shifted ? entry.shifted : entry.plain;
    }
  }
  return 0;
}

static_assert(sizeof(LPARAM) >= 8, "a key message's lParam has room above its 32 bits for a character");

constexpr int kTypedCharacterShift = 32;

LPARAM withTypedCharacter(LPARAM keyBits, char32_t character) {
  return static_cast<LPARAM>(static_cast<std::uint64_t>(static_cast<DWORD>(keyBits)) |
                             (static_cast<std::uint64_t>(character) << kTypedCharacterShift));
}

char32_t typedCharacter(LPARAM keyBits) {
  return static_cast<char32_t>(static_cast<std::uint64_t>(keyBits) >> kTypedCharacterShift);
}

namespace {

// Ctrl with a key gives the control character of its unshifted character, where it has one.
char16_t controlCharacter(UINT virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') {
    return static_cast<char16_t>(virtualKey - 'A' + 1);
  }
  switch (virtualKey) {
    case VK_OEM_4:
      return 0x1B;
    case VK_OEM_5:
      return 0x1C;
    case VK_OEM_6:
      return 0x1D;
    case VK_RETURN:
      return u'\n';
    case VK_BACK:
      return 0x7F;
    case VK_SPACE:
      return u' ';
    case VK_ESCAPE:
      return 0x1B;
    default:
      return 0;
  }
}

SHORT keyWord(bool down, bool toggled) {
  return static_cast<SHORT>((down ? 0x8000 : 0) | (toggled ? 0x0001 : 0));
}

}  // namespace

SHORT GetKeyState(int virtualKey) {
  const Keyboard& keyboard = WindowSystem::get().keyboard();
  UINT key = static_cast<UINT>(virtualKey) & 0xFF;
  return keyWord(keyboard.isDown(key), keyboard.isToggled(key));
}

SHORT GetAsyncKeyState(int virtualKey) {
  return keyWord(WindowSystem::get().keyboard().isDownNow(static_cast<UINT>(virtualKey) & 0xFF), false);
}

BOOL GetKeyboardState(BYTE* state) {
  if (state == nullptr) {
    return FALSE;
  }
  const auto& keys = WindowSystem::get().keyboard().state();
  std::copy(keys.begin(), keys.end(), state);
  return TRUE;
}

int ToAscii(UINT virtualKey, UINT, const BYTE* state, WORD* characters, UINT) {
  if (state == nullptr || characters == nullptr || virtualKey > 0xFF) {
    return 0;
  }
  bool control = (state[VK_CONTROL] & 0x80) != 0;
  bool alt = (state[VK_MENU] & 0x80) != 0;
  char16_t character = 0;
  if (control && alt) {
    character = 0;  // Ctrl+Alt is the alternate-graphics shift, which the US layout does not use
  } else if (control) {
    character = controlCharacter(virtualKey);
  } else {
    bool shifted = (state[VK_SHIFT] & 0x80) != 0;
    if (virtualKey >= 'A' && virtualKey <= 'Z' && (state[VK_CAPITAL] & 0x01) != 0) {
      shifted = !shifted;
    }
    character = usLayoutCharacter(virtualKey, shifted);
  }
  if (character == 0) {
    return 0;
  }
  characters[0] = character;
  return 1;
}

UINT MapVirtualKey(UINT code, UINT mapType) {
  if (mapType != MAPVK_VK_TO_CHAR || code > 0xFF) {
    return 0;
  }
  char16_t character = usLayoutCharacter(code, false);
  return (character >= u'a' && character <= u'z') ? character - 32u : character;
}

}  // namespace native
