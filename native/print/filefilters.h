#pragma once
// The filters a file dialog offers, read from what the program asks for: an extension list ("jpg,tga": one
// filter each, then all files) or the toolkit's filter text (label and patterns in turn, separated by "|",
// patterns by ";": "Text files|*.txt;*.text|All files|*").

#include <string>
#include <vector>

namespace native {

struct FileFilter {
  std::string label;
  std::vector<std::string> patterns;  // empty: every file
};

class FileFilters {
 public:
  static std::vector<FileFilter> fromExtensions(const std::string& list);
  // A text with no pattern at all gives one filter of every file.
  static std::vector<FileFilter> fromText(const std::string& text);
  // The position of the first filter whose patterns match the name; `filters.size()` when none does.
  static std::size_t filterOf(const std::vector<FileFilter>& filters, const std::string& name);
};

}  // namespace native
