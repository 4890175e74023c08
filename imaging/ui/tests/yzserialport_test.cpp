#include "imaging/ui/yzserialport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "devices/tests/fakeinterface.h"
#include "devices/yhardware.h"
#include "foundation/kserialport.h"
#include "framework/core/zafvtlist.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/tests/kzdialogtestbed.h"

namespace {

class VisiblePanel : public YZSerialPort {
 public:
  using YZSerialPort::PortList;
  using YZSerialPort::YZSerialPort;
};

// The machine has one serial port, 101 (a USB adapter).
class YZSerialPortTest : public KZDialogTest {
 protected:
  YZSerialPortTest() {
    std::filesystem::create_directories(devices);
    std::ofstream(devices / "ttyUSB0").put('\n');
    KSerialPort::EnumeratePorts(devices.string(), (devices / "class").string());
    Setting(u"\\Strings\\SerialPort\\PortNone:String=None");
  }
  ~YZSerialPortTest() override {
    KSerialPort::ReleasePorts();
    std::filesystem::remove_all(devices.parent_path());
  }
  static std::string Entry(KZComboBox* list, int32_t index) {
    list->Select(index);
    return KString(list->Text()).ToUtf8();
  }
  static std::string PortName(int32_t port) {
    KString name;
    KSerialPort::PortName(port, name);
    return name.ToUtf8();
  }

  std::filesystem::path devices = std::filesystem::temp_directory_path() /
                                  ("yzserialport-" + std::to_string(::getpid()) + "-" +
                                   testing::UnitTest::GetInstance()->current_test_info()->name()) /
                                  "dev";
  YHardware hardware{8};
};

}  // namespace

TEST_F(YZSerialPortTest, WithoutDeviceInterfacesTheListIsTheToolkitPanels) {
  KZDialog dialog(u"", KZDialog::kOk, KZDialog::kOk);
  VisiblePanel panel(&dialog, 63, &hardware);
  panel.Build();
  ASSERT_EQ(panel.PortList()->List()->Count(), 2);
  EXPECT_EQ(Entry(panel.PortList(), 1), PortName(101));
  int32_t port = -1;
  ASSERT_TRUE(panel.GetPort(port));
  EXPECT_EQ(port, 101);
}

TEST_F(YZSerialPortTest, ADeviceInterfacesPortFollowsTheSystemsAndMapsTo256) {
  auto device = std::make_unique<FakeInterface>(1);
  device->serialPorts = 1;
  hardware.AddInterface(std::move(device));
  KZDialog dialog(u"", KZDialog::kOk, KZDialog::kOk);
  VisiblePanel panel(&dialog, 63, &hardware);
  panel.Build();
  ASSERT_EQ(panel.PortList()->List()->Count(), 3);
  EXPECT_EQ(Entry(panel.PortList(), 2), PortName(256));
  struct Case {
    const char16_t* settings;
    int32_t entry;
    const char* stored;
  } cases[] = {{u"256,19200,8,N,1.0", 2, "256,19200,8,N,1.0"},
               {u"101,9600,8,N,1.0", 1, "101,9600,8,N,1.0"},
               // A device port that no interface offers any more chooses no port.
               {u"257,9600,8,N,1.0", 0, "0,9600,8,N,1.0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(KString(c.settings).ToUtf8());
    ASSERT_TRUE(panel.Load(KString(c.settings)));
    EXPECT_EQ(panel.PortList()->SelectedIndex(), c.entry);
    KString stored;
    ASSERT_TRUE(panel.Store(stored));
    EXPECT_EQ(stored.ToUtf8(), c.stored);
  }
}
