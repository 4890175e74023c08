#pragma once
// A list kept in the order of its items' own ordering test. A new item goes before the first member it does
// not go after, else at the end; so among items that compare equal the newest comes first.

#include <cstdint>

#include "foundation/klist.h"

class KSortedListItem : public KListItem {
 public:
  const char* ClassName() const override { return "KSortedListItem"; }
  // True when this item belongs after the other one.
  virtual bool GoesAfter(const KSortedListItem& other) const = 0;
};

// Derives privately from KList so that no position-based insertion can break the order.
class KSortedList : private KList {
 public:
  using KList::Clear;
  using KList::Count;
  using KList::ItemFactory;
  using KList::kRecordWord;
  using KList::Read;
  using KList::Write;

  // Places the item by the ordering rule; returns its index, or -1 (nothing done) when it is null or
  // already in a list.
  int32_t Add(KSortedListItem* item);
  // Puts the items back in order after their ordering keys changed. Stable: items that compare equal keep
  // their relative order.
  void Sort();
  KSortedListItem* Remove(KSortedListItem* item);
  KSortedListItem* Next(const KSortedListItem* item) const;
  KSortedListItem* Prev(const KSortedListItem* item) const;
  KSortedListItem* Item(int32_t index) const;

 protected:
  // Read items are placed one by one by the ordering rule.
  void AdoptRead(KList& items) override;
};
