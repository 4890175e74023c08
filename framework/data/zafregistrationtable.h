// A registration table of the persistence contexts: rows of (class ID, name, pointer) kept in registration
// order, for the constructors by class, the compare functions, the user functions and the user objects. Names
// are owned copies compared case-sensitively; a name registered twice keeps its first row. Like the
// framework's other registration tables it starts with room for 5 rows and grows by 5.
#ifndef FRAMEWORK_DATA_ZAFREGISTRATIONTABLE_H
#define FRAMEWORK_DATA_ZAFREGISTRATIONTABLE_H

#include <memory>
#include <vector>

#include "framework/data/zafstrlib.h"
#include "framework/data/zaftypes.h"

template <typename Pointer>
class ZafRegistrationTable {
 public:
  // False, with the table unchanged, when the name is missing or a row of that name exists.
  bool Add(const ZafIChar* name, ZafClassID classID, Pointer pointer) {
    if (!name || !*name || FindName(name)) {
      return false;
    }
    if (rows.size() == rows.capacity()) {
      rows.reserve(rows.size() + kGrowth);
    }
    rows.push_back(Row{classID, std::unique_ptr<ZafIChar[]>(ZafStrDup(name)), pointer});
    return true;
  }

  // The first row whose ID equals a non-zero `classID`, or whose name equals `name`.
  const ZafIChar* NameOf(ZafClassID classID) const {
    const auto* row = FindClass(classID, nullptr);
    return row ? row->name.get() : nullptr;
  }
  Pointer Find(ZafClassID classID, const ZafIChar* name) const {
    const auto* row = FindClass(classID, name);
    return row ? row->pointer : Pointer{};
  }
  Pointer Find(const ZafIChar* name) const {
    const auto* row = FindName(name);
    return row ? row->pointer : Pointer{};
  }
  // The class ID registered under the name; 0 when none.
  ZafClassID ClassIDOf(const ZafIChar* name) const {
    const auto* row = FindName(name);
    return row ? row->classID : 0;
  }
  // The name of the first row holding the pointer, or null.
  const ZafIChar* NameOfPointer(Pointer pointer) const {
    for (const Row& row : rows) {
      if (row.pointer == pointer) {
        return row.name.get();
      }
    }
    return nullptr;
  }

  // Removes the first matching row (as Find); true when one went. The last row taken frees the table.
  bool Subtract(ZafClassID classID, const ZafIChar* name) {
    const Row* row = FindClass(classID, name);
    if (!row) {
      return false;
    }
    rows.erase(rows.begin() + (row - rows.data()));
    if (rows.empty()) {
      Clear();
    }
    return true;
  }

  void Clear() { std::vector<Row>().swap(rows); }
  int Count() const { return static_cast<int>(rows.size()); }

  // Calls `visit(name, classID, pointer)` for every row in order.
  template <typename Visitor>
  void ForEach(Visitor visit) const {
    for (const Row& row : rows) {
      visit(row.name.get(), row.classID, row.pointer);
    }
  }

 private:
  static constexpr std::size_t kGrowth = 5;

  struct Row {
    ZafClassID classID;
    std::unique_ptr<ZafIChar[]> name;
    Pointer pointer;
  };

  const Row* FindName(const ZafIChar* name) const {
    for (const Row& row : rows) {
      if (ZafStrCmpNullSafe(row.name.get(), name) == 0) {
        return &row;
      }
    }
    return nullptr;
  }
  const Row* FindClass(ZafClassID classID, const ZafIChar* name) const {
    for (const Row& row : rows) {
      if ((classID != 0 && row.classID == classID) ||
          (name && ZafStrCmpNullSafe(row.name.get(), name) == 0)) {
        return &row;
      }
    }
    return nullptr;
  }

  std::vector<Row> rows;
};

#endif
