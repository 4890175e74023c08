#include "app/downloadstop.h"

#include "app/linkbusy.h"
#include "app/mainstatusbar.h"
#include "model/qvsettings.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzstatusbar.h"

namespace {

bool downloading = false;
bool stopAsked = false;
bool exitAsked = false;

bool BreakKeyPressed() {
  return KZApplication::application != nullptr && KZApplication::application->TakeBreakKey();
}

}  // namespace

void DownloadStop::Begin(bool download) {
  downloading = download;
  stopAsked = false;
  exitAsked = false;
}

void DownloadStop::ReadBreakKey() {
  // Read on after the stop has latched: a second Escape typed during the rest of the lane would otherwise
  // reach the window afterwards, where it cancels the exit question that follows.
  if (downloading && BreakKeyPressed() && !stopAsked) {
    Ask();
  }
}

bool DownloadStop::Asked() {
  const bool pressed = BreakKeyPressed();
  return stopAsked || pressed;
}

bool DownloadStop::Latched() {
  return stopAsked;
}

void DownloadStop::AskExit() {
  LinkBusyClaim::KeepExit();
  exitAsked = true;
  Ask();
}

bool DownloadStop::ExitAsked() {
  return exitAsked;
}

void DownloadStop::End() {
  downloading = false;
  stopAsked = false;
  exitAsked = false;
}

void DownloadStop::Ask() {
  stopAsked = true;
  KZStatusBar* bar = MainStatusBar();
  if (downloading && bar != nullptr) {
    bar->SetText(QvSettings::Text(u"\\Strings\\Event\\Results\\StopsAfterLane",
                                  u"The download stops after this lane."));
  }
}
