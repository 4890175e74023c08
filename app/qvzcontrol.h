#pragma once
// The program's main window: the multiple-document frame that holds the menu bar, the hardware tool bar,
// the status bar and the event windows. It opens maximised, builds its menus from the
// "\Strings\MenuBar\..." texts, and fans the idle tick out to the hardware manager, the reaction-time link,
// the tool bar and the status bar.

#include <cstdint>

#include "foundation/kstring.h"
#include "framework/core/zafeventrecord.h"
#include "toolkit/kzcontrol.h"

class KRInt;
class KZPullDownMenu;
class QvSchedule;
class QvZStatusBar;
class YHardware;
class YZHardwareBar;

class QvZControl : public KZControl {
 public:
  // Builds the whole frame over the program's hardware manager; the reaction-time link, when given, is
  // served on every idle tick. The "-devel" and "-gunaudio" options come from the application object's
  // arguments (none without one).
  explicit QvZControl(YHardware& hardware, QvSchedule* schedule = nullptr);
  ~QvZControl() override;
  QvZControl(const QvZControl&) = delete;
  QvZControl& operator=(const QvZControl&) = delete;

  ZafEventType Event(const ZafEventRecord& event) override;

  // The menu bar and status bar of the frame built last (null before); the start routine copies them into
  // the program-wide globals.
  static KZPullDownMenu* GetMenuBar() { return menuBar; }
  static QvZStatusBar* GetStatusBar() { return statusBar; }

  YZHardwareBar* HardwareBar() const { return hardwareBar; }

 private:
  static inline KZPullDownMenu* menuBar = nullptr;
  static inline QvZStatusBar* statusBar = nullptr;

  YZHardwareBar* hardwareBar = nullptr;
  // "\Event\SingleEvent", read at each New, Open and schedule step.
  KRInt* singleEvent = nullptr;
  YHardware* itsHardware;
  QvSchedule* itsSchedule;
};
