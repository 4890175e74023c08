// The geometry manager of a window: a support object that holds the window's layout constraints and,
// when the window was sized, places the children through them in the order they were added. Each
// constraint is applied once per placement, so constraints that refer to each other in a loop settle in
// one pass; a constraint whose object or reference is gone is skipped. The manager owns its constraints.
#ifndef FRAMEWORK_CORE_ZAFGEOMETRYMANAGER_H
#define FRAMEWORK_CORE_ZAFGEOMETRYMANAGER_H

#include "framework/core/zafconstraint.h"
#include "framework/core/zafwindowobject.h"
#include "framework/data/zaflist.h"

class ZafGeometryManager : public ZafWindowObject {
 public:
  ZafGeometryManager();
  // Copies every constraint; the copies find their objects by name in the copy's window.
  ZafGeometryManager(const ZafGeometryManager& other);
  ZafGeometryManager(const ZafIChar* name, ZafObjectPersistence& persistence);
  ~ZafGeometryManager() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;
  // A geometry manager is always a support object.
  bool SetSupportObject(bool flag) override;

  // FitEvent (the window was sized) places the children; the rest is the window object's.
  ZafEventType Event(const ZafEventRecord& event) override;

  // Takes the constraint over (null, or one already in a manager, is refused: null). Answers it.
  ZafConstraint* AddConstraint(ZafConstraint* constraint);
  // Gives the constraint back to the caller, who deletes it; null when it is not this manager's.
  ZafConstraint* SubtractConstraint(ZafConstraint* constraint);
  ZafConstraint* FirstConstraint() const { return static_cast<ZafConstraint*>(constraints.First()); }
  int ConstraintCount() const { return constraints.Count(); }

  // Drops a deleted window object from the constraints of every manager.
  static void ForgetObject(const ZafWindowObject* gone);

  ZafError Write(ZafObjectPersistence& persistence) override;
  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

 private:
  void MakeManager();
  void ReadConstraints(ZafObjectPersistence& persistence);
  void PlaceChildren();

  ZafList constraints;
};

#endif
