// The plain toolkit window: a framework window with the toolkit's mix-in. Scrolled panes, selectors, the
// splash, progress and status windows and most of the program's panes derive from it.
#ifndef TOOLKIT_KZWINDOW_H
#define TOOLKIT_KZWINDOW_H

#include "framework/core/zafwindow.h"
#include "toolkit/kzwindowleech.h"

class KZWindow : public ZafWindow, public KZWindowLeech {
 public:
  KZWindow(int32_t left, int32_t top, int32_t width, int32_t height);
  ~KZWindow() override;

  // The mix-in's focus request first; then the framework window, after which a move or a size change
  // lets the mix-in redisplay.
  ZafEventType Event(const ZafEventRecord& event) override;
  // The window's event map, with mouse events through the toolkit's mouse table.
  ZafEventType MapMouseEvent(const ZafEventRecord& event);

  using KZWindowLeech::DrawBackground;
  using KZWindowLeech::DrawShadow;
  using KZWindowLeech::Redisplay;
  using ZafWindow::DrawBackground;
  using ZafWindow::DrawShadow;
};

#endif
