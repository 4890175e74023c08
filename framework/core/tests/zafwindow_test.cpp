#include "framework/core/zafwindow.h"

#include "framework/core/zafborder.h"

#include <gtest/gtest.h>

#include "framework/core/tests/zafcoretestbed.h"
#include "native/native.h"

namespace {

class WindowTest : public ZafCoreTest {};

// A support object of this test: the window object with the support flag forced on.
class SupportProbe : public ProbeObject {
 public:
  explicit SupportProbe(ZafNumberID id) : ProbeObject(0, 0, 1, 1) {
    supportObject = true;
    SetNumberID(id);
  }
};

ZafWindowObject* Named(ZafWindowObject* object, const ZafIChar* name) {
  object->SetStringID(name);
  return object;
}

TEST_F(WindowTest, AddSortsSupportObjectsApartAndLeavesParentedObjectsAlone) {
  ZafWindow window(0, 0, 20, 10);
  auto* child = window.Add(new ZafWindowObject(0, 0, 5, 1));
  auto* border = window.Add(new SupportProbe(ZAF_NUMID_BORDER));
  EXPECT_EQ(window.Count(), 1);
  EXPECT_EQ(window.SupportList().Count(), 1);
  EXPECT_EQ(child->Parent(), &window);
  EXPECT_EQ(border->Parent(), &window);

  ZafWindow other(0, 0, 20, 10);
  EXPECT_EQ(other.Add(child), child);
  EXPECT_EQ(child->Parent(), &window);
  EXPECT_EQ(other.Count(), 0);
}

TEST_F(WindowTest, SubtractRefusesAnotherWindowsObjectAndKeepsBothLists) {
  ZafWindow first(0, 0, 20, 10);
  ZafWindow second(0, 0, 20, 10);
  auto* a = first.Add(new ZafWindowObject(0, 0, 5, 1));
  auto* b = first.Add(new ZafWindowObject(0, 1, 5, 1));
  auto* c = second.Add(new ZafWindowObject(0, 0, 5, 1));
  EXPECT_EQ(second.Subtract(a), nullptr);
  EXPECT_EQ(first.Count(), 2);
  EXPECT_EQ(second.Count(), 1);
  EXPECT_EQ(first.FirstChild(), a);
  EXPECT_EQ(a->Next(), b);
  EXPECT_EQ(second.FirstChild(), c);
  EXPECT_EQ(first.Subtract(a), a);
  EXPECT_EQ(a->Parent(), nullptr);
  EXPECT_EQ(first.Count(), 1);
  delete a;
}

TEST_F(WindowTest, NumberSearchOfSupportIDsStaysInThisWindow) {
  ZafWindow outer(0, 0, 20, 10);
  auto* inner = new ZafWindow(0, 0, 10, 5);
  auto* innerTitle = inner->Add(new SupportProbe(ZAF_NUMID_TITLE));
  auto* field = inner->Add(new ZafWindowObject(0, 0, 5, 1));
  field->SetNumberID(12);
  outer.Add(inner);
  EXPECT_EQ(outer.FindObject(ZAF_NUMID_TITLE), nullptr);
  EXPECT_EQ(inner->FindObject(ZAF_NUMID_TITLE), innerTitle);
  EXPECT_EQ(outer.FindObject(12), field);
  auto* outerTitle = outer.Add(new SupportProbe(ZAF_NUMID_TITLE));
  EXPECT_EQ(outer.FindObject(ZAF_NUMID_TITLE), outerTitle);
}

TEST_F(WindowTest, NamePathsMatchDirectObjectsComponentByComponent) {
  ZafWindow window(0, 0, 20, 10);
  auto* group = static_cast<ZafWindow*>(window.Add(Named(new ZafWindow(0, 0, 10, 5), u"group")));
  auto* deep = group->Add(Named(new ZafWindowObject(0, 0, 5, 1), u"deep"));
  auto* sibling = window.Add(Named(new ZafWindowObject(0, 0, 5, 1), u"sibling"));
  struct Case {
    const ZafIChar* name;
    ZafWindowObject* expected;
  } cases[] = {
      {u"deep", deep},       {u"group~deep", deep}, {u"group~", group},    {u"group", group},
      {u"sibling", sibling}, {u"deep~", nullptr},   {u"missing", nullptr}, {u"group~missing", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name, c.name + std::char_traits<char16_t>::length(c.name)));
    EXPECT_EQ(window.FindObjectByName(c.name), c.expected);
  }
}

