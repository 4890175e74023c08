#include "app/programreporter.h"

#include "app/linkbusy.h"
#include "app/linkwaitservice.h"
#include "app/yzapplication.h"
#include "framework/core/zaficon.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kzstatusbar.h"

namespace {

KZStatusBar* MainStatusBar() {
  YZApplication* application = YZApplication::Current();
  return application ? application->StatusBar() : nullptr;
}

}  // namespace

void ProgramReporter::StatusText(const KString& text) {
  if (KZStatusBar* bar = MainStatusBar()) {
    bar->SetText(text);
  }
}

void ProgramReporter::Progress(int32_t percent) {
  if (KZStatusBar* bar = MainStatusBar()) {
    bar->SetProgress(percent);
  }
}

void ProgramReporter::Error(const KString& text) {
  if (YZApplication* application = YZApplication::Current()) {
    application->Error(text);
  }
}

void ProgramReporter::NumberedError(int32_t code) {
  if (YZApplication* application = YZApplication::Current()) {
    application->ShowError(code, -1);
  }
}

void ProgramReporter::Busy(bool busy) {
  if (busy) {
    linkWait.emplace();
    if (!DownloadStop::Running()) {
      waitAlone.emplace(false);
    }
    return;
  }
  linkWait.reset();
  if (waitAlone && DownloadStop::ExitAsked()) {
    LinkBusyClaim::QueueExit();
  }
  waitAlone.reset();
}

void ProgramReporter::Serve() {
  ServeWindowsWhileLinkWaits();
}

bool ProgramReporter::WaitsEnd() const {
  return DownloadStop::ExitAsked();
}

bool ProgramReporter::BreakPressed() {
  YZApplication* application = YZApplication::Current();
  return application && application->TakeBreakKey();
}

void ProgramReporter::Message(const KString& text) {
  if (YZApplication* application = YZApplication::Current()) {
    application->Message(text);
  }
}

void ProgramReporter::ErrorMessage(const KString& text, const KString& title) {
  if (YZApplication* application = YZApplication::Current()) {
    if (title.IsEmpty()) {
      application->Error(text);
    } else {
      application->Error(title, text);
    }
  }
}

void ProgramReporter::ErrorAlert(int32_t code, int32_t subCode) {
  if (YZApplication* application = YZApplication::Current()) {
    application->ShowError(code, subCode);
  }
}

bool ProgramReporter::AskOkCancel(const KString& title, const KString& text) {
  return YZApplication::Current() != nullptr &&
         KZMessageWindow::Ask(title.CStr(), text.CStr(), KZDialog::kOk | KZDialog::kCancel, KZDialog::kOk,
                              ZAF_ICON_QUESTION);
}
