#include "native/user/inputrouter.h"

#include <algorithm>

#include "native/user/classregistry.h"
#include "native/user/cursortable.h"
#include "native/user/keyboard.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/metrics.h"
#include "native/user/virtualkeys.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

constexpr UINT kButtonKeys[] = {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON};

// Client mouse messages: a move, then down, up and double click for the left, right and middle buttons. The
// non-client messages lie in the same order from WM_NCMOUSEMOVE.
UINT clientMessage(HostInput::Kind kind, int button) {
  switch (kind) {
    case HostInput::Kind::ButtonDown:
      return WM_LBUTTONDOWN + 3 * static_cast<UINT>(button);
    case HostInput::Kind::ButtonUp:
      return WM_LBUTTONUP + 3 * static_cast<UINT>(button);
    default:
      return WM_MOUSEMOVE;
  }
}

WPARAM mouseKeys(const Keyboard& keyboard) {
  WPARAM keys = 0;
  keys |= keyboard.isDownRouted(VK_LBUTTON) ? MK_LBUTTON : 0;
  keys |= keyboard.isDownRouted(VK_RBUTTON) ? MK_RBUTTON : 0;
  keys |= keyboard.isDownRouted(VK_MBUTTON) ? MK_MBUTTON : 0;
  keys |= keyboard.isDownRouted(VK_SHIFT) ? MK_SHIFT : 0;
  keys |= keyboard.isDownRouted(VK_CONTROL) ? MK_CONTROL : 0;
  return keys;
}

