#include "imaging/ui/yzlanebar.h"

#include <algorithm>

#include "devices/yhardware.h"
#include "framework/core/zafdisplay.h"
#include "framework/core/zafeventtypes.h"
#include "framework/core/zaftoolbar.h"
#include "imaging/yimage.h"

namespace {

// A vertical bar two character cells wide: room for two-digit lane numbers.
int32_t BarThickness() {
  return ZafWindowObject::display ? 2 * ZafWindowObject::display->cellWidth : 0;
}

}  // namespace

YZLaneBar::YZLaneBar(YImage* image) : KZSizer(ZAF_DOCK_LEFT, BarThickness(), 0, 0), image(image) {}

YZLaneBar::YZLaneBar(YHardware* hardware, int32_t deviceId)
    : KZSizer(ZAF_DOCK_LEFT, BarThickness(), 0, 0), hardware(hardware), deviceId(deviceId) {}

YZLaneBar::~YZLaneBar() = default;

void YZLaneBar::SetImage(YImage* shown) {
  image = shown;
}

bool YZLaneBar::SetScaleAndOrigin(int32_t length, int32_t offset) {
  const bool lengthChanged = SetLength(length);
  const bool originChanged = SetOrigin(offset);
  return lengthChanged || originChanged;
}

YCamera* YZLaneBar::Camera() const {
  return image ? &image->Camera() : nullptr;
}

ZafEventType YZLaneBar::Event(const ZafEventRecord& event) {
  if (MapEvent(event) == LeftPressedEvent && DragIndex() >= 0) {
    MoveBoundary(DragIndex(), Along(BarPoint(event)));
    return LeftPressedEvent;
  }
  return KZSizer::Event(event);
}

int32_t YZLaneBar::DragIndex() {
  YCamera* camera = Camera();
  return camera ? camera->CurrentLine() : KZSizer::DragIndex();
}

void YZLaneBar::SetDragIndex(int32_t index) {
  if (YCamera* camera = Camera()) {
    camera->SetCurrentLine(index);
  } else {
    KZSizer::SetDragIndex(index);
  }
}

int32_t YZLaneBar::CellCount() {
  if (YCamera* camera = Camera()) {
    return camera->ValueCount();
  }
  return hardware && deviceId >= 0 ? std::max(0, hardware->LaneLineCount(deviceId)) : 0;
}

int32_t YZLaneBar::LineValue(int32_t index) {
  if (YCamera* camera = Camera()) {
    return camera->Value(index);
  }
  return hardware ? hardware->LaneLine(deviceId, index) : 0;
}

int32_t YZLaneBar::BoundaryPosition(int32_t index) {
  const int32_t count = CellCount();
  if (count <= 0) {
    return -1;
  }
  if (index < 0) {
    return 0;
  }
  if (index > count) {
    return Length();
  }
  const auto position = static_cast<int32_t>(LineValue(index) * 0.0001 * Length());
  return std::clamp(position, 0, std::max(0, Length()));
}

void YZLaneBar::MoveBoundary(int32_t index, int32_t position) {
  const int32_t length = Length();
  if (length > 0) {
    const int32_t clamped = std::clamp(position, 0, length);
    const auto value = static_cast<int32_t>(static_cast<double>(clamped) / length * YCamera::kFullWidth);
    if (YCamera* camera = Camera()) {
      camera->SetValue(index, value);
    } else if (hardware) {
      hardware->SetLaneLine(deviceId, index, value);
    }
  }
  KZSizer::MoveBoundary(index, position);
}

bool YZLaneBar::LanesSynchronised() {
  if (YCamera* camera = Camera()) {
    return camera->IsSynchronised();
  }
  return hardware && hardware->LanesReversed(deviceId) == 1;
}

int32_t YZLaneBar::LaneNumber(int32_t section) {
  return LanesSynchronised() ? CellCount() - section : section + 1;
}

bool YZLaneBar::LaneAt(int32_t along, int32_t& lane) {
  const int32_t count = CellCount();
  for (int32_t section = 0; section < count; ++section) {
    if (BoundaryPosition(section) <= along && along < BoundaryPosition(section + 1)) {
      lane = LaneNumber(section);
      return true;
    }
  }
  return false;
}

void YZLaneBar::CellText(int32_t index, KString& text, uint32_t&) {
  text.Clear();
  text.AppendInt(LaneNumber(index));
}
