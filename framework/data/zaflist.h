// A doubly linked list of elements, kept in the order of an optional compare function. A window's children
// and support objects, the devices and the directory tree are all such lists. The list owns its elements.
#ifndef FRAMEWORK_DATA_ZAFLIST_H
#define FRAMEWORK_DATA_ZAFLIST_H

#include "framework/data/zafelement.h"

// Negative, 0 or positive as the first element sorts before, with or after the second.
using ZafCompareFunction = int (*)(ZafElement* first, ZafElement* second);

class ZafList {
 public:
  explicit ZafList(ZafCompareFunction compareFunction = nullptr);
  ZafList(const ZafList&) = delete;
  ZafList& operator=(const ZafList&) = delete;
  virtual ~ZafList();

  // Links the element in compare order (at the end when unsorted); returns it. An element can be in one
  // list at a time: one that is still in a list is refused (null).
  ZafElement* Add(ZafElement* element);
  // Links the element in front of `before`, or at the end when `before` is null. Refused (null) when the
  // element is in a list or `before` is not in this one.
  ZafElement* Insert(ZafElement* element, ZafElement* before);
  // Unlinks the element without deleting it; returns it, or null when it is not in this list.
  ZafElement* Subtract(ZafElement* element);
  // Deletes every element.
  void Destroy();
  // Re-adds every element in compare order; nothing without a compare function.
  void Sort();

  ZafElement* Get(int index) const;
  // Position counted from 0, or -1 when the element is null or not in this list.
  int Index(const ZafElement* element) const;
  int Count() const { return count; }

  ZafElement* First() const { return first; }
  ZafElement* Last() const { return last; }
  ZafElement* Current() const { return current; }
  void SetCurrent(ZafElement* element) { current = element; }

  ZafCompareFunction CompareFunction() const { return compareFunction; }
  ZafCompareFunction SetCompareFunction(ZafCompareFunction function);

 private:
  ZafElement* SortedPlace(ZafElement* element) const;

  ZafCompareFunction compareFunction;
  ZafElement* first = nullptr;
  ZafElement* last = nullptr;
  ZafElement* current = nullptr;
  int count = 0;
};

#endif
