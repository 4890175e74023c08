#include <algorithm>

#include "framework/core/zafdisplay.h"
#include "framework/core/zafscrollbar.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzselector.h"

namespace {

// The list font, and the pixels the list's border adds to its rows.
constexpr uint8_t kListFont = 1;
constexpr int32_t kListFrame = 4;

}  // namespace

KZSelector* KZDialog::AddSelector(int32_t width, int32_t rows, KZSelector* selector) {
  if (!selector) {
    selector = new KZSelector(0, 0, 0, 0);
  }
  const int32_t pixels = rows * FontHeight(kListFont) + kListFrame;
  PlaceInPixels(selector, width * CellWidth(), pixels);
  selector->SetBordered(true);
  selector->selectorFlags |= KZSelector::kMarksFocus;
  selector->Add(new ZafScrollBar(ZAF_VERTICAL_SCROLL));
  // The rows below the list, rounded up to whole cells; the column stays for a field beside it.
  const int32_t cellHeight = std::max(CellHeight(), 1);
  cursor->row += (pixels + cellHeight - 1) / cellHeight;
  if (!container) {
    delete selector;
    return nullptr;
  }
  container->Add(selector);
  return selector;
}
