#include "framework/data/zafnotification.h"

#include <vector>

namespace {

constexpr int kGrowth = 5;

ZafULong KindBit(ZafUpdateType kind) {
  return kind == ZAF_UPDATE_DATA ? 1 : 2;
}

}  // namespace

ZafNotification::~ZafNotification() {
  for (Delivery* delivery = deliveries; delivery; delivery = delivery->outer) {
    delivery->listDeleted = true;
  }
}

ZafULong ZafNotification::SetState(ZafULong newState) {
  state = newState;
  return state;
}

ZafULong ZafNotification::SetData(ZafElement* object, ZafULong data) {
  Row* row = FindRow(object, nullptr, true);
  if (!row) {
    return 0;
  }
  row->data = data;
  return data;
}

ZafNotification::Row* ZafNotification::FindRow(ZafElement* object, ZafUpdateFunction function,
                                               bool anyFunction) const {
  for (int index = 0; index < used; ++index) {
    Row& row = rows[index];
    if (!row.removed && row.object == object && (anyFunction || row.function == function)) {
      return &row;
    }
  }
  return nullptr;
}

ZafElement* ZafNotification::Add(ZafElement* object, ZafUpdateFunction function, ZafULong data) {
  if (!object || FindRow(object, function, false)) {
    return object;
  }
  if (!rows) {
    rows = std::make_unique<Row[]>(kGrowth);
    tableSize = kGrowth;
  } else if ((used + 1) % kGrowth == 0) {
    // The rows in use, the new one and the end row, with room for four more.
    const int newSize = used + kGrowth + 1;
    auto grown = std::make_unique<Row[]>(newSize);
    for (int index = 0; index < used; ++index) {
      grown[index] = rows[index];
    }
    rows = std::move(grown);
    tableSize = newSize;
  }
  rows[used++] = Row{object, function, data, false};
  ++live;
  return object;
}

void ZafNotification::Subtract(ZafElement* object, ZafUpdateFunction function) {
  Row* row = FindRow(object, function, function == nullptr);
  if (row) {
    RemoveRow(static_cast<int>(row - rows.get()));
  }
}

void ZafNotification::RemoveRow(int index) {
  --live;
  if (deliveries) {
    // A delivery is walking the table: mark the row, so that no index moves under it.
    rows[index].removed = true;
    return;
  }
  for (int next = index + 1; next < used; ++next) {
    rows[next - 1] = rows[next];
  }
  rows[--used] = Row{};
  if (used == 0) {
    FreeTable();
  }
}

void ZafNotification::Compact() {
  int kept = 0;
  for (int index = 0; index < used; ++index) {
    if (!rows[index].removed) {
      rows[kept++] = rows[index];
    }
  }
  for (int index = kept; index < used; ++index) {
    rows[index] = Row{};
  }
  used = kept;
  if (used == 0) {
    FreeTable();
  }
}

void ZafNotification::FreeTable() {
  rows.reset();
  tableSize = 0;
  used = 0;
  live = 0;
}

ZafULong ZafNotification::Data(ZafElement* object) const {
  const Row* row = FindRow(object, nullptr, true);
  return row ? row->data : 0;
}

void ZafNotification::Reset() {
  if (deliveries) {
    for (int index = 0; index < used; ++index) {
      rows[index].removed = true;
    }
    live = 0;
    return;
  }
  FreeTable();
}

int ZafNotification::UpdateObjects(ZafElement* object) {
  return Deliver(ZAF_UPDATE_OBJECTS, object);
}

int ZafNotification::UpdateData(ZafElement* object) {
  return Deliver(ZAF_UPDATE_DATA, object);
}

void ZafNotification::ReleaseObservers() {
  std::vector<Row> told;
  for (int index = 0; index < used; ++index) {
    if (!rows[index].removed && rows[index].function) {
      told.push_back(rows[index]);
    }
  }
  // Emptied first, so that an observer letting go of the object finds nothing left to subtract.
  Reset();
  for (const Row& row : told) {
    row.function(row.object, ZAF_UPDATE_RELEASED);
  }
}

int ZafNotification::Deliver(ZafUpdateType kind, ZafElement* object) {
  const ZafULong bit = KindBit(kind);
  if (!rows || !(state & bit)) {
    return 1;
  }
  state &= ~bit;
  Delivery delivery{deliveries};
  deliveries = &delivery;
  // Only the rows present now are visited; indexes stay valid because nothing moves during a delivery.
  const int visit = used;
  for (int index = 0; index < visit && index < used; ++index) {
    const Row row = rows[index];
    if (row.removed || !row.function || !(row.data & bit) || (object && row.object != object)) {
      continue;
    }
    row.function(row.object, kind);
    if (delivery.listDeleted) {
      // The data object went away inside the call: touch nothing of it any more.
      return 0;
    }
  }
  deliveries = delivery.outer;
  state |= bit;
  if (!deliveries) {
    Compact();
  }
  return 0;
}
