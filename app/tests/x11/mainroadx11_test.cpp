// The main road as a user takes it, on a virtual X server: the built program in a program folder of its
// own with its control unit on the simulator's pseudo-terminal. File > New, Add Reaction Times, Download
// Trace, an accented name typed into a results cell, File > Save under that name, File > Save As over it
// (No, then Yes to the question) and File > Exit from the keyboard; then the simulator's requests, the red
// false start on the screen, the saved document, the results interface file and the reaction-time link's
// answer are checked. A second road resizes the event window of a downloaded heat every way a user does, and
// the window is drawn as it was each time it is back at its size. A third keeps Results > Options in front of
// clicks on the main menu bar and the event window, and File > Exit works after Cancel. A fourth goes
// keyboard-first: Alt and a mnemonic open each menu with the event window maximised and restored, and Return
// in a field of Options applies the dialog as OK does. A fifth sends SIGTERM, then the window manager's close
// request, while a trace download runs at the line's pace: the download stops after its lane and the program
// ends by File > Exit's road.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <cairo.h>

#include "app/tests/programtest.h"
#include "model/qvevent.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/yleg.h"
#include "native/user/metrics.h"
#include "native/user/nativetypes.h"
#include "testing/testpictures.h"
#include "tools/cusim/cuscenario.h"

// Xlib's macros (None, True, False) come after every header of ours.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "app/tests/x11/programonx11.h"
#include "app/tests/x11/x11screen.h"

namespace {

constexpr const char* kDesktopSize = "640x480";
// Lanes 7 and 8 share the lowest time and are both charged; lanes 3 and 4 are false starts too, lane 6 has
// none. The results pane shows the last three lanes after the download.
constexpr const char* kReactionTimes = "150,142,95,88,133,none,-20,-20";
// The simulator's request lines come a settling second after each start of an operation.
constexpr int kRequestWaitMs = 4000;

class MainRoadX11Test : public ProgramTest {
 public:
  using ProgramTest::FilePath;
  using ProgramTest::FreePort;
  using ProgramTest::ReadFile;
  using ProgramTest::WriteFile;

  MainRoadX11Test() : ProgramTest(native::DesktopOptions{640, 480, 96}) {}
};

MainRoadX11Test* current = nullptr;

// The simulator started through a script in the program folder, since the test programs start without
// arguments; `more` are further scenario settings.
std::string SimulatorScript(MainRoadX11Test& test, const std::string& more = "") {
  const std::string path = test.FilePath("cusim.sh");
  test.WriteFile("cusim.sh", std::string("#!/bin/sh\nexec '") + KESTROVE_CUSIM +
                                 "' lanes=8 reaction=" + kReactionTimes + more + "\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  return path;
}

// The configuration: the control unit on port 9, a read time-out (short unless the line keeps its real
// pace), the data-out and event folders, event windows side by side, and the reaction-time link listening on
// `linkPort`.
void WriteConfiguration(MainRoadX11Test& test, int linkPort, int timeoutMs = 300) {
  test.WriteFile("kestrove.cfg",
                 "Registry Version: 1.00\n"
                 "\\SerialPorts\\Unit\\Name:String=Control Unit\n"
                 "\\SerialPorts\\Unit\\SerialPort:String=9,19200,8,N,1.0\n"
                 "\\Serial\\ShortTimeout:Int=" +
                     std::to_string(timeoutMs) +
                     "\n"
                     "\\Database\\File\\DataOutDir:String=" +
                     test.FilePath("out") +
                     "/\n"
                     "\\Event\\Directory:String=" +
                     test.FilePath("events") +
                     "/\n"
                     "\\Event\\SingleEvent:Int=0\n"
                     "\\Database\\QXF\\SerialPort:String=-2,0," +
                     std::to_string(linkPort) + "\n");
}

// The request lines the simulator prints until it has been quiet for a while.
std::vector<std::string> RequestLines(native::test::X11TestProgram& simulator) {
  std::vector<std::string> lines;
  int wait = kRequestWaitMs;
  while (const std::optional<std::string> line = simulator.readLine(wait)) {
    lines.push_back(*line);
    wait = 700;
  }
  return lines;
}

bool AnyWith(const std::vector<std::string>& lines, const std::string& text) {
  for (const std::string& line : lines) {
    if (line.find(text) != std::string::npos) {
      return true;
    }
  }
  return false;
}

// The first screen that shows what a step must show and has then stayed the same for `quietMs`, or the last
// one taken when none does within the bound: on a busy machine a step's outcome may start late and be drawn
// in several goes, and a screen that merely stopped changing for a moment may still show the step before.
ScreenPixels ScreenThatShows(Display* display, const std::function<bool(const ScreenPixels&)>& shows,
                             int quietMs = 200) {
  ScreenPixels last = Take(display);
  int quiet = 0;
  for (int waited = 0; waited < 2 * native::test::kX11WaitMs; waited += 100) {
    if (quiet >= quietMs && shows(last)) {
      return last;
    }
    poll(nullptr, 0, 100);
    ScreenPixels now = Take(display);
    quiet = now.pixels == last.pixels ? quiet + 100 : 0;
    last = std::move(now);
  }
  ADD_FAILURE() << "the screen did not settle on the step's outcome";
  return last;
}

bool ShowsColourAt(const ScreenPixels& screen, int x, int y, native::COLORREF colour) {
  return screen.pixels.at(static_cast<size_t>(y * screen.width + x)) == Rgb(colour);
}

bool ActiveCaptionAt(const ScreenPixels& screen, int x, int y) {
  return ShowsColourAt(screen, x, y, native::GetSysColor(native::COLOR_ACTIVECAPTION));
}

// Pixels of `colour` in the rectangle from (left, top) to (right, bottom), its right and bottom edges
// outside.
size_t PixelsIn(const ScreenPixels& screen, int left, int top, int right, int bottom,
                native::COLORREF colour) {
  size_t matching = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      matching += screen.pixels.at(static_cast<size_t>(y * screen.width + x)) == Rgb(colour) ? 1 : 0;
    }
  }
  return matching;
}

// Highlighted pixels of the menu bar round the middle of a title: the title of an open menu is highlighted.
size_t HighlightedTitlePixels(const ScreenPixels& screen, int x) {
  return PixelsIn(screen, x - 8, 24, x + 9, 40, native::GetSysColor(native::COLOR_HIGHLIGHT));
}

// Whether the menu whose title is round `x` in the menu bar is open.
std::function<bool(const ScreenPixels&)> MenuOpenAt(int x) {
  return [x](const ScreenPixels& now) { return HighlightedTitlePixels(now, x) > 100; };
}

// Red pixels in the results pane's rows, under its tool bar and column titles.
size_t RedPixelsInRows(const ScreenPixels& screen) {
  size_t red = 0;
  for (int y = 120; y < 168; ++y) {
    for (int x = 8; x < 616; ++x) {
      // Text is drawn smoothed: its core pixels are strongly red.
      const uint32_t pixel = screen.pixels.at(static_cast<size_t>(y * screen.width + x));
      red += (pixel >> 16) >= 0xC0 && ((pixel >> 8) & 0xFF) < 0x60 && (pixel & 0xFF) < 0x60 ? 1 : 0;
    }
  }
  return red;
}

void WritePng(const ScreenPixels& screen, const std::string& path) {
  std::vector<uint32_t> data(screen.pixels);
  cairo_surface_t* surface =
      cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(data.data()), CAIRO_FORMAT_RGB24,
                                          screen.width, screen.height, screen.width * 4);
  cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
}

void PressWith(Display* display, Window window, KeySym modifier, KeySym key) {
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  const KeyCode held = XKeysymToKeycode(display, modifier);
  const KeyCode code = XKeysymToKeycode(display, key);
  XTestFakeKeyEvent(display, held, True, CurrentTime);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  XTestFakeKeyEvent(display, held, False, CurrentTime);
  XFlush(display);
}

void Press(Display* display, Window window, KeySym key) {
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  const KeyCode code = XKeysymToKeycode(display, key);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  XFlush(display);
}

// Whether the Save As dialog is in front with the name in its name field chosen: its caption shows over the
// event window, and the highlight behind the name's start.
bool SaveAsShown(const ScreenPixels& screen) {
  return ActiveCaptionAt(screen, 300, 73) &&
         PixelsIn(screen, 213, 326, 260, 340, native::GetSysColor(native::COLOR_HIGHLIGHT)) > 200;
}

// Whether Save As asks before replacing a file: its question's caption shows over the dialog's file list.
bool ReplaceQuestionShown(const ScreenPixels& screen) {
  return ActiveCaptionAt(screen, 300, 183);
}

// The File menu's title beside a maximised event window's icon.
constexpr int kFileMenu[] = {50, 32};

