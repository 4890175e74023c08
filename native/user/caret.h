#pragma once
// The GUI thread's one caret: the text insertion mark a window owns while it has the focus. It starts
// hidden; ShowCaret and HideCaret nest. While shown it blinks: on for the blink time, off for as long, and on
// again from the start whenever it is shown or moved, so it stays in sight while the user types. The
// compositor inverts the owner's pixels under it; no window's own pixels hold it.

#include <cstdint>
#include <optional>

#include "native/user/nativetypes.h"

namespace native {

class WindowSystem;

// Where a caret marks its owner: a rectangle of the owner's client coordinates.
struct CaretMark {
  HWND owner = nullptr;
  RECT rect{};
  bool operator==(const CaretMark& other) const {
    return owner == other.owner && rect.left == other.rect.left && rect.top == other.rect.top &&
           rect.right == other.rect.right && rect.bottom == other.rect.bottom;
  }
};

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

  // The blink starts over in its on half.
  void restartBlink(std::uint64_t nowMs);
  // Turns the blink to its other half when its time has come; answers whether it did.
  bool blink(std::uint64_t nowMs);
  // When the blink turns next; none while the caret is hidden or does not blink (a blink time of 0), so a
  // program without a shown caret has nothing to wake up for.
  std::optional<std::uint64_t> nextBlinkMs() const;
  // The mark to draw now: the caret is shown and in the on half of its blink.
  std::optional<CaretMark> mark() const;

 private:
  bool ownedBy(HWND window) const { return owner_ != nullptr && (window == nullptr || window == owner_); }

  HWND owner_ = nullptr;
  HBITMAP shape_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  POINT position_{};
  int hideLevel_ = 1;
  UINT blinkTimeMs_ = 530;
  bool blinkOn_ = true;
  std::uint64_t blinkSinceMs_ = 0;
};

// Turns the caret's blink when it is due and shows the change.
void blinkCaretWhenDue(WindowSystem& system);

BOOL CreateCaret(HWND window, HBITMAP shape, int width, int height);
BOOL DestroyCaret();
BOOL ShowCaret(HWND window);
BOOL HideCaret(HWND window);
BOOL SetCaretPos(int x, int y);
BOOL GetCaretPos(POINT* position);
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT milliseconds);

}  // namespace native
