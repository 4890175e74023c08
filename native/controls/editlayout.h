#pragma once
// How an edit control's text falls into lines: at its line breaks, and, when wrapping, also after the last
// space that lets a line fit the width (a word wider than the whole width is cut where it stops fitting).
// Every position belongs to exactly one line: the last one starting at or before it.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace native {

struct EditLine {
  std::size_t start = 0;
  std::size_t length = 0;  // without the line break
};

class EditLayout {
 public:
  // A text's width in pixels.
  using Measure = std::function<int(std::u16string_view)>;

  // A wrap width of 0 or less lays the text out without wrapping.
  static EditLayout compute(const std::u16string& text, int wrapWidth, const Measure& measure);

  const std::vector<EditLine>& lines() const { return lines_; }
  std::size_t lineCount() const { return lines_.size(); }
  std::size_t lineOf(std::size_t position) const;
  const EditLine& line(std::size_t index) const { return lines_[std::min(index, lines_.size() - 1)]; }

 private:
  void addWrapped(const std::u16string& text, std::size_t start, std::size_t end, int wrapWidth,
                  const Measure& measure);

  std::vector<EditLine> lines_;
};

}  // namespace native
