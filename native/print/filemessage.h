#pragma once
// What a file dialog tells the user about one file before it goes on: a line that starts with the file's
// name, a second line, and its buttons.
//  - Saving over a file that exists: "<name> already exists. Do you want to replace it?" with Yes and No.
//    No has the focus, so that Enter alone never replaces a file; Escape and the close box answer No too.
//  - Opening a name found neither as typed nor with the type's extension: "<name>" and "The file was not
//    found. Check its name and folder." with OK only.

#include <string>

#include "native/print/modaldialog.h"

namespace native {

class FileMessage : public ModalDialog {
 public:
  // Asks over `owner`, under the owner's title, about the file at `path`; true when the user answers Yes.
  static bool askToReplace(HWND owner, const std::u16string& title, const std::string& path);
  // Says that no file was found at `path`, over `owner` and under its title, until the user answers OK.
  static void tellNotFound(HWND owner, const std::u16string& title, const std::string& path);

 private:
  enum class Buttons { kYesNo, kOk };

  FileMessage(HWND owner, const std::u16string& title, const std::u16string& firstLine,
              const std::u16string& secondLine, Buttons buttons);
};

}  // namespace native
