#include <gtest/gtest.h>

#include "native/host/x11keymap.h"
#include "native/user/virtualkeys.h"

// The key symbols' own numbers come from X's header, after ours.
#include <X11/keysym.h>

namespace native::test {

TEST(X11KeyMap, KeySymbolsBecomeTheirVirtualKeys) {
  struct Case {
    const char* name;
    unsigned long keysym;
    UINT expected;
  };
  const Case cases[] = {
      {"small letter", XK_a, 'A'},
      {"last letter", XK_z, 'Z'},
      {"capital letter", XK_Q, 'Q'},
      {"digit", XK_7, '7'},
      {"number pad digit", XK_KP_3, VK_NUMPAD0 + 3},
      {"first function key", XK_F1, VK_F1},
      {"F10 enters menus", XK_F10, VK_F10},
      {"last function key", XK_F24, VK_F24},
      {"left Alt", XK_Alt_L, VK_LMENU},
      {"right Control", XK_Control_R, VK_RCONTROL},
      {"Return", XK_Return, VK_RETURN},
      {"number pad Enter", XK_KP_Enter, VK_RETURN},
      {"Escape", XK_Escape, VK_ESCAPE},
      {"arrow", XK_Down, VK_DOWN},
      {"number pad arrow", XK_KP_Left, VK_LEFT},
      {"Delete", XK_Delete, VK_DELETE},
      {"number pad Delete, as Num Lock off gives it", XK_KP_Delete, VK_DELETE},
      {"punctuation", XK_comma, VK_OEM_COMMA},
      {"back tab is Tab", XK_ISO_Left_Tab, VK_TAB},
      {"no virtual key", XK_Multi_key, 0},
      {"no symbol", 0, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    EXPECT_EQ(virtualKeyOfKeysym(test.keysym), test.expected);
  }
}

TEST(X11KeyMap, KeySymbolsStandForTheirCharacters) {
  struct Case {
    const char* name;
    unsigned long keysym;
    char32_t expected;
  };
  const Case cases[] = {
      {"Latin-1 letter", XK_udiaeresis, U'\u00FC'},
      {"Unicode range, beyond 16 bits", 0x01000000 + 0x1F3C3, U'\U0001F3C3'},
      {"Unicode control character", 0x01000000 + 0x0085, 0},
      {"dead key", XK_dead_acute, 0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    EXPECT_EQ(characterOfKeysym(test.keysym), test.expected);
  }
}

}  // namespace native::test
