#pragma once
// The "EDIT" control: one line or many (wrapped at the width unless it scrolls sideways), typing, the caret
// and selection keys, the mouse, cut, copy and paste through the clipboard, a length limit, and the EM_*
// messages. The parent hears EN_CHANGE after every change of the text, EN_MAXTEXT when the limit stops an
// insertion, and EN_SETFOCUS and EN_KILLFOCUS.

#include <string>
#include <string_view>

#include "native/controls/controlwindow.h"
#include "native/controls/editbuffer.h"
#include "native/controls/editlayout.h"

namespace native {

class Edit : public ControlWindow {
 public:
  explicit Edit(HWND window);
  ~Edit() override;

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool multiline() const;
  bool readOnly() const;
  bool wraps() const;
  bool masked() const;

  LRESULT handleEditMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT setText(LPARAM text);
  LRESULT getSelection(WPARAM start, LPARAM end) const;
  void setSelection(long long start, long long end);
  LRESULT lineIndex(long long line) const;
  LRESULT lineLength(long long position) const;
  LRESULT lineFromChar(long long position) const;

  // A change the user (or the program's EM_REPLACESEL) asks for: what the limit lets in is inserted.
  void insert(std::u16string_view text);
  // After every change of the text: lines, scrolling, caret and picture follow; the parent hears of it.
  void textChanged();
  void copy() const;
  void cut();
  void paste();
  void clear();

  void keyDown(UINT key);
  void character(char16_t c);
  void moveCaretTo(std::size_t position, bool extend);
  std::size_t lineEnd(std::size_t index) const;

  void press(POINT point, bool extend);
  void drag(POINT point);
  void release();
  void selectWord(POINT point);

  void scroll(bool vertical, WORD code);
  void setFocusShown(bool focused);

  // Geometry: the rectangle the text is laid out in, and where positions are.
  RECT formatRect() const;
  int visibleLines() const;
  int measure(std::u16string_view text) const;
  std::u16string shownText(const EditLine& line) const;
  int lineLeft(const EditLine& line) const;
  POINT pointOf(std::size_t position) const;
  std::size_t positionAt(POINT point) const;
  std::size_t positionInLine(const EditLine& line, int x) const;

  void measureFont();
  void fontChanged();
  void relayout();
  void scrollCaretIntoView();
  void updateCaret() const;
  void updateScrollBars() const;

  void paint(HDC dc) override;
  void paintLine(HDC dc, const EditLine& line, int top) const;

  // A memory context holding the control's font, for measuring text outside painting.
  HDC measureDc_ = nullptr;
  EditBuffer buffer_;
  EditLayout layout_;
  int lineHeight_ = 0;
  int widestLine_ = 0;
  std::size_t firstLine_ = 0;
  int scrollX_ = 0;
  bool selecting_ = false;
};

}  // namespace native
