#include "native/user/menuloop.h"

#include <utility>

#include "native/user/cursortable.h"
#include "native/user/focusmanager.h"
#include "native/user/menuapi.h"
#include "native/user/menubar.h"
#include "native/user/menulayout.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/metrics.h"
#include "native/user/modalpasses.h"
#include "native/user/nonclientlayout.h"
#include "native/user/paintapi.h"
#include "native/user/painting.h"
#include "native/user/rects.h"
#include "native/user/sysinfo.h"
#include "native/user/systemmenu.h"
#include "native/user/virtualkeys.h"
#include "native/user/windowapi.h"
#include "native/user/windowpos.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

// The flags of WM_MENUSELECT that describe the entry itself.
constexpr UINT kEntryStateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_SEPARATOR;
// WM_MENUSELECT's flags word when the menu closes.
constexpr WORD kMenuClosed = 0xFFFF;

MenuTable& menus() {
  return WindowSystem::get().menus();
}

bool isMouseMessage(UINT message) {
  return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

bool isKeyMessage(UINT message) {
  return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

bool choosable(const MenuItem& item) {
  return !item.isSeparator() && !item.isPopup() && item.isEnabled();
}

// The character that chooses the entry: its underlined letter, or '-' for a maximised document's system menu
// standing in the frame's bar, whose icon shows no letter.
char16_t mnemonicOf(const MenuItem& item) {
  return MenuLayout::systemMenuWindowOf(item) != nullptr ? u'-' : MenuLayout::mnemonicOf(item.text);
}

// Where a typed letter takes the highlight: the first enabled entry with the mnemonic after the entry
// `after` (-1 for none), wrapping round; greyed entries do not count. `shared` when another enabled entry has
// the mnemonic too: the letter then only highlights, so that pressing it again reaches the others.
struct MnemonicMatch {
  int entry = -1;
  bool shared = false;
};

MnemonicMatch findMnemonic(const MenuRecord& menu, char16_t character, int after) {
  MnemonicMatch match;
  const int count = static_cast<int>(menu.items.size());
  for (int offset = 1; offset <= count; ++offset) {
    int index = (after + offset) % count;
    const MenuItem& item = menu.items[static_cast<std::size_t>(index)];
    if (!item.isEnabled() || mnemonicOf(item) != character) {
      continue;
    }
    if (match.entry >= 0) {
      match.shared = true;
      break;
    }
    match.entry = index;
  }
  return match;
}

// The window's system box on the screen; empty when it shows no caption.
RECT systemBoxOf(const WindowRecord& window) {
  return NonClientLayout::compute(window.style, window.exStyle,
                                  WindowSystem::get().windows().screenRect(window))
      .systemBox;
}

}  // namespace

MenuLoop::MenuLoop(HWND owner, bool rightButtonChooses)
    : owner_(owner), rightButtonChooses_(rightButtonChooses) {}

MenuLoop::~MenuLoop() {
  if (menus().activeLoop == this) {
    menus().activeLoop = nullptr;
  }
}

MenuLoop* MenuLoop::running() {
  return menus().activeLoop;
}

int MenuLoop::highlightedBarEntry(HWND window) const {
  return window == owner_ && !levels_.empty() && isBar(0) ? levels_[0]->state.selected : -1;
}

void MenuLoop::trackWithMouse(POINT screen, bool systemBox) {
  byMouse_ = true;
  // The press being dispatched opens the menu.
  openingPress_ = Press{static_cast<DWORD>(GetMessageTime()), screen};
  if (systemBox) {
    trackSystemMenu(false);
    return;
  }
  HMENU bar = GetMenu(owner_);
  int entry = MenuLayout::entryAt(MenuBar::screenEntries(owner_), screen);
  if (bar == nullptr || entry < 0) {
    return;  // a press on the bar beside its entries opens nothing
  }
  levels_.push_back(std::make_unique<Level>(Level{PopupState{bar, -1}, nullptr}));
  begin();
  holdIfBox(entry);
  select(0, entry, true);
  run();
}

void MenuLoop::trackWithKey(char16_t character) {
  if (character == u' ') {
    trackSystemMenu(true);
    return;
  }
  HMENU bar = GetMenu(owner_);
  const MenuRecord* record = menus().find(bar);
  if (record == nullptr || record->items.empty()) {
    return;
  }
  if (character != 0 && findMnemonic(*record, character, -1).entry < 0) {
    MessageBeep(0);
    return;
  }
  levels_.push_back(std::make_unique<Level>(Level{PopupState{bar, -1}, nullptr}));
  begin();
  if (character == 0) {
    step(0, 1);  // Alt alone: the first entry is highlighted, nothing opens
  } else {
    mnemonic(0, character);
  }
  run();
}

void MenuLoop::trackPopup(HMENU menu, POINT screen) {
  begin();
  if (openRoot(menu, RECT{screen.x, screen.y, screen.x, screen.y}, false)) {
    run();
  } else {
    finish();
  }
}

void MenuLoop::trackSystemMenu(bool byKey) {
  if (!hasSystemMenu()) {
    return;
  }
  begin();
  if (!openSystemMenu()) {
    finish();
    return;
  }
  if (byKey) {
    step(0, 1);
  }
  run();
}

bool MenuLoop::hasSystemMenu() const {
  const WindowRecord* window = WindowSystem::get().windows().find(owner_);
  return window != nullptr && (window->style & WS_SYSMENU) != 0;
}

bool MenuLoop::openSystemMenu() {
  WindowSystem& system = WindowSystem::get();
  const WindowRecord* window = system.windows().find(owner_);
  if (window == nullptr) {
    return false;
  }
  HMENU menu = menus().systemMenuOf(owner_);
  if (menu == nullptr) {
    if (temporaryMenu_ == nullptr) {
      temporaryMenu_ = SystemMenu::create(*window);
    }
    menu = temporaryMenu_;
  }
  SystemMenu::updateStates(menu, *window);
  RECT screen = system.windows().screenRect(*window);
  RECT box = systemBoxOf(*window);
  // Below the system box, or below the window's top-left corner when it shows no caption.
  RECT anchor = IsRectEmpty(&box) ? RECT{screen.left, screen.top, screen.left, screen.top} : box;
  return openRoot(menu, anchor, true);
}

void MenuLoop::begin() {
  menus().activeLoop = this;
  WindowSystem::get().keyboard().clearAltAlone();
  GetCursorPos(&pointer_);
  SetCapture(owner_);
}

bool MenuLoop::openRoot(HMENU menu, const RECT& anchor, bool system) {
  SendMessage(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, system ? 1 : 0));
  auto level = std::make_unique<Level>(Level{PopupState{menu, -1}, nullptr, system ? owner_ : nullptr});
  if (!IsWindow(owner_) || menus().find(menu) == nullptr) {
    return false;
  }
  level->window = MenuPopup::open(&level->state, owner_, anchor, MenuPopup::Placement::Below);
  if (level->window == nullptr) {
    return false;
  }
  levels_.push_back(std::move(level));
  return true;
}

