#include "native/user/globalmemory.h"

#include <algorithm>

namespace native {

GlobalMemory& GlobalMemory::instance() {
  // Never destroyed: objects that outlive every function's statics at exit (the window system with its
  // clipboard's blocks) still free their blocks into it.
  static GlobalMemory& memory = *new GlobalMemory;
  return memory;
}

HGLOBAL GlobalMemory::allocate(std::size_t bytes) {
  if (bytes > kMaxBlockBytes) {
    return nullptr;
  }
  auto block = std::make_unique<Block>();
  // An empty block still has an address to lock; its size stays 0.
  block->bytes.reserve(std::max<std::size_t>(bytes, 1));
  block->bytes.resize(bytes);
  std::lock_guard guard(mutex_);
  return blocks_.add(std::move(block));
}

void* GlobalMemory::lock(HGLOBAL handle) {
  std::lock_guard guard(mutex_);
  Block* block = blocks_.find(handle);
  if (block == nullptr) {
    return nullptr;
  }
  ++block->lockCount;
  return block->bytes.data();
}

bool GlobalMemory::unlock(HGLOBAL handle) {
  std::lock_guard guard(mutex_);
  Block* block = blocks_.find(handle);
  if (block == nullptr || block->lockCount == 0) {
    return false;
  }
  --block->lockCount;
  return block->lockCount > 0;
}

bool GlobalMemory::free(HGLOBAL handle) {
  std::lock_guard guard(mutex_);
  return blocks_.remove(handle) != nullptr;
}

std::size_t GlobalMemory::size(HGLOBAL handle) const {
  std::lock_guard guard(mutex_);
  const Block* block = blocks_.find(handle);
  return block == nullptr ? 0 : block->bytes.size();
}

HGLOBAL GlobalAlloc(UINT, std::size_t bytes) {
  return GlobalMemory::instance().allocate(bytes);
}

void* GlobalLock(HGLOBAL block) {
  return GlobalMemory::instance().lock(block);
}

BOOL GlobalUnlock(HGLOBAL block) {
  return GlobalMemory::instance().unlock(block) ? TRUE : FALSE;
}

HGLOBAL GlobalFree(HGLOBAL block) {
  return GlobalMemory::instance().free(block) ? nullptr : block;
}

std::size_t GlobalSize(HGLOBAL block) {
  return GlobalMemory::instance().size(block);
}

}  // namespace native
