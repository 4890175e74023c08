#pragma once
// Pointer shapes: the shared standard shapes (LoadCursor with no instance) and shapes made from AND and XOR
// planes (CreateCursor); the current shape and the show counter. The drawing layer paints them.

#include <vector>

#include "native/user/handletable.h"
#include "native/user/nativetypes.h"

namespace native {

inline constexpr IntResource IDC_ARROW{32512};
inline constexpr IntResource IDC_IBEAM{32513};
inline constexpr IntResource IDC_WAIT{32514};
inline constexpr IntResource IDC_CROSS{32515};
inline constexpr IntResource IDC_UPARROW{32516};
inline constexpr IntResource IDC_SIZENWSE{32642};
inline constexpr IntResource IDC_SIZENESW{32643};
inline constexpr IntResource IDC_SIZEWE{32644};
inline constexpr IntResource IDC_SIZENS{32645};
inline constexpr IntResource IDC_SIZEALL{32646};
inline constexpr IntResource IDC_NO{32648};

struct CursorShape {
  WORD standardId = 0;  // the IDC_ number of a standard shape, 0 for a made one
  int width = 0;
  int height = 0;
  POINT hotSpot{};
  // One bit per pixel, most significant bit first, rows padded to a 16-bit boundary.
  std::vector<BYTE> andPlane;
  std::vector<BYTE> xorPlane;

  static int bytesPerRow(int width) { return (width + 15) / 16 * 2; }
};

class CursorTable {
 public:
  CursorTable();

  HCURSOR standard(WORD id) const;
  HCURSOR create(const CursorShape& shape) { return table_.add(std::make_unique<CursorShape>(shape)); }
  bool destroy(HCURSOR cursor);
  const CursorShape* find(HCURSOR cursor) const { return table_.find(cursor); }

  HCURSOR current() const { return current_; }
  HCURSOR setCurrent(HCURSOR cursor);
  int showCount() const { return showCount_; }
  int changeShowCount(bool show) { return showCount_ += show ? 1 : -1; }

 private:
  HandleTable<CursorShape, HCURSOR> table_;
  std::vector<HCURSOR> standard_;
  HCURSOR current_ = nullptr;
  int showCount_ = 0;  // the pointer shows while this is 0 or more
};

HCURSOR LoadCursor(HINSTANCE instance, LPCWSTR name);
// Planes of `height` rows of CursorShape::bytesPerRow(width) bytes each; sizes from 1 to 256.
HCURSOR CreateCursor(HINSTANCE instance, int hotX, int hotY, int width, int height, const void* andPlane,
                     const void* xorPlane);
BOOL DestroyCursor(HCURSOR cursor);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR GetCursor();
int ShowCursor(BOOL show);
BOOL GetCursorPos(POINT* position);
// Moves the pointer (kept on the desktop); the window under it gets a WM_MOUSEMOVE even when it did not move,
// so that a change of the key state is seen.
BOOL SetCursorPos(int x, int y);

}  // namespace native