void MenuLoop::run() {
  ModalPasses passes;
  while (!done_ && intact()) {
    passes.serve();
    if (passes.ending()) {
      break;  // closed as Escape closes it, choosing nothing
    }
    MSG message{};
    if (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE) == FALSE) {
      SendMessage(owner_, WM_ENTERIDLE, MSGF_MENU, reinterpret_cast<LPARAM>(levels_.back()->window));
      if (!done_ && intact() && !passes.ending()) {
        passes.wait();
      }
      continue;
    }
    if (message.message == WM_QUIT) {
      // The quit request stays for the program's own loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (isMouseMessage(message.message)) {
      onMouse(message);
    } else if (isKeyMessage(message.message)) {
      onKey(message);
    } else {
      DispatchMessage(&message);
    }
  }
  finish();
}

void MenuLoop::finish() {
  bool hadBar = !levels_.empty() && isBar(0);
  if (!levels_.empty()) {
    closeAbove(0);
    if (!isBar(0)) {
      DestroyWindow(levels_[0]->window);
    }
    levels_.clear();
  }
  menus().activeLoop = nullptr;
  if (GetCapture() == owner_) {
    ReleaseCapture();
  }
  if (hadBar) {
    frameChanged(owner_);  // the bar shows no highlight any more
  }
  SendMessage(owner_, WM_MENUSELECT, MAKEWPARAM(0, kMenuClosed), 0);
  if (temporaryMenu_ != nullptr) {
    DestroyMenu(temporaryMenu_);
    temporaryMenu_ = nullptr;
  }
  if (chosen_) {
    if (chosenSystemTarget_ != nullptr) {
      PostMessage(chosenSystemTarget_, WM_SYSCOMMAND, *chosen_, 0);
    } else {
      PostMessage(owner_, WM_COMMAND, MAKEWPARAM(*chosen_, 0), 0);
    }
  }
}

