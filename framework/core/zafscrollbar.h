// A scroll bar or slider. Its value lives in scroll data that other bars may share. A horizontal, vertical
// or corner bar without a parent becomes a support object of the window it is added to: the window's own
// scroll bar, drawn by the window's native window. A free bar and a slider have native controls of their
// own. The native control, the scaling of the value into it and the scroll messages are the back-end's.
#ifndef FRAMEWORK_CORE_ZAFSCROLLBAR_H
#define FRAMEWORK_CORE_ZAFSCROLLBAR_H

#include <cstdint>

#include "framework/core/zafembeddedwindow.h"

class ZafScrollData;

// The kinds of bar.
inline constexpr int32_t ZAF_CORNER_SCROLL = 0;
inline constexpr int32_t ZAF_HORIZONTAL_SCROLL = 1;
inline constexpr int32_t ZAF_VERTICAL_SCROLL = 2;
inline constexpr int32_t ZAF_HORIZONTAL_SLIDER = 3;
inline constexpr int32_t ZAF_VERTICAL_SLIDER = 4;

class ZafScrollBar : public ZafEmbeddedWindow {
 public:
  // Over new data 0..100 at 0, steps 1.
  explicit ZafScrollBar(int32_t scrollType);
  ZafScrollBar(int32_t left, int32_t top, int32_t width, int32_t height, int32_t minimum, int32_t maximum,
               int32_t current, int32_t delta, int32_t showing, int32_t scrollType);
  // Over the given data (null = new data 0..0, steps 1).
  ZafScrollBar(int32_t left, int32_t top, int32_t width, int32_t height, ZafScrollData* data,
               int32_t scrollType);
  // Destroyable data is copied, other data shared.
  ZafScrollBar(const ZafScrollBar& other);
  ZafScrollBar(const ZafIChar* name, ZafObjectPersistence& persistence);
  ~ZafScrollBar() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  int32_t ScrollType() const { return scrollType; }
  ZafScrollData* ScrollData() const { return scrollData; }
  bool AutomaticSize() const { return automaticSize; }
  // Data units per native unit, as last put into the control.
  int32_t Scale() const { return scale; }
  static bool IsSlider(int32_t type) { return type == ZAF_HORIZONTAL_SLIDER || type == ZAF_VERTICAL_SLIDER; }

  // Type and automatic size change only before the control exists; each answers the value in force.
  virtual bool SetAutomaticSize(bool flag);
  virtual int32_t SetScrollType(int32_t type);
  // Shows and observes new data (null = new data 0..0); the old data is deleted when it is destroyable and
  // nobody else observes it. Answers 0.
  virtual int SetScrollData(ZafScrollData* data);
  // Only before the bar has a parent; a slider never becomes one. A support object takes the reserved
  // number and string ID of its kind.
  bool SetSupportObject(bool flag) override;

  // Attributes a bar never has: each forces its flag off and answers 0.
  bool SetAcceptDrop(bool flag) override;
  bool SetBordered(bool flag) override;
  bool SetParentPalette(bool flag) override;
  uint32_t SetSelectMultiple(bool flag) override;
  // A bar takes the focus as any single object does.
  bool SetFocus(bool flag) override;
  ZafWindowObject* NotifyFocus(ZafWindowObject* focusObject, bool setFocus) override;

  // ---- Native half (defined by the back-end) ----
  ZafEventType Event(const ZafEventRecord& event) override;
  ZafEventType NativeEvent(const ZafEventRecord& event) override;
  void CreateNative() override;
  // The control draws itself.
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  using ZafWindowObject::ScreenID;
  native::HWND ScreenID(int32_t kind) const override;
  void UpdateNative() override;
  // Puts the data into the control, scaled into its 16-bit positions; answers 0.
  virtual int ScrollToNative();
  // Takes the control's position into the data (without telling its observers); answers 0.
  virtual int ScrollFromNative();

  // ---- Storage ----
  ZafError Write(ZafObjectPersistence& persistence) override;
  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

 private:
  // The steps every value constructor takes.
  void MakeBar(int32_t type, ZafScrollData* data);
  // Off whatever a copy or a record brought: the window options and what a bar never has.
  void ClearBarOptions();
  // Lets go of the data: no longer observed, and deleted when destroyable and unobserved.
  void ReleaseData(const ZafScrollData* keep);
  // Stores a current value into the data, clamped, without telling the data's observers.
  void StoreQuietly(int32_t current);
  // The current value a native position stands for.
  int32_t ValueOfPosition(int32_t position) const;
  // SB_CTL for a free bar, else the parent's built-in bar of the bar's direction.
  int NativeBar() const;
  // WM_HSCROLL and WM_VSCROLL: the data follows the control, and the change is reported.
  ZafEventType ScrollMessage(const ZafEventRecord& event);
  ZafEventType SliderColor(const ZafEventRecord& event);
  void ReadBarFields(ZafObjectPersistence& persistence);
  static ZafLong ScrollDataChanged(ZafElement* object, int kind);

  int32_t scrollType = -1;
  ZafScrollData* scrollData = nullptr;
  bool automaticSize = true;
  int32_t scale = 1;
};

#endif
