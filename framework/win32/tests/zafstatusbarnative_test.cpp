#include <gtest/gtest.h>

#include "framework/core/zafdisplay.h"
#include "framework/core/zafprompt.h"
#include "framework/core/zafstatusbar.h"
#include "framework/win32/tests/zaffieldtestbed.h"

namespace {

using StatusBarNativeTest = ZafFieldTest;

TEST_F(StatusBarNativeTest, TheEtchedEdgeOffsetsABorderedBarsFields) {
  struct Case {
    bool bordered;
    int32_t edge;
  };
  for (const Case c : {Case{true, 2}, Case{false, 0}}) {
    SCOPED_TRACE(c.bordered);
    ZafStatusBar bar(0, 0, 100, 20);
    bar.SetBordered(c.bordered);
    bar.SetRegion({0, 0, 99, 19, ZAF_PIXEL});
    const ZafRegionStruct client = bar.ClientRegion();
    EXPECT_EQ(client.top, ZafWindowObject::display->preSpace);
    EXPECT_EQ(client.bottom, 19 - c.edge);
    const ZafPositionStruct inside{5, 7, ZAF_PIXEL};
    const ZafPositionStruct onNative = bar.PositionToNative(nullptr, &inside);
    EXPECT_EQ(onNative.line - bar.ZafWindowObject::PositionToNative(nullptr, &inside).line, c.edge);
    EXPECT_EQ(bar.PositionFromNative(nullptr, onNative).line, 7) << "the way back takes the edge off";
    // A bar measured in cells keeps its pixel margin apart from the scaling.
    ZafStatusBar cells(0, 0, 10, 1);
    cells.SetBordered(c.bordered);
    ZafRegionStruct scaled{0, 0, 9, 0, ZAF_CELL};
    ZafRegionStruct plain = scaled;
    cells.ConvertRegion(scaled, ZAF_PIXEL);
    cells.ZafWindowObject::ConvertRegion(plain, ZAF_PIXEL);
    EXPECT_EQ(scaled.bottom - plain.bottom, c.edge - ZafWindowObject::display->postSpace);
  }
}

TEST_F(StatusBarNativeTest, StaysAtTheBottomWithItsHeightAndDrawsItsFields) {
  auto* window = new ZafWindow(0, 0, 30, 10);
  window->SetRegion({10, 10, 209, 129, ZAF_PIXEL});
  auto* bar = new ZafStatusBar(0, 0, 0, 0);
  bar->SetRegion({0, 0, 0, 23, ZAF_PIXEL});
  auto* field = new ZafPrompt(0, 0, 10, u"Ready");
  bar->Add(field);
  window->Add(bar);
  root->Add(window);
  driver.pumpUntilIdle();
  ASSERT_NE(bar->ScreenID(), nullptr);
  EXPECT_EQ(field->ScreenID(), bar->ScreenID()) << "the field is drawn in the bar's window";
  const ZafRegionStruct client = window->ClientRegion();
  EXPECT_EQ(bar->Region().bottom - bar->Region().top, 23);
  EXPECT_EQ(bar->Region().top, client.bottom + 1);
  EXPECT_GT(DarkPixels(bar->ScreenID()), 10) << "the field's text is drawn";
  root->Subtract(window);
  delete window;
}

}  // namespace
