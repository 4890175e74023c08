#include "imaging/yimageblocks.h"

#include <cstdio>
#include <cstdlib>

#include "imaging/yimageblock.h"
#include "imaging/yimageblockmanager.h"
#include "imaging/yimaginglog.h"

namespace {

// Holds a mutex for a scope; a null mutex is not taken.
class Hold {
 public:
  explicit Hold(KMutex* mutex) : mutex(mutex) {
    if (mutex != nullptr) {
      mutex->Lock();
    }
  }
  ~Hold() {
    if (mutex != nullptr) {
      mutex->Unlock();
    }
  }
  Hold(const Hold&) = delete;
  Hold& operator=(const Hold&) = delete;

 private:
  KMutex* mutex;
};

}  // namespace

YImageBlocks::~YImageBlocks() {
  ReturnAll();
  if (itsManager != nullptr) {
    itsManager->Unregister(this);
  }
}

int32_t YImageBlocks::Length() {
  Hold hold(&mutex);
  return blocks.Count();
}

YImageBlock* YImageBlocks::operator[](int32_t n) {
  Hold hold(&mutex);
  auto* block = static_cast<YImageBlock*>(blocks.Item(n));
  inUse = block;
  lastIndex = n;
  if (block != nullptr && block->itsImageBlocks != this) {
    YLogError("YImageBlocks::operator[]: p->itsImageBlocks != this");
  }
  return block;
}

bool YImageBlocks::Add(YImageBlock* block, bool unsaved) {
  if (block == nullptr) {
    YLogError("YImageBlocks::Add: p null");
    return false;
  }
  Hold hold(&mutex);
  if (block->itsImageBlocks != nullptr) {
    YLogError("YImageBlocks::Add: p->itsImageBlocks not null");
  }
  if (!blocks.Add(block)) {
    YLogError("YImageBlocks::Add: block number in use");
    return false;
  }
  block->itsImageBlocks = this;
  if (unsaved && firstUnsaved == nullptr) {
    firstUnsaved = block;
  }
  YImageBlock* found = (*this)[block->Number()];
  if (found != block) {
    char text[96];
    std::snprintf(text, sizeof text, "YImageBlocks::Add t(%p) != p(%p)", static_cast<void*>(found),
                  static_cast<void*>(block));
    YLogError(text);
  }
  return true;
}

void YImageBlocks::Subtract(YImageBlock* block) {
  if (block == nullptr) {
    YLogError("YImageBlocks::Subtract: p null");
    return;
  }
  Hold hold(&mutex);
  if (block->itsImageBlocks != this) {
    YLogError("YImageBlocks::Subtract: p->itsImageBlocks != this");
  }
  if (block == inUse) {
    inUse = nullptr;
  }
  if (block == firstUnsaved) {
    firstUnsaved = Next(block);
  }
  blocks.Remove(block);
  block->SetImage(nullptr);
  block->itsImageBlocks = nullptr;
}

YImageBlock* YImageBlocks::First() {
  return static_cast<YImageBlock*>(blocks.Next(nullptr));
}

YImageBlock* YImageBlocks::Next(const YImageBlock* block) {
  return static_cast<YImageBlock*>(blocks.Next(block));
}

YImageBlock* YImageBlocks::Last() {
  return static_cast<YImageBlock*>(blocks.Item(blocks.FirstIndex()));
}

YImageBlock* YImageBlocks::Before(const YImageBlock* block) {
  YImageBlock* previous = nullptr;
  for (YImageBlock* member = First(); member != nullptr && member != block; member = Next(member)) {
    previous = member;
  }
  return previous;
}

void YImageBlocks::ClearFirstUnsaved() {
  Hold hold(&mutex);
  firstUnsaved = nullptr;
}

void YImageBlocks::AdvanceFirstUnsaved() {
  Hold hold(&mutex);
  if (firstUnsaved != nullptr) {
    firstUnsaved = Next(firstUnsaved);
  }
}

int32_t YImageBlocks::ReturnBlocks(int32_t count) {
  YImageBlockManager* manager = itsManager;
  if (manager == nullptr) {
    return count;
  }
  Hold holdManager(&manager->Mutex());
  Hold hold(&mutex);
  KList given;
  while (count > 0) {
    YImageBlock* high = firstUnsaved != nullptr ? Before(firstUnsaved) : Last();
    if (high != nullptr && high == inUse) {
      high = Before(high);
    }
    if (high == nullptr) {
      break;
    }
    YImageBlock* low = First();
    if (low != nullptr && low == inUse) {
      low = Next(low);
    }
    if (low == nullptr) {
      YLogError("YImageBlocks::ReturnBlocks: low is null");
      break;
    }
    const int64_t highDistance = std::llabs(int64_t{high->Number()} - lastIndex);
    const int64_t lowDistance = std::llabs(int64_t{low->Number()} - lastIndex);
    YImageBlock* chosen = highDistance > lowDistance ? high : low;
    blocks.Remove(chosen);
    given.Add(chosen);
    --count;
  }
  manager->PutBlocks(given);
  return count;
}

void YImageBlocks::ReturnAll() {
  YImageBlockManager* manager = itsManager;
  Hold holdManager(manager != nullptr ? &manager->Mutex() : nullptr);
  Hold hold(&mutex);
  if (manager != nullptr) {
    KList given;
    while (YImageBlock* block = First()) {
      blocks.Remove(block);
      given.Add(block);
    }
    manager->PutBlocks(given);
  } else {
    // Without a pool the blocks have nowhere to go.
    blocks.Clear();
  }
  inUse = nullptr;
  firstUnsaved = nullptr;
}
