#pragma once
// The modal loop that tracks an open menu: the menu bar of a frame, the system menu, or a context menu. It
// takes the thread's messages itself until the menu closes, so a key posted from another thread reaches it
// too; mouse and key input drive the menu and never reach the windows, other messages are dispatched as
// usual. The owner hears WM_INITMENUPOPUP before a pop-up opens, WM_MENUSELECT as entries are highlighted
// (and with 0xFFFF and no menu when it closes) and WM_ENTERIDLE whenever the queue runs dry; a choice is
// posted to it as WM_COMMAND, or WM_SYSCOMMAND from the system menu.

#include <memory>
#include <optional>
#include <vector>

#include "native/user/menupopup.h"
#include "native/user/nativetypes.h"

namespace native {

struct MenuItem;

class MenuLoop {
 public:
  // With `rightButtonChooses` the right mouse button chooses entries as the left one does.
  explicit MenuLoop(HWND owner, bool rightButtonChooses = false);
  ~MenuLoop();
  MenuLoop(const MenuLoop&) = delete;
  MenuLoop& operator=(const MenuLoop&) = delete;

  // The loop tracking a menu now, or null.
  static MenuLoop* running();
  // The entry of the window's menu bar shown highlighted, -1 for none.
  int highlightedBarEntry(HWND window) const;

  // Each runs until the menu closes and then posts the choice, if any.
  // A press at a screen point on the owner's menu bar or on its system box.
  void trackWithMouse(POINT screen, bool systemBox);
  // From the keyboard: 0 (Alt alone or F10) highlights the bar's first entry, a space opens the system
  // menu, another character opens the bar entry with that mnemonic, or only highlights the first of the
  // bar entries that share it.
  void trackWithKey(char16_t character);
  // A context menu below (or else above) a screen point.
  void trackPopup(HMENU menu, POINT screen);

 private:
  struct Level {
    PopupState state;       // the menu and its highlighted entry
    HWND window = nullptr;  // the pop-up window; null for the menu bar
    // The window whose system menu this level is or lies in (a maximised document window shows its system
    // menu in the frame's bar): its choices go to that window as system commands.
    HWND systemOf = nullptr;
  };
  struct Hit {
    int level = -1;
    int entry = -1;
  };

  void trackSystemMenu(bool byKey);
  bool hasSystemMenu() const;
  // Opens the owner's system menu below its system box, as a level of its own above those there are.
  bool openSystemMenu();
  // The menu takes the mouse and becomes the running one.
  void begin();
  // `system`: the menu is the owner's system menu, its choices system commands to the owner.
  bool openRoot(HMENU menu, const RECT& anchor, bool system);
  void run();
  void finish();
  bool intact() const;

  bool isBar(std::size_t level) const { return levels_[level]->window == nullptr; }
  std::size_t innermost() const { return levels_.size() - 1; }
  const MenuItem* entryOf(std::size_t level, int entry) const;
  std::vector<RECT> screenEntries(std::size_t level) const;
  Hit hitTest(POINT screen) const;

  void select(std::size_t level, int entry, bool openCascade);
  void openCascade(std::size_t level);
  void closeAbove(std::size_t level);
  void redraw(std::size_t level) const;
  // Opens a cascade with its first enabled entry highlighted, or chooses a command.
  void activate(std::size_t level, int entry);
  // The entry the arrow keys reach from `from` (-1 for none) in the direction; -1 when there is none or,
  // without `wrap`, when the way wraps round the menu's ends.
  int keyNeighbour(std::size_t level, int from, int direction, bool wrap) const;
  void step(std::size_t level, int direction);
  void choose(std::size_t level, int entry);
  void escape();
  void moveAcross(bool right);
  // A typed letter: the one enabled entry with it is chosen (a pull-down opens); of several, the next after
  // the highlighted one is only highlighted.
  void mnemonic(std::size_t level, char16_t character);

  // A second press at `screen`, paired with the press that opened the menu: on the icon of the window whose
  // system menu is open, the menu's Close is chosen, as a double click on the icon asks. False when no
  // system menu is open at the root (a pull-down of the bar is) or the press is beside its icon.
  bool closeBySystemIcon(POINT screen);

  // Whether the bar's entry is a maximised document's box; the box the left button holds down, if it is.
  bool isBarBox(int entry) const;
  void holdIfBox(int entry);

  void onMouse(const MSG& message);
  void onKey(const MSG& message);
  void onKeyPress(const MSG& message);

  HWND owner_;
  bool rightButtonChooses_;
  bool byMouse_ = false;
  bool done_ = false;
  POINT pointer_{};  // where the loop last saw the pointer, from where it was when the loop began
  struct Press {
    DWORD time;
    POINT point;
  };
  std::optional<Press> openingPress_;  // the press that opened the menu, until the next press
  HMENU temporaryMenu_ = nullptr;      // the standard system menu, made for a window without its own copy
  int heldBox_ = -1;                   // the bar's box the left button went down on, until let go
  std::optional<WORD> chosen_;
  HWND chosenSystemTarget_ = nullptr;  // where a system command goes; null for WM_COMMAND to the owner
  std::vector<std::unique_ptr<Level>> levels_;
};

}  // namespace native
