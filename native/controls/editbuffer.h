#pragma once
// The text of an edit control with its selection: an anchor where the selection started and the caret where
// it ends (either may come first). Positions count UTF-16 units from the start; a line break is "\r\n", a
// character a surrogate pair or a unit with the combining marks after it, and no position falls inside
// either. Insertions stop at the limit.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace native {

class EditBuffer {
 public:
  // The largest limit; also what a limit of 0 asks for.
  static constexpr std::size_t kMaxLimit = 0x7FFFFFFE;
  // The limit until the program sets one.
  static constexpr std::size_t kDefaultLimit = 30000;

  explicit EditBuffer(bool multiline) : multiline_(multiline) {}

  const std::u16string& text() const { return text_; }
  std::size_t size() const { return text_.size(); }
  // Replaces the whole text (the limit does not apply); line breaks of a multi-line buffer become "\r\n".
  // The caret goes to the start.
  void setText(std::u16string_view text);

  std::size_t anchor() const { return anchor_; }
  std::size_t caret() const { return caret_; }
  std::size_t selectionStart() const { return std::min(anchor_, caret_); }
  std::size_t selectionEnd() const { return std::max(anchor_, caret_); }
  bool hasSelection() const { return anchor_ != caret_; }
  std::u16string selectedText() const;
  // Positions past the end are taken as the end; one inside a line break or a character as its start.
  void select(std::size_t anchor, std::size_t caret);
  // Moves the caret; the anchor follows unless the selection is extended.
  void moveCaret(std::size_t to, bool extend);

  std::size_t limit() const { return limit_; }
  // 0 means the largest limit. Text already longer stays.
  void setLimit(std::size_t limit);

  struct Change {
    bool changed = false;
    bool truncated = false;  // the limit cut the insertion short
  };
  // Replaces the selection with as much of `insertion` as the limit leaves room for; a multi-line buffer
  // keeps line breaks (as "\r\n"), a single-line one stops at the first. The caret ends after the insertion.
  Change replaceSelection(std::u16string_view insertion);
  // Backspace and Delete: the selection when there is one, else the whole character (or line break) before
  // or after the caret.
  bool eraseBackward();
  bool eraseForward();

  std::size_t previousPosition(std::size_t position) const;
  std::size_t nextPosition(std::size_t position) const;
  // The start of the word at or before the position, and the start of the next word after it.
  std::size_t wordStartBefore(std::size_t position) const;
  std::size_t wordStartAfter(std::size_t position) const;
  // The word (or the run of spaces) around a position, for a double click.
  std::pair<std::size_t, std::size_t> wordAround(std::size_t position) const;

  bool modified() const { return modified_; }
  void setModified(bool modified) { modified_ = modified; }

 private:
  std::size_t clampPosition(std::size_t position) const;
  std::u16string normalized(std::u16string_view text) const;

  bool multiline_;
  std::u16string text_;
  std::size_t anchor_ = 0;
  std::size_t caret_ = 0;
  std::size_t limit_ = kDefaultLimit;
  bool modified_ = false;
};

}  // namespace native
