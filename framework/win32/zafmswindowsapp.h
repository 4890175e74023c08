// The framework's start-up object on the native window system: it learns the system version once,
// decides the shell and text paths from it, and registers the framework's window classes for the life of
// the process. Build one before the first window object creates a native window; destroy it after the last.
#ifndef FRAMEWORK_WIN32_ZAFMSWINDOWSAPP_H
#define FRAMEWORK_WIN32_ZAFMSWINDOWSAPP_H

#include <cstdint>

#include "native/user/nativetypes.h"

class ZafMSWindowsApp {
 public:
  // Platform values.
  static constexpr int32_t Win32s = 1;
  static constexpr int32_t Windows95 = 2;
  static constexpr int32_t WindowsNT = 3;

  // What the version record decides.
  struct SystemDecision {
    int32_t platform = 0;
    // major x 100 + (minor mod 100): 351 for 3.51.
    int32_t version = 0;
    bool newShell = false;
    bool threeD = false;
    bool ansi = false;
  };
  // The decision for a version record. There is no add-on 3-D control library on this system, so the
  // 3-D flag follows the new shell alone.
  static SystemDecision Decide(const native::OSVERSIONINFO& info);

  explicit ZafMSWindowsApp(native::HINSTANCE instance);
  ~ZafMSWindowsApp();
  ZafMSWindowsApp(const ZafMSWindowsApp&) = delete;
  ZafMSWindowsApp& operator=(const ZafMSWindowsApp&) = delete;

  // Whether one is alive: its window classes are registered.
  static bool Running() { return running; }

  // Process-wide values, written only by the constructor.
  static native::HINSTANCE instance;
  static SystemDecision system;

  static constexpr const char16_t* windowClassName = u"ZafWindow";
  static constexpr const char16_t* mdiFrameClassName = u"ZafMDIFrame";
  static constexpr const char16_t* mdiChildClassName = u"ZafMDIChild";

 private:
  static bool running;
};

#endif
