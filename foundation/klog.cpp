#include "foundation/klog.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

#include "foundation/kbytetext.h"
#include "foundation/kfile.h"
#include "foundation/klocale.h"
#include "foundation/kstring.h"

namespace {

// At most this many warnings wait for the program's log.
constexpr size_t kMostWaiting = 16;

// The warnings given before the program's log was set, and the guard that orders them with the setting.
std::mutex& WaitingMutex() {
  static std::mutex mutex;
  return mutex;
}
std::vector<KString>& Waiting() {
  static std::vector<KString> waiting;
  return waiting;
}

KDateTime LocalNow() {
  return KDateTime(1);
}

std::string OwnProgramPath() {
  char path[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
  return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

}  // namespace

KLog::KLog() : KLog(LogPathFor(OwnProgramPath())) {}

KLog::KLog(const std::string& path) : clock(LocalNow) {
  if (!path.empty()) {
    // A FIFO or device by the log's name would make the open wait or take the lines: regular files only.
    descriptor = KOpenRegularFile(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC);
  }
}

KLog::~KLog() {
  if (descriptor >= 0) {
    close(descriptor);
  }
}

void KLog::SetClock(Clock newClock) {
  std::lock_guard<std::mutex> lock(mutex);
  clock = newClock != nullptr ? newClock : LocalNow;
}

void KLog::SetProgramLog(KLog* log) {
  std::lock_guard<std::mutex> lock(WaitingMutex());
  programLog.store(log, std::memory_order_release);
  if (log != nullptr) {
    for (const KString& message : Waiting()) {
      log->Warning(message);
    }
    Waiting().clear();
  }
}

void KLog::ProgramWarning(const KString& message) {
  std::lock_guard<std::mutex> lock(WaitingMutex());
  if (KLog* log = ProgramLog()) {
    log->Warning(message);
  } else if (Waiting().size() < kMostWaiting) {
    Waiting().push_back(message);
  }
}

void KLog::Error(const KString& message) {
  WriteLine('E', message);
}
void KLog::Warning(const KString& message) {
  WriteLine('W', message);
}

std::string KLog::LogPathFor(const std::string& programPath) {
  if (programPath.empty()) {
    return programPath;
  }
  size_t nameStart = programPath.rfind('/');
  nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
  size_t dot = programPath.rfind('.');
  // A dot that starts the name (a hidden file) is not an extension.
  if (dot == std::string::npos || dot <= nameStart) {
    return programPath + ".log";
  }
  return programPath.substr(0, dot + 1) + "log";
}

void KLog::WriteLine(char kind, const KString& message) {
  std::lock_guard<std::mutex> lock(mutex);
  if (descriptor < 0) {
    return;
  }
  KString text;
  text.AppendChar(static_cast<char16_t>(kind)).Append(": ");
  clock().AppendDateTime(text, KLocale::Process());
  text.Append(": ").Append(message);
  // A line break inside the message would forge a line of its own; the conversion makes it a blank.
  std::string line = KByteText(text) + "\r\n";
  // One write per line; the loop only continues a write that a signal or a full disk cut short.
  const char* next = line.data();
  size_t left = line.size();
  while (left > 0) {
    ssize_t written = write(descriptor, next, left);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return;  // the line is dropped; the log never stops the program
    }
    next += written;
    left -= static_cast<size_t>(written);
  }
}
