#include <gtest/gtest.h>

#include <vector>

#include "framework/core/zafwindowobject.h"
#include "framework/win32/tests/zafwin32testbed.h"

namespace {

// An object whose region and last native region are set in pixels, and which records the move and size
// notifications it gets with the region they carry.
class PlacedObject : public ZafWindowObject {
 public:
  PlacedObject() : ZafWindowObject(0, 0, 10, 1) {}
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == SizedEvent || event.type == MovedEvent) {
      notifications.push_back({event.type, event.Region()});
      return event.type;
    }
    return ZafWindowObject::Event(event);
  }
  void Place(const ZafRegionStruct& placed, const ZafRegionStruct& lastPlaced) {
    region = placed;
    lastNativeRegion = lastPlaced;
  }
  void DrawInParent(native::HWND window) {
    ownNativeWindow = false;
    SetScreenID(window);
  }

  struct Notification {
    ZafEventType type;
    ZafRegionStruct carried;
  };
  std::vector<Notification> notifications;
};

struct StripCase {
  const char* name;
  ZafRegionStruct from;
  ZafRegionStruct to;
  bool expectInvalid;
  native::RECT invalidBounds;
  std::vector<ZafEventType> notifications;
};

// The object is drawn in `root`'s native window, which is the host; the host's update region starts
// empty, so what UpdateNative marks is all there is.
class ZafWindowObjectUpdateNativeTest : public ZafWin32Test {
 protected:
  ZafWindowObjectUpdateNativeTest() {
    // Added before the root has a window, so that adding does not create the object's own.
    object = static_cast<PlacedObject*>(root->Add(new PlacedObject));
    own = static_cast<PlacedObject*>(root->Add(new PlacedObject));
    root->SetScreenID(host);
    object->DrawInParent(host);
    driver.pumpUntilIdle();
    native::ValidateRect(host, nullptr);
  }
  ~ZafWindowObjectUpdateNativeTest() override { root->SetScreenID(nullptr); }

  std::vector<ZafEventType> NotificationTypes() const {
    std::vector<ZafEventType> types;
    for (const PlacedObject::Notification& entry : object->notifications) {
      types.push_back(entry.type);
    }
    return types;
  }

  PlacedObject* object = nullptr;
  PlacedObject* own = nullptr;
};

TEST_F(ZafWindowObjectUpdateNativeTest, InvalidatesTheUncoveredAreaAndReportsMoveAndSize) {
  const StripCase cases[] = {
      {"one pixel right repaints old and new area, no size change",
       {11, 20, 30, 39, ZAF_PIXEL},
       {10, 20, 29, 39, ZAF_PIXEL},
       true,
       {10, 20, 31, 40},
       {MovedEvent}},
      {"ten pixels wider repaints only the right strip",
       {10, 20, 39, 39, ZAF_PIXEL},
       {10, 20, 29, 39, ZAF_PIXEL},
       true,
       {30, 20, 40, 40},
       {SizedEvent}},
      {"five pixels lower repaints only the bottom strip left uncovered",
       {10, 20, 29, 34, ZAF_PIXEL},
       {10, 20, 29, 39, ZAF_PIXEL},
       true,
       {10, 35, 30, 40},
       {SizedEvent}},
      {"narrower and taller repaints both strips",
       {10, 20, 24, 44, ZAF_PIXEL},
       {10, 20, 29, 39, ZAF_PIXEL},
       true,
       {10, 20, 30, 45},
       {SizedEvent}},
      {"moved and grown reports both",
       {12, 20, 41, 39, ZAF_PIXEL},
       {10, 20, 29, 39, ZAF_PIXEL},
       true,
       {10, 20, 42, 40},
       {MovedEvent, SizedEvent}},
      {"an unchanged region does nothing",
       {10, 20, 29, 39, ZAF_PIXEL},
       {10, 20, 29, 39, ZAF_PIXEL},
       false,
       {},
       {}},
  };
  for (const StripCase& entry : cases) {
    SCOPED_TRACE(entry.name);
    native::ValidateRect(host, nullptr);
    object->notifications.clear();
    object->Place(entry.to, entry.from);
    object->UpdateNative();
    native::RECT bounds{};
    ASSERT_EQ(native::GetUpdateRect(host, &bounds, native::FALSE) != native::FALSE, entry.expectInvalid);
    if (entry.expectInvalid) {
      EXPECT_EQ(bounds.left, entry.invalidBounds.left);
      EXPECT_EQ(bounds.top, entry.invalidBounds.top);
      EXPECT_EQ(bounds.right, entry.invalidBounds.right);
      EXPECT_EQ(bounds.bottom, entry.invalidBounds.bottom);
    }
    EXPECT_EQ(NotificationTypes(), entry.notifications);
    for (const PlacedObject::Notification& notification : object->notifications) {
      EXPECT_EQ(notification.carried, entry.from) << "the notification carries the previous region";
    }
    EXPECT_EQ(object->LastNativeRegion(), entry.to);
  }
}

