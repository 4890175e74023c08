#include "native/shell/helpviewer.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <vector>

#include "foundation/kstring.h"

namespace native {

namespace {

HelpViewer::Launcher& launcher() {
  static HelpViewer::Launcher current;
  return current;
}

bool regularFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

void HelpViewer::setLauncher(Launcher replacement) {
  launcher() = std::move(replacement);
}

std::optional<std::string> HelpViewer::viewableFile(const std::string& helpFile) {
  if (helpFile.empty()) {
    return std::nullopt;
  }
  if (regularFile(helpFile)) {
    return helpFile;
  }
  for (const char* extension : {".html", ".pdf"}) {
    std::string sibling = std::filesystem::path(helpFile).replace_extension(extension).string();
    if (regularFile(sibling)) {
      return sibling;
    }
  }
  return std::nullopt;
}

std::optional<std::string> HelpViewer::findProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (path == nullptr || name.empty() || name.find('/') != std::string::npos) {
    return std::nullopt;
  }
  std::string_view folders = path;
  while (!folders.empty()) {
    std::size_t colon = folders.find(':');
    std::string_view folder = folders.substr(0, colon);
    folders = colon == std::string_view::npos ? std::string_view() : folders.substr(colon + 1);
    if (folder.empty()) {
      continue;  // an empty entry would mean the current folder, which is not where openers live
    }
    std::string candidate = std::string(folder) + "/" + name;
    if (regularFile(candidate) && access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
  }
  return std::nullopt;
}

bool HelpViewer::openWithDesktop(const std::string& file) {
  std::optional<std::string> opener = findProgram("xdg-open");
  if (!opener.has_value()) {
    return false;
  }
  // Everything the child needs is made before fork: between fork and exec only async-signal-safe calls.
  std::vector<char*> arguments = {opener->data(), const_cast<char*>(file.c_str()), nullptr};
  pid_t child = fork();
  if (child < 0) {
    return false;
  }
  if (child == 0) {
    // The grandchild runs the opener; the child ends at once, so the opener is adopted by init and reaped
    // there, and the program waits only for this short-lived child.
    pid_t openerPid = fork();
    if (openerPid == 0) {
      execv(arguments[0], arguments.data());
      _exit(127);
    }
    _exit(openerPid < 0 ? 1 : 0);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) {
      return false;
    }
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

BOOL WinHelp(HWND, LPCWSTR helpFile, UINT command, ULONG_PTR) {
  if (command == HELP_QUIT) {
    return TRUE;
  }
  if (command != HELP_CONTENTS || helpFile == nullptr) {
    return FALSE;
  }
  std::optional<std::string> file = HelpViewer::viewableFile(KString(helpFile).ToUtf8());
  if (!file.has_value()) {
    return FALSE;
  }
  const HelpViewer::Launcher& replacement = launcher();
  return (replacement ? replacement(*file) : HelpViewer::openWithDesktop(*file)) ? TRUE : FALSE;
}

}  // namespace native
