#include "foundation/ksparsearray.h"

#include <algorithm>
#include <vector>

#include "foundation/kx.h"

namespace {

KSparseArrayItem* AsSparse(KListItem* item) {
  return static_cast<KSparseArrayItem*>(item);
}

}  // namespace

bool KSparseArray::Add(KSparseArrayItem* item) {
  if (item == nullptr || item->OwnerList() != nullptr) {
    return false;
  }
  int32_t index = item->Index();
  // Walk back from the end: items are mostly added in rising order, which makes this one step.
  KListItem* before = nullptr;
  for (KListItem* member = KList::Prev(nullptr); member != nullptr; member = KList::Prev(member)) {
    int32_t memberIndex = AsSparse(member)->Index();
    if (memberIndex == index) {
      return false;
    }
    if (memberIndex < index) {
      break;
    }
    before = member;
  }
  InsertBefore(item, before);
  return true;
}

KSparseArrayItem* KSparseArray::Item(int32_t index) const {
  for (KListItem* member = KList::Next(nullptr); member != nullptr; member = KList::Next(member)) {
    int32_t memberIndex = AsSparse(member)->Index();
    if (memberIndex == index) {
      return AsSparse(member);
    }
    if (memberIndex > index) {
      break;
    }
  }
  return nullptr;
}

KSparseArrayItem* KSparseArray::Next(const KSparseArrayItem* item) const {
  return AsSparse(KList::Next(item));
}

KSparseArrayItem* KSparseArray::Remove(KSparseArrayItem* item) {
  return AsSparse(KList::Remove(item));
}

int32_t KSparseArray::FirstIndex() const {
  KListItem* last = KList::Prev(nullptr);
  return last != nullptr ? AsSparse(last)->Index() : kNoIndex;
}

void KSparseArray::AdoptRead(KList& items) {
  std::vector<int32_t> indexes;
  indexes.reserve(static_cast<size_t>(items.Count()));
  for (KListItem* item = items.Next(nullptr); item != nullptr; item = items.Next(item)) {
    auto* sparse = dynamic_cast<KSparseArrayItem*>(item);
    if (sparse == nullptr || Item(sparse->Index()) != nullptr) {
      throw KXPersistent(kErrFileContents);
    }
    indexes.push_back(sparse->Index());
  }
  std::sort(indexes.begin(), indexes.end());
  if (std::adjacent_find(indexes.begin(), indexes.end()) != indexes.end()) {
    throw KXPersistent(kErrFileContents);
  }
  while (KListItem* item = items.Next(nullptr)) {
    items.Remove(item);
    Add(AsSparse(item));
  }
}
