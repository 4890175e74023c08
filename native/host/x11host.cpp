#include "native/host/x11host.h"

#include <poll.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "native/host/desktopresize.h"
#include "native/host/screenarea.h"
#include "native/host/x11keymap.h"
#include "native/host/x11pointer.h"
#include "native/user/focusmanager.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "native/user/modalpasses.h"
#include "native/user/rects.h"
#include "native/user/virtualkeys.h"
#include "native/user/windowsystem.h"

// Xlib defines macros with common names (None, True, False, Bool): it comes after every header of ours.
#include "native/host/x11clipboard.h"
#include "native/host/x11typing.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace native {

// The X side of the host: the display, its window, and what drawing to it needs.
struct X11Host::Connection {
  Display* display = nullptr;
  Window window = 0;
  GC gc = nullptr;
  Visual* visual = nullptr;
  int depth = 0;
  Atom deleteWindow = 0;
  int width = 0;
  int height = 0;
  // The desktop's pixels on the server, as last presented: a picture is put here piece by piece and then
  // copied to the window in one request, so that no one ever sees the window half updated.
  Pixmap frame = 0;
  int frameWidth = 0;
  int frameHeight = 0;
  // The modifier bit that Num Lock sets in a key's state: the keymap decides it, and may change it.
  unsigned int numLockMask = 0;

  ~Connection() {
    if (display != nullptr) {
      if (gc != nullptr) {
        XFreeGC(display, gc);
      }
      if (frame != 0) {
        XFreePixmap(display, frame);
      }
      if (window != 0) {
        XDestroyWindow(display, window);
      }
      XCloseDisplay(display);
    }
  }
};

namespace {

constexpr long kEventMask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask |
                            PointerMotionMask | LeaveWindowMask | ExposureMask | StructureNotifyMask |
                            FocusChangeMask;

bool headlessAsked() {
  const char* value = std::getenv("KESTROVE_HEADLESS");
  return value != nullptr && *value != 0 && std::strcmp(value, "0") != 0;
}

// X buttons 1, 2 and 3 are left, middle and right; the desktop counts left, right, middle. The wheel (4 and
// up) has no message here.
int desktopButton(unsigned int xButton) {
  switch (xButton) {
    case Button1:
      return 0;
    case Button2:
      return 2;
    case Button3:
      return 1;
    default:
      return -1;
  }
}

// The desktop's pixels are 0x00RRGGBB words, which a 24-bit true-colour visual with those masks takes as
// they are.
bool visualTakesDesktopPixels(const Visual* visual, int depth) {
  return depth == 24 && visual->red_mask == 0xFF0000 && visual->green_mask == 0x00FF00 &&
         visual->blue_mask == 0x0000FF;
}

// Xlib's own handler ends the program on any protocol error; a request the server refuses (a copy to a window
// that is going away) costs one picture, not the program.
int ignoreProtocolError(Display*, XErrorEvent*) {
  return 0;
}

// The work area a window manager announces on the root window (_NET_WORKAREA: x, y, width and height for
// each of its desktops; the first is taken); none when no window manager sets it.
std::optional<RECT> workAreaOf(Display* display, Window root) {
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  Atom property = XInternAtom(display, "_NET_WORKAREA", True);
  if (property == 0 || XGetWindowProperty(display, root, property, 0, 4, False, XA_CARDINAL, &type, &format,
                                          &count, &after, &data) != Success) {
    return std::nullopt;
  }
  std::optional<RECT> area;
  if (type == XA_CARDINAL && format == 32 && count == 4) {
    // Xlib hands 32-bit items over as longs.
    const auto* values = reinterpret_cast<const long*>(data);
    area = RECT{static_cast<LONG>(values[0]), static_cast<LONG>(values[1]),
                static_cast<LONG>(values[0] + values[2]), static_cast<LONG>(values[1] + values[3])};
  }
  if (data != nullptr) {
    XFree(data);
  }
  return area;
}

// The modifier bits of the Num Lock key in the display's modifier map; none when no modifier holds it.
unsigned int numLockMaskOf(Display* display) {
  const KeyCode numLock = XKeysymToKeycode(display, XK_Num_Lock);
  XModifierKeymap* modifiers = XGetModifierMapping(display);
  unsigned int mask = 0;
  for (int modifier = 0; modifier < 8; ++modifier) {
    for (int key = 0; key < modifiers->max_keypermod; ++key) {
      if (numLock != 0 && modifiers->modifiermap[modifier * modifiers->max_keypermod + key] == numLock) {
        mask |= 1U << modifier;
      }
    }
  }
  XFreeModifiermap(modifiers);
  return mask;
}

// Where the desktop's window goes: at the top left with the size asked for, or over the screen's work area
// (the desktop takes its size).
RECT placeDesktop(WindowSystem& system, Display* display, int screen) {
  if (!DesktopOptions::fromEnvironment().sizeGiven) {
    RECT area = desktopAreaOnScreen(DisplayWidth(display, screen), DisplayHeight(display, screen),
                                    workAreaOf(display, RootWindow(display, screen)));
    resizeDesktop(system, area.right - area.left, area.bottom - area.top);
    return RECT{area.left, area.top, area.left + system.desktop().width(),
                area.top + system.desktop().height()};
  }
  return RECT{0, 0, system.desktop().width(), system.desktop().height()};
}

Bool isPropertyChange(Display*, XEvent* event, XPointer property) {
  return event->type == PropertyNotify && event->xproperty.atom == *reinterpret_cast<Atom*>(property);
}

// The server's clock now, from the stamp of a change to a property of the window (appending nothing changes
// nothing else): X tells its time only on events.
Time serverTimeNow(Display* display, Window window) {
  Atom property = XInternAtom(display, "KESTROVE_TIME", False);
  XSelectInput(display, window, kEventMask | PropertyChangeMask);
  XChangeProperty(display, window, property, XA_STRING, 8, PropModeAppend, nullptr, 0);
  XSelectInput(display, window, kEventMask);
  XEvent event;
  XIfEvent(display, &event, isPropertyChange, reinterpret_cast<XPointer>(&property));
  return event.xproperty.time;
}

}  // namespace

