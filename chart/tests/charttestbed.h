// What the chart tests share: a recording display, a window whose draw region the test chooses, and the
// drawing context over them; helpers read the calls recorded since a mark and the drawing state that every
// draw must leave as it found it.
#ifndef CHART_TESTS_CHARTTESTBED_H
#define CHART_TESTS_CHARTTESTBED_H

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "chart/bf_display.h"
#include "chart/cf_kernel.h"
#include "framework/core/zafwindowobject.h"
#include "testing/zaftestdisplay.h"

class FixedRegionWindow : public ZafWindowObject {
 public:
  explicit FixedRegionWindow(const ZafRegionStruct& region)
      : ZafWindowObject(0, 0, 1, 1), drawRegion(region) {}
  ZafRegionStruct ConvertToDrawRegion(const ZafWindowObject*, const ZafRegionStruct*) override {
    return drawRegion;
  }
  ZafRegionStruct drawRegion;
};

// Stack depths, the display's selected colours, style, pattern and font, and the context's line width.
using DrawState = std::tuple<std::size_t, std::size_t, std::size_t, ZafPaletteStruct, uint32_t>;

class ChartDrawTest : public testing::Test {
 protected:
  // Calls recorded from `mark` on.
  std::vector<std::string> CallsSince(std::size_t mark) const {
    return {display.calls.begin() + static_cast<std::ptrdiff_t>(mark), display.calls.end()};
  }
  std::size_t Mark() const { return display.calls.size(); }
  // A kernel looking straight at the box, without margins, fitted into the window given that region.
  cf_Kernel StraightOn(double dx, double dy, double dz, const ZafRegionStruct& region) {
    window.drawRegion = region;
    cf_Kernel kernel(dx, dy, dz);
    kernel.SetRotation(0, 0);
    kernel.SetLeftMargin(0);
    kernel.SetRightMargin(0);
    kernel.SetTopMargin(0);
    kernel.SetBottomMargin(0);
    kernel.FitToDisplay(context);
    return kernel;
  }
  DrawState State() const {
    return {context.PenDepth(), context.BrushDepth(), context.FontDepth(), display.palette,
            context.LineWidth()};
  }

  ZafTestDisplay display;
  FixedRegionWindow window{{0, 0, 400, 300, ZAF_PIXEL}};
  bf_Display context{display, &window};
};

#endif
