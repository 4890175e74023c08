// Drawing a screenful of force traces through the native window system: ten polylines of 5,000 points each
// into the client area of a 1000 x 600 window, as a chart redraws. One iteration is one redraw (the client
// cleared, then the ten traces), so the time per iteration is the time per redraw; the points drawn per
// millisecond are reported beside it. Also a scroll of the same window's picture by one row, copied in
// place. Each case must see its drawing reach the desktop's pixels.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <vector>

#include "bench/ratiomain.h"
#include "native/native.h"
#include "native/testdriver.h"

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 600;
constexpr int kTraces = 10;
constexpr int kPoints = 5000;
const native::COLORREF kTraceColour = native::RGB(200, 0, 0);

native::LRESULT plainWindow(native::HWND window, native::UINT message, native::WPARAM wParam,
                            native::LPARAM lParam) {
  return native::DefWindowProc(window, message, wParam, lParam);
}

// Traces that swing across the window like sampled forces, each with its own phase and a little noise.
std::vector<std::vector<native::POINT>> makeTraces(const native::RECT& client) {
  std::vector<std::vector<native::POINT>> traces(kTraces);
  std::uint32_t noise = 12345;
  int width = client.right - client.left;
  int height = client.bottom - client.top;
  for (int trace = 0; trace < kTraces; ++trace) {
    for (int i = 0; i < kPoints; ++i) {
      noise = noise * 1103515245u + 12345u;
      double wave = std::sin(i * 0.01 + trace) * 0.4 + static_cast<double>((noise >> 16) % 100) / 1000.0;
      traces[trace].push_back(native::POINT{static_cast<native::LONG>(i * width / kPoints),
                                            static_cast<native::LONG>(height / 2 + wave * height)});
    }
  }
  return traces;
}

// A visible 1000 x 600 window on the headless desktop, a context on its client area and the traces.
struct BenchWindow {
  BenchWindow() {
    native::WNDCLASS description{};
    description.lpfnWndProc = plainWindow;
    description.lpszClassName = u"DrawBench";
    native::RegisterClass(&description);
    window = native::CreateWindowEx(0, u"DrawBench", u"", native::WS_POPUP | native::WS_VISIBLE, 0, 0, kWidth,
                                    kHeight, nullptr, nullptr, nullptr, nullptr);
    native::GetClientRect(window, &client);
    dc = native::GetDC(window);
    traces = makeTraces(client);
    pen = native::CreatePen(native::PS_SOLID, 0, kTraceColour);
    previousPen = native::SelectObject(dc, pen);
  }
  ~BenchWindow() {
    native::SelectObject(dc, previousPen);
    native::DeleteObject(pen);
    native::ReleaseDC(window, dc);
    native::DestroyWindow(window);
  }

  // The client cleared, then the ten traces.
  void Redraw() {
    native::FillRect(dc, &client, static_cast<native::HBRUSH>(native::GetStockObject(native::WHITE_BRUSH)));
    for (const auto& trace : traces) {
      native::Polyline(dc, trace.data(), static_cast<int>(trace.size()));
    }
  }

  // The window's pixels on the desktop once what was drawn is handed over (the context released, which
  // tells the desktop what changed), on a new context.
  std::vector<native::COLORREF> Shown() {
    native::SelectObject(dc, previousPen);
    native::ReleaseDC(window, dc);
    dc = native::GetDC(window);
    previousPen = native::SelectObject(dc, pen);
    return driver.pixels(driver.screenRect(window));
  }

  native::TestDriver driver{native::DesktopOptions{1280, 1024, 96}};
  native::HWND window = nullptr;
  native::RECT client{};
  native::HDC dc = nullptr;
  std::vector<std::vector<native::POINT>> traces;
  native::HPEN pen = nullptr;
  native::HGDIOBJ previousPen = nullptr;
};

void BM_RedrawTenTraces(benchmark::State& state) {
  BenchWindow bench;
  const auto started = std::chrono::steady_clock::now();
  for (auto _ : state) {
    bench.Redraw();
    benchmark::ClobberMemory();
  }
  // Points drawn per millisecond of wall time, the figure a chart's redraw budget is given in.
  const double milliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  state.counters["points_per_ms"] =
      static_cast<double>(kTraces) * kPoints * static_cast<double>(state.iterations()) / milliseconds;
  const std::vector<native::COLORREF> picture = bench.Shown();
  if (std::find(picture.begin(), picture.end(), kTraceColour) == picture.end()) {
    state.SkipWithError("the traces did not reach the desktop");
  }
}

// A scroll by one 20-pixel row within the window's client area, as a results list copies its picture. The
// argument is the raster operation: the plain copy, against one that mixes source and destination row by
// row (SRCINVERT) and one that still goes pixel by pixel (SRCPAINT) over the same area. The picture copied
// is the traces', so that the copies change what the desktop shows.
void BM_CopyWithinWindow(benchmark::State& state) {
  constexpr int kRow = 20;
  BenchWindow bench;
  bench.Redraw();
  const std::vector<native::COLORREF> before = bench.Shown();
  const auto rop = static_cast<native::DWORD>(state.range(0));
  const int width = bench.client.right - bench.client.left;
  const int height = bench.client.bottom - bench.client.top;
  for (auto _ : state) {
    native::BitBlt(bench.dc, 0, 0, width, height - kRow, bench.dc, 0, kRow, rop);
    benchmark::ClobberMemory();
  }
  if (bench.Shown() == before) {
    state.SkipWithError("the copies did not change the desktop's pixels");
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Registered here rather than by static objects, so that no code of the program runs before main.
  benchmark::RegisterBenchmark("BM_RedrawTenTraces", BM_RedrawTenTraces)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_CopyWithinWindow", BM_CopyWithinWindow)
      ->ArgName("rop")
      ->Arg(native::SRCCOPY)
      ->Arg(native::SRCINVERT)
      ->Arg(native::SRCPAINT)
      ->Unit(benchmark::kMillisecond);
  return bench::RunCases(argc, argv);
}
