#include "native/controls/editbuffer.h"

#include <algorithm>

namespace native {

namespace {

bool isBreakUnit(char16_t c) {
  return c == u'\r' || c == u'\n';
}

bool isWordCharacter(char16_t c) {
  return c != u' ' && c != u'\t' && !isBreakUnit(c);
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
  position = std::min(position, text_.size());
  if (position > 0 && position < text_.size() && text_[position - 1] == u'\r' && text_[position] == u'\n') {
    --position;
  }
  return position;
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
    added.resize(room);
    // Never keep half of a line break.
    if (!added.empty() && added.back() == u'\r') {
      added.pop_back();
    }
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
  if (position == 0) {
    return 0;
  }
  if (position >= 2 && text_[position - 1] == u'\n' && text_[position - 2] == u'\r') {
    return position - 2;
  }
  return position - 1;
}

std::size_t EditBuffer::nextPosition(std::size_t position) const {
  position = clampPosition(position);
  if (position >= text_.size()) {
    return text_.size();
  }
  if (text_[position] == u'\r' && position + 1 < text_.size() && text_[position + 1] == u'\n') {
    return position + 2;
  }
  return position + 1;
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
