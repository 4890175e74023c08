#pragma once
// The column titles above the results table. The user drags the borders between them; the widths live in
// the results view, which keeps each as a setting, so the table follows at once and after a restart.

#include <cstdint>

#include "toolkit/kzsizer.h"

class QvResultsView;
class QvZResultsPane;

class QvZResultsTitle : public KZSizer {
 public:
  QvZResultsTitle(QvZResultsPane* pane, QvResultsView* view);
  ~QvZResultsTitle() override;

  // Follows the view (null: none) and redisplays.
  void SetView(QvResultsView* view);
  QvResultsView* View() const { return itsView; }

  int32_t CellCount() override;
  // The start of a column in the view, for an index clamped to the columns and the end of the last.
  int32_t BoundaryPosition(int32_t index) override;
  // The dragged border gives the column before it the new width.
  void MoveBoundary(int32_t index, int32_t position) override;
  void CellText(int32_t index, KString& text, uint32_t& textFlags) override;
  // A drag that starts lays the view's columns out again, so it begins from the widths the table shows.
  void SetDragIndex(int32_t index) override;
  // The view lays its columns out for the strip's width first.
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  // Lays the view's columns out for the table's width, each at least as wide as its title.
  void LayOutColumns(bool changed);

 private:
  // The columns are laid out for the table's width, which the strip shares.
  int32_t TableWidth() const;

  QvZResultsPane* itsPane;
  QvResultsView* itsView = nullptr;
};
