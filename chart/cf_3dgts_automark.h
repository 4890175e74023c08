// The seven axes of the plot box, each a grid and tick series that knows where its items lie: along an
// edge of the back face, the bottom face or the left face, or round the rim of a pie's floor.
#ifndef CHART_CF_3DGTS_AUTOMARK_H
#define CHART_CF_3DGTS_AUTOMARK_H

#include "chart/cf_3dgridtickseries.h"

// An axis along an edge of one face of the box, numbered 1 to 6 as the engine numbers its axes.
class cf_3DGTS_AutoMarkFace : public cf_3DGridTickSeries {
 public:
  cf_3DTextMarker* CreateItem(double value, bool minor) override;

 protected:
  cf_3DGTS_AutoMarkFace(cf_ChartEngine* engine, uint32_t axisNumber);
};

// X values along the top edge of the back face; grid lines run up the face.
class cf_3DGTS_AutoMarkBackFaceX final : public cf_3DGTS_AutoMarkFace {
 public:
  explicit cf_3DGTS_AutoMarkBackFaceX(cf_ChartEngine* engine) : cf_3DGTS_AutoMarkFace(engine, 1) {}
};

// X values along the front edge of the floor; grid lines run across the floor to the back.
class cf_3DGTS_AutoMarkBottomFaceX final : public cf_3DGTS_AutoMarkFace {
 public:
  explicit cf_3DGTS_AutoMarkBottomFaceX(cf_ChartEngine* engine) : cf_3DGTS_AutoMarkFace(engine, 2) {}
};

// Y values along the right edge of the back face; grid lines run across it.
class cf_3DGTS_AutoMarkBackFaceY final : public cf_3DGTS_AutoMarkFace {
 public:
  explicit cf_3DGTS_AutoMarkBackFaceY(cf_ChartEngine* engine) : cf_3DGTS_AutoMarkFace(engine, 3) {}
};

// Y values along the front edge of the left face; grid lines run across it to the back.
class cf_3DGTS_AutoMarkLeftFaceY final : public cf_3DGTS_AutoMarkFace {
 public:
  explicit cf_3DGTS_AutoMarkLeftFaceY(cf_ChartEngine* engine) : cf_3DGTS_AutoMarkFace(engine, 4) {}
};

// Z values along the right edge of the floor; grid lines run across the floor.
class cf_3DGTS_AutoMarkBottomFaceZ final : public cf_3DGTS_AutoMarkFace {
 public:
  explicit cf_3DGTS_AutoMarkBottomFaceZ(cf_ChartEngine* engine) : cf_3DGTS_AutoMarkFace(engine, 5) {}
};

// Z values along the top edge of the left face; grid lines run down it.
class cf_3DGTS_AutoMarkLeftFaceZ final : public cf_3DGTS_AutoMarkFace {
 public:
  explicit cf_3DGTS_AutoMarkLeftFaceZ(cf_ChartEngine* engine) : cf_3DGTS_AutoMarkFace(engine, 6) {}
};

// Angles (radians) round a pie's floor: spokes from the polar centre to the rim, ticks beyond it.
class cf_3DGTS_AutoMarkPolarFloor final : public cf_3DGridTickSeries {
 public:
  explicit cf_3DGTS_AutoMarkPolarFloor(cf_ChartEngine* engine);
  cf_3DTextMarker* CreateItem(double angle, bool minor) override;
};

#endif
