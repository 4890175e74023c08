#include "chart/cf_3dgts_automark.h"

#include <array>
#include <cmath>

#include "chart/cf_chartengine.h"

namespace {

// How a face lays out the item of a value: the axis the value runs along (0 x, 1 y, 2 z), the axis its
// grid line crosses the face on, the axis its tick runs along and which way, and the axis whose span the
// tick's length is a share of.
struct FaceLayout {
  uint32_t style;
  std::size_t valueAxis;
  std::size_t gridAxis;
  std::size_t tickAxis;
  double tickDirection;
  std::size_t tickShareOf;
};

constexpr std::size_t X = 0;
constexpr std::size_t Y = 1;
constexpr std::size_t Z = 2;
constexpr std::array<FaceLayout, 6> kFaces = {{
    {cf_3DGridTickSeries::kXValues, X, Y, Y, +1, Y},          // back face X
    {cf_3DGridTickSeries::kXValues, X, Z, Y, -1, Y},          // bottom face X
    {cf_3DGridTickSeries::kYValues, Y, X, X, +1, X},          // back face Y
    {cf_3DGridTickSeries::kYValues, Y, Z, X, -1, X},          // left face Y
    {cf_3DGridTickSeries::kGroupCategories, Z, X, X, +1, X},  // bottom face Z
    {cf_3DGridTickSeries::kGroupCategories, Z, Y, X, -1, X},  // left face Z
}};
constexpr uint32_t kPolarFloorAxis = 7;

const FaceLayout& Face(uint32_t axisNumber) {
  return kFaces[axisNumber - 1];
}

}  // namespace

cf_3DGTS_AutoMarkFace::cf_3DGTS_AutoMarkFace(cf_ChartEngine* engine, uint32_t axis)
    : cf_3DGridTickSeries(engine, axis, Face(axis).style) {}

cf_3DTextMarker* cf_3DGTS_AutoMarkFace::CreateItem(double value, bool minor) {
  const FaceLayout& face = Face(AxisNumber());
  std::array<double, 3> p0{};
  p0[face.valueAxis] = Map(face.valueAxis, value);
  std::array<double, 3> p1 = p0;
  p1[face.gridAxis] += BoxSpan(face.gridAxis);
  double tick = BoxSpan(face.tickShareOf) * TickLength();
  if (InvertsTicks()) {
    tick = -tick;
  }
  if (minor) {
    tick /= 2;
  }
  std::array<double, 3> p2 = p1;
  p2[face.tickAxis] += face.tickDirection * tick;
  return AddItem({p0[X], p0[Y], p0[Z]}, {p1[X], p1[Y], p1[Z]}, {p2[X], p2[Y], p2[Z]});
}

cf_3DGTS_AutoMarkPolarFloor::cf_3DGTS_AutoMarkPolarFloor(cf_ChartEngine* engine)
    : cf_3DGridTickSeries(engine, kPolarFloorAxis, kGroupCategories) {}

cf_3DTextMarker* cf_3DGTS_AutoMarkPolarFloor::CreateItem(double angle, bool) {
  const cf_ChartEngine* engine = Engine();
  if (!engine) {
    return nullptr;
  }
  // A polar engine keeps the centre of its floor as the box's minimum corner.
  const cf_3DPoint centre(engine->BoxMinX(), engine->BoxMinY(), engine->BoxMinZ());
  const double rim = engine->GetKernel().MaxX();
  const double beyond = rim * (1 + TickLength());
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  cf_3DTextMarker* item =
      AddItem(centre, {rim * c, centre.GetY(), -rim * s}, {beyond * c, centre.GetY(), -beyond * s});
  item->SetTextAtBend(false);
  return item;
}
