#include "native/print/filefilters.h"

#include "native/print/folderlisting.h"

namespace native {

namespace {

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find(separator, start);
    fields.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) {
      return fields;
    }
    start = end + 1;
  }
}

std::string trimmed(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

FileFilter everyFile() {
  return FileFilter{"All files (*)", {}};
}

}  // namespace

std::vector<FileFilter> FileFilters::fromExtensions(const std::string& list) {
  std::vector<FileFilter> filters;
  // Every field keeps its place, even an empty one: the program counts the answer by position.
  for (const std::string& field : split(list, ',')) {
    std::string pattern = "*." + trimmed(field);
    filters.push_back(FileFilter{pattern, {pattern}});
  }
  filters.push_back(everyFile());
  return filters;
}

std::vector<FileFilter> FileFilters::fromText(const std::string& text) {
  std::vector<FileFilter> filters;
  std::vector<std::string> fields = split(text, '|');
  for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
    FileFilter filter{trimmed(fields[i]), {}};
    for (const std::string& pattern : split(fields[i + 1], ';')) {
      std::string clean = trimmed(pattern);
      // "*" and "*.*" mean every file, also names without a dot.
      if (!clean.empty() && clean != "*" && clean != "*.*") {
        filter.patterns.push_back(clean);
      }
    }
    filters.push_back(filter);
  }
  if (filters.empty()) {
    filters.push_back(everyFile());
  }
  return filters;
}

std::size_t FileFilters::filterOf(const std::vector<FileFilter>& filters, const std::string& name) {
  for (std::size_t i = 0; i < filters.size(); ++i) {
    if (!filters[i].patterns.empty() && FolderListing::matches(name, filters[i].patterns)) {
      return i;
    }
  }
  return filters.size();
}

}  // namespace native
