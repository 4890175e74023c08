// Redrawing the program's force-trace chart through the chart control on the headless desktop: ten lanes
// of 5,000 points, from the model to the pixels (rebuild, placing, projection, axes, labels, traces and
// the desktop's composition), one full redraw per iteration. Beside it, the same trace pixels drawn the
// plainest way, one native polyline per trace into the same window, and the ratio of the two rates.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "chart/cf_3dpointseries.h"
#include "chart/tests/forcetracechart.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindow.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/win32/zafmswindowsapp.h"
#include "framework/win32/zafscreendisplay.h"
#include "native/native.h"
#include "native/testdriver.h"

namespace {

constexpr int kChartWidth = 1000;
constexpr int kChartHeight = 600;
constexpr int kLanes = 10;
constexpr int kPoints = 5000;

// Points per millisecond of wall time of each path, for the ratio printed at the end.
double chartRate = 0;
double plainRate = 0;

// The desktop with one framework window holding a 1000 x 600 chart control, drawn once.
struct ChartOnDesktop {
  ChartOnDesktop() {
    ZafWindowObject::eventManager = &events;
    window = new ZafWindow(0, 0, 10, 10);
    chart = new ZafChartControl(0, 0, 5, 5, cf_ChartEngine::kLine, cf_ChartEngine::k2D, 2);
    window->Add(chart);
    ForceTraceChart{kLanes, kPoints}.Build(*chart);
    manager->Add(window);
    driver.pumpUntilIdle();
    native::SetWindowPos(window->ScreenID(), nullptr, 0, 0, kChartWidth + 40, kChartHeight + 60,
                         native::SWP_NOZORDER);
    native::SetWindowPos(chart->ScreenID(), nullptr, 0, 0, kChartWidth, kChartHeight, native::SWP_NOZORDER);
    driver.pumpUntilIdle();
  }
  ~ChartOnDesktop() {
    manager.reset();
    ZafWindowObject::eventManager = nullptr;
  }

  native::TestDriver driver{native::DesktopOptions{1280, 1024, 96}};
  ZafMSWindowsApp application{nullptr};
  ZafScreenDisplay screen;
  ZafEventManager events;
  std::unique_ptr<ZafWindowManager> manager = std::make_unique<ZafWindowManager>();
  ZafWindow* window = nullptr;
  ZafChartControl* chart = nullptr;
};

double PointsPerMs(benchmark::State& state, std::chrono::steady_clock::time_point started) {
  const double milliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  const double rate =
      static_cast<double>(kLanes) * kPoints * static_cast<double>(state.iterations()) / milliseconds;
  state.counters["points_per_ms"] = rate;
  return rate;
}

void BM_ChartControlRedraw(benchmark::State& state) {
  ChartOnDesktop desktop;
  const auto started = std::chrono::steady_clock::now();
  for (auto _ : state) {
    desktop.chart->Event(ZafEventRecord(RedisplayEvent, 0));
    desktop.driver.pumpUntilIdle();
    benchmark::ClobberMemory();
  }
  chartRate = PointsPerMs(state, started);
}
BENCHMARK(BM_ChartControlRedraw)->Unit(benchmark::kMillisecond)->UseRealTime();

// The traces' screen points as the chart mapped them, drawn with one native polyline each.
void BM_SameTracesAsPlainPolylines(benchmark::State& state) {
  ChartOnDesktop desktop;
  std::vector<std::vector<native::POINT>> traces;
  for (const auto& object : desktop.chart->GetEngine()->SeriesObjects()) {
    const auto& series = static_cast<const cf_3DPointSeries&>(*object);
    std::vector<native::POINT>& trace = traces.emplace_back();
    for (const cf_2DPoint& point : series.ScreenPoints()) {
      trace.push_back({point.x, point.y});
    }
  }
  native::HDC dc = native::GetDC(desktop.chart->ScreenID());
  native::HPEN pen = native::CreatePen(native::PS_SOLID, 0, native::RGB(128, 0, 0));
  native::HGDIOBJ previous = native::SelectObject(dc, pen);
  native::RECT client{};
  native::GetClientRect(desktop.chart->ScreenID(), &client);
  const auto started = std::chrono::steady_clock::now();
  for (auto _ : state) {
    native::FillRect(dc, &client, static_cast<native::HBRUSH>(native::GetStockObject(native::WHITE_BRUSH)));
    for (const auto& trace : traces) {
      native::Polyline(dc, trace.data(), static_cast<int>(trace.size()));
    }
    desktop.driver.pumpUntilIdle();
    benchmark::ClobberMemory();
  }
  plainRate = PointsPerMs(state, started);
  native::SelectObject(dc, previous);
  native::DeleteObject(pen);
  native::ReleaseDC(desktop.chart->ScreenID(), dc);
}
BENCHMARK(BM_SameTracesAsPlainPolylines)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (chartRate > 0 && plainRate > 0) {
    std::printf("chart %.0f points/ms, plain polylines %.0f points/ms, chart / plain = %.2f\n", chartRate,
                plainRate, chartRate / plainRate);
  }
  return 0;
}