// The menu can go on only while its owner, its capture, its menus and its windows are all still there: a
// message dispatched meanwhile may have destroyed any of them.
bool MenuLoop::intact() const {
  if (levels_.empty() || !IsWindow(owner_) || GetCapture() != owner_) {
    return false;
  }
  for (const auto& level : levels_) {
    if (menus().find(level->state.menu) == nullptr ||
        (level->window != nullptr && !IsWindow(level->window))) {
      return false;
    }
  }
  return true;
}

const MenuItem* MenuLoop::entryOf(std::size_t level, int entry) const {
  const MenuRecord* menu = menus().find(levels_[level]->state.menu);
  if (menu == nullptr || entry < 0 || static_cast<std::size_t>(entry) >= menu->items.size()) {
    return nullptr;
  }
  return &menu->items[static_cast<std::size_t>(entry)];
}

std::vector<RECT> MenuLoop::screenEntries(std::size_t level) const {
  return isBar(level) ? MenuBar::screenEntries(owner_) : MenuPopup::screenEntries(levels_[level]->window);
}

MenuLoop::Hit MenuLoop::hitTest(POINT screen) const {
  for (std::size_t level = levels_.size(); level-- > 0;) {
    RECT area{};
    if (isBar(level)) {
      area = MenuBar::screenRect(owner_);
    } else {
      GetWindowRect(levels_[level]->window, &area);
    }
    if (!PtInRect(&area, screen)) {
      continue;
    }
    int entry = MenuLayout::entryAt(screenEntries(level), screen);
    const MenuItem* item = entryOf(level, entry);
    return Hit{static_cast<int>(level), item != nullptr && !item->isSeparator() ? entry : -1};
  }
  return Hit{};
}

void MenuLoop::select(std::size_t level, int entry, bool openCascade) {
  Level& current = *levels_[level];
  if (current.state.selected != entry) {
    closeAbove(level);
    current.state.selected = entry;
    redraw(level);
    const MenuItem* item = entryOf(level, entry);
    if (item == nullptr) {
      return;
    }
    UINT flags =
        (item->flags & kEntryStateFlags) | MF_HILITE | (current.systemOf != nullptr ? MF_SYSMENU : 0);
    WORD idOrPosition = item->isPopup() ? static_cast<WORD>(entry) : item->id;
    SendMessage(owner_, WM_MENUSELECT, MAKEWPARAM(idOrPosition, flags),
                reinterpret_cast<LPARAM>(current.state.menu));
    if (!intact()) {
      return;
    }
  }
  if (openCascade && innermost() == level) {
    this->openCascade(level);
  }
}

