#include "foundation/kutf8.h"
#include "native/host/x11keymap.h"

// Xlib's macros come after every header of ours.
#include "native/host/x11typing.h"

#include <X11/Xutil.h>

#include <clocale>
#include <vector>

namespace native {

namespace {

// The environment's character type, where Xlib supports it; "C" otherwise, which it always does.
void takeCharacterTypeFromEnvironment() {
  if (std::setlocale(LC_CTYPE, "") == nullptr || XSupportsLocale() == 0) {
    std::setlocale(LC_CTYPE, "C");
  }
}

// The input method the locale modifiers name, or Xlib's own when that one does not open (a server named
// in XMODIFIERS that does not run).
XIM openInputMethod(Display* display) {
  XSetLocaleModifiers("");
  XIM method = XOpenIM(display, nullptr, nullptr, nullptr);
  if (method == nullptr) {
    XSetLocaleModifiers("@im=none");
    method = XOpenIM(display, nullptr, nullptr, nullptr);
  }
  return method;
}

bool printable(char32_t character) {
  return character >= 0x20 && !(character >= 0x7F && character < 0xA0);
}

std::u32string printableCharactersOf(const std::vector<char>& utf8) {
  std::u32string characters;
  const auto* bytes = reinterpret_cast<const uint8_t*>(utf8.data());
  auto left = static_cast<int32_t>(utf8.size());
  while (left > 0) {
    char32_t character = 0;
    const int32_t used = KDecodeUtf8(bytes, left, character);
    if (printable(character)) {
      characters.push_back(character);
    }
    bytes += used;
    left -= used;
  }
  return characters;
}

}  // namespace

X11Typing::X11Typing(Display* display, Window window) {
  takeCharacterTypeFromEnvironment();
  method_ = openInputMethod(display);
  if (method_ == nullptr) {
    return;
  }
  // An input method server that ends takes its method and contexts with it.
  XIMCallback gone{reinterpret_cast<XPointer>(this), &X11Typing::methodGone};
  XSetIMValues(method_, XNDestroyCallback, &gone, nullptr);
  context_ = XCreateIC(method_, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, window,
                       XNFocusWindow, window, nullptr);
  if (context_ == nullptr) {
    return;
  }
  unsigned long methodEvents = 0;
  XGetICValues(context_, XNFilterEvents, &methodEvents, nullptr);
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, window, &attributes);
  XSelectInput(display, window, attributes.your_event_mask | static_cast<long>(methodEvents));
}

X11Typing::~X11Typing() {
  if (context_ != nullptr) {
    XDestroyIC(context_);
  }
  if (method_ != nullptr) {
    XCloseIM(method_);
  }
}

void X11Typing::methodGone(XIM, XPointer self, XPointer) {
  auto* typing = reinterpret_cast<X11Typing*>(self);
  typing->method_ = nullptr;
  typing->context_ = nullptr;
}

bool X11Typing::filter(XEvent& event) {
  return XFilterEvent(&event, 0) != 0;
}

std::u32string X11Typing::typedBy(XKeyEvent& press) {
  if ((press.state & ControlMask) != 0) {
    return {};
  }
  if (context_ != nullptr) {
    return typedThroughMethod(press);
  }
  char bytes[8];
  KeySym keysym = 0;
  const int length = XLookupString(&press, bytes, sizeof bytes, &keysym, nullptr);
  if (const char32_t character = characterOfKeysym(keysym)) {
    return std::u32string(1, character);
  }
  // Other symbols that type something give ASCII (the number pad's digits), the same in every locale.
  const auto byte = static_cast<unsigned char>(bytes[0]);
  return length == 1 && byte < 0x80 && printable(byte) ? std::u32string(1, byte) : std::u32string();
}

std::u32string X11Typing::typedThroughMethod(XKeyEvent& press) {
  std::vector<char> utf8(32);
  KeySym keysym = 0;
  Status status = 0;
  int length =
      Xutf8LookupString(context_, &press, utf8.data(), static_cast<int>(utf8.size()), &keysym, &status);
  if (status == XBufferOverflow) {
    // A long text committed at once (an input method server's): asked again with the room it needs.
    utf8.resize(static_cast<std::size_t>(length));
    length = Xutf8LookupString(context_, &press, utf8.data(), length, &keysym, &status);
  }
  if (status != XLookupChars && status != XLookupBoth) {
    return {};
  }
  utf8.resize(static_cast<std::size_t>(length));
  return printableCharactersOf(utf8);
}

void X11Typing::focus(bool in) {
  if (context_ == nullptr) {
    return;
  }
  if (in) {
    XSetICFocus(context_);
  } else {
    XUnsetICFocus(context_);
  }
}

}  // namespace native
