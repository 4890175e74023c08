// The field storage tests share this set-up: a framework data file in a temporary folder, its object
// persistence, and the bytes stored for an object, read and written under its class's level.
#ifndef FRAMEWORK_CORE_TESTS_ZAFFIELDSTORAGETEST_H
#define FRAMEWORK_CORE_TESTS_ZAFFIELDSTORAGETEST_H

#include <cstdint>
#include <vector>

#include "framework/core/tests/zafcoretestbed.h"
#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafobjectpersistence.h"
#include "framework/data/zafstorage.h"

class ZafFieldStorageTest : public ZafCoreTest {
 protected:
  std::vector<uint8_t> StoredBytes(const ZafWindowObject& object) {
    std::vector<uint8_t> bytes;
    persistence.PushLevel(object.ClassName(), object.ClassID(), ZAF_STORAGE_TYPE_NAMED);
    if (persistence.CurrentFile(object.StringID(), ZAF_PERSIST_READ) == ZAF_ERROR_NONE &&
        persistence.File()) {
      bytes.resize(persistence.File()->Length());
      persistence.File()->ReadData(bytes.data(), static_cast<int>(bytes.size()));
    }
    persistence.PopLevel();
    return bytes;
  }
  void StoreBytes(const ZafWindowObject& object, const std::vector<uint8_t>& bytes) {
    persistence.PushLevel(object.ClassName(), object.ClassID(), ZAF_STORAGE_TYPE_NAMED);
    if (persistence.CurrentFile(object.StringID(), ZAF_PERSIST_WRITE) == ZAF_ERROR_NONE &&
        persistence.File()) {
      persistence.File()->WriteData(bytes.data(), static_cast<int>(bytes.size()));
    }
    persistence.PopLevel();
    persistence.SetError(ZAF_ERROR_NONE);
  }
  // Reads `Object` back after storing it cut to each length short of the whole, expecting a read error
  // every time and no crash.
  template <typename Object>
  void ExpectEveryCutRefused(const ZafWindowObject& stored, std::size_t from) {
    const std::vector<uint8_t> bytes = StoredBytes(stored);
    ASSERT_GT(bytes.size(), from);
    for (std::size_t length = from; length < bytes.size(); ++length) {
      SCOPED_TRACE(length);
      StoreBytes(stored,
                 std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)));
      Object read(stored.StringID(), persistence);
      EXPECT_NE(read.Error(), ZAF_ERROR_NONE);
      persistence.SetError(ZAF_ERROR_NONE);
    }
    StoreBytes(stored, bytes);
  }

  TemporaryFolder folder;
  ZafStorage storage{folder.Path("fields").c_str(), ZAF_STORAGE_CREATE};
  ZafObjectPersistence persistence{&storage};
};

#endif
