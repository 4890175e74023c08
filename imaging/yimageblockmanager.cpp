#include "imaging/yimageblockmanager.h"

#include <new>

#include "imaging/yimageblock.h"
#include "imaging/yimageblocks.h"
#include "imaging/yimaginglog.h"

YImageBlockManager::YImageBlockManager(int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    auto* block = new (std::nothrow) YImageBlock;
    if (block == nullptr) {
      break;
    }
    free.Add(block);
    ++numBlocks;
  }
}

YImageBlockManager::~YImageBlockManager() {
  if (free.Count() != numBlocks) {
    KString text("YImageBlockManager::~YImageBlockManager: free.Length()(");
    text.AppendInt(free.Count());
    text.Append(") != numBlocks(");
    text.AppendInt(numBlocks);
    text.Append(")");
    YLogError(text);
  }
  while (KListItem* item = collections.Next(nullptr)) {
    collections.Remove(item);
    static_cast<YImageBlocks*>(item)->itsManager = nullptr;
  }
  if (global == this) {
    global = nullptr;
  }
}

void YImageBlockManager::Register(YImageBlocks* collection) {
  if (collection == nullptr) {
    return;
  }
  mutex.Lock();
  collection->mutex.Lock();
  if (collection->OwnerList() == nullptr) {
    collections.Insert(collection, 1);
    collection->itsManager = this;
  }
  collection->mutex.Unlock();
  mutex.Unlock();
}

void YImageBlockManager::Unregister(YImageBlocks* collection) {
  if (collection == nullptr) {
    return;
  }
  mutex.Lock();
  collection->mutex.Lock();
  if (collections.Remove(collection) != nullptr) {
    collection->itsManager = nullptr;
  }
  collection->mutex.Unlock();
  mutex.Unlock();
}

int32_t YImageBlockManager::FreeCount() {
  mutex.Lock();
  const int32_t count = free.Count();
  mutex.Unlock();
  return count;
}

int32_t YImageBlockManager::Reclaim(int32_t count, YImageBlocks* requester) {
  mutex.Lock();
  for (KListItem* item = collections.Next(nullptr); item != nullptr && count > 0;
       item = collections.Next(item)) {
    if (item != requester) {
      count = static_cast<YImageBlocks*>(item)->ReturnBlocks(count);
    }
  }
  if (count > 0 && requester != nullptr) {
    requester->ReturnBlocks(count);
  }
  const int32_t freeCount = free.Count();
  mutex.Unlock();
  return freeCount;
}

YImageBlock* YImageBlockManager::CheckOutBlock(YImageBlocks* requester, int32_t reserve) {
  mutex.Lock();
  if (free.Count() <= reserve) {
    Reclaim(reserve - free.Count() + 4, requester);
    if (free.Count() <= reserve) {
      mutex.Unlock();
      return nullptr;
    }
  }
  auto* block = static_cast<YImageBlock*>(free.Next(nullptr));
  if (block == nullptr) {
    YLogWarning("YImageBlockManager::CheckOutBlock: block null");
    mutex.Unlock();
    return nullptr;
  }
  free.Remove(block);
  block->SetImage(nullptr);
  block->itsImageBlocks = nullptr;
  mutex.Unlock();
  return block;
}

bool YImageBlockManager::PutBlock(YImageBlock* block) {
  if (block == nullptr || block->OwnerList() != nullptr) {
    YLogError("YImageBlockManager::PutBlock: block held");
    return false;
  }
  mutex.Lock();
  free.Add(block);
  mutex.Unlock();
  return true;
}

void YImageBlockManager::PutBlocks(KList& list) {
  mutex.Lock();
  free.TakeAll(list);
  mutex.Unlock();
}

void YImageBlockManager::CreateGlobal(int32_t count) {
  DeleteGlobal();
  global = new YImageBlockManager(count);
}

void YImageBlockManager::DeleteGlobal() {
  delete global;
  global = nullptr;
}
