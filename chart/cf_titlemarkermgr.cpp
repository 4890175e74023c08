#include "chart/cf_titlemarkermgr.h"

#include "chart/cf_3dgridtickseries.h"
#include "chart/cf_chartengine.h"
#include "chart/cf_chartmodel.h"

namespace {

constexpr int32_t kTitleGroup = 1;
constexpr int32_t kSubTitleGroup = 2;

// Which model axis-title group each engine axis shows, and under which reference the manager keeps it.
struct AxisTitleSource {
  uint32_t engineAxis;
  int32_t modelGroup;
  std::size_t reference;
};
constexpr AxisTitleSource kAxisTitleSources[] = {
    {2, 2, 1}, {1, 1, 2}, {3, 4, 3}, {4, 3, 4}, {6, 5, 6}, {5, 6, 5}, {7, 7, 7},
};

}  // namespace

cf_TitleMarkerMgr::cf_TitleMarkerMgr(cf_ChartEngine* engine) : cf_3DTextMarkerSeries(engine) {}

void cf_TitleMarkerMgr::DrawSecondary(bf_Display& display) {
  for (cf_3DTextMarker* marker : {title, subTitle}) {
    if (marker) {
      marker->DrawSecondary(display);
    }
  }
  for (cf_3DTextMarker* marker : axisTitles) {
    if (marker) {
      marker->DrawSecondary(display);
    }
  }
}

cf_3DTextMarker& cf_TitleMarkerMgr::BuildTitle(cf_DataGroup& group) {
  const cf_XYZ& at = group.GetPoint(1);
  cf_3DTextMarker& marker = AddMarkerAt(at.X(), at.Y(), at.Z());
  marker.SetTextObject(&group.Name());
  marker.SetDispAttribs(&group.DispAttribs());
  marker.SetTextAttribs(&group.TextAttribs());
  return marker;
}

void cf_TitleMarkerMgr::BuildFromModel(cf_ChartModel& model) {
  Clear();
  title = &BuildTitle(model.GetTitleGroup(kTitleGroup));
  subTitle = &BuildTitle(model.GetTitleGroup(kSubTitleGroup));
  if (!Engine()) {
    return;
  }
  for (const AxisTitleSource& source : kAxisTitleSources) {
    cf_3DGridTickSeries* axis = Engine()->GetAxis(source.engineAxis);
    if (!axis) {
      continue;
    }
    cf_DataGroup& group = model.GetAxisTitleGroup(source.modelGroup);
    cf_3DTextMarker& marker = axis->Title();
    marker.SetTextObject(&group.Name());
    marker.SetDispAttribs(&group.DispAttribs());
    marker.SetTextAttribs(&group.TextAttribs());
    const cf_XYZ& at = group.GetPoint(1);
    axis->PlaceTitle(at.X(), at.Y(), at.Z());
    axisTitles[source.reference - 1] = &marker;
  }
}

void cf_TitleMarkerMgr::Clear() {
  cf_3DTextMarkerSeries::Clear();
  title = subTitle = nullptr;
  axisTitles.fill(nullptr);
}

cf_3DTextMarker& cf_TitleMarkerMgr::Bind(cf_3DTextMarker*& slot, double x, double y, double z,
                                         const ZafIChar* text) {
  if (!slot) {
    slot = &AddTextMarker(x, y, z, text);
    slot->CreateDispAttribs();
    slot->CreateTextAttribs();
  }
  MakeCurrent(*slot);
  return *slot;
}

cf_3DTextMarker& cf_TitleMarkerMgr::EnsureTitle() {
  return Bind(title, 0, 120, -120, u"Chart Title");
}

cf_3DTextMarker& cf_TitleMarkerMgr::EnsureSubTitle() {
  return Bind(subTitle, 0, 118, 0, u"(optional sub-title)");
}

cf_3DTextMarker* cf_TitleMarkerMgr::AxisTitle(std::size_t reference) const {
  return reference >= 1 && reference <= kAxisTitleCount ? axisTitles[reference - 1] : nullptr;
}
