// The help-tips device: shows an object's quick tip after the mouse rests on it, and its help text in the
// help bar. The portable half holds the fields and the two process-wide delays; the native half handles
// the device's events, its timer and its tip window.
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

class ZafHelpTips : public ZafDevice {
 public:
  ZafHelpTips(int32_t deviceState, int32_t mode);
  ~ZafHelpTips() override = default;

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

  native::UINT_PTR timer = 0;
  bool tipShown = false;
  bool armed = false;
  int32_t mode;
  // The last mouse position, in screen pixels.
  int32_t mouseX = 0;
  int32_t mouseY = 0;
  ZafRegionStruct tipRegion{0, 0, 0, 0, 2};
  // The help bar's own text while it shows an object's help.
  std::unique_ptr<ZafIChar[]> savedText;
  native::HWND tipWindow = nullptr;
  ZafPaletteStruct tipPalette;

 private:
  static int32_t firstDelay;
  static int32_t tipDelay;
};

#endif
