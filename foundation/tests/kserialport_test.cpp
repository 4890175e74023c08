#include "foundation/kserialport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "foundation/kperiodictask.h"
#include "foundation/kstreammenu.h"
#include "foundation/kstring.h"
#include "foundation/kx.h"
#include "testing/ptypair.h"

namespace {

constexpr int32_t kTestPort = 42;

std::string Narrow(const KString& text) {
  return text.ToUtf8();
}

int32_t KxCode(const std::function<void()>& action) {
  try {
    action();
  } catch (const KX& failure) {
    return failure.Code();
  }
  return 0;
}

// How many descriptors of this process are open on the path.
int OpenDescriptorsOn(const std::string& path) {
  int count = 0;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
    std::error_code ignored;
    if (std::filesystem::read_symlink(entry.path(), ignored) == path) {
      ++count;
    }
  }
  return count;
}

std::string ReadBytes(KSerialPort& port, int32_t count) {
  std::string bytes(static_cast<size_t>(count), '\0');
  port.ReadExact(bytes.data(), count);
  return bytes;
}

void WriteBytes(KSerialPort& port, std::string_view bytes) {
  port.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
}

// Interrupts the calling thread with a signal every 2 ms, as a busy process's timers do, for at most
// kMaxInterrupts times (so a wait that restarts after each interruption still ends, late).
class InterruptingTimer {
 public:
  static constexpr int kMaxInterrupts = 500;

  InterruptingTimer() {
    struct sigaction action {};
    action.sa_handler = &InterruptingTimer::OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: every blocked wait returns EINTR
    sigaction(SIGUSR2, &action, &previous);
    interrupts = 0;
    sigevent event{};
    event.sigev_notify = SIGEV_THREAD_ID;
    event.sigev_signo = SIGUSR2;
    event._sigev_un._tid = gettid();
    timer_create(CLOCK_MONOTONIC, &event, &timer);
    itimerspec every2ms{};
    every2ms.it_interval.tv_nsec = 2'000'000;
    every2ms.it_value.tv_nsec = 2'000'000;
    timer_settime(timer, 0, &every2ms, nullptr);
  }
  ~InterruptingTimer() {
    timer_delete(timer);
    sigaction(SIGUSR2, &previous, nullptr);
  }
  InterruptingTimer(const InterruptingTimer&) = delete;
  InterruptingTimer& operator=(const InterruptingTimer&) = delete;

  static int Interrupts() { return interrupts; }

 private:
  static void OnSignal(int) {
    if (++interrupts >= kMaxInterrupts) {
      const itimerspec stop{};
      timer_settime(timer, 0, &stop, nullptr);
    }
  }

  static inline timer_t timer{};
  static inline std::atomic<int> interrupts = 0;
  struct sigaction previous {};
};

// ---- settings text ----------------------------------------------------------------------------------------

