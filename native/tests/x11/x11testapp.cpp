#include "native/tests/x11/x11testapp.h"

#include <cstdarg>
#include <cstdio>

namespace native::test {

namespace {

constexpr UINT_PTR kReadyTimer = 1;
constexpr UINT_PTR kLifeTimer = 2;
constexpr UINT kLifeMs = 60000;
constexpr int kLifeOverStatus = 3;

const TestFrame* gDescription = nullptr;

LRESULT frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kReadyTimer) {
        KillTimer(window, kReadyTimer);
        gDescription->ready();
      } else if (wParam == kLifeTimer) {
        PostQuitMessage(kLifeOverStatus);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return gDescription->procedure(window, message, wParam, lParam);
  }
}

}  // namespace

void Report(const char* format, ...) {
  va_list values;
  va_start(values, format);
  std::vprintf(format, values);
  va_end(values);
  std::fflush(stdout);
}

int RunTestFrame(const TestFrame& description) {
  gDescription = &description;
  WNDCLASS frameClass{};
  frameClass.style = description.classStyle;
  frameClass.lpfnWndProc = frameProcedure;
  frameClass.lpszClassName = u"TestFrame";
  frameClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  if (RegisterClass(&frameClass) == 0) {
    return 1;
  }
  const RECT& place = description.place;
  HWND frame = CreateWindowEx(0, u"TestFrame", description.title, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              place.left, place.top, place.right - place.left, place.bottom - place.top,
                              nullptr, nullptr, nullptr, nullptr);
  if (frame == nullptr || !description.build(frame)) {
    return 1;
  }
  // The ready timer fires once everything already queued (the first paint) has been handled.
  SetTimer(frame, kReadyTimer, 1, nullptr);
  SetTimer(frame, kLifeTimer, kLifeMs, nullptr);
  MSG message{};
  while (GetMessage(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessage(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace native::test
