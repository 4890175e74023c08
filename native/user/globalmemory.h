#pragma once
// Movable memory blocks reached through handles, as the clipboard hands data around: allocate, lock to get
// the bytes, unlock, free. The table is the process's, guarded by a lock: a block may be filled on any
// thread. Locked bytes stay where they are until the block is freed.

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "native/user/handletable.h"
#include "native/user/nativetypes.h"

namespace native {

struct HGLOBAL__;
using HGLOBAL = HGLOBAL__*;

inline constexpr UINT GMEM_FIXED = 0x0000;
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT GMEM_DDESHARE = 0x2000;
inline constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

class GlobalMemory {
 public:
  static GlobalMemory& instance();

  HGLOBAL allocate(std::size_t bytes);
  // Null for a handle that names no block.
  void* lock(HGLOBAL block);
  // Answers whether the block is still locked after this unlock.
  bool unlock(HGLOBAL block);
  bool free(HGLOBAL block);
  // 0 for a handle that names no block.
  std::size_t size(HGLOBAL block) const;

  // Blocks larger than this are refused: a size read from outside cannot exhaust memory.
  static constexpr std::size_t kMaxBlockBytes = std::size_t{256} << 20;

 private:
  struct Block {
    std::vector<std::byte> bytes;
    int lockCount = 0;
  };

  mutable std::mutex mutex_;
  HandleTable<Block, HGLOBAL> blocks_;
};

// Every block starts zeroed, whatever the flags. Null when the size is beyond kMaxBlockBytes.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
void* GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
// Null on success; the handle back when it names no block.
HGLOBAL GlobalFree(HGLOBAL block);
std::size_t GlobalSize(HGLOBAL block);

}  // namespace native
