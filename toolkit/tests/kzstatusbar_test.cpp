#include "toolkit/kzstatusbar.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "foundation/kperiodictask.h"
#include "native/native.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzprogressbar.h"
#include "toolkit/kzstatusstring.h"
#include "toolkit/kzwindow.h"
#include "toolkit/tests/kzdialogtestbed.h"

namespace {

// A status bar that counts how often it was cleared.
class CountingBar : public KZStatusBar {
 public:
  explicit CountingBar(int32_t timeout) : KZStatusBar(24, timeout) {}
  void Clear() override {
    ++clears;
    KZStatusBar::Clear();
  }
  int clears = 0;
};

class KZStatusBarTest : public KZDialogTest {
 protected:
  // A window with the bar at its foot and the fields asked for: the text on the left, the progress on the
  // right, as the program places them.
  CountingBar* ShowBar(int32_t timeout, bool withFields = true) {
    auto* window = new KZWindow(0, 0, 0, 0);
    window->SetRegion({10, 10, 409, 159, ZAF_PIXEL});
    auto* bar = new CountingBar(timeout);
    text = nullptr;
    progress = nullptr;
    if (withFields) {
      bar->statusText = text = new KZStatusString;
      text->SetRegion({2, 2, 201, 17, ZAF_PIXEL});
      bar->Add(text);
      bar->progress = progress = new KZProgressBar;
      progress->SetRegion({210, 2, 321, 17, ZAF_PIXEL});
      bar->Add(progress);
    }
    window->Add(bar);
    Show(window);
    return bar;
  }

  KZStatusString* text = nullptr;
  KZProgressBar* progress = nullptr;
};

bool IsDark(native::COLORREF color) {
  return native::GetRValue(color) + native::GetGValue(color) + native::GetBValue(color) < 200;
}

}  // namespace

// The tick also asks the loop for the idle pass that will clear, so a waiting loop clears on time.
TEST_F(KZStatusBarTest, ClearsOnTheIdleTickOnceTheTimeoutHasPassedSinceAChange) {
  struct Case {
    const char* name;
    int32_t timeout;
    uint32_t changeAt;
    int32_t percent;
    uint32_t wait;
    bool cleared;
    int32_t shown;  // the progress after the tick
    std::optional<uint32_t> nextTickWithin;
    bool withFields = true;
  } cases[] = {
      {"exactly the time-out", 1000, 500, 40, 1000, false, 40, 1},
      {"just past it", 1000, 500, 40, 1001, true, -1, {}},
      {"a time-out of 0 never clears", 0, 500, 40, 100000, false, 40, {}},
      {"150 is held to 100", 0, 500, 150, 10, false, 100, {}},
      {"-5 is taken as -1", 0, 500, -5, 10, false, -1, {}},
      {"a change at tick 0 still counts", 1000, 0, 40, 1002, true, -1, {}},
      {"not early across the signed boundary", 1000, 0x7FFFFF00, 40, 10, false, 40, 991},
      {"a late tick across the signed boundary", 1000, 0x7FFFFC00, 40, 2000, true, -1, {}},
      {"across the wrap of the tick count", 1000, 0xFFFFFF00, 40, 1001, true, -1, {}},
      {"a bar without fields has nothing to clear", 1000, 500, 40, 2000, false, -1, {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KPeriodicTask::VirtualClock clock(c.changeAt);
    CountingBar* bar = ShowBar(c.timeout, c.withFields);
    bar->SetText(u"Saving main file...");
    bar->SetProgress(c.percent);
    // The same text and progress again half-way are no change.
    clock.Advance(c.wait / 2);
    bar->SetText(u"Saving main file...");
    bar->SetProgress(c.percent);
    clock.Advance(c.wait - c.wait / 2);
    application.ClearIdleTimeout();
    bar->Event(ZafEventRecord(IdleTickEvent, 0));
    EXPECT_EQ(bar->clears, c.cleared ? 1 : 0);
    EXPECT_EQ(application.IdleTimeout(), c.nextTickWithin);
    if (c.withFields) {
      EXPECT_EQ(std::u16string(text->Text()), c.cleared ? u"" : u"Saving main file...");
      EXPECT_EQ(progress->Progress(), c.shown);
    }
    ZafWindowObject::windowManager->Remove(static_cast<ZafWindow*>(bar->Parent()));
  }
}

TEST_F(KZStatusBarTest, TheProgressBoxIsOnePixelAPercentWithItsValueOverIt) {
  CountingBar* bar = ShowBar(0);
  const std::u16string longText(600, u'W');
  bar->SetText(KString(longText.c_str()));
  EXPECT_EQ(std::u16string(text->Text()), longText) << "shown cut to the field, kept whole";
  struct Case {
    int32_t value;
    bool filledAtFive;
    bool filledAtNinety;
    bool written;
  } cases[] = {
      {37, true, false, true}, {0, false, false, true}, {100, true, true, true}, {-1, false, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    bar->SetProgress(c.value);
    driver.pumpUntilIdle();
    // The box inside the sunken edge, on the screen.
    const KRect field = progress->ToScreenRect(progress->LocalRegion());
    const int left = field.left + 1;
    const int top = field.top + 2;
    const native::COLORREF green = native::RGB(0, 255, 0);
    EXPECT_EQ(driver.pixel(left + 5, top) == green, c.filledAtFive);
    EXPECT_EQ(driver.pixel(left + 90, top) == green, c.filledAtNinety);
    EXPECT_NE(driver.pixel(left + 100, top), green) << "100 pixels wide in a wider field";
    int dark = 0;
    for (int y = field.top + 1; y < field.bottom; ++y) {
      for (int x = left + 30; x < left + 70; ++x) {
        dark += IsDark(driver.pixel(x, y)) ? 1 : 0;
      }
    }
    EXPECT_EQ(dark > 10, c.written) << dark;
  }
}