// File > Save As from the menu (its sixth item); the screen once the dialog shows, the proposed name chosen
// in its name field. The open menu says that a dialog shown before has gone.
ScreenPixels OpenSaveAs(Display* display, Window window) {
  native::test::ClickAt(display, window, kFileMenu[0], kFileMenu[1]);
  ScreenThatShows(display, MenuOpenAt(kFileMenu[0]));
  for (int item = 0; item < 5; ++item) {
    Press(display, window, XK_Down);
  }
  Press(display, window, XK_Return);
  return ScreenThatShows(display, SaveAsShown);
}

// Waits a bounded time for a file to appear.
bool AppearsWithin(const std::string& path, int limitMs) {
  for (int waited = 0; waited < limitMs; waited += 50) {
    if (std::filesystem::exists(path)) {
      return true;
    }
    poll(nullptr, 0, 50);
  }
  return std::filesystem::exists(path);
}

// The file's inode: a save writes a new file and moves it into place, so a replaced file has another one.
ino_t InodeOf(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 ? status.st_ino : 0;
}

// Waits a bounded time for the file at `path` to be replaced.
bool ReplacedWithin(const std::string& path, ino_t before, int limitMs) {
  for (int waited = 0; waited < limitMs && InodeOf(path) == before; waited += 50) {
    poll(nullptr, 0, 50);
  }
  return InodeOf(path) != before;
}

std::string RunAndRead(const std::string& command, int& status) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) {
    status = -1;
    return output;
  }
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
    output += buffer;
  }
  status = pclose(pipe);
  return output;
}

// The program folder's output and event folders, and port 9 on the simulator's pseudo-terminal.
void UseSimulator(MainRoadX11Test& test, native::test::X11TestProgram& simulator) {
  std::filesystem::create_directories(test.FilePath("out"));
  std::filesystem::create_directories(test.FilePath("events"));
  ASSERT_TRUE(simulator.started());
  const std::optional<std::string> device = simulator.readLine(native::test::kX11WaitMs);
  ASSERT_TRUE(device.has_value() && device->rfind("/dev/", 0) == 0) << device.value_or("no device line");
  setenv("KESTROVE_COM9", device->c_str(), 1);
}

// Cells in the last three rows the results pane shows after the download: lane 8's First Name and
// Affiliation.
constexpr int kLane8FirstName[] = {245, 160};
constexpr int kLane8Affiliation[] = {465, 160};
// The tool bar's Save button, and the close box of the maximised event window at the menu bar's end.
constexpr int kToolBarSave[] = {85, 57};
constexpr int kEventCloseBox[] = {627, 32};
// The event window's question whether to save its changed event before it closes names the event's whole
// path, so it is as many rows high as the path takes (the program folder lies in TMPDIR). It is centred
// across the screen, its buttons across it, and raised a little above the middle: its caption crosses the
// screen's middle column below the menu bar, and Cancel lies in a fixed column above the box's bottom edge.
constexpr int kMiddleColumn = 320;
constexpr int kBelowTheMenuBar = 60;
constexpr int kCloseQuestionCancelColumn = 444;
// Higher than a highlighted row of the results.
constexpr int kCaptionRows = 18;

// The question's caption's top row, or 0 when no caption crosses the middle column below the menu bar.
int CloseQuestionCaptionTop(const ScreenPixels& screen) {
  int run = 0;
  for (int y = kBelowTheMenuBar; y < screen.height / 2; ++y) {
    run = ActiveCaptionAt(screen, kMiddleColumn, y) ? run + 1 : 0;
    if (run == kCaptionRows) {
      return y + 1 - kCaptionRows;
    }
  }
  return 0;
}

bool CloseQuestionShown(const ScreenPixels& screen) {
  return CloseQuestionCaptionTop(screen) != 0;
}

// A point inside the question's Cancel button: up from the box's bottom edge (found down the box's left
// margin, below the caption's left end), the first row of the button's edge in its column.
native::POINT CloseQuestionCancel(const ScreenPixels& screen) {
  const native::COLORREF face = native::GetSysColor(native::COLOR_BTNFACE);
  int y = CloseQuestionCaptionTop(screen);
  int left = kMiddleColumn;
  while (left > 0 && ActiveCaptionAt(screen, left - 1, y)) {
    --left;
  }
  while (y < screen.height - 1 && ActiveCaptionAt(screen, left, y)) {
    ++y;
  }
  while (y < screen.height - 1 && ShowsColourAt(screen, left + 3, y + 1, face)) {
    ++y;
  }
  while (y > 0 && ShowsColourAt(screen, kCloseQuestionCancelColumn, y - 1, face)) {
    --y;
  }
  // A few rows into the button over its bottom edge.
  return {kCloseQuestionCancelColumn, y - 6};
}

bool Covers(const XRectangle& area, native::POINT point) {
  return point.x >= area.x && point.x < area.x + area.width && point.y >= area.y &&
         point.y < area.y + area.height;
}

// The first area drawn on the window over the point since the recording began, waiting a bounded time.
std::optional<XRectangle> FirstDrawnOver(native::test::DrawingRecorder& recorder, Window window,
                                         native::POINT point) {
  for (int waited = 0; waited < native::test::kX11WaitMs; waited += 20) {
    for (const native::test::DrawingRequest& request : recorder.take()) {
      if (request.drawable == window && Covers(request.area, point)) {
        return request.area;
      }
    }
    poll(nullptr, 0, 20);
  }
  return std::nullopt;
}

void ClickCloseQuestionCancel(Display* display, Window window) {
  const native::POINT cancel = CloseQuestionCancel(ScreenThatShows(display, CloseQuestionShown));
  native::test::ClickAt(display, window, cancel.x, cancel.y);
}

// Only Escape throws a typed name away, and the click or key that ends an edit does what it was aimed at.
// Lane 8's First Name typed, then one click on the tool bar's Save; typed again and saved by File > Save's
// key while still edited; then the Affiliation typed and one click on the event window's close box: the
// question whether to save comes at once, and Cancel keeps the window. `saved` is the event's document; the
// results interface file beside it carries the names as text.
void KeepsNamesWhateverEndsTheirEdit(MainRoadX11Test& test, Display* display, Window window,
                                     const std::string& saved) {
  const std::string interfacePath = test.FilePath("out/M\xC3\xBCller-Jos\xC3\xA9.qxf");
  // The document saved by `save`; the lane's names in the results interface file written after it.
  const auto savedBy = [&](const std::function<void()>& save) {
    const ino_t document = InodeOf(saved);
    const ino_t interfaceFile = InodeOf(interfacePath);
    save();
    EXPECT_TRUE(ReplacedWithin(saved, document, native::test::kX11WaitMs)) << "not saved";
    EXPECT_TRUE(ReplacedWithin(interfacePath, interfaceFile, native::test::kX11WaitMs)) << "no results file";
    return test.ReadFile("out/M\xC3\xBCller-Jos\xC3\xA9.qxf");
  };
  native::test::ClickAt(display, window, kLane8FirstName[0], kLane8FirstName[1]);
  native::test::TypeKeysyms(display, window, {XK_Z, XK_o, XK_e});
  const std::string clicked =
      savedBy([&] { native::test::ClickAt(display, window, kToolBarSave[0], kToolBarSave[1]); });
  EXPECT_NE(clicked.find("\r\n8,,M\xFCller-Jos\xE9,Zoe,"), std::string::npos) << "Zoe lost by Save's button";

  native::test::ClickAt(display, window, kLane8FirstName[0], kLane8FirstName[1]);
  native::test::TypeKeysyms(display, window, {XK_E, XK_v, XK_a});
  const std::string keyed = savedBy([&] { PressWith(display, window, XK_Control_L, XK_s); });
  EXPECT_NE(keyed.find("\r\n8,,M\xFCller-Jos\xE9,Eva,"), std::string::npos) << "Eva lost by Save's key";

  native::test::ClickAt(display, window, kLane8Affiliation[0], kLane8Affiliation[1]);
  native::test::TypeKeysyms(display, window, {XK_I, XK_d, XK_a});
  native::test::ClickAt(display, window, kEventCloseBox[0], kEventCloseBox[1]);
  WritePng(ScreenThatShows(display, CloseQuestionShown), TestPicturePath("mainroad-close-question.png"));
  ClickCloseQuestionCancel(display, window);
  ScreenThatShows(display, [](const ScreenPixels& now) { return !CloseQuestionShown(now); });
}

bool ShowsFalseStarts(const ScreenPixels& screen) {
  return RedPixelsInRows(screen) > 0;
}

// A file as a save leaves it: a save writes a new file and moves it into place.
struct FileStamp {
  ino_t inode = 0;
  timespec modified{};
  bool operator==(const FileStamp& other) const {
    return inode == other.inode && modified.tv_sec == other.modified.tv_sec &&
           modified.tv_nsec == other.modified.tv_nsec;
  }
};

FileStamp StampOf(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 ? FileStamp{status.st_ino, status.st_mtim} : FileStamp{};
}

