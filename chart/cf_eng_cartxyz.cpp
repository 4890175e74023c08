#include "chart/cf_eng_cartxyz.h"

#include "chart/cf_3dgridtickseries.h"
#include "chart/cf_virt3dobj.h"

namespace {

constexpr double kElevation = 20;
constexpr double kAzimuth = -30;
constexpr double kBoxHeightPercent = 100;
constexpr double kBoxDepthPercent = 50;

}  // namespace

cf_eng_CartXYZ::cf_eng_CartXYZ(int32_t chartType, int32_t dimension) : cf_ChartEngine(chartType, dimension) {
  SetPerspective(0);
  SetViewAngles(kElevation, kAzimuth);
  SetBoxProportions(kBoxHeightPercent, kBoxDepthPercent);
}

void cf_eng_CartXYZ::BuildObjects(cf_ChartModel& model) {
  BuildFrame(model, [] {});
}

void cf_eng_CartXYZ::ShowAxis(uint32_t n, uint32_t style, int32_t interval) {
  cf_3DGridTickSeries* axis = GetAxis(n);
  axis->Show();
  axis->SetStyle(style);
  axis->SetLabelInterval(interval);
  axis->SetMarkInterval(interval);
}

void cf_eng_CartXYZ::ShowBarAxes() {
  ShowAxis(4, 5, 1);
  ShowAxis(2, 6, 2);
}

void cf_eng_CartXYZ::ShowStackAxes() {
  ShowAxis(2, 5, 1);
  ShowAxis(4, 7, 2);
}

void cf_eng_CartXYZ::CreateAxes() {
  ShowAxis(2, 5, 1);
  ShowAxis(4, 6, 2);
}

void cf_eng_CartXYZ::GetBoxExtents() {
  cf_ChartEngine::GetBoxExtents();
  bool first = true;
  for (const ObjectList* list : {&SeriesObjects(), &ExtraObjects()}) {
    for (const std::unique_ptr<cf_Virt3DObj>& object : *list) {
      const Triple low{object->GetBoxMinX(), object->GetBoxMinY(), object->GetBoxMinZ()};
      const Triple high{object->GetBoxMaxX(), object->GetBoxMaxY(), object->GetBoxMaxZ()};
      for (std::size_t a = 0; a < 3; ++a) {
        extentMin[a] = first ? low[a] : std::min(extentMin[a], low[a]);
        extentMax[a] = first ? high[a] : std::max(extentMax[a], high[a]);
      }
      first = false;
    }
  }
  // Objects hold an axis's 0 at the box's minimum corner, so a range that ends at 0 keeps it inside.
  for (std::size_t a = 0; a < 3; ++a) {
    if (rangeMin[a] == 0 && rangeMax[a] >= 0) {
      extentMin[a] = std::min(extentMin[a], boxMin[a]);
    }
    if (rangeMax[a] == 0 && rangeMin[a] <= 0) {
      extentMax[a] = std::max(extentMax[a], boxMin[a]);
    }
  }
}

void cf_eng_CartXYZ::DrawLists(bf_Display& display, bool primary) {
  for (const ObjectList* list : {&AxisObjects(), &ExtraObjects(), &SeriesObjects(), &OverlayObjects()}) {
    for (const std::unique_ptr<cf_Virt3DObj>& object : *list) {
      if (primary) {
        object->DrawPrimary(display);
      } else {
        object->DrawSecondary(display);
      }
    }
  }
}

void cf_eng_CartXYZ::DrawWalls(bf_Display& display) {
  cf_ChartEngine::DrawWalls(display);
  DrawLists(display, true);
}

void cf_eng_CartXYZ::DrawBackground(bf_Display& display) {
  cf_ChartEngine::DrawBackground(display);
  DrawLists(display, false);
}
