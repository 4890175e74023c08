#include "native/print/filemessage.h"

#include "native/controls/controlconstants.h"
#include "native/user/localtext.h"
#include "native/user/styles.h"

namespace native {

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 110;
constexpr int kLineHeight = 20;

std::u16string nameOf(const std::string& path) {
  return utf16FromUtf8(path.substr(path.rfind('/') + 1));
}

}  // namespace

bool FileMessage::askToReplace(HWND owner, const std::u16string& title, const std::string& path) {
  FileMessage question(owner, title, nameOf(path) + u" already exists.", u"Do you want to replace it?",
                       Buttons::kYesNo);
  return question.run();
}

void FileMessage::tellNotFound(HWND owner, const std::u16string& title, const std::string& path) {
  FileMessage message(owner, title, nameOf(path), u"The file was not found. Check its name and folder.",
                      Buttons::kOk);
  message.run();
}

FileMessage::FileMessage(HWND owner, const std::u16string& title, const std::u16string& firstLine,
                         const std::u16string& secondLine, Buttons buttons)
    : ModalDialog(owner, title, kWidth, kHeight) {
  addControl(kStaticClass, firstLine, SS_LEFT | SS_NOPREFIX, RECT{12, 12, kWidth - 12, 12 + kLineHeight}, -1);
  addControl(kStaticClass, secondLine, SS_LEFT | SS_NOPREFIX,
             RECT{12, 12 + kLineHeight, kWidth - 12, 12 + 2 * kLineHeight}, -1);
  int buttonsTop = kHeight - 36;
  RECT lastButton{kWidth - 90, buttonsTop, kWidth - 10, buttonsTop + 24};
  if (buttons == Buttons::kOk) {
    addControl(kButtonClass, u"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, lastButton, IDOK);
    startFocus(IDOK);
    return;
  }
  addControl(kButtonClass, u"Yes", BS_PUSHBUTTON | WS_TABSTOP,
             RECT{kWidth - 180, buttonsTop, kWidth - 100, buttonsTop + 24}, IDOK);
  addControl(kButtonClass, u"No", BS_DEFPUSHBUTTON | WS_TABSTOP, lastButton, IDCANCEL);
  startFocus(IDCANCEL);
}

}  // namespace native
