// The application object's alerts: the numbered error alert, error and message
// windows, and the two questions that offer Abort and Retry (and Ignore).
#include "app/yzapplication.h"

#include "foundation/kregistry.h"
#include "foundation/krstring.h"
#include "framework/core/zaficon.h"
#include "toolkit/kzmessagewindow.h"

namespace {

constexpr const char16_t* kErrorsGroup = u"\\Strings\\Errors\\";

// The code rounded down to a multiple of 1000, toward minus infinity (-1 gives -1000).
int64_t Thousand(int32_t code) {
  const int64_t wide = code;
  const int64_t rest = ((wide % 1000) + 1000) % 1000;
  return wide - rest;
}

const KRString* ErrorNode(const KRegistry& root, int64_t code) {
  KString path(kErrorsGroup);
  path.AppendInt(code);
  return KRegistry::GetStringNode(&root, path);
}

}  // namespace

KString YZApplication::ErrorText(int32_t code, int32_t subCode) const {
  const KRString* node = nullptr;
  if (settingsRoot) {
    node = ErrorNode(*settingsRoot, code);
    if (!node) {
      node = ErrorNode(*settingsRoot, Thousand(code));
    }
  }
  KString text(node ? node->Value() : operationFailedText);
  text.Append(u" (").AppendInt(code);
  if (subCode >= 0) {
    text.AppendChar(u',').AppendInt(subCode);
  }
  text.Append(u").");
  return text;
}

void YZApplication::ShowError(int32_t code, int32_t subCode) {
  Error(ErrorText(code, subCode));
}

bool YZApplication::Error(const KString& text) {
  return Error(errorTitle, text);
}

bool YZApplication::Error(const KString& title, const KString& text) {
  return KZMessageWindow::Ask(title.CStr(), text.CStr(), KZDialog::kOk, KZDialog::kOk, ZAF_ICON_HAND);
}

bool YZApplication::Message(const KString& text) {
  return Message(messageTitle, text);
}

bool YZApplication::Message(const KString& title, const KString& text) {
  return KZMessageWindow::Ask(title.CStr(), text.CStr(), KZDialog::kOk, KZDialog::kOk, ZAF_ICON_ASTERISK);
}

int32_t YZApplication::Ask(const KString& title, const KString& text) {
  return RunQuestion(title, text, KZDialog::kAbort | KZDialog::kRetry);
}

int32_t YZApplication::AskCancel(const KString& title, const KString& text) {
  return RunQuestion(title, text, KZDialog::kAbort | KZDialog::kRetry | KZDialog::kIgnore);
}

int32_t YZApplication::RunQuestion(const KString& title, const KString& text, uint32_t buttons) {
  KZMessageWindow window(title.CStr(), text.CStr(), buttons, KZDialog::kRetry, ZAF_ICON_ASTERISK);
  return static_cast<int32_t>(window.Execute());
}