// Alt held down while another X window takes the keyboard focus, let go there, and the focus back.
void AltLetGoInAnotherWindow(Display* display, Window window) {
  const Window other = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 40, 40, 0, 0, 0);
  XMapRaised(display, other);
  XSync(display, False);
  const KeyCode alt = XKeysymToKeycode(display, XK_Alt_L);
  XTestFakeKeyEvent(display, alt, True, CurrentTime);
  XSync(display, False);
  XSetInputFocus(display, other, RevertToParent, CurrentTime);
  XSync(display, False);
  XTestFakeKeyEvent(display, alt, False, CurrentTime);
  XDestroyWindow(display, other);
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  XSync(display, False);
}

// Keys do what they name on a changed event: Ctrl+F4 asks whether to save it before closing its window and
// writes nothing until answered, and Cancel keeps the window. Alt that closes an open menu, or Alt let go in
// another window, leaves no menu mode behind: f, s and Return typed then are no File > Save. Each time the
// question Ctrl+F4 brings says that the keys before it have been taken.
void KeysDoWhatTheyName(MainRoadX11Test& test, Display* display, Window window, const std::string& saved) {
  const std::string interfacePath = test.FilePath("out/M\xC3\xBCller-Jos\xC3\xA9.qxf");
  const FileStamp document = StampOf(saved);
  const FileStamp interfaceFile = StampOf(interfacePath);
  const auto asksAndSavesNothing = [&](const char* after) {
    native::test::DrawingRecorder recorder;
    PressWith(display, window, XK_Control_L, XK_F4);
    const ScreenPixels asked = ScreenThatShows(display, CloseQuestionShown);
    // The question reaches the window whole: what first drew its caption drew its buttons too.
    const std::optional<XRectangle> first =
        FirstDrawnOver(recorder, window, {kMiddleColumn, CloseQuestionCaptionTop(asked)});
    EXPECT_TRUE(first && Covers(*first, CloseQuestionCancel(asked)))
        << "the question reached the window in pieces after " << after;
    EXPECT_EQ(StampOf(saved), document) << "the document was written after " << after;
    EXPECT_EQ(StampOf(interfacePath), interfaceFile) << "the results file was written after " << after;
    ClickCloseQuestionCancel(display, window);
    ScreenThatShows(
        display, [](const ScreenPixels& now) { return !CloseQuestionShown(now) && ShowsFalseStarts(now); });
  };
  const auto typeFileSave = [&] {
    native::test::TypeKeysyms(display, window, {XK_f, XK_s});
    Press(display, window, XK_Return);
  };
  asksAndSavesNothing("Ctrl+F4");

  PressWith(display, window, XK_Alt_L, XK_f);
  ScreenThatShows(display, MenuOpenAt(kFileMenu[0]));
  Press(display, window, XK_Alt_L);
  ScreenThatShows(display, [](const ScreenPixels& now) { return !MenuOpenAt(kFileMenu[0])(now); });
  typeFileSave();
  asksAndSavesNothing("Alt closed the File menu");

  AltLetGoInAnotherWindow(display, window);
  typeFileSave();
  asksAndSavesNothing("Alt was let go in another window");
}

// A second event window from File > New: Alt and a window's number bring that window to the front and leave
// no menu bar mode behind, so File > Save's key then saves that window's document. The new one's Save asks
// for a name; once saved it is closed, and the downloaded event is in front again.
void SavesTheWindowChosenByItsNumber(MainRoadX11Test& test, native::test::X11TestProgram& simulator,
                                     Display* display, Window window, const std::string& saved) {
  const auto showsNoFalseStart = [](const ScreenPixels& now) { return !ShowsFalseStarts(now); };
  PressWith(display, window, XK_Control_L, XK_n);
  // Keys typed while the new event's lane states go to the unit are thrown away.
  EXPECT_TRUE(AnyWith(RequestLines(simulator), "command 0x00020005")) << "no lane states after New";
  ScreenThatShows(display, showsNoFalseStart);
  const ino_t before = InodeOf(saved);
  PressWith(display, window, XK_Alt_L, XK_1);
  ScreenThatShows(display, ShowsFalseStarts);
  PressWith(display, window, XK_Control_L, XK_s);
  EXPECT_TRUE(ReplacedWithin(saved, before, native::test::kX11WaitMs)) << "Alt+1, then Ctrl+S saved nothing";

  PressWith(display, window, XK_Alt_L, XK_2);
  ScreenThatShows(display, showsNoFalseStart);
  PressWith(display, window, XK_Control_L, XK_s);
  ScreenThatShows(display, SaveAsShown);
  native::test::TypeKeysyms(display, window, {XK_S, XK_e, XK_c, XK_o, XK_n, XK_d});
  Press(display, window, XK_Return);
  EXPECT_TRUE(AppearsWithin(test.FilePath("events/Second.qve"), native::test::kX11WaitMs))
      << "Alt+2, then Ctrl+S saved nothing";
  PressWith(display, window, XK_Control_L, XK_w);
  ScreenThatShows(display, ShowsFalseStarts);
}

// Lane 1's athlete field `field` (0 the last name, 1 the first name) in the saved document.
std::string Lane1Field(const std::string& saved, int32_t field) {
  QvEvent document;
  if (document.Open(QvEvent::kOpenFile, KString::FromUtf8(saved)) != 0 || document.GetLegCount() == 0) {
    return "(no document)";
  }
  const QvResult* lane1 = document.Leg(0)->Results().Iterate(nullptr, nullptr);
  return lane1 != nullptr ? lane1->AthleteField(field).ToUtf8() : "(no lane)";
}

// The arrow up of the results pane's scroll bar, beside its top row. Lane 1's row once the pane is scrolled
// to its top: its Lane cell, its Last Name cell where "Schmidt" of "Mueller Schmidt" shows and left of it,
// its First Name cell where a short first name shows and right of it.
constexpr int kResultsLineUp[] = {626, 128};
constexpr int kLane1Lane[] = {25, 128};
constexpr int kLane1LastName[] = {310, 128};
constexpr int kLane1Schmidt[] = {363, 128};
constexpr int kLane1FirstName[] = {270, 128};
constexpr int kLane1FirstWord[] = {210, 128};
// The double-click time is 500 ms: a user's second click a second after the first is a click of its own.
constexpr int kUserPauseMs = 1000;

// A second click in the field a click opened puts the caret where it lands once the double-click time has
// gone; a double click on the current row's cell still chooses the word under it. Lane 1, reached by
// scrolling the results pane to its top and a click on its row, gets "Mueller Schmidt" as its last name; a
// click on "Schmidt" opens the field, the user's second click there comes a second later, and the X typed
// then goes into "Schmidt" where the click put the caret rather than over it. Its first name, two words,
// gets a user's double click on the first, the second press 150 ms later and a pixel aside, and Z typed
// over that word. Each is read back from the document File > Save's key writes. Lane 1's last name as it
// was left.
std::string PlacesTheCaretWhereASecondClickLands(Display* display, Window window, const std::string& saved) {
  const auto savedLane1 = [&](int32_t field) {
    const ino_t before = InodeOf(saved);
    PressWith(display, window, XK_Control_L, XK_s);
    EXPECT_TRUE(ReplacedWithin(saved, before, native::test::kX11WaitMs)) << "not saved";
    return Lane1Field(saved, field);
  };
  // Lanes 6 to 8 are shown: five lines up is lane 1.
  for (int line = 0; line < 5; ++line) {
    native::test::ClickAt(display, window, kResultsLineUp[0], kResultsLineUp[1]);
  }
  native::test::ClickAt(display, window, kLane1Lane[0], kLane1Lane[1]);
  native::test::ClickAt(display, window, kLane1LastName[0], kLane1LastName[1]);
  native::test::TypeKeysyms(
      display, window,
      {XK_M, XK_u, XK_e, XK_l, XK_l, XK_e, XK_r, XK_space, XK_S, XK_c, XK_h, XK_m, XK_i, XK_d, XK_t});
  Press(display, window, XK_Return);
  const std::string typed = savedLane1(0);
  if (typed != "Mueller Schmidt") {
    ADD_FAILURE() << "lane 1's last name: " << typed;
    return typed;
  }

  const auto selectedInLastName = [](const ScreenPixels& now) {
    return PixelsIn(now, 300, 122, 410, 135, native::GetSysColor(native::COLOR_HIGHLIGHT)) > 200;
  };
  native::test::ClickAt(display, window, kLane1Schmidt[0], kLane1Schmidt[1]);
  WritePng(ScreenThatShows(display, selectedInLastName), TestPicturePath("mainroad-cell-field-open.png"));
  poll(nullptr, 0, kUserPauseMs);
  native::test::ClickAt(display, window, kLane1Schmidt[0], kLane1Schmidt[1]);
  native::test::TypeKeysyms(display, window, {XK_X});
  Press(display, window, XK_Return);
  const std::string lastName = savedLane1(0);
  EXPECT_EQ(lastName, "Mueller SchXmidt") << "X went elsewhere than where the second click landed";

  native::test::ClickAt(display, window, kLane1FirstName[0], kLane1FirstName[1]);
  native::test::TypeKeysyms(display, window, {XK_A, XK_n, XK_n, XK_a, XK_space, XK_L, XK_e, XK_n, XK_a});
  Press(display, window, XK_Return);
  EXPECT_EQ(savedLane1(1), "Anna Lena");
  // The server holds the second click back for the gap, so it comes that much later however busy the
  // machine is.
  constexpr int kDoubleClickGapMs = 150;
  native::test::ClickAt(display, window, kLane1FirstWord[0], kLane1FirstWord[1]);
  XTestFakeRelativeMotionEvent(display, 1, 0, kDoubleClickGapMs);
  XTestFakeButtonEvent(display, Button1, True, CurrentTime);
  XTestFakeButtonEvent(display, Button1, False, CurrentTime);
  XFlush(display);
  native::test::TypeKeysyms(display, window, {XK_Z});
  Press(display, window, XK_Return);
  EXPECT_EQ(savedLane1(1), "Z Lena") << "the double click did not choose the word under it";
  return lastName;
}

