#include <poll.h>

#include <chrono>

#include "native/user/clipboard.h"

// Xlib's macros (None, True, False) come after every header of ours.
#include "native/host/x11clipboard.h"

#include <X11/Xatom.h>

namespace native {

namespace {

using Clock = std::chrono::steady_clock;

// The longest text taken from another program, in bytes.
constexpr long kMaxIncomingBytes = 16 * 1024 * 1024;
// Room in a request for what goes with a property's bytes.
constexpr std::size_t kRequestHeaderBytes = 64;

}  // namespace

X11Clipboard::X11Clipboard(Display* display, Window window, Clipboard& clipboard)
    : display_(display),
      window_(window),
      clipboard_(clipboard),
      selection_(XInternAtom(display, "CLIPBOARD", False)),
      targets_(XInternAtom(display, "TARGETS", False)),
      utf8String_(XInternAtom(display, "UTF8_STRING", False)),
      incoming_(XInternAtom(display, "KESTROVE_CLIPBOARD", False)) {}

SharedClipboard::Owner X11Clipboard::owner() {
  Window owner = XGetSelectionOwner(display_, selection_);
  return owner == window_ ? Owner::ThisProgram : owner == None ? Owner::Nobody : Owner::OtherProgram;
}

void X11Clipboard::programChanged(bool holdsText) {
  if (holdsText) {
    XSetSelectionOwner(display_, selection_, window_, time_);
  } else if (owner() == Owner::ThisProgram) {
    XSetSelectionOwner(display_, selection_, None, time_);
  }
  XFlush(display_);
}

std::optional<std::string> X11Clipboard::otherProgramText() {
  XDeleteProperty(display_, window_, incoming_);
  XConvertSelection(display_, selection_, utf8String_, incoming_, window_, time_);
  XSelectionEvent answer{};
  if (!waitForAnswer(answer) || answer.property == None) {
    return std::nullopt;
  }
  Atom type = 0;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* bytes = nullptr;
  if (XGetWindowProperty(display_, window_, answer.property, 0, kMaxIncomingBytes / 4, True, AnyPropertyType,
                         &type, &format, &count, &after, &bytes) != Success) {
    return std::nullopt;
  }
  std::optional<std::string> text;
  if (type == utf8String_ && format == 8 && after == 0) {
    text = std::string(reinterpret_cast<const char*>(bytes), count);
  }
  if (bytes != nullptr) {
    XFree(bytes);
  }
  return text;
}

bool X11Clipboard::waitForAnswer(XSelectionEvent& answer) {
  Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kAnswerWaitMs);
  for (;;) {
    // Other events stay queued for the host, in their order.
    XEvent event;
    if (XCheckTypedWindowEvent(display_, window_, SelectionNotify, &event) &&
        event.xselection.selection == selection_) {
      answer = event.xselection;
      return true;
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) {
      return false;
    }
    pollfd connection{ConnectionNumber(display_), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left));
  }
}

void X11Clipboard::answer(const XSelectionRequestEvent& request) {
  XEvent reply{};
  reply.xselection.type = SelectionNotify;
  reply.xselection.display = request.display;
  reply.xselection.requestor = request.requestor;
  reply.xselection.selection = request.selection;
  reply.xselection.target = request.target;
  reply.xselection.time = request.time;
  reply.xselection.property = None;  // refused, unless one of the targets below is given
  // Clients of the oldest conventions name no property: the target's name stands for it.
  Atom property = request.property != None ? request.property : request.target;
  if (request.selection == selection_ && request.target == targets_) {
    Atom offered[] = {targets_, utf8String_};
    XChangeProperty(display_, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(offered), 2);
    reply.xselection.property = property;
  } else if (request.selection == selection_ && request.target == utf8String_) {
    std::optional<std::string> text = clipboard_.textForOtherPrograms();
    if (text && fitsOneRequest(text->size())) {
      XChangeProperty(display_, request.requestor, property, utf8String_, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(text->data()), static_cast<int>(text->size()));
      reply.xselection.property = property;
    }
  }
  XSendEvent(display_, request.requestor, False, NoEventMask, &reply);
  XFlush(display_);
}

bool X11Clipboard::fitsOneRequest(std::size_t bytes) const {
  long units = XExtendedMaxRequestSize(display_);
  if (units == 0) {
    units = XMaxRequestSize(display_);
  }
  return bytes + kRequestHeaderBytes <= static_cast<std::size_t>(units) * 4;
}

}  // namespace native
