// Redrawing the program's force-trace chart through the chart control on the headless desktop: ten lanes
// of 5,000 points redisplayed from an unchanged model (every redisplay builds the chart's objects from the
// model again, places, projects and maps them, then draws axes, labels, traces and the desktop's
// composition). Beside it, the same trace pixels drawn the plainest way, one native polyline per trace
// into the same window, and the ratio of the two rates. The reload case is the rate for new data: the
// chart pane's all-lanes load of eight lanes of 5,000 samples (preparing each trace, filling the model
// with the other of two trials each time) and its redraw to pixels, with the pane's own share of the time
// reported beside it. Every case must find the chart at its size with every lane's trace mapped, and the
// chart's cases must see it paint at each redraw.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/chartload.h"
#include "bench/ratiomain.h"
#include "chart/cf_3dpointseries.h"
#include "chart/tests/forcetracechart.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindow.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/win32/zafmswindowsapp.h"
#include "framework/win32/zafscreendisplay.h"
#include "model/qvresult.h"
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

  // Whether the chart shows at its size with `lanes` traces of every point mapped to the screen, and has
  // painted at least `paints` times since the last look.
  bool Drawn(std::size_t lanes, int64_t paints) {
    native::RECT client{};
    native::GetClientRect(chart->ScreenID(), &client);
    const auto& series = chart->GetEngine()->SeriesObjects();
    return client.right == kChartWidth && client.bottom == kChartHeight && series.size() == lanes &&
           std::all_of(series.begin(), series.end(),
                       [](const auto& object) {
                         return static_cast<const cf_3DPointSeries&>(*object).ScreenPoints().size() ==
                                static_cast<std::size_t>(kPoints);
                       }) &&
           driver.takePaints().paints >= paints;
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
  desktop.driver.takePaints();
  const auto started = std::chrono::steady_clock::now();
  for (auto _ : state) {
    desktop.chart->Event(ZafEventRecord(RedisplayEvent, 0));
    desktop.driver.pumpUntilIdle();
    benchmark::ClobberMemory();
  }
  chartRate = PointsPerMs(state, started);
  if (!desktop.Drawn(kLanes, state.iterations())) {
    state.SkipWithError("the chart is not at its size with every trace, or a redisplay did not paint it");
  }
}

// The traces' screen points as the chart mapped them, drawn with one native polyline each.
void BM_SameTracesAsPlainPolylines(benchmark::State& state) {
  ChartOnDesktop desktop;
  if (!desktop.Drawn(kLanes, 0)) {
    state.SkipWithError("the chart is not at its size with every trace");
    return;
  }
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

// Eight results of one trial: smooth pushes, one per lane, a little later in each trial.
std::vector<std::unique_ptr<QvResult>> Trial(int trial) {
  constexpr int kLanesLoaded = 8;
  std::vector<std::unique_ptr<QvResult>> results;
  for (int lane = 1; lane <= kLanesLoaded; ++lane) {
    std::vector<int32_t> x(kPoints);
    std::vector<int32_t> y(kPoints);
    for (int i = 0; i < kPoints; ++i) {
      const int rise = std::max(0, i - 2800 - 20 * lane - 50 * trial);
      x[i] = std::min(rise * 3, 900) + (i * 7 + lane) % 11;
      y[i] = std::min(rise * 2, 700) + (i * 5 + lane) % 13;
    }
    auto result = std::make_unique<QvResult>();
    result->SetAthleteField3(KString::FromUtf8(std::to_string(lane)));
    result->SetTrace(0, std::move(x), std::move(y));
    results.push_back(std::move(result));
  }
  return results;
}

void BM_ChartPaneReloadAllLanes(benchmark::State& state) {
  ChartOnDesktop desktop;
  constexpr int kLanesLoaded = 8;
  const std::vector<std::unique_ptr<QvResult>> trials[2] = {Trial(0), Trial(1)};
  ChartRows rows[2];
  for (int trial = 0; trial < 2; ++trial) {
    for (const auto& result : trials[trial]) {
      rows[trial].results.push_back(result.get());
    }
  }
  ChartLoad load(desktop.chart);
  desktop.driver.takePaints();
  std::chrono::steady_clock::duration loading{};
  int trial = 0;
  const auto started = std::chrono::steady_clock::now();
  for (auto _ : state) {
    const auto loadStarted = std::chrono::steady_clock::now();
    load.LoadTraces(rows[trial], {-1, -1}, true, ChartLoadOptions{});
    loading += std::chrono::steady_clock::now() - loadStarted;
    desktop.chart->Event(ZafEventRecord(RedisplayEvent, 0));
    desktop.driver.pumpUntilIdle();
    benchmark::ClobberMemory();
    trial = 1 - trial;
  }
  const double milliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  const double points = static_cast<double>(kLanesLoaded) * kPoints * static_cast<double>(state.iterations());
  state.counters["points_per_ms"] = points / milliseconds;
  state.counters["load_share"] = std::chrono::duration<double, std::milli>(loading).count() / milliseconds;
  if (!desktop.Drawn(kLanesLoaded, state.iterations())) {
    state.SkipWithError(
        "the chart is not at its size with every lane loaded, or a redisplay did not paint it");
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Registered here rather than by static objects, so that no code of the program runs before main.
  benchmark::RegisterBenchmark("BM_ChartControlRedraw", BM_ChartControlRedraw)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("BM_SameTracesAsPlainPolylines", BM_SameTracesAsPlainPolylines)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("BM_ChartPaneReloadAllLanes", BM_ChartPaneReloadAllLanes)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  return bench::RunCases(argc, argv, [] {
    if (chartRate > 0 && plainRate > 0) {
      std::printf("chart %.0f points/ms, plain polylines %.0f points/ms, chart / plain = %.2f\n", chartRate,
                  plainRate, chartRate / plainRate);
    }
  });
}