void CheckOnDisplay() {
  MainRoadX11Test& test = *current;
  native::test::X11TestProgram simulator(SimulatorScript(test).c_str(), nullptr);
  ASSERT_NO_FATAL_FAILURE(UseSimulator(test, simulator));
  const int linkPort = MainRoadX11Test::FreePort();
  ASSERT_NE(linkPort, 0);
  WriteConfiguration(test, linkPort);
  ProgramOnX11 started(test.FilePath("kestrove"), kDesktopSize);
  if (!started.Running()) {
    return;
  }
  Display* display = started.display;
  const Window window = started.window;
  native::test::X11TestProgram& program = *started.program;
  WaitForFrame(display);

  // File > New: the new event's lane states go to the unit.
  PressWith(display, window, XK_Control_L, XK_n);
  const std::vector<std::string> afterNew = RequestLines(simulator);
  EXPECT_TRUE(AnyWith(afterNew, "command 0x00020005")) << "no lane states after New";
  EXPECT_EQ(RedPixelsInRows(Take(display)), 0u) << "red before the download";

  // Add Reaction Times, then Download Trace.
  PressWith(display, window, XK_Control_L, XK_r);
  const std::vector<std::string> timesRequests = RequestLines(simulator);
  EXPECT_TRUE(AnyWith(timesRequests, "command 0x00020003")) << "no trial request";
  PressWith(display, window, XK_Control_L, XK_t);
  EXPECT_FALSE(RequestLines(simulator).empty()) << "no trace requests";
  const ScreenPixels downloaded =
      ScreenThatShows(display, [](const ScreenPixels& now) { return RedPixelsInRows(now) > 0; });
  WritePng(downloaded, TestPicturePath("mainroad-after-download.png"));
  EXPECT_GT(RedPixelsInRows(downloaded), 0u) << "no red false start after the download";

  // An accented name typed into lane 8's Last Name cell (the current row: a click edits it), then File >
  // Save under it: the u umlaut on a key of its own, the e acute from a dead key and the letter.
  const std::vector<KeySym> accentedName = {XK_M,     XK_udiaeresis, XK_l, XK_l, XK_e,          XK_r,
                                            XK_minus, XK_J,          XK_o, XK_s, XK_dead_acute, XK_e};
  const std::string saved = test.FilePath("events/M\xC3\xBCller-Jos\xC3\xA9.qve");
  {
    native::test::SpareKeys spare(display, {{XK_udiaeresis}, {XK_dead_acute}});
    native::test::ClickAt(display, window, 355, 160);
    native::test::TypeKeysyms(display, window, accentedName);
    Press(display, window, XK_Return);
    PressWith(display, window, XK_Control_L, XK_s);
    ScreenThatShows(display, SaveAsShown);
    // The file name field, emptied, then the name.
    native::test::ClickAt(display, window, 365, 333);
    Press(display, window, XK_End);
    for (int i = 0; i < 12; ++i) {
      Press(display, window, XK_BackSpace);
    }
    native::test::TypeKeysyms(display, window, accentedName);
    Press(display, window, XK_Return);
    EXPECT_TRUE(AppearsWithin(saved, native::test::kX11WaitMs)) << "no saved document";
  }
  ASSERT_TRUE(AppearsWithin(test.FilePath("out/M\xC3\xBCller-Jos\xC3\xA9.qxf"), 3000))
      << "no results interface file";
  // Reaction time and false-start field of lanes 3, 4, 6 and 7: false starts, none, charged.
  // Lane 8's name in the file's one-byte code set.
  const std::vector<std::string> laneFields = {"\r\n3,,,,,,0,0.095,1,", "\r\n4,,,,,,0,0.088,1,",
                                               "\r\n6,,,,,,0,,0,", "\r\n7,,,,,,0,-0.020,2,",
                                               "\r\n8,,M\xFCller-Jos\xE9,"};
  const std::string interfaceFile = test.ReadFile("out/M\xC3\xBCller-Jos\xC3\xA9.qxf");
  for (const std::string& fields : laneFields) {
    EXPECT_NE(interfaceFile.find(fields), std::string::npos) << fields << " in\n" << interfaceFile;
  }
  KeepsNamesWhateverEndsTheirEdit(test, display, window, saved);
  KeysDoWhatTheyName(test, display, window, saved);
  SavesTheWindowChosenByItsNumber(test, simulator, display, window, saved);
  const std::string lane1LastName = PlacesTheCaretWhereASecondClickLands(display, window, saved);

  // File > Save As proposes the saved document itself: Enter asks before replacing it, Enter again answers
  // No and the dialog is back with the name; Enter there asks again, and Yes (Tab, Enter) replaces it.
  const ino_t savedInode = InodeOf(saved);
  WritePng(OpenSaveAs(display, window), TestPicturePath("mainroad-save-as.png"));
  Press(display, window, XK_Return);
  WritePng(ScreenThatShows(display, ReplaceQuestionShown), TestPicturePath("mainroad-replace-question.png"));
  EXPECT_EQ(InodeOf(saved), savedInode) << "replaced without Yes";
  Press(display, window, XK_Return);
  WritePng(
      ScreenThatShows(display,
                      [](const ScreenPixels& now) { return SaveAsShown(now) && !ReplaceQuestionShown(now); }),
      TestPicturePath("mainroad-replace-no.png"));
  Press(display, window, XK_Return);
  ScreenThatShows(display, ReplaceQuestionShown);
  EXPECT_EQ(InodeOf(saved), savedInode) << "replaced without Yes";
  Press(display, window, XK_Tab);
  Press(display, window, XK_Return);
  EXPECT_TRUE(ReplacedWithin(saved, savedInode, native::test::kX11WaitMs))
      << "Yes did not replace the document";

  // File > Save As once more, "N1234.5" typed over the proposed name with the number pad's digits and decimal
  // sign under Num Lock: its ".5" is no document's extension, so ".qve" is added to the whole name.
  OpenSaveAs(display, window);
  native::test::TypeKeysyms(display, window, {XK_N});
  Press(display, window, XK_Num_Lock);
  native::test::TypeOnNumberPad(display, window,
                                {XK_KP_1, XK_KP_2, XK_KP_3, XK_KP_4, XK_KP_Decimal, XK_KP_5});
  Press(display, window, XK_Num_Lock);
  Press(display, window, XK_Return);
  EXPECT_TRUE(AppearsWithin(test.FilePath("events/N1234.5.qve"), native::test::kX11WaitMs))
      << "nothing saved as N1234.5.qve";

  int status = 0;
  const std::string answer =
      RunAndRead(std::string(KESTROVE_PFPEER) + " rrq 0 " + std::to_string(linkPort) + " 1 1 1", status);
  EXPECT_EQ(status, 0) << answer;
  EXPECT_NE(answer.find("RRP"), std::string::npos) << answer;
  EXPECT_NE(answer.find("7,,,,,,0,-0.020,2,"), std::string::npos) << answer;

  // File > Exit: a click opens the File menu (beside the event window's icon), its last item is Exit.
  native::test::ClickAt(display, window, kFileMenu[0], kFileMenu[1]);
  ScreenThatShows(display, MenuOpenAt(kFileMenu[0]));
  Press(display, window, XK_Up);
  Press(display, window, XK_Return);
  EXPECT_EQ(program.exitStatusWithin(native::test::kX11WaitMs), std::optional<int>(0));
  unsetenv("KESTROVE_COM9");

  // The saved document, opened again, has the rule's marks.
  QvEvent document;
  ASSERT_EQ(document.Open(QvEvent::kOpenFile, KString::FromUtf8(saved)), 0);
  ASSERT_GT(document.GetLegCount(), 0);
  struct Lane {
    int32_t milliseconds;
    bool falseStart;
    bool charged;
  };
  const Lane lanes[] = {{150, false, false}, {142, false, false}, {95, true, false},
                        {88, true, false},   {133, false, false}, {CuScenario::kNone, false, false},
                        {-20, true, true},   {-20, true, true}};
  // Lane 1's last name as the step on its cell left it, lane 8's the accented one.
  const std::string lastNames[] = {lane1LastName, "", "", "", "", "", "", "M\xC3\xBCller-Jos\xC3\xA9"};
  QvResults& results = document.Leg(0)->Results();
  int32_t lane = 0;
  for (const QvResult* result = results.Iterate(nullptr, nullptr); result != nullptr && lane < 8;
       result = results.Iterate(result, nullptr), ++lane) {
    SCOPED_TRACE(lane + 1);
    EXPECT_EQ(result->GetReactionTime().ToMilliseconds(), lanes[lane].milliseconds);
    EXPECT_EQ(result->IsFalseStart(), lanes[lane].falseStart);
    EXPECT_EQ(result->IsFalseStartCharged(), lanes[lane].charged);
    EXPECT_EQ(result->AthleteField(0).ToUtf8(), lastNames[lane]);
  }
  EXPECT_EQ(lane, 8);
}

