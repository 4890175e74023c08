#include "foundation/ksortedlist.h"

#include <vector>

#include "foundation/kx.h"

int32_t KSortedList::Add(KSortedListItem* item) {
  if (item == nullptr || item->OwnerList() != nullptr) {
    return -1;
  }
  int32_t position = 0;
  for (KSortedListItem* member = Next(nullptr); member != nullptr; member = Next(member), ++position) {
    if (!item->GoesAfter(*member)) {
      InsertBefore(item, member);
      return position;
    }
  }
  return KList::Add(item);
}

void KSortedList::Sort() {
  std::vector<KSortedListItem*> items;
  items.reserve(static_cast<size_t>(Count()));
  while (KListItem* item = KList::Next(nullptr)) {
    items.push_back(static_cast<KSortedListItem*>(KList::Remove(item)));
  }
  // Adding goes before equal members, so adding from the last item back keeps equal items in their order.
  // Built on Add rather than a library sort: the ordering test need not be a strict weak order.
  for (auto item = items.rbegin(); item != items.rend(); ++item) {
    Add(*item);
  }
}

KSortedListItem* KSortedList::Remove(KSortedListItem* item) {
  return static_cast<KSortedListItem*>(KList::Remove(item));
}

KSortedListItem* KSortedList::Next(const KSortedListItem* item) const {
  return static_cast<KSortedListItem*>(KList::Next(item));
}

KSortedListItem* KSortedList::Prev(const KSortedListItem* item) const {
  return static_cast<KSortedListItem*>(KList::Prev(item));
}

KSortedListItem* KSortedList::Item(int32_t index) const {
  return static_cast<KSortedListItem*>(KList::Item(index));
}

void KSortedList::AdoptRead(KList& items) {
  // The factory of a sorted list must make sorted items; check them all before moving any, so that a
  // refusal leaves this list as it was.
  for (KListItem* item = items.Next(nullptr); item != nullptr; item = items.Next(item)) {
    if (dynamic_cast<KSortedListItem*>(item) == nullptr) {
      throw KXPersistent(kErrFileContents);
    }
  }
  while (KListItem* item = items.Next(nullptr)) {
    items.Remove(item);
    Add(static_cast<KSortedListItem*>(item));
  }
}
