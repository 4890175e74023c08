#include "native/controls/editbuffer.h"

#include <algorithm>

#include "foundation/kutf8.h"

namespace native {

namespace {

bool isBreakUnit(char16_t c) {
  return c == u'\r' || c == u'\n';
}

bool isWordCharacter(char16_t c) {
  return c != u' ' && c != u'\t' && !isBreakUnit(c);
}

// Marks drawn over the character before them (accents, and the selectors that choose how it looks).
bool isCombiningMark(char16_t c) {
  return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) ||
         (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xFE20 && c <= 0xFE2F);
}

// Whether a position lies between two characters as the user sees them: not inside a line break, between
// the two units of a surrogate pair, or between a character and a mark over it.
bool isCharacterBoundary(std::u16string_view text, std::size_t position) {
  if (position == 0 || position >= text.size()) {
    return true;
  }
  const char16_t before = text[position - 1];
  const char16_t after = text[position];
  if (isBreakUnit(before)) {
    return before != u'\r' || after != u'\n';
  }
  return !(KIsHighSurrogate(before) && KIsLowSurrogate(after)) && !isCombiningMark(after);
}

// The position itself on a boundary, else the nearest boundary before it.
std::size_t boundaryAtOrBefore(std::u16string_view text, std::size_t position) {
  while (!isCharacterBoundary(text, position)) {
    --position;
  }
  return position;
}

}  // namespace

std::u16string EditBuffer::normalized(std::u16string_view text) const {
  std::u16string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    if (!isBreakUnit(c)) {
      result.push_back(c);
      continue;
    }
    if (!multiline_) {
      break;
    }
    // "\r\n", a lone "\r" and a lone "\n" are all one line break.
    if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
      ++i;
    }
    result += u"\r\n";
  }
  return result;
}

void EditBuffer::setText(std::u16string_view text) {
  text_ = multiline_ ? normalized(text) : std::u16string(text);
  anchor_ = caret_ = 0;
}

std::u16string EditBuffer::selectedText() const {
  return text_.substr(selectionStart(), selectionEnd() - selectionStart());
}

std::size_t EditBuffer::clampPosition(std::size_t position) const {
  return boundaryAtOrBefore(text_, std::min(position, text_.size()));
}

void EditBuffer::select(std::size_t anchor, std::size_t caret) {
  anchor_ = clampPosition(anchor);
  caret_ = clampPosition(caret);
}

void EditBuffer::moveCaret(std::size_t to, bool extend) {
  caret_ = clampPosition(to);
  if (!extend) {
    anchor_ = caret_;
  }
}

void EditBuffer::setLimit(std::size_t limit) {
  limit_ = limit == 0 ? kMaxLimit : std::min(limit, kMaxLimit);
}

EditBuffer::Change EditBuffer::replaceSelection(std::u16string_view insertion) {
  std::u16string added = normalized(insertion);
  std::size_t start = selectionStart();
  std::size_t removed = selectionEnd() - start;
  std::size_t kept = text_.size() - removed;
  std::size_t room = kept >= limit_ ? 0 : limit_ - kept;
  Change change;
  if (added.size() > room) {
    change.truncated = true;
    // Never keep half of a line break or of a character.
    added.resize(boundaryAtOrBefore(added, room));
  }
  if (removed == 0 && added.empty()) {
    return change;
  }
  text_.replace(start, removed, added);
  anchor_ = caret_ = start + added.size();
  modified_ = true;
  change.changed = true;
  return change;
}

bool EditBuffer::eraseBackward() {
  if (!hasSelection()) {
    if (caret_ == 0) {
      return false;
    }
    anchor_ = previousPosition(caret_);
  }
  return replaceSelection(u"").changed;
}

bool EditBuffer::eraseForward() {
  if (!hasSelection()) {
    if (caret_ >= text_.size()) {
      return false;
    }
    anchor_ = nextPosition(caret_);
  }
  return replaceSelection(u"").changed;
}

std::size_t EditBuffer::previousPosition(std::size_t position) const {
  position = clampPosition(position);
  return position == 0 ? 0 : boundaryAtOrBefore(text_, position - 1);
}

std::size_t EditBuffer::nextPosition(std::size_t position) const {
  position = clampPosition(position);
  if (position >= text_.size()) {
    return text_.size();
  }
  do {
    ++position;
  } while (!isCharacterBoundary(text_, position));
  return position;
}

std::size_t EditBuffer::wordStartBefore(std::size_t position) const {
  position = clampPosition(position);
  // Back over the gap, then over the word.
  while (position > 0 && !isWordCharacter(text_[position - 1])) {
    position = previousPosition(position);
  }
  while (position > 0 && isWordCharacter(text_[position - 1])) {
    --position;
  }
  return position;
}

std::size_t EditBuffer::wordStartAfter(std::size_t position) const {
  position = clampPosition(position);
  while (position < text_.size() && isWordCharacter(text_[position])) {
    ++position;
  }
  while (position < text_.size() && !isWordCharacter(text_[position])) {
    position = nextPosition(position);
  }
  return position;
}

std::pair<std::size_t, std::size_t> EditBuffer::wordAround(std::size_t position) const {
  position = clampPosition(position);
  if (position >= text_.size() || isBreakUnit(text_[position])) {
    return {position, position};
  }
  bool word = isWordCharacter(text_[position]);
  auto same = [&](char16_t c) { return !isBreakUnit(c) && isWordCharacter(c) == word; };
  std::size_t start = position;
  while (start > 0 && same(text_[start - 1])) {
    --start;
  }
  std::size_t end = position;
  while (end < text_.size() && same(text_[end])) {
    ++end;
  }
  return {start, end};
}

}  // namespace native
