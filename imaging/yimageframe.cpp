#include "imaging/yimageframe.h"

#include <memory>
#include <new>

namespace {

std::unique_ptr<KList> pool;

}  // namespace

void YImageFrame::Reset(YImageBlock* newBlock) {
  flags = 0;
  block = newBlock;
  frameNumber = -1;
  blocketteOffset = -1;
}

void YImageFrame::InitPool() {
  if (pool != nullptr) {
    return;
  }
  pool = std::make_unique<KList>();
  for (int32_t i = 0; i < kPoolSize; ++i) {
    // A frame that cannot be had is skipped; the pool works with fewer.
    if (auto* frame = new (std::nothrow) YImageFrame) {
      pool->Add(frame);
    }
  }
}

void YImageFrame::ExitPool() {
  pool.reset();
}

KList* YImageFrame::Pool() {
  return pool.get();
}

void YImageFrame::Touch(YImageFrame* frame) {
  if (pool != nullptr && pool->Remove(frame) != nullptr) {
    pool->Add(frame);
  }
}

void YImageFrame::Forget(const YImageBlock* block) {
  if (pool == nullptr) {
    return;
  }
  for (KListItem* item = pool->Next(nullptr); item != nullptr; item = pool->Next(item)) {
    auto* frame = static_cast<YImageFrame*>(item);
    if (frame->block == block) {
      frame->Reset(nullptr);
    }
  }
}
