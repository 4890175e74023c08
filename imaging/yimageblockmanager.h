#pragma once
// The pool every image block comes from. Blocks are made once, when the pool is built, and deleted with it;
// a block is free (in the pool), held by one image's collection, or in transit while a collection gives
// blocks back. When the pool runs short it takes blocks back from the registered collections.
// The program keeps one pool in a global. This product creates none: the capture path (and tests) create
// it with the number of blocks they need (CreateGlobal), and every image copes with its absence: it then
// has no blocks in memory, so its frames cannot be had and only its record is kept.
// Lock order: the pool's mutex before any collection's; both are recursive.

#include <cstdint>

#include "foundation/klist.h"
#include "foundation/kmutex.h"

class YImageBlock;
class YImageBlocks;

class YImageBlockManager {
 public:
  // Builds up to `count` blocks, stopping at the first that cannot be had.
  explicit YImageBlockManager(int32_t count);
  YImageBlockManager(const YImageBlockManager&) = delete;
  YImageBlockManager& operator=(const YImageBlockManager&) = delete;
  // Logs when blocks are missing from the pool, deletes the free blocks and lets the collections go.
  ~YImageBlockManager();

  int32_t NumBlocks() const { return numBlocks; }
  // A new collection becomes the second entry of the list (the only one of an empty list).
  void Register(YImageBlocks* collection);
  void Unregister(YImageBlocks* collection);
  int32_t FreeCount();
  // Asks the other collections, then the requester, to give back `count` blocks; the free count after.
  int32_t Reclaim(int32_t count, YImageBlocks* requester);
  // A free block (without image or collection), reclaiming when no more than `reserve` are free; null when
  // none can be had.
  YImageBlock* CheckOutBlock(YImageBlocks* requester, int32_t reserve);
  // Puts a block that is in no list back; false for one still held.
  bool PutBlock(YImageBlock* block);
  void PutBlocks(KList& list);
  KMutex& Mutex() { return mutex; }
  const KList& Collections() const { return collections; }

  // The program-wide pool, null when none exists.
  static YImageBlockManager* Global() { return global; }
  static void CreateGlobal(int32_t count);
  static void DeleteGlobal();

 private:
  KMutex mutex;
  int32_t numBlocks = 0;
  // Not owned: the collections are unlinked before the list goes.
  KList collections;
  KList free;

  static inline YImageBlockManager* global = nullptr;
};
