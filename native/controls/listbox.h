#pragma once
// The "LISTBOX" control: a vertical list of entries, drawn by itself (strings) or by its owner (owner-draw
// styles, with or without strings kept), with single, multiple (LBS_MULTIPLESEL: a click toggles) or
// extended selection (LBS_EXTENDEDSEL: Shift extends from the anchor, Ctrl toggles). The user's changes are
// told with LBN_* notifications; changes made through messages are not. Entries scroll by whole entries,
// with the built-in vertical bar when the list has WS_VSCROLL.
//
// The pop-up list of a combo box is a ListBox too: it tells its notifications, asks its colours and has its
// entries drawn on behalf of the combo box, which `routing` names.

#include <vector>

#include "native/controls/controlwindow.h"
#include "native/controls/listboxgeometry.h"
#include "native/controls/listboxitems.h"

namespace native {

class ListBox : public ControlWindow {
 public:
  explicit ListBox(HWND window) : ControlWindow(window) {}

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  // Where the list's messages go: notifications and colour requests to `notify`, owner drawing to `owner`
  // with the control type, id and window the owner is told.
  struct Routing {
    HWND notify = nullptr;
    HWND owner = nullptr;
    UINT ctlType = 0;
    UINT ctlId = 0;
    HWND itemWindow = nullptr;
  };
  virtual Routing routing() const;

  // The entry under a point of the client area, -1 for none.
  int itemAt(POINT point) const;

 private:
  bool ownerDrawn() const;
  bool variableHeights() const;
  bool keepsStrings() const;
  bool multipleSelection() const;
  bool extendedSelection() const;
  bool singleSelection() const { return !multipleSelection() && !extendedSelection(); }

  LRESULT handleListMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleSelectionMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT insert(int index, LPARAM entry);
  LRESULT erase(int index);
  void copyText(int index, LPARAM buffer) const;
  LRESULT findExact(int after, LPARAM entry) const;
  LRESULT setItemHeight(int index, int height);
  // Selects one entry (single selection) and scrolls it into view, as LB_SETCURSEL does.
  void selectCurrent(int index);

  // Geometry.
  ListBoxGeometry geometry() const;
  void setTop(int index);
  void scrollIntoView(int index);
  void updateScrollBar();
  void fitIntegralHeight();
  void measureFixedHeight();
  int fontHeight() const;

  // Input.
  void press(POINT point, WPARAM keys, bool doubleClick);
  void follow(POINT point);
  void release();
  void cancelPress();
  void keyDown(UINT key);
  void moveCaretTo(int index, bool shift, bool control);
  void scrollRequest(WORD code);
  void notifyIfSelectionChanged(const std::vector<bool>& before);
  void notify(WORD code) const;
  void focusChanged(bool gained);

  // Painting.
  void paint(HDC dc) override;
  void drawByOwner(HDC dc, int index, const RECT& rect, UINT action, UINT state);

  ListBoxItems items_;
  int top_ = 0;
  int itemHeight_ = 0;
  bool scrollBarWanted_ = false;  // made with WS_VSCROLL
  enum class Press { None, Single, Extended, Toggle } press_ = Press::None;
  std::vector<bool> selectionBeforePress_;
  bool pressWasDoubleClick_ = false;
};

}  // namespace native