// Pixels of the rows from `top` to `bottom` that differ between two screens of one size.
size_t DifferingPixels(const ScreenPixels& a, const ScreenPixels& b, int top, int bottom) {
  size_t differing = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < a.width; ++x) {
      const size_t at = static_cast<size_t>(y * a.width + x);
      differing += a.pixels.at(at) != b.pixels.at(at) ? 1 : 0;
    }
  }
  return differing;
}

// Places on the 1024 x 768 desktop: the restore box of a maximised event window in the menu bar, the Window
// menu beside a restored one, the lower right corner of the restored window, the maximise box of the tiled
// window, the chart tool bar's Maximize button in the maximised event window and its Restore button in the
// enlarged chart.
constexpr int kRestoreBox[] = {992, 32};
constexpr int kWindowMenu[] = {327, 32};
constexpr int kRestoredCorner[] = {500, 418};
constexpr int kTiledMaximiseBox[] = {987, 85};
constexpr int kChartMaximize[] = {38, 259};
constexpr int kChartRestore[] = {38, 85};
// The rows of the event window on the desktop, below the frame's menu and tool bars and above its status bar.
constexpr int kEventTop = 72;
constexpr int kEventBottom = 740;
// The traces' pens on the screen: a false start's is red.
constexpr native::COLORREF kTraceBlue = 0xff0000;
constexpr native::COLORREF kFalseStartRed = 0x0000ff;
// The row of an event window's caption when it is not maximised.
constexpr int kEventCaptionRow = 84;

size_t PixelsOf(const ScreenPixels& screen, native::COLORREF colour) {
  return static_cast<size_t>(std::count(screen.pixels.begin(), screen.pixels.end(), Rgb(colour)));
}

// Whether the chart shows its lanes: a new event's lines, or the downloaded traces.
bool ChartShown(const ScreenPixels& screen) {
  return PixelsOf(screen, kTraceBlue) > 3000;
}

// Whether the event window, not maximised, reaches `x` on the desktop: its caption shows there.
std::function<bool(const ScreenPixels&)> EventWindowReaches(int x) {
  return [x](const ScreenPixels& now) { return ActiveCaptionAt(now, x, kEventCaptionRow); };
}

// Whether the program asks whether to save the changed event before it ends: the question's caption shows.
bool ExitQuestionShown(const ScreenPixels& screen) {
  return ActiveCaptionAt(screen, 650, 159);
}

// The program on the 1024 x 768 desktop with the simulator as its unit (`more`: further scenario settings),
// the read time-out `timeoutMs` and a new event from File > New; the steps then end the program, with status
// 0.
using StartedSteps = std::function<void(ProgramOnX11&, native::test::X11TestProgram& simulator)>;
void OnNewEvent(const std::string& more, int timeoutMs, const StartedSteps& steps) {
  MainRoadX11Test& test = *current;
  native::test::X11TestProgram simulator(SimulatorScript(test, more).c_str(), nullptr);
  ASSERT_NO_FATAL_FAILURE(UseSimulator(test, simulator));
  WriteConfiguration(test, MainRoadX11Test::FreePort(), timeoutMs);
  std::filesystem::remove(test.FilePath("kestrove"));
  ProgramOnX11 started(test.FilePath("kestrove"), "1024x768");
  if (!started.Running()) {
    return;
  }
  WaitForFrame(started.display);
  PressWith(started.display, started.window, XK_Control_L, XK_n);
  RequestLines(simulator);
  steps(started, simulator);
  EXPECT_EQ(started.program->exitStatusWithin(native::test::kX11WaitMs), std::optional<int>(0));
  unsetenv("KESTROVE_COM9");
}

// The steps on a new event, then File > Exit: with No to saving the event when the steps `changed` it, else
// with nothing asked.
using EventSteps = std::function<void(Display*, Window, native::test::X11TestProgram& simulator)>;
void OnNewEventThenExit(const EventSteps& steps, bool changed) {
  OnNewEvent("", 300, [&steps, changed](ProgramOnX11& started, native::test::X11TestProgram& simulator) {
    Display* display = started.display;
    const Window window = started.window;
    steps(display, window, simulator);
    native::test::ClickAt(display, window, kFileMenu[0], kFileMenu[1]);
    ScreenThatShows(display, MenuOpenAt(kFileMenu[0]));
    Press(display, window, XK_Up);
    Press(display, window, XK_Return);
    if (changed) {
      ScreenThatShows(display, ExitQuestionShown);
      Press(display, window, XK_Tab);
      Press(display, window, XK_space);
    }
  });
}

void ResizeSteps(Display* display, Window window, native::test::X11TestProgram& simulator) {
  WritePng(ScreenThatShows(display, ChartShown), TestPicturePath("resize-x11-new.png"));
  PressWith(display, window, XK_Control_L, XK_t);
  EXPECT_FALSE(RequestLines(simulator).empty()) << "no trace requests";
  // The end of a download draws the chart after the table, the false starts' traces last: a second without
  // change after them says it is done.
  const ScreenPixels downloaded = ScreenThatShows(
      display, [](const ScreenPixels& now) { return PixelsOf(now, kFalseStartRed) > 1000; }, 1000);
  WritePng(downloaded, TestPicturePath("resize-x11-downloaded.png"));
  const auto likeDownloaded = [&](const ScreenPixels& now) {
    return DifferingPixels(downloaded, now, kEventTop, kEventBottom) == 0;
  };

  // Restore, a drag of the corner, Window > Tile horizontal, maximise: the window is back as it was.
  native::test::ClickAt(display, window, kRestoreBox[0], kRestoreBox[1]);
  WritePng(ScreenThatShows(display, EventWindowReaches(300)), TestPicturePath("resize-x11-restored.png"));
  native::test::DragAt(display, window, kRestoredCorner[0], kRestoredCorner[1], 300, 200);
  WritePng(ScreenThatShows(display, EventWindowReaches(kRestoredCorner[0] + 200)),
           TestPicturePath("resize-x11-resized.png"));
  native::test::ClickAt(display, window, kWindowMenu[0], kWindowMenu[1]);
  ScreenThatShows(display, MenuOpenAt(kWindowMenu[0]));
  for (const KeySym key : {XK_Down, XK_Down, XK_Return}) {
    Press(display, window, key);
  }
  WritePng(ScreenThatShows(display, EventWindowReaches(kTiledMaximiseBox[0] - 40)),
           TestPicturePath("resize-x11-tiled.png"));
  native::test::ClickAt(display, window, kTiledMaximiseBox[0], kTiledMaximiseBox[1]);
  const ScreenPixels maximised = ScreenThatShows(display, likeDownloaded);
  WritePng(maximised, TestPicturePath("resize-x11-maximised.png"));
  EXPECT_EQ(DifferingPixels(downloaded, maximised, kEventTop, kEventBottom), 0u) << "after maximise";

  // The chart enlarged and restored: the window is back as it was.
  native::test::ClickAt(display, window, kChartMaximize[0], kChartMaximize[1]);
  // Enlarged, the chart's white shows where the table's rows were.
  const ScreenPixels enlarged = ScreenThatShows(display, [](const ScreenPixels& now) {
    return ChartShown(now) && ShowsColourAt(now, 300, 160, native::RGB(255, 255, 255));
  });
  WritePng(enlarged, TestPicturePath("resize-x11-chart-enlarged.png"));
  EXPECT_GT(PixelsOf(enlarged, kTraceBlue), 3000u) << "the enlarged chart's traces";
  native::test::ClickAt(display, window, kChartRestore[0], kChartRestore[1]);
  const ScreenPixels chartRestored = ScreenThatShows(display, likeDownloaded);
  WritePng(chartRestored, TestPicturePath("resize-x11-chart-restored.png"));
  EXPECT_EQ(DifferingPixels(downloaded, chartRestored, kEventTop, kEventBottom), 0u) << "after the chart";
}

void CheckResizeOnDisplay() {
  OnNewEventThenExit(&ResizeSteps, true);
}

