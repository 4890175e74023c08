// Redrawing a framed framework window as a results dialog would be: a title, a system menu and 48 buttons
// (push buttons, toggling push buttons, check boxes and radio buttons, half of them drawn by the framework
// and half by the native controls), painted in full through the framework's redisplay and the paint
// messages it causes. One iteration is one full redraw of the window and everything in it, which must paint
// the window and every button.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "bench/ratiomain.h"
#include "framework/core/zafbutton.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/win32/zafmswindowsapp.h"
#include "framework/win32/zafscreendisplay.h"
#include "native/native.h"
#include "native/testdriver.h"

namespace {

constexpr int32_t kRows = 12;
constexpr int32_t kColumns = 4;

// Lane buttons in rows, each column of another kind; text left of the mark (owner-drawn) in every other
// row of check boxes and radio buttons.
void AddButtons(ZafWindow& window) {
  const int32_t kinds[kColumns] = {ZAF_PUSH_BUTTON, ZAF_PUSH_BUTTON, ZAF_CHECK_BOX, ZAF_RADIO_BUTTON};
  for (int32_t row = 0; row < kRows; ++row) {
    for (int32_t column = 0; column < kColumns; ++column) {
      const std::u16string text = u"Lane " + std::u16string(1, static_cast<char16_t>(u'A' + row));
      auto* button = new ZafButton(1 + column * 14, 1 + row, 12, 1, text.c_str(), nullptr, kinds[column]);
      if (column == 1) {
        button->SetToggles(true);
      } else if (column >= 2 && row % 2 == 1) {
        button->SetTextPlacement(ZAF_TEXT_LEFT);
      }
      window.Add(button);
    }
  }
}

void BM_RedrawFramedWindowWithButtons(benchmark::State& state) {
  native::TestDriver driver{native::DesktopOptions{1024, 768, 96}};
  ZafMSWindowsApp application{nullptr};
  ZafScreenDisplay screen;
  ZafEventManager events;
  ZafWindowObject::eventManager = &events;
  auto manager = std::make_unique<ZafWindowManager>();
  auto* window = new ZafWindow(2, 2, 60, 16);
  window->AddStandardFrame(u"Results");
  AddButtons(*window);
  manager->Add(window);
  driver.pumpUntilIdle();
  driver.takePaints();
  for (auto _ : state) {
    window->Event(ZafEventRecord(RedisplayEvent, 0));
    driver.pumpUntilIdle();
    benchmark::ClobberMemory();
  }
  state.counters["objects"] = benchmark::Counter(static_cast<double>(kRows * kColumns) * state.iterations(),
                                                 benchmark::Counter::kIsRate);
  if (driver.takePaints().paints < (1 + kRows * kColumns) * state.iterations()) {
    state.SkipWithError("the redraws did not paint the window and its buttons");
  }
  manager.reset();
  ZafWindowObject::eventManager = nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  // Registered here rather than by static objects, so that no code of the program runs before main.
  benchmark::RegisterBenchmark("BM_RedrawFramedWindowWithButtons", BM_RedrawFramedWindowWithButtons)
      ->Unit(benchmark::kMillisecond);
  return bench::RunCases(argc, argv);
}
