#include "imaging/yreplacementfile.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "foundation/kx.h"
#include "imaging/tests/imagetestfixture.h"

namespace {

const std::vector<uint8_t> kOld{1, 2, 3};
const std::vector<uint8_t> kNew{9, 8, 7, 6};

void WriteNew(YReplacementFile& replacement) {
  replacement.File().Write(kNew.data(), static_cast<int32_t>(kNew.size()));
}

}  // namespace

TEST(YReplacementFile, CommitReplacesTheTargetAndDroppingLeavesIt) {
  struct Case {
    const char* name;
    bool targetExists;
    bool commit;
    int64_t sizeAfter;  // -1: no target
  } cases[] = {
      {"committed over a file", true, true, 4},
      {"committed as a new file", false, true, 4},
      {"dropped beside a file", true, false, 3},
      {"dropped with no file", false, false, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KTempFolder folder;
    const KString target = folder.File("heat.ic0");
    if (c.targetExists) {
      WriteFileBytes(target, kOld);
    }
    {
      YReplacementFile replacement(target);
      WriteNew(replacement);
      EXPECT_EQ(FolderNames(folder.Path()).size(), c.targetExists ? 2u : 1u);
      if (c.commit) {
        replacement.Commit();
        EXPECT_TRUE(KFile::SameName(replacement.File(), KFile(target)));
      }
    }
    EXPECT_EQ(FileSize(target), c.sizeAfter);
    if (c.sizeAfter >= 0) {
      EXPECT_EQ(FileBytes(target), c.commit ? kNew : kOld);
    }
    const std::set<std::string> expected =
        c.sizeAfter >= 0 ? std::set<std::string>{"heat.ic0"} : std::set<std::string>{};
    EXPECT_EQ(FolderNames(folder.Path()), expected);
  }
}

TEST(YReplacementFile, ReplacementsOfOneTargetNeverShareAFile) {
  KTempFolder folder;
  const KString target = folder.File("heat.ic0");
  YReplacementFile first(target);
  YReplacementFile second(target);
  EXPECT_FALSE(KFile::SameName(first.File(), second.File()));
  EXPECT_EQ(FolderNames(folder.Path()).size(), 2u);
}

TEST(YReplacementFile, AFolderThatCannotBeWrittenIsRefused) {
  KTempFolder folder;
  try {
    YReplacementFile replacement(folder.File("missing/heat.ic0"));
    ADD_FAILURE() << "made a file in a missing folder";
  } catch (const KX& failure) {
    EXPECT_EQ(failure.Code(), kErrFileOpen);
  }
}
