#include "native/host/servertimemap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace native {
namespace {

// An event the server stamped `server`, read at `read` on the program's clock, and the time it must get.
struct Event {
  std::uint32_t server;
  std::uint64_t read;
  std::uint64_t mapped;
};

struct Row {
  const char* name;
  std::vector<Event> events;
};

TEST(ServerTimeMap, InputKeepsTheTimesTheUserMadeIt) {
  const Row rows[] = {
      {"a stall keeps the 0.8 s between two clicks",
       {{10000, 50000, 50000}, {11000, 51000, 51000}, {11800, 53000, 51800}}},
      {"a quick double click read late still pairs", {{20000, 70000, 70000}, {20150, 71500, 70150}}},
      {"a first event read late is set right by one read at once",
       {{1000, 9000, 9000}, {2000, 9100, 9100}, {2100, 9900, 9200}}},
      {"never ahead of the program's clock", {{1000, 5000, 5000}, {3000, 6000, 6000}, {3100, 6050, 6050}}},
      {"the 32-bit count wraps while the program is busy",
       {{0xFFFFFF00u, 10000, 10000}, {100, 11000, 10356}, {600, 20000, 10856}}},
      {"an older stamp between two clicks in a stall moves nothing",
       {{10000, 50000, 50000}, {11000, 51000, 51000}, {0, 53000, 51000}, {11800, 53000, 51800}}},
      {"the server's clock goes back",
       {{50000, 10000, 10000}, {50500, 10500, 10500}, {100, 10600, 10500}, {900, 12000, 11400}}},
      {"two older stamps in a row, the second older still, move nothing",
       {{10000, 50000, 50000}, {11000, 51000, 51000}, {600, 52000, 51000}, {500, 52100, 51000},
        {11800, 53000, 51800}}},
      {"a stamp a little older than the one before",
       {{5000, 1000, 1000}, {4990, 1001, 1000}, {5000, 1020, 1000}}},
      {"the server's clock jumps ahead",
       {{1000, 5000, 5000}, {900000, 5100, 5100}, {900100, 5200, 5200}, {900200, 5900, 5300}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ServerTimeMap map;
    for (const Event& event : row.events) {
      SCOPED_TRACE(event.server);
      EXPECT_EQ(map.map(event.server, event.read), event.mapped);
    }
  }
}

}  // namespace
}  // namespace native
