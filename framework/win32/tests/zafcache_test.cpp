#include "framework/win32/zafcache.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

// A cache whose objects are numbered handles (key1 x 100 + key2, so a test can name them) and whose
// destructions are logged; key1 0 cannot be made.
struct LoggedCache {
  explicit LoggedCache(int capacity)
      : cache(std::make_unique<ZafCache>(
            capacity,
            [](uint32_t key1, uintptr_t key2) -> native::HGDIOBJ {
              return key1 == 0 ? nullptr : Handle(key1 * 100 + key2);
            },
            [this](uint32_t, uintptr_t, native::HGDIOBJ handle) { destroyed.push_back(Number(handle)); })) {}

  static native::HGDIOBJ Handle(uintptr_t number) { return reinterpret_cast<native::HGDIOBJ>(number); }
  static uintptr_t Number(native::HGDIOBJ handle) { return reinterpret_cast<uintptr_t>(handle); }

  // The handles front to back with their use counts.
  std::vector<std::pair<uintptr_t, int32_t>> Order() const {
    std::vector<std::pair<uintptr_t, int32_t>> order;
    for (const auto& element : cache->Elements()) {
      order.emplace_back(Number(element.handle), element.useCount);
    }
    return order;
  }

  std::vector<uintptr_t> destroyed;
  std::unique_ptr<ZafCache> cache;
};

using Order = std::vector<std::pair<uintptr_t, int32_t>>;

}  // namespace

TEST(ZafCache, SameKeysShareOneObjectMovedToTheFront) {
  LoggedCache logged(32);
  EXPECT_EQ(logged.cache->Get(1, 5), LoggedCache::Handle(105));
  EXPECT_EQ(logged.cache->Get(2, 5), LoggedCache::Handle(205));
  EXPECT_EQ(logged.cache->Get(1, 5), LoggedCache::Handle(105));
  EXPECT_EQ(logged.Order(), (Order{{105, 2}, {205, 1}}));
}

TEST(ZafCache, FullCacheDropsTheLastUnusedObject) {
  LoggedCache logged(3);
  logged.cache->Get(1, 1);
  logged.cache->Release(LoggedCache::Handle(101));
  logged.cache->Get(1, 2);
  logged.cache->Get(1, 3);
  EXPECT_EQ(logged.destroyed, (std::vector<uintptr_t>{101}));
  EXPECT_EQ(logged.Order(), (Order{{103, 1}, {102, 1}}));
}

TEST(ZafCache, ObjectsInUseAreNeverDestroyed) {
  LoggedCache logged(2);
  for (uint32_t key = 1; key <= 5; ++key) {
    logged.cache->Get(1, key);
  }
  EXPECT_TRUE(logged.destroyed.empty());
  EXPECT_EQ(logged.cache->Count(), 5);
}

TEST(ZafCache, ReleasedObjectJoinsTheUnusedOnesAtTheBack) {
  struct Case {
    const char* name;
    std::vector<uintptr_t> released;  // released after taking 101, 102, 103, 104 (104 in front)
    Order expected;
  } cases[] = {
      // 104 goes in front of the first unused element after it.
      {"moved before the first unused", {101, 104}, {{103, 1}, {102, 1}, {104, 0}, {101, 0}}},
      // The successor is already unused: nothing moves.
      {"successor unused", {101, 102}, {{104, 1}, {103, 1}, {102, 0}, {101, 0}}},
      // No unused element after it: it stays.
      {"none unused after", {104}, {{104, 0}, {103, 1}, {102, 1}, {101, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LoggedCache logged(32);
    for (uint32_t key = 1; key <= 4; ++key) {
      logged.cache->Get(1, key);
    }
    for (uintptr_t number : c.released) {
      EXPECT_EQ(logged.cache->Release(LoggedCache::Handle(number)), 0);
    }
    EXPECT_EQ(logged.Order(), c.expected);
  }
}

TEST(ZafCache, ReleaseOfAnUnknownHandleAnswersMinusOne) {
  LoggedCache logged(32);
  logged.cache->Get(1, 1);
  logged.cache->Get(1, 1);
  EXPECT_EQ(logged.cache->Release(LoggedCache::Handle(999)), -1);
  EXPECT_EQ(logged.cache->Release(LoggedCache::Handle(101)), 1);
}

TEST(ZafCache, ObjectThatCannotBeMadeIsNotCached) {
  LoggedCache logged(32);
  EXPECT_EQ(logged.cache->Get(0, 7), nullptr);
  EXPECT_EQ(logged.cache->Count(), 0);
  EXPECT_EQ(logged.cache->Release(nullptr), -1);
}

TEST(ZafCache, DestructionDestroysEveryObjectLeft) {
  LoggedCache logged(32);
  logged.cache->Get(1, 1);
  logged.cache->Get(2, 2);
  logged.cache.reset();
  EXPECT_EQ(logged.destroyed, (std::vector<uintptr_t>{202, 101}));
}
