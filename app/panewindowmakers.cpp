#include "app/panewindowmakers.h"

#include <array>
#include <cstddef>
#include <utility>

namespace {

constexpr std::size_t kKinds = 3;

std::array<PaneWindowMakers::Maker, kKinds>& Makers() {
  static std::array<PaneWindowMakers::Maker, kKinds> makers;
  return makers;
}

// The kinds are numbered from 1.
PaneWindowMakers::Maker* Slot(PaneKind kind) {
  const auto index = static_cast<std::size_t>(kind) - 1;
  return index < kKinds ? &Makers()[index] : nullptr;
}

}  // namespace

void PaneWindowMakers::Register(PaneKind kind, Maker maker) {
  if (Maker* slot = Slot(kind)) {
    *slot = std::move(maker);
  }
}

bool PaneWindowMakers::Has(PaneKind kind) {
  const Maker* slot = Slot(kind);
  return slot != nullptr && *slot;
}

PaneWindow* PaneWindowMakers::Make(PaneKind kind, QvZEventMDI* owner) {
  const Maker* slot = Slot(kind);
  return slot != nullptr && *slot ? (*slot)(owner) : nullptr;
}
