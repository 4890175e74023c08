// The window object a chart control is built on: a framework window that never takes the focus and is
// drawn by the framework, holding the chart type and the domain mode it was made with.
#ifndef CHART_ZAFCHARTSTUB_H
#define CHART_ZAFCHARTSTUB_H

#include <cstdint>

#include "framework/core/zafwindowobject.h"

class ZafChartStub : public ZafWindowObject {
 public:
  // Region in cells.
  ZafChartStub(int32_t left, int32_t top, int32_t width, int32_t height, int32_t chartType,
               int32_t domainMode);

  // Each keeps its argument and answers it.
  virtual int32_t SetChartKind(int32_t type);
  virtual int32_t SetDomainOption(int32_t mode);
  int32_t ChartKind() const { return chartKind; }
  int32_t DomainOption() const { return domainOption; }

 private:
  int32_t chartKind = 0;
  int32_t domainOption = 0;
};

#endif
