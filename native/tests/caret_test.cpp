#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "native/tests/controlharness.h"
#include "native/user/windowsystem.h"

namespace native::test {

namespace {

constexpr RECT kFieldRect{10, 10, 210, 34};
constexpr int kMiddleRow = 22;

// The first column of the field's middle row where the desktop differs from the window's own pixels: the
// caret the compositor draws over them; -1 when there is none.
int caretColumn(const ControlHarness& h) {
  const Surface& own = *WindowSystem::get().windows().find(h.parent)->surface;
  for (int x = kFieldRect.left; x < kFieldRect.right; ++x) {
    if (pixelOf(h.driver.pixel(x, kMiddleRow)) != own.pixel(x, kMiddleRow)) {
      return x;
    }
  }
  return -1;
}

}  // namespace

TEST(Caret, BlinksAtTheInsertionPointOfTheFocusedFieldAndSendsOnlyItself) {
  // Pixels sent to a display after the step, the span of the old and the new caret where it moves (the
  // line is 14 pixels high); -1 where the field's own drawing changes too.
  constexpr long kAnything = -1;
  // The column is not looked at while a window covers the field.
  constexpr int kCovered = -2;
  HWND cover = nullptr;
  struct Step {
    const char* name;
    std::function<void(ControlHarness&, HWND)> act;
    int column;
    long sent;
  };
  auto wait = [](std::uint64_t ms) { return [ms](ControlHarness& h, HWND) { h.driver.advanceClock(ms); }; };
  auto key = [](UINT virtualKey) {
    return [virtualKey](ControlHarness& h, HWND) { h.driver.pressKey(virtualKey); };
  };
  const Step steps[] = {
      {"focus", [](ControlHarness&, HWND edit) { SetFocus(edit); }, 10, kAnything},
      {"still on", wait(529), 10, 0},
      {"blinks off", wait(1), -1, 14},
      {"blinks on", wait(530), 10, 14},
      {"typing", [](ControlHarness& h, HWND) { h.driver.typeText(u"ab"); }, 24, kAnything},
      {"home", key(VK_HOME), 10, kAnything},
      {"end", key(VK_END), 24, kAnything},
      {"left", key(VK_LEFT), 17, 8 * 14},
      {"click", [](ControlHarness& h, HWND) { h.driver.click(150, kMiddleRow); }, 24, 8 * 14},
      {"off again", wait(530), -1, 14},
      {"on again", wait(530), 24, 14},
      {"covered",
       [&](ControlHarness& h, HWND) {
         cover = h.spy.createTopLevel(RECT{0, 0, 300, 100}, WS_POPUP);
         ShowWindow(cover, SW_SHOWNA);
       },
       kCovered, kAnything},
      {"blinks under the cover", wait(530), kCovered, 0},
      {"uncovered", [&](ControlHarness&, HWND) { DestroyWindow(cover); }, -1, kAnything},
      {"on after the cover", wait(530), 24, 14},
      {"focus leaves", [](ControlHarness& h, HWND) { SetFocus(h.parent); }, -1, kAnything},
      {"no blink without focus", wait(1060), -1, 0},
  };
  ControlHarness h;
  HWND edit = h.create(kEditClass, 0, kFieldRect);
  h.driver.takeDamage();
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    step.act(h, edit);
    h.pump();
    if (step.column != kCovered) {
      EXPECT_EQ(caretColumn(h), step.column);
    }
    std::vector<RECT> sent = h.driver.takeDamage();
    long pixels = 0;
    for (const RECT& rect : sent) {
      pixels += (rect.right - rect.left) * (rect.bottom - rect.top);
    }
    if (step.sent != kAnything) {
      EXPECT_EQ(pixels, step.sent);
    }
  }
}

}  // namespace native::test
