#pragma once
// The clipboard within the program: one window at a time opens it; while open, it can be emptied and given
// data blocks (which it then owns and frees), and data can be taken out. Text offered in one of CF_TEXT
// (8-bit, the local code page: UTF-8) or CF_UNICODETEXT (UTF-16) can be taken in the other as well.

#include <map>

#include "native/user/globalmemory.h"
#include "native/user/nativetypes.h"

namespace native {

inline constexpr UINT CF_TEXT = 1;
inline constexpr UINT CF_UNICODETEXT = 13;

class Clipboard {
 public:
  Clipboard() = default;
  ~Clipboard();
  Clipboard(const Clipboard&) = delete;
  Clipboard& operator=(const Clipboard&) = delete;

  // Fails while another window holds it open; the window holding it may open it again.
  bool open(HWND window);
  bool close();
  bool empty();
  // Null when the clipboard is not open or there is no data; otherwise the block, which now belongs to the
  // clipboard (a block it held for that format before is freed).
  HGLOBAL set(UINT format, HGLOBAL data);
  HGLOBAL get(UINT format);
  bool available(UINT format) const;

 private:
  void freeAll();
  void freeConverted();
  HGLOBAL convertText(UINT format);

  bool open_ = false;
  HWND openedBy_ = nullptr;
  std::map<UINT, HGLOBAL> data_;
  // Text made in the other format on request; dropped whenever the data changes.
  std::map<UINT, HGLOBAL> converted_;
};

BOOL OpenClipboard(HWND window);
BOOL CloseClipboard();
BOOL EmptyClipboard();
HGLOBAL SetClipboardData(UINT format, HGLOBAL data);
HGLOBAL GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);

}  // namespace native
