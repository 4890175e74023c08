#include "chart/zafchartstub.h"

ZafChartStub::ZafChartStub(int32_t left, int32_t top, int32_t width, int32_t height, int32_t chartType,
                           int32_t domainMode)
    : ZafWindowObject(left, top, width, height) {
  SetNonCurrent(true);
  SetNativeDrawing(false);
  SetChartKind(chartType);
  SetDomainOption(domainMode);
}

int32_t ZafChartStub::SetChartKind(int32_t type) {
  chartKind = type;
  return chartKind;
}

int32_t ZafChartStub::SetDomainOption(int32_t mode) {
  domainOption = mode;
  return domainOption;
}
