#pragma once
// The "COMBOBOX" control: a field over a list of entries. CBS_SIMPLE shows the list always, under an edit
// field; CBS_DROPDOWN has an edit field (the first child window, which callers may subclass) and a button
// that drops the list; CBS_DROPDOWNLIST has a field showing the chosen entry instead of an edit field. The
// entries live in the list (a ComboList window); the combo box passes the CB_* messages on to it. The field
// follows the selection. The height a caller gives a drop-down combo box is the field plus the dropped list:
// the window keeps the field's height and remembers the rest for the list. Typing types ahead: a character
// in a field without an edit chooses the next entry starting with it; text typed into the edit field while
// the list is open marks the first entry starting with that text.

#include <string_view>
#include <vector>

#include "native/controls/controlwindow.h"

namespace native {

class ComboBox : public ControlWindow {
 public:
  explicit ComboBox(HWND window) : ControlWindow(window) {}

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  // The list's calls back.
  bool simple() const;
  void listChose(int index);
  // A click elsewhere, or the mouse taken away: the list closes without a choice.
  void listDismissed() { closeUp(false); }
  // The edit field's key presses: answers whether the key belonged to the combo box.
  bool keyDown(UINT key, bool alt);
  // The combo box of a window of this class, or null.
  static ComboBox* of(HWND window);

  // The drop button's width, and the room around the field's text, in pixels.
  static constexpr int kButtonWidth = 16;
  static constexpr int kFieldPadding = 3;

 private:
  DWORD type() const;
  bool ownerDrawn() const;
  bool keepsStrings() const;

  LRESULT handleComboMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleTextMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void create(const CREATESTRUCT& create);
  void createEdit(LPCWSTR text);
  void createList();
  void fieldHeightFromOwner();
  void limitHeight(WINDOWPOS& position);
  void layoutChildren();
  void setFont(HFONT font, bool redraw);

  // The selection: the list's, with the field showing it.
  int current() const;
  void select(int index, bool byUser);
  void showSelectionInField();
  std::u16string entryText(int index) const;

  void dropDown();
  void closeUp(bool chosen);
  void toggle();
  void press(POINT point);
  // The first entry from `from` on (round to the start) whose text starts with `prefix`, letters in
  // either case; -1 when none does.
  int entryStartingWith(std::u16string_view prefix, int from) const;
  void typeAhead(char16_t character);
  void markTypedEntry();
  void childCommand(WORD code);

  RECT fieldRect() const;
  RECT buttonRect() const;
  void paint(HDC dc) override;
  void drawFieldByOwner(HDC dc, const RECT& field);

  HWND edit_ = nullptr;
  HWND list_ = nullptr;
  int fieldHeight_ = 0;
  int listHeight_ = 0;
  bool dropped_ = false;
  bool listScrolls_ = false;  // made with WS_VSCROLL, which goes to the list
  bool settingText_ = false;  // the edit's EN_CHANGE from our own WM_SETTEXT is no user edit
};

}  // namespace native
