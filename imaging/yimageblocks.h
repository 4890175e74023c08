#pragma once
// The blocks of one image, keyed and ordered by block number, with the block of the last lookup (the only
// one that may be decoded) and the first unsaved block: it and every block after it were captured and are
// not in the block file yet, so they are never given back to the pool. A list item so that the pool can
// list its collections. Lock order: the pool's mutex before any collection's.

#include <cstdint>

#include "foundation/klist.h"
#include "foundation/kmutex.h"
#include "foundation/ksparsearray.h"

class YImageBlock;
class YImageBlockManager;

class YImageBlocks : public KListItem {
 public:
  YImageBlocks() = default;
  // Gives every block back (ReturnAll) and leaves the pool.
  ~YImageBlocks() override;

  int32_t Length();
  // The block numbered n, or null; it becomes the block in use and n the last index asked for.
  YImageBlock* operator[](int32_t n);
  // Adds a block by its number; `unsaved` marks it (and what follows) as not yet in the block file. False
  // (the block untouched) for a null block or a number already held.
  bool Add(YImageBlock* block, bool unsaved);
  // Takes a block out of the collection without giving it to the pool; it loses its image.
  void Subtract(YImageBlock* block);
  // Gives up to `count` saved blocks back to the pool, farthest from the last lookup first, never the block
  // in use or the unsaved tail; returns the count still wanted.
  int32_t ReturnBlocks(int32_t count);
  // Gives every block back to the pool (deletes them when there is no pool).
  void ReturnAll();

  YImageBlock* InUse() const { return inUse; }
  int32_t LastIndex() const { return lastIndex; }
  YImageBlock* FirstUnsaved() const { return firstUnsaved; }
  void ClearFirstUnsaved();
  void AdvanceFirstUnsaved();
  // The first block in number order (null when empty) and the one after a block.
  YImageBlock* First();
  YImageBlock* Next(const YImageBlock* block);

  YImageBlockManager* Manager() const { return itsManager; }
  KMutex& Mutex() { return mutex; }

  const char* ClassName() const override { return "YImageBlocks"; }

 private:
  friend class YImageBlockManager;

  YImageBlock* Before(const YImageBlock* block);
  YImageBlock* Last();

  KMutex mutex;
  KSparseArray blocks;
  YImageBlock* firstUnsaved = nullptr;
  YImageBlock* inUse = nullptr;
  int32_t lastIndex = 0;
  YImageBlockManager* itsManager = nullptr;
};
