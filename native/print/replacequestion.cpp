#include "native/print/replacequestion.h"

#include "native/controls/controlconstants.h"
#include "native/user/localtext.h"
#include "native/user/styles.h"

namespace native {

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 110;
constexpr int kLineHeight = 20;

}  // namespace

bool ReplaceQuestion::ask(HWND owner, const std::u16string& title, const std::string& path) {
  ReplaceQuestion question(owner, title, path);
  return question.run();
}

ReplaceQuestion::ReplaceQuestion(HWND owner, const std::u16string& title, const std::string& path)
    : ModalDialog(owner, title, kWidth, kHeight) {
  std::u16string name = utf16FromUtf8(path.substr(path.rfind('/') + 1));
  addControl(kStaticClass, name + u" already exists.", SS_LEFT | SS_NOPREFIX,
             RECT{12, 12, kWidth - 12, 12 + kLineHeight}, -1);
  addControl(kStaticClass, u"Do you want to replace it?", SS_LEFT | SS_NOPREFIX,
             RECT{12, 12 + kLineHeight, kWidth - 12, 12 + 2 * kLineHeight}, -1);
  int buttonsTop = kHeight - 36;
  addControl(kButtonClass, u"Yes", BS_PUSHBUTTON | WS_TABSTOP,
             RECT{kWidth - 180, buttonsTop, kWidth - 100, buttonsTop + 24}, IDOK);
  addControl(kButtonClass, u"No", BS_DEFPUSHBUTTON | WS_TABSTOP,
             RECT{kWidth - 90, buttonsTop, kWidth - 10, buttonsTop + 24}, IDCANCEL);
  startFocus(IDCANCEL);
}

}  // namespace native
