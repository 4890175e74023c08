#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "native/host/x11host.h"

// Xlib's macros (None, True, False) come after every other header.
#include "native/tests/x11/x11testprogram.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xproto.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/record.h>
#include <X11/keysym.h>

namespace native::test {

namespace {

using Clock = std::chrono::steady_clock;

// Set in the environment of the test's second run, on the virtual X server.
constexpr const char* kInnerRun = "KESTROVE_X11_INNER";
// For the program to end once its frame is closed: input is handled as it arrives, never left until the
// next timer, so the close takes a moment even on a busy machine.
constexpr int kEndMs = 3000;

// Milliseconds left until `deadline`, none below zero.
int msUntil(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

bool onPath(const char* program) {
  std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

Window topLevelNamed(Display* display, const char* name) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  Window found = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) != 0) {
    for (unsigned int i = 0; i < count && found == 0; ++i) {
      char* title = nullptr;
      if (XFetchName(display, children[i], &title) != 0 && title != nullptr) {
        found = std::strcmp(title, name) == 0 ? children[i] : 0;
        XFree(title);
      }
    }
    XFree(children);
  }
  return found;
}

bool viewable(Display* display, Window window) {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(display, window, &attributes) != 0 && attributes.map_state == IsViewable;
}

// Moves the pointer to a point of the window; answers that point on the root window.
std::pair<int, int> movePointerTo(Display* display, Window window, int x, int y) {
  int rootX = 0;
  int rootY = 0;
  Window child = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
  XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
  return {rootX, rootY};
}

// The server's clock now: the stamp of a change to a property of a window of our own, which X tells only on
// an event.
Time serverTimeNow(Display* display) {
  const Window own = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XSelectInput(display, own, PropertyChangeMask);
  const Atom property = XInternAtom(display, "KESTROVE_TEST_TIME", False);
  XChangeProperty(display, own, property, XA_STRING, 8, PropModeAppend, nullptr, 0);
  XEvent changed;
  XWindowEvent(display, own, PropertyChangeMask, &changed);
  XDestroyWindow(display, own);
  return changed.xproperty.time;
}

}  // namespace

X11TestProgram::X11TestProgram(const char* path, const char* desktopSize) {
  int fds[2];
  if (pipe(fds) != 0) {
    return;
  }
  pid_ = fork();
  if (pid_ == 0) {
    dup2(fds[1], STDOUT_FILENO);
    close(fds[0]);
    close(fds[1]);
    if (desktopSize != nullptr) {
      setenv("KESTROVE_DESKTOP_SIZE", desktopSize, 1);
    } else {
      unsetenv("KESTROVE_DESKTOP_SIZE");
    }
    unsetenv("KESTROVE_HEADLESS");
    execl(path, path, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  output_ = fds[0];
}

X11TestProgram::~X11TestProgram() {
  if (pid_ > 0 && !exited_) {
    // A program that ends on SIGTERM as on File > Exit may stop at a question nobody answers once a test has
    // failed part-way: it is killed after a bounded wait, so the test ends.
    kill(pid_, SIGTERM);
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kEndMs);
    while (waitpid(pid_, nullptr, WNOHANG) == 0) {
      if (msUntil(deadline) == 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        break;
      }
      poll(nullptr, 0, 20);
    }
  }
  if (output_ >= 0) {
    close(output_);
  }
}

std::optional<std::string> X11TestProgram::readLine(int timeoutMs) {
  Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    std::size_t end = buffer_.find('\n');
    if (end != std::string::npos) {
      std::string line = buffer_.substr(0, end);
      buffer_.erase(0, end + 1);
      return line;
    }
    pollfd ready{output_, POLLIN, 0};
    if (poll(&ready, 1, msUntil(deadline)) <= 0) {
      return std::nullopt;
    }
    std::array<char, 256> chunk{};
    ssize_t count = read(output_, chunk.data(), chunk.size());
    if (count <= 0) {
      ended_ = true;
      return std::nullopt;
    }
    buffer_.append(chunk.data(), static_cast<std::size_t>(count));
  }
}

std::optional<std::string> X11TestProgram::expectLine(const std::string& wanted, int timeoutMs) {
  Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (auto line = readLine(msUntil(deadline))) {
    if (*line == wanted || line->rfind(wanted + " ", 0) == 0) {
      return line;
    }
  }
  return std::nullopt;
}

