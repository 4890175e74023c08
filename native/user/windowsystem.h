#pragma once
// The window system's state for the one GUI thread: classes, windows, the queue and its waits, input,
// focus, timers, caret, cursors and the desktop. The window calls reach it through get(); tests replace it
// with one on a clock they drive (see the test driver).

#include <memory>

#include <sys/types.h>

#include "native/gdi/gdi.h"
#include "native/host/compositor.h"
#include "native/host/desktop.h"
#include "native/user/caret.h"
#include "native/user/classregistry.h"
#include "native/user/clipboard.h"
#include "native/user/clock.h"
#include "native/user/cursortable.h"
#include "native/user/focusmanager.h"
#include "native/user/inputrouter.h"
#include "native/user/keyboard.h"
#include "native/user/menutable.h"
#include "native/user/messagequeue.h"
#include "native/user/nonclienttracker.h"
#include "native/user/timerlist.h"
#include "native/user/waitset.h"
#include "native/user/windowtree.h"

namespace native {

class X11Host;

class WindowSystem {
 public:
  WindowSystem(const DesktopOptions& options, std::unique_ptr<Clock> clock);
  ~WindowSystem();
  WindowSystem(const WindowSystem&) = delete;
  WindowSystem& operator=(const WindowSystem&) = delete;

  // The GUI thread's system, made on first use with the environment's desktop and the real clock, shown on
  // the X display when there is one (see X11Host). The thread that first calls it is the GUI thread.
  static WindowSystem& get();
  // Any thread: the system if one exists (posting from worker threads needs no more).
  static WindowSystem* current();
  // Puts a new system in place of the current one (whose windows should be gone); the caller's thread
  // becomes the GUI thread.
  static void install(std::unique_ptr<WindowSystem> system);

  Clock& clock() { return *clock_; }
  ClassRegistry& classes() { return classes_; }
  WindowTree& windows() { return windows_; }
  MessageQueue& queue() { return queue_; }
  WaitSet& waitSet() { return waitSet_; }
  Keyboard& keyboard() { return keyboard_; }
  FocusManager& focus() { return focus_; }
  InputRouter& input() { return input_; }
  TimerList& timers() { return timers_; }
  Caret& caret() { return caret_; }
  CursorTable& cursors() { return cursors_; }
  Desktop& desktop() { return desktop_; }
  Gdi& gdi() { return gdi_; }
  Compositor& compositor() { return compositor_; }
  NonClientTracker& tracker() { return tracker_; }
  Clipboard& clipboard() { return clipboard_; }
  MenuTable& menus() { return menus_; }

  pid_t guiThread() const { return guiThread_; }
  bool onGuiThread() const;
  // Rings the X display's bell when the desktop is shown on one, and counts the beep either way.
  void beep();
  UINT doubleClickTimeMs = 500;
  // The time and screen point of the message being dispatched (GetMessageTime, GetMessagePos).
  struct MessageMoment {
    DWORD time = 0;
    POINT point{};
  };
  MessageMoment dispatched;
  unsigned beepCount = 0;  // how often the program beeped, which the headless desktop's tests read
  // What was painted: each WM_PAINT begun and WM_NCPAINT sent, and the pixels of the window it let the
  // window draw on, which the headless desktop's tests read to tell what a change cost.
  struct PaintTally {
    unsigned paints = 0;
    long long pixels = 0;
    long long textMaskPixels = 0;
  };
  PaintTally painted;
  void tallyPaint(const Region& drawable);
  // Whether some window may have something to paint: set by whatever gives a window an update region or a
  // dirty frame, or shows a window or lets it draw again; cleared by a look for paints that finds none, so
  // the looks that follow return at once without walking the windows.
  bool paintMayWait = true;

 private:
  std::unique_ptr<Clock> clock_;
  ClassRegistry classes_;
  WindowTree windows_;
  MessageQueue queue_;
  WaitSet waitSet_;
  Keyboard keyboard_;
  FocusManager focus_;
  InputRouter input_;
  TimerList timers_;
  Caret caret_;
  CursorTable cursors_;
  Desktop desktop_;
  Gdi gdi_;
  Compositor compositor_;
  NonClientTracker tracker_;
  Clipboard clipboard_;
  MenuTable menus_;
  pid_t guiThread_;
  std::unique_ptr<X11Host> displayHost_;  // last: it lets go of the wait set and the desktop first
};

}  // namespace native
