#include "native/user/windowtree.h"

#include <algorithm>

#include "native/user/classregistry.h"
#include "native/user/rects.h"

namespace native {

WindowTree::WindowTree(WindowClass& desktopClass, int width, int height) {
  auto desktop = std::make_unique<WindowRecord>();
  desktop->windowClass = &desktopClass;
  desktop->procedure = desktopClass.procedure;
  desktop->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN;
  desktop->rect = RECT{0, 0, width, height};
  desktop->clientRect = desktop->rect;
  ++desktopClass.windowCount;
  desktop_ = add(std::move(desktop));
  find(desktop_)->handle = desktop_;
}

HWND WindowTree::add(std::unique_ptr<WindowRecord> window) {
  return table_.add(std::move(window));
}

void WindowTree::remove(HWND handle) {
  if (WindowRecord* window = find(handle)) {
    unlink(*window);
    table_.remove(handle);
  }
}

void WindowTree::link(WindowRecord& window, HWND insertAfter) {
  WindowRecord* parent = find(window.parent);
  if (parent == nullptr) {
    return;
  }
  std::erase(parent->children, window.handle);
  auto& siblings = parent->children;
  if (isTopLevel(window) && insertAfter == HWND_TOPMOST) {
    window.exStyle |= WS_EX_TOPMOST;
  } else if (isTopLevel(window) && insertAfter == HWND_NOTOPMOST) {
    window.exStyle &= ~WS_EX_TOPMOST;
  }
  auto position = siblings.begin();
  if (insertAfter == HWND_BOTTOM) {
    position = siblings.end();
  } else if (auto sibling = std::find(siblings.begin(), siblings.end(), insertAfter);
             sibling != siblings.end()) {
    position = sibling + 1;
  }
  siblings.insert(position, window.handle);
  if (parent->handle == desktop_) {
    restoreTopLevelOrder();
  }
}

void WindowTree::unlink(WindowRecord& window) {
  if (WindowRecord* parent = find(window.parent)) {
    std::erase(parent->children, window.handle);
  }
}

void WindowTree::restoreTopLevelOrder() {
  auto& order = desktop().children;
  std::stable_partition(order.begin(), order.end(),
                        [this](HWND handle) { return (find(handle)->exStyle & WS_EX_TOPMOST) != 0; });
  // Lift every owned window that lies below its owner to just above it, until none does. Owners always exist
  // before what they own, so the chains end and each pass lifts one window.
  for (bool moved = true; moved;) {
    moved = false;
    for (std::size_t i = 0; i < order.size() && !moved; ++i) {
      HWND owner = find(order[i])->owner;
      auto ownerPosition = std::find(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(i), owner);
      if (owner != nullptr && ownerPosition != order.begin() + static_cast<std::ptrdiff_t>(i)) {
        HWND lifted = order[i];
        order.erase(order.begin() + static_cast<std::ptrdiff_t>(i));
        order.insert(std::find(order.begin(), order.end(), owner), lifted);
        moved = true;
      }
    }
  }
}

HWND WindowTree::topLevelOf(HWND handle) const {
  const WindowRecord* window = find(handle);
  while (window != nullptr && window->parent != desktop_) {
    window = find(window->parent);
  }
  return window == nullptr ? nullptr : window->handle;
}

bool WindowTree::isDescendant(HWND ancestor, HWND handle) const {
  const WindowRecord* window = find(handle);
  if (window == nullptr || find(ancestor) == nullptr) {
    return false;
  }
  for (window = find(window->parent); window != nullptr; window = find(window->parent)) {
    if (window->handle == ancestor) {
      return true;
    }
  }
  return false;
}

bool WindowTree::isVisible(const WindowRecord& window) const {
  for (const WindowRecord* current = &window; current != nullptr; current = find(current->parent)) {
    if (!current->hasVisibleFlag()) {
      return false;
    }
  }
  return true;
}

bool WindowTree::isEnabled(const WindowRecord& window) const {
  for (const WindowRecord* current = &window; current != nullptr; current = find(current->parent)) {
    if (current->isDisabled()) {
      return false;
    }
  }
  return true;
}

std::vector<HWND> WindowTree::ownedWindows(HWND owner) const {
  std::vector<HWND> owned;
  for (HWND handle : desktop().children) {
    if (find(handle)->owner == owner) {
      owned.push_back(handle);
    }
  }
  return owned;
}

POINT WindowTree::parentClientOrigin(const WindowRecord& window) const {
  const WindowRecord* parent = find(window.parent);
  return parent == nullptr ? POINT{0, 0} : clientOrigin(*parent);
}

POINT WindowTree::clientOrigin(const WindowRecord& window) const {
  POINT origin = parentClientOrigin(window);
  return POINT{origin.x + window.clientRect.left, origin.y + window.clientRect.top};
}

RECT WindowTree::screenRect(const WindowRecord& window) const {
  RECT rect = window.rect;
  POINT origin = parentClientOrigin(window);
  OffsetRect(&rect, origin.x, origin.y);
  return rect;
}

HWND WindowTree::windowAt(POINT screen) const {
  const WindowRecord* current = &desktop();
  for (;;) {
    POINT origin = clientOrigin(*current);
    POINT local{screen.x - origin.x, screen.y - origin.y};
    RECT client = current->clientRect;
    OffsetRect(&client, -client.left, -client.top);
    if (current != &desktop() && !PtInRect(&client, local)) {
      return current->handle;
    }
    const WindowRecord* next = nullptr;
    for (HWND handle : current->children) {
      const WindowRecord* child = find(handle);
      if (child->hasVisibleFlag() && PtInRect(&child->rect, local)) {
        next = child;
        break;
      }
    }
    if (next == nullptr || (next->isChild() && next->isDisabled())) {
      return current->handle;
    }
    current = next;
  }
}

}  // namespace native
