#include <gtest/gtest.h>

#include "framework/core/tests/zafcoretestbed.h"
#include "framework/core/zafmaximizebutton.h"
#include "framework/core/zafmdiwindow.h"
#include "framework/core/zafminimizebutton.h"
#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstorage.h"

namespace {

class MDIWindowCoreTest : public ZafCoreTest {};

TEST_F(MDIWindowCoreTest, TheTypeFollowsThePlaceAndChangesOnlyWhenFree) {
  ZafMDIWindow frame(0, 0, 40, 10, ZAF_MDI_FRAME);
  auto* adopted = new ZafMDIWindow(0, 0, 10, 5, ZAF_MDI_FRAME);
  frame.Add(adopted);
  adopted->Event(ZafEventRecord(PrepareEvent, 0));
  EXPECT_EQ(adopted->MDIType(), ZAF_MDI_CHILD) << "a frame placed in a window becomes a child";
  ZafMDIWindow orphan(0, 0, 10, 5, ZAF_MDI_CHILD);
  orphan.Event(ZafEventRecord(PrepareEvent, 0));
  EXPECT_EQ(orphan.MDIType(), ZAF_MDI_FRAME) << "a child without a parent becomes a frame";

  EXPECT_EQ(frame.SetMDIType(ZAF_MDI_CHILD), ZAF_MDI_FRAME) << "a frame with children stays a frame";
  EXPECT_EQ(adopted->SetMDIType(ZAF_MDI_FRAME), ZAF_MDI_CHILD) << "a child with a parent stays a child";
  EXPECT_EQ(orphan.SetMDIType(ZAF_MDI_CHILD), ZAF_MDI_CHILD) << "a frame without children may change";

  // New children go in front; settings the class pins do not move.
  auto* second = new ZafMDIWindow(0, 0, 10, 5, ZAF_MDI_CHILD);
  auto* third = new ZafMDIWindow(0, 0, 10, 5, ZAF_MDI_CHILD);
  frame.Add(second);
  frame.Add(third);
  EXPECT_EQ(frame.FirstChild(), third);
  EXPECT_EQ(frame.ZafList::Last(), adopted);
  for (ZafMDIWindow* window : {&frame, second}) {
    EXPECT_FALSE(window->SetBordered(true));
    EXPECT_FALSE(window->SetDisabled(true));
    EXPECT_FALSE(window->SetTemporary(true));
    EXPECT_EQ(window->SetPlacement(3), 0);
    EXPECT_EQ(window->RootObject(), window);
  }
  EXPECT_EQ(second->SetOwner(&orphan), nullptr) << "a child has no owner";
}

TEST_F(MDIWindowCoreTest, TheMinimizeButtonIsFoundByItsNumberAndClass) {
  ZafMDIWindow framed(0, 0, 40, 10, ZAF_MDI_FRAME);
  framed.AddStandardFrame(u"Results");
  ZafMDIWindow bare(0, 0, 40, 10, ZAF_MDI_FRAME);
  ZafMDIWindow impostor(0, 0, 40, 10, ZAF_MDI_FRAME);
  // A maximize button under the minimize button's number.
  auto* button = new ZafMaximizeButton();
  button->SetNumberID(0xFFFD);
  impostor.Add(button);
  struct Case {
    const char* name;
    const ZafWindow* window;
    ZafWindowObject* expected;
  } cases[] = {
      {"a standard frame", &framed, framed.SupportObjectByID(0xFFFD)},
      {"no support objects", &bare, nullptr},
      {"another class under the number", &impostor, nullptr},
      {"no window", nullptr, nullptr},
  };
  ASSERT_NE(cases[0].expected, nullptr);
  ASSERT_EQ(impostor.SupportObjectByID(0xFFFD), button) << "the number taken by another class";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(static_cast<ZafWindowObject*>(ZafMDIMinimizeButton(c.window)), c.expected);
  }
}

TEST_F(MDIWindowCoreTest, ReadsBackAsWritten) {
  TemporaryFolder folder;
  ZafStorage storage{folder.Path("mdi").c_str(), ZAF_STORAGE_CREATE};
  ZafObjectPersistence persistence{&storage};
  ZafMDIWindow frame(0, 0, 40, 10, ZAF_MDI_FRAME);
  frame.SetStringID(u"frame");
  auto* child = new ZafMDIWindow(1, 1, 20, 5, ZAF_MDI_CHILD);
  child->SetStringID(u"child");
  frame.Add(child);
  ASSERT_EQ(frame.Write(persistence), ZAF_ERROR_NONE);
  ZafMDIWindow read(u"frame", persistence);
  ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(read.MDIType(), ZAF_MDI_FRAME);
  ASSERT_EQ(read.Count(), 1);
  ASSERT_TRUE(read.FirstChild()->IsA(ID_ZAF_MDI_WINDOW));
  EXPECT_EQ(static_cast<ZafMDIWindow*>(read.FirstChild())->MDIType(), ZAF_MDI_CHILD);
  EXPECT_EQ(read.FirstChild()->Region(), child->Region());
}

}  // namespace
