#include "toolkit/kzmessagewindow.h"

#include "framework/core/zafdisplay.h"
#include "framework/core/zaficon.h"
#include "framework/data/zaficondata.h"
#include "toolkit/kzprompt.h"

namespace {

// Where the picture sits, in cells.
constexpr int32_t kIconColumn = 2;
constexpr int32_t kIconRow = 1;

}  // namespace

KZMessageWindow::KZMessageWindow(const ZafIChar* title, const ZafIChar* message, uint32_t buttonFlags,
                                 uint32_t defaultButton, int32_t iconNumber)
    : KZDialog(title, buttonFlags, defaultButton, KeysTypedAhead::kLeftForAfter) {
  const ZafIconStruct* picture = iconNumber != 0 ? ZafIcon::SystemImage(iconNumber) : nullptr;
  if (picture) {
    icon = new ZafIcon(kIconColumn, kIconRow, nullptr);
    icon->SetSystemImage(iconNumber);
    icon->SetBordered(false);
    icon->SetNonCurrent(true);
    Add(icon);
    const int32_t cellWidth = display && display->cellWidth > 0 ? display->cellWidth : 1;
    MoveCursor((picture->width + cellWidth - 1) / cellWidth, 0);
  }
  MoveCursor(2, 1);
  messageText = AddPrompt(message, -1);
  NewLine();
  AddPrompt(u" ", -1);
  NewLine();
}

bool KZMessageWindow::Ask(const ZafIChar* title, const ZafIChar* message, uint32_t buttonFlags,
                          uint32_t defaultButton, int32_t icon) {
  KZMessageWindow box(title, message, buttonFlags, defaultButton, icon);
  const ZafEventType answer = box.Execute();
  return answer == kOkResult || answer == kYesResult;
}
