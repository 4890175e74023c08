#include <gtest/gtest.h>
#include <poll.h>

#include <optional>
#include <string>

#include "native/host/x11host.h"
#include "native/native.h"
#include "native/user/nonclientlayout.h"

// Xlib's macros (None, True, False) come after every header of ours.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include "native/tests/x11/x11testprogram.h"

namespace native::test {

namespace {

constexpr int kDesktopWidth = 640;
constexpr int kDesktopHeight = 480;
constexpr RECT kFrame{40, 30, 440, 330};  // where the program puts its frame
constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE;

COLORREF colourOf(unsigned long pixel) {
  return RGB(static_cast<BYTE>(pixel >> 16), static_cast<BYTE>(pixel >> 8), static_cast<BYTE>(pixel));
}

// The share of a rectangle's pixels on the X window that have the colour, 0 to 1.
double shareOf(Display* display, Window window, const RECT& area, COLORREF colour) {
  XImage* image =
      XGetImage(display, window, area.left, area.top, static_cast<unsigned>(area.right - area.left),
                static_cast<unsigned>(area.bottom - area.top), AllPlanes, ZPixmap);
  if (image == nullptr) {
    return 0;
  }
  int matching = 0;
  for (int y = 0; y < area.bottom - area.top; ++y) {
    for (int x = 0; x < area.right - area.left; ++x) {
      matching += colourOf(XGetPixel(image, x, y)) == colour ? 1 : 0;
    }
  }
  XDestroyImage(image);
  return static_cast<double>(matching) / ((area.right - area.left) * (area.bottom - area.top));
}

// The share once the program's window shows it: the program says "ready" when its desktop is drawn, but the
// X server may map and fill the window a moment later on a busy machine, so the share is read again until it
// passes `wanted` or the wait is over.
double settledShareOf(Display* display, Window window, const RECT& area, COLORREF colour, double wanted) {
  double share = 0;
  for (int waited = 0; waited <= kX11WaitMs; waited += 20) {
    XSync(display, False);
    share = shareOf(display, window, area, colour);
    if (share > wanted) {
      break;
    }
    poll(nullptr, 0, 20);
  }
  return share;
}

// The whole check, run where DISPLAY names a display.
// The pixels of the pointer's shape where it is now.
std::vector<unsigned long> pointerPixels(Display* display) {
  XFixesCursorImage* image = XFixesGetCursorImage(display);
  if (image == nullptr) {
    return {};
  }
  std::vector<unsigned long> pixels(image->pixels, image->pixels + image->width * image->height);
  XFree(image);
  return pixels;
}

// The pointer's shape once it is not `before`, or `before` when the wait is over.
std::vector<unsigned long> changedPointerPixels(Display* display, const std::vector<unsigned long>& before) {
  std::vector<unsigned long> now = before;
  for (int waited = 0; waited <= kX11WaitMs && now == before; waited += 20) {
    poll(nullptr, 0, 20);
    now = pointerPixels(display);
  }
  return now;
}

void checkOnDisplay(Display* display, Window window, X11TestProgram& program) {
  // The test's own window system stays headless: it only computes where the program's frame lies.
  setenv("KESTROVE_HEADLESS", "1", 1);
  NonClientLayout layout = NonClientLayout::compute(kFrameStyle, 0, kFrame, GetSystemMetrics(SM_CYMENU));
  RECT captionBand{layout.caption.left + 60, layout.caption.top + 1, layout.minimizeBox.left - 4,
                   layout.caption.top + 3};
  RECT barBand{layout.menuBar.left + 60, layout.menuBar.top + 2, layout.menuBar.right - 4,
               layout.menuBar.bottom - 2};
  RECT outside{kFrame.right + 10, kFrame.top, kDesktopWidth - 10, kDesktopHeight - 10};
  EXPECT_GT(settledShareOf(display, window, captionBand, GetSysColor(COLOR_ACTIVECAPTION), 0.9), 0.9);
  EXPECT_GT(settledShareOf(display, window, barBand, GetSysColor(COLOR_MENU), 0.9), 0.9);
  EXPECT_GT(settledShareOf(display, window, outside, GetSysColor(COLOR_BACKGROUND), 0.9), 0.9);

  // A click and a key reach the frame with the program waiting: nothing but the X connection wakes it (its
  // one timer is a minute away).
  ClickAt(display, window, (layout.client.left + layout.client.right) / 2, layout.client.top + 50);
  TypeText(display, window, "a");
  std::string clickLine = "click " + std::to_string((layout.client.right - layout.client.left) / 2) + " 50";
  EXPECT_TRUE(program.expectLine(clickLine));
  EXPECT_TRUE(program.expectLine("key 65"));

  // The pointer over the window takes the shape the program sets.
  int eventBase = 0;
  int errorBase = 0;
  if (XFixesQueryExtension(display, &eventBase, &errorBase)) {
    const std::vector<unsigned long> arrow = pointerPixels(display);
    TypeText(display, window, "w");
    EXPECT_TRUE(program.expectLine("char 77"));
    EXPECT_TRUE(changedPointerPixels(display, arrow) != arrow) << "the pointer kept its shape";
  }

  // The menu: "File", then "New".
  int barMiddle = (layout.menuBar.top + layout.menuBar.bottom) / 2;
  ClickAt(display, window, layout.menuBar.left + 10, barMiddle);
  ClickAt(display, window, layout.menuBar.left + 20, layout.menuBar.bottom + 10);
  EXPECT_TRUE(program.expectLine("command 101"));
}

// A key the keymap gives an accented letter, a dead key and the letter after it, a key beyond 16 bits (as
// its two UTF-16 halves), and a key's third and fourth levels through AltGr type their characters: the
// program's next character lines.
void checkTyping(Display* display, Window window, X11TestProgram& program) {
  constexpr KeySym kRunner = 0x01000000 + 0x1F3C3;
  SpareKeys spare(display,
                  {{XK_udiaeresis}, {XK_dead_acute}, {kRunner}, {XK_l, XK_L, XK_lstroke, XK_Lstroke}});
  TypeKeysyms(display, window, {XK_udiaeresis, XK_dead_acute, XK_e, kRunner, XK_Lstroke, XK_lstroke});
  for (const char* wanted : {"char fc", "char e9", "char d83c", "char dfc3", "char 141", "char 142"}) {
    std::optional<std::string> line;
    do {
      line = program.readLine(kX11WaitMs);
    } while (line && line->rfind("char ", 0) != 0);
    ASSERT_EQ(line, std::optional<std::string>(wanted));
  }
}

// What the program reported for the keys sent since the last call, up to the marker key A's character: its
// keys and characters, but neither Shift, Num Lock nor the marker's own key.
std::string reportedUpToMarker(X11TestProgram& program) {
  std::string reported;
  while (std::optional<std::string> line = program.readLine(kX11WaitMs)) {
    if (*line == "char 61") {
      break;
    }
    if (*line != "key 16" && *line != "key 144" && *line != "key 65") {
      reported += (reported.empty() ? "" : " ") + *line;
    }
  }
  return reported;
}

// Lets Shift pick the number pad's digits while Num Lock is off, as the pad of many desktops' keymaps does
// (the server's own pad gives them with Num Lock only). A program reads it when it starts.
void letShiftPickPadDigits(Display* display) {
  XkbDescPtr keyboard = XkbGetMap(display, XkbKeyTypesMask, XkbUseCoreKbd);
  XkbGetNames(display, XkbKeyTypeNamesMask, keyboard);
  const Atom keypad = XInternAtom(display, "KEYPAD", False);
  for (int type = 0; type < keyboard->map->num_types; ++type) {
    XkbKeyTypePtr pad = &keyboard->map->types[type];
    if (pad->name == keypad && XkbResizeKeyType(keyboard, type, pad->map_count + 1, False, 2) == Success) {
      XkbKTMapEntryRec& shift = pad->map[pad->map_count - 1];
      shift.active = True;
      shift.level = 1;
      shift.mods.mask = ShiftMask;
      shift.mods.real_mods = ShiftMask;
      shift.mods.vmods = 0;
    }
  }
  XkbSetMap(display, XkbKeyTypesMask, keyboard);
  XkbFreeKeyboard(keyboard, 0, True);
  XSync(display, False);
}

// Moves the Num Lock key from the second modifier to the third, as another keymap may have it.
void moveNumLockToMod3(Display* display) {
  const KeyCode numLock = XKeysymToKeycode(display, XK_Num_Lock);
  XModifierKeymap* modifiers = XGetModifierMapping(display);
  modifiers = XDeleteModifiermapEntry(modifiers, numLock, Mod2MapIndex);
  modifiers = XInsertModifiermapEntry(modifiers, numLock, Mod3MapIndex);
  XSetModifierMapping(display, modifiers);
  XFreeModifiermap(modifiers);
  XSync(display, False);
}

// The number pad types its digits and decimal signs while Num Lock is on and Shift is not held; otherwise
// its keys are the moving keys, which type nothing, though the keymap gives the digits with Shift alone.
// Num Lock is found on whichever modifier the keymap gives it.
void checkNumberPad(Display* display, Window window, X11TestProgram& program) {
  SpareKeys spare(display, {{XK_KP_Delete, XK_KP_Separator}});
  struct Row {
    // A change of the keymap before the row, kept for the rows after it (Num Lock off while it changes).
    void (*keymap)(Display*);
    bool numLock;
    bool shift;
    KeySym key;  // the pad key's symbol with Num Lock
    const char* reported;
  };
  const Row rows[] = {
      {nullptr, false, false, XK_KP_1, "key 35"},  // End
      {nullptr, false, true, XK_KP_1, "key 35"},
      {nullptr, true, false, XK_KP_1, "key 97 char 31"},  // the pad's 1
      {nullptr, true, true, XK_KP_1, "key 35"},
      {nullptr, true, false, XK_KP_0, "key 96 char 30"},  // the pad's 0
      {nullptr, true, false, XK_KP_Decimal, "key 110 char 2e"},
      {nullptr, true, false, XK_KP_Separator, "key 108 char 2c"},
      {nullptr, false, false, XK_KP_Decimal, "key 46"},  // Delete
      {&moveNumLockToMod3, true, false, XK_KP_5, "key 101 char 35"},
  };
  bool numLockOn = false;
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(XKeysymToString(row.key)) + (row.numLock ? ", Num Lock" : "") +
                 (row.shift ? ", Shift" : ""));
    if (row.keymap != nullptr) {
      row.keymap(display);
    }
    if (row.numLock != numLockOn) {
      TypeKeysyms(display, window, {XK_Num_Lock});
      numLockOn = row.numLock;
    }
    TypeOnNumberPad(display, window, {row.key}, row.shift);
    TypeText(display, window, "a");
    EXPECT_EQ(reportedUpToMarker(program), row.reported);
  }
}

}  // namespace

