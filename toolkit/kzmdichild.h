// A document window inside the program's main frame: a child window of the multiple-document interface
// with the toolkit's mix-in, and its own entry in the frame's Window menu, which the frame numbers and
// gives a hot key.
#ifndef TOOLKIT_KZMDICHILD_H
#define TOOLKIT_KZMDICHILD_H

#include <cstdint>

#include "foundation/krect.h"
#include "framework/core/zafmdiwindow.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzwindowleech.h"

class KZMDIChild : public ZafMDIWindow, public KZWindowLeech {
 public:
  // The value of the Window-menu entry until the frame numbers it.
  static constexpr int32_t kUnnumbered = -1;

  // With the standard frame and an empty title.
  KZMDIChild(int32_t left, int32_t top, int32_t width, int32_t height);
  explicit KZMDIChild(const KRect& rect);
  // Takes the entry out of the Window menu when it is still there.
  ~KZMDIChild() override;

  // The mix-in first (its focus request activates the window), then the window of the interface.
  ZafEventType Event(const ZafEventRecord& event) override;
  // Brings the window forward: restored first when it is minimized, by the framework or by the system.
  virtual void Activate();
  // The title of the frame and the text of the Window-menu entry.
  virtual void SetTitle(const ZafIChar* text);
  void TakeFocus() override;
  bool IsMinimized() const { return Minimized(); }
  // Takes the entry out of the menu that lists it, if any.
  void LeaveWindowMenu();

  // The entry in the frame's Window menu; it belongs to the window, never to the menu.
  KZPopUpItem windowItem{kUnnumbered, 0u, u"", ZAF_ITEM_ORDINARY};

  using KZWindowLeech::DrawBackground;
  using KZWindowLeech::DrawShadow;
  using KZWindowLeech::Redisplay;
  using ZafMDIWindow::DrawBackground;
  using ZafMDIWindow::DrawShadow;
};

#endif
