// Firmware and sound uploads through the simulated boot monitor: the lines on the wire, the flash they
// leave, and the refusals of files, ports and monitors that cannot take them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "devices/linkwaitreporter.h"
#include "devices/qvbootmonitor.h"
#include "devices/tests/culinktestsupport.h"
#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "foundation/kx.h"
#include "testing/ptypair.h"

namespace {

class UploadTest : public CuLinkTest {
 protected:
  void SetUp() override {
    CuLinkTest::SetUp();
    folder = std::filesystem::temp_directory_path() /
             ("kestrove-upload-" + std::to_string(getpid()) + "-" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder);
    AddSetting(u"\\SerialPorts\\Control unit\\SerialPort:String=77,19200,8,N,1.0");
    AddSetting(u"\\Serial\\ShortTimeout:Int=200");
    KSetFileDialogHook([this](KFileDialogRequest& request) {
      requests.push_back(request.filter.ToUtf8());
      if (chosen.empty()) {
        return -1;
      }
      request.file->SetName(KString::FromUtf8(chosen));
      return 0;
    });
  }
  void TearDown() override {
    KSetFileDialogHook({});
    std::filesystem::remove_all(folder);
    CuLinkTest::TearDown();
  }

  // Writes a file and makes it the one the open dialog answers.
  void Choose(const std::string& name, const std::vector<uint8_t>& bytes) {
    chosen = (folder / name).string();
    std::ofstream(chosen, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  // Starts a simulator that speaks the boot monitor (the port itself is opened by the upload).
  void StartMonitor(bool bootMonitor = true) {
    CuScenario scenario;
    scenario.bootMonitor = bootMonitor;
    scenario.startNoise = "BS v1.2 starting\r\n";
    simulator = std::make_unique<CuSimulator>(scenario);
    setenv("KESTROVE_COM77", simulator->DevicePath().c_str(), 1);
  }
  static std::vector<uint8_t> Bytes(size_t count, uint8_t seed) {
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i) {
      bytes[i] = static_cast<uint8_t>(seed + i * 7);
    }
    return bytes;
  }

  std::filesystem::path folder;
  std::string chosen;
  std::vector<std::string> requests;
};

}  // namespace

TEST(QvBootMonitor, LinesAreLowerCaseHexWithTheirSum) {
  const uint8_t bytes[] = {0x12, 0x34, 0x56};
  EXPECT_EQ(QvBootMonitor::WriteLine(0x100040, bytes, 3), "fw 100040 123456 6834");
  EXPECT_EQ(QvBootMonitor::EraseLine(0, 0xC8), "fe 0 c8");
}

TEST_F(UploadTest, FirmwareImageGoesToTheFirmwareAreaAndLaterPassesReuseTheFile) {
  const std::vector<uint8_t> image = Bytes(200, 3);
  Choose("sensor.img", image);
  StartMonitor();
  ASSERT_TRUE(link.UpdateFirmware(true));
  EXPECT_EQ(requests, std::vector<std::string>{"img"});
  EXPECT_EQ(simulator->Flash(QvBootMonitor::kFirmwareAddress, 200), image);
  const std::vector<std::string> lines = simulator->MonitorLines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "sb ffffb9 c 1 z");
  EXPECT_EQ(lines[1], "fe 0 c8");
  EXPECT_EQ(lines[2], QvBootMonitor::WriteLine(0, image.data(), 64));
  EXPECT_EQ(lines[5], QvBootMonitor::WriteLine(0xC0, image.data() + 0xC0, 8));
  EXPECT_EQ(reporter.lines.front(), "progress: 0");
  EXPECT_EQ(reporter.lines.back(), "progress: 100");

  // The next sensor gets the same image without a new question.
  ASSERT_TRUE(link.UpdateFirmware(false));
  EXPECT_EQ(requests.size(), 1u);
  EXPECT_EQ(simulator->MonitorLines().size(), 12u);
}

TEST_F(UploadTest, SoundsGoToTheSoundArea) {
  std::vector<uint8_t> wave = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  const std::vector<uint8_t> body = Bytes(100, 9);
  wave.insert(wave.end(), body.begin(), body.end());
  Choose("gun.wav", wave);
  StartMonitor();
  ASSERT_TRUE(link.LoadAudio(true));
  EXPECT_EQ(requests, std::vector<std::string>{"wav"});
  EXPECT_EQ(simulator->Flash(QvBootMonitor::kSoundAddress, static_cast<uint32_t>(wave.size())), wave);
  EXPECT_EQ(simulator->MonitorLines()[1], "fe 100000 70");
}

TEST_F(UploadTest, FilesThatCannotBeSentAreRefusedBeforeAnythingGoesOut) {
  struct Case {
    const char* what;
    bool sound;
    std::vector<uint8_t> bytes;
    int32_t code;
  } cases[] = {
      {"empty image", false, {}, kErrFileContents},
      {"image too big", false, std::vector<uint8_t>(QvBootMonitor::kAreaSize + 1, 1), kErrFileContents},
      {"sound that is not a wave",
       true,
       {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '},
       kErrFileContents},
  };
  StartMonitor();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    reporter.lines.clear();
    Choose(c.sound ? "file.wav" : "file.img", c.bytes);
    EXPECT_FALSE(c.sound ? link.LoadAudio(true) : link.UpdateFirmware(true));
    EXPECT_EQ(reporter.lines, std::vector<std::string>{"numbered: " + std::to_string(c.code)});
  }
  EXPECT_TRUE(simulator->MonitorLines().empty());
}