TEST(KSerialPortSettings, FieldParsersReadTheirFieldOrGiveTheDefault) {
  struct Case {
    const char* text;
    bool portOk;
    int32_t port;
    bool baudOk;
    int32_t baud;
    bool dataOk;
    int32_t data;
    bool parityOk;
    int32_t parity;
    bool stopOk;
    int32_t stop;
    bool periodOk;
    int32_t period;
  } cases[] = {
      {"3,19200,7,e,1.5,250", true, 3, true, 19200, true, 1, true, 2, true, 1, true, 250},
      {"0,9600,8,N,1.0", true, 0, true, 9600, true, 0, true, 0, true, 0, false, 0},
      {" 2 , 4800 , 4 , space , 2.0 , -250 ", true, 2, true, 4800, true, 4, true, 4, true, 2, true, -250},
      {"1,115200,5,M,1.0,0", true, 1, true, 115200, true, 3, true, 3, true, 0, true, 0},
      {"", true, 7, false, 9600, false, 0, false, 0, false, 0, false, 0},
      {"x,fast,9,Q,1.2,soon", false, 7, false, 9600, false, 0, false, 0, false, 0, false, 0},
      {"1,-9600,,o,1", true, 1, false, 9600, false, 0, true, 1, false, 0, false, 0},
      {"1,0,8,N,2", true, 1, false, 9600, true, 0, true, 0, false, 0, false, 0},
      {"99999999999,1", false, 7, true, 1, false, 0, false, 0, false, 0, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    KString text(c.text);
    int32_t value = -77;
    EXPECT_EQ(KSerialPort::ParsePort(text, value, 7), c.portOk);
    EXPECT_EQ(value, c.port);
    EXPECT_EQ(KSerialPort::ParseBaud(text, value), c.baudOk);
    EXPECT_EQ(value, c.baud);
    EXPECT_EQ(KSerialPort::ParseDataBits(text, value), c.dataOk);
    EXPECT_EQ(value, c.data);
    EXPECT_EQ(KSerialPort::ParseParity(text, value), c.parityOk);
    EXPECT_EQ(value, c.parity);
    EXPECT_EQ(KSerialPort::ParseStopBits(text, value), c.stopOk);
    EXPECT_EQ(value, c.stop);
    EXPECT_EQ(KSerialPort::ParseTaskPeriod(text, value), c.periodOk);
    EXPECT_EQ(value, c.period);
  }
}

TEST(KSerialPortSettings, FormatSettingsWritesTextsThatParseBack) {
  struct Case {
    int32_t port, baud, data, parity, stop, period;
    const char* text;
  } cases[] = {
      {0, 9600, 0, 0, 0, 0, "0,9600,8,N,1.0"},
      {3, 19200, 1, 2, 1, 250, "3,19200,7,E,1.5,250"},
      {255, 110, 4, 4, 2, -250, "255,110,4,S,2.0,-250"},
      {101, 56000, 3, 3, 0, 0, "101,56000,5,M,1.0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    KString text("old");
    ASSERT_TRUE(KSerialPort::FormatSettings(text, c.port, c.baud, c.data, c.parity, c.stop, c.period));
    EXPECT_EQ(Narrow(text), c.text);
    int32_t value = 0;
    EXPECT_TRUE(KSerialPort::ParsePort(text, value));
    EXPECT_EQ(value, c.port);
    EXPECT_TRUE(KSerialPort::ParseBaud(text, value));
    EXPECT_EQ(value, c.baud);
    EXPECT_TRUE(KSerialPort::ParseDataBits(text, value));
    EXPECT_EQ(value, c.data);
    EXPECT_TRUE(KSerialPort::ParseParity(text, value));
    EXPECT_EQ(value, c.parity);
    EXPECT_TRUE(KSerialPort::ParseStopBits(text, value));
    EXPECT_EQ(value, c.stop);
    KSerialPort::ParseTaskPeriod(text, value);
    EXPECT_EQ(value, c.period);
  }
}

TEST(KSerialPortSettings, FormatSettingsRefusesValuesOutsideTheLists) {
  struct Case {
    int32_t port, baud, data, parity, stop;
  } cases[] = {{-1, 9600, 0, 0, 0}, {1, 0, 0, 0, 0},     {1, 9600, 5, 0, 0}, {1, 9600, -1, 0, 0},
               {1, 9600, 0, 5, 0},  {1, 9600, 0, -1, 0}, {1, 9600, 0, 0, 3}, {1, 9600, 0, 0, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.port << "," << c.baud << "," << c.data << "," << c.parity << ","
                                    << c.stop);
    KString text("unchanged");
    EXPECT_FALSE(KSerialPort::FormatSettings(text, c.port, c.baud, c.data, c.parity, c.stop, 0));
    EXPECT_EQ(Narrow(text), "unchanged");
  }
}

TEST(KStreamMenu, ParseTypeReadsTheFirstField) {
  struct Case {
    const char* text;
    bool ok;
    int32_t type;
  } cases[] = {{"-1,10.0.0.1,2000", true, -1},
               {"-3", true, -3},
               {" 4 ,9600", true, 4},
               {"0,9600,8,N,1.0", true, 0},
               {"", false, 99},
               {"net,1", false, 99},
               {",9600", false, 99}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    int32_t type = 99;
    EXPECT_EQ(KStreamMenu::ParseType(KString(c.text), type), c.ok);
    EXPECT_EQ(type, c.type);
  }
}

// ---- port numbers and the port list ---------------------------------------------------------------------

TEST(KSerialPortList, PortNumbersMapToDevices) {
  struct Case {
    int32_t port;
    const char* path;
  } cases[] = {{1, "/dev/ttyS0"},
               {99, "/dev/ttyS98"},
               {100, ""},
               {101, "/dev/ttyUSB0"},
               {199, "/dev/ttyUSB98"},
               {200, ""},
               {201, "/dev/ttyACM0"},
               {255, "/dev/ttyACM54"},
               {256, ""},
               {0, ""},
               {-1, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.port);
    EXPECT_EQ(KSerialPort::DevicePath(c.port), c.path);
  }
}

TEST(KSerialPortList, EnvironmentOverridesAnyPortNumber) {
  setenv("KESTROVE_COM1", "/dev/pts/77", 1);
  setenv("KESTROVE_COM300", "/tmp/adapter", 1);
  EXPECT_EQ(KSerialPort::DevicePath(1), "/dev/pts/77");
  EXPECT_EQ(KSerialPort::DevicePath(300), "/tmp/adapter");
  unsetenv("KESTROVE_COM1");
  unsetenv("KESTROVE_COM300");
  EXPECT_EQ(KSerialPort::DevicePath(1), "/dev/ttyS0");
}

// A made-up device folder and tty class folder.
class FakeDeviceTree {
 public:
  FakeDeviceTree()
      : root(std::filesystem::path(testing::TempDir()) / ("kserial_" + std::to_string(getpid()))) {
    std::filesystem::create_directories(root / "dev");
    std::filesystem::create_directories(root / "class");
  }
  ~FakeDeviceTree() { std::filesystem::remove_all(root); }
  void Device(const std::string& name) { std::ofstream(root / "dev" / name).put('\n'); }
  void ClassType(const std::string& name, const char* type) {
    std::filesystem::create_directories(root / "class" / name);
    std::ofstream(root / "class" / name / "type") << type << "\n";
  }
  void ClassDevice(const std::string& name) {
    std::filesystem::create_directories(root / "class" / name / "device");
  }
  std::string Dev() const { return (root / "dev").string(); }
  std::string Class() const { return (root / "class").string(); }

 private:
  std::filesystem::path root;
};

TEST(KSerialPortList, EnumerationListsRealUartsUsbAcmAndOverrides) {
  FakeDeviceTree tree;
  for (const char* name : {"ttyS0", "ttyS1", "ttyS2", "ttyS5", "ttyS99", "ttyUSB0", "ttyUSBx", "ttyACM3",
                           "ttyACM55", "console", "tty1"}) {
    tree.Device(name);
  }
  tree.ClassType("ttyS0", "4");  // a 16550A
  tree.ClassType("ttyS1", "0");  // a placeholder without hardware
  tree.ClassDevice("ttyS2");     // a driver that reports no type
  // ttyS5 has no class entry and is no tty at all: the driver question fails.
  tree.Device("adapter");
  setenv("KESTROVE_COM150", (tree.Dev() + "/adapter").c_str(), 1);
  setenv("KESTROVE_COM151", (tree.Dev() + "/missing").c_str(), 1);

  KSerialPort::EnumeratePorts(tree.Dev(), tree.Class());
  unsetenv("KESTROVE_COM150");
  unsetenv("KESTROVE_COM151");

  std::vector<int32_t> listed;
  for (int32_t i = 0; i < KSerialPort::PortCount(); ++i) {
    listed.push_back(KSerialPort::PortNumber(i));
  }
  EXPECT_EQ(listed, (std::vector<int32_t>{1, 3, 101, 150, 204}));
  EXPECT_EQ(KSerialPort::PortNumber(5), 0);
  EXPECT_EQ(KSerialPort::PortNumber(-1), 0);
  EXPECT_EQ(KSerialPort::FindPort(101), 2);
  EXPECT_EQ(KSerialPort::FindPort(2), -1);
  KString label("> ");
  KSerialPort::PortName(3, label);
  EXPECT_EQ(Narrow(label), "> COM3 (" + tree.Dev() + "/ttyS2)");

  KSerialPort::ReleasePorts();
  EXPECT_EQ(KSerialPort::PortCount(), 0);
  EXPECT_EQ(KSerialPort::FindPort(1), -1);
  KString unmapped;
  KSerialPort::PortName(100, unmapped);
  EXPECT_EQ(Narrow(unmapped), "COM100");
}

// ---- a real tty
// ------------------------------------------------------------------------------------------------

class KSerialPortOnPty : public testing::Test {
 protected:
  void SetUp() override { pty.MapToPort(kTestPort); }

  static KString Settings(const char* fields) { return KString(("42," + std::string(fields)).c_str()); }

  ktest::PtyPair pty;
};

TEST_F(KSerialPortOnPty, AppliesTheLineSettings) {
  // A pseudo-terminal always reports 8 data bits and no parity enable, whatever was asked; the parity
  // kind (odd, stuck), the stop bits and the speed stand as set.
  struct Case {
    const char* fields;
    tcflag_t parity;  // PARODD, CMSPAR as set
    bool twoStops;
    speed_t speed;
  } cases[] = {
      {"9600,8,N,1.0", 0, false, B9600},         {"19200,7,E,2.0", 0, true, B19200},
      {"115200,6,O,1.5", PARODD, true, B115200}, {"1200,5,M,1.0", PARODD | CMSPAR, false, B1200},
      {"4800,8,S,1.0", CMSPAR, false, B4800},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fields);
    KSerialPort port;
    port.OpenSettings(Settings(c.fields), KSerialPort::kRead | KSerialPort::kWrite);
    termios applied = pty.DeviceSettings();
    EXPECT_EQ(applied.c_cflag & (PARODD | CMSPAR), c.parity);
    EXPECT_EQ((applied.c_cflag & CSTOPB) != 0, c.twoStops);
    EXPECT_EQ(cfgetospeed(&applied), c.speed);
    EXPECT_EQ(applied.c_lflag & (ICANON | ECHO | ISIG), 0u) << "raw mode";
    EXPECT_EQ(applied.c_oflag & OPOST, 0u) << "raw mode";
  }
}

TEST_F(KSerialPortOnPty, OpensRatesWithoutASpeedCode) {
  KSerialPort port;
  EXPECT_EQ(KxCode([&] { port.OpenSettings(Settings("14400,8,N,1.0"), 3); }), 0);
  EXPECT_TRUE(port.IsOpen());
}

TEST_F(KSerialPortOnPty, RefusesSettingsItCannotOpen) {
  setenv("KESTROVE_COM43", "/nonexistent/tty", 1);
  struct Case {
    const char* settings;
    int32_t directions;
    int32_t code;
  } cases[] = {
      {"0,9600,8,N,1.0", 3, kErrSerialNotOpen},   {"-1,127.0.0.1,80", 3, kErrSerialNotOpen},
      {"100,9600,8,N,1.0", 3, kErrSerialNotOpen}, {"43,9600,8,N,1.0", 3, kErrSerialNotOpen},
      {"x,9600,8,N,1.0", 3, kErrSerial},          {"42,fast,8,N,1.0", 3, kErrSerial},
      {"42,9600,9,N,1.0", 3, kErrSerial},         {"42,9600,8,X,1.0", 3, kErrSerial},
      {"42,9600,8,N,3", 3, kErrSerial},           {"42,9600,8,N,1.0,soon", 3, kErrSerial},
      {"42,9600,4,N,1.0", 3, kErrSerial},         {"42,9600,8,N,1.0", 0, kErrSerial},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings);
    KSerialPort port;
    EXPECT_EQ(KxCode([&] { port.OpenSettings(KString(c.settings), c.directions); }), c.code);
    EXPECT_FALSE(port.IsOpen());
  }
  unsetenv("KESTROVE_COM43");
  EXPECT_EQ(OpenDescriptorsOn(pty.DevicePath()), 1) << "a refused open leaves no descriptor behind";
}

