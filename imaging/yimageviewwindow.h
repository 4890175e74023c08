#pragma once
// YImageViewWindow: what an image view asks of the window that shows it. The image window implements it
// and sets itself as the view's window; a view without a window asks nothing.

#include <cstdint>

class YTime;

class YImageViewWindow {
 public:
  virtual ~YImageViewWindow() = default;

  // Redraw: kind 1 everything (geometry, tool bar), kind 0 the pane.
  virtual void Update(int32_t kind) = 0;
  // The lane lines or their order changed.
  virtual void PaneAction() = 0;
  // Apply the view's zoom again.
  virtual void ZoomRequest() = 0;
  // Run the object search again.
  virtual void ObjectSearchRequest() = 0;
  // The view is going away: the window shows no view any more.
  virtual void ViewGone() = 0;
  virtual bool HasNativeWindow() const = 0;
  virtual bool HasPane() const = 0;
  // The pane shows a time, with a line at view row `line` (-1: none).
  virtual void ShowTime(const YTime& time, int32_t line) = 0;
  // The pane redraws with a line at view row `line`.
  virtual void RedrawLine(int32_t line) = 0;
};
