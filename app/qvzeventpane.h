// The summary pane: the items of an event as a grid, one row per item of the event's view (the event, its
// starts and wind readings, its legs with their results and images). Some cells are edited in place, the
// wind's units and mode and an image's frame layout are chosen from pop-up menus, and the information
// button opens the camera dialog on an image row. The pane keeps its scroll position and current cell in
// the view, so the next window over the same view starts where this one stopped.
#ifndef APP_QVZEVENTPANE_H
#define APP_QVZEVENTPANE_H

#include <cstdint>
#include <memory>

#include "model/qveventview.h"
#include "toolkit/kzeditableselector.h"

class KZPopUpMenu;
class QvEvent;
class QvZEventTitle;
class QvZEventWindow;
class YImage;

class QvZEventPane : public KZEditableSelector {
 public:
  static constexpr ZafEventType kHardwareChanged = 10186;
  static constexpr ZafEventType kInformation = 10187;
  static constexpr ZafEventType kSelectWind = 10189;
  // The pop-up commands: wind mode 0 to 5, type-101 density 0 to 2, frame layout 0 to 3, units 0 to 2
  // and none.
  static constexpr ZafEventType kFirstWindMode = 10190;
  static constexpr ZafEventType kFirstDensity = 10196;
  static constexpr ZafEventType kFirstLayout = 10199;
  static constexpr ZafEventType kFirstUnits = 10203;
  static constexpr ZafEventType kNoUnits = 10206;
  // Commands with nothing to do.
  static constexpr ZafEventType kFirstIdle = 10207;
  static constexpr ZafEventType kLastIdle = 10238;

  QvZEventPane(QvZEventWindow* owner, QvEventView* view);
  ~QvZEventPane() override;

  // Attaches a view (null detaches): the pane opens where the view says it was left.
  void SetView(QvEventView* view);
  QvEventView* View() const { return itsView; }
  QvZEventTitle* Title() const { return title; }
  // The kind of a row, kNone outside the rows.
  int32_t KindOf(int32_t row) const;

  // ---- the grid ----
  void Refresh() override;
  bool SetPosition(KPoint position) override;
  bool SetCurrentCell(KPoint cell) override;
  int32_t ColumnCount(KPoint cell) override;
  // Each kind of row has its own column edges, kept in the view.
  void ColumnRegion(KPoint cell, int32_t column, KRect& rect, int32_t mode) override;
  void CellText(KPoint cell, int32_t column, KString& text, uint32_t& textFlags) override;
  bool CanEditCell(KPoint cell, int32_t column) override;
  void StoreEdit(int32_t column, KZEditableSelectorString& editor, ZafEventType reason) override;
  // A cell that cannot be edited in place opens its pop-up menu, when it has one.
  bool EditCell(KPoint pixel, int32_t how) override;
  ZafEventType Event(const ZafEventRecord& event) override;

  // The pop-up menu of a cell at a screen point, its current choice marked; null for a cell without one.
  std::unique_ptr<KZPopUpMenu> MakePopup(KPoint cell, int32_t column, KPoint screen);

 private:
  // The objects of a row.
  struct Row {
    int32_t kind = QvEventView::kNone;
    YStart* start = nullptr;
    YWind* wind = nullptr;
    YLeg* leg = nullptr;
    YImage* image = nullptr;
  };
  Row RowAt(int32_t row) const;
  Row CurrentRow() const { return RowAt(CurrentCell().y); }
  QvEvent* GetEvent() const;

  void ChooseWindMode(YWind& wind, int32_t mode);
  void ChooseUnits(YWind& wind, int32_t units);
  // Sets a camera parameter of the image and has the image captured again with its settings.
  static void SetImageParameter(YImage& image, int32_t n, int32_t value);
  void EditCamera(YImage& image);
  void UpdateMenu();
  void SendWind();
  void RedisplayRows();

  QvZEventWindow* itsOwner;
  QvZEventTitle* title = nullptr;
  QvEventView* itsView = nullptr;
};

#endif
