// One position carried through the chart's stages (data, box, projected, screen) and drawn as a round
// marker. Setting a coordinate sets it in the data, box and projected positions alike, so a point that is
// never scaled or projected reads the same in every stage.
#ifndef CHART_CF_3DPOINT_H
#define CHART_CF_3DPOINT_H

#include <cstdint>

#include "chart/bf_color.h"
#include "chart/cf_2dpoint.h"
#include "chart/cf_virt3dobj.h"

class cf_3DPoint : public cf_Virt3DObj {
 public:
  static constexpr int32_t kDefaultMarkerSize = 5;
  static constexpr double kDefaultRelativeMarkerSize = 5.0;

  cf_3DPoint() = default;
  cf_3DPoint(double x, double y, double z) { Set(x, y, z); }

  // Relative sizing: the marker's radius follows the kernel's back face.
  void FitToViewport(const cf_Kernel& kernel) override;
  // A flat point's projection is its box position.
  void Project(const cf_Kernel& kernel) override;
  void ToScreen(const cf_Kernel& kernel) override;
  // Of the box position.
  void Scale(double sx, double sy, double sz) override;
  void Translate(double dx, double dy, double dz) override;
  void DrawPrimary(bf_Display& display) override { DrawMarker(display, markerSize); }
  void DrawSecondary(bf_Display& display) override { DrawMarker(display, markerSize); }
  double GetMinX() const override { return data.x; }
  double GetMaxX() const override { return data.x; }
  double GetMinY() const override { return data.y; }
  double GetMaxY() const override { return data.y; }
  double GetMinZ() const override { return data.z; }
  double GetMaxZ() const override { return data.z; }
  double GetBoxMinX() const override { return box.x; }
  double GetBoxMaxX() const override { return box.x; }
  double GetBoxMinY() const override { return box.y; }
  double GetBoxMaxY() const override { return box.y; }
  double GetBoxMinZ() const override { return box.z; }
  double GetBoxMaxZ() const override { return box.z; }
  double GetProjMinX() const override { return projected.x; }
  double GetProjMaxX() const override { return projected.x; }
  double GetProjMinY() const override { return projected.y; }
  double GetProjMaxY() const override { return projected.y; }
  double GetProjMinZ() const override { return projected.z; }
  double GetProjMaxZ() const override { return projected.z; }
  // A circle of the radius about the screen point, with the point's own pen and brush when it pushes any,
  // and its centre pixel. A point that is not shown draws nothing.
  virtual void DrawMarker(bf_Display& display, int32_t radius);

  double GetX() const { return data.x; }
  double GetY() const { return data.y; }
  double GetZ() const { return data.z; }
  void SetX(double x) { data.x = box.x = projected.x = x; }
  void SetY(double y) { data.y = box.y = projected.y = y; }
  void SetZ(double z) { data.z = box.z = projected.z = z; }
  void Set(double x, double y, double z) {
    SetX(x);
    SetY(y);
    SetZ(z);
  }
  double GetBoxX() const { return box.x; }
  double GetBoxY() const { return box.y; }
  double GetBoxZ() const { return box.z; }
  double GetProjX() const { return projected.x; }
  double GetProjY() const { return projected.y; }
  double GetProjZ() const { return projected.z; }
  cf_2DPoint GetScreenPoint() const { return screen; }
  int32_t GetScreenX() const { return screen.x; }
  int32_t GetScreenY() const { return screen.y; }
  int32_t GetMarkerSize() const { return markerSize; }
  void SetMarkerSize(int32_t pixels) { markerSize = pixels; }
  // Switching relative sizing off puts the marker back to 5 pixels.
  void SetRelativeSizing(bool on);
  bool IsRelativeSizing() const { return relativeSizing; }
  // Also switches relative sizing on.
  void SetRelativeMarkerSize(double share);
  double GetRelativeMarkerSize() const { return relativeMarkerSize; }
  bool Is2D() const { return flat; }
  void Set2D(bool on) { flat = on; }

  // The marker a series draws for each of its points: a circle and its centre pixel.
  static void DrawMarkerAt(bf_Display& display, const cf_2DPoint& centre, int32_t radius, bf_Color color);

 private:
  friend class cf_3DPointSeries;
  struct Position {
    double x = 0;
    double y = 0;
    double z = 0;
  };

  Position data;
  Position box;
  Position projected;
  cf_2DPoint screen;
  bool flat = false;
  int32_t markerSize = kDefaultMarkerSize;
  double relativeMarkerSize = kDefaultRelativeMarkerSize;
  bool relativeSizing = false;
};

#endif