std::optional<int> X11TestProgram::exitStatusWithin(int limitMs) {
  Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(limitMs);
  while (!ended_ && msUntil(deadline) > 0) {
    readLine(msUntil(deadline));
  }
  if (!ended_) {
    return std::nullopt;
  }
  int status = 0;
  if (waitpid(pid_, &status, 0) != pid_) {
    return std::nullopt;
  }
  exited_ = true;
  return WIFEXITED(status) ? std::optional<int>(WEXITSTATUS(status)) : std::nullopt;
}

bool X11TestProgram::stop() {
  kill(pid_, SIGSTOP);
  return waitUntilStopped();
}

bool X11TestProgram::waitUntilStopped() {
  int status = 0;
  if (exited_ || waitpid(pid_, &status, WUNTRACED) != pid_) {
    return false;
  }
  exited_ = !WIFSTOPPED(status);
  return !exited_;
}

void X11TestProgram::resume() {
  kill(pid_, SIGCONT);
}

void RunOnVirtualDisplay(void (*check)(), const char* screen) {
  if (std::getenv(kInnerRun) != nullptr) {
    check();
    return;
  }
  for (const char* tool : {"xvfb-run", "Xvfb", "xauth", "timeout"}) {
    if (!onPath(tool)) {
      GTEST_SKIP() << tool << " is not installed (Debian packages xvfb and xauth)";
    }
  }
  // The time-out keeps a hung server from hanging the test, with room for a road on a loaded machine (ctest
  // allows 300 s). The server stays as it is when its last client goes (by default it resets, and a
  // connection opened meanwhile fails): a check may start programs in turn.
  const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
  std::string self = std::string(program_invocation_name);
  std::string command = std::string(kInnerRun) + "=1 timeout 240 xvfb-run -a -s '-noreset -screen 0 " +
                        screen + "' '" + self + "' --gtest_filter=" + test->test_suite_name() + "." +
                        test->name() + " 2>&1";
  FILE* run = popen(command.c_str(), "r");
  ASSERT_NE(run, nullptr) << command;
  std::string output;
  std::array<char, 512> chunk{};
  while (std::fgets(chunk.data(), static_cast<int>(chunk.size()), run) != nullptr) {
    output += chunk.data();
  }
  int status = pclose(run);
  if (output.find("[  SKIPPED ]") != std::string::npos) {
    GTEST_SKIP() << output;
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
}

void OpenDisplayWithXTest(Display*& display) {
  const char* name = std::getenv("DISPLAY");
  ASSERT_TRUE(name != nullptr && *name != 0) << "xvfb-run gave no DISPLAY";
  display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr) << "the display does not open";
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  if (XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor) == 0) {
    XCloseDisplay(display);
    display = nullptr;
    GTEST_SKIP() << "the X server has no XTest extension";
  }
}

Window WaitForWindowNamed(Display* display, const char* name) {
  for (int waited = 0; waited <= kX11WaitMs; waited += 20) {
    XSync(display, False);
    Window window = topLevelNamed(display, name);
    if (window != 0 && viewable(display, window)) {
      return window;
    }
    poll(nullptr, 0, 20);
  }
  return 0;
}

void RunProgramSteps(const char* path, const char* desktopSize, ProgramSteps steps) {
  Display* display = nullptr;
  OpenDisplayWithXTest(display);
  if (display == nullptr) {
    return;
  }
  {
    X11TestProgram program(path, desktopSize);
    Window window = 0;
    if (!program.started()) {
      ADD_FAILURE() << "the program did not start";
    } else if (!program.expectLine("ready")) {
      ADD_FAILURE() << "the program never said it was ready";
    } else if ((window = WaitForWindowNamed(display, X11Host::kTitle)) == 0) {
      ADD_FAILURE() << "no X window titled " << X11Host::kTitle;
    } else {
      steps(display, window, program);
      ExpectCloseEndsProgram(display, window, program);
    }
  }
  XCloseDisplay(display);
}

void ClickAt(Display* display, Window window, int x, int y) {
  DragAt(display, window, x, y, 0, 0);
}

void DoubleClickAt(Display* display, Window window, int x, int y) {
  movePointerTo(display, window, x, y);
  for (int click = 0; click < 2; ++click) {
    XTestFakeButtonEvent(display, Button1, True, CurrentTime);
    XTestFakeButtonEvent(display, Button1, False, CurrentTime);
  }
  XFlush(display);
}

