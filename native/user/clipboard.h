#pragma once
// The program's clipboard: one window at a time opens it; while open, it can be emptied and given data
// blocks (which it then owns and frees), and data can be taken out. Text offered in one of CF_TEXT (8-bit,
// the local code page: UTF-8) or CF_UNICODETEXT (UTF-16) can be taken in the other as well. Linked to a
// display's shared clipboard, its text is shared with other programs: what it holds when closed after a
// change is offered to them, and text another program offers is what it answers, asked once an opening.

#include <map>
#include <optional>
#include <string>

#include "native/user/globalmemory.h"
#include "native/user/nativetypes.h"
#include "native/user/sharedclipboard.h"

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

  // The display's shared clipboard, or null: the clipboard stays within the program.
  void link(SharedClipboard* shared) { shared_ = shared; }
  // The text the program offers other programs, in UTF-8: its CF_UNICODETEXT, else its CF_TEXT.
  std::optional<std::string> textForOtherPrograms() const;

 private:
  void freeAll();
  void freeConverted();
  HGLOBAL convertText(UINT format);
  bool holdsText() const;
  // Whether the text held here is the one to answer: no shared clipboard, changed since it was opened, or
  // already brought up to date in this opening.
  bool textIsCurrent() const { return shared_ == nullptr || changed_ || sharedAsked_; }
  // Brings the text up to date with the shared clipboard: another program's text replaces it (it was copied
  // later), and with nobody offering text, or another program refusing it, there is none.
  void takeSharedText();

  bool open_ = false;
  HWND openedBy_ = nullptr;
  SharedClipboard* shared_ = nullptr;
  bool changed_ = false;      // emptied or given data since it was opened
  bool sharedAsked_ = false;  // the shared clipboard was asked since it was opened
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
