#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindowobject.h"
#include "framework/win32/zafcursor.h"
#include "framework/win32/zafkeyboard.h"
#include "framework/win32/zafmouse.h"
#include "framework/win32/zafmswindowsapp.h"
#include "framework/win32/zafscreendisplay.h"
#include "native/native.h"
#include "native/testdriver.h"
#include "native/user/windowsystem.h"
#include "testing/zaftestapplication.h"

namespace {

ZafEventRecord Native(native::UINT message) {
  native::MSG nativeMessage{};
  nativeMessage.message = message;
  return ZafEventRecord(E_OSEVENT, nativeMessage);
}

class ZafInputDeviceTest : public testing::Test {
 protected:
  ZafInputDeviceTest() { ZafWindowObject::eventManager = &events; }
  ~ZafInputDeviceTest() override { ZafWindowObject::eventManager = nullptr; }

  // The queue's events as (type, native message) from the head.
  std::vector<std::pair<int32_t, native::UINT>> Drain() {
    std::vector<std::pair<int32_t, native::UINT>> taken;
    ZafEventRecord event;
    while (events.TakeQueued(event)) {
      taken.emplace_back(event.type, event.osEvent.message);
    }
    return taken;
  }

  native::TestDriver driver{native::DesktopOptions{640, 480, 96}};
  ZafTestApplication application;
  ZafScreenDisplay screen;
  ZafEventManager events;
};

using Queue = std::vector<std::pair<int32_t, native::UINT>>;

}  // namespace

TEST_F(ZafInputDeviceTest, DevicesAnswerStateRequestsAndReturnOtherCodes) {
  ZafKeyboard keyboard(D_ON);
  ZafMouse mouse(D_ON, DM_VIEW);
  ZafCursor cursor(D_ON, DC_INSERT);
  for (ZafDevice* device : std::initializer_list<ZafDevice*>{&keyboard, &mouse, &cursor}) {
    SCOPED_TRACE(device->deviceType);
    EXPECT_EQ(device->Event(ZafEventRecord(D_STATE, 0)), D_ON);
    EXPECT_EQ(device->Event(ZafEventRecord(D_OFF, 0)), D_OFF);
    EXPECT_EQ(device->Event(ZafEventRecord(D_STATE, 0)), D_OFF);
    EXPECT_EQ(device->Event(ZafEventRecord(-1234, 0)), -1234);
    device->Event(ZafEventRecord(D_ON, 0));
  }
  EXPECT_EQ(keyboard.deviceType, 10);
  EXPECT_EQ(mouse.deviceType, 30);
  EXPECT_EQ(cursor.deviceType, 50);
  EXPECT_TRUE(keyboard.IsA(3002));
  EXPECT_TRUE(mouse.IsAName(u"ZafMouse"));
  EXPECT_TRUE(cursor.IsA(3000));
  EXPECT_EQ(cursor.NumberID(), 3001);
}

