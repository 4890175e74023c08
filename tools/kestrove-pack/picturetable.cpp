#include "tools/kestrove-pack/picturetable.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <sstream>
#include <stdexcept>

namespace {

bool IsPictureName(const std::string& name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  });
}

// A side in 1..kLargestPictureSide, or 0 for anything else.
int32_t ParseSide(const std::string& word) {
  int32_t side = 0;
  const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), side);
  const bool whole = error == std::errc() && end == word.data() + word.size();
  return whole && side >= 1 && side <= kLargestPictureSide ? side : 0;
}

[[noreturn]] void Refuse(int lineNumber, const std::string& reason) {
  throw std::runtime_error("picture table line " + std::to_string(lineNumber) + ": " + reason);
}

}  // namespace

std::vector<PictureEntry> ReadPictureTable(std::istream& text) {
  std::vector<PictureEntry> entries;
  std::set<std::string> names;
  std::string line;
  for (int lineNumber = 1; std::getline(text, line); ++lineNumber) {
    std::istringstream words(line.substr(0, line.find('#')));
    std::vector<std::string> fields;
    for (std::string word; words >> word;) {
      fields.push_back(word);
    }
    if (fields.empty()) {
      continue;
    }
    if (fields.size() != 4) {
      Refuse(lineNumber, "expected kind, name, width and height");
    }
    PictureEntry entry;
    if (fields[0] == "bitmap") {
      entry.kind = PictureEntry::Kind::Bitmap;
    } else if (fields[0] == "icon") {
      entry.kind = PictureEntry::Kind::Icon;
    } else {
      Refuse(lineNumber, "unknown kind \"" + fields[0] + "\"");
    }
    entry.name = fields[1];
    if (!IsPictureName(entry.name)) {
      Refuse(lineNumber, "a name holds only letters, digits and '_'");
    }
    entry.width = ParseSide(fields[2]);
    entry.height = ParseSide(fields[3]);
    if (entry.width == 0 || entry.height == 0) {
      Refuse(lineNumber, "a size is 1 to " + std::to_string(kLargestPictureSide) + " pixels");
    }
    if (!names.insert(entry.name).second) {
      Refuse(lineNumber, "\"" + entry.name + "\" stands twice");
    }
    entries.push_back(entry);
  }
  return entries;
}