TEST(X11Host, KeysTypeTheCharactersTheKeymapGives) {
  RunOnVirtualDisplay([] {
    // Without a locale, as a virtual server started by a build machine may have it.
    setenv("LC_ALL", "C", 1);
    // Xlib's own input method, and the same when the one the environment names does not run.
    for (const char* modifiers : {"", "@im=nonesuch"}) {
      SCOPED_TRACE(modifiers);
      setenv("XMODIFIERS", modifiers, 1);
      RunProgramSteps(KESTROVE_X11_SMOKE_APP, "640x480", &checkTyping);
    }
  });
}

TEST(X11Host, NumberPadTypesDigitsWithNumLockAndMovesWithout) {
  RunOnVirtualDisplay([] {
    Display* display = nullptr;
    OpenDisplayWithXTest(display);
    if (display != nullptr) {
      letShiftPickPadDigits(display);
      XCloseDisplay(display);
      RunProgramSteps(KESTROVE_X11_SMOKE_APP, "640x480", &checkNumberPad);
    }
  });
}

TEST(X11Host, ShowsTheDesktopAndTakesKeysAndClicks) {
  // The window's close button closes the frame, and with it the program.
  RunOnVirtualDisplay([] { RunProgramSteps(KESTROVE_X11_SMOKE_APP, "640x480", &checkOnDisplay); });
}

}  // namespace native::test
