// The keyboard device: switched on and off through the event manager; while off, key events at the head of
// the queue are dropped at each poll.
#ifndef FRAMEWORK_WIN32_ZAFKEYBOARD_H
#define FRAMEWORK_WIN32_ZAFKEYBOARD_H

#include "framework/core/zafdevice.h"

inline constexpr int32_t E_KEYBOARD_DEVICE = 10;

class ZafKeyboard : public ZafDevice {
 public:
  explicit ZafKeyboard(int32_t state = D_ON);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;

  // D_STATE answers the state; D_ON and D_OFF set it; every other code comes back as it is.
  int32_t Event(const ZafEventRecord& event) override;
  void Poll() override;
};

#endif
