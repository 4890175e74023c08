#pragma once
// The "MDICLIENT" window: the area of a frame in which document windows (MDI children) live. It creates and
// destroys them (WM_MDICREATE, WM_MDIDESTROY), keeps the active one at the top of the z-order and tells both
// sides of each activation (WM_MDIACTIVATE), maximises one at a time (it fills the client area, its caption
// out of sight, its system menu takes position 0 of the frame's menu bar and its boxes the bar's right end),
// and cascades, tiles and lines up the minimised ones. While a child is maximised the frame's caption reads
// "<frame's own title> - [<child's title>]". Children are siblings: GW_CHILD is the active one, GW_HWNDNEXT
// the next behind.

#include <string>
#include <vector>

#include "native/controls/controlwindow.h"

namespace native {

// Sent by DefFrameProc to the client: the frame's own title (lParam, LPCWSTR) while a child is maximised.
inline constexpr UINT kMdiFrameTitleMessage = WM_USER + 0x40;

class MdiClient : public ControlWindow {
 public:
  explicit MdiClient(HWND window) : ControlWindow(window) {}

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void paint(HDC dc) override;
  LRESULT handleMdiMessage(UINT message, WPARAM wParam, LPARAM lParam);
  HWND createChild(const MDICREATESTRUCT& create);
  void destroyChild(HWND child);
  void activate(HWND child);
  void next(HWND from, bool previous);
  void maximize(HWND child);
  void restore(HWND child);
  // The active child became an icon: the next shown child in window order becomes the active one,
  // maximised when `maximizeNext` (the icon was maximised).
  void passOnFromIcon(bool maximizeNext);
  void fitMaximized();
  void cascade();
  void tile(bool horizontal);
  void arrangeIcons();
  // After the client changed size every child stays where the mouse can take it: the icons as keepIcons
  // says, any other child moved the least way that keeps its caption within reach.
  void keepInReach();
  // Each icon in a slot of the client's last size goes to the slot of that index in `area`, so it keeps its
  // row at the bottom. Then the icons put elsewhere, front first, stay where they lie whole inside and on no
  // other icon; those that must move take a free place (IconSlots::settled).
  void keepIcons(const RECT& area);
  // Moves the child, keeping its size, to the place's top-left corner when it is not there.
  void moveTo(HWND child, const RECT& place);
  RECT rectInClient(HWND child) const;

  // The children front to back, those the arrangements move: shown and not minimised.
  std::vector<HWND> children() const;
  std::vector<HWND> arrangeable() const;
  bool isChild(HWND window) const;
  // While a child is maximised its system menu stands at the front of the frame's menu bar and its caption
  // boxes at the bar's right end; they go again when it stops being maximised.
  void showInBar(HWND child);
  void removeFromBar();
  // The frame's caption with the maximised child's title, or its own title again when none is maximised.
  void showTitleInFrame();
  RECT arrangeArea() const;

  UINT firstChildId_ = 0;
  HWND active_ = nullptr;
  HWND maximized_ = nullptr;
  HMENU menuInBar_ = nullptr;       // the maximised child's system menu while it stands in the frame's bar
  std::vector<WPARAM> boxesInBar_;  // the commands of the caption boxes added at the bar's end
  std::u16string frameTitle_;       // the frame's own title while its caption shows the maximised child's
  bool frameTitleKept_ = false;
  RECT iconArea_{};  // the client area the icons' slots were last counted in
};

}  // namespace native
