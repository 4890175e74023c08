#include <gtest/gtest.h>

#include <vector>

#include "framework/core/zafdevice.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/win32/tests/zafwin32testbed.h"
#include "framework/win32/zafcreatewindow.h"
#include "framework/win32/zafmouse.h"
#include "framework/win32/zafscreendisplay.h"
#include "framework/win32/zafwindowobjectdrag.h"

namespace {

struct Notification {
  ZafEventType type;
  int32_t value;
  ZafWindowObject* object;
  ZafPositionStruct position;
  ZafRegionStruct region;
};

// Keeps the framework events it is sent (the edit-mode notifications, the new region, the parent's size
// change) and counts the native messages that reach its own native handling, which it leaves to the
// class procedure.
class NotedObject : public ZafWindowObject {
 public:
  NotedObject() : ZafWindowObject(0, 0, 10, 1) {}
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == SetRegionEvent || event.type == SizedEvent || event.type <= EditPlacedEvent) {
      notes.push_back({event.type, event.value, event.windowObject, event.Position(), event.Region()});
    }
    return ZafWindowObject::Event(event);
  }
  ZafEventType NativeEvent(const ZafEventRecord& event) override {
    ++nativeEvents;
    return static_cast<ZafEventType>(ZafCallClassProcedure(event.osEvent.hwnd, event.osEvent.message,
                                                           event.osEvent.wParam, event.osEvent.lParam));
  }
  void PutOn(native::HWND window) { SetScreenID(window); }
  std::vector<ZafEventType> Types() const {
    std::vector<ZafEventType> types;
    for (const Notification& note : notes) {
      types.push_back(note.type);
    }
    return types;
  }
  std::vector<Notification> notes;
  int nativeEvents = 0;
};

// A mouse device that keeps the images it is asked to show.
class ImageRecorder : public ZafDevice {
 public:
  ImageRecorder() : ZafDevice(E_MOUSE_DEVICE, D_ON) {}
  int32_t Event(const ZafEventRecord& event) override {
    images.push_back(event.type);
    return event.type;
  }
  std::vector<int32_t> images;
};

// Keeps the native messages the move loop hands on.
class DispatchRecorder : public ZafWindowManager {
 public:
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == E_OSEVENT) {
      messages.push_back(event.osEvent.message);
    }
    return 0;
  }
  std::vector<native::UINT> messages;
};

native::LPARAM Point(int x, int y) {
  return native::MAKELPARAM(static_cast<uint16_t>(x), static_cast<uint16_t>(y));
}

// An object in edit mode on a 60 x 40 native window of its own at (30, 20) in the host's client area,
// inside a parent that is the host.
class ZafEditModeTest : public ZafWin32Test {
 protected:
  static constexpr ZafRegionStruct kPlace{30, 20, 89, 59, ZAF_PIXEL};

  ZafEditModeTest() {
    ZafWindowObject::display = &screen;
    ZafWindowObject::eventManager = &events;
    images = static_cast<ImageRecorder*>(events.Add(new ImageRecorder));
    owner.PutOn(host);
    owner.SetRegion({0, 0, 289, 179, ZAF_PIXEL});
    object.SetParent(&owner);
    object.SetEditMode(true);
    object.SetCoordinateType(ZAF_PIXEL);
    window = ZafCreateWindow(&object, ZafMSWindowsApp::windowClassName, native::WS_CHILD | native::WS_VISIBLE,
                             nullptr, host);
    object.PutOn(window);
    object.SetRegion(kPlace);
    object.UpdateNative();
    driver.pumpUntilIdle();
    object.nativeEvents = 0;
  }
  ~ZafEditModeTest() override {
    native::DestroyWindow(window);
    object.PutOn(nullptr);
    owner.PutOn(nullptr);
    ZafWindowObject::display = nullptr;
    ZafWindowObject::eventManager = nullptr;
  }