TEST_F(UploadTest, CancelledChoiceAndMissingPortUploadNothing) {
  StartMonitor();
  EXPECT_FALSE(link.UpdateFirmware(true));
  EXPECT_TRUE(reporter.lines.empty());
  AddSetting(u"\\SerialPorts\\Control unit\\SerialPort:String=0,19200,8,N,1.0");
  Choose("sensor.img", Bytes(10, 1));
  EXPECT_FALSE(link.UpdateFirmware(true));
  EXPECT_EQ(reporter.lines, std::vector<std::string>{"error: No COM port has been selected"});
  EXPECT_TRUE(simulator->MonitorLines().empty());
}

TEST_F(UploadTest, ASensorWithoutItsMonitorTimesOutAfterTheRetries) {
  AddSetting(u"\\Event\\Results\\RetryCount:Int=2");
  AddSetting(u"\\Serial\\ShortTimeout:Int=200");
  Choose("sensor.img", Bytes(10, 1));
  StartMonitor(false);
  EXPECT_FALSE(link.UpdateFirmware(true));
  EXPECT_EQ(reporter.lines.back(), "numbered: 5002");
  EXPECT_EQ(link.LastError(), kErrSerialTimeout);
}

// The program's side of the waits: it ends them once it has been served (an exit asked then). A wait that
// goes on after that, served or spinning on the question, is a fault told at once, not at the time-out.
class EndingReporter : public LinkWaitReporter {
 public:
  void Busy(bool) override {}
  void Serve() override {
    LookedAfterTheEnd();
    ended = true;
  }
  bool WaitsEnd() const override {
    LookedAfterTheEnd();
    return ended;
  }

 private:
  void LookedAfterTheEnd() const {
    if (ended && ++looks > 20) {
      throw std::logic_error("the wait went on after the program ended it");
    }
  }

  bool ended = false;
  mutable int looks = 0;
};

TEST(QvBootMonitor, AnErrAnswerOrAnEndedWaitStopsTheUploadAfterTheStartUpChatter) {
  struct Case {
    const char* what;
    std::string answers;
    std::string sent;
    int32_t code;
    // The program ends the waits at their first service; the read time-out is then 30 s.
    bool ended;
  } cases[] = {
      {"refused entry", "BS v1.2 booting\r\nerr\r\n", "sb ffffb9 c 1 z\r", kErrSerialHandshake, false},
      {"refused erase", "ok\r\nerr\r\n", "sb ffffb9 c 1 z\rfe 0 3\r", kErrSerialHandshake, false},
      {"refused write", "ok\r\nok\r\nerr\r\n", "sb ffffb9 c 1 z\rfe 0 3\rfw 0 010203 0402\r",
       kErrSerialHandshake, false},
      {"a silent sensor, the wait ended", "", "sb ffffb9 c 1 z\r", kErrSerialTimeout, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ktest::PtyPair pair;
    pair.MapToPort(79);
    KSerialPort port;
    port.OpenSettings(KString(u"79,19200,8,N,1.0"), KSerialPort::kRead | KSerialPort::kWrite);
    port.SetTimeout(c.ended ? 30000 : 200);
    pair.Send(c.answers);
    const std::vector<uint8_t> data = {1, 2, 3};
    EndingReporter program;
    try {
      QvBootMonitor::Upload(
          port, data, 0, 3, [](int32_t) {}, c.ended ? &program : nullptr);
      ADD_FAILURE() << "accepted";
    } catch (const KXSerialPort& failure) {
      EXPECT_EQ(failure.Code(), c.code);
    }
    EXPECT_EQ(pair.Receive(c.sent.size() + 1, 50), c.sent);
    port.Close();
  }
}

TEST(QvBootMonitor, ALateFirstAnswerIsNotTakenForTheNextLine) {
  // The monitor hears the first "sb" line but answers it only after the link's time-out, when the line was
  // already sent again; it answers both then, and refuses the last write.
  ktest::PtyPair pair;
  pair.MapToPort(79);
  KSerialPort port;
  port.OpenSettings(KString(u"79,19200,8,N,1.0"), KSerialPort::kRead | KSerialPort::kWrite);
  port.SetTimeout(200);
  const std::vector<uint8_t> data(130, 0x5A);  // three "fw" lines
  std::vector<std::string> lines;
  std::thread monitor([&pair, &lines] {
    std::string line;
    for (std::string byte = pair.Receive(1, 2000); !byte.empty(); byte = pair.Receive(1, 2000)) {
      if (byte != "\r") {
        line += byte;
        continue;
      }
      lines.push_back(line);
      line.clear();
      if (lines.size() == 2) {
        pair.Send("ok\r\nok\r\n");  // the late answer to the first line, then the one to the second
      } else if (lines.size() == 6) {
        pair.Send("err\r\n");
        return;
      } else if (lines.size() > 2) {
        pair.Send("ok\r\n");
      }
    }
  });
  int32_t code = kErrNone;
  try {
    QvBootMonitor::Upload(port, data, 0, 3, [](int32_t) {});
  } catch (const KXSerialPort& failure) {
    code = failure.Code();
  }
  monitor.join();
  EXPECT_EQ(code, kErrSerialHandshake) << "the refused last write fails the upload";
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1], "sb ffffb9 c 1 z");
  EXPECT_EQ(lines[2], "fe 0 82");
  port.Close();
}
