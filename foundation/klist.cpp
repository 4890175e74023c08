#include "foundation/klist.h"

#include "foundation/kstream.h"
#include "foundation/kx.h"

namespace {

// Every stored item record starts with a 32-bit version word, so no item takes fewer bytes than that.
constexpr int32_t kSmallestItemRecord = 4;

}  // namespace

KListItem::~KListItem() {
  if (itsList != nullptr) {
    itsList->Remove(this);
  }
}

void KListItem::Read(KStream&) {}
void KListItem::Write(KStream&) const {}

int32_t KListItem::Index() const {
  if (itsList == nullptr) {
    return -1;
  }
  int32_t index = 0;
  for (const KListItem* item = itsList->Next(nullptr); item != this; item = item->next) {
    ++index;
  }
  return index;
}

KList::~KList() {
  Clear();
}

void KList::InsertBefore(KListItem* item, KListItem* before) {
  item->itsList = this;
  item->next = before;
  item->previous = before != nullptr ? before->previous : tail;
  if (item->previous != nullptr) {
    item->previous->next = item;
  } else {
    head = item;
  }
  if (before != nullptr) {
    before->previous = item;
  } else {
    tail = item;
  }
  ++count;
}

int32_t KList::Add(KListItem* item) {
  if (item == nullptr || item->itsList != nullptr) {
    return -1;
  }
  InsertBefore(item, nullptr);
  return count - 1;
}

int32_t KList::Insert(KListItem* item, int32_t position) {
  if (item == nullptr || item->itsList != nullptr) {
    return -1;
  }
  KListItem* before = Item(position);
  InsertBefore(item, before);
  return before != nullptr ? position : count - 1;
}

KListItem* KList::Remove(KListItem* item) {
  if (item == nullptr || item->itsList != this) {
    return nullptr;
  }
  (item->previous != nullptr ? item->previous->next : head) = item->next;
  (item->next != nullptr ? item->next->previous : tail) = item->previous;
  item->itsList = nullptr;
  item->next = nullptr;
  item->previous = nullptr;
  --count;
  return item;
}

KListItem* KList::Next(const KListItem* item) const {
  if (item == nullptr) {
    return head;
  }
  return item->itsList == this ? item->next : nullptr;
}

KListItem* KList::Prev(const KListItem* item) const {
  if (item == nullptr) {
    return tail;
  }
  return item->itsList == this ? item->previous : nullptr;
}

KListItem* KList::Item(int32_t index) const {
  if (index < 0 || index >= count) {
    return nullptr;
  }
  // Walk from whichever end is nearer.
  if (index < count / 2) {
    KListItem* item = head;
    for (int32_t i = 0; i < index; ++i) {
      item = item->next;
    }
    return item;
  }
  KListItem* item = tail;
  for (int32_t i = count - 1; i > index; --i) {
    item = item->previous;
  }
  return item;
}

void KList::TakeAll(KList& other) {
  if (&other == this) {
    return;
  }
  while (KListItem* item = other.head) {
    other.Remove(item);
    InsertBefore(item, nullptr);
  }
}

void KList::Clear() {
  // Each item's destructor unlinks it, which moves the head on.
  while (head != nullptr) {
    delete head;
  }
}

void KList::Write(KStream& stream) const {
  stream.WriteUInt32(kRecordWord);
  stream.WriteInt32(count);
  for (const KListItem* item = head; item != nullptr; item = item->next) {
    item->Write(stream);
  }
}

void KList::Read(KStream& stream, const ItemFactory& factory, int32_t maximum) {
  uint16_t family = static_cast<uint16_t>(kRecordWord >> 16);
  uint16_t version = static_cast<uint16_t>(kRecordWord & 0xFFFF);
  KPersistent::ReadVersion(stream, family, version, version);
  int32_t itemCount = KPersistent::ReadCount(stream, kSmallestItemRecord, maximum);
  // The items are gathered in a list of their own, which deletes them should reading fail part way.
  KList read;
  for (int32_t i = 0; i < itemCount; ++i) {
    KListItem* item = factory();
    // A factory that cannot make the item (or hands out one that is already listed) has no place to read
    // the record into.
    if (read.Add(item) < 0) {
      throw KXPersistent(kErrFileContents);
    }
    item->Read(stream);
  }
  AdoptRead(read);
}

void KList::AdoptRead(KList& items) {
  TakeAll(items);
}
