#include "native/user/handletable.h"

#include <gtest/gtest.h>

#include "native/user/nativetypes.h"

namespace native {

TEST(HandleTable, StaleHandleNeverReachesTheObjectThatReusesItsSlot) {
  HandleTable<int, HWND> table;
  HWND first = table.add(std::make_unique<int>(1));
  ASSERT_NE(first, nullptr);
  EXPECT_NE(table.remove(first), nullptr);
  HWND second = table.add(std::make_unique<int>(2));
  EXPECT_NE(second, first);
  EXPECT_EQ(table.find(first), nullptr);
  ASSERT_NE(table.find(second), nullptr);
  EXPECT_EQ(*table.find(second), 2);
  EXPECT_EQ(table.remove(first), nullptr) << "removing through a stale handle must not free the new object";
  EXPECT_EQ(table.size(), 1u);
}

TEST(HandleTable, ValuesThatAreNoHandleFindNothing) {
  HandleTable<int, HWND> table;
  table.add(std::make_unique<int>(1));
  const std::intptr_t values[] = {0, 1, -1, -2, 2, 0x12345678};
  for (std::intptr_t value : values) {
    SCOPED_TRACE(value);
    EXPECT_EQ(table.find(reinterpret_cast<HWND>(value)), nullptr);
  }
}

}  // namespace native
