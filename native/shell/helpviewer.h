#pragma once
// The help viewer: the help file is shown by the desktop's own opener (xdg-open), started on its own so
// the program never waits for it.

#include <functional>
#include <optional>
#include <string>

#include "native/user/nativetypes.h"

namespace native {

inline constexpr UINT HELP_CONTEXT = 0x0001;
inline constexpr UINT HELP_QUIT = 0x0002;
inline constexpr UINT HELP_CONTENTS = 0x0003;

class HelpViewer {
 public:
  // Starts a viewer for the file; false when none could be started.
  using Launcher = std::function<bool(const std::string& file)>;

  // Replaces how the viewer is started (tests); an empty launcher puts the desktop's opener back.
  static void setLauncher(Launcher launcher);
  // What to show for a help file: the file itself, or, for a help format no viewer here reads, a sibling
  // with the same name and the extension ".html" or ".pdf". None when neither exists.
  static std::optional<std::string> viewableFile(const std::string& helpFile);
  // The full path of an executable program found along PATH; none when it is not there.
  static std::optional<std::string> findProgram(const std::string& name);
  // Starts xdg-open on the file, detached: the opener is not the program's child, so nothing waits for it.
  static bool openWithDesktop(const std::string& file);
};

// HELP_CONTENTS shows the help file and answers TRUE; FALSE when there is no file or viewer. HELP_QUIT
// answers TRUE and leaves any viewer open: viewers live on their own. Other commands show nothing (FALSE).
BOOL WinHelp(HWND window, LPCWSTR helpFile, UINT command, ULONG_PTR data);

}  // namespace native
