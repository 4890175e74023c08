#include "native/user/timerlist.h"

#include <algorithm>

#include "native/user/messages.h"
#include "native/user/windowsystem.h"

namespace native {

TimerList::Timer* TimerList::find(HWND window, UINT_PTR id) {
  auto it = std::find_if(timers_.begin(), timers_.end(),
                         [&](const Timer& timer) { return timer.window == window && timer.id == id; });
  return it == timers_.end() ? nullptr : &*it;
}

namespace {
// A window timer's answer only says "started": the id the caller gave may be 0, which would read as failure.
UINT_PTR startedAnswer(HWND window, UINT_PTR id) {
  return window != nullptr && id == 0 ? 1 : id;
}
}  // namespace

UINT_PTR TimerList::set(HWND window, UINT_PTR id, UINT periodMs, TIMERPROC procedure, std::uint64_t nowMs) {
  periodMs = std::clamp<UINT>(periodMs, kMinimumPeriodMs, 0x7FFFFFFF);
  if (Timer* timer = find(window, id)) {
    timer->periodMs = periodMs;
    timer->dueMs = nowMs + periodMs;
    timer->procedure = procedure;
    return startedAnswer(window, id);
  }
  if (window == nullptr) {
    // A thread timer's id is chosen here; the caller keeps the answer.
    while (nextThreadTimerId_ == 0 || find(nullptr, nextThreadTimerId_) != nullptr) {
      ++nextThreadTimerId_;
    }
    id = nextThreadTimerId_++;
  }
  timers_.push_back(Timer{window, id, periodMs, nowMs + periodMs, procedure});
  return startedAnswer(window, id);
}

bool TimerList::kill(HWND window, UINT_PTR id) {
  return std::erase_if(timers_,
                       [&](const Timer& timer) { return timer.window == window && timer.id == id; }) > 0;
}

void TimerList::killAllOf(HWND window) {
  std::erase_if(timers_, [window](const Timer& timer) { return timer.window == window; });
}

std::optional<MSG> TimerList::due(const MessageFilter& filter, bool remove, std::uint64_t nowMs) {
  Timer* earliest = nullptr;
  for (Timer& timer : timers_) {
    MSG candidate{timer.window, WM_TIMER, timer.id, 0, 0, POINT{}};
    if (timer.dueMs <= nowMs && filter.matches(candidate) &&
        (earliest == nullptr || timer.dueMs < earliest->dueMs)) {
      earliest = &timer;
    }
  }
  if (earliest == nullptr) {
    return std::nullopt;
  }
  MSG message{
      earliest->window,          WM_TIMER, earliest->id, reinterpret_cast<LPARAM>(earliest->procedure),
      static_cast<DWORD>(nowMs), POINT{}};
  if (remove) {
    earliest->dueMs = nowMs + earliest->periodMs;
  }
  return message;
}

std::optional<std::uint64_t> TimerList::nextDue(const MessageFilter& filter) const {
  std::optional<std::uint64_t> next;
  for (const Timer& timer : timers_) {
    MSG candidate{timer.window, WM_TIMER, timer.id, 0, 0, POINT{}};
    if (filter.matches(candidate) && (!next || timer.dueMs < *next)) {
      next = timer.dueMs;
    }
  }
  return next;
}

bool TimerList::hasProcedure(HWND window, UINT_PTR id, TIMERPROC procedure) const {
  return procedure != nullptr && std::any_of(timers_.begin(), timers_.end(), [&](const Timer& timer) {
           return timer.window == window && timer.id == id && timer.procedure == procedure;
         });
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT periodMs, TIMERPROC procedure) {
  WindowSystem& system = WindowSystem::get();
  if (window != nullptr && system.windows().find(window) == nullptr) {
    return 0;
  }
  return system.timers().set(window, id, periodMs, procedure, system.clock().nowMs());
}

BOOL KillTimer(HWND window, UINT_PTR id) {
  return WindowSystem::get().timers().kill(window, id) ? TRUE : FALSE;
}

}  // namespace native
