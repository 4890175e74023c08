#include "devices/yhardware.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "devices/tests/fakeinterface.h"
#include "devices/yserialport.h"
#include "foundation/kregistry.h"
#include "foundation/kserialport.h"
#include "imaging/ycamera.h"
#include "imaging/yimageblockmanager.h"
#include "model/qvevent.h"
#include "model/qvsettings.h"
#include "model/yleg.h"

namespace {

class YHardwareTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KRegistry::RegisterTypes();
    QvSettings::SetRoot(&registry);
    event.NewLeg();
  }
  void TearDown() override {
    QvSettings::SetRoot(nullptr);
    YImageBlockManager::DeleteGlobal();
  }
  FakeInterface* AddDevice(int32_t id) {
    auto device = std::make_unique<FakeInterface>(id);
    FakeInterface* raw = device.get();
    hardware.AddInterface(std::move(device));
    return raw;
  }

  KRegistry registry;
  YHardware hardware{8};
  QvEvent event;
};

TEST_F(YHardwareTest, WithoutInterfacesEveryDeviceCallAnswersNothing) {
  YCamera camera;
  YTime offset;
  EXPECT_EQ(hardware.Flag4342(), 0);
  EXPECT_FALSE(hardware.InterfaceCall8(0, camera));
  EXPECT_FALSE(hardware.InterfaceCall9(0));
  EXPECT_FALSE(hardware.InterfaceCall16(0, u'U', u'1'));
  EXPECT_FALSE(hardware.InterfaceCall18(0));
  EXPECT_EQ(hardware.LaneLineCount(0), 0);
  EXPECT_EQ(hardware.LaneLine(0, 0), 0);
  EXPECT_FALSE(hardware.SetLaneLine(0, 0, 5000));
  EXPECT_EQ(hardware.LanesReversed(0), 0);
  EXPECT_FALSE(hardware.PrepareCapture());
  EXPECT_FALSE(hardware.AlignCapture(0, 1000));
  EXPECT_FALSE(hardware.CaptureTrigger());
  EXPECT_FALSE(hardware.CaptureControl(1));
  EXPECT_FALSE(hardware.PlugInReady());
  EXPECT_FALSE(hardware.ManualStart(&offset, true));
  EXPECT_FALSE(hardware.StopAll());
  EXPECT_FALSE(hardware.IsCapturing());
  EXPECT_EQ(hardware.IsCaptureStarted(), YHardware::kIdle);
  EXPECT_EQ(hardware.DevicePortCount(), 0);
  hardware.Idle();
}

TEST_F(YHardwareTest, StartCaptureWithoutADeviceReportsTheErrorText) {
  ASSERT_NE(KRegistry::AddLine(&registry,
                               KString(u"\\Strings\\Hardware\\Capture\\Error\\NoDevice:String=Kein Gerät")),
            nullptr);
  EXPECT_FALSE(hardware.StartCapture(event, *event.Leg(0)));
  EXPECT_EQ(hardware.LastError(), KString(u"Kein Gerät"));
  EXPECT_EQ(hardware.IsCaptureStarted(), YHardware::kIdle);
}

TEST_F(YHardwareTest, CallsAreRoutedByNumberOrById) {
  AddDevice(11);
  FakeInterface* second = AddDevice(22);
  second->answer = false;
  YCamera camera;
  EXPECT_EQ(hardware.Flag4342(), 2);
  EXPECT_TRUE(hardware.InterfaceCall8(0, camera));
  EXPECT_FALSE(hardware.InterfaceCall8(1, camera));
  EXPECT_FALSE(hardware.InterfaceCall8(2, camera));
  EXPECT_TRUE(hardware.InterfaceCall18(0));
  EXPECT_FALSE(hardware.InterfaceCall16(22, u'Z', u'+'));
  EXPECT_EQ(second->remote, "Z+");
  EXPECT_EQ(hardware.LaneLine(11, 2), 3000);
  EXPECT_EQ(hardware.LaneLineCount(33), 0);
}

TEST_F(YHardwareTest, CaptureGoesThroughItsStatesAndKeepsBlocksFromThePool) {
  FakeInterface* device = AddDevice(1);
  EXPECT_FALSE(hardware.StartCapture(event, *event.Leg(0)));  // no image memory yet
  EXPECT_EQ(hardware.IsCaptureStarted(), YHardware::kPrepared);
  YImageBlockManager::CreateGlobal(3);
  ASSERT_TRUE(hardware.StartCapture(event, *event.Leg(0)));
  EXPECT_EQ(hardware.IsCaptureStarted(), YHardware::kStarted);
  EXPECT_FALSE(hardware.PrepareCapture());
  EXPECT_TRUE(hardware.StopAll());

  std::vector<uint8_t> block(YHardware::kBlockBytes, 0x5A);
  EXPECT_TRUE(hardware.AddCapturedBlock(4, block.data(), YHardware::kBlockBytes));
  EXPECT_TRUE(hardware.AddCapturedBlock(9, block.data(), YHardware::kBlockBytes));
  EXPECT_FALSE(hardware.AddCapturedBlock(4, block.data(), YHardware::kBlockBytes - 1));
  EXPECT_FALSE(hardware.AddCapturedBlock(300, block.data(), YHardware::kBlockBytes));
  EXPECT_EQ(hardware.CapturedBlockCount(), 2);
  EXPECT_EQ(hardware.CapturedBlockCamera(0), 4);
  EXPECT_EQ(hardware.CapturedBlockCamera(1), 9);
  EXPECT_EQ(hardware.CapturedBlockCamera(2), -1);
  EXPECT_EQ(YImageBlockManager::Global()->FreeCount(), 1);

  EXPECT_TRUE(hardware.IsCapturing());
  EXPECT_EQ(device->stops, 1);
  EXPECT_EQ(hardware.IsCaptureStarted(), YHardware::kIdle);
  EXPECT_EQ(hardware.CapturedBlockCount(), 0);
  EXPECT_EQ(YImageBlockManager::Global()->FreeCount(), 3);
  EXPECT_FALSE(hardware.IsCapturing());
  EXPECT_FALSE(hardware.AddCapturedBlock(4, block.data(), YHardware::kBlockBytes));
}

