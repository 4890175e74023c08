#include "native/controls/editlayout.h"

#include <algorithm>

namespace native {

EditLayout EditLayout::compute(const std::u16string& text, int wrapWidth, const Measure& measure) {
  EditLayout layout;
  std::size_t start = 0;
  while (true) {
    std::size_t lineBreak = text.find(u"\r\n", start);
    std::size_t end = lineBreak == std::u16string::npos ? text.size() : lineBreak;
    if (wrapWidth > 0) {
      layout.addWrapped(text, start, end, wrapWidth, measure);
    } else {
      layout.lines_.push_back(EditLine{start, end - start});
    }
    if (lineBreak == std::u16string::npos) {
      break;
    }
    start = lineBreak + 2;
  }
  return layout;
}

void EditLayout::addWrapped(const std::u16string& text, std::size_t start, std::size_t end, int wrapWidth,
                            const Measure& measure) {
  std::u16string_view view(text);
  do {
    // Only the text that can still fit is measured, so a long paragraph costs its lines, not its square.
    std::size_t fitEnd = start;
    std::size_t wordBreak = 0;
    for (std::size_t k = start + 1; k <= end; ++k) {
      // Spaces at the end of a line may stick out past the width.
      std::size_t visibleEnd = k;
      while (visibleEnd > start && view[visibleEnd - 1] == u' ') {
        --visibleEnd;
      }
      if (measure(view.substr(start, visibleEnd - start)) > wrapWidth) {
        break;
      }
      fitEnd = k;
      if (view[k - 1] == u' ' && (k == end || view[k] != u' ')) {
        wordBreak = k;
      }
    }
    if (fitEnd == end) {
      lines_.push_back(EditLine{start, end - start});
      return;
    }
    std::size_t lineEnd = wordBreak != 0 ? wordBreak : std::max(fitEnd, start + 1);
    lines_.push_back(EditLine{start, lineEnd - start});
    start = lineEnd;
  } while (start < end);
}

std::size_t EditLayout::lineOf(std::size_t position) const {
  auto after = std::upper_bound(lines_.begin(), lines_.end(), position,
                                [](std::size_t value, const EditLine& line) { return value < line.start; });
  return after == lines_.begin() ? 0 : static_cast<std::size_t>(after - lines_.begin()) - 1;
}

}  // namespace native
