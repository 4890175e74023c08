// Scrolling and redrawing a results list of 10,000 rows in four columns on the headless desktop, through
// the selector from the scroll request to the desktop's pixels: a page down (the whole list area drawn
// anew), a line down (the picture copied and one row drawn) and a full redraw of the list as a paint, with
// short names and with names of 100,000 characters (a document sets no length on them), the one read
// against the other. The list must show at its size and the steps must reach it: the scrolls move it and
// draw on the desktop, each redraw paints it, and long names are drawn cut at their column's end.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bench/ratiomain.h"
#include "framework/core/zafapplication.h"
#include "framework/core/zafwindowmanager.h"
#include "native/testdriver.h"
#include "toolkit/kzfonttable.h"
#include "toolkit/kzselector.h"

namespace {

constexpr int32_t kRows = 10000;
constexpr int32_t kColumns = 4;
constexpr int32_t kListWidth = 800;
constexpr int32_t kListHeight = 600;
constexpr int32_t kColumnPositions[kColumns] = {0, 60, 400, 600};
constexpr int32_t kNameColumn = 1;

double shortNamesMs = 0;
double longNamesMs = 0;

// The texts of every row, made once so that the benchmark measures the list and not the formatting.
struct ResultTexts {
  explicit ResultTexts(size_t nameLength) : longName(nameLength, u'W') {
    rows.reserve(kRows);
    for (int32_t row = 0; row < kRows; ++row) {
      const std::u16string number(1, static_cast<char16_t>(u'0' + row % 10));
      rows.push_back({u"Lane " + number, u"Athlete of heat " + number + u" with a long club name",
                      u"0.1" + number + u"4 s", u"10.5" + number + u" s"});
    }
  }
  std::vector<std::vector<std::u16string>> rows;
  // When not empty, every row's name, in place of the short one.
  std::u16string longName;
};

void TextOfCell(KPoint cell, int32_t column, KString& text, uint32_t& textFlags, uintptr_t userWord) {
  const auto& texts = *reinterpret_cast<const ResultTexts*>(userWord);
  if (cell.y >= 0 && cell.y < kRows && column >= 0 && column < kColumns) {
    const std::u16string& shown = column == kNameColumn && !texts.longName.empty()
                                      ? texts.longName
                                      : texts.rows[static_cast<size_t>(cell.y)][static_cast<size_t>(column)];
    text = KString(shown.c_str(), static_cast<int32_t>(shown.size()));
    textFlags = column >= 2 ? KZSelector::kTextRight : 0;
  }
}

// The headless desktop with one 800 x 600 list of all the rows, drawn once.
struct ListOnDesktop {
  explicit ListOnDesktop(size_t nameLength = 0) : texts(nameLength) {
    KZFontTable::InitFonts();
    list = new KZSelector(0, 0, 0, 0);
    list->SetRegion({0, 0, kListWidth - 1, kListHeight - 1, ZAF_PIXEL});
    list->SetColumnCount(kColumns);
    for (int32_t column = 0; column < kColumns; ++column) {
      list->SetColumnPosition(column, kColumnPositions[column]);
    }
    list->SetTextCallback(&TextOfCell, reinterpret_cast<uintptr_t>(&texts));
    ZafWindowObject::windowManager->Add(list);
    list->ChangeExtent({1, kRows});
    list->Refresh();
    driver.pumpUntilIdle();
    driver.takePaints();
    driver.takeDamage();
  }
  ~ListOnDesktop() { KZFontTable::ExitFonts(); }

  bool ShownAtItsSize() const {
    const native::RECT shown = driver.screenRect(list->ScreenID());
    return shown.right - shown.left == kListWidth && shown.bottom - shown.top == kListHeight;
  }

  // Whether anything is drawn in the last 12 pixels of the name column: only names cut at its end reach
  // them.
  bool NamesReachTheColumnEnd() const {
    const native::RECT shown = driver.screenRect(list->ScreenID());
    const int32_t end = shown.left + kColumnPositions[kNameColumn + 1];
    const std::vector<native::COLORREF> pixels = driver.pixels({end - 12, shown.top, end, shown.bottom});
    return std::adjacent_find(pixels.begin(), pixels.end(), std::not_equal_to<>()) != pixels.end();
  }

  // Scrolls by the command, back to the top once the end is reached.
  void Scroll(uint32_t command) {
    if (list->Position() == list->MaxPosition()) {
      list->ScrollTo({0, 0}, true);
    }
    list->ScrollByCommand(command, true);
    driver.pumpUntilIdle();
  }

  native::TestDriver driver{native::DesktopOptions{1280, 1024, 96}};
  ZafIChar program[9] = u"kestrove";
  ZafIChar* arguments[2] = {program, nullptr};
  ZafApplication application{1, arguments};
  ResultTexts texts;
  KZSelector* list = nullptr;
};

// The argument is the scroll command: a page down, or a line down.
void BM_Scroll(benchmark::State& state) {
  ListOnDesktop desktop;
  const auto command = static_cast<uint32_t>(state.range(0));
  for (auto _ : state) {
    desktop.Scroll(command);
    benchmark::ClobberMemory();
  }
  if (!desktop.ShownAtItsSize() || desktop.list->Position().y == 0 || desktop.driver.takeDamage().empty()) {
    state.SkipWithError("the scrolls did not move the list or draw it");
  }
}

// The argument is the length of every name; 0 keeps the short ones.
void BM_FullRedraw(benchmark::State& state) {
  const auto nameLength = static_cast<size_t>(state.range(0));
  ListOnDesktop desktop(nameLength);
  desktop.list->ScrollTo({0, kRows / 2}, true);
  const auto started = std::chrono::steady_clock::now();
  for (auto _ : state) {
    desktop.list->Refresh();
    desktop.driver.pumpUntilIdle();
    benchmark::ClobberMemory();
  }
  (nameLength == 0 ? shortNamesMs : longNamesMs) = bench::MillisecondsPerIteration(started, state);
  if (!desktop.ShownAtItsSize() || desktop.driver.takePaints().paints < state.iterations()) {
    state.SkipWithError("the redraws did not paint the list");
  } else if (desktop.NamesReachTheColumnEnd() != (nameLength > 0)) {
    state.SkipWithError("the names were not drawn as long as their column holds");
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Registered here rather than by static objects, so that no code of the program runs before main.
  benchmark::RegisterBenchmark("BM_Scroll", BM_Scroll)
      ->ArgName("command")
      ->Arg(KZScroller::kPageDown)
      ->Arg(KZScroller::kLineDown)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("BM_FullRedraw", BM_FullRedraw)
      ->ArgName("name")
      ->Arg(0)
      ->Arg(100000)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  return bench::RunAndCompare(argc, argv, "a redraw with 100,000-character names", longNamesMs,
                              "with short names", shortNamesMs);
}
