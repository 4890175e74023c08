// Dragging a document by its caption in an MDI frame on the headless desktop: three cascaded documents,
// each a list of 40 result lines, and the front one dragged 4 pixels right or back left a pointer motion
// through the test driver's input, once a first step has shown that the press took the caption. Beside it,
// the fairest baseline: the same document painted again whole, frame and list, which a move must cost much
// less than. The ratio of the two times is printed at the end.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "bench/ratiomain.h"
#include "native/native.h"
#include "native/testdriver.h"

namespace {

double stepMs = 0;
double repaintMs = 0;

native::HWND mdiClient = nullptr;

native::LRESULT FrameProcedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                               native::LPARAM lParam) {
  return native::DefFrameProc(window, mdiClient, message, wParam, lParam);
}

native::LRESULT DocumentProcedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                  native::LPARAM lParam) {
  return native::DefMDIChildProc(window, message, wParam, lParam);
}

void Register(native::LPCWSTR name, native::WNDPROC procedure) {
  native::WNDCLASS description{};
  description.lpfnWndProc = procedure;
  description.lpszClassName = name;
  description.hbrBackground = native::GetSysColorBrush(native::COLOR_BTNFACE);
  native::RegisterClass(&description);
}

struct DocumentsOnDesktop {
  DocumentsOnDesktop() {
    Register(u"BenchFrame", FrameProcedure);
    Register(u"BenchDocument", DocumentProcedure);
    frame = native::CreateWindowEx(0, u"BenchFrame", u"Frame",
                                   native::WS_OVERLAPPEDWINDOW | native::WS_CLIPCHILDREN | native::WS_VISIBLE,
                                   0, 0, 1000, 740, nullptr, nullptr, nullptr, nullptr);
    native::CLIENTCREATESTRUCT create{nullptr, 0x1000};
    native::RECT area{};
    native::GetClientRect(frame, &area);
    mdiClient = native::CreateWindowEx(0, native::kMdiClientClass, u"",
                                       native::WS_CHILD | native::WS_VISIBLE | native::WS_CLIPCHILDREN, 0, 0,
                                       area.right, area.bottom, frame, nullptr, nullptr, &create);
    for (const char16_t* title : {u"One", u"Two", u"Three"}) {
      native::MDICREATESTRUCT document{u"BenchDocument",
                                       title,
                                       nullptr,
                                       0,
                                       0,
                                       600,
                                       400,
                                       native::WS_OVERLAPPEDWINDOW | native::WS_VISIBLE,
                                       0};
      front = reinterpret_cast<native::HWND>(native::SendMessage(
          mdiClient, native::WM_MDICREATE, 0, reinterpret_cast<native::LPARAM>(&document)));
      native::HWND list =
          native::CreateWindowEx(native::WS_EX_CLIENTEDGE, native::kListBoxClass, u"",
                                 native::WS_CHILD | native::WS_VISIBLE | native::LBS_NOINTEGRALHEIGHT, 0, 0,
                                 600, 400, front, nullptr, nullptr, nullptr);
      for (int line = 1; line <= 40; ++line) {
        const std::u16string text = u"Lane " + std::u16string(1, static_cast<char16_t>(u'0' + line % 10)) +
                                    u"  Athlete with a long club name  0.1" +
                                    std::u16string(1, static_cast<char16_t>(u'0' + line % 7)) + u"4 s";
        native::SendMessage(list, native::LB_ADDSTRING, 0, reinterpret_cast<native::LPARAM>(text.c_str()));
      }
    }
    native::SendMessage(mdiClient, native::WM_MDICASCADE, 0, 0);
    driver.pumpUntilIdle();
  }

  native::TestDriver driver{native::DesktopOptions{1024, 768, 96}};
  native::HWND frame = nullptr;
  native::HWND front = nullptr;
};

void BM_CaptionDragStep(benchmark::State& state) {
  DocumentsOnDesktop desktop;
  const native::RECT rect = desktop.driver.screenRect(desktop.front);
  const native::POINT at{(rect.left + rect.right) / 2, rect.top + 10};
  desktop.driver.mouseMove(at.x, at.y);
  desktop.driver.mouseDown();
  desktop.driver.pumpUntilIdle();
  // The press took the caption when a step moves the document.
  desktop.driver.mouseMove(at.x + 4, at.y);
  desktop.driver.pumpUntilIdle();
  if (desktop.driver.screenRect(desktop.front).left != rect.left + 4) {
    state.SkipWithError("the press did not take the document's caption");
    desktop.driver.mouseUp();
    return;
  }
  bool right = false;
  const auto started = std::chrono::steady_clock::now();
  for (auto _ : state) {
    desktop.driver.mouseMove(at.x + (right ? 4 : 0), at.y);
    desktop.driver.pumpUntilIdle();
    right = !right;
  }
  stepMs = bench::MillisecondsPerIteration(started, state);
  desktop.driver.mouseUp();
  desktop.driver.pumpUntilIdle();
}

void BM_DocumentRepainted(benchmark::State& state) {
  DocumentsOnDesktop desktop;
  desktop.driver.takePaints();
  const auto started = std::chrono::steady_clock::now();
  for (auto _ : state) {
    native::RedrawWindow(
        desktop.front, nullptr, nullptr,
        native::RDW_INVALIDATE | native::RDW_ERASE | native::RDW_FRAME | native::RDW_ALLCHILDREN);
    desktop.driver.pumpUntilIdle();
  }
  repaintMs = bench::MillisecondsPerIteration(started, state);
  // The document's frame and its list painted each time.
  if (desktop.driver.takePaints().paints < 2 * state.iterations()) {
    state.SkipWithError("the document was not painted again");
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Registered here rather than by static objects, so that no code of the program runs before main.
  benchmark::RegisterBenchmark("BM_CaptionDragStep", BM_CaptionDragStep)
      ->Unit(benchmark::kMicrosecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("BM_DocumentRepainted", BM_DocumentRepainted)
      ->Unit(benchmark::kMicrosecond)
      ->UseRealTime();
  return bench::RunAndCompare(argc, argv, "a drag step", stepMs, "the document repainted", repaintMs);
}
