#include "chart/cf_3dtextmarkerseries.h"

#include "chart/cf_chartengine.h"
#include "chart/cf_chartmodel.h"

namespace {

// Room from the start for a legend's or a title set's markers.
constexpr std::size_t kInitialRoom = 25;
constexpr const ZafIChar* kNumberFormat = cf_XYZ::kNumberFormat;

}  // namespace

cf_3DTextMarkerSeries::cf_3DTextMarkerSeries(cf_ChartEngine* engine) : itsEngine(engine) {
  markers.reserve(kInitialRoom);
}

cf_3DTextMarkerSeries::~cf_3DTextMarkerSeries() = default;

void cf_3DTextMarkerSeries::Project(const cf_Kernel& kernel) {
  for (const auto& marker : markers) {
    marker->Project(kernel);
  }
}

void cf_3DTextMarkerSeries::ToScreen(const cf_Kernel& kernel) {
  for (const auto& marker : markers) {
    marker->ToScreen(kernel);
  }
}

void cf_3DTextMarkerSeries::Scale(double sx, double sy, double sz) {
  for (const auto& marker : markers) {
    marker->Scale(sx, sy, sz);
  }
}

void cf_3DTextMarkerSeries::Translate(double dx, double dy, double dz) {
  for (const auto& marker : markers) {
    marker->Translate(dx, dy, dz);
  }
}

void cf_3DTextMarkerSeries::DrawSecondary(bf_Display& display) {
  if (!IsShown()) {
    return;
  }
  for (const auto& marker : markers) {
    marker->DrawSecondary(display);
  }
}

void cf_3DTextMarkerSeries::BuildFromModel(cf_ChartModel& model) {
  Clear();
  for (int32_t i = 1; i <= model.LegendCount(); ++i) {
    cf_DataGroup& entry = model.GetLegendEntry(i);
    const cf_XYZ& at = entry.GetPoint(1);
    cf_3DTextMarker& marker = AddMarkerAt(at.X(), at.Y(), at.Z());
    marker.SetTextObject(&entry.Name());
    marker.SetDispAttribs(&entry.DispAttribs());
    marker.SetTextAttribs(&entry.TextAttribs());
  }
}

void cf_3DTextMarkerSeries::SetBackColor(bf_Color color) {
  for (const auto& marker : markers) {
    marker->TextAttribs()->SetBackColor(color);
  }
}

void cf_3DTextMarkerSeries::Clear() {
  markers.clear();
  current = nullptr;
}

cf_3DTextMarker& cf_3DTextMarkerSeries::AddMarker(const cf_3DPoint& anchor, const cf_3DPoint& bend,
                                                  const cf_3DPoint& textPoint) {
  markers.push_back(std::make_unique<cf_3DTextMarker>(anchor, bend, textPoint));
  current = markers.back().get();
  current->SetTextAttribs(TextAttribs());
  return *current;
}

cf_3DTextMarker& cf_3DTextMarkerSeries::AddMarker() {
  return AddMarker(cf_3DPoint(), cf_3DPoint(), cf_3DPoint());
}

cf_3DTextMarker& cf_3DTextMarkerSeries::AddMarkerAt(double x, double y, double z) {
  cf_3DTextMarker& marker = AddMarker();
  Place(marker.GetTextPoint(), x, y, z);
  return marker;
}

cf_3DTextMarker& cf_3DTextMarkerSeries::AddTextMarker(double x, double y, double z, const ZafIChar* text) {
  cf_3DTextMarker& marker = AddMarkerAt(x, y, z);
  marker.SetText(text);
  return marker;
}

cf_3DTextMarker& cf_3DTextMarkerSeries::AddNumberMarker(double x, double y, double z, double value) {
  cf_3DTextMarker& marker = AddMarkerAt(x, y, z);
  marker.SetTextNumber(value, kNumberFormat);
  return marker;
}

cf_3DTextMarker& cf_3DTextMarkerSeries::SelectMarker(int32_t i) {
  if (markers.empty()) {
    return AddMarker();
  }
  if (i < 1 || i > GetMarkerCount()) {
    i = 1;
  }
  current = markers[static_cast<std::size_t>(i - 1)].get();
  return *current;
}

// Markers are placed in the kernel's own frame, centred on the box, after their series has joined the
// engine; so they take no shift by the box's minimum corner.
void cf_3DTextMarkerSeries::Place(cf_3DPoint& point, double x, double y, double z) const {
  if (itsEngine) {
    itsEngine->PlaceAtPercent(&point, x, y, z, false);
  }
}

void cf_3DTextMarkerSeries::PlaceAnchor(double x, double y, double z) {
  if (current) {
    Place(current->GetAnchorPoint(), x, y, z);
  }
}

void cf_3DTextMarkerSeries::PlaceBend(double x, double y, double z) {
  if (current) {
    Place(current->GetBendPoint(), x, y, z);
  }
}

void cf_3DTextMarkerSeries::PlaceText(double x, double y, double z) {
  if (current) {
    Place(current->GetTextPoint(), x, y, z);
  }
}
