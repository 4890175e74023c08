// A list of text markers that an engine draws together: the legend texts, and the base of the title
// manager. The series keeps a current marker, which the placing operations address, and places points in
// percent of the plot box through its engine.
#ifndef CHART_CF_3DTEXTMARKERSERIES_H
#define CHART_CF_3DTEXTMARKERSERIES_H

#include <cstdint>
#include <memory>
#include <vector>

#include "chart/cf_3dtextmarker.h"
#include "chart/cf_virt3dobj.h"

class cf_ChartEngine;
class cf_ChartModel;

class cf_3DTextMarkerSeries : public cf_Virt3DObj {
 public:
  explicit cf_3DTextMarkerSeries(cf_ChartEngine* engine);
  ~cf_3DTextMarkerSeries() override;

  // Each applied to every marker in order.
  void Project(const cf_Kernel& kernel) override;
  void ToScreen(const cf_Kernel& kernel) override;
  void Scale(double sx, double sy, double sz) override;
  void Translate(double dx, double dy, double dz) override;
  void DrawPrimary(bf_Display& display) override { DrawSecondary(display); }
  // Every marker in order, while the series is shown.
  void DrawSecondary(bf_Display& display) override;
  // One marker per legend entry of the model, at the entry's point, showing the entry's name with its
  // attributes (all shared with the entry).
  virtual void BuildFromModel(cf_ChartModel& model);
  // The back colour of every marker's text attributes.
  virtual void SetBackColor(bf_Color color);
  // Deletes every marker; no marker is current.
  virtual void Clear();

  // A new marker over the points, with the series' text attributes; it becomes current.
  cf_3DTextMarker& AddMarker(const cf_3DPoint& anchor, const cf_3DPoint& bend, const cf_3DPoint& textPoint);
  cf_3DTextMarker& AddMarker();
  // A new marker whose text point stands at (x, y, z) percent of the box.
  cf_3DTextMarker& AddMarkerAt(double x, double y, double z);
  cf_3DTextMarker& AddTextMarker(double x, double y, double z, const ZafIChar* text);
  cf_3DTextMarker& AddNumberMarker(double x, double y, double z, double value);
  // Marker i becomes current; outside 1..count marker 1 does, made first in an empty series.
  cf_3DTextMarker& SelectMarker(int32_t i);
  cf_3DTextMarker* CurrentMarker() const { return current; }
  // Place the current marker's points in percent of the box; nothing without a current marker.
  void PlaceAnchor(double x, double y, double z = 0);
  void PlaceBend(double x, double y, double z = 0);
  void PlaceText(double x, double y, double z = 0);

  int32_t GetMarkerCount() const { return static_cast<int32_t>(markers.size()); }
  bool IsShown() const { return Shown() != 0; }
  void Show() { SetShown(1); }
  void Hide() { SetShown(0); }

 protected:
  cf_ChartEngine* Engine() const { return itsEngine; }
  void Place(cf_3DPoint& point, double x, double y, double z) const;
  // The marker must be one of the series'.
  void MakeCurrent(cf_3DTextMarker& marker) { current = &marker; }

 private:
  cf_ChartEngine* itsEngine;
  std::vector<std::unique_ptr<cf_3DTextMarker>> markers;
  cf_3DTextMarker* current = nullptr;
};

#endif
