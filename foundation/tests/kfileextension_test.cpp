#include "foundation/kfileextension.h"

#include "foundation/tests/kstringtestsupport.h"

#include <gtest/gtest.h>

TEST(KFileExtension, ListKeepsTheTypesInOrder) {
  KList types;
  types.Add(new KFileExtension(KString("qvw"), KString("Kestrove Workout (*.qvw)")));
  types.Add(new KFileExtension(KString("qve"), KString("Kestrove Event (*.qve)")));
  ASSERT_EQ(types.Count(), 2);
  const auto* second = static_cast<const KFileExtension*>(types.Item(1));
  EXPECT_EQ(second->Extension(), KString("qve"));
  EXPECT_EQ(second->Description(), KString("Kestrove Event (*.qve)"));
  EXPECT_STREQ(second->ClassName(), "KFileExtension");
  EXPECT_EQ(second->Index(), 1);
}
