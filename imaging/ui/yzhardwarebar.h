#pragma once
// The tool bar under the main frame's menu bar: push buttons for a new event, opening an event file, saving
// the current event and stepping through the meet schedule. It is the hardware manager's tool-bar window,
// refreshed when the armed events change, and it holds the hooks that start and stop a camera capture.

#include <array>
#include <cstdint>
#include <optional>

#include "devices/yhardwareview.h"
#include "framework/core/zafeventrecord.h"
#include "imaging/ui/yzeventcommands.h"
#include "toolkit/kztoolbar.h"

class KZBitmap;
class KZControl;
class KZTBButton;
class QvEvent;
class YHardware;

// The bar's commands.
inline constexpr ZafEventType NewEventCommand = 10578;
inline constexpr ZafEventType OpenEventCommand = 10579;
inline constexpr ZafEventType SaveEventCommand = 10003;
inline constexpr ZafEventType SchedulePreviousCommand = 10582;
inline constexpr ZafEventType ScheduleGotoCommand = 10583;
inline constexpr ZafEventType ScheduleNextCommand = 10584;
inline constexpr ZafEventType StopCaptureCommand = 10589;

class YZHardwareBar : public KZToolBar, public YHardwareView::Client {
 public:
  // The buttons, left to right.
  enum Button { kNew, kOpen, kSave, kPrevious, kGoto, kNext, kButtonCount };
  // The shortest time between two status updates on the idle tick, in milliseconds.
  static constexpr uint32_t kUpdateInterval = 100;

  // Builds the bar with its six buttons for the frame and enters it in the view as its tool bar.
  YZHardwareBar(KZControl* frame, YHardwareView& view);
  // Leaves the view first.
  ~YZHardwareBar() override;
  YZHardwareBar(const YZHardwareBar&) = delete;
  YZHardwareBar& operator=(const YZHardwareBar&) = delete;

  // Loads the buttons' bitmaps from the framework data file; the bars live between the two.
  static void Register();
  static void Unregister();
  // Pixels every button is widened by, so that the buttons are no narrower than two lines of font 1 when
  // the "Open" bitmap is lower than that.
  static int32_t ExtraWidth(int32_t fontHeight, int32_t bitmapHeight);

  // The idle tick runs the status update at most once a kUpdateInterval, and while a device is present
  // asks for the tick that runs the next one; the stop-capture command asks first while a capture runs.
  // Everything else is the tool bar's.
  ZafEventType Event(const ZafEventRecord& event) override;
  // Brings the bar's controls in step with the hardware; none of this bar's controls shows hardware state.
  virtual void RefreshControls();
  // The status update; no control of this bar shows it.
  virtual void UpdateStatus();
  // Called by the event pane when one of its objects changed; the bar shows nothing of it.
  void Changed(ZafWindowObject* object, bool flag);
  // Starts the capture for the event (the latest armed event when null) and its first leg, unless a capture
  // has started, the keyboard button is in use or the event is not armed.
  void StartCapture(QvEvent* event);

  KZTBButton* ButtonAt(Button button) const { return buttons[button]; }
  // What follows a document command that showed `event` in a window: its first leg redraws, then its
  // windows send the control unit the lane states and, for a race from the schedule, its title.
  static void AnnounceEvent(QvEvent& event, bool scheduled);

  // The view's notifications: a change of the armed events refreshes the controls.
  void HardwareNotification(int32_t code) override;
  void ViewDestroyed() override;

 private:
  // New, open and the schedule steps through the frame's event commands, with their leg notifications.
  void RunDocumentCommand(ZafEventType code);
  void StopCapture();
  QvEvent* LatestArmedEvent() const;

  static inline std::array<KZBitmap*, kButtonCount> bitmaps{};

  KZControl* itsFrame;
  YHardwareView* itsView;
  YHardware* itsHardware;
  // Tick of the last status update on the idle tick; none before the first.
  std::optional<uint32_t> lastUpdate;
  std::array<KZTBButton*, kButtonCount> buttons{};
};
