#include "chart/cf_3dpointseries.h"

#include <algorithm>

#include "chart/bf_display.h"
#include "chart/cf_kernel.h"

namespace {

// The template's relative marker size is a share of the back face, re-fitted on every draw.
cf_3DPoint RelativeTemplate() {
  cf_3DPoint point;
  point.SetRelativeSizing(true);
  return point;
}

}  // namespace

void cf_3DPointSeries::Stage::Append(double px, double py, double pz) {
  x.push_back(px);
  y.push_back(py);
  z.push_back(pz);
}

void cf_3DPointSeries::Stage::Clear() {
  x.clear();
  y.clear();
  z.clear();
}

cf_3DPointSeries::cf_3DPointSeries() : markerTemplate(RelativeTemplate()) {}

cf_3DPointSeries::cf_3DPointSeries(cf_DispAttribs* attribs)
    : cf_Virt3DObj(attribs), markerTemplate(RelativeTemplate()) {}

void cf_3DPointSeries::AddPoint(const cf_3DPoint& point) {
  const bool first = screen.empty();
  dataStage.Append(point.data.x, point.data.y, point.data.z);
  boxStage.Append(point.box.x, point.box.y, point.box.z);
  projectedStage.Append(point.projected.x, point.projected.y, point.projected.z);
  screen.push_back(point.screen);
  markerSizes.push_back(markerTemplate.GetMarkerSize());
  flat.push_back(point.flat);
  flatCount += point.flat ? 1 : 0;
  const double dataValues[] = {point.data.x, point.data.y, point.data.z};
  const double boxValues[] = {point.box.x, point.box.y, point.box.z};
  for (std::size_t axis = 0; axis < 3; ++axis) {
    data[axis].Take(dataValues[axis], first);
    box[axis].Take(boxValues[axis], first);
  }
}

void cf_3DPointSeries::Stage::Reserve(std::size_t n) {
  x.reserve(n);
  y.reserve(n);
  z.reserve(n);
}

void cf_3DPointSeries::Stage::Resize(std::size_t n) {
  x.resize(n);
  y.resize(n);
  z.resize(n);
}

void cf_3DPointSeries::Reserve(int32_t n) {
  const auto count = static_cast<std::size_t>(std::max(n, 0));
  dataStage.Reserve(count);
  boxStage.Reserve(count);
  projectedStage.Reserve(count);
  screen.reserve(count);
  markerSizes.reserve(count);
  flat.reserve(count);
}

void cf_3DPointSeries::Clear() {
  dataStage.Clear();
  boxStage.Clear();
  projectedStage.Clear();
  screen.clear();
  markerSizes.clear();
  flat.clear();
  flatCount = 0;
  data = box = projected = Extents();
  screenExtent = {};
}

std::optional<cf_3DPoint> cf_3DPointSeries::GetPoint(int32_t i) const {
  if (i < 1 || i > GetPointCount()) {
    return std::nullopt;
  }
  const auto at = static_cast<std::size_t>(i - 1);
  cf_3DPoint point;
  point.data = {dataStage.x[at], dataStage.y[at], dataStage.z[at]};
  point.box = {boxStage.x[at], boxStage.y[at], boxStage.z[at]};
  point.projected = {projectedStage.x[at], projectedStage.y[at], projectedStage.z[at]};
  point.screen = screen[at];
  point.flat = flat[at] != 0;
  point.markerSize = markerSizes[at];
  point.SetNoPen(1);
  point.SetNoBrush(1);
  return point;
}

void cf_3DPointSeries::FitToViewport(const cf_Kernel& kernel) {
  markerTemplate.FitToViewport(kernel);
  SetFitted(true);
}