TEST_F(KSerialPortOnPty, MissingFieldsTakeTheDefaults) {
  KSerialPort port;
  port.OpenSettings(KString("42"), 3);
  termios applied = pty.DeviceSettings();
  EXPECT_EQ(cfgetospeed(&applied), B9600);
  EXPECT_EQ(applied.c_cflag & (PARODD | CMSPAR | CSTOPB), 0u);
}

TEST_F(KSerialPortOnPty, MovesBytesBothWays) {
  KSerialPort port(1024, 1024, 128);
  port.OpenSettings(Settings("9600,8,N,1.0"), 3);
  std::string block(1000, '\0');
  for (size_t i = 0; i < block.size(); ++i) {
    block[i] = static_cast<char>(i * 7);  // every byte value, control characters included
  }
  WriteBytes(port, block);
  EXPECT_EQ(pty.Receive(block.size()), block);
  pty.Send(block);
  EXPECT_EQ(ReadBytes(port, static_cast<int32_t>(block.size())), block);
}

TEST_F(KSerialPortOnPty, ReadTimesOutWhenNothingComes) {
  KSerialPort port;
  port.OpenSettings(Settings("9600,8,N,1.0"), 3);
  port.SetTimeout(30);
  EXPECT_EQ(KxCode([&] { ReadBytes(port, 1); }), kErrSerialTimeout);
  pty.Send("abc");
  EXPECT_EQ(KxCode([&] { ReadBytes(port, 5); }), kErrSerialTimeout) << "three of five bytes came";
  pty.Send("de");
  EXPECT_EQ(ReadBytes(port, 2), "de");
}

