#pragma once
// The program's folder in the user's runtime directory, where the instance counters and the command
// service's socket live: "$XDG_RUNTIME_DIR/kestrove", or "/tmp/kestrove-<uid>" when the variable is unset.
// Names of services and counters become file names with every character that a file name cannot hold
// safely written as %XX.

#include <optional>
#include <string>
#include <string_view>

namespace native {

class RuntimeDirectory {
 public:
  // The folder, made (mode 0700) when missing; one of ours that grants group or others anything is made
  // private. None when it cannot be made, another user owns it, or it cannot be made private. What the
  // checks find is a warning of the program's log, once, waiting for the log when it is not open yet.
  static std::optional<std::string> path();
  // A file-name part for a service or counter name: letters, digits, blank, '.', '-' and '_' stay, other
  // bytes become %XX, and a name of dots only is escaped too so it never names a folder.
  static std::string fileNamePart(std::string_view name);
};

}  // namespace native
