// The framework scene as a program, for the X11 scene test: the X11 host shows its desktop when DISPLAY is
// set. It reports on its standard output, one line each: "ready <x> <y> <x> <y>" once the scene is shown,
// with the desktop points in the middle of the name field and of the start button; "chosen <name field's
// text>" each time the start button is chosen. It ends when the frame is closed (status 0), and on its own
// after a minute with status 3, so that it never outlives a broken test and a close that never arrived shows
// as a failure.

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "framework/core/tests/frameworkscene.h"
#include "framework/core/zafapplication.h"
#include "framework/core/zafeventmanager.h"
#include "native/native.h"

namespace {

constexpr unsigned kLifeSeconds = 60;
constexpr int kLifeOverStatus = 3;

FrameworkScene* scene = nullptr;

std::string Narrow(const ZafIChar* text) {
  std::string narrow;
  for (; text && *text; ++text) {
    narrow += *text < 0x80 ? static_cast<char>(*text) : '?';
  }
  return narrow;
}

native::POINT MiddleOf(ZafWindowObject& object) {
  native::RECT area{};
  native::GetWindowRect(object.ScreenID(), &area);
  return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

ZafLong ReportChosen(ZafWindowObject*, ZafEventRecord&, ZafLong code) {
  if (code == ChosenEvent) {
    std::printf("chosen %s\n", Narrow(scene->name->Text()).c_str());
    std::fflush(stdout);
  }
  return 0;
}

void EndLife(int) {
  _exit(kLifeOverStatus);
}

}  // namespace

int main() {
  signal(SIGALRM, EndLife);
  alarm(kLifeSeconds);
  ZafIChar program[] = u"frameworkscene";
  ZafIChar* arguments[] = {program, nullptr};
  ZafApplication application(1, arguments);
  FrameworkScene shown(*ZafWindowObject::windowManager, 640, 460);
  scene = &shown;
  shown.start->SetUserFunction(ReportChosen);
  const native::POINT name = MiddleOf(*shown.name);
  const native::POINT start = MiddleOf(*shown.start);
  std::printf("ready %ld %ld %ld %ld\n", static_cast<long>(name.x), static_cast<long>(name.y),
              static_cast<long>(start.x), static_cast<long>(start.y));
  std::fflush(stdout);
  ZafEventRecord event;
  while (ZafWindowObject::eventManager->Get(event) == Q_EVENT_TAKEN) {
    if (event.type == E_OSEVENT && event.osEvent.message == native::WM_QUIT) {
      return static_cast<int>(event.osEvent.wParam);
    }
    ZafWindowObject::windowManager->Event(event);
  }
  return 1;
}
