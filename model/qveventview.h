#pragma once
// The event's view for the summary window: it walks the event's items as rows (the event, its starts, its
// wind readings, then each leg followed by its results and its images), keeps the left edges of the
// columns for each kind of row, and remembers the window's scroll position and current cell.

#include <array>
#include <cstdint>

#include "foundation/kpoint.h"

struct KMessage;
class KListItem;
class QvEvent;
class YLeg;
class YStart;
class YWind;

class QvEventView {
 public:
  enum RowKind : int32_t { kNone = -1, kEventRow = 0, kStartRow, kWindRow, kLegRow, kResultsRow, kImageRow };
  static constexpr int32_t kKindCount = 6;
  static constexpr int32_t kColumnCount = 5;

  // The window that shows or owns the view.
  class Window {
   public:
    virtual ~Window() = default;
    virtual void Notify(const KMessage& message) = 0;
  };

  // Walks the rows of a view in order.
  class Iterator {
   public:
    void Init(const QvEventView& view);
    // Moves to the row; false (and no row) outside the rows.
    bool Reset(int32_t row);
    // Moves to the next row; false past the last.
    bool Next() { return Reset(row + 1); }
    RowKind State() const { return kind; }
    int32_t Row() const { return row; }
    // The row's objects: the leg for leg, results and image rows; null where a row has none.
    YStart* Start() const { return start; }
    YWind* Wind() const { return wind; }
    YLeg* Leg() const { return leg; }
    KListItem* Image() const { return image; }

   private:
    const QvEventView* itsView = nullptr;
    int32_t row = -1;
    RowKind kind = kNone;
    YStart* start = nullptr;
    YWind* wind = nullptr;
    YLeg* leg = nullptr;
    KListItem* image = nullptr;
  };

  explicit QvEventView(QvEvent* event);
  QvEventView(const QvEventView&) = delete;
  QvEventView& operator=(const QvEventView&) = delete;

  QvEvent* GetRoot() const { return itsEvent; }
  int32_t CountItems() const;

  // The left edge of a column for a kind of row, and its width up to the next column (the last column
  // reaches to the default width); 0 outside the kinds and columns.
  int32_t GetCell(int32_t kind, int32_t column) const;
  int32_t GetSpan(int32_t kind, int32_t column) const;
  // Moves a column's left edge, keeping the edges in order between its neighbours.
  void SetCell(int32_t kind, int32_t column, int32_t left);

  const KPoint& GetRange1() const { return range1; }
  const KPoint& GetRange2() const { return range2; }
  void SetRange1(const KPoint& position) { range1 = position; }
  void SetRange2(const KPoint& cell) { range2 = cell; }

  Window* GetMode() const { return itsWindow; }
  void SetMode(Window* window) { itsWindow = window; }
  Window* GetOwner() const { return itsOwner; }
  void SetOwner(Window* window) { itsOwner = window; }
  void Deliver(const KMessage& message) const;

 private:
  QvEvent* itsEvent;
  std::array<std::array<int32_t, kColumnCount>, kKindCount> cells;
  KPoint range1{0, 0};
  KPoint range2{0, 0};
  Window* itsWindow = nullptr;
  Window* itsOwner = nullptr;
};
