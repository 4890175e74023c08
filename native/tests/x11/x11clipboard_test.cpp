#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

// Xlib's macros (None, True, False) come after every header of ours.
#include "native/tests/x11/x11testprogram.h"

#include <X11/Xatom.h>

namespace native::test {

namespace {

// What the program copies from its field (see x11desktopapp.cpp), in UTF-8.
constexpr const char* kCopiedText = "Zeit 10,52 s \xE2\x80\x93 L\xC3\xA4ufer \xC3\x98 \xF0\x9F\x8F\x83";
// What another program offers: accents, a dash and a character outside the 16-bit range.
constexpr const char* kOfferedText =
    "\xC3\x9C"
    "bertragung \xE2\x80\x94 9,87 s \xF0\x9F\x8F\x81";

// Another X program on the same display, with the clipboard as people use it: it owns the CLIPBOARD
// selection and answers requests for it, or asks its owner for a target.
class ClipboardClient {
 public:
  explicit ClipboardClient(Display* display)
      : display_(display),
        window_(XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0)),
        clipboard_(XInternAtom(display, "CLIPBOARD", False)),
        utf8String_(XInternAtom(display, "UTF8_STRING", False)),
        reply_(XInternAtom(display, "CLIENT_REPLY", False)) {}
  ~ClipboardClient() { XDestroyWindow(display_, window_); }
  ClipboardClient(const ClipboardClient&) = delete;
  ClipboardClient& operator=(const ClipboardClient&) = delete;

  Atom utf8String() const { return utf8String_; }

  // Owns the clipboard offering `text` as UTF8_STRING; with none, it refuses every request.
  void own(std::optional<std::string> text) {
    offered_ = std::move(text);
    XSetSelectionOwner(display_, clipboard_, window_, CurrentTime);
    XSync(display_, False);
  }
  void letGo() {
    XSetSelectionOwner(display_, clipboard_, None, CurrentTime);
    XSync(display_, False);
  }

  // Answers the requests that came for the selection it owns.
  void serve() {
    XEvent event;
    while (XCheckTypedWindowEvent(display_, window_, SelectionRequest, &event)) {
      const XSelectionRequestEvent& request = event.xselectionrequest;
      XEvent reply{};
      reply.xselection.type = SelectionNotify;
      reply.xselection.requestor = request.requestor;
      reply.xselection.selection = request.selection;
      reply.xselection.target = request.target;
      reply.xselection.time = request.time;
      reply.xselection.property = None;
      if (offered_ && request.target == utf8String_) {
        XChangeProperty(display_, request.requestor, request.property, utf8String_, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(offered_->data()),
                        static_cast<int>(offered_->size()));
        reply.xselection.property = request.property;
      }
      XSendEvent(display_, request.requestor, False, NoEventMask, &reply);
    }
    XFlush(display_);
  }

  // Asks the clipboard's owner for `target`: the bytes of the answer and their type, none when refused.
  struct Answer {
    Atom type;
    std::vector<unsigned char> bytes;
  };
  std::optional<Answer> ask(Atom target) {
    XConvertSelection(display_, clipboard_, target, reply_, window_, CurrentTime);
    XFlush(display_);
    XEvent event;
    for (int waited = 0; waited <= kX11WaitMs; waited += 20) {
      if (XCheckTypedWindowEvent(display_, window_, SelectionNotify, &event)) {
        return event.xselection.property == None ? std::nullopt : readReply();
      }
      pollfd connection{ConnectionNumber(display_), POLLIN, 0};
      poll(&connection, 1, 20);
    }
    ADD_FAILURE() << "the clipboard's owner did not answer";
    return std::nullopt;
  }

 private:
  std::optional<Answer> readReply() {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window_, reply_, 0, 1 << 16, True, AnyPropertyType, &type, &format,
                           &count, &after, &data) != Success) {
      return std::nullopt;
    }
    // Xlib hands 32-bit items over as longs.
    std::size_t itemBytes = format == 32 ? sizeof(long) : static_cast<std::size_t>(format / 8);
    Answer answer{type, std::vector<unsigned char>(data, data + count * itemBytes)};
    XFree(data);
    return answer;
  }

  Display* display_;
  Window window_;
  Atom clipboard_;
  Atom utf8String_;
  Atom reply_;
  std::optional<std::string> offered_;
};

// The program's next line that starts with `wanted`, while the client answers the requests that come.
std::optional<std::string> lineWhileServing(X11TestProgram& program, ClipboardClient& client,
                                            const std::string& wanted) {
  for (int waited = 0; waited <= kX11WaitMs; waited += 20) {
    client.serve();
    if (auto line = program.expectLine(wanted, 20)) {
      return line;
    }
  }
  return std::nullopt;
}

void checkPaste(Display* display, Window window, X11TestProgram& program) {
  ClipboardClient client(display);
  enum class Clipboard { Refusing, Nobody, Offering };
  struct Case {
    const char* name;
    Clipboard clipboard;
    std::string field;
  };
  // In this order: the field keeps its first text until a paste brings another.
  const Case cases[] = {
      {"the owner refuses", Clipboard::Refusing, "field Lauf 1"},
      {"nobody owns the clipboard", Clipboard::Nobody, "field Lauf 1"},
      {"the owner offers text", Clipboard::Offering, std::string("field ") + kOfferedText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.clipboard == Clipboard::Nobody) {
      client.letGo();
    } else {
      client.own(c.clipboard == Clipboard::Offering ? std::optional<std::string>(kOfferedText)
                                                    : std::nullopt);
    }
    TypeText(display, window, "v");
    EXPECT_EQ(lineWhileServing(program, client, "field"), std::optional<std::string>(c.field));
  }
}

void checkCopy(Display* display, Window window, X11TestProgram& program) {
  ClipboardClient client(display);
  client.own(std::string("older text"));
  TypeText(display, window, "c");
  ASSERT_TRUE(program.expectLine("copied"));
  EXPECT_EQ(XGetSelectionOwner(display, XInternAtom(display, "CLIPBOARD", False)), window);

  auto targets = client.ask(XInternAtom(display, "TARGETS", False));
  ASSERT_TRUE(targets);
  EXPECT_EQ(targets->type, XA_ATOM);
  std::vector<Atom> offered(targets->bytes.size() / sizeof(Atom));
  std::memcpy(offered.data(), targets->bytes.data(), offered.size() * sizeof(Atom));
  EXPECT_NE(std::find(offered.begin(), offered.end(), client.utf8String()), offered.end());

  auto text = client.ask(client.utf8String());
  ASSERT_TRUE(text);
  EXPECT_EQ(text->type, client.utf8String());
  EXPECT_EQ(std::string(text->bytes.begin(), text->bytes.end()), kCopiedText);
  EXPECT_FALSE(client.ask(XA_PIXMAP)) << "what is not text is refused";
}

}  // namespace

TEST(X11Clipboard, PasteTakesWhatAnotherProgramOffers) {
  RunOnVirtualDisplay([] { RunProgramSteps(KESTROVE_X11_DESKTOP_APP, "640x480", &checkPaste); });
}

TEST(X11Clipboard, CopiedTextReadsBackInAnotherProgram) {
  RunOnVirtualDisplay([] { RunProgramSteps(KESTROVE_X11_DESKTOP_APP, "640x480", &checkCopy); });
}

}  // namespace native::test
