#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <vector>

#include "native/native.h"
#include "native/user/nonclientlayout.h"
// Xlib's macros (None, True, False) come after every header of ours.
#include "native/tests/x11/x11testprogram.h"

#include <X11/Xutil.h>

namespace native::test {

namespace {

// Where the program puts its frame and, in the frame's client area, its bordered text field (see
// x11desktopapp.cpp).
constexpr RECT kFrame{20, 20, 420, 220};
constexpr RECT kField{10, 10, 370, 34};

// Whether each of red, green and blue is below half: text (drawn smooth) and the caret over the field's
// white.
bool dark(unsigned long pixel) {
  return (pixel & 0x808080) == 0;
}

// The columns of the row that are dark on the screen, left to right.
std::vector<int> darkColumns(Display* display, Window window, int left, int right, int y) {
  std::vector<int> columns;
  XImage* image =
      XGetImage(display, window, left, y, static_cast<unsigned>(right - left), 1, AllPlanes, ZPixmap);
  if (image == nullptr) {
    return columns;
  }
  for (int x = 0; x < right - left; ++x) {
    if (dark(XGetPixel(image, x, 0))) {
      columns.push_back(left + x);
    }
  }
  XDestroyImage(image);
  return columns;
}

// The row's dark columns once `shows` holds for them, read again until it does; the last read when it does
// not within the wait.
std::vector<int> rowThatShows(Display* display, Window window, int left, int right, int y,
                              const std::function<bool(const std::vector<int>&)>& shows) {
  std::vector<int> columns;
  for (int waited = 0; waited <= kX11WaitMs; waited += 20) {
    XSync(display, False);
    columns = darkColumns(display, window, left, right, y);
    if (shows(columns)) {
      break;
    }
    poll(nullptr, 0, 20);
  }
  return columns;
}

void checkOnDisplay(Display* display, Window window, X11TestProgram&) {
  // The test's own window system stays headless: it only computes where the program's field lies.
  setenv("KESTROVE_HEADLESS", "1", 1);
  RECT client = NonClientLayout::compute(WS_OVERLAPPEDWINDOW, 0, kFrame, 0).client;
  // A click right of the field's text puts the caret after it; the field's middle row crosses the text.
  const int left = client.left + kField.left + 1;
  const int right = client.left + kField.right - 1;
  const int y = client.top + (kField.top + kField.bottom) / 2;
  // The field's text once the window shows it (the server may fill the window a moment after the program
  // said it was ready; until then the row is all dark).
  const std::vector<int> text =
      rowThatShows(display, window, left, right, y, [&](const std::vector<int>& row) {
        return !row.empty() && static_cast<int>(row.size()) < (right - left) / 2;
      });
  ClickAt(display, window, right - 10, y);
  // The click has taken effect once the caret shows.
  const std::vector<int> withCaret =
      rowThatShows(display, window, left, right, y, [&](const std::vector<int>& row) { return row != text; });
  std::vector<int> caret;
  std::set_difference(withCaret.begin(), withCaret.end(), text.begin(), text.end(),
                      std::back_inserter(caret));
  ASSERT_EQ(caret.size(), 1u) << "a bar one pixel wide";
  ASSERT_TRUE(std::includes(withCaret.begin(), withCaret.end(), text.begin(), text.end())) << "over the text";
  EXPECT_GT(caret.front(), text.back()) << "after the text";
  // It blinks: the text alone, then the caret again, and nothing else between.
  for (const std::vector<int>& wanted : {text, withCaret}) {
    EXPECT_EQ(rowThatShows(display, window, left, right, y,
                           [&](const std::vector<int>& row) {
                             return row == wanted || (row != text && row != withCaret);
                           }),
              wanted)
        << "the caret blinks";
  }
}

}  // namespace

TEST(X11Caret, BlinksAfterTheTextOfTheClickedField) {
  RunOnVirtualDisplay([] { RunProgramSteps(KESTROVE_X11_DESKTOP_APP, "640x480", &checkOnDisplay); });
}

}  // namespace native::test
