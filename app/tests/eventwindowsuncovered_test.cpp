// Three event windows cascaded, then one change of the front window's place or of their order as a user makes
// it: the restore box after maximising, Ctrl+F6, a drag of the right edge, a back window brought forward and
// closed with Ctrl+F4, the minimise command, the front window closed beside a minimised one, a new event
// with Single Event on closing the others. Every event window left uncovered or restacked is drawn again,
// frame and panes, under those in front of it: the frame on the desktop is what a full repaint draws.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/settingwrites.h"
#include "app/tests/programtest.h"
#include "model/qvevent.h"
#include "native/native.h"
#include "native/user/menubar.h"
#include "testing/testpictures.h"
#include "toolkit/kzcontrol.h"

namespace {

class EventWindowsUncoveredTest : public ProgramTest {
 protected:
  EventWindowsUncoveredTest() : ProgramTest({1024, 768, 96}) { Setting(u"\\Event\\SingleEvent:Int=0"); }

  // The frame's pixels on the desktop, row by row.
  std::vector<native::COLORREF> FramePixels() {
    return driver.pixels(driver.screenRect(Frame()->ScreenID(2)));
  }
  // The front event window's native frame.
  static native::HWND Front() { return native::GetParent(CurrentEventWindow()->ScreenID()); }
  void WithControl(native::UINT key) {
    driver.keyDown(native::VK_CONTROL);
    driver.pressKey(key);
    driver.keyUp(native::VK_CONTROL);
  }
  void ClickAt(const native::RECT& rect) {
    driver.click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  }
};

TEST_F(EventWindowsUncoveredTest, WhatAnEventWindowUncoversOrRestacksIsDrawnAsAFullRepaintDraws) {
  struct Trigger {
    const char* name;
    std::vector<std::function<void()>> steps;
  };
  const Trigger triggers[] = {
      {"maximised-restored",
       {[] { native::SendMessage(Front(), native::WM_SYSCOMMAND, native::SC_MAXIMIZE, 0); },
        // The restore box, the second last entry of the frame's menu bar.
        [this] {
          const std::vector<native::RECT> entries = native::MenuBar::screenEntries(Frame()->ScreenID(2));
          ClickAt(entries.at(entries.size() - 2));
        }}},
      {"next-three-times",
       {[this] { WithControl(native::VK_F6); }, [this] { WithControl(native::VK_F6); },
        [this] { WithControl(native::VK_F6); }}},
      {"narrower", {[this] {
         const native::RECT rect = driver.screenRect(Front());
         const int middle = (rect.top + rect.bottom) / 2;
         driver.mouseMove(rect.right - 2, middle);
         driver.mouseDown();
         driver.mouseMove(rect.right - 120, middle);
         driver.mouseUp();
       }}},
      {"back-forward-closed",
       {[] {
          const native::HWND back = native::GetWindow(Front(), native::GW_HWNDLAST);
          native::SendMessage(native::GetParent(back), native::WM_MDIACTIVATE,
                              reinterpret_cast<native::WPARAM>(back), 0);
        },
        [this] { WithControl(native::VK_F4); }}},
      {"minimised", {[] { native::SendMessage(Front(), native::WM_SYSCOMMAND, native::SC_MINIMIZE, 0); }}},
      // One of three windows still minimised from the row before: the front one closed.
      {"closed-beside-minimised",
       {[] { Post(NewCommand); }, [] { Post(CascadeCommand); },
        [this] {
          CurrentEventWindow()->GetEvent()->SetModified(false);
          WithControl(native::VK_F4);
        }}},
      // A new event with Single Event on closes every event window, the first one found not the active one.
      {"single-event-new", {[] {
         for (QvZEventMDI* window : EventWindows()) {
           window->GetEvent()->SetModified(false);
         }
         SettingWrites::WriteInt(nullptr, u"\\Event\\SingleEvent", 1);
         Post(NewCommand);
       }}},
  };
  for (int i = 0; i < 3; ++i) {
    Then([] { Post(NewCommand); });
  }
  for (const Trigger& trigger : triggers) {
    Then([] { Post(CascadeCommand); });
    for (const std::function<void()>& step : trigger.steps) {
      Then(step);
    }
    Then([this, &trigger] {
      SCOPED_TRACE(trigger.name);
      EXPECT_TRUE(driver.snapshot(TestPicturePath(std::string("events_uncovered_") + trigger.name + ".png")));
      const std::vector<native::COLORREF> shown = FramePixels();
      native::RedrawWindow(nullptr, nullptr, nullptr,
                           native::RDW_INVALIDATE | native::RDW_ERASE | native::RDW_FRAME |
                               native::RDW_ALLCHILDREN | native::RDW_UPDATENOW);
      const std::vector<native::COLORREF> painted = FramePixels();
      ASSERT_EQ(shown.size(), painted.size());
      int differing = 0;
      for (std::size_t i = 0; i < shown.size(); ++i) {
        differing += shown[i] != painted[i] ? 1 : 0;
      }
      EXPECT_EQ(differing, 0) << "pixels a full repaint changes";
    });
  }
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(EventWindows().size(), 0u);
}

}  // namespace