TEST_F(YHardwareTest, StartCountsAndTheRingOfTheLast125Starts) {
  int32_t shown = -1;
  int32_t overflow = -1;
  YTime time;
  EXPECT_TRUE(hardware.GetStartCount(shown, overflow));
  EXPECT_EQ(shown, 0);
  EXPECT_EQ(overflow, 0);
  EXPECT_FALSE(hardware.GetStartTime(0, time));
  for (int32_t start = 0; start < 130; ++start) {
    hardware.AddStartTime(YTime::FromMilliseconds(start * 10));
  }
  EXPECT_TRUE(hardware.GetStartCount(shown, overflow));
  EXPECT_EQ(shown, 100);
  EXPECT_EQ(overflow, 30);
  struct Case {
    int32_t index;
    bool held;
  };
  for (const Case c : {Case{-1, false}, Case{4, false}, Case{5, true}, Case{129, true}, Case{130, false}}) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(hardware.GetStartTime(c.index, time), c.held);
    if (c.held) {
      EXPECT_EQ(time.ToMilliseconds(), c.index * 10);
    }
  }
}

TEST_F(YHardwareTest, ArmedEventsNotifyTheToolBar) {
  struct Bar : YHardwareView::Client {
    void HardwareNotification(int32_t code) override { codes.push_back(code); }
    void ViewDestroyed() override {}
    std::vector<int32_t> codes;
  } bar;
  hardware.View().SetToolBar(&bar);
  EXPECT_FALSE(hardware.IsArmed(&event));
  hardware.Arm(&event);
  hardware.Arm(&event);
  EXPECT_TRUE(hardware.IsArmed(&event));
  hardware.Disarm(&event);
  EXPECT_FALSE(hardware.IsArmed(&event));
  EXPECT_EQ(bar.codes, (std::vector<int32_t>{40, 40}));
  hardware.View().SetToolBar(nullptr);
}

TEST_F(YHardwareTest, KeyboardButtonIsReadAgainUnlessACaptureRuns) {
  EXPECT_FALSE(hardware.UseKeyboardButton());
  ASSERT_NE(KRegistry::AddLine(&registry, KString(u"\\Hardware\\KeyboardButton:Bool=1")), nullptr);
  EXPECT_TRUE(hardware.UseKeyboardButton());
  AddDevice(1);
  YImageBlockManager::CreateGlobal(1);
  ASSERT_TRUE(hardware.StartCapture(event, *event.Leg(0)));
  ASSERT_NE(KRegistry::AddLine(&registry, KString(u"\\Hardware\\KeyboardButton:Bool=0")), nullptr);
  EXPECT_TRUE(hardware.UseKeyboardButton());  // kept while capturing
  hardware.StopCapture();
  EXPECT_FALSE(hardware.UseKeyboardButton());
}

TEST_F(YHardwareTest, DevicePortsFollowTheSystemPortsFrom256) {
  KSerialPort::ReleasePorts();
  const int32_t systemPorts = KSerialPort::PortCount();
  EXPECT_EQ(YSerialPort::TotalPorts(&hardware), systemPorts);
  EXPECT_EQ(YSerialPort::PortAt(&hardware, systemPorts), 0);
  EXPECT_EQ(YSerialPort::IndexOf(&hardware, 256), -1);
  AddDevice(1)->serialPorts = 2;
  AddDevice(2)->serialPorts = 1;
  EXPECT_EQ(YSerialPort::TotalPorts(&hardware), systemPorts + 3);
  EXPECT_EQ(YSerialPort::TotalPorts(nullptr), systemPorts);
  struct Case {
    int32_t index;
    int32_t port;
  };
  for (const Case c :
       {Case{systemPorts, 256}, Case{systemPorts + 2, 258}, Case{systemPorts + 3, 0}, Case{-1, 0}}) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(YSerialPort::PortAt(&hardware, c.index), c.port);
    if (c.port != 0) {
      EXPECT_EQ(YSerialPort::IndexOf(&hardware, c.port), c.index);
    }
  }
  EXPECT_EQ(YSerialPort::IndexOf(&hardware, 259), -1);
}

}  // namespace
