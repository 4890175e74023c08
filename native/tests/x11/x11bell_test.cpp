#include <gtest/gtest.h>
#include <poll.h>

// Xlib's macros (None, True, False) come after every header of ours.
#include "native/tests/x11/x11testprogram.h"

#include <X11/XKBlib.h>

namespace native::test {

namespace {

// Waits for the server to announce a bell rung by any client; the events of XKB come at `xkbEventBase`.
bool bellNotified(Display* display, int xkbEventBase) {
  for (int waited = 0; waited <= kX11WaitMs; waited += 20) {
    while (XPending(display) > 0) {
      XkbEvent event{};
      XNextEvent(display, &event.core);
      if (event.type == xkbEventBase && event.any.xkb_type == XkbBellNotify) {
        return true;
      }
    }
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, 20);
  }
  return false;
}

void checkOnDisplay(Display* display, Window window, X11TestProgram& program) {
  int opcode = 0;
  int eventBase = 0;
  int errorBase = 0;
  int major = XkbMajorVersion;
  int minor = XkbMinorVersion;
  if (XkbQueryExtension(display, &opcode, &eventBase, &errorBase, &major, &minor) == False) {
    GTEST_SKIP() << "the X server has no XKB extension";
  }
  XkbSelectEvents(display, XkbUseCoreKbd, XkbBellNotifyMask, XkbBellNotifyMask);
  TypeText(display, window, "b");
  ASSERT_TRUE(program.expectLine("beeped"));
  EXPECT_TRUE(bellNotified(display, eventBase)) << "no bell reached the X server";
}

}  // namespace

TEST(X11Bell, ABeepRingsTheDisplaysBell) {
  RunOnVirtualDisplay([] { RunProgramSteps(KESTROVE_X11_DESKTOP_APP, "640x480", &checkOnDisplay); });
}

}  // namespace native::test