// Places on the 1024 x 768 desktop with a maximised event window: the Results and Window menus in the menu
// bar, the chart pane's left margin beside the Options dialog, and the dialog's Cancel button.
constexpr int kResultsMenu[] = {143, 32};
constexpr int kWindowMenuMaximised[] = {357, 32};
constexpr int kChartMargin[] = {30, 500};
constexpr int kOptionsCancel[] = {577, 506};

// Whether an Options dialog is in front: its caption shows over the event window.
bool OptionsShown(const ScreenPixels& screen) {
  return ActiveCaptionAt(screen, 600, 84);
}

// Whether Results > Options shows whole: its caption, and its list of missing lanes with the first chosen.
bool ResultsOptionsShown(const ScreenPixels& screen) {
  return OptionsShown(screen) &&
         ShowsColourAt(screen, 350, 234, native::GetSysColor(native::COLOR_HIGHLIGHT));
}

void ModalSteps(Display* display, Window window, native::test::X11TestProgram&) {
  ScreenThatShows(display, ChartShown);
  // Results > Options: its last item.
  native::test::ClickAt(display, window, kResultsMenu[0], kResultsMenu[1]);
  ScreenThatShows(display, MenuOpenAt(kResultsMenu[0]));
  Press(display, window, XK_Up);
  Press(display, window, XK_Return);
  const ScreenPixels options = ScreenThatShows(display, ResultsOptionsShown);
  WritePng(options, TestPicturePath("modal-x11-options.png"));

  // The clicks change nothing, so the keys after them say when they have been taken: Tab moves the focus
  // from the first field, Shift+Tab brings it back, and the dialog must then be as it was.
  for (const int* place : {kResultsMenu, kWindowMenuMaximised, kChartMargin}) {
    native::test::ClickAt(display, window, place[0], place[1]);
  }
  Press(display, window, XK_Tab);
  ScreenThatShows(display,
                  [&](const ScreenPixels& now) { return DifferingPixels(options, now, 0, now.height) > 0; });
  PressWith(display, window, XK_Shift_L, XK_Tab);
  const ScreenPixels clicked = ScreenThatShows(
      display, [&](const ScreenPixels& now) { return DifferingPixels(options, now, 0, now.height) == 0; });
  WritePng(clicked, TestPicturePath("modal-x11-clicked.png"));
  EXPECT_EQ(DifferingPixels(options, clicked, 0, options.height), 0u) << "Options is no longer as it was";

  native::test::ClickAt(display, window, kOptionsCancel[0], kOptionsCancel[1]);
  ScreenThatShows(display, [](const ScreenPixels& now) { return !OptionsShown(now); });
}

void CheckModalOnDisplay() {
  OnNewEventThenExit(&ModalSteps, false);
}

// The menu titles' mnemonics and the middle of each title in the bar with the event window restored;
// maximised, the window's icon in front of them moves them kMaximisedShift pixels right.
struct MenuTitle {
  KeySym mnemonic;
  int restoredX;
};
constexpr MenuTitle kMenuTitles[] = {{XK_f, 20}, {XK_c, 61}, {XK_r, 113}, {XK_s, 255}, {XK_w, 327}};
constexpr int kMaximisedShift = 30;
// The restored event window's maximise box and a place in its chart pane.
constexpr int kRestoredMaximiseBox[] = {472, 85};
constexpr int kRestoredChart[] = {250, 300};

// Alt and each menu's mnemonic, the event window maximised and then restored with the last click in its
// chart: each opens its menu, and two Escapes close it again.
void AltLetterSteps(Display* display, Window window) {
  for (const bool restored : {false, true}) {
    if (restored) {
      native::test::ClickAt(display, window, kRestoreBox[0], kRestoreBox[1]);
      ScreenThatShows(display, EventWindowReaches(300));
      native::test::ClickAt(display, window, kRestoredChart[0], kRestoredChart[1]);
    } else {
      ScreenThatShows(display, ChartShown);
    }
    for (const MenuTitle& title : kMenuTitles) {
      const int x = title.restoredX + (restored ? 0 : kMaximisedShift);
      PressWith(display, window, XK_Alt_L, title.mnemonic);
      const ScreenPixels open = ScreenThatShows(display, MenuOpenAt(x));
      EXPECT_GT(HighlightedTitlePixels(open, x), 100u)
          << (restored ? "restored" : "maximised") << ", Alt+" << XKeysymToString(title.mnemonic);
      Press(display, window, XK_Escape);
      Press(display, window, XK_Escape);
      ScreenThatShows(display, [x](const ScreenPixels& now) { return HighlightedTitlePixels(now, x) == 0; });
    }
  }
  native::test::ClickAt(display, window, kRestoredMaximiseBox[0], kRestoredMaximiseBox[1]);
  ScreenThatShows(display,
                  [](const ScreenPixels& now) { return ChartShown(now) && !EventWindowReaches(300)(now); });
}

// Return in a field of Options, opened from a menu by its mnemonics, applies the dialog as OK does.
struct ReturnInOptions {
  KeySym menu;
  KeySym item;
  int field[2];
  const char* typed;  // null: a check box, clicked
};
constexpr ReturnInOptions kReturnsInOptions[] = {
    {XK_c, XK_o, {285, 312}, nullptr},  // Chart > Options, "Show the power axis"
    {XK_c, XK_o, {484, 287}, "1"},      // Chart > Options, the time range's start
    {XK_f, XK_t, {448, 337}, "2"},      // File > Options, the download's starting time
};

void ReturnInOptionsSteps(Display* display, Window window) {
  for (const ReturnInOptions& step : kReturnsInOptions) {
    SCOPED_TRACE(step.typed != nullptr ? step.typed : "check box");
    PressWith(display, window, XK_Alt_L, step.menu);
    Press(display, window, step.item);
    EXPECT_TRUE(OptionsShown(ScreenThatShows(display, OptionsShown)));
    native::test::ClickAt(display, window, step.field[0], step.field[1]);
    if (step.typed != nullptr) {
      Press(display, window, XK_End);
      for (int i = 0; i < 4; ++i) {
        Press(display, window, XK_BackSpace);
      }
      native::test::TypeText(display, window, step.typed);
    }
    Press(display, window, XK_Return);
    EXPECT_FALSE(OptionsShown(ScreenThatShows(display, [](const ScreenPixels& now) {
      return !OptionsShown(now);
    }))) << "Options still open after Return";
  }
}

void CheckKeyboardOnDisplay() {
  OnNewEventThenExit(
      [](Display* display, Window window, native::test::X11TestProgram&) {
        AltLetterSteps(display, window);
        ReturnInOptionsSteps(display, window);
      },
      false);
  const std::string configuration = current->ReadFile("kestrove.cfg");
  for (const char* line : {"\\Chart\\Axes\\ShowY:Bool=1\n", "\\Chart\\Axes\\MinX:Float=1\n",
                           "\\Hardware\\BlockSensor\\StartTimeDL:Float=2\n"}) {
    EXPECT_NE(configuration.find(line), std::string::npos) << line << " in\n" << configuration;
  }
}

TEST_F(MainRoadX11Test, AltLettersOpenTheMenusAndReturnAppliesOptionsWithAnEventWindowOpen) {
  current = this;
  native::test::RunOnVirtualDisplay(&CheckKeyboardOnDisplay, "1024x768x24");
  current = nullptr;
}

// Lines of the simulator's requests for a command.
size_t CountWith(const std::vector<std::string>& lines, const std::string& text) {
  return static_cast<size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
    return line.find(text) != std::string::npos;
  }));
}

// The program asked to end from outside, as the desktop does.
struct EndRequest {
  const char* name;
  std::function<void(ProgramOnX11&)> send;
};

void CheckEndRequestsOnDisplay() {
  const auto sigterm = [](ProgramOnX11& started) { kill(started.program->pid(), SIGTERM); };
  const EndRequest requests[] = {
      {"SIGTERM", sigterm},
      {"WM_DELETE_WINDOW",
       [](ProgramOnX11& started) { native::test::SendCloseRequest(started.display, started.window); }},
  };
  for (const EndRequest& request : requests) {
    SCOPED_TRACE(request.name);
    OnNewEvent(" baud=19200", 1000, [&](ProgramOnX11& started, native::test::X11TestProgram& simulator) {
      Display* display = started.display;
      const Window window = started.window;
      // The reaction times first: the event is changed, so the exit asks about it however the download ends.
      PressWith(display, window, XK_Control_L, XK_r);
      RequestLines(simulator);
      PressWith(display, window, XK_Control_L, XK_t);
      // The request once lane 1's trace is on the line: it ends the wait for the block at once.
      std::vector<std::string> lines;
      while (CountWith(lines, "command 0x00010003") == 0) {
        const std::optional<std::string> line = simulator.readLine(kRequestWaitMs);
        ASSERT_TRUE(line.has_value()) << "no trace block asked";
        lines.push_back(*line);
      }
      request.send(started);
      for (const std::string& line : RequestLines(simulator)) {
        lines.push_back(line);
      }
      EXPECT_EQ(CountWith(lines, "command 0x00010002"), 1u) << "lane records asked after lane 1's";
      // Asked again while the exit question is open, the exit adds nothing; No to keeping the event ends the
      // program. (The window manager's close would close the question in front, as its close box does.)
      ScreenThatShows(display, ExitQuestionShown);
      sigterm(started);
      WritePng(ScreenThatShows(display, ExitQuestionShown),
               TestPicturePath(std::string("endrequest-x11-") + request.name + ".png"));
      Press(display, window, XK_Tab);
      Press(display, window, XK_space);
    });
  }
}

