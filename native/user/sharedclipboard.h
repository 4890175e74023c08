#pragma once
// The clipboard a display shares between programs. A display host links it to the program's clipboard
// (Clipboard::link): text the program copies is offered to other programs, and text another program holds
// is what the program pastes.

#include <optional>
#include <string>

namespace native {

class SharedClipboard {
 public:
  enum class Owner { ThisProgram, OtherProgram, Nobody };

  virtual ~SharedClipboard() = default;

  // Who holds what the display's clipboard offers now.
  virtual Owner owner() = 0;
  // The program's clipboard was changed: with text, the program now offers it to other programs; without,
  // it offers nothing any more.
  virtual void programChanged(bool holdsText) = 0;
  // The text (UTF-8) that another program holds, asked of it with a bounded wait; none when it refuses,
  // does not answer in time, or answers with something that is not text.
  virtual std::optional<std::string> otherProgramText() = 0;
};

}  // namespace native