TEST_F(ZafWindowObjectUpdateNativeTest, HiddenOrHeldObjectIsNotRepaintedButStillNotified) {
  struct HoldCase {
    const char* name;
    bool visible;
    bool automaticUpdate;
  };
  const HoldCase cases[] = {{"hidden", false, true}, {"updates held by the parent", true, false}};
  for (const HoldCase& entry : cases) {
    SCOPED_TRACE(entry.name);
    object->notifications.clear();
    object->SetVisible(entry.visible);
    root->SetAutomaticUpdate(entry.automaticUpdate);
    // After the setters, which repaint the object themselves.
    native::ValidateRect(host, nullptr);
    object->Place({11, 20, 40, 39, ZAF_PIXEL}, {10, 20, 29, 39, ZAF_PIXEL});
    object->UpdateNative();
    native::RECT bounds{};
    EXPECT_EQ(native::GetUpdateRect(host, &bounds, native::FALSE), native::FALSE);
    EXPECT_EQ(NotificationTypes(), (std::vector<ZafEventType>{MovedEvent, SizedEvent}));
    EXPECT_EQ(object->LastNativeRegion(), (ZafRegionStruct{11, 20, 40, 39, ZAF_PIXEL}));
    object->SetVisible(true);
    root->SetAutomaticUpdate(true);
  }
}

TEST_F(ZafWindowObjectUpdateNativeTest, WithoutNativeWindowNothingIsRecorded) {
  object->SetScreenID(nullptr);
  const ZafRegionStruct previous{10, 20, 29, 39, ZAF_PIXEL};
  object->Place({50, 20, 69, 39, ZAF_PIXEL}, previous);
  object->UpdateNative();
  EXPECT_EQ(object->LastNativeRegion(), previous) << "the next update with a window still places it";
  EXPECT_TRUE(object->notifications.empty());
  native::RECT bounds{};
  EXPECT_EQ(native::GetUpdateRect(host, &bounds, native::FALSE), native::FALSE);
}

TEST_F(ZafWindowObjectUpdateNativeTest, OwnNativeWindowIsMovedToTheRegion) {
  const native::HWND window = native::CreateWindowEx(0, ZafMSWindowsApp::windowClassName, nullptr,
                                                     native::WS_CHILD | native::WS_VISIBLE, 0, 0, 0, 0, host,
                                                     nullptr, nullptr, nullptr);
  own->SetScreenID(window);
  own->Place({5, 6, 24, 15, ZAF_PIXEL}, own->LastNativeRegion());
  own->UpdateNative();
  native::RECT placed{};
  native::GetWindowRect(window, &placed);
  native::MapWindowPoints(nullptr, host, &placed);
  EXPECT_EQ(placed.left, 5);
  EXPECT_EQ(placed.top, 6);
  EXPECT_EQ(placed.right - placed.left, 20);
  EXPECT_EQ(placed.bottom - placed.top, 10);
  EXPECT_EQ(own->LastNativeRegion(), own->Region());
  own->SetScreenID(nullptr);
  native::DestroyWindow(window);
}

}  // namespace
