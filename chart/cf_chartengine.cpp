#include "chart/cf_chartengine.h"

#include <algorithm>

#include "chart/bf_display.h"
#include "chart/cf_3dbitmap.h"
#include "chart/cf_3dgts_automark.h"
#include "chart/cf_3dpoint.h"
#include "chart/cf_chartmodel.h"
#include "chart/cf_dispattribs.h"
#include "chart/cf_titlemarkermgr.h"

namespace {

constexpr double kInitialBoxSide = 100;
constexpr double kPercent = 0.01;
constexpr bf_Color kWallColor = 7;
constexpr bf_Color kFloorColor = 8;
// Narrowing the plot moves the axes' texts with it and shortens the ticks a little: a few passes settle.
constexpr int32_t kRoomPasses = 4;

std::unique_ptr<cf_DispAttribs> WallAttribs(bf_Color back) {
  auto attribs = std::make_unique<cf_DispAttribs>();
  attribs->SetWidth(1);
  attribs->SetBackColor(back);
  return attribs;
}

// Holds a value to [low, high]; `held` becomes true when it had to.
double Hold(double value, double low, double high, bool& held) {
  const double kept = std::clamp(value, low, high);
  held = held || kept != value;
  return kept;
}

// The axis styles by chart type, in axis-number order (back X, bottom X, back Y, left Y, bottom Z, left Z,
// polar floor).
std::array<uint32_t, cf_ChartEngine::kAxisCount> AxisStyles(int32_t chartType) {
  switch (chartType) {
    case cf_ChartEngine::kBar:
      return {6, 6, 5, 5, 4, 4, 0};
    case cf_ChartEngine::kStack:
      return {5, 5, 7, 7, 4, 4, 0};
    case cf_ChartEngine::kPie:
    case cf_ChartEngine::kXPie:
      return {0, 0, 0, 0, 0, 0, 4};
    default:
      return {5, 5, 6, 6, 4, 4, 0};
  }
}

}  // namespace