  ZafEventRecord Message(native::UINT message, native::WPARAM wParam, native::LPARAM lParam) const {
    return ZafNativeEvent(window, message, wParam, lParam);
  }
  // Queues a drag through each point and the release at the last, then presses at `from`; all positions
  // relative to the object's window.
  ZafEventType PressAndDrag(native::POINT from, const std::vector<native::POINT>& through) {
    for (const native::POINT& point : through) {
      native::PostMessage(window, native::WM_MOUSEMOVE, native::MK_LBUTTON, Point(point.x, point.y));
    }
    const native::POINT last = through.empty() ? from : through.back();
    native::PostMessage(window, native::WM_LBUTTONUP, 0, Point(last.x, last.y));
    return object.Event(Message(native::WM_LBUTTONDOWN, native::MK_LBUTTON, Point(from.x, from.y)));
  }

  // Two neighbouring pixels of a rectangle's top line: a dotted frame line covers one of them.
  std::vector<native::COLORREF> TopLine(const native::RECT& rect) const {
    return {driver.pixel(rect.left + 10, rect.top), driver.pixel(rect.left + 11, rect.top)};
  }

  ZafScreenDisplay screen;
  ZafEventManager events;
  ImageRecorder* images = nullptr;
  NotedObject owner;
  NotedObject object;
  native::HWND window = nullptr;
};

TEST_F(ZafEditModeTest, PointerImageShowsTheEdgeUnderIt) {
  struct Case {
    int x;
    int y;
    int32_t image;
  } cases[] = {
      {0, 0, DM_TOP_LEFT_CORNER},   {59, 39, DM_BOTTOM_RIGHT_CORNER},
      {56, 3, DM_TOP_RIGHT_CORNER}, {3, 36, DM_BOTTOM_LEFT_CORNER},
      {3, 20, DM_LEFT_SIDE},        {56, 20, DM_RIGHT_SIDE},
      {30, 3, DM_TOP_SIDE},         {30, 36, DM_BOTTOM_SIDE},
      {30, 20, DM_POSITION_IMAGE},  {4, 20, DM_POSITION_IMAGE},
      {55, 35, DM_POSITION_IMAGE},  {-2, 20, DM_LEFT_SIDE},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(testing::Message() << test.x << ", " << test.y);
    images->images.clear();
    EXPECT_EQ(object.Event(Message(native::WM_MOUSEMOVE, 0, Point(test.x, test.y))), 1001);
    EXPECT_EQ(images->images, std::vector<int32_t>{test.image});
  }
  EXPECT_EQ(object.nativeEvents, 0);
}

