#include "foundation/kx.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(KErrorText, KnownCodesHaveTheirTexts) {
  struct Case {
    int32_t code;
    const char* text;
  } cases[] = {
      {1000, "Operation failed"},       {3009, "Incorrect file version"},
      {3010, "Invalid file contents"},  {5002, "Serial communication receive timeout"},
      {33001, "Error opening an image file"}, {61000, "Kestrove hardware error"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    ASSERT_NE(KErrorText(c.code), nullptr);
    EXPECT_STREQ(KErrorText(c.code), c.text);
  }
}

TEST(KErrorText, UnknownCodesHaveNone) {
  for (int32_t code : {0, -1, 999, 1004, 3012, 5008, 33000, 99999}) {
    SCOPED_TRACE(code);
    EXPECT_EQ(KErrorText(code), nullptr);
  }
}

TEST(KX, CaughtByReferenceKeepsCodeAndDetail) {
  try {
    throw KXSerialPort(5002, 17);
  } catch (const KXStream& e) {
    EXPECT_EQ(e.Code(), 5002);
    EXPECT_EQ(e.Detail(), 17);
  }
  try {
    throw KXPersistent(3009);
  } catch (const KX& e) {
    EXPECT_EQ(e.Code(), 3009);
  }
}
