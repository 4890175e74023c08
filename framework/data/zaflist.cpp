#include "framework/data/zaflist.h"

ZafList::ZafList(ZafCompareFunction compareFunction) : compareFunction(compareFunction) {}

ZafList::~ZafList() {
  Destroy();
}

ZafCompareFunction ZafList::SetCompareFunction(ZafCompareFunction function) {
  compareFunction = function;
  return compareFunction;
}

// The element in front of which a new element goes, or null for the end: the end when the last element
// does not compare greater, the front when the first does not compare less, else after the last element,
// searching back, that does not compare greater.
ZafElement* ZafList::SortedPlace(ZafElement* element) const {
  if (!compareFunction || !first || compareFunction(last, element) <= 0) {
    return nullptr;
  }
  if (compareFunction(first, element) >= 0) {
    return first;
  }
  ZafElement* place = last;
  while (place->previous && compareFunction(place->previous, element) > 0) {
    place = place->previous;
  }
  return place;
}

ZafElement* ZafList::Add(ZafElement* element) {
  if (!element || element->itsList) {
    return nullptr;
  }
  return Insert(element, SortedPlace(element));
}

ZafElement* ZafList::Insert(ZafElement* element, ZafElement* before) {
  // Linking an element that is already in a list, or in front of one that is not in this list, would
  // corrupt the lists.
  if (!element || element->itsList || (before && before->itsList != this)) {
    return nullptr;
  }
  element->itsList = this;
  element->next = before;
  element->previous = before ? before->previous : last;
  if (element->previous) {
    element->previous->next = element;
  } else {
    first = element;
  }
  if (before) {
    before->previous = element;
  } else {
    last = element;
  }
  ++count;
  return element;
}

ZafElement* ZafList::Subtract(ZafElement* element) {
  // Unlinking an element of another list would corrupt both lists.
  if (!element || element->itsList != this) {
    return nullptr;
  }
  if (current == element) {
    current = element->next ? element->next : element->previous;
  }
  if (element->previous) {
    element->previous->next = element->next;
  } else {
    first = element->next;
  }
  if (element->next) {
    element->next->previous = element->previous;
  } else {
    last = element->previous;
  }
  element->previous = element->next = nullptr;
  element->itsList = nullptr;
  --count;
  return element;
}

void ZafList::Destroy() {
  ZafElement* element = first;
  first = last = current = nullptr;
  count = 0;
  while (element) {
    ZafElement* following = element->next;
    element->itsList = nullptr;
    delete element;
    element = following;
  }
}

void ZafList::Sort() {
  if (!compareFunction) {
    return;
  }
  ZafElement* element = first;
  first = last = nullptr;
  count = 0;
  while (element) {
    ZafElement* following = element->next;
    element->itsList = nullptr;
    Add(element);
    element = following;
  }
}

ZafElement* ZafList::Get(int index) const {
  if (index < 0) {
    return nullptr;
  }
  ZafElement* element = first;
  for (; element && index > 0; --index) {
    element = element->next;
  }
  return element;
}

int ZafList::Index(const ZafElement* element) const {
  if (!element || element->itsList != this) {
    return -1;
  }
  int index = 0;
  for (const ZafElement* scan = first; scan; scan = scan->next, ++index) {
    if (scan == element) {
      return index;
    }
  }
  return -1;
}
