// A list whose elements come from a fixed pool: the event queue takes a free element for each record it
// queues and gives it back when the record is taken out, so queueing never allocates.
#ifndef FRAMEWORK_DATA_ZAFLISTBLOCK_H
#define FRAMEWORK_DATA_ZAFLISTBLOCK_H

#include "framework/data/zaflist.h"

class ZafListBlock : public ZafList {
 public:
  ZafListBlock() = default;

  // Puts a new element into the pool; the block owns it from now on.
  void AddFreeElement(ZafElement* element) { freeList.Add(element); }
  // Takes an element out of the pool (null when none is left); link it into the block with Add or Insert.
  ZafElement* TakeFreeElement() { return freeList.Subtract(freeList.First()); }
  // Unlinks a taken element from the block and returns it to the pool. Returns it, or null when it is
  // not in the block.
  ZafElement* Release(ZafElement* element);
  int FreeCount() const { return freeList.Count(); }

 private:
  ZafList freeList;
};

#endif