void TwoClicksAt(Display* display, Window window, int x, int y, int apartMs, int thenMs,
                 SentFirst sentFirst) {
  const auto [rootX, rootY] = movePointerTo(display, window, x, y);
  if (sentFirst != SentFirst::Nothing) {
    constexpr Time kHourMs = 3600000;
    const Time stamp = sentFirst == SentFirst::StampedAhead ? serverTimeNow(display) + kHourMs : CurrentTime;
    XEvent moved{};
    moved.xmotion = XMotionEvent{
        MotionNotify, 0,     True, display,      window, DefaultRootWindow(display), None, stamp, x, y,
        rootX,        rootY, 0,    NotifyNormal, True};
    // No mask: the event goes to the program that made the window.
    XSendEvent(display, window, False, NoEventMask, &moved);
  }
  // XTest's delay holds the request back on the server, by milliseconds of its clock, and the requests after
  // it with it.
  for (const int delayMs : {0, apartMs}) {
    XTestFakeButtonEvent(display, Button1, True, static_cast<unsigned long>(delayMs));
    XTestFakeButtonEvent(display, Button1, False, CurrentTime);
  }
  XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, static_cast<unsigned long>(thenMs));
  XSync(display, False);
}

void DragAt(Display* display, Window window, int x, int y, int dx, int dy) {
  const auto [rootX, rootY] = movePointerTo(display, window, x, y);
  XTestFakeButtonEvent(display, Button1, True, CurrentTime);
  if (dx != 0 || dy != 0) {
    XTestFakeMotionEvent(display, DefaultScreen(display), rootX + dx, rootY + dy, CurrentTime);
  }
  XTestFakeButtonEvent(display, Button1, False, CurrentTime);
  XFlush(display);
}

void TypeText(Display* display, Window window, const std::string& text) {
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  for (char character : text) {
    const char name[2] = {character, 0};
    KeyCode key = XKeysymToKeycode(display, character == ' ' ? XK_space : XStringToKeysym(name));
    XTestFakeKeyEvent(display, key, True, CurrentTime);
    XTestFakeKeyEvent(display, key, False, CurrentTime);
  }
  XFlush(display);
}

void TypeKeysyms(Display* display, Window window, const std::vector<KeySym>& keysyms) {
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  // The keys held for the levels above the first: Shift for the second, the third's shift for the third,
  // both for the fourth.
  const std::array<KeyCode, 2> shifts{XKeysymToKeycode(display, XK_Shift_L),
                                      XKeysymToKeycode(display, XK_ISO_Level3_Shift)};
  for (KeySym keysym : keysyms) {
    const KeyCode code = XKeysymToKeycode(display, keysym);
    unsigned level = 0;
    while (level < 3 && XkbKeycodeToKeysym(display, code, 0, static_cast<int>(level)) != keysym) {
      ++level;
    }
    const auto holdShifts = [&](Bool down) {
      for (unsigned shift = 0; shift < shifts.size(); ++shift) {
        if ((level >> shift & 1U) != 0) {
          XTestFakeKeyEvent(display, shifts[shift], down, CurrentTime);
        }
      }
    };
    holdShifts(True);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    holdShifts(False);
  }
  XFlush(display);
}

void TypeOnNumberPad(Display* display, Window window, const std::vector<KeySym>& keysyms, bool shift) {
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  int first = 0;
  int last = 0;
  XDisplayKeycodes(display, &first, &last);
  const KeyCode shiftKey = XKeysymToKeycode(display, XK_Shift_L);
  for (KeySym keysym : keysyms) {
    // The pad's key has the symbol as its second, after its moving key's; another key may have it first.
    int code = first;
    while (code < last && XkbKeycodeToKeysym(display, static_cast<KeyCode>(code), 0, 1) != keysym) {
      ++code;
    }
    if (shift) {
      XTestFakeKeyEvent(display, shiftKey, True, CurrentTime);
    }
    XTestFakeKeyEvent(display, static_cast<KeyCode>(code), True, CurrentTime);
    XTestFakeKeyEvent(display, static_cast<KeyCode>(code), False, CurrentTime);
    if (shift) {
      XTestFakeKeyEvent(display, shiftKey, False, CurrentTime);
    }
  }
  XFlush(display);
}

