#pragma once
// Turns the commands of a scoreboard script section into the bytes a board receives: literal texts and
// bytes, code-set switches and the formatted fields (docs/scoreboard-scripts.md).

#include <cstdint>
#include <string>
#include <vector>

#include "devices/scoreboardscript.h"
#include "foundation/kstring.h"

class KDateTime;
class QvResult;

// What the fields of one output carry; fields without a value here send empty text.
struct ScoreboardFields {
  const QvResult* result = nullptr;
  int32_t place = 0;  // 0: the result has no place
  KString wind = KString();
  KString timeOfDay = KString();
  KString message = KString();
};

class ScoreboardRenderer {
 public:
  // The board's settings that shape its output: its code set ("CharMode"), whether places are sent
  // ("SendPlace") and whether the affiliation field sends the abbreviation ("AffilAbbr").
  ScoreboardRenderer(int32_t codeSet, bool sendPlace, bool affiliationAbbreviated);

  // Appends the bytes of the commands; a code-set switch lasts until the end of these commands. Texts go
  // out in the code set (0 one byte per character, 1 UTF-16 little-endian, 2 UTF-8) as kbytetext.h makes
  // them, their control characters blank.
  void Render(const std::vector<ScoreboardScript::Command>& commands, const ScoreboardFields& fields,
              std::string& bytes) const;

  // The text a field letter stands for, before its width and alignment.
  KString FieldText(char16_t field, const ScoreboardFields& fields) const;
  // The text fitted to the command's width in characters: cut, or padded by its alignment.
  static KString Fitted(const KString& text, const ScoreboardScript::Command& command);
  // "HH:MM:SS" in 24 hours, "h:MM:SS" with hours 1 to 12 otherwise.
  static KString TimeOfDayText(const KDateTime& now, bool twentyFourHours);
  // The affiliation's first word: the text before the first blank or comma.
  static KString Abbreviation(const KString& affiliation);

 private:
  int32_t codeSet;
  bool sendPlace;
  bool affiliationAbbreviated;
};
