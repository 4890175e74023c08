#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/zafmaximizebutton.h"
#include "framework/core/zafminimizebutton.h"
#include "framework/core/zafpopupitem.h"
#include "framework/core/zafsystembutton.h"
#include "framework/core/zaftitle.h"
#include "framework/win32/tests/zafwin32testbed.h"

namespace {

// The window the frame parts belong to holds the host's native window, as a created window holds its own.
class FrameButtonTest : public ZafWin32Test {
 protected:
  FrameButtonTest() { root->SetScreenID(host); }

  template <typename Button>
  Button* Part(Button* button) {
    root->Add(button);
    return button;
  }

  std::u16string Caption() const {
    std::array<char16_t, 128> text{};
    native::SendMessage(host, native::WM_GETTEXT, text.size(), reinterpret_cast<native::LPARAM>(text.data()));
    return text.data();
  }

  static ZafEventType Send(ZafWindowObject& object, ZafEventType type) {
    return object.Event(ZafEventRecord(static_cast<int32_t>(type), 0));
  }
};

TEST_F(FrameButtonTest, FramePartsAnswerEventsAndOnlyBorrowTheWindow) {
  struct Case {
    const char* name;
    std::function<ZafFrameButton*()> make;
    bool system;
  };
  const Case cases[] = {
      {"maximize", [] { return new ZafMaximizeButton; }, false},
      {"minimize", [] { return new ZafMinimizeButton; }, false},
      {"title", [] { return new ZafTitle(u"Heats"); }, false},
      {"system", [] { return new ZafSystemButton(0); }, true},
  };
  const ZafEventType ignored[] = {CreateEvent,      DestroyEvent,  DrawNowEvent,
                                  RedisplayEvent,   ChosenEvent,   ChosenByDoubleClickEvent,
                                  FocusGainedEvent, SetRegionEvent};
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ZafFrameButton* button = Part(test.make());
    EXPECT_EQ(button->ScreenID(), host) << "added to a shown window, the part borrows it at once";
    Send(*button, NativeGoneEvent);
    for (ZafEventType type : ignored) {
      SCOPED_TRACE(type);
      EXPECT_EQ(Send(*button, type), UnknownEventResult);
      EXPECT_EQ(button->ScreenID(), nullptr) << "no native window of its own";
    }
    EXPECT_EQ(Send(*button, PrepareEvent), test.system ? PrepareEvent : UnknownEventResult);
    EXPECT_EQ(Send(*button, NativeAttachedEvent), test.system ? NativeAttachedEvent : UnknownEventResult);
    EXPECT_EQ(button->ScreenID(), host);
    EXPECT_EQ(native::GetWindow(host, native::GW_CHILD), nullptr) << "nothing created in the window";
    EXPECT_EQ(Send(*button, NativeGoneEvent), test.system ? NativeGoneEvent : UnknownEventResult);
    EXPECT_EQ(button->ScreenID(), nullptr);
    EXPECT_TRUE(native::IsWindow(host)) << "the window is not the part's to destroy";
  }
}

TEST_F(FrameButtonTest, FramePartsDrawNothing) {
  ZafMaximizeButton* maximize = Part(new ZafMaximizeButton);
  Send(*maximize, NativeAttachedEvent);
  for (ZafEventType type : {DrawNowEvent, RedisplayEvent, RedisplayRegionEvent}) {
    EXPECT_EQ(maximize->Draw(ZafEventRecord(static_cast<int32_t>(type), 0), type), type);
  }
  maximize->CreateNative();
  maximize->UpdateNative();
  EXPECT_EQ(native::GetWindow(host, native::GW_CHILD), nullptr);
  EXPECT_EQ(maximize->ScreenID(), host);
}

