// The base of the input devices (keyboard, mouse, cursor, help tips): a device type and a state, an
// event operation that answers device requests, and a poll that lets the device look for input.
#ifndef FRAMEWORK_CORE_ZAFDEVICE_H
#define FRAMEWORK_CORE_ZAFDEVICE_H

#include <cstdint>

#include "framework/data/zafelement.h"

class ZafEventRecord;

// Device requests and states.
inline constexpr int32_t D_OFF = -3000;
inline constexpr int32_t D_ON = -3001;
inline constexpr int32_t D_STATE = -3005;
// The mouse device's default pointer image.
inline constexpr int32_t DefaultImage = -3200;

class ZafDevice : public ZafElement {
 public:
  ZafDevice(int32_t deviceType, int32_t deviceState);
  ~ZafDevice() override = default;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;

  // The device's reply to a request. A device that does not know the request answers its type, as every
  // Event operation does with what it leaves alone.
  virtual int32_t Event(const ZafEventRecord& event);
  virtual void Poll() {}

  int32_t deviceType;
  int32_t deviceState;
};

#endif
