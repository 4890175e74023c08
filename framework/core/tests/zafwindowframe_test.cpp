// The standard frame of a window, its text through the title, and the default button following the focus
// from button to button.
#include <gtest/gtest.h>

#include <string>

#include "framework/core/tests/zafcoretestbed.h"
#include "framework/core/zafbutton.h"
#include "framework/core/zafpopupitem.h"
#include "framework/core/zafpulldownmenu.h"
#include "framework/core/zafsystembutton.h"
#include "framework/core/zafwindow.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstringdata.h"
#include "native/native.h"

namespace {

class WindowFrameTest : public ZafCoreTest {};

std::vector<ZafClassID> SupportClasses(ZafWindow& window) {
  std::vector<ZafClassID> classes;
  for (ZafElement* element = window.SupportList().First(); element; element = element->Next()) {
    classes.push_back(element->ClassID());
  }
  return classes;
}

TEST_F(WindowFrameTest, StandardFrameAddsTheFrameObjectsInOrderAndThenTheExtraObject) {
  ZafWindow window(0, 0, 40, 10);
  auto* menu = new ZafPullDownMenu();
  window.AddStandardFrame(u"Results", menu);
  EXPECT_EQ(SupportClasses(window),
            (std::vector<ZafClassID>{ID_ZAF_BORDER, ID_ZAF_MAXIMIZE_BUTTON, ID_ZAF_MINIMIZE_BUTTON,
                                     ID_ZAF_SYSTEM_BUTTON, ID_ZAF_TITLE, ID_ZAF_PULL_DOWN_MENU}));
  EXPECT_EQ(window.Count(), 0) << "the frame holds no children";
  EXPECT_EQ(menu->Parent(), &window);
  ASSERT_NE(window.TitleObject(), nullptr);
  EXPECT_NE(window.Border(), nullptr);
  EXPECT_EQ(std::u16string(window.Text()), u"Results");

  ZafWindow plain(0, 0, 40, 10);
  plain.AddStandardFrame(u"Plain");
  EXPECT_EQ(plain.SupportList().Count(), 5) << "no extra object";
}

TEST_F(WindowFrameTest, WindowTextIsTheTitlesText) {
  ZafWindow window(0, 0, 40, 10);
  auto* shared = new ZafStringData(u"Heat 1");
  window.AddStandardFrame(shared);
  EXPECT_EQ(std::u16string(window.Text()), u"Heat 1");
  EXPECT_EQ(window.SetText(u"Heat 2"), 0);
  EXPECT_EQ(std::u16string(window.TitleObject()->Text()), u"Heat 2");
  EXPECT_EQ(std::u16string(shared->Text()), u"Heat 2") << "the title shows the caller's data";
  shared->SetText(u"Final");
  EXPECT_EQ(std::u16string(window.Text()), u"Final");
}

std::u16string Caption(native::HWND window) {
  char16_t caption[64] = {};
  native::SendMessage(window, native::WM_GETTEXT, 64, reinterpret_cast<native::LPARAM>(caption));
  return caption;
}

TEST_F(WindowFrameTest, CreatedWindowShowsItsTitleInTheCaption) {
  auto* window = new ZafWindow(0, 0, 40, 10);
  window->AddStandardFrame(u"Start list");
  windows->Add(window);
  ASSERT_NE(window->ScreenID(), nullptr);
  EXPECT_EQ(window->TitleObject()->ScreenID(), window->ScreenID(2));
  EXPECT_EQ(Caption(window->ScreenID(2)), u"Start list");
  window->SetText(u"Results");
  EXPECT_EQ(Caption(window->ScreenID(2)), u"Results");
  windows->Subtract(window);
  EXPECT_EQ(window->TitleObject()->ScreenID(), nullptr) << "the title lets go of the destroyed window";
  EXPECT_EQ(window->SetText(u"Later"), 0);
  delete window;
}

TEST_F(WindowFrameTest, FramePartsFollowTheWindowTheyAreAddedToOrTakenFrom) {
  auto* window = new ZafWindow(0, 0, 40, 10);
  windows->Add(window);
  window->AddStandardFrame(u"Added later");
  EXPECT_EQ(Caption(window->ScreenID(2)), u"Added later") << "a shown window takes its new title at once";
  ZafWindowObject* title = window->TitleObject();
  window->Subtract(title);
  EXPECT_EQ(title->ScreenID(), nullptr);
  title->SetText(u"Elsewhere");
  EXPECT_EQ(native::GetWindowLong(window->ScreenID(2), native::GWL_STYLE) & native::WS_CAPTION, 0)
      << "the frame is made again without a caption";
  EXPECT_EQ(Caption(window->ScreenID(2)), u"") << "a title taken out no longer reaches the window";
  delete title;
}

TEST_F(WindowFrameTest, SystemMenuItemsAreNumberedWithTheWindow) {
  auto* window = new ZafWindow(0, 0, 40, 10);
  auto* system = new ZafSystemButton(1);
  auto* restore = system->AddMenuItem(new ZafPopUpItem(u"Restore"));
  auto* close = system->AddMenuItem(new ZafPopUpItem(u"Close"));
  window->Add(system);
  windows->Add(window);
  EXPECT_NE(restore->NumberID(), 0);
  EXPECT_NE(close->NumberID(), 0);
  EXPECT_NE(restore->NumberID(), close->NumberID()) << "each entry has a command of its own";
}

// A button that keeps the default-state changes it is told of.
class DefaultProbe : public ZafButton {
 public:
  DefaultProbe(int32_t top, bool defaultCapable) : ZafButton(0, top, 10, 1, u"OK") {
    SetDefaultCapable(defaultCapable);
  }
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type == DefaultButtonChangedEvent) {
      ++defaultChanges;
    }
    return ZafButton::Event(event);
  }
  int defaultChanges = 0;
};

class DefaultButtonTest : public WindowFrameTest {
 protected:
  DefaultButtonTest() {
    window->Add(field);
    window->Add(permanent);
    window->Add(other);
    window->Add(plainButton);
    window->SetDefaultButton(permanent, true);
    windows->Add(window);
    field->SetFocus(true);
    permanent->defaultChanges = 0;
  }
  ZafWindow* window = new ZafWindow(0, 0, 40, 10);
  ZafWindowObject* field = new ZafWindowObject(0, 0, 10, 1);
  DefaultProbe* permanent = new DefaultProbe(2, true);
  DefaultProbe* other = new DefaultProbe(4, true);
  DefaultProbe* plainButton = new DefaultProbe(6, false);
};

TEST_F(DefaultButtonTest, DefaultCapableButtonTakesTheRoleWhileItHasTheFocus) {
  ASSERT_EQ(window->DefaultButton(false), permanent);
  other->SetFocus(true);
  EXPECT_EQ(window->DefaultButton(false), other);
  EXPECT_EQ(window->DefaultButton(true), permanent);
  EXPECT_EQ(permanent->defaultChanges, 1) << "the permanent button redraws without the role";
  field->SetFocus(true);
  EXPECT_EQ(window->DefaultButton(false), permanent) << "focus on a field gives the role back";
  EXPECT_EQ(permanent->defaultChanges, 2);
}

TEST_F(DefaultButtonTest, ButtonThatMayNotBeDefaultGivesTheRoleBack) {
  other->SetFocus(true);
  plainButton->SetFocus(true);
  EXPECT_EQ(window->DefaultButton(false), permanent);
  permanent->SetFocus(true);
  EXPECT_EQ(window->DefaultButton(false), permanent);
}

}  // namespace
