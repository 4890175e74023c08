#include "chart/zafchartcontrol.h"

#include <algorithm>
#include <iterator>

#include "chart/bf_display.h"
#include "chart/cf_3dgridtickseries.h"
#include "framework/core/zafdisplay.h"

namespace {

// The raw codes of a press and a release of the left and the right button (the keys held with them are
// in the modifiers): a chart, never the current object, has no use for them.
constexpr int32_t kButtonPressAndReleaseCodes[] = {0x1100, 0x1000, 0x2200, 0x2000};

bool IsButtonPressOrRelease(ZafWindowObject& object, const ZafEventRecord& event) {
  if (ZafEventRecord::Category(event) != ZAF_CATEGORY_MOUSE) {
    return false;
  }
  ZafEventRecord translated = event;
  if (translated.referenceObject != &object) {
    object.ConvertCoordinates(translated);
  }
  return std::find(std::begin(kButtonPressAndReleaseCodes), std::end(kButtonPressAndReleaseCodes),
                   translated.value) != std::end(kButtonPressAndReleaseCodes);
}

}  // namespace

ZafChartControl::ZafChartControl(int32_t left, int32_t top, int32_t width, int32_t height, int32_t chartType,
                                 int32_t dimension, int32_t domainMode)
    : ZafChartStub(left, top, width, height, chartType, domainMode),
      view(std::make_unique<cf_ChartView>(chartType, dimension, domainMode)) {}

ZafChartControl::~ZafChartControl() = default;

ZafEventType ZafChartControl::Draw(const ZafEventRecord&, ZafEventType drawType) {
  if (!display) {
    return drawType;
  }
  ZafRegionStruct region = BeginDraw();
  DrawBackground(region, drawType);
  {
    bf_Display context(*display, this);
    view->Prepare(context);
    view->Draw(context);
  }
  EndDraw();
  return drawType;
}

ZafEventType ZafChartControl::Event(const ZafEventRecord& event) {
  if (event.type != SizedEvent) {
    const ZafEventType answer = ZafWindowObject::Event(event);
    // The window that holds the chart sees the clicks on it, as it would over its own window.
    if (parent && !EditMode() && IsButtonPressOrRelease(*this, event)) {
      return parent->Event(event);
    }
    return answer;
  }
  if (display) {
    bf_Display context(*display, this);
    view->Layout(context);
  }
  Event(ZafEventRecord(RedisplayEvent, 0));
  return SizedEvent;
}

void ZafChartControl::PrepareChart() {
  if (display && !view->IsDrawn()) {
    bf_Display context(*display, this);
    view->Prepare(context);
  }
}

ZafEventType ZafChartControl::RedisplayWhenAutomatic() {
  if (IsAutomaticUpdateUp(true)) {
    return Event(ZafEventRecord(RedisplayEvent, 0));
  }
  return 0;
}

ZafEventType ZafChartControl::SetChartType(int32_t type) {
  view->SetChartType(type);
  return RedisplayWhenAutomatic();
}

ZafEventType ZafChartControl::SetDimension(int32_t dimension) {
  view->SetDimension(dimension);
  return RedisplayWhenAutomatic();
}

ZafEventType ZafChartControl::SetDomainMode(int32_t mode) {
  view->SetDomainMode(mode);
  return RedisplayWhenAutomatic();
}

cf_3DGridTickSeries& ZafChartControl::ShowAxis(int32_t n, bool show) {
  cf_3DGridTickSeries& axis = view->GetAxis(n);
  if (show) {
    axis.Show();
  } else {
    axis.Hide();
  }
  return axis;
}
