#include "chart/cf_chartengine.h"

#include "chart/cf_3dgridtickseries.h"
#include "chart/cf_3dpoint.h"

namespace {

constexpr double kInitialBoxSide = 100;
constexpr double kPercent = 0.01;

}  // namespace

cf_ChartEngine::cf_ChartEngine(int32_t type, int32_t dims)
    : kernel(std::make_unique<cf_Kernel>(kInitialBoxSide, kInitialBoxSide, kInitialBoxSide)),
      chartType(type),
      dimension(dims) {
  kernel->GetMinCorner(boxMin[0], boxMin[1], boxMin[2]);
  boxSize = {kernel->ExtentX(), kernel->ExtentY(), kernel->ExtentZ()};
}

cf_ChartEngine::~cf_ChartEngine() = default;

bool cf_ChartEngine::IsCartesianType() const {
  switch (chartType) {
    case kArea:
    case kBar:
    case kCol:
    case kLine:
    case kPointSer:
    case kRibbon:
    case kStack:
      return true;
    default:
      return false;
  }
}

cf_3DGridTickSeries* cf_ChartEngine::GetAxis(uint32_t number) const {
  return number >= 1 && number <= kAxisCount ? axes[number - 1] : nullptr;
}

int cf_ChartEngine::PlaceAtPercent(cf_3DPoint* point, double px, double py, double pz, bool translate) const {
  if (!point) {
    return 0;
  }
  point->Set(px * kernel->MaxX() * kPercent, py * kernel->MaxY() * kPercent, pz * kernel->MaxZ() * kPercent);
  if (translate) {
    point->Translate(-boxMin[0], -boxMin[1], -boxMin[2]);
  }
  point->Project(*kernel);
  return 1;
}