void cf_3DPointSeries::Project(const cf_Kernel& kernel) {
  const std::size_t count = boxStage.x.size();
  projectedStage.Resize(count);
  // An empty series keeps zero extents and mids.
  projected = Extents();
  // A block at a time, so that its projected positions are measured while still in the nearest cache.
  constexpr std::size_t kBlock = 512;
  const std::vector<double>* axes[] = {&projectedStage.x, &projectedStage.y, &projectedStage.z};
  for (std::size_t from = 0; from < count; from += kBlock) {
    const std::size_t n = std::min(kBlock, count - from);
    kernel.Project(boxStage.x.data() + from, boxStage.y.data() + from, boxStage.z.data() + from,
                   projectedStage.x.data() + from, projectedStage.y.data() + from,
                   projectedStage.z.data() + from, static_cast<int32_t>(n));
    for (std::size_t i = from; flatCount > 0 && i < from + n; ++i) {
      if (flat[i]) {
        projectedStage.x[i] = boxStage.x[i];
        projectedStage.y[i] = boxStage.y[i];
        projectedStage.z[i] = boxStage.z[i];
      }
    }
    for (std::size_t axis = 0; axis < projected.size(); ++axis) {
      projected[axis].TakeAll(axes[axis]->data() + from, n, from == 0);
    }
  }
  for (std::size_t axis = 0; axis < projected.size(); ++axis) {
    projectedMid[axis] = projected[axis].Mid();
  }
}

void cf_3DPointSeries::ToScreen(const cf_Kernel& kernel) {
  kernel.ToScreen(projectedStage.x.data(), projectedStage.y.data(), screen.data(), GetPointCount());
  screenExtent = {};
  if (!screen.empty()) {
    int32_t low[] = {screen[0].x, screen[0].y};
    int32_t high[] = {screen[0].x, screen[0].y};
    for (const cf_2DPoint& point : screen) {
      low[0] = std::min(low[0], point.x);
      high[0] = std::max(high[0], point.x);
      low[1] = std::min(low[1], point.y);
      high[1] = std::max(high[1], point.y);
    }
    for (std::size_t axis = 0; axis < 2; ++axis) {
      screenExtent[axis].min = low[axis];
      screenExtent[axis].max = high[axis];
    }
  }
  SetFitted(true);
}

void cf_3DPointSeries::ShiftBox(double dx, double dy, double dz) {
  const double shift[] = {dx, dy, dz};
  std::vector<double>* axes[] = {&boxStage.x, &boxStage.y, &boxStage.z};
  for (std::size_t axis = 0; axis < 3; ++axis) {
    for (double& value : *axes[axis]) {
      value += shift[axis];
    }
    box[axis].max += shift[axis];
    box[axis].min += shift[axis];
  }
}

void cf_3DPointSeries::Translate(double dx, double dy, double dz) {
  ShiftBox(dx, dy, dz);
  translation[0] += dx;
  translation[1] += dy;
  translation[2] += dz;
}

void cf_3DPointSeries::Scale(double sx, double sy, double sz) {
  // Scaling about the translation leaves the translation itself unchanged, so the box moves directly.
  ShiftBox(-translation[0], -translation[1], -translation[2]);
  const double factors[] = {sx, sy, sz};
  std::vector<double>* axes[] = {&boxStage.x, &boxStage.y, &boxStage.z};
  for (std::size_t axis = 0; axis < 3; ++axis) {
    for (double& value : *axes[axis]) {
      value *= factors[axis];
    }
    scale[axis] *= factors[axis];
    box[axis].max *= factors[axis];
    box[axis].min *= factors[axis];
  }
  ShiftBox(translation[0], translation[1], translation[2]);
}

void cf_3DPointSeries::ScaleAndTranslate(double sx, double sy, double sz, double dx, double dy, double dz) {
  const double factors[] = {sx, sy, sz};
  const double shifts[] = {dx, dy, dz};
  std::vector<double>* axes[] = {&boxStage.x, &boxStage.y, &boxStage.z};
  for (std::size_t axis = 0; axis < 3; ++axis) {
    const double t = translation[axis];
    const double s = factors[axis];
    const double d = shifts[axis];
    const auto place = [&](double value) { return (value + -t) * s + t + d; };
    for (double& value : *axes[axis]) {
      value = place(value);
    }
    box[axis].max = place(box[axis].max);
    box[axis].min = place(box[axis].min);
    scale[axis] *= s;
    translation[axis] += d;
  }
}

void cf_3DPointSeries::DrawSecondary(bf_Display& display) {
  PushPen(display);
  PushBrush(display);
  for (const cf_2DPoint& point : screen) {
    cf_3DPoint::DrawMarkerAt(display, point, markerTemplate.GetMarkerSize(), bf_Black);
  }
  PopBrush(display);
  PopPen(display);
}