void MenuLoop::openCascade(std::size_t level) {
  int entry = levels_[level]->state.selected;
  const MenuItem* item = entryOf(level, entry);
  if (item == nullptr || !item->isPopup() || !item->isEnabled()) {
    return;
  }
  HMENU sub = item->subMenu;
  HWND systemWindow = menus().windowOfSystemMenu(sub);
  if (const WindowRecord* window = WindowSystem::get().windows().find(systemWindow)) {
    // A maximised document window's system menu, opened from the frame's bar.
    SystemMenu::updateStates(sub, *window);
  }
  SendMessage(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub),
              MAKELPARAM(entry, systemWindow != nullptr ? 1 : 0));
  // The owner may have changed the menus while it was asked.
  if (!intact() || innermost() != level || levels_[level]->state.selected != entry ||
      menus().find(sub) == nullptr) {
    return;
  }
  std::vector<RECT> entries = screenEntries(level);
  if (static_cast<std::size_t>(entry) >= entries.size()) {
    return;
  }
  RECT anchor = entries[static_cast<std::size_t>(entry)];
  if (!isBar(level)) {
    // A cascade lies against its parent's window, border included.
    RECT parent{};
    GetWindowRect(levels_[level]->window, &parent);
    anchor.left = parent.left;
    anchor.right = parent.right;
  }
  auto opened = std::make_unique<Level>(
      Level{PopupState{sub, -1}, nullptr, systemWindow != nullptr ? systemWindow : levels_[level]->systemOf});
  opened->window = MenuPopup::open(&opened->state, owner_, anchor,
                                   isBar(level) ? MenuPopup::Placement::Below : MenuPopup::Placement::Beside);
  if (opened->window != nullptr) {
    levels_.push_back(std::move(opened));
  }
}

void MenuLoop::closeAbove(std::size_t level) {
  while (levels_.size() > level + 1) {
    DestroyWindow(levels_.back()->window);
    levels_.pop_back();
  }
}

void MenuLoop::redraw(std::size_t level) const {
  if (isBar(level)) {
    frameChanged(owner_);
  } else {
    InvalidateRect(levels_[level]->window, nullptr, FALSE);
  }
}

void MenuLoop::activate(std::size_t level, int entry) {
  const MenuItem* item = entryOf(level, entry);
  if (item == nullptr || item->isCaptionBox()) {
    return;  // the keys never press a document's box
  }
  if (!item->isPopup()) {
    choose(level, entry);
    return;
  }
  select(level, entry, true);
  if (intact() && innermost() == level + 1) {
    step(level + 1, 1);
  }
}

int MenuLoop::keyNeighbour(std::size_t level, int from, int direction, bool wrap) const {
  const MenuRecord* menu = menus().find(levels_[level]->state.menu);
  if (menu == nullptr) {
    return -1;
  }
  const int count = static_cast<int>(menu->items.size());
  int entry = from >= 0 ? from : (direction > 0 ? -1 : count);
  // The keys pass over separators, greyed entries and the boxes of a maximised document alike.
  for (int tries = 0; tries < count; ++tries) {
    entry += direction;
    if (entry < 0 || entry >= count) {
      if (!wrap) {
        return -1;
      }
      entry = (entry + count) % count;
    }
    const MenuItem& item = menu->items[static_cast<std::size_t>(entry)];
    if (!item.isSeparator() && !item.isCaptionBox() && item.isEnabled()) {
      return entry;
    }
  }
  return -1;
}

void MenuLoop::step(std::size_t level, int direction) {
  int entry = keyNeighbour(level, levels_[level]->state.selected, direction, true);
  if (entry >= 0) {
    select(level, entry, false);
  }
}

void MenuLoop::choose(std::size_t level, int entry) {
  const MenuItem* item = entryOf(level, entry);
  if (item != nullptr && choosable(*item)) {
    chosen_ = item->id;
    chosenSystemTarget_ = levels_[level]->systemOf;
    done_ = true;
  }
}

void MenuLoop::escape() {
  // The frame's system menu, reached from the bar, leaves no bar entry highlighted to go back to.
  if (levels_.size() == 1 || (isBar(0) && levels_[0]->state.selected < 0)) {
    done_ = true;
    return;
  }
  closeAbove(levels_.size() - 2);
  // A pull-down the mouse opened closes with its bar: the menu was never in keyboard use.
  if (levels_.size() == 1 && isBar(0) && byMouse_) {
    done_ = true;
  }
}

