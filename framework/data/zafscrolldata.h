// The value of a scroll bar or slider: a current position kept inside minimum..maximum, with the page step
// (showing) and the line step (delta). Several bars may share one object and follow its changes.
#ifndef FRAMEWORK_DATA_ZAFSCROLLDATA_H
#define FRAMEWORK_DATA_ZAFSCROLLDATA_H

#include <cstdint>

#include "framework/data/zafdata.h"
#include "framework/data/zafscrollstruct.h"

class ZafScrollData : public ZafData {
 public:
  // Current 0 in 0..0, showing and delta 1.
  ZafScrollData() = default;
  // Note the order: minimum, maximum, current, delta, showing. The current value is clamped.
  ZafScrollData(int32_t minimum, int32_t maximum, int32_t current, int32_t delta = 1, int32_t showing = 1);
  explicit ZafScrollData(const ZafScrollStruct& scroll);
  ZafScrollData(const ZafScrollData& other);
  // Reads the object `name` (storage type 3). The stored values are taken as they stand, unclamped.
  ZafScrollData(const ZafIChar* name, ZafDataPersistence& persistence);
  // The bars that still show the object are told to let go of it.
  ~ZafScrollData() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafData* Duplicate() override;
  ZafDataConstructor ReadFunction() const override;
  // Record: five signed 32-bit values, current, minimum, maximum, showing, delta.
  ZafError Write(ZafDataPersistence& persistence) override;
  // Back to (0, 0, 0, 1, 1) and error 0, telling the observers only when something changed.
  void Clear() override;

  // Each setter clamps the current value (below the minimum it becomes the minimum, above the maximum the
  // maximum; with the minimum above the maximum it is the minimum) and tells the observers once, only when
  // a value changed.
  virtual int32_t SetCurrent(int32_t current);
  virtual int32_t SetMinimum(int32_t minimum);
  virtual int32_t SetMaximum(int32_t maximum);
  virtual int32_t SetShowing(int32_t showing);
  virtual int32_t SetDelta(int32_t delta);
  // Returns 0.
  virtual int SetScroll(int32_t minimum, int32_t maximum, int32_t current, int32_t delta, int32_t showing);
  virtual int SetScroll(const ZafScrollStruct& scroll);

  int32_t Current() const { return scroll.current; }
  int32_t Minimum() const { return scroll.minimum; }
  int32_t Maximum() const { return scroll.maximum; }
  int32_t Showing() const { return scroll.showing; }
  int32_t Delta() const { return scroll.delta; }
  const ZafScrollStruct& Scroll() const { return scroll; }

 private:
  static int32_t Clamp(int32_t current, int32_t minimum, int32_t maximum);

  ZafScrollStruct scroll;
};

#endif
