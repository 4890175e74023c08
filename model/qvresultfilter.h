#pragma once
// How a window sees a result list: in what order (every result is shown, lanes not in use too, drawn in
// their own colour), and where the window stood
// (its scroll position, and its current cell whose row is the selected result, -1 none). The position is
// kept here so that the next window on the same list opens where the last one stopped.

#include <compare>
#include <cstdint>

#include "foundation/kpoint.h"

class QvResult;
class QvResults;

class QvResultFilter {
 public:
  // Orders a filter can give: the list's own, by reaction time, by main (finish) time, by lane number.
  // Results that lack the key come after those that have it; ties keep the list order.
  enum SortKey : int32_t { kListOrder = 0, kByReactionTime = 1, kByMainTime = 2, kByLane = 3 };
  // Asks a list operation to use the filter's own order.
  static constexpr int32_t kOwnOrder = -1;

  explicit QvResultFilter(QvResults* results) : itsResults(results) {}
  QvResultFilter(const QvResultFilter&) = delete;
  QvResultFilter& operator=(const QvResultFilter&) = delete;
  virtual ~QvResultFilter() = default;

  QvResults* GetResults() const { return itsResults; }
  int32_t GetSortKey() const { return sortKey; }
  void SetSortKey(int32_t key) { sortKey = key; }
  // Compares two results by `key` (kOwnOrder: the filter's); equivalent results keep their list order.
  std::weak_ordering Compare(const QvResult& a, const QvResult& b, int32_t key) const;

  const KPoint& GetRange1() const { return range1; }
  const KPoint& GetRange2() const { return range2; }
  void SetRange1(const KPoint& position) { range1 = position; }
  void SetRange2(const KPoint& cell) { range2 = cell; }
  // The selected row of the current cell, -1 none.
  int32_t SelectedRow() const { return range2.y; }

 private:
  QvResults* itsResults;
  int32_t sortKey = kByLane;
  KPoint range1{0, 0};
  KPoint range2{0, -1};
};