std::unique_ptr<X11Host> X11Host::openFromEnvironment(WindowSystem& system) {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == 0 || headlessAsked()) {
    return nullptr;
  }
  XSetErrorHandler(ignoreProtocolError);
  auto x = std::make_unique<Connection>();
  x->display = XOpenDisplay(name);
  if (x->display == nullptr) {
    return nullptr;
  }
  int screen = DefaultScreen(x->display);
  x->visual = DefaultVisual(x->display, screen);
  x->depth = DefaultDepth(x->display, screen);
  if (!visualTakesDesktopPixels(x->visual, x->depth)) {
    return nullptr;
  }
  RECT place = placeDesktop(system, x->display, screen);
  x->width = place.right - place.left;
  x->height = place.bottom - place.top;
  x->window = XCreateSimpleWindow(x->display, RootWindow(x->display, screen), place.left, place.top,
                                  static_cast<unsigned>(x->width), static_cast<unsigned>(x->height), 0, 0, 0);
  XStoreName(x->display, x->window, kTitle);
  // The place is the program's own choice: a window manager keeps it rather than putting the window
  // where it likes.
  XSizeHints hints{};
  hints.flags = PPosition | PSize;
  hints.x = place.left;
  hints.y = place.top;
  hints.width = x->width;
  hints.height = x->height;
  XSetWMNormalHints(x->display, x->window, &hints);
  XSelectInput(x->display, x->window, kEventMask);
  x->deleteWindow = XInternAtom(x->display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(x->display, x->window, &x->deleteWindow, 1);
  x->gc = XCreateGC(x->display, x->window, 0, nullptr);
  // Copies come from a pixmap, which never lacks pixels: no event needs to say so after each.
  XSetGraphicsExposures(x->display, x->gc, False);
  x->numLockMask = numLockMaskOf(x->display);
  XMapWindow(x->display, x->window);
  XFlush(x->display);
  return std::unique_ptr<X11Host>(new X11Host(system, std::move(x)));
}

X11Host::X11Host(WindowSystem& system, std::unique_ptr<Connection> connection)
    : system_(system),
      x_(std::move(connection)),
      clipboard_(std::make_unique<X11Clipboard>(x_->display, x_->window, system.clipboard())),
      typing_(std::make_unique<X11Typing>(x_->display, x_->window)),
      pointer_(std::make_unique<X11Pointer>(x_->display, x_->window)) {
  system_.clipboard().link(clipboard_.get());
  // The clocks are compared before any input, so that even the first input, read late, keeps its time.
  serverTime_.map(static_cast<std::uint32_t>(serverTimeNow(x_->display, x_->window)),
                  system_.clock().nowMs());
  system_.waitSet().add(ConnectionNumber(x_->display), POLLIN, [this](short) { takeEvents(); });
  system_.waitSet().setBeforeWait([this](WaitSet::Screen screen) {
    // The picture goes out first: writing it may read what the server sent meanwhile into the connection's
    // queue, where a wait on the socket would not see it, and the one read of the socket below takes that
    // too. Events taken make the wait only look, so the next round reads again before anything blocks.
    if (screen == WaitSet::Screen::kShown) {
      present();
    }
    return takeEvents();
  });
  // Everything is copied once the window shows.
  system_.compositor().resend(RECT{0, 0, x_->width, x_->height});
}

