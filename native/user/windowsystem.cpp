#include "native/user/windowsystem.h"

#include <unistd.h>

#include <atomic>

#include "native/controls/standardcontrols.h"
#include "native/host/x11host.h"

namespace native {

namespace {
std::unique_ptr<WindowSystem> gSystem;
std::atomic<WindowSystem*> gCurrent{nullptr};
}  // namespace

WindowSystem::WindowSystem(const DesktopOptions& options, std::unique_ptr<Clock> clock)
    : clock_(std::move(clock)),
      windows_(*classes_.find(ClassRegistry::desktopClassName()), options.width, options.height),
      desktop_(options, queue_, keyboard_, *clock_),
      compositor_(options.width, options.height),
      guiThread_(gettid()) {
  registerStandardControls(classes_);
}

WindowSystem::~WindowSystem() = default;

WindowSystem& WindowSystem::get() {
  if (!gSystem) {
    install(std::make_unique<WindowSystem>(DesktopOptions::fromEnvironment(),
                                           std::make_unique<MonotonicClock>()));
    gSystem->displayHost_ = X11Host::openFromEnvironment(*gSystem);
  }
  return *gSystem;
}

WindowSystem* WindowSystem::current() {
  return gCurrent.load();
}

void WindowSystem::install(std::unique_ptr<WindowSystem> system) {
  gCurrent.store(nullptr);
  gSystem = std::move(system);
  if (gSystem) {
    gSystem->guiThread_ = gettid();
  }
  gCurrent.store(gSystem.get());
}

void WindowSystem::beep() {
  ++beepCount;
  if (displayHost_) {
    displayHost_->ringBell();
  }
}

void WindowSystem::tallyPaint(const Region& drawable) {
  ++painted.paints;
  for (const RECT& rect : drawable.rects()) {
    painted.pixels += static_cast<long long>(rect.right - rect.left) * (rect.bottom - rect.top);
  }
}

bool WindowSystem::onGuiThread() const {
  return gettid() == guiThread_;
}

}  // namespace native
