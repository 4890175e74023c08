// The summary window of an event window's summary pane: a tool bar with the information button and two
// indicators above the summary pane, which shows the event's view.
#ifndef APP_QVZEVENTWINDOW_H
#define APP_QVZEVENTWINDOW_H

#include "app/panewindow.h"
#include "model/qveventview.h"
#include "toolkit/kzwindow.h"

class KZTBButton;
class KZToolBar;
class QvEvent;
class QvZEventMDI;
class QvZEventPane;

class QvZEventWindow : public KZWindow, public PaneWindow, public QvEventView::Window {
 public:
  // The commands the window passes to its pane.
  static constexpr ZafEventType kFirstCommand = 10185;
  static constexpr ZafEventType kLastCommand = 10239;

  QvZEventWindow(QvZEventMDI* owner, QvEventView* view);
  ~QvZEventWindow() override;

  // Class set-up: the tool bar's bitmaps and the window's maker for the event windows' summary panes. The
  // clean-up takes both back.
  static void SetupClass();
  static void CleanupClass();
  static void CreateBitmaps();
  static void DestroyBitmaps();

  // Follows another view (null: none); the same view again changes nothing.
  void SetView(QvEventView* view);
  QvEventView* View() const { return itsView; }
  QvEvent* Root() const { return itsRoot; }
  QvZEventPane* Pane() const { return pane; }
  KZToolBar* ToolBar() const { return toolBar; }
  QvZEventMDI* Owner() const { return itsOwner; }

  ZafEventType Event(const ZafEventRecord& event) override;
  void Refresh();

  // ---- as an event window's pane ----
  ZafWindowObject* Window() override { return this; }
  void TakeModel(const PaneModel& model) override { SetView(model.eventView); }
  bool HasView() const override { return itsView != nullptr; }
  void ReleaseView() override { SetView(nullptr); }

  // ---- as the view's window: the items changed ----
  void Notify(const KMessage& message) override;

 private:
  QvZEventMDI* itsOwner;
  QvEvent* itsRoot = nullptr;
  QvEventView* itsView = nullptr;
  QvZEventPane* pane = nullptr;
  KZToolBar* toolBar = nullptr;
  KZTBButton* informationButton = nullptr;
  KZTBButton* armedIndicator = nullptr;
  KZTBButton* captureModeIndicator = nullptr;
};

#endif
