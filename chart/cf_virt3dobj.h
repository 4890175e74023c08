// The base of every object a chart engine draws. The engine moves each object through fitting, projection
// with the kernel and mapping to the screen, then calls its two draw passes on the drawing context. An
// object's display and text attributes are its own (made on first need) or shared with their owner (a data
// group's, say), and its switches decide which pen and brush it pushes around its drawing.
#ifndef CHART_CF_VIRT3DOBJ_H
#define CHART_CF_VIRT3DOBJ_H

#include <cstdint>
#include <memory>

#include "chart/cf_dispattribs.h"
#include "chart/cf_textattribs.h"

class bf_Display;
class cf_Kernel;

class cf_Virt3DObj {
 public:
  cf_Virt3DObj() = default;
  // Shares the attributes.
  explicit cf_Virt3DObj(cf_DispAttribs* attribs);
  // Owned attributes are copied, shared ones stay shared; the switches are copied.
  cf_Virt3DObj(const cf_Virt3DObj& other);
  cf_Virt3DObj& operator=(const cf_Virt3DObj& other);
  virtual ~cf_Virt3DObj();

  // Replaces the attributes with owned defaults.
  virtual cf_TextAttribs* CreateTextAttribs();
  // Shares the given attributes; null leaves the object without any.
  virtual void SetTextAttribs(cf_TextAttribs* attribs);
  virtual void FitToViewport(const cf_Kernel& kernel);
  virtual void Project(const cf_Kernel& kernel);
  // Fits first when the object was never fitted.
  virtual void ToScreen(const cf_Kernel& kernel);
  virtual void Scale(double sx, double sy, double sz);
  virtual void Translate(double dx, double dy, double dz);
  // Scale, then Translate.
  virtual void ScaleAndTranslate(double sx, double sy, double sz, double dx, double dy, double dz);
  virtual cf_DispAttribs* CreateDispAttribs();
  virtual void SetDispAttribs(cf_DispAttribs* attribs);
  virtual void SetOverlapPass(uint8_t on) { overlapPass = on; }
  virtual void SetDepthSort(uint8_t on) { depthSort = on; }
  virtual void SetCulling(uint8_t on) { culling = on; }
  virtual void SetShown(uint8_t on) { shown = on; }
  virtual void SetKeepDisplayState(uint8_t on) { keepDisplayState = on; }
  virtual void PrepareDraw(bf_Display& display);
  virtual void DrawPrimary(bf_Display& display);
  virtual void DrawSecondary(bf_Display& display);

  // Extents of the data, of the box coordinates and of the projected coordinates.
  virtual double GetMinX() const { return 0; }
  virtual double GetMaxX() const { return 0; }
  virtual double GetMinY() const { return 0; }
  virtual double GetMaxY() const { return 0; }
  virtual double GetMinZ() const { return 0; }
  virtual double GetMaxZ() const { return 0; }
  virtual double GetBoxMinX() const { return 0; }
  virtual double GetBoxMaxX() const { return 0; }
  virtual double GetBoxMinY() const { return 0; }
  virtual double GetBoxMaxY() const { return 0; }
  virtual double GetBoxMinZ() const { return 0; }
  virtual double GetBoxMaxZ() const { return 0; }
  virtual double GetProjMinX() const { return 0; }
  virtual double GetProjMaxX() const { return 0; }
  virtual double GetProjMinY() const { return 0; }
  virtual double GetProjMaxY() const { return 0; }
  virtual double GetProjMinZ() const { return 0; }
  virtual double GetProjMaxZ() const { return 0; }

  // Made on first need.
  cf_DispAttribs* DispAttribs();
  cf_TextAttribs* TextAttribs();
  bool HasDispAttribs() const { return dispAttribs != nullptr; }
  bool HasTextAttribs() const { return textAttribs != nullptr; }

  uint8_t NoBrush() const { return noBrush; }
  void SetNoBrush(uint8_t on) { noBrush = on; }
  uint8_t TextSwitch() const { return textSwitch; }
  void SetTextSwitch(uint8_t on) { textSwitch = on; }
  uint8_t NoPen() const { return noPen; }
  void SetNoPen(uint8_t on) { noPen = on; }
  uint8_t OverlapPass() const { return overlapPass; }
  uint8_t DepthSort() const { return depthSort; }
  uint8_t Culling() const { return culling; }
  uint8_t Shown() const { return shown; }
  uint8_t KeepDisplayState() const { return keepDisplayState; }
  bool IsFitted() const { return fitted; }

  // Unless the object keeps the display's state or has no brush (no pen): a brush of the attributes' back
  // colour, white without attributes (a pen of their colour, style and width, a black 1-pixel pen without).
  // Each answers whether it pushed; the pops take off what the pushes put on, under the same switches.
  bool PushBrush(bf_Display& display) const;
  bool PushPen(bf_Display& display) const;
  void PopBrush(bf_Display& display) const;
  void PopPen(bf_Display& display) const;

 protected:
  const cf_DispAttribs* DispAttribsOrNull() const { return dispAttribs; }
  cf_DispAttribs* DispAttribsOrNull() { return dispAttribs; }
  void SetFitted(bool on) { fitted = on; }

 private:
  bool PushesBrush() const { return !keepDisplayState && !noBrush; }
  bool PushesPen() const { return !keepDisplayState && !noPen; }

  std::unique_ptr<cf_DispAttribs> ownDispAttribs;
  cf_DispAttribs* dispAttribs = nullptr;
  std::unique_ptr<cf_TextAttribs> ownTextAttribs;
  cf_TextAttribs* textAttribs = nullptr;
  uint8_t noBrush = 0;
  uint8_t textSwitch = 0;
  uint8_t noPen = 0;
  uint8_t overlapPass = 0;
  uint8_t depthSort = 0;
  uint8_t culling = 0;
  uint8_t keepDisplayState = 0;
  bool fitted = false;
  uint8_t shown = 1;
};

#endif
