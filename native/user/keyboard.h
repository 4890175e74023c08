#pragma once
// The keyboard state and the US layout. Three states are kept: the state as of the last key message the
// program took from its queue (GetKeyState, GetKeyboardState, TranslateMessage), the state as of the last
// input the loop turned into a message (what the messages are routed and flagged by), and the state of the
// keys right now, as the host reported them (GetAsyncKeyState). Input is turned into messages when it is
// taken, and a look ahead through queued input reads each key with the keys held when it was typed. Bit 0x80
// of a key's byte is "down", bit 0x01 "toggled" (flips on every press; Caps Lock and Num Lock read it).

#include <array>

#include "native/user/nativetypes.h"

namespace native {

class Keyboard {
 public:
  // The host reports a key or button. Shift, Ctrl and Alt are kept for each side (the generic code counts
  // as the left key), and the generic one is down while either side is.
  void hostKey(UINT virtualKey, bool down);
  // The loop takes a key or button from the host input; answers whether that key was down before. A
  // button, and a key that becomes no message (a disabled window's, a frame drag's), is taken by the
  // program at once.
  bool takeKey(UINT virtualKey, bool down);
  void keyWithoutMessage(UINT virtualKey, bool down) { apply(takenState_, virtualKey, down); }
  // The program takes a message from its queue: a key message's key goes down or up.
  void takeMessage(const MSG& message);
  // The state as of the last key message taken is put back, after a look ahead in the queue.
  void restoreTaken(const std::array<BYTE, 256>& state) { takenState_ = state; }
  const std::array<BYTE, 256>& routedState() const { return routedState_; }
  void restoreRouted(const std::array<BYTE, 256>& state) { routedState_ = state; }

  // Alt went down last with no other key or button pressed since, whoever took that key or press: letting
  // Alt go then enters the menu bar. Holding Alt, its repeats keep it alone; the other Alt key's press is
  // another key, and a release whose press the program never took leaves Alt alone no more.
  bool altAlone() const { return altAlone_; }
  // The menu bar was entered or a menu began: the same Alt release enters nothing more.
  void clearAltAlone() { altAlone_ = false; }

  bool isDown(UINT virtualKey) const { return (takenState_[virtualKey & 0xFF] & 0x80) != 0; }
  bool isToggled(UINT virtualKey) const { return (takenState_[virtualKey & 0xFF] & 0x01) != 0; }
  bool isDownRouted(UINT virtualKey) const { return (routedState_[virtualKey & 0xFF] & 0x80) != 0; }
  bool isDownNow(UINT virtualKey) const { return (hostState_[virtualKey & 0xFF] & 0x80) != 0; }
  bool isToggledNow(UINT virtualKey) const { return (hostState_[virtualKey & 0xFF] & 0x01) != 0; }
  const std::array<BYTE, 256>& state() const { return takenState_; }

  static UINT genericKey(UINT virtualKey);
  // The left or right code of Shift, Ctrl or Alt; the generic code counts as the left one. Every other
  // key is its own.
  static UINT sidedKey(UINT virtualKey);

 private:
  static void apply(std::array<BYTE, 256>& state, UINT virtualKey, bool down);

  std::array<BYTE, 256> takenState_{};
  std::array<BYTE, 256> routedState_{};
  std::array<BYTE, 256> hostState_{};
  bool altAlone_ = false;
};

// The character a key gives on the US layout, shifted or not; 0 when it gives none.
char16_t usLayoutCharacter(UINT virtualKey, bool shifted);

// A key message of a right-hand Shift, Ctrl or Alt carries the extended-key bit in its lParam, so that its
// taking knows the side its generic code leaves out.
inline constexpr LPARAM kRightHandKeyBit = LPARAM{1} << 24;

// A key-down whose character the host's keymap typed carries it in its lParam, above the 32 bits the key
// message's own fields use, so that it stays with the message through every window procedure it is passed
// to. The character is a whole code point; 0 when the message carries none.
LPARAM withTypedCharacter(LPARAM keyBits, char32_t character);
char32_t typedCharacter(LPARAM keyBits);

SHORT GetKeyState(int virtualKey);
SHORT GetAsyncKeyState(int virtualKey);
BOOL GetKeyboardState(BYTE* state);
// The characters of a key in the given keyboard state (US layout, no dead keys): Shift and Caps Lock choose
// the case, Ctrl makes control characters. Answers the number of characters written (0 or 1).
int ToAscii(UINT virtualKey, UINT scanCode, const BYTE* state, WORD* characters, UINT flags);
inline constexpr UINT MAPVK_VK_TO_CHAR = 2;
// Only MAPVK_VK_TO_CHAR is known: the unshifted character, letters in upper case, 0 when none. Other mapping
// types answer 0 (the window system has no scan codes).
UINT MapVirtualKey(UINT code, UINT mapType);

}  // namespace native