TEST_F(WindowTest, BroadcastDepthDecidesHowFarIntoChildWindowsItGoes) {
  struct Case {
    int depth;
    size_t nestedCalls;
    size_t deepestCalls;
  } cases[] = {{0, 0, 0}, {1, 1, 0}, {-1, 1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.depth);
    ZafWindow window(0, 0, 20, 10);
    auto* direct = new ProbeObject(0, 0, 5, 1);
    auto* support = new SupportProbe(ZAF_NUMID_BORDER);
    auto* level1 = new ZafWindow(0, 0, 10, 5);
    auto* nested = new ProbeObject(0, 0, 5, 1);
    auto* level2 = new ZafWindow(0, 0, 5, 5);
    auto* deepest = new ProbeObject(0, 0, 5, 1);
    level2->Add(deepest);
    level1->Add(nested);
    level1->Add(level2);
    window.Add(direct);
    window.Add(support);
    window.Add(level1);
    window.BroadcastToChildren(ZafEventRecord(-4242, 0), c.depth);
    EXPECT_EQ(direct->received.size(), 1u);
    EXPECT_EQ(support->received.size(), 1u);
    EXPECT_EQ(nested->received.size(), c.nestedCalls);
    EXPECT_EQ(deepest->received.size(), c.deepestCalls);
  }
}

TEST_F(WindowTest, SingleSelectionKeepsExactlyOneChildSelected) {
  ZafWindow window(0, 0, 20, 10);
  auto* a = window.Add(new ZafWindowObject(0, 0, 5, 1));
  auto* b = window.Add(new ZafWindowObject(0, 1, 5, 1));
  a->SetSelected(true);
  b->SetSelected(true);
  EXPECT_FALSE(a->Selected());
  EXPECT_TRUE(b->Selected());
  EXPECT_EQ(window.CurrentChild(), b);
  b->SetSelected(false);
  EXPECT_TRUE(b->Selected()) << "the last selected child cannot be deselected";
  window.SetSelectMultiple(true);
  a->SetSelected(true);
  EXPECT_TRUE(a->Selected());
  EXPECT_TRUE(b->Selected());
  EXPECT_FALSE(window.SetSelected(true)) << "a window is never selected";
}

TEST_F(WindowTest, CompareFunctionsPutObjectsWithoutTextFirstOrLast) {
  class Texted : public ZafWindowObject {
   public:
    explicit Texted(const ZafIChar* text) : ZafWindowObject(0, 0, 1, 1), text(text) {}
    const ZafIChar* Text() override { return text; }
    const ZafIChar* text;
  };
  Texted none(nullptr);
  Texted apple(u"apple");
  Texted pear(u"pear");
  struct Case {
    ZafElement* first;
    ZafElement* second;
    int ascending;  // sign
  } cases[] = {{&none, &apple, -1}, {&apple, &none, 1}, {&apple, &pear, -1}, {&pear, &apple, 1}};
  for (const Case& c : cases) {
    const int ascending = ZafWindow::CompareAscending(c.first, c.second);
    const int descending = ZafWindow::CompareDescending(c.first, c.second);
    EXPECT_EQ((ascending > 0) - (ascending < 0), c.ascending);
    EXPECT_EQ((descending > 0) - (descending < 0), -c.ascending);
  }
}

TEST_F(WindowTest, BorderIsFoundOnlyAsABorderSupportObject) {
  ZafWindow window(0, 0, 20, 10);
  window.Add(new SupportProbe(ZAF_NUMID_BORDER));
  EXPECT_EQ(window.Border(), nullptr) << "the ID alone is not enough";
  ZafWindow framed(0, 0, 20, 10);
  auto* border = new ZafBorder;
  EXPECT_FALSE(border->SetSupportObject(false) == false);
  framed.Add(border);
  EXPECT_EQ(framed.Border(), border);
  EXPECT_EQ(framed.Count(), 0);
  EXPECT_EQ(framed.GeometryManager(), nullptr);
  EXPECT_EQ(std::u16string(border->StringID()), u"ZAF_NUMID_BORDER");
}

TEST_F(WindowTest, CopyFindsItsOwnDefaultButtonByNameAndStrangersAreRefused) {
  ZafWindow window(0, 0, 20, 10);
  auto* named = window.Add(Named(new ProbeObject(0, 0, 5, 1), u"ok"));
  window.SetDefaultButton(named, true);
  ZafWindow copy(window);
  ASSERT_NE(copy.DefaultButton(true), nullptr);
  EXPECT_NE(copy.DefaultButton(true), named);
  EXPECT_EQ(copy.DefaultButton(true), copy.FindObjectByName(u"ok"));

  // A button outside the window's tree is refused: it would be left behind when deleted.
  ZafWindow strangerButton(0, 0, 20, 10);
  ZafWindowObject outside(0, 0, 5, 1);
  EXPECT_EQ(strangerButton.SetDefaultButton(&outside, true), nullptr);
  EXPECT_EQ(strangerButton.SetDefaultButton(named, false), nullptr);
}