// Whether the window is, or lies inside, an MDI child that is not the front one among its siblings: a press
// there activates that document (WM_MOUSEACTIVATE) even inside the active top-level window.
bool inBackDocument(const WindowTree& tree, HWND window) {
  for (const WindowRecord* record = tree.find(window); record != nullptr && record->isChild();
       record = tree.find(record->parent)) {
    const WindowRecord* parent = tree.find(record->parent);
    if ((record->exStyle & WS_EX_MDICHILD) != 0 && parent != nullptr && !parent->children.empty() &&
        parent->children.front() != record->handle) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::optional<MSG> InputRouter::translate(const HostInput& input) {
  // A press is handed back only while it is the last input translated: anything after it (its release, a
  // key, a move) has gone its own way, and the press routed again would come after it.
  lastPress_.reset();
  if (input.kind == HostInput::Kind::KeyDown || input.kind == HostInput::Kind::KeyUp) {
    return translateKey(input);
  }
  return translateMouse(input);
}

bool InputRouter::isDoubleClick(HWND window, int button, bool nonClient, const HostInput& input) {
  const WindowRecord* record = WindowSystem::get().windows().find(window);
  bool allowed = nonClient || (record->windowClass->style & CS_DBLCLKS) != 0;
  Click click{window, button, nonClient, input.time, input.point};
  bool doubled = allowed && lastClick_.window == window && lastClick_.button == button &&
                 lastClick_.nonClient == nonClient &&
                 ClicksPair(lastClick_.time, lastClick_.point, input.time, input.point);
  // A third click starts a new pair.
  lastClick_ = doubled ? Click{} : click;
  return doubled;
}

std::optional<MSG> InputRouter::translateMouse(const HostInput& input) {
  WindowSystem& system = WindowSystem::get();
  WindowTree& tree = system.windows();
  Keyboard& keyboard = system.keyboard();
  if (input.kind != HostInput::Kind::MouseMove) {
    keyboard.takeKey(kButtonKeys[input.button], input.kind == HostInput::Kind::ButtonDown);
  }
  if (system.tracker().handle(input)) {
    return std::nullopt;  // a frame drag has the mouse
  }
  UINT message = clientMessage(input.kind, input.button);
  LPARAM screenPoint = MAKELPARAM(input.point.x, input.point.y);
  HWND target = system.focus().capture();
  LRESULT hit = HTCLIENT;
  if (target == nullptr) {
    std::optional<PointerTarget> under = windowUnder(input.point);
    if (!under || !tellCursor(*under, message)) {
      return std::nullopt;
    }
    target = under->window;
    hit = under->hit;
    HWND topLevel = tree.topLevelOf(target);
    bool inactiveTopLevel = topLevel != system.focus().active();
    if (input.kind == HostInput::Kind::ButtonDown && tree.contains(target) &&
        (inactiveTopLevel || inBackDocument(tree, target))) {
      LRESULT answer =
          SendMessage(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(topLevel), MAKELPARAM(hit, message));
      if ((answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) && inactiveTopLevel &&
          tree.contains(topLevel)) {
        system.focus().activate(topLevel, WA_CLICKACTIVE);
      }
      if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT) {
        return std::nullopt;
      }
    }
    if (!tree.contains(target)) {
      return std::nullopt;
    }
  }
  bool nonClient = hit != HTCLIENT;
  if (input.kind == HostInput::Kind::ButtonDown && isDoubleClick(target, input.button, nonClient, input)) {
    message += 2;  // the double-click form follows the up message
  }
  MSG result{target, message, 0, 0, input.time, input.point};
  if (nonClient) {
    result.message = message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
    result.wParam = static_cast<WPARAM>(hit);
    result.lParam = screenPoint;
  } else {
    POINT origin = tree.clientOrigin(*tree.find(target));
    result.wParam = mouseKeys(keyboard);
    result.lParam = MAKELPARAM(input.point.x - origin.x, input.point.y - origin.y);
  }
  if (input.kind == HostInput::Kind::ButtonDown) {
    lastPress_ = DeliveredPress{input, result};
  }
  return result;
}

std::optional<InputRouter::PointerTarget> InputRouter::windowUnder(POINT point) {
  WindowTree& tree = WindowSystem::get().windows();
  HWND target = tree.windowAt(point);
  for (;;) {
    if (target == tree.desktopHandle()) {
      return std::nullopt;
    }
    LRESULT hit = SendMessage(target, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    const WindowRecord* record = tree.find(target);
    if (record == nullptr) {
      return std::nullopt;
    }
    if (hit != HTTRANSPARENT) {
      return PointerTarget{target, hit};
    }
    // A window that lets the pointer through hands it to its parent.
    target = record->isChild() ? record->parent : tree.desktopHandle();
  }
}

bool InputRouter::tellCursor(const PointerTarget& under, UINT message) {
  WindowTree& tree = WindowSystem::get().windows();
  auto target = reinterpret_cast<WPARAM>(under.window);
  if (!tree.isEnabled(*tree.find(tree.topLevelOf(under.window)))) {
    // A window behind a modal one: it learns the pointer is over it, but gets no input.
    SendMessage(under.window, WM_SETCURSOR, target, MAKELPARAM(HTERROR, message));
    return false;
  }
  SendMessage(under.window, WM_SETCURSOR, target, MAKELPARAM(under.hit, message));
  return true;
}

void InputRouter::showCursorAt(POINT point) {
  if (WindowSystem::get().focus().capture() != nullptr) {
    return;  // the capturing window keeps the shape it chose
  }
  if (std::optional<PointerTarget> under = windowUnder(point)) {
    tellCursor(*under, WM_MOUSEMOVE);
  } else {
    SetCursor(LoadCursor(nullptr, IDC_ARROW));  // over the bare desktop
  }
}

std::optional<HostInput> InputRouter::takePress(const MSG& press) {
  std::optional<HostInput> input;
  if (lastPress_ && lastPress_->message.hwnd == press.hwnd && lastPress_->message.message == press.message &&
      lastPress_->message.lParam == press.lParam) {
    input = lastPress_->input;
    lastPress_.reset();
  }
  return input;
}

std::optional<MSG> InputRouter::translateKey(const HostInput& input) {
  WindowSystem& system = WindowSystem::get();
  Keyboard& keyboard = system.keyboard();
  bool down = input.kind == HostInput::Kind::KeyDown;
  bool wasDown = keyboard.takeKey(input.virtualKey, down);
  if (input.focusLost) {
    keyboard.clearAltAlone();  // Alt let go because the focus left never enters the menu bar
  }
  if (system.tracker().handle(input)) {
    keyboard.keyWithoutMessage(input.virtualKey, down);
    return std::nullopt;  // the arrow keys move or size a window
  }
  HWND target = system.focus().focus() != nullptr ? system.focus().focus() : system.focus().active();
  const WindowRecord* record = system.windows().find(target);
  if (record == nullptr || !system.windows().isEnabled(*record)) {
    keyboard.keyWithoutMessage(input.virtualKey, down);
    return std::nullopt;  // a disabled window reads no keys, not even as the active window
  }
  return keyMessage(input, wasDown);
}

MSG InputRouter::keyMessage(const HostInput& input, bool wasDown) {
  WindowSystem& system = WindowSystem::get();
  const Keyboard& keyboard = system.keyboard();
  const bool down = input.kind == HostInput::Kind::KeyDown;
  // Messages name Shift, Ctrl and Alt by their generic codes, whichever side was pressed; the right-hand
  // ones carry the extended-key bit.
  UINT key = Keyboard::genericKey(input.virtualKey);
  bool alt = keyboard.isDownRouted(VK_MENU);
  bool systemKey = key == VK_MENU || key == VK_F10 || (alt && !keyboard.isDownRouted(VK_CONTROL));
  HWND target = system.focus().focus();
  if (target == nullptr) {
    // Without a focus (a minimised active window) the active window reads the keys as system keys.
    target = system.focus().active();
    systemKey = true;
  }
  DWORD bits = 1;  // repeat count
  bits |= alt ? (1u << 29) : 0;
  bits |= (!down || wasDown) ? (1u << 30) : 0;  // previous state: down
  bits |= down ? 0 : (1u << 31);                // transition: released
  UINT message = down ? (systemKey ? WM_SYSKEYDOWN : WM_KEYDOWN) : (systemKey ? WM_SYSKEYUP : WM_KEYUP);
  const UINT sided = Keyboard::sidedKey(input.virtualKey);
  if (sided != key && sided != Keyboard::sidedKey(key)) {
    bits |= static_cast<DWORD>(kRightHandKeyBit);
  }
  LPARAM keyBits = withTypedCharacter(static_cast<LPARAM>(bits), input.character);
  return MSG{target, message, key, keyBits, input.time, input.point};
}

bool InputRouter::endsRoutedPress(const HostInput& input) {
  const Keyboard& keyboard = WindowSystem::get().keyboard();
  switch (input.kind) {
    case HostInput::Kind::KeyUp:
      return keyboard.isDownRouted(Keyboard::sidedKey(input.virtualKey));
    case HostInput::Kind::ButtonUp:
      return keyboard.isDownRouted(kButtonKeys[input.button]);
    default:
      return false;
  }
}

std::optional<MSG> InputRouter::takeKeyAhead(const std::function<bool(const MSG&)>& which) {
  WindowSystem& system = WindowSystem::get();
  MessageQueue& queue = system.queue();
  Keyboard& keyboard = system.keyboard();
  const std::deque<HostInput>& queued = queue.input();
  if (queued.empty()) {
    return std::nullopt;
  }
  // Input the loop took since the last look counts in the key state it routes by; the look starts again
  // from there.
  if (queued.front().arrival > lookedThrough_) {
    lookedThrough_ = queued.front().arrival - 1;
    lookedState_ = keyboard.routedState();
  }
  // The input lies in its arrival order: the place is found without walking the input held before it.
  const auto from =
      std::upper_bound(queued.begin(), queued.end(), lookedThrough_,
                       [](std::uint64_t arrival, const HostInput& input) { return arrival < input.arrival; });
  // The keys read while looking are those held when each key was typed: the routed state as of the look's
  // place. The routed and taken states come back as they were however the look ends.
  const std::array<BYTE, 256> routed = keyboard.routedState();
  const std::array<BYTE, 256> taken = keyboard.state();
  keyboard.restoreRouted(lookedState_);
  keyboard.restoreTaken(lookedState_);
  std::optional<MSG> found;
  std::optional<HostInput> foundInput;
  for (auto it = from; it != queued.end() && !found; ++it) {
    lookedThrough_ = it->arrival;
    if (!it->isKey()) {
      continue;
    }
    const bool down = it->kind == HostInput::Kind::KeyDown;
    const bool wasDown = keyboard.isDownRouted(Keyboard::sidedKey(it->virtualKey));
    keyboard.keyWithoutMessage(it->virtualKey, down);
    keyboard.restoreRouted(keyboard.state());
    const MSG message = keyMessage(*it, wasDown);
    if (which(message)) {
      found = message;
      foundInput = *it;
    }
  }
  lookedState_ = keyboard.state();
  keyboard.restoreRouted(routed);
  keyboard.restoreTaken(taken);
  if (foundInput) {
    // The key taken counts as routed and taken; the keys typed after it were typed with it.
    const bool down = foundInput->kind == HostInput::Kind::KeyDown;
    keyboard.takeKey(foundInput->virtualKey, down);
    keyboard.keyWithoutMessage(foundInput->virtualKey, down);
    queue.eraseInput(foundInput->arrival);
  }
  return found;
}

}  // namespace native
