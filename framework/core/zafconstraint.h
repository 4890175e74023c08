// The base of the layout constraints a geometry manager holds: one rule that places one window object
// inside its parent window whenever the window is sized. A constraint knows its object by pointer; a
// constraint read from the data file or copied with its window knows it by string ID until the manager
// finds the object among the window's children.
#ifndef FRAMEWORK_CORE_ZAFCONSTRAINT_H
#define FRAMEWORK_CORE_ZAFCONSTRAINT_H

#include <string>

#include "framework/core/zafeventrecord.h"
#include "framework/core/zafeventtypes.h"
#include "framework/core/zafregionstruct.h"
#include "framework/data/zafelement.h"

class ZafFile;
class ZafWindow;
class ZafWindowObject;

// Sides of an object or of its reference.
inline constexpr int32_t ZAF_SIDE_LEFT = 0;
inline constexpr int32_t ZAF_SIDE_TOP = 1;
inline constexpr int32_t ZAF_SIDE_RIGHT = 2;
inline constexpr int32_t ZAF_SIDE_BOTTOM = 3;

class ZafConstraint : public ZafElement {
 public:
  explicit ZafConstraint(ZafWindowObject* object);
  // Copies the rule; the objects are taken over by string ID, to be found again in the copy's window.
  ZafConstraint(const ZafConstraint& other);
  ZafConstraint& operator=(const ZafConstraint&) = delete;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  virtual ZafConstraint* Duplicate() const = 0;

  // FitEvent places the object and answers FitEvent; a constraint that cannot place its object (no
  // object, the object or its reference outside the window, a reference deleted) answers 0 and leaves
  // the object where it is. Other events are not the constraint's: UnknownEventResult.
  virtual ZafEventType Event(const ZafEventRecord& event);

  ZafWindowObject* Object() const { return object; }
  ZafWindowObject* SetObject(ZafWindowObject* newObject);

  // The manager's side of the objects' lifetimes: a deleted object is dropped from the constraint, and
  // objects known by name are looked up among the window's children (the first with that string ID).
  virtual void ForgetObject(const ZafWindowObject* gone);
  virtual void FindObjects(ZafWindow& window);

  // The constraint's stored record: its class ID, then the object's string ID and the class's fields.
  // Reading answers null, with the file's error set, for a record that ends early, an unknown class or
  // a value outside its range.
  void Write(ZafFile& file) const;
  static ZafConstraint* Read(ZafFile& file);

 protected:
  // Moves the region's edges (pixels, in the coordinates of `area`, the client area the window leaves
  // for the object); false when the constraint cannot be applied.
  virtual bool Place(ZafRegionStruct& region, const ZafRegionStruct& area) = 0;
  virtual void WriteFields(ZafFile& file) const = 0;
  // False when a field is missing or outside its range.
  virtual bool ReadFields(ZafFile& file) = 0;

  // The string ID that names an object in a stored or copied constraint: its own, or the name the
  // object is stored under when it has none. Empty for null.
  static std::u16string NameOf(ZafWindowObject* object);
  // The window's child whose string ID is `name` (cleared once looked up), or null.
  static ZafWindowObject* FindChild(ZafWindow& window, std::u16string& name);
  static bool ValidSide(int32_t side) { return side >= ZAF_SIDE_LEFT && side <= ZAF_SIDE_BOTTOM; }
  // The edge of the region on that side.
  static int32_t Edge(const ZafRegionStruct& region, int32_t side);
  // Moves one edge to `position`: the other edges stay when `stretch` is set (the object changes size,
  // never below 0), else the object moves whole. Positions are kept within the coordinate limit.
  static void MoveEdge(ZafRegionStruct& region, int32_t side, int64_t position, bool stretch);
  static int32_t Bounded(int64_t coordinate);

 private:
  ZafWindowObject* object;
  std::u16string objectName;
};

#endif
