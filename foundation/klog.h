#pragma once
// The program's log file: one per program, named like the program with the extension "log", to which errors
// and warnings are appended as 8-bit lines ending in CR LF:
//   E: 12/7/2026 4:21:03 AM: YImageBlocks::Add: p null
// Each line is written whole and at once under the log's own mutex, so any thread may write. A log that
// cannot be opened drops its lines silently: logging never stops the program.

#include <atomic>
#include <mutex>
#include <string>

#include "foundation/kdatetime.h"

class KString;

class KLog {
 public:
  // Where the date and time of each line come from; tests install a fixed one.
  using Clock = KDateTime (*)();

  // Opens the program's own path (/proc/self/exe) with the extension "log" for appending.
  KLog();
  // Opens the given file for appending (created when missing); anything but a regular file is not opened.
  explicit KLog(const std::string& path);
  KLog(const KLog&) = delete;
  KLog& operator=(const KLog&) = delete;
  ~KLog();

  bool IsOpen() const { return descriptor >= 0; }
  void SetClock(Clock clock);

  // Append one line of kind "E" or "W" with the message cut to 8 bits.
  void Error(const KString& message);
  void Warning(const KString& message);

  // The program-wide log: set by the start routine, null before and after. Setting one writes the warnings
  // that wait for it.
  static KLog* ProgramLog() { return programLog.load(std::memory_order_acquire); }
  static void SetProgramLog(KLog* log);
  // A warning for the program-wide log. Given while there is none, it waits for the next one set (the
  // first checks of the start come before the log opens); a few wait at most, later ones are dropped.
  static void ProgramWarning(const KString& message);

  // The log path of a program: its path with the extension replaced by (or given) "log".
  static std::string LogPathFor(const std::string& programPath);

 private:
  void WriteLine(char kind, const KString& message);

  static inline std::atomic<KLog*> programLog{nullptr};

  std::mutex mutex;
  int descriptor = -1;
  Clock clock;
};
