#pragma once
// A table of objects reached through opaque handles. A handle packs the slot index (plus one, so no handle is
// null) with the slot's generation; freeing a slot bumps its generation, so a stale handle never reaches the
// object that later reuses the slot.

#include <cstdint>
#include <memory>
#include <vector>

namespace native {

template <typename Object, typename Handle>
class HandleTable {
 public:
  Handle add(std::unique_ptr<Object> object) {
    std::size_t index = freeSlots_.empty() ? slots_.size() : freeSlots_.back();
    if (index == slots_.size()) {
      if (index >= kMaxSlots) {
        return Handle{};
      }
      slots_.push_back(Slot{});
    } else {
      freeSlots_.pop_back();
    }
    Slot& slot = slots_[index];
    slot.object = std::move(object);
    return encode(index, slot.generation);
  }

  Object* find(Handle handle) const {
    std::uint64_t value = reinterpret_cast<std::uintptr_t>(handle);
    std::uint64_t indexPlusOne = value & kIndexMask;
    if (indexPlusOne == 0 || indexPlusOne > slots_.size()) {
      return nullptr;
    }
    const Slot& slot = slots_[indexPlusOne - 1];
    if ((value >> kIndexBits) != slot.generation) {
      return nullptr;
    }
    return slot.object.get();
  }

  // Takes the object out of the table; its handle is dead from now on.
  std::unique_ptr<Object> remove(Handle handle) {
    if (find(handle) == nullptr) {
      return nullptr;
    }
    std::size_t index = (reinterpret_cast<std::uintptr_t>(handle) & kIndexMask) - 1;
    Slot& slot = slots_[index];
    std::unique_ptr<Object> object = std::move(slot.object);
    slot.generation = slot.generation == kMaxGeneration ? 1 : slot.generation + 1;
    freeSlots_.push_back(index);
    return object;
  }

  std::size_t size() const { return slots_.size() - freeSlots_.size(); }

 private:
  // 24 bits of index and 32 of generation keep every handle far from the small values that some calls give a
  // meaning of their own (0, 1, -1, -2 as insert-after positions).
  static constexpr unsigned kIndexBits = 24;
  static constexpr std::uint64_t kIndexMask = (std::uint64_t{1} << kIndexBits) - 1;
  static constexpr std::size_t kMaxSlots = kIndexMask - 1;
  static constexpr std::uint64_t kMaxGeneration = 0xFFFFFFFFu;

  struct Slot {
    std::uint64_t generation = 1;
    std::unique_ptr<Object> object;
  };

  static Handle encode(std::size_t index, std::uint64_t generation) {
    return reinterpret_cast<Handle>(static_cast<std::uintptr_t>((generation << kIndexBits) | (index + 1)));
  }

  std::vector<Slot> slots_;
  std::vector<std::size_t> freeSlots_;
};

}  // namespace native
