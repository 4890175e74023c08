// The text caret as a device: its mode (insert or overstrike, kept for the fields that draw it) and
// showing or hiding the caret of the GUI thread.
#ifndef FRAMEWORK_WIN32_ZAFCURSOR_H
#define FRAMEWORK_WIN32_ZAFCURSOR_H

#include "framework/core/zafdevice.h"

inline constexpr int32_t E_CURSOR_DEVICE = 50;
inline constexpr int32_t DC_OVERSTRIKE = -3101;
inline constexpr int32_t DC_INSERT = -3100;

class ZafCursor : public ZafDevice {
 public:
  ZafCursor(int32_t state = D_ON, int32_t mode = DC_INSERT);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;

  // DC_OVERSTRIKE and DC_INSERT set the mode; D_STATE answers the state; D_ON shows the caret and D_OFF
  // hides it. Every other code comes back as it is.
  int32_t Event(const ZafEventRecord& event) override;
  // Stores the mode and answers it; the caret itself is the fields' to shape.
  int32_t SetMode(int32_t newMode);
  int32_t Mode() const { return mode; }

  // The caret blink time of the process, in milliseconds, read when a cursor device is made.
  static uint32_t BlinkTime() { return blinkTime; }
  static void SetBlinkTime(uint32_t milliseconds);

  int32_t column = 0;
  int32_t line = 0;
  int32_t width = 0;
  int32_t height = 0;

 private:
  int32_t mode;
  static uint32_t blinkTime;
};

#endif
