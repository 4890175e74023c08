// Running extents taken over many values at once: the same ends as one value at a time, with the first
// of equal zeros kept and a leading not-a-number kept.

#include "chart/cf_extent.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(cf_Extent, TakesManyValuesAsOneAtATime) {
  struct Case {
    const char* name;
    std::vector<double> values;
    bool fresh;       // otherwise the extent starts at min 1, max 2
    double min, max;  // -0.0 where the zero kept is the negative one
  };
  const Case cases[] = {
      {"ends in different lanes and the tail", {5, 1, 7, 3, 2, 9, 4, 8, 6, -1}, true, -1, 9},
      {"the first of +0 and -0 is kept", {3, 0.0, 5, 6, -0.0, 4, 4, 4}, true, 0.0, 6},
      {"the first of -0 and +0 is kept", {3, -0.0, 5, 6, 0.0, 4, 4, 4}, true, -0.0, 6},
      {"an end already at the extent stays", {-3, -4, -5, -6, 0.0, -7, -1, -2}, false, -7, 2},
      {"a maximum at zero from below", {-3, -0.0, -5, -6, 0.0, -4, -4, -4}, true, -6, -0.0},
      {"a later not-a-number is passed over", {4, 2, kNaN, 3, 8, 1, 5, 6}, true, 1, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_Extent extent{2, 1};
    extent.TakeAll(c.values.data(), c.values.size(), c.fresh);
    EXPECT_EQ(extent.min, c.min);
    EXPECT_EQ(extent.max, c.max);
    EXPECT_EQ(std::signbit(extent.min), std::signbit(c.min));
    EXPECT_EQ(std::signbit(extent.max), std::signbit(c.max));
  }
  const double leading[] = {kNaN, 1, 2, 3, 4};
  cf_Extent extent;
  extent.TakeAll(leading, 5, true);
  EXPECT_TRUE(std::isnan(extent.min) && std::isnan(extent.max)) << "a leading not-a-number holds both ends";
}

}  // namespace
