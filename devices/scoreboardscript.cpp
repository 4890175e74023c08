#include "devices/scoreboardscript.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <utility>

namespace {

constexpr const char16_t* kSectionNames[ScoreboardScript::kSectionCount] = {
    u"Initialization", u"TimeRunning",   u"TimeStopped",    u"TimeGun",       u"TimeBreak",
    u"TimeUpdate",     u"Wind",          u"TimeOfDay",      u"ResultsHeader", u"ResultsTrailer",
    u"Result",         u"MessageHeader", u"MessageTrailer", u"Message"};

constexpr std::string_view kFieldLetters = "PLINFABTRSWHM";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// Reads the decimal digits at `position`, moving past them; false when there are none. Values beyond
// `limit` are reported as limit + 1, so that long digit runs cannot overflow.
bool ReadNumber(std::string_view line, size_t& position, int32_t limit, int32_t& number) {
  const size_t first = position;
  int64_t value = 0;
  while (position < line.size() && IsDigit(line[position])) {
    value = value * 10 + (line[position] - '0');
    if (value > limit) {
      value = static_cast<int64_t>(limit) + 1;
    }
    ++position;
  }
  number = static_cast<int32_t>(value);
  return position > first;
}

void SkipToken(std::string_view line, size_t& position) {
  while (position < line.size() && !IsBlank(line[position])) {
    ++position;
  }
}

std::string Printable(char c) {
  if (static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) < 0x7F) {
    return std::string(1, c);
  }
  return "\\x" + std::to_string(static_cast<unsigned char>(c));
}

void Report(std::vector<std::string>& problems, int32_t lineNumber, const std::string& what) {
  problems.push_back("line " + std::to_string(lineNumber) + ": " + what);
}

int32_t FindSection(std::string_view name) {
  for (int32_t section = 0; section < ScoreboardScript::kSectionCount; ++section) {
    const std::u16string_view wanted = kSectionNames[section];
    if (wanted.size() != name.size()) {
      continue;
    }
    bool same = true;
    for (size_t i = 0; i < name.size() && same; ++i) {
      same = KString::FoldCase(static_cast<unsigned char>(name[i])) == KString::FoldCase(wanted[i]);
    }
    if (same) {
      return section;
    }
  }
  return -1;
}

}  // namespace

const char16_t* ScoreboardScript::SectionName(int32_t section) {
  return section >= 0 && section < kSectionCount ? kSectionNames[section] : nullptr;
}

bool ScoreboardScript::ReadFile(const std::string& path, std::string& text) {
  // Non-blocking, so that opening a named pipe does not wait for a writer; it changes nothing for a file.
  const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (descriptor < 0) {
    return false;
  }
  struct stat status {};
  bool readable = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
  std::string content;
  const size_t limit = static_cast<size_t>(kMaxBytes) + 1;
  while (readable && content.size() < limit) {
    char buffer[4096];
    const size_t wanted = std::min(sizeof buffer, limit - content.size());
    const ssize_t count = read(descriptor, buffer, wanted);
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count <= 0) {
      readable = count == 0;
      break;
    }
    content.append(buffer, static_cast<size_t>(count));
  }
  close(descriptor);
  if (readable) {
    text = std::move(content);
  }
  return readable;
}

ScoreboardScript ScoreboardScript::Parse(std::string_view text, std::vector<std::string>& problems) {
  ScoreboardScript script;
  if (text.size() > static_cast<size_t>(kMaxBytes)) {
    problems.push_back("the script is longer than " + std::to_string(kMaxBytes) + " bytes");
    return script;
  }
  // -1 before the first section (header lines), -2 inside a section whose name is unknown.
  int32_t current = -1;
  int32_t lineNumber = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      end = text.size();
    }
    const std::string_view line = text.substr(start, end - start);
    // A CR LF pair ends one line.
    start = end + (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n' ? 2 : 1);
    ++lineNumber;

    const std::string_view content = Trimmed(line);
    if (content.starts_with(";;")) {
      const std::string_view name = Trimmed(content.substr(2));
      current = FindSection(name);
      if (current < 0) {
        Report(problems, lineNumber, "unknown section '" + std::string(name) + "', its lines are skipped");
        current = -2;
      } else {
        script.sections[current].clear();
        script.present[current] = true;
      }
      continue;
    }
    if (content.empty() || content.front() == ';') {
      continue;
    }
    if (current == -1) {
      script.ParseHeaderLine(content, lineNumber, problems);
    } else if (current >= 0) {
      script.ParseCommands(content, lineNumber, script.sections[current], problems);
    }
  }
  return script;
}

