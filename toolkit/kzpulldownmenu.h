// The toolkit's menu bar: before a menu opens, and before a hot key is matched, every item is disabled and
// unchecked and the owner window is asked (UpdateMenuEvent) to enable and check what applies; hot keys
// are matched here before any window sees the key; a watchdog closes a menu left open too long.
#ifndef TOOLKIT_KZPULLDOWNMENU_H
#define TOOLKIT_KZPULLDOWNMENU_H

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/core/zafpulldownmenu.h"
#include "toolkit/kzmenuwatchdog.h"
#include "toolkit/kzwindowleech.h"

class KZPullDownItem;

class KZPullDownMenu : public ZafPullDownMenu, public KZWindowLeech {
 public:
  // With a delay above 0 (ms) a watchdog closes a menu left open that long after the last menu event.
  explicit KZPullDownMenu(int32_t delay = 0);
  ~KZPullDownMenu() override;

  // Opening a menu resets the items and arms the watchdog; closing disarms it; every event rearms it.
  ZafEventType Event(const ZafEventRecord& event) override;
  // For a key press with Ctrl or Alt: resets the items, then offers the key to every item in menu order.
  // True when an item took it (its command is queued).
  bool HotKey(const ZafEventRecord& event);
  // Disables and unchecks every item, then sends UpdateMenuEvent to the window that holds the bar.
  void ResetItems();
  // Over every entry: each item at any depth with that command.
  void EnableCommand(int32_t value, bool enable);
  void CheckCommand(int32_t value, bool checked);

  std::unique_ptr<KZMenuWatchDog> watchDog;

 private:
  void ForEachEntry(const std::function<void(KZPullDownItem&)>& visit);
};

#endif
