// Reads arbitrary bytes as a scoreboard script and renders every section in every code set. Whatever the
// bytes, no field may be wider than the board and the output of a section is bounded by its commands.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "devices/scoreboardrenderer.h"
#include "devices/scoreboardscript.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> problems;
  const ScoreboardScript script =
      ScoreboardScript::Parse(std::string_view(reinterpret_cast<const char*>(data), size), problems);
  const int32_t widest = script.Width() > 0 ? script.Width() : ScoreboardScript::kMaxWidth;
  Check(script.Width() >= 0 && script.Width() <= ScoreboardScript::kMaxWidth);
  ScoreboardFields fields;
  fields.message = u"message text longer than most boards are wide";
  fields.timeOfDay = u"12:34:56";
  fields.wind = u"+1.2";
  for (int32_t codeSet = 0; codeSet < ScoreboardScript::kCodeSetCount; ++codeSet) {
    const ScoreboardRenderer renderer(codeSet, true, true);
    for (int32_t section = 0; section < ScoreboardScript::kSectionCount; ++section) {
      const auto& commands = script.Commands(static_cast<ScoreboardScript::Section>(section));
      size_t bound = 0;
      for (const ScoreboardScript::Command& command : commands) {
        Check(command.kind != ScoreboardScript::Kind::kField || command.width <= widest);
        // Each character is at most 3 bytes of UTF-8; a field without a width carries the message at most.
        const size_t characters = command.kind == ScoreboardScript::Kind::kText ? command.text.Length()
                                  : command.kind == ScoreboardScript::Kind::kField
                                      ? static_cast<size_t>(command.width) + fields.message.Length()
                                      : 1;
        bound += characters * 3;
      }
      std::string bytes;
      renderer.Render(commands, fields, bytes);
      Check(bytes.size() <= bound);
    }
  }
  return 0;
}