// A device switched off eats its own kind of event at the head of the queue, one per poll, and leaves the
// others where they are.
TEST_F(ZafInputDeviceTest, SwitchedOffDevicesDropTheirOwnEventsFromTheHead) {
  struct Case {
    const char* name;
    bool mouseDevice;
    bool off;
    std::vector<ZafEventRecord> queued;
    int polls;
    Queue expected;
  } cases[] = {
      {"key ahead of a click",
       false,
       true,
       {Native(native::WM_KEYDOWN), Native(native::WM_LBUTTONDOWN)},
       1,
       {{E_OSEVENT, native::WM_LBUTTONDOWN}}},
      {"one per poll",
       false,
       true,
       {ZafEventRecord(E_KEY, 0), Native(native::WM_KEYUP)},
       1,
       {{E_OSEVENT, native::WM_KEYUP}}},
      {"characters are not key events",
       false,
       true,
       {Native(native::WM_CHAR)},
       1,
       {{E_OSEVENT, native::WM_CHAR}}},
      {"keyboard on", false, false, {Native(native::WM_KEYDOWN)}, 1, {{E_OSEVENT, native::WM_KEYDOWN}}},
      {"click ahead of a key",
       true,
       true,
       {Native(native::WM_LBUTTONDOWN), Native(native::WM_KEYDOWN)},
       2,
       {{E_OSEVENT, native::WM_KEYDOWN}}},
      {"frame mouse and mouse events",
       true,
       true,
       {Native(native::WM_NCMOUSEMOVE), ZafEventRecord(E_MOUSE, 0), Native(native::WM_SYSKEYDOWN)},
       3,
       {{E_OSEVENT, native::WM_SYSKEYDOWN}}},
      {"empty queue", true, true, {}, 2, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafKeyboard keyboard(c.off ? D_OFF : D_ON);
    ZafMouse mouse(c.off ? D_OFF : D_ON);
    ZafDevice& device = c.mouseDevice ? static_cast<ZafDevice&>(mouse) : keyboard;
    for (const ZafEventRecord& event : c.queued) {
      ASSERT_TRUE(events.Put(event));
    }
    for (int poll = 0; poll < c.polls; ++poll) {
      device.Poll();
    }
    EXPECT_EQ(Drain(), c.expected);
  }
}

TEST_F(ZafInputDeviceTest, ImageCodesSetThePointer) {
  ZafMouse mouse(D_ON, DM_WAIT);
  const native::HCURSOR arrow = native::LoadCursor(nullptr, native::IDC_ARROW);
  for (int32_t code : {DM_VIEW, DM_DEFAULT}) {
    native::SetCursor(nullptr);
    EXPECT_EQ(mouse.Event(ZafEventRecord(code, 0)), code);
    EXPECT_EQ(native::GetCursor(), arrow) << code;
    EXPECT_EQ(mouse.Image(), code);
  }
  mouse.Event(ZafEventRecord(DM_DRAG_COPY, 0));
  const native::HCURSOR dragCopy = native::GetCursor();
  EXPECT_NE(dragCopy, arrow);
  EXPECT_EQ(dragCopy, ZafMouseImages::Find(DM_DRAG_COPY)->cursor);
  // A code of the image range without a row keeps the pointer.
  mouse.Event(ZafEventRecord(-3290, 0));
  EXPECT_EQ(native::GetCursor(), dragCopy);
  EXPECT_EQ(mouse.Image(), -3290);
}

TEST_F(ZafInputDeviceTest, OwnPicturesBecomeCentredPointersWithTheirHotSpots) {
  ZafMouse mouse;
  int own = 0;
  for (const ZafMouseImage& row : ZafMouseImages::Rows()) {
    SCOPED_TRACE(row.code);
    ASSERT_NE(row.cursor, nullptr);
    if (row.standardCursor) {
      EXPECT_TRUE(ZafMouseImages::Picture(row).empty());
      continue;
    }
    ++own;
    const std::vector<uint8_t> picture = ZafMouseImages::Picture(row);
    ASSERT_EQ(picture.size(), static_cast<std::size_t>(row.width * row.height));
    EXPECT_NE(std::count(picture.begin(), picture.end(), 0), 0);
    const native::CursorShape* shape = native::WindowSystem::get().cursors().find(row.cursor);
    ASSERT_NE(shape, nullptr);
    EXPECT_EQ(shape->width, 32);
    EXPECT_EQ(shape->hotSpot.x, row.hotSpotX + (32 - row.width) / 2);
    EXPECT_EQ(shape->hotSpot.y, row.hotSpotY + (32 - row.height) / 2);
  }
  EXPECT_EQ(own, 7);
  EXPECT_EQ(ZafMouseImages::Rows().size(), 21u);
}

TEST_F(ZafInputDeviceTest, ImageTableLivesWhileAMouseDoes) {
  EXPECT_FALSE(ZafMouseImages::Exists());
  native::HCURSOR own = nullptr;
  {
    ZafMouse first;
    {
      ZafMouse second;
      own = ZafMouseImages::Find(DM_CANCEL)->cursor;
    }
    EXPECT_TRUE(ZafMouseImages::Exists());
    EXPECT_EQ(ZafMouseImages::Find(DM_CANCEL)->cursor, own);
  }
  EXPECT_FALSE(ZafMouseImages::Exists());
  EXPECT_EQ(ZafMouseImages::Find(DM_CANCEL), nullptr);
  EXPECT_EQ(native::WindowSystem::get().cursors().find(own), nullptr);
}

TEST_F(ZafInputDeviceTest, MousePositionAndVisibility) {
  ZafMouse mouse;
  ZafEventRecord move(DM_POSITION, 0);
  move.SetPosition({120, 45, ZAF_PIXEL});
  mouse.Event(move);
  native::POINT position{};
  native::GetCursorPos(&position);
  EXPECT_EQ(position.x, 120);
  EXPECT_EQ(position.y, 45);
  const int shown = native::ShowCursor(native::TRUE) - 1;
  native::ShowCursor(native::FALSE);
  mouse.Event(ZafEventRecord(D_OFF, 0));
  EXPECT_EQ(native::WindowSystem::get().cursors().showCount(), shown - 1);
  mouse.Event(ZafEventRecord(D_ON, 0));
  EXPECT_EQ(native::WindowSystem::get().cursors().showCount(), shown);
}

TEST_F(ZafInputDeviceTest, CursorKeepsItsModeAndTheBlinkTime) {
  ZafCursor cursor(D_ON, DC_INSERT);
  EXPECT_EQ(cursor.Event(ZafEventRecord(DC_OVERSTRIKE, 0)), DC_OVERSTRIKE);
  EXPECT_EQ(cursor.Mode(), DC_OVERSTRIKE);
  cursor.Event(ZafEventRecord(DC_INSERT, 0));
  EXPECT_EQ(cursor.Mode(), DC_INSERT);
  const uint32_t blinkTime = ZafCursor::BlinkTime();
  EXPECT_EQ(blinkTime, native::GetCaretBlinkTime());
  ZafCursor::SetBlinkTime(333);
  EXPECT_EQ(native::GetCaretBlinkTime(), 333u);
  ZafCursor another;
  EXPECT_EQ(ZafCursor::BlinkTime(), 333u);
  ZafCursor::SetBlinkTime(blinkTime);
}
