#include "toolkit/kzmessagewindow.h"

#include "framework/core/zafdisplay.h"
#include "framework/core/zaficon.h"
#include "framework/data/zaficondata.h"
#include "toolkit/kzprompt.h"
#include "toolkit/kztextfit.h"

namespace {

// Where the picture sits, in cells.
constexpr int32_t kIconColumn = 2;
constexpr int32_t kIconRow = 1;
// The message's lines are at most this part of the screen's width, which leaves room on the screen for
// the box's picture, margins and frame.
constexpr int32_t kMessageWidthNumerator = 3;
constexpr int32_t kMessageWidthDenominator = 4;

}  // namespace

KZMessageWindow::KZMessageWindow(const ZafIChar* title, const ZafIChar* message, uint32_t buttonFlags,
                                 uint32_t defaultButton, int32_t iconNumber)
    : KZDialog(title, buttonFlags, defaultButton, KeysTypedAhead::kLeftForAfter), message(message) {
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
  messageText = AddPrompt(WrappedMessage(this->message).CStr(), -1);
  NewLine();
  AddPrompt(u" ", -1);
  NewLine();
}

KString KZMessageWindow::WrappedMessage(const KString& text) const {
  const int32_t screenWidth = display ? display->columns : 0;
  if (screenWidth <= 0) {
    return text;
  }
  return KZWrappedText(text, screenWidth * kMessageWidthNumerator / kMessageWidthDenominator,
                       [this](const ZafIChar* part, int32_t count) { return TextWidth(part, count); });
}

bool KZMessageWindow::Ask(const ZafIChar* title, const ZafIChar* message, uint32_t buttonFlags,
                          uint32_t defaultButton, int32_t icon) {
  KZMessageWindow box(title, message, buttonFlags, defaultButton, icon);
  const ZafEventType answer = box.Execute();
  return answer == kOkResult || answer == kYesResult;
}
