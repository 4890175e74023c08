// Closes a menu left open too long: while a menu is open the watchdog ticks every 500 ms on its own thread
// and, once the deadline has passed, posts an Escape key press to the GUI thread, whose normal key
// handling closes the menu.
#ifndef TOOLKIT_KZMENUWATCHDOG_H
#define TOOLKIT_KZMENUWATCHDOG_H

#include <atomic>
#include <cstdint>

#include "foundation/kperiodictask.h"
#include "native/user/nativetypes.h"

class KZMenuWatchDog : public KPeriodicTask {
 public:
  static constexpr int32_t kPeriodMs = 500;

  // `delay`: how long (ms) a menu may stay open after the last menu event. The thread that builds the
  // watchdog is the one the Escape goes to.
  explicit KZMenuWatchDog(uint32_t delay);
  ~KZMenuWatchDog() override;

  // A menu opened: ticking starts and the deadline is set.
  void Arm();
  // The menus closed: no deadline, no ticking.
  void Disarm();
  // A menu event: the deadline moves to `delay` from now (while armed).
  void Rearm();

 protected:
  void Tick(uint32_t now) override;

 private:
  // The tick count at which the menu is closed, 0 when none. The only state both threads touch.
  std::atomic<int32_t> deadline{0};
  const uint32_t delay;
  const native::DWORD guiThread;
};

#endif
