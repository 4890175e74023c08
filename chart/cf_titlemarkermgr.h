// The chart's titles: the title and sub-title, markers of the manager's own, and the titles of the seven
// axes, which are the title markers of the engine's axis series that the manager fills and refers to
// without owning. Texts and attributes are shared with the model's title groups, so renaming a group
// changes the drawn title at once.
#ifndef CHART_CF_TITLEMARKERMGR_H
#define CHART_CF_TITLEMARKERMGR_H

#include <array>

#include "chart/cf_3dtextmarkerseries.h"

class cf_DataGroup;

class cf_TitleMarkerMgr : public cf_3DTextMarkerSeries {
 public:
  static constexpr std::size_t kAxisTitleCount = 7;

  explicit cf_TitleMarkerMgr(cf_ChartEngine* engine);

  void DrawPrimary(bf_Display& display) override { DrawSecondary(display); }
  // The title, the sub-title, then axis titles 1 to 7, each when bound, whether or not the series is shown.
  void DrawSecondary(bf_Display& display) override;
  // Binds the title and sub-title to new markers over the model's title groups, and the axis titles to the
  // engine's axis title markers filled from the model's axis-title groups.
  void BuildFromModel(cf_ChartModel& model) override;
  // Deletes the title and sub-title and lets go of the axis titles.
  void Clear() override;

  // A default title ("Chart Title") or sub-title ("(optional sub-title)") with attributes of its own when
  // there is none yet; it becomes the current marker either way.
  cf_3DTextMarker& EnsureTitle();
  cf_3DTextMarker& EnsureSubTitle();

  cf_3DTextMarker* Title() const { return title; }
  cf_3DTextMarker* SubTitle() const { return subTitle; }
  // Reference 1 to 7; null when unbound or out of range.
  cf_3DTextMarker* AxisTitle(std::size_t reference) const;

 private:
  cf_3DTextMarker& Bind(cf_3DTextMarker*& slot, double x, double y, double z, const ZafIChar* text);
  cf_3DTextMarker& BuildTitle(cf_DataGroup& group);

  cf_3DTextMarker* title = nullptr;
  cf_3DTextMarker* subTitle = nullptr;
  std::array<cf_3DTextMarker*, kAxisTitleCount> axisTitles{};
};

#endif
