#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "native/tests/mdiscene.h"
#include "testing/testpictures.h"

namespace native::test {

namespace {

HWND control(HWND parent, LPCWSTR className, DWORD style, const RECT& rect, int id) {
  return CreateWindowEx(WS_EX_CLIENTEDGE, className, u"", WS_CHILD | WS_VISIBLE | style, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, parent,
                        reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr, nullptr);
}

}  // namespace

// The whole desktop as a person would see it: an MDI frame with three documents, the front one holding a list
// box and a combo box whose list is dropped over everything (mdi_frame.png in the build tree's picture
// folder).
TEST(MdiSnapshot, FrameWithThreeChildrenAListAndADroppedCombo) {
  MdiScene scene(SIZE{640, 480});
  scene.createChild(u"Heats", RECT{10, 10, 260, 200});
  scene.createChild(u"Results", RECT{300, 20, 600, 220});
  HWND front = scene.createChild(u"Start list", RECT{60, 120, 420, 400});
  HWND list = control(front, kListBoxClass, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL,
                      RECT{10, 10, 170, 200}, 1);
  for (const char16_t* name : {u"Lane 1  Adams", u"Lane 2  Brown", u"Lane 3  Clark", u"Lane 4  Dunn",
                               u"Lane 5  Evans", u"Lane 6  Fox", u"Lane 7  Gray", u"Lane 8  Hill",
                               u"Lane 9  Irving", u"Lane 10 Jones", u"Lane 11 King", u"Lane 12 Lee"}) {
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  SendMessage(list, LB_SETCURSEL, 2, 0);
  HWND combo = control(front, kComboBoxClass, CBS_DROPDOWNLIST | WS_VSCROLL, RECT{190, 10, 340, 160}, 2);
  for (const char16_t* event : {u"60 m", u"100 m", u"200 m", u"400 m", u"60 m hurdles"}) {
    SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(event));
  }
  SendMessage(combo, CB_SETCURSEL, 1, 0);
  SetFocus(combo);
  SendMessage(combo, CB_SHOWDROPDOWN, TRUE, 0);
  scene.driver.pumpUntilIdle();

  std::string path = TestPicturePath("mdi_frame.png");
  ASSERT_TRUE(scene.driver.snapshot(path));
  EXPECT_GT(std::filesystem::file_size(path), 0u);

  // The dropped list is found over the frame below the combo box, and shows the chosen entry highlighted.
  RECT comboRect = scene.driver.screenRect(combo);
  HWND dropped = scene.driver.windowAt(comboRect.left + 20, comboRect.bottom + 5);
  ASSERT_NE(dropped, nullptr);
  EXPECT_NE(dropped, front);
  RECT entry{};
  SendMessage(dropped, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&entry));
  POINT inEntry{entry.right - 4, (entry.top + entry.bottom) / 2};
  ClientToScreen(dropped, &inEntry);
  EXPECT_EQ(scene.driver.pixel(inEntry.x, inEntry.y), GetSysColor(COLOR_HIGHLIGHT));
  // The list box's chosen line is highlighted too, and the front document hides the one behind it.
  SendMessage(list, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&entry));
  POINT inLine{entry.right - 4, (entry.top + entry.bottom) / 2};
  ClientToScreen(list, &inLine);
  EXPECT_EQ(scene.driver.pixel(inLine.x, inLine.y), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(scene.active(), front);
  SendMessage(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

// A maximised document: its system menu at the bar's left, its boxes at the bar's right
// (mdi_maximized.png in the build tree's picture folder).
TEST(MdiSnapshot, MaximisedChildSharesTheFramesMenuBar) {
  MdiScene scene(SIZE{480, 320});
  scene.createChild(u"Heats", RECT{10, 10, 260, 200});
  HWND front = scene.createChild(u"Results", RECT{60, 40, 360, 240});
  SendMessage(scene.client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(front), 0);
  scene.driver.pumpUntilIdle();
  std::string path = TestPicturePath("mdi_maximized.png");
  ASSERT_TRUE(scene.driver.snapshot(path));
  RECT client{};
  GetWindowRect(scene.client, &client);
  int barMiddle = client.top - GetSystemMetrics(SM_CYMENU) / 2;
  EXPECT_EQ(scene.driver.pixel(client.right - 1, barMiddle), GetSysColor(COLOR_BTNSHADOW))
      << "the close box's outline at the bar's right end";
  EXPECT_EQ(scene.driver.windowAt(client.left + 5, client.top + 5), front) << "the document fills the client";
}

}  // namespace native::test
