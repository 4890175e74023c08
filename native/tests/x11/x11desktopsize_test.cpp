#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "native/host/x11host.h"

// Xlib's macros (None, True, False) come after every header of ours.
#include "native/tests/x11/x11testprogram.h"

#include <X11/Xatom.h>

namespace native::test {

namespace {

constexpr const char* kScreen = "1024x768x24";
constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

struct Place {
  int x;
  int y;
  int width;
  int height;
};

Place placeOf(Display* display, Window window) {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, window, &attributes);
  int x = 0;
  int y = 0;
  Window child = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
  return Place{x, y, attributes.width, attributes.height};
}

// Announces a work area on the root window as a window manager does (x, y, width, height), or takes it away.
void setWorkArea(Display* display, const std::optional<Place>& area) {
  Atom property = XInternAtom(display, "_NET_WORKAREA", False);
  if (!area) {
    XDeleteProperty(display, DefaultRootWindow(display), property);
  } else {
    long values[] = {area->x, area->y, area->width, area->height};
    XChangeProperty(display, DefaultRootWindow(display), property, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(values), 4);
  }
  XSync(display, False);
}

void checkOnDisplay() {
  Display* display = nullptr;
  OpenDisplayWithXTest(display);
  if (display == nullptr) {
    return;
  }
  struct Case {
    const char* name;
    const char* desktopSize;
    std::optional<Place> workArea;
    const char* ready;
    Place window;
  };
  const std::vector<Case> cases = {
      {"the screen below a title bar", nullptr, std::nullopt, "ready 1024 736", {0, 0, 1024, 736}},
      {"the work area", nullptr, Place{0, 24, 1024, 700}, "ready 1024 700", {0, 24, 1024, 700}},
      {"the size asked for", "640x480", Place{0, 24, 1024, 700}, "ready 640 480", {0, 0, 640, 480}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    setWorkArea(display, c.workArea);
    X11TestProgram program(KESTROVE_X11_DESKTOP_APP, c.desktopSize);
    ASSERT_TRUE(program.started());
    EXPECT_EQ(program.expectLine("ready"), std::optional<std::string>(c.ready));
    Window window = WaitForWindowNamed(display, X11Host::kTitle);
    ASSERT_NE(window, 0u) << "no X window titled " << X11Host::kTitle;
    Place place = placeOf(display, window);
    EXPECT_EQ(place.x, c.window.x);
    EXPECT_EQ(place.y, c.window.y);
    EXPECT_EQ(place.width, c.window.width);
    EXPECT_EQ(place.height, c.window.height);
    EXPECT_LE(place.x + place.width, kScreenWidth);
    EXPECT_LE(place.y + place.height, kScreenHeight);
    ExpectCloseEndsProgram(display, window, program);
  }
  XCloseDisplay(display);
}

}  // namespace

TEST(X11Desktop, FitsTheScreenUnlessASizeIsAsked) {
  RunOnVirtualDisplay(&checkOnDisplay, kScreen);
}

}  // namespace native::test
