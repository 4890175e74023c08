// The help-tips device: shows an object's quick tip after the mouse rests on it, and its help text in the
// help bar. The portable half holds the fields and the two process-wide delays; the native half handles
// the device's events, its timer and its tip window.
//
// The pointer coming onto an object with a tip starts the timer: with the first delay, or with the tip
// delay once a tip was shown and no click or key came since. The timer shows the tip; the pointer
// leaving hides it; a click or a key hides it and lets the next tip wait the first delay again.
#ifndef FRAMEWORK_CORE_ZAFHELPTIPS_H
#define FRAMEWORK_CORE_ZAFHELPTIPS_H

#include <cstdint>
#include <memory>

#include "framework/core/zafdevice.h"
#include "framework/core/zafregionstruct.h"
#include "framework/data/zafpalettestruct.h"
#include "native/user/nativetypes.h"

// Help-tip modes: tips only, help bar only, both.
inline constexpr int32_t ZAF_TIPS_ONLY = 0;
inline constexpr int32_t ZAF_HELP_BAR_ONLY = 1;
inline constexpr int32_t ZAF_TIPS_AND_HELP_BAR = 2;

class ZafWindowObject;

class ZafHelpTips : public ZafDevice {
 public:
  ZafHelpTips(int32_t deviceState, int32_t mode);
  // Stops the timer, takes a shown tip down and lets go of the tip window class, which the first tip
  // registers.
  ~ZafHelpTips() override;
  ZafHelpTips(const ZafHelpTips&) = delete;
  ZafHelpTips& operator=(const ZafHelpTips&) = delete;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;

  // Milliseconds before the first tip, and between tips once one was shown. Each setter returns the value
  // now in force.
  static int32_t FirstDelay() { return firstDelay; }
  static int32_t TipDelay() { return tipDelay; }
  static int32_t SetFirstDelay(int32_t milliseconds);
  static int32_t SetTipDelay(int32_t milliseconds);
  // A tip was shown and no click or key came since: the next tip waits only the tip delay.
  static bool TipsActive() { return tipsActive; }

  // D_STATE answers the state; D_ON and D_OFF set it (off takes a shown tip down). TipEnterEvent and
  // TipLeaveEvent follow the pointer, HelpHintEvent shows the help text of the event's object (none: the
  // bar's own text), HelpBarEvent makes the event's object the help bar. Handled codes come back; others
  // give -2.
  int32_t Event(const ZafEventRecord& event) override;
  // Looks at the next queued event without taking it: a click or key hides the tip, a mouse move delays a
  // pending tip, and this device's timer shows it (that timer message is taken).
  void Poll() override;
  // The current object's help text in the help bar, the bar's own text saved the first time.
  virtual void ShowHelpText();
  // The current object's quick tip in a top-most window near the pointer, kept on the screen.
  virtual void ShowTip();
  // Takes the tip down, gives the help bar its own text back and stops the timer.
  virtual void HideTip();

  static constexpr const char16_t* windowClassName = u"ZafHelpTips";

  native::UINT_PTR timer = 0;
  bool tipShown = false;
  bool armed = false;
  int32_t mode;
  // The last mouse position, in screen pixels.
  int32_t mouseX = 0;
  int32_t mouseY = 0;
  ZafRegionStruct tipRegion{0, 0, 0, 0, 2};
  // The help bar's own text while it shows an object's help (empty when it had none).
  std::unique_ptr<ZafIChar[]> savedText;
  native::HWND tipWindow = nullptr;
  ZafPaletteStruct tipPalette;

 private:
  // Shows the object's help text in the help bar, saving the bar's own text the first time.
  void ShowHelpTextOf(ZafWindowObject* object);
  // Gives the help bar its own text back and forgets the copy.
  void RestoreHelpText();
  void SetHelpBar(ZafWindowObject* bar);
  // Stops the timer and starts it again with the delay, taking the pointer position from the event when
  // it is a mouse move, else from the pointer itself. Nothing starts without a current object.
  void RestartTimer(int32_t delay, const ZafEventRecord& event);
  void StopTimer();
  int32_t PendingDelay() const { return tipsActive || armed ? tipDelay : firstDelay; }

  static int32_t firstDelay;
  static int32_t tipDelay;
  static bool tipsActive;
};

#endif