TEST_F(FrameButtonTest, TitleTextSetEarlierBecomesTheCaptionOnAttaching) {
  // Added while the window has no native window yet.
  root->SetScreenID(nullptr);
  ZafTitle* title = Part(new ZafTitle(u"Results"));
  root->SetScreenID(host);
  title->SetText(u"Results 200 m");
  EXPECT_EQ(Caption(), u"Host") << "no native window yet";
  EXPECT_EQ(title->UpdateNativeText(), 0);
  EXPECT_EQ(Caption(), u"Host");

  Send(*title, NativeAttachedEvent);
  EXPECT_EQ(Caption(), u"Results 200 m");
  title->SetText(u"Results 400 m");
  EXPECT_EQ(Caption(), u"Results 400 m") << "later changes follow at once";
  root->SetText(u"Relay");
  EXPECT_EQ(Caption(), u"Relay") << "the window's text is its title's";

  Send(*title, NativeGoneEvent);
  title->SetText(u"Gone");
  EXPECT_EQ(Caption(), u"Relay") << "a let-go window is not touched";
}

TEST_F(FrameButtonTest, SystemButtonWithoutOptionsLeavesTheSystemMenu) {
  const native::HMENU menu = native::GetSystemMenu(host, native::FALSE);
  const int entries = native::GetMenuItemCount(menu);
  ASSERT_GT(entries, 0);
  ZafSystemButton* system = Part(new ZafSystemButton(0));
  system->AddMenuItem(new ZafPopUpItem(u"Close", ZAF_ITEM_CLOSE));

  EXPECT_EQ(Send(*system, NativeAttachedEvent), NativeAttachedEvent);
  EXPECT_EQ(native::GetSystemMenu(host, native::FALSE), menu);
  EXPECT_EQ(native::GetMenuItemCount(menu), entries);
  EXPECT_EQ(system->SystemMenu().Menu(), nullptr);

  EXPECT_EQ(Send(*system, NativeGoneEvent), NativeGoneEvent);
  EXPECT_TRUE(native::IsMenu(menu)) << "not given back to the platform";
  EXPECT_EQ(native::GetSystemMenu(host, native::FALSE), menu);
  EXPECT_EQ(native::GetMenuItemCount(menu), entries);
}

TEST_F(FrameButtonTest, SystemButtonWithOptionsReplacesTheSystemMenuWhileAttached) {
  const int standardEntries = native::GetMenuItemCount(native::GetSystemMenu(host, native::FALSE));
  ZafSystemButton* system = Part(new ZafSystemButton(1));

  EXPECT_EQ(Send(*system, NativeAttachedEvent), NativeAttachedEvent);
  const native::HMENU menu = native::GetSystemMenu(host, native::FALSE);
  EXPECT_EQ(system->SystemMenu().Menu(), menu);
  EXPECT_EQ(native::GetMenuItemCount(menu), 0) << "the platform's entries are gone";
  EXPECT_EQ(system->SetSystemOptions(0), 1) << "fixed while the window is there";

  EXPECT_EQ(Send(*system, NativeGoneEvent), NativeGoneEvent);
  EXPECT_EQ(system->SystemMenu().Menu(), nullptr) << "the menu does not keep the destroyed copy";
  EXPECT_FALSE(native::IsMenu(menu));
  EXPECT_EQ(native::GetMenuItemCount(native::GetSystemMenu(host, native::FALSE)), standardEntries);
  EXPECT_EQ(system->SetSystemOptions(0), 0);
}

TEST_F(FrameButtonTest, SystemButtonItemsBecomeTheSystemCommands) {
  ZafSystemButton* system = Part(new ZafSystemButton(1));
  system->AddMenuItem(new ZafPopUpItem(u"Restore", ZAF_ITEM_RESTORE));
  system->AddMenuItem(new ZafPopUpItem(u"Close", ZAF_ITEM_CLOSE));

  Send(*system, NativeAttachedEvent);
  const native::HMENU menu = native::GetSystemMenu(host, native::FALSE);
  ASSERT_EQ(native::GetMenuItemCount(menu), 2);
  EXPECT_EQ(native::GetMenuItemID(menu, 0), native::SC_RESTORE);
  EXPECT_EQ(native::GetMenuItemID(menu, 1), native::SC_CLOSE);
  EXPECT_EQ(Send(*system, NativeAttachedEvent), NativeAttachedEvent);
  EXPECT_EQ(native::GetMenuItemCount(menu), 2) << "attaching again keeps the items";
  Send(*system, NativeGoneEvent);
}

}  // namespace
