#pragma once
// The program's owning, intrusive, doubly linked list. Each item knows the list that owns it and its
// neighbours, and is in at most one list at a time; the list deletes its items when cleared or destroyed.
// The order is exactly the order of insertion.

#include <cstdint>
#include <functional>

#include "foundation/kpersistent.h"

class KList;
class KStream;

// Base of every list item. Read and Write store nothing here; stored items override them, and every such
// record begins with its version word, as all stored records do.
class KListItem : public KPersistent {
 public:
  KListItem() = default;
  // An item belongs to one list; a copy starts outside any list.
  KListItem(const KListItem&) : KPersistent() {}
  KListItem& operator=(const KListItem&) { return *this; }
  // Unlinks the item from its list.
  ~KListItem() override;

  void Read(KStream& stream) override;
  void Write(KStream& stream) const override;
  virtual const char* ClassName() const { return "KListItem"; }
  // The position from 0 in the owning list, -1 when the item is in no list.
  virtual int32_t Index() const;

  // The list that owns the item, null when it is in none.
  KList* OwnerList() const { return itsList; }

 private:
  friend class KList;
  KList* itsList = nullptr;
  KListItem* next = nullptr;
  KListItem* previous = nullptr;
};

class KList {
 public:
  // The stored record: this word, the item count, then each item's record.
  static constexpr uint32_t kRecordWord = 0x10007;
  // Creates an empty item of the right class for the record that follows; it must not return null.
  using ItemFactory = std::function<KListItem*()>;

  KList() = default;
  KList(const KList&) = delete;
  KList& operator=(const KList&) = delete;
  virtual ~KList();

  // Appends the item; returns its index, or -1 (nothing done) when it is null or already in a list.
  int32_t Add(KListItem* item);
  // Position 0 puts the item at the head, an index inside the list before the item there, anything else
  // (negative or past the end) at the end. Returns the item's index, or -1 (nothing done) when it is null or
  // already in a list.
  int32_t Insert(KListItem* item, int32_t position);
  // Unlinks the item without deleting it; null when it is not a member of this list.
  KListItem* Remove(KListItem* item);
  // The item after the given one; the first for null; null at the end.
  KListItem* Next(const KListItem* item) const;
  // The item before the given one; the last for null; null at the head.
  KListItem* Prev(const KListItem* item) const;
  // The item at the index, null when the index is outside the list.
  KListItem* Item(int32_t index) const;
  int32_t Count() const { return count; }
  // Moves every item of the other list, in order, to the end of this one.
  void TakeAll(KList& other);
  // Deletes every item.
  void Clear();

  void Write(KStream& stream) const;
  // Reads a stored list, making each item with the factory and then reading it, and appends the items at
  // the end. A wrong version word throws KXPersistent 3009; a count that is negative, above `maximum` or
  // larger than the stream's remaining bytes could hold throws 3010 before anything is made. On any
  // failure the list is left as it was: the items read so far are deleted.
  void Read(KStream& stream, const ItemFactory& factory, int32_t maximum = INT32_MAX);

 protected:
  // Receives the items of a completed Read; this list appends them. Ordered lists override it to place each
  // item by their own rule. On an exception the items still in `items` are deleted with it.
  virtual void AdoptRead(KList& items);
  // Links a free item before `before`, or at the end for null.
  void InsertBefore(KListItem* item, KListItem* before);

 private:
  KListItem* head = nullptr;
  KListItem* tail = nullptr;
  int32_t count = 0;
};
