#include "app/yzselectwinddialog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/ywind.h"
#include "model/ywindgauge.h"
#include "toolkit/kzselector.h"
#include "toolkit/tests/kzdialogtestbed.h"

namespace {

// A gauge that received `received` readings, one a second from 0 s, each of n tenths of a metre per
// second for the n-th received; it holds the newest 100, reading 0 the newest.
class TestGauge : public YWindGauge {
 public:
  explicit TestGauge(int32_t received) : received(received) {}
  int32_t GetCount(int32_t& beyond) const override {
    beyond = std::max(received - kHeld, 0);
    return std::min(received, kHeld);
  }
  bool GetReading(int32_t n, YWind& wind) const override {
    int32_t beyond = 0;
    if (n < 0 || n >= GetCount(beyond)) {
      return false;
    }
    const int32_t receivedAs = received - 1 - n;
    wind.SetTime(YTime(receivedAs, YTime::kUnitsPerSecond, YTime::kUnitsPerSecond, -1));
    KString value;
    value.AppendInt(receivedAs / 10).AppendChar(u'.').AppendInt(receivedAs % 10);
    wind.Parse(value, YWind::kMetresPerSecond);
    return true;
  }

 private:
  static constexpr int32_t kHeld = 100;
  int32_t received;
};

class YZSelectWindDialogTest : public KZDialogTest {
 protected:
  YZSelectWindDialogTest() { Setting(u"\\Strings\\Event\\Wind\\Units\\MPS:String=m/s"); }
  static std::string Row(const YZSelectWindDialog& dialog, int32_t row, int32_t column) {
    KString text;
    dialog.RowText(row, column, text);
    return text.ToUtf8();
  }
};

}  // namespace

TEST_F(YZSelectWindDialogTest, EveryHeldReadingIsListedOldestFirst) {
  struct Case {
    int32_t received;
    int32_t rows;
    const char* firstTime;
    const char* firstReading;
    const char* lastTime;
    const char* lastReading;
  } cases[] = {
      {0, 0, "", "", "", ""},
      {50, 50, "0", "0.0 m/s", "49", "+4.9 m/s"},
      {150, 100, "50", "+5.0 m/s", "2:29", "+14.9 m/s"},
      {250, 100, "2:30", "+15.0 m/s", "4:09", "+24.9 m/s"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.received);
    TestGauge gauge(c.received);
    YZSelectWindDialog dialog(gauge);
    EXPECT_EQ(dialog.Listed(), c.rows);
    EXPECT_EQ(dialog.List()->Extent().y, c.rows);
    EXPECT_EQ(Row(dialog, 0, 0), c.firstTime);
    EXPECT_EQ(Row(dialog, 0, 1), c.firstReading);
    EXPECT_EQ(Row(dialog, c.rows - 1, 0), c.lastTime);
    EXPECT_EQ(Row(dialog, c.rows - 1, 1), c.lastReading);
  }
}
