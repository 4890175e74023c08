// Objects are added, removed and deleted while events about them wait in the queue and while other
// objects hold them as their owner, main window or default button: nothing may be left pointing at a
// deleted object, and no request may loop for ever.
#include <gtest/gtest.h>

#include "framework/core/tests/zafcoretestbed.h"
#include "framework/core/zafborder.h"
#include "framework/core/zafwindow.h"
#include "framework/data/zafpalettedata.h"
#include "native/native.h"

namespace {

class ObjectLifetimeTest : public ZafCoreTest {};

TEST_F(ObjectLifetimeTest, QueuedEventsAboutADeletedObjectAreDropped) {
  auto* window = new ZafWindow(0, 0, 20, 10);
  auto* field = window->Add(new ZafWindowObject(0, 0, 5, 1));
  auto* other = window->Add(new ZafWindowObject(0, 1, 5, 1));
  windows->Add(window);
  QueuedTypes();
  field->Event(ZafEventRecord(FocusRequestEvent, 0));
  ZafEventRecord addressed(-4242, 0);
  addressed.addressedObject = field;
  events.Put(addressed);
  ZafEventRecord positioned(-4243, 0);
  positioned.referenceObject = field;
  positioned.windowObject = other;
  events.Put(positioned);
  ASSERT_EQ(events.QueuedCount(), 3);

  window->Subtract(field);
  delete field;
  ZafEventRecord left;
  ASSERT_TRUE(events.TakeQueued(left));
  EXPECT_EQ(left.type, -4243) << "only the record that merely measured from the object stays";
  EXPECT_EQ(left.windowObject, other);
  EXPECT_EQ(left.referenceObject, nullptr) << "its position counts as untranslated";
  EXPECT_EQ(events.QueuedCount(), 0);
}

TEST_F(ObjectLifetimeTest, ObjectsDeletedWhileShownTakeTheirNativeWindowsAlong) {
  auto* window = new ZafWindow(0, 0, 20, 10);
  auto* field = window->Add(new ZafWindowObject(0, 0, 5, 1));
  windows->Add(window);
  const native::HWND fieldWindow = field->ScreenID();
  ASSERT_NE(fieldWindow, nullptr);
  delete field;
  EXPECT_FALSE(native::IsWindow(fieldWindow)) << "no native window is left pointing at the deleted object";
  const native::HWND frame = window->ScreenID(2);
  const native::HWND client = window->ScreenID();
  delete window;
  EXPECT_FALSE(native::IsWindow(frame));
  EXPECT_FALSE(native::IsWindow(client));
  driver.pumpUntilIdle();
  EXPECT_EQ(windows->FrontWindow(), nullptr);
}

TEST_F(ObjectLifetimeTest, FocusRequestGoesRoundTheQueueOnceEvenUnderAGrab) {
  auto* window = new ZafWindow(0, 0, 20, 10);
  auto* grab = window->Add(new ZafWindowObject(0, 0, 5, 1));
  windows->Add(window);
  QueuedTypes();
  windows->grabObject = grab;
  windows->Event(ZafEventRecord(FocusRequestEvent, 0));
  ZafEventRecord request;
  ASSERT_TRUE(events.TakeQueued(request));
  EXPECT_EQ(request.windowObject, grab);
  windows->Event(request);
  EXPECT_EQ(events.QueuedCount(), 0) << "a request that names its object is not queued again";
  windows->grabObject = nullptr;
}

TEST_F(ObjectLifetimeTest, DeletedMainWindowAndDefaultButtonsAreForgotten) {
  auto* main = new ZafWindow(0, 0, 20, 10);
  auto* button = main->Add(new ZafWindowObject(0, 0, 5, 1));
  main->SetDefaultButton(button, true);
  ASSERT_EQ(main->DefaultButton(false), button);
  delete button;
  EXPECT_EQ(main->DefaultButton(true), nullptr);
  EXPECT_EQ(main->DefaultButton(false), nullptr);
  auto* inner = static_cast<ZafWindow*>(main->Add(new ZafWindow(0, 0, 10, 5)));
  main->SetDefaultButton(inner->Add(new ZafWindowObject(0, 0, 5, 1)), true);
  delete inner;
  EXPECT_EQ(main->DefaultButton(true), nullptr) << "a button deleted with its window";
  windows->Add(main);
  windows->SetMainWindow(main);
  windows->Subtract(main);
  delete main;
  EXPECT_EQ(windows->MainWindow(), nullptr);
}

TEST_F(ObjectLifetimeTest, WindowsThatOwnEachOtherAreSubtractedOnce) {
  auto* a = new ZafWindow(0, 0, 20, 10);
  auto* b = new ZafWindow(0, 0, 20, 10);
  EXPECT_EQ(a->SetOwner(a), nullptr) << "a window cannot own itself";
  a->SetOwner(b);
  b->SetOwner(a);
  auto* bystander = new ZafWindow(0, 0, 20, 10);
  windows->Add(a);
  windows->Add(b);
  windows->Add(bystander);
  EXPECT_EQ(windows->Subtract(a), a);
  EXPECT_EQ(windows->Count(), 1);
  EXPECT_EQ(windows->FrontWindow(), bystander);
  delete a;
}

TEST_F(ObjectLifetimeTest, AWindowNeverHoldsItselfAnAncestorOrAListedWindow) {
  ZafWindow outer(0, 0, 20, 10);
  auto* inner = static_cast<ZafWindow*>(outer.Add(new ZafWindow(0, 0, 10, 5)));
  inner->Add(&outer);
  EXPECT_EQ(outer.Parent(), nullptr);
  EXPECT_EQ(inner->Count(), 0);
  outer.Add(&outer);
  EXPECT_EQ(outer.Count(), 1);

  auto* topLevel = new ZafWindow(0, 0, 20, 10);
  windows->Add(topLevel);
  outer.Add(topLevel);
  EXPECT_EQ(topLevel->Parent(), nullptr) << "still the window manager's";
  EXPECT_EQ(outer.Count(), 1);
  EXPECT_EQ(windows->FrontWindow(), topLevel);
}

TEST_F(ObjectLifetimeTest, ReservedSupportNumbersDoNotMoveTheChildNumbering) {
  auto* window = new ZafWindow(0, 0, 20, 10);
  window->Add(new ZafBorder());
  auto* first = window->Add(new ZafWindowObject(0, 0, 5, 1));
  auto* second = window->Add(new ZafWindowObject(0, 1, 5, 1));
  windows->Add(window);
  EXPECT_EQ(first->NumberID(), 1);
  EXPECT_EQ(second->NumberID(), 2);
  EXPECT_EQ(window->FindObject(2), second);
}

TEST_F(ObjectLifetimeTest, ANewPermanentDefaultButtonRedrawsTheOldOneToo) {
  ZafWindow window(0, 0, 20, 10);
  auto* old = static_cast<ProbeObject*>(window.Add(new ProbeObject(0, 0, 5, 1)));
  auto* next = static_cast<ProbeObject*>(window.Add(new ProbeObject(0, 1, 5, 1)));
  window.SetDefaultButton(old, true);
  old->received.clear();
  window.SetDefaultButton(next, true);
  EXPECT_EQ(window.DefaultButton(false), next);
  EXPECT_EQ(old->received, std::vector<int32_t>{DefaultButtonChangedEvent});
  EXPECT_EQ(next->received, std::vector<int32_t>{DefaultButtonChangedEvent});
}

// Counts the palette updates it is asked for.
class PaletteProbe : public ZafWindowObject {
 public:
  PaletteProbe() : ZafWindowObject(0, 0, 5, 1) {}
  void UpdatePalettes(uint16_t type, uint16_t state) override {
    ++updates;
    ZafWindowObject::UpdatePalettes(type, state);
  }
  int updates = 0;
};

TEST_F(ObjectLifetimeTest, ClearingThePaletteDataRedrawsLikeSettingIt) {
  PaletteProbe object;
  object.SetPaletteData(new ZafPaletteData());
  EXPECT_EQ(object.updates, 1);
  object.SetPaletteData(nullptr);
  EXPECT_EQ(object.updates, 2);
  object.SetPaletteData(nullptr);
  EXPECT_EQ(object.updates, 2) << "no change, no redraw";
}

// A window that refuses to close.
class StubbornWindow : public ZafWindow {
 public:
  StubbornWindow() : ZafWindow(0, 0, 20, 10) { SetStringID(u"x"); }
  ZafEventType Event(const ZafEventRecord& event) override {
    return event.type == CloseQueryEvent ? 1 : ZafWindow::Event(event);
  }
};

TEST_F(ObjectLifetimeTest, CloseByNameGoesPastAWindowThatRefuses) {
  auto* closable = new ZafWindow(0, 0, 20, 10);
  closable->SetStringID(u"x");
  windows->Add(closable);
  windows->Add(new StubbornWindow);
  ZafEventRecord request(CloseByNameRequest, 0);
  request.SetText(u"x");
  windows->Event(request);
  ASSERT_EQ(windows->Count(), 1);
  EXPECT_NE(dynamic_cast<StubbornWindow*>(windows->FrontWindow()), nullptr);
}

}  // namespace
