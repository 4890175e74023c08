#pragma once
// A temporary user runtime directory for one test: XDG_RUNTIME_DIR points into a fresh folder while the
// object lives, and the old value comes back afterwards.

#include <cstdlib>
#include <optional>
#include <string>

#include "foundation/tests/ktempfolder.h"

namespace native::test {

class RuntimeFolder {
 public:
  RuntimeFolder() {
    if (const char* old = std::getenv("XDG_RUNTIME_DIR")) {
      previous_ = old;
    }
    ::setenv("XDG_RUNTIME_DIR", folder_.Path().c_str(), 1);
  }
  ~RuntimeFolder() {
    if (previous_.has_value()) {
      ::setenv("XDG_RUNTIME_DIR", previous_->c_str(), 1);
    } else {
      ::unsetenv("XDG_RUNTIME_DIR");
    }
  }
  RuntimeFolder(const RuntimeFolder&) = delete;
  RuntimeFolder& operator=(const RuntimeFolder&) = delete;

  bool valid() const { return folder_.IsValid(); }
  // The program's folder inside it.
  std::string programFolder() const { return folder_.Path() + "/kestrove"; }

 private:
  KTempFolder folder_;
  std::optional<std::string> previous_;
};

}  // namespace native::test
