// Feeds arbitrary bytes to the list record readers. Whatever a plain list accepts must write back byte for
// byte the same; whatever a sparse array accepts must hold distinct indexes in rising order; a refused
// record must leave the list as it was.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "foundation/klist.h"
#include "foundation/kmemorystream.h"
#include "foundation/ksparsearray.h"
#include "foundation/kx.h"

namespace {

// Item records as the program's stored items make them: a version word, then one 32-bit value (the index
// for the sparse item).
class ValueItem : public KListItem {
 public:
  void Write(KStream& stream) const override {
    KPersistent::WriteVersion(stream, kFamilyFoundation, 1);
    stream.WriteInt32(value);
  }
  void Read(KStream& stream) override {
    KPersistent::ReadVersion(stream, kFamilyFoundation, 1, 1);
    value = stream.ReadInt32();
  }
  int32_t value = 0;
};

class IndexItem : public KSparseArrayItem {
 public:
  void Write(KStream& stream) const override {
    KPersistent::WriteVersion(stream, kFamilyFoundation, 1);
    stream.WriteInt32(Index());
  }
  void Read(KStream& stream) override {
    KPersistent::ReadVersion(stream, kFamilyFoundation, 1, 1);
    SetId(stream.ReadInt32());
  }
};

void CheckPlainList(const std::vector<uint8_t>& bytes) {
  KMemoryStream stream(bytes);
  KList list;
  list.Add(new ValueItem);
  try {
    list.Read(stream, [] { return new ValueItem; });
  } catch (const KX&) {
    if (list.Count() != 1) {
      std::abort();  // a refused record left items behind
    }
    return;
  }
  delete list.Remove(list.Next(nullptr));
  KMemoryStream written;
  list.Write(written);
  const size_t used = static_cast<size_t>(stream.Position());
  if (written.Bytes() != std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(used))) {
    std::abort();
  }
}

void CheckSparseArray(const std::vector<uint8_t>& bytes) {
  KMemoryStream stream(bytes);
  KSparseArray array;
  try {
    array.Read(stream, [] { return new IndexItem; });
  } catch (const KX&) {
    if (!array.IsEmpty()) {
      std::abort();
    }
    return;
  }
  const KSparseArrayItem* previous = nullptr;
  for (KSparseArrayItem* item = array.Next(nullptr); item != nullptr; item = array.Next(item)) {
    if (previous != nullptr && previous->Index() >= item->Index()) {
      std::abort();
    }
    previous = item;
  }
  if (previous != nullptr && array.FirstIndex() != previous->Index()) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  CheckPlainList(bytes);
  CheckSparseArray(bytes);
  return 0;
}
