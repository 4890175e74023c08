#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "native/tests/mdiscene.h"
#include "testing/testpictures.h"

namespace native::test {

namespace {

// A document with a bar of buttons across its top and a list below, so one drawn over another's caption or
// client shows.
HWND document(MdiScene& scene, LPCWSTR title) {
  HWND child = scene.createChild(title, RECT{0, 0, 300, 220});
  CreateWindowEx(0, kButtonClass, u"Tool bar", WS_CHILD | WS_VISIBLE, 0, 0, 400, 24, child, nullptr, nullptr,
                 nullptr);
  HWND list =
      CreateWindowEx(WS_EX_CLIENTEDGE, kListBoxClass, u"", WS_CHILD | WS_VISIBLE | LBS_NOINTEGRALHEIGHT, 0,
                     24, 400, 300, child, nullptr, nullptr, nullptr);
  for (const char16_t* line : {u"Lane 1  Adams", u"Lane 2  Brown", u"Lane 3  Clark"}) {
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
  }
  return child;
}

void withControl(MdiScene& scene, UINT key) {
  scene.driver.keyDown(VK_CONTROL);
  scene.driver.keyDown(key);
  scene.pumpWithMdiKeys();
  scene.driver.keyUp(key);
  scene.driver.keyUp(VK_CONTROL);
  scene.pumpWithMdiKeys();
}

void dragCaption(MdiScene& scene, HWND document, int dx, int dy) {
  RECT rect = scene.driver.screenRect(document);
  POINT at{(rect.left + rect.right) / 2, rect.top + 10};
  scene.driver.mouseMove(at.x, at.y);
  scene.driver.mouseDown();
  for (int step = 1; step <= 4; ++step) {
    scene.driver.mouseMove(at.x + dx * step / 4, at.y + dy * step / 4);
    scene.driver.pumpUntilIdle();
  }
  scene.driver.mouseUp();
}

}  // namespace

// Three cascaded documents, then one change of the front document's place or of the stacking order, or a
// document closed or hidden: what it leaves uncovered and where the order changed, the documents are drawn
// again, frames and clients, each under those in front of it: the frame's pixels are those a full repaint
// gives. What stays in view is not painted again.
TEST(MdiRepaint, WhatADocumentUncoversOrRestacksIsDrawnAsAFullRepaintDraws) {
  struct Trigger {
    const char* name;
    std::function<void(MdiScene&, HWND front, HWND back)> act;
    long long maxPaintedPixels = -1;  // none: not counted
  };
  const Trigger triggers[] = {
      {"maximised-restored",
       [](MdiScene& scene, HWND front, HWND) {
         SendMessage(front, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
         scene.driver.pumpUntilIdle();
         SendMessage(front, WM_SYSCOMMAND, SC_RESTORE, 0);
       }},
      {"next-twice",
       [](MdiScene& scene, HWND, HWND) {
         withControl(scene, VK_F6);
         withControl(scene, VK_F6);
       }},
      {"minimised", [](MdiScene&, HWND front, HWND) { SendMessage(front, WM_SYSCOMMAND, SC_MINIMIZE, 0); }},
      {"narrower",
       [](MdiScene& scene, HWND front, HWND) {
         RECT rect = scene.driver.screenRect(front);
         int middle = (rect.top + rect.bottom) / 2;
         scene.driver.mouseMove(rect.right - 2, middle);
         scene.driver.mouseDown();
         scene.driver.mouseMove(rect.right - 80, middle);
         scene.driver.mouseUp();
       }},
      {"back-forward-closed",
       [](MdiScene& scene, HWND, HWND back) {
         SendMessage(scene.client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(back), 0);
         scene.driver.pumpUntilIdle();
         withControl(scene, VK_F4);
       }},
      {"middle-closed",
       [](MdiScene& scene, HWND front, HWND) {
         SendMessage(scene.client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(GetWindow(front, GW_HWNDNEXT)), 0);
       }},
      {"front-closed-beside-minimised",
       [](MdiScene& scene, HWND front, HWND) {
         SendMessage(GetWindow(front, GW_HWNDNEXT), WM_SYSCOMMAND, SC_MINIMIZE, 0);
         scene.driver.pumpUntilIdle();
         withControl(scene, VK_F4);
       }},
      {"hidden", [](MdiScene&, HWND front, HWND) { ShowWindow(front, SW_HIDE); }},
      // Drawn over, caption and all, then redrawn with its frame.
      {"frame-redrawn",
       [](MdiScene&, HWND front, HWND) {
         HDC dc = GetWindowDC(front);
         RECT whole{0, 0, 300, 220};
         FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
         ReleaseDC(front, dc);
         RedrawWindow(front, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
       }},
      // The front document (586 x 388 once cascaded) dragged 40 px right and 8 down in four steps: each step
      // paints no more than the strips it uncovers and brings into view, 10 x 388 and 2 x 586 each, frames
      // included, never the 227,000 pixels of the document again.
      {"dragged", [](MdiScene& scene, HWND front, HWND) { dragCaption(scene, front, 40, 8); },
       4 * 2 * (10 * 388 + 2 * 586)},
      // The front document raised again: nothing changes.
      {"raised-again", [](MdiScene&, HWND front, HWND) { BringWindowToTop(front); }, 0},
  };
  for (const Trigger& trigger : triggers) {
    SCOPED_TRACE(trigger.name);
    MdiScene scene;
    HWND back = document(scene, u"One");
    document(scene, u"Two");
    HWND front = document(scene, u"Three");
    SendMessage(scene.client, WM_MDICASCADE, 0, 0);
    scene.driver.pumpUntilIdle();
    scene.driver.takePaints();
    trigger.act(scene, front, back);
    scene.driver.pumpUntilIdle();
    if (trigger.maxPaintedPixels >= 0) {
      EXPECT_LE(scene.driver.takePaints().pixels, trigger.maxPaintedPixels);
    }
    const RECT frame = scene.driver.screenRect(scene.frame);
    EXPECT_TRUE(scene.driver.snapshot(TestPicturePath(std::string("mdi_repaint_") + trigger.name + ".png")));
    const std::vector<COLORREF> shown = scene.driver.pixels(frame);
    RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    scene.driver.pumpUntilIdle();
    const std::vector<COLORREF> painted = scene.driver.pixels(frame);
    ASSERT_EQ(shown.size(), painted.size());
    int differing = 0;
    for (std::size_t i = 0; i < shown.size(); ++i) {
      differing += shown[i] != painted[i] ? 1 : 0;
    }
    EXPECT_EQ(differing, 0) << "pixels a full repaint changes";
  }
}

}  // namespace native::test
