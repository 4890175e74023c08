#include "framework/win32/zafmswindowsapp.h"

#include "foundation/kfiledialog.h"
#include "framework/core/zafmdiwindow.h"
#include "framework/data/zaflocaledata.h"
#include "native/native.h"
#include "native/print/filedialog.h"

native::HINSTANCE ZafMSWindowsApp::instance = nullptr;
ZafMSWindowsApp::SystemDecision ZafMSWindowsApp::system;
bool ZafMSWindowsApp::running = false;

namespace {

// The version numbers from which each platform's shell is the new one.
constexpr int32_t kLastOldShellNT = 350;
constexpr int32_t kLastOldShellWin32s = 102;

native::ATOM registerClass(const char16_t* name, native::WNDPROC procedure, native::HICON icon) {
  native::WNDCLASS description{};
  description.style = native::CS_DBLCLKS;
  description.lpfnWndProc = procedure;
  description.hInstance = ZafMSWindowsApp::instance;
  description.hIcon = icon;
  description.hCursor = native::LoadCursor(nullptr, native::IDC_ARROW);
  description.lpszClassName = name;
  return native::RegisterClass(&description);
}

}  // namespace

ZafMSWindowsApp::SystemDecision ZafMSWindowsApp::Decide(const native::OSVERSIONINFO& info) {
  SystemDecision decision;
  switch (info.dwPlatformId) {
    case native::VER_PLATFORM_WIN32_WINDOWS:
      decision.platform = Windows95;
      break;
    case native::VER_PLATFORM_WIN32_NT:
      decision.platform = WindowsNT;
      break;
    default:
      decision.platform = Win32s;
      break;
  }
  decision.version = static_cast<int32_t>(info.dwMajorVersion % 100 * 100 + info.dwMinorVersion % 100);
  decision.newShell = decision.platform == Windows95 ||
                      (decision.platform == WindowsNT && decision.version > kLastOldShellNT) ||
                      (decision.platform == Win32s && decision.version > kLastOldShellWin32s);
  decision.threeD = decision.newShell;
  decision.ansi = decision.platform != WindowsNT;
  return decision;
}

ZafMSWindowsApp::ZafMSWindowsApp(native::HINSTANCE newInstance) {
  instance = newInstance;
  native::OSVERSIONINFO info{};
  info.dwOSVersionInfoSize = sizeof(info);
  native::GetVersionEx(&info);
  system = Decide(info);

  // The window system has only wide-character entry points, so the texts go to it as they are whatever
  // the ANSI flag says; the flag stays for callers that convert texts for other 8-bit interfaces.
  const native::HICON applicationIcon = native::LoadIcon(instance, u"Application");
  registerClass(windowClassName, &native::DefWindowProc, nullptr);
  registerClass(mdiFrameClassName, &ZafMDIWindow::FrameProcedure, applicationIcon);
  registerClass(mdiChildClassName, &ZafMDIWindow::ChildProcedure, applicationIcon);
  // From now on the foundation's open, save and folder dialogs are the window system's own.
  native::FileDialog::install();
  // The locale the framework builds when its data file has none takes the user's settings.
  ZafLocaleData::SetSystemDefaultsLoader(
      static_cast<ZafLocaleData::SystemDefaultsLoader>(&ZafLocaleData::LoadSystemDefaults));
  running = true;
}

ZafMSWindowsApp::~ZafMSWindowsApp() {
  running = false;
  KSetFileDialogHook(nullptr);
  ZafLocaleData::SetSystemDefaultsLoader(nullptr);
  native::UnregisterClass(windowClassName, instance);
  native::UnregisterClass(mdiFrameClassName, instance);
  native::UnregisterClass(mdiChildClassName, instance);
}
