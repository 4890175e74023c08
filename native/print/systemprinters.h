#pragma once
// The printers of the system's print service, reached through its command-line tools: `lpstat` lists them
// and `lp` takes a finished PDF for one of them. Without the tools there are no system printers.

#include <string>
#include <vector>

namespace native {

class SystemPrinters {
 public:
  // The names `lpstat -e` lists, one a line; empty when the tool is missing or fails.
  static std::vector<std::string> list();
  // Hands the file to `lp -d printer -t title`; true when the spooler took it.
  static bool submit(const std::string& printer, const std::string& file, const std::string& title);

  // Reads the lines of a listing into names: blank lines and names with control characters are dropped.
  static std::vector<std::string> parseListing(const std::string& listing);
};

}  // namespace native