void MenuLoop::moveAcross(bool right) {
  std::size_t level = innermost();
  const MenuItem* selected = entryOf(level, levels_[level]->state.selected);
  if (right && !isBar(level) && selected != nullptr && selected->isPopup()) {
    activate(level, levels_[level]->state.selected);
    return;
  }
  std::size_t root = isBar(0) ? 1 : 0;
  if (!right && level > root) {
    closeAbove(level - 1);  // back out of a cascade
    return;
  }
  if (!isBar(0)) {
    return;
  }
  // Where the bar's entries wrap round lies the frame's system menu; it opens below the system box.
  bool pullDownOpen = levels_.size() > 1;
  int entry = keyNeighbour(0, levels_[0]->state.selected, right ? 1 : -1, !hasSystemMenu());
  if (entry < 0) {
    select(0, -1, false);
    if (intact() && openSystemMenu()) {
      step(1, 1);
    }
    return;
  }
  select(0, entry, false);
  if (pullDownOpen && intact()) {
    activate(0, entry);
  }
}

void MenuLoop::mnemonic(std::size_t level, char16_t character) {
  const MenuRecord* menu = menus().find(levels_[level]->state.menu);
  MnemonicMatch match =
      menu == nullptr ? MnemonicMatch{} : findMnemonic(*menu, character, levels_[level]->state.selected);
  if (match.entry < 0) {
    MessageBeep(0);
    return;
  }
  select(level, match.entry, false);
  if (!match.shared && intact()) {
    activate(level, match.entry);
  }
}

bool MenuLoop::isBarBox(int entry) const {
  const MenuItem* item = isBar(0) ? entryOf(0, entry) : nullptr;
  return item != nullptr && item->isCaptionBox();
}

void MenuLoop::holdIfBox(int entry) {
  heldBox_ = isBarBox(entry) ? entry : -1;
}

void MenuLoop::onMouse(const MSG& message) {
  UINT kind = message.message;
  // A host reports the pointer with every key as well, unmoved: only a move to another point is a move, or
  // a pointer resting on the bar would take the highlight from the title a key chose.
  bool moved = message.pt.x != pointer_.x || message.pt.y != pointer_.y;
  pointer_ = message.pt;
  if (kind == WM_MOUSEMOVE && !moved) {
    return;
  }
  bool leftPress = kind == WM_LBUTTONDOWN || kind == WM_LBUTTONDBLCLK;
  bool rightPress = kind == WM_RBUTTONDOWN || kind == WM_RBUTTONDBLCLK;
  bool press = leftPress || (rightButtonChooses_ && rightPress);
  bool release = kind == WM_LBUTTONUP || (rightButtonChooses_ && kind == WM_RBUTTONUP);
  bool anyPress = leftPress || rightPress || kind == WM_MBUTTONDOWN || kind == WM_MBUTTONDBLCLK;
  if (anyPress) {
    std::optional<Press> opening = std::exchange(openingPress_, std::nullopt);
    if (leftPress && opening && ClicksPair(opening->time, opening->point, message.time, message.pt) &&
        closeBySystemIcon(message.pt)) {
      return;
    }
  }
  Hit hit = hitTest(message.pt);
  // A maximised document's box in the bar works as a button: only the box the button went down on is
  // pushed, shown pushed while the pointer is on it, and acts when let go on it; let go anywhere else, the
  // menu ends with nothing done. The pointer neither pushes nor chooses any other box.
  if (leftPress && hit.level == 0) {
    holdIfBox(hit.entry);
  } else if (hit.level == 0 && hit.entry != heldBox_ && isBarBox(hit.entry)) {
    hit.entry = -1;
  }
  if (heldBox_ >= 0 && (kind == WM_MOUSEMOVE || release)) {
    bool onBox = hit.level == 0 && hit.entry == heldBox_;
    if (kind == WM_MOUSEMOVE) {
      select(0, onBox ? heldBox_ : -1, false);
      return;
    }
    int box = std::exchange(heldBox_, -1);
    if (onBox) {
      choose(0, box);
    }
    done_ = true;
    return;
  }
  if (hit.level < 0) {
    if (anyPress) {
      done_ = true;  // a press outside the menu closes it
    }
    return;
  }
  auto level = static_cast<std::size_t>(hit.level);
  byMouse_ = true;
  if (kind == WM_MOUSEMOVE) {
    // Over the bar the pointer switches pull-downs only while one is open or the button is held.
    bool barFollows = levels_.size() > 1 || WindowSystem::get().keyboard().isDown(VK_LBUTTON);
    if (isBar(level) && !barFollows) {
      return;
    }
    if (hit.entry >= 0 || (level == innermost() && !isBar(level))) {
      select(level, hit.entry, true);
    }
    return;
  }
  if (press) {
    if (isBar(level) && hit.entry >= 0 && hit.entry == levels_[0]->state.selected && levels_.size() > 1) {
      done_ = true;  // pressing the open bar entry again closes its pull-down and the menu
      return;
    }
    if (hit.entry >= 0) {
      select(level, hit.entry, true);
    }
    return;
  }
  if (release && hit.entry >= 0) {
    select(level, hit.entry, true);
    if (intact()) {
      choose(level, hit.entry);
    }
  }
}

