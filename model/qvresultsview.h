#pragma once
// The results window's view of a result list: a filter with the nine result columns (lane, status, id,
// first name, last name, affiliation, licence, reaction time, power), whose widths are Int settings the
// user drags, and the window that shows it. Also keeps the lane-in-use settings of the group
// "\Event\Results\Lanes\Missing\", which decide which default lanes start as not in use.

#include <array>
#include <cstdint>

#include "model/qvresultfilter.h"
#include "model/racelanes.h"

struct KMessage;

class QvResultsView : public QvResultFilter {
 public:
  static constexpr int32_t kColumnCount = 9;
  static constexpr int32_t kLaneSettingCount = kMostLanes;

  // The window that shows a results view.
  class Window {
   public:
    virtual ~Window() = default;
    // Redraws the row of the result and makes it the current row.
    virtual void ShowResult(QvResult& result) = 0;
    // A change or a leg notification concerning the list.
    virtual void Notify(const KMessage& message) = 0;
  };

  explicit QvResultsView(QvResults* results) : QvResultFilter(results) {}

  Window* GetMode() const { return itsWindow; }
  // The window that receives the view's notifications; null detaches.
  void SetMode(Window* window) { itsWindow = window; }
  void Deliver(const KMessage& message) const;
  void ShowResult(QvResult& result) const;

  // Lays the columns out from their width settings for a pane `width` pixels wide, none narrower than its
  // `least` width (its title's, say); the last column takes what is left. Does nothing when the width is
  // the last one and `changed` is false.
  void RelayoutColumns(int32_t width, bool changed, const std::array<int32_t, kColumnCount>& least = {});
  // Lays the columns out on a page `width` wide, which has nothing beyond its edge: as RelayoutColumns
  // does with each column's full width (`least`, its title's, or `widest`, its widest entry's, whichever is
  // more) as its least when they fit. Else the columns give up width in turn until they fit, each step in
  // proportion to what each column has above what it keeps: first what the user gave above the full
  // widths; then the free texts (names, affiliation, licence) down to their titles' widths, the lane,
  // status, id, reaction time and power keeping their full widths; at last all columns. The next
  // RelayoutColumns lays out again.
  void FitColumns(int32_t width, const std::array<int32_t, kColumnCount>& least,
                  const std::array<int32_t, kColumnCount>& widest);
  // The left edge of a column and, for kColumnCount, the right end of the last one.
  int32_t ColumnStart(int32_t column) const;
  // Clamps the width to the column's bounds and stores it as the column's Int setting; the layout is made
  // again at the next RelayoutColumns. True when the stored width changed.
  bool SetColumnWidth(int32_t column, int32_t width);
  // The column's width setting, or its default.
  static int32_t ColumnWidth(int32_t column);
  static constexpr int32_t kMinColumnWidth = 8;
  static constexpr int32_t kMaxColumnWidth = 1000;

  // True when lane index 0 to kLaneSettingCount - 1 has its setting and it is not 0 (the lane is in use).
  static bool IsSpecialLengthSet(int32_t lane);
  // Writes 1 or 0 into the lane's setting when it differs; true when it wrote.
  static bool EnableSpecialLength(int32_t lane, bool on);
  // Class set-up: creates the lane settings, all 1, where they are missing.
  static void Setup();

 private:
  Window* itsWindow = nullptr;
  std::array<int32_t, kColumnCount + 1> columnStarts{};
  int32_t laidOutWidth = -1;
};