TEST_F(KSerialPortOnPty, FrequentInterruptionsDoNotStretchTheTimeout) {
  KSerialPort port;
  port.OpenSettings(Settings("9600,8,N,1.0"), 3);
  port.SetTimeout(50);
  // Nobody reads the other end, so a large block fills the line's queue and the write runs out of time.
  const std::string block(1 << 20, 'x');
  struct Case {
    const char* name;
    std::function<void()> action;
    int32_t code;
  } cases[] = {
      {"read", [&] { ReadBytes(port, 1); }, kErrSerialTimeout},
      {"write", [&] { WriteBytes(port, block); }, kErrSerialBusy},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    InterruptingTimer interrupter;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(KxCode(c.action), c.code);
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_LT(took, std::chrono::milliseconds(500))
        << "waited through " << InterruptingTimer::Interrupts() << " interruptions";
    EXPECT_GT(InterruptingTimer::Interrupts(), 5) << "the wait was interrupted";
  }
}

TEST_F(KSerialPortOnPty, ReadNeverWritesPastItsBuffer) {
  KSerialPort port(1024, 16, 16);
  port.OpenSettings(Settings("9600,8,N,1.0"), 3);
  pty.Send(std::string(200, 'x'));
  char buffer[32];
  std::memset(buffer, '#', sizeof buffer);
  int32_t got = port.Read(buffer, 10);
  EXPECT_GE(got, 1);
  EXPECT_LE(got, 10);
  for (size_t i = static_cast<size_t>(got); i < sizeof buffer; ++i) {
    EXPECT_EQ(buffer[i], '#') << i;
  }
}

