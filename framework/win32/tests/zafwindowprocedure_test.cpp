#include "framework/win32/zafwindowprocedure.h"

#include "framework/win32/tests/zafwin32testbed.h"
#include "framework/win32/zafcreatewindow.h"

using ZafWindowProcedureTest = ZafWin32Test;

// A key typed in a field inside a window reaches the window (the root), which routes it to the field.
TEST_F(ZafWindowProcedureTest, KeysGoToTheRootAddressedToTheObject) {
  RecordingObject* rootProbe = Loose();
  RecordingObject* button = Loose();
  rootProbe->SetScreenID(host);
  button->SetParent(rootProbe);
  const native::HWND buttonWindow =
      ZafCreateWindow(button, ZafMSWindowsApp::windowClassName, native::WS_CHILD, nullptr, host);
  ASSERT_NE(buttonWindow, nullptr);

  struct Case {
    native::UINT message;
    bool routedToRoot;
  } cases[] = {
      {native::WM_KEYDOWN, true},  {native::WM_KEYUP, true}, {native::WM_SYSKEYDOWN, true},
      {native::WM_SYSKEYUP, true}, {native::WM_CHAR, false}, {native::WM_LBUTTONDOWN, false},
      {native::WM_SETTEXT, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    rootProbe->received.clear();
    button->received.clear();
    native::SendMessage(buttonWindow, c.message, 0,
                        c.message == native::WM_SETTEXT ? reinterpret_cast<native::LPARAM>(u"x") : 0);
    RecordingObject* receiver = c.routedToRoot ? rootProbe : button;
    RecordingObject* other = c.routedToRoot ? button : rootProbe;
    const ZafReceivedMessage* entry = receiver->Find(c.message);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->addressedObject, c.routedToRoot ? button : nullptr);
    EXPECT_EQ(other->Find(c.message), nullptr);
  }
}

TEST_F(ZafWindowProcedureTest, ObjectsAnswerIsTheWindowProceduresResult) {
  class Answering : public RecordingObject {
   public:
    ZafEventType Event(const ZafEventRecord& event) override {
      RecordingObject::Event(event);
      return event.osEvent.message == native::WM_USER ? 4321 : 0;
    }
  };
  auto* object = new Answering;
  loose.emplace_back(object);
  const native::HWND window =
      ZafCreateWindow(object, ZafMSWindowsApp::windowClassName, native::WS_CHILD, nullptr, host);
  EXPECT_EQ(native::SendMessage(window, native::WM_USER, 1, 2), 4321);
}

// A window that runs the framework's procedure before its object is bound (or after it let go) gets its
// class's processing instead of a call through a null object.
TEST_F(ZafWindowProcedureTest, WindowWithoutObjectFallsBackToItsClassProcedure) {
  const native::HWND window =
      native::CreateWindowEx(0, ZafMSWindowsApp::windowClassName, u"Before", native::WS_CHILD, 0, 0, 10, 10,
                             host, nullptr, nullptr, nullptr);
  native::SetWindowLong(window, native::GWL_WNDPROC, reinterpret_cast<native::LONG_PTR>(&ZafWindowProcedure));
  native::SendMessage(window, native::WM_SETTEXT, 0, reinterpret_cast<native::LPARAM>(u"After"));
  EXPECT_EQ(driver.text(window), u"After");
  native::SendMessage(window, native::WM_KEYDOWN, native::VK_RETURN, 0);
  EXPECT_TRUE(native::DestroyWindow(window));
}