namespace {

// Gives a key its one symbol, its two of the number pad, or its four symbols by level, as a layout does. The
// keyboard extension's map is written, not the core one: the X server reads a core key's symbols beyond the
// second as other groups.
void giveLevels(Display* display, KeyCode code, const std::vector<KeySym>& levels) {
  XkbDescPtr keyboard =
      XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask | XkbKeyActionsMask, XkbUseCoreKbd);
  XkbGetNames(display, XkbKeyTypeNamesMask, keyboard);
  int type = XkbOneLevelIndex;
  if (levels.size() > 1) {
    const Atom typeName = XInternAtom(display, levels.size() == 2 ? "KEYPAD" : "FOUR_LEVEL", False);
    while (type < keyboard->map->num_types && keyboard->map->types[type].name != typeName) {
      ++type;
    }
  }
  XkbChangeTypesOfKey(keyboard, code, 1, XkbGroup1Mask, &type, nullptr);
  std::copy(levels.begin(), levels.end(), XkbKeySymsPtr(keyboard, code));
  XkbMapChangesRec changes{};
  changes.changed = XkbKeySymsMask;
  changes.first_key_sym = code;
  changes.num_key_syms = 1;
  XkbChangeMap(display, keyboard, &changes);
  XkbFreeKeyboard(keyboard, 0, True);
}

}  // namespace

SpareKeys::SpareKeys(Display* display, const std::vector<std::vector<KeySym>>& keys) : display_(display) {
  int first = 0;
  int last = 0;
  XDisplayKeycodes(display, &first, &last);
  int perCode = 0;
  KeySym* keymap = XGetKeyboardMapping(display, static_cast<KeyCode>(first), last - first + 1, &perCode);
  auto key = keys.begin();
  for (int code = last; code >= first && key != keys.end(); --code) {
    const KeySym* symbols = keymap + (code - first) * perCode;
    if (std::all_of(symbols, symbols + perCode, [](KeySym symbol) { return symbol == NoSymbol; })) {
      giveLevels(display, static_cast<KeyCode>(code), *key);
      borrowed_.push_back(static_cast<KeyCode>(code));
      ++key;
    }
  }
  XFree(keymap);
  XSync(display, False);
}

SpareKeys::~SpareKeys() {
  for (KeyCode code : borrowed_) {
    KeySym none[2] = {NoSymbol, NoSymbol};
    XChangeKeyboardMapping(display_, code, 2, none, 1);
  }
  XSync(display_, False);
}

void SendCloseRequest(Display* display, Window window) {
  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.window = window;
  close.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  close.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &close);
  XFlush(display);
}

void ExpectCloseEndsProgram(Display* display, Window window, X11TestProgram& program) {
  SendCloseRequest(display, window);
  EXPECT_EQ(program.exitStatusWithin(kEndMs), std::optional<int>(0))
      << "the close did not end the program within " << kEndMs << " ms";
}

DrawingRecorder::DrawingRecorder() : control_(XOpenDisplay(nullptr)), data_(XOpenDisplay(nullptr)) {
  int major = 0;
  int minor = 0;
  if (control_ == nullptr || data_ == nullptr || !XRecordQueryVersion(control_, &major, &minor)) {
    return;
  }
  XRecordRange* range = XRecordAllocRange();
  range->core_requests.first = X_CopyArea;
  range->core_requests.last = X_PutImage;
  XRecordClientSpec clients = XRecordAllClients;
  context_ = XRecordCreateContext(control_, 0, &clients, 1, &range, 1);
  XFree(range);
  XSync(control_, False);
  if (context_ == 0) {
    return;
  }
  const auto keep = [](XPointer recorder, XRecordInterceptData* data) {
    auto& requests = *reinterpret_cast<std::vector<DrawingRequest>*>(recorder);
    const unsigned long bytes = 4UL * data->data_len;
    if (data->category == XRecordFromClient && !data->client_swapped && data->data[0] == X_PutImage) {
      const auto* put = reinterpret_cast<const xPutImageReq*>(data->data);
      requests.push_back({true, put->drawable, {put->dstX, put->dstY, put->width, put->height}, bytes});
    } else if (data->category == XRecordFromClient && !data->client_swapped && data->data[0] == X_CopyArea) {
      const auto* copy = reinterpret_cast<const xCopyAreaReq*>(data->data);
      requests.push_back(
          {false, copy->dstDrawable, {copy->dstX, copy->dstY, copy->width, copy->height}, bytes});
    }
    XRecordFreeData(data);
  };
  XRecordEnableContextAsync(data_, context_, keep, reinterpret_cast<XPointer>(&taken_));
}

DrawingRecorder::~DrawingRecorder() {
  if (context_ != 0) {
    XRecordDisableContext(control_, context_);
    XRecordFreeContext(control_, context_);
    XSync(control_, False);
  }
  for (Display* display : {control_, data_}) {
    if (display != nullptr) {
      XCloseDisplay(display);
    }
  }
}

std::vector<DrawingRequest> DrawingRecorder::take() {
  XRecordProcessReplies(data_);
  return std::exchange(taken_, {});
}

}  // namespace native::test
