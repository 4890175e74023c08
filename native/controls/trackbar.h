#pragma once
// The trackbar ("msctls_trackbar32"): a slider whose thumb the user drags, pages or steps with the keys,
// between a minimum and a maximum (the minimum at the left, or at the top when vertical). Unlike the scroll
// bar it moves its own thumb, then tells the parent with WM_HSCROLL or WM_VSCROLL and the SB_* codes.

#include "native/controls/controlwindow.h"
#include "native/controls/pressrepeater.h"

namespace native {

class Trackbar : public ControlWindow {
 public:
  explicit Trackbar(HWND window) : ControlWindow(window), repeater_(window) {}

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Where the parts lie: the thumb's centre travels from `first` to `last` along the axis.
  struct Geometry {
    int first = 0;
    int last = 0;
    int across = 0;  // the channel's centre line across the axis
    RECT channel{};
    RECT thumb{};
  };

  bool vertical() const;
  Geometry geometry() const;
  int centreOf(const Geometry& parts, int position) const;
  int positionAt(const Geometry& parts, int coordinate) const;
  int along(POINT point) const { return vertical() ? point.y : point.x; }

  LRESULT handleTrackbarMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Moves the thumb (held within the range); answers whether it moved.
  bool setPosition(long long position, bool redraw);
  // A user step: the thumb moves, then the parent hears the code.
  void step(WORD code, long long position);

  void press(POINT point);
  void follow(POINT point);
  void release();
  void pageTowardPointer();
  void keyDown(UINT key);

  void paint(HDC dc) override;

  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
  int pageSize_ = 20;
  int lineSize_ = 1;
  PressRepeater repeater_;
  enum class Held { Nothing, Thumb, Channel } held_ = Held::Nothing;
  int grabOffset_ = 0;  // thumb drags: from the thumb's centre to the pointer
};

}  // namespace native
