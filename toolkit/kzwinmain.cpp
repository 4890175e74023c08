#include "toolkit/kzwinmain.h"

#include <memory>

#include "foundation/kstring.h"
#include "framework/win32/zafmswindowsapp.h"
#include "native/shell/localeapi.h"
#include "native/user/sysinfo.h"
#include "toolkit/kzapplication.h"

namespace {

KZApplicationFactory applicationFactory = nullptr;
// The status an application object comes up with when it cannot run.
constexpr int32_t kCannotRunStatus = 13;

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

}  // namespace

void KZSetApplicationFactory(KZApplicationFactory factory) {
  applicationFactory = factory;
}

std::vector<std::u16string> KZSplitCommandLine(std::u16string_view commandLine) {
  std::vector<std::u16string> arguments;
  size_t at = 0;
  while (at < commandLine.size()) {
    if (IsBlank(commandLine[at])) {
      ++at;
      continue;
    }
    std::u16string argument;
    if (commandLine[at] == u'"') {
      const size_t close = commandLine.find(u'"', at + 1);
      const size_t end = close == std::u16string_view::npos ? commandLine.size() : close;
      argument = commandLine.substr(at + 1, end - at - 1);
      at = close == std::u16string_view::npos ? end : close + 1;
    } else {
      while (at < commandLine.size() && !IsBlank(commandLine[at]) && commandLine[at] != u'"') {
        argument += commandLine[at++];
      }
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

std::u16string KZProgramPath() {
  // The buffer grows until the whole path fits: a path cut short would name the wrong settings, log and
  // data files.
  for (native::DWORD size = 256; size <= (1u << 20); size *= 2) {
    std::u16string path(size, u'\0');
    const native::DWORD length = native::GetModuleFileNameW(nullptr, path.data(), size);
    if (length + 1 < size) {
      path.resize(length);
      return path;
    }
  }
  return {};
}

int WinMain(native::HINSTANCE instance, native::HINSTANCE previousInstance, const char* commandLine, int) {
  if (previousInstance || !applicationFactory) {
    return 1;
  }
  ZafMSWindowsApp platform(instance);
  std::vector<std::u16string> texts{KZProgramPath()};
  for (std::u16string& argument :
       KZSplitCommandLine(KString::FromUtf8(commandLine ? commandLine : "").CStr())) {
    texts.push_back(std::move(argument));
  }
  std::vector<ZafIChar*> arguments;
  for (std::u16string& text : texts) {
    arguments.push_back(text.data());
  }
  arguments.push_back(nullptr);

  int exitCode = 1;
  std::unique_ptr<KZApplication> application(
      applicationFactory(static_cast<int>(texts.size()), arguments.data()));
  if (!application) {
    return exitCode;
  }
  KZApplication::application = application.get();
  if (application->Status() == kCannotRunStatus) {
    native::MessageBeep(0);
  } else {
    exitCode = application->Start();
  }
  application.reset();
  KZApplication::application = nullptr;
  return exitCode;
}
