// The main road as a user takes it, on a virtual X server: the built program in a program folder of its
// own with its control unit on the simulator's pseudo-terminal. File > New, Add Reaction Times, Download
// Trace, File > Save with a typed name and File > Exit from the keyboard; then the simulator's requests,
// the red false start on the screen, the saved document, the results interface file and the reaction-time
// link's answer are checked.
#include <gtest/gtest.h>
#include <poll.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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
// arguments.
std::string SimulatorScript(MainRoadX11Test& test) {
  const std::string path = test.FilePath("cusim.sh");
  test.WriteFile("cusim.sh", std::string("#!/bin/sh\nexec '") + KESTROVE_CUSIM +
                                 "' lanes=8 reaction=" + kReactionTimes + "\n");
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  return path;
}

// The configuration: the control unit on port 9, a short read time-out, the data-out and event folders,
// and the reaction-time link listening on `linkPort`.
void WriteConfiguration(MainRoadX11Test& test, int linkPort) {
  test.WriteFile("kestrove.cfg",
                 "Registry Version: 1.00\n"
                 "\\SerialPorts\\Unit\\Name:String=Control Unit\n"
                 "\\SerialPorts\\Unit\\SerialPort:String=9,19200,8,N,1.0\n"
                 "\\Serial\\ShortTimeout:Int=300\n"
                 "\\Database\\File\\DataOutDir:String=" +
                     test.FilePath("out") +
                     "/\n"
                     "\\Event\\Directory:String=" +
                     test.FilePath("events") +
                     "/\n"
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

void CheckOnDisplay() {
  MainRoadX11Test& test = *current;
  std::filesystem::create_directories(test.FilePath("out"));
  std::filesystem::create_directories(test.FilePath("events"));
  native::test::X11TestProgram simulator(SimulatorScript(test).c_str(), nullptr);
  ASSERT_TRUE(simulator.started());
  const std::optional<std::string> device = simulator.readLine(native::test::kX11WaitMs);
  ASSERT_TRUE(device.has_value() && device->rfind("/dev/", 0) == 0) << device.value_or("no device line");
  setenv("KESTROVE_COM9", device->c_str(), 1);
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
  const ScreenPixels downloaded = Take(display);
  WritePng(downloaded, TestPicturePath("mainroad-after-download.png"));
  EXPECT_GT(RedPixelsInRows(downloaded), 0u) << "no red false start after the download";

  // File > Save with a typed name.
  PressWith(display, window, XK_Control_L, XK_s);
  poll(nullptr, 0, 500);
  // The file name field, emptied, then the name.
  native::test::ClickAt(display, window, 365, 333);
  Press(display, window, XK_End);
  for (int i = 0; i < 12; ++i) {
    Press(display, window, XK_BackSpace);
  }
  native::test::TypeText(display, window, "heat");
  Press(display, window, XK_Return);
  const std::string saved = test.FilePath("events/heat.qve");
  EXPECT_TRUE(AppearsWithin(saved, 3000)) << "no saved document";
  ASSERT_TRUE(AppearsWithin(test.FilePath("out/heat.qxf"), 3000)) << "no results interface file";
  // Reaction time and false-start field of lanes 3, 4, 6 and 7: false starts, none, charged.
  const std::vector<std::string> laneFields = {"\r\n3,,,,,,0,0.095,1,", "\r\n4,,,,,,0,0.088,1,",
                                               "\r\n6,,,,,,0,,0,", "\r\n7,,,,,,0,-0.020,2,"};
  const std::string interfaceFile = test.ReadFile("out/heat.qxf");
  for (const std::string& fields : laneFields) {
    EXPECT_NE(interfaceFile.find(fields), std::string::npos) << fields << " in\n" << interfaceFile;
  }

  int status = 0;
  const std::string answer =
      RunAndRead(std::string(KESTROVE_PFPEER) + " rrq 0 " + std::to_string(linkPort) + " 1 1 1", status);
  EXPECT_EQ(status, 0) << answer;
  EXPECT_NE(answer.find("RRP"), std::string::npos) << answer;
  EXPECT_NE(answer.find("7,,,,,,0,-0.020,2,"), std::string::npos) << answer;

  // File > Exit: a click opens the File menu (beside the event window's icon), its last item is Exit.
  native::test::ClickAt(display, window, 50, 32);
  poll(nullptr, 0, 300);
  Press(display, window, XK_Up);
  poll(nullptr, 0, 300);
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
  QvResults& results = document.Leg(0)->Results();
  int32_t lane = 0;
  for (const QvResult* result = results.Iterate(nullptr, nullptr); result != nullptr && lane < 8;
       result = results.Iterate(result, nullptr), ++lane) {
    SCOPED_TRACE(lane + 1);
    EXPECT_EQ(result->GetReactionTime().ToMilliseconds(), lanes[lane].milliseconds);
    EXPECT_EQ(result->IsFalseStart(), lanes[lane].falseStart);
    EXPECT_EQ(result->IsFalseStartCharged(), lanes[lane].charged);
  }
  EXPECT_EQ(lane, 8);
}

TEST_F(MainRoadX11Test, NewAddReactionTimesDownloadTraceSaveAndExit) {
  current = this;
  native::test::RunOnVirtualDisplay(&CheckOnDisplay);
  current = nullptr;
}

}  // namespace