TEST_F(KSerialPortOnPty, ObjectsOfOnePortShareOneDeviceByDirection) {
  const int before = OpenDescriptorsOn(pty.DevicePath());
  KSerialPort reader;
  KSerialPort writer;
  reader.OpenSettings(Settings("9600,8,N,1.0"), KSerialPort::kRead);
  writer.OpenSettings(Settings("9600,8,N,1.0"), KSerialPort::kWrite);
  EXPECT_EQ(OpenDescriptorsOn(pty.DevicePath()), before + 1);

  WriteBytes(writer, "ping");
  EXPECT_EQ(pty.Receive(4), "ping");
  pty.Send("pong");
  EXPECT_EQ(ReadBytes(reader, 4), "pong");

  KSerialPort second;
  EXPECT_EQ(KxCode([&] { second.OpenSettings(Settings("9600,8,N,1.0"), KSerialPort::kRead); }),
            kErrSerialBusy);
  EXPECT_EQ(KxCode([&] { WriteBytes(reader, "x"); }), kErrSerialNotOpen)
      << "the reader did not claim writing";

  reader.Close();
  EXPECT_EQ(OpenDescriptorsOn(pty.DevicePath()), before + 1) << "the writer still uses the device";
  WriteBytes(writer, "still");
  EXPECT_EQ(pty.Receive(5), "still");
  second.OpenSettings(Settings("9600,8,N,1.0"), KSerialPort::kRead);
  pty.Send("again");
  EXPECT_EQ(ReadBytes(second, 5), "again");

  writer.Close();
  second.Close();
  EXPECT_EQ(OpenDescriptorsOn(pty.DevicePath()), before);
}