TEST_F(WindowTest, WindowWithoutTitleHasNoTextToGiveOrTake) {
  ZafWindow window(0, 0, 20, 10);
  EXPECT_EQ(window.Text(), nullptr);
  EXPECT_EQ(window.SetText(u"x"), 1);
}

TEST_F(WindowTest, DestroyDeletesChildrenButKeepsSupportObjects) {
  ZafWindow window(0, 0, 20, 10);
  window.Add(new ZafWindowObject(0, 0, 5, 1));
  window.Add(new SupportProbe(ZAF_NUMID_BORDER));
  window.Destroy();
  EXPECT_EQ(window.Count(), 0);
  EXPECT_EQ(window.SupportList().Count(), 1);
}

TEST_F(WindowTest, ChangedLooksIntoChildrenAndClearingClearsThemToo) {
  ZafWindow window(0, 0, 20, 10);
  auto* child = window.Add(new ZafWindowObject(0, 0, 5, 1));
  child->SetChanged(true);
  EXPECT_TRUE(window.Changed());
  window.SetChanged(false);
  EXPECT_FALSE(child->Changed());
}

TEST_F(WindowTest, CreatedWindowCreatesItsObjectsAndLaterAdditionsAtOnce) {
  auto* window = new ZafWindow(2, 1, 20, 10);
  auto* field = window->Add(new ZafWindowObject(1, 1, 5, 1));
  auto* full = window->Add(new ZafWindowObject(0, 0, 1, 1));
  full->SetPlacement(1);
  auto* shared = new ZafWindowObject(0, 2, 5, 1);
  shared->SetOwnNativeWindow(false);
  window->Add(shared);
  windows->Add(window);
  ASSERT_NE(native::IsWindow(window->ScreenID()), native::FALSE);
  ASSERT_NE(native::IsWindow(field->ScreenID()), native::FALSE);
  EXPECT_NE(field->ScreenID(), window->ScreenID());
  EXPECT_EQ(native::GetParent(field->ScreenID()), window->ScreenID());
  EXPECT_NE(native::IsWindowVisible(field->ScreenID()), native::FALSE);
  EXPECT_NE(native::IsWindowVisible(window->ScreenID()), native::FALSE);
  EXPECT_EQ(shared->ScreenID(), window->ScreenID());
  EXPECT_EQ(field->Region().coordinateType, ZAF_PIXEL);
  EXPECT_EQ(full->Region(), (ZafRegionStruct{0, 0, 159, 239, ZAF_PIXEL}))
      << "placement fills the client area";
  // Numbered from the window and named after the numbers.
  EXPECT_EQ(std::u16string(field->StringID()), u"FIELD_1");
  EXPECT_EQ(std::u16string(full->StringID()), u"FIELD_2");
  EXPECT_EQ(std::u16string(window->StringID()), u"ZafWindow1");
  auto* late = window->Add(new ZafWindowObject(0, 3, 5, 1));
  EXPECT_EQ(native::GetParent(late->ScreenID()), window->ScreenID());
  EXPECT_EQ(late->NumberID(), 4);
}

TEST_F(WindowTest, SubtractedObjectGivesUpItsWindowAndItsAreaIsRepainted) {
  auto* window = new ZafWindow(0, 0, 20, 10);
  auto* own = window->Add(new ZafWindowObject(1, 1, 5, 1));
  auto* shared = new ZafWindowObject(1, 3, 5, 1);
  shared->SetOwnNativeWindow(false);
  window->Add(shared);
  windows->Add(window);
  driver.pumpUntilIdle();
  const native::HWND ownWindow = own->ScreenID();
  window->Subtract(own);
  EXPECT_EQ(native::IsWindow(ownWindow), native::FALSE);
  EXPECT_EQ(own->ScreenID(), nullptr);
  native::ValidateRect(window->ScreenID(), nullptr);
  window->Subtract(shared);
  native::RECT repaint{};
  ASSERT_NE(native::GetUpdateRect(window->ScreenID(), &repaint, native::FALSE), native::FALSE);
  const ZafRegionStruct area = shared->Region();
  EXPECT_EQ(repaint.left, area.left);
  EXPECT_EQ(repaint.top, area.top);
  EXPECT_EQ(repaint.right, area.right + 1);
  EXPECT_EQ(repaint.bottom, area.bottom + 1);
  delete own;
  delete shared;
}

