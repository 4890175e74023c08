#include "framework/win32/zafmswindowsapp.h"

#include <gtest/gtest.h>

#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "framework/core/zafmdiwindow.h"
#include "native/native.h"
#include "native/testdriver.h"

namespace {

native::OSVERSIONINFO Version(native::DWORD platformId, native::DWORD major, native::DWORD minor) {
  native::OSVERSIONINFO info{};
  info.dwOSVersionInfoSize = sizeof(info);
  info.dwPlatformId = platformId;
  info.dwMajorVersion = major;
  info.dwMinorVersion = minor;
  return info;
}

// The owner of a file dialog: it notes the dialog that waits for input and cancels it.
native::HWND gWaitingDialog = nullptr;
native::LRESULT CancellingOwnerProcedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                         native::LPARAM lParam) {
  if (message == native::WM_ENTERIDLE && gWaitingDialog == nullptr) {
    gWaitingDialog = reinterpret_cast<native::HWND>(lParam);
    native::PostMessage(gWaitingDialog, native::WM_KEYDOWN, native::VK_ESCAPE, 0);
  }
  return native::DefWindowProc(window, message, wParam, lParam);
}

}  // namespace

TEST(ZafMSWindowsAppDecide, PlatformVersionShellAndTextPathFollowTheVersionRecord) {
  struct Case {
    native::DWORD platformId, major, minor;
    int32_t platform, version;
    bool newShell, threeD, ansi;
  } cases[] = {
      {native::VER_PLATFORM_WIN32_NT, 4, 0, 3, 400, true, true, false},
      {native::VER_PLATFORM_WIN32_NT, 3, 51, 3, 351, true, true, false},
      // The last old shell: no 3-D controls, as no add-on library exists here.
      {native::VER_PLATFORM_WIN32_NT, 3, 50, 3, 350, false, false, false},
      {native::VER_PLATFORM_WIN32_WINDOWS, 4, 0, 2, 400, true, true, true},
      {native::VER_PLATFORM_WIN32s, 1, 2, 1, 102, false, false, true},
      {native::VER_PLATFORM_WIN32s, 1, 30, 1, 130, true, true, true},
      // The minor number counts modulo 100.
      {native::VER_PLATFORM_WIN32_NT, 4, 110, 3, 410, true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.platformId << " " << c.major << "." << c.minor);
    const auto decision = ZafMSWindowsApp::Decide(Version(c.platformId, c.major, c.minor));
    EXPECT_EQ(decision.platform, c.platform);
    EXPECT_EQ(decision.version, c.version);
    EXPECT_EQ(decision.newShell, c.newShell);
    EXPECT_EQ(decision.threeD, c.threeD);
    EXPECT_EQ(decision.ansi, c.ansi);
  }
}

TEST(ZafMSWindowsApp, TakesTheWideNewShellPathOnThisSystem) {
  native::TestDriver driver;
  ZafMSWindowsApp application(nullptr);
  EXPECT_EQ(ZafMSWindowsApp::system.platform, ZafMSWindowsApp::WindowsNT);
  EXPECT_EQ(ZafMSWindowsApp::system.version, 400);
  EXPECT_TRUE(ZafMSWindowsApp::system.newShell);
  EXPECT_TRUE(ZafMSWindowsApp::system.threeD);
  EXPECT_FALSE(ZafMSWindowsApp::system.ansi);
}

TEST(ZafMSWindowsApp, RegistersTheThreeClassesForItsLifetime) {
  native::TestDriver driver;
  const native::HCURSOR arrow = native::LoadCursor(nullptr, native::IDC_ARROW);
  struct Case {
    const char16_t* name;
    native::WNDPROC procedure;
    bool icon;
  } cases[] = {
      {ZafMSWindowsApp::windowClassName, &native::DefWindowProc, false},
      {ZafMSWindowsApp::mdiFrameClassName, &ZafMDIWindow::FrameProcedure, true},
      {ZafMSWindowsApp::mdiChildClassName, &ZafMDIWindow::ChildProcedure, true},
  };
  {
    ZafMSWindowsApp application(nullptr);
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name)));
      native::WNDCLASS description{};
      ASSERT_TRUE(native::GetClassInfo(nullptr, c.name, &description));
      EXPECT_EQ(description.style, native::CS_DBLCLKS);
      EXPECT_EQ(description.lpfnWndProc, c.procedure);
      EXPECT_EQ(description.cbClsExtra, 0);
      EXPECT_EQ(description.cbWndExtra, 0);
      EXPECT_EQ(description.hCursor, arrow);
      EXPECT_EQ(description.hIcon != nullptr, c.icon);
      EXPECT_EQ(description.hbrBackground, nullptr);
    }
  }
  for (const Case& c : cases) {
    native::WNDCLASS description{};
    EXPECT_FALSE(native::GetClassInfo(nullptr, c.name, &description));
  }
}

TEST(ZafMSWindowsApp, FileDialogsAreTheWindowSystemsOwnWhileTheApplicationLives) {
  native::TestDriver driver;
  KFile file;
  gWaitingDialog = nullptr;
  {
    ZafMSWindowsApp application(nullptr);
    native::WNDCLASS ownerClass{};
    ownerClass.lpfnWndProc = CancellingOwnerProcedure;
    ownerClass.lpszClassName = u"DialogOwner";
    native::RegisterClass(&ownerClass);
    native::HWND owner =
        native::CreateWindowEx(0, u"DialogOwner", u"Owner", native::WS_OVERLAPPEDWINDOW | native::WS_VISIBLE,
                               0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(KBrowseForFolder(file, 0, owner), -1);
    EXPECT_NE(gWaitingDialog, nullptr) << "a folder dialog was shown and waited for the user";
    native::DestroyWindow(owner);
    native::UnregisterClass(u"DialogOwner", nullptr);
  }
  // Without the application no dialog is shown: the call answers cancelled at once.
  gWaitingDialog = nullptr;
  EXPECT_EQ(KBrowseForFolder(file, 0, nullptr), -1);
  EXPECT_EQ(gWaitingDialog, nullptr);
}
