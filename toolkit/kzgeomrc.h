// A relative constraint made from one flag word (side flags, KZGEOM_NOT_FACING to measure from the area's
// end, KZGEOM_STRETCH, KZGEOM_CENTRE), with an edge offset: pixels added to the constrained edge after each
// placement, so that panes can end on the area's last pixel (-1) or keep a gap from their neighbour.
#ifndef TOOLKIT_KZGEOMRC_H
#define TOOLKIT_KZGEOMRC_H

#include "framework/core/zafrelativeconstraint.h"

class KZGeomRC : public ZafRelativeConstraint {
 public:
  KZGeomRC(ZafWindowObject* object, int32_t flags, int32_t value, int32_t edgeOffset);
  KZGeomRC(const KZGeomRC& other) = default;

  // A copy keeps the edge offset.
  ZafConstraint* Duplicate() const override;
  // The framework places the object; when it did so and a display exists, the edge offset moves the
  // constrained edge. The framework's answer is returned.
  ZafEventType Event(const ZafEventRecord& event) override;

  int32_t EdgeOffset() const { return edgeOffset; }
  void SetEdgeOffset(int32_t offset) { edgeOffset = offset; }

 private:
  int32_t edgeOffset;
};

#endif
