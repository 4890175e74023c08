// What the X11 tests share: each runs itself again on a virtual X server of its own (xvfb-run), starts a
// small program there that reports on its standard output one line at a time, finds the program's X
// window, and drives it through XTest as a person would with the mouse and keyboard.
// Include it after every header of ours: Xlib's macros (None, True, False) clash with our names.
#ifndef NATIVE_TESTS_X11_X11TESTPROGRAM_H
#define NATIVE_TESTS_X11_X11TESTPROGRAM_H

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include <X11/Xlib.h>

namespace native::test {

// For a program to start, draw, and answer one input on a busy machine.
inline constexpr int kX11WaitMs = 10000;

// The program at `path`, started with its standard output on a pipe and its desktop `desktopSize`
// ("640x480"; null: the size the program picks for the screen) on the display of DISPLAY; stopped when the
// object goes.
class X11TestProgram {
 public:
  X11TestProgram(const char* path, const char* desktopSize);
  ~X11TestProgram();
  X11TestProgram(const X11TestProgram&) = delete;
  X11TestProgram& operator=(const X11TestProgram&) = delete;

  bool started() const { return pid_ > 0 && output_ >= 0; }
  pid_t pid() const { return pid_; }
  // The next line of output, waiting at most `timeoutMs`; none on time-out or end of output.
  std::optional<std::string> readLine(int timeoutMs);
  // Waits for the line `wanted`, or one that goes on after it with a space and more words, skipping others;
  // the whole line, or none when it does not come.
  std::optional<std::string> expectLine(const std::string& wanted, int timeoutMs = kX11WaitMs);
  // The exit status when the program ends by itself (its output ends with it) within `limitMs`.
  std::optional<int> exitStatusWithin(int limitMs);
  // Stops the program (SIGSTOP), as a stall of a busy machine does, and waits until it has stopped; false
  // when it ended instead.
  bool stop();
  // Waits until the program has stopped, whoever stopped it; false when it ended instead.
  bool waitUntilStopped();
  // Lets the stopped program go on (SIGCONT).
  void resume();

 private:
  pid_t pid_ = -1;
  int output_ = -1;
  bool exited_ = false;
  bool ended_ = false;  // the output reached its end
  std::string buffer_;
};

// Runs the check where the current test runs again, on a virtual X server of its own (never on the display
// of whoever runs the tests); the test passes, fails or skips as that run did, and skips when the X tools
// are not installed. `screen` is the server's screen, WIDTHxHEIGHTxDEPTH.
void RunOnVirtualDisplay(void (*check)(), const char* screen = "800x600x24");

// Opens the display of DISPLAY; stays null, the test failed or skipped, when it does not open or has no
// XTest extension.
void OpenDisplayWithXTest(Display*& display);

// The top-level window with that title, waiting until the server shows it (mapped and viewable); 0 when
// it does not come.
Window WaitForWindowNamed(Display* display, const char* name);

using ProgramSteps = void (*)(Display* display, Window window, X11TestProgram& program);

// Opens the display of DISPLAY, starts the program with its desktop `desktopSize` there, waits for its
// "ready" line and its X window, runs the steps, and expects closing the window to end the program. The
// test fails or skips when any of it does not come.
void RunProgramSteps(const char* path, const char* desktopSize, ProgramSteps steps);

// A click of the first button at a point of the window.
void ClickAt(Display* display, Window window, int x, int y);
// Two clicks there, sent in one go as a quick double click comes.
void DoubleClickAt(Display* display, Window window, int x, int y);
// Two clicks there, the second `apartMs` after the first on the X server's clock (the server holds it back),
// then `thenMs` more before the call returns: the clicks have reached the program's connection by then.
// Another program's pointer move to the same place may come before them, stamped as it pleases.
enum class SentFirst {
  Nothing,
  StampedZero,
  StampedAhead,  // an hour ahead of the server's clock
};
void TwoClicksAt(Display* display, Window window, int x, int y, int apartMs, int thenMs = 0,
                 SentFirst sentFirst = SentFirst::Nothing);
// A press of the first button there, a move by (dx, dy) with it held, and the release.
void DragAt(Display* display, Window window, int x, int y, int dx, int dy);

// Types the characters (letters, digits and space) with the keyboard focus on the window.
void TypeText(Display* display, Window window, const std::string& text);
// Presses and releases the keys of the symbols in turn with the keyboard focus on the window, Shift held for
// a symbol its key gives shifted, the third level's shift (AltGr) for one on its key's third or fourth level.
void TypeKeysyms(Display* display, Window window, const std::vector<KeySym>& keysyms);

// Presses and releases the number pad's keys that give the symbols while Num Lock is on (the pad's digits,
// its decimal sign) with the keyboard focus on the window, Shift held if asked; Num Lock is as it is.
void TypeOnNumberPad(Display* display, Window window, const std::vector<KeySym>& keysyms, bool shift = false);

// Puts keys no keymap has (an accented letter, a dead key, a letter on the third level, a pad key) on spare
// key codes while it lives, and restores the keymap when it goes: keep it until the program has read the
// keys. Each key is given as its one symbol, as the number pad's two (without and with Num Lock), or as its
// four by level (the third and fourth come with AltGr).
class SpareKeys {
 public:
  SpareKeys(Display* display, const std::vector<std::vector<KeySym>>& keys);
  ~SpareKeys();
  SpareKeys(const SpareKeys&) = delete;
  SpareKeys& operator=(const SpareKeys&) = delete;

 private:
  Display* display_;
  std::vector<KeyCode> borrowed_;
};

// Asks the window to close, as a window manager's close button does (WM_DELETE_WINDOW).
void SendCloseRequest(Display* display, Window window);

// Asks the window to close, as a window manager's close button does, and expects the program to end with
// status 0 soon after.
void ExpectCloseEndsProgram(Display* display, Window window, X11TestProgram& program);

// The requests of every client that put an image or copy an area (the only ones a display host draws
// with), in the order the server carried them out, recorded through its RECORD extension on connections of
// its own.
struct DrawingRequest {
  bool image;  // an image put, or else an area copied
  XID drawable;
  XRectangle area;      // where it drew
  unsigned long bytes;  // the request's size
};
class DrawingRecorder {
 public:
  DrawingRecorder();
  ~DrawingRecorder();
  DrawingRecorder(const DrawingRecorder&) = delete;
  DrawingRecorder& operator=(const DrawingRecorder&) = delete;

  bool recording() const { return context_ != 0; }
  // The requests recorded since the last call.
  std::vector<DrawingRequest> take();

 private:
  Display* control_;
  Display* data_;
  unsigned long context_ = 0;
  std::vector<DrawingRequest> taken_;
};

}  // namespace native::test

#endif
