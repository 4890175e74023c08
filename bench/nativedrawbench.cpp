// Drawing a screenful of force traces through the native window system: ten polylines of 5,000 points each
// into the client area of a 1000 x 600 window, as a chart redraws. One iteration is one redraw (the client
// cleared, then the ten traces), so the time per iteration is the time per redraw; the points drawn per
// millisecond are reported beside it.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <vector>

#include "native/native.h"

namespace {

constexpr int kWidth = 1000;
constexpr int kHeight = 600;
constexpr int kTraces = 10;
constexpr int kPoints = 5000;

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

void BM_RedrawTenTraces(benchmark::State& state) {
  native::WNDCLASS description{};
  description.lpfnWndProc = plainWindow;
  description.lpszClassName = u"DrawBench";
  native::RegisterClass(&description);
  native::HWND window = native::CreateWindowEx(0, u"DrawBench", u"", native::WS_POPUP | native::WS_VISIBLE, 0,
                                               0, kWidth, kHeight, nullptr, nullptr, nullptr, nullptr);
  native::RECT client{};
  native::GetClientRect(window, &client);
  auto traces = makeTraces(client);
  native::HDC dc = native::GetDC(window);
  native::HPEN pen = native::CreatePen(native::PS_SOLID, 0, native::RGB(200, 0, 0));
  native::HGDIOBJ previous = native::SelectObject(dc, pen);
  const auto started = std::chrono::steady_clock::now();
  for (auto _ : state) {
    native::FillRect(dc, &client, static_cast<native::HBRUSH>(native::GetStockObject(native::WHITE_BRUSH)));
    for (const auto& trace : traces) {
      native::Polyline(dc, trace.data(), static_cast<int>(trace.size()));
    }
    benchmark::ClobberMemory();
  }
  // Points drawn per millisecond of wall time, the figure a chart's redraw budget is given in.
  const double milliseconds =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
  state.counters["points_per_ms"] =
      static_cast<double>(kTraces) * kPoints * static_cast<double>(state.iterations()) / milliseconds;
  native::SelectObject(dc, previous);
  native::DeleteObject(pen);
  native::ReleaseDC(window, dc);
  native::DestroyWindow(window);
}
BENCHMARK(BM_RedrawTenTraces)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
