#pragma once
// The "BUTTON" control: push buttons (default or not), check boxes and radio buttons (automatic or left to
// the program), group boxes and owner-drawn buttons. A press of the mouse or of Space pushes the button;
// letting go over it sends BN_CLICKED to the parent.

#include <vector>

#include "native/controls/controlwindow.h"

namespace native {

// The controls of the group `control` belongs to, in order: from the nearest sibling at or before it that
// starts a group (WS_GROUP) to the last before the next one that starts another.
std::vector<HWND> controlGroup(HWND control);

class Button : public ControlWindow {
 public:
  explicit Button(HWND window) : ControlWindow(window) {}

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  DWORD type() const;
  bool isCheckType() const;
  LRESULT state() const;

  void setPushed(bool pushed);
  void setFocusShown(bool shown);
  void setCheck(LRESULT check);
  // The button was clicked: automatic types change their check, then the parent hears BN_CLICKED.
  void click();
  void uncheckOtherAutoRadios() const;

  void mousePress();
  void mouseMove(POINT point);
  void mouseRelease();
  void loseHold();

  void paint(HDC dc) override;
  void paintPush(HDC dc, const RECT& client);
  void paintCheck(HDC dc, const RECT& client);
  void paintGroup(HDC dc, const RECT& client, HBRUSH background);
  // Owner-drawn buttons: the parent draws, told what changed.
  void drawByOwner(HDC dc, UINT action);
  void drawByOwnerNow(UINT action);

  LRESULT check_ = 0;
  bool pushed_ = false;
  bool mouseHeld_ = false;
  bool spaceHeld_ = false;
  bool focusShown_ = false;
};

}  // namespace native
