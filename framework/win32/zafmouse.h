// The mouse device: moves, shows and hides the pointer, sets its image by image code, and while off drops
// mouse events at the head of the queue at each poll.
#ifndef FRAMEWORK_WIN32_ZAFMOUSE_H
#define FRAMEWORK_WIN32_ZAFMOUSE_H

#include "framework/core/zafdevice.h"
#include "framework/win32/zafmouseimages.h"

inline constexpr int32_t E_MOUSE_DEVICE = 30;
// Moves the pointer to the event's position (desktop pixels).
inline constexpr int32_t DM_POSITION = -3008;

class ZafMouse : public ZafDevice {
 public:
  ZafMouse(int32_t state = D_ON, int32_t image = DM_WAIT);
  ~ZafMouse() override;
  ZafMouse(const ZafMouse&) = delete;
  ZafMouse& operator=(const ZafMouse&) = delete;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;

  // DM_POSITION moves the pointer; D_STATE answers the state; D_ON and D_OFF show and hide the pointer; an
  // image code becomes the current image and sets its pointer. Every code but D_STATE comes back.
  int32_t Event(const ZafEventRecord& event) override;
  void Poll() override;

  int32_t Image() const { return image; }

  int32_t column = 0;
  int32_t line = 0;
  int32_t width = 0;
  int32_t height = 0;

 private:
  int32_t image;
};

#endif
