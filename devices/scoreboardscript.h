#pragma once
// A scoreboard script: the commands of each section that turn the program's output (initialisation,
// results pages, the time of day, free-text messages) into the bytes a board receives. The language is
// described in docs/scoreboard-scripts.md; a script is outside input, so reading it never fails as a whole:
// each fault is reported as a problem and only the faulty command, line or section is left out.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/kstring.h"

class ScoreboardScript {
 public:
  enum Section : int32_t {
    kInitialization,
    kTimeRunning,
    kTimeStopped,
    kTimeGun,
    kTimeBreak,
    kTimeUpdate,
    kWind,
    kTimeOfDay,
    kResultsHeader,
    kResultsTrailer,
    kResult,
    kMessageHeader,
    kMessageTrailer,
    kMessage,
    kSectionCount
  };

  enum class Kind : uint8_t { kText, kByte, kCharMode, kField };
  enum class Align : uint8_t { kLeft, kRight, kCentre };

  // One command of a section line. A field is named by its command letter ('P', 'L', 'I', 'N', 'F', 'A',
  // 'B', 'T', 'R', 'S', 'W', 'H', 'M').
  struct Command {
    Kind kind = Kind::kText;
    KString text;        // kText
    int32_t value = 0;   // kByte: the byte; kCharMode: the code set
    char16_t field = 0;  // kField
    int32_t width = 0;   // kField: 0 = as long as the text
    Align align = Align::kLeft;
    char16_t pad = u' ';
  };

  static constexpr int32_t kMaxBytes = 64 * 1024;
  static constexpr int32_t kMaxWidth = 1024;
  static constexpr int32_t kCodeSetCount = 3;

  // Reads a script's text. Every fault appends one problem ("line 12: unknown command 'X'") and leaves out
  // what it concerns; a text longer than kMaxBytes is refused whole with one problem.
  static ScoreboardScript Parse(std::string_view text, std::vector<std::string>& problems);
  // Reads a script file for Parse: only a regular file (a device such as /dev/zero or a pipe could hold the
  // reader for ever), and at most kMaxBytes + 1 bytes of it, so that a longer file is refused by Parse
  // without being read whole. False when the file cannot be opened or read, or is not a regular file.
  static bool ReadFile(const std::string& path, std::string& text);

  // The section's name as scripts write it; null outside the sections.
  static const char16_t* SectionName(int32_t section);
  const std::vector<Command>& Commands(Section section) const { return sections[section]; }
  bool HasSection(Section section) const { return present[section]; }
  // The board's width in characters from the "width" header line; 0 when the script gives none.
  int32_t Width() const { return width; }

 private:
  void ParseHeaderLine(std::string_view line, int32_t lineNumber, std::vector<std::string>& problems);
  void ParseCommands(std::string_view line, int32_t lineNumber, std::vector<Command>& commands,
                     std::vector<std::string>& problems) const;

  std::vector<Command> sections[kSectionCount];
  bool present[kSectionCount] = {};
  int32_t width = 0;
};
