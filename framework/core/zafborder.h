// The border of a window: a support object without a native window of its own that draws the window's
// frame (the drawing is the back-end's).
#ifndef FRAMEWORK_CORE_ZAFBORDER_H
#define FRAMEWORK_CORE_ZAFBORDER_H

#include "framework/core/zafwindowobject.h"

class ZafBorder : public ZafWindowObject {
 public:
  ZafBorder();
  ZafBorder(const ZafBorder& other) = default;
  ZafBorder(const ZafIChar* name, ZafObjectPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;
  // A border is always a support object.
  bool SetSupportObject(bool flag) override;

  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

 private:
  void MakeBorder();
};

#endif