void ScoreboardScript::ParseHeaderLine(std::string_view line, int32_t lineNumber,
                                       std::vector<std::string>& problems) {
  constexpr std::string_view kWidth = "width";
  size_t position = kWidth.size();
  if (line.size() > kWidth.size() && line.substr(0, kWidth.size()) == kWidth && IsBlank(line[position])) {
    while (position < line.size() && IsBlank(line[position])) {
      ++position;
    }
    int32_t number = 0;
    if (ReadNumber(line, position, kMaxWidth, number) && position == line.size() && number >= 1 &&
        number <= kMaxWidth) {
      width = number;
      return;
    }
    Report(problems, lineNumber, "the width must be a number from 1 to " + std::to_string(kMaxWidth));
    return;
  }
  Report(problems, lineNumber, "text before the first section is not a header line");
}

void ScoreboardScript::ParseCommands(std::string_view line, int32_t lineNumber,
                                     std::vector<Command>& commands,
                                     std::vector<std::string>& problems) const {
  const int32_t widest = width > 0 ? width : kMaxWidth;
  size_t position = 0;
  while (position < line.size()) {
    const char c = line[position];
    if (IsBlank(c)) {
      ++position;
      continue;
    }
    Command command;
    if (c == '"') {
      const size_t close = line.find('"', position + 1);
      if (close == std::string_view::npos) {
        Report(problems, lineNumber, "text without its closing quote");
        return;
      }
      command.kind = Kind::kText;
      command.text = KString::FromUtf8(line.substr(position + 1, close - position - 1));
      position = close + 1;
      commands.push_back(std::move(command));
      continue;
    }
    ++position;
    if (c == '#' || c == 'K') {
      const bool isByte = c == '#';
      const int32_t limit = isByte ? 255 : kCodeSetCount - 1;
      int32_t number = 0;
      if (!ReadNumber(line, position, limit, number) || number > limit ||
          (position < line.size() && !IsBlank(line[position]))) {
        Report(problems, lineNumber,
               isByte ? "a byte needs a code from 0 to 255" : "a code set is 0, 1 or 2");
        SkipToken(line, position);
        continue;
      }
      command.kind = isByte ? Kind::kByte : Kind::kCharMode;
      command.value = number;
      commands.push_back(std::move(command));
      continue;
    }
    if (kFieldLetters.find(c) == std::string_view::npos) {
      Report(problems, lineNumber, "unknown command '" + Printable(c) + "', the rest of the line is skipped");
      return;
    }
    command.kind = Kind::kField;
    command.field = static_cast<char16_t>(c);
    int32_t number = 0;
    if (ReadNumber(line, position, kMaxWidth, number)) {
      command.width = number;
    }
    if (position < line.size() && (line[position] == '<' || line[position] == '>' || line[position] == '|')) {
      command.align = line[position] == '<'   ? Align::kLeft
                      : line[position] == '>' ? Align::kRight
                                              : Align::kCentre;
      ++position;
      if (position < line.size() && !IsBlank(line[position])) {
        const unsigned char pad = static_cast<unsigned char>(line[position]);
        if (pad < 0x20 || pad >= 0x7F) {
          Report(problems, lineNumber,
                 "the padding of field '" + Printable(c) + "' must be a plain character");
          SkipToken(line, position);
          continue;
        }
        command.pad = pad;
        ++position;
      }
    }
    if (position < line.size() && !IsBlank(line[position])) {
      Report(problems, lineNumber,
             "unexpected '" + Printable(line[position]) + "' after field '" + Printable(c) + "'");
      SkipToken(line, position);
      continue;
    }
    if (command.width > widest) {
      Report(problems, lineNumber,
             "field '" + Printable(c) + "' is wider than the board (" + std::to_string(widest) + ")");
      continue;
    }
    commands.push_back(std::move(command));
  }
}
