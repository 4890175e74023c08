#include "native/tests/mdiscene.h"

namespace native::test {

MdiScene* MdiScene::current = nullptr;

namespace {

constexpr LPCWSTR kFrameClass = u"TestMdiFrame";

LRESULT frameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND client = MdiScene::current != nullptr ? MdiScene::current->client : nullptr;
  return DefFrameProc(window, client, message, wParam, lParam);
}

LRESULT childProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (MdiScene::current != nullptr && (message == WM_MDIACTIVATE || message == WM_NCACTIVATE ||
                                       message == WM_CLOSE || message == WM_SYSCOMMAND)) {
    MdiScene::current->log.push_back(Logged{window, message, wParam, lParam});
  }
  return DefMDIChildProc(window, message, wParam, lParam);
}

void registerClass(LPCWSTR name, WNDPROC procedure) {
  WNDCLASS description{};
  description.style = CS_DBLCLKS;
  description.lpfnWndProc = procedure;
  description.lpszClassName = name;
  description.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  RegisterClass(&description);
}

}  // namespace

MdiScene::MdiScene(SIZE frameSize, DWORD clientStyle) {
  current = this;
  registerClass(kFrameClass, frameProcedure);
  registerClass(kChildClass, childProcedure);
  bar = CreateMenu();
  AppendMenu(bar, MF_STRING, 100, u"&File");
  frame = CreateWindowEx(0, kFrameClass, u"Frame", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                         frameSize.cx, frameSize.cy, nullptr, bar, nullptr, nullptr);
  CLIENTCREATESTRUCT create{nullptr, 0x1000};
  RECT area{};
  GetClientRect(frame, &area);
  client = CreateWindowEx(0, kMdiClientClass, u"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | clientStyle, 0,
                          0, area.right, area.bottom, frame, nullptr, nullptr, &create);
  driver.pumpUntilIdle();
}

MdiScene::~MdiScene() {
  current = nullptr;
}

HWND MdiScene::createChild(LPCWSTR title, const RECT& rect, DWORD style) {
  MDICREATESTRUCT create{
      kChildClass, title, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
      style,       0};
  auto child =
      reinterpret_cast<HWND>(SendMessage(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
  driver.pumpUntilIdle();
  return child;
}

HWND MdiScene::active(bool* maximized) const {
  BOOL flag = FALSE;
  auto child =
      reinterpret_cast<HWND>(SendMessage(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&flag)));
  if (maximized != nullptr) {
    *maximized = flag != FALSE;
  }
  return child;
}

std::vector<HWND> MdiScene::order() const {
  std::vector<HWND> children;
  for (HWND child = GetWindow(client, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

void MdiScene::pumpWithMdiKeys() {
  MSG message{};
  for (int guard = 0; guard < 1000 && PeekMessage(&message, nullptr, 0, 0, PM_REMOVE) != FALSE; ++guard) {
    if (TranslateMDISysAccel(client, &message) == FALSE) {
      TranslateMessage(&message);
      DispatchMessage(&message);
    }
  }
  driver.pumpUntilIdle();
}

RECT MdiScene::rectInClient(HWND child) const {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace native::test
