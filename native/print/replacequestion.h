#pragma once
// The question a save dialog asks before it replaces a file that exists: "<name> already exists. Do you
// want to replace it?" with Yes and No. No has the focus, so that Enter alone never replaces a file;
// Escape and the close box answer No too.

#include <string>

#include "native/print/modaldialog.h"

namespace native {

class ReplaceQuestion : public ModalDialog {
 public:
  // Asks over `owner`, under the owner's title, about the file at `path`; true when the user answers Yes.
  static bool ask(HWND owner, const std::u16string& title, const std::string& path);

 private:
  ReplaceQuestion(HWND owner, const std::u16string& title, const std::string& path);
};

}  // namespace native
