#include "framework/data/zafnativefile.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/data/tests/zaftestfiles.h"

namespace {

TEST(ZafTmpNam, CreatesADistinctFileInTheTemporaryDirectory) {
  TemporaryFolder folder;
  const ScopedEnvironment temporary("TMPDIR", folder.path.string());
  ZafIChar first[512];
  ASSERT_EQ(ZafTmpNam(first, 512), first);
  const ZafIChar* second = ZafTmpNam(nullptr, 0);
  ASSERT_NE(second, nullptr);
  EXPECT_NE(std::u16string(first), std::u16string(second));
  for (const std::u16string& name : {std::u16string(first), std::u16string(second)}) {
    EXPECT_EQ(name.rfind(folder.Path(), 0), 0u);
    EXPECT_TRUE(std::filesystem::exists(ZafToUtf8(name)));
  }
  // A buffer that is too small gets nothing, and no file is left behind.
  ZafIChar tiny[4];
  EXPECT_EQ(ZafTmpNam(tiny, 4), nullptr);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path), {}), 2);
}

TEST(ZafGetEnv, ReturnsValuesOfAnyLengthAndNullWhenUnset) {
  const std::string longValue = std::string(5000, 'v') + "\xC3\xA9";
  const ScopedEnvironment variable("ZAF_TEST_VARIABLE_WITH_A_LONG_NAME", longValue);
  const ZafIChar* value = ZafGetEnv(u"ZAF_TEST_VARIABLE_WITH_A_LONG_NAME");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(std::u16string(value), std::u16string(5000, u'v') + u"\u00E9");
  EXPECT_EQ(ZafGetEnv(u"ZAF_TEST_VARIABLE_NOT_SET_ANYWHERE"), nullptr);
  EXPECT_EQ(ZafGetEnv(nullptr), nullptr);
}

TEST(ZafFOpen, OpensNamesWithCharactersBeyondLatin1) {
  TemporaryFolder folder;
  const std::u16string name = folder.Path("caf\u00E9-\u0141\U0001F600.txt");
  FILE* stream = ZafFOpen(name.c_str(), u"w");
  ASSERT_NE(stream, nullptr);
  fclose(stream);
  EXPECT_TRUE(std::filesystem::exists(folder.path / "caf\xC3\xA9-\xC5\x81\xF0\x9F\x98\x80.txt"));

  const std::u16string renamed = folder.Path("plain.txt");
  EXPECT_EQ(ZafRename(name.c_str(), renamed.c_str()), 0);
  EXPECT_EQ(ZafUnlink(renamed.c_str()), 0);
  EXPECT_NE(ZafUnlink(renamed.c_str()), 0);
  EXPECT_EQ(ZafFOpen(renamed.c_str(), u"r"), nullptr);
  EXPECT_EQ(ZafFOpen(nullptr, u"r"), nullptr);
}

TEST(ZafGetCwd, CopiesOnlyWhenTheBufferIsLargeEnough) {
  TemporaryFolder folder;
  ZafIChar previous[4096];
  ASSERT_NE(ZafGetCwd(previous, 4096), nullptr);
  ASSERT_EQ(ZafChDir(folder.Path().c_str()), 0);
  ZafIChar current[4096];
  ASSERT_NE(ZafGetCwd(current, 4096), nullptr);
  EXPECT_EQ(std::filesystem::canonical(ZafToUtf8(current)), std::filesystem::canonical(folder.path));
  const std::size_t length = std::char_traits<char16_t>::length(current);
  EXPECT_EQ(ZafGetCwd(current, length), nullptr);
  EXPECT_NE(ZafGetCwd(current, length + 1), nullptr);
  EXPECT_EQ(ZafChDir(previous), 0);
  EXPECT_NE(ZafChDir(u"/nonexistent-zaf-dir"), 0);
}

}  // namespace
