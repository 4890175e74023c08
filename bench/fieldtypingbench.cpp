// Typing into an open cell field on the headless desktop: a borderless one-line edit 100 pixels wide near
// the right end of a window as wide as the desktop, as a results list opens over a cell, takes one key at a
// time through the test driver's input until it holds 200 characters (most of them scrolled out to the
// left), then starts again empty; the letters never repeat a text, as a user's do not. The field must hold
// every key typed since it was emptied. Beside it, the
// fairest baseline: a new text put into the field whole and shown scrolled to its end, one fresh line
// drawn, the least a key has to draw. The ratio of the two times is printed at the end.

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>
#include <string>

#include "bench/ratiomain.h"
#include "native/native.h"
#include "native/testdriver.h"

namespace {

constexpr int kKeysPerText = 200;

double keyMs = 0;
double newTextMs = 0;

// A top-level window with the field at its middle, the field focused, empty.
struct FieldOnDesktop {
  FieldOnDesktop() {
    window = native::CreateWindowEx(0, native::kStaticClass, u"", native::WS_POPUP | native::WS_VISIBLE, 0,
                                    100, 1024, 60, nullptr, nullptr, nullptr, nullptr);
    field = native::CreateWindowEx(0, native::kEditClass, u"",
                                   native::WS_CHILD | native::WS_VISIBLE | native::ES_AUTOHSCROLL, 800, 20,
                                   100, 18, window, nullptr, nullptr, nullptr);
    native::SetFocus(field);
    driver.pumpUntilIdle();
  }

  void Type() {
    if (typed == kKeysPerText) {
      native::SendMessage(field, native::WM_SETTEXT, 0, reinterpret_cast<native::LPARAM>(u""));
      driver.pumpUntilIdle();
      typed = 0;
    }
    // Letters in an order that does not repeat, so that no text of the field was drawn before.
    const char16_t letter[2] = {static_cast<char16_t>(u'a' + letters() % 26), 0};
    driver.typeText(typed % 8 == 7 ? u" " : letter);
    driver.pumpUntilIdle();
    ++typed;
  }

  native::TestDriver driver{native::DesktopOptions{1024, 768, 96}};
  native::HWND window = nullptr;
  native::HWND field = nullptr;
  int typed = 0;
  std::minstd_rand letters{11};
};

void BM_KeyIntoField(benchmark::State& state) {
  FieldOnDesktop desktop;
  const auto started = std::chrono::steady_clock::now();
  for (auto _ : state) {
    desktop.Type();
  }
  keyMs = bench::MillisecondsPerIteration(started, state);
  if (native::SendMessage(desktop.field, native::WM_GETTEXTLENGTH, 0, 0) != desktop.typed) {
    state.SkipWithError("the keys did not reach the field");
  }
}

// A new text of 100 characters put into the field whole, its end brought into view and painted: one
// fresh line of text drawn, without the typing.
void BM_NewTextShown(benchmark::State& state) {
  FieldOnDesktop desktop;
  std::u16string text(kKeysPerText / 2, u' ');
  const auto started = std::chrono::steady_clock::now();
  for (auto _ : state) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      text[i] = i % 8 == 7 ? u' ' : static_cast<char16_t>(u'a' + desktop.letters() % 26);
    }
    native::SendMessage(desktop.field, native::WM_SETTEXT, 0, reinterpret_cast<native::LPARAM>(text.c_str()));
    native::SendMessage(desktop.field, native::EM_SETSEL, text.size(), text.size());
    desktop.driver.pumpUntilIdle();
  }
  newTextMs = bench::MillisecondsPerIteration(started, state);
  if (native::SendMessage(desktop.field, native::WM_GETTEXTLENGTH, 0, 0) !=
      static_cast<native::LRESULT>(text.size())) {
    state.SkipWithError("the new text did not reach the field");
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Registered here rather than by static objects, so that no code of the program runs before main.
  benchmark::RegisterBenchmark("BM_KeyIntoField", BM_KeyIntoField)
      ->Unit(benchmark::kMicrosecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("BM_NewTextShown", BM_NewTextShown)
      ->Unit(benchmark::kMicrosecond)
      ->UseRealTime();
  return bench::RunAndCompare(argc, argv, "a key", keyMs, "a new text shown", newTextMs);
}
