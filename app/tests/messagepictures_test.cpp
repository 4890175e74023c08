// Message windows of the running program as the user sees them, with their pictures.
#include <gtest/gtest.h>

#include <string>

#include "app/framecommands.h"
#include "app/tests/programtest.h"
#include "native/native.h"
#include "testing/testpictures.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kzprompt.h"

namespace {

class MessagePicturesTest : public ProgramTest {
 protected:
  MessagePicturesTest() : ProgramTest({1024, 768, 96}) {}

  // Pixels darker than mid-grey in the band of desktop rows [top, bottom) across [left, right).
  int32_t DarkPixels(const native::RECT& band) const {
    int32_t count = 0;
    for (int32_t y = band.top; y < band.bottom; ++y) {
      for (int32_t x = band.left; x < band.right; ++x) {
        const native::COLORREF colour = driver.pixel(x, y);
        count += (colour & 0xFF) + ((colour >> 8) & 0xFF) + ((colour >> 16) & 0xFF) < 3 * 0x80 ? 1 : 0;
      }
    }
    return count;
  }
};

}  // namespace

TEST_F(MessagePicturesTest, TheAboutBoxShowsTheVersionAndTheReleaseDateOnLinesOfTheirOwn) {
  Make({u"-noregistry"});
  Then([] { Post(AboutCommand); });
  When(
      "the About box", [] { return FrontMessage() != nullptr; },
      [this] {
        EXPECT_TRUE(driver.snapshot(TestPicturePath("about_box.png")));
        const native::RECT text = driver.screenRect(FrontMessage()->MessageText()->ScreenID());
        // Five lines: an empty one, "Version:  2.04", "Released:  Jul 28 2020" and two empty ones.
        const int32_t lineHeight = (text.bottom - text.top) / 5;
        EXPECT_EQ(DarkPixels({text.left, text.top, text.right, text.top + lineHeight}), 0);
        EXPECT_GT(DarkPixels({text.left, text.top + lineHeight, text.right, text.top + 2 * lineHeight}), 20);
        EXPECT_GT(DarkPixels({text.left, text.top + 2 * lineHeight, text.right, text.top + 3 * lineHeight}),
                  20);
        driver.pressKey(native::VK_RETURN);
      });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}