bool MenuLoop::closeBySystemIcon(POINT screen) {
  const std::size_t root = isBar(0) ? 1 : 0;
  if (levels_.size() <= root || levels_[root]->systemOf == nullptr) {
    return false;
  }
  // The icon shows the open system menu: the window's system box, or the bar's open entry.
  bool onIcon = false;
  if (isBar(0)) {
    Hit hit = hitTest(screen);
    onIcon = hit.level == 0 && hit.entry == levels_[0]->state.selected;
  } else if (const WindowRecord* window = WindowSystem::get().windows().find(owner_)) {
    RECT box = systemBoxOf(*window);
    onIcon = PtInRect(&box, screen) != FALSE;
  }
  if (!onIcon) {
    return false;
  }
  const MenuRecord* menu = menus().find(levels_[root]->state.menu);
  for (std::size_t entry = 0; menu != nullptr && entry < menu->items.size(); ++entry) {
    if (!menu->items[entry].isPopup() && menu->items[entry].id == SC_CLOSE) {
      choose(root, static_cast<int>(entry));  // nothing when the owner greyed Close
    }
  }
  done_ = true;
  return true;
}

void MenuLoop::onKey(const MSG& message) {
  const int barEntry = isBar(0) ? levels_[0]->state.selected : -1;
  onKeyPress(message);
  // A key that takes the highlight off a held box ends the hold: letting go on the box then does nothing.
  if (heldBox_ >= 0 && intact() && levels_[0]->state.selected != barEntry) {
    heldBox_ = -1;
  }
}

void MenuLoop::onKeyPress(const MSG& message) {
  // Key releases and characters are taken and dropped: the menu acts on presses.
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) {
    return;
  }
  auto key = static_cast<UINT>(message.wParam);
  std::size_t level = innermost();
  switch (key) {
    case VK_ESCAPE:
      // A typed key always goes to a window; an Escape posted to the thread is the menu watchdog's, which
      // means the menu was left open, so all of it closes, bar highlight included.
      if (message.hwnd == nullptr) {
        done_ = true;
      } else {
        escape();
      }
      return;
    case VK_MENU:
    case VK_F10:
      // The key that closes the menu leaves menu mode: letting Alt go afterwards enters the bar no more.
      WindowSystem::get().keyboard().clearAltAlone();
      done_ = true;
      return;
    case VK_UP:
    case VK_DOWN:
      if (isBar(level)) {
        if (key == VK_DOWN) {
          activate(level, levels_[level]->state.selected);
        }
        return;
      }
      step(level, key == VK_DOWN ? 1 : -1);
      return;
    case VK_LEFT:
    case VK_RIGHT:
      moveAcross(key == VK_RIGHT);
      return;
    case VK_RETURN:
      activate(level, levels_[level]->state.selected);
      return;
    default:
      if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        mnemonic(level, static_cast<char16_t>(key));
      }
      return;
  }
}

}  // namespace native
