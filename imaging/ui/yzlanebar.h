// The narrow bar beside a camera picture that shows the camera's lane lines, numbers the lanes between them
// and lets the user drag a line. The camera is either the settings inside an image (beside an image pane)
// or a camera the hardware manager knows by its device id (in the alignment pane).
#ifndef IMAGING_UI_YZLANEBAR_H
#define IMAGING_UI_YZLANEBAR_H

#include <cstdint>

#include "toolkit/kzsizer.h"

class YCamera;
class YHardware;
class YImage;

class YZLaneBar : public KZSizer {
 public:
  // Beside an image pane: the camera of `image` (none for now).
  explicit YZLaneBar(YImage* image);
  // In the alignment pane: the camera `deviceId` of `hardware`.
  YZLaneBar(YHardware* hardware, int32_t deviceId);
  ~YZLaneBar() override;

  void SetImage(YImage* image);
  YImage* Image() const { return image; }

  // The pixels onto which the line positions (ten-thousandths) are scaled, and the offset of the bar's
  // start; true when either changed (the caller then redraws the bar).
  bool SetScaleAndOrigin(int32_t length, int32_t offset);

  // The lane number of section `section`: counted down from the top when the camera's orientation equals
  // its reverse-lanes flag, else up.
  int32_t LaneNumber(int32_t section);
  // The lane whose section spans `along` (a bar coordinate along the axis); false over no section.
  bool LaneAt(int32_t along, int32_t& lane);

  // A press while a line is dragged (after a release that never arrived) moves that line, as the drag
  // would; everything else is the sizer's.
  ZafEventType Event(const ZafEventRecord& event) override;

  // The dragged line lives in the image camera's current-line field, so that every bar over the same
  // camera knows it.
  int32_t DragIndex() override;
  void SetDragIndex(int32_t index) override;
  // The camera's lane-line count.
  int32_t CellCount() override;
  // Line i in pixels: -1 without lines, 0 before the first, the length after the last.
  int32_t BoundaryPosition(int32_t index) override;
  // Stores the dragged line's position, clamped to the bar, in the camera.
  void MoveBoundary(int32_t index, int32_t position) override;
  void CellText(int32_t index, KString& text, uint32_t& textFlags) override;

 private:
  YCamera* Camera() const;
  bool LanesSynchronised();
  int32_t LineValue(int32_t index);

  YImage* image = nullptr;
  YHardware* hardware = nullptr;
  int32_t deviceId = -1;
};

#endif
