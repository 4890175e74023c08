#pragma once
// The drawing state of the window system: every drawing object and device context behind its handle, the
// stock objects, and the step every drawing call starts with, finding the pixels a context draws on and the
// part of them it may touch.

#include <memory>
#include <vector>

#include "native/gdi/devicecontext.h"
#include "native/gdi/gdiobject.h"
#include "native/user/handletable.h"

namespace native {

// Where one drawing call lands: the target surface, the clip in target coordinates, and the context.
// An icon: an AND mask (monochrome) and a colour image of the same size. Drawing keeps the destination where
// the mask is white and then inverts it by the colour image (XOR), as icons are drawn.
struct IconData {
  std::unique_ptr<Surface> mask;
  std::unique_ptr<Surface> color;
  bool isIcon = true;
  POINT hotSpot{};
  bool shared = false;  // the built-in icon: DestroyIcon leaves it
};

struct DrawTarget {
  Surface* surface = nullptr;
  Region clip;
  // What of the target the context reaches at all, whatever part it paints now.
  RECT reach{};
  DeviceContext* dc = nullptr;
  POINT origin{};  // the context's device origin on the target surface

  // From logical coordinates to target-surface coordinates.
  POINT toTarget(POINT logical) const;
  RECT toTarget(const RECT& logical) const;  // normalised, so left <= right and top <= bottom
};

class Gdi {
 public:
  Gdi();
  ~Gdi();
  Gdi(const Gdi&) = delete;
  Gdi& operator=(const Gdi&) = delete;

  GdiObject* object(HGDIOBJ handle) const { return objects_.find(handle); }
  // The object if it is of the given type.
  GdiObject* object(HGDIOBJ handle, DWORD type) const;
  HGDIOBJ add(std::unique_ptr<GdiObject> object) { return objects_.add(std::move(object)); }
  bool remove(HGDIOBJ handle);
  HGDIOBJ stock(int index) const;
  // A lasting brush of a system colour; null for an unknown index.
  HGDIOBJ sysColorBrush(int index) const;
  // The 1 x 1 monochrome bitmap a new memory context starts with.
  HGDIOBJ defaultBitmap() const { return defaultBitmap_; }
  // A palette index (PALETTEINDEX) resolved through the context's palette; other colours as they are.
  COLORREF resolveColor(const DeviceContext& dc, COLORREF color) const;

  DeviceContext* dc(HDC handle) const { return contexts_.find(handle); }
  HDC addDc(std::unique_ptr<DeviceContext> dc);
  // Releases what the context has selected, then the context.
  void removeDc(HDC handle);
  // Counts (or stops counting) the objects a state has selected, for a saved copy of the state.
  void hold(const DcState& state) { adjustSelections(state, 1); }
  void release(const DcState& state) { adjustSelections(state, -1); }
  // Puts an object into a context's state, keeping the selection counts; answers the previous one.
  HGDIOBJ select(DcState& state, HGDIOBJ DcState::*slot, HGDIOBJ handle);

  IconData* icon(HICON handle) const { return icons_.find(handle); }
  HICON addIcon(std::unique_ptr<IconData> icon) { return icons_.add(std::move(icon)); }
  bool removeIcon(HICON handle);
  HICON applicationIcon() const { return applicationIcon_; }
  void setApplicationIcon(HICON icon) { applicationIcon_ = icon; }

  // False when the context or what it draws on is gone.
  bool target(HDC handle, DrawTarget* out) const;

  // The objects a context's current handles name, stock defaults where a handle went stale.
  const PenData& pen(const DeviceContext& dc) const;
  const BrushData& brush(const DeviceContext& dc) const;
  const LOGFONT& font(const DeviceContext& dc) const;

 private:
  void adjustSelections(const DcState& state, int change);

  HandleTable<GdiObject, HGDIOBJ> objects_;
  HandleTable<DeviceContext, HDC> contexts_;
  HandleTable<IconData, HICON> icons_;
  HICON applicationIcon_ = nullptr;
  HGDIOBJ stock_[DEFAULT_GUI_FONT + 1]{};
  HGDIOBJ defaultBitmap_ = nullptr;
  std::vector<HGDIOBJ> sysColorBrushes_;
};

}  // namespace native