X11Host::~X11Host() {
  system_.clipboard().link(nullptr);
  system_.waitSet().setBeforeWait(nullptr);
  system_.waitSet().remove(ConnectionNumber(x_->display));
}

bool X11Host::takeEvents() {
  Desktop& desktop = system_.desktop();
  bool took = false;
  // The socket is read once; handling an event that reads it again leaves what came in the queue.
  for (int pending = XPending(x_->display); pending > 0;
       pending = XEventsQueued(x_->display, QueuedAlready)) {
    XEvent event;
    XNextEvent(x_->display, &event);
    took = true;
    const auto timeOf = [&](Time stamp) {
      return programTime(event.xany.send_event != 0, static_cast<std::uint32_t>(stamp));
    };
    if (typing_->filter(event)) {
      continue;
    }
    switch (event.type) {
      case KeyPress:
      case KeyRelease: {
        // Auto-repeat comes as a release and a press at the same time: only the press is a repeat.
        if (event.type == KeyRelease && XEventsQueued(x_->display, QueuedAfterReading) > 0) {
          XEvent next;
          XPeekEvent(x_->display, &next);
          if (next.type == KeyPress && next.xkey.keycode == event.xkey.keycode &&
              next.xkey.time == event.xkey.time) {
            break;
          }
        }
        clipboard_->noteTime(event.xkey.time);
        const std::optional<DWORD> time = timeOf(event.xkey.time);
        bool down = event.type == KeyPress;
        const KeySym keysym =
            keysymOfKey(XLookupKeysym(&event.xkey, 0), XLookupKeysym(&event.xkey, 1),
                        (event.xkey.state & x_->numLockMask) != 0, (event.xkey.state & ShiftMask) != 0);
        UINT key = virtualKeyOfKeysym(keysym);
        std::u32string typed =
            down && !movesOnTheNumberPad(keysym) ? typing_->typedBy(event.xkey) : std::u32string();
        if (key != 0 || !typed.empty()) {
          desktop.moveMouse(POINT{event.xkey.x, event.xkey.y}, time);
        }
        if (key != 0) {
          desktop.pressKey(key, down, typed.empty() ? 0 : typed.front(), time);
        }
        // Characters without a key of their own (a composed one, one whose key no virtual key stands for,
        // the rest of a text an input method committed) come with a press and release each.
        for (std::size_t next = key != 0 ? 1 : 0; next < typed.size(); ++next) {
          desktop.pressKey(VK_PACKET, true, typed[next], time);
          desktop.pressKey(VK_PACKET, false, 0, time);
        }
        break;
      }
      case ButtonPress:
      case ButtonRelease: {
        clipboard_->noteTime(event.xbutton.time);
        int button = desktopButton(event.xbutton.button);
        if (button >= 0) {
          const std::optional<DWORD> time = timeOf(event.xbutton.time);
          desktop.moveMouse(POINT{event.xbutton.x, event.xbutton.y}, time);
          desktop.pressButton(button, event.type == ButtonPress, time);
        }
        break;
      }
      case MotionNotify:
        clipboard_->noteTime(event.xmotion.time);
        desktop.moveMouse(POINT{event.xmotion.x, event.xmotion.y}, timeOf(event.xmotion.time));
        break;
      case LeaveNotify:
        // While a button is held the pointer stays the program's (its moves keep coming); otherwise it is
        // over none of the program's windows until it comes back.
        if (event.xcrossing.mode == NotifyNormal &&
            (event.xcrossing.state & (Button1Mask | Button2Mask | Button3Mask)) == 0) {
          desktop.leaveMouse();
        }
        break;
      case Expose:
        system_.compositor().resend(RECT{event.xexpose.x, event.xexpose.y,
                                         event.xexpose.x + event.xexpose.width,
                                         event.xexpose.y + event.xexpose.height});
        break;
      case ConfigureNotify:
        if (event.xconfigure.width != x_->width || event.xconfigure.height != x_->height) {
          resizeDesktop(system_, event.xconfigure.width, event.xconfigure.height);
          x_->width = system_.desktop().width();
          x_->height = system_.desktop().height();
        }
        break;
      case SelectionRequest:
        clipboard_->answer(event.xselectionrequest);
        break;
      case MappingNotify:
        // Another keymap: keys are looked up in it from now on, Num Lock's bit among them.
        XRefreshKeyboardMapping(&event.xmapping);
        x_->numLockMask = numLockMaskOf(x_->display);
        break;
      case FocusIn:
        typing_->focus(true);
        break;
      case FocusOut:
        typing_->focus(false);
        // Keys let go while another X window has the focus would otherwise stay down for ever.
        desktop.releaseHeldKeys();
        break;
      case ClientMessage:
        if (static_cast<Atom>(event.xclient.data.l[0]) == x_->deleteWindow) {
          closeFrontWindow();
        }
        break;
      default:
        break;
    }
  }
  return took;
}