TEST_F(MainRoadX11Test, SigtermOrTheCloseRequestDuringAPacedDownloadEndItAtOnceAndEndByExitsRoad) {
  current = this;
  native::test::RunOnVirtualDisplay(&CheckEndRequestsOnDisplay, "1024x768x24");
  current = nullptr;
}

TEST_F(MainRoadX11Test, OptionsStaysInFrontOfClicksElsewhereAndExitWorksAfterCancel) {
  current = this;
  native::test::RunOnVirtualDisplay(&CheckModalOnDisplay, "1024x768x24");
  current = nullptr;
}

TEST_F(MainRoadX11Test, EventWindowDrawsItsPanesAfterEachChangeOfSize) {
  current = this;
  native::test::RunOnVirtualDisplay(&CheckResizeOnDisplay, "1024x768x24");
  current = nullptr;
}

// Lane 1's row of a new event on the 1024 x 768 desktop, the current one: its Last Name cell, and where
// "Schmidt" of "Mueller Schmidt" shows in it.
constexpr int kNewLane1LastName[] = {310, 128};
constexpr int kNewLane1Schmidt[] = {363, 128};
// Two single clicks of a user, apart by more than the double-click time (500 ms).
constexpr int kSlowClicksApartMs = 800;

// Clicks pair by when the user made them, not by when a busy program reads them. Lane 1's last name
// "Mueller Schmidt" is stored; a click on "Schmidt" opens its field; while the program is stopped
// (SIGSTOP, as a long stall) two single clicks 0.8 s apart land on "Schmidt"; it goes on (SIGCONT), and the
// X typed then goes into "Schmidt" rather than over it as after a double click. Read back from the document
// File > Save writes.
void PairsClicksByTheirTimeSteps(ProgramOnX11& started) {
  Display* display = started.display;
  const Window window = started.window;
  const std::string saved = current->FilePath("events/Stall.qve");
  // The results pane shows lane 1's row, the current one, white.
  ScreenThatShows(display, [](const ScreenPixels& now) {
    return ShowsColourAt(now, kNewLane1LastName[0], kNewLane1LastName[1], native::RGB(255, 255, 255));
  });
  native::test::ClickAt(display, window, kNewLane1LastName[0], kNewLane1LastName[1]);
  native::test::TypeKeysyms(
      display, window,
      {XK_M, XK_u, XK_e, XK_l, XK_l, XK_e, XK_r, XK_space, XK_S, XK_c, XK_h, XK_m, XK_i, XK_d, XK_t});
  Press(display, window, XK_Return);
  const auto selectedInLastName = [](const ScreenPixels& now) {
    return PixelsIn(now, 300, 122, 410, 135, native::GetSysColor(native::COLOR_HIGHLIGHT)) > 200;
  };
  native::test::ClickAt(display, window, kNewLane1Schmidt[0], kNewLane1Schmidt[1]);
  WritePng(ScreenThatShows(display, selectedInLastName), TestPicturePath("stall-x11-field-open.png"));

  ASSERT_TRUE(started.program->stop());
  native::test::TwoClicksAt(display, window, kNewLane1Schmidt[0], kNewLane1Schmidt[1], kSlowClicksApartMs);
  started.program->resume();
  native::test::TypeKeysyms(display, window, {XK_X});
  Press(display, window, XK_Return);

  // File > Save's key on the new event: Save As shows, its caption over the event window.
  PressWith(display, window, XK_Control_L, XK_s);
  ScreenThatShows(display, [](const ScreenPixels& now) { return ActiveCaptionAt(now, 500, 217); });
  Press(display, window, XK_End);
  for (int i = 0; i < 40; ++i) {
    Press(display, window, XK_BackSpace);
  }
  native::test::TypeKeysyms(display, window, {XK_S, XK_t, XK_a, XK_l, XK_l});
  Press(display, window, XK_Return);
  ASSERT_TRUE(AppearsWithin(saved, native::test::kX11WaitMs)) << "nothing saved as Stall.qve";
  // One X inside "Schmidt": after its S, before its end.
  const std::string lastName = Lane1Field(saved, 0);
  const size_t x = lastName.find('X');
  EXPECT_TRUE(x > 8 && x < 15 && lastName.substr(0, x) + lastName.substr(x + 1) == "Mueller Schmidt")
      << "the two slow clicks paired: " << lastName;

  // File > Exit: the event is saved, so nothing is asked.
  native::test::ClickAt(display, window, kFileMenu[0], kFileMenu[1]);
  ScreenThatShows(display, MenuOpenAt(kFileMenu[0]));
  Press(display, window, XK_Up);
  Press(display, window, XK_Return);
}

TEST_F(MainRoadX11Test, TwoSlowClicksDuringAStallPlaceTheCaretAndDoNotChooseTheWord) {
  current = this;
  native::test::RunOnVirtualDisplay(
      [] {
        OnNewEvent("", 300, [](ProgramOnX11& started, native::test::X11TestProgram&) {
          PairsClicksByTheirTimeSteps(started);
        });
      },
      "1024x768x24");
  current = nullptr;
}

// Places on the 1024 x 768 desktop in a new event's maximised window: the results header's border between
// Affiliation and License (its Affiliation column 100 pixels wide) and the Lane title left of it, the chart
// tool bar's Set switch; the rows of the results header and table, and those of the chart; the chart's lane
// labels at its right.
constexpr int kAffiliationLicenseBorder[] = {516, 110};
constexpr int kLaneTitle[] = {25, 110};
constexpr int kSetSwitch[] = {98, 259};
constexpr int kResultsTop = 100;
constexpr int kResultsBottom = 240;
constexpr int kChartTop = 270;
constexpr int kChartBottom = 740;
constexpr int kLaneLabels[] = {905, 290, 1000, 700};

// A user's drag by `dx` pixels from a place of the window: the press, moves of 10 pixels 16 ms apart on the
// server's clock, the release.
void UserDragAt(Display* display, Window window, int x, int y, int dx) {
  int rootX = 0;
  int rootY = 0;
  Window child = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
  XTestFakeMotionEvent(display, DefaultScreen(display), rootX, rootY, CurrentTime);
  XTestFakeButtonEvent(display, Button1, True, CurrentTime);
  const int step = dx < 0 ? -10 : 10;
  for (int moved = step; std::abs(moved) <= std::abs(dx); moved += step) {
    XTestFakeMotionEvent(display, DefaultScreen(display), rootX + moved, rootY, 16);
  }
  XTestFakeButtonEvent(display, Button1, False, 16);
  XSync(display, False);
}

// What the screen shows holds: the header's border dragged 50 pixels right and back leaves the results as
// they were, and the chart's Set switch pressed twice, a user's second apart, leaves the downloaded chart as
// it was, its lane labels drawn after the first press too.
void DragBackAndSwitchTwiceSteps(Display* display, Window window, native::test::X11TestProgram& simulator) {
  ScreenThatShows(display, ChartShown);
  // A press on a title gives the table the focus, as the drag's press does.
  native::test::ClickAt(display, window, kLaneTitle[0], kLaneTitle[1]);
  const ScreenPixels before = ScreenThatShows(display, ChartShown, 500);
  UserDragAt(display, window, kAffiliationLicenseBorder[0], kAffiliationLicenseBorder[1], 50);
  const ScreenPixels dragged = ScreenThatShows(display, [&](const ScreenPixels& now) {
    return DifferingPixels(before, now, kResultsTop, kResultsBottom) > 0;
  });
  WritePng(dragged, TestPicturePath("x7-x11-header-dragged.png"));
  UserDragAt(display, window, kAffiliationLicenseBorder[0] + 50, kAffiliationLicenseBorder[1], -50);
  const ScreenPixels back = ScreenThatShows(display, [&](const ScreenPixels& now) {
    return DifferingPixels(before, now, kResultsTop, kResultsBottom) == 0;
  });
  EXPECT_EQ(DifferingPixels(before, back, kResultsTop, kResultsBottom), 0u) << "the header dragged back";

  PressWith(display, window, XK_Control_L, XK_t);
  EXPECT_FALSE(RequestLines(simulator).empty()) << "no trace requests";
  const ScreenPixels downloaded = ScreenThatShows(
      display, [](const ScreenPixels& now) { return PixelsOf(now, kFalseStartRed) > 1000; }, 1000);
  const auto labelPixels = [](const ScreenPixels& now) {
    std::vector<uint32_t> area;
    for (int y = kLaneLabels[1]; y < kLaneLabels[3]; ++y) {
      const auto row = now.pixels.begin() + y * now.width;
      area.insert(area.end(), row + kLaneLabels[0], row + kLaneLabels[2]);
    }
    return area;
  };
  native::test::ClickAt(display, window, kSetSwitch[0], kSetSwitch[1]);
  const ScreenPixels switched = ScreenThatShows(display, [&](const ScreenPixels& now) {
    return DifferingPixels(downloaded, now, kChartTop, kChartBottom) > 0;
  });
  WritePng(switched, TestPicturePath("x7-x11-set-switched.png"));
  const std::vector<uint32_t> labels = labelPixels(downloaded);
  EXPECT_GT(std::count_if(labels.begin(), labels.end(), [](uint32_t pixel) { return pixel != 0xFFFFFF; }),
            500)
      << "the lane labels";
  EXPECT_TRUE(labelPixels(switched) == labels) << "the lane labels after one press";
  poll(nullptr, 0, 700);
  native::test::ClickAt(display, window, kSetSwitch[0], kSetSwitch[1]);
  const ScreenPixels again = ScreenThatShows(display, [&](const ScreenPixels& now) {
    return DifferingPixels(downloaded, now, kChartTop, kChartBottom) == 0;
  });
  EXPECT_EQ(DifferingPixels(downloaded, again, kChartTop, kChartBottom), 0u)
      << "the Set switch pressed twice";
}

