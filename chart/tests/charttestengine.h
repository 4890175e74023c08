// An engine for the chart tests: the frame of a real engine with its seven axes, value ranges the test
// sets, and pipeline stages that only record that they ran.
#ifndef CHART_TESTS_CHARTTESTENGINE_H
#define CHART_TESTS_CHARTTESTENGINE_H

#include <string>

#include "chart/cf_3dgts_automark.h"
#include "chart/cf_chartengine.h"

class TestEngine : public cf_ChartEngine {
 public:
  explicit TestEngine(int32_t type = kLine) : cf_ChartEngine(type, k2D) {
    axes = {&backX, &bottomX, &backY, &leftY, &bottomZ, &leftZ, &polar};
  }

  void BuildObjects(cf_ChartModel&) override { stages += "build "; }
  void PlaceObjects() override { stages += "place "; }
  void ProjectObjects() override { stages += "project "; }
  void ObjectsToScreen() override { stages += "screen "; }
  void FitObjects() override { stages += "fit "; }

  void SetRange(std::size_t axis, double min, double max) {
    rangeMin[axis] = min;
    rangeMax[axis] = max;
  }

  std::string stages;
  cf_3DGTS_AutoMarkBackFaceX backX{this};
  cf_3DGTS_AutoMarkBottomFaceX bottomX{this};
  cf_3DGTS_AutoMarkBackFaceY backY{this};
  cf_3DGTS_AutoMarkLeftFaceY leftY{this};
  cf_3DGTS_AutoMarkBottomFaceZ bottomZ{this};
  cf_3DGTS_AutoMarkLeftFaceZ leftZ{this};
  cf_3DGTS_AutoMarkPolarFloor polar{this};
};

#endif
