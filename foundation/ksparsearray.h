#pragma once
// Items looked up by a signed 32-bit index and kept in rising order of it, with gaps allowed: the blocks of
// an image by block number, the views of an image, the overlays by number.

#include <cstdint>

#include "foundation/klist.h"
#include "foundation/kmessage.h"

// An item's index is its message-object id: -1 until set with SetId, which must happen before the item is
// added (changing it while in an array would break the order).
class KSparseArrayItem : public KListItem, public KMessageObject {
 public:
  explicit KSparseArrayItem(KMessageObject* owner = nullptr) : KMessageObject(owner, -1) {}

  const char* ClassName() const override { return "KSparseArrayItem"; }
  // The item's key in its array (not its position).
  int32_t Index() const override { return Id(); }
};

// Derives privately from KList so that no position-based insertion can break the order.
class KSparseArray : private KList {
 public:
  // What FirstIndex gives for an empty array.
  static constexpr int32_t kNoIndex = static_cast<int32_t>(0x80000000);

  using KList::Clear;
  using KList::Count;
  using KList::ItemFactory;
  using KList::kRecordWord;
  using KList::Read;
  using KList::Write;

  // Inserts the item in index order; false (nothing done) when it is null, already in a list, or its index
  // is already in use here.
  bool Add(KSparseArrayItem* item);
  // The item with that index, null when absent.
  KSparseArrayItem* Item(int32_t index) const;
  // The item after the given one in index order; the first for null; null at the end.
  KSparseArrayItem* Next(const KSparseArrayItem* item) const;
  bool IsEmpty() const { return Count() == 0; }
  // Unlinks the item without deleting it; null when it is not a member.
  KSparseArrayItem* Remove(KSparseArrayItem* item);
  // Despite its name, the index of the last item, the highest in use; kNoIndex when empty.
  int32_t FirstIndex() const;

 protected:
  // Read items are placed by their index; duplicate indexes (among them or with items already here) make
  // the whole read fail with KXPersistent 3010 and leave the array as it was.
  void AdoptRead(KList& items) override;
};