void X11Host::present() {
  CursorTable& cursors = system_.cursors();
  pointer_->show(cursors.find(cursors.current()));
  Compositor& compositor = system_.compositor();
  compositor.compose(system_.windows());
  std::vector<RECT> damage = compositor.takeDamage();
  if (damage.empty()) {
    return;
  }
  Surface& pixels = compositor.desktopSurface();
  // An image over the desktop's own pixels: nothing is copied until XPutImage sends the damaged parts.
  XImage* image = XCreateImage(x_->display, x_->visual, static_cast<unsigned>(x_->depth), ZPixmap, 0,
                               reinterpret_cast<char*>(pixels.row(0)), static_cast<unsigned>(pixels.width()),
                               static_cast<unsigned>(pixels.height()), 32, pixels.width() * 4);
  if (image == nullptr) {
    return;
  }
  // The words lie in this machine's byte order; the server converts to its own.
  image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
  if (x_->frame == 0 || x_->frameWidth != pixels.width() || x_->frameHeight != pixels.height()) {
    // A new frame holds nothing yet: it is filled whole before anything is copied from it.
    if (x_->frame != 0) {
      XFreePixmap(x_->display, x_->frame);
    }
    x_->frame = XCreatePixmap(x_->display, x_->window, static_cast<unsigned>(pixels.width()),
                              static_cast<unsigned>(pixels.height()), static_cast<unsigned>(x_->depth));
    x_->frameWidth = pixels.width();
    x_->frameHeight = pixels.height();
    damage.assign(1, RECT{0, 0, pixels.width(), pixels.height()});
  }
  RECT changed{};
  for (const RECT& rect : damage) {
    RECT inside{std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0),
                std::min<LONG>(rect.right, pixels.width()), std::min<LONG>(rect.bottom, pixels.height())};
    if (inside.right > inside.left && inside.bottom > inside.top) {
      XPutImage(x_->display, x_->frame, x_->gc, image, inside.left, inside.top, inside.left, inside.top,
                static_cast<unsigned>(inside.right - inside.left),
                static_cast<unsigned>(inside.bottom - inside.top));
      UnionRect(&changed, &changed, &inside);
    }
  }
  image->data = nullptr;  // the pixels are the compositor's
  XDestroyImage(image);
  // The frame holds the whole desktop as composed, so the span of every change goes out as it is.
  if (!IsRectEmpty(&changed)) {
    XCopyArea(x_->display, x_->frame, x_->window, x_->gc, changed.left, changed.top,
              static_cast<unsigned>(changed.right - changed.left),
              static_cast<unsigned>(changed.bottom - changed.top), changed.left, changed.top);
  }
  XFlush(x_->display);
}

std::optional<DWORD> X11Host::programTime(bool sent, std::uint32_t serverMs) {
  if (sent) {
    return std::nullopt;
  }
  return static_cast<DWORD>(serverTime_.map(serverMs, system_.clock().nowMs()));
}

void X11Host::ringBell() {
  XBell(x_->display, 0);
  XFlush(x_->display);
}

void X11Host::closeFrontWindow() {
  if (const std::function<void()>& request = ModalPasses::CloseRequest()) {
    request();
    return;
  }
  // The active window is the front frame; menus never take activation.
  HWND front = system_.focus().active();
  if (front == nullptr) {
    for (HWND window : system_.windows().desktop().children) {
      const WindowRecord* record = system_.windows().find(window);
      if (record != nullptr && record->hasVisibleFlag()) {
        front = window;
        break;
      }
    }
  }
  if (front != nullptr) {
    PostMessage(front, WM_CLOSE, 0, 0);
  }
}

}  // namespace native
