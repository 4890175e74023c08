#include "app/downloadstop.h"

#include "app/linkbusy.h"
#include "app/linkwaitservice.h"
#include "app/mainstatusbar.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindow.h"
#include "model/qvsettings.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzstatusbar.h"

namespace {

bool running = false;
bool downloading = false;
bool stopAsked = false;
bool exitAsked = false;

// Read inside a link's wait or at a lane gap, right after a look for paints has let the display's input in.
bool BreakKeyPressed() {
  return KZApplication::application != nullptr && KZApplication::application->TakeQueuedBreakKey();
}

// An exit asked of the program, taken out of the queue where it lies: File > Exit's event, or the window
// manager's close of the main frame.
bool ExitRequested() {
  ZafEventManager* events = ZafWindowObject::eventManager;
  if (events != nullptr && events->TakeQueuedType(ExitEvent)) {
    return true;
  }
  // The main window's frame: the top-level window the window manager closes.
  const ZafWindow* frame = KZApplication::mainFrame;
  const native::HWND frameWindow = frame != nullptr ? frame->ScreenID(2) : nullptr;
  if (frameWindow == nullptr) {
    return false;
  }
  const auto toTheFrame = [frameWindow](const native::MSG& message) { return message.hwnd == frameWindow; };
  native::MSG close{};
  return native::TakeMessageIf(&close, native::WM_CLOSE, native::WM_CLOSE, toTheFrame);
}

}  // namespace

void DownloadStop::Begin(bool download) {
  running = true;
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

void DownloadStop::ReadExit() {
  if (ExitRequested()) {
    AskExit();
  }
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

bool DownloadStop::Running() {
  return running;
}

void DownloadStop::End() {
  running = false;
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
    PaintWhileLinkWaits();
  }
}
