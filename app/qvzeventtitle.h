// The column titles above the summary pane, for the kind of the pane's current row. The user drags the
// borders between them; the column edges live in the event's view, for each kind of row.
#ifndef APP_QVZEVENTTITLE_H
#define APP_QVZEVENTTITLE_H

#include <cstdint>

#include "toolkit/kzsizer.h"

class QvEventView;
class QvZEventPane;

class QvZEventTitle : public KZSizer {
 public:
  QvZEventTitle(QvZEventPane* pane, QvEventView* view);
  ~QvZEventTitle() override;

  // Follows the view (null: none) and redisplays.
  void SetView(QvEventView* view);

  int32_t CellCount() override;
  int32_t BoundaryPosition(int32_t index) override;
  // The dragged border is the left edge of the column after it.
  void MoveBoundary(int32_t index, int32_t position) override;
  void CellText(int32_t index, KString& text, uint32_t& textFlags) override;

 private:
  // The kind of the pane's current row, -1 when none.
  int32_t Kind() const;

  QvZEventPane* itsPane;
  QvEventView* itsView = nullptr;
};

#endif