TEST_F(ZafEditModeTest, PressNearAnEdgeSizesItAndElsewhereMovesTheObject) {
  struct Case {
    const char* name;
    native::POINT from;
    native::POINT to;
    ZafRegionStruct expected;
  };
  const Case cases[] = {
      {"4 pixels inside the left edge", {4, 20}, {-6, 23}, {20, 20, 89, 59, ZAF_PIXEL}},
      {"5 pixels inside the left edge", {5, 20}, {-5, 23}, {20, 23, 79, 62, ZAF_PIXEL}},
      {"top edge", {30, 2}, {37, -3}, {30, 15, 89, 59, ZAF_PIXEL}},
      {"top-left corner", {1, 1}, {-4, -4}, {25, 15, 89, 59, ZAF_PIXEL}},
      {"bottom-right corner", {57, 37}, {62, 43}, {30, 20, 94, 65, ZAF_PIXEL}},
      {"5 pixels inside the right edge", {55, 20}, {60, 20}, {35, 20, 94, 59, ZAF_PIXEL}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    object.SetRegion(kPlace);
    object.UpdateNative();
    object.notes.clear();
    owner.notes.clear();
    EXPECT_EQ(PressAndDrag(test.from, {test.to}), 1003);
    EXPECT_EQ(object.Region(), test.expected);
    ASSERT_FALSE(object.notes.empty());
    EXPECT_EQ(object.notes.front().type, SetRegionEvent);
    EXPECT_EQ(object.notes.front().region, test.expected);
    ASSERT_EQ(owner.notes.size(), 1u);
    EXPECT_EQ(owner.notes[0].type, SizedEvent);
    // The native window follows the new region.
    native::RECT placed{};
    native::GetWindowRect(window, &placed);
    native::MapWindowPoints(nullptr, host, &placed);
    EXPECT_EQ(placed.left, test.expected.left);
    EXPECT_EQ(placed.bottom - 1, test.expected.bottom);
  }
  EXPECT_EQ(native::GetCapture(), nullptr);
}

TEST_F(ZafEditModeTest, MoveEndsWithTheNotificationsInOrder) {
  PressAndDrag({20, 10}, {{22, 11}, {25, 14}});
  EXPECT_EQ(object.Types(), (std::vector<ZafEventType>{SetRegionEvent, EditPlacedEvent, EditPressEvent}));
  const Notification& placed = object.notes[1];
  EXPECT_EQ(placed.value, static_cast<int32_t>(object.ClassID()));
  EXPECT_EQ(placed.object, &object);
  const Notification& press = object.notes[2];
  EXPECT_EQ(press.value, 0x1100);
  EXPECT_EQ(press.position, (ZafPositionStruct{20, 10, ZAF_PIXEL}));
  EXPECT_EQ(object.Region(), (ZafRegionStruct{35, 24, 94, 63, ZAF_PIXEL}));
  EXPECT_EQ(owner.Types(), std::vector<ZafEventType>{SizedEvent});
}

TEST_F(ZafEditModeTest, ReleasePostedByAFocusChangeDoesNotEndTheMove) {
  ZafWindowObjectDrag::PostFocusButtonUp(window);
  PressAndDrag({20, 10}, {{25, 14}});
  EXPECT_EQ(object.Region(), (ZafRegionStruct{35, 24, 94, 63, ZAF_PIXEL}));
  EXPECT_FALSE(ZafWindowObjectDrag::TakeFocusButtonUp(Message(native::WM_LBUTTONUP, 0, 0).osEvent));
}

TEST_F(ZafEditModeTest, ReleasePostedByAFocusChangeOutsideAMoveTakesItsMark) {
  ZafWindowObjectDrag::PostFocusButtonUp(window);
  driver.pumpUntilIdle();
  EXPECT_FALSE(ZafWindowObjectDrag::TakeFocusButtonUp(ZafNativeEvent(window, native::WM_LBUTTONUP).osEvent));
}

TEST_F(ZafEditModeTest, PressInTheTopLeftCornerShowsItsImageBeforeTheMove) {
  PressAndDrag({2, 3}, {{10, 10}});
  ASSERT_FALSE(images->images.empty());
  EXPECT_EQ(images->images.front(), DM_TOP_LEFT_CORNER);
}

TEST_F(ZafEditModeTest, FrameThatWouldCollapseKeepsItsLastGoodEdges) {
  struct Case {
    const char* name;
    native::POINT from;
    std::vector<native::POINT> through;
    ZafRegionStruct expected;
  };
  const Case cases[] = {
      {"left edge over the right one", {4, 20}, {{34, 20}, {74, 20}}, {60, 20, 89, 59, ZAF_PIXEL}},
      {"bottom edge over the top one", {30, 38}, {{30, 18}, {30, -20}}, {30, 20, 89, 39, ZAF_PIXEL}},
      {"collapsed at once", {4, 20}, {{70, 25}}, kPlace},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    object.SetRegion(kPlace);
    object.UpdateNative();
    object.notes.clear();
    owner.notes.clear();
    PressAndDrag(test.from, test.through);
    EXPECT_EQ(object.Region(), test.expected);
    EXPECT_EQ(owner.notes.size(), test.expected == kPlace ? 0u : 1u);
  }
}

TEST_F(ZafEditModeTest, PressWithoutAMoveChangesNothing) {
  PressAndDrag({30, 20}, {});
  EXPECT_EQ(object.Region(), kPlace);
  EXPECT_EQ(object.Types(), (std::vector<ZafEventType>{EditPlacedEvent, EditPressEvent}));
  EXPECT_TRUE(owner.notes.empty());
}

TEST_F(ZafEditModeTest, OffsetsSnapToTheObjectsCoordinateType) {
  ASSERT_GE(screen.cellWidth, 4);
  NotedObject cells;
  cells.SetParent(&owner);
  cells.SetEditMode(true);
  cells.SetCoordinateType(ZAF_CELL);
  cells.PutOn(window);
  cells.SetRegion(kPlace);
  const int32_t cell = screen.cellWidth;
  struct Case {
    int dx;
    int32_t moved;
  } cases[] = {{1, 0}, {cell, cell}, {cell + 1, cell}, {-2 * cell + 1, -2 * cell}};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.dx);
    cells.SetRegion(kPlace);
    native::PostMessage(window, native::WM_LBUTTONUP, 0, Point(30 + test.dx, 20));
    EXPECT_EQ(cells.UpdatePosition(Message(native::WM_LBUTTONDOWN, native::MK_LBUTTON, Point(30, 20))), 1005);
    EXPECT_EQ(cells.Region().left, kPlace.left + test.moved);
    EXPECT_EQ(cells.Region().Width(), kPlace.Width());
  }
  cells.PutOn(nullptr);
}

