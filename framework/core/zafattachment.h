// An attachment places one edge of an object against an edge of its parent's client area or of a
// sibling, at an offset. Facing (the default) puts the edge against the reference's side that faces the
// object: the parent's inner side, or a sibling's opposite side so that the object sits next to it. Not
// facing puts it against the reference's same side (for a sibling: the edges line up; for the parent the
// two sides are the same). The offset moves the edge towards the object's inside: right for a left edge,
// left for a right edge. Without stretch the whole object moves; with stretch only the edge does and the
// object changes size.
#ifndef FRAMEWORK_CORE_ZAFATTACHMENT_H
#define FRAMEWORK_CORE_ZAFATTACHMENT_H

#include "framework/core/zafconstraint.h"

class ZafAttachment : public ZafConstraint {
 public:
  // A null reference is the parent.
  ZafAttachment(ZafWindowObject* object, ZafWindowObject* reference, int32_t side, int32_t offset);
  ZafAttachment(const ZafAttachment& other);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  ZafConstraint* Duplicate() const override;

  // Null while the reference is the parent, or after a sibling reference was deleted.
  ZafWindowObject* Reference() const { return reference; }
  ZafWindowObject* SetReference(ZafWindowObject* newReference);
  int32_t Side() const { return side; }
  // A side outside 0-3 is refused; answers the side in force.
  int32_t SetSide(int32_t newSide);
  int32_t Offset() const { return offset; }
  int32_t SetOffset(int32_t newOffset);
  bool Facing() const { return facing; }
  bool SetFacing(bool flag);
  bool Stretch() const { return stretch; }
  bool SetStretch(bool flag);

  void ForgetObject(const ZafWindowObject* gone) override;
  void FindObjects(ZafWindow& window) override;

 protected:
  // Skipped while a sibling reference is missing, is the object itself or lies outside the window.
  bool Place(ZafRegionStruct& region, const ZafRegionStruct& area) override;
  void WriteFields(ZafFile& file) const override;
  bool ReadFields(ZafFile& file) override;

 private:
  ZafWindowObject* reference;
  // Set for a sibling reference, also while it is known only by name or after it was deleted.
  bool toSibling;
  std::u16string referenceName;
  int32_t side;
  int32_t offset;
  bool facing = true;
  bool stretch = false;
};

#endif