TEST_F(KSerialPortOnPty, ASecondOpenThatFailsHalfWayLeavesTheSharedLineAsItWas) {
  KSerialPort reader;
  reader.OpenSettings(Settings("9600,8,N,2.0"), KSerialPort::kRead);
  const termios before = pty.DeviceSettings();
  // The last check refuses the line once every setting of the second open stands.
  KSerialPort::SetLineCheck([](int) { throw KXSerialPort(kErrSerial, 0); });
  // The second has no speed code and goes through the free-speed call.
  for (const char* fields : {"19200,8,O,1.0", "14400,8,M,1.0"}) {
    SCOPED_TRACE(fields);
    KSerialPort writer;
    EXPECT_EQ(KxCode([&] { writer.OpenSettings(Settings(fields), KSerialPort::kWrite); }), kErrSerial);
    const termios after = pty.DeviceSettings();
    EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before));
    EXPECT_EQ(after.c_cflag, before.c_cflag);
    EXPECT_EQ(after.c_iflag, before.c_iflag);
  }
  KSerialPort::SetLineCheck(nullptr);
  pty.Send("still");
  EXPECT_EQ(ReadBytes(reader, 5), "still");
}

TEST_F(KSerialPortOnPty, CloseIsHarmlessAndReopenWorks) {
  KSerialPort port;
  port.Close();
  port.OpenSettings(Settings("9600,8,N,1.0"), 3);
  port.Close();
  port.Close();
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(KxCode([&] { ReadBytes(port, 1); }), kErrSerialNotOpen);
  EXPECT_EQ(KxCode([&] { WriteBytes(port, "x"); }), kErrSerialNotOpen);
  port.OpenSettings(Settings("19200,8,N,1.0"), 3);
  port.OpenSettings(Settings("9600,8,N,1.0"), 3);  // an open port is closed before it opens again
  WriteBytes(port, "back");
  EXPECT_EQ(pty.Receive(4), "back");
}

TEST_F(KSerialPortOnPty, RepeatSendsTheLastBlockWhenIdle) {
  KPeriodicTask::VirtualClock clock(5000);
  KSerialPort port;
  port.OpenSettings(Settings("9600,8,N,1.0,100"), 3);
  clock.Advance(300);
  EXPECT_TRUE(pty.NothingReceived(0)) << "nothing was written yet, so nothing repeats";

  WriteBytes(port, "abc");  // at 5300
  EXPECT_EQ(pty.Receive(3), "abc");
  clock.Advance(50);
  EXPECT_TRUE(pty.NothingReceived(10));
  clock.Advance(50);  // 5400: idle for a whole period
  EXPECT_EQ(pty.Receive(3), "abc");

  clock.Advance(30);
  WriteBytes(port, "xy");  // at 5430
  EXPECT_EQ(pty.Receive(2), "xy");
  clock.Advance(70);  // 5500: only 70 ms idle
  EXPECT_TRUE(pty.NothingReceived(10));
  clock.Advance(100);  // 5600: 170 ms idle
  EXPECT_EQ(pty.Receive(2), "xy");

  port.Close();
  clock.Advance(1000);
  EXPECT_TRUE(pty.NothingReceived(10)) << "closing stops the repeats";
}

TEST_F(KSerialPortOnPty, NoRepeatWithoutAPositivePeriod) {
  KPeriodicTask::VirtualClock clock;
  for (const char* fields : {"9600,8,N,1.0,-100", "9600,8,N,1.0,0", "9600,8,N,1.0"}) {
    SCOPED_TRACE(fields);
    KSerialPort port;
    port.OpenSettings(Settings(fields), 3);
    WriteBytes(port, "once");
    EXPECT_EQ(pty.Receive(4), "once");
    clock.Advance(1000);
    EXPECT_TRUE(pty.NothingReceived(10));
  }
}

}  // namespace
