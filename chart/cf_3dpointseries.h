// An ordered series of points carried through the chart's stages together, with running extents in each
// stage: the scatter series of the point charts and the base of polylines and polygons. The points are held
// by value in parallel arrays (one per coordinate and stage), so a trace of thousands of points costs no
// allocation per point and is projected and mapped to the screen in single passes.
#ifndef CHART_CF_3DPOINTSERIES_H
#define CHART_CF_3DPOINTSERIES_H

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "chart/cf_2dpoint.h"
#include "chart/cf_3dpoint.h"
#include "chart/cf_extent.h"
#include "chart/cf_virt3dobj.h"

class cf_3DPointSeries : public cf_Virt3DObj {
 public:
  cf_3DPointSeries();
  // Shares the attributes.
  explicit cf_3DPointSeries(cf_DispAttribs* attribs);

  // Fits the marker template, whose size new points take.
  void FitToViewport(const cf_Kernel& kernel) override;
  void Project(const cf_Kernel& kernel) override;
  void ToScreen(const cf_Kernel& kernel) override;
  // About the series' accumulated translation: box positions become (b - t) x s + t.
  void Scale(double sx, double sy, double sz) override;
  void Translate(double dx, double dy, double dz) override;
  // Both in one pass over the points, with the same arithmetic in the same order.
  void ScaleAndTranslate(double sx, double sy, double sz, double dx, double dy, double dz) override;
  void DrawPrimary(bf_Display& display) override { DrawSecondary(display); }
  // Every point's marker at the template's size, with the series' pen and brush.
  void DrawSecondary(bf_Display& display) override;
  double GetMinX() const override { return data[0].min; }
  double GetMaxX() const override { return data[0].max; }
  double GetMinY() const override { return data[1].min; }
  double GetMaxY() const override { return data[1].max; }
  double GetMinZ() const override { return data[2].min; }
  double GetMaxZ() const override { return data[2].max; }
  double GetBoxMinX() const override { return box[0].min; }
  double GetBoxMaxX() const override { return box[0].max; }
  double GetBoxMinY() const override { return box[1].min; }
  double GetBoxMaxY() const override { return box[1].max; }
  double GetBoxMinZ() const override { return box[2].min; }
  double GetBoxMaxZ() const override { return box[2].max; }
  double GetProjMinX() const override { return projected[0].min; }
  double GetProjMaxX() const override { return projected[0].max; }
  double GetProjMinY() const override { return projected[1].min; }
  double GetProjMaxY() const override { return projected[1].max; }
  double GetProjMinZ() const override { return projected[2].min; }
  double GetProjMaxZ() const override { return projected[2].max; }

  // Appends the point's positions in every stage and its flat switch; it takes the template's marker size.
  virtual void AddPoint(const cf_3DPoint& point);
  // Makes room for n points in every stage.
  void Reserve(int32_t n);
  // What AddPoint does for n fresh points at (x(i), y(i), z), i from 0, in one pass: no per-point work
  // beyond storing the coordinates and taking the extents.
  template <typename XAt, typename YAt>
  void AddPoints(int32_t n, XAt xAt, YAt yAt, double z);
  // Removes every point and zeroes the extents; keeps the template, scale, translation and projected mids.
  virtual void Clear();
  // Point i (from 1) as a point of its own that draws with its container's pen and brush; none outside
  // 1..count.
  std::optional<cf_3DPoint> GetPoint(int32_t i) const;
  // Point i, which must lie in 1..count (a point at the origin otherwise).
  cf_3DPoint GetPointCopy(int32_t i) const { return GetPoint(i).value_or(cf_3DPoint()); }
  int32_t GetPointCount() const { return static_cast<int32_t>(screen.size()); }
  cf_3DPoint& GetMarkerTemplate() { return markerTemplate; }

  double GetScaleX() const { return scale[0]; }
  double GetScaleY() const { return scale[1]; }
  double GetScaleZ() const { return scale[2]; }
  double GetTranslationX() const { return translation[0]; }
  double GetTranslationY() const { return translation[1]; }
  double GetTranslationZ() const { return translation[2]; }
  double GetProjMidX() const { return projectedMid[0]; }
  double GetProjMidY() const { return projectedMid[1]; }
  double GetProjMidZ() const { return projectedMid[2]; }
  // The screen points of the last ToScreen, in order.
  const std::vector<cf_2DPoint>& ScreenPoints() const { return screen; }
  double GetScreenMinX() const { return screenExtent[0].min; }
  double GetScreenMaxX() const { return screenExtent[0].max; }
  double GetScreenMinY() const { return screenExtent[1].min; }
  double GetScreenMaxY() const { return screenExtent[1].max; }

 protected:
  // Each point's marker radius, taken from the template when it was added.
  const std::vector<int32_t>& MarkerSizes() const { return markerSizes; }

 private:
  // One stage's coordinates, an array per axis.
  struct Stage {
    std::vector<double> x, y, z;
    void Append(double px, double py, double pz);
    void Reserve(std::size_t n);
    void Resize(std::size_t n);
    void Clear();
  };
  using Extents = std::array<cf_Extent, 3>;

  void ShiftBox(double dx, double dy, double dz);

  cf_3DPoint markerTemplate;
  Stage dataStage;
  Stage boxStage;
  Stage projectedStage;
  std::vector<cf_2DPoint> screen;
  std::vector<int32_t> markerSizes;
  std::vector<uint8_t> flat;
  int32_t flatCount = 0;
  Extents data;
  Extents box;
  Extents projected;
  std::array<double, 3> projectedMid{};
  std::array<cf_Extent, 2> screenExtent;
  std::array<double, 3> translation{};
  std::array<double, 3> scale{1, 1, 1};
};

template <typename XAt, typename YAt>
void cf_3DPointSeries::AddPoints(int32_t n, XAt xAt, YAt yAt, double z) {
  if (n <= 0) {
    return;
  }
  const std::size_t from = screen.size();
  const auto count = static_cast<std::size_t>(n);
  // Written by index into arrays already grown, so that no per-point append checks the room.
  dataStage.x.resize(from + count);
  dataStage.y.resize(from + count);
  double* xs = dataStage.x.data() + from;
  double* ys = dataStage.y.data() + from;
  for (std::size_t i = 0; i < count; ++i) {
    xs[i] = xAt(i);
    ys[i] = yAt(i);
  }
  dataStage.z.insert(dataStage.z.end(), count, z);
  const std::vector<double>* added[] = {&dataStage.x, &dataStage.y, &dataStage.z};
  for (Stage* stage : {&boxStage, &projectedStage}) {
    std::vector<double>* axes[] = {&stage->x, &stage->y, &stage->z};
    for (std::size_t axis = 0; axis < 3; ++axis) {
      axes[axis]->insert(axes[axis]->end(), added[axis]->begin() + static_cast<std::ptrdiff_t>(from),
                         added[axis]->end());
    }
  }
  for (std::size_t axis = 0; axis < 3; ++axis) {
    data[axis].TakeAll(added[axis]->data() + from, count, from == 0);
    if (from == 0) {
      box[axis] = data[axis];
    } else {
      box[axis].TakeAll(added[axis]->data() + from, count, false);
    }
  }
  screen.resize(from + count);
  markerSizes.resize(from + count, markerTemplate.GetMarkerSize());
  flat.resize(from + count, 0);
}

#endif
