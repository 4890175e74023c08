// The native-window tests of the window object share this set-up: the test bed's root window put on the
// host window (so objects added to it are created at once), the screen display, and an object that keeps
// the events, draws and native messages it gets and leaves native processing to the class procedure.
#ifndef FRAMEWORK_WIN32_TESTS_ZAFWINDOWOBJECTNATIVETESTBED_H
#define FRAMEWORK_WIN32_TESTS_ZAFWINDOWOBJECTNATIVETESTBED_H

#include <ostream>
#include <string>
#include <vector>

#include "framework/win32/tests/zafwin32testbed.h"
#include "framework/win32/zafscreendisplay.h"

class NativeProbe : public ZafWindowObject {
 public:
  struct Message {
    native::UINT message;
    native::WPARAM wParam;
  };

  NativeProbe() : ZafWindowObject(1, 1, 10, 1) {}
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type != E_OSEVENT) {
      events.push_back(event.type);
      return ZafWindowObject::Event(event);
    }
    messages.push_back({event.osEvent.message, event.osEvent.wParam});
    return static_cast<ZafEventType>(ZafCallClassProcedure(event.osEvent.hwnd, event.osEvent.message,
                                                           event.osEvent.wParam, event.osEvent.lParam));
  }
  ZafEventType Draw(const ZafEventRecord&, ZafEventType drawType) override {
    draws.push_back(drawType);
    return drawType;
  }
  const ZafIChar* Text() override { return text.empty() ? nullptr : text.c_str(); }

  bool Received(ZafEventType type) const {
    for (ZafEventType each : events) {
      if (each == type) {
        return true;
      }
    }
    return false;
  }
  std::vector<native::UINT> MessageNumbers() const {
    std::vector<native::UINT> numbers;
    for (const Message& each : messages) {
      numbers.push_back(each.message);
    }
    return numbers;
  }
  void SetEdit(bool flag) { editMode = flag; }
  void MarkSelected(bool flag) { selected = flag; }
  void SetFocusFlag(bool flag) { focus = flag; }

  std::vector<ZafEventType> events;
  std::vector<ZafEventType> draws;
  std::vector<Message> messages;
  std::u16string text;
};

// Puts the system decision back that a test changed to act as another system.
class SystemDecisionScope {
 public:
  SystemDecisionScope() : saved(ZafMSWindowsApp::system) {}
  ~SystemDecisionScope() { ZafMSWindowsApp::system = saved; }

 private:
  ZafMSWindowsApp::SystemDecision saved;
};

class ZafNativeObjectTest : public ZafWin32Test {
 protected:
  ZafNativeObjectTest() {
    ZafWindowObject::display = &screen;
    root->SetScreenID(host);
    Settle();
  }
  ~ZafNativeObjectTest() override {
    root->SetScreenID(nullptr);
    ZafWindowObject::display = nullptr;
  }

  // Runs the queue dry and forgets what the host still had to repaint.
  void Settle() {
    driver.pumpUntilIdle();
    native::ValidateRect(host, nullptr);
  }
  // A probe set up by `prepare`, then added to the root window, which creates it.
  template <typename Prepare>
  NativeProbe* Created(Prepare prepare) {
    auto* probe = new NativeProbe;
    prepare(*probe);
    root->Add(probe);
    Settle();
    return probe;
  }
  NativeProbe* Created() {
    return Created([](NativeProbe&) {});
  }
  // The area of the host still to be repainted; empty when there is none.
  native::RECT HostUpdate() {
    native::RECT rect{0, 0, 0, 0};
    if (!native::GetUpdateRect(host, &rect, native::FALSE)) {
      return {0, 0, 0, 0};
    }
    return rect;
  }
  // The object's region as a native rectangle of the host (right and bottom exclusive).
  static native::RECT AreaOf(const ZafWindowObject& object) {
    const ZafRegionStruct region = object.Region();
    return {region.left, region.top, region.right + 1, region.bottom + 1};
  }

  ZafScreenDisplay screen;
};

// Found by argument lookup, so the test macros can compare and print native rectangles.
namespace native {

inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& out, const RECT& rect) {
  return out << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}

}  // namespace native

#endif
