#include "framework/win32/zafcreatewindow.h"

#include "framework/win32/tests/zafwin32testbed.h"

using ZafCreateWindowTest = ZafWin32Test;

TEST_F(ZafCreateWindowTest, BindsTheObjectAndSubclassesTheWindow) {
  RecordingObject* object = Loose();
  const native::HWND window =
      ZafCreateWindow(object, ZafMSWindowsApp::windowClassName, native::WS_CHILD, u"Label", host);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(native::GetWindowLong(window, native::GWL_USERDATA), reinterpret_cast<native::LONG_PTR>(object));
  EXPECT_EQ(native::GetWindowLong(window, native::GWL_WNDPROC),
            reinterpret_cast<native::LONG_PTR>(&ZafWindowProcedure));
  EXPECT_EQ(native::GetClassLong(window, native::GCL_WNDPROC),
            reinterpret_cast<native::ULONG_PTR>(&native::DefWindowProc));
  // Placed later by the object; an object without a parent has child ID 0.
  const native::RECT rect = driver.screenRect(window);
  EXPECT_EQ(rect.right - rect.left, 0);
  EXPECT_EQ(rect.bottom - rect.top, 0);
  EXPECT_EQ(native::GetWindowLong(window, native::GWL_ID), 0);
  EXPECT_EQ(driver.text(window), u"Label");
  // The creation messages went to the class procedure: the object only sees what follows.
  EXPECT_EQ(object->Find(native::WM_CREATE), nullptr);
  native::SendMessage(window, native::WM_SETTEXT, 0, reinterpret_cast<native::LPARAM>(u"Other"));
  EXPECT_NE(object->Find(native::WM_SETTEXT), nullptr);
  EXPECT_EQ(driver.text(window), u"Other");
}

TEST_F(ZafCreateWindowTest, ParentObjectSuppliesParentWindowAndChildID) {
  root->SetScreenID(host);
  RecordingObject* object = Child();
  object->SetNumberID(7);
  const native::HWND window = ZafCreateWindow(object, ZafMSWindowsApp::windowClassName, native::WS_CHILD);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(native::GetParent(window), host);
  EXPECT_EQ(native::GetWindowLong(window, native::GWL_ID), 7);
}

TEST_F(ZafCreateWindowTest, SupportObjectGoesIntoTheParentsFrame) {
  const native::HWND client = native::CreateWindowEx(0, ZafMSWindowsApp::windowClassName, nullptr,
                                                     native::WS_CHILD | native::WS_VISIBLE, 0, 0, 50, 50,
                                                     host, nullptr, nullptr, nullptr);
  root->frameHandle = host;
  root->SetScreenID(client);
  RecordingObject* support = Loose();
  support->MakeSupportObject();
  support->SetParent(root.get());
  RecordingObject* plain = Child();
  const native::HWND supportWindow =
      ZafCreateWindow(support, ZafMSWindowsApp::windowClassName, native::WS_CHILD);
  const native::HWND plainWindow = ZafCreateWindow(plain, ZafMSWindowsApp::windowClassName, native::WS_CHILD);
  EXPECT_EQ(native::GetParent(supportWindow), host);
  EXPECT_EQ(native::GetParent(plainWindow), client);
  support->SetParent(nullptr);
}

TEST_F(ZafCreateWindowTest, UnknownClassGivesNoWindow) {
  RecordingObject* object = Loose();
  EXPECT_EQ(ZafCreateWindow(object, u"NoSuchClass", native::WS_CHILD, nullptr, host), nullptr);
}

// Sibling windows keep the z-order of the object list (first object topmost) whatever order they are
// created in; siblings that share their parent's window are skipped.
TEST_F(ZafCreateWindowTest, LateWindowTakesItsListPlaceInTheZOrder) {
  struct Case {
    const char* name;
    bool firstOwnsWindow;
  } cases[] = {{"after the earlier sibling", true}, {"at the top without one", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingObject* first = Child();
    RecordingObject* middle = Child();
    RecordingObject* last = Child();
    // Put on the host only now, so that adding did not create the objects' windows.
    root->SetScreenID(host);
    first->SetOwnNative(c.firstOwnsWindow);
    if (c.firstOwnsWindow) {
      first->SetScreenID(ZafCreateWindow(first, ZafMSWindowsApp::windowClassName, native::WS_CHILD));
    } else {
      first->SetScreenID(host);
    }
    last->SetScreenID(ZafCreateWindow(last, ZafMSWindowsApp::windowClassName, native::WS_CHILD));
    const native::HWND window = ZafCreateWindow(middle, ZafMSWindowsApp::windowClassName, native::WS_CHILD);
    middle->SetScreenID(window);
    EXPECT_EQ(native::GetWindow(window, native::GW_HWNDNEXT), last->ScreenID());
    if (c.firstOwnsWindow) {
      EXPECT_EQ(native::GetWindow(first->ScreenID(), native::GW_HWNDNEXT), window);
    } else {
      EXPECT_EQ(native::GetTopWindow(host), window);
    }
    for (RecordingObject* object : {first, middle, last}) {
      if (object->ScreenID() != host) {
        native::DestroyWindow(object->ScreenID());
      }
      root->Subtract(object);
      delete object;
    }
    root->SetScreenID(nullptr);
  }
}
