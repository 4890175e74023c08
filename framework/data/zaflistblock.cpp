#include "framework/data/zaflistblock.h"

ZafElement* ZafListBlock::Release(ZafElement* element) {
  if (!Subtract(element)) {
    return nullptr;
  }
  return freeList.Add(element);
}
