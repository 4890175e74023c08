// An entry of a menu bar: a flat button that owns the drop-down list of its entries. It queues nothing
// when chosen; choosing it only opens its list.
#ifndef FRAMEWORK_CORE_ZAFPULLDOWNITEM_H
#define FRAMEWORK_CORE_ZAFPULLDOWNITEM_H

#include "framework/core/zafmenuitem.h"

class ZafPullDownItem : public ZafMenuItem {
 public:
  // The text is copied (null: none).
  explicit ZafPullDownItem(const ZafIChar* text);
  // The text is string data the entry shows and observes (null: a new empty text).
  explicit ZafPullDownItem(ZafStringData* text);
  ZafPullDownItem(const ZafPullDownItem& other);
  ZafPullDownItem(const ZafIChar* name, ZafObjectPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  // ---- Settings a bar entry keeps: it posts nothing and is never selected ----
  int32_t SetValue(int32_t newValue) override;
  const ZafIChar* SetMessageText(const ZafIChar* text) override;
  bool SetMessageOnSelect(bool flag) override;
  bool SetSelected(bool flag) override;

  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

  // ---- Native side (defined by the back-end) ----
  // The bar's leading system-menu entry of a maximised document child is counted in.
  int32_t EntryPosition() override;

 private:
  void MakePullDownItem();
};

#endif
