#pragma once
// The GUI thread's one caret: the text insertion mark a window owns while it has the focus. It starts
// hidden; ShowCaret and HideCaret nest. The drawing layer blinks it at the blink time.

#include "native/user/nativetypes.h"

namespace native {

class Caret {
 public:
  void create(HWND owner, HBITMAP shape, int width, int height);
  void destroy() { owner_ = nullptr; }
  HWND owner() const { return owner_; }
  HBITMAP shape() const { return shape_; }
  bool show(HWND window);
  bool hide(HWND window);
  bool visible() const { return owner_ != nullptr && hideLevel_ == 0; }
  bool setPosition(int x, int y);
  // The caret's rectangle in the owner's client coordinates.
  RECT rect() const { return RECT{position_.x, position_.y, position_.x + width_, position_.y + height_}; }
  POINT position() const { return position_; }
  UINT blinkTimeMs() const { return blinkTimeMs_; }
  void setBlinkTimeMs(UINT milliseconds) { blinkTimeMs_ = milliseconds; }

 private:
  bool ownedBy(HWND window) const { return owner_ != nullptr && (window == nullptr || window == owner_); }

  HWND owner_ = nullptr;
  HBITMAP shape_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  POINT position_{};
  int hideLevel_ = 1;
  UINT blinkTimeMs_ = 530;
};

BOOL CreateCaret(HWND window, HBITMAP shape, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND window);
BOOL HideCaret(HWND window);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* position);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT milliseconds);

}  // namespace native