class FocusTest : public WindowTest {
 protected:
  FocusTest() {
    window->Add(first);
    window->Add(second);
    windows->Add(window);
    windows->Add(other);
    first->SetFocus(true);
    QueuedTypes();
  }
  ZafWindow* window = new ZafWindow(0, 0, 20, 10);
  ProbeObject* first = new ProbeObject(0, 0, 5, 1);
  ProbeObject* second = new ProbeObject(0, 1, 5, 1);
  ZafWindow* other = new ZafWindow(0, 0, 20, 10);
};

TEST_F(FocusTest, GainingMovesTheCurrentChildAndTheWindowManagersRecord) {
  EXPECT_TRUE(window->Focus());
  EXPECT_EQ(window->CurrentChild(), first);
  EXPECT_EQ(windows->FocusObject(), first);
  EXPECT_EQ(native::GetFocus(), first->ScreenID());
  second->SetFocus(true);
  EXPECT_TRUE(second->Focus());
  EXPECT_FALSE(first->Focus());
  EXPECT_EQ(native::GetFocus(), second->ScreenID()) << "the native focus follows";
  EXPECT_EQ(window->CurrentChild(), second);
  EXPECT_EQ(windows->focusObject, second);
  EXPECT_EQ(windows->previousFocusObject, first);
}

TEST_F(FocusTest, InvalidCurrentFieldKeepsTheFocusWhenTheWindowComesBack) {
  other->SetFocus(true);
  EXPECT_FALSE(window->Focus());
  first->answerFor = ValidityQueryEvent;
  first->answer = -1;
  // Asked directly: focusing a field natively activates the window's frame first, which gives the focus
  // to the current field before the asked one.
  EXPECT_EQ(window->NotifyFocus(second, true), first);
  EXPECT_FALSE(second->Focus());
  EXPECT_EQ(window->CurrentChild(), first);
  // The window asked for the focus again through the queue.
  ZafEventRecord request;
  ASSERT_TRUE(events.TakeQueued(request));
  EXPECT_EQ(request.type, FocusRequestEvent);
  EXPECT_EQ(request.windowObject, window);
}

ZafLong KeepFocus(ZafWindowObject*, ZafEventRecord&, ZafLong code) {
  return code == FocusLoseEvent ? 5 : 0;
}

TEST_F(FocusTest, CurrentChildThatRefusesToLetGoStaysCurrent) {
  first->SetUserFunction(KeepFocus);
  second->SetFocus(true);
  EXPECT_FALSE(second->Focus());
  EXPECT_TRUE(first->Focus());
  EXPECT_EQ(native::GetFocus(), first->ScreenID()) << "the native focus went back";
  EXPECT_EQ(window->CurrentChild(), first);
  EXPECT_EQ(windows->focusObject, first);
}

TEST_F(FocusTest, FocusOnAFieldGivesTheDefaultRoleBackToThePermanentButton) {
  auto* button = window->Add(new ProbeObject(0, 3, 5, 1));
  window->SetDefaultButton(button, true);
  window->SetDefaultButton(first, false);
  EXPECT_EQ(window->DefaultButton(false), first);
  second->SetFocus(true);
  EXPECT_EQ(window->DefaultButton(false), button);
}

TEST_F(FocusTest, DefaultButtonsAreKeptOnTheRootWindow) {
  auto* inner = static_cast<ZafWindow*>(window->Add(new ZafWindow(0, 2, 10, 5)));
  auto* button = inner->Add(new ProbeObject(0, 0, 5, 1));
  EXPECT_EQ(inner->SetDefaultButton(button, true), button);
  EXPECT_EQ(window->DefaultButton(true), button);
  EXPECT_EQ(window->DefaultButton(false), button) << "no current default yet: the permanent one becomes it";
  EXPECT_EQ(static_cast<ProbeObject*>(button)->received.back(), DefaultButtonChangedEvent);
  window->SetDefaultButton(second, false);
  EXPECT_EQ(window->DefaultButton(false), second);
  EXPECT_EQ(inner->DefaultButton(true), button);
  // A default button that leaves the tree, alone or with its window, is forgotten by the root.
  inner->Subtract(button);
  EXPECT_EQ(window->DefaultButton(true), nullptr);
  delete button;
  auto* again = inner->Add(new ProbeObject(0, 0, 5, 1));
  window->SetDefaultButton(again, true);
  EXPECT_EQ(window->DefaultButton(true), again);
  window->Subtract(inner);
  EXPECT_EQ(window->DefaultButton(true), nullptr);
  delete inner;
}

}  // namespace
