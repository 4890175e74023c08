#pragma once
// The alignment pane: a live strip from the camera of the selected device interface, to aim the camera by,
// with the camera's lane bar beside it. The strip itself comes from the device interface.

#include <cstdint>

#include "toolkit/kzwindow.h"

class YHardware;
class YHardwareView;
class YZLaneBar;

class YZAlignPane : public KZWindow {
 public:
  // Capture modes: a new strip at the starting rate, the same rate again, a faster rate.
  static constexpr int32_t kNewStrip = 0;
  static constexpr int32_t kKeepRate = 1;
  static constexpr int32_t kFaster = 2;
  // The rate divisor: where a new strip starts, how far each faster strip lowers it, and its floor.
  static constexpr int32_t kStartDivisor = 400000;
  static constexpr int32_t kDivisorStep = 50000;
  static constexpr int32_t kMinimumDivisor = 10000;
  // The numbered error of a refused alignment capture.
  static constexpr int32_t kCaptureRefused = 61001;

  explicit YZAlignPane(YHardwareView* view);

  void SetInterface(int32_t number) { interfaceNumber = number; }
  // Starts (or, with `start` false, stops) the alignment capture in a mode above.
  void Capture(bool start, int32_t mode);
  // A notification of the manager for the alignment: the lane bar shows the camera again.
  void Update();

  int32_t Divisor() const { return divisor; }
  int32_t LineRate() const { return lineRate; }
  int32_t DrawingColumn() const { return drawingColumn; }
  YZLaneBar* LaneBar() const { return laneBar; }

 private:
  YHardware* itsHardware;
  YZLaneBar* laneBar;
  int32_t interfaceNumber = 0;
  int32_t drawingColumn = 0;
  int32_t divisor = kStartDivisor;
  int32_t lineRate = 0;
};
