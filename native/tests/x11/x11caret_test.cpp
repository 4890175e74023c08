#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>
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

// The two rows the field's row takes by turns once the caret blinks: the last four different rows read are
// one, the other, the one and the other again. Rows read before (a window still being filled, the field
// before the click) do not come back by turns. None when the row does not blink within the wait.
std::optional<std::pair<std::vector<int>, std::vector<int>>> blinkingRows(Display* display, Window window,
                                                                          int left, int right, int y) {
  std::vector<std::vector<int>> changes;
  for (int waited = 0; waited <= kX11WaitMs; waited += 20) {
    XSync(display, False);
    std::vector<int> row = darkColumns(display, window, left, right, y);
    if (changes.empty() || row != changes.back()) {
      changes.push_back(std::move(row));
    }
    const std::size_t last = changes.size() - 1;
    if (last >= 3 && changes[last] == changes[last - 2] && changes[last - 1] == changes[last - 3]) {
      return std::pair(changes[last - 1], changes[last]);
    }
    poll(nullptr, 0, 20);
  }
  return std::nullopt;
}

void checkOnDisplay(Display* display, Window window, X11TestProgram&) {
  // The test's own window system stays headless: it only computes where the program's field lies.
  setenv("KESTROVE_HEADLESS", "1", 1);
  RECT client = NonClientLayout::compute(WS_OVERLAPPEDWINDOW, 0, kFrame, 0).client;
  // A click right of the field's text puts the caret after it; the field's middle row crosses the text.
  const int left = client.left + kField.left + 1;
  const int right = client.left + kField.right - 1;
  const int y = client.top + (kField.top + kField.bottom) / 2;
  ClickAt(display, window, right - 10, y);
  // The row shows the text alone and the text with the caret by turns.
  const auto rows = blinkingRows(display, window, left, right, y);
  ASSERT_TRUE(rows.has_value()) << "the caret blinks";
  const auto& [first, second] = *rows;
  const std::vector<int>& without = first.size() < second.size() ? first : second;
  const std::vector<int>& with = first.size() < second.size() ? second : first;
  std::vector<int> caret;
  std::set_difference(with.begin(), with.end(), without.begin(), without.end(), std::back_inserter(caret));
  ASSERT_EQ(caret.size(), 1u) << "a bar one pixel wide";
  ASSERT_TRUE(std::includes(with.begin(), with.end(), without.begin(), without.end())) << "over the text";
  ASSERT_FALSE(without.empty()) << "the text shows";
  EXPECT_GT(caret.front(), without.back()) << "after the text";
}

}  // namespace

TEST(X11Caret, BlinksAfterTheTextOfTheClickedField) {
  RunOnVirtualDisplay([] { RunProgramSteps(KESTROVE_X11_DESKTOP_APP, "640x480", &checkOnDisplay); });
}

}  // namespace native::test