cf_ChartEngine::cf_ChartEngine(int32_t type, int32_t dims)
    : ownedKernel(std::make_unique<cf_Kernel>(kInitialBoxSide, kInitialBoxSide, kInitialBoxSide)),
      kernel(ownedKernel.get()),
      chartType(type),
      dimension(dims),
      backWallAttribs(WallAttribs(kWallColor)),
      leftWallAttribs(WallAttribs(kWallColor)),
      floorAttribs(WallAttribs(kFloorColor)),
      bitmap(std::make_unique<cf_3DBitmap>(kernel)) {
  kernel->GetMinCorner(boxMin[0], boxMin[1], boxMin[2]);
  MakeWalls();
  backWall.SetDispAttribs(backWallAttribs.get());
  leftWall.SetDispAttribs(leftWallAttribs.get());
  floor.SetDispAttribs(floorAttribs.get());
  MakeAxes();
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

int cf_ChartEngine::SetKernel(cf_Kernel* newKernel, bool deleteOld, bool owns) {
  if (!newKernel) {
    return 0;
  }
  std::unique_ptr<cf_Kernel> old = std::move(ownedKernel);
  if (!deleteOld || old.get() == newKernel) {
    old.release();
  }
  kernel = newKernel;
  if (owns) {
    ownedKernel.reset(newKernel);
  }
  bitmap->SetKernel(kernel);
  return 1;
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

// ---- Construction ----

void cf_ChartEngine::MakeWalls() {
  using Faces =
      void (cf_Kernel::*)(cf_Kernel::FaceCorners&, cf_Kernel::FaceCorners&, cf_Kernel::FaceCorners&) const;
  const Faces faces[] = {&cf_Kernel::GetLeftFaceCorners, &cf_Kernel::GetBackFaceCorners,
                         &cf_Kernel::GetFloorCorners};
  const std::array<cf_3DPolygon*, 3> walls = Walls();
  for (std::size_t w = 0; w < walls.size(); ++w) {
    cf_Kernel::FaceCorners x, y, z;
    ((*kernel).*faces[w])(x, y, z);
    for (std::size_t c = 0; c < x.size(); ++c) {
      walls[w]->AddPoint(cf_3DPoint(x[c], y[c], z[c]));
    }
    walls[w]->Project(*kernel);
  }
  boxSize = {kernel->ExtentX(), kernel->ExtentY(), kernel->ExtentZ()};
  savedElevation = kernel->Elevation();
  savedAzimuth = kernel->Azimuth();
  savedPerspective = kernel->Perspective();
}

void cf_ChartEngine::MakeAxes() {
  std::unique_ptr<cf_3DGridTickSeries> made[] = {std::make_unique<cf_3DGTS_AutoMarkBackFaceX>(this),
                                                 std::make_unique<cf_3DGTS_AutoMarkBottomFaceX>(this),
                                                 std::make_unique<cf_3DGTS_AutoMarkLeftFaceY>(this),
                                                 std::make_unique<cf_3DGTS_AutoMarkBackFaceY>(this),
                                                 std::make_unique<cf_3DGTS_AutoMarkLeftFaceZ>(this),
                                                 std::make_unique<cf_3DGTS_AutoMarkBottomFaceZ>(this),
                                                 std::make_unique<cf_3DGTS_AutoMarkPolarFloor>(this)};
  const std::array<uint32_t, kAxisCount> styles = AxisStyles(chartType);
  for (std::unique_ptr<cf_3DGridTickSeries>& axis : made) {
    const uint32_t number = axis->AxisNumber();
    axes[number - 1] = axis.get();
    axis->Hide();
    axis->SetStyle(styles[number - 1]);
    AddAxisObject(std::move(axis));
  }
}

// ---- Objects ----

void cf_ChartEngine::AddTo(ObjectList& list, std::unique_ptr<cf_Virt3DObj> object) {
  object->Translate(boxMin[0], boxMin[1], boxMin[2]);
  list.push_back(std::move(object));
  MarkAllStale();
}

void cf_ChartEngine::AddAxisObject(std::unique_ptr<cf_Virt3DObj> object) {
  AddTo(axisObjects, std::move(object));
}
void cf_ChartEngine::AddExtraObject(std::unique_ptr<cf_Virt3DObj> object) {
  AddTo(extraObjects, std::move(object));
}
void cf_ChartEngine::AddSeriesObject(std::unique_ptr<cf_Virt3DObj> object) {
  AddTo(seriesObjects, std::move(object));
}
void cf_ChartEngine::AddOverlayObject(std::unique_ptr<cf_Virt3DObj> object) {
  AddTo(overlayObjects, std::move(object));
}

cf_TitleMarkerMgr& cf_ChartEngine::GetTitleManager() {
  if (!titleManager) {
    auto made = std::make_unique<cf_TitleMarkerMgr>(this);
    titleManager = made.get();
    AddOverlayObject(std::move(made));
  }
  return *titleManager;
}

cf_3DTextMarkerSeries& cf_ChartEngine::GetTextMarkers() {
  if (!textMarkers) {
    auto made = std::make_unique<cf_3DTextMarkerSeries>(this);
    textMarkers = made.get();
    AddOverlayObject(std::move(made));
  }
  return *textMarkers;
}

template <typename Visit>
void cf_ChartEngine::ForEachObject(Visit visit) {
  for (ObjectList* list : {&axisObjects, &extraObjects, &seriesObjects, &overlayObjects}) {
    for (std::unique_ptr<cf_Virt3DObj>& object : *list) {
      visit(*object);
    }
  }
}

// ---- The pipeline ----

void cf_ChartEngine::BuildObjects(cf_ChartModel& model) {
  extraObjects.clear();
  seriesObjects.clear();
  drawnOnce = false;
  SetRanges(model);
  GetBoxExtents();
  GetTitleManager().BuildFromModel(model);
  GetTextMarkers().BuildFromModel(model);
  MarkAllStale();
}

void cf_ChartEngine::SetRanges(cf_ChartModel& model) {
  const int32_t mode = model.DomainMode();
  const bool counted = mode != cf_ChartModel::kZeroBased && mode != cf_ChartModel::kOwnX;
  rangeMin = {model.DomainMin(), model.ValueMin(), model.SeriesMin()};
  rangeMax = {model.DomainMax(), model.ValueMax(), model.SeriesMax()};
  switch (chartType) {
    case kBar:
      rangeMin[0] = model.ValueMin();
      rangeMax[0] = model.ValueMax();
      rangeMin[1] = model.DomainMin();
      rangeMax[1] = model.DomainMax();
      if (mode == cf_ChartModel::kZeroBased) {
        rangeMin[1] = 0;
        rangeMax[1] += 1;
      }
      break;
    case kArea:
    case kLine:
    case kPointSer:
      if (counted) {
        rangeMin[0] = 0;
        rangeMax[0] += 1;
      }
      break;
    case kCol:
    case kStack:
      if (mode == cf_ChartModel::kOwnX) {
        const double half = model.MinDomainStep() / 2;
        rangeMin[0] -= half;
        rangeMax[0] += half;
      } else {
        rangeMin[0] = 0;
        rangeMax[0] += 1;
      }
      break;
    default:
      break;
  }
  if (chartType == kStack) {
    rangeMin[1] = model.StackedValueMin();
    rangeMax[1] = model.StackedValueMax();
    rangeMin[2] = 0;
    rangeMax[2] = 1;
  } else if (chartType == kBar || chartType == kCol || chartType == kRibbon) {
    rangeMax[2] = 2 * rangeMax[2] - 1;
  }
}

void cf_ChartEngine::GetBoxExtents() {
  extentMin = {kernel->MinX(), kernel->MinY(), kernel->MinZ()};
  extentMax = {kernel->MaxX(), kernel->MaxY(), kernel->MaxZ()};
}

void cf_ChartEngine::BuildAxes(cf_ChartModel& model) {
  // Axis numbers: bottom X, back X, left Y, back Y, then the Z axes in 3-D.
  static constexpr uint32_t kFlatOrder[] = {2, 1, 4, 3};
  static constexpr uint32_t kDepthOrder[] = {6, 5};
  auto build = [&](uint32_t number) {
    if (cf_3DGridTickSeries* axis = GetAxis(number); axis && axis->IsVisible()) {
      axis->Build(model);
    }
  };
  if (IsPieType()) {
    build(7);
    return;
  }
  for (uint32_t number : kFlatOrder) {
    build(number);
  }
  if (dimension == k3D) {
    for (uint32_t number : kDepthOrder) {
      build(number);
    }
  }
}

void cf_ChartEngine::AddExtentPoints() {
  for (const Triple* corner : {&rangeMin, &rangeMax}) {
    auto point = std::make_unique<cf_3DPoint>((*corner)[0], (*corner)[1], (*corner)[2]);
    point->SetShown(0);
    AddExtraObject(std::move(point));
  }
}

void cf_ChartEngine::PlaceObjects() {
  SyncBoxDims();
  RescaleWalls();
  GetBoxExtents();
  for (std::size_t a = 0; a < 3; ++a) {
    const double span = extentMax[a] - extentMin[a];
    scale[a] = std::abs(span) > cf_Kernel::kZeroIfBelow ? boxSize[a] / span : 1.0;
    offset[a] = (boxMin[a] - extentMin[a]) * scale[a];
  }
  ScaleAndTranslateObjects();
  projectStale = screenStale = true;
}

void cf_ChartEngine::ScaleAndTranslateObjects() {
  for (ObjectList* list : {&extraObjects, &seriesObjects}) {
    for (std::unique_ptr<cf_Virt3DObj>& object : *list) {
      object->ScaleAndTranslate(scale[0], scale[1], scale[2], offset[0], offset[1], offset[2]);
    }
  }
}

void cf_ChartEngine::SyncBoxDims() {
  Triple now;
  kernel->GetMinCorner(now[0], now[1], now[2]);
  if (now == boxMin) {
    return;
  }
  const Triple shift{now[0] - boxMin[0], now[1] - boxMin[1], now[2] - boxMin[2]};
  boxMin = now;
  for (ObjectList* list : {&axisObjects, &extraObjects, &seriesObjects}) {
    for (std::unique_ptr<cf_Virt3DObj>& object : *list) {
      object->Translate(shift[0], shift[1], shift[2]);
    }
  }
}

void cf_ChartEngine::RescaleWalls() {
  const Triple now{kernel->ExtentX(), kernel->ExtentY(), kernel->ExtentZ()};
  Triple factor{1, 1, 1};
  bool changed = false;
  for (std::size_t a = 0; a < 3; ++a) {
    if (now[a] != boxSize[a] && std::abs(boxSize[a]) > cf_Kernel::kZeroIfBelow) {
      factor[a] = now[a] / boxSize[a];
      changed = true;
    }
  }
  boxSize = now;
  if (changed) {
    for (cf_3DPolygon* wall : Walls()) {
      wall->Scale(factor[0], factor[1], factor[2]);
    }
  }
}

void cf_ChartEngine::ProjectObjects() {
  kernel->Update();
  for (cf_3DPolygon* wall : Walls()) {
    wall->Project(*kernel);
  }
  ForEachObject([&](cf_Virt3DObj& object) { object.Project(*kernel); });
  projectStale = false;
  screenStale = true;
}

void cf_ChartEngine::ObjectsToScreen() {
  if (!kernel->IsProjMatrixCurrent()) {
    return;
  }
  for (cf_3DPolygon* wall : Walls()) {
    wall->ToScreen(*kernel);
  }
  ForEachObject([&](cf_Virt3DObj& object) { object.ToScreen(*kernel); });
  mappedPlotRect = kernel->PlotRect();
  screenStale = false;
}

void cf_ChartEngine::FitToDisplay(bf_Display& display) {
  kernel->FitToDisplay(display);
  const cf_2DRect region = kernel->WindowRect();
  for (int32_t pass = 1;; ++pass) {
    const cf_2DRect plot = kernel->PlotRect();
    cf_2DRect taken = plot;
    std::vector<cf_2DRect> labels;
    for (cf_3DGridTickSeries* axis : axes) {
      axis->ToScreen(*kernel);
      axis->PlaceLabels(display, plot);
      labels.push_back(axis->LabelsRect(display));
      taken = taken.JoinedWith(labels.back());
    }
    // Each title also clears those placed before it.
    for (cf_3DGridTickSeries* axis : axes) {
      labels.push_back(axis->PlaceTitleClearOf(display, plot, labels));
      taken = taken.JoinedWith(labels.back());
    }
    // The region's right and bottom are its last pixels; a text's are just past its own.
    const cf_2DRect beyond{std::max(0, region.left - taken.left), std::max(0, region.top - taken.top),
                           std::max(0, taken.right - region.right - 1),
                           std::max(0, taken.bottom - region.bottom - 1)};
    if (beyond == cf_2DRect{} || pass == kRoomPasses || plot.Width() <= beyond.left + beyond.right ||
        plot.Height() <= beyond.top + beyond.bottom) {
      break;
    }
    kernel->NarrowPlot(beyond);
  }
  // Where the plot cannot give the texts room, the titles it leaves cut, against it or against another
  // title are left out, then the labels that would print over a title, another text or a line: the key
  // ones (the reaction time's title, the gun, the first lane) before the others, the axes in number order.
  std::vector<cf_2DRect> texts;
  for (cf_3DGridTickSeries* axis : axes) {
    texts.push_back(axis->LeaveOutCrowdedTitle(display, kernel->PlotRect(), region, texts));
  }
  for (const auto pass : {cf_3DGridTickSeries::kKeyLabel, cf_3DGridTickSeries::kOtherLabels}) {
    for (cf_3DGridTickSeries* axis : axes) {
      axis->LeaveOutCrowdedLabels(display, kernel->PlotRect(), region, texts, pass);
    }
  }
  // Everything else is mapped to the screen for the plot as it ends up.
  screenStale = true;
}

void cf_ChartEngine::FitObjects() {
  for (cf_3DPolygon* wall : Walls()) {
    wall->FitToViewport(*kernel);
  }
  ForEachObject([&](cf_Virt3DObj& object) { object.FitToViewport(*kernel); });
  fitStale = false;
}

void cf_ChartEngine::Draw(bf_Display& display) {
  // A projection or mapping that already matches the kernel and the display is not repeated: the
  // positions it would give are the ones held.
  if (projectStale || kernel->IsChanged()) {
    ProjectObjects();
  }
  if (!drawnOnce || screenStale || !kernel->IsProjMatrixCurrent()) {
    FitToDisplay(display);
  }
  if (screenStale || kernel->PlotRect() != mappedPlotRect) {
    ObjectsToScreen();
    FitObjects();
  } else if (fitStale) {
    FitObjects();
  }
  drawnOnce = true;
  if (!outlineMode && drawPlotFrame) {
    display.PushPenObject(bf_Pen(bf_Black, 1, 1));
    display.DrawFrame(kernel->PlotRect());
    display.PopPen();
  }
  if (dimension == k3D) {
    DrawBackground(display);
  } else {
    DrawWalls(display);
  }
}

void cf_ChartEngine::DrawWalls(bf_Display& display) {
  const std::pair<cf_3DPolygon*, bool> walls[] = {
      {&backWall, showBackWall}, {&leftWall, showLeftWall}, {&floor, showFloor}};
  for (const auto& [wall, shown] : walls) {
    if (!shown) {
      continue;
    }
    if (outlineMode) {
      wall->DrawOutline(display);
    } else {
      wall->DrawSecondary(display);
    }
  }
}

void cf_ChartEngine::DrawBackground(bf_Display& display) {
  cf_ChartEngine::DrawWalls(display);
  if (showBitmap && bitmap->HasFile()) {
    bitmap->DrawSecondary(display);
    leftWall.DrawOutline(display);
  }
}

// ---- View ----

int cf_ChartEngine::ApplyDimension(int32_t d) {
  if (d == k2D) {
    savedElevation = kernel->Elevation();
    savedAzimuth = kernel->Azimuth();
    savedPerspective = kernel->Perspective();
    kernel->SetRotation(0, 0);
    kernel->SetPerspective(0);
  } else if (d == k3D) {
    kernel->SetRotation(savedElevation, savedAzimuth);
    kernel->SetPerspective(savedPerspective);
  } else {
    return 0;
  }
  if (dimension != d) {
    projectStale = true;
  }
  return 1;
}

int cf_ChartEngine::SetDimension(int32_t d) {
  if (d != k2D && d != k3D) {
    return 0;
  }
  dimension = d;
  return ApplyDimension(d);
}

int cf_ChartEngine::SetViewAngles(double elevation, double azimuth) {
  bool held = false;
  elevation = Hold(elevation, 0, 90, held);
  azimuth = Hold(azimuth, -90, 0, held);
  kernel->SetRotation(elevation, azimuth);
  savedElevation = kernel->Elevation();
  savedAzimuth = kernel->Azimuth();
  projectStale = true;
  return held ? 0 : 1;
}

int cf_ChartEngine::SetPerspective(double percent) {
  bool held = false;
  kernel->SetPerspective(Hold(percent, 0, 100, held));
  projectStale = true;
  return held ? 0 : 1;
}

int cf_ChartEngine::SetPerspectiveFull() {
  return SetPerspective(1.0);
}
int cf_ChartEngine::SetPerspectiveHalf() {
  return SetPerspective(0.5);
}
int cf_ChartEngine::SetPerspectiveNone() {
  return SetPerspective(0.0);
}

int cf_ChartEngine::SetBoxProportions(double heightPercent, double depthPercent) {
  const bool held = heightPercent < kMinBoxPercent || depthPercent < kMinBoxPercent;
  heightFraction = kPercent * std::max(heightPercent, kMinBoxPercent);
  depthFraction = kPercent * std::max(depthPercent, kMinBoxPercent);
  const double width = 2 * kernel->MaxX();
  kernel->SetBoxDims(width, width * heightFraction, width * depthFraction);
  PlaceObjects();
  projectStale = true;
  return held ? 0 : 1;
}

int cf_ChartEngine::SetBarWidth(double percent) {
  bool held = false;
  barWidth = kPercent * Hold(percent, 0, 100, held);
  projectStale = true;
  return held ? 0 : 1;
}

// ---- Walls and colours ----

cf_DispAttribs& cf_ChartEngine::GetWallAttribs(int32_t n) {
  switch (n) {
    case 1:
      return *floorAttribs;
    case 2:
      return *leftWallAttribs;
    default:
      return *backWallAttribs;
  }
}

void cf_ChartEngine::SetBackColor(bf_Color color) {
  backWallAttribs->SetBackColor(color);
}
bf_Color cf_ChartEngine::BackColor() const {
  return backWallAttribs->BackColor();
}

void cf_ChartEngine::SetLeftWallColor(bf_Color color) {
  leftWallAttribs->SetBackColor(color);
}
bf_Color cf_ChartEngine::LeftWallColor() const {
  return leftWallAttribs->BackColor();
}

void cf_ChartEngine::SetFloorColor(bf_Color color) {
  floorAttribs->SetBackColor(color);
}
bf_Color cf_ChartEngine::FloorColor() const {
  return floorAttribs->BackColor();
}

void cf_ChartEngine::SetWallForeColor(bf_Color color) {
  for (cf_DispAttribs* attribs : {backWallAttribs.get(), leftWallAttribs.get(), floorAttribs.get()}) {
    attribs->SetForeColor(color);
  }
}
bf_Color cf_ChartEngine::WallForeColor() const {
  return backWallAttribs->ForeColor();
}

void cf_ChartEngine::SetBitmapFile(const ZafIChar* name) {
  bitmap->SetFile(name);
}
const cf_String& cf_ChartEngine::BitmapFile() const {
  return bitmap->GetFile();
}
bool cf_ChartEngine::HasBitmapFile() const {
  return bitmap->HasFile();
}

void cf_ChartEngine::SetAxisColor(bf_Color color) {
  axisColor = color;
  for (cf_3DGridTickSeries* axis : axes) {
    if (axis) {
      axis->SetLabelColour(color);
    }
  }
  if (titleManager) {
    titleManager->SetBackColor(color);
  }
  if (textMarkers) {
    textMarkers->SetBackColor(color);
  }
}