TEST_F(ZafEditModeTest, OtherEventsDuringTheMoveGoThroughTheWindowManager) {
  DispatchRecorder manager;
  // A point on the top line of the frame, which starts as the window's outline.
  native::RECT outline{};
  native::GetWindowRect(window, &outline);
  const std::vector<native::COLORREF> before = TopLine(outline);
  native::PostMessage(window, native::WM_MOUSEMOVE, 0, Point(40, 20));
  native::PostMessage(window, native::WM_KEYDOWN, native::VK_ESCAPE, 0);
  native::PostMessage(window, native::WM_PAINT, 0, 0);
  native::PostMessage(window, native::WM_LBUTTONUP, 0, Point(30, 20));
  object.Event(Message(native::WM_LBUTTONDOWN, native::MK_LBUTTON, Point(30, 20)));
  EXPECT_EQ(manager.messages,
            (std::vector<native::UINT>{native::WM_MOUSEMOVE, native::WM_KEYDOWN, native::WM_PAINT}));
  EXPECT_EQ(object.Region(), kPlace);
  // Every frame drawn was erased again, the one around the paint included.
  driver.pumpUntilIdle();
  EXPECT_EQ(TopLine(outline), before);
}

TEST_F(ZafEditModeTest, OtherCodesAreServedWithoutTheObjectsOwnHandling) {
  struct Case {
    const char* name;
    ZafEventRecord event;
    ZafEventType result;
    std::vector<ZafEventType> notes;
  };
  const Case cases[] = {
      {"double click chooses",
       Message(native::WM_LBUTTONDBLCLK, native::MK_LBUTTON, Point(5, 5)),
       1012,
       {EditChosenEvent}},
      {"right press", Message(native::WM_RBUTTONDOWN, native::MK_RBUTTON, Point(5, 5)), 1006, {}},
      {"middle press: the class procedure", Message(native::WM_MBUTTONDOWN, 0, Point(5, 5)), 0, {}},
      {"key: the class procedure", Message(native::WM_KEYDOWN, 'A', 0), 0, {}},
      {"framework key event", ZafEventRecord(E_KEY, 'A'), UnknownEventResult, {}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    object.notes.clear();
    EXPECT_EQ(object.Event(test.event), test.result);
    EXPECT_EQ(object.Types(), test.notes);
  }
  EXPECT_EQ(object.nativeEvents, 0);
}

TEST_F(ZafEditModeTest, ChosenNotificationCarriesTheClassAndTheObject) {
  object.Event(Message(native::WM_LBUTTONDBLCLK, native::MK_LBUTTON, Point(5, 5)));
  ASSERT_EQ(object.notes.size(), 1u);
  EXPECT_EQ(object.notes[0].value, static_cast<int32_t>(object.ClassID()));
  EXPECT_EQ(object.notes[0].object, &object);
}

TEST_F(ZafEditModeTest, OutsideEditModeDeviceEventsReachTheNativeHandling) {
  NotedObject plain;
  plain.PutOn(window);
  plain.Event(Message(native::WM_LBUTTONDOWN, native::MK_LBUTTON, Point(5, 5)));
  EXPECT_EQ(plain.nativeEvents, 1);
  EXPECT_TRUE(plain.notes.empty());
  plain.PutOn(nullptr);
}

}  // namespace