TEST_F(MainRoadX11Test, AHeaderBorderDraggedBackAndTheSetSwitchPressedTwiceLeaveTheScreenAsItWas) {
  current = this;
  native::test::RunOnVirtualDisplay(
      [] {
        OnNewEventThenExit(&DragBackAndSwitchTwiceSteps, true);
        // The Affiliation column is kept at the width it was dragged back to.
        const std::string configuration = current->ReadFile("kestrove.cfg");
        EXPECT_NE(configuration.find("\\Event\\Results\\Columns\\Width5:Int,0,8,1000=100\n"),
                  std::string::npos)
            << configuration;
      },
      "1024x768x24");
  current = nullptr;
}

// Three event windows cascaded on the 1024 x 768 desktop: the front one's maximise box, and the caption row
// of the front one.
constexpr int kCascadedFrontMaximiseBox[] = {987, 130};
constexpr int kCascadedFrontCaption[] = {600, 123};

// Three new events, each with an X typed as lane 1's last name, Window > Cascade, the front event maximised
// by its maximise box and restored by the restore box at the menu bar's end: the screen is the cascade's
// picture again, the captions of the windows behind drawn and no pixel of the maximised window left on them.
void MaximisedAndRestoredAfterCascadeSteps(Display* display, Window window,
                                           native::test::X11TestProgram& simulator) {
  ScreenThatShows(display, ChartShown);
  for (int event = 0; event < 3; ++event) {
    if (event > 0) {
      PressWith(display, window, XK_Control_L, XK_n);
      RequestLines(simulator);
    }
    ScreenThatShows(display, [](const ScreenPixels& now) {
      return ShowsColourAt(now, kNewLane1LastName[0], kNewLane1LastName[1], native::RGB(255, 255, 255));
    });
    native::test::ClickAt(display, window, kNewLane1LastName[0], kNewLane1LastName[1]);
    native::test::TypeKeysyms(display, window, {XK_X});
    Press(display, window, XK_Return);
  }
  native::test::ClickAt(display, window, kWindowMenuMaximised[0], kWindowMenuMaximised[1]);
  ScreenThatShows(display, MenuOpenAt(kWindowMenuMaximised[0]));
  Press(display, window, XK_Down);
  Press(display, window, XK_Return);
  const auto cascadeShown = [](const ScreenPixels& now) {
    return ActiveCaptionAt(now, kCascadedFrontCaption[0], kCascadedFrontCaption[1]);
  };
  const ScreenPixels cascaded = ScreenThatShows(display, cascadeShown, 500);
  WritePng(cascaded, TestPicturePath("x7-x11-cascaded.png"));
  native::test::ClickAt(display, window, kCascadedFrontMaximiseBox[0], kCascadedFrontMaximiseBox[1]);
  ScreenThatShows(display, [&](const ScreenPixels& now) { return !cascadeShown(now); });
  native::test::ClickAt(display, window, kRestoreBox[0], kRestoreBox[1]);
  const ScreenPixels restored = ScreenThatShows(
      display, [&](const ScreenPixels& now) { return DifferingPixels(cascaded, now, 0, now.height) == 0; });
  WritePng(restored, TestPicturePath("x7-x11-restored.png"));
  EXPECT_EQ(DifferingPixels(cascaded, restored, 0, restored.height), 0u) << "maximised and restored";
  // File > Exit: each changed event asks in turn, its window brought to the front; No with Tab, Space.
  native::test::ClickAt(display, window, kMenuTitles[0].restoredX, kFileMenu[1]);
  ScreenThatShows(display, MenuOpenAt(kMenuTitles[0].restoredX));
  Press(display, window, XK_Up);
  Press(display, window, XK_Return);
  std::optional<ScreenPixels> answered;
  for (int question = 0; question < 3; ++question) {
    const ScreenPixels asked = ScreenThatShows(display, [&](const ScreenPixels& now) {
      return ExitQuestionShown(now) && (!answered || DifferingPixels(*answered, now, 0, now.height) > 0);
    });
    Press(display, window, XK_Tab);
    answered = ScreenThatShows(
        display, [&](const ScreenPixels& now) { return DifferingPixels(asked, now, 0, now.height) > 0; });
    Press(display, window, XK_space);
  }
}

TEST_F(MainRoadX11Test, ACascadedEventMaximisedAndRestoredLeavesTheCascadeAsItWas) {
  current = this;
  native::test::RunOnVirtualDisplay(
      [] {
        OnNewEvent("", 300, [](ProgramOnX11& started, native::test::X11TestProgram& simulator) {
          MaximisedAndRestoredAfterCascadeSteps(started.display, started.window, simulator);
        });
      },
      "1024x768x24");
  current = nullptr;
}

// Whether a dialog or a question is up in the middle of the desktop: its caption shows there.
bool CaptionInTheMiddle(const ScreenPixels& screen) {
  return PixelsIn(screen, 300, 100, 724, 400, native::GetSysColor(native::COLOR_ACTIVECAPTION)) > 2000;
}

// Results > Print Results (its fourth item); with the dialog up, a click on the File menu opens nothing and
// Tab, Shift+Tab bring the dialog back as it was; after Cancel no second dialog and no question comes.
void FileMenuBehindPrintSteps(Display* display, Window window, native::test::X11TestProgram&) {
  ScreenThatShows(display, ChartShown);
  native::test::ClickAt(display, window, kResultsMenu[0], kResultsMenu[1]);
  ScreenThatShows(display, MenuOpenAt(kResultsMenu[0]));
  for (int item = 0; item < 4; ++item) {
    Press(display, window, XK_Down);
  }
  Press(display, window, XK_Return);
  const ScreenPixels print = ScreenThatShows(display, CaptionInTheMiddle);
  WritePng(print, TestPicturePath("x7-x11-print.png"));
  native::test::ClickAt(display, window, kFileMenu[0], kFileMenu[1]);
  // The keys after the click say when it has been taken.
  Press(display, window, XK_Tab);
  ScreenThatShows(display,
                  [&](const ScreenPixels& now) { return DifferingPixels(print, now, 0, now.height) > 0; });
  PressWith(display, window, XK_Shift_L, XK_Tab);
  const ScreenPixels clicked = ScreenThatShows(
      display, [&](const ScreenPixels& now) { return DifferingPixels(print, now, 0, now.height) == 0; });
  EXPECT_FALSE(MenuOpenAt(kFileMenu[0])(clicked)) << "the File menu opened behind the dialog";
  EXPECT_EQ(DifferingPixels(print, clicked, 0, print.height), 0u) << "the click behind the dialog changed it";
  Press(display, window, XK_Escape);
  // A second without a caption in the middle: nothing picked behind the dialog runs after it.
  const ScreenPixels after = ScreenThatShows(
      display, [](const ScreenPixels& now) { return !CaptionInTheMiddle(now); }, 1000);
  EXPECT_FALSE(CaptionInTheMiddle(after)) << "a dialog or a question after Cancel";
  EXPECT_FALSE(MenuOpenAt(kFileMenu[0])(after));
}

TEST_F(MainRoadX11Test, AClickOnTheFileMenuBehindThePrintDialogOpensAndRunsNothing) {
  current = this;
  native::test::RunOnVirtualDisplay([] { OnNewEventThenExit(&FileMenuBehindPrintSteps, false); },
                                    "1024x768x24");
  current = nullptr;
}

TEST_F(MainRoadX11Test, NewAddReactionTimesDownloadTraceSaveAndExit) {
  current = this;
  native::test::RunOnVirtualDisplay(&CheckOnDisplay);
  current = nullptr;
}

}  // namespace
